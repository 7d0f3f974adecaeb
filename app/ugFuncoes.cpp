#include "app/ugFuncoes.h"

#include "app/ugCriticas.h"

#include <QDate>
#include <QRegularExpression>

#include <algorithm>

namespace gdvorn {

namespace {

// Blanks in front of a formatted amount by its length, for the lengths 4, 5, 6, 8, 9, 10 and 12;
// other lengths get none.
struct Alinhamento {
    int brancos[7];
};
constexpr int kComprimentos[7] = {4, 5, 6, 8, 9, 10, 12};
constexpr Alinhamento kColunaValor{{14, 12, 11, 7, 5, 3, 0}};
constexpr Alinhamento kColunaGrande{{8, 7, 6, 4, 3, 2, 0}};

QString alinha(const QString &formatado, const Alinhamento &coluna)
{
    for (int i = 0; i < 7; ++i)
        if (formatado.size() == kComprimentos[i])
            return Brancos(coluna.brancos[i]) + formatado;
    return formatado;
}

// The amount of `texto` ("," as decimal separator, no thousands separators) as "#,##0.00" with "."
// between thousands and "," before the cents, rounded half away from zero; empty when the text is not
// an amount. An amount is digits with at most one ",", and a "-" in front; it is read as written, digit
// by digit, so that no exponent, infinity or digit beyond a double's precision gets in.
QString formataMoeda(const QString &texto)
{
    static const QRegularExpression valor(QStringLiteral("^(-?)(\\d*)(?:,(\\d*))?$"));
    const auto m = valor.match(texto);
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(3).isEmpty()))
        return QString();
    const bool negativo = !m.captured(1).isEmpty();
    QString fracao = m.captured(3) + QLatin1String("000");
    QString digitos = m.captured(2) + fracao.left(2);
    if (fracao.at(2) >= QLatin1Char('5')) {
        // Half a cent or more: one cent up, carrying through the digits.
        qsizetype i = digitos.size() - 1;
        for (; i >= 0 && digitos[i] == QLatin1Char('9'); --i)
            digitos[i] = QLatin1Char('0');
        if (i < 0)
            digitos.prepend(QLatin1Char('1'));
        else
            digitos[i] = QChar(digitos[i].unicode() + 1);
    }
    while (digitos.size() > 3 && digitos.startsWith(QLatin1Char('0')))
        digitos.remove(0, 1);
    digitos = digitos.rightJustified(3, QLatin1Char('0'));
    const bool zero = std::all_of(digitos.cbegin(), digitos.cend(), [](QChar c) { return c == QLatin1Char('0'); });
    digitos.insert(digitos.size() - 2, QLatin1Char(','));
    for (qsizetype i = digitos.size() - 6; i > 0; i -= 3)
        digitos.insert(i, QLatin1Char('.'));
    if (negativo && !zero)
        digitos.prepend(QLatin1Char('-'));
    return digitos;
}

QString formataValorAlinhado(const QString &s, const Alinhamento &coluna)
{
    const QString formatado = formataMoeda(RetiraPontos(s));
    return formatado.isEmpty() ? QStringLiteral("Erro") : alinha(formatado, coluna);
}

// A stored cents value: its first `unidades` digits are the units, the next two the cents.
QString formataValorArmazenado(const QString &s, int unidades)
{
    const QString t = s.trimmed();
    if (!EhNumerico(t))
        return t;
    // A longer value is shown whole, never cut into another amount: its last two digits are the cents.
    if (t.size() > unidades + 2)
        unidades = int(t.size()) - 2;
    return FormataValor(t.left(unidades) + QLatin1Char(',') + t.mid(unidades, 2));
}

