#pragma once
// Rules of the end of an employment link: the dismissal cause and date (DDMM in the year the caller
// passes), their combination, the dismissal against the admission, the establishment's closure and
// legal nature, and the notice pay. Conventions of the library in ugRegras.h.

#include <QString>

namespace gdvorn {

// "0280" empty or not in the dismissal-cause table; a one-digit cause gives "3648". Zeros: no cause.
QString CriticaCausaDesligamento(const QString &causa);
// "0292": an empty date, or a DDMM that is no day of `ano`. "0000" (no dismissal) is accepted.
QString CriticaDataDesligamentoValida(const QString &data, const QString &ano);
// Causes 71, 78 and 80 have no date ("3512"); any other cause needs one ("0291"); a date needs a cause
// ("0293").
QString CriticaDataDesligamentoCausa(const QString &data, const QString &causa);
// "0290": dismissed before the admission's day and month, for an admission in `ano`.
QString CriticaDesligamentoAntesAdmissao(const QString &desligamento, const QString &admissao,
                                         const QString &ano);
// "3603": dismissed after the establishment's closure in `ano`.
QString CriticaDesligamentoEncerramento(const QString &desligamento, const QString &encerramento,
                                        const QString &ano);
// "0281": a link without cause in an establishment closed ("1") in the base year.
QString CriticaCausaEncerramento(const QString &encerramento, const QString &anoDeclaracao, const QString &causa,
                                 const QString &anoBase);
// "3774": causes 32 and 33 for a legal nature above 2038 that is neither public administration
// (beginning with "1") nor 2011 or 2038. Not trimmed; a nature that is not all digits is not judged.
QString CriticaCausaNatureza(const QString &causa, const QString &natureza);
// The notice pay's format (9 digits): "0335" empty.
QString CriticaAvisoPrevioNum(const QString &valor);
// "0335": a notice pay with a cause other than 11 and 21.
QString CriticaAvisoPrevio(const QString &valor, const QString &causa);

} // namespace gdvorn
