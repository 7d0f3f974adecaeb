// The checks of a link's contract, occupation, link type and dismissal: from a link valid for every
// rule, one change per case, the rows each finding leaves in te8errwa (kind, code, record type, labels
// and contents in order); the termination-amounts warning for a loaded declaration without closure.

#include "rules/ugVerificacoes.h"

#include "FixtureVinculos.h"

#include <QtTest>

using namespace gdvorn;

class tst_ugVerificacoesContratoVinculo : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_tabelas.reset(); }
    void verificacoes_data();
    void verificacoes();
    void ocupacaoDeVariosVinculos();

private:
    std::unique_ptr<test::FixtureTabelas> m_tabelas;
};

void tst_ugVerificacoesContratoVinculo::init()
{
    m_tabelas = std::make_unique<test::FixtureTabelas>();
    test::insereTabelasDoVinculo(*m_tabelas);
}

void tst_ugVerificacoesContratoVinculo::verificacoes_data()
{
    QTest::addColumn<QVariantMap>("estabelecimento");
    QTest::addColumn<QVariantMap>("mudancas");
    QTest::addColumn<QStringList>("linhas");
    QTest::addColumn<int>("contadas");
    const auto s = [](const char *t) { return QString::fromLatin1(t) + QStringLiteral(" 13000000002"); };
    const QVariantMap nada;
    const auto encerrado = [](const char *data) {
        return QVariantMap{{"InEncerramentoAtividade", "1"}, {"DaEncerramentoAtividade", data}};
    };
    const QVariantMap desligado{{"CoCausaDesligamento", "11"}, {"DaDesligamentoEmpregado", "1510"},
                                {"VaGlobalFerias", "00100000"}};
    const auto com = [](QVariantMap base, const QVariantMap &mais) {
        for (auto it = mais.cbegin(); it != mais.cend(); ++it)
            base.insert(it.key(), it.value());
        return base;
    };
    QStringList semVerbas;
    for (const char *rotulo : {"3658", "3659", "3660", "3662", "3664"})
        semVerbas << s("war 3758 2 %1=00000000").arg(QLatin1String(rotulo));

    QTest::newRow("vinculo valido") << nada << nada << QStringList{} << 0;
    QTest::newRow("vinculo desligado valido") << nada << desligado << QStringList{} << 0;
    QTest::newRow("V15 tipo 7") << nada << QVariantMap{{"CoTipoAdmissao", "7"}}
                                << QStringList{s("err 0220 2 1633=7")} << 1;
    QTest::newRow("V15 tipo 6 e natureza 2062") << nada << QVariantMap{{"CoTipoAdmissao", "6"}}
                                                << QStringList{s("err 3779 2 1633=6"), s("err 3779 2 1619=2062")} << 1;
    QTest::newRow("V16 salario curto") << nada << QVariantMap{{"VaSalContratualEmpregado", "100000"}}
                                       << QStringList{s("err 0040 2 1634=100000")} << 1;
    QTest::newRow("V17 tipo 7") << nada << QVariantMap{{"CoTipoSalarioContratual", "7"}}
                                << QStringList{s("err 0240 2 1635=7")} << 1;
    QTest::newRow("V17 sem salario") << nada << QVariantMap{{"VaSalContratualEmpregado", "000000000"}}
                                     << QStringList{s("err 0232 2 1638=10"), s("err 0232 2 1634=000000000")} << 1;
    QTest::newRow("V17 abaixo do minimo") << nada << QVariantMap{{"VaSalContratualEmpregado", "000050999"}}
                                          << QStringList{s("war 0230 2 1634=000050999"), s("war 0230 2 1635=1")} << 0;
    QTest::newRow("V18 45 horas") << nada << QVariantMap{{"HoSemanaisEmpregado", "45"}}
                                  << QStringList{s("err 0250 2 1636=45")} << 1;
    QTest::newRow("V18 e V20 aprendiz de 30 anos")
        << nada << QVariantMap{{"CoVinculo", "55"}}
        << QStringList{s("err 3773 2 1636=44"), s("err 3502 2 1638=55"), s("err 3502 2 1626=15031980")} << 2;
    QTest::newRow("V19 CBO recusado") << nada << QVariantMap{{"CoCbo", "111105"}}
                                      << QStringList{s("err 3645 2 1637=111105")} << 1;
    QTest::newRow("V20 vinculo 99") << nada << QVariantMap{{"CoVinculo", "99"}}
                                    << QStringList{s("err 0270 2 1638=99")} << 1;
    QTest::newRow("V20 serie do PIS")
        << nada << QVariantMap{{"CoPisPasepEmpregado", "10900000004"}}
        << QStringList{QStringLiteral("err 0272 2 1638=10 10900000004"),
                       QStringLiteral("err 0272 2 1624=10900000004 10900000004")} << 1;
    QTest::newRow("V20 vinculo 10 em CEI")
        << QVariantMap{{"InInscrEstabelecimento", "3"}} << nada
        << QStringList{s("err 0271 2 1638=10"), s("err 0271 2 1601=3 (CEI)")} << 1;
    QTest::newRow("V20 administracao publica por CNAE") << QVariantMap{{"CoCnae2", "8411600"}} << nada
                                                        << QStringList{s("war 3507 2 1638=10"),
                                                                       s("war 3507 2 1618=8411600")} << 0;
    QTest::newRow("V20 administracao publica por natureza") << QVariantMap{{"CoNaturezaJuridica", "1031"}} << nada
                                                            << QStringList{s("war 3519 2 1638=10"),
                                                                           s("war 3519 2 1619=1031")} << 0;
    QTest::newRow("V21 alvara 3") << nada << QVariantMap{{"InAlvaraEmpregado", "3"}}
                                  << QStringList{s("err 0001 2 3621=3")} << 1;
    QTest::newRow("V21 menor sem alvara")
        << nada << QVariantMap{{"DaNascimentoEmpregado", "15031996"}, {"DaAdmissaoEmpregado", "01022009"}}
        << QStringList{s("err 3133 2 3621=2"), s("err 3133 2 1638=10"), s("err 3133 2 1626=15031996")} << 1;
    QTest::newRow("V21 admissao invalida nao julga a idade")
        << nada << QVariantMap{{"InAlvaraEmpregado", "1"}, {"DaAdmissaoEmpregado", "30022010"}} << QStringList{} << 0;
    QTest::newRow("V22 causa 99")
        << nada << QVariantMap{{"CoCausaDesligamento", "99"}}
        << QStringList{s("err 0280 2 1639=99"), s("err 0291 2 1640=0000"), s("err 0291 2 1639=99")} + semVerbas << 2;
    QTest::newRow("V22 encerrado sem causa") << encerrado("10052010") << nada
                                             << QStringList{s("err 0281 2 1639=00"), s("err 0281 2 3618=1")} << 1;
    QTest::newRow("V22 causa 32 e natureza 2062")
        << nada << com(desligado, {{"CoCausaDesligamento", "32"}})
        << QStringList{s("err 3774 2 1639=32"), s("err 3774 2 1619=2062")} << 1;
    QTest::newRow("V23 31 de fevereiro") << nada << QVariantMap{{"DaDesligamentoEmpregado", "3102"}}
                                         << QStringList{s("err 0292 2 1640=3102")} << 1;
    QTest::newRow("V23 desligado sem verbas")
        << nada << com(desligado, {{"VaGlobalFerias", "00000000"}}) << semVerbas << 0;
    QTest::newRow("V23 declaracao carregada sem encerramento, sem verbas")
        << QVariantMap{{"DaEncerramentoAtividade", "00000000"}} << com(desligado, {{"VaGlobalFerias", "00000000"}})
        << semVerbas << 0;
    QTest::newRow("V23 encerrado em outro ano, sem aviso de verbas")
        << encerrado("10052009") << com(desligado, {{"VaGlobalFerias", "00000000"}}) << QStringList{} << 0;
    QTest::newRow("V23 causa 71 com data")
        << nada << com(desligado, {{"CoCausaDesligamento", "71"}, {"VaGlobalFerias", "00000000"}})
        << QStringList{s("err 3512 2 1640=1510"), s("err 3512 2 1639=71")} << 1;
    QTest::newRow("V23 encerrado no ano seguinte sem desligamento")
        << encerrado("31032011") << nada
        << QStringList{s("err 0281 2 1639=00"), s("err 0281 2 3618=1"), s("err 0294 2 1640=0000"),
                       s("err 0294 2 1658=2011")} << 2;
    QTest::newRow("V23 desligado antes da admissao")
        << nada << com(desligado, {{"DaAdmissaoEmpregado", "15102010"}, {"DaDesligamentoEmpregado", "1410"}})
        << QStringList{s("err 0290 2 1640=1410"), s("err 0290 2 1632=15102010")} << 1;
    QTest::newRow("V23 desligado apos o encerramento")
        << encerrado("10052010") << com(desligado, {{"DaDesligamentoEmpregado", "1105"}})
        << QStringList{s("err 3603 2 1640=11052010"), s("err 3603 2 3619=10052010")} << 1;
    QTest::newRow("V24 aviso curto") << nada << QVariantMap{{"VaAvisoPrevioEmpregado", "100"}}
                                     << QStringList{s("err 0040 2 3511=100")} << 1;
    QTest::newRow("V24 aviso sem causa") << nada << QVariantMap{{"VaAvisoPrevioEmpregado", "000100000"}}
                                         << QStringList{s("err 0335 2 1639=00"), s("err 0335 2 3511=000100000")} << 1;
}

