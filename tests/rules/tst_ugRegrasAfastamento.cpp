// Leave rules: each rule's codes in the order its tests decide; reasons filled in order, dates of
// leaves with and without reasons, leaves reversed or outside the admission and dismissal, the days.

#include "rules/ugRegrasAfastamento.h"

#include "CasosDeRegras.h"

#include <QtTest>

using namespace gdvorn;

namespace {

const QHash<QString, test::Regra> kRegras = {
    {"CriticaMotivoAfastamento", test::regra(&CriticaMotivoAfastamento)},
    {"CriticaMotivosAfastamento", test::regra(&CriticaMotivosAfastamento)},
    {"CriticaDataAfastamentoValida", test::regra(&CriticaDataAfastamentoValida)},
    {"CriticaDataAfastamento",
     [](const QStringList &e) { return CriticaDataAfastamento(e.value(0), e.value(1), e.value(2) == "inicio"); }},
    {"CriticaAfastamentoFim", test::regra(&CriticaAfastamentoFim)},
    {"CriticaAfastamentoPeriodo", test::regra(&CriticaAfastamentoPeriodo)},
    {"CriticaAfastamentoInicio", test::regra(&CriticaAfastamentoInicio)},
    {"CriticaDiasAfastamento", test::regra(&CriticaDiasAfastamento)},
    {"CriticaDiasAfastamentoMotivo", test::regra(&CriticaDiasAfastamentoMotivo)},
};

} // namespace

class tst_ugRegrasAfastamento : public QObject {
    Q_OBJECT

private slots:
    void regras_data();
    void regras() { test::verificaCaso(kRegras); }
    void codigosTemMensagemInstalada();
};

void tst_ugRegrasAfastamento::regras_data()
{
    using test::caso;
    test::colunasDeRegras();

    caso("motivo 15", "CriticaMotivoAfastamento", {"15"}, "3629");
    caso("motivo 80", "CriticaMotivoAfastamento", {"80"}, "3629");
    caso("motivo 00", "CriticaMotivoAfastamento", {"00"}, "0000");
    caso("motivo 10", "CriticaMotivoAfastamento", {"10"}, "0000");
    caso("motivo 70", "CriticaMotivoAfastamento", {"70"}, "0000");
    caso("motivo vazio", "CriticaMotivoAfastamento", {""}, "0040");

    caso("segundo sem primeiro", "CriticaMotivosAfastamento", {"00", "10", "00"}, "3748");
    caso("terceiro so com o primeiro", "CriticaMotivosAfastamento", {"10", "", "20"}, "3749");
    caso("terceiro sem nenhum", "CriticaMotivosAfastamento", {"", "", "20"}, "3749");
    caso("tres em ordem", "CriticaMotivosAfastamento", {"10", "20", "30"}, "0000");
    caso("so o primeiro", "CriticaMotivosAfastamento", {"10", "00", "00"}, "0000");

    caso("data de 3 digitos", "CriticaDataAfastamentoValida", {"101", "2010"}, "0040");
    caso("data zeros", "CriticaDataAfastamentoValida", {"0000", "2010"}, "0000");
    caso("30 de fevereiro", "CriticaDataAfastamentoValida", {"3002", "2010"}, "3630");
    caso("mes 13", "CriticaDataAfastamentoValida", {"0113", "2010"}, "3630");
    caso("28 de fevereiro", "CriticaDataAfastamentoValida", {"2802", "2010"}, "0000");

    caso("motivo sem inicio", "CriticaDataAfastamento", {"0000", "10", "inicio"}, "3638");
    caso("motivo sem fim", "CriticaDataAfastamento", {"0000", "10", "fim"}, "3643");
    caso("motivo com data", "CriticaDataAfastamento", {"0503", "10", "inicio"}, "0000");
    caso("motivo com data vazia", "CriticaDataAfastamento", {"", "10", "fim"}, "0000");
    caso("data sem motivo", "CriticaDataAfastamento", {"0503", "00", "inicio"}, "3646");
    caso("data vazia sem motivo", "CriticaDataAfastamento", {"", "00", "fim"}, "3646");
    caso("motivo nao numerico vale 00", "CriticaDataAfastamento", {"0503", "1A", "inicio"}, "3646");
    caso("nem data nem motivo", "CriticaDataAfastamento", {"0000", "", "inicio"}, "0000");

    caso("fim antes do inicio", "CriticaAfastamentoFim", {"0603", "0503"}, "3633");
    caso("fim no dia do inicio", "CriticaAfastamentoFim", {"0603", "0603"}, "0000");
    caso("mes decide", "CriticaAfastamentoFim", {"3101", "0102"}, "0000");
    caso("fim zeros", "CriticaAfastamentoFim", {"0603", "0000"}, "0000");
    caso("inicio zeros", "CriticaAfastamentoFim", {"0000", "0503"}, "0000");

    caso("afastamento antes da admissao", "CriticaAfastamentoPeriodo", {"0104", "02042010", "2010"}, "3632");
    caso("afastamento na admissao", "CriticaAfastamentoPeriodo", {"0204", "02042010", "2010"}, "0000");
    caso("admissao em ano anterior", "CriticaAfastamentoPeriodo", {"0104", "02042009", "2010"}, "0000");

    caso("afastamento apos o desligamento", "CriticaAfastamentoInicio", {"2010", "1910", "2010"}, "3631");
    caso("afastamento no desligamento", "CriticaAfastamentoInicio", {"1910", "1910", "2010"}, "0000");
    caso("mes seguinte ao desligamento", "CriticaAfastamentoInicio", {"0111", "3110", ""}, "3631");
    caso("sem desligamento", "CriticaAfastamentoInicio", {"2010", "0000", "2010"}, "0000");

    caso("motivo sem dias", "CriticaDiasAfastamento", {"10", "00", "00", "000"}, "3644");
    caso("segundo motivo, dias vazios", "CriticaDiasAfastamento", {"00", "20", "00", ""}, "3644");
    caso("motivo com dias", "CriticaDiasAfastamento", {"10", "00", "00", "015"}, "0000");
    caso("sem motivo", "CriticaDiasAfastamento", {"00", "", "00", "000"}, "0000");

    caso("366 dias", "CriticaDiasAfastamentoMotivo", {"366", "10"}, "3640");
    caso("365 dias", "CriticaDiasAfastamentoMotivo", {"365", "10"}, "0000");
    caso("dias sem primeiro motivo", "CriticaDiasAfastamentoMotivo", {"100", "00"}, "3753");
    caso("dias zeros", "CriticaDiasAfastamentoMotivo", {"000", "00"}, "0000");
    caso("dias de 2 digitos", "CriticaDiasAfastamentoMotivo", {"10", "10"}, "0040");
}

void tst_ugRegrasAfastamento::codigosTemMensagemInstalada()
{
    test::verificaMensagens({"0040", "3629", "3630", "3631", "3632", "3633", "3638", "3640", "3643", "3644",
                             "3646", "3748", "3749", "3753"});
}

QTEST_GUILESS_MAIN(tst_ugRegrasAfastamento)
#include "tst_ugRegrasAfastamento.moc"
