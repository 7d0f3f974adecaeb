// Selection lists: the fixed-column lines and the keys read back from them, the rows behind the lists,
// and the notice of an operation that did not finish on an establishment.

#include "app/base/Table.h"
#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"
#include "app/ugListas.h"

#include "ScriptedPresenter.h"
#include "ProgramFixture.h"
#include "TestData.h"

#include <QDir>
#include <QFile>
#include <QtTest>

using namespace gdvorn;

namespace {

const QString kCnpj = QStringLiteral("11222333000181");
const QString kCei = QStringLiteral("00000100000002");

void insereEstab(const QString &ano, const QString &inscricao, const QString &tipo, const QString &prefixo,
                 const QString &razao, const QString &semEmpregados = QStringLiteral("0"),
                 const QString &marca = QString())
{
    Table t(QStringLiteral("bd8emp"));
    t.Open();
    t.Append();
    t.FieldByName(QStringLiteral("AnBase")).setAsString(ano);
    t.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).setAsString(inscricao);
    t.FieldByName(QStringLiteral("InInscrEstabelecimento")).setAsString(tipo);
    t.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).setAsString(prefixo);
    t.FieldByName(QStringLiteral("NoRazaoEstabelecimento")).setAsString(razao);
    t.FieldByName(QStringLiteral("InVornNegEstabelecimento")).setAsString(semEmpregados);
    t.FieldByName(QStringLiteral("InOpcaoAberta")).setAsString(marca);
    t.Post();
}

void insereVinculo(const QString &inscricao, const QString &prefixo, const QString &pis, const QString &nome)
{
    Table t(QStringLiteral("bd8vinc"));
    t.Open();
    t.Append();
    t.FieldByName(QStringLiteral("AnBase")).setAsString(QStringLiteral("2010"));
    t.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).setAsString(inscricao);
    t.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).setAsString(prefixo);
    t.FieldByName(QStringLiteral("CoPisPasepEmpregado")).setAsString(pis);
    t.FieldByName(QStringLiteral("DaAdmissaoEmpregado")).setAsString(QStringLiteral("01022009"));
    t.FieldByName(QStringLiteral("NoEmpregado")).setAsString(nome);
    t.Post();
}

QString marcaGuardada(const QString &inscricao, const QString &prefixo)
{
    Table t(QStringLiteral("bd8emp"));
    t.Open();
    return t.FindKey({QStringLiteral("2010"), inscricao, prefixo})
               ? t.FieldByName(QStringLiteral("InOpcaoAberta")).AsString()
               : QStringLiteral("<none>");
}

QString textoMensagem(const QString &codigo)
{
    Table t(QStringLiteral("tb8msg"));
    t.Open();
    return t.FindKey({codigo}) ? t.FieldByName(QStringLiteral("TxMensagem")).AsString() : QString();
}

} // namespace

class tst_ugListas : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_pasta = std::make_unique<test::ProgramFixture>();
        m_pasta->createDataModules();
    }
    void cleanup()
    {
        m_pasta.reset();
    }

    void linhaDeEstabelecimento_data();
    void linhaDeEstabelecimento();
    void linhasDeVinculo();
    void estabelecimentosDoAno();
    void textoSqlDosPreenchedores_data();
    void textoSqlDosPreenchedores();
    void empregadosDoEstabelecimento();
    void avisoDeOperacaoAberta_data();
    void avisoDeOperacaoAberta();
    void avisoMostradoUmaVez();

private:
    std::unique_ptr<test::ProgramFixture> m_pasta;
};

void tst_ugListas::linhaDeEstabelecimento_data()
{
    QTest::addColumn<QString>("inscricao");
    QTest::addColumn<QString>("tipo");
    QTest::addColumn<QString>("exibida");
    QTest::newRow("CNPJ") << kCnpj << "1" << "11.222.333/0001-81";
    QTest::newRow("CEI, quatro brancos depois") << kCei << "3" << "00010.00000-02    ";
}

void tst_ugListas::linhaDeEstabelecimento()
{
    QFETCH(QString, inscricao);
    QFETCH(QString, tipo);
    QFETCH(QString, exibida);
    const QString linha = LinhaEstabelecimento(inscricao, tipo, QStringLiteral("A1"), QStringLiteral("PADARIA"));
    QCOMPARE(linha, exibida + QStringLiteral("  A1  PADARIA"));
    QCOMPARE(linha.mid(20, 2), QStringLiteral("A1")); // columns 21-22
    QCOMPARE(linha.mid(24), QStringLiteral("PADARIA"));
    const ChaveEstabelecimento chave = ChaveDaLinha(QStringLiteral("2010"), linha);
    QCOMPARE(chave, (ChaveEstabelecimento{QStringLiteral("2010"), inscricao, QStringLiteral("A1")}));
}

