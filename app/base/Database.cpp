#include "app/base/Database.h"

#include "app/base/EngineError.h"
#include "app/base/Schema.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>

#include <sqlite3.h>

#include <exception>

namespace gdvorn {

namespace {

struct ConnectionState {
    QString folder;
    QList<PreparedStatements *> statements; // finalized before the connection closes
    quint64 version = 0;                 // writes to any table
    QHash<QString, quint64> tableVersion; // writes to one table (lower-case name)
    int transactionDepth = 0;
    quint64 instance = 0;     // which opening of the connection this is
    sqlite3 *handle = nullptr; // the engine's handle of that opening
    bool rolledBack = false;  // the engine ended the open transaction on its own
    std::exception_ptr cause; // the error with which it did
};

quint64 g_instances = 0;
quint64 g_changes = 0;

QHash<QString, ConnectionState> &states()
{
    static QHash<QString, ConnectionState> s;
    return s;
}

} // namespace

void openDatabase(const QString &folder, const QString &connection, int busyTimeoutMs)
{
    closeDatabase(connection);
    const QDir dir(folder);
    for (const QString &file : Schema::databaseFiles()) {
        if (file != QLatin1String("trabalho") && !QFileInfo::exists(dir.filePath(Schema::fileName(file))))
            throw EngineError(ErrOsFileNotFound,
                              QStringLiteral("File not found.\nFile: %1").arg(dir.filePath(Schema::fileName(file))));
    }
    // The work file is made here when missing; a data folder that cannot be written is said as such,
    // naming the folder, rather than as a file that the engine could not find.
    const QString trabalho = dir.filePath(Schema::fileName(QStringLiteral("trabalho")));
    if (!QFileInfo::exists(trabalho)) {
        QFile novo(trabalho);
        if (!novo.open(QIODevice::WriteOnly | QIODevice::NewOnly))
            throw EngineError(ErrOsAccessDenied,
                              QStringLiteral("A pasta de dados %1 não pode ser gravada: o GDVORN precisa criar nela o "
                                             "arquivo %2 (%3).")
                                  .arg(QDir::toNativeSeparators(dir.absolutePath()), Schema::fileName(QStringLiteral("trabalho")),
                                       novo.errorString()));
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(trabalho);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
        bool falhou = !db.open();
        QSqlError erro = db.lastError();
        QString contexto = folder;
        // A new work file holds no page until its first transaction commits, and a start ended in that
        // transaction would leave an empty file beside its journal. Its first page is written (and synced,
        // as every commit is) right away.
        if (!falhou && QFileInfo(trabalho).size() == 0) {
            QSqlQuery q(db);
            falhou = !q.exec(QStringLiteral("PRAGMA user_version = 1"));
            erro = q.lastError();
            contexto = trabalho;
        }
        if (falhou) {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(connection);
            throwEngineError(erro, contexto);
        }
        ConnectionState state;
        state.folder = QDir::cleanPath(dir.absolutePath());
        state.instance = ++g_instances;
        state.handle = *static_cast<sqlite3 *const *>(db.driver()->handle().constData());
        states()[connection] = std::move(state);
    }
    try {
        for (const QString &file : Schema::databaseFiles()) {
            if (file == QLatin1String("trabalho"))
                continue;
            QSqlQuery q(database(connection));
            q.prepare(QStringLiteral("ATTACH DATABASE :path AS %1").arg(quotedIdentifier(file)));
            q.bindValue(QStringLiteral(":path"), dir.filePath(Schema::fileName(file)));
            if (!q.exec())
                throwEngineError(q.lastError(), Schema::fileName(file));
        }
    } catch (...) {
        closeDatabase(connection);
        throw;
    }
}

void closeDatabase(const QString &connection)
{
    if (!QSqlDatabase::contains(connection))
        return;
    ++g_changes; // the connection's versions go with it
    const auto st = states().find(connection);
    if (st != states().end()) {
        const QList<PreparedStatements *> owners = st->statements;
        for (PreparedStatements *p : owners)
            p->clear();
    }
    {
        QSqlDatabase db = QSqlDatabase::database(connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    states().remove(connection);
}

bool isDatabaseOpen(const QString &connection)
{
    return QSqlDatabase::contains(connection) && QSqlDatabase::database(connection, false).isOpen();
}

QSqlDatabase database(const QString &connection)
{
    if (!isDatabaseOpen(connection))
        throw DatabaseError(QStringLiteral("Database %1 is not open.").arg(connection));
    return QSqlDatabase::database(connection, false);
}

QString databaseFolder(const QString &connection)
{
    return states().value(connection).folder;
}

quint64 dataVersion(const QString &connection, const QString &table)
{
    const auto it = states().constFind(connection);
    if (it == states().constEnd())
        return 0;
    return it->version + it->tableVersion.value(table.isLower() ? table : table.toLower());
}

quint64 dataChanges() { return g_changes; }

void noteDataChanged(const QString &connection, const QString &table)
{
    auto it = states().find(connection);
    if (it == states().end())
        return;
    ++g_changes;
    if (table.isEmpty())
        ++it->version;
    else
        ++it->tableVersion[table.toLower()];
}

QString writtenTable(const QString &sql)
{
    static const QRegularExpression re(
        QStringLiteral("^\\s*(?:insert\\s+(?:or\\s+\\w+\\s+)?into|replace\\s+into|update(?:\\s+or\\s+\\w+)?|delete\\s+from)\\s+"
                       "(?:\"?(\\w+)\"?\\s*\\.\\s*)?\"?(\\w+)\"?"),
        QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(sql);
    return m.hasMatch() ? m.captured(2).toLower() : QString();
}

bool schemaObjectExists(const QSqlDatabase &db, const QString &schema, const QString &type, const QString &name)
{
    QSqlQuery q(db);
    if (!q.prepare(QStringLiteral("SELECT 1 FROM %1.sqlite_master WHERE type = ? AND name = ? COLLATE NOCASE")
                       .arg(quotedIdentifier(schema))))
        throwEngineError(q.lastError(), schema);
    q.addBindValue(type);
    q.addBindValue(name);
    if (!q.exec())
        throwEngineError(q.lastError(), schema);
    return q.next();
}

void execSql(const QString &sql, const QString &connection)
{
    static const QRegularExpression noWrite(
        QStringLiteral("^\\s*(begin|commit|end|savepoint|release|rollback|select|pragma)\\b"),
        QRegularExpression::CaseInsensitiveOption);
    const bool writes = !noWrite.match(sql).hasMatch();
    if (writes)
        requireLiveTransaction(connection);
    QSqlQuery q(database(connection));
    if (!q.exec(sql)) {
        try {
            throwEngineError(q.lastError(), sql);
        } catch (...) {
            noteEngineFailure(connection);
            throw;
        }
    }
    // Rows written, or tables made or dropped, may be under an open cursor. A statement whose written
    // table is not known (DDL, a write behind a WITH clause) counts as a change of every table.
    const QString table = writtenTable(sql);
    if (!table.isEmpty())
        noteDataChanged(connection, table);
    else if (writes)
        noteDataChanged(connection);
}

namespace {

// True (and the connection's transaction marked as ended) when a Transaction is open on `connection`
// while the engine no longer has one: the engine undid it on its own.
bool transactionLost(const QString &connection)
{
    const auto it = states().find(connection);
    if (it == states().end() || it->transactionDepth == 0)
        return false;
    if (!it->rolledBack) {
        sqlite3 *handle = it->handle ? it->handle : (isDatabaseOpen(connection) ? sqliteHandle(connection) : nullptr);
        if (handle && sqlite3_get_autocommit(handle) != 0)
            it->rolledBack = true;
    }
    return it->rolledBack;
}

[[noreturn]] void throwLostTransaction(const QString &connection)
{
    const auto it = states().constFind(connection);
    if (it != states().constEnd() && it->cause)
        std::rethrow_exception(it->cause);
    throw EngineError(ErrTransactionRolledBack, engineCodeText(ErrTransactionRolledBack));
}

} // namespace

void noteEngineFailure(const QString &connection)
{
    const auto it = states().find(connection);
    if (it == states().end() || it->transactionDepth == 0 || it->rolledBack)
        return;
    if (transactionLost(connection))
        it->cause = std::current_exception();
}

void requireLiveTransaction(const QString &connection)
{
    if (transactionLost(connection))
        throwLostTransaction(connection);
}

sqlite3 *sqliteHandle(const QString &connection)
{
    const QVariant v = database(connection).driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        throw DatabaseError(QStringLiteral("The connection is not an SQLite connection."));
    return *static_cast<sqlite3 *const *>(v.constData());
}

void throwSqliteError(sqlite3 *handle, const QString &context)
{
    throwEngineError(QSqlError(QString(), QString::fromUtf8(sqlite3_errmsg(handle)), QSqlError::StatementError,
                               QString::number(sqlite3_errcode(handle))),
                     context);
}

PreparedStatements::~PreparedStatements() { clear(); }

void PreparedStatements::setConnection(const QString &connection)
{
    clear();
    m_connection = connection;
}

sqlite3_stmt *PreparedStatements::get(const QString &sql, const QString &context)
{
    sqlite3_stmt *stmt = m_statements.value(sql);
    if (stmt) {
        sqlite3_reset(stmt);
        sqlite3_clear_bindings(stmt);
        return stmt;
    }
    sqlite3 *handle = sqliteHandle(m_connection);
    const QByteArray text = sql.toUtf8();
    if (sqlite3_prepare_v3(handle, text.constData(), int(text.size()), SQLITE_PREPARE_PERSISTENT, &stmt, nullptr) !=
        SQLITE_OK) {
        sqlite3_finalize(stmt);
        throwSqliteError(handle, context);
    }
    if (m_statements.isEmpty())
        states()[m_connection].statements << this;
    m_statements.insert(sql, stmt);
    return stmt;
}

void PreparedStatements::clear()
{
    for (sqlite3_stmt *stmt : std::as_const(m_statements))
        sqlite3_finalize(stmt);
    if (!m_statements.isEmpty()) {
        auto it = states().find(m_connection);
        if (it != states().end())
            it->statements.removeAll(this);
    }
    m_statements.clear();
}

void createTable(const TableDef &def, const QString &connection)
{
    Transaction t(connection);
    dropTable(def, connection);
    execSql(def.createTableSql(), connection);
    for (const IndexDef &idx : def.indexes)
        execSql(def.createIndexSql(idx), connection);
    t.commit();
}

void dropTable(const TableDef &def, const QString &connection)
{
    // With secure deletion on (the engine's build default here) a drop journals every page of the table
    // and then writes zeros over it, as much writing as filling the table did.
    const QString schema = quotedIdentifier(def.schemaName());
    QSqlQuery q(database(connection));
    // The setting reads 0, 1 or 2 (fast); "2" would be taken as on.
    const QString antes = q.exec(QStringLiteral("PRAGMA %1.secure_delete").arg(schema)) && q.next()
                              ? (q.value(0).toInt() == 2 ? QStringLiteral("FAST") : q.value(0).toString())
                              : QString();
    q.finish();
    const auto devolve = [&] {
        if (!antes.isEmpty())
            execSql(QStringLiteral("PRAGMA %1.secure_delete = %2").arg(schema, antes), connection);
    };
    execSql(QStringLiteral("PRAGMA %1.secure_delete = FAST").arg(schema), connection);
    try {
        execSql(QStringLiteral("DROP TABLE IF EXISTS %1").arg(def.qualifiedName()), connection);
    } catch (...) {
        devolve();
        throw;
    }
    devolve();
}

void createDataFolder(const QString &folder, const QStringList &tables)
{
    QDir().mkpath(folder);
    const QStringList wanted = tables.isEmpty() ? Schema::installedTables() : tables;
    const QString conn = QStringLiteral("gdvorn-create-%1").arg(quintptr(&wanted));
    // Make the files first, so that the connection can attach them.
    for (const QString &file : Schema::databaseFiles()) {
        const QString path = QDir(folder).filePath(Schema::fileName(file));
        if (QFileInfo::exists(path))
            continue;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), conn);
            db.setDatabaseName(path);
            if (!db.open())
                throwEngineError(db.lastError(), path);
            QSqlQuery q(db);
            q.exec(QStringLiteral("PRAGMA user_version = 1")); // writes the file header
            db.close();
        }
        QSqlDatabase::removeDatabase(conn);
    }
    openDatabase(folder, conn);
    try {
        for (const QString &name : wanted)
            createTable(Schema::require(name), conn);
    } catch (...) {
        closeDatabase(conn);
        throw;
    }
    closeDatabase(conn);
}

Transaction::Transaction(const QString &connection, Lock lock) : m_connection(connection)
{
    database(connection); // DatabaseError when the connection is not open
    // A savepoint on a transaction that the engine has ended would open a new one of its own.
    requireLiveTransaction(connection);
    m_instance = states()[connection].instance;
    const int depth = states()[connection].transactionDepth;
    if (depth > 0) {
        m_savepoint = QStringLiteral("gdvorn_%1").arg(depth);
        execSql(QStringLiteral("SAVEPOINT %1").arg(m_savepoint), connection);
    } else {
        execSql(lock == Exclusive ? QStringLiteral("BEGIN EXCLUSIVE") : QStringLiteral("BEGIN IMMEDIATE"), connection);
    }
    ++states()[connection].transactionDepth;
}

Transaction::~Transaction()
{
    if (m_done)
        return;
    // A connection closed (and perhaps opened again) since: the engine rolled back with the close.
    auto it = states().find(m_connection);
    if (it == states().end() || it->instance != m_instance)
        return;
    const bool lost = transactionLost(m_connection);
    ending();
    if (!lost) {
        QSqlQuery q(QSqlDatabase::database(m_connection, false));
        if (m_savepoint.isEmpty()) {
            q.exec(QStringLiteral("ROLLBACK"));
        } else {
            q.exec(QStringLiteral("ROLLBACK TO %1").arg(m_savepoint));
            q.exec(QStringLiteral("RELEASE %1").arg(m_savepoint));
        }
    }
    // Rows read during the transaction may be gone: every cursor must look again.
    ++it->version;
    ++g_changes;
}

void Transaction::ending()
{
    m_done = true;
    auto it = states().find(m_connection);
    if (it == states().end() || it->instance != m_instance)
        return;
    if (--it->transactionDepth == 0) {
        it->rolledBack = false;
        it->cause = nullptr;
    }
}

void Transaction::commit()
{
    if (m_done)
        return;
    auto it = states().find(m_connection);
    if (it == states().end() || it->instance != m_instance)
        throw DatabaseError(QStringLiteral("The connection %1 was closed during the transaction.").arg(m_connection));
    // The work of a transaction that the engine undid is not kept: the commit fails with the reason.
    requireLiveTransaction(m_connection);
    execSql(m_savepoint.isEmpty() ? QStringLiteral("COMMIT") : QStringLiteral("RELEASE %1").arg(m_savepoint),
            m_connection);
    ending();
}

} // namespace gdvorn
