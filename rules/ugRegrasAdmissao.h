#pragma once
// Rules of the admission of an employment link: the admission date on its own and against the base
// year, the establishment's closure and the employee's arrival; the minimum age at admission and the
// minors' bands that decide between a work permit and the apprentice link type "55"; the admission
// type on its own and against the legal nature. Conventions of the library in ugRegras.h.
//
// The age rules read their dates with DataNumero and count years with SomaAnosNumero (ugRegras.h), so
// a birthday is the same day and month n years later, 29 February becoming 28 February in a common year.

#include <QString>
#include <QStringView>

namespace gdvorn {

// "0392" empty or zeros, "0390" no date or a year of 1910 or earlier.
QString CriticaDataAdmissao(const QString &data);
// "0391": admitted after `ano` (the base year).
QString CriticaAdmissaoAnoBase(const QString &admissao, const QString &ano);
// "0394": admitted after the establishment's closure date.
QString CriticaAdmissaoEncerramento(const QString &encerramento, const QString &admissao);
// "0194": a foreigner admitted before the year of arrival.
QString CriticaAdmissaoChegada(const QString &chegada, const QString &admissao, const QString &nacionalidade);
// The minimum age at admission. Admitted after 2007: "0173" under 10, "0171" under 14 when admitted in
// the base year (a warning). Admitted in 2007 or earlier: "0169" under 9.
QString CriticaIdadeMinimaAdmissao(const QString &nascimento, const QString &admissao);
// A minor (under 16 at an admission in the base year; 15 or less in the base year otherwise) is admitted
// either as an apprentice ("55") or with a work permit ("1"): "3133" neither, "3531" both, and "3531"
// for an adult with a work permit.
QString CriticaIdadeAdmissao(const QString &alvara, const QString &nascimento, const QString &vinculo,
                             const QString &admissao);
// "1" or "2", else "0001".
QString CriticaIndicadorAlvara(const QString &indicador);
// "0221" empty or zeros, "0220" not in the admission-type table.
QString CriticaTipoAdmissao(const QString &tipo);
// "3779": admission types 6 to 9 for a legal nature above 2038. Not trimmed; values that are not all
// digits are not judged.
QString CriticaTipoAdmissaoNatureza(const QString &tipo, const QString &natureza);

} // namespace gdvorn
