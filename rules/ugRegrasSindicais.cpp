#include "rules/ugRegrasSindicais.h"

#include "app/udmGDVorn.h"
#include "app/ugCriticas.h"
#include "rules/ContextoRegras.h"
#include "rules/ugRegras.h"

namespace gdvorn {

namespace {

const QString kZeros14 = QStringLiteral("00000000000000");

// A CNPJ given: for a declaration file anything but fourteen zeros, for entered data anything but empty.
bool presente(const QString &cnpj, bool modoArquivo) { return modoArquivo ? cnpj != kZeros14 : !cnpj.isEmpty(); }

// The link types that owe no union contribution: "30", "31", "35", "95", "96" and "97".
bool vinculoIsento(QStringView vinculo)
{
    return vinculo.size() == 2 && SoDigitos(vinculo) && UmDosCodigos(ValorDigitos(vinculo), {30, 31, 35, 95, 96, 97});
}

QString classeCnpj(QStringView cnpj)
{
    if (!ValidaCNPJ(cnpj))
        return QString();
    return ValidaCEI(cnpj) ? QStringLiteral("0050") : QStringLiteral("0051");
}

// An entity in one of the entity tables; an empty table refuses no one.
QString entidadeNaTabela(Table &tabela, const QString &cnpj, const char *codigo)
{
    if (!contextoRegras().TemLinhas(tabela))
        return CodigoValido;
    return tabela.FindKey({TextoAparado(cnpj)}) ? CodigoValido : QString(QLatin1String(codigo));
}

// CriticaNumericoCampo trims what it is given: the value goes to it as it is.
QString valorEntidade(const QString &valor, int tamanho)
{
    return VistaAparada(valor).isEmpty() ? QStringLiteral("3648") : CriticaNumericoCampo(valor, tamanho);
}

} // namespace

QString CriticaCampoPreenchido(const QString &valor, bool modoArquivo)
{
    return modoArquivo && valor.isEmpty() ? QStringLiteral("0030") : CodigoValido;
}

QString CriticaCnpjEntidade(const QString &cnpj, const QString &, int, bool aceitaZeros)
{
    const QString numerico = CriticaNumericoCampo(cnpj, 14);
    if (numerico != CodigoValido)
        return numerico;
    const QStringView v = VistaAparada(cnpj);
    if (!ValorInformado(v))
        return aceitaZeros ? CodigoValido : QStringLiteral("3746");
    const QString classe = classeCnpj(v);
    if (!classe.isEmpty())
        return classe;
    return ValidaCEI(v) ? QStringLiteral("0052") : QStringLiteral("0059");
}

QString CriticaCnpjEntidadeVedado(const QString &cnpj, const QString &cnpjProprio, int origem)
{
    if (cnpj.isEmpty())
        return CodigoValido;
    if (cnpj == cnpjProprio)
        return origem == 0 ? QStringLiteral("3742") : QStringLiteral("3743");
    if (cnpj == QLatin1String("00000000000191") || cnpj == QLatin1String("00360305000104"))
        return QStringLiteral("3741");
    return CodigoValido;
}

QString CriticaCnpjEntidadeEstab(const QString &cnpj)
{
    return entidadeNaTabela(contextoRegras().Tabelas().tbEmpreg, cnpj, "3688");
}

QString CriticaCnpjEntidadeVinculo(const QString &cnpj)
{
    return entidadeNaTabela(contextoRegras().Tabelas().tbTrab, cnpj, "3689");
}

QString CriticaValorEntidadeEstab(const QString &valor) { return valorEntidade(valor, 9); }

QString CriticaValorEntidadeVinculo(const QString &valor) { return valorEntidade(valor, 8); }

QString CriticaContribuicao(const QString &cnpj, const QString &valor, const QString &tipo, int, bool,
                            const QString &vinculo)
{
    // Fourteen zeros are no CNPJ; a value of zeros or "0,00" is no value.
    const QStringView c = VistaAparada(cnpj);
    const bool semCnpj = c.isEmpty() || c == kZeros14;
    const QStringView v = VistaAparada(valor);
    const bool comValor = ValorInformado(v) && v != QLatin1String("0,00");
    if (comValor && semCnpj)
        return QStringLiteral("3744");
    if (semCnpj && VistaAparada(tipo) == QLatin1String("sindical") && !vinculoIsento(VistaAparada(vinculo)))
        return QStringLiteral("3687");
    return CodigoValido;
}

QString CriticaContribuicaoAusente(const ParametrosContribuicaoAusente &p)
{
    if (presente(TextoAparado(p.CnpjSindical), p.ModoArquivo) || presente(TextoAparado(p.CnpjCentralizado), p.ModoArquivo) ||
        TextoAparado(p.Negativa) == QLatin1String("1"))
        return CodigoValido;
    const QString natureza = TextoAparado(p.Natureza1);
    const bool publicaOuSemFins = natureza == QLatin1String("1") || natureza == QLatin1String("3");
    if (!publicaOuSemFins || TextoAparado(p.Simples) != QLatin1String("1"))
        return QStringLiteral("3687");
    return CodigoValido;
}

QString CriticaSegundaAssociativa(const QString &cnpj1, const QString &cnpj2)
{
    return VistaAparada(cnpj1) == VistaAparada(cnpj2) ? QStringLiteral("3745") : CodigoValido;
}

QString CriticaIndicadorSindicalizado(const QString &indicador)
{
    return indicador == QLatin1String("1") || indicador == QLatin1String("2") ? CodigoValido : QStringLiteral("3704");
}

QString CriticaSindicalizacao(const QString &cnpj, const QString &indicador, int origem)
{
    const bool comCnpj = ValorInformado(cnpj);
    const QStringView i = VistaAparada(indicador);
    if (i == QLatin1String("1") && !comCnpj)
        return origem == 1 ? QStringLiteral("3702") : QStringLiteral("3713");
    if (i == QLatin1String("2") && comCnpj)
        return origem == 1 ? QStringLiteral("3757") : QStringLiteral("3756");
    return CodigoValido;
}

QString CriticaNaoSindicalizadoEntidade(const QString &cnpj, const QString &indicador)
{
    return VistaAparada(indicador) == QLatin1String("2") && ValorInformado(cnpj) ? QStringLiteral("3757")
                                                                                 : CodigoValido;
}

QString CriticaCnpjCentralizador(const QString &cnpj, const QString &cnpjProprio, bool aceitaZeros)
{
    const QString v = TextoAparado(cnpj);
    const QString proprio = TextoAparado(cnpjProprio);
    const QString numerico = CriticaNumericoCampo(v, 14);
    if (numerico != CodigoValido)
        return numerico;
    if (SoZeros(v))
        return aceitaZeros ? CodigoValido : QStringLiteral("3746");
    if (v == proprio)
        return QStringLiteral("3742");
    if (v.left(8) != proprio.left(8))
        return QStringLiteral("3740");
    const QString classe = classeCnpj(v);
    return classe.isEmpty() ? QStringLiteral("0059") : classe;
}

QString CriticaSindicalCentralizada(const QString &cnpjSindical, const QString &cnpjCentralizado, bool modoArquivo)
{
    const auto dado = [modoArquivo](const QString &cnpj) {
        const QString c = TextoAparado(cnpj);
        return !c.isEmpty() && (!modoArquivo || c != kZeros14);
    };
    return dado(cnpjSindical) && dado(cnpjCentralizado) ? QStringLiteral("3706") : CodigoValido;
}

QString CriticaCentralizacao(const QString &tipo, const QString &cnpj, const QString &indicador, bool modoArquivo)
{
    const bool comCnpj = presente(TextoAparado(cnpj), modoArquivo);
    const QString i = TextoAparado(indicador);
    if (TextoAparado(tipo) == QLatin1String("3") && comCnpj)
        return QStringLiteral("3719");
    if ((i == QLatin1String("1")) != comCnpj)
        return QStringLiteral("3725");
    return CodigoValido;
}

} // namespace gdvorn
