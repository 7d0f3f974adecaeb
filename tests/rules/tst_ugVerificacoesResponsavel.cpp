// The checks of the responsible record: a valid record gives no finding; each case changes fields of the
// valid record and shows the rows the checks write (all of record type 0) and the occurrences counted.

#include "rules/ugConsistencia.h"

#include "FixtureConsistencia.h"

#include <QtTest>

using namespace gdvorn;

namespace {

const QString kCnpj = QStringLiteral("11222333000181");
const QString kCei = QStringLiteral("00000100000002");
const QString kCpf = QStringLiteral("00012345678909"); // a CPF in the 14-character stored form

} // namespace

class tst_ugVerificacoesResponsavel : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_tabelas = std::make_unique<test::FixtureTabelas>();
        test::preencheTabelasValidas(*m_tabelas);
    }
    void cleanupTestCase() { m_tabelas.reset(); }
    void init() { m_tabelas->esvazia(QStringLiteral("bd8resp")); }

    void responsavelValidoSemAchados();
    void verificacoes_data();
    void verificacoes();
    void tabelasDeTrabalho();

private:
    std::unique_ptr<test::FixtureTabelas> m_tabelas;
};

void tst_ugVerificacoesResponsavel::responsavelValidoSemAchados()
{
    m_tabelas->insere(QStringLiteral("bd8resp"), test::responsavelValido());
    const auto r = test::executaResponsavel();
    QCOMPARE(r.linhas, QStringList());
    QCOMPARE(r.contadas, 0);
}

