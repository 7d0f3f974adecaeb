// Contractual salary and minimum-pay rules: each rule's codes in the order its tests decide; the
// contractual salary by salary type and link type; a month's pay against the minimum wage and the upper
// limit with the exempt legal natures, the admission and the dismissal months; a month paid below 70 %
// of the contractual salary, exactly 70 % and one cent below, with leave months.

#include "rules/ugRegrasSalario.h"

#include "CasosDeRegras.h"
#include "FixtureTabelas.h"

#include <QtTest>

using namespace gdvorn;

namespace {

const QHash<QString, test::Regra> kRegras = {
    {"CriticaSalarioNumerico", test::regra(&CriticaSalarioNumerico)},
    {"CriticaTipoSalario", test::regra(&CriticaTipoSalario)},
    {"CriticaSalarioContratual", test::regra(&CriticaSalarioContratual)},
    {"CriticaSalarioValor", test::regra(&CriticaSalarioValor)},
};

} // namespace

Q_DECLARE_METATYPE(ParametrosSalarioMinimo)
Q_DECLARE_METATYPE(ParametrosRemuneracaoAbaixoContratual)

class tst_ugRegrasSalario : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_tabelas.reset(); }
    void regras_data();
    void regras() { test::verificaCaso(kRegras); }
    void salarioMinimo_data();
    void salarioMinimo();
    void abaixoContratual_data();
    void abaixoContratual();
    void codigosTemMensagemInstalada();

private:
    std::unique_ptr<test::FixtureTabelas> m_tabelas;
};

void tst_ugRegrasSalario::initTestCase()
{
    m_tabelas = std::make_unique<test::FixtureTabelas>();
    m_tabelas->insere(QStringLiteral("tb8tpsal"), QList<QVariantMap>{
        {{"CoTipoSalarioContratual", "1"}, {"NoTipoSalarioContratual", "Mensal"}},
        {{"CoTipoSalarioContratual", "5"}, {"NoTipoSalarioContratual", "Horário"}},
    });
}

void tst_ugRegrasSalario::regras_data()
{
    using test::caso;
    test::colunasDeRegras();

    caso("salario de 9 digitos", "CriticaSalarioNumerico", {" 000051000 "}, "0000");
    caso("salario curto", "CriticaSalarioNumerico", {"51000"}, "0040");
    caso("salario vazio", "CriticaSalarioNumerico", {""}, "0040");

    caso("tipo vazio", "CriticaTipoSalario", {""}, "0241");
    caso("tipo zero", "CriticaTipoSalario", {"0"}, "0241");
    caso("tipo letra", "CriticaTipoSalario", {"M"}, "0040");
    caso("tipo cadastrado", "CriticaTipoSalario", {"5"}, "0000");
    caso("tipo nao cadastrado", "CriticaTipoSalario", {"7"}, "0240");

    caso("mensal abaixo do minimo", "CriticaSalarioContratual", {"000050999", "1", "10"}, "0230");
    caso("mensal no minimo", "CriticaSalarioContratual", {"000051000", "1", "10"}, "0000");
    caso("mensal no limite", "CriticaSalarioContratual", {"007650000", "1", "10"}, "0231");
    caso("mensal abaixo do limite", "CriticaSalarioContratual", {"007649999", "1", "10"}, "0000");
    caso("vinculo 35 isento", "CriticaSalarioContratual", {"000050999", "1", "35"}, "0000");
    caso("zero, vinculo 10", "CriticaSalarioContratual", {"000000000", "1", "10"}, "0232");
    caso("zero, vinculo 35", "CriticaSalarioContratual", {"000000000", "1", "35"}, "0000");
    caso("zero, horario", "CriticaSalarioContratual", {"000000000", "5", "10"}, "0232");
    caso("horario abaixo do minimo", "CriticaSalarioContratual", {"000000500", "5", "10"}, "0000");
    caso("salario vazio", "CriticaSalarioContratual", {"", "1", "10"}, "0000");
    caso("vinculo zero", "CriticaSalarioContratual", {"000000000", "1", "00"}, "0000");

    caso("vinculo 10 sem salario", "CriticaSalarioValor", {"10", "000000000", "0000", "0000"}, "0232");
    caso("vinculo 10, afastado, sem salario", "CriticaSalarioValor", {"10", "000000000", "0101", "3112"}, "0232");
    caso("vinculo 10, salario curto", "CriticaSalarioValor", {"10", "51000", "", ""}, "0040");
    caso("vinculo 10 com salario", "CriticaSalarioValor", {"10", "000051000", "", ""}, "0000");
    caso("vinculo 30 sem salario", "CriticaSalarioValor", {"30", "000000000", "", ""}, "0000");
    caso("vinculo 95 sem salario", "CriticaSalarioValor", {"95", "", "", ""}, "0000");
}

