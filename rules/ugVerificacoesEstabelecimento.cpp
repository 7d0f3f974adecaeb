// The checks of an establishment row: identification, address, contact and activity (E1-E20), and its
// declaration data, meal programme, union contributions and closure (E22-E41). Every finding is of record
// type 1; errors count one occurrence each and warnings none, except where a check says otherwise.

#include "app/ugCriticas.h"
#include "rules/ContextoRegras.h"
#include "rules/ugConsistencia.h"
#include "rules/ugRegras.h"
#include "rules/ugRegrasAtividade.h"
#include "rules/ugRegrasContato.h"
#include "rules/ugRegrasEndereco.h"
#include "rules/ugRegrasInscricao.h"
#include "rules/ugRegrasMunicipio.h"
#include "rules/ugRegrasPat.h"
#include "rules/ugRegrasSindicais.h"
#include "rules/ugVerificacoes.h"
#include "rules/ugVerificacoesComum.h"

namespace gdvorn {

namespace {

constexpr int E = RegistroEstabelecimento;

const QString &gravado(AnaliseConsistencia &a, const char *nome) { return a.CamposEstabelecimento.Gravado(nome); }
QString aparado(AnaliseConsistencia &a, const char *nome) { return a.CamposEstabelecimento.Aparado(nome); }

void erro(AnaliseConsistencia &a, const QString &codigo, const QList<CampoOcorrencia> &campos)
{
    a.RegistraErro(E, codigo, campos);
}

void aviso(AnaliseConsistencia &a, const QString &codigo, const QList<CampoOcorrencia> &campos)
{
    a.RegistraAviso(E, codigo, campos);
}

// One rule on one field: its failure is an error with the field's row.
void simples(AnaliseConsistencia &a, const QString &codigo, const QString &rotulo, const QString &valor)
{
    if (!Passa(codigo))
        erro(a, codigo, {{rotulo, valor}});
}

QString tipoInscricao(AnaliseConsistencia &a) { return gravado(a, "InInscrEstabelecimento").left(1); }

// ---- E1-E20 -------------------------------------------------------------------------------------------

void opcaoAberta(AnaliseConsistencia &a)
{
    const QString &marca = gravado(a, "InOpcaoAberta");
    if (marca.isEmpty())
        return;
    QString texto = QStringLiteral("Atualização de estabelecimento");
    if (marca == QLatin1String("1") || marca == QLatin1String("2") || marca == QLatin1String("3"))
        texto = QStringLiteral("Outras opções");
    else if (marca == QLatin1String("4"))
        texto = QStringLiteral("Exclusão de estabelecimento");
    erro(a, QStringLiteral("1677"), {{Rotulo::OpcaoAberta, texto}});
}

void anoBase(AnaliseConsistencia &a)
{
    const QString &ano = gravado(a, "AnBase");
    if (TextoAparado(ano) != QString::number(contextoRegras().AnoBase()))
        erro(a, QStringLiteral("1911"), {{Rotulo::Ano, ano}});
}

void inscricaoETipo(AnaliseConsistencia &a)
{
    const QString &inscricao = gravado(a, "CoCgcCeiEstabelecimento");
    const QString tipo = tipoInscricao(a);
    QString codigo = CriticaInscricao(inscricao);
    if (!CodigoEntre(codigo, {"0000", "0050", "0051", "0052"})) {
        erro(a, codigo, {{Rotulo::Inscricao, inscricao}});
        return;
    }
    const QString texto = TextoTipoInscricao(tipo, false);
    codigo = CriticaTipoInscricao(tipo);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::TipoInscricao, texto}});
        return;
    }
    codigo = CriticaInscricaoPorTipo(inscricao, tipo);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::TipoInscricao, texto}, {Rotulo::Inscricao, inscricao}});
}

void prefixo(AnaliseConsistencia &a)
{
    const QString &prefixo = gravado(a, "NuPrefixoEstabelecimento");
    simples(a, CriticaPrefixo(prefixo), Rotulo::Prefixo, prefixo);
}

