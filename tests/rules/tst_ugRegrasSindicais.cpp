// Union-contribution rules: each rule's codes in the order its tests decide, with and without the
// file-analysis flag, and the entity tables with rows, without the CNPJ and empty.

#include "rules/ugRegrasSindicais.h"

#include "app/ugCriticas.h"

#include "FixtureTabelas.h"
#include "CasosDeRegras.h"

#include <QtTest>

using namespace gdvorn;

namespace {

const QString kProprio = QStringLiteral("11222333000181");
const QString kMesmaRaiz = QStringLiteral("11222333000262"); // branch 0002 of the same company
const QString kOutra = QStringLiteral("60746948000112");
const QString kZeros = QStringLiteral("00000000000000");

} // namespace

class tst_ugRegrasSindicais : public QObject {
    Q_OBJECT

private slots:
    void regras_data();
    void regras();
    void comFlagDeArquivo_data();
    void comFlagDeArquivo();
    void contribuicaoAusente_data();
    void contribuicaoAusente();
    void tabelasDeEntidades();
    void cnpjQyvValido();
    void classeAposTrocaDeUmDigito_data();
    void classeAposTrocaDeUmDigito();
    void codigosTemMensagemInstalada();
};

void tst_ugRegrasSindicais::regras_data()
{
    QTest::addColumn<QString>("regra");
    QTest::addColumn<QStringList>("e");
    QTest::addColumn<QString>("esperado");
    const auto linha = [](const char *nome, const char *regra, const QStringList &e, const char *esperado) {
        QTest::newRow(nome) << QString::fromLatin1(regra) << e << QString::fromLatin1(esperado);
    };
    // CriticaCnpjEntidade: cnpj, zeros accepted ("1")
    linha("entidade vazia", "CriticaCnpjEntidade", {"", "1"}, "0040");
    linha("entidade zeros aceitos", "CriticaCnpjEntidade", {kZeros, "1"}, "0000");
    linha("entidade zeros recusados", "CriticaCnpjEntidade", {kZeros, "0"}, "3746");
    linha("entidade CNPJ", "CriticaCnpjEntidade", {kOutra, "0"}, "0051");
    linha("entidade CNPJ e CEI", "CriticaCnpjEntidade", {"00000100001602", "0"}, "0050");
    linha("entidade CEI", "CriticaCnpjEntidade", {"00000100000002", "0"}, "0052");
    linha("entidade invalida", "CriticaCnpjEntidade", {"11222333000180", "0"}, "0059");
    // CriticaCnpjEntidadeVedado: cnpj, own, origin
    linha("vedado vazio", "CriticaCnpjEntidadeVedado", {"", kProprio, "0"}, "0000");
    linha("vedado proprio estab", "CriticaCnpjEntidadeVedado", {kProprio, kProprio, "0"}, "3742");
    linha("vedado proprio vinculo", "CriticaCnpjEntidadeVedado", {kProprio, kProprio, "1"}, "3743");
    linha("vedado banco do brasil", "CriticaCnpjEntidadeVedado", {"00000000000191", kProprio, "0"}, "3741");
    linha("vedado caixa", "CriticaCnpjEntidadeVedado", {"00360305000104", kProprio, "1"}, "3741");
    linha("vedado outro", "CriticaCnpjEntidadeVedado", {kOutra, kProprio, "0"}, "0000");
    // values
    linha("valor estab vazio", "CriticaValorEntidadeEstab", {" "}, "3648");
    linha("valor estab zeros", "CriticaValorEntidadeEstab", {"000000000"}, "0000");
    linha("valor estab oito digitos", "CriticaValorEntidadeEstab", {"00000000"}, "0040");
    linha("valor vinculo vazio", "CriticaValorEntidadeVinculo", {""}, "3648");
    linha("valor vinculo zeros", "CriticaValorEntidadeVinculo", {"00000000"}, "0000");
    linha("valor vinculo sete digitos", "CriticaValorEntidadeVinculo", {"0000000"}, "0040");
    linha("valor vinculo nove digitos", "CriticaValorEntidadeVinculo", {"000000000"}, "0040");
    // CriticaContribuicao: cnpj, value, kind, link type
    linha("valor sem cnpj", "CriticaContribuicao", {"", "000001000", "associativa", ""}, "3744");
    linha("valor sem cnpj zeros", "CriticaContribuicao", {kZeros, "000001000", "associativa", ""}, "3744");
    linha("zeros sem cnpj", "CriticaContribuicao", {"", "000000000", "associativa", ""}, "0000");
    linha("0,00 sem cnpj", "CriticaContribuicao", {"", "0,00", "associativa", ""}, "0000");
    linha("tipo 35 sem sindical", "CriticaContribuicao", {"", "", "sindical", "35"}, "0000");
    linha("tipo 10 sem sindical", "CriticaContribuicao", {"", "", "sindical", "10"}, "3687");
    linha("sem tipo sem sindical", "CriticaContribuicao", {"", "00000000", "sindical", ""}, "3687");
    linha("tipo 10 sem associativa", "CriticaContribuicao", {"", "", "associativa", "10"}, "0000");
    linha("estab sem sindical", "CriticaContribuicao", {"", "", "sindicalestab", ""}, "0000");
    linha("com cnpj e valor", "CriticaContribuicao", {kOutra, "00001000", "sindical", "10"}, "0000");
    // others
    linha("segunda igual", "CriticaSegundaAssociativa", {kOutra, " " + kOutra}, "3745");
    linha("segunda diferente", "CriticaSegundaAssociativa", {kOutra, kProprio}, "0000");
    linha("sindicalizado 1", "CriticaIndicadorSindicalizado", {"1"}, "0000");
    linha("sindicalizado vazio", "CriticaIndicadorSindicalizado", {""}, "3704");
    linha("sindicalizado 3", "CriticaIndicadorSindicalizado", {"3"}, "3704");
    linha("membro sem cnpj vinculo", "CriticaSindicalizacao", {"", "1", "1"}, "3702");
    linha("membro com zeros estab", "CriticaSindicalizacao", {kZeros, "1", "0"}, "3713");
    linha("nao membro com cnpj vinculo", "CriticaSindicalizacao", {kOutra, "2", "1"}, "3757");
    linha("nao membro com cnpj estab", "CriticaSindicalizacao", {kOutra, "2", "0"}, "3756");
    linha("membro com cnpj", "CriticaSindicalizacao", {kOutra, "1", "0"}, "0000");
    linha("nao membro sem cnpj", "CriticaSindicalizacao", {"", "2", "0"}, "0000");
    linha("segunda sem ser membro", "CriticaNaoSindicalizadoEntidade", {kOutra, "2"}, "3757");
    linha("segunda zeros sem ser membro", "CriticaNaoSindicalizadoEntidade", {kZeros, "2"}, "0000");
    linha("segunda de membro", "CriticaNaoSindicalizadoEntidade", {kOutra, "1"}, "0000");
    // CriticaCnpjCentralizador: cnpj, own, zeros accepted
    linha("centralizador vazio", "CriticaCnpjCentralizador", {"", kProprio, "1"}, "0040");
    linha("centralizador zeros aceitos", "CriticaCnpjCentralizador", {kZeros, kProprio, "1"}, "0000");
    linha("centralizador zeros", "CriticaCnpjCentralizador", {kZeros, kProprio, "0"}, "3746");
    linha("centralizador proprio", "CriticaCnpjCentralizador", {kProprio, kProprio, "1"}, "3742");
    linha("centralizador de outra empresa invalido", "CriticaCnpjCentralizador", {"60746948000199", kProprio, "1"},
          "3740");
    linha("centralizador invalido", "CriticaCnpjCentralizador", {"11222333000299", kProprio, "1"}, "0059");
    linha("centralizador", "CriticaCnpjCentralizador", {kMesmaRaiz, kProprio, "1"}, "0051");
}

