#include "entry/ugDadosEstabEconomicas.h"

#include "app/base/Presenter.h"
#include "app/base/Query.h"
#include "app/ugConfiguracao.h"
#include "app/ugFuncoes.h"
#include "rules/ugRegrasSindicais.h"

namespace gdvorn {

QList<DivergenciaPrefixo> DivergenciasOutrosPrefixos(const EstabelecimentoSalvo &e)
{
    // The row being saved is left out: its stored values are the old ones, and comparing with them would
    // warn after the user made the prefixes agree.
    Query q;
    q.setSql(QStringList{
        QStringLiteral("select distinct NoRazaoEstabelecimento, CoNaturezaJuridica, CoCnae2"),
        QStringLiteral("from BD8Emp"),
        QStringLiteral("where AnBase = :sAnoBase and"),
        QStringLiteral("      CoCgcCeiEstabelecimento = :sInscricao and"),
        QStringLiteral("      InInscrEstabelecimento = :tipoinscricao and"),
        QStringLiteral("      CoCgcVinculado = :sCeiVinc and"),
        QStringLiteral("      NuPrefixoEstabelecimento <> :sPrefixo"),
    });
    q.ParamByName(QStringLiteral("sAnoBase")).setAsStored(QStringLiteral("bd8emp"), QStringLiteral("AnBase"), e.Ano);
    q.ParamByName(QStringLiteral("sInscricao")).setAsStored(QStringLiteral("bd8emp"), QStringLiteral("CoCgcCeiEstabelecimento"), e.Inscricao);
    q.ParamByName(QStringLiteral("tipoinscricao")).setAsStored(QStringLiteral("bd8emp"), QStringLiteral("InInscrEstabelecimento"), e.Tipo);
    q.ParamByName(QStringLiteral("sCeiVinc")).setAsStored(QStringLiteral("bd8emp"), QStringLiteral("CoCgcVinculado"), e.CeiVinculado);
    q.ParamByName(QStringLiteral("sPrefixo")).setAsStored(QStringLiteral("bd8emp"), QStringLiteral("NuPrefixoEstabelecimento"), e.Prefixo);
    q.Open();

    QList<DivergenciaPrefixo> dados;
    const auto difere = [&q](const char *campo, const QString &valor) {
        return q.FieldByName(QLatin1String(campo)).AsString().trimmed() != valor.trimmed();
    };
    for (; !q.Eof() && dados.size() < 3; q.Next()) {
        const std::pair<DivergenciaPrefixo, bool> testes[] = {
            {DivergenciaPrefixo::RazaoSocial, difere("NoRazaoEstabelecimento", e.RazaoSocial)},
            {DivergenciaPrefixo::NaturezaJuridica, difere("CoNaturezaJuridica", e.NaturezaJuridica)},
            {DivergenciaPrefixo::Cnae, difere("CoCnae2", e.Cnae)},
        };
        for (const auto &[divergencia, difere] : testes) {
            if (difere && !dados.contains(divergencia)) {
                dados << divergencia;
                break;
            }
        }
    }
    q.Close();
    return dados;
}

QString TextoDivergencia(DivergenciaPrefixo d)
{
    switch (d) {
    case DivergenciaPrefixo::RazaoSocial:
        return QStringLiteral("Esta inscrição já esta cadastrada com outra Razão Social. Verificar qual a correta.");
    case DivergenciaPrefixo::NaturezaJuridica:
        return QStringLiteral(
            "Esta Inscrição já esta cadastrada com outra Natureza Jurídica. Verificar qual a correta.");
    case DivergenciaPrefixo::Cnae:
        return QStringLiteral("Esta inscrição já esta cadastrada com outro CNAE. Verificar qual o correto.");
    }
    return QString();
}

QString PerguntaEntidade(EntidadeEstab tipo)
{
    if (tipo == EntidadeEstab::Sindical)
        return QStringLiteral("Este campo deve ser preenchido obrigatoriamente como CNPJ da entidade sindical "
                              "patronal. Confirma?");
    return QStringLiteral("Este campo deve ser preenchido obrigatoriamente com o CNPJ da entidade sindical "
                          "patronal. Confirma?");
}

bool ConfereEntidadeEstab(EntidadeEstab tipo, const QString &cnpj)
{
    const QString orgao = Configuracao().CnpjOrgaoProprietario.trimmed();
    if (tipo == EntidadeEstab::Sindical && !orgao.isEmpty() && cnpj.trimmed() == orgao)
        return true;
    if (CriticaCnpjEntidadeEstab(cnpj) == QLatin1String("0000"))
        return true;
    return presenter().show(MessageKind::Confirmation, PerguntaEntidade(tipo),
                            {MessageButton::Yes, MessageButton::No}) == MessageButton::Yes;
}

ValorDigitado CriticaValorSindical(const QString &texto)
{
    ValorDigitado v = PassosValor(texto.trimmed().isEmpty() ? QStringLiteral("0,00") : texto, 9);
    if (v.Codigo == QLatin1String("0000"))
        v.Codigo = CriticaValorEntidadeEstab(v.Centavos);
    return v;
}

} // namespace gdvorn