void nome(AnaliseConsistencia &a)
{
    QString nome = aparado(a, "NoRazaoEstabelecimento");
    const QString codigo = CriticaRazaoSocial(nome, aparado(a, "CoCgcCeiEstabelecimento"), tipoInscricao(a));
    simples(a, codigo, Rotulo::Nome, nome);
}

void logradouro(AnaliseConsistencia &a)
{
    QString rua = aparado(a, "EdEstabelecimento");
    const QString codigo = CriticaEndereco(rua);
    simples(a, codigo, Rotulo::Logradouro, rua);
}

void numero(AnaliseConsistencia &a)
{
    const QString &numero = gravado(a, "NuEnderecoEstabelecimento");
    simples(a, CriticaNumeroEndereco(numero), Rotulo::NumeroLogradouro, numero);
}

void complemento(AnaliseConsistencia &a)
{
    QString complemento = aparado(a, "TxComplemEstabelecimento");
    QString codigo = CriticaComplemento(complemento);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::Complemento, complemento}});
        return;
    }
    const QString &numero = gravado(a, "NuEnderecoEstabelecimento");
    codigo = CriticaTextoEndereco(numero, complemento);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::NumeroLogradouro, numero}, {Rotulo::Complemento, complemento}});
}

void bairro(AnaliseConsistencia &a)
{
    QString bairro = aparado(a, "NoBairroEstabelecimento");
    const QString codigo = CriticaBairro(bairro);
    simples(a, codigo, Rotulo::Bairro, bairro);
}

void cep(AnaliseConsistencia &a)
{
    const QString &cep = gravado(a, "CoCepEstabelecimento");
    simples(a, CriticaCep(cep), Rotulo::Cep, cep);
}

void codigoMunicipio(AnaliseConsistencia &a)
{
    const QString &municipio = gravado(a, "CoMunicipio");
    QString codigo = CriticaCodigoMunicipio(municipio);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::CodigoMunicipio, municipio}});
        return;
    }
    const QString &cep = gravado(a, "CoCepEstabelecimento");
    if (!Passa(CriticaCep(cep)))
        return; // reported by the CEP's own check
    codigo = CriticaCepMunicipio(cep, municipio, true);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::Cep, cep}, {Rotulo::CodigoMunicipio, municipio}});
}

void nomeMunicipio(AnaliseConsistencia &a)
{
    QString nome = aparado(a, "NoMunicEstabelecimento");
    const QString codigo = CriticaNomeMunicipio(nome, gravado(a, "CoMunicipio"));
    if (!Passa(codigo))
        aviso(a, codigo, {{Rotulo::NomeMunicipio, nome}});
}

void uf(AnaliseConsistencia &a)
{
    const QString sigla = aparado(a, "SgUf");
    QString codigo = a.CodigoDeTabela(CriticaSiglaUf, sigla);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::Uf, sigla}});
        return;
    }
    const QString municipio = aparado(a, "CoMunicipio");
    codigo = a.CodigoDeTabela(CriticaUfMunicipio, municipio, sigla);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::CodigoMunicipio, municipio}, {Rotulo::Uf, sigla}});
    const QString cep = aparado(a, "CoCepEstabelecimento");
    codigo = CriticaCepUf(cep, CodigoUfDaSiglaNaExecucao(a, sigla));
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::Cep, cep}, {Rotulo::Uf, sigla}});
}

void ddd(AnaliseConsistencia &a)
{
    const QString ddd = aparado(a, "NuDDD");
    QString codigo = CriticaDDD(ddd);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::DDD, ddd}});
        return;
    }
    const QString sigla = aparado(a, "SgUf");
    codigo = CriticaDDDUf(ddd, CodigoUfDaSiglaNaExecucao(a, sigla));
    if (!Passa(codigo))
        aviso(a, codigo, {{Rotulo::Uf, sigla}, {Rotulo::DDD, ddd}});
}

