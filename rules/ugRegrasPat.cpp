#include "rules/ugRegrasPat.h"

#include "app/ugFuncoes.h"
#include "rules/ugRegras.h"

#include <initializer_list>

namespace gdvorn {

namespace {

// The sum of the values, each trimmed and zero-filled to `tamanho` (a value that is not a number adds 0).
qint64 soma(std::initializer_list<const QString *> valores, int tamanho)
{
    qint64 total = 0;
    for (const QString *v : valores)
        total += StrToIntSeguro(CompletaZeros(v->trimmed(), tamanho));
    return total;
}

} // namespace

QString CriticaParticipaPAT(const QString &indicador)
{
    const QString v = TextoAparado(indicador);
    if (v.isEmpty())
        return QStringLiteral("3608");
    return v == QLatin1String("1") || v == QLatin1String("2") ? CodigoValido : QStringLiteral("3602");
}

QString CriticaQtdPATNumerica(const QString &quantidade)
{
    const QString v = TextoAparado(quantidade);
    return v.isEmpty() ? CodigoValido : CriticaNumericoCampo(v, 6);
}

QString CriticaPercentualPAT(const QString &percentual)
{
    const QString v = TextoAparado(percentual);
    if (v.isEmpty())
        return CodigoValido;
    const QString numerico = CriticaNumericoCampo(v, 3);
    if (numerico != CodigoValido)
        return numerico;
    return v.toInt() > 100 ? QStringLiteral("3521") : CodigoValido;
}

QString CriticaQtdPAT(const QString &indicador, const QString &quantidade1, const QString &quantidade2)
{
    if (TextoAparado(indicador) != QLatin1String("2"))
        return CodigoValido;
    return soma({&quantidade1, &quantidade2}, 6) != 0 ? QStringLiteral("3525") : CodigoValido;
}

QString CriticaPercentuaisPAT(const QString &indicador, const QString &p1, const QString &p2, const QString &p3,
                              const QString &p4, const QString &p5, const QString &p6)
{
    if (TextoAparado(indicador) == QLatin1String("1"))
        return CodigoValido;
    return soma({&p1, &p2, &p3, &p4, &p5, &p6}, 3) != 0 ? QStringLiteral("3526") : CodigoValido;
}

} // namespace gdvorn
