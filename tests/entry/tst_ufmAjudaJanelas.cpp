// Help in the windows built so far: every help context of their controls and menu items resolves to a
// page of the help folder, and F1 in the main window opens the contents or the highlighted item's topic.

#include "app/QtAjuda.h"
#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"
#include "app/ufmGDVORN.h"
#include "app/ufmInicioRegras.h"
#include "app/ufmSobre.h"
#include "app/QtRelatorio.h"
#include "entry/ufmConEmpreg.h"
#include "entry/ufmDadosEmpreg.h"
#include "entry/ufmDadosEstab.h"
#include "entry/ufmDadosResp.h"
#include "entry/ufmConEstab.h"
#include "entry/ufmNovaDecl.h"
#include "entry/ufmSemEmpregados.h"
#include "entry/ufmSeletores.h"

#include "ProgramaTeste.h"
#include "ScriptedHelp.h"
#include "ScriptedModal.h"

#include <QAction>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTextBrowser>
#include <QToolButton>
#include <QtTest>

using namespace gdvorn;

class tst_ufmAjudaJanelas : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { RegistraNovaDeclaracao(); }
    void init()
    {
        m_programa = std::make_unique<test::ProgramaTeste>();
        fmGDVORN = new TfmGDVORN;
    }
    void cleanup()
    {
        delete fmGDVORN;
        m_programa.reset();
    }
    void todoContextoTemPagina();
    void f1NaJanelaPrincipal();
    void janelaDeAjudaNavega();
    void cadaContextoAbreAPaginaDaSuaJanela();
    void ajudaSobreJanelaModal();
    void sobreEInformacoesPeloMenu();

private:
    std::unique_ptr<test::ProgramaTeste> m_programa;
};

void tst_ufmAjudaJanelas::todoContextoTemPagina()
{
    test::ScriptedHelp ajuda;
    TfmSobre sobre;
    TfmInicioRegras informacoes;
    TfmSemEmpregados dica;
    TfmTb8Instr instrucao;
    TfmTp8adm admissao;
    TfmTb8TpSal salario;
    TfmTb8Vinc vinculo;
    TfmTb8Desl desligamento;
    TfmTb8Nacio nacionalidade;
    TfmTb8Raca raca;
    TfmMesesAno meses;
    TfmTb8Afast afastamento;
    TfmTb8Deficiente deficiencia;
    TfmTb8CBO cbo;
    TfmTb8Cnae cnae;
    TfmTb8NatJu natureza;
    TfrmT8Munic municipio;
    TfmNovaDecl nova;
    TfmConEstab estabelecimentos;
    TfmConEmpreg empregados;
    int total = 0;
    for (const QObject *janela : std::initializer_list<const QObject *>{
             fmGDVORN, &sobre, &informacoes, &dica, &instrucao, &admissao, &salario, &vinculo, &desligamento,
             &nacionalidade, &raca, &meses, &afastamento, &deficiencia, &cbo, &cnae, &natureza, &municipio, &nova,
             &estabelecimentos, &empregados}) {
        int contextos = 0;
        const QStringList faltas = test::contextosSemPagina(janela, &contextos);
        QVERIFY2(faltas.isEmpty(), qPrintable(janela->objectName() + QStringLiteral(": ") + faltas.join(QStringLiteral(", "))));
        total += contextos;
    }
    QVERIFY(total >= 20); // the main window's menu items and the new-declaration fields carry theirs
}

