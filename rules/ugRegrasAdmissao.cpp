#include "rules/ugRegrasAdmissao.h"

#include "app/udmGDVorn.h"
#include "app/ugCriticas.h"
#include "rules/ContextoRegras.h"
#include "rules/ugRegras.h"

namespace gdvorn {

namespace {

// A DDMMYYYY date that the age rules may count with: digits, eight of them, not zeros, a real date.
// Any other value gives a null date and the rule accepts it (the date rules report it).
QDate dataDeIdade(const QString &texto)
{
    const QString t = TextoAparado(texto);
    if (t.size() != 8 || !SoDigitos(t) || SoZeros(t))
        return QDate();
    return DataCalendario(t);
}

} // namespace

QString CriticaDataAdmissao(const QString &data)
{
    const QString d = TextoAparado(data);
    if (!ValorInformado(d))
        return QStringLiteral("0392");
    const QString numerico = CriticaNumericoCampo(d, 8);
    if (numerico != CodigoValido)
        return numerico;
    if (!DataCalendario(d).isValid() || d.mid(4, 4).toInt() <= 1910)
        return QStringLiteral("0390");
    return CodigoValido;
}

QString CriticaAdmissaoAnoBase(const QString &admissao, const QString &ano)
{
    const QString d = TextoAparado(admissao);
    const QString a = TextoAparado(ano);
    if (!SoDigitos(d) || !SoDigitos(a) || SoZeros(d) || SoZeros(a))
        return CodigoValido;
    return d.size() == 8 && ValorDigitos(d.mid(4, 4)) > ValorDigitos(a) ? QStringLiteral("0391") : CodigoValido;
}

QString CriticaAdmissaoEncerramento(const QString &encerramento, const QString &admissao)
{
    const QString e = TextoAparado(encerramento);
    const QString d = TextoAparado(admissao);
    if (e.isEmpty() || e == QLatin1String("00000000") || !SoDigitos(e) || !SoDigitos(d))
        return CodigoValido;
    return ValorDigitos(DataAnoMesDia(e)) < ValorDigitos(DataAnoMesDia(d)) ? QStringLiteral("0394")
                                                                            : CodigoValido;
}

QString CriticaAdmissaoChegada(const QString &chegada, const QString &admissao, const QString &nacionalidade)
{
    const QString c = TextoAparado(chegada);
    const QString d = TextoAparado(admissao);
    const QString n = TextoAparado(nacionalidade);
    if (!SoDigitos(c) || !SoDigitos(d) || !SoDigitos(n))
        return CodigoValido;
    if (SoZeros(c) || SoZeros(d) || SoZeros(n) || d.size() != 8 || c.size() != 4)
        return CodigoValido;
    return ValorDigitos(n) != 10 && ValorDigitos(d.mid(4, 4)) < ValorDigitos(c) ? QStringLiteral("0194")
                                                                                 : CodigoValido;
}

QString CriticaIdadeMinimaAdmissao(const QString &nascimento, const QString &admissao)
{
    const QDate nascido = dataDeIdade(nascimento);
    const QDate admitido = dataDeIdade(admissao);
    if (!nascido.isValid() || !admitido.isValid())
        return CodigoValido;
    if (admitido.year() > 2007) {
        if (admitido < SomaAnos(nascido, 10))
            return QStringLiteral("0173");
        if (admitido < SomaAnos(nascido, 14) && admitido.year() == contextoRegras().AnoBase())
            return QStringLiteral("0171");
        return CodigoValido;
    }
    return admitido < SomaAnos(nascido, 9) ? QStringLiteral("0169") : CodigoValido;
}

QString CriticaIdadeAdmissao(const QString &alvara, const QString &nascimento, const QString &vinculo,
                             const QString &admissao)
{
    const QDate nascido = dataDeIdade(nascimento);
    const QDate admitido = dataDeIdade(admissao);
    if (!nascido.isValid() || !admitido.isValid())
        return CodigoValido;
    const int anoBase = contextoRegras().AnoBase();
    const bool menor = admitido.year() == anoBase ? admitido < SomaAnos(nascido, 16)
                                                   : anoBase - nascido.year() <= 15;
    const bool comAlvara = TextoAparado(alvara) == QLatin1String("1");
    const bool aprendiz = TextoAparado(vinculo) == QLatin1String("55");
    if (menor) {
        if (!comAlvara && !aprendiz)
            return QStringLiteral("3133");
        return comAlvara && aprendiz ? QStringLiteral("3531") : CodigoValido;
    }
    return comAlvara ? QStringLiteral("3531") : CodigoValido;
}

QString CriticaIndicadorAlvara(const QString &indicador)
{
    const QString i = TextoAparado(indicador);
    return i == QLatin1String("1") || i == QLatin1String("2") ? CodigoValido : QStringLiteral("0001");
}

QString CriticaTipoAdmissao(const QString &tipo)
{
    const QString t = TextoAparado(tipo);
    if (!ValorInformado(t))
        return QStringLiteral("0221");
    const QString numerico = CriticaNumericoCampo(t, 1);
    if (numerico != CodigoValido)
        return numerico;
    return contextoRegras().Tabelas().taAdmissao.FindKey({t}) ? CodigoValido : QStringLiteral("0220");
}

QString CriticaTipoAdmissaoNatureza(const QString &tipo, const QString &natureza)
{
    if (!SoDigitos(tipo) || !SoDigitos(natureza))
        return CodigoValido;
    const qint64 t = ValorDigitos(tipo);
    return t >= 6 && t <= 9 && ValorDigitos(natureza) > 2038 ? QStringLiteral("3779") : CodigoValido;
}

} // namespace gdvorn
