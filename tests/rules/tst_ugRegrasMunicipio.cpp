// Municipality, state and CEP rules and the combined check of the forms, over code tables that the test
// fills: a single-CEP municipality, one without its CEP, one with CEP ranges, one whose range row is
// missing, and a name longer than the stored 30 characters.

#include "rules/ugRegrasMunicipio.h"

#include "app/udmGDVorn.h"
#include "rules/ContextoRegras.h"

#include "FixtureTabelas.h"
#include "CasosDeRegras.h"

#include <QtTest>

using namespace gdvorn;

namespace {

const QString kNomeLongo = QStringLiteral("SAO SEBASTIAO DO RIO DAS PEDRAS DO SUL"); // 38 characters

void preencheTabelas(test::FixtureTabelas &fx)
{
    const auto munic = [](const char *codigo, const QString &nome, const char *cep, const char *faixa) {
        return QVariantMap{{"CoMunicipio", codigo}, {"NoMunicipio", nome}, {"CoCep", cep}, {"InFaixa", faixa}};
    };
    fx.insere(QStringLiteral("tb8munic"), QList<QVariantMap>{munic("3550308", QStringLiteral("SAO PAULO"), "01000", "0"),
                                                            munic("3106200", QStringLiteral("BELO HORIZONTE"), "", "0"),
                                                            munic("3304557", QStringLiteral("RIO DE JANEIRO"), "", "1"),
                                                            munic("1200013", QStringLiteral("ACRELANDIA"), "", "1"),
                                                            munic("3500105", kNomeLongo, "", "0"),
                                                            munic("3304904", QStringLiteral("SÃO GONÇALO"), "", "0")});
    fx.insere(QStringLiteral("tb8fxcep"), {{"CoMunicipio", "3304557"}, {"CoCep1Inicial", "20000"}, {"CoCep1Final", "23799"},
                                           {"CoCep2Inicial", "24000"}, {"CoCep2Final", "24999"}});
    const auto uf = [](const char *codigo, const char *sigla) {
        return QVariantMap{{"CoUf", codigo}, {"SgUf", sigla}, {"NoUf", sigla}};
    };
    fx.insere(QStringLiteral("tbuf"), QList<QVariantMap>{uf("35", "SP"), uf("33", "RJ"), uf("31", "MG"), uf("12", "AC")});
    const auto faixa = [](const char *codigo, const char *inicial, const char *final) {
        return QVariantMap{{"CoUf", codigo}, {"IdUf", "1"}, {"CoCepInicial", inicial}, {"CoCepFinal", final}};
    };
    fx.insere(QStringLiteral("tbufcep"), QList<QVariantMap>{faixa("35", "01000", "09999"), faixa("35", "11000", "19999"),
                                                           faixa("33", "20000", "28999"), faixa("31", "30000", "39999"),
                                                           faixa("12", "69900", "69999")});
}

// The rules; each leaves the CEP-range query closed.
test::Regra fechandoConsulta(test::Regra r)
{
    return [r](const QStringList &e) {
        const QString codigo = r(e);
        return contextoRegras().Tabelas().qryUfCep.Active() ? QStringLiteral("open") : codigo;
    };
}

const QHash<QString, test::Regra> kRegras = {
    {"CriticaCep", test::regra(&CriticaCep)},
    {"CriticaCodigoMunicipio", test::regra(&CriticaCodigoMunicipio)},
    {"CriticaMunicipioTrabalho", test::regra(&CriticaMunicipioTrabalho)},
    {"CriticaSiglaUf", test::regra(&CriticaSiglaUf)},
    {"CriticaUfMunicipio", test::regra(&CriticaUfMunicipio)},
    {"CriticaCepMunicipio",
     fechandoConsulta([](const QStringList &e) { return CriticaCepMunicipio(e.value(0), e.value(1), !e.value(2).isEmpty()); })},
    {"CriticaCepEspecialUf", test::regra(&CriticaCepEspecialUf)},
    {"CriticaCepUf", fechandoConsulta(test::regra(&CriticaCepUf))},
};

} // namespace