void tst_ufmAjudaJanelas::f1NaJanelaPrincipal()
{
    test::ScriptedHelp ajuda;
    fmGDVORN->show();
    QVERIFY(QTest::qWaitForWindowActive(fmGDVORN));
    // F1 on the window: the contents (the menu item's shortcut).
    QTest::keyClick(fmGDVORN, Qt::Key_F1);
    QCOMPARE(ajuda.last(), QStringLiteral("index.html"));
    // F1 on a highlighted menu item: that item's topic.
    auto *menu = fmGDVORN->findChild<QMenu *>(QStringLiteral("MenuDeclaracao"));
    menu->popup(QPoint(0, 0));
    QVERIFY(QTest::qWaitForWindowExposed(menu));
    menu->setActiveAction(fmGDVORN->Imprimir1->menuAction());
    QTest::keyClick(menu, Qt::Key_F1);
    QCOMPARE(ajuda.last(), QStringLiteral("gdvorn.html#imprimir"));
    menu->close();
    // F1 on the menu bar walked with the keys: the analyser's title is its command and has its topic (the
    // keys pass over it while it waits for its window).
    fmGDVORN->Analisador2->setEnabled(true);
    QMenuBar *barra = fmGDVORN->menuBar();
    QTest::keyClick(fmGDVORN, Qt::Key_Alt);
    QTRY_VERIFY(barra->hasFocus());
    for (int i = 0; i < 8 && barra->activeAction() != fmGDVORN->Analisador2; ++i)
        QTest::keyClick(barra, Qt::Key_Right);
    QCOMPARE(barra->activeAction(), fmGDVORN->Analisador2);
    QTest::keyClick(barra, Qt::Key_F1);
    QCOMPARE(ajuda.last(), QStringLiteral("gdvorn.html#analisador"));
    QTest::keyClick(barra, Qt::Key_Escape);
    // The menu's commands.
    fmGDVORN->findChild<QAction *>(QStringLiteral("DicasdeOperao1"))->trigger();
    QCOMPARE(ajuda.last(), QStringLiteral("comofazer.html"));
    fmGDVORN->findChild<QAction *>(QStringLiteral("AjudadoGDVorn1"))->trigger();
    fmGDVORN->spHelp->click();
    QCOMPARE(ajuda.pages.size(), 6);
    QCOMPARE(ajuda.last(), QStringLiteral("index.html"));
}

void tst_ufmAjudaJanelas::janelaDeAjudaNavega()
{
    // The program's viewer: the page asked for, then back and forward through the browser's history.
    setPastaAjuda(QStringLiteral(GDVORN_AJUDA_DIR));
    VisorAjudaQt visor;
    VisorAjuda *antes = setVisorAjuda(&visor);
    MostraAjuda();
    MostraAjudaContexto(10);
    QTextBrowser *navegador = visor.janela()->Navegador;
    QCOMPARE(navegador->source().fileName(), QStringLiteral("comofazer.html"));
    QVERIFY(navegador->toPlainText().contains(QStringLiteral("Como fazer para")));
    auto *voltar = visor.janela()->findChild<QAction *>(QStringLiteral("acVoltar"));
    QVERIFY(voltar->isEnabled());
    voltar->trigger();
    QCOMPARE(navegador->source().fileName(), QStringLiteral("index.html"));
    visor.janela()->findChild<QAction *>(QStringLiteral("acAvancar"))->trigger();
    QCOMPARE(navegador->source().fileName(), QStringLiteral("comofazer.html"));
    visor.janela()->findChild<QAction *>(QStringLiteral("acConteudo"))->trigger();
    QCOMPARE(navegador->source().fileName(), QStringLiteral("index.html"));
    setVisorAjuda(antes);
    setPastaAjuda(QString());
}

