// The checks of the hours worked per month: from a link whose hours pass every rule, one month changed
// per case, the rows each finding leaves in te8errwa (kind, code, record type, labels and contents in
// order); the values taken at January's check are renewed for every link.

#include "rules/ugVerificacoes.h"

#include "FixtureVinculos.h"

#include <QtTest>

using namespace gdvorn;

class tst_ugVerificacoesHorasVinculo : public QObject {
    Q_OBJECT

private slots:
    void init() { m_tabelas = std::make_unique<test::FixtureTabelas>(); }
    void cleanup() { m_tabelas.reset(); }
    void verificacoes_data();
    void verificacoes();
    void dadosRenovadosPorVinculo();

private:
    std::unique_ptr<test::FixtureTabelas> m_tabelas;
};

void tst_ugVerificacoesHorasVinculo::verificacoes_data()
{
    QTest::addColumn<QVariantMap>("estabelecimento");
    QTest::addColumn<QVariantMap>("mudancas");
    QTest::addColumn<QStringList>("linhas");
    QTest::addColumn<int>("contadas");
    const auto s = [](const char *t) { return QString::fromLatin1(t); };
    const QVariantMap nada;

    QTest::newRow("vinculo valido") << nada << nada << QStringList{} << 0;
    QTest::newRow("horas nao numericas em marco")
        << nada << QVariantMap{{"HoTrabalhadasMarco", "1A"}, {"VaMarcoEmpregado", "000000000"}}
        << QStringList{s("err 0030 2 3670=1A 13000000002")} << 1;
    QTest::newRow("horas sem remuneracao em maio")
        << nada << QVariantMap{{"VaMaioEmpregado", "000000000"}}
        << QStringList{s("err 3677 2 3670=010 13000000002"), s("err 3677 2 1645=000000000 13000000002")} << 1;
    QTest::newRow("remuneracao nao numerica vale zero")
        << nada << QVariantMap{{"VaMaioEmpregado", "1000,00"}}
        << QStringList{s("err 3677 2 3670=010 13000000002"), s("err 3677 2 1645=1000,00 13000000002")} << 1;
    QTest::newRow("101 horas") << nada << QVariantMap{{"HoTrabalhadasJunho", "101"}}
                               << QStringList{s("war 3698 2 3670=101 13000000002")} << 0;
    QTest::newRow("100 horas") << nada << QVariantMap{{"HoTrabalhadasJunho", "100"}} << QStringList{} << 0;
    QTest::newRow("horas apos o desligamento")
        << nada
        << QVariantMap{{"DaDesligamentoEmpregado", "1510"}, {"HoTrabalhadasDezembro", "000"},
                       {"VaDezembroEmpregado", "000000000"}, {"VaNovembroEmpregado", "000000000"}}
        << QStringList{s("err 3710 2 3670=010 13000000002"), s("err 3710 2 1651=000000000 13000000002")} << 1;
    QStringList antesAdmissao;
    for (int m = 1; m <= 3; ++m)
        antesAdmissao << s("err 3711 2 3670=010 13000000002")
                      << QStringLiteral("err 3711 2 %1=000100000 13000000002").arg(1640 + m);
    QTest::newRow("horas antes da admissao no ano-base")
        << nada << QVariantMap{{"DaAdmissaoEmpregado", "10042010"}} << antesAdmissao << 3;
    QTest::newRow("encerrado em outro ano que a admissao")
        << QVariantMap{{"InEncerramentoAtividade", "1"}, {"DaEncerramentoAtividade", "31122009"}}
        << QVariantMap{{"DaAdmissaoEmpregado", "10122010"}, {"VaJaneiroEmpregado", "000000000"}}
        << QStringList{s("err 3677 2 3670=010 13000000002"), s("err 3677 2 1641=000000000 13000000002")} << 1;
}

void tst_ugVerificacoesHorasVinculo::verificacoes()
{
    QFETCH(QVariantMap, estabelecimento);
    QFETCH(QVariantMap, mudancas);
    QFETCH(QStringList, linhas);
    QFETCH(int, contadas);
    m_tabelas->insere(QStringLiteral("bd8emp"), test::estabelecimentoDeTeste(estabelecimento));
    m_tabelas->insere(QStringLiteral("bd8vinc"), test::vinculoDeTeste(QStringLiteral("13000000002"), mudancas));
    const test::ResultadoVerificacoes r = test::analisaComGrupos({VerificacoesHorasVinculo});
    QCOMPARE(r.linhas, linhas);
    QCOMPARE(r.contadas, contadas);
}

void tst_ugVerificacoesHorasVinculo::dadosRenovadosPorVinculo()
{
    // The first link, dismissed in October, has hours in November; the second, not dismissed, too.
    m_tabelas->insere(QStringLiteral("bd8emp"), test::estabelecimentoDeTeste());
    m_tabelas->insere(QStringLiteral("bd8vinc"),
                      test::vinculoDeTeste(QStringLiteral("13000000002"),
                                           {{"DaDesligamentoEmpregado", "1510"}, {"HoTrabalhadasDezembro", "000"}}));
    m_tabelas->insere(QStringLiteral("bd8vinc"), test::vinculoDeTeste(QStringLiteral("13100000004")));
    QCOMPARE(test::analisaComGrupos({VerificacoesHorasVinculo}).linhas,
             (QStringList{QStringLiteral("err 3710 2 3670=010 13000000002"),
                          QStringLiteral("err 3710 2 1651=000100000 13000000002")}));
}

QTEST_GUILESS_MAIN(tst_ugVerificacoesHorasVinculo)
#include "tst_ugVerificacoesHorasVinculo.moc"
