#pragma once
// Rules of the termination payments of a link dismissed in the base year: holidays, fines, time bank,
// collective agreement and bonuses (cents, 8 digits), the last three with the months they cover
// (2 digits). Conventions of the library in ugRegras.h. An amount is absent when it is empty, zeros or
// "0,00"; a month count when it is empty or zeros.

#include <QString>

namespace gdvorn {

// "3648": an amount that is not 8 digits (an empty one included).
QString CriticaValorVerba(const QString &valor);
// "3648": a month count that is not 2 digits.
QString CriticaMesesCompetencia(const QString &meses);
// "3675": an amount without a dismissal cause (empty or "00").
QString CriticaValorVerbaRescisoria(const QString &causa, const QString &valor);
// Amount and months together: "3680" an amount without months; months without an amount "3681" (time
// bank), "3682" (agreement), "3683" (bonuses).
QString CriticaBancoHoras(const QString &valor, const QString &meses);
QString CriticaDissidio(const QString &valor, const QString &meses);
QString CriticaGratificacoes(const QString &valor, const QString &meses);
// "3758": a dismissal without any termination amount (a warning).
QString CriticaVerbasDesligamento(const QString &ferias, const QString &multas, const QString &bancoHoras,
                                  const QString &gratificacoes, const QString &dissidio);

} // namespace gdvorn
