#pragma once
// Meal-programme (PAT) rules: the participation indicator, the two worker counts and the six modality
// percentages. Conventions of the library in ugRegras.h.

#include <QString>

namespace gdvorn {

// The indicator: "1" takes part, "2" does not ("3608" empty, "3602" other).
QString CriticaParticipaPAT(const QString &indicador);
// One worker count: empty, or six digits.
QString CriticaQtdPATNumerica(const QString &quantidade);
// One modality percentage: empty, or three digits up to 100 ("3521").
QString CriticaPercentualPAT(const QString &percentual);
// Counts of an establishment that does not take part ("3525" indicator "2" with workers).
QString CriticaQtdPAT(const QString &indicador, const QString &quantidade1, const QString &quantidade2);
// Percentages of an establishment that does not take part ("3526" any indicator but "1" with a sum).
QString CriticaPercentuaisPAT(const QString &indicador, const QString &p1, const QString &p2, const QString &p3,
                              const QString &p4, const QString &p5, const QString &p6);

} // namespace gdvorn
