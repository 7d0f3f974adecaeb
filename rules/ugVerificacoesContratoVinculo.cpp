// The checks of a link's contract (V15-V24): admission type, contractual salary and its type, weekly
// hours, occupation, link type, work permit, dismissal cause and date, notice pay. Every finding is of
// record type 2; errors count one occurrence each, warnings none.

#include "app/ugCriticas.h"
#include "rules/ContextoRegras.h"
#include "rules/ugConsistencia.h"
#include "rules/ugRegrasAdmissao.h"
#include "rules/ugRegrasContrato.h"
#include "rules/ugRegrasDesligamento.h"
#include "rules/ugRegrasEmpregado.h"
#include "rules/ugRegrasSalario.h"
#include "rules/ugRegrasVerbas.h"
#include "rules/ugVerificacoes.h"
#include "rules/ugVerificacoesComum.h"

namespace gdvorn {

namespace {

const QString &campo(AnaliseConsistencia &a, const char *nome) { return a.CamposVinculo.Gravado(nome); }
const QString &doEstabelecimento(AnaliseConsistencia &a, const char *nome) { return a.CamposEstabelecimento.Gravado(nome); }
const QString &anoReferencia(AnaliseConsistencia &a) { return a.TextoAnoReferencia(); }
const QString &anoBase(AnaliseConsistencia &a) { return a.TextoAnoBase(); }

void erro(AnaliseConsistencia &a, const QString &codigo, const QList<CampoOcorrencia> &campos)
{
    a.RegistraErro(RegistroVinculo, codigo, campos);
}

void aviso(AnaliseConsistencia &a, const QString &codigo, const QList<CampoOcorrencia> &campos)
{
    a.RegistraAviso(RegistroVinculo, codigo, campos);
}

void tipoAdmissao(AnaliseConsistencia &a)
{
    const QString &tipo = campo(a, "CoTipoAdmissao");
    QString codigo = a.CodigoDeTabela(CriticaTipoAdmissao, tipo);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::TipoAdmissao, tipo}});
        return;
    }
    const QString &natureza = doEstabelecimento(a, "CoNaturezaJuridica");
    codigo = CriticaTipoAdmissaoNatureza(tipo, natureza);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::TipoAdmissao, tipo}, {Rotulo::NaturezaJuridica, natureza}});
}

void salario(AnaliseConsistencia &a)
{
    const QString &valor = campo(a, "VaSalContratualEmpregado");
    const QString codigo = CriticaSalarioNumerico(valor);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::SalarioContratual, valor}});
}

void tipoSalario(AnaliseConsistencia &a)
{
    const QString &tipo = campo(a, "CoTipoSalarioContratual");
    QString codigo = a.CodigoDeTabela(CriticaTipoSalario, tipo);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::TipoSalarioContratual, tipo}});
        return;
    }
    const QString &valor = campo(a, "VaSalContratualEmpregado");
    const QString &vinculo = campo(a, "CoVinculo");
    codigo = CriticaSalarioContratual(valor, tipo, vinculo);
    if (Passa(codigo))
        return;
    // No salary for a link type that needs one: the link type and the salary.
    if (codigo == QLatin1String("0232"))
        erro(a, codigo, {{Rotulo::Vinculo, vinculo}, {Rotulo::SalarioContratual, valor}});
    else
        aviso(a, codigo, {{Rotulo::SalarioContratual, valor}, {Rotulo::TipoSalarioContratual, tipo}});
}

void horasSemanais(AnaliseConsistencia &a)
{
    const QString &horas = campo(a, "HoSemanaisEmpregado");
    QString codigo = CriticaHorasSemanais(horas);
    if (Passa(codigo))
        codigo = CriticaHorasVinculo(campo(a, "CoVinculo"), campo(a, "CoInstrucao"), horas);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::HorasSemanais, horas}});
}

void ocupacao(AnaliseConsistencia &a)
{
    const QString &cbo = campo(a, "CoCbo");
    QString codigo = a.CodigoDeTabela(CriticaCbo, cbo);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::Cbo, cbo}});
        return;
    }
    const QString &instrucao = campo(a, "CoInstrucao");
    // The occupation's flags are searched once per CBO of the run, the level judged against them here.
    codigo = CriticaCboInstrucaoBandeiras(instrucao, a.CodigoDeTabela(BandeirasCbo, cbo));
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::Cbo, cbo}, {Rotulo::Instrucao, instrucao}});
}

