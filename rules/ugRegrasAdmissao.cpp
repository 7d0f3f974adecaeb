#include "rules/ugRegrasAdmissao.h"

#include "app/udmGDVorn.h"
#include "app/ugCriticas.h"
#include "rules/ContextoRegras.h"
#include "rules/ugRegras.h"

namespace gdvorn {

namespace {

// A DDMMYYYY date that the age rules may count with: digits, eight of them, not zeros, a real date.
// Any other value gives 0 and the rule accepts it (the date rules report it).
int dataDeIdade(const QString &texto)
{
    return DataNumero(VistaAparada(texto));
}

// The value of DataAnoMesDia(data) for a text of digits: its pieces read as one number.
qint64 valorAnoMesDia(QStringView data)
{
    qint64 valor = 0;
    for (QStringView parte : {data.mid(4, 4), data.mid(2, 2), data.left(2)})
        for (QChar c : parte)
            valor = valor * 10 + (c.unicode() - u'0');
    return valor;
}

} // namespace

QString CriticaDataAdmissao(const QString &data)
{
    const QStringView d = VistaAparada(data);
    // A real date is informed and numeric: only its year is left to judge.
    if (const int numero = DataNumero(d))
        return numero / 10000 <= 1910 ? QStringLiteral("0390") : CodigoValido;
    if (!ValorInformado(d))
        return QStringLiteral("0392");
    if (d.size() != 8 || !SoDigitos(d)) {
        const QString numerico = CriticaNumericoCampo(TextoAparado(data), 8);
        if (numerico != CodigoValido)
            return numerico;
    }
    const int numero = DataNumero(d);
    if (numero == 0 || numero / 10000 <= 1910)
        return QStringLiteral("0390");
    return CodigoValido;
}

QString CriticaAdmissaoAnoBase(const QString &admissao, const QString &ano)
{
    const QStringView d = VistaAparada(admissao);
    const QStringView a = VistaAparada(ano);
    if (!SoDigitos(d) || !SoDigitos(a) || !ValorInformado(d) || !ValorInformado(a))
        return CodigoValido;
    return d.size() == 8 && ValorDigitos(d.mid(4, 4)) > ValorDigitos(a) ? QStringLiteral("0391") : CodigoValido;
}

QString CriticaAdmissaoEncerramento(const QString &encerramento, const QString &admissao)
{
    const QStringView e = VistaAparada(encerramento);
    const QStringView d = VistaAparada(admissao);
    if (e.isEmpty() || e == QLatin1String("00000000") || !SoDigitos(e) || !SoDigitos(d))
        return CodigoValido;
    return valorAnoMesDia(e) < valorAnoMesDia(d) ? QStringLiteral("0394") : CodigoValido;
}

QString CriticaAdmissaoChegada(const QString &chegada, const QString &admissao, const QString &nacionalidade)
{
    const QStringView c = VistaAparada(chegada);
    const QStringView d = VistaAparada(admissao);
    const QStringView n = VistaAparada(nacionalidade);
    if (!SoDigitos(c) || !SoDigitos(d) || !SoDigitos(n))
        return CodigoValido;
    if (!ValorInformado(c) || !ValorInformado(d) || !ValorInformado(n) || d.size() != 8 || c.size() != 4)
        return CodigoValido;
    return ValorDigitos(n) != 10 && ValorDigitos(d.mid(4, 4)) < ValorDigitos(c) ? QStringLiteral("0194")
                                                                                 : CodigoValido;
}

QString CriticaIdadeMinimaAdmissao(const QString &nascimento, const QString &admissao)
{
    const int nascido = dataDeIdade(nascimento);
    const int admitido = dataDeIdade(admissao);
    if (nascido == 0 || admitido == 0)
        return CodigoValido;
    if (admitido / 10000 > 2007) {
        if (admitido < SomaAnosNumero(nascido, 10))
            return QStringLiteral("0173");
        if (admitido < SomaAnosNumero(nascido, 14) && admitido / 10000 == contextoRegras().AnoBase())
            return QStringLiteral("0171");
        return CodigoValido;
    }
    return admitido < SomaAnosNumero(nascido, 9) ? QStringLiteral("0169") : CodigoValido;
}

QString CriticaIdadeAdmissao(const QString &alvara, const QString &nascimento, const QString &vinculo,
                             const QString &admissao)
{
    const int nascido = dataDeIdade(nascimento);
    const int admitido = dataDeIdade(admissao);
    if (nascido == 0 || admitido == 0)
        return CodigoValido;
    const int anoBase = contextoRegras().AnoBase();
    const bool menor = admitido / 10000 == anoBase ? admitido < SomaAnosNumero(nascido, 16)
                                                    : anoBase - nascido / 10000 <= 15;
    const bool comAlvara = VistaAparada(alvara) == QLatin1String("1");
    const bool aprendiz = VistaAparada(vinculo) == QLatin1String("55");
    if (menor) {
        if (!comAlvara && !aprendiz)
            return QStringLiteral("3133");
        return comAlvara && aprendiz ? QStringLiteral("3531") : CodigoValido;
    }
    return comAlvara ? QStringLiteral("3531") : CodigoValido;
}

QString CriticaIndicadorAlvara(const QString &indicador)
{
    const QStringView i = VistaAparada(indicador);
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
