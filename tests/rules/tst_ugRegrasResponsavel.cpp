// Rules of the responsible person and of the header dates: each rule's codes in the order its tests
// decide, ages and dates at the limits of the base year and of the year after it.

#include "rules/ugRegrasResponsavel.h"

#include "app/ugConfiguracao.h"

#include "CasosDeRegras.h"

#include <QtTest>

using namespace gdvorn;

namespace {

const QHash<QString, test::Regra> kRegras = {
    {"CriticaNomeResponsavel", [](const QStringList &e) { QString nome = e.value(0); return CriticaNomeResponsavel(nome); }},
    {"CriticaCpfResponsavel", test::regra(&CriticaCpfResponsavel)},
    {"CriticaNascimentoResp", test::regra(&CriticaNascimentoResp)},
    {"CriticaCrea", test::regra(&CriticaCrea)},
    {"CriticaCreaRetificacao", test::regra(&CriticaCreaRetificacao)},
};

} // namespace

class tst_ugRegrasResponsavel : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Configuracao().AnoBase = 2010; }

    void regras_data();
    void regras() { test::verificaCaso(kRegras); }
    void datas_data();
    void datas();
    void nomeAparado();
    void codigosTemMensagemInstalada();
};

void tst_ugRegrasResponsavel::regras_data()
{
    test::colunasDeRegras();
    const auto linha = [](const char *nome, const char *regra, const char *a, const char *b, const char *esperado) {
        test::caso(nome, regra, {a, b}, esperado);
    };
    linha("nome vazio", "CriticaNomeResponsavel", "  ", "", "3717");
    linha("nome repetido", "CriticaNomeResponsavel", "JOSEEEE SILVA", "", "3100");
    linha("nome de uma palavra", "CriticaNomeResponsavel", " JOSE ", "", "3716");
    linha("nome com aspas", "CriticaNomeResponsavel", "JOSE D'AVILA", "", "0020");
    linha("nome", "CriticaNomeResponsavel", "JOSE  DA SILVA", "", "0000");

    linha("cpf vazio", "CriticaCpfResponsavel", "", "", "3718");
    linha("cpf curto", "CriticaCpfResponsavel", "1234567890", "", "0040");
    linha("cpf zeros", "CriticaCpfResponsavel", "00000000000", "", "0210");
    linha("cpf repetido", "CriticaCpfResponsavel", "11111111111", "", "0210");
    linha("cpf invalido", "CriticaCpfResponsavel", "12345678900", "", "0210");
    linha("cpf", "CriticaCpfResponsavel", " 12345678909 ", "", "0000");

    linha("nascido 17 anos antes", "CriticaNascimentoResp", "01011993", "", "0179");
    linha("nascido 18 anos antes", "CriticaNascimentoResp", "31121992", "", "0000");
    linha("nascimento sem ano", "CriticaNascimentoResp", "0101", "", "0000");
    linha("nascimento ano zeros", "CriticaNascimentoResp", "01010000", "", "0000");
    linha("nascimento ano com letra", "CriticaNascimentoResp", "0101199A", "", "0000");

    linha("crea curto", "CriticaCrea", "19345678901", "", "0040");
    linha("crea letra", "CriticaCrea", "19345678901A", "", "0040");
    linha("crea zeros", "CriticaCrea", "000000000000", "", "0000");
    linha("crea comeca com 0", "CriticaCrea", "093456789012", "", "3734");
    linha("crea segundo nao 9", "CriticaCrea", "183456789012", "", "3734");
    linha("crea um digito", "CriticaCrea", "999999999999", "", "3734");
    linha("crea", "CriticaCrea", "193456789012", "", "0000");

    linha("sem retificacao com crea", "CriticaCreaRetificacao", "193456789012", "2", "3735");
    linha("sem retificacao crea zeros", "CriticaCreaRetificacao", "000000000000", "2", "0000");
    linha("sem retificacao sem crea", "CriticaCreaRetificacao", "", "2", "0000");
    linha("sem retificacao crea curto de zeros", "CriticaCreaRetificacao", "000", "2", "3735");
    linha("retificacao com crea", "CriticaCreaRetificacao", "193456789012", "1", "0000");
    linha("retificacao sem crea", "CriticaCreaRetificacao", " ", "1", "3739");
    linha("retificacao crea zeros", "CriticaCreaRetificacao", "000000000000", "1", "3734");
}

void tst_ugRegrasResponsavel::datas_data()
{
    QTest::addColumn<QString>("data");
    QTest::addColumn<QString>("geracao");
    QTest::addColumn<QString>("retificacao");    // flagged as a rectification
    QTest::addColumn<QString>("semRetificacao"); // not flagged
    QTest::newRow("vazia") << "" << "0040" << "0040" << "0040";
    QTest::newRow("letra") << "0101201A" << "0040" << "0040" << "0040";
    QTest::newRow("zeros") << "00000000" << "0420" << "0410" << "0000";
    QTest::newRow("invalida") << "30022011" << "0421" << "0412" << "0411";
    QTest::newRow("no ano-base") << "31122010" << "0420" << "0410" << "0411";
    QTest::newRow("primeiro dia do ano seguinte") << "01012011" << "0000" << "0000" << "0411";
    QTest::newRow("ultimo dia do ano seguinte") << " 31122011 " << "0000" << "0000" << "0411";
    QTest::newRow("dois anos depois") << "01012012" << "0423" << "0413" << "0411";
}

void tst_ugRegrasResponsavel::datas()
{
    QFETCH(QString, data);
    QFETCH(QString, geracao);
    QFETCH(QString, retificacao);
    QFETCH(QString, semRetificacao);
    QCOMPARE(CriticaDataGeracao(data), geracao);
    QCOMPARE(CriticaDataRetificacao(true, data), retificacao);
    QCOMPARE(CriticaDataRetificacao(false, data), semRetificacao);
}

void tst_ugRegrasResponsavel::nomeAparado()
{
    QString nome = QStringLiteral("  MARIA SOUZA ");
    QCOMPARE(CriticaNomeResponsavel(nome), QStringLiteral("0000"));
    QCOMPARE(nome, QStringLiteral("MARIA SOUZA"));
}

void tst_ugRegrasResponsavel::codigosTemMensagemInstalada()
{
    test::verificaMensagens({"0179", "0210", "0410", "0411", "0412", "0413", "0420", "0421", "0423", "3100", "3716",
                             "3717", "3718", "3734", "3735", "3739"});
}

QTEST_GUILESS_MAIN(tst_ugRegrasResponsavel)
#include "tst_ugRegrasResponsavel.moc"