void tst_ugVerificacoesResponsavel::verificacoes_data()
{
    QTest::addColumn<QVariantMap>("mudancas");
    QTest::addColumn<QList<int>>("numeros");
    QTest::addColumn<QStringList>("linhas");
    QTest::addColumn<int>("contadas");
    const auto caso = [](const char *nome, const QVariantMap &m, const QList<int> &numeros, const QStringList &linhas,
                         int contadas) { QTest::newRow(nome) << m << numeros << linhas << contadas; };
    const auto r1 = [&caso](const char *nome, const char *tipo, const QString &inscricao, const QStringList &linhas) {
        caso(nome, {{"InInscrResponsavel", tipo}, {"CoCgcCeiResponsavel", inscricao}}, {1}, linhas, linhas.isEmpty() ? 0 : 1);
    };
    r1("R1 tipo 1 CNPJ", "1", kCnpj, {});
    r1("R1 tipo 1 CEI", "1", kCei, {"err 0134 0 1601=1 (CNPJ)", "err 0134 0 1599=" + kCei});
    r1("R1 tipo 1 CPF", "1", kCpf, {"err 0134 0 1601=1 (CNPJ)", "err 0134 0 1599=" + kCpf});
    r1("R1 tipo 3 CNPJ", "3", kCnpj, {"err 0135 0 1601=3 (CEI)", "err 0135 0 1599=" + kCnpj});
    r1("R1 tipo 3 CEI", "3", kCei, {});
    r1("R1 tipo 3 CPF", "3", kCpf, {"err 0135 0 1601=3 (CEI)", "err 0135 0 1599=" + kCpf});
    r1("R1 tipo 4 CPF", "4", kCpf, {});
    r1("R1 tipo 4 CNPJ", "4", kCnpj, {"err 0131 0 1601=4 (CPF)", "err 0131 0 1599=" + kCnpj});
    r1("R1 tipo 4 CEI", "4", kCei, {"err 0131 0 1601=4 (CPF)", "err 0131 0 1599=" + kCei});
    r1("R1 nenhuma inscricao", "1", QStringLiteral("11222333000180"), {"err 0053 0 1599=11222333000180"});
    r1("R1 tipo 4 nenhuma inscricao", "4", QStringLiteral("11222333000180"), {"err 0054 0 1599=11222333000180"});
    r1("R1 tipo invalido", "5", kCnpj, {"err 0129 0 1601=5"});

    caso("R2 nome curto", {{"NoResponsavelArquivo", "AB"}}, {2}, {"err 0010 0 1604=AB"}, 1);
    caso("R5 sem numero nem complemento", {{"NuLogradouroRespArquivo", "000000"}}, {4, 5},
         {"err 0120 0 1606=000000", "err 0120 0 1607="}, 1);
    caso("R8 municipio ausente, R9 sem 3667", {{"CoMunicipioRespArquivo", "3599999"}}, {8, 9},
         {"err 0090 0 1610=3599999"}, 1);
    caso("R9 outro nome", {{"NoMunicipioRespArquivo", "SAO PAULO X"}}, {9}, {"err 3666 0 3667=SAO PAULO X"}, 1);
    caso("R10 UF ausente, R11 sem 0402", {{"SgUfRespArquivo", "XX"}, {"NuFoneDDD", "61"}}, {10, 11},
         {"err 0100 0 1612=XX"}, 1);
    caso("R10 CEP fora do estado", {{"CoCepRespArquivo", "20000000"}}, {10},
         {"err 0083 0 1609=20000000", "err 0083 0 1612=SP"}, 1);
    caso("R11 DDD de outro estado nao conta", {{"NuFoneDDD", "61"}}, {11}, {"war 0402 0 1612=SP", "war 0402 0 1613=61"},
         0);
    caso("R12 telefone curto", {{"NuFoneAssinante", "1234567"}}, {12}, {"err 3101 0 1614=1234567"}, 1);
    caso("R13 data sem retificacao", {{"DaRetificacao", "10012011"}}, {13},
         {"err 0411 0 1615=10012011", "err 0411 0 1660=Não assinalado"}, 1);
    caso("R13 R16 retificacao sem data nem CREA", {{"InRetificacao", true}}, {13, 16},
         {"err 0410 0 1615=00000000", "err 0410 0 1660=Assinalado para retificação", "err 3734 0 3736=000000000000",
          "err 3734 0 1660=1"},
         2);
    caso("R16 CREA sem retificacao", {{"CoCrea", "193456789012"}}, {16},
         {"err 3735 0 3736=193456789012", "err 3735 0 1660=2"}, 1);
    caso("R16 CREA invalido na retificacao", {{"InRetificacao", true}, {"CoCrea", "183456789012"}}, {16},
         {"err 3734 0 3736=183456789012"}, 1);
    caso("R14 geracao no ano-base", {{"DaGeracao", "31122010"}}, {14}, {"err 0420 0 1616=31122010"}, 1);
    caso("R15 sem email", {{"TxEMailRespArquivo", ""}}, {15}, {"err 3778 0 1617="}, 1);
    caso("R17 sem CPF", {{"CoCpfResponsavel", ""}}, {17, 18}, {"err 3718 0 3737="}, 1);
    caso("R18 CPF diferente da inscricao", {{"InInscrResponsavel", "4"}, {"CoCgcCeiResponsavel", kCpf},
                                            {"CoCpfResponsavel", "11144477735"}},
         {18}, {"err 0210 0 3737=11144477735"}, 1);
    caso("R19 uma palavra", {{"NoResponsavelDeclaracao", "JOSE"}}, {19}, {"err 3716 0 3738=JOSE"}, 1);
    caso("R20 menor de idade", {{"DaNascimentoRespArquivo", "01011995"}}, {20}, {"err 0179 0 3760=01011995"}, 1);
    caso("R20 sem data", {{"DaNascimentoRespArquivo", "00000000"}}, {20}, {"err 0170 0 3760=00000000"}, 1);
}

void tst_ugVerificacoesResponsavel::verificacoes()
{
    QFETCH(QVariantMap, mudancas);
    QFETCH(QList<int>, numeros);
    QFETCH(QStringList, linhas);
    QFETCH(int, contadas);
    QVariantMap r = test::responsavelValido();
    for (auto it = mudancas.cbegin(); it != mudancas.cend(); ++it)
        r.insert(it.key(), it.value());
    m_tabelas->insere(QStringLiteral("bd8resp"), r);
    const auto resultado = test::executaResponsavel(numeros);
    QCOMPARE(resultado.linhas, linhas);
    QCOMPARE(resultado.contadas, contadas);
}

void tst_ugVerificacoesResponsavel::tabelasDeTrabalho()
{
    // The analysis of a loaded file checks te8resp, not bd8resp.
    test::criaTabelasTrabalho();
    QVariantMap r = test::responsavelValido();
    r.insert(QStringLiteral("TxEMailRespArquivo"), QString());
    m_tabelas->insere(QStringLiteral("te8resp"), r);
    m_tabelas->insere(QStringLiteral("bd8resp"), test::responsavelValido());
    QCOMPARE(test::executaResponsavel({15}, true).linhas, QStringList{"err 3778 0 1617="});
    QCOMPARE(test::executaResponsavel({15}, false).linhas, QStringList());
}

QTEST_GUILESS_MAIN(tst_ugVerificacoesResponsavel)
#include "tst_ugVerificacoesResponsavel.moc"
