#pragma once
// Rules of the monthly pay and overtime hours of an employment link: one month's pay against the
// previous month, the education band and legal nature, the admission, the dismissal and the apprentice's
// birthdays; a year without pay; the dismissal month's share; the hours against the pay. Conventions of
// the library in ugRegras.h. Money is in cents, in 64-bit integers; the comparisons are exact integer
// arithmetic, never floating point.

#include <QString>
#include <QStringView>

#include <array>

namespace gdvorn {

// The twelve monthly pays of a link in cents, January first.
using ValoresMensais = std::array<qint64, 12>;

// "0314": a pay exactly ten times the previous month's (both non-zero), from February (`mes` 2) on.
// Not trimmed; pays that are not all digits are not judged.
QString CriticaRemuneracaoDezVezes(const QString &valor, const QString &mes, const QString &valorAnterior);
// The same for pays already read as numbers (0 for a pay that is not all digits) and the month's number.
QString CriticaRemuneracaoDezVezesNumeros(qint64 valor, qint64 mes, qint64 valorAnterior);
// "3768": a pay above 10 minimum wages for education 1 to 7, above 20 for 8 to 11, in a legal nature
// whose first digit is 2 to 5 (2011 and 2038 exempt). The month does not count. Not trimmed.
QString CriticaRemuneracaoLimiteInstrucao(const QString &valor, const QString &instrucao, const QString &natureza,
                                          const QString &mes);
// The same for a pay already read as a number (0 for a pay that is not all digits).
QString CriticaRemuneracaoLimiteInstrucaoNumero(qint64 valor, const QString &instrucao, const QString &natureza);
// The pay in cents from which that rule gives "3768" for the education level and legal nature; 0 when no
// pay does.
qint64 LimiteRemuneracaoInstrucao(QStringView instrucao, QStringView natureza);
// The rule for a pay already read as a number and the limit of its link.
QString CriticaRemuneracaoAcimaDoLimite(qint64 valor, qint64 limite);
// "0310": pay in a month before the admission month, for an admission in `ano`.
QString CriticaRemuneracaoAntesAdmissao(const QString &mes, const QString &admissao, const QString &ano);
// "0311": pay in a month after the dismissal month.
QString CriticaRemuneracaoAposDesligamento(const QString &mes, const QString &desligamento);
// "3503": an apprentice without disability paid after the month of the 24th birthday or before the month
// of the 14th, in `ano`.
QString CriticaRemuneracaoAprendiz(const QString &mes, const QString &vinculo, const QString &nascimento,
                                   const QString &deficiencia, const QString &ano);

// The inputs of CriticaRemuneracaoAfastamento, filled by name. Dates are DDMM but the admission
// (DDMMYYYY).
struct ParametrosRemuneracaoAfastamento {
    QString motivoAfastamento1;
    QString inicioAfastamento1;
    QString fimAfastamento1;
    qint64 remuneracaoTotal = 0;
    QString desligamento;
    QString causaDesligamento;
    QString admissao;
    ValoresMensais valores{};
    QString diasAfastamento;
};
// "1674": no pay informed. A total of zero is accepted only when the first leave, the dismissal or its
// cause explains it; and when the dismissal falls in the month the first leave ends, the months worked
// before the leave must show some pay.
QString CriticaRemuneracaoAfastamento(const ParametrosRemuneracaoAfastamento &p);
// "3775": the dismissal month paid more than its share of the previous month's pay (day × previous
// / 30). The dismissal date that is not four digits is not judged.
QString CriticaRemuneracaoMesDesligamento(const QString &desligamento, const ValoresMensais &valores);

// "0030": hours that are not all digits (empty included).
QString CriticaHorasNumericas(const QString &horas);
// "3698": more than 100 hours in one month. Hours that are not all digits are not judged.
QString CriticaHorasMes(const QString &horas);
// The same for hours already read as a number (0 for hours that are not all digits).
QString CriticaHorasMesNumero(qint64 horas);
// "3677": hours in a month without pay.
QString CriticaHorasSemRemuneracao(const QString &horas, const QString &valor);
// The same for hours already read as a number (0 for hours that are not all digits) and whether the pay,
// blanks dropped, is all zeros.
QString CriticaHorasSemRemuneracaoNumero(qint64 horas, bool valorZerado);

// The inputs of CriticaHorasRemuneracao, filled by name.
struct ParametrosHorasRemuneracao {
    qint64 valor = 0;        // the month's pay in cents
    int horas = 0;
    int mes = 0;             // 1 to 12
    int mesDesligamento = 0; // 0: not dismissed
    QString admissao;        // MMYYYY
    QString anoEncerramento; // the establishment's closure year; empty or zeros: not closed
};
// Hours worked in a month: "3710" after the dismissal month, "3711" before the admission month of an
// admission in the base year (unless the establishment closed in another year), "3677" without pay.
QString CriticaHorasRemuneracao(const ParametrosHorasRemuneracao &p);
// The same with the texts as views.
QString CriticaHorasRemuneracao(qint64 valor, int horas, int mes, int mesDesligamento, QStringView admissao,
                                QStringView anoEncerramento);

} // namespace gdvorn
