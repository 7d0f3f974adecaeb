// The checks of a link's pay and 13th salary: from a link valid for every rule, one change per case,
// the rows each finding leaves in te8errwa and the occurrences it counted; the previous month of the
// ten-times warning, a month's error that skips its later steps, the contractual-salary row of "3728"
// once per link and again in the next run after a run that the limit stopped, the year's pay against
// the leaves and the 13th salary against the average pay.

#include "rules/ugConsistencia.h"
#include "rules/ugVerificacoes.h"

#include "FixtureVinculos.h"

#include <QtTest>

using namespace gdvorn;

class tst_ugVerificacoesRemuneracaoVinculo : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_tabelas.reset(); }
    void verificacoes_data();
    void verificacoes();
    void salarioDo3728DepoisDeUmaExecucaoInterrompida();

private:
    std::unique_ptr<test::FixtureTabelas> m_tabelas;
};

void tst_ugVerificacoesRemuneracaoVinculo::init()
{
    m_tabelas = std::make_unique<test::FixtureTabelas>();
    test::insereTabelasDoVinculo(*m_tabelas);
    m_tabelas->insere(QStringLiteral("bd8emp"), test::estabelecimentoDeTeste());
}

void tst_ugVerificacoesRemuneracaoVinculo::verificacoes_data()
{
    QTest::addColumn<QVariantMap>("mudancas");
    QTest::addColumn<QStringList>("linhas");
    QTest::addColumn<int>("contadas");
    const auto s = [](const char *t) { return QString::fromUtf8(t) + QStringLiteral(" 13000000002"); };
    QVariantMap semPagamento;
    for (const char *m : {"Janeiro", "Fevereiro", "Marco", "Abril", "Maio", "Junho", "Julho", "Agosto", "Setembro",
                          "Outubro", "Novembro", "Dezembro"})
        semPagamento.insert(QStringLiteral("Va%1Empregado").arg(QLatin1String(m)), QStringLiteral("000000000"));
    const auto com = [](QVariantMap base, const QVariantMap &mais) {
        for (auto it = mais.cbegin(); it != mais.cend(); ++it)
            base.insert(it.key(), it.value());
        return base;
    };
    const QVariantMap sem13{{"Me13AdiantamentoEmpregado", "00"}, {"Va13AdiantamentoEmpregado", "000000000"},
                            {"Me13ParcelaFinalEmpregado", "00"}, {"Va13ParcelaFinalEmpregado", "000000000"}};

    QTest::newRow("vinculo valido") << QVariantMap{} << QStringList{} << 0;
    QTest::newRow("marco dez vezes fevereiro")
        << QVariantMap{{"VaFevereiroEmpregado", "000050000"}, {"VaMarcoEmpregado", "000500000"}}
        << QStringList{s("war 3728 2 1634=000100000"), s("war 3728 2 1642=000050000"),
                       s("war 0312 2 1642=000050000"), s("war 0314 2 1642=000050000"),
                       s("war 0314 2 1643=000500000")}
        << 0;
    QTest::newRow("erro do mes pula o resto, o seguinte compara com ele")
        << QVariantMap{{"VaFevereiroEmpregado", "5000"}, {"VaMarcoEmpregado", "000050000"}}
        << QStringList{s("war 3728 2 1634=000100000"), s("war 3728 2 1642=5000"), s("err 0040 2 1642=5000"),
                       s("war 3728 2 1643=000050000"), s("war 0312 2 1643=000050000"), s("war 0314 2 1642=5000"),
                       s("war 0314 2 1643=000050000")}
        << 1;
    QTest::newRow("dois meses abaixo de 70%")
        << QVariantMap{{"VaMaioEmpregado", "000069999"}, {"VaJunhoEmpregado", "000069999"}}
        << QStringList{s("war 3728 2 1634=000100000"), s("war 3728 2 1645=000069999"),
                       s("war 3728 2 1646=000069999")}
        << 0;
    QStringList antesAdmissao;
    for (int m = 1; m <= 3; ++m)
        antesAdmissao << s("err 0310 2 %1=000100000").arg(1640 + m) << s("err 0310 2 1632=10042010");
    QTest::newRow("pago antes da admissao no ano") << QVariantMap{{"DaAdmissaoEmpregado", "10042010"}}
                                                   << antesAdmissao << 3;
    QTest::newRow("pago depois do desligamento")
        << QVariantMap{{"DaDesligamentoEmpregado", "3011"}, {"CoCausaDesligamento", "11"}}
        << QStringList{s("war 0311 2 1652=000100000"), s("war 0311 2 1640=3011"), s("war 0321 2 1655=12"),
                       s("war 0321 2 1640=3011")}
        << 0;
    QTest::newRow("acima de 10 minimos para o nivel 7")
        << QVariantMap{{"VaJulhoEmpregado", "000510001"}}
        << QStringList{s("war 3768 2 1647=000510001"), s("war 3768 2 1629=07")} << 0;
    // An apprentice of 24 in the base year (born in March) paid from April on; the same with a disability.
    QStringList aprendiz;
    for (int m = 4; m <= 12; ++m)
        aprendiz << s("err 3503 2 %1=000100000").arg(1640 + m) << s("err 3503 2 1638=55")
                 << s("err 3503 2 1626=15031986");
    const QVariantMap aprendiz24{{"CoVinculo", "55"}, {"DaNascimentoEmpregado", "15031986"}};
    QTest::newRow("aprendiz pago depois do mes dos 24 anos") << aprendiz24 << aprendiz << 9;
    QTest::newRow("aprendiz com deficiencia") << com(aprendiz24, {{"CoDeficienteFisico", "1"}}) << QStringList{}
                                              << 0;
    QTest::newRow("adiantamento em 13") << QVariantMap{{"Me13AdiantamentoEmpregado", "13"}}
                                        << QStringList{s("err 0322 2 1653=13"), s("err 0323 2 1653=13"),
                                                       s("err 0323 2 1655=12")}
                                        << 2;
    QTest::newRow("adiantamento antes da admissao")
        << com(semPagamento, {{"DaAdmissaoEmpregado", "01122010"}, {"VaDezembroEmpregado", "000100000"}})
        << QStringList{s("err 0320 2 1653=11"), s("err 0320 2 1632=01122010")} << 1;
    QTest::newRow("adiantamento no limite")
        << QVariantMap{{"Va13AdiantamentoEmpregado", "007650000"}}
        << QStringList{s("war 0332 2 1653=11"), s("war 0332 2 1654=007650000"), s("war 3508 2 1664=1200000"),
                       s("war 3508 2 1665=7700000")}
        << 0;
    QTest::newRow("final 99 com adiantamento") << QVariantMap{{"Me13ParcelaFinalEmpregado", "99"}}
                                               << QStringList{s("err 0326 2 1653=11"), s("err 0326 2 1655=99")} << 1;
    QTest::newRow("final depois do desligamento")
        << QVariantMap{{"DaDesligamentoEmpregado", "3009"}, {"CoCausaDesligamento", "11"},
                       {"Me13AdiantamentoEmpregado", "09"}, {"VaOutubroEmpregado", "000000000"},
                       {"VaNovembroEmpregado", "000000000"}, {"VaDezembroEmpregado", "000000000"}}
        << QStringList{s("war 0321 2 1655=12"), s("war 0321 2 1640=3009")} << 0;
    QTest::newRow("ano sem remuneracao") << com(semPagamento, sem13)
                                         << QStringList{s("err 1674 2 1664=Não há remuneração informada.")} << 1;
    QTest::newRow("ano sem remuneracao, desligado em janeiro")
        << com(com(semPagamento, sem13), {{"DaDesligamentoEmpregado", "1501"}, {"CoCausaDesligamento", "11"}})
        << QStringList{} << 0;
    QTest::newRow("so 13o salario") << semPagamento
                                    << QStringList{s("war 1675 2 1664=Não há remuneração informada.")} << 0;
    QTest::newRow("sem 13o salario") << sem13
                                     << QStringList{s("war 1676 2 1665=Não há remuneração informada.")} << 0;
    QTest::newRow("mes do desligamento acima da parte")
        << com(com(semPagamento, sem13), {{"DaDesligamentoEmpregado", "1003"}, {"CoCausaDesligamento", "11"},
                                          {"CoTipoSalarioContratual", "5"}, {"VaJaneiroEmpregado", "000003000"},
                                          {"VaFevereiroEmpregado", "000003000"}, {"VaMarcoEmpregado", "000001100"}})
        << QStringList{s("war 1676 2 1665=Não há remuneração informada."), s("war 3775 2 1640=1003")} << 0;
    // Twelve months of 1000,00: 1.5 times the average is 1500,00.
    QTest::newRow("13o em 1,5 vez a media") << QVariantMap{{"Va13ParcelaFinalEmpregado", "000100000"}}
                                           << QStringList{} << 0;
    QTest::newRow("13o um centavo acima de 1,5 vez a media")
        << QVariantMap{{"Va13ParcelaFinalEmpregado", "000100001"}}
        << QStringList{s("war 3508 2 1664=1200000"), s("war 3508 2 1665=150001")} << 0;
}

