// The checks of a link's leaves, free-use field and work place (V43-V55): each leave's reason and
// dates, the days of leave, the reasons together, the employer's free-use text and the work-place
// municipality. Every finding is an error of record type 2 and counts one occurrence.

#include "rules/ContextoRegras.h"
#include "rules/ugConsistencia.h"
#include "rules/ugRegrasAfastamento.h"
#include "rules/ugRegrasEndereco.h"
#include "rules/ugRegrasMunicipio.h"
#include "rules/ugRegrasSindicais.h"
#include "rules/ugVerificacoes.h"
#include "rules/ugVerificacoesComum.h"

namespace gdvorn {

namespace {

struct CamposAfastamento {
    const char *motivo;
    const char *inicio;
    const char *fim;
};

constexpr CamposAfastamento kAfastamentos[3] = {
    {"CoMotivoPrimAfas", "DaInicioprimeiroAfas", "DaFinalPrimeiroAfas"},
    {"CoMotivoSeguAfas", "DaInicioSegundoAfas", "DaFinalSegundoAfas"},
    {"CoMotivoTercAfas", "DaInicioTerceiroAfas", "DaFinalTerceiroAfas"},
};

const QString &campo(AnaliseConsistencia &a, const char *nome) { return a.CamposVinculo.Gravado(nome); }

void erro(AnaliseConsistencia &a, const QString &codigo, const QList<CampoOcorrencia> &campos)
{
    a.RegistraErro(RegistroVinculo, codigo, campos);
}

void motivo(AnaliseConsistencia &a, int k)
{
    const QString &valor = campo(a, kAfastamentos[k].motivo);
    const QString codigo = CriticaMotivoAfastamento(valor);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::MotivoAfastamento, valor}});
}

// The start (inicio) or the end date of leave k. The rows of a finding are built only when it is made:
// most links pass every test.
void dataAfastamento(AnaliseConsistencia &a, int k, bool inicio)
{
    const CamposAfastamento &f = kAfastamentos[k];
    const QString &data = campo(a, inicio ? f.inicio : f.fim);

    QString codigo = CriticaDataAfastamentoValida(data, a.TextoAnoBase());
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::DataAfastamento, data}});
        return;
    }
    // The date is now four digits. When they are zeros (no date, as on most links) it falls before or
    // after nothing: the admission, the dismissal and the other end are read only for a date given.
    const bool informada = ValorInformado(data);
    if (informada) {
        const QString &anoReferencia = a.TextoAnoReferencia();
        const QString &admissao = campo(a, "DaAdmissaoEmpregado");
        codigo = CriticaAfastamentoPeriodo(data, admissao, anoReferencia);
        if (!Passa(codigo))
            erro(a, codigo, {{Rotulo::DataAfastamento, data}, {Rotulo::DataAdmissao, admissao}});
        const QString &desligamento = campo(a, "DaDesligamentoEmpregado");
        codigo = CriticaAfastamentoInicio(data, desligamento, anoReferencia);
        if (!Passa(codigo))
            erro(a, codigo,
                 {{Rotulo::DataAfastamento, data}, {Rotulo::DataDesligamento, desligamento + anoReferencia}});
    }
    const QString &motivoAfastamento = campo(a, f.motivo);
    codigo = CriticaDataAfastamento(data, motivoAfastamento, inicio);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::MotivoAfastamentoDatas, motivoAfastamento}, {Rotulo::DataAfastamento, data}});
    if (!informada)
        return;
    // The same test in the start and the end check: a reversed leave is reported by both.
    const QString &inicioAfastamento = inicio ? data : campo(a, f.inicio);
    const QString &fimAfastamento = inicio ? campo(a, f.fim) : data;
    codigo = CriticaAfastamentoFim(inicioAfastamento, fimAfastamento);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::DataAfastamento, inicioAfastamento}, {Rotulo::DataAfastamento, fimAfastamento}});
}

void diasAfastamento(AnaliseConsistencia &a)
{
    const QString &dias = campo(a, "QtDiasAfas");
    const QString &motivo1 = campo(a, kAfastamentos[0].motivo);
    QString codigo = CriticaDiasAfastamentoMotivo(dias, motivo1);
    if (!Passa(codigo)) {
        if (codigo == QLatin1String("3753"))
            erro(a, codigo, {{Rotulo::DiasAfastamento, dias}, {Rotulo::MotivoAfastamentoDatas, motivo1}});
        else
            erro(a, codigo, {{Rotulo::DiasAfastamento, dias}});
    }
    codigo = CriticaDiasAfastamento(motivo1, campo(a, kAfastamentos[1].motivo), campo(a, kAfastamentos[2].motivo),
                                    dias);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::DiasAfastamento, dias}});
}

void motivosJuntos(AnaliseConsistencia &a)
{
    const QString &motivo1 = campo(a, kAfastamentos[0].motivo);
    const QString &motivo2 = campo(a, kAfastamentos[1].motivo);
    const QString &motivo3 = campo(a, kAfastamentos[2].motivo);
    const QString codigo = CriticaMotivosAfastamento(motivo1, motivo2, motivo3);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::MotivoAfastamento, motivo1}, {Rotulo::MotivoAfastamento, motivo2},
                         {Rotulo::MotivoAfastamento, motivo3}});
}

void usoEmpresa(AnaliseConsistencia &a)
{
    const QString texto = a.CamposVinculo.Aparado("TxUsoEmpregado");
    const QString codigo = CriticaUsoEmpresa(texto);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::UsoEmpresa, texto}});
}

void municipioTrabalho(AnaliseConsistencia &a)
{
    const QString &municipio = campo(a, "CoMunicipioTrabalho");
    QString codigo = CriticaCampoPreenchido(municipio, a.OrigemArquivo);
    if (Passa(codigo) && !VistaAparada(municipio).isEmpty() && municipio != QLatin1String("0000000"))
        codigo = a.CodigoDeTabela(CriticaMunicipioTrabalho, municipio);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::MunicipioTrabalho, municipio}});
}

} // namespace

void VerificacoesAfastamentosVinculo(SequenciasConsistencia &s)
{
    for (int k = 0; k < 3; ++k) {
        s.Vinculo.insert(43 + k, [k](AnaliseConsistencia &a) { motivo(a, k); });
        s.Vinculo.insert(46 + 2 * k, [k](AnaliseConsistencia &a) { dataAfastamento(a, k, true); });
        s.Vinculo.insert(47 + 2 * k, [k](AnaliseConsistencia &a) { dataAfastamento(a, k, false); });
    }
    s.Vinculo.insert(52, diasAfastamento);
    s.Vinculo.insert(53, motivosJuntos);
    s.Vinculo.insert(54, usoEmpresa);
    s.Vinculo.insert(55, municipioTrabalho);
}

} // namespace gdvorn
