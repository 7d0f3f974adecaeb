#pragma once
// The database connection of the data folder: trabalho.db is the main file, the code tables and the
// permanent tables are attached under their file names. One connection name stands for the alias
// "GDVORN"; tests may open others.

#include <QHash>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include "app/base/Schema.h"

struct sqlite3;
struct sqlite3_stmt;

namespace gdvorn {

inline const QString kAlias = QStringLiteral("GDVORN");

// Opens the connection on `folder`. Every database file but trabalho.db must exist (EngineError
// otherwise); trabalho.db is created when missing, and a trabalho.db that holds no page yet is given its
// first one at once (committed and synced). Reopening an open connection closes it first.
void openDatabase(const QString &folder, const QString &connection = kAlias, int busyTimeoutMs = 2000);
void closeDatabase(const QString &connection = kAlias);
bool isDatabaseOpen(const QString &connection = kAlias);

// The open connection (DatabaseError when it is not open).
QSqlDatabase database(const QString &connection = kAlias);
// The connection's folder, with no separator at the end.
QString databaseFolder(const QString &connection = kAlias);

// Change counters raised by every write made through the table layer or a query; a cursor reads the one
// of its table to notice that rows may have changed under it. A write whose table is not known (an empty
// `table`) counts as a change of every table.
quint64 dataVersion(const QString &connection, const QString &table);
void noteDataChanged(const QString &connection, const QString &table = QString());
// A count raised with every change counter of every connection, and by every closing of a connection:
// while it stands still, no table's version has moved. Cheap enough to read on every move of a cursor.
quint64 dataChanges();
// The table that an INSERT, UPDATE, DELETE or REPLACE statement writes ("" when it is not one of these).
QString writtenTable(const QString &sql);

// Creates `def` (replacing a table of the same name, dropped as dropTable does) with its indexes on the
// open connection.
void createTable(const TableDef &def, const QString &connection = kAlias);
// Drops `def` when it exists: the one way a table is dropped. The freed pages are not overwritten (the
// engine's fast secure deletion), so that dropping a large work table costs little more than its journal;
// the file's own setting is put back afterwards. The engine refuses (TableBusy) while a statement of the
// connection is still running, which is why no statement is left open after the routine that opened it.
void dropTable(const TableDef &def, const QString &connection = kAlias);

// Lays out a data folder: every database file of the connection, with the catalogue's tables of each
// file that `tables` names (all installed tables and the permanent ones when empty), and no rows.
void createDataFolder(const QString &folder, const QStringList &tables = {});

// True when `schema` of `db` holds an object of `type` ("table", "index") named `name` (any case).
bool schemaObjectExists(const QSqlDatabase &db, const QString &schema, const QString &type, const QString &name);

// Runs `sql` (no parameters) and throws the engine's error on failure.
void execSql(const QString &sql, const QString &connection = kAlias);

// What the table layer does around every statement inside a Transaction. The engine may end a whole
// transaction on its own after an error (a full disk, an OR ROLLBACK conflict); from then on every
// Transaction open on the connection has failed. noteEngineFailure, called in the handler of an engine
// error, records that error as the cause. requireLiveTransaction, called before a write, throws the cause
// again (EngineError ErrTransactionRolledBack when it is not known) instead of letting the write run
// outside any transaction.
void noteEngineFailure(const QString &connection);
void requireLiveTransaction(const QString &connection);

// The SQLite handle of an open connection, for the few places that read and write rows straight on the
// engine (the table layer).
sqlite3 *sqliteHandle(const QString &connection = kAlias);
[[noreturn]] void throwSqliteError(sqlite3 *handle, const QString &context);

// Statements prepared once and kept for the life of their owner on one connection. Each is handed out
// reset, with its bindings cleared. They are finalized when the owner clears them or goes, or when the
// connection closes, whichever comes first.
class PreparedStatements {
public:
    explicit PreparedStatements(const QString &connection = kAlias) : m_connection(connection) {}
    ~PreparedStatements();
    PreparedStatements(const PreparedStatements &) = delete;
    PreparedStatements &operator=(const PreparedStatements &) = delete;

    void setConnection(const QString &connection);
    sqlite3_stmt *get(const QString &sql, const QString &context);
    void clear();

private:
    QString m_connection;
    QHash<QString, sqlite3_stmt *> m_statements;
};

// One transaction for a whole operation. Nested instances join the outermost one as savepoints: each
// undoes its own work when destroyed without commit (an exception or an early return), and nothing is
// kept until the outermost commits in commit(). After the engine has undone the transaction on its own,
// no nested Transaction starts, no write runs and commit() throws the error that ended it. A transaction
// belongs to the opening of the connection it began on: closing the connection rolls it back, and it
// leaves a connection opened again alone.
class Transaction {
public:
    // Immediate: other connections may still read until the commit. Exclusive: they may not (index
    // rebuilds). A nested Transaction is a savepoint either way.
    enum Lock { Immediate, Exclusive };
    explicit Transaction(const QString &connection = kAlias, Lock lock = Immediate);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();

private:
    QString m_connection;
    void ending(); // leaves the depth count of its connection

    QString m_savepoint; // empty for the outermost
    quint64 m_instance = 0;
    bool m_done = false;
};

} // namespace gdvorn