void telefone(AnaliseConsistencia &a)
{
    const QString telefone = aparado(a, "NuTelefone");
    QString codigo = CriticaTelefone(telefone);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::Telefone, telefone}});
        return;
    }
    const QString ddd = aparado(a, "NuDDD");
    codigo = CriticaTelefoneCompleto(ddd, telefone);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::DDD, ddd}, {Rotulo::Telefone, telefone}});
}

void email(AnaliseConsistencia &a)
{
    QString email = gravado(a, "TxEmailEstabelecimento");
    const QString codigo = CriticaEmailEstab(email);
    simples(a, codigo, Rotulo::Email, email);
}

void porte(AnaliseConsistencia &a)
{
    const QString porte = aparado(a, "InPorte");
    simples(a, CriticaPorte(porte), Rotulo::Porte, porte);
}

void optanteSimples(AnaliseConsistencia &a)
{
    const QString opcao = aparado(a, "InOptanteSimples");
    QString codigo = CriticaOptanteSimples(opcao);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::OptanteSimples, opcao}});
        return;
    }
    const QString porte = aparado(a, "InPorte");
    codigo = CriticaSimplesPorte(opcao, porte);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::Porte, porte}, {Rotulo::OptanteSimples, opcao}});
}

void cnae(AnaliseConsistencia &a)
{
    const QString &cnae = gravado(a, "CoCnae2");
    QString codigo = CriticaCnae(cnae);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::Cnae, cnae}});
        return;
    }
    const QString &nome = gravado(a, "NoRazaoEstabelecimento");
    codigo = CriticaCnaeNome(cnae, nome);
    if (codigo == QLatin1String("0363"))
        aviso(a, codigo, {{Rotulo::Cnae, cnae}, {Rotulo::Nome, nome}});
    else if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::Cnae, cnae}, {Rotulo::Nome, nome}});
}

void naturezaJuridica(AnaliseConsistencia &a)
{
    const QString &natureza = gravado(a, "CoNaturezaJuridica");
    QString codigo = CriticaNaturezaJuridica(natureza);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::NaturezaJuridica, natureza}});
        return;
    }
    const QString &nome = gravado(a, "NoRazaoEstabelecimento");
    codigo = CriticaNaturezaNome(natureza, nome);
    if (!Passa(codigo))
        aviso(a, codigo, {{Rotulo::NaturezaJuridica, natureza}, {Rotulo::Nome, nome}});
}

// ---- E22-E41 ------------------------------------------------------------------------------------------

bool vazioOuZeros(const QString &v) { return TextoAparado(v).isEmpty() || SoZeros(TextoAparado(v)); }

void proprietarios(AnaliseConsistencia &a)
{
    const QString &valor = gravado(a, "NuProprietEstabelecimento");
    simples(a, CriticaNumericoCampo(valor, 2), Rotulo::Proprietarios, valor);
}

void mesDataBase(AnaliseConsistencia &a)
{
    const QString &mes = gravado(a, "MeDataBase");
    QString codigo = CriticaMesDataBase(mes);
    if (!Passa(codigo)) {
        a.Ocorrencias.RegistraOcorrencia(OcorrenciaErro, E, codigo, {{Rotulo::MesDataBase, mes}}); // not counted
        return;
    }
    const QString &negativa = gravado(a, "InVornNegEstabelecimento");
    codigo = CriticaDataBaseNegativa(mes, negativa);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::MesDataBase, mes}, {Rotulo::SemEmpregados, negativa}});
}

