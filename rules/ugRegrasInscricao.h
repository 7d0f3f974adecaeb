#pragma once
// Inscription rules: the inscription of an establishment (CNPJ or CEI) and its type, the prefix, the CEI
// linked to a CNPJ establishment, and the inscription of the person responsible for the declaration.
// Conventions of the library in ugRegras.h. A CEI is judged in its stored form, "00" and its 12 digits.
//
// ClasseInscricao, the result of the two classifiers: "0050" valid as CNPJ and as CEI, "0051" CNPJ only,
// "0052" CEI only, "0053" neither (establishment), "0054" neither (responsible), "0055" empty,
// "0056" valid CPF (responsible), "0049" valid as CNPJ and as CEI (responsible).

#include <QString>

namespace gdvorn {

// Classifies an establishment's inscription (14 digits).
QString CriticaInscricao(const QString &inscricao);
// The inscription against its declared type: "1" a CNPJ ("0134"), "3" a CEI ("0135").
QString CriticaInscricaoPorTipo(const QString &inscricao, const QString &tipo);
// The establishment's inscription type: "1" or "3" ("0132" empty, "0130" other).
QString CriticaTipoInscricao(const QString &tipo);
// The two-character prefix: digits or capital letters ("0061" empty, "0060" bad, "0062" one character).
QString CriticaPrefixo(const QString &prefixo);
// The CEI linked to a CNPJ establishment: zeros or a valid CEI ("0431" empty, "0430" invalid).
QString CriticaCeiVinculado(const QString &cei);
// A CEI establishment has no linked CEI: "0350" for type "3" with a linked CEI that is not zeros.
// Neither input is trimmed.
QString CriticaCnpjVinculado(const QString &tipo, const QString &cei);
// Classifies the responsible's inscription; `tamanho` is the number of digits the caller expects
// (11 for a CPF, which may come as the 14-character stored form "000" + CPF).
QString CriticaInscricaoResponsavel(const QString &inscricao, int tamanho);
// The responsible's inscription against its type: "1" CNPJ, "3" CEI, "4" CPF ("0131").
QString CriticaTipoInscricaoResp(const QString &inscricao, const QString &tipo);
// The responsible's inscription type: "1", "3" or "4" ("0128" empty, "0129" other).
QString CriticaCodigoInscricaoResp(const QString &tipo);
// A CPF-type responsible: the inscription (its last 11 characters of the 14-character form) is the CPF
// ("0210").
QString CriticaCpfInscricaoResp(const QString &inscricao, const QString &cpf, const QString &tipo);

} // namespace gdvorn