void tst_ugRegrasSalario::salarioMinimo_data()
{
    QTest::addColumn<ParametrosSalarioMinimo>("p");
    QTest::addColumn<QString>("esperado");
    // A monthly-salaried link of type 10 in a private company, admitted before the base year, not dismissed.
    const auto mes = [](const char *valor, auto ajusta) {
        ParametrosSalarioMinimo p{QString::fromLatin1(valor), "05", "1", "10", "2062", "0000", "01022005", "2010"};
        ajusta(p);
        return p;
    };
    const auto nada = [](ParametrosSalarioMinimo &) {};

    QTest::newRow("valor vazio") << mes("", nada) << "0315";
    QTest::newRow("valor curto") << mes("40000", nada) << "0040";
    QTest::newRow("valor zeros") << mes("000000000", nada) << "0000";
    QTest::newRow("abaixo do minimo, mes cheio") << mes("000040000", nada) << "0312";
    QTest::newRow("no minimo") << mes("000051000", nada) << "0000";
    QTest::newRow("natureza 1015 isenta") << mes("000040000", [](auto &p) { p.naturezaJuridica = "1015"; })
                                          << "0000";
    QTest::newRow("natureza 1163 isenta") << mes("000040000", [](auto &p) { p.naturezaJuridica = "1163"; })
                                          << "0000";
    QTest::newRow("vinculo 35 isento") << mes("000040000", [](auto &p) { p.vinculo = "35"; }) << "0000";
    QTest::newRow("vinculo 35 no limite") << mes("007650000", [](auto &p) { p.vinculo = "35"; }) << "0000";
    QTest::newRow("no limite") << mes("007650000", nada) << "0313";
    QTest::newRow("horario no limite") << mes("007650000", [](auto &p) { p.tipoSalario = "5"; }) << "0313";
    QTest::newRow("horario abaixo do minimo") << mes("000040000", [](auto &p) { p.tipoSalario = "5"; }) << "0000";
    QTest::newRow("mes do desligamento") << mes("000040000", [](auto &p) { p.desligamento = "1505"; }) << "0000";
    QTest::newRow("mes antes do desligamento") << mes("000040000", [](auto &p) { p.desligamento = "1506"; })
                                               << "0312";
    QTest::newRow("mes de um digito antes do desligamento")
        << mes("000040000", [](auto &p) { p.mes = "5"; p.desligamento = "1510"; }) << "0312";
    QTest::newRow("mes da admissao no ano-base") << mes("000040000", [](auto &p) { p.admissao = "10052010"; })
                                                 << "0000";
    QTest::newRow("mes da admissao no ano-base, no limite")
        << mes("007650000", [](auto &p) { p.admissao = "10052010"; }) << "0313";
    QTest::newRow("mes seguinte a admissao no ano-base")
        << mes("000040000", [](auto &p) { p.admissao = "10042010"; }) << "0312";
    QTest::newRow("desligamento no ano-base, no limite")
        << mes("007650000", [](auto &p) { p.admissao = "10012010"; p.desligamento = "1505"; }) << "0313";
}

