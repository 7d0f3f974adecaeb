// The checks of a link's identification and person data: from a link valid for every rule, one change
// per case, the rows each finding leaves in te8errwa (kind, code, record type, labels and contents in
// order); the reference year of a link of an establishment closed in the next year.

#include "rules/ugVerificacoes.h"

#include "FixtureVinculos.h"

#include <QtTest>

using namespace gdvorn;

class tst_ugVerificacoesPessoaVinculo : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup() { m_tabelas.reset(); }
    void verificacoes_data();
    void verificacoes();

private:
    std::unique_ptr<test::FixtureTabelas> m_tabelas;
};

void tst_ugVerificacoesPessoaVinculo::init()
{
    m_tabelas = std::make_unique<test::FixtureTabelas>();
    test::insereTabelasDoVinculo(*m_tabelas);
}

void tst_ugVerificacoesPessoaVinculo::verificacoes_data()
{
    QTest::addColumn<QVariantMap>("estabelecimento");
    QTest::addColumn<QVariantMap>("mudancas");
    QTest::addColumn<QStringList>("linhas");
    QTest::addColumn<int>("contadas");
    const auto s = [](const char *t) { return QString::fromLatin1(t) + QStringLiteral(" 13000000002"); };
    const QVariantMap nada;
    const QVariantMap encerradoNoAno{{"InEncerramentoAtividade", "1"}, {"DaEncerramentoAtividade", "10032010"}};
    const QVariantMap encerradoDepois{{"InEncerramentoAtividade", "1"}, {"DaEncerramentoAtividade", "31032011"}};

    QTest::newRow("vinculo valido") << nada << nada << QStringList{} << 0;
    QTest::newRow("V1 pis invalido") << nada << QVariantMap{{"CoPisPasepEmpregado", "13000000003"}}
                                     << QStringList{QStringLiteral("err 0150 2 1624=13000000003 13000000003")} << 1;
    QTest::newRow("V2 admissao invalida, so ela")
        << nada << QVariantMap{{"DaAdmissaoEmpregado", "30022010"}, {"DaNascimentoEmpregado", "15032005"}}
        << QStringList{QStringLiteral("err 0390 2 1632=30022010 13000000002"), s("err 0172 2 1626=15032005"),
                       s("err 0172 2 1658=2010")} << 2;
    QTest::newRow("V2 admissao apos o ano-base")
        << nada << QVariantMap{{"DaAdmissaoEmpregado", "01012011"}}
        << QStringList{s("err 0391 2 1632=01012011"), s("err 0391 2 1658=2010")} << 1;
    QTest::newRow("V2 admissao apos o encerramento")
        << encerradoNoAno << QVariantMap{{"DaAdmissaoEmpregado", "11032010"}}
        << QStringList{QStringLiteral("err 0394 2 1632=11032010 13000000002"),
                       QStringLiteral("err 0394 2 1669=10032010 13000000002")} << 1;
    QTest::newRow("V2 aviso 0171 e V5 aviso 0176")
        << nada << QVariantMap{{"DaNascimentoEmpregado", "15031997"}, {"DaAdmissaoEmpregado", "01062010"}}
        << QStringList{QStringLiteral("war 0171 2 1632=01062010 13000000002"),
                       QStringLiteral("war 0171 2 1626=15031997 13000000002"), s("war 0176 2 1626=15031997"),
                       s("war 0176 2 1658=2010")} << 0;
    QTest::newRow("V2 erro 0173")
        << nada << QVariantMap{{"DaNascimentoEmpregado", "15032000"}, {"DaAdmissaoEmpregado", "01062009"}}
        << QStringList{QStringLiteral("err 0173 2 1632=01062009 13000000002"),
                       QStringLiteral("err 0173 2 1626=15032000 13000000002"), s("war 0176 2 1626=15032000"),
                       s("war 0176 2 1658=2010")} << 1;
    QTest::newRow("V2 admissao antes da chegada")
        << nada << QVariantMap{{"CoNacionalidade", "21"}, {"AnChegadaEmpregado", "2006"}}
        << QStringList{s("err 0194 2 1632=01022005"), s("err 0194 2 1628=2006")} << 1;
    QTest::newRow("V4 nome de uma palavra") << nada << QVariantMap{{"NoEmpregado", "FULANO"}}
                                            << QStringList{s("err 0161 2 1625=FULANO")} << 1;
    QTest::newRow("V5 nascimento invalido") << nada << QVariantMap{{"DaNascimentoEmpregado", "31021980"}}
                                            << QStringList{s("err 0175 2 1626=31021980")} << 0;
    QTest::newRow("V6 tipo 0 com deficiencia") << nada << QVariantMap{{"InDeficienteFisico", "1"}}
                                               << QStringList{s("err 3701 2 3620=1"), s("err 3701 2 3623=0")} << 1;
    QTest::newRow("V7 indicador 3") << nada << QVariantMap{{"InDeficienteFisico", "3"}}
                                    << QStringList{s("err 0001 2 3620=3")} << 1;
    QTest::newRow("V8 raca 9") << nada << QVariantMap{{"CoTipoRaca", "9"}} << QStringList{s("err 0481 2 1667=9")} << 1;
    QTest::newRow("V9 e V11 nacionalidade 99")
        << nada << QVariantMap{{"CoNacionalidade", "99"}}
        << QStringList{s("err 0181 2 1627=99"), s("err 0191 2 1628=0000"), s("err 0191 2 1627=99")} << 2;
    QTest::newRow("V10 sexo 3") << nada << QVariantMap{{"InSexo", "3"}} << QStringList{s("err 3524 2 3523=3")} << 1;
    QTest::newRow("V11 brasileiro com chegada") << nada << QVariantMap{{"AnChegadaEmpregado", "1999"}}
                                                << QStringList{s("err 0190 2 1628=1999"), s("err 0190 2 1627=10")} << 1;
    const QVariantMap chegada2011{{"CoNacionalidade", "21"}, {"AnChegadaEmpregado", "2011"},
                                  {"DaAdmissaoEmpregado", "01022011"}};
    QTest::newRow("V2 e V11 chegada e admissao apos o ano-base")
        << nada << chegada2011
        << QStringList{QStringLiteral("err 0391 2 1632=01022011 13000000002"),
                       QStringLiteral("err 0391 2 1658=2010 13000000002"), s("err 0192 2 1628=2011"),
                       s("err 0192 2 1658=2010")} << 2;
    QTest::newRow("ano de referencia seguinte, encerrado em 2011") << encerradoDepois << chegada2011
                                                                   << QStringList{} << 0;
    QTest::newRow("V12 instrucao nao cadastrada") << nada << QVariantMap{{"CoInstrucao", "05"}}
                                                  << QStringList{s("err 0201 2 1629=05")} << 1;
    QTest::newRow("V12 mestrado aos 22")
        << nada << QVariantMap{{"CoInstrucao", "11"}, {"DaNascimentoEmpregado", "15031988"}}
        << QStringList{s("war 3772 2 1629=11"), s("war 3772 2 1626=1988")} << 1;
    QTest::newRow("V13 numero nao numerico")
        << nada << QVariantMap{{"NuCartTrabEmpregado", "1234567A"}}
        << QStringList{s("err 0212 2 1630=1234567A"), s("err 0040 2 1630=1234567A"), s("err 0040 2 1638=10")} << 2;
    QTest::newRow("V13 serie sem numero")
        << nada << QVariantMap{{"NuCartTrabEmpregado", "00000000"}}
        << QStringList{s("err 3723 2 1630=00000000"), s("err 3723 2 3700=12345")} << 1;
    QTest::newRow("V13 serie de estrangeiro para brasileiro")
        << nada << QVariantMap{{"SeCartTrabEmpregado", "A1234"}}
        << QStringList{s("err 0213 2 1630=12345678"), s("err 0213 2 3700=A1234"), s("err 0213 2 1627=10")} << 0;
    QTest::newRow("V13 desligado sem cpf")
        << nada << QVariantMap{{"CoCpfEmpregado", ""}, {"DaDesligamentoEmpregado", "1510"}}
        << QStringList{s("war 3759 2 1631=")} << 0;
    QTest::newRow("V14 cpf invalido") << nada << QVariantMap{{"CoCpfEmpregado", "12345678900"}}
                                      << QStringList{s("err 0210 2 1631=12345678900")} << 1;
    QTest::newRow("V14 cpf exigido") << nada << QVariantMap{{"CoCpfEmpregado", ""}}
                                     << QStringList{s("err 3722 2 1631=")} << 1;
}

void tst_ugVerificacoesPessoaVinculo::verificacoes()
{
    QFETCH(QVariantMap, estabelecimento);
    QFETCH(QVariantMap, mudancas);
    QFETCH(QStringList, linhas);
    QFETCH(int, contadas);
    m_tabelas->insere(QStringLiteral("bd8emp"), test::estabelecimentoDeTeste(estabelecimento));
    m_tabelas->insere(QStringLiteral("bd8vinc"), test::vinculoDeTeste(QStringLiteral("13000000002"), mudancas));
    const test::ResultadoVerificacoes r = test::analisaComGrupos({VerificacoesPessoaVinculo});
    QCOMPARE(r.linhas, linhas);
    QCOMPARE(r.contadas, contadas);
}

QTEST_GUILESS_MAIN(tst_ugVerificacoesPessoaVinculo)
#include "tst_ugVerificacoesPessoaVinculo.moc"
