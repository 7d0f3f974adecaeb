#include "entry/ufmDadosResp.h"

#include "app/QtModal.h"
#include "app/base/Abort.h"
#include "app/udmDadosResp.h"
#include "app/ufmLimpaEdits.h"
#include "app/ugConfiguracao.h"
#include "app/ugExcecao.h"
#include "app/ugHtmlHelpAPI.h"
#include "app/ugMensagens.h"
#include "entry/FormEdits.h"
#include "entry/ufmSeletores.h"

#include <QApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
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
    auto *li = new QHBoxLayout(inscricao);
    li->addWidget(dbrTipoInscr);
    li->addWidget(new QLabel(QStringLiteral("Número"), inscricao));
    li->addWidget(mdInscricao, 1);
    li->addWidget(edTipodeInscricao);
    forma->addRow(inscricao);
    forma->addRow(QStringLiteral("Nome/Razão Social"), deNome);
    forma->addRow(QStringLiteral("Logradouro (rua, avenida, praça,...)"), deLogradouro);
    auto *linha = new QHBoxLayout;
    linha->addWidget(deNumero);
    linha->addWidget(new QLabel(QStringLiteral("Complemento"), grupo));
    linha->addWidget(deComplemento, 1);
    forma->addRow(QStringLiteral("Número"), linha);
    auto *linha2 = new QHBoxLayout;
    linha2->addWidget(deBairro, 1);
    linha2->addWidget(new QLabel(QStringLiteral("CEP"), grupo));
    linha2->addWidget(deCep);
    forma->addRow(QStringLiteral("Bairro/Distrito"), linha2);
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
    auto *lt = new QHBoxLayout(telefone);
    lt->addWidget(new QLabel(QStringLiteral("DDD"), telefone));
    lt->addWidget(deDDD);
    lt->addWidget(new QLabel(QStringLiteral("Número"), telefone));
    lt->addWidget(deTelefone, 1);
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
    connect(bbCodMunicipio, &QToolButton::clicked, this, Protegido([this] { bbCodMunicipioClick(); }));
}

UgDadosResp::Controles TfmDadosResp::controles() const { return UgDadosResp::ControlesResp(*this); }

void TfmDadosResp::ligaCriticas()
{
    for (const auto &[campo, critica] : UgDadosResp::CriticasSaidaResp(*this, m_binder))
        aoSair(campo, critica);

    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *novo) {
        // The entry mask, with the digits kept and the cursor after them.
        auto mascaraDeEntrada = [](MaskEdit *edit, const QString &mascara) {
            const QString digitos = edit->textoArmazenado();
            edit->setMascara(mascara);
            edit->mostraArmazenado(digitos);
            edit->setCursorPosition(int(digitos.size()));
        };
        if (novo == mdInscricao) {
            mascaraDeEntrada(mdInscricao, kMascaraEntradaInscricao);
            Protege([this] { pTipoInscricaoPreenchido(); });
        } else if (novo == deCpfResponsavel) {
            mascaraDeEntrada(deCpfResponsavel, kMascaraEntradaCpf);
        }
    });
}

void TfmDadosResp::pTipoInscricaoPreenchido()
{
    if (!dbrTipoInscr->valor().isEmpty())
        return;
    MostraMensagem(QStringLiteral("0049"));
    dbrTipoInscr->botoes().first()->setFocus();
    Abort();
}

void TfmDadosResp::showEvent(QShowEvent *event)
{
    EntryForm::showEvent(event);
    Table &resp = dmDadosResp->ta8Resp;
    LimpaEdits(this);
    resp.First();
    resp.Edit();
    const QString numero = resp.FieldByName(QStringLiteral("NuLogradouroRespArquivo")).AsString();
    if (!numero.trimmed().isEmpty())
        resp.FieldByName(QStringLiteral("NuLogradouroRespArquivo")).setAsString(NumeroMostradoResp(numero));
    m_binder.carrega();
    UgDadosResp::ExibeInscricaoResp(mdInscricao, edTipodeInscricao);
    UgDadosResp::ExibeCpfResp(deCpfResponsavel);
    dbrTipoInscr->setFocus();
}

void TfmDadosResp::bbCodMunicipioClick()
{
    TfrmT8Munic::SelecionaMunicipio(dmDadosResp->ta8Resp.FieldByName(QStringLiteral("CoMunicipioRespArquivo")));
    m_binder.carrega(deCodMunicipio);
    UgDadosResp::ConfereMunicipioResp(controles());
}

void TfmDadosResp::bbOkClick()
{
    using namespace UgDadosResp;
    pTipoInscricaoPreenchido();
    ConfereInscricaoResp(controles());
    ConfereRazaoSocialResp(deNome);
    ConfereLogradouroResp(deLogradouro);
    ConfereNumeroResp(deNumero);
    ConfereComplementoResp(deComplemento);
    ConfereBairroResp(deBairro);
    ConfereCepResp(deCep);
    ConfereMunicipioResp(controles());
    ConfereDDDResp(deDDD);
    ConfereTelefoneResp(controles());
    ConfereEmailResp(deEmail);
    ConfereNomeResp(deNomeResp);
    ConfereCpfResp(deCpfResponsavel);
    ConfereCpfInscricaoResp(mdInscricao, deCpfResponsavel);
    ConfereNascimentoResp(deDataNascResp);
    Table &resp = dmDadosResp->ta8Resp;
    Field numero = resp.FieldByName(QStringLiteral("NuLogradouroRespArquivo"));
    numero.setAsString(NumeroGravadoResp(numero.AsString()));
    for (const char *campo : {"NuFoneDDD", "NuFoneAssinante"}) {
        Field f = resp.FieldByName(QLatin1String(campo));
        f.setAsString(f.AsString().trimmed());
    }
    resp.Post();
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