QString formataInscricao(const QString &s, const QString &tipo, bool aceitaCPF)
{
    QString inscricao = s;
    const QString tipoAparado = tipo.trimmed();
    if (tipoAparado == QLatin1String("3") && inscricao.size() == 12)
        inscricao.prepend(QLatin1String("00"));
    else if (aceitaCPF && tipoAparado == QLatin1String("4") && inscricao.size() == 11)
        inscricao.prepend(QLatin1String("000"));

    if (tipo == QLatin1String("1"))
        return inscricao.mid(0, 2) + QLatin1Char('.') + inscricao.mid(2, 3) + QLatin1Char('.')
               + inscricao.mid(5, 3) + QLatin1Char('/') + inscricao.mid(8, 4) + QLatin1Char('-')
               + inscricao.mid(12, 2);
    if (tipo == QLatin1String("3"))
        return inscricao.mid(2, 5) + QLatin1Char('.') + inscricao.mid(7, 5) + QLatin1Char('-')
               + inscricao.mid(12, 2);
    if (aceitaCPF && tipo == QLatin1String("4"))
        return inscricao.mid(3, 3) + QLatin1Char('.') + inscricao.mid(6, 3) + QLatin1Char('.')
               + inscricao.mid(9, 3) + QLatin1Char('-') + inscricao.mid(12, 2);
    return inscricao;
}

bool caractereDeEmail(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z') || u == u'-'
           || u == u'.' || u == u'_' || u == u'@';
}

} // namespace

QString Brancos(int n)
{
    return QString(std::max(n, 0), QLatin1Char(' '));
}

QString Zeros(int n)
{
    return QString(std::max(n, 0), QLatin1Char('0'));
}

QString GeraZeros(int n)
{
    return Zeros(n);
}

QString CompletaBrancos(const QString &s, int n)
{
    n = std::max(n, 0);
    return s.leftJustified(n, QLatin1Char(' '), true);
}

QString PreencheBrancos(const QString &s, int n)
{
    return CompletaBrancos(s, n);
}

QString CompletaZeros(const QString &s, int n)
{
    n = std::max(n, 0);
    return (Zeros(n - int(s.size())) + s).left(n);
}

QString RetiraPontos(const QString &s)
{
    return s.trimmed().remove(QLatin1Char('.'));
}

QString TiraMascara(const QString &s)
{
    QString t = s;
    t.remove(QLatin1Char('.')).remove(QLatin1Char('/')).remove(QLatin1Char('-'));
    return t;
}

QString AparaBrancos(const QString &s)
{
    qsizetype inicio = 0;
    qsizetype fim = s.size();
    while (inicio < fim && s[inicio] == QLatin1Char(' '))
        ++inicio;
    while (fim > inicio && s[fim - 1] == QLatin1Char(' '))
        --fim;
    return s.mid(inicio, fim - inicio);
}

QString RetiraZerosEsquerda(const QString &s)
{
    qsizetype i = 0;
    while (i < s.size() && s[i] == QLatin1Char('0'))
        ++i;
    return s.mid(i);
}

QString SubstituiTexto(const QString &texto, const QString &antigo, const QString &novo)
{
    const qsizetype posicao = antigo.isEmpty() ? -1 : texto.indexOf(antigo);
    if (posicao < 0)
        return texto;
    return QString(texto).replace(posicao, antigo.size(), novo);
}

int Maior(int a, int b)
{
    return std::max(a, b);
}

int StrToIntSeguro(const QString &s)
{
    bool ok = false;
    const int valor = s.toInt(&ok);
    return ok ? valor : 0;
}

QString FormataData(const QString &s)
{
    return s.mid(0, 2) + QLatin1Char('/') + s.mid(2, 2) + QLatin1Char('/') + s.mid(4, 4);
}

QString FormataPisPasep(const QString &s)
{
    return s.mid(0, 3) + QLatin1Char('.') + s.mid(3, 5) + QLatin1Char('.') + s.mid(8, 2) + QLatin1Char('.')
           + s.mid(10, 1);
}

QString FormataInscricao(const QString &s, const QString &tipo)
{
    return formataInscricao(s, tipo, false);
}