void tst_ugVerificacoesRemuneracaoVinculo::verificacoes()
{
    QFETCH(QVariantMap, mudancas);
    QFETCH(QStringList, linhas);
    QFETCH(int, contadas);
    m_tabelas->insere(QStringLiteral("bd8vinc"), test::vinculoDeTeste(QStringLiteral("13000000002"), mudancas));
    const test::ResultadoVerificacoes r = test::analisaComGrupos({VerificacoesRemuneracaoVinculo});
    QCOMPARE(r.linhas, linhas);
    QCOMPARE(r.contadas, contadas);
}

void tst_ugVerificacoesRemuneracaoVinculo::salarioDo3728DepoisDeUmaExecucaoInterrompida()
{
    // The first run stops at the limit after May's "3728" of the last link; the next run's first
    // "3728" still shows the contractual salary.
    QVariantMap muitosErros;
    for (const char *m : {"Janeiro", "Fevereiro", "Marco", "Abril"})
        muitosErros.insert(QStringLiteral("Va%1Empregado").arg(QLatin1String(m)), QStringLiteral("1"));
    muitosErros.insert(QStringLiteral("VaMaioEmpregado"), QStringLiteral("000069999"));
    const int vinculos = AnaliseConsistencia::LimiteOcorrencias / 4 + 1;
    QList<QVariantMap> linhas;
    for (int i = 0; i < vinculos; ++i)
        linhas << test::vinculoDeTeste(QStringLiteral("1%1").arg(i, 10, 10, QLatin1Char('0')), muitosErros);
    m_tabelas->insere(QStringLiteral("bd8vinc"), linhas);
    test::analisaComGrupos({VerificacoesRemuneracaoVinculo});

    m_tabelas->esvazia(QStringLiteral("bd8vinc"));
    m_tabelas->insere(QStringLiteral("bd8vinc"), test::vinculoDeTeste(QStringLiteral("13000000002"),
                                                                      {{"VaMaioEmpregado", "000069999"}}));
    QCOMPARE(test::analisaComGrupos({VerificacoesRemuneracaoVinculo}).linhas,
             (QStringList{QStringLiteral("war 3728 2 1634=000100000 13000000002"),
                          QStringLiteral("war 3728 2 1645=000069999 13000000002")}));
}

QTEST_GUILESS_MAIN(tst_ugVerificacoesRemuneracaoVinculo)
#include "tst_ugVerificacoesRemuneracaoVinculo.moc"