void tst_ugRegrasSindicais::regras()
{
    QFETCH(QString, regra);
    QFETCH(QStringList, e);
    QFETCH(QString, esperado);
    while (e.size() < 4)
        e << QString();
    QString codigo;
    if (regra == QLatin1String("CriticaCnpjEntidade")) {
        codigo = CriticaCnpjEntidade(e[0], QStringLiteral("sindical"), 0, e[1] == QLatin1String("1"));
        QCOMPARE(CriticaCnpjEntidade(e[0], QStringLiteral("confederativa"), 1, e[1] == QLatin1String("1")), codigo);
    } else if (regra == QLatin1String("CriticaCnpjEntidadeVedado")) {
        codigo = CriticaCnpjEntidadeVedado(e[0], e[1], e[2].toInt());
    } else if (regra == QLatin1String("CriticaValorEntidadeEstab")) {
        codigo = CriticaValorEntidadeEstab(e[0]);
    } else if (regra == QLatin1String("CriticaValorEntidadeVinculo")) {
        codigo = CriticaValorEntidadeVinculo(e[0]);
    } else if (regra == QLatin1String("CriticaContribuicao")) {
        codigo = CriticaContribuicao(e[0], e[1], e[2], 1, false, e[3]);
        // Neither the origin nor the file-analysis flag changes the result.
        QCOMPARE(CriticaContribuicao(e[0], e[1], e[2], 0, true, e[3]), codigo);
    } else if (regra == QLatin1String("CriticaSegundaAssociativa")) {
        codigo = CriticaSegundaAssociativa(e[0], e[1]);
    } else if (regra == QLatin1String("CriticaIndicadorSindicalizado")) {
        codigo = CriticaIndicadorSindicalizado(e[0]);
    } else if (regra == QLatin1String("CriticaSindicalizacao")) {
        codigo = CriticaSindicalizacao(e[0], e[1], e[2].toInt());
    } else if (regra == QLatin1String("CriticaNaoSindicalizadoEntidade")) {
        codigo = CriticaNaoSindicalizadoEntidade(e[0], e[1]);
    } else if (regra == QLatin1String("CriticaCnpjCentralizador")) {
        codigo = CriticaCnpjCentralizador(e[0], e[1], e[2] == QLatin1String("1"));
    }
    QCOMPARE(codigo, esperado);
}

