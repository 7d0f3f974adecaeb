// The cross checks by query: E21 across the prefixes of one inscription, V3 duplicated links (across
// prefixes, with the record sequence first on the work tables), V87 a PIS/PASEP with other person data;
// a second run gives the same findings.

#include "rules/ugConsistencia.h"
#include "rules/ugVerificacoes.h"

#include "FixtureConsistencia.h"
#include "TestData.h"

#include <QtTest>

using namespace gdvorn;

namespace {

QVariantMap estab(const char *prefixo, const char *nome, const char *cnae, const char *natureza = "2062")
{
    QVariantMap e = test::estabelecimentoValido();
    e.insert(QStringLiteral("NuPrefixoEstabelecimento"), QString::fromLatin1(prefixo));
    e.insert(QStringLiteral("NoRazaoEstabelecimento"), QString::fromLatin1(nome));
    e.insert(QStringLiteral("CoCnae2"), QString::fromLatin1(cnae));
    e.insert(QStringLiteral("CoNaturezaJuridica"), QString::fromLatin1(natureza));
    return e;
}

struct Vinculo {
    const char *prefixo;
    const char *pis;
    const char *nome;
    const char *nascimento = "01011980";
    const char *cpf = "12345678909";
    const char *sequencial = "000001";
};

QVariantMap vinculo(const Vinculo &v)
{
    return {{"AnBase", "2010"},
            {"CoCgcCeiEstabelecimento", "11222333000181"},
            {"NuPrefixoEstabelecimento", v.prefixo},
            {"InInscrEstabelecimento", "1"},
            {"CoCgcVinculado", "00000000000000"},
            {"CoPisPasepEmpregado", v.pis},
            {"NoEmpregado", v.nome},
            {"DaNascimentoEmpregado", v.nascimento},
            {"CoCpfEmpregado", v.cpf},
            {"DaAdmissaoEmpregado", "01022009"},
            {"DaDesligamentoEmpregado", "0000"},
            {"CoCbo", "411005"},
            {"NuSequencialRegistro", v.sequencial}};
}

// Runs only the cross checks over the whole declaration.
QStringList analisaCruzadas(bool trabalho = false)
{
    SequenciasConsistencia s;
    VerificacoesCruzadas(s);
    AnalisaDeclaracao(nullptr, QString(), trabalho, nullptr, QString(), false, false, false, &s);
    return test::linhasOcorrencias(true);
}

} // namespace

class tst_ugVerificacoesCruzadas : public QObject {
    Q_OBJECT

private slots:
    void init()
    {
        m_tabelas = std::make_unique<test::FixtureTabelas>();
        test::preencheTabelasValidas(*m_tabelas);
    }
    void cleanup() { m_tabelas.reset(); }

    void prefixosComNomesEAtividadesDiferentes();
    void prefixosEspelhados();
    void vinculosRepetidosEntrePrefixos();
    void vinculosRepetidosNasTabelasDeTrabalho();
    void mesmoPisComOutrosDados();
    void mensagensInstaladas();

private:
    std::unique_ptr<test::FixtureTabelas> m_tabelas;
};

void tst_ugVerificacoesCruzadas::prefixosComNomesEAtividadesDiferentes()
{
    m_tabelas->insere(QStringLiteral("bd8emp"), QList<QVariantMap>{estab("01", "LOJA A", "4711302"),
                                                                  estab("02", "LOJA B", "4711301"),
                                                                  estab("03", "LOJA A", "4711303"),
                                                                  estab("04", "LOJA C", "4711302")});
    const auto r = test::executaEstabelecimento({21});
    QCOMPARE(r.linhas, (QStringList{"err 3762 1 1602=01", "err 3762 1 1604=LOJA A", "err 3762 1 1602=02",
                                    "err 3762 1 1604=LOJA B", "err 3762 1 1602=04", "err 3762 1 1604=LOJA C",
                                    "err 3763 1 1602=01", "err 3763 1 1618=4711302", "err 3763 1 1602=02",
                                    "err 3763 1 1618=4711301", "err 3763 1 1602=03", "err 3763 1 1618=4711303"}));
    // One for the names, one per differing activity.
    QCOMPARE(r.contadas, 3);
}

void tst_ugVerificacoesCruzadas::prefixosEspelhados()
{
    m_tabelas->insere(QStringLiteral("bd8emp"), QList<QVariantMap>{estab("01", "LOJA A", "4711302", "2062"),
                                                                  estab("02", "LOJA A", "4711302", "2135")});
    const QStringList esperado{"err 3764 1 1602=01 [11222333000181 1 01]", "err 3764 1 1619=2062 [11222333000181 1 01]",
                               "err 3764 1 1602=02 [11222333000181 1 01]", "err 3764 1 1619=2135 [11222333000181 1 01]",
                               "err 3764 1 1602=02 [11222333000181 1 02]", "err 3764 1 1619=2135 [11222333000181 1 02]",
                               "err 3764 1 1602=01 [11222333000181 1 02]", "err 3764 1 1619=2062 [11222333000181 1 02]"};
    QCOMPARE(analisaCruzadas(), esperado);
    // Another inscription or another linked CEI is not compared.
    m_tabelas->esvazia(QStringLiteral("bd8emp"));
    QVariantMap outroVinculado = estab("02", "LOJA B", "4711302");
    outroVinculado.insert(QStringLiteral("CoCgcVinculado"), QStringLiteral("00000100000002"));
    m_tabelas->insere(QStringLiteral("bd8emp"), QList<QVariantMap>{estab("01", "LOJA A", "4711302"), outroVinculado});
    QCOMPARE(analisaCruzadas(), QStringList());
}

