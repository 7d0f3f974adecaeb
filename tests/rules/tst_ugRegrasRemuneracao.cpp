// Monthly pay and hours rules: each rule's codes in the order its tests decide; ten times the previous
// month, the limits by education band and legal nature, pay before the admission and after the
// dismissal, the apprentice's birthdays, no pay informed with each exemption, the dismissal month's
// share and the hours against pay. The base year is 2010.

#include "rules/ugRegrasRemuneracao.h"

#include "CasosDeRegras.h"

#include <QtTest>

using namespace gdvorn;

namespace {

const QHash<QString, test::Regra> kRegras = {
    {"CriticaRemuneracaoDezVezes", test::regra(&CriticaRemuneracaoDezVezes)},
    {"CriticaRemuneracaoLimiteInstrucao", test::regra(&CriticaRemuneracaoLimiteInstrucao)},
    {"CriticaRemuneracaoAntesAdmissao", test::regra(&CriticaRemuneracaoAntesAdmissao)},
    {"CriticaRemuneracaoAposDesligamento", test::regra(&CriticaRemuneracaoAposDesligamento)},
    {"CriticaRemuneracaoAprendiz", test::regra(&CriticaRemuneracaoAprendiz)},
    {"CriticaHorasNumericas", test::regra(&CriticaHorasNumericas)},
    {"CriticaHorasMes", test::regra(&CriticaHorasMes)},
    {"CriticaHorasSemRemuneracao", test::regra(&CriticaHorasSemRemuneracao)},
};

// Twelve pays, zero but for the months given (1 to 12).
ValoresMensais pagos(std::initializer_list<std::pair<int, qint64>> meses)
{
    ValoresMensais v{};
    for (const auto &[mes, valor] : meses)
        v[size_t(mes - 1)] = valor;
    return v;
}

} // namespace

Q_DECLARE_METATYPE(ValoresMensais)
Q_DECLARE_METATYPE(ParametrosRemuneracaoAfastamento)
Q_DECLARE_METATYPE(ParametrosHorasRemuneracao)

class tst_ugRegrasRemuneracao : public QObject {
    Q_OBJECT

private slots:
    void regras_data();
    void regras() { test::verificaCaso(kRegras); }
    void semRemuneracao_data();
    void semRemuneracao();
    void mesDesligamento_data();
    void mesDesligamento();
    void horasRemuneracao_data();
    void horasRemuneracao();
    void codigosTemMensagemInstalada();
};

