#pragma once
// A prepared statement with positional parameters (?1, ?2 …) run straight on the engine: the one path by
// which the table layer and the bulk operations over many rows bind their values, step and write.
// Text compared with or written to a field is bound as the field stores it (bindStored: the stored-text
// rule at the field's width). An engine failure met while stepping is noted on the connection, so that
// every Transaction open there fails with it, and thrown as the engine's error; a write runs only inside
// a transaction the engine has not undone. A Statement refers to a statement kept by a
// PreparedStatements, which owns it.

#include "app/base/Database.h"

#include <QString>
#include <QStringView>
#include <QVariant>

#include <functional>

struct sqlite3_stmt;

namespace gdvorn {

class PreparedStatements;

// Binds `value` to parameter `position` of `stmt`: Booleans and integers as integers, doubles as reals,
// anything else as UTF-8 text (never NULL).
void bindValue(sqlite3_stmt *stmt, int position, const QVariant &value);

class Statement {
public:
    // `sql` as prepared once by `statements` on `connection`, handed out reset with no bindings;
    // `context` names the table or statement in error messages.
    Statement(PreparedStatements &statements, const QString &sql, const QString &connection, const QString &context);
    // A statement prepared already (by the table layer's own cache).
    Statement(sqlite3_stmt *stmt, const QString &connection, const QString &context)
        : m_stmt(stmt), m_connection(connection), m_context(context)
    {
    }

    void bind(int position, const QVariant &value) { bindValue(m_stmt, position, value); }
    void bindInt64(int position, qint64 value);
    // Text bound as a field of `width` characters (0: no limit) stores it, or as `field` of `table` in
    // the catalogue stores it (DatabaseError when either is unknown).
    void bindStored(int position, const QString &text, int width);
    void bindStored(int position, const QString &table, const QString &field, const QString &text);

    // One step: true on a row, false at the end.
    bool step();
    qint64 columnInt64(int column) const;
    // Runs a write and resets the statement; returns the rows it changed.
    int exec();
    void reset();

    sqlite3_stmt *handle() const { return m_stmt; }

private:
    sqlite3_stmt *m_stmt;
    QString m_connection;
    QString m_context;
};

// One write run once (an UPDATE, INSERT or DELETE, or the statement that makes or empties a temporary
// table): `sql` prepared on `connection`, its positional parameters bound by `bind` (none when empty),
// run, and noted as a change of the table it writes (of every table when that is not known). Returns the
// rows it changed.
int execWrite(const QString &sql, const std::function<void(Statement &)> &bind = {}, const QString &connection = kAlias);

} // namespace gdvorn
