// The bands of a report laid out in pages, and the pages as text.

#include "app/ugPaginas.h"

#include <QBuffer>
#include <QtTest>

using namespace gdvorn;

class tst_ugPaginas : public QObject {
    Q_OBJECT

private slots:
    void cabecalhoERodapeEmCadaPagina()
    {
        GravadorPaginas g;
        MontadorRelatorio m(g, QStringLiteral("Relatório de Teste"), QStringLiteral("2010"), QStringLiteral("2010.01.03"));
        m.texto(QStringLiteral("primeira"));
        m.novaPagina();
        m.texto(QStringLiteral("segunda"));
        m.termina();
        QCOMPARE(g.textos.size(), 2);
        for (int i = 0; i < 2; ++i) {
            const QStringList linhas = g.textos.at(i).split(QLatin1Char('\n'));
            QVERIFY(linhas.at(0).trimmed() == QStringLiteral("Relatório de Teste"));
            QVERIFY(linhas.at(2).startsWith(QStringLiteral("Ano-Base: 2010")));
            QVERIFY(linhas.at(2).endsWith(QStringLiteral("Versão: 2010.01.03")));
            QVERIFY(g.textos.at(i).contains(QStringLiteral("Página %1\n").arg(i + 1)));
            for (const QString &l : linhas)
                QVERIFY2(!l.endsWith(QLatin1Char(' ')), qPrintable(l));
        }
    }

    // A list longer than a page goes on under its repeated column titles, each row whole on one page.
    void listaQuebraSobTitulosRepetidos()
    {
        GravadorPaginas g;
        MontadorRelatorio m(g, QStringLiteral("T"), QStringLiteral("2010"), QStringLiteral("v"));
        m.grupo(QStringLiteral("Grupo"), true);
        m.colunas({{QStringLiteral("Número"), 8, Qt::AlignRight}, {QStringLiteral("Nome"), 20, 0}});
        for (int i = 1; i <= 120; ++i)
            m.linha({QString::number(i), QStringLiteral("nome %1 com texto que quebra em duas linhas").arg(i)});
        m.termina();
        QVERIFY(g.textos.size() >= 3);
        int linhas = 0;
        for (const QString &t : std::as_const(g.textos)) {
            QVERIFY(t.contains(QRegularExpression(QStringLiteral("\\n  Número Nome\\n-{100}\\n"))));
            linhas += int(t.count(QStringLiteral("nome ")));
            // the two lines of a row stay together
            QCOMPARE(t.count(QStringLiteral("nome ")), t.count(QStringLiteral("linhas")));
        }
        QCOMPARE(linhas, 120);
        QVERIFY(g.textos.last().contains(QStringLiteral("     120 nome 120")));
    }

    // Column titles that open a report, or that find too little room on a page, print once.
    void titulosUmaVez()
    {
        GravadorPaginas g;
        MontadorRelatorio m(g, QStringLiteral("T"), QStringLiteral("2010"), QStringLiteral("v"));
        m.colunas({{QStringLiteral("Número"), 8, Qt::AlignRight}, {QStringLiteral("Nome"), 20, 0}});
        m.linha({QStringLiteral("1"), QStringLiteral("um")});
        m.semColunas();
        int enchidas = 0;
        for (; g.textos.isEmpty(); ++enchidas)
            m.texto(QStringLiteral("enchimento"));
        // The second page, which has no titles and no row, is filled to its last line or so.
        for (int i = 0; i < enchidas; ++i)
            m.texto(QStringLiteral("enchimento"));
        m.colunas({{QStringLiteral("Código"), 8, 0}});
        m.linha({QStringLiteral("x")});
        m.termina();
        QCOMPARE(g.textos.first().count(QStringLiteral("Número")), 1);
        int titulos = 0;
        for (const QString &t : std::as_const(g.textos))
            titulos += int(t.count(QStringLiteral("Código")));
        QCOMPARE(titulos, 1);
    }

    void grupoEmNovaPagina()
    {
        GravadorPaginas g;
        MontadorRelatorio m(g, QStringLiteral("T"), QStringLiteral("2010"), QStringLiteral("v"));
        m.grupo(QStringLiteral("A"), true); // the first page is still empty: no blank page
        m.texto(QStringLiteral("a"));
        m.grupo(QStringLiteral("B"), true);
        m.texto(QStringLiteral("b"));
        m.grupo(QStringLiteral("C"), false);
        m.total(QStringLiteral("Total"), QStringLiteral("3"));
        m.termina();
        QCOMPARE(g.textos.size(), 2);
        QVERIFY(!g.textos.at(0).contains(QStringLiteral("\nB\n")));
        QVERIFY(g.textos.at(1).contains(QStringLiteral("\nB\n")));
        QVERIFY(g.textos.at(1).contains(QStringLiteral("\nC\n")));
        QVERIFY(g.textos.at(1).contains(QRegularExpression(QStringLiteral("\\nTotal +3\\n"))));
    }

    void textoEmUtf8SeparadoPorPagina()
    {
        QBuffer b;
        b.open(QIODevice::WriteOnly);
        RenderizadorTexto r(&b);
        MontadorRelatorio m(r, QStringLiteral("Inconsistências"), QStringLiteral("2010"), QStringLiteral("v"));
        m.texto(QStringLiteral("ação"));
        m.novaPagina();
        m.texto(QStringLiteral("fim"));
        m.termina();
        const QString t = QString::fromUtf8(b.data());
        QCOMPARE(t.count(QLatin1Char('\f')), 1);
        QVERIFY(t.contains(QStringLiteral("\nação\n")));
        QCOMPARE(r.paginas(), 2);
    }

    void quebraTexto_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("largura");
        QTest::addColumn<QStringList>("linhas");
        QTest::newRow("cabe") << "abc def" << 7 << QStringList{"abc def"};
        QTest::newRow("no branco") << "abc def" << 5 << QStringList{"abc", "def"};
        QTest::newRow("palavra longa") << "abcdefgh" << 3 << QStringList{"abc", "def", "gh"};
        QTest::newRow("vazio") << "" << 5 << QStringList{""};
    }
    void quebraTexto()
    {
        QFETCH(QString, texto);
        QFETCH(int, largura);
        QFETCH(QStringList, linhas);
        QCOMPARE(QuebraTexto(texto, largura), linhas);
    }
};

QTEST_GUILESS_MAIN(tst_ugPaginas)
#include "tst_ugPaginas.moc"
