// The check-inconsistencies wizard over the real analysis: three establishments of 2010, one valid, one
// with an error and one with a warning; every line ticked and some cleared, the wizard analyses the others
// only and its result page follows what they hold. F1 on each page opens its help topic.

#include "app/udmGDVorn.h"
#include "rules/ufmVerInco.h"

#include "FixtureConsistencia.h"
#include "ScriptedHelp.h"
#include "ScriptedPresenter.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QtTest>

using namespace gdvorn;

namespace {

const QString kValido = QStringLiteral("11222333000181");
const QString kComErro = QStringLiteral("11222333000262");
const QString kComAviso = QStringLiteral("11222333000343");

} // namespace

class tst_ufmVerIncoAnalise : public QObject {
    Q_OBJECT

    std::unique_ptr<test::FixtureTabelas> m_tabelas;
    std::unique_ptr<TfmAssistente> m_assistente;
    TfmVerInco00 *p00 = nullptr;
    TfmVerInco01 *p01 = nullptr;
    TfmVerInco02 *p02 = nullptr;

    void abre()
    {
        m_assistente = CriaVerInco();
        p00 = m_assistente->findChild<TfmVerInco00 *>();
        p01 = m_assistente->findChild<TfmVerInco01 *>();
        p02 = m_assistente->findChild<TfmVerInco02 *>();
        m_assistente->show();
        m_assistente->inicia();
    }
    // The inscriptions of the findings left by the analysis, each once.
    static QStringList inscricoesComAchados()
    {
        QStringList inscricoes;
        for (const QString &linha : test::linhasOcorrencias(true)) {
            const QString inscricao = linha.section(QLatin1Char('['), 1).section(QLatin1Char(' '), 0, 0);
            if (!inscricoes.contains(inscricao))
                inscricoes << inscricao;
        }
        inscricoes.sort();
        return inscricoes;
    }

private slots:
    void init()
    {
        m_tabelas = std::make_unique<test::FixtureTabelas>();
        dmGDVorn = &m_tabelas->modulo();
        test::preencheTabelasValidas(*m_tabelas);
        QVariantMap valido = test::estabelecimentoValido();
        m_tabelas->insere(QStringLiteral("bd8emp"), valido);
        QVariantMap erro = valido;
        erro.insert(QStringLiteral("CoCgcCeiEstabelecimento"), kComErro);
        erro.insert(QStringLiteral("NoRazaoEstabelecimento"), QStringLiteral("Matriz"));
        m_tabelas->insere(QStringLiteral("bd8emp"), erro);
        QVariantMap aviso = valido;
        aviso.insert(QStringLiteral("CoCgcCeiEstabelecimento"), kComAviso);
        aviso.insert(QStringLiteral("NoMunicEstabelecimento"), QStringLiteral("SAO PAULO X"));
        m_tabelas->insere(QStringLiteral("bd8emp"), aviso);
    }
    void cleanup()
    {
        m_assistente.reset();
        dmGDVorn = nullptr;
        m_tabelas.reset();
    }

    // Lines in inscription order: 0 valid, 1 with an error, 2 with a warning.
    void marcaTodosELimpa_data()
    {
        QTest::addColumn<QList<int>>("limpas");
        QTest::addColumn<QStringList>("analisadas");
        QTest::addColumn<QString>("modo");
        QTest::addColumn<bool>("avisosHabilitado");
        QTest::addColumn<bool>("errosVisivel");
        QTest::addColumn<QString>("foco");
        QTest::newRow("sem a valida: erros e avisos")
            << QList<int>{0} << QStringList{kComErro, kComAviso} << "2" << true << true << "btErros";
        QTest::newRow("sem a de aviso: so erros") << QList<int>{2} << QStringList{kComErro} << "1" << false << true << "btErros";
        QTest::newRow("sem a de erro: so avisos") << QList<int>{1} << QStringList{kComAviso} << "0" << true << false << "btAvisos";
        QTest::newRow("so a valida: nada") << QList<int>{1, 2} << QStringList{} << "3" << false << false << "btFechar";
    }
    void marcaTodosELimpa()
    {
        QFETCH(QList<int>, limpas);
        QFETCH(QStringList, analisadas);
        QFETCH(QString, modo);
        test::ScriptedPresenter caixas;
        abre();
        p00->btAvancar->click();
        QCOMPARE(p01->LEmpresas->count(), 3);
        QVERIFY(p01->LEmpresas->item(1)->text().contains(QStringLiteral("11.222.333/0002-62")));
        p01->cbTodas->click();
        for (int linha : limpas) {
            p01->LEmpresas->setCurrentRow(linha);
            QTest::keyClick(p01->LEmpresas, Qt::Key_Return);
        }
        p01->btAvancar->click();
        QVERIFY(caixas.boxes.isEmpty());
        QCOMPARE(m_assistente->PaginaAtual(), p02);
        QCOMPARE(p02->Modo, modo);
        QCOMPARE(inscricoesComAchados(), analisadas);
        QCOMPARE(p02->btAvisos->isVisibleTo(p02), modo != QLatin1String("3"));
        if (p02->btAvisos->isVisibleTo(p02))
            QTEST(p02->btAvisos->isEnabled(), "avisosHabilitado");
        QTEST(p02->btErros->isVisibleTo(p02), "errosVisivel");
        QTEST(m_assistente->focusWidget()->objectName(), "foco");
    }

    void f1MostraOTopicoDaPagina()
    {
        test::ScriptedHelp ajuda;
        test::ScriptedPresenter caixas;
        abre();
        QTest::keyClick(p00->btAvancar, Qt::Key_F1);
        QCOMPARE(ajuda.last(), QStringLiteral("verinco.html#inicio"));
        p00->btAvancar->click();
        QTest::keyClick(p01->LEmpresas, Qt::Key_F1);
        QCOMPARE(ajuda.last(), QStringLiteral("verinco.html#selecao"));
        p01->cbTodas->click();
        p01->btAvancar->click();
        QTest::keyClick(p02->btErros, Qt::Key_F1);
        QCOMPARE(ajuda.last(), QStringLiteral("verinco.html#resultado"));
        QCOMPARE(test::contextosSemPagina(m_assistente.get()), QStringList());
    }
};

QTEST_MAIN(tst_ufmVerIncoAnalise)
#include "tst_ufmVerIncoAnalise.moc"
