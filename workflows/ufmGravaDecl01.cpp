// The recording wizard's page 01: the responsible person's data, then the consistency analysis.

#include "workflows/ufmGravaDecl.h"

#include "app/QtPortaoSaida.h"
#include "app/QtProgresso.h"
#include "app/base/Presenter.h"
#include "app/udmDadosResp.h"
#include "app/ufmLimpaEdits.h"
#include "app/ugExcecao.h"
#include "app/ugHtmlHelpAPI.h"
#include "app/ugMensagens.h"
#include "entry/FormEdits.h"
#include "entry/ufmSeletores.h"
#include "rules/ugConsistencia.h"
#include "workflows/ufmRetifDecl.h"

#include <QApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace gdvorn {

TfmGravaDecl01::TfmGravaDecl01(TfmGravaDecl03 *seguinte) : TPaginaGravacao("fmGravaDecl01", 892), m_seguinte(seguinte)
{
    constroi();
    ligaCriticas();
}

void TfmGravaDecl01::constroi()
{
    laResponsavel = new QLabel(QStringLiteral("Dados do Responsável"), this);
    laResponsavel->setObjectName(QStringLiteral("laResponsavel"));
    QFont negrito = laResponsavel->font();
    negrito.setBold(true);
    laResponsavel->setFont(negrito);
    paDadosResp = new QGroupBox(this);
    paDadosResp->setObjectName(QStringLiteral("paDadosResp"));

    UgDadosResp::CriaEditsResp(*this, paDadosResp, {"bbMunicipios", "deDataNasc", 133, 42, 42});
    deDataNasc = edNascimento;
    bbMunicipios = botaoMunicipio;

    auto *forma = new QFormLayout(paDadosResp);
    forma->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
    auto *inscricao = new QHBoxLayout;
    inscricao->addWidget(dbrTipoInscr);
    inscricao->addWidget(new QLabel(QStringLiteral("Número"), paDadosResp));
    inscricao->addWidget(mdInscricao, 1);
    inscricao->addWidget(edTipodeInscricao);
    forma->addRow(QStringLiteral("Inscrição"), inscricao);
    forma->addRow(QStringLiteral("Razão Social/Nome "), deNome);
    forma->addRow(QStringLiteral("Logradouro"), deLogradouro);
    auto *numero = new QHBoxLayout;
    numero->addWidget(deNumero);
    numero->addWidget(new QLabel(QStringLiteral("Complemento"), paDadosResp));
    numero->addWidget(deComplemento, 1);
    forma->addRow(QStringLiteral("Número"), numero);
    auto *bairro = new QHBoxLayout;
    bairro->addWidget(deBairro, 1);
    bairro->addWidget(new QLabel(QStringLiteral("CEP"), paDadosResp));
    bairro->addWidget(deCep);
    forma->addRow(QStringLiteral("Bairro/Distrito"), bairro);
    auto *municipio = new QHBoxLayout;
    municipio->addWidget(deCodMunicipio);
    municipio->addWidget(bbMunicipios);
    municipio->addWidget(deNomeMunicipio, 1);
    municipio->addWidget(deUF);
    forma->addRow(QStringLiteral("Município"), municipio);
    auto *telefone = new QHBoxLayout;
    telefone->addWidget(new QLabel(QStringLiteral("DDD"), paDadosResp));
    telefone->addWidget(deDDD);
    telefone->addWidget(new QLabel(QStringLiteral("Número"), paDadosResp));
    telefone->addWidget(deTelefone, 1);
    forma->addRow(QStringLiteral("Telefone"), telefone);
    forma->addRow(QStringLiteral("E-mail"), deEmail);
    forma->addRow(QStringLiteral("Nome do Responsável"), deNomeResp);
    auto *cpf = new QHBoxLayout;
    cpf->addWidget(deCpfResponsavel, 1);
    cpf->addWidget(new QLabel(QStringLiteral("Data de Nascimento"), paDadosResp));
    cpf->addWidget(deDataNasc);
    forma->addRow(QStringLiteral("CPF do Responsável"), cpf);

    paVerificar = new QWidget(this);
    paVerificar->setObjectName(QStringLiteral("paVerificar"));
    auto *verificar = new QVBoxLayout(paVerificar);
    verificar->addStretch();
    verificar->addWidget(new QLabel(QStringLiteral("Verificando Informações . . ."), paVerificar));
    prDecl01 = new QProgressBar(paVerificar);
    prDecl01->setObjectName(QStringLiteral("prDecl01"));
    verificar->addWidget(prDecl01);
    verificar->addStretch();
    paVerificar->hide();

    Corpo->addWidget(laResponsavel);
    Corpo->addWidget(paDadosResp, 1);
    Corpo->addWidget(paVerificar, 1);
    criaBotoesPadrao([this] { Voltar(); }, [this] { Avancar(); }, [this] { Cancelar(); });

    const QList<QWidget *> ordem{dbrTipoInscr, mdInscricao, deNome,     deLogradouro,     deNumero,   deComplemento,
                                 deBairro,     deCep,       deCodMunicipio, deDDD,        deTelefone, deEmail,
                                 deNomeResp,   deCpfResponsavel, deDataNasc, bbVoltar,   bbAvancar,  bbCancelar};
    for (qsizetype i = 1; i < ordem.size(); ++i)
        setTabOrder(ordem[i - 1], ordem[i]);

    UgDadosResp::LigaEditsResp(m_binder, *this);
    connect(bbMunicipios, &QToolButton::clicked, this, Protegido([this] { bbMunicipiosClick(); }));
}

UgDadosResp::Controles TfmGravaDecl01::controles() const { return UgDadosResp::ControlesResp(*this); }