void tipoVinculo(AnaliseConsistencia &a)
{
    const QString &vinculo = campo(a, "CoVinculo");
    const auto linha = [&vinculo] { return CampoOcorrencia{Rotulo::Vinculo, vinculo}; };
    QString codigo = a.CodigoDeTabela(CriticaCodigoVinculo, vinculo);
    if (!Passa(codigo)) {
        erro(a, codigo, {linha()});
        return;
    }
    const QString &pis = campo(a, "CoPisPasepEmpregado");
    codigo = CriticaVinculoSeriePis(vinculo, pis);
    if (!Passa(codigo))
        erro(a, codigo, {linha(), {Rotulo::PisPasep, pis}});
    const QString &tipo = doEstabelecimento(a, "InInscrEstabelecimento");
    codigo = CriticaTipoVinculo(vinculo, tipo);
    if (!Passa(codigo)) {
        erro(a, codigo, {linha(), {Rotulo::TipoInscricao, TextoTipoVinculado(tipo)}});
        return;
    }
    const QString &nascimento = campo(a, "DaNascimentoEmpregado");
    codigo = CriticaVinculoIdade(vinculo, nascimento, campo(a, "DaAdmissaoEmpregado"), campo(a, "InDeficienteFisico"));
    if (!Passa(codigo))
        erro(a, codigo, {linha(), {Rotulo::DataNascimento, nascimento}});
    const QString &cnae = doEstabelecimento(a, "CoCnae2");
    codigo = CriticaVinculoTipos1(vinculo, cnae);
    if (!Passa(codigo))
        aviso(a, codigo, {linha(), {Rotulo::Cnae, cnae}});
    const QString &natureza = doEstabelecimento(a, "CoNaturezaJuridica");
    codigo = CriticaVinculoTipos2(vinculo, natureza);
    if (!Passa(codigo))
        aviso(a, codigo, {linha(), {Rotulo::NaturezaJuridica, natureza}});
}

void alvara(AnaliseConsistencia &a)
{
    const QString &indicador = campo(a, "InAlvaraEmpregado");
    QString codigo = CriticaIndicadorAlvara(indicador);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::Alvara, indicador}});
        return;
    }
    const QString &admissao = campo(a, "DaAdmissaoEmpregado");
    const QString &nascimento = campo(a, "DaNascimentoEmpregado");
    if (!Passa(CriticaDataAdmissao(admissao)) || !Passa(CriticaDataNascimento(nascimento)))
        return;
    const QString &vinculo = campo(a, "CoVinculo");
    codigo = CriticaIdadeAdmissao(indicador, nascimento, vinculo, admissao);
    if (!Passa(codigo))
        erro(a, codigo,
             {{Rotulo::Alvara, indicador}, {Rotulo::Vinculo, vinculo}, {Rotulo::DataNascimento, nascimento}});
}

void causaDesligamento(AnaliseConsistencia &a)
{
    const QString &causa = campo(a, "CoCausaDesligamento");
    const auto linha = [&causa] { return CampoOcorrencia{Rotulo::CausaDesligamento, causa}; };
    QString codigo = CriticaCausaDesligamento(causa);
    if (!Passa(codigo)) {
        erro(a, codigo, {linha()});
        return;
    }
    const QString &encerramento = doEstabelecimento(a, "InEncerramentoAtividade");
    codigo = CriticaCausaEncerramento(encerramento, a.AnBaseEstabelecimento, causa, anoBase(a));
    if (!Passa(codigo)) {
        erro(a, codigo, {linha(), {Rotulo::IndicadorEncerramentoAtividade, encerramento}});
        return;
    }
    const QString &natureza = doEstabelecimento(a, "CoNaturezaJuridica");
    codigo = CriticaCausaNatureza(causa, natureza);
    if (!Passa(codigo))
        erro(a, codigo, {linha(), {Rotulo::NaturezaJuridica, natureza}});
}

