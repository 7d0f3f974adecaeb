// The record layout tables, the descriptors filled from them, the code page 1252 table and FormataCampo.

#include "app/base/Schema.h"
#include "fileformat/ugLayoutVorn.h"
#include "fileformat/ugRegistrosVorn.h"

#include <QSet>
#include <QtTest>

using namespace gdvorn;

namespace {

QString tabelaDoTipo(int tipo)
{
    switch (tipo) {
    case 1: return QStringLiteral("bd8emp");
    case 2: return QStringLiteral("bd8vinc");
    default: return QStringLiteral("bd8resp");
    }
}

template <int N>
QList<int> slotsVazios(const TArquivoVornTipo<N> &d)
{
    QList<int> vazios;
    for (int k = 1; k <= N; ++k)
        if (d.Campos(k).Inicio == 0 && d.Campos(k).Tamanho == 0 && d.Campos(k).Descricao.isEmpty())
            vazios << k;
    return vazios;
}

template <int N>
bool iguais(const TArquivoVornTipo<N> &a, const TArquivoVornTipo<N> &b, int exceto = 0)
{
    for (int k = 1; k <= N; ++k) {
        const TArquivo &x = a.Campos(k), &y = b.Campos(k);
        if (x.Inicio != y.Inicio || x.Tamanho != y.Tamanho || (k != exceto && x.Descricao != y.Descricao))
            return false;
    }
    return true;
}

} // namespace

class tst_ugLayoutVorn : public QObject {
    Q_OBJECT

private slots:
    void layoutCobreORegistro_data()
    {
        QTest::addColumn<int>("tipo");
        QTest::addColumn<int>("quantidade");
        QTest::addColumn<QList<int>>("vazios");
        QTest::newRow("cabecalho") << 0 << 26 << QList<int>{};
        QTest::newRow("estabelecimento") << 1 << 52 << QList<int>{25, 26};
        QTest::newRow("vinculo") << 2 << 87 << QList<int>{};
        QTest::newRow("trailer") << 9 << 10 << QList<int>{7};
    }

    // Every position 1-550 belongs to exactly one stretch, each slot appears once, and every table field
    // read has the layout's width in the catalogue (the writer pads a value to its field's own width).
    void layoutCobreORegistro()
    {
        QFETCH(int, tipo);
        QFETCH(int, quantidade);
        QFETCH(QList<int>, vazios);
        QCOMPARE(QuantidadeCampos(tipo), quantidade);

        int proxima = 1;
        QSet<int> vistos;
        const TableDef &tabela = Schema::require(tabelaDoTipo(tipo));
        for (const ItemLayout &item : LayoutRegistro(tipo)) {
            QCOMPARE(item.Inicio, proxima);
            QVERIFY(item.Tamanho > 0);
            proxima += item.Tamanho;
            if (item.Slot != 0) {
                QVERIFY2(item.Slot <= quantidade, qPrintable(item.Descricao));
                QVERIFY2(!vistos.contains(item.Slot), qPrintable(QString::number(item.Slot)));
                vistos.insert(item.Slot);
            }
            if (item.Origem == OrigemCampo::Campo) {
                const FieldDef *f = tabela.field(item.Valor);
                QVERIFY2(f, qPrintable(item.Valor));
                QVERIFY2(f->width == item.Tamanho, qPrintable(item.Valor));
            }
            if (item.Origem == OrigemCampo::VinculadoInicio || item.Origem == OrigemCampo::VinculadoFim)
                QCOMPARE(tabela.field(item.Valor)->width, 14);
        }
        QCOMPARE(proxima, TamanhoRegistroVorn + 1);
        QCOMPARE(vistos.size() + vazios.size(), quantidade);
        for (int v : vazios)
            QVERIFY(!vistos.contains(v));
    }

