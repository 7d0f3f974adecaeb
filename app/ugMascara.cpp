#include "app/ugMascara.h"

#include <QList>

namespace gdvorn {

namespace {

// One position of a mask: either an input position (its Qt character) or a literal.
struct Posicao {
    bool entrada = false;
    QChar qt;      // input: the Qt mask character; literal: the character shown
};

struct Partes {
    QString mascara;
    bool guardaLiterais = false;
    QChar branco = QLatin1Char('_');
};

Partes separa(const QString &declarada)
{
    // The separators are the last unescaped ";" characters; a "\;" belongs to the mask.
    QList<int> separadores;
    for (int i = 0; i < declarada.size(); ++i) {
        if (declarada[i] == QLatin1Char('\\')) {
            ++i;
            continue;
        }
        if (declarada[i] == QLatin1Char(';'))
            separadores << i;
    }
    Partes p;
    if (separadores.isEmpty()) {
        p.mascara = declarada;
        return p;
    }
    const int fimMascara = separadores.size() >= 2 ? separadores[separadores.size() - 2] : separadores.last();
    p.mascara = declarada.left(fimMascara);
    const QString resto = declarada.mid(fimMascara + 1);
    const QString literais = resto.section(QLatin1Char(';'), 0, 0);
    p.guardaLiterais = literais.trimmed() == QLatin1String("1");
    if (separadores.size() >= 2) {
        const QString branco = resto.section(QLatin1Char(';'), 1);
        if (!branco.isEmpty())
            p.branco = branco[0];
    }
    return p;
}

// The positions of a mask, with the case marks kept apart (they take no position).
QList<Posicao> posicoes(const QString &mascara, QString *qt)
{
    static const QString kEspeciais = QStringLiteral("AaNnXx90Dd#HhBb><!\\[]{};");
    QList<Posicao> lista;
    for (int i = 0; i < mascara.size(); ++i) {
        const QChar c = mascara[i];
        QChar entrada;
        switch (c.unicode()) {
        case '9': entrada = QLatin1Char('0'); break;
        case '0': entrada = QLatin1Char('9'); break;
        case 'L': entrada = QLatin1Char('A'); break;
        case 'l': entrada = QLatin1Char('a'); break;
        case 'A': entrada = QLatin1Char('N'); break;
        case 'a': entrada = QLatin1Char('n'); break;
        case 'C': entrada = QLatin1Char('X'); break;
        case 'c': entrada = QLatin1Char('x'); break;
        case '#': entrada = QLatin1Char('#'); break;
        case '>':
        case '<':
            if (qt)
                *qt += c;
            continue;
        case '!':
            continue;
        default: break;
        }
        if (!entrada.isNull()) {
            lista << Posicao{true, entrada};
            if (qt)
                *qt += entrada;
            continue;
        }
        QChar literal = c;
        if (c == QLatin1Char('\\') && i + 1 < mascara.size())
            literal = mascara[++i];
        else if (c == QLatin1Char('_'))
            literal = QLatin1Char(' ');
        lista << Posicao{false, literal};
        if (qt) {
            if (kEspeciais.contains(literal))
                *qt += QLatin1Char('\\');
            *qt += literal;
        }
    }
    return lista;
}

} // namespace

MascaraEdicao ConverteMascara(const QString &mascara)
{
    const Partes p = separa(mascara);
    MascaraEdicao m;
    posicoes(p.mascara, &m.qt);
    m.qt += QLatin1Char(';');
    m.qt += p.branco;
    m.guardaLiterais = p.guardaLiterais;
    m.branco = p.branco;
    return m;
}

QString ValorDaMascara(const QString &mascara, const QString &textoExibido)
{
    const Partes p = separa(mascara);
    const QList<Posicao> lista = posicoes(p.mascara, nullptr);
    QString valor;
    for (int i = 0; i < lista.size() && i < textoExibido.size(); ++i) {
        const QChar c = textoExibido[i];
        if (lista[i].entrada) {
            if (c != p.branco && c != QLatin1Char(' '))
                valor += c;
        } else if (p.guardaLiterais) {
            valor += c;
        }
    }
    return valor;
}

QString TextoDaMascara(const QString &mascara, const QString &valor)
{
    const Partes p = separa(mascara);
    const QList<Posicao> lista = posicoes(p.mascara, nullptr);
    QString texto;
    int j = 0;
    for (const Posicao &pos : lista) {
        if (!pos.entrada) {
            if (p.guardaLiterais && j < valor.size() && valor[j] == pos.qt)
                ++j;
            texto += pos.qt;
            continue;
        }
        texto += j < valor.size() ? valor[j++] : p.branco;
    }
    return texto;
}

} // namespace gdvorn