void tst_ugRegrasRemuneracao::regras_data()
{
    using test::caso;
    test::colunasDeRegras();

    caso("marco dez vezes fevereiro", "CriticaRemuneracaoDezVezes", {"500000", "3", "50000"}, "0314");
    caso("janeiro nunca comparado", "CriticaRemuneracaoDezVezes", {"500000", "1", "50000"}, "0000");
    caso("um centavo a mais", "CriticaRemuneracaoDezVezes", {"500001", "3", "50000"}, "0000");
    caso("ambos zero", "CriticaRemuneracaoDezVezes", {"0", "3", "0"}, "0000");
    caso("anterior nao numerico", "CriticaRemuneracaoDezVezes", {"500000", "3", "5000A"}, "0000");
    caso("valor nao numerico", "CriticaRemuneracaoDezVezes", {"50000,00", "3", "5000"}, "0000");

    caso("nivel 5 acima de 10 minimos", "CriticaRemuneracaoLimiteInstrucao", {"510001", "05", "2062", "05"},
         "3768");
    caso("nivel 5 em 10 minimos", "CriticaRemuneracaoLimiteInstrucao", {"510000", "05", "2062", "05"}, "0000");
    caso("nivel 9 acima de 10 minimos", "CriticaRemuneracaoLimiteInstrucao", {"510001", "09", "2062", "05"},
         "0000");
    caso("nivel 9 acima de 20 minimos", "CriticaRemuneracaoLimiteInstrucao", {"1020001", "09", "2062", "05"},
         "3768");
    caso("nivel 11 em 20 minimos", "CriticaRemuneracaoLimiteInstrucao", {"1020000", "11", "2062", "05"}, "0000");
    caso("natureza 2011", "CriticaRemuneracaoLimiteInstrucao", {"9999999", "05", "2011", "05"}, "0000");
    caso("natureza 2038", "CriticaRemuneracaoLimiteInstrucao", {"9999999", "05", "2038", "05"}, "0000");
    caso("natureza 1031", "CriticaRemuneracaoLimiteInstrucao", {"9999999", "05", "1031", "05"}, "0000");
    caso("natureza 5010", "CriticaRemuneracaoLimiteInstrucao", {"9999999", "05", "5010", "05"}, "3768");
    caso("natureza 6000", "CriticaRemuneracaoLimiteInstrucao", {"9999999", "05", "6000", "05"}, "0000");
    caso("natureza zeros", "CriticaRemuneracaoLimiteInstrucao", {"9999999", "05", "0000", "05"}, "0000");
    caso("valor zeros", "CriticaRemuneracaoLimiteInstrucao", {"000000000", "05", "2062", "05"}, "0000");
    caso("instrucao nao numerica", "CriticaRemuneracaoLimiteInstrucao", {"9999999", "5A", "2062", "05"}, "0000");

    caso("marco, admitido em 10 de abril", "CriticaRemuneracaoAntesAdmissao", {"3", "10042010", "2010"}, "0310");
    caso("abril, admitido em 10 de abril", "CriticaRemuneracaoAntesAdmissao", {"04", "10042010", "2010"}, "0000");
    caso("admitido em ano anterior", "CriticaRemuneracaoAntesAdmissao", {"3", "10042009", "2010"}, "0000");
    caso("mes zero", "CriticaRemuneracaoAntesAdmissao", {"0", "10042010", "2010"}, "0000");
    caso("admissao curta", "CriticaRemuneracaoAntesAdmissao", {"3", "1004201", "2010"}, "0000");

    caso("maio, desligado em 15 de abril", "CriticaRemuneracaoAposDesligamento", {"5", "1504"}, "0311");
    caso("abril, desligado em 15 de abril", "CriticaRemuneracaoAposDesligamento", {"4", "1504"}, "0000");
    caso("dezembro, desligado em novembro", "CriticaRemuneracaoAposDesligamento", {"12", "3011"}, "0311");
    caso("sem desligamento", "CriticaRemuneracaoAposDesligamento", {"5", "0000"}, "0000");
    caso("desligamento vazio", "CriticaRemuneracaoAposDesligamento", {"5", ""}, "0000");

    caso("24 anos em junho, julho pago", "CriticaRemuneracaoAprendiz", {"7", "55", "15061986", "", "2010"}, "3503");
    caso("24 anos em junho, junho pago", "CriticaRemuneracaoAprendiz", {"6", "55", "15061986", "", "2010"}, "0000");
    caso("14 anos em junho, maio pago", "CriticaRemuneracaoAprendiz", {"05", "55", "15061996", "0", "2010"},
         "3503");
    caso("14 anos em junho, junho pago", "CriticaRemuneracaoAprendiz", {"06", "55", "15061996", "0", "2010"},
         "0000");
    caso("com deficiencia", "CriticaRemuneracaoAprendiz", {"7", "55", "15061986", "1", "2010"}, "0000");
    caso("outro vinculo", "CriticaRemuneracaoAprendiz", {"7", "10", "15061986", "", "2010"}, "0000");
    caso("20 anos", "CriticaRemuneracaoAprendiz", {"1", "55", "15121990", "", "2010"}, "0000");

    caso("horas vazias", "CriticaHorasNumericas", {""}, "0030");
    caso("horas com letra", "CriticaHorasNumericas", {"12A"}, "0030");
    caso("horas numericas", "CriticaHorasNumericas", {" 012 "}, "0000");

    caso("101 horas", "CriticaHorasMes", {"101"}, "3698");
    caso("100 horas", "CriticaHorasMes", {"100"}, "0000");
    caso("horas nao numericas", "CriticaHorasMes", {"1A1"}, "0000");

    caso("horas sem remuneracao", "CriticaHorasSemRemuneracao", {"010", "000000000"}, "3677");
    caso("horas com remuneracao", "CriticaHorasSemRemuneracao", {"010", "100"}, "0000");
    caso("sem horas nem remuneracao", "CriticaHorasSemRemuneracao", {"000", "0"}, "0000");
    caso("remuneracao vazia", "CriticaHorasSemRemuneracao", {"010", ""}, "0000");
}

