// The main window's commands: which are hidden, which wait for their window, the layout report with and
// without a printer, and a registered command opening its window.

#include "Relatorio/ugRelatorios.h"
#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"
#include "app/ufmGDVORN.h"
#include "app/ugHtmlHelpAPI.h"

#include "GravadorRelatorios.h"
#include "ScriptedPresenter.h"
#include "TestData.h"

#include <QAction>
#include <QDir>
#include <QLineEdit>
#include <QToolButton>
#include <QtTest>

using namespace gdvorn;

class tst_ufmGDVORNComandos : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> m_pasta;
    int m_aberturas = 0;

private slots:
    void init()
    {
        m_pasta = std::make_unique<QTemporaryDir>();
        createDataFolder(m_pasta->filePath(QStringLiteral("dados")));
        dmGDVorn = new TdmGDVorn(m_pasta->path());
        setRegistroRelatorios(RegistraRelatorios);
        dmRaveRelatorios = new TdmRaveRelatorios;
        RegistraJanela(QStringLiteral("AnoAtual"), [this](QWidget *) { ++m_aberturas; });
        fmGDVORN = new TfmGDVORN;
    }
    void cleanup()
    {
        delete fmGDVORN;
        delete dmRaveRelatorios;
        dmRaveRelatorios = nullptr;
        delete dmGDVorn;
        dmGDVorn = nullptr;
        setRegistroRelatorios(nullptr);
    }

    void ocultosEDesabilitados()
    {
        QVERIFY(!fmGDVORN->ParticionarArquivo1->isVisible());
        QVERIFY(!fmGDVORN->MenuItem3->isVisible());
        QVERIFY(fmGDVORN->edTrans->isHidden());
        // commands whose window is not registered stay disabled
        for (QAction *a : {fmGDVORN->Transmite1, fmGDVORN->Consultardisquetedoano1, fmGDVORN->Analisador2,
                           fmGDVORN->ProtocolodeTransmisso1, fmGDVORN->AnoAnterior})
            QVERIFY2(!a->isEnabled(), qPrintable(a->objectName()));
        for (QToolButton *b : {fmGDVORN->sbTransmite, fmGDVORN->sbConsDisq, fmGDVORN->sbRelatorio, fmGDVORN->sbAnalisador})
            QVERIFY2(!b->isEnabled(), qPrintable(b->objectName()));
        QCOMPARE(ContextoAjuda(fmGDVORN->Verificar1), 908);
        QCOMPARE(fmGDVORN->AjudadoGDVorn1->shortcut(), QKeySequence(Qt::Key_F1));
        QVERIFY(fmGDVORN->Sair1->isEnabled());
    }

    void comandoRegistradoAbreSuaJanela()
    {
        QVERIFY(fmGDVORN->AnoAtual->isEnabled());
        QVERIFY(fmGDVORN->sbImpAnoAtual->isEnabled());
        fmGDVORN->sbImpAnoAtual->click();
        fmGDVORN->AnoAtual->trigger();
        QCOMPARE(m_aberturas, 2);
    }

    void cartelaSemImpressora()
    {
        test::ScriptedPresenter caixas;
        test::GravadorRelatorios saida;
        saida.impressora = false;
        fmGDVORN->EmitirCartela1->trigger();
        QCOMPARE(caixas.boxes.size(), 1);
        QCOMPARE(caixas.boxes.first().kind, MessageKind::Error);
        // Titled as the warning box below ("Atenção", the warnings' own title).
        QCOMPARE(caixas.boxes.first().caption, QStringLiteral("Atenção"));
        QCOMPARE(caixas.boxes.first().text, QStringLiteral("Não é possível imprimir: não há impressoras instaladas."));
        QVERIFY(saida.relatorios.isEmpty());

        fmGDVORN->VisualizarCartela1->trigger();
        QCOMPARE(caixas.boxes.size(), 2);
        QCOMPARE(caixas.boxes.last().kind, MessageKind::Warning);
        QVERIFY(caixas.boxes.last().caption.isEmpty());
        QCOMPARE(caixas.boxes.last().text, QStringLiteral("Não há impressoras instaladas."));
        QCOMPARE(saida.relatorios.size(), 1);
        QCOMPARE(saida.relatorios.first().nome, QStringLiteral("Cartela"));
        QVERIFY(!saida.relatorios.first().imprimeDaVisualizacao);
        QVERIFY(saida.relatorios.first().paginas.first().contains(QStringLiteral("Descrição do arquivo VORN2010")));
    }

    void cartelaNaImpressora()
    {
        test::ScriptedPresenter caixas;
        test::GravadorRelatorios saida;
        fmGDVORN->EmitirCartela1->trigger();
        QVERIFY(caixas.boxes.isEmpty());
        QCOMPARE(saida.relatorios.size(), 1);
        QCOMPARE(saida.relatorios.first().destino, DestinoRelatorio::Impressora);
    }
};

QTEST_MAIN(tst_ufmGDVORNComandos)
#include "tst_ufmGDVORNComandos.moc"
