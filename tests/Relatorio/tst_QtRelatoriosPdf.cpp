// Every report as PDF: one PDF page per text page.

#include "Relatorio/ugRelatorios.h"
#include "app/QtRelatorio.h"

#include "FixtureRelatorios.h"

#include <QFile>
#include <QtTest>

using namespace gdvorn;

class tst_QtRelatoriosPdf : public QObject {
    Q_OBJECT

private slots:
    void paginasPdfIguaisAsDeTexto()
    {
        test::TempDataFolder pasta(test::TempDataFolder::InstalledTables);
        test::montaDeclaracao();
        TdmRaveRelatorios dm;
        RegistraRelatorios(dm);
        dm.SelecionaErros(QStringLiteral("err"));
        const QList<QPair<TRvProject *, QString>> relatorios{
            {&dm.RvProtocolo, "rptProtocolo"},      {&dm.RvProtocolo, "rptEtiqueta"},
            {&dm.RvProject2, "RelatorioCompleto"},  {&dm.RvProject2, "RelatorioResumido"},
            {&dm.RvProject2, "Cartela"},            {&dm.RvProject2, "Transmissao"},
            {&dm.rvprjErro, "rptErros"},            {&dm.rvprjErro, "rptErrosEstrutura"},
            {&dm.rvprjErro, "rptImportacao"}};
        for (const auto &[projeto, nome] : relatorios) {
            GravadorPaginas texto;
            projeto->Gera(nome, texto);
            const int paginas = GravaPdf(pasta.file(nome + ".pdf"), nome, [&](DestinoPaginas &d) { projeto->Gera(nome, d); });
            QCOMPARE(paginas, int(texto.textos.size()));
            QFile f(pasta.file(nome + ".pdf"));
            QVERIFY(f.open(QIODevice::ReadOnly));
            QVERIFY(f.readAll().startsWith("%PDF"));
        }
    }
};

QTEST_MAIN(tst_QtRelatoriosPdf)
#include "tst_QtRelatoriosPdf.moc"
