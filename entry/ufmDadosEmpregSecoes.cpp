// What the exit and enter handlers of the link form add per section: the PIS of a stored link, the
// same-PIS look-up, disability, education, work card, work permit, work place, dismissal and notice pay,
// termination items, leaves, unions and membership, monthly pay, hours and the 13th salary.

#include "entry/ufmDadosEmpreg.h"

#include "app/base/Abort.h"
#include "app/base/Presenter.h"
#include "app/base/Query.h"
#include "app/udmEntradaDados.h"
#include "app/ugConfiguracao.h"
#include "app/ugCriticas.h"
#include "app/ugFuncoes.h"
#include "app/ugMensagens.h"
#include "app/ugValores.h"
#include "entry/FormEdits.h"
#include "entry/ugDadosEmpreg.h"
#include "rules/ugRegrasAdmissao.h"
#include "rules/ugRegrasAfastamento.h"
#include "rules/ugRegrasContrato.h"
#include "rules/ugRegrasEmpregado.h"
#include "rules/ugRegrasMunicipio.h"
#include "rules/ugRegrasNacionalidade.h"
#include "rules/ugRegrasRemuneracao.h"
#include "rules/ugRegrasSalario.h"
#include "rules/ugRegrasSindicais.h"
#include "rules/ugRegrasVerbas.h"

#include <QApplication>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

#include <algorithm>

