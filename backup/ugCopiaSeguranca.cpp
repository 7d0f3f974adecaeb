#include "backup/ugCopiaSeguranca.h"

#include "app/base/EngineError.h"
#include "app/base/Schema.h"
#include "app/udmEntradaDados.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QStorageInfo>
#include <QTemporaryDir>

#include <sqlite3.h>

#include <cerrno>
#include <csignal>
#include <memory>
#include <unistd.h>

namespace gdvorn {

namespace {

// The columns that the older tables lack; the restore adds them.
struct ColunaNova {
    const char *tabela;
    const char *coluna;
};
constexpr ColunaNova kColunasNovas[] = {
    {"bd8emp", "TxtCnae"},       {"bd8emp", "TxtNatJur"},      {"bd8vinc", "TxtCBO"},
    {"bd8vinc", "TxtVinculo"},   {"bd8vinc", "TxtAdmisao"},    {"bd8vinc", "TxtRaca"},
    {"bd8vinc", "TxtDesligamento"}, {"bd8vinc", "TxtInstrucao"}, {"bd8vinc", "TxtSalario"},
    {"bd8vinc", "TxtNacionalidade"},
};

struct FechaSqlite {
    void operator()(sqlite3 *db) const { sqlite3_close_v2(db); }
};
using Conexao = std::unique_ptr<sqlite3, FechaSqlite>;

// The first value of the first row of `sql`, or a null text when the statement fails.
QString primeiroValor(sqlite3 *db, const QString &sql, const QStringList &valores = {})
{
    sqlite3_stmt *st = nullptr;
    const QByteArray texto = sql.toUtf8();
    if (sqlite3_prepare_v2(db, texto.constData(), int(texto.size()), &st, nullptr) != SQLITE_OK) {
        sqlite3_finalize(st);
        return QString();
    }
    for (int i = 0; i < valores.size(); ++i) {
        const QByteArray v = valores[i].toUtf8();
        sqlite3_bind_text(st, i + 1, v.constData(), int(v.size()), SQLITE_TRANSIENT);
    }
    QString r;
    const int rc = sqlite3_step(st);
    if (rc == SQLITE_ROW)
        r = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
    else if (rc == SQLITE_DONE)
        r = QStringLiteral("");
    sqlite3_finalize(st);
    return r;
}

bool executa(sqlite3 *db, const QString &sql)
{
    return sqlite3_exec(db, sql.toUtf8().constData(), nullptr, nullptr, nullptr) == SQLITE_OK;
}

QStringList colunas(sqlite3 *db, const QString &tabela)
{
    QStringList r;
    sqlite3_stmt *st = nullptr;
    const QByteArray sql = QStringLiteral("PRAGMA table_info(%1)").arg(quotedIdentifier(tabela)).toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &st, nullptr) == SQLITE_OK)
        while (sqlite3_step(st) == SQLITE_ROW)
            r << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 1))).toLower();
    sqlite3_finalize(st);
    return r;
}

// The tables are copied into a folder of the system's temporary folder named after the process, which
// removes it on every way out; a process ended by force leaves it behind, with copies as large as the
// tables.
const QString kPastaCopia = QStringLiteral("gdvorn-copia-");

void removeCopiasAbandonadas()
{
    const QDir temporaria(QDir::tempPath());
    for (const QString &nome : temporaria.entryList({kPastaCopia + QLatin1Char('*')}, QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool numero = false;
        const qint64 processo = nome.mid(kPastaCopia.size()).section(QLatin1Char('-'), 0, 0).toLongLong(&numero);
        if (numero && processo > 0 && processo != ::getpid() && ::kill(pid_t(processo), 0) != 0 && errno == ESRCH)
            QDir(temporaria.filePath(nome)).removeRecursively();
    }
}

void anexa(const QString &connection, const QString &tabela, const QString &caminho)
{
    QSqlQuery q(database(connection));
    q.prepare(QStringLiteral("ATTACH DATABASE :path AS %1").arg(quotedIdentifier(tabela)));
    q.bindValue(QStringLiteral(":path"), caminho);
    if (!q.exec())
        throwEngineError(q.lastError(), caminho);
}

} // namespace

void FechaConsultasPermanentes()
{
    if (dmEntradaDados)
        for (Query *q : {&dmEntradaDados->quConVinculo, &dmEntradaDados->quContaEmpreg, &dmEntradaDados->quContaEstrang,
                         &dmEntradaDados->quBuscaEmpreg, &dmEntradaDados->quValidaEstab})
            q->Close();
}

