// The checks of an establishment row: a valid row gives no finding; each case changes fields of the valid
// row and shows the rows the checks write (kind, code, record type, label and content, in order) and the
// occurrences they count.

#include "rules/ugConsistencia.h"
#include "rules/ugRegrasSindicais.h"

#include "FixtureConsistencia.h"
#include "TestData.h"

#include <QtTest>

using namespace gdvorn;

class tst_ugVerificacoesEstabelecimento : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_tabelas = std::make_unique<test::FixtureTabelas>();
        test::preencheTabelasValidas(*m_tabelas);
    }
    void cleanupTestCase() { m_tabelas.reset(); }
    void init() { m_tabelas->esvazia(QStringLiteral("bd8emp")); }

    void estabelecimentoValidoSemAchados();
    void verificacoes_data();
    void verificacoes();
    void tabelaDeEntidadesPatronais();
    void linhaDoEstabelecimentoIdentificaOEstabelecimento();
    void mensagensInstaladas();

private:
    std::unique_ptr<test::FixtureTabelas> m_tabelas;
};

void tst_ugVerificacoesEstabelecimento::estabelecimentoValidoSemAchados()
{
    m_tabelas->insere(QStringLiteral("bd8emp"), test::estabelecimentoValido());
    const auto r = test::executaEstabelecimento();
    QCOMPARE(r.linhas, QStringList());
    QCOMPARE(r.contadas, 0);

    // The same row passes the whole analysis, the responsible record included.
    m_tabelas->insere(QStringLiteral("bd8resp"), test::responsavelValido());
    const quint8 resultado = AnalisaDeclaracao(nullptr, QString(), false, nullptr, QStringLiteral("2010"), true, false, false);
    QCOMPARE(test::linhasOcorrencias(), QStringList());
    QCOMPARE(resultado, quint8(0));
    m_tabelas->esvazia(QStringLiteral("bd8resp"));
}