namespace gdvorn {

namespace {

const QString kOk = QStringLiteral("0000");
QString estab(const char *nome) { return dmEntradaDados->ta8Empresa.FieldByName(QLatin1String(nome)).AsString().trimmed(); }
QString bruto(const char *nome) { return dmEntradaDados->ta8Empreg.FieldByName(QLatin1String(nome)).AsString(); }
bool zeros(const QString &s)
{
    const QString t = s.trimmed();
    return !t.isEmpty() && t.count(QLatin1Char('0')) == t.size();
}
QString anoBase() { return QString::number(Configuracao().AnoBase); }
bool sim(MessageButton b) { return b == MessageButton::Yes; }
const QString kPerguntaAviso = QStringLiteral("O Aviso Prévio foi indenizado?");

} // namespace

// ---- shared pieces ----

void TfmDadosEmpreg::entraGrupo(QWidget *grupo) { grupo->setFocus(Qt::OtherFocusReason); }

QString TfmDadosEmpreg::pergunta(const QString &codigo)
{
    // A rule's code that the form asks as a question, whatever kind of box its row names.
    Query q;
    q.setSql(QStringLiteral("select TxMensagem from tb8msg where NuMensagem = :codigo"));
    q.ParamByName(QStringLiteral("codigo")).setAsString(codigo);
    q.Open();
    if (q.IsEmpty())
        return MostraMensagem(codigo);
    const QString texto = q.Fields(0).AsString();
    q.Close();
    return TextoResultado(presenter().show(MessageKind::Confirmation, texto, {MessageButton::Yes, MessageButton::No}));
}

// ---- personal data ----

void TfmDadosEmpreg::saidaPis()
{
    if (ModoEdicao != QLatin1String("I")) {
        // A stored link keeps its PIS: a changed one is put back at once.
        if (campo(QStringLiteral("CoPisPasepEmpregado")) != PisAbertura.trimmed()) {
            presenter().show(MessageKind::Error,
                             QStringLiteral("Você não pode alterar o código PIS/PASEP.\rSe o código está errado "
                                            "exclua esse empregado e inclua-o novamente."),
                             {MessageButton::Ok});
            gravaCampo(QStringLiteral("CoPisPasepEmpregado"), PisAbertura);
        }
        return;
    }
    if (dePisPasep->text().trimmed().isEmpty())
        return;
    ValidaPis();
    if (!zeros(PisVinculo) && PisVinculo != PisConsultado) {
        const QString resultado = BuscaDadosPis();
        if (resultado == QLatin1String("2")) {
            PisConsultado = PisVinculo;
            pcEmpregados->setCurrentWidget(tDadosPessoais);
            deCPF->setFocus(Qt::OtherFocusReason);
        } else if (resultado == QLatin1String("1")) {
            // The user goes back to look for the employee's other link: this one is abandoned.
            PisConsultado = PisVinculo;
            vinculo().Cancel();
            if (DevolvePisLista)
                DevolvePisLista(PisVinculo);
            QDialog::done(QDialog::Rejected);
            ContaVinculos();
            SemVinculos = QtdVinculos <= 0;
            Abort();
        }
    }
    PisConsultado = PisVinculo;
}

void TfmDadosEmpreg::passosDeficiencia()
{
    pcEmpregados->setCurrentWidget(tDadosPessoais);
    if (dgDeficiencia->valor() == QLatin1String("1")) {
        Trava(deDeficiente, false);
        sbDeficiente->setEnabled(true);
        edTxDeficiente->clear();
        deDeficiente->setFocus(Qt::OtherFocusReason);
        return;
    }
    Trava(deDeficiente, true, CorTrava::Menu);
    sbDeficiente->setEnabled(false);
    gravaCampo(QStringLiteral("CoDeficienteFisico"), QStringLiteral("0"));
    if (dgDeficiencia->valor() != QLatin1String("2"))
        gravaCampo(QStringLiteral("InDeficienteFisico"), QString());
    deDeficiente->clear();
    edTxDeficiente->clear();
    cbSexo->setFocus(Qt::OtherFocusReason);
}

void TfmDadosEmpreg::ValidaTipoDeficiencia()
{
    const QString codigo =
        CriticaTipoDeficiencia(campo(QStringLiteral("CoDeficienteFisico")), campo(QStringLiteral("InDeficienteFisico")), false);
    if (codigo != kOk && deDeficiente->isEnabled())
        falha(codigo, dgDeficiencia);
    if (codigo == kOk)
        descricao(QStringLiteral("tbdefi"), campo(QStringLiteral("CoDeficienteFisico")),
                  QStringLiteral("NoTipoDeficiencia"), edTxDeficiente);
}

void TfmDadosEmpreg::passosInstrucao()
{
    ValidaInstrucao();
    const QString codigo = CriticaInstrucaoIdade(campo(QStringLiteral("CoInstrucao")),
                                                 campo(QStringLiteral("DaNascimentoEmpregado")).mid(4, 4), false);
    if (codigo != kOk) {
        pcEmpregados->setCurrentWidget(tDadosPessoais);
        if (pergunta(codigo) != QLatin1String("mrYes")) {
            TrocaAbaPermitida = false;
            deInstrucao->setFocus(Qt::OtherFocusReason);
            Abort();
        }
    }
    deCarteiraTrab->setFocus(Qt::OtherFocusReason);
    Abort();
}

void TfmDadosEmpreg::ValidaSerieCarteira()
{
    const QString serie = campo(QStringLiteral("SeCartTrabEmpregado"));
    const QString numero = campo(QStringLiteral("NuCartTrabEmpregado"));
    erro(CriticaSerieCarteira(serie), deCarteiraTrabSerie);
    const QString codigo = CriticaNumeroCarteira(numero, serie);
    erro(codigo, codigo == QLatin1String("3723") ? static_cast<QWidget *>(deCarteiraTrab) : deCarteiraTrabSerie);
    if (!numero.isEmpty() && !serie.isEmpty())
        erro(CriticaFormatoSerieCarteira(serie, campo(QStringLiteral("CoNacionalidade")), numero), deCarteiraTrabSerie);
}

void TfmDadosEmpreg::ValidaSalarioVinculo()
{
    const QString codigo =
        CriticaSalarioValor(campo(QStringLiteral("CoVinculo")), ValorGravacao9(edSalario->text().trimmed()),
                            campo(QStringLiteral("DaInicioprimeiroAfas")), campo(QStringLiteral("DaFinalPrimeiroAfas")));
    if (codigo != kOk)
        falha(QStringLiteral("0232"), edSalario, false);
}

// ---- link type, work permit, work place ----

void TfmDadosEmpreg::ValidaAlvara()
{
    AlvaraAtual = campo(QStringLiteral("InAlvaraEmpregado"));
    NascimentoAtual = campo(QStringLiteral("DaNascimentoEmpregado"));
    TipoVinculoAtual = campo(QStringLiteral("CoVinculo"));
    AdmissaoAtual = campo(QStringLiteral("DaAdmissaoEmpregado"));
    const QString codigo = CriticaIdadeAdmissao(AlvaraAtual, NascimentoAtual, TipoVinculoAtual, AdmissaoAtual);
    const auto semAlvara = [this] {
        gravaCampo(QStringLiteral("InAlvaraEmpregado"), QStringLiteral("2"));
        TrocaAbaPermitida = false;
    };
    if (codigo == QLatin1String("3133")) {
        pcEmpregados->setCurrentWidget(tVinculo);
        const QString questao = QStringLiteral("Existe alvará autorizando menor de 16 anos de idade ?");
        const bool primeira =
            sim(presenter().show(MessageKind::Confirmation, questao, {MessageButton::Yes, MessageButton::No}));
        if (!primeira) {
            MostraMensagem(QStringLiteral("3533"));
            if (!sim(presenter().show(MessageKind::Confirmation, questao, {MessageButton::Yes, MessageButton::No}))) {
                // Only a plain Yes deletes the link; any other answer keeps it without a permit.
                if (MostraMensagem(QStringLiteral("3532")) == QLatin1String("mrYes"))
                    ExcluiVinculoSemAlvara();
                else
                    semAlvara();
                Abort();
            }
        }
        if (TipoVinculoAtual != QLatin1String("55")) {
            dgAlvara->setEnabled(true);
            gravaCampo(QStringLiteral("InAlvaraEmpregado"), QStringLiteral("1"));
            return;
        }
        pcEmpregados->setCurrentWidget(tVinculo);
        MostraMensagem(QStringLiteral("3531"));
        if (MostraMensagem(QStringLiteral("3532")) == QLatin1String("mrNo")) {
            semAlvara();
            if (primeira) {
                pcEmpregados->setCurrentWidget(tDadosPessoais);
                deNomeEmpregado->setFocus(Qt::OtherFocusReason);
            }
            Abort();
        }
        return;
    }
    if (codigo == QLatin1String("3531")) {
        MostraMensagem(codigo);
        pcEmpregados->setCurrentWidget(tVinculo);
        TrocaAbaPermitida = false;
        entraGrupo(dgAlvara);
        Abort();
    }
}

void TfmDadosEmpreg::saidaAlvara()
{
    if (dgAlvara->valor() != QLatin1String("2"))
        return;
    const QString codigo =
        CriticaIdadeAdmissao(AlvaraAtual, NascimentoAtual, TipoVinculoAtual, bruto("DaAdmissaoEmpregado"));
    if (codigo != QLatin1String("3133"))
        return;
    pcEmpregados->setCurrentWidget(tVinculo);
    MostraMensagem(QStringLiteral("3533"));
    if (MostraMensagem(QStringLiteral("3532")) == QLatin1String("mrYes"))
        ExcluiVinculoSemAlvara();
    gravaCampo(QStringLiteral("InAlvaraEmpregado"), QStringLiteral("2"));
    pcEmpregados->setCurrentWidget(tDadosPessoais);
    TrocaAbaPermitida = false;
    deNomeEmpregado->setFocus(Qt::OtherFocusReason);
    Abort();
}

void TfmDadosEmpreg::ExcluiVinculoSemAlvara()
{
    const ContagemVinculos contagem = ExcluiVinculoEContagem(vinculo(), empresa(), chaveEstab());
    QtdVinculos = contagem.vinculos;
    QtdEstrangeiros = contagem.estrangeiros;
    if (QtdVinculos == 0)
        SemVinculos = true;
    QDialog::done(QDialog::Rejected);
    Abort();
}

void TfmDadosEmpreg::ValidaVinculoHoras()
{
    erro(CriticaHorasVinculo(bruto("CoVinculo"), bruto("CoInstrucao"), bruto("HoSemanaisEmpregado")), deHoras);
}

void TfmDadosEmpreg::ValidaMunicipioTrabalho(bool gravando)
{
    const QString municipio = campo(QStringLiteral("CoMunicipioTrabalho"));
    const QString codigo = CriticaMunicipioTrabalho(bruto("CoMunicipioTrabalho"));
    if (codigo == QLatin1String("0040")) {
        // A partial code passes while typing; the save refuses to store it.
        if (gravando && !municipio.isEmpty())
            falha(codigo, deMunicipioTrabalho);
        return;
    }
    erro(codigo, deMunicipioTrabalho);
    deNomeMunicipioTrabalho->clear();
    deSiglaUFTrabalho->clear();
    gravaCampo(QStringLiteral("NoMunicipioTrabalho"), QString());
    gravaCampo(QStringLiteral("SgUfTrabalho"), QString());
    descricao(QStringLiteral("tb8munic"), municipio, QStringLiteral("NoMunicipio"), deNomeMunicipioTrabalho,
              QStringLiteral("NoMunicipioTrabalho"), 0);
    descricao(QStringLiteral("tbuf"), municipio.left(2), QStringLiteral("SgUf"), deSiglaUFTrabalho);
    const QString uf = deSiglaUFTrabalho->text().trimmed().toUpper();
    deSiglaUFTrabalho->setText(uf);
    gravaCampo(QStringLiteral("SgUfTrabalho"), uf);
}

// ---- dismissal and notice pay ----

QList<QLineEdit *> TfmDadosEmpreg::controlesVerbas() const
{
    return {deValorGlobalFerias,   deValorGlobalMultas,   deValorGlobalBcoHoras, deValorGlobalDissidio,
            deValorGlobalGratificacoes, deCompetenciaHoras, deCompetenciaDissidio, deCompetenciaGratificacoes};
}

void TfmDadosEmpreg::DesabilitaVerbasRescisao()
{
    VerbasHabilitadas = false;
    for (QLineEdit *e : controlesVerbas())
        e->setEnabled(false);
}

void TfmDadosEmpreg::ZeraVerbasRescisao()
{
    if (VerbasHabilitadas)
        return;
    gravaCampo(QStringLiteral("VaGlobalFerias"), QStringLiteral("00000000"));
    for (MoneyEdit *e : {deValorGlobalFerias, deValorGlobalMultas, deValorGlobalBcoHoras, deValorGlobalDissidio,
                         deValorGlobalGratificacoes})
        e->setText(QStringLiteral("0,00"));
    gravaCampo(QStringLiteral("QtCompBcoHoras"), QString());
    gravaCampo(QStringLiteral("QtCompDissidio"), QString());
    gravaCampo(QStringLiteral("QtCompGratificacoes"), QString());
}

void TfmDadosEmpreg::ZeraAvisoPrevio()
{
    if (VerbasHabilitadas)
        return;
    gravaCampo(QStringLiteral("VaAvisoPrevioEmpregado"), QStringLiteral("000000000"));
    edAvisoPrevio->setText(FormataValor(QStringLiteral("0,00")));
    Trava(edAvisoPrevio, true);
}

void TfmDadosEmpreg::ClassificaDesligamento(const QString &causaTexto)
{
    const QString causa = causaTexto.trimmed();
    if (QStringList{QStringLiteral("22"), QStringLiteral("30"), QStringLiteral("31"), QStringLiteral("40"),
                    QStringLiteral("50")}
            .contains(causa)) {
        DesabilitaVerbasRescisao();
        ZeraVerbasRescisao();
    } else {
        VerbasHabilitadas = true;
    }
    if (QStringList{QStringLiteral("71"), QStringLiteral("78"), QStringLiteral("80"), QString()}.contains(causa)) {
        DesabilitaVerbasRescisao();
        ZeraVerbasRescisao();
        gravaCampo(QStringLiteral("DaDesligamentoEmpregado"), QString());
        ZeraAvisoPrevio();
        Trava(deDataDeslig, true);
        deMunicipioTrabalho->setFocus(Qt::OtherFocusReason);
    } else {
        VerbasHabilitadas = true;
    }
    if (VerbasHabilitadas)
        for (QLineEdit *e : controlesVerbas())
            e->setEnabled(true);
}

void TfmDadosEmpreg::MostraAnoDesligamento()
{
    const QString encerramento = estab("DaEncerramentoAtividade");
    const QString ano = encerramento.mid(4, 4);
    const int base = Configuracao().AnoBase;
    QString mostrado;
    if (encerramento.isEmpty() || zeros(encerramento) || ano == QString::number(base))
        mostrado = QString::number(base);
    else if (ano == QString::number(base + 1))
        mostrado = QString::number(base + 1);
    deAnoDeslig->setText(mostrado);
}

void TfmDadosEmpreg::saidaCausaDesligamento()
{
    const QString texto = deCodDeslig->text();
    const auto anoEmBranco = [this] {
        deAnoDeslig->setText(QStringLiteral(" "));
        Trava(deAnoDeslig, true);
    };
    if (texto == QLatin1String("78") || texto == QLatin1String("80")) {
        anoEmBranco();
        gravaCampo(QStringLiteral("DaDesligamentoEmpregado"), QString());
    }
    if (campo(QStringLiteral("CoCausaDesligamento")).isEmpty()) {
        edTxDesligamento->setText(QStringLiteral(" "));
        deAnoDeslig->clear();
        Trava(deAnoDeslig, true);
        gravaCampo(QStringLiteral("DaDesligamentoEmpregado"), QString());
        Trava(deDataDeslig, true);
        ZeraAvisoPrevio();
        edAvisoPrevio->setText(QStringLiteral("0,00"));
        Trava(edAvisoPrevio, true);
        deMunicipioTrabalho->setFocus(Qt::OtherFocusReason);
        return;
    }
    ValidaCausaDesligamento();
    const QString causa = texto.trimmed();
    pcEmpregados->setCurrentWidget(tVinculo);
    if (!QStringList{QStringLiteral("00"), QStringLiteral("71"), QStringLiteral("78"), QStringLiteral("80")}.contains(causa)) {
        Trava(deDataDeslig, false);
        deDataDeslig->setFocus(Qt::OtherFocusReason);
        Trava(deAnoDeslig, false);
    } else {
        anoEmBranco();
        Trava(deDataDeslig, true);
        deMunicipioTrabalho->setFocus(Qt::OtherFocusReason);
    }
    if (causa == QLatin1String("11") || causa == QLatin1String("21")) {
        AvisoPrevioIndenizado = true;
        Trava(edAvisoPrevio, false);
    } else {
        AvisoPrevioIndenizado = false;
        Trava(edAvisoPrevio, true);
        ZeraAvisoPrevio();
        edAvisoPrevio->setText(QStringLiteral("0,00"));
    }
    ClassificaDesligamento(causa);
}

bool TfmDadosEmpreg::perguntaAvisoIndenizado()
{
    const bool indenizado =
        sim(presenter().show(MessageKind::Confirmation, kPerguntaAviso, {MessageButton::Yes, MessageButton::No}));
    AvisoPrevioIndenizado = indenizado;
    pcEmpregados->setCurrentWidget(tVinculo);
    if (indenizado) {
        Trava(edAvisoPrevio, false);
        edAvisoPrevio->setFocus(Qt::OtherFocusReason);
        edAvisoPrevio->selectAll();
    } else {
        ZeraAvisoPrevio();
        edAvisoPrevio->setText(QStringLiteral("0,00"));
        Trava(edAvisoPrevio, true);
        deMunicipioTrabalho->setFocus(Qt::OtherFocusReason);
    }
    return indenizado;
}

void TfmDadosEmpreg::saidaDataDesligamento()
{
    if (PodeValidar() && AvancouVinculo(deDataDeslig->objectName()) && QApplication::focusWidget() != deCodDeslig)
        ValidaDataDesligamento();
    // What follows runs on every exit of the date.
    QStringList valores;
    for (QLineEdit *e : controlesVerbas())
        valores << ValorGravacao9(e->text());
    const QString causa = deCodDeslig->text().trimmed();
    const bool semCausaDeData =
        !QStringList{QStringLiteral("71"), QStringLiteral("78"), QStringLiteral("80")}.contains(causa);
    if (!campo(QStringLiteral("DaDesligamentoEmpregado")).isEmpty()) {
        for (QLineEdit *e : controlesVerbas())
            Trava(e, false);
        pcEmpregados->setTabEnabled(pcEmpregados->indexOf(tVerbas), true);
        if (deAnoDeslig->text().trimmed() == anoBase() && semCausaDeData) {
            const QString codigo =
                CriticaVerbasDesligamento(valores.at(0), valores.at(1), valores.at(2), valores.at(4), valores.at(3));
            if (codigo != kOk)
                MostraMensagem(codigo);
        }
    } else if (std::all_of(valores.begin(), valores.end(), [](const QString &v) { return v.trimmed().isEmpty() || zeros(v); })) {
        for (QLineEdit *e : controlesVerbas())
            Trava(e, true, CorTrava::Menu);
        pcEmpregados->setTabEnabled(pcEmpregados->indexOf(tVerbas), false);
    }
    if (causa == QLatin1String("11") || causa == QLatin1String("21"))
        perguntaAvisoIndenizado();
}

void TfmDadosEmpreg::saidaAvisoPrevio()
{
    const QString texto = edAvisoPrevio->text().trimmed();
    if (!texto.isEmpty() && texto != QLatin1String("0,00")) {
        pcEmpregados->setCurrentWidget(tVinculo);
        ValidaAvisoPrevio();
        edAvisoPrevio->setText(FormataValor(edAvisoPrevio->text()));
        deMunicipioTrabalho->setFocus(Qt::OtherFocusReason);
        return;
    }
    edAvisoPrevio->setText(QStringLiteral("0,00"));
    if (AvisoPrevioIndenizado) {
        presenter().show(MessageKind::Error, QStringLiteral("Informe o Aviso Prévio Indenizado."), {MessageButton::Ok});
        perguntaAvisoIndenizado();
        return;
    }
    ValidaAvisoPrevio();
    deMunicipioTrabalho->setFocus(Qt::OtherFocusReason);
}

// ---- termination items ----

void TfmDadosEmpreg::validaItemVerba(QString (*regra)(const QString &, const QString &), MoneyEdit *valor,
                                     MaskEdit *meses, const QString &codigoItem)
{
    const QString codigo = regra(valor->text(), meses->text());
    if (codigo == codigoItem)
        falha(codigo, valor);
    if (codigo == QLatin1String("3680"))
        falha(codigo, meses);
}

void TfmDadosEmpreg::ValidaBancoHoras()
{
    validaItemVerba(CriticaBancoHoras, deValorGlobalBcoHoras, deCompetenciaHoras, QStringLiteral("3681"));
}

void TfmDadosEmpreg::ValidaDissidio()
{
    validaItemVerba(CriticaDissidio, deValorGlobalDissidio, deCompetenciaDissidio, QStringLiteral("3682"));
}

void TfmDadosEmpreg::ValidaGratificacoes()
{
    validaItemVerba(CriticaGratificacoes, deValorGlobalGratificacoes, deCompetenciaGratificacoes, QStringLiteral("3683"));
}

void TfmDadosEmpreg::saidaCompetencia(MaskEdit *meses, void (TfmDadosEmpreg::*item)())
{
    (this->*item)();
    erro(CriticaNumerico(CompletaZeros(meses->text().trimmed(), 2), QStringLiteral("2")), meses);
}

// ---- leaves ----

namespace {
struct Afastamento {
    const char *causa, *inicio, *fim;
};
const Afastamento kAfastamentos[3] = {{"CoMotivoPrimAfas", "DaInicioprimeiroAfas", "DaFinalPrimeiroAfas"},
                                      {"CoMotivoSeguAfas", "DaInicioSegundoAfas", "DaFinalSegundoAfas"},
                                      {"CoMotivoTercAfas", "DaInicioTerceiroAfas", "DaFinalTerceiroAfas"}};
} // namespace

void TfmDadosEmpreg::motivoAfastamento(int n, bool aviso)
{
    MaskEdit *const causas[3] = {dePrimCod, deSegCod, deTerCod};
    QLineEdit *const textos[3] = {edTxPrimAfast, edTxSegAfas, EdTxTerAfas};
    // The first cause is judged as stored, blanks included; the others trimmed.
    QString causa = n == 1 ? bruto(kAfastamentos[0].causa) : campo(QLatin1String(kAfastamentos[n - 1].causa));
    if (causa.isEmpty())
        causa = QStringLiteral("00");
    erro(CriticaMotivoAfastamento(causa), causas[n - 1]);
    descricao(QStringLiteral("tb8afast"), causa.trimmed(), QStringLiteral("NoAfastamento"), textos[n - 1]);
    if (n == 1 && aviso)
        presenter().show(MessageKind::Information,
                         QStringLiteral("As informações referem-se ao ano-base ") + anoBase() + QStringLiteral(".\r") +
                             QStringLiteral("Se o início do afastamento ocorreu em anos anteriores,\r") +
                             QStringLiteral("a data de início a ser declarada será 01/01."),
                         {MessageButton::Ok});
    if (n == 3)
        deTerInicio->setFocus(Qt::OtherFocusReason);
}

void TfmDadosEmpreg::inicioAfastamento(int n)
{
    MaskEdit *const causas[3] = {dePrimCod, deSegCod, deTerCod};
    MaskEdit *const inicios[3] = {dePrimInicio, deSegInicio, deTerInicio};
    const Afastamento &a = kAfastamentos[n - 1];
    const QString bruta = bruto(a.inicio);
    const QString aparada = bruta.trimmed();
    const QString inicio =
        n == 1 ? (aparada.isEmpty() ? QStringLiteral("0000") : aparada) : CompletaZeros(aparada, 4);
    erro(CriticaDataAfastamentoValida(inicio, anoBase()), inicios[n - 1]);
    const QString codigo = CriticaDataAfastamento(inicio, causas[n - 1]->text(), true);
    erro(codigo, codigo == QLatin1String("3638") ? inicios[n - 1] : causas[n - 1]);
    const QString ano = QString::number(AnoEfetivo);
    erro(CriticaAfastamentoPeriodo(CompletaZeros(bruta, 4), bruto("DaAdmissaoEmpregado"), ano), inicios[n - 1]);
    erro(CriticaAfastamentoInicio(inicio, bruto("DaDesligamentoEmpregado"), ano), inicios[n - 1]);
}

void TfmDadosEmpreg::fimAfastamento(int n)
{
    MaskEdit *const causas[3] = {dePrimCod, deSegCod, deTerCod};
    MaskEdit *const fins[3] = {dePrimFinal, deSegFinal, deTerFinal};
    const Afastamento &a = kAfastamentos[n - 1];
    QString inicio = campo(QLatin1String(a.inicio));
    QString fim = campo(QLatin1String(a.fim));
    if (inicio.isEmpty())
        inicio = QStringLiteral("0000");
    if (fim.isEmpty())
        fim = QStringLiteral("0000");
    erro(CriticaDataAfastamentoValida(fim, anoBase()), fins[n - 1]);
    erro(CriticaAfastamentoFim(inicio, fim), fins[n - 1]);
    const QString codigo = CriticaDataAfastamento(fim, causas[n - 1]->text(), false);
    erro(codigo, codigo == QLatin1String("3643") ? fins[n - 1] : causas[n - 1]);
    const QString ano = QString::number(AnoEfetivo);
    erro(CriticaAfastamentoPeriodo(inicio, bruto("DaAdmissaoEmpregado"), ano), fins[n - 1]);
    erro(CriticaAfastamentoInicio(fim, bruto("DaDesligamentoEmpregado"), ano), fins[n - 1]);
}

void TfmDadosEmpreg::ValidaMotivoPrimeiroAfastamento(bool aviso) { motivoAfastamento(1, aviso); }
void TfmDadosEmpreg::ValidaMotivoSegundoAfastamento() { motivoAfastamento(2, false); }
void TfmDadosEmpreg::ValidaMotivoTerceiroAfastamento() { motivoAfastamento(3, false); }
void TfmDadosEmpreg::ValidaInicioPrimeiroAfastamento() { inicioAfastamento(1); }
void TfmDadosEmpreg::ValidaInicioSegundoAfastamento() { inicioAfastamento(2); }
void TfmDadosEmpreg::ValidaInicioTerceiroAfastamento() { inicioAfastamento(3); }
void TfmDadosEmpreg::ValidaFimPrimeiroAfastamento() { fimAfastamento(1); }
void TfmDadosEmpreg::ValidaFimSegundoAfastamento() { fimAfastamento(2); }
void TfmDadosEmpreg::ValidaFimTerceiroAfastamento() { fimAfastamento(3); }

void TfmDadosEmpreg::ValidaAfastamentos()
{
    erro(CriticaMotivosAfastamento(campo(QStringLiteral("CoMotivoPrimAfas")), campo(QStringLiteral("CoMotivoSeguAfas")),
                                   campo(QStringLiteral("CoMotivoTercAfas"))),
         dePrimCod);
}

void TfmDadosEmpreg::ValidaDiasAfastamento()
{
    const QString dias = CompletaZeros(campo(QStringLiteral("QtDiasAfas")), 3);
    const QString primeira = campo(QStringLiteral("CoMotivoPrimAfas"));
    erro(CriticaDiasAfastamento(primeira, campo(QStringLiteral("CoMotivoSeguAfas")),
                                campo(QStringLiteral("CoMotivoTercAfas")), dias),
         deAfastQtDias);
    const QString codigo = CriticaDiasAfastamentoMotivo(dias, primeira);
    erro(codigo, codigo == QLatin1String("3753") ? static_cast<QWidget *>(dePrimCod) : deAfastQtDias);
}

// ---- unions ----

void TfmDadosEmpreg::validaCnpjEntidade(MaskEdit *edit, const QString &nomeCampo, const QString &tipo, bool segunda)
{
    const QString cnpj = campo(nomeCampo);
    if (cnpj.isEmpty())
        return;
    erro(CriticaCnpjEntidadeVedado(bruto(nomeCampo.toLatin1().constData()), estab("CoCgcCeiEstabelecimento"), 1), edit);
    const QString codigo = CriticaCnpjEntidade(cnpj, tipo, 1, false);
    if (codigo != kOk && codigo != QLatin1String("0050") && codigo != QLatin1String("0051"))
        falha(codigo, edit);
    if (segunda)
        erro(CriticaSegundaAssociativa(campo(QStringLiteral("CoCNPJPrimAssociativa")), cnpj), edit);
}

void TfmDadosEmpreg::ValidaCnpjSindical()
{
    validaCnpjEntidade(deCNPJSindical, QStringLiteral("CoCNPJSindical"), QStringLiteral("sindical"), false);
}
void TfmDadosEmpreg::ValidaCnpjPrimeiraAssociativa()
{
    validaCnpjEntidade(deCNPJPrimeiroAssociativa, QStringLiteral("CoCNPJPrimAssociativa"), QStringLiteral("associativa"),
                       false);
}
void TfmDadosEmpreg::ValidaCnpjSegundaAssociativa()
{
    validaCnpjEntidade(deCNPJSegundoAssociativa, QStringLiteral("CoCNPJSegAssociativa"), QStringLiteral("associativa"),
                       true);
}
void TfmDadosEmpreg::ValidaCnpjAssistencial()
{
    validaCnpjEntidade(deCNPJAssistencial, QStringLiteral("CoCNPJAssistencial"), QStringLiteral("assistencial"), false);
}
void TfmDadosEmpreg::ValidaCnpjConfederativa()
{
    validaCnpjEntidade(deCNPJConfederativa, QStringLiteral("CoCNPJConfederativa"), QStringLiteral("confederativa"),
                       false);
}

void TfmDadosEmpreg::confereEntidade(MaskEdit *edit, const QString &nomeCampo, bool sindical)
{
    const QString cnpj = campo(nomeCampo);
    // The union tax may go to the body that owns the declaration, which is no workers' entity.
    if (sindical && cnpj == CnpjQyv)
        return;
    if (CriticaCnpjEntidadeVinculo(cnpj) == kOk)
        return;
    if (!sim(presenter().show(MessageKind::Confirmation,
                              QStringLiteral("Este campo deve ser preenchido obrigatoriamente com o CNPJ da entidade "
                                             "sindical laboral. Confirma?"),
                              {MessageButton::Yes, MessageButton::No}))) {
        pcEmpregados->setCurrentWidget(tSindicais);
        TrocaAbaPermitida = false;
        edit->setFocus(Qt::OtherFocusReason);
        Abort();
    }
}

void TfmDadosEmpreg::ConfereEntidadeSindical() { confereEntidade(deCNPJSindical, QStringLiteral("CoCNPJSindical"), true); }
void TfmDadosEmpreg::ConfereEntidadeAssociativa(bool segunda)
{
    if (segunda)
        confereEntidade(deCNPJSegundoAssociativa, QStringLiteral("CoCNPJSegAssociativa"), false);
    else
        confereEntidade(deCNPJPrimeiroAssociativa, QStringLiteral("CoCNPJPrimAssociativa"), false);
}
void TfmDadosEmpreg::ConfereEntidadeAssistencial()
{
    confereEntidade(deCNPJAssistencial, QStringLiteral("CoCNPJAssistencial"), false);
}
void TfmDadosEmpreg::ConfereEntidadeConfederativa()
{
    confereEntidade(deCNPJConfederativa, QStringLiteral("CoCNPJConfederativa"), false);
}

void TfmDadosEmpreg::travaAssociacao(bool primeira, bool segunda, bool travado, CorTrava cor)
{
    QList<QLineEdit *> controles;
    if (primeira)
        controles << deCNPJPrimeiroAssociativa << devalorPrimeiroAssociativa;
    if (segunda)
        controles << deCNPJSegundoAssociativa << deValorSegundoAssociativa;
    for (QLineEdit *e : controles)
        Trava(e, travado, cor);
}

void TfmDadosEmpreg::passosSindicalizado()
{
    const QString valor = dbrSindicalizado->valor();
    if (valor.isEmpty()) {
        gravaCampo(QStringLiteral("InSindicalizadoVinculo"), QString());
        return;
    }
    const bool membro = valor == QLatin1String("1");
    if (!membro) {
        for (const char *nome : {"CoCNPJPrimAssociativa", "VaGlobalPrimAssociativa", "CoCNPJSegAssociativa",
                                 "VaGlobalSegAssociativa"})
            gravaCampo(QLatin1String(nome), QString());
        devalorPrimeiroAssociativa->setText(QStringLiteral("0,00"));
        deValorSegundoAssociativa->setText(QStringLiteral("0,00"));
    }
    travaAssociacao(true, true, !membro, CorTrava::FaceBotao);
    for (QLineEdit *e : {static_cast<QLineEdit *>(deCNPJPrimeiroAssociativa), static_cast<QLineEdit *>(devalorPrimeiroAssociativa),
                         static_cast<QLineEdit *>(deCNPJSegundoAssociativa), static_cast<QLineEdit *>(deValorSegundoAssociativa)})
        e->setFocusPolicy(membro ? Qt::StrongFocus : Qt::NoFocus);
    (membro ? static_cast<QWidget *>(deCNPJPrimeiroAssociativa) : deCNPJAssistencial)->setFocus(Qt::OtherFocusReason);
}

void TfmDadosEmpreg::ValidaSindicalizado()
{
    const QString indicador = campo(QStringLiteral("InSindicalizadoVinculo"));
    const bool cnpj = !campo(QStringLiteral("CoCNPJPrimAssociativa")).isEmpty();
    if (indicador == QLatin1String("1")) {
        travaAssociacao(true, false, false, CorTrava::Menu);
        if (!cnpj)
            falha(QStringLiteral("3702"), deCNPJPrimeiroAssociativa);
    } else if (indicador == QLatin1String("2")) {
        travaAssociacao(true, true, true, CorTrava::Menu);
        if (cnpj) {
            Trava(deCNPJPrimeiroAssociativa, false);
            falha(QStringLiteral("3757"), deCNPJPrimeiroAssociativa);
        }
    } else if (indicador.isEmpty()) {
        falha(QStringLiteral("3724"), dbrSindicalizado);
    }
}

void TfmDadosEmpreg::ConfereSegundaAssociativa()
{
    if (campo(QStringLiteral("InSindicalizadoVinculo")) != QLatin1String("2"))
        return;
    travaAssociacao(false, true, true, CorTrava::Menu);
    if (!campo(QStringLiteral("CoCNPJSegAssociativa")).isEmpty()) {
        Trava(deCNPJSegundoAssociativa, false);
        falha(QStringLiteral("3757"), deCNPJSegundoAssociativa);
    }
}

// ---- monthly pay, hours, 13th salary ----

void TfmDadosEmpreg::saidaDezembro()
{
    const QString admissao = campo(QStringLiteral("DaAdmissaoEmpregado"));
    const QString causa = campo(QStringLiteral("CoCausaDesligamento"));
    const bool semAfastamento = campo(QStringLiteral("CoMotivoPrimAfas")).isEmpty() &&
                                campo(QStringLiteral("CoMotivoSeguAfas")).isEmpty() &&
                                campo(QStringLiteral("CoMotivoTercAfas")).isEmpty();
    bool semPagamento = true;
    for (int m = 1; m <= 12; ++m) {
        const QString gravado = ValorGravacao9(FormataValor(edMes[m - 1]->text()));
        // The admission month unpaid, for an employee neither dismissed nor on leave, admitted in the
        // year the pay belongs to.
        if (gravado == QLatin1String("000000000") && (causa.isEmpty() || zeros(causa)) && semAfastamento &&
            admissao.mid(2, 2).toInt() == m && admissao.mid(4, 4) == QString::number(AnoEfetivo)) {
            MostraMensagem(QStringLiteral("3679"));
            deHorasMes[11]->setFocus(Qt::OtherFocusReason);
            Abort();
        }
        semPagamento = semPagamento && (!EhNumerico(gravado) || zeros(gravado));
    }
    if (semPagamento)
        MostraMensagem(QStringLiteral("1060"));
}

void TfmDadosEmpreg::ValidaHorasMes(int mes, bool naSaida)
{
    MaskEdit *horasEdit = deHorasMes[mes - 1];
    MoneyEdit *valorEdit = edMes[mes - 1];
    const QString nomeCampo = m_binder.campo(horasEdit);
    if (horasEdit->text().trimmed().isEmpty())
        gravaCampo(nomeCampo, QStringLiteral("000"));
    const QString horas = bruto(nomeCampo.toLatin1().constData());
    erro(CriticaHorasNumericas(horas), horasEdit);
    // A pay that is no number (left towards the tab bar, so never checked) is refused in its own edit.
    const QString texto = valorEdit->text().trimmed().isEmpty() ? QStringLiteral("0,00") : valorEdit->text();
    const QString formatado = FormataValor(texto);
    if (formatado == QLatin1String("Erro"))
        falha(QStringLiteral("0040"), valorEdit);
    const QString gravado = ValorGravacao9(formatado);
    PreparaDatasHoras();
    erro(CriticaHorasSemRemuneracao(horas, gravado), horasEdit);
    ParametrosHorasRemuneracao p;
    p.valor = gravado.toLongLong();
    p.horas = horas.trimmed().toInt();
    p.mes = mes;
    p.mesDesligamento = MesDesligamento;
    p.admissao = MesAnoAdmissao;
    p.anoEncerramento = AnoEncerramento;
    erro(CriticaHorasRemuneracao(p), horasEdit);
    if (!naSaida)
        return;
    const QString codigo = CriticaHorasMes(horas);
    if (codigo == QLatin1String("3698")) {
        pcEmpregados->setCurrentWidget(tRemuneracoes);
        if (MostraMensagem(QStringLiteral("3699")) != QLatin1String("mrNo")) {
            (mes < 12 ? static_cast<QWidget *>(edMes[mes]) : deMesAdiantamento)->setFocus(Qt::OtherFocusReason);
            Abort();
        }
        TrocaAbaPermitida = false;
        horasEdit->setFocus(Qt::OtherFocusReason);
        Abort();
    }
    erro(codigo, horasEdit);
}

void TfmDadosEmpreg::saidaParcelaFinal()
{
    const QString texto = edParcelaFinal->text().trimmed();
    const bool verbas = pcEmpregados->isTabEnabled(pcEmpregados->indexOf(tVerbas));
    if (!texto.isEmpty() && texto != QLatin1String("0,00")) {
        ValidaValorParcelaFinal(true);
        if (verbas) {
            pcEmpregados->setCurrentWidget(tVerbas);
            deValorGlobalFerias->setFocus(Qt::OtherFocusReason);
        }
    } else {
        edParcelaFinal->setText(FormataValor(QStringLiteral("000000000")));
    }
    bool ambosZero = true;
    for (MoneyEdit *e : {edAdiantamento, edParcelaFinal}) {
        const QString gravado = ValorGravacao9(e->text());
        if (!EhNumerico(gravado))
            e->setText(FormataValor(QStringLiteral("000000000")));
        else
            ambosZero = ambosZero && zeros(gravado);
    }
    if (ambosZero)
        MostraMensagem(QStringLiteral("1061"));
    if (verbas) {
        pcEmpregados->setCurrentWidget(tVerbas);
        deValorGlobalFerias->setFocus(Qt::OtherFocusReason);
    }
}

} // namespace gdvorn
