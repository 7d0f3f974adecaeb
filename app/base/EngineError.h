#pragma once
// Database failures as typed exceptions.
//
// DatabaseError stands for an error of the data layer that is not the engine's (a field name that does
// not exist, a table used while closed). EngineError is an error reported by the database engine: it
// carries a list of entries (code and text), the last of which is the one that counts; the category of
// a code is its high byte. KeyViolation is the engine's duplicate-key error.

#include <QList>
#include <QString>
#include <stdexcept>

class QSqlError;

namespace gdvorn {

// Engine error codes (category in the high byte).
enum EngineCode : int {
    ErrOsFileNotFound = 0x2104,   // a table or database file that does not exist
    ErrOsAccessDenied = 0x2106,   // a file that cannot be written
    ErrIndexMissing = 0x2C04,     // an index that does not exist
    ErrTableBusy = 0x2A01,        // a table or file locked by another user
    ErrKeyViolation = 0x2601,     // a duplicate key in a unique index
    ErrRequiredField = 0x2604,    // a NOT NULL constraint
    ErrFieldSizeMismatch = 0x2D0A,// a declared field wider than the field in the file
    ErrNoSuchTable = 0x2B04,      // a table that does not exist in its file
    ErrUnknownDatabase = 0x2B05,  // a connection (alias) that is not open
    ErrSql = 0x3302,              // any other failure of an SQL statement
    ErrLookupValue = 0x2A04,      // lookup combo box value rejected
    ErrDiskFull = 0x2101,         // no room left on the disk (or the file's size limit reached)
    ErrRecordDeleted = 0x2204,    // the record a cursor stood on is no longer in its table
    ErrDamagedFile = 0x2301,      // a database file that the engine finds corrupt
    ErrNotADatabase = 0x2302,     // a file that is not a database (its header is unreadable)
    ErrRecordChanged = 0x2A13,    // the record was changed by someone else since it was read for editing
    ErrTransactionRolledBack = 0x2A14, // a write inside a transaction that the engine has already undone
};

QString engineCategoryText(int category);
QString engineCodeText(int code);

class DatabaseError : public std::runtime_error {
public:
    explicit DatabaseError(const QString &message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

struct EngineErrorEntry {
    int code = 0;
    QString message;
};

class EngineError : public DatabaseError {
public:
    EngineError(int code, const QString &message);
    explicit EngineError(QList<EngineErrorEntry> entries);

    // The code of the last entry, and its category (high byte).
    int code() const { return m_entries.isEmpty() ? 0 : m_entries.last().code; }
    int category() const { return (code() >> 8) & 0xFF; }
    const QList<EngineErrorEntry> &entries() const { return m_entries; }

private:
    QList<EngineErrorEntry> m_entries;
};

class KeyViolation : public EngineError {
public:
    explicit KeyViolation(const QString &message) : EngineError(ErrKeyViolation, message) {}
};

class TableBusy : public EngineError {
public:
    explicit TableBusy(const QString &message) : EngineError(ErrTableBusy, message) {}
};

// The engine found the disk (or the file's size limit) full.
class DiskFull : public EngineError {
public:
    explicit DiskFull(const QString &message) : EngineError(ErrDiskFull, message) {}
};

// A database file that the engine cannot read as one (ErrDamagedFile or ErrNotADatabase).
class DamagedFile : public EngineError {
public:
    DamagedFile(int code, const QString &message) : EngineError(code, message) {}
};

// Throws the typed exception that matches an error of the Qt SQL driver; `context` names the table or
// statement and is added to the message.
[[noreturn]] void throwEngineError(const QSqlError &error, const QString &context);

} // namespace gdvorn
