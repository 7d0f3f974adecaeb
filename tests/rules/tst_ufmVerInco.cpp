// The check-inconsistencies wizard driven offscreen: the establishment list, the analysis of the ticked
// ones, its cancel, the result page and the preview of the findings.

#include "Relatorio/ugRelatorios.h"
#include "app/udmGDVorn.h"
#include "rules/ugConsistencia.h"
#include "rules/ufmVerInco.h"

#include "app/ufmGDVORN.h"

#include "GravadorRelatorios.h"
#include "ScriptedModal.h"
#include "ScriptedPresenter.h"
#include "TestData.h"
#include "tests/Relatorio/FixtureRelatorios.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace gdvorn;
using test::ScriptedPresenter;

namespace {

void estabelecimento(const char *insc, const char *tipo, const char *prefixo, const char *razao)
{
    test::insere(QStringLiteral("bd8emp"), {{"AnBase", "2010"}, {"CoCgcCeiEstabelecimento", insc},
                                            {"NuPrefixoEstabelecimento", prefixo}, {"InInscrEstabelecimento", tipo},
                                            {"NoRazaoEstabelecimento", razao}});
}

} // namespace

class tst_ufmVerInco : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_pasta;
    std::unique_ptr<TfmAssistente> m_assistente;
    TfmVerInco00 *p00 = nullptr;
    TfmVerInco01 *p01 = nullptr;
    TfmVerInco02 *p02 = nullptr;
    QList<ChaveEstabelecimento> m_chaves;

    void abre()
    {
        m_assistente = CriaVerInco();
        p00 = m_assistente->findChild<TfmVerInco00 *>();
        p01 = m_assistente->findChild<TfmVerInco01 *>();
        p02 = m_assistente->findChild<TfmVerInco02 *>();
        m_chaves.clear();
        p01->Analisa = [this](Progresso *, const QList<ChaveEstabelecimento> &c, const QString &) -> quint8 {
            m_chaves = c;
            return 0;
        };
        m_assistente->show();
        m_assistente->inicia();
    }
    void clica(int linha)
    {
        QTest::mouseClick(p01->LEmpresas->viewport(), Qt::LeftButton, {},
                          p01->LEmpresas->visualItemRect(p01->LEmpresas->item(linha)).center());
    }
    QList<bool> marcas() const
    {
        QList<bool> m;
        for (int i = 0; i < p01->LEmpresas->count(); ++i)
            m << (p01->LEmpresas->item(i)->checkState() == Qt::Checked);
        return m;
    }

