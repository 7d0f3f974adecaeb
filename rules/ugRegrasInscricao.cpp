#include "rules/ugRegrasInscricao.h"

#include "app/ugCriticas.h"
#include "rules/ugRegras.h"

namespace gdvorn {

namespace {

bool digitoOuMaiuscula(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'));
}

// The 11 characters of a CPF given in the 14-character stored form ("000" + CPF); a shorter value as is.
QString parteCpf(const QString &inscricao)
{
    return inscricao.size() > 11 ? inscricao.mid(3, 11) : inscricao;
}

} // namespace

QString CriticaInscricao(const QString &inscricao)
{
    const QString v = TextoAparado(inscricao);
    if (v.isEmpty())
        return QStringLiteral("0055");
    const QString numerico = CriticaNumericoCampo(v, 14);
    if (numerico != CodigoValido)
        return numerico;
    if (ValidaCNPJ(v))
        return ValidaCEI(v) ? QStringLiteral("0050") : QStringLiteral("0051");
    if (ValidaCEI(v))
        return QStringLiteral("0052");
    return QStringLiteral("0053");
}

QString CriticaInscricaoPorTipo(const QString &inscricao, const QString &tipo)
{
    const QString v = TextoAparado(inscricao);
    const QString t = TextoAparado(tipo);
    if (v.isEmpty() || t.isEmpty() || SoZeros(t))
        return CodigoValido;
    if (t == QLatin1String("1"))
        return ValidaCNPJ(v) && !SoZeros(v) ? CodigoValido : QStringLiteral("0134");
    if (t == QLatin1String("3"))
        return ValidaCEI(v) && !SoZeros(v) ? CodigoValido : QStringLiteral("0135");
    return CodigoValido;
}

QString CriticaTipoInscricao(const QString &tipo)
{
    const QString t = TextoAparado(tipo);
    if (t.isEmpty())
        return QStringLiteral("0132");
    const QString numerico = CriticaNumericoCampo(t, 1);
    if (numerico != CodigoValido)
        return numerico;
    return t == QLatin1String("1") || t == QLatin1String("3") ? CodigoValido : QStringLiteral("0130");
}

QString CriticaPrefixo(const QString &prefixo)
{
    const QString p = TextoAparado(prefixo);
    if (p.isEmpty())
        return QStringLiteral("0061");
    if (!digitoOuMaiuscula(p.at(0)))
        return QStringLiteral("0060");
    if (p.size() == 2)
        return digitoOuMaiuscula(p.at(1)) ? CodigoValido : QStringLiteral("0060");
    if (p.size() == 1)
        return QStringLiteral("0062");
    return CodigoDaCritica(QStringLiteral("X")); // longer than the field
}

QString CriticaCeiVinculado(const QString &cei)
{
    const QString v = TextoAparado(cei);
    if (v.isEmpty())
        return QStringLiteral("0431");
    const QString numerico = CriticaNumericoCampo(v, 14);
    if (numerico != CodigoValido)
        return numerico;
    return SoZeros(v) || ValidaCEI(v) ? CodigoValido : QStringLiteral("0430");
}

QString CriticaCnpjVinculado(const QString &tipo, const QString &cei)
{
    if (SoZeros(cei) || tipo != QLatin1String("3"))
        return CodigoValido;
    return QStringLiteral("0350");
}

QString CriticaInscricaoResponsavel(const QString &inscricao, int tamanho)
{
    const QString v = TextoAparado(inscricao);
    if (v.isEmpty())
        return QStringLiteral("0055");
    const QString numerico = CriticaNumericoCampo(v, int(v.size()));
    if (numerico != CodigoValido)
        return numerico;
    if (tamanho == 11) {
        // The 14-character stored form of a CPF is "000" and its 11 digits. A CPF of 11 digits is judged
        // whole, even when it begins with zeros.
        const QString parte = v.size() > 11 && v.startsWith(QLatin1String("000")) ? v.mid(3, 11) : v;
        if (SoZeros(parte))
            return QStringLiteral("0055");
        return ValidaCPF(parte) ? QStringLiteral("0056") : QStringLiteral("0054");
    }
    if (SoZeros(v))
        return QStringLiteral("0055");
    if (ValidaCNPJ(v))
        return ValidaCEI(v) ? QStringLiteral("0049") : QStringLiteral("0051");
    if (ValidaCEI(v))
        return QStringLiteral("0052");
    return QStringLiteral("0054");
}

QString CriticaTipoInscricaoResp(const QString &inscricao, const QString &tipo)
{
    const QString v = TextoAparado(inscricao);
    const QString t = TextoAparado(tipo);
    if (v.isEmpty() || SoZeros(v) || t.isEmpty() || SoZeros(t))
        return CodigoValido;
    bool valida = true;
    if (t == QLatin1String("1"))
        valida = ValidaCNPJ(v);
    else if (t == QLatin1String("3"))
        valida = ValidaCEI(v);
    else if (t == QLatin1String("4"))
        valida = ValidaCPF(v);
    return valida ? CodigoValido : QStringLiteral("0131");
}

QString CriticaCodigoInscricaoResp(const QString &tipo)
{
    const QString t = TextoAparado(tipo);
    if (t.isEmpty())
        return QStringLiteral("0128");
    const QString numerico = CriticaNumericoCampo(t, 1);
    if (numerico != CodigoValido)
        return numerico;
    return t == QLatin1String("1") || t == QLatin1String("3") || t == QLatin1String("4") ? CodigoValido
                                                                                           : QStringLiteral("0129");
}

QString CriticaCpfInscricaoResp(const QString &inscricao, const QString &cpf, const QString &tipo)
{
    const QString parte = parteCpf(TextoAparado(inscricao));
    if (TextoAparado(tipo) != QLatin1String("4"))
        return CodigoValido;
    return parte == TextoAparado(cpf) ? CodigoValido : QStringLiteral("0210");
}

} // namespace gdvorn
