#include "rules/ugRegrasEndereco.h"

#include "app/ugCriticas.h"
#include "rules/ugRegras.h"

namespace gdvorn {

namespace {

struct NomeExigido {
    const char *raiz;
    const char *inicio;
};

// CNPJ roots whose company name must begin with a fixed text.
constexpr NomeExigido kNomesExigidos[] = {
    {"00000000", "BANCO DO BRASIL"}, {"00360305", "CAIXA ECONOMICA"}, {"61411633", "BANCO DO ESTADO"},
    {"60746948", "BANCO BRADESCO"},  {"46195079", "JAU PREFEITURA"},  {"18715607", "SECRETARIA ESTA"},
    {"00177555", "POPFERRO COMERC"}, {"01103165", "LUXOR ENGENHARI"}, {"01612651", "PREFEITURA DE G"},
    {"02516579", "ASSOCIACAO COMU"}, {"13104740", "PREFEITURA MUNI"}, {"14217327", "PREFEITURA MUNI"},
    {"18363937", "PREFEITURA MUNI"}, {"88824099", "PREFEITURA MUNI"}, {"00179531", "PREFEITURA MUNI"},
    {"00936368", "CPM DA ESCOLA M"}, {"01613123", "PREFEITURA MUNI"}, {"01616520", "PREFEITURA MUNI"},
    {"01783705", "PREFEITURA MUNI"}, {"07063589", "PREFEITURA MUNI"}, {"07540180", "PREFEITURA MUNI"},
    {"08742264", "PREFEITURA MUNI"}, {"12200317", "PREFEITURA MUNI"}, {"13110218", "PREFEITURA MUNI"},
    {"13348479", "PREFEITURA MUNI"}, {"13751102", "PREFEITURA MUNI"}, {"13786520", "PREFEITURA MUNI"},
    {"13908702", "PREFEITURA MUNI"}, {"14197586", "PREFEITURA MUNI"}, {"14235899", "PREFEITURA MUNI"},
    {"17914128", "PREFEITURA MUNI"}, {"18295329", "PREFEITURA MUNI"}, {"18312108", "PREFEITURA MUNI"},
    {"18400945", "PREFEITURA MUNI"}, {"20905865", "PREFEITURA MUNI"}, {"23456650", "PREFEITURA MUNI"},
    {"23555196", "PREFEITURA MUNI"}, {"87612974", "PREFEITURA MUNI"}, {"55356653", "PREFEITURA MUNI"},
};

} // namespace

QString CriticaRazaoSocial(QString &nome, const QString &inscricao, const QString &tipoInscricao)
{
    nome = TextoAparado(nome);
    if (nome.isEmpty())
        return QStringLiteral("0110");
    const QString texto = CriticaTexto(nome);
    if (texto != CodigoValido)
        return texto;
    const QString maiusculo = nome.toUpper();
    if (maiusculo == QLatin1String("MATRIZ") || maiusculo == QLatin1String("FILIAL"))
        return QStringLiteral("0111");
    if (TextoAparado(tipoInscricao) == QLatin1String("1") && inscricao.size() >= 8) {
        const QString raiz = inscricao.left(8);
        for (const NomeExigido &n : kNomesExigidos) {
            if (raiz == QLatin1String(n.raiz))
                return maiusculo.startsWith(QLatin1String(n.inicio)) ? CodigoValido : QStringLiteral("3727");
        }
    }
    return CodigoValido;
}

QString CriticaEndereco(QString &logradouro)
{
    logradouro = TextoAparado(logradouro);
    if (logradouro.isEmpty())
        return QStringLiteral("0120");
    if (!SemCaracterRepetido(logradouro))
        return QStringLiteral("3100");
    return CriticaTexto(logradouro);
}

QString CriticaNumeroEndereco(const QString &numero) { return CriticaNumericoCampo(TextoAparado(numero), 6); }

QString CriticaComplemento(QString &complemento)
{
    complemento = TextoAparado(complemento);
    if (complemento.isEmpty())
        return CodigoValido;
    if (!TextoImprimivel(complemento))
        return QStringLiteral("0020");
    if (!SemCaracterRepetido(complemento))
        return QStringLiteral("3100");
    return CodigoValido;
}

QString CriticaTextoEndereco(const QString &numero, const QString &complemento)
{
    const QString n = TextoAparado(numero);
    if ((n.isEmpty() || SoZeros(n)) && TextoAparado(complemento).isEmpty())
        return QStringLiteral("0120");
    return CodigoValido;
}

QString CriticaBairro(QString &bairro)
{
    bairro = TextoAparado(bairro);
    if (bairro.isEmpty())
        return CodigoValido;
    return CriticaTexto(bairro);
}

QString CriticaUsoEmpresa(const QString &texto)
{
    return TextoImprimivel(texto) ? CodigoValido : QStringLiteral("0020");
}

} // namespace gdvorn
