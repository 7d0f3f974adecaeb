// Dismissal and notice-pay rules: each rule's codes in the order its tests decide; cause and date
// (31 February refused), dismissal before the admission and after the closure, the closed
// establishment's links, causes 32 and 33 by legal nature, and the notice pay.

#include "rules/ugRegrasDesligamento.h"

#include "CasosDeRegras.h"
#include "FixtureTabelas.h"

#include <QtTest>

using namespace gdvorn;

namespace {

const QHash<QString, test::Regra> kRegras = {
    {"CriticaCausaDesligamento", test::regra(&CriticaCausaDesligamento)},
    {"CriticaDataDesligamentoValida", test::regra(&CriticaDataDesligamentoValida)},
    {"CriticaDataDesligamentoCausa", test::regra(&CriticaDataDesligamentoCausa)},
    {"CriticaDesligamentoAntesAdmissao", test::regra(&CriticaDesligamentoAntesAdmissao)},
    {"CriticaDesligamentoEncerramento", test::regra(&CriticaDesligamentoEncerramento)},
    {"CriticaCausaEncerramento", test::regra(&CriticaCausaEncerramento)},
    {"CriticaCausaNatureza", test::regra(&CriticaCausaNatureza)},
    {"CriticaAvisoPrevioNum", test::regra(&CriticaAvisoPrevioNum)},
    {"CriticaAvisoPrevio", test::regra(&CriticaAvisoPrevio)},
};

} // namespace

class tst_ugRegrasDesligamento : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { m_tabelas.reset(); }
    void regras_data();
    void regras() { test::verificaCaso(kRegras); }
    void codigosTemMensagemInstalada();

private:
    std::unique_ptr<test::FixtureTabelas> m_tabelas;
};

void tst_ugRegrasDesligamento::initTestCase()
{
    m_tabelas = std::make_unique<test::FixtureTabelas>();
    QList<QVariantMap> causas;
    for (const char *c : {"11", "21", "32"})
        causas << QVariantMap{{"CoCausaDesligamento", c}, {"NoCausaDesligamento", c}};
    m_tabelas->insere(QStringLiteral("tb8desl"), causas);
}