private slots:
    void init()
    {
        m_pasta = std::make_unique<QTemporaryDir>();
        QVERIFY(QDir().mkpath(m_pasta->filePath(QStringLiteral("dados"))));
        const QDir src(test::builtDataFolder());
        for (const QString &f : src.entryList({QStringLiteral("*.db")}, QDir::Files))
            QVERIFY(QFile::copy(src.filePath(f), m_pasta->filePath(QStringLiteral("dados/") + f)));
        dmGDVorn = new TdmGDVorn(m_pasta->path());
        dmRaveRelatorios = new TdmRaveRelatorios;
        RegistraRelatorios(*dmRaveRelatorios);
    }
    void cleanup()
    {
        m_assistente.reset();
        delete dmRaveRelatorios;
        dmRaveRelatorios = nullptr;
        delete dmGDVorn;
        dmGDVorn = nullptr;
        m_pasta.reset();
    }

    // The main window's command and tool button open the wizard modally, on its first page.
    void comandoAbreOAssistente()
    {
        estabelecimento("11222333000181", "1", "00", "EMPRESA UM");
        RegistraVerInco();
        test::ScriptedPresenter caixas;
        test::ScriptedModal modal;
        QStringList paginas;
        const auto anota = [&paginas](QDialog &janela) {
            paginas << static_cast<TfmAssistente &>(janela).PaginaAtual()->objectName();
        };
        modal.then(anota);
        modal.then(anota);
        fmGDVORN = new TfmGDVORN;
        fmGDVORN->ControlaBotoes();
        QVERIFY(fmGDVORN->Verificar1->isEnabled());
        fmGDVORN->Verificar1->trigger();
        fmGDVORN->sbVerInco->click();
        delete fmGDVORN;
        fmGDVORN = nullptr;
        QCOMPARE(modal.shown, (QStringList{"fmVerInco", "fmVerInco"}));
        QCOMPARE(paginas, (QStringList{"fmVerInco00", "fmVerInco00"}));
        QVERIFY(caixas.boxes.isEmpty());
    }

    void anoVazioSemAvancar()
    {
        ScriptedPresenter caixas;
        abre();
        QCOMPARE(m_assistente->windowTitle(), QStringLiteral("Assistente para Verificar Inconsistências das Declarações"));
        QCOMPARE(caixas.boxes.size(), 1);
        QVERIFY(caixas.boxes.first().text.contains(QStringLiteral("ano-base")));
        QVERIFY(!p00->btAvancar->isEnabled());
        QVERIFY(!p00->btVoltar->isEnabled());
        QCOMPARE(p00->lbAno->text(), QStringLiteral("Declaração Ano-Base 2010"));
    }

    void nadaMarcado()
    {
        estabelecimento("11222333000181", "1", "00", "EMPRESA UM");
        ScriptedPresenter caixas;
        abre();
        QVERIFY(caixas.boxes.isEmpty());
        QCOMPARE(m_assistente->focusWidget(), p00->btAvancar);
        p00->btAvancar->click();
        QCOMPARE(m_assistente->PaginaAtual(), p01);
        p01->btAvancar->click();
        QCOMPARE(caixas.boxes.size(), 1);
        QCOMPARE(caixas.boxes.first().text, QStringLiteral("Nenhum item foi selecionado."));
        QCOMPARE(m_assistente->PaginaAtual(), p01);
        QVERIFY(m_chaves.isEmpty());
    }

    // Ticking all and clearing one by a click analyses the others, by their stored keys; moving with the
    // keys does not tick, Enter does.
    void marcaTodosMenosUm()
    {
        estabelecimento("11222333000181", "1", "00", "EMPRESA UM");
        estabelecimento("00123456789012", "3", "01", "OBRA");
        estabelecimento("11222333000262", "1", "00", "EMPRESA DOIS");
        ScriptedPresenter caixas;
        abre();
        p00->btAvancar->click();
        QCOMPARE(p01->LEmpresas->count(), 3);
        p01->cbTodas->click();
        QCOMPARE(marcas(), (QList<bool>{true, true, true}));
        clica(1);
        QCOMPARE(marcas(), (QList<bool>{true, false, true}));
        p01->LEmpresas->setFocus();
        QTest::keyClick(p01->LEmpresas, Qt::Key_Down);
        QCOMPARE(marcas(), (QList<bool>{true, false, true}));
        QTest::keyClick(p01->LEmpresas, Qt::Key_Return);
        QTest::keyClick(p01->LEmpresas, Qt::Key_Return);
        QCOMPARE(marcas(), (QList<bool>{true, false, true}));
        p01->btAvancar->click();
        QVERIFY(caixas.boxes.isEmpty());
        QCOMPARE(m_chaves.size(), 2);
        const QStringList limpo = p01->LEmpresas->item(1)->data(Qt::UserRole).toStringList();
        QVERIFY(!m_chaves.contains(ChaveEstabelecimento{limpo.value(0), limpo.value(1), limpo.value(2)}));
        for (const ChaveEstabelecimento &c : std::as_const(m_chaves))
            QCOMPARE(c.Inscricao.size(), 14);
        QCOMPARE(m_assistente->PaginaAtual(), p02);
        QCOMPARE(p02->Modo, QStringLiteral("3"));
    }

    // One check list, one behaviour: a click on the tick box toggles the line once, as a click on its text
    // and Space do; the rows are tall enough for accented capitals.
    void cliqueNaCaixaDeMarcar()
    {
        estabelecimento("11222333000181", "1", "00", "JOSÉ ÂNGELO ÇÃO");
        estabelecimento("11222333000262", "1", "00", "EMPRESA DOIS");
        ScriptedPresenter caixas;
        abre();
        p00->btAvancar->click();
        TListaMarcada *lista = p01->LEmpresas;
        QStyleOptionViewItem opcao;
        opcao.initFrom(lista);
        opcao.rect = lista->visualItemRect(lista->item(0));
        opcao.features |= QStyleOptionViewItem::HasCheckIndicator;
        const QRect caixa = lista->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &opcao, lista);
        QVERIFY(caixa.isValid());
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, caixa.center());
        QCOMPARE(marcas(), (QList<bool>{true, false}));
        QTest::mouseClick(lista->viewport(), Qt::LeftButton, {}, caixa.center());
        QCOMPARE(marcas(), (QList<bool>{false, false}));
        clica(0);
        QCOMPARE(marcas(), (QList<bool>{true, false}));
        lista->setFocus();
        lista->setCurrentRow(1);
        QTest::keyClick(lista, Qt::Key_Space);
        QCOMPARE(marcas(), (QList<bool>{true, true}));
        const QFontMetrics medidas(lista->font());
        QVERIFY(lista->visualItemRect(lista->item(0)).height() >
                medidas.boundingRect(QStringLiteral("ÉÂÇ")).height());
    }

    // Enter on the first page goes on: "&Avançar >" is its default button.
    void enterNaPrimeiraPaginaAvanca()
    {
        estabelecimento("11222333000181", "1", "00", "EMPRESA UM");
        ScriptedPresenter caixas;
        abre();
        QVERIFY(p00->btAvancar->isDefault());
        QTest::keyClick(m_assistente->focusWidget(), Qt::Key_Return);
        QCOMPARE(m_assistente->PaginaAtual(), p01);
    }

    void paginaDeResultado_data()
    {
        QTest::addColumn<int>("flags");
        QTest::addColumn<QString>("modo");
        QTest::addColumn<bool>("avisosVisivel");
        QTest::addColumn<bool>("avisosHabilitado");
        QTest::addColumn<bool>("errosVisivel");
        QTest::addColumn<QString>("foco");
        QTest::newRow("erros e avisos") << 3 << "2" << true << true << true << "btErros";
        QTest::newRow("so erros") << 2 << "1" << true << false << true << "btErros";
        QTest::newRow("so avisos") << 1 << "0" << true << true << false << "btAvisos";
        QTest::newRow("nenhum") << 0 << "3" << false << false << false << "btFechar";
    }
    void paginaDeResultado()
    {
        QFETCH(int, flags);
        estabelecimento("11222333000181", "1", "00", "EMPRESA UM");
        ScriptedPresenter caixas;
        abre();
        p01->Analisa = [flags](Progresso *, const QList<ChaveEstabelecimento> &, const QString &) { return quint8(flags); };
        p00->btAvancar->click();
        p01->cbTodas->click();
        p01->btAvancar->click();
        QCOMPARE(m_assistente->PaginaAtual(), p02);
        QTEST(p02->Modo, "modo");
        QTEST(p02->btAvisos->isVisibleTo(p02), "avisosVisivel");
        if (p02->btAvisos->isVisibleTo(p02))
            QTEST(p02->btAvisos->isEnabled(), "avisosHabilitado");
        QTEST(p02->btErros->isVisibleTo(p02), "errosVisivel");
        QTEST(m_assistente->focusWidget()->objectName(), "foco");
        QCOMPARE(p02->lbLinhaAvisos->isVisibleTo(p02), flags == 3);
        QCOMPARE(p02->lbSemErros->isVisibleTo(p02), flags == 0);
        p02->btFechar->click();
        QVERIFY(!m_assistente->isVisible());
    }

    // Without a printer the report is still previewed, without printing; each button previews its kind.
    void relatorioSemImpressora()
    {
        estabelecimento("11222333000181", "1", "00", "EMPRESA UM");
        test::insere(QStringLiteral("te8errwa"), {{"errwar", "err"}, {"inscricao", "11222333000181"}, {"tipoinscricao", "1"},
                                                  {"tiporegistro", "1"}, {"retorno", "1670"}, {"Sequencial", "000001"}});
        test::insere(QStringLiteral("te8errwa"), {{"errwar", "war"}, {"inscricao", "11222333000181"}, {"tipoinscricao", "1"},
                                                  {"tiporegistro", "1"}, {"retorno", "1673"}, {"Sequencial", "000002"}});
        ScriptedPresenter caixas;
        test::GravadorRelatorios saida;
        saida.impressora = false;
        abre();
        p01->Analisa = [](Progresso *, const QList<ChaveEstabelecimento> &, const QString &) { return quint8(3); };
        p00->btAvancar->click();
        p01->cbTodas->click();
        p01->btAvancar->click();
        p02->btErros->click();
        QCOMPARE(caixas.boxes.size(), 1);
        QCOMPARE(caixas.boxes.first().kind, MessageKind::Warning);
        QCOMPARE(caixas.boxes.first().text, QStringLiteral("Não é possível imprimir: não há impressoras instaladas."));
        QCOMPARE(saida.relatorios.size(), 1);
        QCOMPARE(saida.relatorios.first().nome, QStringLiteral("rptErros"));
        QCOMPARE(saida.relatorios.first().destino, DestinoRelatorio::Visualizacao);
        QVERIFY(!saida.relatorios.first().imprimeDaVisualizacao);
        const QString erros = saida.relatorios.first().paginas.join(QString());
        QVERIFY(erros.contains(QStringLiteral("Relatório de Erros")));
        QVERIFY(erros.contains(QStringLiteral("1670 - ")));
        QVERIFY(!erros.contains(QStringLiteral("1673 - ")));
        QVERIFY(p02->btErros->isEnabled());
        p02->btAvisos->click();
        QCOMPARE(saida.relatorios.size(), 2);
        QVERIFY(saida.relatorios.last().paginas.join(QString()).contains(QStringLiteral("1673 - ")));
        QVERIFY(!saida.relatorios.last().imprimeDaVisualizacao);
    }

    // Cancel (and Esc) during the analysis asks it to stop instead of closing; a confirmed stop returns to
    // the selection with the ticks kept.
    void cancelamentoDuranteAnalise()
    {
        estabelecimento("11222333000181", "1", "00", "EMPRESA UM");
        estabelecimento("11222333000262", "1", "00", "EMPRESA DOIS");
        ScriptedPresenter caixas;
        abre();
        bool executando = false;
        p01->Analisa = [&](Progresso *, const QList<ChaveEstabelecimento> &, const QString &) {
            executando = p01->Executando && !p01->paSelecao->isVisibleTo(p01) && !p01->btAvancar->isEnabled();
            p01->btCancelar->click();
            QTest::keyClick(m_assistente.get(), Qt::Key_Escape);
            return Consistencia::AnaliseInterrompida;
        };
        p00->btAvancar->click();
        clica(0);
        p01->btAvancar->click();
        QVERIFY(executando);
        QVERIFY(m_assistente->isVisible());
        QCOMPARE(caixas.boxes.size(), 1);
        QCOMPARE(caixas.boxes.first().text, QStringLiteral("Consistência interrompida pelo usuário"));
        QCOMPARE(m_assistente->PaginaAtual(), p01);
        QVERIFY(p01->paSelecao->isVisibleTo(p01));
        QVERIFY(!p01->ProgressBar1->isVisibleTo(p01));
        QVERIFY(p01->btAvancar->isEnabled());
        QVERIFY(!p01->Executando);
        QCOMPARE(marcas(), (QList<bool>{true, false}));
        // back on the selection, Esc closes the wizard
        QTest::keyClick(m_assistente.get(), Qt::Key_Escape);
        QVERIFY(!m_assistente->isVisible());
    }
};

QTEST_MAIN(tst_ufmVerInco)
#include "tst_ufmVerInco.moc"
