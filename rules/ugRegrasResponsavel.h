#pragma once
// Rules of the person who answers for the declaration (name, CPF, age, CREA) and of the header dates of a
// recorded declaration (generation and rectification, in the year after the base year). Conventions of
// the library in ugRegras.h; an input passed as `QString &` receives its trimmed value.

#include <QString>

namespace gdvorn {

// The name: at least two words ("3717" empty, "3100" a character repeated four times, "3716" one word).
QString CriticaNomeResponsavel(QString &nome);
// The CPF: required ("3718"), valid and not one digit repeated ("0210").
QString CriticaCpfResponsavel(const QString &cpf);
// The birth date's year makes the person older than 17 in the base year ("0179").
QString CriticaNascimentoResp(const QString &data);
// The CREA: twelve digits ("0040"), zeros accepted; first digit 1-9, second 9, not one digit repeated
// ("3734").
QString CriticaCrea(const QString &crea);
// A CREA exactly for a rectification, `retificacao` "1" ("3735" without rectification, "3739" missing,
// "3734" zeros).
QString CriticaCreaRetificacao(const QString &crea, const QString &retificacao);
// The generation date in the year after the base year ("0420" zeros or before, "0421" invalid, "0423"
// after).
QString CriticaDataGeracao(const QString &data);
// The rectification date: in the year after the base year for a rectification ("0410" zeros or before,
// "0412" invalid, "0413" after), zeros otherwise ("0411").
QString CriticaDataRetificacao(bool retificacao, const QString &data);

} // namespace gdvorn
