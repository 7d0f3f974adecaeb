// The painted output: PDF pages match the text pages, and the preview window's menu.

#include "app/QtRelatorio.h"

#include <QAction>
#include <QFile>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>
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
};

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
        v.Visualizador->updatePreview();
        QCOMPARE(v.Visualizador->pageCount(), 3);
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
