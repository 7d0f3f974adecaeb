#include "rules/ugRegrasResponsavel.h"

#include "app/ugCriticas.h"
#include "app/ugFuncoes.h"
#include "rules/ContextoRegras.h"
#include "rules/ugRegras.h"

namespace gdvorn {

namespace {

// Where a valid date falls against the year after the base year: -1 before, 0 in it, 1 after.
int noAnoSeguinte(const QString &data)
{
    const QString seguinte = QString::number(contextoRegras().AnoBase() + 1);
    const QString d = DataAnoMesDia(data);
    if (d < seguinte + QStringLiteral("0101"))
        return -1;
    return d > seguinte + QStringLiteral("1231") ? 1 : 0;
}

} // namespace

QString CriticaNomeResponsavel(QString &nome)
{
    nome = TextoAparado(nome);
    if (nome.isEmpty())
        return QStringLiteral("3717");
    if (!SemCaracterRepetido(nome))
        return QStringLiteral("3100");
    if (ContaPalavras(nome) == 1)
        return QStringLiteral("3716");
    return CriticaTexto(nome);
}

QString CriticaCpfResponsavel(const QString &cpf)
{
    const QString v = TextoAparado(cpf);
    if (v.isEmpty())
        return QStringLiteral("3718");
    const QString numerico = CriticaNumericoCampo(v, 11);
    if (numerico != CodigoValido)
        return numerico;
    return !SoZeros(v) && ValidaCPF(v) && NaoRepetido(v) ? CodigoValido : QStringLiteral("0210");
}

QString CriticaNascimentoResp(const QString &data)
{
    const QString ano = TextoAparado(data).mid(4, 4);
    if (ano.isEmpty() || SoZeros(ano) || !EhNumerico(ano))
        return CodigoValido;
    return contextoRegras().AnoBase() - ano.toInt() > 17 ? CodigoValido : QStringLiteral("0179");
}

QString CriticaCrea(const QString &crea)
{
    const QString v = TextoAparado(crea);
    if (v.size() != 12 || !EhNumerico(v))
        return QStringLiteral("0040");
    if (SoZeros(v))
        return CodigoValido;
    if (v.at(0) == QLatin1Char('0') || v.at(1) != QLatin1Char('9'))
        return QStringLiteral("3734");
    if (v.count(v.at(0)) == 12)
        return QStringLiteral("3734");
    return CodigoValido;
}

QString CriticaCreaRetificacao(const QString &crea, const QString &retificacao)
{
    const QString v = TextoAparado(crea);
    const bool zeros12 = v == QLatin1String("000000000000");
    if (TextoAparado(retificacao) != QLatin1String("1"))
        return v.isEmpty() || zeros12 ? CodigoValido : QStringLiteral("3735");
    if (v.isEmpty())
        return QStringLiteral("3739");
    if (SoZeros(v))
        return QStringLiteral("3734");
    return CodigoValido;
}

QString CriticaDataGeracao(const QString &data)
{
    const QString d = TextoAparado(data);
    const QString numerico = CriticaNumericoCampo(d, 8);
    if (numerico != CodigoValido)
        return numerico;
    if (SoZeros(d))
        return QStringLiteral("0420");
    if (!DataValida(d))
        return QStringLiteral("0421");
    switch (noAnoSeguinte(d)) {
    case -1: return QStringLiteral("0420");
    case 1: return QStringLiteral("0423");
    default: return CodigoValido;
    }
}

QString CriticaDataRetificacao(bool retificacao, const QString &data)
{
    const QString d = TextoAparado(data);
    const QString numerico = CriticaNumericoCampo(d, 8);
    if (numerico != CodigoValido)
        return numerico;
    if (!retificacao)
        return SoZeros(d) ? CodigoValido : QStringLiteral("0411");
    if (SoZeros(d))
        return QStringLiteral("0410");
    if (!DataValida(d))
        return QStringLiteral("0412");
    switch (noAnoSeguinte(d)) {
    case -1: return QStringLiteral("0410");
    case 1: return QStringLiteral("0413");
    default: return CodigoValido;
    }
}

} // namespace gdvorn
