#include "FixtureConsistencia.h"

#include "app/base/Database.h"
#include "app/base/Query.h"
#include "app/base/Schema.h"
#include "app/base/Table.h"
#include "rules/ugConsistencia.h"

namespace gdvorn::test {

void preencheTabelasValidas(FixtureTabelas &tabelas)
{
    tabelas.insere(QStringLiteral("tb8munic"),
                   {{"CoMunicipio", "3550308"}, {"NoMunicipio", "SAO PAULO"}, {"CoCep", "01001"}, {"InFaixa", "0"}});
    tabelas.insere(QStringLiteral("tbuf"), {{"CoUf", "35"}, {"SgUf", "SP"}, {"NoUf", "SAO PAULO"}});
    tabelas.insere(QStringLiteral("tbufcep"),
                   {{"CoUf", "35"}, {"IdUf", "1"}, {"CoCepInicial", "01000"}, {"CoCepFinal", "19999"}});
    tabelas.insere(QStringLiteral("tb8cnae"), {{"CoCnae", "4711302"}, {"NoCnae", "COMERCIO"}});
    tabelas.insere(QStringLiteral("tb8natju"), {{"CoNaturezaJuridica", "2062"}, {"NoNaturezaJuridica", "LTDA"}});
}

QVariantMap responsavelValido()
{
    return {{"CoCgcCeiResponsavel", "11222333000181"},
            {"InInscrResponsavel", "1"},
            {"NoResponsavelArquivo", "EMPRESA EXEMPLO LTDA"},
            {"EdLogradouroRespArquivo", "RUA DAS FLORES"},
            {"NuLogradouroRespArquivo", "000123"},
            {"NoBairroRespArquivo", "CENTRO"},
            {"CoCepRespArquivo", "01001000"},
            {"CoMunicipioRespArquivo", "3550308"},
            {"NoMunicipioRespArquivo", "SAO PAULO"},
            {"SgUfRespArquivo", "SP"},
            {"NuFoneDDD", "11"},
            {"NuFoneAssinante", "32345678"},
            {"TxEMailRespArquivo", "rh@empresa.com.br"},
            {"InRetificacao", false},
            {"DaRetificacao", "00000000"},
            {"DaGeracao", "15022011"},
            {"CoCrea", "000000000000"},
            {"NoResponsavelDeclaracao", "JOSE DA SILVA"},
            {"CoCpfResponsavel", "12345678909"},
            {"DaNascimentoRespArquivo", "01011970"}};
}

QVariantMap estabelecimentoValido()
{
    return {{"AnBase", "2010"},
            {"CoCgcCeiEstabelecimento", "11222333000181"},
            {"NuPrefixoEstabelecimento", "01"},
            {"InInscrEstabelecimento", "1"},
            {"CoCgcVinculado", "00000000000000"},
            {"NoRazaoEstabelecimento", "EMPRESA EXEMPLO LTDA"},
            {"EdEstabelecimento", "RUA DAS FLORES"},
            {"NuEnderecoEstabelecimento", "000123"},
            {"TxComplemEstabelecimento", "SALA 1"},
            {"NoBairroEstabelecimento", "CENTRO"},
            {"CoCepEstabelecimento", "01001000"},
            {"CoMunicipio", "3550308"},
            {"NoMunicEstabelecimento", "SAO PAULO"},
            {"SgUf", "SP"},
            {"NuDDD", "11"},
            {"NuTelefone", "32345678"},
            {"TxEmailEstabelecimento", "rh@empresa.com.br"},
            {"InPorte", "2"},
            {"InOptanteSimples", "2"},
            {"CoCnae2", "4711302"},
            {"CoNaturezaJuridica", "2062"},
            {"NuProprietEstabelecimento", "01"},
            {"MeDataBase", "05"},
            {"InVornNegEstabelecimento", "1"},
            {"NuVinculosEstabelecimento", "0"},
            {"InEncerramentoAtividade", "2"},
            {"DaEncerramentoAtividade", "00000000"},
            {"InParticipaPAT", "2"},
            {"NuVinculoPatMaior5", "000000"},
            {"NuVinculoPatMenor5", "000000"},
            {"PoAdmCozinha", "000"},
            {"PoServicoProprio", "000"},
            {"PoRefeicaoConvenio", "000"},
            {"PoRefeicaoTransportadora", "000"},
            {"PoCestaAlimento", "000"},
            {"PoAlimentacaoConvenio", "000"},
            {"CoCNPJSindical", "00000000000000"},
            {"VaGlobalSindical", "000000000"},
            {"CoCNPJAssociativa", "00000000000000"},
            {"VaGlobalAssociativa", "000000000"},
            {"CoCNPJAssistencial", "00000000000000"},
            {"VaGlobalAssistencial", "000000000"},
            {"CoCNPJConfederativa", "00000000000000"},
            {"VaGlobalConfederativa", "000000000"},
            {"CoCNPJCentralizada", "00000000000000"},
            {"InCentralizada", "2"},
            {"InSindicalizada", "2"},
            {"InAtividadeAnoBase", "1"}};
}

void criaTabelasTrabalho()
{
    for (const char *t : {"te8resp", "te8emp", "te8vinc"})
        createTable(Schema::require(QLatin1String(t)));
}

QStringList linhasOcorrencias(bool comInscricao)
{
    QStringList l;
    Query existe;
    existe.setSql(QStringLiteral("select count(*) as n from sqlite_master where type = 'table' and name = 'te8errwa'"));
    existe.Open();
    if (existe.FieldByName(QStringLiteral("n")).AsInteger() == 0)
        return l;
    Table t(QStringLiteral("te8errwa"));
    t.Open();
    const auto f = [&t](const char *nome) { return t.FieldByName(QLatin1String(nome)).AsString(); };
    for (; !t.Eof(); t.Next()) {
        QString linha = QStringLiteral("%1 %2 %3 %4=%5").arg(f("errwar"), f("retorno"), f("tiporegistro"), f("lbl"), f("Conteudo"));
        if (comInscricao)
            linha += QStringLiteral(" [%1 %2 %3]").arg(f("inscricao"), f("tipoinscricao"), f("prefixo"));
        l << linha;
    }
    return l;
}

namespace {

ResultadoVerificacoes executa(bool estabelecimento, const QList<int> &numeros, bool tabelasTrabalho, bool origemArquivo)
{
    const SequenciasConsistencia s = SequenciasPadrao();
    const QMap<int, Verificacao> &sequencia = estabelecimento ? s.Estabelecimento : s.Responsavel;
    AnaliseConsistencia a(tabelasTrabalho, origemArquivo);
    a.Inicia();
    a.AnBaseEstabelecimento = a.Estabelecimentos.FieldByName(QStringLiteral("AnBase")).AsString().left(4);
    for (auto it = sequencia.cbegin(); it != sequencia.cend(); ++it) {
        if (numeros.isEmpty() || numeros.contains(it.key()))
            it.value()(a);
    }
    a.Encerra();
    return {linhasOcorrencias(), a.QtdOcorrencias};
}

} // namespace

ResultadoVerificacoes executaResponsavel(const QList<int> &numeros, bool tabelasTrabalho)
{
    return executa(false, numeros, tabelasTrabalho, false);
}

ResultadoVerificacoes executaEstabelecimento(const QList<int> &numeros, bool tabelasTrabalho, bool origemArquivo)
{
    return executa(true, numeros, tabelasTrabalho, origemArquivo);
}

} // namespace gdvorn::test
