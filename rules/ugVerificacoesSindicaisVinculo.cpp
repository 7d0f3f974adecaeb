// The checks of a link's union contributions, termination amounts and union membership (V56-V73, V86).
// Every finding is of record type 2; errors count one occurrence each, warnings none.

#include "rules/ugConsistencia.h"
#include "rules/ugRegrasSindicais.h"
#include "rules/ugRegrasVerbas.h"
#include "rules/ugVerificacoes.h"
#include "rules/ugVerificacoesComum.h"

namespace gdvorn {

namespace {

const QString &campo(AnaliseConsistencia &a, const char *nome) { return a.CamposVinculo.Gravado(nome); }

void erro(AnaliseConsistencia &a, const QString &codigo, const QList<CampoOcorrencia> &campos)
{
    a.RegistraErro(RegistroVinculo, codigo, campos);
}

// The entity steps of a CNPJ: filled in a file, then (when informed) not forbidden, well formed, and in
// the workers' entities table (a warning, not for QYV where `isentaQyv`). True when every step passed.
// The table's answer for a CNPJ holds for the whole run: it is searched once per CNPJ.
bool entidade(AnaliseConsistencia &a, const QString &cnpj, const QString &tipo, const QString &rotulo,
              bool isentaQyv)
{
    QString codigo = CriticaCampoPreenchido(cnpj, a.OrigemArquivo);
    if (!Passa(codigo)) {
        erro(a, codigo, {{rotulo, cnpj}});
        return false;
    }
    if (VistaAparada(cnpj).isEmpty() || cnpj == QLatin1String("00000000000000"))
        return false;
    codigo = CriticaCnpjEntidadeVedado(cnpj, a.CamposEstabelecimento.Gravado("CoCgcCeiEstabelecimento"), 1);
    if (!Passa(codigo)) {
        erro(a, codigo, {{rotulo, cnpj}});
        return false;
    }
    codigo = CriticaCnpjEntidade(cnpj, tipo, 1, true);
    if (!CodigoEntre(codigo, {"0000", "0051", "0050"})) {
        erro(a, codigo, {{rotulo, cnpj}});
        return false;
    }
    codigo = a.CodigoDeTabela(CriticaCnpjEntidadeVinculo, cnpj);
    if (!Passa(codigo)) {
        if (!(isentaQyv && cnpj == CnpjQyv))
            a.RegistraAviso(RegistroVinculo, codigo, {{rotulo, cnpj}});
        return false;
    }
    return true;
}

void primeiraAssociativa(AnaliseConsistencia &a)
{
    const QString &cnpj = campo(a, "CoCNPJPrimAssociativa");
    const QString &indicador = campo(a, "InSindicalizadoVinculo");
    const QString codigo = CriticaSindicalizacao(cnpj, indicador, 1);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::Sindicalizado, indicador}, {Rotulo::PrimeiraAssociativa, cnpj}});
        return;
    }
    entidade(a, cnpj, QStringLiteral("associativa"), Rotulo::PrimeiraAssociativa, false);
}

void segundaAssociativa(AnaliseConsistencia &a)
{
    const QString &cnpj = campo(a, "CoCNPJSegAssociativa");
    const QString &indicador = campo(a, "InSindicalizadoVinculo");
    QString codigo = CriticaNaoSindicalizadoEntidade(cnpj, indicador);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::Sindicalizado, indicador}, {Rotulo::SegundaAssociativa, cnpj}});
        return;
    }
    if (!entidade(a, cnpj, QStringLiteral("associativa"), Rotulo::SegundaAssociativa, false))
        return;
    const QString &primeira = campo(a, "CoCNPJPrimAssociativa");
    codigo = CriticaSegundaAssociativa(primeira, cnpj);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::PrimeiraAssociativa, primeira}, {Rotulo::SegundaAssociativa, cnpj}});
}

// The value of a contribution (V61-V65) with its CNPJ.
void valorContribuicao(AnaliseConsistencia &a, const char *campoValor, const char *campoCnpj,
                       const QString &rotuloValor, const QString &rotuloCnpj, bool sindical)
{
    const QString &valor = campo(a, campoValor);
    QString codigo = CriticaValorEntidadeVinculo(valor);
    if (!Passa(codigo)) {
        erro(a, codigo, {{rotuloValor, valor}});
        return;
    }
    const QString &cnpj = campo(a, campoCnpj);
    codigo = sindical ? CriticaContribuicao(cnpj, valor, QStringLiteral("sindical"), 1, a.OrigemArquivo,
                                            campo(a, "CoVinculo"))
                      : CriticaContribuicao(cnpj, valor, QString(), 1, a.OrigemArquivo, QString());
    if (Passa(codigo))
        return;
    const QList<CampoOcorrencia> linhas{{rotuloCnpj, cnpj}, {rotuloValor, valor}};
    if (sindical && codigo == QLatin1String("3687"))
        a.RegistraAviso(RegistroVinculo, codigo, linhas);
    else
        erro(a, codigo, linhas);
}

