#include "backup/ugCopiaSeguranca.h"

#include "app/base/Database.h"
#include "app/base/EngineError.h"
#include "app/base/Schema.h"
#include "app/base/Table.h"
#include "app/ugIndices.h"
#include "ProcessoFilho.h"
#include "ScriptedPresenter.h"
#include "Estabelecimentos.h"
#include "TestData.h"

#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <sqlite3.h>
#include <csignal>
#include <sys/resource.h>
#include <unistd.h>

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

// Ends the process right before or right after its `alvo`-th file step (journal written, file moved or
// deleted); a run with fewer steps ends with 0.
class RestauracaoMorta : public RestauracaoSegura {
public:
    int alvo = 0;
    bool antes = true;

    bool renomeia(const QString &de, const QString &para) override
    {
        return passo([&] { return RestauracaoSegura::renomeia(de, para); });
    }
    bool remove(const QString &arquivo) override
    {
        return passo([&] { return RestauracaoSegura::remove(arquivo); });
    }
    bool gravaDiario(const QString &arquivo, const QByteArray &conteudo) override
    {
        return passo([&] { return RestauracaoSegura::gravaDiario(arquivo, conteudo); });
    }

private:
    int m_passos = 0;
    template <typename F>
    bool passo(F f)
    {
        const bool alvoAqui = ++m_passos == alvo;
        if (alvoAqui && antes)
            _exit(9);
        const bool r = f();
        if (alvoAqui)
            _exit(9);
        return r;
    }
};

// One mark in each of the three tables.
void marca(const QString &marca)
{
    QSqlQuery q(database());
    QVERIFY(q.exec("DELETE FROM bd8emp.bd8emp"));
    QVERIFY(q.exec("DELETE FROM bd8vinc.bd8vinc"));
    QVERIFY(q.exec("DELETE FROM bd8resp.bd8resp"));
    insereEstab("11222333000181", marca);
    q.prepare("INSERT INTO bd8vinc.bd8vinc (AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
              "CoPisPasepEmpregado, NoEmpregado) VALUES ('2010', '11222333000181', '00', '12345678919', ?)");
    q.addBindValue(marca);
    QVERIFY(q.exec());
    q.prepare("INSERT INTO bd8resp.bd8resp (NoResponsavelArquivo) VALUES (?)");
    q.addBindValue(marca);
    QVERIFY(q.exec());
}

// The marks of the three tables, "emp vinc resp".
QString marcas()
{
    QSqlQuery q(database());
    QStringList r;
    for (const char *sql : {"SELECT group_concat(NoRazaoEstabelecimento) FROM bd8emp.bd8emp",
                            "SELECT group_concat(NoEmpregado) FROM bd8vinc.bd8vinc",
                            "SELECT group_concat(NoResponsavelArquivo) FROM bd8resp.bd8resp"}) {
        q.exec(QString::fromLatin1(sql));
        r << (q.next() ? q.value(0).toString() : QStringLiteral("?"));
    }
    return r.join(' ');
}

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
    void restauracaoMortaAntesOuDepois_data();
    void restauracaoMortaAntesOuDepois();
    void copiaSemEspaco();
    void copiaMortaDeixaTabelasQueAProximaRemove();
};

namespace {

// The table copies a backup left in `pasta` (the system's temporary folder of the run).
QStringList copiasDeTabelas(const QString &pasta)
{
    return QDir(pasta).entryList({"gdvorn-copia-*"}, QDir::Dirs | QDir::NoDotAndDotDot);
}

// Runs `corpo` with the system's temporary folder at `pasta`.
template <typename F>
void comTemporaria(const QString &pasta, F corpo)
{
    const QByteArray antes = qgetenv("TMPDIR");
    qputenv("TMPDIR", pasta.toLocal8Bit());
    corpo();
    if (antes.isEmpty())
        qunsetenv("TMPDIR");
    else
        qputenv("TMPDIR", antes);
}

} // namespace

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

void tst_ugCopiaSeguranca::restauracaoMortaAntesOuDepois_data()
{
    QTest::addColumn<int>("alvo");
    QTest::addColumn<bool>("antes");
    // Every step of a restore of three tables, and one past the last (the run completes).
    for (int alvo = 1; alvo <= 16; ++alvo) {
        QTest::addRow("antes do passo %d", alvo) << alvo << true;
        QTest::addRow("depois do passo %d", alvo) << alvo << false;
    }
}

