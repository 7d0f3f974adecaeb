// A second session of the program: the program folder as a first session leaves it (a stored declaration,
// every work table of the checks, the browser, the import, the analysis and the writer still in
// trabalho.db), the program's own start-up run on it with every command registered as the executable
// registers them, and then each command of the main window triggered through its menu item (or its tool
// button) with its window closed at its first page. No command may show a box it should not, end the
// program or fail on the work tables that the first session left.

#include "Relatorio/ugRelatorios.h"
#include "app/QtPrograma.h"
#include "app/base/Database.h"
#include "app/base/Query.h"
#include "app/base/Table.h"
#include "app/udmRaveRelatorios.h"
#include "app/ufmGDVORN.h"
#include "app/ugExcecao.h"
#include "backup/QtComandosCopia.h"
#include "entry/QtComandosEntrada.h"
#include "entry/ufmNovaDecl.h"
#include "entry/ufmSeletores.h"
#include "rules/ufmVerInco.h"
#include "workflows/ufmAnalis.h"
#include "workflows/ufmConsulta.h"
#include "workflows/ufmGravaDecl.h"
#include "workflows/ufmImportacao.h"
#include "workflows/ufmPesq.h"
#include "workflows/ufmRelatorio.h"
#include "workflows/ufmTransmite.h"

#include "FixtureConsistencia.h"
#include "FixtureVinculos.h"
#include "GravadorRelatorios.h"
#include "ProgramFixture.h"
#include "ScriptedFileDialog.h"
#include "ScriptedHelp.h"
#include "ScriptedModal.h"
#include "ScriptedPresenter.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

using namespace gdvorn;

namespace {

const QString kSessao = QStringLiteral("primeira-sessao");

// Every work table a first session may leave behind.
const QStringList kTabelasTrabalho{"te8errwa", "te8emp", "te8vinc", "te8resp", "te8stru", "te8imp", "te8proid",
                                   "te8proes"};

void insere(const QString &tabela, const QVariantMap &campos)
{
    Table t(tabela, kSessao);
    t.Open();
    t.Append();
    for (auto it = campos.cbegin(); it != campos.cend(); ++it)
        t.FieldByName(it.key()).setValue(it.value());
    t.Post();
}

// What a first session leaves in `dados`: one establishment of the base year with a link and the
// responsible person (who asked for no tips at start-up), a loaded file in the work tables and the empty
// tables of the other work.
void primeiraSessao(const QString &dados)
{
    openDatabase(dados, kSessao);
    QVariantMap responsavel = test::responsavelValido();
    responsavel.insert(QStringLiteral("InDicas"), true);
    const QVariantMap estabelecimento = test::estabelecimentoDeTeste({{"NuVinculosEstabelecimento", "1"}});
    const QVariantMap vinculo = test::vinculoDeTeste(QStringLiteral("13000000002"));
    for (const QString &tabela : kTabelasTrabalho)
        createTable(Schema::require(tabela), kSessao);
    for (const QString &prefixo : {QStringLiteral("bd8"), QStringLiteral("te8")}) {
        insere(prefixo + QStringLiteral("resp"), responsavel);
        insere(prefixo + QStringLiteral("emp"), estabelecimento);
        insere(prefixo + QStringLiteral("vinc"), vinculo);
    }
    closeDatabase(kSessao);
}

// The recording wizard from its first page to the page that analyses the chosen establishments.
void ateAnaliseDaGravacao(QDialog &d)
{
    d.findChild<TfmGravaDecl00 *>()->bbAvancar->click();
    auto *escolha = d.findChild<TfmGravaDecl02 *>();
    escolha->ckSelecionarTudo->click();
    escolha->bbAvancar->click();
    d.findChild<TfmGravaDecl01 *>()->bbAvancar->click();
    QVERIFY(d.findChild<TfmGravaDecl03 *>()->isVisible());
}

QStringList textos(const test::ScriptedPresenter &caixas)
{
    QStringList t;
    for (const test::ShownBox &b : caixas.boxes)
        t << b.text;
    return t;
}

} // namespace

// The seams of a run and the program started on what a first session left; freed in reverse order.
struct SegundaSessao {
    test::ScriptedPresenter caixas;
    test::ScriptedModal janelas;
    test::ScriptedFileDialog arquivos;
    test::ScriptedHelp ajuda;
    test::GravadorRelatorios relatorios;
    int terminacoes = 0;
    std::function<void()> terminaAntes = setTerminaPrograma([this] { ++terminacoes; });
    test::ProgramFixture pasta;
    std::unique_ptr<Programa> programa;

    SegundaSessao()
    {
        primeiraSessao(pasta.dataFolder());
        programa = std::make_unique<Programa>(pasta.folder());
    }
    ~SegundaSessao()
    {
        programa.reset();
        setTerminaPrograma(terminaAntes);
    }
    // The command's menu item, or its tool button when it has none.
    static void dispara(const QString &comando)
    {
        if (auto *item = fmGDVORN->findChild<QAction *>(comando)) {
            QVERIFY2(item->isEnabled(), qPrintable(comando));
            item->trigger();
        } else {
            auto *botao = fmGDVORN->findChild<QToolButton *>(comando);
            QVERIFY2(botao && botao->isEnabled(), qPrintable(comando));
            botao->click();
        }
        QCoreApplication::processEvents();
    }
};

