#include "rules/ugRegrasVerbas.h"

#include "app/ugCriticas.h"
#include "rules/ugRegras.h"

namespace gdvorn {

namespace {

// An amount of any width that is all zeros is as absent as the "0" and "00000000" the forms store.
bool valorAusente(const QString &valor)
{
    const QString v = TextoAparado(valor);
    return v.isEmpty() || SoZeros(v) || v == QLatin1String("0,00");
}

bool mesesAusentes(const QString &meses)
{
    return !ValorInformado(meses);
}

QString valorEMeses(const QString &valor, const QString &meses, const char *mesesSemValor)
{
    const bool semValor = valorAusente(valor);
    const bool semMeses = mesesAusentes(meses);
    if (semValor == semMeses)
        return CodigoValido;
    return semValor ? QString::fromLatin1(mesesSemValor) : QStringLiteral("3680");
}

} // namespace

QString CriticaValorVerba(const QString &valor)
{
    return CriticaNumericoCampo(valor, 8) == CodigoValido ? CodigoValido : QStringLiteral("3648");
}

QString CriticaMesesCompetencia(const QString &meses)
{
    return CriticaNumericoCampo(meses, 2) == CodigoValido ? CodigoValido : QStringLiteral("3648");
}

QString CriticaValorVerbaRescisoria(const QString &causa, const QString &valor)
{
    const QString c = TextoAparado(causa);
    if (!c.isEmpty() && c != QLatin1String("00"))
        return CodigoValido;
    return valorAusente(valor) ? CodigoValido : QStringLiteral("3675");
}

QString CriticaBancoHoras(const QString &valor, const QString &meses)
{
    return valorEMeses(valor, meses, "3681");
}

QString CriticaDissidio(const QString &valor, const QString &meses)
{
    return valorEMeses(valor, meses, "3682");
}

QString CriticaGratificacoes(const QString &valor, const QString &meses)
{
    return valorEMeses(valor, meses, "3683");
}

QString CriticaVerbasDesligamento(const QString &ferias, const QString &multas, const QString &bancoHoras,
                                  const QString &gratificacoes, const QString &dissidio)
{
    qint64 soma = 0;
    for (const QString *valor : {&ferias, &multas, &bancoHoras, &gratificacoes, &dissidio})
        soma += ValorDigitos(QStringView(*valor).trimmed());
    return soma == 0 ? QStringLiteral("3758") : CodigoValido;
}

} // namespace gdvorn
