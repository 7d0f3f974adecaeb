// The painted output: PDF pages match the text pages, the status window follows the pages made or
// printed, and the preview window's menu and help.

#include "app/QtRelatorio.h"

#include "ScriptedHelp.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

using namespace gdvorn;

namespace {

GeraPaginas tresPaginas()
{
    return [](DestinoPaginas &d) {
        MontadorRelatorio m(d, QStringLiteral("Título"), QStringLiteral("2010"), QStringLiteral("v"));
        for (int i = 0; i < 3; ++i) {
            m.texto(QStringLiteral("página com um texto bem mais longo que o espaço da célula ") + QString(80, QLatin1Char('W')));
            m.novaPagina();
        }
        m.termina();
    };
}

class SaidaSemDialogos : public QtSaidaRelatorio {
public:
    QString arquivo;
    bool haImpressora() override { return false; }
    QString escolheArquivo(QWidget *) override { return arquivo; }
    // The printer "chosen" prints into a PDF file.
    bool escolheImpressora(QPrinter &impressora) override
    {
        impressora.setOutputFormat(QPrinter::PdfFormat);
        impressora.setOutputFileName(arquivo);
        return true;
    }
};

// What the status window reads once each page is handed on: three pages, and after them what it read.
GeraPaginas tresPaginasLendoEstado(QStringList &lido)
{
    return [&lido](DestinoPaginas &d) {
        const auto estado = [] {
            for (QWidget *w : QApplication::topLevelWidgets())
                if (w->objectName() == QLatin1String("fmEstadoRelatorio") && w->isVisible())
                    return w->windowTitle() + QLatin1String(": ") + w->findChild<QLabel *>(QStringLiteral("lbEstado"))->text();
            return QStringLiteral("sem janela");
        };
        for (int i = 1; i <= 3; ++i) {
            Pagina p;
            p.numero = i;
            d.pagina(p);
            lido << estado();
        }
    };
}

} // namespace

