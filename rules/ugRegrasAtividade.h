#pragma once
// Establishment activity rules: CNAE, legal nature, base month, the no-employees indicator, closure and
// activity in the base year, size and Simples, and the company name against legal nature and CNAE.
// Conventions of the library in ugRegras.h.

#include <QString>

namespace gdvorn {

// The CNAE ("0360" empty or zeros, "0361" not in tb8cnae).
QString CriticaCnae(const QString &cnae);
// The legal nature ("0370" empty or zeros, "0371" not in tb8natju).
QString CriticaNaturezaJuridica(const QString &natureza);
// The base month: two digits up to 12 ("0030" empty, "0071" above 12); "00" is accepted here.
QString CriticaMesDataBase(const QString &mes);
// A declaration with employees names its base month ("0070"). Not trimmed.
QString CriticaDataBaseNegativa(const QString &mes, const QString &negativa);
// The no-employees indicator: "0" or "1" ("0140").
QString CriticaIndicadorNegativaValor(const QString &indicador);
// No declaration without employees for a CEI, or for a CNPJ with a linked CEI ("0133"). Not trimmed.
QString CriticaIndicadorNegativa(const QString &negativa, const QString &tipo, const QString &ceiVinculado);
// Closure of activity and its date in year `ano` ("3513" no date, "3514" invalid, "3515" a date without
// closure, "3516" outside the year). `modoArquivo`: the analysis of a loaded declaration file.
QString CriticaEncerramentoAtividade(const QString &indicador, const QString &data, const QString &ano,
                                     bool modoArquivo);
// Activity in the base year: "1" or "2" ("3668"). Not trimmed.
QString CriticaAtividadeAnoBase(const QString &indicador);
// Size: "1", "2" or "3" ("3124"). Not trimmed.
QString CriticaPorte(const QString &porte);
// Simples option: "1" or "2" ("3604"). Not trimmed.
QString CriticaOptanteSimples(const QString &indicador);
// Size "3" only outside Simples ("3125"). Not trimmed.
QString CriticaSimplesPorte(const QString &simples, const QString &porte);
// A municipal government's name with a legal nature other than "1031" ("0372").
QString CriticaNaturezaNome(const QString &natureza, const QString &nome);
// A condominium's or building's name with a CNAE other than "8112500" ("0362"); a municipal
// government's with a CNAE outside "84" ("0363").
QString CriticaCnaeNome(const QString &cnae, const QString &nome);

} // namespace gdvorn
