// The checks of a link's union contributions, termination amounts and membership: from a link valid for
// every rule, one change per case, the rows each finding leaves in te8errwa and the occurrences it
// counted; the entities-table warning last, and not for the CNPJ of QYV on the union contribution;
// empty entity CNPJs of a declaration file.

#include "rules/ugVerificacoes.h"

#include "FixtureVinculos.h"

#include <QtTest>

using namespace gdvorn;

class tst_ugVerificacoesSindicaisVinculo : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_tabelas.reset(); }
    void verificacoes_data();
    void verificacoes();

private:
    std::unique_ptr<test::FixtureTabelas> m_tabelas;
};

void tst_ugVerificacoesSindicaisVinculo::init()
{
    m_tabelas = std::make_unique<test::FixtureTabelas>();
    test::insereTabelasDoVinculo(*m_tabelas);
    m_tabelas->insere(QStringLiteral("bd8emp"), test::estabelecimentoDeTeste());
    // The workers' entities table judges once it has rows.
    m_tabelas->insere(QStringLiteral("tbtrab"), {{"CoCnpjTrabalhadores", "33222111000100"}});
}

void tst_ugVerificacoesSindicaisVinculo::verificacoes_data()
{
    QTest::addColumn<QVariantMap>("mudancas");
    QTest::addColumn<bool>("origemArquivo");
    QTest::addColumn<QStringList>("linhas");
    QTest::addColumn<int>("contadas");
    const auto s = [](const char *t) { return QString::fromUtf8(t) + QStringLiteral(" 13000000002"); };

    QTest::newRow("vinculo valido") << QVariantMap{} << false << QStringList{} << 0;
    QTest::newRow("sindical do proprio estabelecimento, sem aviso da tabela")
        << QVariantMap{{"CoCNPJSindical", "11222333000181"}} << false
        << QStringList{s("err 3743 2 3652=11222333000181")} << 1;
    QTest::newRow("sindical invalido") << QVariantMap{{"CoCNPJSindical", "11444777000162"}} << false
                                       << QStringList{s("err 0059 2 3652=11444777000162")} << 1;
    QTest::newRow("sindical fora da tabela, aviso por ultimo") << QVariantMap{{"CoCNPJSindical", "11444777000161"}}
                                                               << false
                                                               << QStringList{s("war 3689 2 3652=11444777000161")}
                                                               << 0;
    QTest::newRow("sindical da QYV") << QVariantMap{{"CoCNPJSindical", "37238027000127"}} << false << QStringList{}
                                     << 0;
    QTest::newRow("assistencial da QYV")
        << QVariantMap{{"CoCNPJAssistencial", "37238027000127"}, {"VaGlobalAssistencial", "00001000"}} << false
        << QStringList{s("war 3689 2 3654=37238027000127")} << 0;
    QTest::newRow("sem contribuicao sindical")
        << QVariantMap{{"CoCNPJSindical", ""}, {"VaGlobalSindical", "00000000"}} << false
        << QStringList{s("war 3687 2 3652="), s("war 3687 2 3653=00000000")} << 0;
    QTest::newRow("segunda igual a primeira")
        << QVariantMap{{"InSindicalizadoVinculo", "1"}, {"CoCNPJPrimAssociativa", "33222111000100"},
                       {"CoCNPJSegAssociativa", "33222111000100"}, {"VaGlobalPrimAssociativa", "00001000"},
                       {"VaGlobalSegAssociativa", "00001000"}}
        << false << QStringList{s("err 3745 2 3754=33222111000100"), s("err 3745 2 3755=33222111000100")} << 1;
    QTest::newRow("valor da segunda associativa malformado") << QVariantMap{{"VaGlobalSegAssociativa", "123"}}
                                                             << false << QStringList{s("err 0040 2 3651=123")} << 1;
    QTest::newRow("ferias sem causa, erro") << QVariantMap{{"VaGlobalFerias", "00100000"}} << false
                                            << QStringList{s("err 3675 2 3658=00100000")} << 1;
    QTest::newRow("gratificacoes sem causa, aviso")
        << QVariantMap{{"VaGlobalGratificacoes", "00100000"}, {"QtCompGratificacoes", "02"}} << false
        << QStringList{s("war 3675 2 3664=00100000")} << 0;
    QTest::newRow("meses sem banco de horas") << QVariantMap{{"QtCompBcoHoras", "03"}} << false
                                              << QStringList{s("err 3681 2 3661=03")} << 1;
    QTest::newRow("banco de horas sem meses")
        << QVariantMap{{"CoCausaDesligamento", "11"}, {"VaGlobalBcoHoras", "00100000"}} << false
        << QStringList{s("err 3680 2 3661=00")} << 1;
    QTest::newRow("indicador 3") << QVariantMap{{"InSindicalizadoVinculo", "3"}} << false
                                 << QStringList{s("err 3704 2 3703=3")} << 1;
    QTest::newRow("arquivo com entidades vazias")
        << QVariantMap{{"CoCNPJPrimAssociativa", ""}, {"CoCNPJSegAssociativa", ""}, {"CoCNPJAssistencial", ""},
                       {"CoCNPJConfederativa", ""}}
        << true
        << QStringList{s("err 0030 2 3754="), s("err 0030 2 3755="), s("err 0030 2 3654="), s("err 0030 2 3656=")}
        << 4;
    QTest::newRow("entidades vazias digitadas")
        << QVariantMap{{"CoCNPJPrimAssociativa", ""}, {"CoCNPJSegAssociativa", ""}, {"CoCNPJAssistencial", ""},
                       {"CoCNPJConfederativa", ""}}
        << false << QStringList{} << 0;
    QTest::newRow("arquivo com entidades zeros")
        << QVariantMap{{"CoCNPJPrimAssociativa", "00000000000000"}, {"CoCNPJSegAssociativa", "00000000000000"},
                       {"CoCNPJAssistencial", "00000000000000"}, {"CoCNPJConfederativa", "00000000000000"}}
        << true << QStringList{} << 0;
}

void tst_ugVerificacoesSindicaisVinculo::verificacoes()
{
    QFETCH(QVariantMap, mudancas);
    QFETCH(bool, origemArquivo);
    QFETCH(QStringList, linhas);
    QFETCH(int, contadas);
    m_tabelas->insere(QStringLiteral("bd8vinc"), test::vinculoDeTeste(QStringLiteral("13000000002"), mudancas));
    const test::ResultadoVerificacoes r = test::analisaComGrupos({VerificacoesSindicaisVinculo}, origemArquivo);
    QCOMPARE(r.linhas, linhas);
    QCOMPARE(r.contadas, contadas);
}

QTEST_GUILESS_MAIN(tst_ugVerificacoesSindicaisVinculo)
#include "tst_ugVerificacoesSindicaisVinculo.moc"
