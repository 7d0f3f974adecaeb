#include "app/ugIndices.h"

#include "app/base/Database.h"
#include "app/base/EngineError.h"
#include "app/base/Presenter.h"
#include "app/base/Schema.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace gdvorn {

namespace {

const QString kIndexConnection = QStringLiteral("gdvorn-indices");

void warn(const QString &text) { presenter().show(MessageKind::Warning, text, {MessageButton::Ok}); }

// Opens `path` on its own connection, without creating it.
QSqlDatabase openFile(const QString &connection, const QString &path, int busyTimeoutMs)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=%1").arg(busyTimeoutMs));
    if (!QFileInfo::exists(path) || !db.open())
        return QSqlDatabase();
    return db;
}

// A file that is there but cannot be read as a table file. Reinstalling would not help (it keeps the
// user's files), so the message names the file and what is wrong with it.
[[noreturn]] void arquivoComProblema(const QString &path, const EngineError &e)
{
    const QString arquivo = QDir::toNativeSeparators(path);
    QString motivo = e.entries().isEmpty() ? QString() : e.entries().last().message.section(QLatin1Char('\n'), 0, 0);
    if (dynamic_cast<const DamagedFile *>(&e))
        throw DamagedFile(e.code(), QStringLiteral("O arquivo %1 está danificado (%2).\nRestaure a cópia de segurança "
                                                   "mais recente dos dados: instalar o GDVORN novamente não substitui "
                                                   "este arquivo.")
                                        .arg(arquivo, motivo));
    if (dynamic_cast<const TableBusy *>(&e))
        throw TableBusy(QStringLiteral("O arquivo %1 está em uso por outro programa (%2).\nFeche o outro programa e "
                                       "inicie o GDVORN novamente.")
                            .arg(arquivo, motivo));
    if (!QFileInfo(path).isReadable())
        throw EngineError(ErrOsAccessDenied, QStringLiteral("O arquivo %1 não pode ser lido: o usuário não tem "
                                                            "permissão de acesso a ele.")
                                                 .arg(arquivo));
    // The engine takes paths of at most 512 bytes.
    if (path.toUtf8().size() >= 490)
        throw EngineError(e.code(), QStringLiteral("O arquivo %1 não pode ser aberto: o caminho da pasta do programa é "
                                                   "longo demais (%2 caracteres). Instale o GDVORN numa pasta de caminho "
                                                   "mais curto.")
                                        .arg(arquivo)
                                        .arg(path.size()));
    throw EngineError(e.code(), QStringLiteral("O arquivo %1 não pode ser aberto (%2).").arg(arquivo, motivo));
}

// Opens a table file that exists for the check: a file that cannot be read as one is an error that names
// it; an emptied file is a damaged one.
QSqlDatabase openTableFile(const QString &connection, const QString &path)
{
    if (QFileInfo(path).size() == 0)
        arquivoComProblema(path, DamagedFile(ErrNotADatabase, QStringLiteral("o arquivo está vazio")));
    QSqlDatabase db = openFile(connection, path, 0);
    if (!db.isOpen()) {
        const QSqlError e = QSqlDatabase::database(connection, false).lastError();
        try {
            throwEngineError(e.isValid() ? e : QSqlError(QString(), QStringLiteral("unable to open database file"),
                                                         QSqlError::ConnectionError, QStringLiteral("14")),
                             path);
        } catch (const EngineError &engine) {
            arquivoComProblema(path, engine);
        }
    }
    return db;
}

// Whether `path` holds the object; an engine error (the file damaged, locked, unreadable) names the file.
bool objetoExiste(const QString &path, const QString &type, const QString &name)
{
    try {
        return schemaObjectExists(QSqlDatabase::database(kIndexConnection, false), QStringLiteral("main"), type, name);
    } catch (const EngineError &e) {
        arquivoComProblema(path, e);
    }
}