class tst_QtSegundaSessao : public QObject {
    Q_OBJECT

    QTemporaryDir m_raiz;
    std::unique_ptr<SegundaSessao> m_sessao;

private slots:
    void initTestCase()
    {
        // The drive C: of the run, and no diskette drives.
        qputenv("GDVORN_RAIZ", m_raiz.path().toLocal8Bit());
        qunsetenv("GDVORN_UNIDADE_A");
        qunsetenv("GDVORN_UNIDADE_B");
        // As the executable registers them, before the main window is made.
        RegistraJanelasCopiaSeguranca();
        RegistraNovaDeclaracao();
        registraPassoInicial(CriaSeletoresIniciais);
        RegistraVerInco();
        setRegistroRelatorios(RegistraRelatorios);
        RegistraJanelasEntrada();
        RegistraGravacao();
        RegistraImportacao();
        RegistraTransmissao();
        RegistraAnalise();
        RegistraPesquisa();
        RegistraImpressao();
        RegistraConsulta();
    }
    void init()
    {
        m_sessao = std::make_unique<SegundaSessao>();
        QVERIFY(m_sessao->programa->Inicia());
        // The start-up found the stored declaration and showed nothing.
        QVERIFY(fmGDVORN->sbGravar->isEnabled());
        QVERIFY(m_sessao->caixas.boxes.isEmpty());
    }
    void cleanup() { m_sessao.reset(); }

    void comandoDaJanelaPrincipal_data();
    void comandoDaJanelaPrincipal();
    void falhaAoFecharAnaliseVaiAoTratamento();
};

void tst_QtSegundaSessao::comandoDaJanelaPrincipal_data()
{
    QTest::addColumn<QString>("comando");
    QTest::addColumn<QStringList>("caixas");

    // Every command a user can reach but "Sair", which ends the program (the hidden split and survey items
    // are disabled with their menus). The transmission window lists the program's folder, which holds no
    // recorded file: it says so.
    const QStringList semArquivos{QStringLiteral("Unidade não contém declaração do GDVorn2010.")};
    for (const char *comando :
         {"Nova1", "Abrir1", "Excluir1", "Verificar1", "DadosResponsvel1", "Gravardeclarao1", "Consultardisquetedoano1",
          "Gravarretificaodadeclarao1", "Declarao1", "AnoAnterior", "AnoAtual", "sbRelatorio", "Analisador2",
          "Gerarcpia1", "Restaurarcpia1", "IndexarArquivos1", "AjudadoGDVorn1", "Informaesteis1", "DicasdeOperao1",
          "VisualizarCartela1", "EmitirCartela1", "SobreoGDVORN1"})
        QTest::newRow(comando) << QString::fromLatin1(comando) << QStringList();
    for (const char *comando : {"Transmite1", "ProtocolodeTransmisso1"})
        QTest::newRow(comando) << QString::fromLatin1(comando) << semArquivos;
}

void tst_QtSegundaSessao::comandoDaJanelaPrincipal()
{
    QFETCH(QString, comando);
    QFETCH(QStringList, caixas);

    // The first window of the command: the recording wizard goes as far as its analysis; every other is
    // left with Esc at its first page.
    m_sessao->janelas.then([&comando](QDialog &d) {
        if (comando == QLatin1String("Gravardeclarao1"))
            ateAnaliseDaGravacao(d);
        QTest::keyClick(&d, Qt::Key_Escape);
    });
    SegundaSessao::dispara(comando);

    QCOMPARE(textos(m_sessao->caixas), caixas);
    QCOMPARE(m_sessao->terminacoes, 0);
    QVERIFY(fmGDVORN && fmGDVORN->isVisible());
}

void tst_QtSegundaSessao::falhaAoFecharAnaliseVaiAoTratamento()
{
    // A statement left standing on a work table: the analysis cannot drop its tables when it ends. The
    // failure is the exception handler's (its box, then the end of the program), never a silent abort of
    // the process from a destructor.
    Query aberta;
    aberta.setSql(QStringLiteral("select * from te8emp"));
    aberta.Open();
    QVERIFY(!aberta.Eof());
    SegundaSessao::dispara(QStringLiteral("Analisador2"));
    aberta.Close();
    QCOMPARE(m_sessao->janelas.shown, QStringList{QStringLiteral("fmAnalise")});
    QCOMPARE(m_sessao->caixas.boxes.size(), 1);
    QCOMPARE(m_sessao->caixas.boxes[0].kind, MessageKind::Error);
    QCOMPARE(m_sessao->terminacoes, 1);
}

QTEST_MAIN(tst_QtSegundaSessao)
#include "tst_QtSegundaSessao.moc"
