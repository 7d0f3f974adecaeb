// The checks of a link's identification and person data (V1, V2, V4-V14): PIS, admission, name, birth,
// disability, race, nationality, sex, arrival, education, work card and CPF. Every finding is of record
// type 2; errors count one occurrence each and warnings none, except the birth date's own error (not
// counted), the education warning (counted) and the work card's form against the nationality (not
// counted).

#include "rules/ugConsistencia.h"
#include "rules/ugRegrasAdmissao.h"
#include "rules/ugRegrasEmpregado.h"
#include "rules/ugRegrasNacionalidade.h"
#include "rules/ugVerificacoes.h"
#include "rules/ugVerificacoesComum.h"

namespace gdvorn {

namespace {

const QString &campo(AnaliseConsistencia &a, const char *nome) { return a.CamposVinculo.Gravado(nome); }
const QString &anoReferencia(AnaliseConsistencia &a) { return a.TextoAnoReferencia(); }

void erro(AnaliseConsistencia &a, const QString &codigo, const QList<CampoOcorrencia> &campos)
{
    a.RegistraErro(RegistroVinculo, codigo, campos);
}

void erroNaoContado(AnaliseConsistencia &a, const QString &codigo, const QList<CampoOcorrencia> &campos)
{
    a.Ocorrencias.RegistraOcorrencia(OcorrenciaErro, RegistroVinculo, codigo, campos);
}

// One rule on one field of the link: its failure is an error with the field's row.
void simples(AnaliseConsistencia &a, const char *nome, const QString &rotulo, QString (*regra)(const QString &))
{
    const QString &valor = campo(a, nome);
    const QString codigo = regra(valor);
    if (!Passa(codigo))
        erro(a, codigo, {{rotulo, valor}});
}

// The same for a rule that searches the code tables.
void deTabela(AnaliseConsistencia &a, const char *nome, const QString &rotulo, AnaliseConsistencia::RegraDeTabela regra)
{
    const QString &valor = campo(a, nome);
    const QString codigo = a.CodigoDeTabela(regra, valor);
    if (!Passa(codigo))
        erro(a, codigo, {{rotulo, valor}});
}

void pis(AnaliseConsistencia &a)
{
    const QString &valor = campo(a, "CoPisPasepEmpregado");
    QString codigo = CriticaPis(valor);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::PisPasep, valor}});
        return;
    }
    const QString &tipo = a.CamposEstabelecimento.Gravado("InInscrEstabelecimento");
    codigo = CriticaPisInscricao(valor, tipo);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::PisPasep, valor}, {Rotulo::TipoInscricao, TextoTipoVinculado(tipo)}});
}

void admissao(AnaliseConsistencia &a)
{
    const QString &data = campo(a, "DaAdmissaoEmpregado");
    const auto linha = [&data] { return CampoOcorrencia{Rotulo::DataAdmissao, data}; };
    QString codigo = CriticaDataAdmissao(data);
    if (!Passa(codigo)) {
        erro(a, codigo, {linha()});
        return;
    }
    codigo = CriticaAdmissaoAnoBase(data, anoReferencia(a));
    if (!Passa(codigo))
        erro(a, codigo, {linha(), {Rotulo::Ano, anoReferencia(a)}});
    const QString &encerramento = a.CamposEstabelecimento.Gravado("DaEncerramentoAtividade");
    codigo = CriticaAdmissaoEncerramento(encerramento, data);
    if (!Passa(codigo))
        erro(a, codigo, {linha(), {Rotulo::DataEncerramento, encerramento}});
    const QString &nascimento = campo(a, "DaNascimentoEmpregado");
    codigo = CriticaIdadeMinimaAdmissao(nascimento, data);
    if (!Passa(codigo)) {
        if (codigo == QLatin1String("0171"))
            a.RegistraAviso(RegistroVinculo, codigo, {linha(), {Rotulo::DataNascimento, nascimento}});
        else
            erro(a, codigo, {linha(), {Rotulo::DataNascimento, nascimento}});
    }
    const QString &chegada = campo(a, "AnChegadaEmpregado");
    codigo = CriticaAdmissaoChegada(chegada, data, campo(a, "CoNacionalidade"));
    if (!Passa(codigo))
        erro(a, codigo, {linha(), {Rotulo::AnoChegada, chegada}});
}

