// The recording wizard's page 01: the responsible person's data, then the consistency analysis.

#include "workflows/ufmGravaDecl.h"

#include "app/QtPortaoSaida.h"
#include "app/QtProgresso.h"
#include "app/base/Presenter.h"
#include "app/udmDadosResp.h"
#include "app/ugExcecao.h"
#include "app/ugHtmlHelpAPI.h"
#include "app/ugMensagens.h"
#include "entry/FormEdits.h"
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
    forma->addRow(QStringLiteral("Inscrição"), UgDadosResp::LinhaInscricaoResp(*this, paDadosResp));
    forma->addRow(QStringLiteral("Razão Social/Nome "), deNome);
    forma->addRow(QStringLiteral("Logradouro"), deLogradouro);
    forma->addRow(QStringLiteral("Número"), UgDadosResp::LinhaNumeroResp(*this, paDadosResp));
    forma->addRow(QStringLiteral("Bairro/Distrito"), UgDadosResp::LinhaBairroResp(*this, paDadosResp));
    auto *municipio = new QHBoxLayout;
    municipio->addWidget(deCodMunicipio);
    municipio->addWidget(bbMunicipios);
    municipio->addWidget(deNomeMunicipio, 1);
    municipio->addWidget(deUF);
    forma->addRow(QStringLiteral("Município"), municipio);
    forma->addRow(QStringLiteral("Telefone"), UgDadosResp::LinhaTelefoneResp(*this, paDadosResp));
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
    connect(bbMunicipios, &QToolButton::clicked, this, Protegido([this] { UgDadosResp::EscolheMunicipioResp(*this, m_binder); }));
}

void TfmGravaDecl01::ligaCriticas()
{
    for (const auto &[campo, critica] : UgDadosResp::CriticasSaidaResp(*this, m_binder))
        Portao().aoSair(campo, critica);
    for (const auto &[campo, acao] : UgDadosResp::EntradasResp(*this))
        Portao().aoEntrar(campo, acao);
}

void TfmGravaDecl01::aoMostrar()
{
    Assistente()->setWindowTitle(dmDadosResp->TituloAssistente);
    mostraDados();
    bbAvancar->setFocus();
    UgDadosResp::MostraResp(*this, m_binder, paDadosResp);
}

void TfmGravaDecl01::mostraDados()
{
    laResponsavel->show();
    paVerificar->hide();
    paDadosResp->show();
    bbVoltar->setEnabled(true);
    bbAvancar->setEnabled(true);
}

void TfmGravaDecl01::Avancar()
{
    {
        using enum UgDadosResp::CriticaResp;
        UgDadosResp::ConfereEGravaResp(*this, {Inscricao, RazaoSocial, DDD, Telefone, Logradouro, Numero, Complemento,
                                               Bairro, Cep, Municipio, Email, Nome, Cpf, CpfInscricao, Nascimento});
    }

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
        dmDadosResp->ta8Resp.Edit();
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
