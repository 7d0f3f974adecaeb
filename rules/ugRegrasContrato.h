#pragma once
// Rules of the contract of an employment link: the occupation (CBO) on its own and against the
// education level, the link type on its own and against the establishment's inscription type, CNAE and
// legal nature and the employee's PIS, the apprentice's age, and the contractual weekly hours.
// Conventions of the library in ugRegras.h. Link type "55" is the apprentice.

#include <QString>

namespace gdvorn {

// The CBO: a refused occupation gives its own code ("3645", "3747", "3770"); "0261" empty or zeros,
// "0260" not in the occupation table, "0030" not of six characters.
QString CriticaCbo(const QString &cbo);
// The occupation's flags against the education level: "3501" an occupation that needs higher education
// (InCriticaCbo), "3635" one that an illiterate employee may not hold (InCriticaAna). An occupation
// absent from the table has neither flag.
QString CriticaCboInstrucao(const QString &instrucao, const QString &cbo);
// The same in two steps, for a caller that keeps each CBO's answer: BandeirasCbo searches the table once
// for the CBO and gives its two flags as "0"/"1" characters (InCriticaCbo, InCriticaAna), empty for a
// CBO that is not judged (not digits, zeros, absent); CriticaCboInstrucaoBandeiras judges the level
// against them. CriticaCboInstrucao is the one followed by the other.
QString BandeirasCbo(const QString &cbo);
QString CriticaCboInstrucaoBandeiras(const QString &instrucao, const QString &bandeiras);
// "0273" empty or zeros, "0270" not in the link-type table.
QString CriticaCodigoVinculo(const QString &vinculo);
// "0271": a link type that the establishment's inscription type ("1" CNPJ, "3" CEI) does not accept.
QString CriticaTipoVinculo(const QString &vinculo, const QString &tipo);
// "3507": public administration by CNAE (beginning with "84") with a link type outside 30, 31, 35, 96, 97.
QString CriticaVinculoTipos1(const QString &vinculo, const QString &cnae);
// "3519": the same by legal nature (beginning with "1").
QString CriticaVinculoTipos2(const QString &vinculo, const QString &natureza);
// "0272": a PIS of the series 109-119, 167, 168, 267, 268 declared with a link type other than 35 or 80.
QString CriticaVinculoSeriePis(const QString &vinculo, const QString &pis);
// "3502": an apprentice without disability outside the ages 14 to 24 in the base year, or, admitted in
// the base year, admitted before the 14th birthday or after the 24th.
QString CriticaVinculoIdade(const QString &vinculo, const QString &nascimento, const QString &admissao,
                            const QString &deficiencia);
// "0251" empty or zero, "0250" above 44.
QString CriticaHorasSemanais(const QString &horas);
// "3773": an apprentice working more than 30 hours a week with education up to level 4, or more than
// 40 with a higher level. Not trimmed; values that are not all digits are not judged.
QString CriticaHorasVinculo(const QString &vinculo, const QString &instrucao, const QString &horas);

} // namespace gdvorn