void nome(AnaliseConsistencia &a)
{
    const QString &valor = campo(a, "NoEmpregado");
    QString aparado = valor;
    const QString codigo = CriticaNomeEmpregado(aparado, a.PisVinculo);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::NomeEmpregado, valor}});
}

void nascimento(AnaliseConsistencia &a)
{
    const QString &data = campo(a, "DaNascimentoEmpregado");
    QString codigo = CriticaDataNascimento(data);
    if (!Passa(codigo)) {
        erroNaoContado(a, codigo, {{Rotulo::DataNascimento, data}});
        return;
    }
    codigo = CriticaNascimento(data, anoReferencia(a));
    if (Passa(codigo))
        return;
    const QList<CampoOcorrencia> linhas{{Rotulo::DataNascimento, data}, {Rotulo::Ano, anoReferencia(a)}};
    if (codigo == QLatin1String("0176"))
        a.RegistraAviso(RegistroVinculo, codigo, linhas);
    else
        erro(a, codigo, linhas);
}

void tipoDeficiencia(AnaliseConsistencia &a)
{
    const QString &indicador = campo(a, "InDeficienteFisico");
    const QString &tipo = campo(a, "CoDeficienteFisico");
    const QString codigo = CriticaTipoDeficiencia(tipo, indicador, a.OrigemArquivo);
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::Deficiente, indicador}, {Rotulo::TipoDeficiencia, tipo}});
}

void anoChegada(AnaliseConsistencia &a)
{
    const QString &chegada = campo(a, "AnChegadaEmpregado");
    const QString &codigoNacionalidade = campo(a, "CoNacionalidade");
    // The first two characters (the stored code has no more: no copy made).
    const QString nacionalidade = codigoNacionalidade.size() > 2 ? codigoNacionalidade.left(2) : codigoNacionalidade;
    const auto linha = [&chegada] { return CampoOcorrencia{Rotulo::AnoChegada, chegada}; };
    QString codigo = CriticaAnoChegadaNumerico(chegada);
    if (!Passa(codigo)) {
        erro(a, codigo, {linha()});
        return;
    }
    codigo = CriticaAnoChegada(chegada, nacionalidade);
    if (!Passa(codigo)) {
        erro(a, codigo, {linha(), {Rotulo::Nacionalidade, nacionalidade}});
        return;
    }
    codigo = CriticaAnoChegadaAnoBase(chegada, anoReferencia(a), nacionalidade);
    if (!Passa(codigo))
        erro(a, codigo, {linha(), {Rotulo::Ano, anoReferencia(a)}});
    const QString &nascimento = campo(a, "DaNascimentoEmpregado");
    codigo = CriticaAnoChegadaNascimento(chegada, nascimento, nacionalidade);
    if (!Passa(codigo))
        erro(a, codigo, {linha(), {Rotulo::DataNascimento, nascimento}});
}

void instrucao(AnaliseConsistencia &a)
{
    const QString &nivel = campo(a, "CoInstrucao");
    QString codigo = a.CodigoDeTabela(CriticaInstrucao, nivel);
    if (!Passa(codigo)) {
        erro(a, codigo, {{Rotulo::Instrucao, nivel}});
        return;
    }
    const QStringView anoNascimento = QStringView(campo(a, "DaNascimentoEmpregado")).mid(4, 4);
    codigo = CriticaInstrucaoIdade(QStringView(nivel), anoNascimento, true);
    if (!Passa(codigo)) {
        a.RegistraAviso(RegistroVinculo, codigo,
                        {{Rotulo::Instrucao, nivel}, {Rotulo::DataNascimento, anoNascimento.toString()}});
        a.ContaOcorrencia();
    }
}