    // The sets differ only in the base-year caption of slot 23 of the establishment record; unused quantidade
    // keep the empty descriptor.
    void conjuntosDeLayout()
    {
        TDescritoresVorn atual, anterior;
        PreencheLayoutAtual(atual);
        PreencheLayoutAnterior(anterior);

        QCOMPARE(atual.TipoUm.Campos(23).Descricao, QStringLiteral("2010"));
        QCOMPARE(anterior.TipoUm.Campos(23).Descricao, QStringLiteral("2009"));
        QCOMPARE(atual.TipoUm.Campos(23).Inicio, 295);
        QCOMPARE(atual.TipoUm.Campos(23).Tamanho, 4);
        QVERIFY(iguais(atual.TipoZero, anterior.TipoZero));
        QVERIFY(iguais(atual.TipoUm, anterior.TipoUm, 23));
        QVERIFY(iguais(atual.TipoDois, anterior.TipoDois));
        QVERIFY(iguais(atual.TipoNove, anterior.TipoNove));

        QCOMPARE(slotsVazios(atual.TipoZero), QList<int>{});
        QCOMPARE(slotsVazios(atual.TipoUm), (QList<int>{25, 26}));
        QCOMPARE(slotsVazios(atual.TipoDois), QList<int>{});
        QCOMPARE(slotsVazios(atual.TipoNove), QList<int>{7});

        // A few quantidade whose number is not their order in the record.
        QCOMPARE(atual.TipoUm.Campos(22).Inicio, 283);
        QCOMPARE(atual.TipoUm.Campos(22).Tamanho, 12);
        QCOMPARE(atual.TipoUm.Campos(40).Inicio, 219);
        QCOMPARE(atual.TipoDois.Campos(87).Inicio, 294);
        QCOMPARE(atual.TipoDois.Campos(41).Inicio, 539);
        QCOMPARE(atual.TipoNove.Campos(10).Descricao, QStringLiteral("Hashcode"));
        QCOMPARE(atual.TipoNove.Campos(10).Inicio, 519);
        QCOMPARE(atual.TipoZero.Campos(25).Descricao, QStringLiteral("Retifica o CREA"));

        // Filling again replaces what was there.
        atual.TipoUm.Campos(25).Inicio = 7;
        PreencheLayoutAtual(atual);
        QCOMPARE(atual.TipoUm.Campos(25).Inicio, 0);
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, atual.TipoNove.Campos(11));
    }

    // Every byte reads as a character that writes back as the same byte.
    void cp1252IdaEVolta()
    {
        QByteArray todos;
        for (int b = 0; b < 256; ++b)
            todos.append(char(b));
        const QString texto = DecodificaCp1252(todos);
        QCOMPARE(texto.size(), 256);
        QCOMPARE(CodificaCp1252(texto), todos);
        QCOMPARE(DecodificaCp1252(QByteArray("\x80\x8a\x9f\xe7\xe3")), QStringLiteral("€ŠŸçã"));
    }

    void cp1252Codifica_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("acentos") << QStringLiteral("AçãO") << QByteArray("A\xe7\xe3O");
        QTest::newRow("faixa 80") << QStringLiteral("€“”–") << QByteArray("\x80\x93\x94\x96");
        QTest::newRow("fora da pagina") << QStringLiteral("a中b") << QByteArray("a?b");
        QTest::newRow("par substituto") << QStringLiteral("x\U0001F600y") << QByteArray("x?y");
    }

    void cp1252Codifica()
    {
        QFETCH(QString, texto);
        QFETCH(QByteArray, bytes);
        QCOMPARE(CodificaCp1252(texto), bytes);
    }

    void formataCampo_data()
    {
        QTest::addColumn<QString>("texto");
        QTest::addColumn<int>("tamanho");
        QTest::addColumn<QString>("esperado");
        QTest::newRow("completa") << QStringLiteral("abc") << 6 << QStringLiteral("ABC   ");
        QTest::newRow("corta") << QStringLiteral("abcdef") << 4 << QStringLiteral("ABCD");
        QTest::newRow("so a-z") << QStringLiteral("ação") << 4 << QStringLiteral("AçãO");
        QTest::newRow("vazio") << QString() << 3 << QStringLiteral("   ");
        QTest::newRow("digitos") << QStringLiteral("0012") << 4 << QStringLiteral("0012");
        QTest::newRow("fora da pagina") << QStringLiteral("São 中") << 6 << QStringLiteral("SãO ? ");
        QTest::newRow("par substituto conta um") << QStringLiteral("\U0001F600ab") << 3 << QStringLiteral("?AB");
    }

    void formataCampo()
    {
        QFETCH(QString, texto);
        QFETCH(int, tamanho);
        QFETCH(QString, esperado);
        QCOMPARE(FormataCampo(texto, tamanho), esperado);
    }
};

QTEST_GUILESS_MAIN(tst_ugLayoutVorn)
#include "tst_ugLayoutVorn.moc"