QString TituloCopia(int anoBase) { return QStringLiteral("Vorn") + QString::number(anoBase); }

QString NomeCopiaPadrao(const QString &pastaDados, int anoBase)
{
    return QDir(pastaDados).filePath(TituloCopia(anoBase) + QStringLiteral("_backup.bkp"));
}

QString NomeCopiaSemAtualizacao(int anoBase) { return TituloCopia(anoBase) + QStringLiteral("_noupdate.bkp"); }

QStringList TabelasCopia() { return {QStringLiteral("bd8emp"), QStringLiteral("bd8vinc"), QStringLiteral("bd8resp")}; }

qint64 LimiteVolume(qint64 livre)
{
    constexpr qint64 kMaior = 2000000000;
    return livre <= kMaior ? livre - 20000 : kMaior;
}

qint64 EspacoDisco::livre(const QString &pasta) const
{
    const QStorageInfo info(pasta);
    if (!info.isValid() || !info.isReady())
        return -1;
    return info.bytesAvailable();
}

bool GravaCopia(TBackupFile &bk, const QString &arquivo, const QString &connection)
{
    sqlite3 *origem = sqliteHandle(connection);
    if (!sqlite3_get_autocommit(origem))
        throw DatabaseError(QStringLiteral("Há uma gravação em andamento: a cópia de segurança não pode ser feita agora."));
    removeCopiasAbandonadas();
    QTemporaryDir temporaria(QDir(QDir::tempPath()).filePath(kPastaCopia + QString::number(::getpid()) +
                                                             QStringLiteral("-XXXXXX")));
    if (!temporaria.isValid())
        throw EngineError(ErrOsAccessDenied, QStringLiteral("Cannot create %1").arg(temporaria.path()));
    QStringList mascaras;
    for (const QString &tabela : TabelasCopia()) {
        const QString destino = temporaria.filePath(Schema::fileName(tabela));
        sqlite3 *bruto = nullptr;
        const int rc = sqlite3_open_v2(destino.toUtf8().constData(), &bruto, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                                       nullptr);
        Conexao copia(bruto);
        if (rc != SQLITE_OK)
            throwSqliteError(bruto, destino);
        sqlite3_backup *b = sqlite3_backup_init(bruto, "main", origem, tabela.toUtf8().constData());
        if (!b)
            throwSqliteError(bruto, destino);
        sqlite3_backup_step(b, -1);
        if (sqlite3_backup_finish(b) != SQLITE_OK)
            throwSqliteError(bruto, destino);
        copia.reset();
        // The copy keeps the date of the table it copies.
        QFile f(destino);
        if (f.open(QIODevice::Append))
            f.setFileTime(QFileInfo(QDir(databaseFolder(connection)).filePath(Schema::fileName(tabela))).lastModified(),
                          QFileDevice::FileModificationTime);
        mascaras << temporaria.filePath(tabela + QStringLiteral(".*"));
    }
    return bk.Backup(mascaras, arquivo);
}

QString RestauracaoSegura::pastaTrabalho() const { return QDir(databaseFolder(m_connection)).filePath(QStringLiteral("Work")); }

void RestauracaoSegura::limpaTrabalho()
{
    QDir(pastaTrabalho()).removeRecursively();
}