void TfmGravaDecl01::ligaCriticas()
{
    for (const auto &[campo, critica] : UgDadosResp::CriticasSaidaResp(*this, m_binder))
        Portao().aoSair(campo, critica);
    // Entering the masked edits shows their entry masks with the digits kept.
    auto mascaraDeEntrada = [](MaskEdit *e, const QString &mascara) {
        return [e, mascara] {
            const QString digitos = e->textoArmazenado();
            e->setMascara(mascara);
            e->mostraArmazenado(digitos);
            e->setCursorPosition(int(digitos.size()));
        };
    };
    Portao().aoEntrar(mdInscricao, mascaraDeEntrada(mdInscricao, kMascaraEntradaInscricao));
    Portao().aoEntrar(deCpfResponsavel, mascaraDeEntrada(deCpfResponsavel, kMascaraEntradaCpf));
}

void TfmGravaDecl01::aoMostrar()
{
    Assistente()->setWindowTitle(dmDadosResp->TituloAssistente);
    mostraDados();
    bbAvancar->setFocus();
    LimpaEdits(paDadosResp);
    Table &resp = dmDadosResp->ta8Resp;
    if (!resp.Active())
        resp.Open();
    resp.First();
    resp.Edit();
    m_binder.setTabela(&resp);
    Field numero = resp.FieldByName(QStringLiteral("NuLogradouroRespArquivo"));
    if (!numero.AsString().trimmed().isEmpty())
        numero.setAsString(NumeroMostradoResp(numero.AsString()));
    m_binder.carrega();
    UgDadosResp::ExibeInscricaoResp(mdInscricao, edTipodeInscricao);
    UgDadosResp::ExibeCpfResp(deCpfResponsavel);
}

void TfmGravaDecl01::mostraDados()
{
    laResponsavel->show();
    paVerificar->hide();
    paDadosResp->show();
    bbVoltar->setEnabled(true);
    bbAvancar->setEnabled(true);
}

void TfmGravaDecl01::bbMunicipiosClick()
{
    TfrmT8Munic::SelecionaMunicipio(dmDadosResp->ta8Resp.FieldByName(QStringLiteral("CoMunicipioRespArquivo")));
    m_binder.carrega(deCodMunicipio);
    UgDadosResp::ConfereMunicipioResp(controles());
}

void TfmGravaDecl01::Avancar()
{
    using namespace UgDadosResp;
    ConfereInscricaoResp(controles());
    ConfereRazaoSocialResp(deNome);
    ConfereDDDResp(deDDD);
    ConfereTelefoneResp(controles());
    ConfereLogradouroResp(deLogradouro);
    ConfereNumeroResp(deNumero);
    ConfereComplementoResp(deComplemento);
    ConfereBairroResp(deBairro);
    ConfereCepResp(deCep);
    ConfereMunicipioResp(controles());
    ConfereEmailResp(deEmail);
    ConfereNomeResp(deNomeResp);
    ConfereCpfResp(deCpfResponsavel);
    ConfereCpfInscricaoResp(mdInscricao, deCpfResponsavel);
    ConfereNascimentoResp(deDataNasc);

    Table &resp = dmDadosResp->ta8Resp;
    Field numero = resp.FieldByName(QStringLiteral("NuLogradouroRespArquivo"));
    numero.setAsString(NumeroGravadoResp(numero.AsString()));
    for (const char *campo : {"NuFoneDDD", "NuFoneAssinante"}) {
        Field f = resp.FieldByName(QLatin1String(campo));
        f.setAsString(f.AsString().trimmed());
    }
    resp.Post();

    if (Retificacao) {
        const QString codigo = Retificacao->CopiaSelecaoRetificacao();
        if (codigo != QLatin1String("0000")) {
            MostraMensagem(codigo);
            Retificacao->LiberaSelecaoRetificacao();
            Cancelar();
            return;
        }
    }

    laResponsavel->hide();
    bbVoltar->setEnabled(false);
    bbAvancar->setEnabled(false);
    prDecl01->setValue(0);
    paDadosResp->hide();
    paVerificar->show();
    quint8 resultado = 0;
    {
        MarcaEnquanto executando(Executando);
        QtProgresso progresso(prDecl01);
        repaint();
        resultado = AnalisaDeclaracao(&progresso, QString(), Retificacao != nullptr, Retificacao ? nullptr : Selecao,
                                      dmDadosResp->AnoExercicio, false, false, false);
    }
    if (resultado & Consistencia::AnaliseInterrompida) {
        presenter().show(MessageKind::Information, QStringLiteral("Consistência interrompida pelo usuário"),
                         {MessageButton::Ok});
        resp.Edit();
        mostraDados();
        bbAvancar->setFocus();
        return;
    }
    if (Retificacao)
        Retificacao->LiberaSelecaoRetificacao();
    dmDadosResp->ResultadoConsistencia = resultado;
    Avanca(m_seguinte);
}

void TfmGravaDecl01::Voltar()
{
    Table &resp = dmDadosResp->ta8Resp;
    if (resp.State() == DataSetState::Edit || resp.State() == DataSetState::Insert)
        resp.Cancel();
    resp.Close();
    Assistente()->mostra(Anterior);
}

void TfmGravaDecl01::Cancelar()
{
    if (Executando) {
        InterrompeAnalise();
        return;
    }
    Table &resp = dmDadosResp->ta8Resp;
    if (resp.State() == DataSetState::Edit || resp.State() == DataSetState::Insert)
        resp.Cancel();
    resp.Close();
    Encerra();
}

void TfmGravaDecl01::aoCancelar() { Cancelar(); }

} // namespace gdvorn