// A termination amount (V66-V68, V70, V72): its format, then a dismissal cause; the bonuses' cause
// finding is a warning.
void verba(AnaliseConsistencia &a, const char *nome, const QString &rotulo, bool avisoSemCausa)
{
    const QString &valor = campo(a, nome);
    QString codigo = CriticaValorVerba(valor);
    if (!Passa(codigo)) {
        erro(a, codigo, {{rotulo, valor}});
        return;
    }
    codigo = CriticaValorVerbaRescisoria(campo(a, "CoCausaDesligamento"), valor);
    if (Passa(codigo))
        return;
    if (avisoSemCausa)
        a.RegistraAviso(RegistroVinculo, codigo, {{rotulo, valor}});
    else
        erro(a, codigo, {{rotulo, valor}});
}

// The months of an amount (V69, V71, V73).
void meses(AnaliseConsistencia &a, const char *nomeMeses, const char *nomeValor, const QString &rotulo,
           QString (*regra)(const QString &, const QString &))
{
    const QString &quantidade = campo(a, nomeMeses);
    QString codigo = CriticaMesesCompetencia(quantidade);
    if (Passa(codigo))
        codigo = regra(campo(a, nomeValor), quantidade);
    if (!Passa(codigo))
        erro(a, codigo, {{rotulo, quantidade}});
}

} // namespace

void VerificacoesSindicaisVinculo(SequenciasConsistencia &s)
{
    s.Vinculo.insert(56, [](AnaliseConsistencia &a) {
        entidade(a, campo(a, "CoCNPJSindical"), QStringLiteral("sindical"), Rotulo::CnpjSindical, true);
    });
    s.Vinculo.insert(57, primeiraAssociativa);
    s.Vinculo.insert(58, segundaAssociativa);
    s.Vinculo.insert(59, [](AnaliseConsistencia &a) {
        entidade(a, campo(a, "CoCNPJAssistencial"), QStringLiteral("assistencial"), Rotulo::CnpjAssistencial, false);
    });
    s.Vinculo.insert(60, [](AnaliseConsistencia &a) {
        entidade(a, campo(a, "CoCNPJConfederativa"), QStringLiteral("confederativa"), Rotulo::CnpjConfederativa,
                 false);
    });
    s.Vinculo.insert(61, [](AnaliseConsistencia &a) {
        valorContribuicao(a, "VaGlobalSindical", "CoCNPJSindical", Rotulo::ValorSindical, Rotulo::CnpjSindical, true);
    });
    s.Vinculo.insert(62, [](AnaliseConsistencia &a) {
        valorContribuicao(a, "VaGlobalPrimAssociativa", "CoCNPJPrimAssociativa", Rotulo::ValorAssociativa,
                          Rotulo::PrimeiraAssociativa, false);
    });
    s.Vinculo.insert(63, [](AnaliseConsistencia &a) {
        valorContribuicao(a, "VaGlobalSegAssociativa", "CoCNPJSegAssociativa", Rotulo::ValorAssociativa,
                          Rotulo::SegundaAssociativa, false);
    });
    s.Vinculo.insert(64, [](AnaliseConsistencia &a) {
        valorContribuicao(a, "VaGlobalAssistencial", "CoCNPJAssistencial", Rotulo::ValorAssistencial,
                          Rotulo::CnpjAssistencial, false);
    });
    s.Vinculo.insert(65, [](AnaliseConsistencia &a) {
        valorContribuicao(a, "VaGlobalConfederativa", "CoCNPJConfederativa", Rotulo::ValorConfederativa,
                          Rotulo::CnpjConfederativa, false);
    });
    s.Vinculo.insert(66, [](AnaliseConsistencia &a) { verba(a, "VaGlobalFerias", Rotulo::Ferias, false); });
    s.Vinculo.insert(67, [](AnaliseConsistencia &a) { verba(a, "VaGlobalMultas", Rotulo::Multas, false); });
    s.Vinculo.insert(68, [](AnaliseConsistencia &a) { verba(a, "VaGlobalBcoHoras", Rotulo::BancoHoras, false); });
    s.Vinculo.insert(69, [](AnaliseConsistencia &a) {
        meses(a, "QtCompBcoHoras", "VaGlobalBcoHoras", Rotulo::MesesBancoHoras, CriticaBancoHoras);
    });
    s.Vinculo.insert(70, [](AnaliseConsistencia &a) { verba(a, "VaGlobalDissidio", Rotulo::Dissidio, false); });
    s.Vinculo.insert(71, [](AnaliseConsistencia &a) {
        meses(a, "QtCompDissidio", "VaGlobalDissidio", Rotulo::MesesDissidio, CriticaDissidio);
    });
    s.Vinculo.insert(72, [](AnaliseConsistencia &a) {
        verba(a, "VaGlobalGratificacoes", Rotulo::Gratificacoes, true);
    });
    s.Vinculo.insert(73, [](AnaliseConsistencia &a) {
        meses(a, "QtCompGratificacoes", "VaGlobalGratificacoes", Rotulo::MesesGratificacoes, CriticaGratificacoes);
    });
    s.Vinculo.insert(86, [](AnaliseConsistencia &a) {
        const QString &indicador = campo(a, "InSindicalizadoVinculo");
        const QString codigo = CriticaIndicadorSindicalizado(indicador);
        if (!Passa(codigo))
            erro(a, codigo, {{Rotulo::Sindicalizado, indicador}});
    });
}

} // namespace gdvorn
