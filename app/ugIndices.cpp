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

IndexTarget target(const QString &TabelaIndice, const QString &NomeIndice, const QString &Campos, TIndexOptions Opcoes)
{
    const QString tableName = TabelaIndice.left(TabelaIndice.indexOf(QLatin1Char('.'))).toLower();
    IndexTarget t;
    t.table = &Schema::require(tableName);
    t.index = IndexDef{NomeIndice, Campos.split(QLatin1Char(';'), Qt::SkipEmptyParts), (Opcoes & ixPrimary) != 0,
                       (Opcoes & ixCaseInsensitive) != 0};
    return t;
}

// Drops and builds the index on `db` inside an exclusive transaction. A table held by another user gives
// the "busy" warning; rows with duplicate keys an EngineError that names the table.
bool rebuild(QSqlDatabase db, const IndexTarget &t)
{
    QSqlQuery q(db);
    if (!q.exec(QStringLiteral("BEGIN EXCLUSIVE"))) {
        const QSqlError e = q.lastError();
        try {
            throwEngineError(e, t.table->name);
        } catch (const TableBusy &busy) {
            warn(QStringLiteral("Nenhum usuário pode estar usando o sistema: \"%1\"").arg(busy.message()));
        } catch (const EngineError &) {
            warn(QStringLiteral("Nenhum usuário pode estar usando o sistema!"));
        }
        return false;
    }
    try {
        const QString name = t.table->sqlIndexName(t.index);
        if (!q.exec(QStringLiteral("DROP INDEX IF EXISTS %1.%2").arg(quotedIdentifier(t.table->schemaName()), quotedIdentifier(name))))
            throwEngineError(q.lastError(), t.table->name);
        if (!q.exec(t.table->createIndexSql(t.index))) {
            const QSqlError e = q.lastError();
            try {
                throwEngineError(e, t.table->name);
            } catch (const KeyViolation &) {
                throw KeyViolation(QStringLiteral("A tabela %1 não pode ser indexada: há registros com a mesma chave "
                                                  "(índice %2: %3).")
                                       .arg(t.table->name.toUpper(), t.index.name, t.index.fields.join(QLatin1Char(';'))));
            }
        }
        if (!q.exec(QStringLiteral("COMMIT")))
            throwEngineError(q.lastError(), t.table->name);
    } catch (...) {
        QSqlQuery rollback(db);
        rollback.exec(QStringLiteral("ROLLBACK"));
        throw;
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
    static const QList<IndiceInstalado> list{
        {QStringLiteral("BD8EMP.PX"), QStringLiteral("Main"),
         QStringLiteral("AnBase;CoCgcCeiEstabelecimento;NuPrefixoEstabelecimento"), ixPrimary},
        {QStringLiteral("BD8VINC.PX"), QStringLiteral("Main"),
         QStringLiteral("AnBase;CoCgcCeiEstabelecimento;NuPrefixoEstabelecimento;CoPisPasepEmpregado;"
                        "DaAdmissaoEmpregado;NoEmpregado;NuSequencialRegistro;CoCgcVinculado;InInscrEstabelecimento;"
                        "DaDesligamentoEmpregado;CoCbo"),
         ixPrimary},
        {QStringLiteral("TB8BASE.PX"), QStringLiteral("Main"), QStringLiteral("MeDataBase"), ixPrimary},
        {QStringLiteral("TB8CBO.PX"), QStringLiteral("Main"), QStringLiteral("CoCbo"), ixPrimary},
        {QStringLiteral("TB8CNAE.PX"), QStringLiteral("Main"), QStringLiteral("CoCNAE"), ixPrimary},
        {QStringLiteral("TB8DESL.PX"), QStringLiteral("Main"), QStringLiteral("CoCausaDesligamento"), ixPrimary},
        {QStringLiteral("TB8FXCEP.PX"), QStringLiteral("Main"), QStringLiteral("CoMunicipio"), ixPrimary},
        {QStringLiteral("TB8INSTR.PX"), QStringLiteral("Main"), QStringLiteral("CoInstrucao"), ixPrimary},
        {QStringLiteral("TB8MSG.PX"), QStringLiteral("Main"), QStringLiteral("NuMensagem"), ixPrimary},
        {QStringLiteral("TB8MUNIC.PX"), QStringLiteral("Main"), QStringLiteral("CoMunicipio"), ixPrimary},
        {QStringLiteral("TB8NACIO.PX"), QStringLiteral("Main"), QStringLiteral("CoNacionalidade"), ixPrimary},
        {QStringLiteral("TB8RACA.PX"), QStringLiteral("Main"), QStringLiteral("CoRaca"), ixPrimary},
        {QStringLiteral("TB8TPADM.PX"), QStringLiteral("Main"), QStringLiteral("CoTipoAdmissao"), ixPrimary},
        {QStringLiteral("TB8TPSAL.PX"), QStringLiteral("Main"), QStringLiteral("CoTipoSalarioContratual"), ixPrimary},
        {QStringLiteral("TBUF.PX"), QStringLiteral("Main"), QStringLiteral("CoUF;SgUF"), ixPrimary},
        {QStringLiteral("TBUF.XG0"), QStringLiteral("ISgUf"), QStringLiteral("SgUF"), ixCaseInsensitive},
        {QStringLiteral("TB8VINC.PX"), QStringLiteral("Main"), QStringLiteral("CoVinculo"), ixPrimary},
        {QStringLiteral("TB8NATJU.PX"), QStringLiteral("Main"), QStringLiteral("CoNaturezaJuridica"), ixPrimary},
        {QStringLiteral("TB8AFAST.PX"), QStringLiteral("Main"), QStringLiteral("CoAfastamento"), ixPrimary},
        {QStringLiteral("tbEmpreg.PX"), QStringLiteral("Main"), QStringLiteral("CoCnpjEmpregador"), ixPrimary},
        {QStringLiteral("tbSindic.PX"), QStringLiteral("Main"), QStringLiteral("CoCnpjCentrSindical"), ixPrimary},
        {QStringLiteral("tbTrab.PX"), QStringLiteral("Main"), QStringLiteral("CoCnpjTrabalhadores"), ixPrimary},
        {QStringLiteral("tbDefi.PX"), QStringLiteral("Main"), QStringLiteral("CoTipoDeficiencia"), ixPrimary},
        {QStringLiteral("PISINDEV.PX"), QStringLiteral("Main"), QStringLiteral("CoPisPasep"), ixPrimary},
    };
    return list;
}

bool VerificaTabelas(const QString &dataFolder)
{
    const QDir dir(dataFolder);
    // 1. Every table file, in order; the first missing one ends the check before any index is touched.
    QString openFileName;
    bool complete = true;
    for (const QString &name : Schema::installedTables()) {
        const TableDef &t = Schema::require(name);
        const QString path = dir.filePath(Schema::fileName(t.file));
        if (path != openFileName) {
            if (!openFileName.isEmpty())
                closeFile(kIndexConnection);
            openFileName.clear();
            if (!openFile(kIndexConnection, path, 0).isOpen()) {
                closeFile(kIndexConnection);
                complete = false;
                break;
            }
            openFileName = path;
        }
        if (!schemaObjectExists(QSqlDatabase::database(kIndexConnection, false), QStringLiteral("main"),
                          QStringLiteral("table"), t.name)) {
            complete = false;
            break;
        }
    }
    if (!openFileName.isEmpty())
        closeFile(kIndexConnection);
    if (!complete)
        return false;

    // 2. Every missing index is re-created; a table held by another user is reported and left alone.
    for (const IndiceInstalado &i : IndicesInstalados()) {
        const IndexTarget t = target(i.TabelaIndice, i.NomeIndice, i.Campos, i.Opcoes);
        bool present = false;
        {
            QSqlDatabase db = openFile(kIndexConnection, dir.filePath(Schema::fileName(t.table->file)), 0);
            present = db.isOpen() && schemaObjectExists(db, QStringLiteral("main"), QStringLiteral("index"),
                                                  t.table->sqlIndexName(t.index));
        }
        closeFile(kIndexConnection);
        if (!present)
            RecriaIndice(dataFolder, i.TabelaIndice, i.NomeIndice, i.Campos, i.Opcoes);
    }
    return true;
}

bool RecriaIndice(const QString &dataFolder, const QString &TabelaIndice, const QString &NomeIndice,
                  const QString &Campos, TIndexOptions Opcoes)
{
    if (!hasPoint(TabelaIndice))
        return false;
    const IndexTarget t = target(TabelaIndice, NomeIndice, Campos, Opcoes);
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
                ok = rebuild(db, local);
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

bool RecriaIndiceExclusivo(const QString &, const QString &TabelaIndice, const QString &NomeIndice,
                           TIndexOptions Opcoes, const QString &Campos)
{
    if (!hasPoint(TabelaIndice))
        return false;
    return rebuild(database(kAlias), target(TabelaIndice, NomeIndice, Campos, Opcoes));
}

} // namespace gdvorn