void tst_ugVerificacoesCruzadas::vinculosRepetidosEntrePrefixos()
{
    m_tabelas->insere(QStringLiteral("bd8emp"),
                      QList<QVariantMap>{estab("01", "LOJA", "4711302"), estab("02", "LOJA", "4711302")});
    Vinculo repetido{"01", "12345678901", "ANA"};
    Vinculo outroPrefixo = repetido;
    outroPrefixo.prefixo = "02";
    Vinculo outraAdmissao{"01", "12345678901", "ANA", "01011980", "12345678909", "000002"};
    QVariantMap diferente = vinculo(outraAdmissao);
    diferente.insert(QStringLiteral("DaAdmissaoEmpregado"), QStringLiteral("01032009"));
    m_tabelas->insere(QStringLiteral("bd8vinc"), QList<QVariantMap>{vinculo(repetido), vinculo(outroPrefixo), diferente});

    const QStringList achado{"err 1671 2 1624=12345678901", "err 1671 2 1625=ANA", "err 1671 2 1632=01022009",
                             "err 1671 2 1640=0000", "err 1671 2 1637=411005"};
    QStringList esperado;
    for (const char *prefixo : {"01", "02"})
        for (const QString &l : achado)
            esperado << l + QStringLiteral(" [11222333000181 1 %1]").arg(QLatin1String(prefixo));
    QCOMPARE(analisaCruzadas(), esperado);
    // The results are the run's own: a second run finds the same.
    QCOMPARE(analisaCruzadas(), esperado);
}

void tst_ugVerificacoesCruzadas::vinculosRepetidosNasTabelasDeTrabalho()
{
    test::criaTabelasTrabalho();
    m_tabelas->insere(QStringLiteral("te8emp"), estab("01", "LOJA", "4711302"));
    Vinculo a{"01", "12345678901", "ANA", "01011980", "12345678909", "000007"};
    Vinculo b = a;
    b.sequencial = "000009";
    m_tabelas->insere(QStringLiteral("te8vinc"), QList<QVariantMap>{vinculo(a), vinculo(b)});
    const QStringList linhas = analisaCruzadas(true);
    QCOMPARE(linhas.size(), 12);
    QCOMPARE(linhas[0], QStringLiteral("err 1671 2 1662=000007 [11222333000181 1 01]"));
    QCOMPARE(linhas[1], QStringLiteral("err 1671 2 1624=12345678901 [11222333000181 1 01]"));
    QCOMPARE(linhas[6], QStringLiteral("err 1671 2 1662=000009 [11222333000181 1 01]"));
}

void tst_ugVerificacoesCruzadas::mesmoPisComOutrosDados()
{
    m_tabelas->insere(QStringLiteral("bd8emp"), estab("01", "LOJA", "4711302"));
    m_tabelas->insere(QStringLiteral("bd8vinc"),
                      QList<QVariantMap>{vinculo({"01", "12345678901", "ANA", "01011980", "12345678909", "000001"}),
                                         vinculo({"01", "12345678901", "ANA", "01011980", "12345678909", "000002"}),
                                         vinculo({"01", "12345678901", "ANA MARIA", "01011980", "12345678909", "000003"}),
                                         vinculo({"01", "12345678901", "ANA", "02021981", "12345678909", "000004"}),
                                         vinculo({"01", "19876543210", "BRUNO", "01011980", "98765432100", "000005"})});
    SequenciasConsistencia s;
    VerificacoesCruzadas(s);
    s.Vinculo.remove(3); // the same-data links are also duplicates
    AnalisaDeclaracao(nullptr, QString(), false, nullptr, QString(), false, false, false, &s);
    QStringList retornosPorNome;
    for (const QString &l : test::linhasOcorrencias()) {
        QVERIFY(l.startsWith(QLatin1String("err 3761 2 ")));
        if (l.contains(QLatin1String(" 1625=")))
            retornosPorNome << l.section(QLatin1Char('='), 1);
    }
    // Three combinations for the PIS: each of its four links (in key order: the three "ANA", then "ANA
    // MARIA") meets the two that are not its own; BRUNO occurs once and has none.
    QCOMPARE(retornosPorNome, (QStringList{"ANA", "ANA", "ANA", "ANA", "ANA", "ANA", "ANA MARIA", "ANA MARIA"}));
    const QStringList linhas = test::linhasOcorrencias();
    QCOMPARE(linhas.mid(0, 4), (QStringList{"err 3761 2 1624=12345678901", "err 3761 2 1625=ANA",
                                            "err 3761 2 1631=12345678909", "err 3761 2 1626=01011980"}));
}

void tst_ugVerificacoesCruzadas::mensagensInstaladas()
{
    test::expectInstalledMessages({{"1671", "ERR"}, {"3761", "WAR"}, {"3762", "ERR"}, {"3763", "ERR"}, {"3764", "ERR"}});
}

QTEST_GUILESS_MAIN(tst_ugVerificacoesCruzadas)
#include "tst_ugVerificacoesCruzadas.moc"