void semEmpregados(AnaliseConsistencia &a)
{
    const QString &negativa = gravado(a, "InVornNegEstabelecimento");
    QString codigo = CriticaIndicadorNegativaValor(negativa);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::SemEmpregados, negativa}});
        return;
    }
    const QString &tipo = gravado(a, "InInscrEstabelecimento");
    const QString &vinculado = gravado(a, "CoCgcVinculado").mid(2, 12);
    codigo = CriticaIndicadorNegativa(negativa, tipo, vinculado);
    if (!Passa(codigo))
        erro(a, codigo,
             {{Rotulo::SemEmpregados, negativa}, {Rotulo::TipoInscricao, tipo}, {Rotulo::CnpjCeiVinculado, vinculado}});
}

void cnpjCeiVinculado(AnaliseConsistencia &a)
{
    const QString &vinculado = gravado(a, "CoCgcVinculado");
    const QString inicio = vinculado.left(2).trimmed();
    if (inicio != QLatin1String("00"))
        erro(a, QStringLiteral("0040"), {{Rotulo::InicioCnpjCeiVinculado, inicio}});
    const QString resto = vinculado.mid(2, 12);
    const QString cei = QStringLiteral("00") + resto;
    QString codigo = CriticaCeiVinculado(cei);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::CnpjCeiVinculado, resto}});
        return;
    }
    const QString &tipo = gravado(a, "InInscrEstabelecimento");
    codigo = CriticaCnpjVinculado(tipo, cei);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::TipoInscricao, TextoTipoVinculado(tipo)}, {Rotulo::CnpjCeiVinculado, resto}});
}

void encerramento(AnaliseConsistencia &a)
{
    const QString &indicador = gravado(a, "InEncerramentoAtividade");
    const QString &data = gravado(a, "DaEncerramentoAtividade");
    const QString codigo = CriticaEncerramentoAtividade(indicador, data, a.AnBaseEstabelecimento, a.OrigemArquivo);
    if (codigo.isEmpty() || Passa(codigo))
        return;
    if (codigo == QLatin1String("3516"))
        erro(a, codigo, {{Rotulo::DataEncerramento, data}, {Rotulo::Ano, gravado(a, "AnBase")}});
    else
        erro(a, codigo,
             {{Rotulo::DataEncerramento, data},
              {Rotulo::IndicadorEncerramento, TextoAparado(indicador) == QLatin1String("1")
                                                  ? QStringLiteral("Assinalado para encerramento das atividades")
                                                  : QStringLiteral("Não assinalado")}});
}

void participaPat(AnaliseConsistencia &a)
{
    const QString &indicador = gravado(a, "InParticipaPAT");
    simples(a, CriticaParticipaPAT(indicador), Rotulo::ParticipaPat, indicador);
}

void trabalhadoresPat(AnaliseConsistencia &a)
{
    const QString &maior = gravado(a, "NuVinculoPatMaior5");
    const QString &menor = gravado(a, "NuVinculoPatMenor5");
    const QString codigoMaior = CriticaQtdPATNumerica(maior);
    simples(a, codigoMaior, Rotulo::PatMaior5, maior);
    const QString codigoMenor = CriticaQtdPATNumerica(menor);
    simples(a, codigoMenor, Rotulo::PatMenor5, menor);
    if (!Passa(codigoMaior) || !Passa(codigoMenor))
        return;
    const QString &indicador = gravado(a, "InParticipaPAT");
    const QString zeros = QStringLiteral("000000");
    const QString codigo = indicador == QLatin1String("1") && maior == zeros && menor == zeros
                               ? QStringLiteral("3626")
                               : CriticaQtdPAT(indicador, menor, maior);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::ParticipaPat, indicador}, {Rotulo::PatMaior5, maior}, {Rotulo::PatMenor5, menor}});
}