void tst_ugVerificacoesEstabelecimento::verificacoes_data()
{
    QTest::addColumn<QVariantMap>("mudancas");
    QTest::addColumn<QList<int>>("numeros");
    QTest::addColumn<bool>("origemArquivo");
    QTest::addColumn<QStringList>("linhas");
    QTest::addColumn<int>("contadas");
    const auto caso = [](const char *nome, const QVariantMap &m, const QList<int> &numeros, const QStringList &linhas,
                         int contadas, bool origem = false) {
        QTest::newRow(nome) << m << numeros << origem << linhas << contadas;
    };
    const QString z14 = QStringLiteral("00000000000000");
    const QString outraEmpresa = QStringLiteral("60746948000112");
    const QString mesmaEmpresa = QStringLiteral("11222333000262");

    caso("E1 marca 0", {{"InOpcaoAberta", "0"}}, {1}, {"err 1677 1 1666=Atualização de estabelecimento"}, 1);
    caso("E1 marca 4", {{"InOpcaoAberta", "4"}}, {1}, {"err 1677 1 1666=Exclusão de estabelecimento"}, 1);
    caso("E1 marca 3", {{"InOpcaoAberta", "3"}}, {1}, {"err 1677 1 1666=Outras opções"}, 1);
    caso("E2 outro ano", {{"AnBase", "2009"}}, {2}, {"err 1911 1 1658=2009"}, 1);
    caso("E3 inscricao invalida", {{"CoCgcCeiEstabelecimento", "11222333000180"}}, {3},
         {"err 0053 1 1600=11222333000180"}, 1);
    caso("E3 tipo invalido", {{"InInscrEstabelecimento", "2"}}, {3}, {"err 0130 1 1601=2"}, 1);
    caso("E3 CNPJ como CEI", {{"InInscrEstabelecimento", "3"}}, {3},
         {"err 0135 1 1601=3 (CEI)", "err 0135 1 1600=11222333000181"}, 1);
    caso("E4 prefixo minusculo", {{"NuPrefixoEstabelecimento", "a1"}}, {4}, {"err 0060 1 1602=a1"}, 1);
    caso("E5 matriz", {{"NoRazaoEstabelecimento", "Matriz"}}, {5}, {"err 0111 1 1604=Matriz"}, 1);
    caso("E5 raiz com nome exigido", {{"CoCgcCeiEstabelecimento", "00360305000104"}}, {5},
         {"err 3727 1 1604=EMPRESA EXEMPLO LTDA"}, 1);
    caso("E5 CEI com os digitos de uma raiz",
         {{"CoCgcCeiEstabelecimento", "00360305000104"}, {"InInscrEstabelecimento", "3"}}, {5}, {}, 0);
    caso("E8 sem numero nem complemento", {{"NuEnderecoEstabelecimento", "000000"}, {"TxComplemEstabelecimento", ""}},
         {7, 8}, {"err 0120 1 1606=000000", "err 0120 1 1607="}, 1);
    caso("E10 CEP curto uma vez, E13 compara com o estado", {{"CoCepEstabelecimento", "2000000"}}, {10, 11, 13},
         {"err 0040 1 1609=2000000", "err 0083 1 1609=2000000", "err 0083 1 1612=SP"}, 2);
    caso("E11 CEP de outro municipio", {{"CoCepEstabelecimento", "01002000"}}, {11},
         {"err 0082 1 1609=01002000", "err 0082 1 1610=3550308"}, 1);
    caso("E11 municipio ausente, E12 sem 3667", {{"CoMunicipio", "3599999"}}, {11, 12}, {"err 0090 1 1610=3599999"}, 1);
    caso("E12 outro nome", {{"NoMunicEstabelecimento", "SAO PAULO X"}}, {12}, {"war 3666 1 3667=SAO PAULO X"}, 0);
    caso("E13 UF ausente, E14 sem 0402", {{"SgUf", "XX"}, {"NuDDD", "61"}}, {13, 14}, {"err 0100 1 1612=XX"}, 1);
    caso("E14 DDD de outro estado", {{"NuDDD", "61"}}, {14}, {"war 0402 1 1612=SP", "war 0402 1 1613=61"}, 0);
    caso("E14 E15 sem telefone", {{"NuDDD", ""}, {"NuTelefone", ""}}, {14, 15},
         {"err 3674 1 1613=", "err 3674 1 1614="}, 2);
    caso("E16 email", {{"TxEmailEstabelecimento", "rh@empresa"}}, {16}, {"err 3627 1 1617=rh@empresa"}, 1);
    caso("E17 porte", {{"InPorte", "4"}}, {17}, {"err 3124 1 3520=4"}, 1);
    caso("E18 porte 3 no simples", {{"InPorte", "3"}, {"InOptanteSimples", "1"}}, {18},
         {"err 3125 1 3520=3", "err 3125 1 3123=1"}, 1);
    caso("E19 CNAE ausente", {{"CoCnae2", "9999999"}}, {19}, {"err 0361 1 1618=9999999"}, 1);
    caso("E19 E20 prefeitura", {{"NoRazaoEstabelecimento", "PREFEITURA MUNICIPAL"}}, {19, 20},
         {"war 0363 1 1618=4711302", "war 0363 1 1604=PREFEITURA MUNICIPAL", "war 0372 1 1619=2062",
          "war 0372 1 1604=PREFEITURA MUNICIPAL"},
         0);
    caso("E19 condominio", {{"NoRazaoEstabelecimento", "CONDOMINIO SOL"}}, {19},
         {"err 0362 1 1618=4711302", "err 0362 1 1604=CONDOMINIO SOL"}, 1);
    caso("E22 proprietarios", {{"NuProprietEstabelecimento", "1"}}, {22}, {"err 0040 1 1621=1"}, 1);
    caso("E23 mes invalido nao conta", {{"MeDataBase", "13"}}, {23}, {"err 0071 1 1620=13"}, 0);
    caso("E23 mes exigido", {{"MeDataBase", "00"}, {"InVornNegEstabelecimento", "0"}}, {23},
         {"err 0070 1 1620=00", "err 0070 1 1622=0"}, 1);
    caso("E24 CEI sem empregados", {{"InInscrEstabelecimento", "3"}}, {24},
         {"err 0133 1 1622=1", "err 0133 1 1601=3", "err 0133 1 1603=000000000000"}, 1);
    caso("E25 inicio 11 e CEI valido", {{"CoCgcVinculado", "11000100000002"}}, {25}, {"err 0040 1 1678=11"}, 1);
    caso("E25 CEI com CEI vinculado", {{"CoCgcVinculado", "00000100000002"}, {"InInscrEstabelecimento", "3"}}, {25},
         {"err 0350 1 1601=3 (CEI)", "err 0350 1 1603=000100000002"}, 1);
    caso("E26 encerrado no ano seguinte", {{"InEncerramentoAtividade", "1"}, {"DaEncerramentoAtividade", "10012011"}},
         {26}, {"err 3516 1 1669=10012011", "err 3516 1 1658=2010"}, 1);
    caso("E26 data sem encerramento", {{"DaEncerramentoAtividade", "10052010"}}, {26},
         {"err 3515 1 1669=10052010", "err 3515 1 1668=Não assinalado"}, 1);
    caso("E26 encerrado sem data", {{"InEncerramentoAtividade", "1"}}, {26},
         {"err 3513 1 1669=00000000", "err 3513 1 1668=Assinalado para encerramento das atividades"}, 1);
    caso("E27 PAT vazio", {{"InParticipaPAT", ""}}, {27}, {"err 3608 1 3122="}, 1);
    caso("E28 participa sem trabalhadores", {{"InParticipaPAT", "1"}}, {28},
         {"err 3626 1 3122=1", "err 3626 1 3610=000000", "err 3626 1 3611=000000"}, 1);
    caso("E28 nao participa com trabalhadores", {{"NuVinculoPatMenor5", "000005"}}, {28},
         {"err 3525 1 3122=2", "err 3525 1 3610=000000", "err 3525 1 3611=000005"}, 1);
    caso("E28 contagem invalida", {{"NuVinculoPatMaior5", "12"}}, {28}, {"err 0040 1 3610=12"}, 1);
    caso("E29 percentual acima de 100 e total", {{"PoServicoProprio", "150"}}, {29},
         {"war 3521 1 3612=150", "war 3526 1 3122=2", "war 3526 1 3612=150", "war 3526 1 3613=000",
          "war 3526 1 3614=000", "war 3526 1 3615=000", "war 3526 1 3616=000", "war 3526 1 3617=000"},
         0);
    caso("E29 percentual invalido sem total", {{"PoAdmCozinha", "1A0"}}, {29}, {"err 0040 1 3613=1A0"}, 1);
    caso("E30 CNPJ proprio", {{"CoCNPJSindical", "11222333000181"}}, {30}, {"err 3742 1 3652=11222333000181"}, 1);
    caso("E30 CNPJ vedado", {{"CoCNPJSindical", "00000000000191"}}, {30}, {"err 3741 1 3652=00000000000191"}, 1);
    caso("E30 CNPJ invalido", {{"CoCNPJSindical", "60746948000199"}}, {30}, {"err 0059 1 3652=60746948000199"}, 1);
    caso("E31 sindicalizada sem associativa", {{"InSindicalizada", "1"}}, {31},
         {"err 3713 1 3650=" + z14, "err 3713 1 3703=1"}, 1);
    caso("E31 associativa de nao sindicalizada nao e verificada aqui", {{"CoCNPJAssociativa", outraEmpresa}}, {31}, {},
         0);
    caso("E32 CNPJ proprio", {{"CoCNPJAssistencial", "11222333000181"}}, {32}, {"err 3742 1 3654=11222333000181"}, 1);
    caso("E34 valor vazio", {{"VaGlobalSindical", ""}}, {34}, {"err 3648 1 3653="}, 1);
    caso("E35 valor sem CNPJ", {{"VaGlobalAssociativa", "000001000"}}, {35},
         {"err 3744 1 3650=" + z14, "err 3744 1 3651=000001000"}, 1);
    caso("E36 nove zeros nao passa pelas regras", {{"VaGlobalAssistencial", "000000000"}}, {36}, {}, 0);
    caso("E36 valor curto", {{"VaGlobalAssistencial", "12"}}, {36}, {"err 0040 1 3655=12"}, 1);
    caso("E37 valor sem CNPJ", {{"VaGlobalConfederativa", "000000100"}}, {37},
         {"err 3744 1 3656=" + z14, "err 3744 1 3657=000000100"}, 1);
    caso("E38 centralizada", {{"CoCNPJSindical", ""}, {"CoCNPJCentralizada", mesmaEmpresa}, {"InCentralizada", "1"}},
         {38}, {}, 0);
    caso("E38 centralizadora de outra empresa", {{"CoCNPJCentralizada", outraEmpresa}}, {38},
         {"err 3740 1 3705=" + outraEmpresa}, 1);
    caso("E38 sindical e centralizadora", {{"CoCNPJSindical", outraEmpresa}, {"CoCNPJCentralizada", mesmaEmpresa}},
         {38}, {"err 3706 1 3652=" + outraEmpresa, "err 3706 1 3705=" + mesmaEmpresa}, 1);
    caso("E38 indicador contrario", {{"CoCNPJSindical", ""}, {"CoCNPJCentralizada", mesmaEmpresa}}, {38},
         {"err 3725 1 3726=2", "err 3725 1 3705=" + mesmaEmpresa}, 1);
    caso("E38 CEI centralizado",
         {{"CoCNPJSindical", ""}, {"CoCNPJCentralizada", mesmaEmpresa}, {"InInscrEstabelecimento", "3"}}, {38},
         {"err 3719 1 1601=3", "err 3719 1 3705=" + mesmaEmpresa}, 1);
    caso("E38 sem contribuicao, dados digitados", {{"CoCNPJSindical", ""}, {"CoCNPJCentralizada", ""},
                                                   {"InVornNegEstabelecimento", "0"}},
         {38}, {"war 3687 1 3652=", "war 3687 1 3705="}, 0);
    caso("E39 indicador", {{"InSindicalizada", ""}}, {39}, {"err 3704 1 3703="}, 1);
    caso("E40 atividade", {{"InAtividadeAnoBase", "3"}}, {40}, {"err 3668 1 3669=3"}, 1);
    caso("E41 uso", {{"TxUsoEstabelecimento", "SEÇÃO"}}, {41}, {"err 0020 1 1623=SEÇÃO"}, 1);

    // A declaration file: fields it always carries must be filled, an absent CNPJ is fourteen zeros.
    caso("arquivo: campos vazios", {{"CoCNPJSindical", ""}, {"CoCNPJAssociativa", ""}, {"VaGlobalAssistencial", ""},
                                    {"CoCNPJCentralizada", ""}},
         {30, 31, 36, 38}, {"err 0030 1 3652=", "err 0030 1 3650=", "err 0030 1 3655=", "err 0030 1 3705="}, 4, true);
    caso("digitado: campos vazios", {{"CoCNPJSindical", ""}, {"CoCNPJAssociativa", ""}, {"VaGlobalAssistencial", ""},
                                     {"InVornNegEstabelecimento", "1"}},
         {30, 31, 36, 38}, {}, 0);
    caso("arquivo: sem contribuicao", {{"InVornNegEstabelecimento", "0"}}, {38},
         {"war 3687 1 3652=" + z14, "war 3687 1 3705=" + z14}, 0, true);
    caso("digitado: zeros nao sao ausencia", {{"InVornNegEstabelecimento", "0"}}, {38}, {}, 0);
    caso("arquivo: encerramento sem data", {{"DaEncerramentoAtividade", ""}}, {26},
         {"err 3514 1 1669=", "err 3514 1 1668=Não assinalado"}, 1, true);
}

