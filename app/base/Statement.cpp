#include "app/base/Statement.h"

#include "app/base/Database.h"
#include "app/base/EngineError.h"
#include "app/base/Field.h"

#include <sqlite3.h>

namespace gdvorn {

namespace {

void bindUtf16(sqlite3_stmt *stmt, int position, QStringView text)
{
    // Short ASCII text (most values) goes through a buffer on the stack, without a conversion of Qt's.
    char ascii[256];
    const qsizetype size = text.size();
    bool plain = size <= qsizetype(sizeof ascii);
    for (qsizetype i = 0; plain && i < size; ++i) {
        const char16_t c = text.at(i).unicode();
        plain = c < 0x80;
        ascii[i] = char(c);
    }
    if (plain) {
        sqlite3_bind_text(stmt, position, ascii, int(size), SQLITE_TRANSIENT);
        return;
    }
    const QByteArray utf8 = text.toUtf8();
    sqlite3_bind_text(stmt, position, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
}

} // namespace

void bindValue(sqlite3_stmt *stmt, int position, const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
        sqlite3_bind_int64(stmt, position, value.toLongLong());
        break;
    case QMetaType::Double:
        sqlite3_bind_double(stmt, position, value.toDouble());
        break;
    case QMetaType::QString:
        bindUtf16(stmt, position, *static_cast<const QString *>(value.constData()));
        break;
    default: {
        const QByteArray utf8 = value.toString().toUtf8();
        sqlite3_bind_text(stmt, position, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT);
        break;
    }
    }
}

Statement::Statement(PreparedStatements &statements, const QString &sql, const QString &connection,
                     const QString &context)
    : m_stmt(statements.get(sql, context)), m_connection(connection), m_context(context)
{
}

void Statement::bindInt64(int position, qint64 value) { sqlite3_bind_int64(m_stmt, position, value); }

void Statement::bindStored(int position, const QString &text, int width)
{
    QString holder;
    bindUtf16(m_stmt, position, storedText(QStringView(text), width, holder));
}

void Statement::bindStored(int position, const QString &table, const QString &field, const QString &text)
{
    bindUtf16(m_stmt, position, storedText(table, field, text));
}

bool Statement::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc == SQLITE_DONE)
        return false;
    sqlite3 *handle = sqlite3_db_handle(m_stmt);
    sqlite3_reset(m_stmt);
    try {
        throwSqliteError(handle, m_context);
    } catch (...) {
        noteEngineFailure(m_connection);
        throw;
    }
}

qint64 Statement::columnInt64(int column) const { return sqlite3_column_int64(m_stmt, column); }

int Statement::exec()
{
    requireLiveTransaction(m_connection);
    step();
    const int changed = sqlite3_changes(sqlite3_db_handle(m_stmt));
    sqlite3_reset(m_stmt);
    return changed;
}

void Statement::reset() { sqlite3_reset(m_stmt); }

int execWrite(const QString &sql, const std::function<void(Statement &)> &bind, const QString &connection)
{
    PreparedStatements statements(connection);
    Statement st(statements, sql, connection, sql);
    if (bind)
        bind(st);
    const int changed = st.exec();
    noteDataChanged(connection, writtenTable(sql));
    return changed;
}

} // namespace gdvorn
