#include "app/ugPaginas.h"

#include <QIODevice>

#include <algorithm>
#include <stdexcept>

namespace gdvorn {

namespace {

constexpr int kAlignLeft = 0x1, kAlignRight = 0x2, kAlignHCenter = 0x4;
constexpr int kPrimeiraLinhaCorpo = 4;
constexpr int kLinhaRegraRodape = LinhasPagina - 2;
constexpr int kLinhaRodape = LinhasPagina - 1;

} // namespace

QRectF ItemPagina::retanguloMm() const
{
    return QRectF(MargemMm + coluna * LarguraCelulaMm, MargemMm + linha * AlturaCelulaMm, largura * LarguraCelulaMm,
                  altura * AlturaCelulaMm);
}

QStringList QuebraTexto(const QString &texto, int largura)
{
    QStringList linhas;
    largura = std::max(1, largura);
    QString resto = texto;
    while (resto.size() > largura) {
        int corte = resto.lastIndexOf(QLatin1Char(' '), largura);
        if (corte <= 0)
            corte = largura;
        linhas << resto.left(corte).trimmed();
        resto = resto.mid(corte).trimmed();
    }
    linhas << resto;
    return linhas;
}

MontadorRelatorio::MontadorRelatorio(DestinoPaginas &destino, const QString &titulo, const QString &anoBase,
                                     const QString &versao)
    : m_destino(destino), m_titulo(titulo), m_ano(anoBase), m_versao(versao)
{
}

int MontadorRelatorio::linhasLivres() const { return kLinhaRegraRodape - m_linha; }

void MontadorRelatorio::texto(int linha, int coluna, int largura, const QString &t, int alinhamento, bool negrito,
                              double fonte)
{
    ItemPagina i;
    i.tipo = ItemPagina::Texto;
    i.linha = linha;
    i.coluna = coluna;
    i.largura = largura;
    i.texto = t;
    i.alinhamento = alinhamento;
    i.negrito = negrito;
    i.tamanhoFonte = fonte;
    m_pagina.itens << i;
}

void MontadorRelatorio::regua(int linha)
{
    ItemPagina i;
    i.tipo = ItemPagina::Linha;
    i.linha = linha;
    i.largura = ColunasPagina;
    m_pagina.itens << i;
}

void MontadorRelatorio::iniciaPagina()
{
    m_pagina.itens.clear();
    ++m_pagina.numero;
    m_aberta = true;
    m_vazia = true;
    texto(0, 0, ColunasPagina, m_titulo, kAlignHCenter, true, 12.0);
    if (!m_subtitulo.isEmpty())
        texto(1, 0, ColunasPagina, m_subtitulo, kAlignHCenter, false);
    texto(2, 0, ColunasPagina / 2, QStringLiteral("Ano-Base: ") + m_ano, kAlignLeft, false);
    if (!m_versao.isEmpty())
        texto(2, ColunasPagina / 2, ColunasPagina / 2, QStringLiteral("Versão: ") + m_versao, kAlignRight, false);
    regua(3);
    m_linha = kPrimeiraLinhaCorpo;
    if (!m_colunas.isEmpty())
        imprimeTitulosColunas();
}

void MontadorRelatorio::fechaPagina()
{
    if (!m_aberta)
        return;
    regua(kLinhaRegraRodape);
    texto(kLinhaRodape, 0, ColunasPagina, QStringLiteral("Página ") + QString::number(m_pagina.numero),
          kAlignRight, false);
    m_aberta = false;
    m_destino.pagina(m_pagina);
}

void MontadorRelatorio::garante(int linhas)
{
    if (!m_aberta)
        iniciaPagina();
    // A band taller than a whole page is cut by the page rather than looping for ever.
    if (linhas > linhasLivres() && !m_vazia) {
        fechaPagina();
        iniciaPagina();
    }
    m_vazia = false;
}

void MontadorRelatorio::imprimeTitulosColunas()
{
    int coluna = 0;
    for (const Coluna &c : std::as_const(m_colunas)) {
        texto(m_linha, coluna, c.largura, c.titulo, c.alinhamento, true);
        coluna += c.largura + 1;
    }
    ++m_linha;
    regua(m_linha);
    ++m_linha;
}

void MontadorRelatorio::grupo(const QString &t, bool nova)
{
    m_colunas.clear();
    if (nova && m_aberta && !m_vazia) {
        fechaPagina();
    }
    garante(3);
    texto(m_linha, 0, ColunasPagina, t, kAlignLeft, true, 10.0);
    ++m_linha;
    regua(m_linha);
    ++m_linha;
}

void MontadorRelatorio::colunas(const QList<Coluna> &cs)
{
    // Set after the room is made: a page opened here would print the titles once of its own.
    m_colunas.clear();
    garante(3);
    m_colunas = cs;
    imprimeTitulosColunas();
}

void MontadorRelatorio::semColunas() { m_colunas.clear(); }

void MontadorRelatorio::linha(const QStringList &valores)
{
    QList<QStringList> celulas;
    int altura = 1;
    for (int i = 0; i < m_colunas.size(); ++i) {
        celulas << QuebraTexto(valores.value(i), m_colunas.at(i).largura);
        altura = std::max(altura, int(celulas.last().size()));
    }
    garante(altura);
    int coluna = 0;
    for (int i = 0; i < m_colunas.size(); ++i) {
        const Coluna &c = m_colunas.at(i);
        for (int k = 0; k < celulas.at(i).size(); ++k)
            texto(m_linha + k, coluna, c.largura, celulas.at(i).at(k), c.alinhamento, false);
        coluna += c.largura + 1;
    }
    m_linha += altura;
}

void MontadorRelatorio::texto(const QString &t, bool negrito)
{
    const QStringList linhas = QuebraTexto(t, ColunasPagina);
    garante(int(linhas.size()));
    for (const QString &l : linhas)
        texto(m_linha++, 0, ColunasPagina, l, kAlignLeft, negrito);
}

void MontadorRelatorio::campos(const QList<QPair<QString, QString>> &pares, int porLinha)
{
    porLinha = std::max(1, porLinha);
    const int largura = ColunasPagina / porLinha;
    for (int inicio = 0; inicio < pares.size(); inicio += porLinha) {
        QList<QStringList> celulas;
        int altura = 1;
        for (int k = inicio; k < std::min(int(pares.size()), inicio + porLinha); ++k) {
            const auto &par = pares.at(k);
            celulas << QuebraTexto(par.first + QStringLiteral(": ") + par.second, largura - 1);
            altura = std::max(altura, int(celulas.last().size()));
        }
        garante(altura);
        for (int k = 0; k < celulas.size(); ++k)
            for (int l = 0; l < celulas.at(k).size(); ++l)
                texto(m_linha + l, k * largura, largura - 1, celulas.at(k).at(l), kAlignLeft, false);
        m_linha += altura;
    }
}

void MontadorRelatorio::total(const QString &rotulo, const QString &valor)
{
    garante(2);
    regua(m_linha);
    ++m_linha;
    texto(m_linha, 0, ColunasPagina - 20, rotulo, kAlignLeft, true);
    texto(m_linha, ColunasPagina - 20, 20, valor, kAlignRight, true);
    ++m_linha;
}

void MontadorRelatorio::separador()
{
    garante(1);
    regua(m_linha);
    ++m_linha;
}

void MontadorRelatorio::linhaEmBranco()
{
    if (m_aberta && m_linha < kLinhaRegraRodape && !m_vazia)
        ++m_linha;
}

void MontadorRelatorio::novaPagina()
{
    if (m_aberta && !m_vazia)
        fechaPagina();
}

void MontadorRelatorio::termina()
{
    if (!m_aberta && m_pagina.numero == 0)
        iniciaPagina(); // an empty report still has its page
    fechaPagina();
}

QString TextoPagina(const Pagina &p)
{
    QStringList linhas(LinhasPagina);
    auto poe = [&](int linha, int coluna, const QString &t) {
        if (linha < 0 || linha >= LinhasPagina)
            return;
        QString &l = linhas[linha];
        if (l.size() < coluna + t.size())
            l = l.leftJustified(coluna + int(t.size()), QLatin1Char(' '));
        l.replace(coluna, t.size(), t);
    };
    for (const ItemPagina &i : p.itens) {
        if (i.tipo == ItemPagina::Linha) {
            poe(i.linha, i.coluna, QString(i.largura, QLatin1Char('-')));
        } else if (i.tipo == ItemPagina::Texto) {
            const QString t = i.texto.left(i.largura);
            int coluna = i.coluna;
            if (i.alinhamento & kAlignRight)
                coluna += i.largura - int(t.size());
            else if (i.alinhamento & kAlignHCenter)
                coluna += (i.largura - int(t.size())) / 2;
            poe(i.linha, coluna, t);
        }
    }
    for (QString &l : linhas) {
        while (!l.isEmpty() && l.back() == QLatin1Char(' '))
            l.chop(1);
    }
    while (!linhas.isEmpty() && linhas.last().isEmpty())
        linhas.removeLast();
    return linhas.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

void RenderizadorTexto::pagina(const Pagina &p)
{
    QString t = TextoPagina(p);
    if (m_paginas > 0)
        t.prepend(QLatin1Char('\f'));
    ++m_paginas;
    const QByteArray bytes = t.toUtf8();
    if (m_saida->write(bytes) != bytes.size())
        throw std::runtime_error(("Falha ao gravar o relatório: " + m_saida->errorString()).toStdString());
}

} // namespace gdvorn
