#pragma once
// Rules of the employee's nationality, year of arrival in the country, education level and work card.
// Conventions of the library in ugRegras.h. Nationality "10" is Brazilian; every other code is foreign,
// except that the work-card series is read for "20" (naturalised) as for "10".

#include <QString>
#include <QStringView>

namespace gdvorn {

// "0180" empty or zeros, "0181" not in the nationality table.
QString CriticaNacionalidade(const QString &nacionalidade);
// The arrival year's format: the code of CriticaNumerico for 4 digits.
QString CriticaAnoChegadaNumerico(const QString &ano);
// Only foreigners arrive: "0190" a Brazilian with an arrival year, "0191" a foreigner without one.
QString CriticaAnoChegada(const QString &ano, const QString &nacionalidade);
// "0192": a foreigner arriving after `ano` (the base year).
QString CriticaAnoChegadaAnoBase(const QString &chegada, const QString &ano, const QString &nacionalidade);
// "0193": a foreigner arriving before the year of birth.
QString CriticaAnoChegadaNascimento(const QString &chegada, const QString &nascimento,
                                    const QString &nacionalidade);
// "0200" empty or zeros, "0201" not in the education table.
QString CriticaInstrucao(const QString &instrucao);
// Education against the age in the base year: levels "10" and "11" need 23 years, "09" 19. The code is
// "3772" for the consistency analysis (origem) and "3771" for the link form. Not trimmed; a birth year
// that is not all digits is not judged.
QString CriticaInstrucaoIdade(const QString &instrucao, const QString &anoNascimento, bool origem);
QString CriticaInstrucaoIdade(QStringView instrucao, QStringView anoNascimento, bool origem);
// "0212": a work-card number that is not all digits (an empty one included).
QString CriticaCarteiraDigitos(const QString &numero);
// The work-card number's format (8 digits), absent accepted; the link type does not count.
QString CriticaCarteiraNumerica(const QString &numero, const QString &vinculo);
// "0020": a series with a character that is not printable text.
QString CriticaSerieCarteira(const QString &serie);
// Number and series together: "0215" a series longer than 5, "3723" a series without a number,
// "0214" a number without a series.
QString CriticaNumeroCarteira(const QString &numero, const QString &serie);
// "0213": a series whose form does not suit the nationality (a letter or digit and four digits for a
// foreigner, up to five digits for a Brazilian).
QString CriticaFormatoSerieCarteira(const QString &serie, const QString &nacionalidade, const QString &numero);
// "0340" neither work card nor CPF; "3759" a dismissed employee with a work card and no CPF.
QString CriticaCarteiraTrabalho(const QString &numero, const QString &cpf, const QString &vinculo,
                                const QString &desligamento);

} // namespace gdvorn
