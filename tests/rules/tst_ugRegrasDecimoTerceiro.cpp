// 13th-salary rules: each rule's codes in the order its tests decide; the months with "99", month and
// value together, values at the upper limit, the months against the admission and the dismissal.

#include "rules/ugRegrasDecimoTerceiro.h"

#include "CasosDeRegras.h"

#include <QtTest>

using namespace gdvorn;

namespace {

const QHash<QString, test::Regra> kRegras = {
    {"CriticaFormatoMes13Adiantamento", test::regra(&CriticaFormatoMes13Adiantamento)},
    {"CriticaFormatoMes13Final", test::regra(&CriticaFormatoMes13Final)},
    {"CriticaValor13AdiantamentoNum", test::regra(&CriticaValor13AdiantamentoNum)},
    {"CriticaValor13FinalNum", test::regra(&CriticaValor13FinalNum)},
    {"CriticaValor13Adiantamento", test::regra(&CriticaValor13Adiantamento)},
    {"CriticaValor13Final", test::regra(&CriticaValor13Final)},
    {"CriticaMes13Final", test::regra(&CriticaMes13Final)},
    {"CriticaMes13", test::regra(&CriticaMes13)},
    {"CriticaMes13Entrada", test::regra(&CriticaMes13Entrada)},
    {"CriticaMes13Adiantamento", test::regra(&CriticaMes13Adiantamento)},
    {"CriticaMes13FinalAposDesligamento", test::regra(&CriticaMes13FinalAposDesligamento)},
};

} // namespace

class tst_ugRegrasDecimoTerceiro : public QObject {
    Q_OBJECT

private slots:
    void regras_data();
    void regras() { test::verificaCaso(kRegras); }
    void codigosTemMensagemInstalada();
};

void tst_ugRegrasDecimoTerceiro::regras_data()
{
    using test::caso;
    test::colunasDeRegras();

    caso("adiantamento vazio", "CriticaFormatoMes13Adiantamento", {" "}, "0322");
    caso("adiantamento de 1 digito", "CriticaFormatoMes13Adiantamento", {"5"}, "0040");
    caso("adiantamento 00", "CriticaFormatoMes13Adiantamento", {"00"}, "0000");
    caso("adiantamento 12", "CriticaFormatoMes13Adiantamento", {"12"}, "0000");
    caso("adiantamento 13", "CriticaFormatoMes13Adiantamento", {"13"}, "0322");
    caso("adiantamento 99", "CriticaFormatoMes13Adiantamento", {"99"}, "0322");
    caso("final vazio", "CriticaFormatoMes13Final", {""}, "0322");
    caso("final 99", "CriticaFormatoMes13Final", {"99"}, "0000");
    caso("final 13", "CriticaFormatoMes13Final", {"13"}, "0322");
    caso("final 00", "CriticaFormatoMes13Final", {"00"}, "0000");

    caso("valor do adiantamento vazio", "CriticaValor13AdiantamentoNum", {""}, "0333");
    caso("valor do adiantamento curto", "CriticaValor13AdiantamentoNum", {"5000"}, "0040");
    caso("valor final vazio", "CriticaValor13FinalNum", {""}, "0334");
    caso("valor final de 9", "CriticaValor13FinalNum", {"000005000"}, "0000");

    caso("valor sem mes", "CriticaValor13Adiantamento", {"00", "000050000"}, "0324");
    caso("mes sem valor", "CriticaValor13Adiantamento", {"11", "000000000"}, "0330");
    caso("adiantamento no limite", "CriticaValor13Adiantamento", {"11", "007650000"}, "0332");
    caso("adiantamento abaixo do limite", "CriticaValor13Adiantamento", {"11", "007649999"}, "0000");
    caso("nenhum", "CriticaValor13Adiantamento", {"00", "000000000"}, "0000");
    caso("mes vazio", "CriticaValor13Adiantamento", {" ", "000050000"}, "0000");
    caso("final: valor sem mes", "CriticaValor13Final", {"00", "000050000"}, "0325");
    caso("final: mes sem valor", "CriticaValor13Final", {"12", "000000000"}, "0331");
    caso("final no limite", "CriticaValor13Final", {"99", "007650000"}, "0332");
    caso("final: valor nao numerico", "CriticaValor13Final", {"12", "500,00"}, "0000");

    caso("final no mes do adiantamento", "CriticaMes13Final", {"11", "11"}, "0323");
    caso("final antes do adiantamento", "CriticaMes13Final", {"11", "10"}, "0323");
    caso("final depois do adiantamento", "CriticaMes13Final", {"11", "12"}, "0000");
    caso("final 99 com adiantamento", "CriticaMes13Final", {"11", "99"}, "0326");
    caso("final 99 sem adiantamento", "CriticaMes13Final", {"00", "99"}, "0000");
    caso("final zero", "CriticaMes13Final", {"11", "00"}, "0000");

    caso("maio, admitido em junho", "CriticaMes13", {"05", "01062010", "2010"}, "0320");
    caso("junho, admitido em junho", "CriticaMes13", {"06", "01062010", "2010"}, "0000");
    caso("admitido em ano anterior", "CriticaMes13", {"05", "01062009", "2010"}, "0000");
    caso("mes zero", "CriticaMes13", {"00", "01062010", "2010"}, "0000");
    caso("admissao vazia", "CriticaMes13", {"05", "", "2010"}, "0000");
    caso("entrada: maio, admitido em junho", "CriticaMes13Entrada", {"05", "01062010", "2010"}, "0320");
    caso("entrada: admitido em ano anterior", "CriticaMes13Entrada", {"05", "01062009", "2010"}, "0000");
    caso("entrada: mes nao numerico", "CriticaMes13Entrada", {"5 ", "01062010", "2010"}, "0000");

    caso("adiantamento apos o desligamento", "CriticaMes13Adiantamento", {"11", "1509"}, "0321");
    caso("adiantamento no mes do desligamento", "CriticaMes13Adiantamento", {"09", "1509"}, "0000");
    caso("adiantamento sem desligamento", "CriticaMes13Adiantamento", {"11", "0000"}, "0000");
    caso("adiantamento nao numerico", "CriticaMes13Adiantamento", {"1A", "1509"}, "0000");

    caso("final em dezembro, desligado em setembro", "CriticaMes13FinalAposDesligamento", {"12", "1509"}, "0321");
    caso("final 99, desligado em setembro", "CriticaMes13FinalAposDesligamento", {"99", "1509"}, "0000");
    caso("final em setembro", "CriticaMes13FinalAposDesligamento", {"09", "1509"}, "0000");
    caso("final sem desligamento", "CriticaMes13FinalAposDesligamento", {"12", "0000"}, "0000");
}

void tst_ugRegrasDecimoTerceiro::codigosTemMensagemInstalada()
{
    test::verificaMensagens({"0040", "0320", "0322", "0323", "0324", "0325", "0326", "0330", "0331", "0333",
                             "0334"},
                            {"0321", "0332"});
}

QTEST_GUILESS_MAIN(tst_ugRegrasDecimoTerceiro)
#include "tst_ugRegrasDecimoTerceiro.moc"
