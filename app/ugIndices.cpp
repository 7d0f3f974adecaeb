#include "app/ugIndices.h"

#include "app/base/Database.h"
#include "app/base/DurableFile.h"
#include "app/base/EngineError.h"
#include "app/base/Presenter.h"
#include "app/base/Schema.h"
#include "app/ugExcecao.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>

#include <cstdio>

namespace gdvorn {

namespace {

const QString kIndexConnection = QStringLiteral("gdvorn-indices");
const QString kRebuildConnection = QStringLiteral("gdvorn-reconstrucao");

void warn(const QString &text) { presenter().show(MessageKind::Warning, text, {MessageButton::Ok}); }

// Opens `path` on its own connection, without creating it.
QSqlDatabase openFile(const QString &connection, const QString &path, int busyTimeoutMs, bool readOnly = true)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("%1QSQLITE_BUSY_TIMEOUT=%2")
                             .arg(readOnly ? QStringLiteral("QSQLITE_OPEN_READONLY;") : QString())
                             .arg(busyTimeoutMs));
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
        throw DamagedFile(e.code(), TextoArquivoDanificado(path, motivo));
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
// it; an emptied file is a damaged one, unless `vazioNormal` (a file that may hold no page yet).
QSqlDatabase openTableFile(const QString &connection, const QString &path, bool readOnly = true, bool vazioNormal = false)
{
    if (!vazioNormal && QFileInfo(path).size() == 0)
        arquivoComProblema(path, DamagedFile(ErrNotADatabase, QStringLiteral("o arquivo está vazio")));
    QSqlDatabase db = openFile(connection, path, 0, readOnly);
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

// The path of a database file of the folder.
QString filePath(const QDir &dir, const QString &file) { return dir.filePath(Schema::fileName(file)); }

// A run killed in the middle of a write leaves a journal beside the file it wrote. Opened for writing,
// the engine rolls such a journal back at the first read (a read-only connection cannot, and fails).
// The work file is the one file made by the program itself: a run killed before its first page reached
// the disk leaves it empty beside its journal, and the engine then drops the journal, which holds nothing
// to put back.
void recuperaDiarios(const QDir &dir)
{
    for (const QString &file : Schema::databaseFiles()) {
        const QString path = filePath(dir, file);
        if (!QFileInfo::exists(path) || !QFileInfo::exists(path + QStringLiteral("-journal")))
            continue;
        try {
            QSqlDatabase db = openTableFile(kIndexConnection, path, false, file == QLatin1String("trabalho"));
            QSqlQuery q(db);
            if (!q.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))) {
                const QSqlError erro = q.lastError();
                try {
                    throwEngineError(erro, path);
                } catch (const EngineError &e) {
                    arquivoComProblema(path, e);
                }
            }
        } catch (...) {
            closeFile(kIndexConnection);
            throw;
        }
        closeFile(kIndexConnection);
    }
}

// The engine's quick check of `schema` on `connection`: "" when the file is whole, otherwise what is wrong.
QString verificacaoRapida(const QSqlDatabase &db, const QString &schema)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("PRAGMA %1.quick_check(1)").arg(quotedIdentifier(schema))))
        return q.lastError().databaseText().isEmpty() ? QStringLiteral("o arquivo não pode ser lido")
                                                      : q.lastError().databaseText();
    const QString r = q.next() ? q.value(0).toString() : QString();
    if (r == QLatin1String("ok"))
        return QString();
    // The engine heads its findings with the schema's name ("*** in database main ***").
    for (const QString &linha : r.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (!linha.startsWith(QLatin1String("***")))
            return QStringLiteral("páginas ilegíveis: %1").arg(linha.trimmed());
    return QStringLiteral("páginas ilegíveis");
}

