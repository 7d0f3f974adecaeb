// Saving and deleting the link of the link form: every check again in its fixed order, the cross-link
// checks, the pay-period rules, the stored forms, and the post of the link with the establishment's counts
// in one transaction (ugDadosEmpreg).

#include "entry/ufmDadosEmpreg.h"

#include "app/base/Abort.h"
#include "app/base/EngineError.h"
#include "app/base/Presenter.h"
#include "app/base/Query.h"
#include "app/udmEntradaDados.h"
#include "app/ugCriticas.h"
#include "app/ugExcecao.h"
#include "app/ugFuncoes.h"
#include "app/ugMensagens.h"
#include "app/ugValores.h"
#include "entry/FormEdits.h"
#include "entry/ugDadosEmpreg.h"
#include "rules/ugRegrasRemuneracao.h"

#include <QApplication>
#include <QPushButton>

namespace gdvorn {

namespace {

const QString kOk = QStringLiteral("0000");


// The stored cents of a money edit's text: display text ("1.234,56") or typed digits ("1234" is 1.234,00).
QString centavos(const QString &texto, int largura)
{
    const QString t = texto.trimmed().isEmpty() ? QStringLiteral("0,00") : texto;
    const QString formatado = FormataValor(t);
    const QString base = formatado == QLatin1String("Erro") ? t : formatado;
    return largura == 9 ? ValorGravacao9(base) : ValorGravacao8(base);
}

} // namespace

bool TfmDadosEmpreg::ConfereDecimoTerceiro()
{
    QStringList meses;
    for (MoneyEdit *e : edMes)
        meses << centavos(e->text(), 9);
    return gdvorn::ConfereDecimoTerceiro(meses, centavos(edAdiantamento->text(), 9), centavos(edParcelaFinal->text(), 9));
}

void TfmDadosEmpreg::ConfereDadosPis()
{
    CboVinculo = campo(QStringLiteral("CoCbo"));
    DesligamentoVinculo = campo(QStringLiteral("DaDesligamentoEmpregado"));
    NomeEmpregadoVinculo = vinculo().FieldByName(QStringLiteral("NoEmpregado")).AsString();
    NascimentoVinculo = campo(QStringLiteral("DaNascimentoEmpregado"));
    const QString cpf = CompletaZeros(campo(QStringLiteral("CoCpfEmpregado")), 11);
    Query &q = dmEntradaDados->quBuscaEmpreg;
    q.Close();
    q.setSql(QStringList{QStringLiteral("select NoEmpregado, DaNascimentoEmpregado, CoCpfEmpregado,"),
                         QStringLiteral("       CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento,"),
                         QStringLiteral("       DaAdmissaoEmpregado, DaDesligamentoEmpregado, CoCbo"),
                         QStringLiteral("from BD8Vinc"), QStringLiteral("where AnBase = :sAnoBase and"),
                         QStringLiteral("      CoPisPasepEmpregado = :sPisPasep")});
    q.ParamByName(QStringLiteral("sAnoBase")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("AnBase"), AnoBaseVinculo);
    q.ParamByName(QStringLiteral("sPisPasep")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("CoPisPasepEmpregado"), PisVinculo);
    q.Open();
    auto de = [&q](const char *nome) { return q.FieldByName(QLatin1String(nome)).AsString().trimmed(); };
    for (; !q.Eof(); q.Next()) {
        // The link's own stored row is no other link.
        if (ModoEdicao == QLatin1String("A") && de("CoCgcCeiEstabelecimento") == InscricaoVinculo &&
            de("NuPrefixoEstabelecimento") == PrefixoVinculo && de("DaAdmissaoEmpregado") == AdmissaoOriginal &&
            de("DaDesligamentoEmpregado") == DesligamentoOriginal && de("CoCbo") == CboOriginal)
            continue;
        // CPFs compared as stored: eleven digits, zeros for none.
        if (de("NoEmpregado") != NomeEmpregadoVinculo.trimmed() || de("DaNascimentoEmpregado") != NascimentoVinculo ||
            CompletaZeros(de("CoCpfEmpregado"), 11) != cpf) {
            pcEmpregados->setCurrentWidget(tDadosPessoais);
            MostraMensagem(QStringLiteral("3761"));
            break;
        }
    }
    q.Close();
}

void TfmDadosEmpreg::VerificaDuplicidade()
{
    CboVinculo = campo(QStringLiteral("CoCbo"));
    if (CboVinculo.isEmpty())
        CboVinculo = QStringLiteral("000000");
    DesligamentoVinculo = campo(QStringLiteral("DaDesligamentoEmpregado"));
    if (DesligamentoVinculo.isEmpty())
        DesligamentoVinculo = QStringLiteral("0000");
    if (AdmissaoVinculo.trimmed().isEmpty())
        AdmissaoVinculo = QStringLiteral("00000000");
    const bool proprio = ModoEdicao == QLatin1String("A") && PisVinculo == PisOriginal &&
                         AdmissaoVinculo == AdmissaoOriginal && DesligamentoVinculo == DesligamentoOriginal &&
                         CboVinculo == CboOriginal;
    Query &q = dmEntradaDados->quBuscaEmpreg;
    q.Close();
    q.setSql(QStringList{QStringLiteral("select *"), QStringLiteral("from BD8Vinc"),
                         QStringLiteral(" where  CoPisPasepEmpregado = :sPisPasep and"),
                         QStringLiteral("      CoCgcCeiEstabelecimento = :sInscricao and"),
                         QStringLiteral("      CoCgcVinculado = :ceivinculado and"),
                         QStringLiteral("      InInscrEstabelecimento = :tipoinscricao and"),
                         QStringLiteral("      DaDesligamentoEmpregado = :desligamento and"),
                         QStringLiteral("      CoCbo = :cbo and"), QStringLiteral("      DaAdmissaoEmpregado = :sDataAdm")});
    q.ParamByName(QStringLiteral("sPisPasep")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("CoPisPasepEmpregado"), PisVinculo);
    q.ParamByName(QStringLiteral("sInscricao")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("CoCgcCeiEstabelecimento"), InscricaoVinculo);
    q.ParamByName(QStringLiteral("ceivinculado")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("CoCgcVinculado"), CeiVinculado);
    q.ParamByName(QStringLiteral("tipoinscricao")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("InInscrEstabelecimento"), TipoInscricaoVinculo);
    q.ParamByName(QStringLiteral("desligamento")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("DaDesligamentoEmpregado"), DesligamentoVinculo);
    q.ParamByName(QStringLiteral("cbo")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("CoCbo"), CboVinculo);
    q.ParamByName(QStringLiteral("sDataAdm")).setAsStored(QStringLiteral("bd8vinc"), QStringLiteral("DaAdmissaoEmpregado"), AdmissaoVinculo);
    q.Open();
    int linhas = 0;
    for (; !q.Eof(); q.Next())
        ++linhas;
    q.Close();
    if (linhas > (proprio ? 1 : 0)) {
        pcEmpregados->setCurrentWidget(tAdmissao);
        MostraMensagem(QStringLiteral("1671"));
        deAdmissao->setFocus(Qt::OtherFocusReason);
        Abort();
    }
}

void TfmDadosEmpreg::TrataErroBanco(const std::exception &erro)
{
    const auto *motor = dynamic_cast<const EngineError *>(&erro);
    if (!motor)
        TrataExcecao(erro);
    else if (motor->code() == ErrKeyViolation)
        MostraMensagem(QStringLiteral("1059"));
    else
        MostraErroBDE(*motor);
}

void TfmDadosEmpreg::mostraValoresPagamento()
{
    for (MoneyEdit *e : edMes)
        e->setText(MostraValor(centavos(e->text(), 9)));
    edAdiantamento->setText(MostraValor(centavos(edAdiantamento->text(), 9)));
    edParcelaFinal->setText(MostraValor(centavos(edParcelaFinal->text(), 9)));
}

void TfmDadosEmpreg::GravaVinculo()
{
    // Every check once more, in this order.
    ValidaPis();
    ValidaNomeEmpregado();
    ValidaNascimento(false);
    ValidaRaca();
    ValidaTipoDeficiencia();
    ValidaSexo(false);
    ValidaNacionalidade(false);
    ValidaAnoChegada();
    ValidaInstrucao();
    ValidaCarteiraTrabalho();
    ValidaSerieCarteira();
    ValidaCpf();
    ValidaUsoEmpresa();
    ValidaAdmissao(false);
    ValidaTipoAdmissao();
    ValidaSalarioContratual();
    ValidaHorasSemanais();
    ValidaTipoSalario(!AvisoSalarioMostrado);
    ValidaCbo(false);
    ValidaTipoVinculo(false);
    ValidaAlvara();
    ValidaVinculoHoras();
    ValidaCausaDesligamento();
    ValidaDataDesligamento();
    ConfereDadosPis();
    VerificaDuplicidade();
    ValidaAvisoPrevio();
    ValidaMunicipioTrabalho(true);
    ValidaMotivoPrimeiroAfastamento(false);
    ValidaAfastamentos();
    // The start and end of each leave too: one left backwards was never checked.
    for (int n = 1; n <= 3; ++n) {
        inicioAfastamento(n);
        fimAfastamento(n);
    }
    ValidaDiasAfastamento();
    ValidaSalarioVinculo();
    ValidaCnpjSindical();
    ValidaValorSindical(false);
    ValidaCnpjPrimeiraAssociativa();
    ValidaSindicalizado();
    ValidaValorPrimeiraAssociativa();
    ConfereSegundaAssociativa();
    ValidaCnpjSegundaAssociativa();
    ValidaValorSegundaAssociativa();
    ValidaCnpjAssistencial();
    ValidaValorAssistencial();
    ValidaCnpjConfederativa();
    ValidaValorConfederativa();
    ValidaMesAdiantamento(false);
    ValidaValorAdiantamento(false);
    ValidaMesParcelaFinal(false);
    ValidaValorParcelaFinal(false);
    ValidaMesesRemuneracao();
    // The hours of every month too: hours left towards the tab bar were never checked.
    for (int m = 1; m <= 12; ++m)
        ValidaHorasMes(m, false);
    ValidaValorFerias();
    ValidaValorMultas();
    ValidaValorBancoHoras();
    ValidaValorDissidio();
    ValidaValorGratificacoes();

    // The 13th-salary warning, then the pay against the leaves and the dismissal month. The money edits
    // keep their display texts; the stored forms are computed beside them, so that a save stopped from
    // here on and tried again reads the same amounts.
    const QString aviso = centavos(edAvisoPrevio->text(), vinculo().FieldByName(QStringLiteral("VaAvisoPrevioEmpregado")).Size());
    if (!ConfereDecimoTerceiro()) {
        pcEmpregados->setCurrentWidget(tRemuneracoes);
        MostraMensagem(QStringLiteral("3508"));
    }
    auto numero = [](const QString &s) { return EhNumerico(s) ? s : QStringLiteral("0"); };
    QStringList meses;
    ValoresMensais valores{};
    qint64 total = 0;
    for (int m = 0; m < 12; ++m) {
        meses << numero(centavos(edMes[m]->text(), 9));
        valores[m] = meses.last().toLongLong();
        total += valores[m];
    }
    const QString adiantamento = numero(centavos(edAdiantamento->text(), 9));
    const QString parcelaFinal = numero(centavos(edParcelaFinal->text(), 9));
    total += adiantamento.toLongLong() + parcelaFinal.toLongLong();

    ParametrosRemuneracaoAfastamento p;
    p.motivoAfastamento1 = dePrimCod->text();
    p.inicioAfastamento1 = dePrimInicio->text();
    p.fimAfastamento1 = dePrimFinal->text();
    p.diasAfastamento = deAfastQtDias->text();
    p.valores = valores;
    p.admissao = deAdmissao->text();
    p.causaDesligamento = deCodDeslig->text();
    p.desligamento = deDataDeslig->text();
    p.remuneracaoTotal = total;
    if (CriticaRemuneracaoAfastamento(p) != kOk) {
        mostraValoresPagamento();
        pcEmpregados->setCurrentWidget(tRemuneracoes);
        MostraMensagem(QStringLiteral("1674"));
        for (MoneyEdit *e : edMes) {
            const QString t = e->text().trimmed();
            if (t.isEmpty() || t == QLatin1String("0,00")) {
                e->setFocus(Qt::OtherFocusReason);
                break;
            }
        }
        Abort();
    }
    const QString desligamento = campo(QStringLiteral("DaDesligamentoEmpregado"));
    if (!desligamento.isEmpty() && CriticaRemuneracaoMesDesligamento(desligamento, valores) != kOk) {
        mostraValoresPagamento();
        pcEmpregados->setCurrentWidget(tRemuneracoes);
        if (MostraMensagem(QStringLiteral("3776")) == QLatin1String("mrNo")) {
            TrocaAbaPermitida = false;
            const int mes = desligamento.mid(2, 2).toInt();
            if (mes >= 1 && mes <= 12)
                edMes[mes - 1]->setFocus(Qt::OtherFocusReason);
            Abort();
        }
        MostraMensagem(QStringLiteral("3777"));
    }

    // Stored forms into the row (amounts in cents, numbers zero-padded to their field's width, the
    // establishment's key, the defaults of the blank options); what was there is kept, so that a refused
    // post leaves the row as the user typed it.
    Table &t = vinculo();
    QHash<QString, QString> anteriores;
    auto grava = [&t, &anteriores](const QString &nome, const QString &valor) {
        if (!anteriores.contains(nome))
            anteriores.insert(nome, t.FieldByName(nome).AsString());
        t.FieldByName(nome).setAsString(valor);
    };
    auto largura = [&t](const QString &nome) { return t.FieldByName(nome).Size(); };
    auto preenche = [&](const QString &nome) { grava(nome, CompletaZeros(campo(nome), largura(nome))); };
    static const char *const kMesesCampo[12] = {"Janeiro", "Fevereiro", "Marco",    "Abril",   "Maio",     "Junho",
                                                "Julho",   "Agosto",    "Setembro", "Outubro", "Novembro", "Dezembro"};
    grava(QStringLiteral("VaAvisoPrevioEmpregado"), aviso);
    grava(QStringLiteral("VaSalContratualEmpregado"),
          centavos(edSalario->text(), largura(QStringLiteral("VaSalContratualEmpregado"))));
    for (int m = 0; m < 12; ++m) {
        const QString nome = QStringLiteral("Va%1Empregado").arg(QLatin1String(kMesesCampo[m]));
        grava(nome, CompletaZeros(meses.at(m), largura(nome)));
    }
    grava(QStringLiteral("Va13AdiantamentoEmpregado"),
          CompletaZeros(adiantamento, largura(QStringLiteral("Va13AdiantamentoEmpregado"))));
    grava(QStringLiteral("Va13ParcelaFinalEmpregado"),
          CompletaZeros(parcelaFinal, largura(QStringLiteral("Va13ParcelaFinalEmpregado"))));
    const QList<QPair<const char *, MoneyEdit *>> globais{{"VaGlobalSindical", deValorSindical},
                                                          {"VaGlobalPrimAssociativa", devalorPrimeiroAssociativa},
                                                          {"VaGlobalSegAssociativa", deValorSegundoAssociativa},
                                                          {"VaGlobalAssistencial", deValorAssistencial},
                                                          {"VaGlobalConfederativa", deValorConfederativa},
                                                          {"VaGlobalFerias", deValorGlobalFerias},
                                                          {"VaGlobalMultas", deValorGlobalMultas},
                                                          {"VaGlobalBcoHoras", deValorGlobalBcoHoras},
                                                          {"VaGlobalDissidio", deValorGlobalDissidio},
                                                          {"VaGlobalGratificacoes", deValorGlobalGratificacoes}};
    for (const auto &[nome, edit] : globais)
        grava(QLatin1String(nome), centavos(edit->text(), largura(QLatin1String(nome))));
    grava(QStringLiteral("CoCgcCeiEstabelecimento"), InscricaoVinculo);
    grava(QStringLiteral("AnBase"), AnoBaseVinculo);
    grava(QStringLiteral("NuPrefixoEstabelecimento"), PrefixoVinculo);
    grava(QStringLiteral("CoCgcVinculado"), CeiVinculado);
    grava(QStringLiteral("InInscrEstabelecimento"), TipoInscricaoVinculo);
    for (const char *nome :
         {"HoSemanaisEmpregado", "AnChegadaEmpregado", "NuCartTrabEmpregado", "CoCpfEmpregado", "CoCausaDesligamento",
          "DaDesligamentoEmpregado", "CoMotivoPrimAfas", "CoMotivoSeguAfas", "CoMotivoTercAfas", "DaInicioprimeiroAfas",
          "DaFinalPrimeiroAfas", "DaInicioSegundoAfas", "DaFinalSegundoAfas", "DaInicioTerceiroAfas",
          "DaFinalTerceiroAfas", "QtDiasAfas", "Me13AdiantamentoEmpregado", "Me13ParcelaFinalEmpregado",
          "QtCompBcoHoras", "QtCompDissidio", "QtCompGratificacoes"})
        preenche(QLatin1String(nome));
    for (const char *mes : kMesesCampo)
        preenche(QStringLiteral("HoTrabalhadas%1").arg(QLatin1String(mes)));
    const QString serie = campo(QStringLiteral("SeCartTrabEmpregado"));
    grava(QStringLiteral("SeCartTrabEmpregado"), serie.isEmpty() ? QStringLiteral("00000") : serie);
    if (campo(QStringLiteral("CoDeficienteFisico")).isEmpty())
        grava(QStringLiteral("CoDeficienteFisico"), QStringLiteral("0"));
    if (campo(QStringLiteral("InDeficienteFisico")).isEmpty())
        grava(QStringLiteral("InDeficienteFisico"), QStringLiteral("2"));

    // The link and the establishment's counts are stored together; the form closes on success.
    pcEmpregados->setCurrentWidget(tDadosPessoais);
    try {
        const ContagemVinculos contagem = GravaVinculoEContagem(t, empresa(), chaveEstab());
        QtdVinculos = contagem.vinculos;
        QtdEstrangeiros = contagem.estrangeiros;
        SemVinculos = QtdVinculos < 1;
        QDialog::done(QDialog::Accepted);
    } catch (const KeyViolation &e) {
        // Nothing was stored: the form stays open with what was typed.
        for (auto it = anteriores.cbegin(); it != anteriores.cend(); ++it)
            t.FieldByName(it.key()).setAsString(it.value());
        TrataErroBanco(e);
        Abort();
    } catch (const EAbort &) {
        throw;
    } catch (const std::exception &e) {
        // The transaction left the link and the counts as they were.
        TrataErroBanco(e);
        if (t.State() == DataSetState::Edit || t.State() == DataSetState::Insert)
            t.Cancel();
        QDialog::done(QDialog::Rejected);
    }
}

void TfmDadosEmpreg::ExcluiVinculo()
{
    if (presenter().show(MessageKind::Confirmation, QStringLiteral("Deseja excluir o vínculo?"),
                         {MessageButton::Yes, MessageButton::No}) != MessageButton::Yes) {
        pcEmpregados->setCurrentWidget(tDadosPessoais);
        deNomeEmpregado->setFocus(Qt::OtherFocusReason);
        Abort();
    }
    const ContagemVinculos contagem = ExcluiVinculoEContagem(vinculo(), empresa(), chaveEstab());
    QtdVinculos = contagem.vinculos;
    QtdEstrangeiros = contagem.estrangeiros;
    if (QtdVinculos == 0)
        SemVinculos = true;
    QDialog::done(QDialog::Accepted);
}

void TfmDadosEmpreg::BtOkClick()
{
    QCoreApplication::processEvents();
    const QWidget *foco = QApplication::focusWidget();
    if (foco == BtCancelar || foco == BtExcluir)
        return;
    GravaVinculo();
}

void TfmDadosEmpreg::BtExcluirClick() { ExcluiVinculo(); }

} // namespace gdvorn
