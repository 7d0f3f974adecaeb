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

#include <QString>

namespace gdvorn {

inline const QString CodigoValido = QStringLiteral("0000");

// The result of a generic check as a message code: "X" becomes "0040"; any other code is kept.
QString CodigoDaCritica(const QString &codigo);

// CriticaNumerico and CriticaNumericoTamanho of ugCriticas for a field of `tamanho` characters, with
// "0040" in place of "X".
QString CriticaNumericoCampo(const QString &valor, int tamanho);
QString CriticaNumericoTamanhoCampo(const QString &valor, int tamanho);

} // namespace gdvorn
