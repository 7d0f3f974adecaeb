// Help by context number: the map of the help folder, the topic shown, and the pages it names.

#include "app/ugHtmlHelpAPI.h"

#include "ScriptedHelp.h"

#include <QDir>
#include <QFile>
#include <QObject>
#include <QRegularExpression>
#include <QtTest>

using namespace gdvorn;

class tst_ugHtmlHelpAPI : public QObject {
    Q_OBJECT
private slots:
    void contextoMostraSuaPagina();
    void semContextoOuSemVisor();
    void contextoDoControleVemDoPai();
    void mapaApontaParaPaginasEAncorasExistentes();
    void paginasSoLigamPaginasExistentes();
};

void tst_ugHtmlHelpAPI::contextoMostraSuaPagina()
{
    test::ScriptedHelp ajuda;
    MostraAjudaContexto(10);
    QCOMPARE(ajuda.last(), QStringLiteral("comofazer.html"));
    MostraAjudaContexto(903);
    QCOMPARE(ajuda.last(), QStringLiteral("gdvorn.html#abrir"));
    MostraAjuda();
    QCOMPARE(ajuda.last(), QStringLiteral("index.html"));
    QVERIFY(QFile::exists(PastaAjuda() + QStringLiteral("index.html")));
}

void tst_ugHtmlHelpAPI::semContextoOuSemVisor()
{
    {
        test::ScriptedHelp ajuda;
        QVERIFY(PaginaAjuda(424242).isEmpty());
        MostraAjudaContexto(424242);
        QCOMPARE(ajuda.last(), QStringLiteral("index.html"));
    }
    // Without a viewer nothing happens (no crash, nothing shown).
    MostraAjudaContexto(10);
}

void tst_ugHtmlHelpAPI::contextoDoControleVemDoPai()
{
    QObject grupo;
    QObject botao(&grupo);
    QCOMPARE(ContextoAjuda(&botao), 0);
    setContextoAjuda(&grupo, 37);
    QCOMPARE(ContextoAjuda(&botao), 37);
    setContextoAjuda(&botao, 38);
    QCOMPARE(ContextoAjuda(&botao), 38);
    QCOMPARE(ContextoAjuda(nullptr), 0);
}

void tst_ugHtmlHelpAPI::mapaApontaParaPaginasEAncorasExistentes()
{
    // Every line of the map names a page of the folder, and its anchor is an id of that page.
    QFile mapa(QStringLiteral(GDVORN_AJUDA_DIR "/contextos.tsv"));
    QVERIFY(mapa.open(QIODevice::ReadOnly | QIODevice::Text));
    int linhas = 0;
    while (!mapa.atEnd()) {
        const QString linha = QString::fromUtf8(mapa.readLine()).trimmed();
        if (linha.isEmpty() || linha.startsWith(QLatin1Char('#')))
            continue;
        ++linhas;
        const QStringList partes = linha.split(QLatin1Char('\t'));
        QCOMPARE(partes.size(), 2);
        const QString arquivo = partes[1].section(QLatin1Char('#'), 0, 0);
        const QString ancora = partes[1].section(QLatin1Char('#'), 1);
        QFile pagina(QStringLiteral(GDVORN_AJUDA_DIR "/") + arquivo);
        QVERIFY2(pagina.open(QIODevice::ReadOnly), qPrintable(linha));
        if (!ancora.isEmpty())
            QVERIFY2(QString::fromUtf8(pagina.readAll()).contains(QStringLiteral("id=\"%1\"").arg(ancora)), qPrintable(linha));
    }
    QVERIFY(linhas > 0);
}

void tst_ugHtmlHelpAPI::paginasSoLigamPaginasExistentes()
{
    const QDir pasta(QStringLiteral(GDVORN_AJUDA_DIR));
    const QRegularExpression ligacao(QStringLiteral("href=\"([^\"#:]+)(#[^\"]*)?\""));
    for (const QString &nome : pasta.entryList({QStringLiteral("*.html")}, QDir::Files)) {
        QFile pagina(pasta.filePath(nome));
        QVERIFY(pagina.open(QIODevice::ReadOnly));
        const QString texto = QString::fromUtf8(pagina.readAll());
        auto it = ligacao.globalMatch(texto);
        while (it.hasNext()) {
            const QString alvo = it.next().captured(1);
            QVERIFY2(pasta.exists(alvo), qPrintable(nome + QStringLiteral(" -> ") + alvo));
        }
    }
}

QTEST_APPLESS_MAIN(tst_ugHtmlHelpAPI)
#include "tst_ugHtmlHelpAPI.moc"