void tst_ugRegrasRemuneracao::semRemuneracao_data()
{
    QTest::addColumn<ParametrosRemuneracaoAfastamento>("p");
    QTest::addColumn<QString>("esperado");
    const auto sem = [](auto ajusta) {
        ParametrosRemuneracaoAfastamento p;
        p.motivoAfastamento1 = QStringLiteral("00");
        p.inicioAfastamento1 = p.fimAfastamento1 = p.desligamento = QStringLiteral("0000");
        p.causaDesligamento = QStringLiteral("00");
        p.admissao = QStringLiteral("01032005");
        p.diasAfastamento = QStringLiteral("000");
        ajusta(p);
        return p;
    };
    const auto nada = [](ParametrosRemuneracaoAfastamento &) {};

    QTest::newRow("ano sem remuneracao") << sem(nada) << "1674";
    QTest::newRow("desligado em janeiro") << sem([](auto &p) { p.desligamento = "1501"; p.causaDesligamento = "11"; })
                                          << "0000";
    QTest::newRow("desligado no fim do afastamento")
        << sem([](auto &p) { p.inicioAfastamento1 = "0101"; p.fimAfastamento1 = p.desligamento = "1003"; })
        << "0000";
    QTest::newRow("afastado o ano todo")
        << sem([](auto &p) { p.inicioAfastamento1 = "0101"; p.fimAfastamento1 = "3112"; }) << "0000";
    QTest::newRow("afastado desde a admissao no ano-base")
        << sem([](auto &p) { p.admissao = "10052010"; p.inicioAfastamento1 = "1005"; p.fimAfastamento1 = "3112"; })
        << "0000";
    QTest::newRow("afastado desde a admissao em outro ano")
        << sem([](auto &p) { p.admissao = "10052009"; p.inicioAfastamento1 = "1005"; p.fimAfastamento1 = "3112"; })
        << "1674";
    QTest::newRow("causa 60") << sem([](auto &p) { p.desligamento = "1003"; p.causaDesligamento = "60"; })
                              << "0000";
    QTest::newRow("causa 79") << sem([](auto &p) { p.causaDesligamento = "79"; }) << "0000";
    QTest::newRow("causa 11") << sem([](auto &p) { p.desligamento = "1003"; p.causaDesligamento = "11"; })
                              << "1674";
    QTest::newRow("365 dias") << sem([](auto &p) { p.diasAfastamento = "365"; }) << "0000";

    // Dismissed in the month the first leave ends: the months worked before the leave must show pay.
    const auto afastadoAteDesligar = [](ParametrosRemuneracaoAfastamento &p) {
        p.admissao = "01022010";
        p.inicioAfastamento1 = "0105";
        p.fimAfastamento1 = p.desligamento = "3108";
        p.causaDesligamento = "11";
    };
    QTest::newRow("admitido no ano, fev-abr sem pagamento") << sem([&](auto &p) {
        afastadoAteDesligar(p);
        p.valores = pagos({{8, 10000}});
        p.remuneracaoTotal = 10000;
    }) << "1674";
    QTest::newRow("admitido no ano, marco pago") << sem([&](auto &p) {
        afastadoAteDesligar(p);
        p.valores = pagos({{3, 60000}, {8, 10000}});
        p.remuneracaoTotal = 70000;
    }) << "0000";
    QTest::newRow("admitido antes, jan-mar sem pagamento") << sem([&](auto &p) {
        afastadoAteDesligar(p);
        p.admissao = "01022005";
        p.inicioAfastamento1 = "0104";
        p.valores = pagos({{4, 10000}});
        p.remuneracaoTotal = 10000;
    }) << "1674";
    QTest::newRow("admitido antes, afastado em janeiro") << sem([&](auto &p) {
        afastadoAteDesligar(p);
        p.admissao = "01022005";
        p.inicioAfastamento1 = "1001";
        p.valores = pagos({{8, 10000}});
        p.remuneracaoTotal = 10000;
    }) << "0000";
    QTest::newRow("desligado em outro mes que o fim do afastamento") << sem([&](auto &p) {
        afastadoAteDesligar(p);
        p.desligamento = "3009";
        p.valores = pagos({{9, 10000}});
        p.remuneracaoTotal = 10000;
    }) << "0000";
}