bool RestauracaoSegura::confereTabela(const QString &arquivo, const QString &tabela, bool atualiza)
{
    const QString estranha = QStringLiteral("O arquivo %1 da cópia de segurança não é uma tabela do GDVORN.")
                                 .arg(QFileInfo(arquivo).fileName());
    sqlite3 *bruto = nullptr;
    const int rc = sqlite3_open_v2(arquivo.toUtf8().constData(), &bruto, SQLITE_OPEN_READWRITE, nullptr);
    Conexao db(bruto);
    if (rc != SQLITE_OK || primeiroValor(bruto, QStringLiteral("PRAGMA integrity_check")) != QLatin1String("ok") ||
        primeiroValor(bruto, QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ? COLLATE NOCASE"),
                      {tabela}) != QLatin1String("1")) {
        m_motivo = estranha;
        return false;
    }
    const TableDef &def = Schema::require(tabela);
    QStringList presentes = colunas(bruto, tabela);
    if (atualiza) {
        for (const ColunaNova &c : kColunasNovas) {
            const QString coluna = QLatin1String(c.coluna);
            if (tabela != QLatin1String(c.tabela) || presentes.contains(coluna.toLower()))
                continue;
            const FieldDef *f = def.field(coluna);
            if (!executa(bruto, QStringLiteral("ALTER TABLE %1 ADD COLUMN %2 VARCHAR(%3) NOT NULL DEFAULT ''")
                                    .arg(quotedIdentifier(tabela), quotedIdentifier(coluna))
                                    .arg(f ? f->width : 0))) {
                m_motivo = estranha;
                return false;
            }
            presentes << coluna.toLower();
        }
    }
    for (const FieldDef &f : def.fields) {
        if (!presentes.contains(f.name.toLower())) {
            m_motivo = QStringLiteral("A tabela %1 da cópia de segurança não tem o campo %2: ela não é desta versão do "
                                      "GDVORN.")
                           .arg(tabela.toUpper(), f.name);
            return false;
        }
    }
    // The indexes the program relies on; rows with duplicate keys make the table unusable.
    TableDef local = def;
    local.file = QStringLiteral("trabalho");
    for (const IndexDef &i : local.indexes) {
        if (primeiroValor(bruto, QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'index' AND name = ? COLLATE NOCASE"),
                          {local.sqlIndexName(i)}) == QLatin1String("1"))
            continue;
        if (!executa(bruto, local.createIndexSql(i))) {
            m_motivo = QStringLiteral("A tabela %1 da cópia de segurança tem registros com a mesma chave.").arg(tabela.toUpper());
            return false;
        }
    }
    return true;
}

bool RestauracaoSegura::troca()
{
    const QDir dados(databaseFolder(m_connection));
    const QDir trabalho(pastaTrabalho());
    const QStringList tabelas = TabelasCopia();
    if (!sqlite3_get_autocommit(sqliteHandle(m_connection))) {
        m_motivo = QStringLiteral("Há uma gravação em andamento.");
        return false;
    }
    FechaConsultasPermanentes();
    QStringList soltas;
    auto reanexa = [&] {
        for (const QString &t : soltas)
            anexa(m_connection, t, dados.filePath(Schema::fileName(t)));
        soltas.clear();
    };
    for (const QString &t : tabelas) {
        QSqlQuery q(database(m_connection));
        if (!q.exec(QStringLiteral("DETACH DATABASE %1").arg(quotedIdentifier(t)))) {
            m_motivo = QStringLiteral("As tabelas estão em uso (%1).").arg(q.lastError().databaseText());
            reanexa();
            return false;
        }
        soltas << t;
    }
    QStringList arquivos;
    for (const QString &t : tabelas)
        arquivos << Schema::fileName(t);
    TrocaTabelas troca(dados.path(), arquivos, *this);
    if (!troca.coloca(trabalho.path())) {
        m_motivo = troca.motivo();
        reanexa();
        return false;
    }
    const auto desfaz = [&] {
        for (const QString &t : tabelas) {
            QSqlQuery q(database(m_connection));
            q.exec(QStringLiteral("DETACH DATABASE %1").arg(quotedIdentifier(t)));
        }
        troca.desfaz();
        soltas = tabelas;
        reanexa();
    };
    try {
        reanexa();
    } catch (const EngineError &e) {
        // The new files would not attach: the old ones go back and are attached again.
        m_motivo = e.message();
        desfaz();
        return false;
    }
    if (!troca.confirma()) {
        m_motivo = troca.motivo();
        desfaz();
        return false;
    }
    noteDataChanged(m_connection);
    return true;
}

RestauracaoSegura::Resultado RestauracaoSegura::Restaura(TBackupFile &bk, const QString &arquivo, int anoBase)
{
    m_motivo.clear();
    limpaTrabalho();
    QDir().mkpath(pastaTrabalho());
    struct Limpa {
        RestauracaoSegura *r;
        ~Limpa() { r->limpaTrabalho(); }
    } limpa{this};
    if (!bk.Restore(arquivo, pastaTrabalho()))
        return NaoRestaurada;
    const bool atualiza = QFileInfo(arquivo).fileName() != NomeCopiaSemAtualizacao(anoBase);
    for (const QString &t : TabelasCopia()) {
        const QString caminho = QDir(pastaTrabalho()).filePath(Schema::fileName(t));
        if (!QFileInfo::exists(caminho)) {
            m_motivo = QStringLiteral("A cópia de segurança não contém a tabela %1 do GDVORN.").arg(t.toUpper());
            return TabelasEstranhas;
        }
        if (!confereTabela(caminho, t, atualiza))
            return TabelasEstranhas;
    }
    return troca() ? Restaurada : TrocaFalhou;
}

} // namespace gdvorn
