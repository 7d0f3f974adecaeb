#include "entry/ufmDadosResp.h"

#include "app/QtModal.h"
#include "app/udmDadosResp.h"
#include "app/ugConfiguracao.h"
#include "app/ugExcecao.h"
#include "app/ugHtmlHelpAPI.h"
#include "entry/FormEdits.h"

#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QToolButton>
#include <QVBoxLayout>

namespace gdvorn {

TfmDadosResp::TfmDadosResp(QWidget *parent) : EntryForm(parent)
{
    setObjectName(QStringLiteral("fmDadosResp"));
    setWindowTitle(QStringLiteral("Informações do Responsável pela Declaração da Vorn"));
    m_dados = std::make_unique<TdmDadosResp>();
    m_dados->dmDadosRespCreate();
    dmDadosResp = m_dados.get();
    dmDadosResp->ta8Resp.Open();
    m_binder.setTabela(&dmDadosResp->ta8Resp);
    constroi();
    ligaCriticas();
}

TfmDadosResp::~TfmDadosResp()
{
    if (dmDadosResp == m_dados.get())
        dmDadosResp = nullptr;
}

void TfmDadosResp::constroi()
{
    UgDadosResp::CriaEditsResp(*this, this, {"bbCodMunicipio", "deDataNascResp", 46, 43, 44});
    deDataNascResp = edNascimento;
    bbCodMunicipio = botaoMunicipio;
    bbOk = new QPushButton(QStringLiteral("&Ok"), this);
    bbOk->setObjectName(QStringLiteral("bbOk"));
    bbCancelar = new QPushButton(QStringLiteral("&Cancelar"), this);
    bbCancelar->setObjectName(QStringLiteral("bbCancelar"));

    auto *grupo = new QGroupBox(QStringLiteral("Dados do Responsável"), this);
    auto *forma = new QFormLayout(grupo);
    auto *inscricao = new QGroupBox(QStringLiteral("Inscrição"), grupo);
    inscricao->setLayout(UgDadosResp::LinhaInscricaoResp(*this, inscricao));
    forma->addRow(inscricao);
    forma->addRow(QStringLiteral("Nome/Razão Social"), deNome);
    forma->addRow(QStringLiteral("Logradouro (rua, avenida, praça,...)"), deLogradouro);
    forma->addRow(QStringLiteral("Número"), UgDadosResp::LinhaNumeroResp(*this, grupo));
    forma->addRow(QStringLiteral("Bairro/Distrito"), UgDadosResp::LinhaBairroResp(*this, grupo));
    auto *municipio = new QGroupBox(QStringLiteral("Dados do Município"), grupo);
    auto *lm = new QGridLayout(municipio);
    lm->addWidget(new QLabel(QStringLiteral("Cód. Munic."), municipio), 0, 0);
    lm->addWidget(new QLabel(QStringLiteral("Nome do Município"), municipio), 0, 2);
    lm->addWidget(new QLabel(QStringLiteral("UF"), municipio), 0, 3);
    lm->addWidget(deCodMunicipio, 1, 0);
    lm->addWidget(bbCodMunicipio, 1, 1);
    lm->addWidget(deNomeMunicipio, 1, 2);
    lm->addWidget(deUF, 1, 3);
    forma->addRow(municipio);
    auto *telefone = new QGroupBox(QStringLiteral("Telefone"), grupo);
    telefone->setLayout(UgDadosResp::LinhaTelefoneResp(*this, telefone));
    forma->addRow(telefone);
    forma->addRow(QStringLiteral("CPF do Responsável"), deCpfResponsavel);
    forma->addRow(QStringLiteral("Nome do Responsável"), deNomeResp);
    forma->addRow(QStringLiteral("Data de Nascimento"), deDataNascResp);
    forma->addRow(QStringLiteral("E-mail"), deEmail);
    auto *botoes = new QHBoxLayout;
    botoes->addStretch();
    botoes->addWidget(bbOk);
    botoes->addWidget(bbCancelar);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(grupo);
    layout->addLayout(botoes);

    const QList<QWidget *> ordem{dbrTipoInscr, mdInscricao,      deNome,     deLogradouro,   deNumero, deComplemento,
                                 deBairro,     deCep,            deCodMunicipio, deDDD,      deTelefone,
                                 deCpfResponsavel, deNomeResp,   deDataNascResp, deEmail,    bbOk,     bbCancelar};
    for (qsizetype i = 1; i < ordem.size(); ++i)
        setTabOrder(ordem[i - 1], ordem[i]);
    setBotaoCancelar(bbCancelar);
    setBotoesSaida({bbCodMunicipio});
    if (screen() && screen()->geometry().width() > 1024)
        resize(850, 550);

    UgDadosResp::LigaEditsResp(m_binder, *this);

    connect(bbOk, &QPushButton::clicked, this, Protegido([this] { bbOkClick(); }));
    connect(bbCancelar, &QPushButton::clicked, this, [this] { reject(); });
    connect(bbCodMunicipio, &QToolButton::clicked, this, Protegido([this] { UgDadosResp::EscolheMunicipioResp(*this, m_binder); }));
}

void TfmDadosResp::ligaCriticas()
{
    for (const auto &[campo, critica] : UgDadosResp::CriticasSaidaResp(*this, m_binder))
        aoSair(campo, critica);
    for (const auto &[campo, acao] : UgDadosResp::EntradasResp(*this, [this] { pTipoInscricaoPreenchido(); }))
        aoEntrar(campo, acao);
}

void TfmDadosResp::pTipoInscricaoPreenchido() { UgDadosResp::ConfereTipoPreenchidoResp(dbrTipoInscr); }

void TfmDadosResp::showEvent(QShowEvent *event)
{
    EntryForm::showEvent(event);
    UgDadosResp::MostraResp(*this, m_binder, this);
    dbrTipoInscr->setFocus();
}

void TfmDadosResp::bbOkClick()
{
    using enum UgDadosResp::CriticaResp;
    UgDadosResp::ConfereEGravaResp(*this, {TipoPreenchido, Inscricao, RazaoSocial, Logradouro, Numero, Complemento,
                                           Bairro, Cep, Municipio, DDD, Telefone, Email, Nome, Cpf, CpfInscricao,
                                           Nascimento});
    accept();
}

void AbreDadosResp(QWidget *parent)
{
    {
        TfmDadosResp janela(parent);
        ExecutaModal(janela);
    }
    // The form has gone with its data module; pending changes went with the table it closed.
}

} // namespace gdvorn
