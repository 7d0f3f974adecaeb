// The checks of the responsible record (R1-R20): every finding is of record type 0 and every error
// counts one occurrence; the area-code warning does not.

#include "app/ugCriticas.h"
#include "rules/ugConsistencia.h"
#include "rules/ugRegras.h"
#include "rules/ugRegrasContato.h"
#include "rules/ugRegrasEmpregado.h"
#include "rules/ugRegrasEndereco.h"
#include "rules/ugRegrasInscricao.h"
#include "rules/ugRegrasMunicipio.h"
#include "rules/ugRegrasResponsavel.h"
#include "rules/ugVerificacoes.h"
#include "rules/ugVerificacoesComum.h"

namespace gdvorn {

namespace {

constexpr int R = RegistroResponsavel;

Table &resp(AnaliseConsistencia &a) { return a.Responsavel; }

void erro(AnaliseConsistencia &a, const QString &codigo, const QList<CampoOcorrencia> &campos)
{
    a.RegistraErro(R, codigo, campos);
}

QString tipoResponsavel(AnaliseConsistencia &a) { return CampoGravado(resp(a), "InInscrResponsavel").left(1); }

bool retificacao(AnaliseConsistencia &a) { return resp(a).FieldByName(QStringLiteral("InRetificacao")).AsBoolean(); }

// R1: the inscription classified by the rule of its declared type first, the type, the two together.
void inscricaoETipo(AnaliseConsistencia &a)
{
    const QString tipo = tipoResponsavel(a);
    const QString inscricao = CampoGravado(resp(a), "CoCgcCeiResponsavel");
    const QString comoCpf = CriticaInscricaoResponsavel(inscricao, 11);
    const bool cpf = comoCpf == QLatin1String("0056");
    QString primeiro;
    bool aceita = false;
    if (tipo == QLatin1String("4")) {
        primeiro = comoCpf;
        aceita = cpf || CodigoEntre(CriticaInscricao(inscricao), {"0050", "0051", "0052"});
    } else {
        primeiro = CriticaInscricao(inscricao);
        aceita = CodigoEntre(primeiro, {"0050", "0051", "0052"}) || cpf;
    }
    if (!aceita) {
        erro(a, primeiro, {{Rotulo::InscricaoResponsavel, inscricao}});
        return;
    }
    const QString texto = TextoTipoInscricao(tipo, true);
    const QString codigoTipo = CriticaCodigoInscricaoResp(tipo);
    if (!Passa(codigoTipo)) {
        erro(a, codigoTipo, {{Rotulo::TipoInscricao, texto}});
        return;
    }
    // A CPF-type responsible must have a CPF: the type rule of the establishments knows only CNPJ and CEI.
    const QString porTipo =
        tipo == QLatin1String("4") ? (cpf ? CodigoValido : QStringLiteral("0131")) : CriticaInscricaoPorTipo(inscricao, tipo);
    if (!Passa(porTipo))
        erro(a, porTipo, {{Rotulo::TipoInscricao, texto}, {Rotulo::InscricaoResponsavel, inscricao}});
}

void nome(AnaliseConsistencia &a)
{
    QString nome = CampoAparado(resp(a), "NoResponsavelArquivo");
    const QString codigo = CriticaRazaoSocial(nome, QString(), QString());
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::Nome, nome}});
}

void logradouro(AnaliseConsistencia &a)
{
    QString rua = CampoAparado(resp(a), "EdLogradouroRespArquivo");
    const QString codigo = CriticaEndereco(rua);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::Logradouro, rua}});
}

void numero(AnaliseConsistencia &a)
{
    const QString numero = CampoGravado(resp(a), "NuLogradouroRespArquivo");
    const QString codigo = CriticaNumeroEndereco(numero);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::NumeroLogradouro, numero}});
}

void complemento(AnaliseConsistencia &a)
{
    QString complemento = CampoAparado(resp(a), "TxComplementoRespArquivo");
    QString codigo = CriticaComplemento(complemento);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::Complemento, complemento}});
        return;
    }
    const QString numero = CampoGravado(resp(a), "NuLogradouroRespArquivo");
    codigo = CriticaTextoEndereco(numero, complemento);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::NumeroLogradouro, numero}, {Rotulo::Complemento, complemento}});
}

void bairro(AnaliseConsistencia &a)
{
    QString bairro = CampoAparado(resp(a), "NoBairroRespArquivo");
    const QString codigo = CriticaBairro(bairro);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::Bairro, bairro}});
}

void cep(AnaliseConsistencia &a)
{
    const QString cep = CampoGravado(resp(a), "CoCepRespArquivo");
    const QString codigo = CriticaCep(cep);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::Cep, cep}});
}

void codigoMunicipio(AnaliseConsistencia &a)
{
    const QString municipio = CampoGravado(resp(a), "CoMunicipioRespArquivo");
    QString codigo = CriticaCodigoMunicipio(municipio);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::CodigoMunicipio, municipio}});
        return;
    }
    const QString cep = CampoGravado(resp(a), "CoCepRespArquivo");
    codigo = CriticaCepMunicipio(cep, municipio, true);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::Cep, cep}, {Rotulo::CodigoMunicipio, municipio}});
}

void nomeMunicipio(AnaliseConsistencia &a)
{
    QString nome = CampoAparado(resp(a), "NoMunicipioRespArquivo");
    const QString codigo = CriticaNomeMunicipio(nome, CampoGravado(resp(a), "CoMunicipioRespArquivo"));
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::NomeMunicipio, nome}});
}