void tst_ugRegrasSalario::salarioMinimo()
{
    QFETCH(ParametrosSalarioMinimo, p);
    QFETCH(QString, esperado);
    QCOMPARE(CriticaSalarioMinimo(p), esperado);
}

void tst_ugRegrasSalario::abaixoContratual_data()
{
    QTest::addColumn<ParametrosRemuneracaoAbaixoContratual>("p");
    QTest::addColumn<QString>("esperado");
    // May's pay of a monthly-salaried link of type 10 whose contractual salary is 1000,00 (70 %: 700,00).
    const auto maio = [](const char *valor, auto ajusta) {
        ParametrosRemuneracaoAbaixoContratual p;
        p.valor = QString::fromLatin1(valor);
        p.mes = "05";
        p.tipoSalario = "1";
        p.salarioContratual = "000100000";
        p.admissao = "01022005";
        p.desligamento = "0000";
        p.vinculo = "10";
        ajusta(p);
        return p;
    };
    const auto nada = [](ParametrosRemuneracaoAbaixoContratual &) {};

    QTest::newRow("um centavo abaixo de 70%") << maio("000069999", nada) << "3728";
    QTest::newRow("exatamente 70%") << maio("000070000", nada) << "0000";
    // 70 % of 1,43 is 1,001: 1,00 is below, 1,01 above; no rounding of a real product decides it.
    QTest::newRow("70% nao inteiro, abaixo")
        << maio("000000100", [](auto &p) { p.salarioContratual = "000000143"; }) << "3728";
    QTest::newRow("70% nao inteiro, acima")
        << maio("000000101", [](auto &p) { p.salarioContratual = "000000143"; }) << "0000";
    QTest::newRow("sem zeros a esquerda") << maio("69999", [](auto &p) { p.salarioContratual = "100000"; })
                                          << "3728";
    QTest::newRow("valor zero") << maio("000000000", nada) << "0000";
    QTest::newRow("valor vazio") << maio("", nada) << "0000";
    QTest::newRow("horario") << maio("000069999", [](auto &p) { p.tipoSalario = "5"; }) << "0000";
    QTest::newRow("vinculo 96") << maio("000069999", [](auto &p) { p.vinculo = "96"; }) << "0000";
    QTest::newRow("terceiro afastamento comeca em maio")
        << maio("000069999", [](auto &p) { p.inicioAfastamento3 = "1005"; p.fimAfastamento3 = "2006"; }) << "0000";
    QTest::newRow("primeiro afastamento termina em maio")
        << maio("000069999", [](auto &p) { p.inicioAfastamento1 = "1003"; p.fimAfastamento1 = "2005"; }) << "0000";
    QTest::newRow("afastamento de marco a junho")
        << maio("000069999", [](auto &p) { p.inicioAfastamento1 = "1003"; p.fimAfastamento1 = "2006"; }) << "3728";
    QTest::newRow("mes do desligamento") << maio("000069999", [](auto &p) { p.desligamento = "1505"; }) << "0000";
    QTest::newRow("antes do desligamento") << maio("000069999", [](auto &p) { p.desligamento = "1506"; })
                                           << "3728";
    QTest::newRow("data nao numerica") << maio("000069999", [](auto &p) { p.inicioAfastamento2 = "10/3"; })
                                       << "0000";
    QTest::newRow("admissao vazia") << maio("000069999", [](auto &p) { p.admissao = ""; }) << "0000";
}

void tst_ugRegrasSalario::abaixoContratual()
{
    QFETCH(ParametrosRemuneracaoAbaixoContratual, p);
    QFETCH(QString, esperado);
    QCOMPARE(CriticaRemuneracaoAbaixoContratual(p), esperado);
}

void tst_ugRegrasSalario::codigosTemMensagemInstalada()
{
    test::verificaMensagens({"0040", "0232", "0240", "0241", "0315"},
                            {"0230", "0231", "0312", "0313", "3728"});
}

QTEST_GUILESS_MAIN(tst_ugRegrasSalario)
#include "tst_ugRegrasSalario.moc"
