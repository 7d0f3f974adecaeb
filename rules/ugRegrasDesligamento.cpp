#include "rules/ugRegrasDesligamento.h"

#include "app/udmGDVorn.h"
#include "app/ugCriticas.h"
#include "rules/ContextoRegras.h"
#include "rules/ugRegras.h"

namespace gdvorn {

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
    const QString d = TextoAparado(data);
    const QString a = TextoAparado(ano);
    if (d.isEmpty())
        return QStringLiteral("0292");
    const QString numerico = CriticaNumericoCampo(d, 4);
    if (numerico != CodigoValido)
        return numerico;
    if (SoZeros(d))
        return CodigoValido;
    return DiaMesValido(d, a) ? CodigoValido : QStringLiteral("0292");
}

QString CriticaDataDesligamentoCausa(const QString &data, const QString &causa)
{
    const QString d = TextoAparado(data);
    const QString c = TextoAparado(causa);
    if (!SoDigitos(d) || !SoDigitos(c))
        return CodigoValido;
    const qint64 codigo = ValorDigitos(c);
    if (codigo == 0)
        return SoZeros(d) ? CodigoValido : QStringLiteral("0293");
    if (codigo == 71 || codigo == 78 || codigo == 80)
        return SoZeros(d) ? CodigoValido : QStringLiteral("3512");
    return SoZeros(d) ? QStringLiteral("0291") : CodigoValido;
}

QString CriticaDesligamentoAntesAdmissao(const QString &desligamento, const QString &admissao,
                                         const QString &ano)
{
    const QString d = TextoAparado(desligamento);
    const QString a = TextoAparado(admissao);
    const QString y = TextoAparado(ano);
    if (d.isEmpty() || a.isEmpty() || y.isEmpty() || SoZeros(d))
        return CodigoValido;
    if (d.size() != 4 || SoZeros(a) || a.size() != 8 || a.mid(4, 4) != y)
        return CodigoValido;
    return ComparaDiaMes(d, a.left(4)) < 0 ? QStringLiteral("0290") : CodigoValido;
}

QString CriticaDesligamentoEncerramento(const QString &desligamento, const QString &encerramento,
                                        const QString &ano)
{
    const QString d = TextoAparado(desligamento);
    const QString e = TextoAparado(encerramento);
    if (d.isEmpty() || e.isEmpty() || SoZeros(d) || d.size() != 4)
        return CodigoValido;
    if (SoZeros(e) || e.size() != 8 || e.mid(4, 4) != TextoAparado(ano))
        return CodigoValido;
    return ComparaDiaMes(e.left(4), d) < 0 ? QStringLiteral("3603") : CodigoValido;
}

QString CriticaCausaEncerramento(const QString &encerramento, const QString &anoDeclaracao, const QString &causa,
                                 const QString &anoBase)
{
    if (TextoAparado(anoDeclaracao) != TextoAparado(anoBase) || TextoAparado(encerramento) != QLatin1String("1"))
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
    const QString v = TextoAparado(valor);
    if (v.isEmpty())
        return QStringLiteral("0335");
    return CriticaNumericoCampo(v, 9);
}

QString CriticaAvisoPrevio(const QString &valor, const QString &causa)
{
    const QString c = TextoAparado(causa);
    if (!SoDigitos(c))
        return CodigoValido;
    const qint64 codigo = ValorDigitos(c);
    if (codigo == 11 || codigo == 21)
        return CodigoValido;
    return ValorInformado(valor) ? QStringLiteral("0335") : CodigoValido;
}

} // namespace gdvorn
