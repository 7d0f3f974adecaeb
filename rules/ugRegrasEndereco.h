#pragma once
// Company name and address rules: the name of an establishment or of the responsible person, street,
// number, complement and district, and the employer's free-use text of a link. Conventions of the
// library in ugRegras.h; an input passed as `QString &` receives its trimmed value.

#include <QString>

namespace gdvorn {

// The company name ("0110" empty, "0111" only MATRIZ or FILIAL, "3727" a CNPJ root whose name must begin
// with a fixed text). The required-name table holds CNPJ roots, so it applies only to inscription type
// "1"; the inscription is not trimmed.
QString CriticaRazaoSocial(QString &nome, const QString &inscricao, const QString &tipoInscricao);
// The street ("0120" empty, "3100" a character repeated four times, then the text check).
QString CriticaEndereco(QString &logradouro);
// The street number: exactly six digits (callers zero-fill it).
QString CriticaNumeroEndereco(const QString &numero);
// The complement: optional, printable ("0020"), no character repeated four times ("3100").
QString CriticaComplemento(QString &complemento);
// An address needs a number or a complement ("0120").
QString CriticaTextoEndereco(const QString &numero, const QString &complemento);
// The district: optional, then the text check.
QString CriticaBairro(QString &bairro);
// The employer's free-use text of a link: printable ("0020"); not trimmed.
QString CriticaUsoEmpresa(const QString &texto);

} // namespace gdvorn
