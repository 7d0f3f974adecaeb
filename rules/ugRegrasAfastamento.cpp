#include "rules/ugRegrasAfastamento.h"

#include "app/ugCriticas.h"
#include "rules/ugRegras.h"

namespace gdvorn {

namespace {

// Both DDMM dates of a comparison are informed dates of four characters.
bool duasDatasDiaMes(QStringView a, QStringView b)
{
    return a.size() == 4 && b.size() == 4 && !SoZeros(a) && !SoZeros(b);
}

} // namespace

// The rules read their inputs through trimmed views; CriticaNumericoCampo trims what it is given, so it
// is handed the input itself.

QString CriticaMotivoAfastamento(const QString &motivo)
{
    const QString numerico = CriticaNumericoCampo(motivo, 2);
    if (numerico != CodigoValido)
        return numerico;
    const QStringView m = VistaAparada(motivo);
    if (SoZeros(m))
        return CodigoValido;
    const qint64 codigo = ValorDigitos(m);
    return codigo % 10 == 0 && codigo >= 10 && codigo <= 70 ? CodigoValido : QStringLiteral("3629");
}

QString CriticaMotivosAfastamento(const QString &motivo1, const QString &motivo2, const QString &motivo3)
{
    const bool primeiro = ValorInformado(motivo1);
    const bool segundo = ValorInformado(motivo2);
    if (ValorInformado(motivo3) && (!primeiro || !segundo))
        return QStringLiteral("3749");
    if (segundo && !primeiro)
        return QStringLiteral("3748");
    return CodigoValido;
}

QString CriticaDataAfastamentoValida(const QString &data, const QString &ano)
{
    const QString numerico = CriticaNumericoCampo(data, 4);
    if (numerico != CodigoValido)
        return numerico;
    if (SoZeros(VistaAparada(data)))
        return CodigoValido;
    return DiaMesValido(TextoAparado(data), TextoAparado(ano)) ? CodigoValido : QStringLiteral("3630");
}

QString CriticaDataAfastamento(const QString &data, const QString &motivo, bool inicio)
{
    const QStringView d = VistaAparada(data);
    const QStringView m = VistaAparada(motivo);
    const bool comMotivo = SoDigitos(m) && !SoZeros(m);
    if (comMotivo) {
        if (!SoZeros(d))
            return CodigoValido;
        return inicio ? QStringLiteral("3638") : QStringLiteral("3643");
    }
    return SoZeros(d) ? CodigoValido : QStringLiteral("3646");
}

QString CriticaAfastamentoFim(const QString &inicio, const QString &fim)
{
    const QStringView i = VistaAparada(inicio);
    const QStringView f = VistaAparada(fim);
    if (!SoDigitos(i) || !SoDigitos(f) || !duasDatasDiaMes(i, f))
        return CodigoValido;
    return ComparaDiaMes(f, i) < 0 ? QStringLiteral("3633") : CodigoValido;
}

QString CriticaAfastamentoPeriodo(const QString &data, const QString &admissao, const QString &ano)
{
    const QStringView d = VistaAparada(data);
    const QStringView a = VistaAparada(admissao);
    const QStringView y = VistaAparada(ano);
    if (d.isEmpty() || a.isEmpty() || y.isEmpty() || SoZeros(d) || d.size() != 4)
        return CodigoValido;
    if (SoZeros(a) || a.size() != 8 || a.mid(4, 4) != y)
        return CodigoValido;
    return ComparaDiaMes(d, a.left(4)) < 0 ? QStringLiteral("3632") : CodigoValido;
}

QString CriticaAfastamentoInicio(const QString &data, const QString &desligamento, const QString &)
{
    const QStringView d = VistaAparada(data);
    const QStringView s = VistaAparada(desligamento);
    if (!duasDatasDiaMes(d, s))
        return CodigoValido;
    return ComparaDiaMes(d, s) > 0 ? QStringLiteral("3631") : CodigoValido;
}

QString CriticaDiasAfastamento(const QString &motivo1, const QString &motivo2, const QString &motivo3,
                               const QString &dias)
{
    if (!ValorInformado(motivo1) && !ValorInformado(motivo2) && !ValorInformado(motivo3))
        return CodigoValido;
    return ValorInformado(dias) ? CodigoValido : QStringLiteral("3644");
}

QString CriticaDiasAfastamentoMotivo(const QString &dias, const QString &motivo1)
{
    const QString numerico = CriticaNumericoCampo(dias, 3);
    if (numerico != CodigoValido)
        return numerico;
    const QStringView d = VistaAparada(dias);
    if (SoZeros(d))
        return CodigoValido;
    if (ValorDigitos(d) >= 366)
        return QStringLiteral("3640");
    return ValorInformado(motivo1) ? CodigoValido : QStringLiteral("3753");
}

} // namespace gdvorn