void closeFile(const QString &connection)
{
    {
        QSqlDatabase db = QSqlDatabase::database(connection, false);
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}

struct IndexTarget {
    const TableDef *table = nullptr;
    IndexDef index;
};

// The index that an index file names, as the catalogue defines it: the repair builds a key on the fields
// the cursors order by, whatever the caller passes.
IndexTarget target(const QString &TabelaIndice, const QString &NomeIndice)
{
    const QString tableName = TabelaIndice.left(TabelaIndice.indexOf(QLatin1Char('.'))).toLower();
    IndexTarget t;
    t.table = &Schema::require(tableName);
    const IndexDef *index = t.table->index(NomeIndice);
    if (!index)
        throw EngineError(ErrIndexMissing,
                          QStringLiteral("Index does not exist.\nIndex: %1\nTable: %2").arg(NomeIndice, t.table->name));
    t.index = *index;
    return t;
}

// Drops and builds the index on `connection` inside an exclusive transaction (a savepoint of the one
// already open). A table held by another user gives the "busy" warning; rows with duplicate keys an
// EngineError that names the table.
bool rebuild(const QString &connection, const IndexTarget &t)
{
    try {
        Transaction transacao(connection, Transaction::Exclusive);
        const QString name = t.table->sqlIndexName(t.index);
        execSql(QStringLiteral("DROP INDEX IF EXISTS %1.%2").arg(quotedIdentifier(t.table->schemaName()), quotedIdentifier(name)),
                connection);
        try {
            execSql(t.table->createIndexSql(t.index), connection);
        } catch (const KeyViolation &) {
            throw KeyViolation(QStringLiteral("A tabela %1 não pode ser indexada: há registros com a mesma chave "
                                              "(índice %2: %3).")
                                   .arg(t.table->name.toUpper(), t.index.name, t.index.fields.join(QLatin1Char(';'))));
        }
        transacao.commit();
    } catch (const TableBusy &busy) {
        warn(QStringLiteral("Nenhum usuário pode estar usando o sistema: \"%1\"").arg(busy.message()));
        return false;
    } catch (const EngineError &e) {
        if (e.code() != ErrOsAccessDenied)
            throw;
        // The file cannot be written: its index cannot be replaced.
        warn(QStringLiteral("Nenhum usuário pode estar usando o sistema!"));
        return false;
    }
    return true;
}

bool hasPoint(const QString &TabelaIndice)
{
    if (TabelaIndice.contains(QLatin1Char('.')))
        return true;
    warn(QStringLiteral("Parâmetro TabelaIndice deve conter nome da Tabela.indice"));
    return false;
}

} // namespace

const QList<IndiceInstalado> &IndicesInstalados()
{
    static const QList<IndiceInstalado> list = [] {
        // The order in which the start-up check looks at them; the indexes themselves are the catalogue's.
        const QStringList tabelas{
            QStringLiteral("BD8EMP"),   QStringLiteral("BD8VINC"),  QStringLiteral("TB8BASE"),  QStringLiteral("TB8CBO"),
            QStringLiteral("TB8CNAE"),  QStringLiteral("TB8DESL"),  QStringLiteral("TB8FXCEP"), QStringLiteral("TB8INSTR"),
            QStringLiteral("TB8MSG"),   QStringLiteral("TB8MUNIC"), QStringLiteral("TB8NACIO"), QStringLiteral("TB8RACA"),
            QStringLiteral("TB8TPADM"), QStringLiteral("TB8TPSAL"), QStringLiteral("TBUF"),     QStringLiteral("TB8VINC"),
            QStringLiteral("TB8NATJU"), QStringLiteral("TB8AFAST"), QStringLiteral("tbEmpreg"), QStringLiteral("tbSindic"),
            QStringLiteral("tbTrab"),   QStringLiteral("tbDefi"),   QStringLiteral("PISINDEV")};
        QList<IndiceInstalado> indices;
        for (const QString &tabela : tabelas) {
            int secundario = 0;
            for (const IndexDef &i : Schema::require(tabela).indexes) {
                const QString extensao = i.primary ? QStringLiteral("PX") : QStringLiteral("XG%1").arg(secundario++);
                indices << IndiceInstalado{tabela + QLatin1Char('.') + extensao, i.name, i.fields.join(QLatin1Char(';')),
                                           (i.primary ? ixPrimary : 0) | (i.caseInsensitive ? ixCaseInsensitive : 0)};
            }
        }
        return indices;
    }();
    return list;
}