void tst_ufmAjudaJanelas::cadaContextoAbreAPaginaDaSuaJanela()
{
    // A field shared by two windows (the address of the establishment and of the responsible person, the
    // name search of the employee list and the link form's birth date) opens a page that serves both.
    test::ScriptedHelp ajuda;
    TfmNovaDecl nova;
    TfmConEstab estabelecimentos;
    TfmConEmpreg empregados;
    TfmDadosEstab estabelecimento;
    TfmDadosEmpreg vinculo;
    TfmDadosResp responsavel;
    QtSaidaRelatorio saida;
    TRvSystem sistema;
    TfmVisualizacao visualizacao(saida, sistema, QStringLiteral("r"), [](DestinoPaginas &) {});
    const QList<QPair<const QObject *, QString>> janelas{
        {fmGDVORN, QStringLiteral("janela principal")},
        {&nova, QStringLiteral("Nova Declaração")},
        {&estabelecimentos, QStringLiteral("Informações Referentes aos Estabelecimentos")},
        {&empregados, QStringLiteral("Informações Referentes aos Empregados / Servidores")},
        {&estabelecimento, QStringLiteral("Informações Referentes ao Estabelecimento")},
        {&vinculo, QStringLiteral("Informações Referentes ao Empregado / Servidor")},
        {&responsavel, QStringLiteral("Informações do Responsável pela Declaração")},
        {&visualizacao, QStringLiteral("Visualização do Relatório")}};
    QStringList faltas;
    for (const auto &[janela, nome] : janelas)
        for (const QString &f : test::contextosForaDaJanela(janela, nome))
            faltas << nome + QStringLiteral(": ") + f;
    for (const QString &f : std::as_const(faltas))
        qWarning("%s", qPrintable(f));
    QVERIFY2(faltas.isEmpty(), "a help context opens a page that does not name its window");
    // The contents page reaches every page.
    QFile indice(PastaAjuda() + QStringLiteral("index.html"));
    QVERIFY(indice.open(QIODevice::ReadOnly));
    const QString conteudo = QString::fromUtf8(indice.readAll());
    for (const QString &pagina : QDir(PastaAjuda()).entryList({QStringLiteral("*.html")}))
        QVERIFY2(pagina == QLatin1String("index.html") || conteudo.contains(QStringLiteral("href=\"%1\"").arg(pagina)),
                 qPrintable(pagina));
}

void tst_ufmAjudaJanelas::ajudaSobreJanelaModal()
{
    // F1 in a modal form: the help window stands over it and takes the mouse while the form is open; it
    // stays open when the form closes.
    setPastaAjuda(QStringLiteral(GDVORN_AJUDA_DIR));
    VisorAjudaQt visor;
    VisorAjuda *antes = setVisorAjuda(&visor);
    fmGDVORN->showMaximized();
    auto *modal = new QDialog(fmGDVORN);
    modal->setWindowModality(Qt::ApplicationModal);
    modal->show();
    QVERIFY(QTest::qWaitForWindowActive(modal));
    MostraAjudaContexto(10);
    TfmAjuda *janela = visor.janela();
    QVERIFY(janela->isVisible());
    QCOMPARE(janela->window()->parentWidget(), modal);
    QVERIFY(QTest::qWaitForWindowExposed(janela));
    // Not blocked by the modal form: a click on "Conteúdo" goes through.
    QToolButton *conteudo = nullptr;
    for (auto *b : janela->findChildren<QToolButton *>())
        if (b->defaultAction() && b->defaultAction()->objectName() == QLatin1String("acConteudo"))
            conteudo = b;
    QVERIFY(conteudo);
    QTest::mouseClick(conteudo, Qt::LeftButton);
    QCOMPARE(janela->Navegador->source().fileName(), QStringLiteral("index.html"));
    // The form closes and goes: the help window stays.
    modal->close();
    delete modal;
    QVERIFY(visor.janela());
    QVERIFY(visor.janela()->isVisible());
    QCOMPARE(visor.janela()->parentWidget(), nullptr);
    // A second F1 without a modal form reuses it.
    MostraAjudaContexto(10);
    QCOMPARE(visor.janela(), janela);
    setVisorAjuda(antes);
    setPastaAjuda(QString());
}

void tst_ufmAjudaJanelas::sobreEInformacoesPeloMenu()
{
    fmInicioRegras = new TfmInicioRegras;
    test::ScriptedModal janelas;
    janelas.then([](QDialog &d) { QTest::mouseClick(d.findChild<QPushButton *>(QStringLiteral("BtOk")), Qt::LeftButton); });
    fmGDVORN->SobreoGDVORN1->trigger();
    fmGDVORN->Informaesteis1->trigger();
    QCOMPARE(janelas.shown, QStringList({QStringLiteral("fmSobre"), QStringLiteral("fmInicioRegras")}));
    delete fmInicioRegras;
    // "&Nova..." (and its tool button) opens the window the start-up registers.
    fmGDVORN->Nova1->trigger();
    QCOMPARE(janelas.shown.last(), QStringLiteral("fmNovaDecl"));
    fmGDVORN->sbNova->click();
    QCOMPARE(janelas.shown.size(), 4);
}

QTEST_MAIN(tst_ufmAjudaJanelas)
#include "tst_ufmAjudaJanelas.moc"