// Builds a damaged declaration file again from the rows of its tables: a new file beside it gets the
// catalogue's tables, every row read from the old tables (straight from the tables, never through an
// index), then the indexes; it replaces the old file once the counts agree and the engine finds it
// whole. Tables that cannot be read whole make the file a damaged one (DamagedFile naming it), and the
// old file stays as it was.
void reconstroi(const QString &path, const QString &file, const QString &problema)
{
    const QString novo = path + QStringLiteral(".reconstrucao");
    QFile::remove(novo);
    QFile::remove(novo + QStringLiteral("-journal"));
    bool feito = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), kRebuildConnection);
        db.setDatabaseName(novo);
        if (db.open()) {
            try {
                QSqlQuery anexa(db);
                anexa.prepare(QStringLiteral("ATTACH DATABASE :path AS danificado"));
                anexa.bindValue(QStringLiteral(":path"), path);
                if (!anexa.exec())
                    throwEngineError(anexa.lastError(), path);
                execSql(QStringLiteral("BEGIN"), kRebuildConnection);
                for (const TableDef &def : Schema::tables()) {
                    if (def.file != file)
                        continue;
                    TableDef local = def;
                    local.file = QStringLiteral("trabalho"); // the new file is the connection's main one
                    execSql(local.createTableSql(), kRebuildConnection);
                    QSet<QString> presentes;
                    QSqlQuery info(db);
                    if (!info.exec(QStringLiteral("PRAGMA danificado.table_info(%1)").arg(quotedIdentifier(def.name))))
                        throwEngineError(info.lastError(), path);
                    while (info.next())
                        presentes.insert(info.value(1).toString().toLower());
                    QStringList campos;
                    for (const FieldDef &f : def.fields)
                        if (presentes.contains(f.name.toLower()))
                            campos << quotedIdentifier(f.name);
                    const QString origem = QStringLiteral("danificado.%1 NOT INDEXED").arg(quotedIdentifier(def.name));
                    execSql(QStringLiteral("INSERT INTO main.%1 (%2) SELECT %2 FROM %3")
                                .arg(quotedIdentifier(def.name), campos.join(QLatin1Char(',')), origem),
                            kRebuildConnection);
                    QSqlQuery conta(db);
                    if (!conta.exec(QStringLiteral("SELECT (SELECT count(*) FROM %1), (SELECT count(*) FROM main.%2)")
                                        .arg(origem, quotedIdentifier(def.name))) ||
                        !conta.next())
                        throwEngineError(conta.lastError(), path);
                    if (conta.value(0).toLongLong() != conta.value(1).toLongLong())
                        throw DamagedFile(ErrDamagedFile, problema);
                    for (const IndexDef &i : def.indexes)
                        execSql(local.createIndexSql(i), kRebuildConnection);
                }
                execSql(QStringLiteral("COMMIT"), kRebuildConnection);
                QSqlQuery(db).exec(QStringLiteral("DETACH DATABASE danificado"));
                feito = verificacaoRapida(db, QStringLiteral("main")).isEmpty();
            } catch (const std::exception &) {
                feito = false;
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(kRebuildConnection);
    if (feito) {
        QFile::setPermissions(novo, QFile::permissions(path));
        // The rebuilt file was synced by its commit; the folder is synced so that its new name survives too.
        feito = std::rename(QFile::encodeName(novo).constData(), QFile::encodeName(path).constData()) == 0;
        if (feito)
            syncFolder(QFileInfo(path).absolutePath());
    }
    if (!feito) {
        QFile::remove(novo);
        QFile::remove(novo + QStringLiteral("-journal"));
        arquivoComProblema(path, DamagedFile(ErrDamagedFile, problema));
    }
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

QStringList ArquivosVerificados()
{
    return {QStringLiteral("bd8emp"), QStringLiteral("bd8vinc"), QStringLiteral("bd8resp")};
}

QString LocalSemGravacao(const QString &dataFolder)
{
    const QDir dir(dataFolder);
    if (!dir.exists())
        return QString();
    QTemporaryFile sonda(dir.filePath(QStringLiteral(".gdvorn-XXXXXX")));
    if (!sonda.open())
        return dir.absolutePath();
    for (const QString &file : Schema::databaseFiles()) {
        const QString path = filePath(dir, file);
        if (file == QLatin1String("tabelas") || !QFileInfo::exists(path))
            continue;
        // A file that cannot even be read is told so by the table check.
        if (!QFile(path).open(QIODevice::ReadWrite) && QFile(path).open(QIODevice::ReadOnly))
            return path;
    }
    return QString();
}

QString ArquivoDanificado(const QString &connection)
{
    try {
        const QSqlDatabase db = database(connection);
        const QDir dir(databaseFolder(connection));
        for (const QString &file : Schema::databaseFiles()) {
            const QString schema = file == QLatin1String("trabalho") ? QStringLiteral("main") : file;
            if (!verificacaoRapida(db, schema).isEmpty())
                return filePath(dir, file);
        }
    } catch (const std::exception &) {
    }
    return QString();
}

bool VerificaTabelas(const QString &dataFolder)
{
    const QDir dir(dataFolder);
    // 1. The folder and the files that the program writes.
    const QString semGravacao = LocalSemGravacao(dataFolder);
    if (!semGravacao.isEmpty())
        throw EngineError(ErrOsAccessDenied, TextoSemGravacao(semGravacao));
    // 2. What a killed run left half-written is rolled back.
    recuperaDiarios(dir);

    // 3. Every table file, in order; the first missing one ends the check before any index is touched.
    // A file that is there but cannot be read is not a missing one: it is an error that names the file.
    // The declaration files get the quick check on the way.
    QString openFileName;
    QList<std::pair<QString, QString>> danificados; // file, what is wrong
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
            if (ArquivosVerificados().contains(t.file)) {
                const QString problema = verificacaoRapida(QSqlDatabase::database(kIndexConnection, false), QStringLiteral("main"));
                if (!problema.isEmpty())
                    danificados << std::pair{t.file, problema};
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

    // 4. A damaged declaration file is built again from its tables, or named.
    for (const auto &[file, problema] : danificados)
        reconstroi(filePath(dir, file), file, problema);

    // 5. Every missing index is re-created; a table held by another user is reported and left alone.
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
