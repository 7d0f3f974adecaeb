#include "rules/ugRegrasAtividade.h"

#include "app/udmGDVorn.h"
#include "app/ugCriticas.h"
#include "app/ugFuncoes.h"
#include "rules/ContextoRegras.h"
#include "rules/ugRegras.h"

namespace gdvorn {

namespace {

// A code of `tamanho` digits looked up in a code table: `vazio` for empty or zeros, `ausente` when the
// table lacks it.
QString codigoDeTabela(const QString &codigo, int tamanho, Table &tabela, const char *vazio, const char *ausente)
{
    const QString v = TextoAparado(codigo);
    if (v.isEmpty())
        return QLatin1String(vazio);
    const QString numerico = CriticaNumericoCampo(v, tamanho);
    if (numerico != CodigoValido)
        return numerico;
    if (SoZeros(v))
        return QLatin1String(vazio);
    return tabela.FindKey({v}) ? CodigoValido : QString(QLatin1String(ausente));
}

// The first ten characters of the name, in capitals, designate a municipal government.
bool nomePrefeitura(const QString &nome)
{
    const QString inicio = nome.left(10).toUpper();
    return inicio == QLatin1String("PREFEITURA") || inicio == QLatin1String("PREF") ||
           inicio == QLatin1String("PREF.");
}

} // namespace

QString CriticaCnae(const QString &cnae)
{
    return codigoDeTabela(cnae, 7, contextoRegras().Tabelas().taCNAE, "0360", "0361");
}

QString CriticaNaturezaJuridica(const QString &natureza)
{
    return codigoDeTabela(natureza, 4, contextoRegras().Tabelas().taNatJu, "0370", "0371");
}

QString CriticaMesDataBase(const QString &mes)
{
    const QString v = TextoAparado(mes);
    if (v.isEmpty())
        return QStringLiteral("0030");
    const QString numerico = CriticaNumericoCampo(v, 2);
    if (numerico != CodigoValido)
        return numerico;
    return v.toInt() > 12 ? QStringLiteral("0071") : CodigoValido;
}

QString CriticaDataBaseNegativa(const QString &mes, const QString &negativa)
{
    if (negativa != QLatin1String("0"))
        return CodigoValido;
    return SoZeros(mes) ? QStringLiteral("0070") : CodigoValido;
}

QString CriticaIndicadorNegativaValor(const QString &indicador)
{
    const QString v = TextoAparado(indicador);
    if (v.isEmpty())
        return QStringLiteral("0140");
    const QString numerico = CriticaNumericoCampo(v, 1);
    if (numerico != CodigoValido)
        return numerico;
    return v.toInt() > 1 ? QStringLiteral("0140") : CodigoValido;
}

QString CriticaIndicadorNegativa(const QString &negativa, const QString &tipo, const QString &ceiVinculado)
{
    if (negativa != QLatin1String("1"))
        return CodigoValido;
    if (tipo == QLatin1String("3"))
        return QStringLiteral("0133");
    if (tipo == QLatin1String("1") && !SoZeros(ceiVinculado))
        return QStringLiteral("0133");
    return CodigoValido;
}

QString CriticaEncerramentoAtividade(const QString &indicador, const QString &data, const QString &ano,
                                     bool modoArquivo)
{
    if (TextoAparado(indicador) != QLatin1String("1")) {
        if (data.isEmpty())
            return modoArquivo ? QStringLiteral("3514") : CodigoValido;
        return data.size() == 4 || SoZeros(data) ? CodigoValido : QStringLiteral("3515");
    }
    const QString d = TextoAparado(data);
    if (d.isEmpty() || SoZeros(d))
        return QStringLiteral("3513");
    const QString numerico = CriticaNumericoCampo(d, 8);
    if (numerico != CodigoValido)
        return numerico;
    if (!DataValida(d))
        return QStringLiteral("3514");
    const int aaaammdd = DataAnoMesDia(d).toInt();
    const int a = StrToIntSeguro(TextoAparado(ano));
    if (aaaammdd < a * 10000 + 101 || aaaammdd > a * 10000 + 1231)
        return QStringLiteral("3516");
    return CodigoValido;
}

QString CriticaAtividadeAnoBase(const QString &indicador)
{
    return indicador == QLatin1String("1") || indicador == QLatin1String("2") ? CodigoValido : QStringLiteral("3668");
}

QString CriticaPorte(const QString &porte)
{
    return porte == QLatin1String("1") || porte == QLatin1String("2") || porte == QLatin1String("3")
               ? CodigoValido
               : QStringLiteral("3124");
}

QString CriticaOptanteSimples(const QString &indicador)
{
    return indicador == QLatin1String("1") || indicador == QLatin1String("2") ? CodigoValido : QStringLiteral("3604");
}

QString CriticaSimplesPorte(const QString &simples, const QString &porte)
{
    if (porte != QLatin1String("3") || simples == QLatin1String("2"))
        return CodigoValido;
    return QStringLiteral("3125");
}

QString CriticaNaturezaNome(const QString &natureza, const QString &nome)
{
    if (nomePrefeitura(TextoAparado(nome)) && TextoAparado(natureza) != QLatin1String("1031"))
        return QStringLiteral("0372");
    return CodigoValido;
}

QString CriticaCnaeNome(const QString &cnae, const QString &nome)
{
    const QString c = TextoAparado(cnae);
    const QString n = TextoAparado(nome);
    const bool condominio = n.left(10).toUpper() == QLatin1String("CONDOMINIO");
    if (condominio && c != QLatin1String("8112500"))
        return QStringLiteral("0362");
    if (!condominio && n.left(8).toUpper() == QLatin1String("EDIFICIO") && c != QLatin1String("8112500"))
        return QStringLiteral("0362");
    if (nomePrefeitura(n) && !c.startsWith(QLatin1String("84")))
        return QStringLiteral("0363");
    return CodigoValido;
}

} // namespace gdvorn