void tst_ugRegrasSindicais::comFlagDeArquivo_data()
{
    // The rules whose absent CNPJ depends on the flag: fourteen zeros for a file, empty for entered data.
    QTest::addColumn<QString>("regra");
    QTest::addColumn<QStringList>("e");
    QTest::addColumn<QString>("entrada");
    QTest::addColumn<QString>("arquivo");
    const auto linha = [](const char *nome, const char *regra, const QStringList &e, const char *entrada,
                          const char *arquivo) {
        QTest::newRow(nome) << QString::fromLatin1(regra) << e << QString::fromLatin1(entrada)
                            << QString::fromLatin1(arquivo);
    };
    linha("campo vazio", "CriticaCampoPreenchido", {""}, "0000", "0030");
    linha("campo com brancos", "CriticaCampoPreenchido", {"  "}, "0000", "0000");
    linha("campo zeros", "CriticaCampoPreenchido", {kZeros}, "0000", "0000");
    linha("sindical e centralizador", "CriticaSindicalCentralizada", {kOutra, kMesmaRaiz}, "3706", "3706");
    linha("sindical vazio", "CriticaSindicalCentralizada", {"", kMesmaRaiz}, "0000", "0000");
    linha("sindical zeros", "CriticaSindicalCentralizada", {kZeros, kMesmaRaiz}, "3706", "0000");
    // CriticaCentralizacao: type, CNPJ, indicator
    linha("CEI centralizador vazio", "CriticaCentralizacao", {"3", "", "2"}, "0000", "3719");
    linha("CEI centralizador zeros", "CriticaCentralizacao", {"3", kZeros, "2"}, "3719", "0000");
    linha("CEI com centralizador", "CriticaCentralizacao", {"3", kMesmaRaiz, "1"}, "3719", "3719");
    linha("centralizada sem CNPJ vazio", "CriticaCentralizacao", {"1", "", "1"}, "3725", "0000");
    linha("centralizada sem CNPJ zeros", "CriticaCentralizacao", {"1", kZeros, "1"}, "0000", "3725");
    linha("nao centralizada com CNPJ", "CriticaCentralizacao", {"1", kMesmaRaiz, "2"}, "3725", "3725");
    linha("centralizada com CNPJ", "CriticaCentralizacao", {"1", kMesmaRaiz, "1"}, "0000", "0000");
    linha("nao centralizada sem CNPJ", "CriticaCentralizacao", {"1", "", "2"}, "0000", "3725");
}