bool VerificaTabelas(const QString &dataFolder)
{
    const QDir dir(dataFolder);
    // 1. Every table file, in order; the first missing one ends the check before any index is touched.
    // A file that is there but cannot be read is not a missing one: it is an error that names the file.
    QString openFileName;
    bool complete = true;
    try {
        for (const QString &name : Schema::installedTables()) {
            const TableDef &t = Schema::require(name);
            const QString path = dir.filePath(Schema::fileName(t.file));
            if (path != openFileName) {
                if (!openFileName.isEmpty())
                    closeFile(kIndexConnection);
                openFileName.clear();
                if (!QFileInfo::exists(path)) {
                    complete = false;
                    break;
                }
                openFileName = path;
                openTableFile(kIndexConnection, path);
            }
            if (!objetoExiste(path, QStringLiteral("table"), t.name)) {
                complete = false;
                break;
            }
        }
    } catch (...) {
        closeFile(kIndexConnection);
        throw;
    }
    if (!openFileName.isEmpty())
        closeFile(kIndexConnection);
    if (!complete)
        return false;

    // 2. Every missing index is re-created; a table held by another user is reported and left alone.
    for (const IndiceInstalado &i : IndicesInstalados()) {
        const IndexTarget t = target(i.TabelaIndice, i.NomeIndice);
        bool present = false;
        const QString path = dir.filePath(Schema::fileName(t.table->file));
        try {
            openTableFile(kIndexConnection, path);
            present = objetoExiste(path, QStringLiteral("index"), t.table->sqlIndexName(t.index));
        } catch (...) {
            closeFile(kIndexConnection);
            throw;
        }
        closeFile(kIndexConnection);
        if (!present)
            RecriaIndice(dataFolder, i.TabelaIndice, i.NomeIndice, i.Campos, i.Opcoes);
    }
    return true;
}

bool RecriaIndice(const QString &dataFolder, const QString &TabelaIndice, const QString &NomeIndice,
                  const QString &, TIndexOptions)
{
    if (!hasPoint(TabelaIndice))
        return false;
    const IndexTarget t = target(TabelaIndice, NomeIndice);
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kIndexConnection);
        db.setDatabaseName(QDir(dataFolder).filePath(Schema::fileName(t.table->file)));
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=0"));
        if (!QFileInfo::exists(db.databaseName()) || !db.open()) {
            warn(QStringLiteral("Nenhum usuário pode estar usando o sistema"));
        } else {
            // The table lives in the connection's main file here.
            IndexTarget local = t;
            TableDef copy = *t.table;
            copy.file = QStringLiteral("trabalho");
            local.table = &copy;
            try {
                ok = rebuild(kIndexConnection, local);
            } catch (...) {
                db.close();
                db = QSqlDatabase();
                QSqlDatabase::removeDatabase(kIndexConnection);
                throw;
            }
        }
    }
    closeFile(kIndexConnection);
    return ok;
}

bool RecriaIndiceExclusivo(const QString &NomeBanco, const QString &TabelaIndice, const QString &NomeIndice,
                           TIndexOptions, const QString &)
{
    if (!hasPoint(TabelaIndice))
        return false;
    if (!isDatabaseOpen(NomeBanco))
        throw EngineError(ErrUnknownDatabase, QStringLiteral("%1\nDatabase: %2").arg(engineCodeText(ErrUnknownDatabase), NomeBanco));
    return rebuild(NomeBanco, target(TabelaIndice, NomeIndice));
}

} // namespace gdvorn
