#pragma once
// Rules of the 13th salary of an employment link: an advance and a final instalment, each a month
// ("01" to "12", "00" not paid; the final instalment also "99", a payment tied to no month) and a value
// in cents. Conventions of the library in ugRegras.h.

#include <QString>

namespace gdvorn {

// "0322": a month other than zeros and 1 to 12 (an empty one included).
QString CriticaFormatoMes13Adiantamento(const QString &mes);
// "0322": a month other than zeros, 1 to 12 and 99.
QString CriticaFormatoMes13Final(const QString &mes);
// The values' format (9 digits): "0333" (advance) and "0334" (final instalment) empty.
QString CriticaValor13AdiantamentoNum(const QString &valor);
QString CriticaValor13FinalNum(const QString &valor);
// Month and value together: "0324"/"0325" a value without a month, "0330"/"0331" a month without a
// value, "0332" a value at the upper limit or above (a warning).
QString CriticaValor13Adiantamento(const QString &mes, const QString &valor);
QString CriticaValor13Final(const QString &mes, const QString &valor);
// "0323": a final instalment not after the advance; "0326": a final instalment "99" with an advance.
QString CriticaMes13Final(const QString &mesAdiantamento, const QString &mesFinal);
// "0320": paid before the admission month, for an admission in `ano` (the consistency analysis's form,
// values trimmed).
QString CriticaMes13(const QString &mes, const QString &admissao, const QString &ano);
// The same rule as the link form calls it (not trimmed).
QString CriticaMes13Entrada(const QString &mes, const QString &admissao, const QString &ano);
// "0321": an advance paid after the dismissal month.
QString CriticaMes13Adiantamento(const QString &mes, const QString &desligamento);
// "0321": a final instalment paid after the dismissal month; "99" is never after it.
QString CriticaMes13FinalAposDesligamento(const QString &mes, const QString &desligamento);

} // namespace gdvorn
