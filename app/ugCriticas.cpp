#include "app/ugCriticas.h"

#include <optional>

namespace gdvorn {

namespace {

constexpr qint64 kSalarioMinimo = 51000;               // cents
constexpr qint64 kLimiteRemuneracao = 150 * kSalarioMinimo;

bool ehDigito(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

// Exactly `tamanho` characters, every one a digit.
bool soDigitos(QStringView s, qsizetype tamanho)
{
    if (s.size() != tamanho)
        return false;
    for (QChar c : s)
        if (!ehDigito(c))
            return false;
    return true;
}

// Sum of digit x weight over `digitos`, the weights running 2, 3 ... pesoMaximo from the rightmost digit
// leftwards and starting again at 2.
int somaPonderada(QStringView digitos, int pesoMaximo)
{
    int soma = 0;
    int peso = 2;
    for (qsizetype i = digitos.size() - 1; i >= 0; --i) {
        soma += ValorDigito(digitos[i]) * peso;
        peso = peso < pesoMaximo ? peso + 1 : 2;
    }
    return soma;
}

QChar digitoModulo11(int soma)
{
    const int resto = soma % 11;
    return QChar(u'0' + (resto < 2 ? 0 : 11 - resto));
}

// The digit at index `tamanho` is the modulus-11 digit of the weighted sum of the digits before it.
bool digitoCerto(QStringView s, int tamanho, int pesoMaximo)
{
    return s[tamanho] == digitoModulo11(somaPonderada(s.left(tamanho), pesoMaximo));
}

// The amount in cents; nullopt when the text is not a whole number.
std::optional<qint64> centavos(const QString &valor)
{
    bool ok = false;
    const qint64 v = QStringView(valor).trimmed().toLongLong(&ok);
    return ok ? std::optional<qint64>(v) : std::nullopt;
}

QString criticaNumerica(const QString &valor, const QString &tamanho, const char *codigoCurto)
{
    const QStringView v = QStringView(valor).trimmed();
    if (v.isEmpty() || !soDigitos(v, v.size()))
        return QStringLiteral("0040");
    bool ok = false;
    int n = QStringView(tamanho).trimmed().toInt(&ok);
    if (!ok)
        n = 0;
    if (v.size() > n)
        return QStringLiteral("X");
    if (v.size() < n)
        return QString::fromLatin1(codigoCurto);
    return QStringLiteral("0000");
}

} // namespace

int ValorDigito(QChar c)
{
    return c.unicode() - u'0';
}

bool EhNumerico(const QString &s)
{
    const QStringView t = QStringView(s).trimmed();
    return !t.isEmpty() && soDigitos(t, t.size());
}

bool SoLetras(const QString &s)
{
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (!((u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z')))
            return false;
    }
    return true;
}

bool TextoImprimivel(const QString &s)
{
    for (QChar c : s) {
        const char16_t u = c.unicode();
        if (u < u' ' || u > u'~' || u == u'"' || u == u'\'')
            return false;
    }
    return true;
}

bool NaoRepetido(const QString &s)
{
    if (s.isEmpty())
        return false;
    if (SoZeros(s))
        return true;
    for (QChar c : s)
        if (c != s[0])
            return true;
    return false;
}

bool SemCaracterRepetido(const QString &s)
{
    if (QStringView(s).trimmed().size() <= 3)
        return true;
    for (qsizetype i = 0; i + 3 < s.size(); ++i) {
        const QChar c = s[i];
        if (c != QLatin1Char(' ') && s[i + 1] == c && s[i + 2] == c && s[i + 3] == c)
            return false;
    }
    return true;
}

int ContaPalavras(const QString &s)
{
    const QStringView t = QStringView(s).trimmed();
    if (t.isEmpty())
        return 0;
    int palavras = 1;
    for (qsizetype i = 1; i < t.size(); ++i)
        if (t[i] == QLatin1Char(' ') && t[i - 1] != QLatin1Char(' '))
            ++palavras;
    return palavras;
}

bool AbaixoSalarioMinimo(const QString &valor, const QString &)
{
    const auto v = centavos(valor);
    return v && AbaixoSalarioMinimoCentavos(*v);
}

bool AcimaLimiteRemuneracao(const QString &valor, const QString &)
{
    const auto v = centavos(valor);
    return v && AcimaLimiteRemuneracaoCentavos(*v);
}

bool AbaixoSalarioMinimoCentavos(qint64 centavos) { return centavos < kSalarioMinimo; }

bool AcimaLimiteRemuneracaoCentavos(qint64 centavos) { return centavos >= kLimiteRemuneracao; }

bool ValidaCPF(QStringView s)
{
    return soDigitos(s, 11) && digitoCerto(s, 9, 11) && digitoCerto(s, 10, 11);
}

bool ValidaCNPJ(QStringView s)
{
    return soDigitos(s, 14) && s.mid(8, 4) != u"0000" && digitoCerto(s, 12, 9)
           && digitoCerto(s, 13, 9);
}

bool CnpjValido(QStringView s)
{
    return ValidaCNPJ(s);
}

bool ValidaCEI(QStringView s)
{
    if (!soDigitos(s, 14) || !s.startsWith(u"00") || s.mid(2, 4) == u"0000")
        return false;
    static constexpr int pesos[11] = {7, 4, 1, 8, 5, 2, 1, 6, 3, 7, 4};
    int soma = 0;
    for (int i = 0; i < 11; ++i)
        soma += ValorDigito(s[2 + i]) * pesos[i];
    soma %= 100;
    const int n = (soma / 10 + soma % 10) % 10;
    return s[13] == QChar(u'0' + (10 - n) % 10);
}

bool ValidaPisPasep(QStringView s)
{
    if (!soDigitos(s, 11) || (s[0] != u'1' && s[0] != u'2'))
        return false;
    if (s == u"12345678900" || s == u"10987654321" || s == u"10000000008")
        return false;
    return digitoCerto(s, 10, 9);
}

QString CriticaNumerico(const QString &valor, const QString &tamanho)
{
    return criticaNumerica(valor, tamanho, "0040");
}

QString CriticaNumericoTamanho(const QString &valor, const QString &tamanho)
{
    return criticaNumerica(valor, tamanho, "3648");
}

QString CriticaDigitos(const QString &valor)
{
    return EhNumerico(valor) ? QStringLiteral("0000") : QStringLiteral("0030");
}

QString CriticaTexto(const QString &valor)
{
    const QString v = TextoAparado(valor);
    if (!TextoImprimivel(v))
        return QStringLiteral("0020");
    return v.size() > 2 ? QStringLiteral("0000") : QStringLiteral("0010");
}

} // namespace gdvorn
