#pragma once
// Rules of the contractual salary and salary type of an employment link, and of each month's pay
// against the minimum wage, the upper limit and the contractual salary. Conventions of the library in
// ugRegras.h. Money is in cents; the limits are AbaixoSalarioMinimo and AcimaLimiteRemuneracao of
// ugCriticas. Link types 30, 31, 35, 95, 96 and 97 are exempt from these rules.

#include <QString>
#include <QStringView>

namespace gdvorn {

// The contractual salary's format: the code of CriticaNumerico for 9 digits.
QString CriticaSalarioNumerico(const QString &salario);
// "0241" empty or zeros, "0240" not in the salary-type table.
QString CriticaTipoSalario(const QString &tipo);
// "0232" no salary for a link type that is not exempt; for a monthly salary (type "1") "0230" below the
// minimum wage and "0231" at the upper limit or above.
QString CriticaSalarioContratual(const QString &salario, const QString &tipo, const QString &vinculo);
// "0232": a zero salary for the link types that require one; the salary's format code otherwise. The
// leave dates do not count.
QString CriticaSalarioValor(const QString &vinculo, const QString &salario, const QString &inicioAfastamento,
                            const QString &fimAfastamento);

// The inputs of CriticaSalarioMinimo, filled by name.
struct ParametrosSalarioMinimo {
    QString valor;            // the month's pay in cents
    QString mes;              // "01" to "12"
    QString tipoSalario;
    QString vinculo;
    QString naturezaJuridica; // the establishment's
    QString desligamento;     // DDMM
    QString admissao;         // DDMMYYYY
    QString anoBase;
};
// A month's pay: "0315" empty, its format code; then, for a link that is not exempt, "0313" at the upper
// limit and, in a month fully worked (before the dismissal month, not the admission month of an admission
// in the base year), "0312" below the minimum wage unless the legal nature is exempt. "0312" and "0313"
// are warnings.
QString CriticaSalarioMinimo(const ParametrosSalarioMinimo &p);
// The same for a pay already known to fill its field with nine digits, of `centavos` (p.valor is not
// read).
QString CriticaSalarioMinimoCentavos(const ParametrosSalarioMinimo &p, qint64 centavos);
// What CriticaSalarioMinimoCentavos reads of the link itself, read once for its twelve months: views
// over the texts it is built from, which must outlive it.
struct SalarioMinimoDoVinculo {
    SalarioMinimoDoVinculo() = default;
    SalarioMinimoDoVinculo(QStringView tipoSalario, QStringView vinculo, QStringView naturezaJuridica,
                           QStringView desligamento, QStringView admissao, QStringView anoBase);
    bool julgado = false;             // a link type of digits that is not exempt
    bool mensal = false;              // salary type "1"
    bool desligamentoInformado = false;
    QStringView mesDesligamento;      // characters 3 and 4 of the dismissal
    bool admitidoNoAno = false;
    QStringView mesAdmissao;          // characters 3 and 4 of the admission
    QStringView naturezaJuridica;     // trimmed
};
// The same for one month of a link read once: `mes` as two digits ("01" to "12").
QString CriticaSalarioMinimoMes(const SalarioMinimoDoVinculo &vinculo, QStringView mes, qint64 centavos);

// The inputs of CriticaRemuneracaoAbaixoContratual, filled by name. Dates are DDMM but the admission
// (DDMMYYYY).
struct ParametrosRemuneracaoAbaixoContratual {
    QString valor;             // the month's pay in cents
    QString mes;               // "01" to "12"
    QString tipoSalario;
    QString salarioContratual; // in cents
    QString admissao;
    QString desligamento;
    QString vinculo;
    QString inicioAfastamento1;
    QString fimAfastamento1;
    QString inicioAfastamento2;
    QString fimAfastamento2;
    QString inicioAfastamento3;
    QString fimAfastamento3;
};
// "3728": a monthly-salaried link paid less than 70 % of its contractual salary in a month before the
// dismissal month in which no leave starts or ends. Exactly 70 % passes (10 × pay >= 7 × salary).
QString CriticaRemuneracaoAbaixoContratual(const ParametrosRemuneracaoAbaixoContratual &p);
// An amount as CriticaRemuneracaoAbaixoContratual reads it: blanks, then leading zeros, then blanks again
// dropped, as a number; 0 when nothing is left or what is left is not all digits.
qint64 ValorSemZerosEsquerda(const QString &valor);
// The first test of CriticaRemuneracaoAbaixoContratual, on the two amounts as it reads them: a pay of 0
// or of at least 70 % of the salary passes whatever the other fields hold.
inline bool RemuneracaoAtingeContratual(qint64 pago, qint64 salarioContratual)
{
    return pago <= 0 || 10 * pago >= 7 * salarioContratual;
}

} // namespace gdvorn
