#pragma once
// Rules of the employee's identity in an employment link: PIS/PASEP, name, CPF and when it is required,
// birth date and age in the base year, sex, race and disability. Conventions of the library in ugRegras.h.
//
// CriticaNomeEmpregado checks a name against the PIS numbers whose holder's name is known: the rows of
// PISINDEV (tbPisInval, first words compared) and a fixed list of two pairs (whole name compared).

#include <QString>

namespace gdvorn {

// The PIS/PASEP: "0153" empty, "0150" zeros, one of the refused numbers or a wrong check digit.
QString CriticaPis(const QString &pis);
// The PIS against the establishment's inscription type: accepted whatever the values.
QString CriticaPisInscricao(const QString &pis, const QString &tipo);
// The employee's name, trimmed and stored back: "0160" empty, "3100" four equal characters in a row,
// "0161" one word, the code of CriticaTexto, then "3647" a name that does not match its PIS.
QString CriticaNomeEmpregado(QString &nome, const QString &pis);
// The CPF: optional; "0210" a wrong check digit or one digit repeated.
QString CriticaCpfEmpregado(const QString &cpf);
// "3722": no CPF for a link of a type that requires one, still employed (no dismissal date) and
// without a work permit (indicator other than "1").
QString CriticaCpfObrigatorio(const QString &cpf, const QString &vinculo, const QString &desligamento,
                              const QString &alvara);
// The birth date (DDMMYYYY): "0170" empty or zeros, "0175" no date or a year of 1900 or earlier.
QString CriticaDataNascimento(const QString &data);
// The age in `ano` (the base year): "0174" born after it, "0172" under 10, "0176" under 15 (a
// warning). Values that are not numbers are not judged.
QString CriticaNascimento(const QString &data, const QString &ano);
// "1" or "2", else "3524".
QString CriticaSexo(const QString &sexo);
// "0480" empty, "0481" not in the race table.
QString CriticaRaca(const QString &raca);
// "1" or "2", else "0001".
QString CriticaIndicadorDeficiencia(const QString &indicador);
// The disability type against the indicator ("1" has one, "2" none): "3701". A declaration file's
// values (modoArquivo) are judged by their digits; typed values by the disability table.
QString CriticaTipoDeficiencia(const QString &tipo, const QString &indicador, bool modoArquivo);

// The two PIS numbers whose holders' full names the name rule knows, with those names.
struct PisNomeConhecido {
    const char *pis;
    const char *nome;
};
inline constexpr PisNomeConhecido kPisNomesConhecidos[] = {
    {"20111222332", "MARIA APARECIDA DOS SANTOS"},
    {"12099999998", "JOSE CARLOS DE OLIVEIRA"},
};

} // namespace gdvorn