void tst_ugRegrasDesligamento::regras_data()
{
    using test::caso;
    test::colunasDeRegras();

    caso("causa vazia", "CriticaCausaDesligamento", {" "}, "0280");
    caso("causa de 1 digito", "CriticaCausaDesligamento", {"1"}, "3648");
    caso("causa com letra", "CriticaCausaDesligamento", {"1A"}, "0040");
    caso("causa de 3 digitos", "CriticaCausaDesligamento", {"111"}, "0040");
    caso("sem causa", "CriticaCausaDesligamento", {"00"}, "0000");
    caso("causa cadastrada", "CriticaCausaDesligamento", {"21"}, "0000");
    caso("causa nao cadastrada", "CriticaCausaDesligamento", {"99"}, "0280");

    caso("data vazia", "CriticaDataDesligamentoValida", {"", "2010"}, "0292");
    caso("data de 3 digitos", "CriticaDataDesligamentoValida", {"310", "2010"}, "0040");
    caso("data zeros", "CriticaDataDesligamentoValida", {"0000", "2010"}, "0000");
    caso("31 de fevereiro", "CriticaDataDesligamentoValida", {"3102", "2010"}, "0292");
    caso("29 de fevereiro comum", "CriticaDataDesligamentoValida", {"2902", "2010"}, "0292");
    caso("29 de fevereiro bissexto", "CriticaDataDesligamentoValida", {"2902", "2008"}, "0000");
    caso("31 de dezembro", "CriticaDataDesligamentoValida", {"3112", "2010"}, "0000");

    caso("causa 78 sem data", "CriticaDataDesligamentoCausa", {"0000", "78"}, "0000");
    caso("causa 78 com data", "CriticaDataDesligamentoCausa", {"1503", "78"}, "3512");
    caso("causa 71 com data", "CriticaDataDesligamentoCausa", {"1503", "71"}, "3512");
    caso("causa 11 sem data", "CriticaDataDesligamentoCausa", {"0000", "11"}, "0291");
    caso("causa 11 com data", "CriticaDataDesligamentoCausa", {"1503", "11"}, "0000");
    caso("data sem causa", "CriticaDataDesligamentoCausa", {"1503", "00"}, "0293");
    caso("nem data nem causa", "CriticaDataDesligamentoCausa", {"0000", "00"}, "0000");
    caso("causa vazia", "CriticaDataDesligamentoCausa", {"1503", ""}, "0000");

    caso("desligado antes da admissao", "CriticaDesligamentoAntesAdmissao", {"1403", "15032010", "2010"}, "0290");
    caso("desligado no dia da admissao", "CriticaDesligamentoAntesAdmissao", {"1503", "15032010", "2010"},
         "0000");
    // Month first: 31 January is before 1 February, though "3101" > "0102" as text.
    caso("mes decide", "CriticaDesligamentoAntesAdmissao", {"3101", "01022010", "2010"}, "0290");
    caso("admissao em ano anterior", "CriticaDesligamentoAntesAdmissao", {"1403", "15032009", "2010"}, "0000");
    caso("sem desligamento", "CriticaDesligamentoAntesAdmissao", {"0000", "15032010", "2010"}, "0000");

    caso("desligado apos o encerramento", "CriticaDesligamentoEncerramento", {"1105", "10052010", "2010"},
         "3603");
    caso("desligado no encerramento", "CriticaDesligamentoEncerramento", {"1005", "10052010", "2010"}, "0000");
    caso("mes seguinte ao encerramento", "CriticaDesligamentoEncerramento", {"0106", "31052010", "2010"}, "3603");
    caso("encerramento em outro ano", "CriticaDesligamentoEncerramento", {"1105", "10052009", "2010"}, "0000");
    caso("sem encerramento", "CriticaDesligamentoEncerramento", {"1105", "00000000", "2010"}, "0000");

    caso("encerrado sem causa", "CriticaCausaEncerramento", {"1", "2010", "00", "2010"}, "0281");
    caso("encerrado, causa vazia", "CriticaCausaEncerramento", {"1", "2010", "", "2010"}, "0281");
    caso("encerrado com causa", "CriticaCausaEncerramento", {"1", "2010", "11", "2010"}, "0000");
    caso("declaracao de outro ano", "CriticaCausaEncerramento", {"1", "2009", "00", "2010"}, "0000");
    caso("nao encerrado", "CriticaCausaEncerramento", {"2", "2010", "00", "2010"}, "0000");

    caso("32, natureza 2062", "CriticaCausaNatureza", {"32", "2062"}, "3774");
    caso("33, natureza 3999", "CriticaCausaNatureza", {"33", "3999"}, "3774");
    caso("32, natureza 1031", "CriticaCausaNatureza", {"32", "1031"}, "0000");
    caso("32, natureza 2011", "CriticaCausaNatureza", {"32", "2011"}, "0000");
    caso("32, natureza 2038", "CriticaCausaNatureza", {"32", "2038"}, "0000");
    caso("32, natureza 2003", "CriticaCausaNatureza", {"32", "2003"}, "0000");
    caso("11, natureza 2062", "CriticaCausaNatureza", {"11", "2062"}, "0000");
    caso("natureza nao numerica", "CriticaCausaNatureza", {"32", "20A2"}, "0000");

    caso("aviso vazio", "CriticaAvisoPrevioNum", {" "}, "0335");
    caso("aviso curto", "CriticaAvisoPrevioNum", {"100000"}, "0040");
    caso("aviso de 9 digitos", "CriticaAvisoPrevioNum", {"000100000"}, "0000");

    caso("aviso com causa 11", "CriticaAvisoPrevio", {"000100000", "11"}, "0000");
    caso("aviso com causa 21", "CriticaAvisoPrevio", {"000100000", "21"}, "0000");
    caso("aviso com causa 12", "CriticaAvisoPrevio", {"000100000", "12"}, "0335");
    caso("aviso sem causa", "CriticaAvisoPrevio", {"000100000", "00"}, "0335");
    caso("aviso zero com causa 12", "CriticaAvisoPrevio", {"000000000", "12"}, "0000");
    caso("causa vazia", "CriticaAvisoPrevio", {"000100000", ""}, "0000");
}

void tst_ugRegrasDesligamento::codigosTemMensagemInstalada()
{
    test::verificaMensagens({"0040", "3648", "0280", "0281", "0290", "0291", "0292", "0293", "0335", "3512",
                             "3603", "3774"});
}

QTEST_GUILESS_MAIN(tst_ugRegrasDesligamento)
#include "tst_ugRegrasDesligamento.moc"