void tst_ugListas::linhasDeVinculo()
{
    const QString pis = QStringLiteral("10000000016");
    QCOMPARE(LinhaVinculo(pis, QStringLiteral("01022009"), QStringLiteral("ANA"), QStringLiteral("0")),
             QStringLiteral("100.00000.01.6  01/02/2009  ANA"));
    const QString porNome = LinhaVinculo(pis, QStringLiteral("01022009"), QStringLiteral("ANA"), QStringLiteral("1"));
    QCOMPARE(porNome.size(), 80);
    QCOMPARE(porNome.left(52), QStringLiteral("ANA").leftJustified(52));
    QCOMPARE(porNome.mid(54, 14), QStringLiteral("100.00000.01.6"));
    QCOMPARE(porNome.mid(70), QStringLiteral("01/02/2009"));
    QCOMPARE(porNome.left(LarguraItemMarcado), QStringLiteral("ANA").leftJustified(54) + QStringLiteral("100.00000.0"));
}

void tst_ugListas::estabelecimentosDoAno()
{
    insereEstab(QStringLiteral("2010"), kCnpj, QStringLiteral("1"), QStringLiteral("02"), QStringLiteral("BETA"));
    insereEstab(QStringLiteral("2010"), kCnpj, QStringLiteral("1"), QStringLiteral("01"), QStringLiteral("MOINHO"),
                QStringLiteral("1"));
    insereEstab(QStringLiteral("2010"), kCei, QStringLiteral("3"), QStringLiteral("01"), QStringLiteral("ALFA"));
    insereEstab(QStringLiteral("2009"), kCnpj, QStringLiteral("1"), QStringLiteral("03"), QStringLiteral("ANTIGA"));

    const auto razoes = [](const QStringList &linhas) {
        QStringList r;
        for (const QString &l : linhas)
            r << l.mid(24);
        return r;
    };
    QCOMPARE(razoes(LinhasEstabelecimentosLista(QStringLiteral("2010"), QString(), QStringLiteral("0"))),
             (QStringList{"ALFA", "MOINHO", "BETA"}));
    QCOMPARE(razoes(LinhasEstabelecimentosLista(QStringLiteral("2010"), QString(), QStringLiteral("1"))),
             (QStringList{"ALFA", "BETA", "MOINHO"}));
    QCOMPARE(razoes(LinhasEstabelecimentosLista(QStringLiteral("2010"), QStringLiteral("N"), QStringLiteral("0"))),
             (QStringList{"ALFA", "BETA"}));
    QStringList combo = razoes(LinhasEstabelecimentosCombo(QStringLiteral("2010"), QStringLiteral("N")));
    combo.sort();
    QCOMPARE(combo, (QStringList{"ALFA", "BETA"}));
    QCOMPARE(razoes(LinhasEstabelecimentosCombo(QStringLiteral("2009"), QString())), QStringList{"ANTIGA"});
    QVERIFY(!dmGDVorn->quBd8Emp.Active()); // closed once the rows are read
}

void tst_ugListas::textoSqlDosPreenchedores_data()
{
    // The SQL each filler leaves in the shared query, line by line, blanks included.
    QTest::addColumn<QString>("preenchedor");
    QTest::addColumn<QString>("opcao");
    QTest::addColumn<QString>("ordem");
    QTest::addColumn<QStringList>("sql");
    const QStringList combo{"Select CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento,",
                            "NoRazaoEstabelecimento, InInscrEstabelecimento", "from BD8Emp", "where anBase= :anBase"};
    QTest::newRow("combo") << "combo" << "" << "" << combo;
    QTest::newRow("combo N") << "combo" << "N" << ""
                             << combo + QStringList{" and InVornNegEstabelecimento = '0'"};
    const QStringList lista{
        "Select CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, NoRazaoEstabelecimento, inInscrEstabelecimento",
        "from BD8Emp", "where anbase = :anobase"};
    QTest::newRow("lista por chave")
        << "lista" << "" << "0" << lista + QStringList{" order by CoCgcCeiEstabelecimento,NuPrefixoEstabelecimento"};
    QTest::newRow("lista N por nome")
        << "lista" << "N" << "1"
        << lista + QStringList{" and inVornNegEstabelecimento = '0' ", " order by NoRazaoEstabelecimento"};
    const QStringList empregados{"Select CoPisPasepEmpregado, NoEmpregado, DaAdmissaoEmpregado", "from BD8Vinc",
                                 "where AnBase = :anobase", "and CoCgcCeiEstabelecimento = :CoCgcCeiEstabelecimento",
                                 "and NuPrefixoEstabelecimento = :NuPrefixoEstabelecimento"};
    QTest::newRow("empregados por PIS") << "empregados" << "" << "0"
                                        << empregados + QStringList{"order by CoPisPasepEmpregado"};
    QTest::newRow("empregados por nome") << "empregados" << "" << "1" << empregados + QStringList{"order by NoEmpregado"};
}