QString FormataInscricaoCPF(const QString &s, const QString &tipo)
{
    return formataInscricao(s, tipo, true);
}

QString FormataTelefone(const QString &s)
{
    QString telefone = RetiraZerosEsquerda(s);
    if (telefone.size() >= 5)
        telefone.insert(telefone.size() - 4, QLatin1Char('-'));
    return telefone;
}

QString NomeMes(const QString &s)
{
    static const char *const nomes[12] = {"Janeiro", "Fevereiro", "Março",    "Abril",   "Maio",     "Junho",
                                          "Julho",   "Agosto",    "Setembro", "Outubro", "Novembro", "Dezembro"};
    bool ok = false;
    const int mes = s.trimmed().toInt(&ok);
    if (!ok)
        return QString();
    if (mes >= 1 && mes <= 12)
        return QString::fromUtf8(nomes[mes - 1]);
    if (mes == 99)
        return QStringLiteral("Totalização");
    return QString();
}

QString FormataValor(const QString &s)
{
    return formataValorAlinhado(s, kColunaValor);
}

QString FormataValorGrande(const QString &s)
{
    return formataValorAlinhado(s, kColunaGrande);
}

QString FormataValor9(const QString &s)
{
    return formataValorArmazenado(s, 7);
}

QString FormataValor8(const QString &s)
{
    return formataValorArmazenado(s, 6);
}

QString FormataValorCentavos(const QString &s)
{
    const QString t = s.trimmed();
    if (t.isEmpty() || SoZeros(t))
        return FormataValor(QStringLiteral("0000000,00"));
    // Zeros in front up to 9 digits; a longer value keeps every digit.
    const QString nove = t.size() > 9 ? t : CompletaZeros(t, 9);
    return FormataValor(nove.left(nove.size() - 2) + QLatin1Char(',') + nove.right(2));
}

bool DataValida(const QString &s)
{
    // Eight digits, no blanks: a blank in a stored date is no day or month.
    if (s.size() != 8 || s.trimmed() != s || !EhNumerico(s))
        return false;
    return QDate(s.mid(4, 4).toInt(), s.mid(2, 2).toInt(), s.mid(0, 2).toInt()).isValid();
}

bool ValidaEmail(const QString &s)
{
    if (!std::all_of(s.begin(), s.end(), caractereDeEmail))
        return false;
    if (s.startsWith(QLatin1Char('.')) || s.startsWith(QLatin1Char('_')) || s.startsWith(QLatin1Char('-'))
        || s.endsWith(QLatin1Char('.')) || s.endsWith(QLatin1Char('@')))
        return false;

    const qsizetype arroba = s.indexOf(QLatin1Char('@'));
    if (arroba <= 0)
        return false;
    const QString local = s.left(arroba);
    const QString dominio = s.mid(arroba + 1);
    const QChar antes = local.back();
    if (local.contains(QLatin1String("..")) || antes == QLatin1Char('.') || antes == QLatin1Char('_')
        || antes == QLatin1Char('-'))
        return false;
    if (dominio.startsWith(QLatin1Char('_')) || dominio.startsWith(QLatin1Char('-')))
        return false;

    const qsizetype ponto = dominio.indexOf(QLatin1Char('.'));
    if (ponto <= 0 || dominio.contains(QLatin1String("..")) || dominio.contains(QLatin1Char('@')))
        return false;
    const QString aposPonto = dominio.mid(ponto + 1);
    return !aposPonto.contains(QLatin1Char('_')) && !aposPonto.contains(QLatin1Char('-'));
}

QString DobraAcentos(const QString &texto)
{
    const QString decomposto = texto.normalized(QString::NormalizationForm_D);
    QString dobrado;
    dobrado.reserve(decomposto.size());
    for (QChar c : decomposto)
        if (c.category() != QChar::Mark_NonSpacing)
            dobrado += c;
    return dobrado.toUpper();
}

} // namespace gdvorn