void percentuaisPat(AnaliseConsistencia &a)
{
    static const struct {
        const char *campo;
        const QString &rotulo;
    } kPercentuais[] = {{"PoServicoProprio", Rotulo::PatServicoProprio},
                        {"PoAdmCozinha", Rotulo::PatAdmCozinha},
                        {"PoRefeicaoConvenio", Rotulo::PatRefeicaoConvenio},
                        {"PoRefeicaoTransportadora", Rotulo::PatRefeicaoTransportadora},
                        {"PoCestaAlimento", Rotulo::PatCestaAlimento},
                        {"PoAlimentacaoConvenio", Rotulo::PatAlimentacaoConvenio}};
    QList<CampoOcorrencia> linhas;
    bool falhou = false;
    for (const auto &p : kPercentuais) {
        const QString &valor = gravado(a, p.campo);
        linhas << CampoOcorrencia{p.rotulo, valor};
        const QString codigo = CriticaPercentualPAT(valor);
        if (codigo == QLatin1String("3521")) {
            aviso(a, codigo, {{p.rotulo, valor}});
        } else if (!Passa(codigo)) {
            erro(a, codigo, {{p.rotulo, valor}});
            falhou = true;
        }
    }
    if (falhou)
        return;
    const QString &indicador = gravado(a, "InParticipaPAT");
    const QString codigo = CriticaPercentuaisPAT(indicador, linhas[0].Conteudo, linhas[1].Conteudo, linhas[2].Conteudo,
                                                 linhas[3].Conteudo, linhas[4].Conteudo, linhas[5].Conteudo);
    if (!Passa(codigo)) {
        linhas.prepend(CampoOcorrencia{Rotulo::ParticipaPat, indicador});
        aviso(a, codigo, linhas);
    }
}

// The must-be-filled rule of a declaration file: true when the field passed.
bool preenchido(AnaliseConsistencia &a, const QString &valor, const QString &rotulo)
{
    const QString codigo = CriticaCampoPreenchido(valor, a.OrigemArquivo);
    if (Passa(codigo))
        return true;
    erro(a, codigo, {{rotulo, valor}});
    return false;
}

// The employers'-entities warning (not for the CNPJ of QYV where `isentaQyv`).
void avisoEntidade(AnaliseConsistencia &a, const QString &cnpj, const QString &rotulo, bool isentaQyv)
{
    if (!(isentaQyv && TextoAparado(cnpj) == CnpjQyv)) {
        const QString codigo = CriticaCnpjEntidadeEstab(cnpj);
        if (!Passa(codigo))
            aviso(a, codigo, {{rotulo, cnpj}});
    }
}

void formatoEntidade(AnaliseConsistencia &a, const QString &cnpj, const char *tipo, const QString &rotulo)
{
    const QString codigo = CriticaCnpjEntidade(cnpj, QLatin1String(tipo), 0, true);
    if (!CodigoEntre(codigo, {"0000", "0050", "0051"}))
        erro(a, codigo, {{rotulo, cnpj}});
}

// E30 and E31: the table warning, then the forbidden CNPJs, else the format.
void entidadePrimeiraOrdem(AnaliseConsistencia &a, const QString &cnpj, const char *tipo, const QString &rotulo,
                           bool isentaQyv)
{
    avisoEntidade(a, cnpj, rotulo, isentaQyv);
    const QString codigo = CriticaCnpjEntidadeVedado(cnpj, gravado(a, "CoCgcCeiEstabelecimento"), 0);
    if (!Passa(codigo))
        erro(a, codigo, {{rotulo, cnpj}});
    else
        formatoEntidade(a, cnpj, tipo, rotulo);
}

void cnpjSindical(AnaliseConsistencia &a)
{
    const QString &cnpj = gravado(a, "CoCNPJSindical");
    if (preenchido(a, cnpj, Rotulo::CnpjSindical) && !vazioOuZeros(cnpj))
        entidadePrimeiraOrdem(a, cnpj, "sindical", Rotulo::CnpjSindical, true);
}

void cnpjAssociativa(AnaliseConsistencia &a)
{
    const QString &cnpj = gravado(a, "CoCNPJAssociativa");
    if (!preenchido(a, cnpj, Rotulo::CnpjAssociativa))
        return;
    if (!vazioOuZeros(cnpj)) {
        entidadePrimeiraOrdem(a, cnpj, "associativa", Rotulo::CnpjAssociativa, false);
        return;
    }
    const QString &indicador = gravado(a, "InSindicalizada");
    const QString codigo = CriticaSindicalizacao(cnpj, indicador, 0);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::CnpjAssociativa, cnpj}, {Rotulo::Sindicalizado, indicador}});
}