void tst_ugRegrasRemuneracao::semRemuneracao()
{
    QFETCH(ParametrosRemuneracaoAfastamento, p);
    QFETCH(QString, esperado);
    QCOMPARE(CriticaRemuneracaoAfastamento(p), esperado);
}

void tst_ugRegrasRemuneracao::mesDesligamento_data()
{
    QTest::addColumn<QString>("desligamento");
    QTest::addColumn<ValoresMensais>("valores");
    QTest::addColumn<QString>("esperado");
    // 10 March: March's share is 10 × February / 30.
    QTest::newRow("acima da parte") << "1003" << pagos({{2, 3000}, {3, 1100}}) << "3775";
    QTest::newRow("exatamente a parte") << "1003" << pagos({{2, 3000}, {3, 1000}}) << "0000";
    QTest::newRow("um centavo acima") << "1003" << pagos({{2, 3000}, {3, 1001}}) << "3775";
    QTest::newRow("janeiro") << "1001" << pagos({{1, 9000}}) << "0000";
    QTest::newRow("mes anterior sem pagamento") << "1003" << pagos({{3, 9000}}) << "0000";
    QTest::newRow("sem desligamento") << "0000" << pagos({{2, 3000}, {3, 9000}}) << "0000";
    QTest::newRow("desligamento nao numerico") << "10/3" << pagos({{2, 3000}, {3, 9000}}) << "0000";
    QTest::newRow("valores grandes sem estouro") << "3012" << pagos({{11, 9'000'000'000}, {12, 9'000'000'001}})
                                                 << "3775";
}

void tst_ugRegrasRemuneracao::mesDesligamento()
{
    QFETCH(QString, desligamento);
    QFETCH(ValoresMensais, valores);
    QFETCH(QString, esperado);
    QCOMPARE(CriticaRemuneracaoMesDesligamento(desligamento, valores), esperado);
}

void tst_ugRegrasRemuneracao::horasRemuneracao_data()
{
    QTest::addColumn<ParametrosHorasRemuneracao>("p");
    QTest::addColumn<QString>("esperado");
    const auto h = [](qint64 valor, int horas, int mes, int mesDesligamento, const char *admissao,
                      const char *encerramento) {
        ParametrosHorasRemuneracao p;
        p.valor = valor;
        p.horas = horas;
        p.mes = mes;
        p.mesDesligamento = mesDesligamento;
        p.admissao = QString::fromLatin1(admissao);
        p.anoEncerramento = QString::fromLatin1(encerramento);
        return p;
    };
    QTest::newRow("novembro, desligado em outubro") << h(100, 10, 11, 10, "012005", "") << "3710";
    QTest::newRow("outubro, desligado em outubro, sem pagamento") << h(0, 10, 10, 10, "012005", "") << "0000";
    QTest::newRow("marco, admitido em abril") << h(100, 10, 3, 0, "042010", "") << "3711";
    QTest::newRow("marco, admitido em abril, encerrado no ano") << h(100, 10, 3, 0, "042010", "2010") << "3711";
    QTest::newRow("marco, encerrado em outro ano") << h(100, 10, 3, 0, "042010", "2009") << "0000";
    QTest::newRow("maio sem pagamento, admitido em abril") << h(0, 10, 5, 0, "042010", "0000") << "3677";
    QTest::newRow("admitido antes, sem pagamento") << h(0, 10, 5, 0, "012005", "") << "3677";
    QTest::newRow("admitido antes, com pagamento") << h(100, 10, 5, 0, "012005", "") << "0000";
    QTest::newRow("sem horas") << h(0, 0, 5, 0, "012005", "") << "0000";
}

void tst_ugRegrasRemuneracao::horasRemuneracao()
{
    QFETCH(ParametrosHorasRemuneracao, p);
    QFETCH(QString, esperado);
    QCOMPARE(CriticaHorasRemuneracao(p), esperado);
}

void tst_ugRegrasRemuneracao::codigosTemMensagemInstalada()
{
    test::verificaMensagens({"0030", "0310", "1674", "3503", "3677", "3710", "3711"},
                            {"0311", "0314", "3698", "3768", "3775"});
}

QTEST_GUILESS_MAIN(tst_ugRegrasRemuneracao)
#include "tst_ugRegrasRemuneracao.moc"
