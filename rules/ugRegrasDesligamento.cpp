#include "rules/ugRegrasDesligamento.h"

#include "app/udmGDVorn.h"
#include "app/ugCriticas.h"
#include "rules/ContextoRegras.h"
#include "rules/ugRegras.h"

namespace gdvorn {

namespace {

} // namespace

QString CriticaCausaDesligamento(const QString &causa)
{
    const QString c = TextoAparado(causa);
    if (c.isEmpty())
        return QStringLiteral("0280");
    const QString numerico = CriticaNumericoTamanhoCampo(c, 2);
    if (numerico != CodigoValido)
        return numerico;
    if (SoZeros(c))
        return CodigoValido;
    return contextoRegras().Tabelas().taDesl.FindKey({c}) ? CodigoValido : QStringLiteral("0280");
}

QString CriticaDataDesligamentoValida(const QString &data, const QString &ano)
{
    const QStringView d = VistaAparada(data);
    if (d.isEmpty())
        return QStringLiteral("0292");
    if (d.size() != 4 || !SoDigitos(d)) {
        const QString numerico = CriticaNumericoCampo(TextoAparado(data), 4);
        if (numerico != CodigoValido)
            return numerico;
    }
    // Four digits from here on.
    if (!ValorInformado(d))
        return CodigoValido;
    const QStringView a = VistaAparada(ano);
    if (a.size() != 4 || !SoDigitos(a))
        return QStringLiteral("0292");
    const int dia = int(ValorDigitos(d.left(2)));
    const int mes = int(ValorDigitos(d.mid(2, 2)));
    return QDate::isValid(int(ValorDigitos(a)), mes, dia) ? CodigoValido : QStringLiteral("0292");
}

QString CriticaDataDesligamentoCausa(const QString &data, const QString &causa)
{
    const QStringView d = VistaAparada(data);
    const QStringView c = VistaAparada(causa);
    if (!SoDigitos(d) || !SoDigitos(c))
        return CodigoValido;
    const qint64 codigo = ValorDigitos(c);
    const bool semData = !ValorInformado(d); // digits, all "0"
    if (codigo == 0)
        return semData ? CodigoValido : QStringLiteral("0293");
    if (codigo == 71 || codigo == 78 || codigo == 80)
        return semData ? CodigoValido : QStringLiteral("3512");
    return semData ? QStringLiteral("0291") : CodigoValido;
}

QString CriticaDesligamentoAntesAdmissao(const QString &desligamento, const QString &admissao,
                                         const QString &ano)
{
    const QStringView d = VistaAparada(desligamento);
    const QStringView a = VistaAparada(admissao);
    const QStringView y = VistaAparada(ano);
    if (d.isEmpty() || a.isEmpty() || y.isEmpty() || !ValorInformado(d))
        return CodigoValido;
    if (d.size() != 4 || !ValorInformado(a) || a.size() != 8 || a.mid(4, 4) != y)
        return CodigoValido;
    return ComparaDiaMes(d, a.left(4)) < 0 ? QStringLiteral("0290") : CodigoValido;
}

QString CriticaDesligamentoEncerramento(const QString &desligamento, const QString &encerramento,
                                        const QString &ano)
{
    const QStringView d = VistaAparada(desligamento);
    const QStringView e = VistaAparada(encerramento);
    if (d.isEmpty() || e.isEmpty() || !ValorInformado(d) || d.size() != 4)
        return CodigoValido;
    if (!ValorInformado(e) || e.size() != 8 || e.mid(4, 4) != VistaAparada(ano))
        return CodigoValido;
    return ComparaDiaMes(e.left(4), d) < 0 ? QStringLiteral("3603") : CodigoValido;
}

QString CriticaCausaEncerramento(const QString &encerramento, const QString &anoDeclaracao, const QString &causa,
                                 const QString &anoBase)
{
    if (VistaAparada(anoDeclaracao) != VistaAparada(anoBase) || VistaAparada(encerramento) != QLatin1String("1"))
        return CodigoValido;
    return ValorInformado(causa) ? CodigoValido : QStringLiteral("0281");
}

QString CriticaCausaNatureza(const QString &causa, const QString &natureza)
{
    if (causa != QLatin1String("32") && causa != QLatin1String("33"))
        return CodigoValido;
    if (!SoDigitos(natureza) || natureza.startsWith(QLatin1Char('1')) || natureza == QLatin1String("2011")
        || natureza == QLatin1String("2038"))
        return CodigoValido;
    return ValorDigitos(natureza) > 2038 ? QStringLiteral("3774") : CodigoValido;
}

QString CriticaAvisoPrevioNum(const QString &valor)
{
    const QStringView v = VistaAparada(valor);
    if (v.isEmpty())
        return QStringLiteral("0335");
    if (v.size() == 9 && SoDigitos(v))
        return CodigoValido;
    return CriticaNumericoCampo(TextoAparado(valor), 9);
}

QString CriticaAvisoPrevio(const QString &valor, const QString &causa)
{
    const QStringView c = VistaAparada(causa);
    if (!SoDigitos(c))
        return CodigoValido;
    const qint64 codigo = ValorDigitos(c);
    if (codigo == 11 || codigo == 21)
        return CodigoValido;
    return ValorInformado(valor) ? QStringLiteral("0335") : CodigoValido;
}

} // namespace gdvorn