// E32 and E33: the forbidden CNPJs first, then the table warning and the format.
void entidadeSegundaOrdem(AnaliseConsistencia &a, const char *campo, const char *tipo, const QString &rotulo)
{
    const QString &cnpj = gravado(a, campo);
    if (!preenchido(a, cnpj, rotulo))
        return;
    const QString codigo = CriticaCnpjEntidadeVedado(cnpj, gravado(a, "CoCgcCeiEstabelecimento"), 0);
    if (!Passa(codigo)) {
        erro(a, codigo, {{rotulo, cnpj}});
        return;
    }
    if (vazioOuZeros(cnpj))
        return;
    avisoEntidade(a, cnpj, rotulo, false);
    formatoEntidade(a, cnpj, tipo, rotulo);
}

void cnpjAssistencial(AnaliseConsistencia &a)
{
    entidadeSegundaOrdem(a, "CoCNPJAssistencial", "assistencial", Rotulo::CnpjAssistencial);
}

void cnpjConfederativa(AnaliseConsistencia &a)
{
    entidadeSegundaOrdem(a, "CoCNPJConfederativa", "confederativa", Rotulo::CnpjConfederativa);
}

// E34-E37: the value's fill and format rules, then the value against its CNPJ. `soComValor`: only a value
// that is neither empty nor nine zeros goes past the fill rule.
void valorContribuicao(AnaliseConsistencia &a, const char *campoValor, const QString &rotuloValor,
                       const char *campoCnpj, const QString &rotuloCnpj, const char *tipo, bool soComValor)
{
    const QString &valor = gravado(a, campoValor);
    if (!preenchido(a, valor, rotuloValor))
        return;
    if (soComValor && (TextoAparado(valor).isEmpty() || TextoAparado(valor) == QLatin1String("000000000")))
        return;
    QString codigo = CriticaValorEntidadeEstab(valor);
    if (!Passa(codigo)) {
        erro(a, codigo, {{rotuloValor, valor}});
        return;
    }
    const QString &cnpj = gravado(a, campoCnpj);
    codigo = CriticaContribuicao(cnpj, valor, QLatin1String(tipo), 0, a.OrigemArquivo, QString());
    if (!Passa(codigo))
        erro(a, codigo, {{rotuloCnpj, cnpj}, {rotuloValor, valor}});
}

void valorSindical(AnaliseConsistencia &a)
{
    valorContribuicao(a, "VaGlobalSindical", Rotulo::ValorSindical, "CoCNPJSindical", Rotulo::CnpjSindical,
                      "sindicalestab", false);
}

void valorAssociativa(AnaliseConsistencia &a)
{
    valorContribuicao(a, "VaGlobalAssociativa", Rotulo::ValorAssociativa, "CoCNPJAssociativa",
                      Rotulo::CnpjAssociativa, "associativa", false);
}

void valorAssistencial(AnaliseConsistencia &a)
{
    valorContribuicao(a, "VaGlobalAssistencial", Rotulo::ValorAssistencial, "CoCNPJAssistencial",
                      Rotulo::CnpjAssistencial, "assistencial", true);
}

void valorConfederativa(AnaliseConsistencia &a)
{
    valorContribuicao(a, "VaGlobalConfederativa", Rotulo::ValorConfederativa, "CoCNPJConfederativa",
                      Rotulo::CnpjConfederativa, "assistencial", true);
}