class tst_QtRelatorio : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private slots:
    void pdfTemUmaPaginaPorPaginaDeTexto()
    {
        const QString arquivo = m_dir.filePath(QStringLiteral("r.pdf"));
        QCOMPARE(GravaPdf(arquivo, QStringLiteral("r"), tresPaginas()), 3);
        QFile f(arquivo);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray pdf = f.readAll();
        QVERIFY(pdf.startsWith("%PDF"));
        QCOMPARE(pdf.count("/Type /Page\n") + pdf.count("/Type /Page\r") + pdf.count("/Type /Page "), 3);
    }

    void janelaDeEstado_data()
    {
        QTest::addColumn<int>("destino");
        QTest::addColumn<QString>("texto");
        QTest::newRow("pdf") << int(DestinoRelatorio::Arquivo) << "Gerando página %1";
        QTest::newRow("impressora") << int(DestinoRelatorio::Impressora) << "Imprimindo página %1";
    }
    void janelaDeEstado()
    {
        QFETCH(int, destino);
        QFETCH(QString, texto);
        SaidaSemDialogos saida;
        saida.arquivo = m_dir.filePath(QStringLiteral("estado.pdf"));
        TRvSystem sistema;
        sistema.Destino = DestinoRelatorio(destino);
        sistema.ArquivoSaida = saida.arquivo;
        QStringList lido;
        saida.executa(sistema, QStringLiteral("r"), tresPaginasLendoEstado(lido));
        QStringList esperado;
        for (int i = 1; i <= 3; ++i)
            esperado << QStringLiteral("Report Status: ") + texto.arg(i);
        QCOMPARE(lido, esperado);
        QVERIFY(QFile::exists(saida.arquivo));
        // gone with the run
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY(w->objectName() != QLatin1String("fmEstadoRelatorio") || !w->isVisible());
    }

    void f1NaVisualizacao()
    {
        test::ScriptedHelp ajuda;
        SaidaSemDialogos saida;
        TRvSystem sistema;
        TfmVisualizacao v(saida, sistema, QStringLiteral("r"), tresPaginas());
        v.show();
        QTest::keyClick(v.Visualizador, Qt::Key_F1);
        QCOMPARE(ajuda.last(), QStringLiteral("relatorio.html"));
    }

    void visualizacaoSemImprimirQuandoDesligado_data()
    {
        QTest::addColumn<bool>("imprime");
        QTest::newRow("com impressão") << true;
        QTest::newRow("sem impressão") << false;
    }
    void visualizacaoSemImprimirQuandoDesligado()
    {
        QFETCH(bool, imprime);
        SaidaSemDialogos saida;
        TRvSystem sistema;
        sistema.ImprimeDaVisualizacao = imprime;
        TfmVisualizacao v(saida, sistema, QStringLiteral("r"), tresPaginas());
        QCOMPARE(v.windowTitle(), QStringLiteral("Visualização do Relatório"));
        QCOMPARE(v.findChild<QAction *>(QStringLiteral("Imprimir")) != nullptr, imprime);
        QVERIFY(v.findChild<QAction *>(QStringLiteral("SalvarComo")));
        // Every tool button shows on a 1024-pixel screen.
        const int largura = v.findChild<QToolBar *>(QStringLiteral("BarraVisualizacao"))->sizeHint().width();
        QVERIFY2(largura <= 1024, qPrintable(QString::number(largura)));
        v.Visualizador->updatePreview();
        QCOMPARE(v.Visualizador->pageCount(), 3);
    }

    void teclasDaVisualizacao()
    {
        // Pages, zoom, print and close from the keyboard, wherever the focus stands in the window.
        SaidaSemDialogos saida;
        saida.arquivo = m_dir.filePath(QStringLiteral("teclas.pdf"));
        TRvSystem sistema;
        sistema.ImprimeDaVisualizacao = true;
        TfmVisualizacao v(saida, sistema, QStringLiteral("r"), tresPaginas());
        v.show();
        QVERIFY(QTest::qWaitForWindowActive(&v));
        v.Visualizador->updatePreview();
        // Making the pages shows the status window for a moment: the preview is the active window again.
        v.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&v));
        QWidget *foco = QApplication::focusWidget() ? QApplication::focusWidget() : v.Visualizador;
        const auto pagina = [&] { return v.Visualizador->currentPage(); };
        const auto rotulo = [&] { return v.findChild<QLabel *>(QStringLiteral("lbPagina"))->text(); };
        QCOMPARE(pagina(), 1);
        QCOMPARE(rotulo(), QStringLiteral("Página 1 de 3"));
        QVERIFY(!v.Anterior->isEnabled() && !v.Primeira->isEnabled() && v.Proxima->isEnabled());
        QTest::keyClick(foco, Qt::Key_PageDown);
        QCOMPARE(pagina(), 2);
        QTest::keyClick(foco, Qt::Key_PageDown);
        QTest::keyClick(foco, Qt::Key_PageDown);
        QCOMPARE(pagina(), 3);
        QCOMPARE(rotulo(), QStringLiteral("Página 3 de 3"));
        QVERIFY(!v.Proxima->isEnabled() && !v.Ultima->isEnabled());
        QTest::keyClick(foco, Qt::Key_PageUp);
        QCOMPARE(pagina(), 2);
        QTest::keyClick(foco, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(pagina(), 1);
        QTest::keyClick(foco, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(pagina(), 3);
        // Zoom in and out, then the whole page again.
        const qreal inicial = v.Visualizador->zoomFactor();
        QTest::keyClick(foco, Qt::Key_Plus, Qt::ControlModifier);
        QVERIFY(v.Visualizador->zoomFactor() > inicial);
        QTest::keyClick(foco, Qt::Key_Minus, Qt::ControlModifier);
        QTest::keyClick(foco, Qt::Key_Minus, Qt::ControlModifier);
        QVERIFY(v.Visualizador->zoomFactor() < inicial);
        QTest::keyClick(foco, Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(v.Visualizador->zoomMode(), QPrintPreviewWidget::FitInView);
        // Print (to the scripted printer, a PDF file).
        QTest::keyClick(foco, Qt::Key_P, Qt::ControlModifier);
        QVERIFY(QFile::exists(saida.arquivo));
        // Esc closes.
        QTest::keyClick(foco, Qt::Key_Escape);
        QVERIFY(!v.isVisible());
        QCOMPARE(v.result(), int(QDialog::Rejected));
    }

    void salvarComoTextoOuPdf()
    {
        SaidaSemDialogos saida;
        TRvSystem sistema;
        TfmVisualizacao v(saida, sistema, QStringLiteral("r"), tresPaginas());
        saida.arquivo = m_dir.filePath(QStringLiteral("r.txt"));
        v.SalvarComo->trigger();
        QFile t(saida.arquivo);
        QVERIFY(t.open(QIODevice::ReadOnly));
        QCOMPARE(t.readAll().count('\f'), 2);
        saida.arquivo = m_dir.filePath(QStringLiteral("s.pdf"));
        v.SalvarComo->trigger();
        QVERIFY(QFile::exists(saida.arquivo));
    }
};

QTEST_MAIN(tst_QtRelatorio)
#include "tst_QtRelatorio.moc"
