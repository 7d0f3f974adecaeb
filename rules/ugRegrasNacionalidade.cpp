#include "rules/ugRegrasNacionalidade.h"

#include "app/udmGDVorn.h"
#include "app/ugCriticas.h"
#include "rules/ContextoRegras.h"
#include "rules/ugRegras.h"

namespace gdvorn {

namespace {

constexpr qint64 kBrasileira = 10;

bool estrangeira(qint64 nacionalidade)
{
    return nacionalidade != 0 && nacionalidade != kBrasileira;
}

bool letraOuDigito(QChar c)
{
    return (c >= QLatin1Char('0') && c <= QLatin1Char('9')) || (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
        || (c >= QLatin1Char('a') && c <= QLatin1Char('z'));
}

} // namespace

QString CriticaNacionalidade(const QString &nacionalidade)
{
    const QString n = TextoAparado(nacionalidade);
    if (!ValorInformado(n))
        return QStringLiteral("0180");
    const QString numerico = CriticaNumericoCampo(n, 2);
    if (numerico != CodigoValido)
        return numerico;
    return contextoRegras().Tabelas().taNacionalidade.FindKey({n}) ? CodigoValido : QStringLiteral("0181");
}

QString CriticaAnoChegadaNumerico(const QString &ano)
{
    return CriticaNumericoCampo(ano, 4);
}

QString CriticaAnoChegada(const QString &ano, const QString &nacionalidade)
{
    const QStringView a = VistaAparada(ano);
    const QStringView n = VistaAparada(nacionalidade);
    if (n.isEmpty() || a.isEmpty() || !SoDigitos(n) || !SoDigitos(a))
        return CodigoValido;
    const qint64 chegada = ValorDigitos(a);
    const qint64 pais = ValorDigitos(n);
    if (chegada == 0 && pais == 0)
        return CodigoValido;
    if (pais != kBrasileira)
        return chegada != 0 ? CodigoValido : QStringLiteral("0191");
    return chegada != 0 ? QStringLiteral("0190") : CodigoValido;
}

QString CriticaAnoChegadaAnoBase(const QString &chegada, const QString &ano, const QString &nacionalidade)
{
    const QStringView c = VistaAparada(chegada);
    const QStringView a = VistaAparada(ano);
    const QStringView n = VistaAparada(nacionalidade);
    if (!SoDigitos(c) || !SoDigitos(a) || !SoDigitos(n))
        return CodigoValido;
    if (ValorDigitos(c) == 0 || ValorDigitos(a) == 0)
        return CodigoValido;
    return estrangeira(ValorDigitos(n)) && ValorDigitos(a) < ValorDigitos(c) ? QStringLiteral("0192")
                                                                               : CodigoValido;
}

QString CriticaAnoChegadaNascimento(const QString &chegada, const QString &nascimento,
                                    const QString &nacionalidade)
{
    const QStringView c = VistaAparada(chegada);
    const QStringView d = VistaAparada(nascimento);
    const QStringView n = VistaAparada(nacionalidade);
    if (!SoDigitos(c) || !SoDigitos(d) || !SoDigitos(n))
        return CodigoValido;
    if (ValorDigitos(d) == 0 || ValorDigitos(c) == 0)
        return CodigoValido;
    const qint64 anoNascimento = ValorDigitos(d.mid(4, 4));
    return estrangeira(ValorDigitos(n)) && ValorDigitos(c) < anoNascimento ? QStringLiteral("0193")
                                                                             : CodigoValido;
}

QString CriticaInstrucao(const QString &instrucao)
{
    const QString i = TextoAparado(instrucao);
    if (!ValorInformado(i))
        return QStringLiteral("0200");
    const QString numerico = CriticaNumericoCampo(i, 2);
    if (numerico != CodigoValido)
        return numerico;
    return contextoRegras().Tabelas().taInstrucao.FindKey({i}) ? CodigoValido : QStringLiteral("0201");
}

QString CriticaInstrucaoIdade(const QString &instrucao, const QString &anoNascimento, bool origem)
{
    return CriticaInstrucaoIdade(QStringView(instrucao), QStringView(anoNascimento), origem);
}

QString CriticaInstrucaoIdade(QStringView instrucao, QStringView anoNascimento, bool origem)
{
    if (!SoDigitos(anoNascimento))
        return CodigoValido;
    const qint64 idade = contextoRegras().AnoBase() - ValorDigitos(anoNascimento);
    const bool superior = instrucao == QLatin1String("10") || instrucao == QLatin1String("11");
    if ((superior && idade < 23) || (instrucao == QLatin1String("09") && idade < 19))
        return origem ? QStringLiteral("3772") : QStringLiteral("3771");
    return CodigoValido;
}

QString CriticaCarteiraDigitos(const QString &numero)
{
    return EhNumerico(numero) ? CodigoValido : QStringLiteral("0212");
}

QString CriticaCarteiraNumerica(const QString &numero, const QString &)
{
    const QStringView n = VistaAparada(numero);
    if (n.isEmpty() || n == QLatin1String("00000000") || (n.size() == 8 && SoDigitos(n)))
        return CodigoValido;
    return CriticaNumericoCampo(TextoAparado(numero), 8);
}

QString CriticaSerieCarteira(const QString &serie)
{
    // A stored serie has no blanks around it: read as it stands.
    const bool imprimivel = VistaAparada(serie).size() == serie.size() ? TextoImprimivel(serie)
                                                                       : TextoImprimivel(TextoAparado(serie));
    return imprimivel ? CodigoValido : QStringLiteral("0020");
}

QString CriticaNumeroCarteira(const QString &numero, const QString &serie)
{
    const QStringView n = VistaAparada(numero);
    const QStringView s = VistaAparada(serie);
    if (s.size() > 5 && ValorInformado(s))
        return QStringLiteral("0215");
    if (!ValorInformado(n) && ValorInformado(s))
        return QStringLiteral("3723");
    if (!ValorInformado(s) && ValorInformado(n))
        return QStringLiteral("0214");
    return CodigoValido;
}

QString CriticaFormatoSerieCarteira(const QString &serie, const QString &nacionalidade, const QString &numero)
{
    const QStringView s = VistaAparada(serie);
    const QStringView n = VistaAparada(numero);
    const QStringView p = VistaAparada(nacionalidade);
    if (n.isEmpty() || s.isEmpty() || n == QLatin1String("00000000") || s == QLatin1String("00000"))
        return CodigoValido;
    bool valida;
    if (p != QLatin1String("10") && p != QLatin1String("20"))
        valida = s.size() == 5 && letraOuDigito(s.at(0)) && SoDigitos(s.mid(1));
    else
        valida = s.size() <= 5 && SoDigitos(s);
    return valida ? CodigoValido : QStringLiteral("0213");
}

QString CriticaCarteiraTrabalho(const QString &numero, const QString &cpf, const QString &vinculo,
                                const QString &desligamento)
{
    if (!SoDigitos(VistaAparada(vinculo)))
        return CodigoValido;
    const bool temCarteira = ValorInformado(numero);
    const bool temCpf = ValorInformado(cpf);
    if (!temCarteira)
        return temCpf ? CodigoValido : QStringLiteral("0340");
    if (temCpf || !ValorInformado(desligamento))
        return CodigoValido;
    return QStringLiteral("3759");
}

} // namespace gdvorn
