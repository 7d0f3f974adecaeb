#pragma once
// General checks that the field rules and the entry forms build on: the check digits of CPF, CNPJ, CEI
// and PIS/PASEP, the code-returning checks of numeric and free text, plausibility tests on names and
// numbers, and the pay limits of the base year. No state, no tables, no boxes.
//
// Inputs are texts as stored: digits without separators. A check-digit test of a text of the wrong
// length or holding anything but digits is simply false.

#include <QString>

namespace gdvorn {

// The value of a digit character: its code minus the code of "0" (not validated).
int ValorDigito(QChar c);

// The text without the blanks around it, as QString::trimmed cuts them; a text with none (as stored values
// are) is handed back as it is, without a call into the library.
inline QString TextoAparado(const QString &s)
{
    if (s.isEmpty() || (!s.front().isSpace() && !s.back().isSpace()))
        return s;
    return s.trimmed();
}

// The trimmed text is not empty and every character is "0".."9".
bool EhNumerico(const QString &s);
// The text is not empty and every character is "0".
inline bool SoZeros(QStringView s)
{
    if (s.isEmpty())
        return false;
    for (const QChar c : s)
        if (c != u'0')
            return false;
    return true;
}
// Every character is "A".."Z" or "a".."z" (true for an empty text).
bool SoLetras(const QString &s);
// Every character is between " " and "~" and none is a double quote or an apostrophe (true when empty).
bool TextoImprimivel(const QString &s);
// The text is all zeros, or some character differs from the first one; false for an empty text and for a
// text that repeats one character other than "0".
bool NaoRepetido(const QString &s);
// No four equal consecutive characters other than the blank; a text of 3 characters or fewer (trimmed) is
// not looked at. Callers pass trimmed text.
bool SemCaracterRepetido(const QString &s);

// Number of words of the trimmed text (runs of blanks count as one separator).
int ContaPalavras(const QString &s);

// Amount in cents below the base year's minimum wage (51000). The second argument is not used.
// A text that is not a whole number is neither below nor above the limits.
bool AbaixoSalarioMinimo(const QString &valor, const QString &naoUsado = QString());
// Amount in cents of at least 150 minimum wages (7650000). The second argument is not used.
bool AcimaLimiteRemuneracao(const QString &valor, const QString &naoUsado = QString());
// The same two limits for an amount already in cents.
bool AbaixoSalarioMinimoCentavos(qint64 centavos);
bool AcimaLimiteRemuneracaoCentavos(qint64 centavos);

// Check digits: exactly the number's count of digits, digits only.
bool ValidaCPF(QStringView s);         // 11 digits
bool ValidaCNPJ(QStringView s);        // 14 digits, branch (digits 9-12) not "0000"
bool CnpjValido(QStringView s);        // as ValidaCNPJ
bool ValidaCEI(QStringView s);         // 14 characters: "00" + 12 digits, digits 3-6 not "0000"
bool ValidaPisPasep(QStringView s);    // 11 digits starting with "1" or "2", not one of the refused numbers

// Code-returning checks. `tamanho` is the field width as text ("0" when it is not a number).
// Trimmed value: not numeric -> "0040"; longer than tamanho -> "X"; shorter -> "0040"; else "0000".
QString CriticaNumerico(const QString &valor, const QString &tamanho);
// As CriticaNumerico, but shorter -> "3648".
QString CriticaNumericoTamanho(const QString &valor, const QString &tamanho);
// Trimmed value numeric -> "0000", else (also when empty) "0030".
QString CriticaDigitos(const QString &valor);
// Trimmed value: not printable -> "0020"; more than 2 characters -> "0000"; else "0010".
QString CriticaTexto(const QString &valor);

} // namespace gdvorn