void tst_ugVerificacoesContratoVinculo::verificacoes()
{
    QFETCH(QVariantMap, estabelecimento);
    QFETCH(QVariantMap, mudancas);
    QFETCH(QStringList, linhas);
    QFETCH(int, contadas);
    m_tabelas->insere(QStringLiteral("bd8emp"), test::estabelecimentoDeTeste(estabelecimento));
    m_tabelas->insere(QStringLiteral("bd8vinc"), test::vinculoDeTeste(QStringLiteral("13000000002"), mudancas));
    const test::ResultadoVerificacoes r = test::analisaComGrupos({VerificacoesContratoVinculo});
    QCOMPARE(r.linhas, linhas);
    QCOMPARE(r.contadas, contadas);
}

// The occupation's flags are searched once per CBO of a run: each link's level is still judged on its own,
// whatever the level of the link before with the same CBO.
void tst_ugVerificacoesContratoVinculo::ocupacaoDeVariosVinculos()
{
    m_tabelas->insere(QStringLiteral("tb8cbo"),
                      QList<QVariantMap>{{{"CoCbo", "252105"}, {"NoCbo", "Superior"}, {"InCriticaCbo", true},
                                          {"InCriticaAna", false}},
                                         {{"CoCbo", "351305"}, {"NoCbo", "Tecnico"}, {"InCriticaCbo", false},
                                          {"InCriticaAna", true}}});
    m_tabelas->insere(QStringLiteral("bd8emp"), test::estabelecimentoDeTeste());
    const QList<std::pair<const char *, const char *>> vinculos{
        {"252105", "11"}, {"252105", "07"}, {"252105", "09"}, {"351305", "07"}, {"351305", "01"}, {"351305", "07"}};
    QStringList esperadas;
    for (qsizetype i = 0; i < vinculos.size(); ++i) {
        // PIS 2i000000000 + check digit, one per link.
        QString pis = QStringLiteral("2%1000000000").arg(i + 1);
        int soma = 0;
        for (int j = 0; j < 10; ++j)
            soma += pis.at(j).digitValue() * QList<int>{3, 2, 9, 8, 7, 6, 5, 4, 3, 2}.at(j);
        const int digito = 11 - soma % 11;
        pis += QString::number(digito >= 10 ? 0 : digito);
        const QVariantMap mudancas{{"CoCbo", vinculos[i].first}, {"CoInstrucao", vinculos[i].second},
                                   {"NuSequencialRegistro", QStringLiteral("%1").arg(i + 1, 6, 10, QLatin1Char('0'))}};
        m_tabelas->insere(QStringLiteral("bd8vinc"), test::vinculoDeTeste(pis, mudancas));
        const QString codigo = i == 1 ? QStringLiteral("3501") : i == 4 ? QStringLiteral("3635") : QString();
        if (!codigo.isEmpty())
            esperadas << QStringLiteral("err %1 2 1637=%2 %3").arg(codigo, QLatin1String(vinculos[i].first), pis)
                      << QStringLiteral("err %1 2 1629=%2 %3").arg(codigo, QLatin1String(vinculos[i].second), pis);
    }
    const test::ResultadoVerificacoes r = test::analisaComGrupos({VerificacoesContratoVinculo});
    QCOMPARE(r.linhas, esperadas);
    QCOMPARE(r.contadas, 2);
}

QTEST_GUILESS_MAIN(tst_ugVerificacoesContratoVinculo)
#include "tst_ugVerificacoesContratoVinculo.moc"
