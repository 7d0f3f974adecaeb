#include "rules/ugRegrasDecimoTerceiro.h"

#include "app/ugCriticas.h"
#include "rules/ugRegras.h"

namespace gdvorn {

namespace {

QString formatoMes(const QString &mes, bool aceitaNoventaENove)
{
    const QStringView m = VistaAparada(mes);
    if (m.isEmpty())
        return QStringLiteral("0322");
    const QString numerico = CriticaNumericoCampo(m, 2);
    if (numerico != CodigoValido)
        return numerico;
    const qint64 valor = ValorDigitos(m);
    if (valor <= 12 || (aceitaNoventaENove && valor == 99))
        return CodigoValido;
    return QStringLiteral("0322");
}

QString formatoValor(const QString &valor, const char *vazio)
{
    const QStringView v = VistaAparada(valor);
    if (v.isEmpty())
        return QString::fromLatin1(vazio);
    return CriticaNumericoCampo(v, 9);
}

// Month and value of one payment, both already all digits.
QString mesEValor(QStringView mes, QStringView valor, const char *semMes, const char *semValor)
{
    const bool temMes = ValorDigitos(mes) != 0;
    const qint64 centavos = ValorDigitos(valor);
    const bool temValor = centavos != 0;
    if (!temMes && !temValor)
        return CodigoValido;
    if (!temMes)
        return QString::fromLatin1(semMes);
    if (!temValor)
        return QString::fromLatin1(semValor);
    // The value as AcimaLimiteRemuneracao reads it: its number when it fits in 64 bits (18 digits).
    const bool acimaLimite = valor.size() <= 18 ? AcimaLimiteRemuneracaoCentavos(centavos)
                                                : AcimaLimiteRemuneracao(valor.toString());
    return acimaLimite ? QStringLiteral("0332") : CodigoValido;
}

// "0320" for a month before the admission month of an admission in `ano`; all three all digits.
QString antesDaAdmissao(QStringView mes, QStringView admissao, QStringView ano)
{
    // An admission in another year first: most links end there.
    if (admissao.mid(4, 4) != ano)
        return CodigoValido;
    if (ValorDigitos(mes) == 0 || ValorDigitos(admissao) == 0 || ValorDigitos(ano) == 0)
        return CodigoValido;
    if (ValorDigitos(mes) >= ValorDigitos(admissao.mid(2, 2)))
        return CodigoValido;
    return QStringLiteral("0320");
}

} // namespace

QString CriticaFormatoMes13Adiantamento(const QString &mes)
{
    return formatoMes(mes, false);
}

QString CriticaFormatoMes13Final(const QString &mes)
{
    return formatoMes(mes, true);
}

QString CriticaValor13AdiantamentoNum(const QString &valor)
{
    return formatoValor(valor, "0333");
}

QString CriticaValor13FinalNum(const QString &valor)
{
    return formatoValor(valor, "0334");
}

QString CriticaValor13Adiantamento(const QString &mes, const QString &valor)
{
    const QStringView m = VistaAparada(mes);
    const QStringView v = VistaAparada(valor);
    if (!SoDigitos(m) || !SoDigitos(v))
        return CodigoValido;
    return mesEValor(m, v, "0324", "0330");
}

QString CriticaValor13Final(const QString &mes, const QString &valor)
{
    if (!SoDigitos(mes) || !SoDigitos(valor))
        return CodigoValido;
    return mesEValor(mes, valor, "0325", "0331");
}

QString CriticaMes13Final(const QString &mesAdiantamento, const QString &mesFinal)
{
    if (!SoDigitos(mesAdiantamento) || !SoDigitos(mesFinal))
        return CodigoValido;
    const qint64 adiantamento = ValorDigitos(mesAdiantamento);
    const qint64 final = ValorDigitos(mesFinal);
    if (adiantamento == 0 || final == 0)
        return CodigoValido;
    if (final <= adiantamento)
        return QStringLiteral("0323");
    return final == 99 ? QStringLiteral("0326") : CodigoValido;
}

QString CriticaMes13(const QString &mes, const QString &admissao, const QString &ano)
{
    const QStringView m = VistaAparada(mes);
    const QStringView a = VistaAparada(admissao);
    const QStringView y = VistaAparada(ano);
    if (!SoDigitos(m) || !SoDigitos(a) || !SoDigitos(y))
        return CodigoValido;
    return antesDaAdmissao(m, a, y);
}

QString CriticaMes13Entrada(const QString &mes, const QString &admissao, const QString &ano)
{
    if (!SoDigitos(mes) || !SoDigitos(admissao))
        return CodigoValido;
    return antesDaAdmissao(mes, admissao, VistaAparada(ano));
}

QString CriticaMes13Adiantamento(const QString &mes, const QString &desligamento)
{
    const qint64 m = ValorDigitos(mes);
    if (m == 0 || ValorDigitos(desligamento) == 0)
        return CodigoValido;
    return ValorDigitos(QStringView(desligamento).mid(2, 2)) < m ? QStringLiteral("0321") : CodigoValido;
}

QString CriticaMes13FinalAposDesligamento(const QString &mes, const QString &desligamento)
{
    if (!SoDigitos(mes) || !SoDigitos(desligamento))
        return CodigoValido;
    const qint64 m = ValorDigitos(mes);
    if (m == 0 || m == 99 || ValorDigitos(desligamento) == 0)
        return CodigoValido;
    return ValorDigitos(QStringView(desligamento).mid(2, 2)) < m ? QStringLiteral("0321") : CodigoValido;
}

} // namespace gdvorn
