#pragma once
// General text routines: padding and trimming of fixed-width texts, display formats of stored values
// (digits without separators, amounts in cents, DDMMYYYY dates) and the date and e-mail checks.
// Money is shown with "," as decimal and "." as thousands separator whatever the locale. No state.

#include <QString>

namespace gdvorn {

// n blanks.
QString Brancos(int n);
// n zeros ("0"). GeraZeros is the same routine.
QString Zeros(int n);
QString GeraZeros(int n);
// s followed by blanks up to n characters, then cut to its first n. PreencheBrancos is the same routine.
QString CompletaBrancos(const QString &s, int n);
QString PreencheBrancos(const QString &s, int n);
// Zeros in front of s up to n characters, then cut to its first n.
QString CompletaZeros(const QString &s, int n);
// s trimmed, every "." removed.
QString RetiraPontos(const QString &s);
// Every ".", "/" and "-" removed (no trimming): a displayed CNPJ, CPF or CEP back into digits.
QString TiraMascara(const QString &s);
// Leading and trailing blanks removed (the blank only, not tabs or line breaks).
QString AparaBrancos(const QString &s);
// Leading "0" characters removed; a text of zeros becomes empty.
QString RetiraZerosEsquerda(const QString &s);
// `texto` with the first occurrence of `antigo` replaced by `novo`; unchanged when `antigo` is absent.
QString SubstituiTexto(const QString &texto, const QString &antigo, const QString &novo);
// The larger of two integers.
int Maior(int a, int b);
// The integer value of s, 0 when s is not an integer.
int StrToIntSeguro(const QString &s);

// "DD/MM/YYYY" from DDMMYYYY (no check).
QString FormataData(const QString &s);
// XXX.XXXXX.XX.X from 11 digits.
QString FormataPisPasep(const QString &s);
// An inscription with its separators by type: "1" CNPJ NN.NNN.NNN/NNNN-NN, "3" CEI NNNNN.NNNNN-NN (a
// 12-digit CEI first gets "00" in front); any other type unchanged.
QString FormataInscricao(const QString &s, const QString &tipo);
// As FormataInscricao, and type "4" CPF NNN.NNN.NNN-NN (an 11-digit CPF first gets "000" in front).
QString FormataInscricaoCPF(const QString &s, const QString &tipo);
// Leading zeros removed; with 5 or more digits left, a "-" before the last four.
QString FormataTelefone(const QString &s);
// The month's name for "1".."12", "Totalização" for 99, empty otherwise.
QString NomeMes(const QString &s);

// Money amounts, with blanks in front by the length of the formatted text so that they line up in lists.
// "Erro" when the text cannot be read as a number.
// An amount with "," as decimal separator ("." thousands separators allowed), as "###,##0.00".
QString FormataValor(const QString &s);
// As FormataValor, as "#,###,##0.00" with the blanks of the wider column.
QString FormataValorGrande(const QString &s);
// A stored 9-digit cents value (7 digits of units, 2 of cents); a non-numeric text comes back trimmed.
QString FormataValor9(const QString &s);
// A stored 8-digit cents value (6 digits of units, 2 of cents); a non-numeric text comes back trimmed.
QString FormataValor8(const QString &s);
// Cents of up to 9 digits; an empty or all-zero text shows 0,00.
QString FormataValorCentavos(const QString &s);

// Exactly 8 digits DDMMYYYY forming a date of the calendar.
bool DataValida(const QString &s);
// An e-mail address made of letters, digits, "-", ".", "_" and one at sign, with a dotted domain.
bool ValidaEmail(const QString &s);

// `texto` without its accents (the marks that combine with a letter are dropped), in capitals: the
// installed code tables keep names with their accents ("SÃO PAULO"), searches and text checks compare
// them folded.
QString DobraAcentos(const QString &texto);

} // namespace gdvorn