class tst_ugRegrasMunicipio : public QObject {
    Q_OBJECT

private slots:
    // The rules only read the tables: one fixture for the whole test.
    void initTestCase()
    {
        m_tabelas = std::make_unique<test::FixtureTabelas>();
        preencheTabelas(*m_tabelas);
    }
    void cleanupTestCase() { m_tabelas.reset(); }

    void regras_data();
    void regras() { test::verificaCaso(kRegras); }
    void nomeDoMunicipio_data();
    void nomeDoMunicipio();
    void nomeNaoDependeDaPosicaoDaTabela();
    void criticaMunicipio_data();
    void criticaMunicipio();
    void codigosTemMensagemInstalada();

private:
    std::unique_ptr<test::FixtureTabelas> m_tabelas;
};

void tst_ugRegrasMunicipio::regras_data()
{
    test::colunasDeRegras();
    // `flag`: CriticaCepMunicipio's accept-without-CEP flag.
    const auto linha = [](const char *nome, const char *regra, const char *a, const char *b, const char *esperado,
                          bool flag = false) { test::caso(nome, regra, {a, b, flag ? "1" : ""}, esperado); };
    linha("cep vazio", "CriticaCep", " ", "", "0081");
    linha("cep sete zeros", "CriticaCep", "0000000", "", "0040");
    linha("cep letra", "CriticaCep", "0100000A", "", "0040");
    linha("cep zeros", "CriticaCep", "00000000", "", "0081");
    linha("cep 00", "CriticaCep", "00100000", "", "0080");
    linha("cep", "CriticaCep", "01001000", "", "0000");

    linha("codigo vazio", "CriticaCodigoMunicipio", "", "", "0092");
    linha("codigo curto", "CriticaCodigoMunicipio", "35503", "", "0040");
    linha("codigo zeros", "CriticaCodigoMunicipio", "0000000", "", "0092");
    linha("codigo ausente", "CriticaCodigoMunicipio", "3599999", "", "0090");
    linha("codigo", "CriticaCodigoMunicipio", " 3550308 ", "", "0000");
    linha("trabalho vazio", "CriticaMunicipioTrabalho", "", "", "0040");
    linha("trabalho zeros", "CriticaMunicipioTrabalho", "0000000", "", "0090");
    linha("trabalho", "CriticaMunicipioTrabalho", "3304557", "", "0000");

    linha("sigla vazia", "CriticaSiglaUf", "", "", "0101");
    linha("sigla zeros", "CriticaSiglaUf", "00", "", "0101");
    linha("sigla ausente", "CriticaSiglaUf", "XX", "", "0100");
    linha("sigla", "CriticaSiglaUf", " RJ ", "", "0000");
    linha("uf do municipio", "CriticaUfMunicipio", "3550308", "SP", "0000");
    linha("uf de outro estado", "CriticaUfMunicipio", "3550308", "RJ", "0091");
    linha("uf sem municipio", "CriticaUfMunicipio", "0000000", "RJ", "0000");
    linha("uf vazia", "CriticaUfMunicipio", "3550308", " ", "0000");
    linha("estado ausente da tabela", "CriticaUfMunicipio", "9900000", "RJ", "0000");

    linha("cep unico", "CriticaCepMunicipio", "01000123", "3550308", "0000");
    linha("fora do cep unico", "CriticaCepMunicipio", "02000000", "3550308", "0082", true);
    linha("fora do cep unico mas especial", "CriticaCepMunicipio", "09000000", "3550308", "0000");
    linha("fora do cep unico na faixa especial", "CriticaCepMunicipio", "11300000", "3550308", "0000");
    linha("sem cep unico com flag", "CriticaCepMunicipio", "30100000", "3106200", "0000", true);
    linha("sem cep unico sem flag", "CriticaCepMunicipio", "30100000", "3106200", "0082");
    linha("sem cep unico sem flag especial", "CriticaCepMunicipio", "33000000", "3106200", "0000");
    linha("primeira faixa", "CriticaCepMunicipio", "23799999", "3304557", "0000");
    linha("segunda faixa", "CriticaCepMunicipio", "24000000", "3304557", "0000");
    linha("fora das faixas", "CriticaCepMunicipio", "25000000", "3304557", "0082", true);
    linha("fora das faixas especial", "CriticaCepMunicipio", "27600000", "3304557", "0000", true);
    linha("cep curto fora das faixas", "CriticaCepMunicipio", "2004002", "3304557", "0082", true);
    linha("cep com letra fora das faixas", "CriticaCepMunicipio", "2004002A", "3304557", "0000", true);
    linha("sem linha de faixas", "CriticaCepMunicipio", "69900000", "1200013", "0082", true);
    linha("municipio ausente", "CriticaCepMunicipio", "01000000", "3599999", "0000");
    linha("cep vazio no municipio", "CriticaCepMunicipio", "", "3550308", "0000");
    linha("cep zeros no municipio", "CriticaCepMunicipio", "00000000", "3550308", "0000");
    linha("municipio zeros", "CriticaCepMunicipio", "01000000", "0000000", "0000");

    linha("especial 09000", "CriticaCepEspecialUf", "09000123", "3550308", "0000");
    linha("especial fim da faixa", "CriticaCepEspecialUf", "19300999", "3550308", "0000");
    linha("especial depois da faixa", "CriticaCepEspecialUf", "19301000", "3550308", "0082");
    linha("estado sem especiais", "CriticaCepEspecialUf", "69900000", "1200013", "0082");
    linha("especial com letra", "CriticaCepEspecialUf", "0900012A", "3550308", "0000");

    linha("faixa do estado", "CriticaCepUf", "19999000", "35", "0000");
    linha("entre faixas do estado", "CriticaCepUf", "10000000", "35", "0083");
    linha("estado sem faixas", "CriticaCepUf", "01000000", "99", "0083");
    linha("cep vazio no estado", "CriticaCepUf", "", "35", "0000");
    linha("estado vazio", "CriticaCepUf", "01000000", "", "0000");
    linha("cep com letra no estado", "CriticaCepUf", "1000000A", "35", "0000");
}

