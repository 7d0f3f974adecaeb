// The field validators of the link form and its monthly pay checks.

#include "entry/ufmDadosEmpreg.h"

#include "app/base/Abort.h"
#include "app/base/Presenter.h"
#include "app/udmEntradaDados.h"
#include "app/ugConfiguracao.h"
#include "app/ugFuncoes.h"
#include "app/ugMensagens.h"
#include "app/ugValores.h"
#include "entry/FormEdits.h"
#include "rules/ugRegrasAdmissao.h"
#include "rules/ugRegrasContrato.h"
#include "rules/ugRegrasDecimoTerceiro.h"
#include "rules/ugRegrasDesligamento.h"
#include "rules/ugRegrasEmpregado.h"
#include "rules/ugRegrasEndereco.h"
#include "rules/ugRegrasNacionalidade.h"
#include "rules/ugRegrasRemuneracao.h"
#include "rules/ugRegrasSalario.h"
#include "rules/ugRegrasSindicais.h"
#include "rules/ugRegrasVerbas.h"

#include <QComboBox>

namespace gdvorn {

namespace {

const QString kOk = QStringLiteral("0000");
QString estab(const char *nome) { return dmEntradaDados->ta8Empresa.FieldByName(QLatin1String(nome)).AsString().trimmed(); }
bool zero(const QString &centavos) { return centavos.count(QLatin1Char('0')) == centavos.size(); }
QString ano(int a) { return QString::number(a); }

} // namespace

// ---- money steps ----

QString TfmDadosEmpreg::passosValor(MoneyEdit *edit, int largura, QString &formatado)
{
    formatado = FormataValor(edit->text());
    if (formatado == QLatin1String("Erro"))
        falha(QStringLiteral("0040"), edit);
    const QString gravado = largura == 9 ? ValorGravacao9(formatado) : ValorGravacao8(formatado);
    if (gravado.size() > largura)
        falha(QStringLiteral("0315"), edit);
    return gravado;
}

void TfmDadosEmpreg::erroValor(const QString &codigo, MoneyEdit *edit, const QString &formatado, QWidget *foco)
{
    if (codigo == kOk)
        return;
    edit->setText(RetiraPontos(formatado).trimmed());
    falha(codigo, foco ? foco : edit);
}

// ---- personal data ----

void TfmDadosEmpreg::ValidaPis()
{
    PisVinculo = dePisPasep->text().trimmed();
    erro(CriticaPis(PisVinculo), dePisPasep);
    erro(CriticaPisInscricao(PisVinculo, TipoInscricaoVinculo), dePisPasep);
}

void TfmDadosEmpreg::ValidaNomeEmpregado()
{
    if (PisVinculo.isEmpty())
        return;
    QString nome = deNomeEmpregado->text();
    const QString codigo = CriticaNomeEmpregado(nome, PisVinculo);
    if (nome != deNomeEmpregado->text())
        gravaCampo(QStringLiteral("NoEmpregado"), nome);
    erro(codigo, deNomeEmpregado);
}

void TfmDadosEmpreg::ValidaNascimento(bool interativo)
{
    const QString data = campo(QStringLiteral("DaNascimentoEmpregado"));
    NascimentoVinculo = data;
    erro(CriticaDataNascimento(data), deNascimento);
    const QString codigo = CriticaNascimento(data, ano(AnoEfetivo));
    if (codigo == QLatin1String("0176")) {
        if (interativo)
            aviso(codigo);
        return;
    }
    erro(codigo, deNascimento);
}

void TfmDadosEmpreg::ValidaRaca()
{
    erro(CriticaRaca(campo(QStringLiteral("CoTipoRaca"))), deRaca);
    descricao(QStringLiteral("tb8raca"), campo(QStringLiteral("CoTipoRaca")), QStringLiteral("NoRaca"), edTxRaca,
              QStringLiteral("TxtRaca"));
}

void TfmDadosEmpreg::ValidaSexo(bool interativo)
{
    const QString codigo = CriticaSexo(campo(QStringLiteral("InSexo")));
    if (interativo && codigo == QLatin1String("3524"))
        falha(codigo, cbSexo);
}

void TfmDadosEmpreg::ValidaNacionalidade(bool interativo)
{
    const QString nacionalidade = campo(QStringLiteral("CoNacionalidade"));
    erro(CriticaNacionalidade(nacionalidade), deNacionalidade);
    descricao(QStringLiteral("tb8nacio"), nacionalidade, QStringLiteral("NoNacionalidade"), edTxNacionalidade,
              QStringLiteral("TxtNacionalidade"), 0);
    if (!interativo)
        return;
    mostraAba(deNacionalidade);
    if (nacionalidade != QLatin1String("10")) {
        deAnoChegada->setFocusPolicy(Qt::StrongFocus);
        Trava(deAnoChegada, false);
        deAnoChegada->setFocus(Qt::OtherFocusReason);
        ContaVinculos();
        if (QtdVinculos > 5 && QtdVinculos / 3.0 < QtdEstrangeiros)
            MostraMensagem(QStringLiteral("0393"));
    } else {
        deAnoChegada->setFocusPolicy(Qt::NoFocus);
        Trava(deAnoChegada, true, CorTrava::Menu);
        gravaCampo(QStringLiteral("AnChegadaEmpregado"), QString());
        deInstrucao->setFocus(Qt::OtherFocusReason);
    }
}

void TfmDadosEmpreg::ValidaAnoChegada()
{
    QString valor = campo(QStringLiteral("AnChegadaEmpregado"));
    if (valor.isEmpty())
        valor = QStringLiteral("0000");
    const QString nacionalidade = campo(QStringLiteral("CoNacionalidade"));
    erro(CriticaAnoChegadaNumerico(valor), deAnoChegada);
    erro(CriticaAnoChegada(valor, nacionalidade), deAnoChegada);
    erro(CriticaAnoChegadaAnoBase(valor, ano(AnoEfetivo), nacionalidade), deAnoChegada);
    erro(CriticaAnoChegadaNascimento(valor, campo(QStringLiteral("DaNascimentoEmpregado")), nacionalidade),
         deAnoChegada);
}

void TfmDadosEmpreg::ValidaInstrucao()
{
    if (campo(QStringLiteral("CoInstrucao")).size() == 1)
        gravaCampo(QStringLiteral("CoInstrucao"), QLatin1Char('0') + campo(QStringLiteral("CoInstrucao")));
    erro(CriticaInstrucao(campo(QStringLiteral("CoInstrucao"))), deInstrucao);
    descricao(QStringLiteral("tb8instr"), campo(QStringLiteral("CoInstrucao")), QStringLiteral("NoInstrucao"),
              edTxInstrucao, QStringLiteral("TxtInstrucao"));
}

void TfmDadosEmpreg::ValidaCarteiraTrabalho()
{
    erro(CriticaCarteiraNumerica(CompletaZeros(campo(QStringLiteral("NuCartTrabEmpregado")), 8),
                                 campo(QStringLiteral("CoVinculo"))),
         deCarteiraTrab);
}

void TfmDadosEmpreg::ValidaCpf()
{
    AlvaraAtual = campo(QStringLiteral("InAlvaraEmpregado"));
    DesligamentoVinculo = campo(QStringLiteral("DaDesligamentoEmpregado"));
    const QString cpf = campo(QStringLiteral("CoCpfEmpregado"));
    const QString vinc = campo(QStringLiteral("CoVinculo"));
    const QString codigo =
        CriticaCarteiraTrabalho(campo(QStringLiteral("NuCartTrabEmpregado")), cpf, vinc, DesligamentoVinculo);
    if (codigo == QLatin1String("3759")) {
        aviso(codigo, deCPF);
        return;
    }
    erro(codigo, deCPF);
    erro(CriticaCpfEmpregado(cpf), deCPF);
    erro(CriticaCpfObrigatorio(cpf, vinc, DesligamentoVinculo, AlvaraAtual), deCPF);
}

void TfmDadosEmpreg::ValidaUsoEmpresa()
{
    erro(CriticaUsoEmpresa(campo(QStringLiteral("TxUsoEmpregado"))), deUsoEmpregado);
}

// ---- admission ----

void TfmDadosEmpreg::ValidaAdmissao(bool interativo)
{
    const QString data = campo(QStringLiteral("DaAdmissaoEmpregado"));
    AdmissaoVinculo = data;
    NascimentoVinculo = campo(QStringLiteral("DaNascimentoEmpregado"));
    erro(CriticaDataAdmissao(data), deAdmissao);
    erro(CriticaAdmissaoAnoBase(data, ano(AnoEfetivo)), deAdmissao);
    erro(CriticaAdmissaoEncerramento(estab("DaEncerramentoAtividade"), data), deAdmissao);
    const QString idade = CriticaIdadeMinimaAdmissao(NascimentoVinculo, data);
    if (idade != QLatin1String("0171"))
        erro(idade, deNascimento);
    erro(CriticaAdmissaoChegada(campo(QStringLiteral("AnChegadaEmpregado")), data,
                                campo(QStringLiteral("CoNacionalidade"))),
         deAnoChegada);
    if (idade == QLatin1String("0171") && interativo)
        MostraMensagem(idade);
}

void TfmDadosEmpreg::ValidaTipoAdmissao()
{
    const QString tipo = campo(QStringLiteral("CoTipoAdmissao"));
    erro(CriticaTipoAdmissao(tipo), deTipoAdmissao);
    erro(CriticaTipoAdmissaoNatureza(tipo, estab("CoNaturezaJuridica")), deTipoAdmissao);
    descricao(QStringLiteral("tb8tpadm"), tipo, QStringLiteral("NoTipoAdmissao"), edTxAdmissao,
              QStringLiteral("TxtAdmisao"));
}

void TfmDadosEmpreg::ValidaSalarioContratual()
{
    QString formatado;
    const QString gravado = passosValor(edSalario, 9, formatado);
    erroValor(CriticaSalarioNumerico(gravado), edSalario, formatado);
    edSalario->setText(formatado);
}

void TfmDadosEmpreg::ValidaHorasSemanais()
{
    erro(CriticaHorasSemanais(CompletaZeros(campo(QStringLiteral("HoSemanaisEmpregado")), 2)), deHoras);
}

void TfmDadosEmpreg::ValidaTipoSalario(bool interativo)
{
    const QString tipo = campo(QStringLiteral("CoTipoSalarioContratual"));
    erro(CriticaTipoSalario(tipo), deTipoSalContratual);
    descricao(QStringLiteral("tb8tpsal"), tipo, QStringLiteral("NoTipoSalarioContratual"), edTxSalContratual,
              QStringLiteral("TxtSalario"), 0);
    if (!interativo)
        return;
    const QString codigo =
        CriticaSalarioContratual(ValorGravacao9(FormataValor(edSalario->text())), tipo, campo(QStringLiteral("CoVinculo")));
    if (codigo == kOk)
        return;
    AvisoSalarioMostrado = true;
    if (codigo == QLatin1String("0232")) {
        AvisoSalarioMostrado = false;
        falha(codigo, edSalario, false);
    }
    MostraMensagem(codigo);
}

void TfmDadosEmpreg::ValidaCbo(bool interativo)
{
    const QString cbo = campo(QStringLiteral("CoCbo"));
    const QString codigo = CriticaCbo(cbo);
    if (codigo == QLatin1String("3645")) {
        if (!interativo)
            return;
        descricao(QStringLiteral("tb8cbo"), cbo, QStringLiteral("NoCbo"), edTxCBO, QStringLiteral("TxtCBO"));
        falha(codigo, deCBO);
    }
    erro(codigo, deCBO);
    erro(CriticaCboInstrucao(campo(QStringLiteral("CoInstrucao")), cbo), deInstrucao);
    descricao(QStringLiteral("tb8cbo"), cbo, QStringLiteral("NoCbo"), edTxCBO, QStringLiteral("TxtCBO"));
}

// ---- link and dismissal ----

void TfmDadosEmpreg::ValidaTipoVinculo(bool interativo)
{
    const QString tipo = campo(QStringLiteral("CoVinculo"));
    erro(CriticaCodigoVinculo(tipo), deVinculo);
    erro(CriticaVinculoSeriePis(tipo, PisVinculo), deVinculo);
    erro(CriticaTipoVinculo(tipo, TipoInscricaoVinculo), deVinculo);
    erro(CriticaVinculoIdade(tipo, campo(QStringLiteral("DaNascimentoEmpregado")),
                             campo(QStringLiteral("DaAdmissaoEmpregado")), campo(QStringLiteral("InDeficienteFisico"))),
         deVinculo);
    descricao(QStringLiteral("tb8vinc"), tipo, QStringLiteral("NoVinculo"), edTxVinculo, QStringLiteral("TxtVinculo"));
    if (!interativo)
        return;
    // Each warning at most three times in a run of the program.
    auto contado = [](const QString &codigo, int &contador) {
        if (codigo == kOk || contador == 0)
            return;
        MostraMensagem(codigo);
        if (++contador > 3)
            contador = 0;
    };
    contado(CriticaVinculoTipos1(tipo, estab("CoCnae2")), dmEntradaDados->ContaAvisoCnae);
    contado(CriticaVinculoTipos2(tipo, estab("CoNaturezaJuridica")), dmEntradaDados->ContaAvisoNatJu);
}

void TfmDadosEmpreg::ValidaDataDesligamento()
{
    const QString campoData = campo(QStringLiteral("DaDesligamentoEmpregado"));
    const QString data = campoData.isEmpty() ? QStringLiteral("0000") : campoData;
    erro(CriticaDataDesligamentoValida(data, ano(Configuracao().AnoBase)), deDataDeslig);
    erro(CriticaDataDesligamentoCausa(data, deCodDeslig->text()), deDataDeslig);
    erro(CriticaDesligamentoAntesAdmissao(CompletaZeros(campoData, 4), AdmissaoVinculo, ano(AnoEfetivo)), deDataDeslig);
    erro(CriticaDesligamentoEncerramento(data, estab("DaEncerramentoAtividade"), ano(AnoEfetivo)), deDataDeslig);
}

void TfmDadosEmpreg::ValidaCausaDesligamento()
{
    QString causa = campo(QStringLiteral("CoCausaDesligamento"));
    if (causa.isEmpty())
        causa = QStringLiteral("00");
    erro(CriticaCausaDesligamento(causa), deCodDeslig);
    erro(CriticaCausaEncerramento(estab("InEncerramentoAtividade"), AnoBaseVinculo,
                                  campo(QStringLiteral("CoCausaDesligamento")), ano(Configuracao().AnoBase)),
         deCodDeslig);
    erro(CriticaCausaNatureza(causa, estab("CoNaturezaJuridica")), deCodDeslig);
    descricao(QStringLiteral("tb8desl"), causa, QStringLiteral("NoCausaDesligamento"), edTxDesligamento,
              QStringLiteral("TxtDesligamento"));
}

void TfmDadosEmpreg::ValidaAvisoPrevio()
{
    QString formatado;
    const QString gravado = passosValor(edAvisoPrevio, 9, formatado);
    erroValor(CriticaAvisoPrevioNum(gravado), edAvisoPrevio, formatado);
    erroValor(CriticaAvisoPrevio(gravado, campo(QStringLiteral("CoCausaDesligamento"))), edAvisoPrevio, formatado);
    edAvisoPrevio->setText(formatado);
}

// ---- contributions ----

void TfmDadosEmpreg::validaValorEntidade(MoneyEdit *edit, QLineEdit *cnpj, const QString &campoCnpj,
                                         const QString &tipo, const QString &vinc, bool interativo)
{
    if (edit->text().trimmed().isEmpty())
        edit->setText(QStringLiteral("0,00"));
    QString formatado;
    const QString gravado = passosValor(edit, 8, formatado);
    erroValor(CriticaValorEntidadeVinculo(gravado), edit, formatado);
    const QString codigo = CriticaContribuicao(campo(campoCnpj), formatado, tipo, 1, false, vinc);
    if (codigo == QLatin1String("3687")) {
        edit->setText(formatado);
        if (interativo)
            aviso(codigo, edit);
        return;
    }
    erroValor(codigo, edit, formatado, cnpj);
    edit->setText(formatado);
}

void TfmDadosEmpreg::ValidaValorSindical(bool interativo)
{
    validaValorEntidade(deValorSindical, deCNPJSindical, QStringLiteral("CoCNPJSindical"), QStringLiteral("sindical"),
                        campo(QStringLiteral("CoVinculo")), interativo);
}

void TfmDadosEmpreg::ValidaValorPrimeiraAssociativa()
{
    Trava(devalorPrimeiroAssociativa, false);
    validaValorEntidade(devalorPrimeiroAssociativa, deCNPJPrimeiroAssociativa, QStringLiteral("CoCNPJPrimAssociativa"),
                        QStringLiteral("associativa"), QString(), true);
}

void TfmDadosEmpreg::ValidaValorSegundaAssociativa()
{
    Trava(deValorSegundoAssociativa, false);
    validaValorEntidade(deValorSegundoAssociativa, deCNPJSegundoAssociativa, QStringLiteral("CoCNPJSegAssociativa"),
                        QStringLiteral("associativa"), QString(), true);
}

void TfmDadosEmpreg::ValidaValorAssistencial()
{
    validaValorEntidade(deValorAssistencial, deCNPJAssistencial, QStringLiteral("CoCNPJAssistencial"),
                        QStringLiteral("assistencial"), QString(), true);
}

void TfmDadosEmpreg::ValidaValorConfederativa()
{
    validaValorEntidade(deValorConfederativa, deCNPJConfederativa, QStringLiteral("CoCNPJConfederativa"),
                        QStringLiteral("confederativa"), QString(), true);
}

// ---- 13th salary ----

void TfmDadosEmpreg::ValidaMesAdiantamento(bool interativo)
{
    const QString mes = CompletaZeros(campo(QStringLiteral("Me13AdiantamentoEmpregado")), 2);
    erro(CriticaFormatoMes13Adiantamento(mes), deMesAdiantamento);
    erro(CriticaMes13(mes, AdmissaoVinculo, ano(AnoEfetivo)), deMesAdiantamento);
    if (interativo)
        mes13NaSaida(mes, CriticaMes13Adiantamento(mes, campo(QStringLiteral("DaDesligamentoEmpregado"))),
                     QStringLiteral("Me13AdiantamentoEmpregado"), edTxAdiantamento);
}

void TfmDadosEmpreg::ValidaMesParcelaFinal(bool interativo)
{
    const QString final = CompletaZeros(campo(QStringLiteral("Me13ParcelaFinalEmpregado")), 2);
    const QString adiantamento = CompletaZeros(campo(QStringLiteral("Me13AdiantamentoEmpregado")), 2);
    erro(CriticaFormatoMes13Final(final), deMesParcelaFinal);
    erro(CriticaMes13Final(adiantamento, final), deMesAdiantamento);
    erro(CriticaMes13Entrada(final, AdmissaoVinculo, ano(AnoEfetivo)), deMesParcelaFinal);
    if (interativo)
        mes13NaSaida(final,
                     CriticaMes13FinalAposDesligamento(final, CompletaZeros(campo(QStringLiteral("DaDesligamentoEmpregado")), 4)),
                     QStringLiteral("Me13ParcelaFinalEmpregado"), edTxParcelaFinal);
}

void TfmDadosEmpreg::mes13NaSaida(const QString &mes, const QString &codigo, const QString &nomeCampo, QLineEdit *nome)
{
    // This refusal keeps the tab and the focus where they are.
    if (codigo != kOk) {
        MostraMensagem(codigo);
        TrocaAbaPermitida = false;
        Abort();
    }
    nome->setText(NomeMes(mes));
    gravaCampo(nomeCampo, mes);
}

void TfmDadosEmpreg::ValidaValorAdiantamento(bool interativo)
{
    valor13(edAdiantamento, QStringLiteral("Me13AdiantamentoEmpregado"), CriticaValor13AdiantamentoNum,
            CriticaValor13Adiantamento, interativo);
}

void TfmDadosEmpreg::ValidaValorParcelaFinal(bool interativo)
{
    valor13(edParcelaFinal, QStringLiteral("Me13ParcelaFinalEmpregado"), CriticaValor13FinalNum, CriticaValor13Final,
            interativo);
}

void TfmDadosEmpreg::valor13(MoneyEdit *edit, const QString &campoMes, QString (*numerico)(const QString &),
                             QString (*regra)(const QString &, const QString &), bool interativo)
{
    const QString mes = CompletaZeros(campo(campoMes), 2);
    QString formatado;
    const QString gravado = passosValor(edit, 9, formatado);
    erroValor(numerico(gravado), edit, formatado);
    const QString codigo = regra(mes, gravado);
    edit->setText(formatado);
    if (codigo == QLatin1String("0332")) {
        if (interativo)
            aviso(codigo);
        return;
    }
    erroValor(codigo, edit, formatado);
}

// ---- termination payments ----

void TfmDadosEmpreg::validaVerba(MoneyEdit *edit)
{
    const QString codigo =
        CriticaValorVerbaRescisoria(campo(QStringLiteral("CoCausaDesligamento")), RetiraPontos(edit->text()).trimmed());
    if (codigo != kOk) {
        // This refusal leaves the next tab switch allowed.
        const QString formatado = FormataValor(edit->text());
        if (formatado != QLatin1String("Erro"))
            edit->setText(formatado);
        falha(codigo, edit, false);
    }
    QString formatado;
    const QString gravado = passosValor(edit, 8, formatado);
    erroValor(CriticaValorVerba(gravado), edit, formatado);
    edit->setText(formatado);
}

void TfmDadosEmpreg::ValidaValorFerias() { validaVerba(deValorGlobalFerias); }
void TfmDadosEmpreg::ValidaValorMultas() { validaVerba(deValorGlobalMultas); }
void TfmDadosEmpreg::ValidaValorBancoHoras() { validaVerba(deValorGlobalBcoHoras); }
void TfmDadosEmpreg::ValidaValorDissidio() { validaVerba(deValorGlobalDissidio); }
void TfmDadosEmpreg::ValidaValorGratificacoes() { validaVerba(deValorGlobalGratificacoes); }

// ---- monthly pay ----

void TfmDadosEmpreg::leDadosRemuneracao()
{
    AdmissaoVinculo = campo(QStringLiteral("DaAdmissaoEmpregado"));
    DesligamentoVinculo = campo(QStringLiteral("DaDesligamentoEmpregado"));
    TipoVinculoAtual = campo(QStringLiteral("CoVinculo"));
}

void TfmDadosEmpreg::ValidaRemuneracaoMes(const QString &valorTexto, const QString &mes, const QString &segundoValor)
{
    leDadosRemuneracao();
    MoneyEdit *edit = edMes[mes.toInt() - 1];
    const QString valor = valorTexto.trimmed().isEmpty() ? QStringLiteral("000000000") : valorTexto;
    if (!ValidaValorMes(valor, mes, segundoValor)) {
        mostraAba(edit);
        edit->setText(RetiraPontos(valor).trimmed());
        edit->setFocus(Qt::OtherFocusReason);
        Abort();
    }
    const QString formatado = FormataValor(valor);
    edit->setText(formatado);
    const QString gravado = ValorGravacao9(formatado);
    aviso(CriticaRemuneracaoLimiteInstrucao(gravado, campo(QStringLiteral("CoInstrucao")), estab("CoNaturezaJuridica"),
                                            mes),
          edit);
    ParametrosRemuneracaoAbaixoContratual p;
    p.valor = gravado;
    p.mes = mes;
    p.tipoSalario = campo(QStringLiteral("CoTipoSalarioContratual"));
    p.salarioContratual = ValorGravacao9(FormataValor(edSalario->text()));
    p.admissao = campo(QStringLiteral("DaAdmissaoEmpregado"));
    p.desligamento = campo(QStringLiteral("DaDesligamentoEmpregado"));
    p.vinculo = campo(QStringLiteral("CoVinculo"));
    p.inicioAfastamento1 = campo(QStringLiteral("DaInicioprimeiroAfas"));
    p.fimAfastamento1 = campo(QStringLiteral("DaFinalPrimeiroAfas"));
    p.inicioAfastamento2 = campo(QStringLiteral("DaInicioSegundoAfas"));
    p.fimAfastamento2 = campo(QStringLiteral("DaFinalSegundoAfas"));
    p.inicioAfastamento3 = campo(QStringLiteral("DaInicioTerceiroAfas"));
    p.fimAfastamento3 = campo(QStringLiteral("DaFinalTerceiroAfas"));
    if (CriticaRemuneracaoAbaixoContratual(p) == QLatin1String("3728")) {
        mostraAba(edit);
        if (presenter().show(MessageKind::Confirmation,
                             QStringLiteral("Atenção: O valor da remuneração declarada é menor do que o valor do "
                                            "salário contratual informado. Confirma?"),
                             {MessageButton::Yes, MessageButton::No}) != MessageButton::Yes) {
            edit->setText(RetiraPontos(formatado).trimmed());
            edit->setFocus(Qt::OtherFocusReason);
            Abort();
        }
    }
}

bool TfmDadosEmpreg::ValidaValorMes(const QString &valor, const QString &mes, const QString &segundoValor)
{
    auto recusa = [this](const QString &codigo) {
        MostraMensagem(codigo);
        TrocaAbaPermitida = false;
        return false;
    };
    const QString formatado = FormataValor(valor);
    if (formatado == QLatin1String("Erro"))
        return recusa(QStringLiteral("0040"));
    const QString segundo = FormataValor(segundoValor);
    if (segundo == QLatin1String("Erro"))
        return recusa(QStringLiteral("0040"));
    const QString gravado = ValorGravacao9(formatado);
    if (gravado.size() > 9)
        return recusa(QStringLiteral("0315"));
    const QString nascimento = campo(QStringLiteral("DaNascimentoEmpregado"));
    const QString tipo = campo(QStringLiteral("CoVinculo"));
    const QString desligamento = campo(QStringLiteral("DaDesligamentoEmpregado"));
    ParametrosSalarioMinimo p{gravado,       mes,          campo(QStringLiteral("CoTipoSalarioContratual")),
                              tipo,          estab("CoNaturezaJuridica"), desligamento,
                              AdmissaoVinculo, ano(AnoEfetivo)};
    const QString minimo = CriticaSalarioMinimo(p);
    if (minimo == QLatin1String("0312") || minimo == QLatin1String("0313"))
        MostraMensagem(minimo);
    else if (minimo != kOk)
        return recusa(minimo);
    const QString dezVezes = CriticaRemuneracaoDezVezes(gravado, mes, ValorGravacao9(segundo));
    if (dezVezes != kOk)
        MostraMensagem(dezVezes);
    if (zero(gravado))
        return true;
    const QString antes = CriticaRemuneracaoAntesAdmissao(mes, AdmissaoVinculo, ano(AnoEfetivo));
    if (antes != kOk)
        return recusa(antes);
    const QString depois = CriticaRemuneracaoAposDesligamento(mes, desligamento);
    if (depois != kOk)
        MostraMensagem(depois);
    const QString aprendiz =
        CriticaRemuneracaoAprendiz(mes, tipo, nascimento, campo(QStringLiteral("CoDeficienteFisico")), ano(AnoEfetivo));
    if (aprendiz != kOk)
        return recusa(aprendiz);
    return true;
}

void TfmDadosEmpreg::ValidaMesesRemuneracao()
{
    leDadosRemuneracao();
    for (int m = 0; m < 12; ++m) {
        const QString mes = rotuloMes(m + 1);
        // The format is checked here too: a month left towards the tab bar was never checked on exit.
        const QString formatado =
            edMes[m]->text().trimmed().isEmpty() ? QStringLiteral("0,00") : FormataValor(edMes[m]->text());
        if (formatado == QLatin1String("Erro"))
            falha(QStringLiteral("0040"), edMes[m]);
        const QString gravado = ValorGravacao9(formatado);
        if (gravado.size() > 9)
            falha(QStringLiteral("0315"), edMes[m]);
        if (zero(gravado))
            continue;
        erro(CriticaRemuneracaoAntesAdmissao(mes, AdmissaoVinculo, ano(AnoEfetivo)), edMes[m]);
        // The same year as the exit check, so that the save never judges a month differently.
        erro(CriticaRemuneracaoAprendiz(mes, campo(QStringLiteral("CoVinculo")),
                                        campo(QStringLiteral("DaNascimentoEmpregado")),
                                        campo(QStringLiteral("CoDeficienteFisico")), ano(AnoEfetivo)),
             edMes[m]);
    }
    auto naoZero = [](MoneyEdit *e) {
        const QString f = FormataValor(e->text());
        return !e->text().trimmed().isEmpty() && f != QLatin1String("Erro") && !zero(ValorGravacao9(f));
    };
    if (naoZero(edAdiantamento))
        erro(CriticaMes13(campo(QStringLiteral("Me13AdiantamentoEmpregado")), AdmissaoVinculo, ano(AnoEfetivo)),
             deAdmissao);
    if (naoZero(edParcelaFinal))
        erro(CriticaMes13Entrada(campo(QStringLiteral("Me13ParcelaFinalEmpregado")), AdmissaoVinculo, ano(AnoEfetivo)),
             deAdmissao);
}

void TfmDadosEmpreg::PreparaDatasHoras()
{
    const QString deslig = deDataDeslig->text().trimmed();
    bool digitos = !deslig.isEmpty();
    for (QChar c : deslig)
        digitos = digitos && c.isDigit();
    MesDesligamento = digitos ? deslig.mid(2, 2).toInt() : 0;
    MesAnoAdmissao = deAdmissao->text().mid(2, 6);
    AnoEncerramento = estab("DaEncerramentoAtividade").mid(4, 4).trimmed();
}

} // namespace gdvorn
