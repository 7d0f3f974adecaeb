#include "backup/ugCopiaSeguranca.h"

#include "app/base/Database.h"
#include "app/base/EngineError.h"
#include "app/base/Schema.h"
#include "app/base/Table.h"
#include "ScriptedPresenter.h"
#include "Estabelecimentos.h"
#include "TestData.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>

using namespace gdvorn;
using namespace gdvorn::test;

namespace {

const QStringList kDezColunas{"TxtCnae", "TxtNatJur", "TxtCBO", "TxtVinculo", "TxtAdmisao", "TxtRaca",
                              "TxtDesligamento", "TxtInstrucao", "TxtSalario", "TxtNacionalidade"};

QByteArray bytes(const QString &nome)
{
    QFile f(nome);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// A table file of `tabela` with the catalogue's fields but `sem`.
void criaTabela(const QString &caminho, const QString &tabela, const QStringList &sem = {})
{
    TableDef def = Schema::require(tabela);
    def.file = QStringLiteral("trabalho");
    def.fields.erase(std::remove_if(def.fields.begin(), def.fields.end(),
                                    [&](const FieldDef &f) { return sem.contains(f.name, Qt::CaseInsensitive); }),
                     def.fields.end());
    sqlite3 *db = nullptr;
    QCOMPARE(sqlite3_open(caminho.toUtf8().constData(), &db), SQLITE_OK);
    QCOMPARE(sqlite3_exec(db, def.createTableSql().toUtf8().constData(), nullptr, nullptr, nullptr), SQLITE_OK);
    sqlite3_close(db);
}

// An archive of the files of `pasta` titled as ours.
QString arquiva(const QString &pasta, const QString &arquivo)
{
    TBackupFile bk;
    bk.BackupTitle = TituloCopia(2010);
    if (!bk.Backup({QDir(pasta).filePath(QStringLiteral("*"))}, arquivo))
        return QString();
    return arquivo;
}

// Fails the moves of the new files into the data folder from the `falhaEm`-th on.
class RestauracaoQueFalha : public RestauracaoSegura {
public:
    int falhaEm = 3;
    int colocadas = 0;

protected:
    bool renomeia(const QString &de, const QString &para) override
    {
        if (de.contains(QLatin1String("/Work/")) && ++colocadas >= falhaEm)
            return false;
        return RestauracaoSegura::renomeia(de, para);
    }
};

} // namespace

class tst_ugCopiaSeguranca : public QObject {
    Q_OBJECT
private slots:
    void limiteVolume_data();
    void limiteVolume();
    void copiaERestaura();
    void recusaTabelasEstranhas_data();
    void recusaTabelasEstranhas();
    void atualizaTabelasAntigas();
    void falhaNaTrocaNadaMuda_data();
    void falhaNaTrocaNadaMuda();
    void copiaRecusadaComGravacaoEmAndamento();
};

void tst_ugCopiaSeguranca::limiteVolume_data()
{
    QTest::addColumn<qint64>("livre");
    QTest::addColumn<qint64>("limite");
    QTest::newRow("10 MB") << qint64(10000000) << qint64(9980000);
    QTest::newRow("5 GB") << qint64(5000000000) << qint64(2000000000);
    QTest::newRow("2 GB exatos") << qint64(2000000000) << qint64(1999980000);
    QTest::newRow("pouco") << qint64(15000) << qint64(-5000);
}

void tst_ugCopiaSeguranca::limiteVolume()
{
    QFETCH(qint64, livre);
    QFETCH(qint64, limite);
    QCOMPARE(LimiteVolume(livre), limite);
    // Below 36,484 free bytes no block fits in a volume.
    QVERIFY(LimiteVolume(36483) < kMenorVolume);
}

void tst_ugCopiaSeguranca::copiaERestaura()
{
    TempDataFolder dados;
    insereEstab("11222333000181", "PADARIA ANTIGA");
    insereEstab("44555666000100", "OFICINA");
    QTemporaryDir dir;
    const QString arquivo = dir.filePath("Vorn2010_backup.bkp");
    TBackupFile bk;
    bk.BackupTitle = TituloCopia(2010);
    QVERIFY(GravaCopia(bk, arquivo));
    // A cursor of the data modules stays open across the restore.
    Table cursor(QStringLiteral("bd8emp"));
    cursor.Open();
    cursor.First();

    QSqlQuery q(database());
    QVERIFY(q.exec("UPDATE bd8emp.bd8emp SET NoRazaoEstabelecimento = 'MUDOU' WHERE CoCgcCeiEstabelecimento = '11222333000181'"));
    QVERIFY(q.exec("DELETE FROM bd8emp.bd8emp WHERE CoCgcCeiEstabelecimento = '44555666000100'"));
    insereEstab("99888777000166", "NOVO");

    RestauracaoSegura r;
    TBackupFile rb;
    QCOMPARE(r.Restaura(rb, arquivo, 2010), RestauracaoSegura::Restaurada);
    QCOMPARE(estabs(), (QStringList{"11222333000181 PADARIA ANTIGA", "44555666000100 OFICINA"}));
    cursor.First();
    QCOMPARE(cursor.FieldByName("NoRazaoEstabelecimento").AsString(), QStringLiteral("PADARIA ANTIGA"));
    cursor.Next();
    QCOMPARE(cursor.FieldByName("NoRazaoEstabelecimento").AsString(), QStringLiteral("OFICINA"));
    QVERIFY(!QFileInfo::exists(dados.file("Work")));
    QCOMPARE(QDir(dados.path()).entryList({"*.anterior"}, QDir::Files), QStringList());
    // The connection writes the restored tables.
    insereEstab("12345678000195", "DEPOIS");
    QCOMPARE(estabs().size(), 3);
}

void tst_ugCopiaSeguranca::recusaTabelasEstranhas_data()
{
    QTest::addColumn<QString>("caso");
    QTest::newRow("arquivos de outro programa") << "paradox";
    QTest::newRow("falta uma tabela") << "falta";
    QTest::newRow("tabela sem campo") << "campo";
    QTest::newRow("sem atualizacao e sem as colunas novas") << "noupdate";
    QTest::newRow("chaves repetidas") << "chaves";
}

void tst_ugCopiaSeguranca::recusaTabelasEstranhas()
{
    QFETCH(QString, caso);
    TempDataFolder dados;
    insereEstab("11222333000181", "PADARIA");
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("t"));
    QString nome = QStringLiteral("Vorn2010_backup.bkp");
    for (const QString &t : TabelasCopia()) {
        const QString caminho = dir.filePath("t/" + t + ".db");
        if (caso == "paradox") {
            QFile f(caminho);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(QByteArray(4096, '\x02'));
        } else if (caso == "falta" && t == "bd8resp")
            continue;
        else if (caso == "campo" && t == "bd8vinc")
            criaTabela(caminho, t, {"NoEmpregado"});
        else if (caso == "noupdate")
            criaTabela(caminho, t, kDezColunas);
        else
            criaTabela(caminho, t);
    }
    if (caso == "paradox")
        QFile(dir.filePath("t/bd8emp.px")).open(QIODevice::WriteOnly);
    if (caso == "noupdate")
        nome = NomeCopiaSemAtualizacao(2010);
    if (caso == "chaves") {
        sqlite3 *db = nullptr;
        sqlite3_open(dir.filePath("t/bd8emp.db").toUtf8().constData(), &db);
        const char *sql = "INSERT INTO bd8emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento) VALUES "
                          "('2010', '1', '00'), ('2010', '1', '00')";
        QCOMPARE(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
    const QString arquivo = arquiva(dir.filePath("t"), dir.filePath(nome));
    QVERIFY(!arquivo.isEmpty());
    dados.close();
    QMap<QString, QByteArray> antes;
    for (const QString &t : TabelasCopia())
        antes[t] = bytes(dados.file(t + ".db"));
    openDatabase(dados.path());

    RestauracaoSegura r;
    TBackupFile bk;
    QCOMPARE(r.Restaura(bk, arquivo, 2010), RestauracaoSegura::TabelasEstranhas);
    QVERIFY(!r.motivo().isEmpty());
    QCOMPARE(estabs(), QStringList{"11222333000181 PADARIA"});
    closeDatabase();
    for (const QString &t : TabelasCopia())
        QVERIFY2(bytes(dados.file(t + ".db")) == antes[t], qPrintable(t));
    QVERIFY(!QFileInfo::exists(dados.file("Work")));
}

void tst_ugCopiaSeguranca::atualizaTabelasAntigas()
{
    TempDataFolder dados;
    QTemporaryDir dir;
    QDir().mkpath(dir.filePath("t"));
    for (const QString &t : TabelasCopia())
        criaTabela(dir.filePath("t/" + t + ".db"), t, kDezColunas);
    const QString arquivo = arquiva(dir.filePath("t"), dir.filePath("Vorn2010_backup.bkp"));
    RestauracaoSegura r;
    TBackupFile bk;
    QCOMPARE(r.Restaura(bk, arquivo, 2010), RestauracaoSegura::Restaurada);
    QSqlQuery q(database());
    QVERIFY(q.exec("SELECT TxtCnae, TxtNatJur FROM bd8emp.bd8emp"));
    QVERIFY(q.exec("SELECT TxtCBO, TxtVinculo, TxtAdmisao, TxtRaca, TxtDesligamento, TxtInstrucao, TxtSalario, "
                   "TxtNacionalidade FROM bd8vinc.bd8vinc"));
    // The indexes of the catalogue are there: a second row of the same key is refused.
    insereEstab("11222333000181", "A");
    q.prepare("INSERT INTO bd8emp.bd8emp (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento) VALUES ('2010', '11222333000181', '00')");
    QVERIFY(!q.exec());
}

void tst_ugCopiaSeguranca::falhaNaTrocaNadaMuda_data()
{
    QTest::addColumn<int>("falhaEm");
    QTest::newRow("primeira") << 1;
    QTest::newRow("ultima") << 3;
}

void tst_ugCopiaSeguranca::falhaNaTrocaNadaMuda()
{
    QFETCH(int, falhaEm);
    TempDataFolder dados;
    insereEstab("11222333000181", "COPIADO");
    QTemporaryDir dir;
    const QString arquivo = dir.filePath("x.bkp");
    TBackupFile bk;
    QVERIFY(GravaCopia(bk, arquivo));
    insereEstab("44555666000100", "DEPOIS DA COPIA");
    QMap<QString, QByteArray> antes;
    for (const QString &t : TabelasCopia())
        antes[t] = bytes(dados.file(t + ".db"));

    RestauracaoQueFalha r;
    r.falhaEm = falhaEm;
    QCOMPARE(r.Restaura(bk, arquivo, 2010), RestauracaoSegura::TrocaFalhou);
    QVERIFY(!r.motivo().isEmpty());
    QCOMPARE(estabs(), (QStringList{"11222333000181 COPIADO", "44555666000100 DEPOIS DA COPIA"}));
    for (const QString &t : TabelasCopia())
        QVERIFY2(bytes(dados.file(t + ".db")) == antes[t], qPrintable(t));
    QCOMPARE(QDir(dados.path()).entryList({"*.anterior"}, QDir::Files), QStringList());
    QVERIFY(!QFileInfo::exists(dados.file("Work")));
}

void tst_ugCopiaSeguranca::copiaRecusadaComGravacaoEmAndamento()
{
    TempDataFolder dados;
    QTemporaryDir dir;
    Transaction t;
    insereEstab("11222333000181", "A MEIO");
    TBackupFile bk;
    QVERIFY_THROWS_EXCEPTION(DatabaseError, GravaCopia(bk, dir.filePath("x.bkp")));
    QVERIFY(!QFileInfo::exists(dir.filePath("x.bkp")));
}

QTEST_GUILESS_MAIN(tst_ugCopiaSeguranca)
#include "tst_ugCopiaSeguranca.moc"