void tst_ugRegrasMunicipio::nomeDoMunicipio_data()
{
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("esperado");
    QTest::newRow("vazio") << QStringLiteral("  ") << QStringLiteral("3550308") << "0093";
    QTest::newRow("curto") << QStringLiteral("SP") << QStringLiteral("3550308") << "0010";
    QTest::newRow("igual") << QStringLiteral(" SAO PAULO ") << QStringLiteral("3550308") << "0000";
    QTest::newRow("de outro municipio") << QStringLiteral("SAO PAULO") << QStringLiteral("3304557") << "3666";
    QTest::newRow("codigo ausente") << QStringLiteral("SAO PAULO") << QStringLiteral("3599999") << "0000";
    QTest::newRow("codigo vazio") << QStringLiteral("SAO PAULO") << QString() << "0000";
    QTest::newRow("longo guardado em 30") << kNomeLongo.left(30) << QStringLiteral("3500105") << "0000";
    QTest::newRow("longo inteiro") << kNomeLongo << QStringLiteral("3500105") << "3666";
    // The installed table keeps the accents: its own name passes, an accent that is not the table's does not.
    QTest::newRow("acentuado como na tabela") << QStringLiteral("SÃO GONÇALO") << QStringLiteral("3304904") << "0000";
    QTest::newRow("acentos de outro nome") << QStringLiteral("SÁO GONÇALO") << QStringLiteral("3304904") << "3666";
    QTest::newRow("aspas continuam recusadas") << QStringLiteral("SÃO \"GONÇALO\"") << QStringLiteral("3304904") << "0020";
}

