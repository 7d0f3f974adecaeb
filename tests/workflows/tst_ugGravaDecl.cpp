// The recording wizards' logic without widgets: the checks of the check-and-record page, the
// rectification selection and its copy into the work tables.

#include "app/base/Query.h"
#include "app/base/Table.h"
#include "app/base/Statement.h"
#include "app/udmDadosResp.h"
#include "workflows/ugGravaDecl.h"

#include "FixtureConsistencia.h"
#include "FixtureVinculos.h"

#include <QtTest>

using namespace gdvorn;

namespace {

QStringList linhas(const QString &tabela, const QString &campos)
{
    Query q;
    q.setSql(QStringLiteral("select ") + campos + QStringLiteral(" from ") + tabela + QStringLiteral(" order by ") + campos);
    q.Open();
    QStringList r;
    for (; !q.Eof(); q.Next()) {
        QStringList l;
        for (int i = 0; i < q.FieldCount(); ++i)
            l << q.Fields(i).AsString();
        r << l.join(QLatin1Char(' '));
    }
    return r;
}

} // namespace

class tst_ugGravaDecl : public QObject {
    Q_OBJECT

    std::unique_ptr<test::FixtureTabelas> m_tabelas;
    std::unique_ptr<TdmDadosResp> m_dm;

    // A with employees and three links, B without employees.
    void declaracao()
    {
        m_tabelas->insere(QStringLiteral("bd8resp"), test::responsavelValido());
        m_tabelas->insere(QStringLiteral("bd8emp"), test::estabelecimentoDeTeste({{"InVornNegEstabelecimento", "0"},
                                                                                  {"NuVinculosEstabelecimento", "3"}}));
        m_tabelas->insere(QStringLiteral("bd8emp"), test::estabelecimentoDeTeste({{"CoCgcCeiEstabelecimento", "11222333000262"}}));
        for (const char *pis : {"13000000002", "13000000010", "13000000029"})
            m_tabelas->insere(QStringLiteral("bd8vinc"), test::vinculoDeTeste(QLatin1String(pis)));
    }
    SelecaoRetificacao selecao()
    {
        SelecaoRetificacao s;
        s.Inicia(EstabelecimentosDoAno(*m_dm, QStringLiteral("2010")));
        return s;
    }

private slots:
    void init()
    {
        m_tabelas = std::make_unique<test::FixtureTabelas>();
        QVERIFY(CriaTabelasRetificacao());
        m_dm = std::make_unique<TdmDadosResp>();
    }
    void cleanup()
    {
        m_dm.reset();
        m_tabelas.reset();
    }

    void dataDeGeracao_data()
    {
        QTest::addColumn<QString>("data");
        QTest::addColumn<QString>("codigo");
        QTest::newRow("primeiro dia") << "01012011" << "0000";
        QTest::newRow("ultimo dia") << "31122011" << "0000";
        QTest::newRow("ano-base") << "31122010" << "0420";
        QTest::newRow("ano seguinte ao seguinte") << "01012012" << "0423";
        QTest::newRow("30 de fevereiro") << "30022011" << "0421";
        QTest::newRow("vazia") << "" << "0421";
        QTest::newRow("incompleta") << "150320" << "0421";
    }
    void dataDeGeracao()
    {
        QFETCH(QString, data);
        QTEST(CriticaDataGravacao(data, 2010), "codigo");
    }

    void creaDaRetificacao_data()
    {
        QTest::addColumn<QString>("crea");
        QTest::addColumn<QString>("codigo");
        QTest::newRow("vazio") << "" << "3739";
        QTest::newRow("brancos") << "   " << "3739";
        QTest::newRow("zeros") << "000000000000" << "3734";
        QTest::newRow("curto") << "1912345678" << "0040";
        QTest::newRow("segundo digito") << "181234567890" << "3734";
        QTest::newRow("valido") << "191234567890" << "0000";
    }
    void creaDaRetificacao()
    {
        QFETCH(QString, crea);
        QTEST(CriticaCreaGravacao(crea), "codigo");
    }

    void horaESobrescrita()
    {
        QCOMPARE(HoraGeracao(QTime(9, 5, 7)), QStringLiteral("090507"));
        QCOMPARE(HoraGeracao(QTime(23, 59, 1)), QStringLiteral("235901"));
        const QString pergunta = PerguntaSobrescreveResumo(QStringLiteral("/tmp/x/Meu resumo.pdf"));
        QVERIFY(pergunta.startsWith(QStringLiteral("Já existe um arquivo de nome \"Meu resumo.pdf\" no caminho especificado.")));
        QVERIFY(pergunta.endsWith(QStringLiteral("\rAutoriza gravar sobre?")));
    }

    void linhasDoAno()
    {
        declaracao();
        const QList<EstabelecimentoNaLista> l = EstabelecimentosDoAno(*m_dm, QStringLiteral("2010"));
        QCOMPARE(l.size(), 2);
        QCOMPARE(l.at(0).Linha, QStringLiteral("11.222.333/0001-81  01  EMPRESA EXEMPLO LTDA            3"));
        QVERIFY(l.at(0).ComEmpregados);
        QVERIFY(!l.at(1).ComEmpregados);
        QCOMPARE(l.at(1).Chave, (ChaveEstabelecimento{"2010", "11222333000262", "01"}));
        QVERIFY(EstabelecimentosDoAno(*m_dm, QStringLiteral("2009")).isEmpty());
    }