void carteira(AnaliseConsistencia &a)
{
    const QString &numero = campo(a, "NuCartTrabEmpregado");
    const QString &serie = campo(a, "SeCartTrabEmpregado");
    const QString &vinculo = campo(a, "CoVinculo");
    const auto linhaNumero = [&numero] { return CampoOcorrencia{Rotulo::CarteiraTrabalho, numero}; };
    const auto linhaSerie = [&serie] { return CampoOcorrencia{Rotulo::SerieCarteira, serie}; };

    QString codigo = CriticaCarteiraDigitos(numero);
    if (!Passa(codigo))
        erro(a, codigo, {linhaNumero()});
    codigo = CriticaSerieCarteira(serie);
    if (!Passa(codigo))
        erro(a, codigo, {linhaSerie()});
    codigo = CriticaCarteiraNumerica(numero, vinculo);
    if (!Passa(codigo)) {
        erro(a, codigo, {linhaNumero(), {Rotulo::Vinculo, vinculo}});
        return;
    }
    codigo = CriticaNumeroCarteira(numero, serie);
    if (!Passa(codigo)) {
        erro(a, codigo, {linhaNumero(), linhaSerie()});
        return;
    }
    const QString &nacionalidade = campo(a, "CoNacionalidade");
    codigo = CriticaFormatoSerieCarteira(serie, nacionalidade, numero);
    if (!Passa(codigo)) {
        erroNaoContado(a, codigo, {linhaNumero(), linhaSerie(), {Rotulo::Nacionalidade, nacionalidade}});
        return;
    }
    const QString &cpf = campo(a, "CoCpfEmpregado");
    codigo = CriticaCarteiraTrabalho(numero, cpf, vinculo, campo(a, "DaDesligamentoEmpregado"));
    if (Passa(codigo))
        return;
    if (codigo == QLatin1String("3759"))
        a.RegistraAviso(RegistroVinculo, codigo, {{Rotulo::CpfEmpregado, cpf}});
    else
        erro(a, codigo, {linhaNumero(), {Rotulo::CpfEmpregado, cpf}});
}

void cpf(AnaliseConsistencia &a)
{
    const QString &valor = campo(a, "CoCpfEmpregado");
    QString codigo = CriticaCpfEmpregado(valor);
    if (Passa(codigo))
        codigo = CriticaCpfObrigatorio(valor, campo(a, "CoVinculo"), campo(a, "DaDesligamentoEmpregado"),
                                       campo(a, "InAlvaraEmpregado"));
    if (!Passa(codigo))
        erro(a, codigo, {{Rotulo::CpfEmpregado, valor}});
}

} // namespace

void VerificacoesPessoaVinculo(SequenciasConsistencia &s)
{
    s.Vinculo.insert(1, pis);
    s.Vinculo.insert(2, admissao);
    s.Vinculo.insert(4, nome);
    s.Vinculo.insert(5, nascimento);
    s.Vinculo.insert(6, tipoDeficiencia);
    s.Vinculo.insert(7, [](AnaliseConsistencia &a) {
        simples(a, "InDeficienteFisico", Rotulo::Deficiente, CriticaIndicadorDeficiencia);
    });
    s.Vinculo.insert(8, [](AnaliseConsistencia &a) { deTabela(a, "CoTipoRaca", Rotulo::RacaCor, CriticaRaca); });
    s.Vinculo.insert(9, [](AnaliseConsistencia &a) {
        deTabela(a, "CoNacionalidade", Rotulo::Nacionalidade, CriticaNacionalidade);
    });
    s.Vinculo.insert(10, [](AnaliseConsistencia &a) { simples(a, "InSexo", Rotulo::Sexo, CriticaSexo); });
    s.Vinculo.insert(11, anoChegada);
    s.Vinculo.insert(12, instrucao);
    s.Vinculo.insert(13, carteira);
    s.Vinculo.insert(14, cpf);
}

} // namespace gdvorn