void tst_ugVerificacoesEstabelecimento::verificacoes()
{
    QFETCH(QVariantMap, mudancas);
    QFETCH(QList<int>, numeros);
    QFETCH(bool, origemArquivo);
    QFETCH(QStringList, linhas);
    QFETCH(int, contadas);
    QVariantMap e = test::estabelecimentoValido();
    for (auto it = mudancas.cbegin(); it != mudancas.cend(); ++it)
        e.insert(it.key(), it.value());
    m_tabelas->insere(QStringLiteral("bd8emp"), e);
    const auto r = test::executaEstabelecimento(numeros, false, origemArquivo);
    QCOMPARE(r.linhas, linhas);
    QCOMPARE(r.contadas, contadas);
}

void tst_ugVerificacoesEstabelecimento::tabelaDeEntidadesPatronais()
{
    const QString outra = QStringLiteral("60746948000112");
    QVariantMap e = test::estabelecimentoValido();
    e.insert(QStringLiteral("CoCNPJSindical"), outra);
    e.insert(QStringLiteral("CoCNPJAssistencial"), outra);
    m_tabelas->insere(QStringLiteral("bd8emp"), e);
    // An empty list warns no one.
    QCOMPARE(test::executaEstabelecimento({30, 32}).linhas, QStringList());

    m_tabelas->insere(QStringLiteral("tbempreg"), {{"CoCnpjEmpregador", "11222333000262"}});
    auto r = test::executaEstabelecimento({30, 32});
    QCOMPARE(r.linhas, (QStringList{"war 3688 1 3652=" + outra, "war 3688 1 3654=" + outra}));
    QCOMPARE(r.contadas, 0);

    // The CNPJ of QYV is not warned as a union entity, but is as any other entity.
    m_tabelas->esvazia(QStringLiteral("bd8emp"));
    e.insert(QStringLiteral("CoCNPJSindical"), CnpjQyv);
    e.insert(QStringLiteral("CoCNPJAssistencial"), CnpjQyv);
    m_tabelas->insere(QStringLiteral("bd8emp"), e);
    r = test::executaEstabelecimento({30, 32});
    QCOMPARE(r.linhas, QStringList{"war 3688 1 3654=" + CnpjQyv});
    m_tabelas->esvazia(QStringLiteral("tbempreg"));
}

void tst_ugVerificacoesEstabelecimento::linhaDoEstabelecimentoIdentificaOEstabelecimento()
{
    QVariantMap e = test::estabelecimentoValido();
    e.insert(QStringLiteral("TxEmailEstabelecimento"), QStringLiteral("rh"));
    m_tabelas->insere(QStringLiteral("bd8emp"), e);
    test::executaEstabelecimento({16});
    QCOMPARE(test::linhasOcorrencias(true), QStringList{"err 3627 1 1617=rh [11222333000181 1 01]"});
}

void tst_ugVerificacoesEstabelecimento::mensagensInstaladas()
{
    test::expectInstalledMessages({{"1911", "ERR"}, {"1677", "ERR"}, {"3626", "ERR"}});
}

QTEST_GUILESS_MAIN(tst_ugVerificacoesEstabelecimento)
#include "tst_ugVerificacoesEstabelecimento.moc"