void tst_ugListas::textoSqlDosPreenchedores()
{
    QFETCH(QString, preenchedor);
    QFETCH(QString, opcao);
    QFETCH(QString, ordem);
    QFETCH(QStringList, sql);
    const QString ano = QStringLiteral("2010");
    if (preenchedor == QLatin1String("combo"))
        LinhasEstabelecimentosCombo(ano, opcao);
    else if (preenchedor == QLatin1String("lista"))
        LinhasEstabelecimentosLista(ano, opcao, ordem);
    else
        LinhasEmpregados(ano, kCnpj, ordem, QStringLiteral("01"));
    QCOMPARE(dmGDVorn->quBd8Emp.sql().split(QLatin1Char('\n')), sql);
}

void tst_ugListas::empregadosDoEstabelecimento()
{
    insereVinculo(kCnpj, QStringLiteral("01"), QStringLiteral("20000000017"), QStringLiteral("ANA"));
    insereVinculo(kCnpj, QStringLiteral("01"), QStringLiteral("10000000016"), QStringLiteral("BRUNO"));
    insereVinculo(kCnpj, QStringLiteral("02"), QStringLiteral("10000000024"), QStringLiteral("CARLA"));
    const QStringList porPis =
        LinhasEmpregados(QStringLiteral("2010"), kCnpj, QStringLiteral("0"), QStringLiteral("01"));
    QCOMPARE(porPis, (QStringList{QStringLiteral("100.00000.01.6  01/02/2009  BRUNO"),
                                  QStringLiteral("200.00000.01.7  01/02/2009  ANA")}));
    const QStringList porNome =
        LinhasEmpregados(QStringLiteral("2010"), kCnpj, QStringLiteral("1"), QStringLiteral("01"));
    QCOMPARE(porNome.size(), 2);
    QVERIFY(!dmGDVorn->quBd8Emp.Active());
    QVERIFY(porNome[0].startsWith(QStringLiteral("ANA ")));
    QVERIFY(porNome[1].startsWith(QStringLiteral("BRUNO ")));
    // Key values are searched as they are stored: trimmed and cut to the field's width.
    QCOMPARE(LinhasEmpregados(QStringLiteral("2010"), kCnpj + QStringLiteral("9"), QStringLiteral("0"),
                              QStringLiteral(" 01 ")),
             porPis);
}

void tst_ugListas::avisoDeOperacaoAberta_data()
{
    QTest::addColumn<QString>("marca");
    QTest::addColumn<QString>("aviso");
    QTest::newRow("aberto no formulario") << "0" << "0500";
    QTest::newRow("exclusao") << "1" << "0501";
    QTest::newRow("sem aviso") << "2" << "";
    QTest::newRow("transferencia") << "3" << "0502";
    QTest::newRow("exclusao multipla") << "4" << "0503";
    QTest::newRow("troca de vinculo") << "5" << "0504";
    QTest::newRow("nenhuma operacao") << "" << "";
}

void tst_ugListas::avisoDeOperacaoAberta()
{
    QFETCH(QString, marca);
    QFETCH(QString, aviso);
    QCOMPARE(AvisoOperacaoAberta(marca), aviso);
    insereEstab(QStringLiteral("2010"), kCei, QStringLiteral("3"), QStringLiteral("01"), QStringLiteral("OBRA"),
                QStringLiteral("0"), marca);
    test::ScriptedPresenter presenter;
    AvisaOperacaoAberta(QStringLiteral("2010"), kCei, QStringLiteral("01"));
    if (aviso.isEmpty()) {
        QVERIFY(presenter.boxes.isEmpty());
    } else {
        QCOMPARE(presenter.boxes.size(), 1);
        QCOMPARE(presenter.boxes[0].kind, MessageKind::Information);
        QCOMPARE(presenter.boxes[0].text, QStringLiteral("00010.00000-02  - 01  - OBRA   \n") + textoMensagem(aviso));
    }
    QCOMPARE(marcaGuardada(kCei, QStringLiteral("01")), QString());
}

void tst_ugListas::avisoMostradoUmaVez()
{
    insereEstab(QStringLiteral("2010"), kCnpj, QStringLiteral("1"), QStringLiteral("01"), QStringLiteral("LOJA"),
                QStringLiteral("0"), QStringLiteral("4"));
    test::ScriptedPresenter presenter;
    AvisaOperacaoAberta(QStringLiteral("2010"), kCnpj, QStringLiteral("01"));
    AvisaOperacaoAberta(QStringLiteral("2010"), kCnpj, QStringLiteral("01"));
    AvisaOperacaoAberta(QStringLiteral("2010"), kCnpj, QStringLiteral("09")); // not found: nothing
    QCOMPARE(presenter.boxes.size(), 1);
    QVERIFY(presenter.boxes[0].text.startsWith(QStringLiteral("11.222.333/0001-81  - 01  - LOJA")));
    QVERIFY(!textoMensagem(QStringLiteral("0503")).isEmpty());
    QVERIFY(presenter.boxes[0].text.endsWith(textoMensagem(QStringLiteral("0503"))));
    QCOMPARE(dmEntradaDados->ta8Empresa.FieldByName(QStringLiteral("NoRazaoEstabelecimento")).AsString(),
             QStringLiteral("LOJA")); // left on the establishment found
}

QTEST_GUILESS_MAIN(tst_ugListas)
#include "tst_ugListas.moc"
