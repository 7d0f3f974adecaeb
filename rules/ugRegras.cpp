#include "rules/ugRegras.h"

#include "app/ugCriticas.h"

namespace gdvorn {

QString CodigoDaCritica(const QString &codigo)
{
    return codigo == QLatin1String("X") ? QStringLiteral("0040") : codigo;
}

QString CriticaNumericoCampo(const QString &valor, int tamanho)
{
    return CodigoDaCritica(CriticaNumerico(valor, QString::number(tamanho)));
}

QString CriticaNumericoTamanhoCampo(const QString &valor, int tamanho)
{
    return CodigoDaCritica(CriticaNumericoTamanho(valor, QString::number(tamanho)));
}

} // namespace gdvorn
