#pragma once
// The field-rules library: one routine per field rule of the declaration, each judging one value (with
// the few related values it needs) and returning a four-character message code, "0000" for a value that
// is acceptable. The entry forms show the code with MostraMensagem; the consistency analysis records it
// as a finding. Every unit of rules (ugRegrasInscricao, and the units that follow it) keeps this style:
//
//  - A rule is a free function of namespace gdvorn named after the rule (CriticaPrefixo), taking its
//    inputs as text in the order the rule lists them, plus a flag or an integer where it needs one.
//  - It keeps no state, shows nothing, moves no focus and throws nothing for the values its callers pass.
//  - Text inputs are trimmed before any test unless the rule says otherwise; empty means empty after
//    trimming; "zeros" means non-empty and all "0" (SoZeros). An optional value that is empty or zeros
//    counts as not informed.
//  - The tests run in a fixed order and the first one that decides ends the rule, with its code or with
//    an early "0000"; a case that no test covers gives "0000" (CodigoValido).
//  - A value becomes a number only after a digits test has passed.
//  - The result is always a four-character code. The generic checks of ugCriticas are called through
//    CriticaNumericoCampo / CriticaNumericoTamanhoCampo, which give "0040" where the generic check would
//    say "X" (a number longer than its field), so that no rule hands "X" to a box or a finding.
//  - The base year and the code tables come from contextoRegras() (ContextoRegras.h), never from a form.
//    A code-table search leaves the table on the row found.

#include "app/ugCriticas.h"

#include <QDate>
#include <QString>
#include <QStringView>

#include <initializer_list>

namespace gdvorn {

inline const QString CodigoValido = QStringLiteral("0000");

// The result of a generic check as a message code: "X" becomes "0040"; any other code is kept.
QString CodigoDaCritica(const QString &codigo);

// CriticaNumerico and CriticaNumericoTamanho of ugCriticas for a field of `tamanho` characters, with
// "0040" in place of "X".
QString CriticaNumericoCampo(QStringView valor, int tamanho);
QString CriticaNumericoTamanhoCampo(QStringView valor, int tamanho);

// The text without the blanks around it, as QString::trimmed cuts them; a text with none (as stored
// values are) is handed back as it is without a call into the library.
inline QStringView VistaAparada(QStringView s)
{
    if (s.isEmpty() || (!s.front().isSpace() && !s.back().isSpace()))
        return s;
    return s.trimmed();
}

// Every character of the text, as it stands (not trimmed), is "0".."9", and there is at least one. The
// rules whose callers pass values untrimmed test with this before a text becomes a number.
inline bool SoDigitos(QStringView s)
{
    if (s.isEmpty())
        return false;
    const char16_t *c = s.utf16();
    for (qsizetype i = 0; i < s.size(); ++i)
        if (char16_t(c[i] - u'0') > 9)
            return false;
    return true;
}
// The value of a text that passes SoDigitos, in 64 bits (amounts in cents); 0 for any other text, so
// that a value that is not all digits never becomes a number.
inline qint64 ValorDigitos(QStringView s)
{
    // Eighteen digits still fit in 64 bits; a longer text of digits is cut to its last eighteen, far
    // beyond any field of the declaration.
    const char16_t *c = s.utf16();
    const qsizetype n = s.size();
    const qsizetype inicio = n > 18 ? n - 18 : 0;
    for (qsizetype i = 0; i < inicio; ++i)
        if (char16_t(c[i] - u'0') > 9)
            return 0;
    qint64 valor = 0;
    for (qsizetype i = inicio; i < n; ++i) {
        const unsigned digito = char16_t(c[i] - u'0');
        if (digito > 9)
            return 0;
        valor = valor * 10 + digito;
    }
    return valor;
}

// The value is one of the codes (link types, causes, levels ...).
bool UmDosCodigos(qint64 valor, std::initializer_list<qint64> codigos);

// An optional value that is informed: not empty after trimming and not all "0".
bool ValorInformado(QStringView s);

// The dates of the rules. A stored date is digit text: DDMMYYYY for birth, admission and closure, DDMM
// for dismissals and leaves (their year is the base year or the year the caller passes). Every rule
// that does arithmetic on dates, or compares them, goes through these routines and through nothing
// program-wide (no locale, no short date format).
//
// DDMMYYYY as a calendar date: only a text that passes DataValida (eight digits forming a real date)
// gives a valid QDate; any other text gives a null one.
QDate DataCalendario(const QString &data);
// The same date as a number, for the checks of every link: YYYYMMDD when the text is eight digits
// forming a real date, else 0; two such numbers compare as their dates do.
int DataNumero(QStringView data);
// A DDMM date completed with `ano`: a valid QDate only when the four characters are digits and form a
// real date of that year (so "3102" is no date, and "2902" only in a leap year).
QDate DataDiaMes(const QString &diaMes, int ano);
// A DDMM date (dismissal, leave) that is a day of the year `ano`, given as four digits.
bool DiaMesValido(const QString &diaMes, const QString &ano);
// DDMMYYYY rearranged as YYYYMMDD, which compares as text or as a number in calendar order.
QString DataAnoMesDia(const QString &data);
// Two DDMM values compared month first, then day, each as a two-digit text: negative when `a` comes
// before `b`, zero when they are the same day, positive after.
int ComparaDiaMes(QStringView a, QStringView b);
// The date `anos` years later, counted as 12 × anos months with the day clipped to the length of the
// month reached: 29/02/1996 plus 14 years is 28/02/2010.
QDate SomaAnos(const QDate &data, int anos);
// SomaAnos on a date of DataNumero (29 February becomes 28 in a common year).
int SomaAnosNumero(int data, int anos);

} // namespace gdvorn