void dataDesligamento(AnaliseConsistencia &a)
{
    const QString &data = campo(a, "DaDesligamentoEmpregado");
    const QString &causa = campo(a, "CoCausaDesligamento");
    const auto linha = [&data] { return CampoOcorrencia{Rotulo::DataDesligamento, data}; };
    QString codigo = CriticaDataDesligamentoValida(data, anoBase(a));
    if (!Passa(codigo)) {
        erro(a, codigo, {linha()});
        return;
    }
    codigo = CriticaDataDesligamentoCausa(data, causa);
    if (!Passa(codigo))
        erro(a, codigo, {linha(), {Rotulo::CausaDesligamento, causa}});

    const QString &encerramentoGravado = doEstabelecimento(a, "DaEncerramentoAtividade");
    const QStringView encerramento = QStringView(encerramentoGravado).trimmed();
    // A declaration loaded from a file says "no closure" with zeros: its year counts as none.
    QStringView anoEncerramento = encerramento.mid(4, 4).trimmed();
    if (!anoEncerramento.isEmpty() && !ValorInformado(anoEncerramento))
        anoEncerramento = QStringView();
    const QStringView c = VistaAparada(causa);
    if (a.AnoReferencia != contextoRegras().AnoBase() && data == QLatin1String("0000")) {
        erro(a, QStringLiteral("0294"), {linha(), {Rotulo::Ano, anoReferencia(a)}});
    } else if (!c.isEmpty() && c != QLatin1String("00") && c != QLatin1String("71") && c != QLatin1String("78")
               && c != QLatin1String("80") && (anoEncerramento.isEmpty() || anoEncerramento == anoBase(a))) {
        const QString &ferias = campo(a, "VaGlobalFerias");
        const QString &multas = campo(a, "VaGlobalMultas");
        const QString &bancoHoras = campo(a, "VaGlobalBcoHoras");
        const QString &dissidio = campo(a, "VaGlobalDissidio");
        const QString &gratificacoes = campo(a, "VaGlobalGratificacoes");
        codigo = CriticaVerbasDesligamento(ferias, multas, bancoHoras, gratificacoes, dissidio);
        if (!Passa(codigo))
            aviso(a, codigo,
                  {{Rotulo::Ferias, ferias}, {Rotulo::Multas, multas}, {Rotulo::BancoHoras, bancoHoras},
                   {Rotulo::Dissidio, dissidio}, {Rotulo::Gratificacoes, gratificacoes}});
    }

    const QString &admissao = campo(a, "DaAdmissaoEmpregado");
    codigo = CriticaDesligamentoAntesAdmissao(data, admissao, anoReferencia(a));
    if (!Passa(codigo))
        erro(a, codigo, {linha(), {Rotulo::DataAdmissao, admissao}});
    // The rule trims the closure date itself.
    codigo = CriticaDesligamentoEncerramento(data, encerramentoGravado, anoReferencia(a));
    if (!Passa(codigo))
        erro(a, codigo,
             {{Rotulo::DataDesligamento, data + anoReferencia(a)},
              {Rotulo::DataEncerramentoAtividade, encerramento.toString()}});
}

void avisoPrevio(AnaliseConsistencia &a)
{
    const QString &valor = campo(a, "VaAvisoPrevioEmpregado");
    QString codigo = CriticaAvisoPrevioNum(valor);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::AvisoPrevio, valor}});
        return;
    }
    const QString &causa = campo(a, "CoCausaDesligamento");
    codigo = CriticaAvisoPrevio(valor, causa);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::CausaDesligamento, causa.left(2)}, {Rotulo::AvisoPrevio, valor}});
}

} // namespace

void VerificacoesContratoVinculo(SequenciasConsistencia &s)
{
    s.Vinculo.insert(15, tipoAdmissao);
    s.Vinculo.insert(16, salario);
    s.Vinculo.insert(17, tipoSalario);
    s.Vinculo.insert(18, horasSemanais);
    s.Vinculo.insert(19, ocupacao);
    s.Vinculo.insert(20, tipoVinculo);
    s.Vinculo.insert(21, alvara);
    s.Vinculo.insert(22, causaDesligamento);
    s.Vinculo.insert(23, dataDesligamento);
    s.Vinculo.insert(24, avisoPrevio);
}

} // namespace gdvorn
