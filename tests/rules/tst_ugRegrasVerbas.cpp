// Termination-payment rules: each rule's codes in the order its tests decide; amounts and months, an
// amount without a dismissal cause, the pairs of amount and months, and a dismissal without amounts.

#include "rules/ugRegrasVerbas.h"

#include "CasosDeRegras.h"

#include <QtTest>

using namespace gdvorn;

namespace {

const QHash<QString, test::Regra> kRegras = {
    {"CriticaValorVerba", test::regra(&CriticaValorVerba)},
    {"CriticaMesesCompetencia", test::regra(&CriticaMesesCompetencia)},
    {"CriticaValorVerbaRescisoria", test::regra(&CriticaValorVerbaRescisoria)},
    {"CriticaBancoHoras", test::regra(&CriticaBancoHoras)},
    {"CriticaDissidio", test::regra(&CriticaDissidio)},
    {"CriticaGratificacoes", test::regra(&CriticaGratificacoes)},
    {"CriticaVerbasDesligamento", test::regra(&CriticaVerbasDesligamento)},
};

} // namespace

class tst_ugRegrasVerbas : public QObject {
    Q_OBJECT

private slots:
    void regras_data();
    void regras() { test::verificaCaso(kRegras); }
    void codigosTemMensagemInstalada();
};

void tst_ugRegrasVerbas::regras_data()
{
    using test::caso;
    test::colunasDeRegras();

    caso("verba vazia", "CriticaValorVerba", {""}, "3648");
    caso("verba de 7 digitos", "CriticaValorVerba", {"1000000"}, "3648");
    caso("verba de 9 digitos", "CriticaValorVerba", {"100000000"}, "3648");
    caso("verba com virgula", "CriticaValorVerba", {"10000,00"}, "3648");
    caso("verba de 8 digitos", "CriticaValorVerba", {"00100000"}, "0000");

    caso("meses de 1 digito", "CriticaMesesCompetencia", {"3"}, "3648");
    caso("meses de 3 digitos", "CriticaMesesCompetencia", {"003"}, "3648");
    caso("meses de 2 digitos", "CriticaMesesCompetencia", {"03"}, "0000");

    caso("verba sem causa", "CriticaValorVerbaRescisoria", {"00", "00100000"}, "3675");
    caso("verba com causa vazia", "CriticaValorVerbaRescisoria", {"", "00100000"}, "3675");
    caso("verba com causa 11", "CriticaValorVerbaRescisoria", {"11", "00100000"}, "0000");
    caso("0,00 sem causa", "CriticaValorVerbaRescisoria", {"00", "0,00"}, "0000");
    caso("0 sem causa", "CriticaValorVerbaRescisoria", {"00", "0"}, "0000");
    caso("zeros sem causa", "CriticaValorVerbaRescisoria", {"00", "00000000"}, "0000");
    // Zero in another width is still no amount.
    caso("zeros de outra largura sem causa", "CriticaValorVerbaRescisoria", {"00", "000000000"}, "0000");
    caso("vazia sem causa", "CriticaValorVerbaRescisoria", {"00", ""}, "0000");

    caso("banco de horas sem meses", "CriticaBancoHoras", {"00100000", "00"}, "3680");
    caso("meses sem banco de horas", "CriticaBancoHoras", {"0,00", "03"}, "3681");
    caso("banco de horas com meses", "CriticaBancoHoras", {"00100000", "03"}, "0000");
    caso("nenhum", "CriticaBancoHoras", {"", "0"}, "0000");
    caso("dissidio sem meses", "CriticaDissidio", {"00100000", ""}, "3680");
    caso("meses sem dissidio", "CriticaDissidio", {"00000000", "02"}, "3682");
    caso("gratificacoes sem meses", "CriticaGratificacoes", {"00100000", "0"}, "3680");
    caso("meses sem gratificacoes", "CriticaGratificacoes", {"", "12"}, "3683");

    caso("cinco verbas ausentes", "CriticaVerbasDesligamento", {"00000000", "", "0", "0,00", " "}, "3758");
    caso("uma verba", "CriticaVerbasDesligamento", {"00000000", "", "00000001", "", ""}, "0000");
    caso("so dissidio", "CriticaVerbasDesligamento", {"", "", "", "", "00050000"}, "0000");
    caso("verba nao numerica conta zero", "CriticaVerbasDesligamento", {"100,00", "", "", "", ""}, "3758");
}

void tst_ugRegrasVerbas::codigosTemMensagemInstalada()
{
    test::verificaMensagens({"3648", "3675", "3680", "3681", "3682", "3683"},
                            {"3758"});
}

QTEST_GUILESS_MAIN(tst_ugRegrasVerbas)
#include "tst_ugRegrasVerbas.moc"
