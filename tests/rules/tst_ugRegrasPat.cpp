// Meal-programme rules: each rule's codes in the order its tests decide; the counts and percentages of an
// establishment that does not take part.

#include "rules/ugRegrasPat.h"

#include "CasosDeRegras.h"

#include <QtTest>

using namespace gdvorn;

namespace {

const QHash<QString, test::Regra> kRegras = {
    {"CriticaParticipaPAT", test::regra(&CriticaParticipaPAT)},
    {"CriticaQtdPATNumerica", test::regra(&CriticaQtdPATNumerica)},
    {"CriticaPercentualPAT", test::regra(&CriticaPercentualPAT)},
};

} // namespace

class tst_ugRegrasPat : public QObject {
    Q_OBJECT

private slots:
    void valores_data();
    void valores() { test::verificaCaso(kRegras); }
    void contraIndicador_data();
    void contraIndicador();
    void codigosTemMensagemInstalada();
};

void tst_ugRegrasPat::valores_data()
{
    test::colunasDeRegras();
    const auto linha = [](const char *nome, const char *regra, const char *valor, const char *esperado) {
        test::caso(nome, regra, {valor}, esperado);
    };
    linha("indicador vazio", "CriticaParticipaPAT", " ", "3608");
    linha("indicador 3", "CriticaParticipaPAT", "3", "3602");
    linha("indicador 1", "CriticaParticipaPAT", "1", "0000");
    linha("indicador 2", "CriticaParticipaPAT", " 2 ", "0000");
    linha("quantidade vazia", "CriticaQtdPATNumerica", "  ", "0000");
    linha("quantidade curta", "CriticaQtdPATNumerica", "12", "0040");
    linha("quantidade longa", "CriticaQtdPATNumerica", "1234567", "0040");
    linha("quantidade", "CriticaQtdPATNumerica", "000012", "0000");
    linha("percentual vazio", "CriticaPercentualPAT", "", "0000");
    linha("percentual 100", "CriticaPercentualPAT", "100", "0000");
    linha("percentual 101", "CriticaPercentualPAT", "101", "3521");
    linha("percentual quatro digitos", "CriticaPercentualPAT", "1000", "0040");
    linha("percentual letra", "CriticaPercentualPAT", "01A", "0040");
}

void tst_ugRegrasPat::contraIndicador_data()
{
    QTest::addColumn<QString>("indicador");
    QTest::addColumn<QStringList>("quantidades");
    QTest::addColumn<QStringList>("percentuais");
    QTest::addColumn<QString>("qtd");
    QTest::addColumn<QString>("percentuais_");
    const QStringList vazias{QString(), QString()};
    const QStringList semPercentual{QString(), QStringLiteral("000"), QString(), QString(), QString(), QString()};
    const QStringList dez{QString(), QString(), QStringLiteral("10"), QString(), QString(), QString()};
    QTest::newRow("participa com tudo") << "1" << QStringList{"000900", "000100"}
                                        << QStringList{"100", "100", "100", "100", "100", "100"} << "0000" << "0000";
    QTest::newRow("nao participa sem nada") << "2" << vazias << semPercentual << "0000" << "0000";
    QTest::newRow("nao participa com um trabalhador") << "2" << QStringList{QString(), QStringLiteral("1")}
                                                      << semPercentual << "3525" << "0000";
    QTest::newRow("nao participa com percentual") << "2" << vazias << dez << "0000" << "3526";
    QTest::newRow("indicador vazio com percentual") << "" << QStringList{"5", "5"} << dez << "0000" << "3526";
}

void tst_ugRegrasPat::contraIndicador()
{
    QFETCH(QString, indicador);
    QFETCH(QStringList, quantidades);
    QFETCH(QStringList, percentuais);
    QFETCH(QString, qtd);
    QFETCH(QString, percentuais_);
    QCOMPARE(CriticaQtdPAT(indicador, quantidades[0], quantidades[1]), qtd);
    QCOMPARE(CriticaQtdPAT(indicador, quantidades[1], quantidades[0]), qtd);
    QCOMPARE(CriticaPercentuaisPAT(indicador, percentuais[0], percentuais[1], percentuais[2], percentuais[3],
                                   percentuais[4], percentuais[5]),
             percentuais_);
}

void tst_ugRegrasPat::codigosTemMensagemInstalada()
{
    test::verificaMensagens({"3525", "3602", "3608"}, {"3521", "3526"});
}

QTEST_GUILESS_MAIN(tst_ugRegrasPat)
#include "tst_ugRegrasPat.moc"