void tst_ugRegrasSindicais::comFlagDeArquivo()
{
    QFETCH(QString, regra);
    QFETCH(QStringList, e);
    QFETCH(QString, entrada);
    QFETCH(QString, arquivo);
    for (bool modo : {false, true}) {
        QString codigo;
        if (regra == QLatin1String("CriticaCampoPreenchido")) codigo = CriticaCampoPreenchido(e[0], modo);
        else if (regra == QLatin1String("CriticaSindicalCentralizada")) codigo = CriticaSindicalCentralizada(e[0], e[1], modo);
        else if (regra == QLatin1String("CriticaCentralizacao")) codigo = CriticaCentralizacao(e[0], e[1], e[2], modo);
        QCOMPARE(codigo, modo ? arquivo : entrada);
    }
}

void tst_ugRegrasSindicais::contribuicaoAusente_data()
{
    QTest::addColumn<QString>("sindical");
    QTest::addColumn<QString>("centralizado");
    QTest::addColumn<QString>("negativa");
    QTest::addColumn<QString>("natureza1");
    QTest::addColumn<QString>("simples");
    QTest::addColumn<QString>("entrada");
    QTest::addColumn<QString>("arquivo");
    QTest::newRow("empresa sem nada") << "" << "" << "0" << "2" << "2" << "3687" << "0000";
    QTest::newRow("empresa sem nada, zeros") << kZeros << kZeros << "0" << "2" << "2" << "0000" << "3687";
    QTest::newRow("empresa com sindical") << kOutra << "" << "0" << "2" << "2" << "0000" << "0000";
    QTest::newRow("empresa centralizada") << "" << kMesmaRaiz << "0" << "2" << "2" << "0000" << "0000";
    QTest::newRow("sem empregados") << "" << "" << "1" << "2" << "2" << "0000" << "0000";
    QTest::newRow("publica fora do simples") << "" << "" << "0" << "1" << "2" << "3687" << "0000";
    QTest::newRow("publica no simples") << "" << "" << "0" << "1" << "1" << "0000" << "0000";
    QTest::newRow("sem fins no simples, zeros") << kZeros << kZeros << "0" << "3" << "1" << "0000" << "0000";
    QTest::newRow("empresa no simples") << "" << "" << "0" << "2" << "1" << "3687" << "0000";
}

void tst_ugRegrasSindicais::contribuicaoAusente()
{
    QFETCH(QString, sindical);
    QFETCH(QString, centralizado);
    QFETCH(QString, negativa);
    QFETCH(QString, natureza1);
    QFETCH(QString, simples);
    QFETCH(QString, entrada);
    QFETCH(QString, arquivo);
    ParametrosContribuicaoAusente p{sindical, centralizado, negativa, natureza1, simples, false};
    QCOMPARE(CriticaContribuicaoAusente(p), entrada);
    p.ModoArquivo = true;
    QCOMPARE(CriticaContribuicaoAusente(p), arquivo);
}