    // A link is chosen once; unchecking removes exactly it; checking it again puts it at the end.
    void escolhaDeVinculos()
    {
        declaracao();
        SelecaoRetificacao s = selecao();
        const QList<VinculoNaLista> v = VinculosDoEstabelecimento(*m_dm, s.Estabelecimentos.at(0).Chave);
        QCOMPARE(v.size(), 3);
        QCOMPARE(v.at(1).Linha, QStringLiteral("130.00000.01.0  01/02/2005  FULANO DE TAL"));
        s.Estabelecimentos[0].Escolhido = true;
        QVERIFY(s.Estabelecimentos.at(0).SemVinculoEscolhido());
        for (int i : {2, 0, 2, 1})
            s.EscolheVinculo(0, v.at(i).Vinculo);
        QCOMPARE(s.Estabelecimentos.at(0).Vinculos, (QList<VinculoRetificacao>{v.at(2).Vinculo, v.at(0).Vinculo, v.at(1).Vinculo}));
        s.RetiraVinculo(0, v.at(2).Vinculo);
        s.EscolheVinculo(0, v.at(2).Vinculo);
        QCOMPARE(s.Estabelecimentos.at(0).Vinculos, (QList<VinculoRetificacao>{v.at(0).Vinculo, v.at(1).Vinculo, v.at(2).Vinculo}));
        s.Libera(0);
        QVERIFY(!s.Estabelecimentos.at(0).Escolhido);
        QVERIFY(s.Estabelecimentos.at(0).Vinculos.isEmpty());
    }

    // Two links of A chosen out of key order and B without links; copied twice, the work tables hold one
    // responsible row, both establishments and exactly the chosen links.
    void copiaDaSelecao()
    {
        declaracao();
        SelecaoRetificacao s = selecao();
        const QList<VinculoNaLista> v = VinculosDoEstabelecimento(*m_dm, s.Estabelecimentos.at(0).Chave);
        s.Estabelecimentos[0].Escolhido = true;
        s.EscolheVinculo(0, v.at(2).Vinculo);
        s.EscolheVinculo(0, v.at(0).Vinculo);
        s.Estabelecimentos[1].Escolhido = true;
        for (int vez = 0; vez < 2; ++vez)
            QCOMPARE(CopiaSelecaoRetificacao(*m_dm, s), QStringLiteral("0000"));
        // The earlier file's dates stay behind: the rectification takes the date typed for it.
        QCOMPARE(linhas(QStringLiteral("te8resp"),
                        QStringLiteral("CoCgcCeiResponsavel, NoResponsavelDeclaracao, DaRetificacao, DaGeracao")),
                 QStringList{QStringLiteral("11222333000181 JOSE DA SILVA  ")});
        QCOMPARE(linhas(QStringLiteral("te8emp"), QStringLiteral("CoCgcCeiEstabelecimento, NuVinculosEstabelecimento")),
                 (QStringList{QStringLiteral("11222333000181 3"), QStringLiteral("11222333000262 0")}));
        QCOMPARE(linhas(QStringLiteral("te8vinc"), QStringLiteral("CoPisPasepEmpregado, CoCbo")),
                 (QStringList{QStringLiteral("13000000002 411010"), QStringLiteral("13000000029 411010")}));
    }

    // A link deleted after it was listed, or a link chosen twice: the code, and the work tables as before.
    void copiaQueFalhaNaoGravaNada_data()
    {
        QTest::addColumn<bool>("excluido");
        QTest::addColumn<QString>("codigo");
        QTest::newRow("vinculo excluido") << true << "1925";
        QTest::newRow("vinculo repetido") << false << "1926";
    }
    void copiaQueFalhaNaoGravaNada()
    {
        QFETCH(bool, excluido);
        declaracao();
        SelecaoRetificacao s = selecao();
        const QList<VinculoNaLista> v = VinculosDoEstabelecimento(*m_dm, s.Estabelecimentos.at(0).Chave);
        s.Estabelecimentos[0].Escolhido = true;
        s.EscolheVinculo(0, v.at(0).Vinculo);
        QCOMPARE(CopiaSelecaoRetificacao(*m_dm, s), QStringLiteral("0000"));
        s.EscolheVinculo(0, v.at(1).Vinculo);
        if (excluido) {
            execWrite(QStringLiteral("delete from bd8vinc where CoPisPasepEmpregado = '13000000010'"));
        } else {
            s.Estabelecimentos[0].Vinculos << v.at(1).Vinculo; // past the guard of EscolheVinculo
        }
        QTEST(CopiaSelecaoRetificacao(*m_dm, s), "codigo");
        QCOMPARE(linhas(QStringLiteral("te8vinc"), QStringLiteral("CoPisPasepEmpregado")), QStringList{QStringLiteral("13000000002")});
        QCOMPARE(linhas(QStringLiteral("te8resp"), QStringLiteral("CoCgcCeiResponsavel")).size(), 1);
    }
};

QTEST_GUILESS_MAIN(tst_ugGravaDecl)
#include "tst_ugGravaDecl.moc"
