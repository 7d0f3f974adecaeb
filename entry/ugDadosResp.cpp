#include "entry/ugDadosResp.h"

#include "app/ugFuncoes.h"
#include "rules/ugRegras.h"
#include "rules/ugRegrasContato.h"
#include "rules/ugRegrasEmpregado.h"
#include "rules/ugRegrasEndereco.h"
#include "rules/ugRegrasInscricao.h"
#include "rules/ugRegrasMunicipio.h"
#include "rules/ugRegrasResponsavel.h"

namespace gdvorn {

namespace {

QString campo(Table &t, const char *nome) { return t.FieldByName(QLatin1String(nome)).AsString(); }
void grava(Table &t, const char *nome, const QString &v) { t.FieldByName(QLatin1String(nome)).setAsString(v); }

ResultadoResp resultado(const QString &codigo, FocoResp foco = FocoResp::Campo)
{
    ResultadoResp r;
    r.codigo = codigo;
    r.para = codigo != CodigoValido;
    r.foco = foco;
    return r;
}

// A rule that may rewrite the field it judges.
ResultadoResp reescreve(Table &t, const char *nome, QString (*regra)(QString &))
{
    QString valor = campo(t, nome);
    const QString codigo = regra(valor);
    if (codigo == CodigoValido)
        grava(t, nome, valor);
    return resultado(codigo);
}

InscricaoMostrada mostra(const QString &texto, const QString &mascara, const QString &tipo)
{
    return {true, texto, mascara, tipo};
}

} // namespace

InscricaoMostrada ExibeInscricaoResp(Table &resp)
{
    const QString insc = campo(resp, "CoCgcCeiResponsavel");
    if (insc.trimmed().isEmpty())
        return {};
    const QString tipo = campo(resp, "InInscrResponsavel");
    if (tipo == QLatin1String("1"))
        return mostra(insc, kMascaraCnpj, QStringLiteral("CNPJ"));
    if (tipo == QLatin1String("3"))
        return mostra(insc.mid(2), kMascaraCei, QStringLiteral("CEI"));
    return mostra(insc.mid(3), kMascaraCpf, QStringLiteral("CPF"));
}

ResultadoResp ConfereInscricaoResp(const QString &digitos, Table &resp, InscricaoMostrada &mostrada)
{
    const QString d = digitos.trimmed();
    const int n = int(d.size());
    const QString guardada = CompletaZeros(d, 14);
    const QString tipo = campo(resp, "InInscrResponsavel");
    const QString classe = CriticaInscricaoResponsavel(guardada, n);
    mostrada = {};
    auto recusa = [&](const QString &codigo) {
        mostrada.limpaTipo = true;
        return resultado(codigo, FocoResp::Inscricao);
    };
    if (classe == QLatin1String("0049")) {
        if (n == 14 || n == 12) {
            grava(resp, "CoCgcCeiResponsavel", guardada);
            if (tipo == QLatin1String("1"))
                mostrada = mostra(n == 14 ? d : guardada, kMascaraCnpj, QStringLiteral("CNPJ"));
            else
                mostrada = mostra(guardada.mid(2), kMascaraCei, QStringLiteral("CEI"));
        }
    } else if (classe == QLatin1String("0051")) {
        if (n != 14)
            return recusa(QStringLiteral("1003"));
        grava(resp, "CoCgcCeiResponsavel", guardada);
        mostrada = mostra(d, kMascaraCnpj, QStringLiteral("CNPJ"));
    } else if (classe == QLatin1String("0052")) {
        if (n != 12)
            return recusa(QStringLiteral("1004"));
        grava(resp, "CoCgcCeiResponsavel", guardada);
        mostrada = mostra(d, kMascaraCei, QStringLiteral("CEI"));
    } else if (classe == QLatin1String("0056")) {
        if (n != 11)
            return recusa(QStringLiteral("3509"));
        grava(resp, "CoCgcCeiResponsavel", guardada);
        mostrada = mostra(d, kMascaraCpf, QStringLiteral("CPF"));
    } else if (classe != QLatin1String("0050")) {
        return recusa(classe);
    }
    const QString codigo = CriticaTipoInscricaoResp(n == 11 ? guardada.mid(3) : guardada, tipo);
    return resultado(codigo, FocoResp::TipoInscricao);
}

ResultadoResp TipoInscricaoPreenchido(Table &resp)
{
    return campo(resp, "InInscrResponsavel").trimmed().isEmpty()
               ? resultado(QStringLiteral("0049"), FocoResp::TipoInscricao)
               : ResultadoResp{};
}

ResultadoResp ConfereCpfResp(const QString &cpf, Table &resp)
{
    const QString c = cpf.trimmed();
    const QString codigo = CriticaCpfResponsavel(c);
    if (codigo == CodigoValido)
        grava(resp, "CoCpfResponsavel", c);
    return resultado(codigo, FocoResp::Cpf);
}

ResultadoResp ConfereCpfInscricaoResp(const QString &inscricao, const QString &cpf, Table &resp)
{
    return resultado(CriticaCpfInscricaoResp(inscricao.trimmed(), cpf.trimmed(), campo(resp, "InInscrResponsavel")),
                     FocoResp::Cpf);
}

ResultadoResp ConfereRazaoSocialResp(Table &resp)
{
    QString nome = campo(resp, "NoResponsavelArquivo");
    const QString codigo =
        CriticaRazaoSocial(nome, campo(resp, "CoCgcCeiResponsavel"), campo(resp, "InInscrResponsavel"));
    if (codigo == CodigoValido)
        grava(resp, "NoResponsavelArquivo", nome);
    return resultado(codigo);
}

ResultadoResp ConfereNomeResp(Table &resp) { return reescreve(resp, "NoResponsavelDeclaracao", CriticaNomeResponsavel); }
ResultadoResp ConfereLogradouroResp(Table &resp) { return reescreve(resp, "EdLogradouroRespArquivo", CriticaEndereco); }
ResultadoResp ConfereBairroResp(Table &resp) { return reescreve(resp, "NoBairroRespArquivo", CriticaBairro); }
ResultadoResp ConfereEmailResp(Table &resp) { return reescreve(resp, "TxEMailRespArquivo", CriticaEmailResp); }
ResultadoResp ConfereCepResp(Table &resp) { return resultado(CriticaCep(campo(resp, "CoCepRespArquivo"))); }

ResultadoResp ConfereNumeroResp(Table &resp)
{
    const QString numero = campo(resp, "NuLogradouroRespArquivo");
    const QString codigo = CriticaNumeroEndereco(CompletaZeros(numero.trimmed(), 6));
    if (codigo == CodigoValido)
        grava(resp, "NuLogradouroRespArquivo", NumeroMostradoResp(numero));
    return resultado(codigo);
}

ResultadoResp ConfereComplementoResp(Table &resp, const QString &numero)
{
    ResultadoResp r = reescreve(resp, "TxComplementoRespArquivo", CriticaComplemento);
    if (!r.passou())
        return r;
    return resultado(CriticaTextoEndereco(CompletaZeros(numero.trimmed(), 6),
                                          campo(resp, "TxComplementoRespArquivo")),
                     FocoResp::Complemento);
}

ResultadoResp ConfereMunicipioResp(Table &resp)
{
    const ResultadoMunicipio m =
        CriticaVornGlobal.CriticaMunicipio(campo(resp, "CoMunicipioRespArquivo"), campo(resp, "CoCepRespArquivo"));
    grava(resp, "NoMunicipioRespArquivo", m.NoMunicipio);
    grava(resp, "SgUfRespArquivo", m.SgUf);
    if (m.Status == QLatin1String("0") || m.Status == QLatin1String("4"))
        return {};
    ResultadoResp r;
    r.codigo = m.Codigo;
    r.para = true;
    r.foco = m.Status == QLatin1String("1") ? FocoResp::Municipio : FocoResp::Cep;
    return r;
}

ResultadoResp ConfereDDDResp(Table &resp) { return resultado(CriticaDDD(campo(resp, "NuFoneDDD")), FocoResp::DDD); }

ResultadoResp ConfereDDDUfResp(Table &resp)
{
    ResultadoResp r;
    r.codigo = CriticaDDDUf(campo(resp, "NuFoneDDD"), campo(resp, "CoMunicipioRespArquivo").left(2));
    return r;
}

ResultadoResp ConfereTelefoneResp(Table &resp)
{
    const QString ddd = campo(resp, "NuFoneDDD");
    const QString fone = campo(resp, "NuFoneAssinante");
    ResultadoResp r = resultado(CriticaTelefone(fone), FocoResp::Telefone);
    if (!r.passou())
        return r;
    const QString codigo = CriticaTelefoneCompleto(ddd, fone);
    return resultado(codigo == QLatin1String("3102") ? QStringLiteral("3101") : codigo, FocoResp::DDD);
}

ResultadoResp ConfereNascimentoResp(Table &resp)
{
    const QString data = campo(resp, "DaNascimentoRespArquivo");
    ResultadoResp r = resultado(CriticaDataNascimento(data));
    return r.passou() ? resultado(CriticaNascimentoResp(data)) : r;
}

QString NumeroGravadoResp(const QString &numero)
{
    const QString n = numero.trimmed();
    return n.size() < 6 ? CompletaZeros(n, 6) : n;
}

QString NumeroMostradoResp(const QString &numero)
{
    const QString n = numero.trimmed();
    return n.isEmpty() ? n : RetiraZerosEsquerda(n);
}

} // namespace gdvorn
