#include "app/base/EngineError.h"

#include <QSqlError>

namespace gdvorn {

QString engineCategoryText(int category)
{
    switch (category) {
    case 0x21: return QStringLiteral("I/O error");
    case 0x22: return QStringLiteral("Record not found");
    case 0x23: return QStringLiteral("Data corruption");
    case 0x26: return QStringLiteral("Integrity violation");
    case 0x2A: return QStringLiteral("Lock conflict");
    case 0x2B: return QStringLiteral("Invalid request");
    case 0x2C: return QStringLiteral("Not found");
    case 0x2D: return QStringLiteral("Invalid context");
    case 0x33: return QStringLiteral("Query error");
    default: return QStringLiteral("Engine error");
    }
}

QString engineCodeText(int code)
{
    switch (code) {
    case ErrOsFileNotFound: return QStringLiteral("File not found.");
    case ErrOsAccessDenied: return QStringLiteral("Permission denied.");
    case ErrIndexMissing: return QStringLiteral("Index does not exist.");
    case ErrTableBusy: return QStringLiteral("Table is busy.");
    case ErrKeyViolation: return QStringLiteral("Key violation.");
    case ErrRequiredField: return QStringLiteral("Field value required.");
    case ErrFieldSizeMismatch: return QStringLiteral("Field size mismatch.");
    case ErrNoSuchTable: return QStringLiteral("Table does not exist.");
    case ErrUnknownDatabase: return QStringLiteral("Unknown database.");
    case ErrSql: return QStringLiteral("Invalid SQL statement.");
    case ErrLookupValue: return QStringLiteral("Field value out of lookup range.");
    case ErrDiskFull: return QStringLiteral("Insufficient disk space.");
    case ErrRecordDeleted: return QStringLiteral("Record/key deleted.");
    case ErrDamagedFile: return QStringLiteral("Corrupt file - other than header.");
    case ErrNotADatabase: return QStringLiteral("Corrupt table/index header.");
    case ErrRecordChanged: return QStringLiteral("Couldn't perform the edit because another user changed the record.");
    case ErrTransactionRolledBack: return QStringLiteral("The transaction was rolled back by the engine.");
    default: return QStringLiteral("Unknown error.");
    }
}

DatabaseError::DatabaseError(const QString &message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}

EngineError::EngineError(int code, const QString &message)
    : EngineError(QList<EngineErrorEntry>{{code, message}})
{
}

static QString joinedMessages(const QList<EngineErrorEntry> &entries)
{
    QStringList texts;
    for (const auto &e : entries)
        texts << e.message;
    return texts.join(QLatin1Char('\n'));
}

EngineError::EngineError(QList<EngineErrorEntry> entries)
    : DatabaseError(joinedMessages(entries)), m_entries(std::move(entries))
{
}

void throwEngineError(const QSqlError &error, const QString &context)
{
    const int native = error.nativeErrorCode().toInt();
    const QString text = error.databaseText().isEmpty() ? error.driverText() : error.databaseText();
    auto withContext = [&](int code) {
        QString m = engineCodeText(code);
        if (!text.isEmpty())
            m += QLatin1Char(' ') + text;
        if (!context.isEmpty())
            m += QStringLiteral("\nTable: ") + context;
        return m;
    };
    switch (native & 0xFF) {
    case 19: // SQLITE_CONSTRAINT
        if (text.contains(QLatin1String("UNIQUE")) || text.contains(QLatin1String("PRIMARY KEY")))
            throw KeyViolation(withContext(ErrKeyViolation));
        throw EngineError(ErrRequiredField, withContext(ErrRequiredField));
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        throw TableBusy(withContext(ErrTableBusy));
    case 14: // SQLITE_CANTOPEN
        throw EngineError(ErrOsFileNotFound, withContext(ErrOsFileNotFound));
    case 13: // SQLITE_FULL
        throw DiskFull(withContext(ErrDiskFull));
    case 11: // SQLITE_CORRUPT
        throw DamagedFile(ErrDamagedFile, withContext(ErrDamagedFile));
    case 26: // SQLITE_NOTADB
        throw DamagedFile(ErrNotADatabase, withContext(ErrNotADatabase));
    case 8: // SQLITE_READONLY
    case 3: // SQLITE_PERM
        throw EngineError(ErrOsAccessDenied, withContext(ErrOsAccessDenied));
    default:
        break;
    }
    if (text.contains(QLatin1String("no such table")))
        throw EngineError(ErrNoSuchTable, withContext(ErrNoSuchTable));
    if (text.contains(QLatin1String("no such index")))
        throw EngineError(ErrIndexMissing, withContext(ErrIndexMissing));
    throw EngineError(ErrSql, withContext(ErrSql));
}

} // namespace gdvorn
