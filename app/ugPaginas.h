#pragma once
// The page model of the reports and the bands that fill it.
//
// A page is a list of placed items (text in a box with alignment, font size and weight; horizontal lines;
// boxes) on A4. Items are placed on a grid of character cells (LinhasPagina lines of ColunasPagina
// characters inside the margins), so that the same page is painted in millimetres by the painter and laid
// out in characters by the text renderer: both show the same content.
//
// A report is made by MontadorRelatorio from bands: the page header (title, base year, version) and
// footer (page number) on every page, group headers that may start a page, detail rows in columns whose
// cells wrap within their width, free text, captioned fields and totals. A band never splits across
// pages; when it does not fit, the page is finished and handed to its destination, and the next one
// starts with the header and the column titles of the running list. Pages go out one at a time, so a
// report walked from cursors never holds more than one page.

#include <QList>
#include <QPair>
#include <QRectF>
#include <QString>
#include <QStringList>

class QIODevice;

namespace gdvorn {

inline constexpr double LarguraA4Mm = 210.0;
inline constexpr double AlturaA4Mm = 297.0;
inline constexpr double MargemMm = 12.0;
inline constexpr int ColunasPagina = 100;
inline constexpr int LinhasPagina = 60;
inline constexpr double LarguraCelulaMm = (LarguraA4Mm - 2 * MargemMm) / ColunasPagina;
inline constexpr double AlturaCelulaMm = (AlturaA4Mm - 2 * MargemMm) / LinhasPagina;

struct ItemPagina {
    enum Tipo { Texto, Linha, Caixa };
    Tipo tipo = Texto;
    int linha = 0;   // first grid line, from 0
    int coluna = 0;  // first grid column, from 0
    int largura = 0; // in characters
    int altura = 1;  // in lines
    QString texto;
    int alinhamento = 0; // Qt::AlignmentFlag values (left when 0)
    double tamanhoFonte = 9.0;
    bool negrito = false;
    // The item's rectangle in millimetres from the page's top left corner.
    QRectF retanguloMm() const;
};

struct Pagina {
    int numero = 0;
    QList<ItemPagina> itens;
};

// Where finished pages go, one at a time.
class DestinoPaginas {
public:
    virtual ~DestinoPaginas() = default;
    virtual void pagina(const Pagina &p) = 0;
};

// A column of a detail list: its title, width in characters and alignment.
struct Coluna {
    QString titulo;
    int largura = 10;
    int alinhamento = 0;
};

// The lines of `texto` wrapped at `largura` characters: at blanks where possible, else inside a word.
// An empty text gives one empty line.
QStringList QuebraTexto(const QString &texto, int largura);

class MontadorRelatorio {
public:
    // An empty `versao` prints no "Versão:" in the header.
    MontadorRelatorio(DestinoPaginas &destino, const QString &titulo, const QString &anoBase,
                      const QString &versao);
    MontadorRelatorio(const MontadorRelatorio &) = delete;
    MontadorRelatorio &operator=(const MontadorRelatorio &) = delete;

    // A second title line under the title (empty: none), from the next page on.
    void setSubtitulo(const QString &s) { m_subtitulo = s; }

    // A group header (bold, underlined). With `novaPagina`, it starts a page unless the page holds
    // nothing yet. The column titles of the running list are dropped.
    void grupo(const QString &texto, bool novaPagina);
    // Starts a detail list: prints the column titles, repeated under the header of every page until the
    // next list, group or semColunas.
    void colunas(const QList<Coluna> &colunas);
    void semColunas();
    // A detail row of the running list; cells wrap within their column and the row stays on one page.
    void linha(const QStringList &valores);
    // Free text across the page, wrapped.
    void texto(const QString &texto, bool negrito = false);
    // Caption and value pairs, `porLinha` to a line, each pair in an equal share of the width.
    void campos(const QList<QPair<QString, QString>> &pares, int porLinha = 2);
    // A total line: bold caption and value, over a rule.
    void total(const QString &rotulo, const QString &valor);
    void linhaEmBranco();
    // A rule across the page on a line of its own, between two parts of the body.
    void separador();
    void novaPagina();
    // Finishes the last page and hands it over. Nothing more may be added.
    void termina();

    int paginas() const { return m_pagina.numero; }

private:
    int linhasLivres() const;
    void garante(int linhas);
    void iniciaPagina();
    void fechaPagina();
    void imprimeTitulosColunas();
    void texto(int linha, int coluna, int largura, const QString &t, int alinhamento, bool negrito,
               double fonte = 9.0);
    void regua(int linha);

    DestinoPaginas &m_destino;
    QString m_titulo, m_ano, m_versao, m_subtitulo;
    QList<Coluna> m_colunas;
    Pagina m_pagina;
    bool m_aberta = false;
    bool m_vazia = true; // no band on the open page yet
    int m_linha = 0;
};

// Lays pages out in characters: one line per grid line, each item at its column within its width
// (aligned), trailing blanks dropped, the page's trailing empty lines dropped, lines ended by "\n",
// pages separated by "\f". Rules are rows of "-"; boxes print nothing.
QString TextoPagina(const Pagina &p);

// A destination that writes the text of each page to a device as UTF-8 (pages separated by "\f").
class RenderizadorTexto : public DestinoPaginas {
public:
    explicit RenderizadorTexto(QIODevice *saida) : m_saida(saida) {}
    void pagina(const Pagina &p) override;
    int paginas() const { return m_paginas; }

private:
    QIODevice *m_saida;
    int m_paginas = 0;
};

// A destination that keeps the text of each page (tests, the preview's recorder).
class GravadorPaginas : public DestinoPaginas {
public:
    void pagina(const Pagina &p) override { textos << TextoPagina(p); }
    QStringList textos;
};

} // namespace gdvorn