void tst_ugCopiaSeguranca::restauracaoMortaAntesOuDepois()
{
    QFETCH(int, alvo);
    QFETCH(bool, antes);
    TempDataFolder dados;
    marca("RESTAURADA");
    QTemporaryDir dir;
    const QString arquivo = dir.filePath("Vorn2010_backup.bkp");
    TBackupFile bk;
    bk.BackupTitle = TituloCopia(2010);
    QVERIFY(GravaCopia(bk, arquivo));
    marca("ANTIGA");
    dados.close();

    const int saida = emProcessoFilho([&] {
        openDatabase(dados.path());
        RestauracaoMorta r;
        r.alvo = alvo;
        r.antes = antes;
        TBackupFile rb;
        _exit(r.Restaura(rb, arquivo, 2010) == RestauracaoSegura::Restaurada ? 0 : 3);
    });
    QVERIFY2(saida == 9 || saida == 0, qPrintable(QString::number(saida)));

    // The start-up: the replacement is finished or undone, then the table check and the connection.
    QVERIFY(ConcluiTrocaTabelas(dados.path()));
    QVERIFY(VerificaTabelas(dados.path()));
    openDatabase(dados.path());
    const QString depois = marcas();
    if (saida == 0)
        QCOMPARE(depois, QStringLiteral("RESTAURADA RESTAURADA RESTAURADA"));
    else
        QVERIFY2(depois == QLatin1String("ANTIGA ANTIGA ANTIGA") || depois == QLatin1String("RESTAURADA RESTAURADA RESTAURADA"),
                 qPrintable(depois));
    QCOMPARE(QDir(dados.path()).entryList({"*.anterior", "troca.*"}, QDir::Files), QStringList());
}

// The destination fills up while the archive is written (the file-size limit, set once the tables are
// copied, stands in for it): the backup fails with a report that says so, the archive made before is
// whole, and neither a volume nor the table copies of the run are left.
void tst_ugCopiaSeguranca::copiaSemEspaco()
{
    TempDataFolder dados;
    marca("NOVA");
    QTemporaryDir dir;
    QTemporaryDir temporaria;
    const QString arquivo = dir.filePath("Vorn2010_backup.bkp");
    QFile antigo(arquivo);
    QVERIFY(antigo.open(QIODevice::WriteOnly));
    antigo.write("a copia de ontem");
    antigo.close();
    dados.close();

    const int saida = emProcessoFilho([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        comTemporaria(temporaria.path(), [&] {
            openDatabase(dados.path());
            TBackupFile bk;
            bk.BackupTitle = TituloCopia(2010);
            bk.OnProgress = [](const QString &, bool &, int) {
                const rlimit limite{1000, 1000};
                setrlimit(RLIMIT_FSIZE, &limite);
            };
            int codigo = 0;
            QString texto;
            bk.OnError = [&](int c, const QString &t) {
                codigo = c;
                texto = t;
            };
            const bool gravada = GravaCopia(bk, arquivo);
            _exit(!gravada && codigo == beGravacaoArquivo && texto.startsWith("Não há espaço livre no disco de destino") ? 0 : 3);
        });
    });
    QCOMPARE(saida, 0);
    QCOMPARE(bytes(arquivo), QByteArray("a copia de ontem"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Vorn2010_backup.bkp"});
    QCOMPARE(copiasDeTabelas(temporaria.path()), QStringList());
}

// A backup ended by force leaves the table copies in the temporary folder, as a real crash does; the next
// backup removes them, and writes the archive whole over the earlier one, which the kill left whole.
void tst_ugCopiaSeguranca::copiaMortaDeixaTabelasQueAProximaRemove()
{
    TempDataFolder dados;
    marca("ANTIGA");
    QTemporaryDir dir;
    QTemporaryDir temporaria;
    const QString arquivo = dir.filePath("Vorn2010_backup.bkp");
    {
        TBackupFile bk;
        bk.BackupTitle = TituloCopia(2010);
        QVERIFY(GravaCopia(bk, arquivo));
    }
    const QByteArray antes = bytes(arquivo);
    marca("NOVA");
    dados.close();
    const int saida = emProcessoFilho([&] {
        comTemporaria(temporaria.path(), [&] {
            openDatabase(dados.path());
            TBackupFile bk;
            bk.BackupTitle = TituloCopia(2010);
            bk.OnProgress = [](const QString &nome, bool &, int) {
                if (!nome.isEmpty())
                    _exit(7);
            };
            GravaCopia(bk, arquivo);
        });
    });
    QCOMPARE(saida, 7);
    QCOMPARE(copiasDeTabelas(temporaria.path()).size(), 1);
    QCOMPARE(bytes(arquivo), antes);

    openDatabase(dados.path());
    comTemporaria(temporaria.path(), [&] {
        TBackupFile bk;
        bk.BackupTitle = TituloCopia(2010);
        QVERIFY(GravaCopia(bk, arquivo));
    });
    QCOMPARE(copiasDeTabelas(temporaria.path()), QStringList());
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"Vorn2010_backup.bkp"});
    marca("OUTRA");
    RestauracaoSegura r;
    TBackupFile rb;
    QCOMPARE(r.Restaura(rb, arquivo, 2010), RestauracaoSegura::Restaurada);
    QCOMPARE(marcas(), QStringLiteral("NOVA NOVA NOVA"));
}

QTEST_GUILESS_MAIN(tst_ugCopiaSeguranca)
#include "tst_ugCopiaSeguranca.moc"