void centralizacao(AnaliseConsistencia &a)
{
    const QString &centralizadora = gravado(a, "CoCNPJCentralizada");
    const QString &sindical = gravado(a, "CoCNPJSindical");
    const QList<CampoOcorrencia> linhas{{Rotulo::CnpjSindical, sindical}, {Rotulo::CnpjCentralizadora, centralizadora}};
    if (!preenchido(a, centralizadora, Rotulo::CnpjCentralizadora))
        return;
    if (vazioOuZeros(centralizadora)) {
        const ParametrosContribuicaoAusente p{sindical,
                                              centralizadora,
                                              gravado(a, "InVornNegEstabelecimento"),
                                              gravado(a, "CoNaturezaJuridica").trimmed().left(1),
                                              gravado(a, "InOptanteSimples"),
                                              a.OrigemArquivo};
        const QString codigo = CriticaContribuicaoAusente(p);
        if (!Passa(codigo))
            aviso(a, codigo, linhas);
        return;
    }
    QString codigo = CriticaCnpjCentralizador(centralizadora, gravado(a, "CoCgcCeiEstabelecimento"), true);
    if (!CodigoEntre(codigo, {"0000", "0050", "0051"})) {
        erro(a, codigo, {{Rotulo::CnpjCentralizadora, centralizadora}});
        return;
    }
    codigo = CriticaSindicalCentralizada(sindical, centralizadora, a.OrigemArquivo);
    if (!Passa(codigo)) {
        erro(a, codigo, linhas);
        return;
    }
    const QString &tipo = gravado(a, "InInscrEstabelecimento");
    const QString &indicador = gravado(a, "InCentralizada");
    codigo = CriticaCentralizacao(tipo, centralizadora, indicador, a.OrigemArquivo);
    if (codigo == QLatin1String("3719"))
        erro(a, codigo, {{Rotulo::TipoInscricao, tipo}, {Rotulo::CnpjCentralizadora, centralizadora}});
    else if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::Centralizada, indicador}, {Rotulo::CnpjCentralizadora, centralizadora}});
}

void sindicalizada(AnaliseConsistencia &a)
{
    const QString &indicador = gravado(a, "InSindicalizada");
    simples(a, CriticaIndicadorSindicalizado(indicador), Rotulo::Sindicalizado, indicador);
}

void atividadeAnoBase(AnaliseConsistencia &a)
{
    const QString indicador = aparado(a, "InAtividadeAnoBase");
    simples(a, CriticaAtividadeAnoBase(indicador), Rotulo::AtividadeAnoBase, indicador);
}

void usoEmpresa(AnaliseConsistencia &a)
{
    const QString texto = aparado(a, "TxUsoEstabelecimento");
    simples(a, CriticaUsoEmpresa(texto), Rotulo::UsoEmpresa, texto);
}

} // namespace

void VerificacoesIdentificacaoEstabelecimento(SequenciasConsistencia &s)
{
    const Verificacao verificacoes[] = {opcaoAberta, anoBase, inscricaoETipo, prefixo, nome, logradouro, numero,
                                        complemento, bairro, cep, codigoMunicipio, nomeMunicipio, uf, ddd, telefone,
                                        email, porte, optanteSimples, cnae, naturezaJuridica};
    int numeroVerificacao = 1;
    for (const Verificacao &v : verificacoes)
        s.Estabelecimento.insert(numeroVerificacao++, v);
}

void VerificacoesDadosEstabelecimento(SequenciasConsistencia &s)
{
    const Verificacao verificacoes[] = {proprietarios, mesDataBase, semEmpregados, cnpjCeiVinculado, encerramento,
                                        participaPat, trabalhadoresPat, percentuaisPat, cnpjSindical, cnpjAssociativa,
                                        cnpjAssistencial, cnpjConfederativa, valorSindical, valorAssociativa,
                                        valorAssistencial, valorConfederativa, centralizacao, sindicalizada,
                                        atividadeAnoBase, usoEmpresa};
    int numeroVerificacao = 22;
    for (const Verificacao &v : verificacoes)
        s.Estabelecimento.insert(numeroVerificacao++, v);
}

} // namespace gdvorn