void uf(AnaliseConsistencia &a)
{
    const QString sigla = CampoAparado(resp(a), "SgUfRespArquivo");
    QString codigo = CriticaSiglaUf(sigla);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::Uf, sigla}});
        return;
    }
    const QString municipio = CampoAparado(resp(a), "CoMunicipioRespArquivo");
    codigo = CriticaUfMunicipio(municipio, sigla);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::CodigoMunicipio, municipio}, {Rotulo::Uf, sigla}});
    const QString cep = CampoGravado(resp(a), "CoCepRespArquivo");
    codigo = CriticaCepUf(cep, CodigoUfDaSiglaNaExecucao(a, sigla));
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::Cep, cep}, {Rotulo::Uf, sigla}});
}

void ddd(AnaliseConsistencia &a)
{
    const QString ddd = CampoAparado(resp(a), "NuFoneDDD");
    QString codigo = CriticaDDD(ddd);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::DDD, ddd}});
        return;
    }
    const QString sigla = CampoAparado(resp(a), "SgUfRespArquivo");
    codigo = CriticaDDDUf(ddd, CodigoUfDaSiglaNaExecucao(a, sigla));
    if (!Passa(codigo))
        a.RegistraAviso(R, codigo, {{Rotulo::Uf, sigla}, {Rotulo::DDD, ddd}});
}

void telefone(AnaliseConsistencia &a)
{
    const QString telefone = CampoAparado(resp(a), "NuFoneAssinante");
    QString codigo = CriticaTelefone(telefone);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::Telefone, telefone}});
        return;
    }
    const QString ddd = CampoAparado(resp(a), "NuFoneDDD");
    codigo = CriticaTelefoneCompleto(ddd, telefone);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::DDD, ddd}, {Rotulo::Telefone, telefone}});
}

void dataRetificacao(AnaliseConsistencia &a)
{
    const bool marcada = retificacao(a);
    const QString data = CampoGravado(resp(a), "DaRetificacao");
    const QString codigo = CriticaDataRetificacao(marcada, data);
    if (!codigo.isEmpty() && !Passa(codigo))
        erro(a, codigo,
             {{Rotulo::DataRetificacao, data},
              {Rotulo::Retificacao, marcada ? QStringLiteral("Assinalado para retificação") : QStringLiteral("Não assinalado")}});
}

void dataGeracao(AnaliseConsistencia &a)
{
    const QString data = CampoGravado(resp(a), "DaGeracao");
    const QString codigo = CriticaDataGeracao(data);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::DataGeracao, data}});
}

void email(AnaliseConsistencia &a)
{
    QString email = CampoGravado(resp(a), "TxEMailRespArquivo");
    const QString codigo = CriticaEmailResp(email);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::Email, email}});
}

void crea(AnaliseConsistencia &a)
{
    const QString crea = CampoGravado(resp(a), "CoCrea");
    const QString texto = retificacao(a) ? QStringLiteral("1") : QStringLiteral("2");
    QString codigo = CriticaCreaRetificacao(crea, texto);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::Crea, crea}, {Rotulo::Retificacao, texto}});
        return;
    }
    codigo = CriticaCrea(crea);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::Crea, crea}});
}

void cpf(AnaliseConsistencia &a)
{
    const QString cpf = CampoGravado(resp(a), "CoCpfResponsavel");
    const QString codigo = CriticaCpfResponsavel(cpf);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::CpfResponsavel, cpf}});
}

void cpfInscricao(AnaliseConsistencia &a)
{
    const QString cpf = CampoGravado(resp(a), "CoCpfResponsavel");
    const QString codigo =
        CriticaCpfInscricaoResp(CampoGravado(resp(a), "CoCgcCeiResponsavel"), cpf, tipoResponsavel(a));
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::CpfResponsavel, cpf}});
}

void responsavel(AnaliseConsistencia &a)
{
    QString nome = CampoGravado(resp(a), "NoResponsavelDeclaracao");
    const QString codigo = CriticaNomeResponsavel(nome);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::NomeResponsavel, nome}});
}

void nascimento(AnaliseConsistencia &a)
{
    const QString data = CampoGravado(resp(a), "DaNascimentoRespArquivo");
    QString codigo = CriticaDataNascimento(data);
    if (Passa(codigo))
        codigo = CriticaNascimentoResp(data);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::NascimentoResponsavel, data}});
}

} // namespace

void VerificacoesResponsavel(SequenciasConsistencia &s)
{
    s.Responsavel.insert(1, inscricaoETipo);
    s.Responsavel.insert(2, nome);
    s.Responsavel.insert(3, logradouro);
    s.Responsavel.insert(4, numero);
    s.Responsavel.insert(5, complemento);
    s.Responsavel.insert(6, bairro);
    s.Responsavel.insert(7, cep);
    s.Responsavel.insert(8, codigoMunicipio);
    s.Responsavel.insert(9, nomeMunicipio);
    s.Responsavel.insert(10, uf);
    s.Responsavel.insert(11, ddd);
    s.Responsavel.insert(12, telefone);
    s.Responsavel.insert(13, dataRetificacao);
    s.Responsavel.insert(14, dataGeracao);
    s.Responsavel.insert(15, email);
    s.Responsavel.insert(16, crea);
    s.Responsavel.insert(17, cpf);
    s.Responsavel.insert(18, cpfInscricao);
    s.Responsavel.insert(19, responsavel);
    s.Responsavel.insert(20, nascimento);
}

} // namespace gdvorn