void tst_ugRegrasSindicais::tabelasDeEntidades()
{
    test::FixtureTabelas tabelas;
    // Empty lists refuse no one.
    QCOMPARE(CriticaCnpjEntidadeEstab(kOutra), QStringLiteral("0000"));
    QCOMPARE(CriticaCnpjEntidadeVinculo(kOutra), QStringLiteral("0000"));

    tabelas.insere(QStringLiteral("tbempreg"), {{"CoCnpjEmpregador", kOutra}});
    QCOMPARE(CriticaCnpjEntidadeEstab(QStringLiteral(" ") + kOutra), QStringLiteral("0000"));
    QCOMPARE(CriticaCnpjEntidadeEstab(kMesmaRaiz), QStringLiteral("3688"));
    QCOMPARE(CriticaCnpjEntidadeVinculo(kMesmaRaiz), QStringLiteral("0000")); // tbtrab still empty

    tabelas.insere(QStringLiteral("tbtrab"), {{"CoCnpjTrabalhadores", kMesmaRaiz}});
    QCOMPARE(CriticaCnpjEntidadeVinculo(kMesmaRaiz), QStringLiteral("0000"));
    QCOMPARE(CriticaCnpjEntidadeVinculo(kOutra), QStringLiteral("3689"));

    tabelas.esvazia(QStringLiteral("tbtrab"));
    QCOMPARE(CriticaCnpjEntidadeVinculo(kOutra), QStringLiteral("0000"));
}

void tst_ugRegrasSindicais::cnpjQyvValido()
{
    QCOMPARE(CnpjQyv.size(), 14);
    QVERIFY(ValidaCNPJ(CnpjQyv));
    QCOMPARE(CriticaCnpjEntidade(CnpjQyv, QStringLiteral("sindical"), 0, true), QStringLiteral("0051"));
}

// The entity rule classifies with check digits of its own: every one-digit change of a CNPJ, a CEI and a
// number that is both, with each of the hundred endings (so that some are valid again), gets the class the
// library's ValidaCNPJ and ValidaCEI give it.
void tst_ugRegrasSindicais::classeAposTrocaDeUmDigito_data()
{
    QTest::addColumn<QString>("numero");
    QTest::newRow("CNPJ") << kOutra;
    QTest::newRow("CNPJ e CEI") << QStringLiteral("00000100001602");
    QTest::newRow("CEI") << QStringLiteral("00000100000002");
    QTest::newRow("QYV") << CnpjQyv;
}

void tst_ugRegrasSindicais::classeAposTrocaDeUmDigito()
{
    QFETCH(QString, numero);
    const QString proprio = numero.left(8) + QStringLiteral("999999");
    int validos = 0;
    for (int i = 0; i < 12; ++i) {
        for (char d = '0'; d <= '9'; ++d) {
            for (int final = 0; final < 100; ++final) {
                QString trocado = numero;
                trocado[i] = QLatin1Char(d);
                trocado.replace(12, 2, QStringLiteral("%1").arg(final, 2, 10, QLatin1Char('0')));
                if (trocado == proprio || SoZeros(trocado))
                    continue;
                const bool cnpj = ValidaCNPJ(trocado);
                const bool cei = ValidaCEI(trocado);
                validos += cnpj || cei;
                const char *classe = cnpj ? (cei ? "0050" : "0051") : (cei ? "0052" : "0059");
                QCOMPARE(CriticaCnpjEntidade(trocado, QStringLiteral("sindical"), 1, true), QLatin1String(classe));
                if (trocado.left(8) == proprio.left(8))
                    QCOMPARE(CriticaCnpjCentralizador(trocado, proprio, true),
                             QLatin1String(cnpj ? classe : "0059"));
            }
        }
    }
    QVERIFY(validos > 100);
}

void tst_ugRegrasSindicais::codigosTemMensagemInstalada()
{
    test::verificaMensagens({"0059", "3702", "3704", "3706", "3713", "3719", "3725", "3740", "3741", "3742", "3743",
                             "3744", "3745", "3746", "3756", "3757"},
                            {"3687", "3688", "3689"});
}

QTEST_GUILESS_MAIN(tst_ugRegrasSindicais)
#include "tst_ugRegrasSindicais.moc"
