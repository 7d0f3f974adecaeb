#pragma once
// Rules of the leaves of an employment link: up to three leaves, each a reason ("10" to "70", "00" none)
// with a start and an end date (DDMM in the base year, "0000" none), and the total days of leave.
// Conventions of the library in ugRegras.h.

#include <QString>

namespace gdvorn {

// "3629": a reason other than "00", "10", "20" ... "70"; an empty reason gives "0040".
QString CriticaMotivoAfastamento(const QString &motivo);
// Leaves are filled in order: "3749" a third without the first and the second, "3748" a second without
// the first.
QString CriticaMotivosAfastamento(const QString &motivo1, const QString &motivo2, const QString &motivo3);
// "3630": a DDMM that is no day of `ano` (the base year); "0000" (no date) is accepted.
QString CriticaDataAfastamentoValida(const QString &data, const QString &ano);
// A leave with a reason has its dates: "3638" no start (inicio), "3643" no end; "3646" a date without a
// reason.
QString CriticaDataAfastamento(const QString &data, const QString &motivo, bool inicio);
// "3633": a leave that ends before it starts.
QString CriticaAfastamentoFim(const QString &inicio, const QString &fim);
// "3632": a leave before the admission, for an admission in `ano`.
QString CriticaAfastamentoPeriodo(const QString &data, const QString &admissao, const QString &ano);
// "3631": a leave after the dismissal. The year is not used.
QString CriticaAfastamentoInicio(const QString &data, const QString &desligamento, const QString &ano);
// "3644": leaves declared without their total days.
QString CriticaDiasAfastamento(const QString &motivo1, const QString &motivo2, const QString &motivo3,
                               const QString &dias);
// The total days (3 digits): "3640" 366 or more, "3753" days without a first leave.
QString CriticaDiasAfastamentoMotivo(const QString &dias, const QString &motivo1);

} // namespace gdvorn