void tst_ugRegrasMunicipio::nomeDoMunicipio()
{
    QFETCH(QString, nome);
    QFETCH(QString, codigo);
    QFETCH(QString, esperado);
    QString aparado = nome;
    QCOMPARE(CriticaNomeMunicipio(aparado, codigo), esperado);
    QCOMPARE(aparado, nome.trimmed());
}

void tst_ugRegrasMunicipio::nomeNaoDependeDaPosicaoDaTabela()
{
    // Another rule leaves tb8munic on another row; the name is still judged against its own code.
    QCOMPARE(CriticaCodigoMunicipio(QStringLiteral("3304557")), QStringLiteral("0000"));
    QString nome = QStringLiteral("SAO PAULO");
    QCOMPARE(CriticaNomeMunicipio(nome, QStringLiteral("3550308")), QStringLiteral("0000"));
    QCOMPARE(CriticaCodigoMunicipio(QStringLiteral("3599999")), QStringLiteral("0090"));
    QCOMPARE(CriticaNomeMunicipio(nome, QStringLiteral("3304557")), QStringLiteral("3666"));
}

void tst_ugRegrasMunicipio::criticaMunicipio_data()
{
    QTest::addColumn<QString>("codigo");
    QTest::addColumn<QString>("cep");
    QTest::addColumn<QString>("status");
    QTest::addColumn<QString>("codigoEsperado");
    QTest::addColumn<QString>("nome");
    QTest::addColumn<QString>("sigla");
    const QString sp = QStringLiteral("SAO PAULO");
    QTest::newRow("codigo ausente") << "3599999" << "01000000" << "1" << "0090" << QString() << QString();
    QTest::newRow("codigo vazio") << "" << "01000000" << "1" << "0092" << QString() << QString();
    QTest::newRow("cep do municipio") << "3550308" << "01000000" << "0" << "0000" << sp << "SP";
    QTest::newRow("sem cep") << "3550308" << "" << "0" << "0000" << sp << "SP";
    QTest::newRow("cep especial") << "3550308" << "09000000" << "0" << "0000" << sp << "SP";
    QTest::newRow("cep do estado, municipio de cep unico") << "3550308" << "02000000" << "2" << "0082" << sp << "SP";
    QTest::newRow("cep de outro estado") << "3550308" << "20000000" << "3" << "0083" << sp << "SP";
    QTest::newRow("cep do estado, municipio sem cep") << "3106200" << "30100000" << "4" << "0000"
                                                      << "BELO HORIZONTE" << "MG";
    QTest::newRow("sem linha de faixas, cep do estado") << "1200013" << "69900000" << "4" << "0000" << "ACRELANDIA"
                                                        << "AC";
    QTest::newRow("sem linha de faixas, fora do estado") << "1200013" << "70000000" << "3" << "0083" << "ACRELANDIA"
                                                         << "AC";
    QTest::newRow("na faixa do municipio") << "3304557" << "22000000" << "0" << "0000" << "RIO DE JANEIRO" << "RJ";
}

void tst_ugRegrasMunicipio::criticaMunicipio()
{
    QFETCH(QString, codigo);
    QFETCH(QString, cep);
    QFETCH(QString, status);
    QFETCH(QString, codigoEsperado);
    QFETCH(QString, nome);
    QFETCH(QString, sigla);
    const ResultadoMunicipio r = CriticaVornGlobal.CriticaMunicipio(codigo, cep);
    QCOMPARE(r.Status, status);
    QCOMPARE(r.Codigo, codigoEsperado);
    QCOMPARE(r.NoMunicipio, nome);
    QCOMPARE(r.SgUf, sigla);
}

void tst_ugRegrasMunicipio::codigosTemMensagemInstalada()
{
    test::verificaMensagens({"0080", "0081", "0082", "0083", "0090", "0091", "0092", "0093", "0100", "0101"}, {"3666"});
}

QTEST_GUILESS_MAIN(tst_ugRegrasMunicipio)
#include "tst_ugRegrasMunicipio.moc"
