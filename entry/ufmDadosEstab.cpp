#include "entry/ufmDadosEstab.h"

#include "app/QtModal.h"
#include "app/base/Abort.h"
#include "app/base/Database.h"
#include "app/base/Presenter.h"
#include "app/udmEntradaDados.h"
#include "app/ufmLimpaEdits.h"
#include "app/ugConfiguracao.h"
#include "app/ugCriticas.h"
#include "app/ugExcecao.h"
#include "app/ugFuncoes.h"
#include "app/ugHtmlHelpAPI.h"
#include "app/ugMensagens.h"
#include "entry/FormEdits.h"
#include "entry/ufmDadosEmpreg.h"
#include "entry/ufmSeletores.h"
#include "entry/ufmSemEmpregados.h"
#include "entry/ugDadosResp.h"
#include "entry/ugDadosEmpreg.h"
#include "entry/ugDadosEstab.h"
#include "rules/ugRegrasAtividade.h"
#include "rules/ugRegrasContato.h"
#include "rules/ugRegrasEndereco.h"
#include "rules/ugRegrasInscricao.h"
#include "rules/ugRegrasMunicipio.h"

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QScreen>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QToolButton>
#include <QVBoxLayout>

namespace gdvorn {

namespace {

const QString kOk = QStringLiteral("0000");
const QString kMascaraAmbos = QStringLiteral("99\\.999\\.999\\.999\\-9;0;_");
const QString kMascaraCeiDigitado = QStringLiteral("999999999999;0;_");

Table &empresa() { return dmEntradaDados->ta8Empresa; }

QString anoBase() { return QString::number(Configuracao().AnoBase); }
QString anoSeguinte() { return QString::number(Configuracao().AnoBase + 1); }

} // namespace

TfmDadosEstab::TfmDadosEstab(QWidget *parent) : EntryForm(parent), m_binder(&dmEntradaDados->ta8Empresa)
{
    setObjectName(QStringLiteral("fmDadosEstab"));
    setWindowTitle(QStringLiteral("GDVorn - Informações Referentes ao Estabelecimento"));
    criaControles();
    MontaAbasEconomicas();
    ligaSaidas();
    montaPassosCarga();
    montaCriticas();
    TrocaAbaPermitida = true;
    // Room for the five tab captions and the form's fields on a 1024 x 768 screen.
    const QSize tela = screen()->availableGeometry().size();
    resize(std::min(1000, tela.width()), std::min(700, tela.height()));
}

TfmDadosEstab::~TfmDadosEstab() = default;

// ---- layout ----

MaskEdit *TfmDadosEstab::criaEdit(QWidget *pai, const char *nome, const QString &nomeCampo, int ajuda,
                                  bool maiusculas)
{
    auto *e = new MaskEdit(pai);
    e->setObjectName(QLatin1String(nome));
    if (!nomeCampo.isEmpty()) {
        if (const FieldDef *f = empresa().definition().field(nomeCampo))
            e->setMaxLength(f->width);
        m_binder.liga(e, nomeCampo);
    }
    if (maiusculas)
        MaiusculasAoDigitar(e);
    if (ajuda)
        setContextoAjuda(e, ajuda);
    return e;
}

void TfmDadosEstab::criaControles()
{
    // The buttons beside the identification; the tabs below both, with the whole width for their captions.
    auto *raiz = new QVBoxLayout(this);
    auto *cima = new QHBoxLayout;
    raiz->addLayout(cima);

    paBotoes = new QWidget(this);
    paBotoes->setObjectName(QStringLiteral("paBotoes"));
    auto *painel = new QVBoxLayout(paBotoes);
    auto botao = [this, painel](const char *nome, const QString &legenda) {
        auto *b = new QPushButton(legenda, paBotoes);
        b->setObjectName(QLatin1String(nome));
        b->setAutoDefault(false);
        painel->addWidget(b);
        return b;
    };
    BtOk = botao("BtOk", QStringLiteral("&Ok"));
    BtVinculos = botao("BtVinculos", QStringLiteral("&Vínculos"));
    BtCancelar = botao("BtCancelar", QStringLiteral("&Cancelar"));
    BtAjuda = botao("BtAjuda", QStringLiteral("&Ajuda"));
    BtAjuda->setToolTip(QStringLiteral("Aciona o Ajuda do campo selecionado"));
    painel->addStretch();
    cima->addWidget(paBotoes);

    auto *corpo = new QVBoxLayout;
    cima->addLayout(corpo, 1);

    // ---- identification, above the tabs ----
    auto *topo = new QHBoxLayout;
    paAnoBase = new QLabel(this);
    paAnoBase->setObjectName(QStringLiteral("paAnoBase"));
    QFont negrito = paAnoBase->font();
    negrito.setBold(true);
    paAnoBase->setFont(negrito);
    topo->addWidget(paAnoBase);
    topo->addStretch();
    topo->addWidget(new QLabel(QStringLiteral("Total Empregados"), this));
    edTotalEmpreg = new QLineEdit(this);
    edTotalEmpreg->setObjectName(QStringLiteral("edTotalEmpreg"));
    edTotalEmpreg->setToolTip(QStringLiteral("Mostra o Total de Empregados Cadastrados"));
    edTotalEmpreg->setFocusPolicy(Qt::NoFocus);
    edTotalEmpreg->setMaximumWidth(80);
    Trava(edTotalEmpreg, true);
    topo->addWidget(edTotalEmpreg);
    corpo->addLayout(topo);

    auto *grupoInscricao = new QGroupBox(QStringLiteral("Inscrição"), this);
    auto *gi = new QGridLayout(grupoInscricao);
    dbrTipoInscr = new RadioGroup(QStringLiteral("Tipo"), grupoInscricao);
    dbrTipoInscr->setObjectName(QStringLiteral("dbrTipoInscr"));
    dbrTipoInscr->adiciona(QStringLiteral("rbTipoCNPJ"), QStringLiteral("CNPJ"), QStringLiteral("1"));
    dbrTipoInscr->adiciona(QStringLiteral("rbTipoCEI"), QStringLiteral("CEI"), QStringLiteral("3"));
    dbrTipoInscr->setToolTip(QStringLiteral("Selecione o tipo de Inscrição do Estabelecimento."));
    setContextoAjuda(dbrTipoInscr, 115);
    m_binder.liga(dbrTipoInscr, QStringLiteral("InInscrEstabelecimento"));
    mdInscricao = criaEdit(grupoInscricao, "mdInscricao", QString(), 28);
    mdInscricao->setToolTip(QStringLiteral("Informe a inscrição CNPJ/CEI do estabelecimento."));
    mdInscricao->setFocusPolicy(Qt::NoFocus);
    Trava(mdInscricao, true);
    edPrefixo = new QLineEdit(grupoInscricao);
    edPrefixo->setObjectName(QStringLiteral("edPrefixo"));
    edPrefixo->setMaxLength(2);
    edPrefixo->setMaximumWidth(40);
    edPrefixo->setFocusPolicy(Qt::NoFocus);
    edPrefixo->setToolTip(QStringLiteral("Informe prefixos diferentes para agrupar informações."));
    setContextoAjuda(edPrefixo, 29);
    Trava(edPrefixo, true);
    meCeiVinc = criaEdit(grupoInscricao, "meCeiVinc", QString(), 30);
    meCeiVinc->setToolTip(QStringLiteral("Informe a inscrição CEI Vinculado."));
    lbCeiVinculado = new QLabel(QStringLiteral("CEI Vinculado"), grupoInscricao);
    lbCeiVinculado->setObjectName(QStringLiteral("lbCeiVinculado"));
    travaCeiVinculado(true);
    gi->addWidget(dbrTipoInscr, 0, 0, 2, 1);
    gi->addWidget(new QLabel(QStringLiteral("Número"), grupoInscricao), 0, 1);
    gi->addWidget(mdInscricao, 1, 1);
    gi->addWidget(new QLabel(QStringLiteral("Prefixo"), grupoInscricao), 0, 2);
    gi->addWidget(edPrefixo, 1, 2);
    gi->addWidget(lbCeiVinculado, 0, 3);
    gi->addWidget(meCeiVinc, 1, 3);

    auto *grupoRazao = new QGroupBox(QStringLiteral("Razão Social "), this);
    auto *gr = new QVBoxLayout(grupoRazao);
    deRazao = criaEdit(grupoRazao, "deRazao", QStringLiteral("NoRazaoEstabelecimento"), 117, true);
    deRazao->setToolTip(QStringLiteral("Informe a Razão Social do estabelecimento."));
    gr->addWidget(deRazao);
    auto *uso = new QVBoxLayout;
    uso->addWidget(new QLabel(QStringLiteral("Para Uso da Empresa"), this));
    deUsoEmpresa = criaEdit(this, "deUsoEmpresa", QStringLiteral("TxUsoEstabelecimento"), 32, true);
    deUsoEmpresa->setToolTip(QStringLiteral("Informação de uso exclusivo da empresa."));
    uso->addWidget(deUsoEmpresa);

    auto *linha1 = new QHBoxLayout;
    linha1->addWidget(grupoInscricao, 3);
    linha1->addLayout(uso, 1);
    corpo->addLayout(linha1);

    dgTipoVorn = new RadioGroup(QStringLiteral("Tipo de Declaração"), this);
    dgTipoVorn->setObjectName(QStringLiteral("dgTipoVorn"));
    dgTipoVorn->adiciona(QStringLiteral("rbComEmpregados"), QStringLiteral("Com Empregados"), QStringLiteral("0"));
    dgTipoVorn->adiciona(QStringLiteral("rbSemEmpregados"), QStringLiteral("Sem Empregados"), QStringLiteral("1"));
    dgTipoVorn->setToolTip(QStringLiteral("Informe o tipo de VORN da declaração."));
    setContextoAjuda(dgTipoVorn, 27);
    m_binder.liga(dgTipoVorn, QStringLiteral("InVornNegEstabelecimento"));

    dgEmAtividade = new RadioGroup(QStringLiteral("Exerceu atividade"), this);
    dgEmAtividade->setObjectName(QStringLiteral("dgEmAtividade"));
    dgEmAtividade->adiciona(QStringLiteral("rbAtividadeSim"), QStringLiteral("Sim"), QStringLiteral("1"));
    dgEmAtividade->adiciona(QStringLiteral("rbAtividadeNao"), QStringLiteral("Não"), QStringLiteral("2"));
    dgEmAtividade->setToolTip(QStringLiteral("Informe se o estabelecimento esteve em  atividade no ano-base."));
    setContextoAjuda(dgEmAtividade, 171);
    m_binder.liga(dgEmAtividade, QStringLiteral("InAtividadeAnoBase"));
    auto *atividade = new QHBoxLayout;
    atividade->addWidget(dgEmAtividade);
    atividade->addWidget(new QLabel(QStringLiteral("no ano-base"), this));

    auto *grupoEncerramento = new QGroupBox(QStringLiteral("Encerramento Atividades"), this);
    auto *ge = new QGridLayout(grupoEncerramento);
    cbEncerramento = new QCheckBox(QStringLiteral("Encerrou as Atividades"), grupoEncerramento);
    cbEncerramento->setObjectName(QStringLiteral("cbEncerramento"));
    cbEncerramento->setToolTip(QStringLiteral("Informe se o estabelecimento encerrou as atividades"));
    setContextoAjuda(cbEncerramento, 60);
    lbDataEncerramento = new QLabel(QStringLiteral("Data de Encerramento\r\n(DD/MM/AAAA)"), grupoEncerramento);
    deDataEncerramento = criaEdit(grupoEncerramento, "deDataEncerramento", QStringLiteral("DaEncerramentoAtividade"), 61);
    deDataEncerramento->setMascara(QStringLiteral("99/99/9999;0;"));
    deDataEncerramento->setMaxLength(10);
    deDataEncerramento->setToolTip(QStringLiteral("Informar a Data de Encerramento das Atividades no formato dia/mês/ano."));
    Trava(deDataEncerramento, true, CorTrava::Menu);
    ge->addWidget(cbEncerramento, 0, 0, 1, 2);
    ge->addWidget(lbDataEncerramento, 1, 0);
    ge->addWidget(deDataEncerramento, 1, 1);

    auto *linha2 = new QHBoxLayout;
    linha2->addWidget(grupoRazao, 3);
    linha2->addWidget(dgTipoVorn, 2);
    corpo->addLayout(linha2);
    auto *linha3 = new QHBoxLayout;
    linha3->addLayout(atividade, 1);
    linha3->addWidget(grupoEncerramento, 2);
    corpo->addLayout(linha3);

    // ---- the tabs ----
    pcInformacoes = new EntryTabWidget(this);
    pcInformacoes->setObjectName(QStringLiteral("pcInformacoes"));
    raiz->addWidget(pcInformacoes, 1);
    auto pagina = [this](const char *nome, const QString &legenda) {
        auto *p = new QWidget;
        p->setObjectName(QLatin1String(nome));
        pcInformacoes->addTab(p, legenda);
        return p;
    };
    tCadastrais = pagina("tCadastrais", QStringLiteral("Informações Cadastrais"));
    tEconomicas = pagina("tEconomicas", QStringLiteral("Informações Econômicas"));
    tEconomicas2 = pagina("tEconomicas2", QStringLiteral("Informações Econômicas (Cont)"));
    tEconomicas3 = pagina("tEconomicas3", QStringLiteral("Informações Econômicas (Cont)"));
    tSindicais = pagina("tSindicais", QStringLiteral("Informações Sindicais"));

    // ---- address and contact ----
    auto *endereco = new QGroupBox(QStringLiteral("Endereço"), tCadastrais);
    (new QVBoxLayout(tCadastrais))->addWidget(endereco);
    auto *g = new QGridLayout(endereco);
    deLogradouro = criaEdit(endereco, "deLogradouro", QStringLiteral("EdEstabelecimento"), 35, true);
    deLogradouro->setToolTip(QStringLiteral("Informe o logradouro(rua,avenida,praça,...) do estabelecimento."));
    deNumero = criaEdit(endereco, "deNumero", QStringLiteral("NuEnderecoEstabelecimento"), 36);
    deNumero->setToolTip(QStringLiteral("Informe o número do estabelecimento no logradouro."));
    deComplemento = criaEdit(endereco, "deComplemento", QStringLiteral("TxComplemEstabelecimento"), 37, true);
    deComplemento->setToolTip(QStringLiteral("Informe o complemento do endereço do estabelecimento."));
    deBairro = criaEdit(endereco, "deBairro", QStringLiteral("NoBairroEstabelecimento"), 38, true);
    deBairro->setToolTip(QStringLiteral("Informe o bairro/distrito que está localizado o estabelecimento."));
    deCEP = criaEdit(endereco, "deCEP", QStringLiteral("CoCepEstabelecimento"), 39);
    deCEP->setMascara(QStringLiteral("99999-999;0;"));
    deCEP->setMaxLength(9);
    deCEP->setToolTip(QStringLiteral("Informe o Código de Endereçamento Postal (CEP)."));
    deMunicipio = criaEdit(endereco, "deMunicipio", QStringLiteral("CoMunicipio"), 42);
    deMunicipio->setMascara(QStringLiteral("99-99999;0;"));
    deMunicipio->setMaxLength(8);
    deMunicipio->setToolTip(QStringLiteral("Informe o código do município do estabelecimento ou selecione-o clicando no botão ao lado."));
    sbCodMunicipio = new QToolButton(endereco);
    sbCodMunicipio->setObjectName(QStringLiteral("sbCodMunicipio"));
    sbCodMunicipio->setText(QStringLiteral("..."));
    sbCodMunicipio->setToolTip(QStringLiteral("Selecione o Código do Município."));
    sbCodMunicipio->setFocusPolicy(Qt::NoFocus);
    deNomeMunicipio = criaEdit(endereco, "deNomeMunicipio", QStringLiteral("NoMunicEstabelecimento"), 43);
    deSiglaUF = criaEdit(endereco, "deSiglaUF", QStringLiteral("SgUf"), 44, true);
    for (QLineEdit *e : {static_cast<QLineEdit *>(deNomeMunicipio), static_cast<QLineEdit *>(deSiglaUF)}) {
        Trava(e, true);
        e->setFocusPolicy(Qt::NoFocus);
    }
    deDDD = criaEdit(endereco, "deDDD", QStringLiteral("NuDDD"), 45);
    deDDD->setToolTip(QStringLiteral("Informe o código DDD da cidade."));
    deTelefone = criaEdit(endereco, "deTelefone", QStringLiteral("NuTelefone"), 45);
    deTelefone->setToolTip(QStringLiteral("Informe o número do telefone no estabelecimento."));
    deEmail = criaEdit(endereco, "deEmail", QStringLiteral("TxEmailEstabelecimento"), 40);
    deEmail->setToolTip(QStringLiteral("Informe o e-mail do estabelecimento."));
    connect(deEmail, &QLineEdit::textEdited, deEmail, [e = deEmail](const QString &texto) {
        const QString minusculas = texto.toLower();
        if (minusculas == texto)
            return;
        const int cursor = e->cursorPosition();
        e->setText(minusculas);
        e->setCursorPosition(cursor);
        emit e->textEdited(minusculas);
    });
    // Tab from the e-mail lands here and carries on into the next tab.
    InfCadDummy = new QLineEdit(endereco);
    InfCadDummy->setObjectName(QStringLiteral("InfCadDummy"));
    InfCadDummy->setFixedSize(1, 1);
    naoRegistraComoAtual(InfCadDummy);

    auto rotulo = [endereco](const QString &t) { return new QLabel(t, endereco); };
    g->addWidget(rotulo(QStringLiteral("Logradouro ( rua, avenida, praça, ... )")), 0, 0, 1, 3);
    g->addWidget(rotulo(QStringLiteral("Número")), 0, 3);
    g->addWidget(deLogradouro, 1, 0, 1, 3);
    g->addWidget(deNumero, 1, 3);
    g->addWidget(rotulo(QStringLiteral("Complemento ( apto, sala... )")), 2, 0);
    g->addWidget(rotulo(QStringLiteral("Bairro/Distrito")), 2, 1, 1, 2);
    g->addWidget(rotulo(QStringLiteral("CEP")), 2, 3);
    g->addWidget(deComplemento, 3, 0);
    g->addWidget(deBairro, 3, 1, 1, 2);
    g->addWidget(deCEP, 3, 3);
    auto *municipio = new QGroupBox(QStringLiteral("Município"), endereco);
    auto *gm = new QGridLayout(municipio);
    gm->addWidget(new QLabel(QStringLiteral("Código"), municipio), 0, 0);
    gm->addWidget(new QLabel(QStringLiteral("Nome"), municipio), 0, 2);
    gm->addWidget(new QLabel(QStringLiteral("UF"), municipio), 0, 3);
    gm->addWidget(deMunicipio, 1, 0);
    gm->addWidget(sbCodMunicipio, 1, 1);
    gm->addWidget(deNomeMunicipio, 1, 2);
    gm->addWidget(deSiglaUF, 1, 3);
    gm->setColumnStretch(2, 1);
    g->addWidget(municipio, 4, 0, 1, 4);
    auto *telefone = new QGroupBox(QStringLiteral("Telefone Estabelecimento "), endereco);
    auto *gt = new QGridLayout(telefone);
    gt->addWidget(new QLabel(QStringLiteral("DDD"), telefone), 0, 0);
    gt->addWidget(new QLabel(QStringLiteral("Número"), telefone), 0, 1);
    gt->addWidget(deDDD, 1, 0);
    gt->addWidget(deTelefone, 1, 1);
    g->addWidget(telefone, 5, 0);
    auto *email = new QVBoxLayout;
    email->addWidget(rotulo(QStringLiteral("E-mail do Estabelecimento")));
    email->addWidget(deEmail);
    email->addWidget(InfCadDummy);
    g->addLayout(email, 5, 1, 1, 3);
    g->setRowStretch(6, 1);

    // Tab order: the controls above the tabs, then the address.
    QWidget *ordem[] = {deUsoEmpresa, dgTipoVorn, deRazao, cbEncerramento, deDataEncerramento, dgEmAtividade,
                        meCeiVinc, dbrTipoInscr, deLogradouro, deNumero, deComplemento, deBairro, deCEP,
                        deMunicipio, deDDD, deTelefone, deEmail, InfCadDummy};
    for (size_t i = 1; i < std::size(ordem); ++i)
        setTabOrder(ordem[i - 1], ordem[i]);

    setBotaoCancelar(BtCancelar);
    setBotaoAjuda(BtAjuda);
    setBotoesSaida({BtOk, BtVinculos});
    protegeAbas(pcInformacoes);
    connect(BtOk, &QPushButton::clicked, this, Protegido([this] { BtOkClick(); }));
    connect(BtVinculos, &QPushButton::clicked, this, Protegido([this] { BtVinculosClick(); }));
    connect(BtCancelar, &QPushButton::clicked, this, Protegido([this] { BtCancelarClick(); }));
}

// ---- row access and the failing-check pattern ----

QString TfmDadosEstab::campo(const QString &nome) const { return empresa().FieldByName(nome).AsString().trimmed(); }

void TfmDadosEstab::gravaCampo(const QString &nome, const QString &valor)
{
    empresa().FieldByName(nome).setAsString(valor);
    for (QWidget *w : findChildren<QWidget *>())
        if (m_binder.campo(w) == nome)
            m_binder.carrega(w);
}

void TfmDadosEstab::erro(const QString &codigo, QWidget *foco, bool bloqueiaAba)
{
    UltimoCodigo = codigo;
    if (codigo != kOk)
        falha(codigo, foco, bloqueiaAba);
}

void TfmDadosEstab::saida(QLineEdit *controle, std::function<void()> critica, bool tambemVazio)
{
    aoSair(controle, [controle, critica = std::move(critica), tambemVazio] {
        const auto *m = qobject_cast<MaskEdit *>(controle);
        const QString texto = m ? m->textoArmazenado() : controle->text().trimmed();
        if (tambemVazio || !texto.trimmed().isEmpty())
            critica();
    });
}

QString TfmDadosEstab::NumeroSemZeros(const QString &texto, const QString &zeros)
{
    QString t = texto.trimmed();
    if (t == zeros)
        return QString();
    while (t.size() > 1 && t.startsWith(QLatin1Char('0')))
        t.remove(0, 1);
    return t == QLatin1String("0") ? QString() : t;
}

void TfmDadosEstab::MostraAnoBase(const QString &data)
{
    paAnoBase->setText(QStringLiteral("Ano-Base ") + QString::number(AnoDoEncerramento(data, Configuracao().AnoBase)));
}

// ---- exit handlers ----

void TfmDadosEstab::ligaSaidas()
{
    saida(deUsoEmpresa, [this] { ValidaUsoEstabelecimento(); });
    saida(deRazao, [this] { ValidaRazaoSocial(); });
    saida(deDataEncerramento, [this] { ValidaEncerramento(true); });
    aoEntrar(meCeiVinc, [this] { meCeiVinc->setMascara(kMascaraCeiDigitado); });
    saida(meCeiVinc, [this] { ValidaCeiVinculado(); });

    saida(deLogradouro, [this] { ValidaLogradouro(); });
    saida(deNumero, [this] { ValidaNumeroEndereco(); });
    saida(deComplemento, [this] { ValidaComplemento(); });
    saida(deBairro, [this] { ValidaBairro(); });
    saida(deCEP, [this] { ValidaCep(); });
    const auto saidaMunicipio = [this] {
        if (!deMunicipio->textoArmazenado().isEmpty()) {
            ValidaMunicipio();
            return;
        }
        gravaCampo(QStringLiteral("NoMunicEstabelecimento"), QString());
        gravaCampo(QStringLiteral("SgUf"), QString());
    };
    aoSair(deMunicipio, saidaMunicipio);
    saida(deDDD, [this] { ValidaDDD(true); });
    saida(deTelefone, [this] {
        ValidaTelefone();
        deEmail->setFocus(Qt::TabFocusReason);
    });
    saida(deEmail, [this] { ValidaEmailEstab(); }, true);
    aoEntrar(InfCadDummy, [this] {
        if (!FocoForaDasAbas())
            return;
        pcInformacoes->setCurrentWidget(tEconomicas);
        if (auto *cnae = tEconomicas->findChild<QWidget *>(QStringLiteral("deCNAE")))
            cnae->setFocus(Qt::TabFocusReason);
    });

    connect(dbrTipoInscr, &RadioGroup::valorAlterado, this, [this] {
        if (!m_carregando)
            Protege([this] { tipoInscricaoClick(); });
    });
    connect(dgTipoVorn, &RadioGroup::valorAlterado, this, [this](const QString &valor) {
        if (!m_carregando)
            Protege([this, valor] { tipoVornClick(valor); });
    });
    connect(cbEncerramento, &QCheckBox::toggled, this, Protegido([this] { encerramentoClick(); }));
    connect(sbCodMunicipio, &QToolButton::clicked, this, Protegido([this, saidaMunicipio] {
                deMunicipio->setFocus(Qt::OtherFocusReason);
                TfrmT8Munic::SelecionaMunicipio(empresa().FieldByName(QStringLiteral("CoMunicipio")));
                m_binder.carrega(deMunicipio);
                // The picked town's name and state at once: the window manager may give the focus back
                // to this form only later, so leaving the code edit cannot be waited for.
                saidaMunicipio();
                deDDD->setFocus(Qt::OtherFocusReason);
            }));
}

// ---- opening ----

void TfmDadosEstab::showEvent(QShowEvent *event)
{
    EntryForm::showEvent(event);
    if (!event->spontaneous())
        Protege([this] { FormShow(); });
}

void TfmDadosEstab::FormShow()
{
    m_aberto = false;
    LimpaEdits(this);
    meCeiVinc->setMascara(QString());
    Table &t = empresa();
    if (!t.Active())
        t.Open();
    if (t.State() != DataSetState::Browse)
        t.Cancel();
    if (!t.FindKey({AnoEstab, InscricaoEstab, PrefixoEstab})) {
        // Never another establishment's row in its place: say so and leave.
        MostraMensagem(QStringLiteral("1006"));
        QMetaObject::invokeMethod(this, [this] { done(QDialog::Rejected); }, Qt::QueuedConnection);
        return;
    }
    if (!EstabelecimentoNovo) {
        AvisaOperacaoAberta(AnoEstab, InscricaoEstab, PrefixoEstab);
        t.FindKey({AnoEstab, InscricaoEstab, PrefixoEstab});
    }
    m_aberto = true;
    CarregaEstabelecimento();
    AbreAbasEconomicas();
}

void TfmDadosEstab::AcrescentaPassoCarga(const QString &depoisDe, const QString &nome, std::function<void()> passo)
{
    qsizetype i = m_passos.size();
    for (qsizetype k = 0; k < m_passos.size(); ++k)
        if (m_passos[k].nome == depoisDe)
            i = k + 1;
    m_passos.insert(i, PassoCarga{nome, std::move(passo)});
}

void TfmDadosEstab::CarregaEstabelecimento()
{
    m_carregando = true;
    struct Fim {
        bool &f;
        ~Fim() { f = false; }
    } fim{m_carregando};
    for (const PassoCarga &p : std::as_const(m_passos))
        if (p.passo)
            p.passo();
}

void TfmDadosEstab::montaPassosCarga()
{
    Table &t = empresa();
    auto passo = [this](const char *nome, std::function<void()> f) {
        m_passos.append(PassoCarga{QLatin1String(nome), std::move(f)});
    };
    passo("Edicao", [this, &t] {
        // The marker reaches the disk at once: a form that is not closed normally leaves it behind.
        t.Edit();
        t.FieldByName(QStringLiteral("InOpcaoAberta")).setAsString(QStringLiteral("0"));
        t.Post();
        t.Edit();
        CeiVinculadoAbertura = campo(QStringLiteral("CoCgcVinculado"));
        TipoInscricaoAbertura = campo(QStringLiteral("InInscrEstabelecimento"));
    });
    passo("Inscricao", [this] {
        mostraInscricao();
        edPrefixo->setText(campo(QStringLiteral("NuPrefixoEstabelecimento")));
        mostraCeiVinculado();
    });
    passo("Contagens", [this] {
        const ChaveEstabelecimento chave{AnoEstab, InscricaoEstab, PrefixoEstab};
        ContaVinculos = campo(QStringLiteral("NuVinculosEstabelecimento"));
        ContaEstrangeiros = campo(QStringLiteral("NuEstrangeirosEstabelec"));
        const ContagemVinculos contagem = ContaVinculosEstab(chave);
        const int vinculos = contagem.vinculos;
        if (QString::number(vinculos) != ContaVinculos)
            ContaVinculos = CompletaZeros(QString::number(vinculos), 6);
        if (QString::number(contagem.estrangeiros) != ContaEstrangeiros)
            ContaEstrangeiros = CompletaZeros(QString::number(contagem.estrangeiros), 5);
        edTotalEmpreg->setText(QString::number(vinculos));
    });
    passo("Zeros", [this, &t] {
        for (const auto &[nome, zeros] : {std::pair{"CoCepEstabelecimento", "00000000"}, {"CoMunicipio", "0000000"},
                                          {"CoCnae", "00000"}, {"CoNaturezaJuridica", "0000"}})
            if (campo(QLatin1String(nome)) == QLatin1String(zeros))
                t.FieldByName(QLatin1String(nome)).setAsString(QString());
    });
    passo("Descricoes", {});
    passo("TipoDeclaracao", [this, &t] {
        const bool semEmpregados = campo(QStringLiteral("InVornNegEstabelecimento")) != QLatin1String("0");
        if (semEmpregados)
            edTotalEmpreg->setText(QStringLiteral("0"));
        BtVinculos->setEnabled(!semEmpregados);
        if (campo(QStringLiteral("InAtividadeAnoBase")).isEmpty())
            t.FieldByName(QStringLiteral("InAtividadeAnoBase")).setAsString(QStringLiteral("1"));
        dgEmAtividade->setEnabled(true);
    });
    passo("PorteEPat", {});
    passo("Encerramento", [this, &t] {
        if (campo(QStringLiteral("DaEncerramentoAtividade")) == QLatin1String("00000000"))
            t.FieldByName(QStringLiteral("DaEncerramentoAtividade")).setAsString(QString());
        const bool encerrado = campo(QStringLiteral("InEncerramentoAtividade")) == QLatin1String("1");
        if (cbEncerramento->isChecked() != encerrado)
            cbEncerramento->setChecked(encerrado); // runs its click handler
        Trava(deDataEncerramento, !encerrado, CorTrava::Menu);
        MostraAnoBase(campo(QStringLiteral("DaEncerramentoAtividade")));
    });
    passo("NumerosSemZeros", [this, &t] {
        const QString numero = campo(QStringLiteral("NuEnderecoEstabelecimento"));
        NumeroPreparado = CompletaZeros(numero, 6);
        t.FieldByName(QStringLiteral("NuEnderecoEstabelecimento")).setAsString(NumeroSemZeros(numero, QStringLiteral("000000")));
    });
    passo("AbaSindical", {});
    passo("Final", [this] {
        m_binder.carrega();
        pcInformacoes->setCurrentWidget(tCadastrais);
        deLogradouro->setFocus(Qt::OtherFocusReason);
    });
}

// ---- identification ----

void TfmDadosEstab::travaCeiVinculado(bool travado)
{
    meCeiVinc->setEnabled(!travado);
    Trava(meCeiVinc, travado, CorTrava::Menu);
    lbCeiVinculado->setEnabled(!travado);
}

void TfmDadosEstab::mostraInscricao()
{
    const QString inscricao = campo(QStringLiteral("CoCgcCeiEstabelecimento"));
    if (campo(QStringLiteral("InInscrEstabelecimento")) == QLatin1String("1")) {
        mdInscricao->setMascara(kMascaraCnpj);
        mdInscricao->mostraArmazenado(inscricao);
        TipoInscricaoVinculo = QStringLiteral("1");
        travaCeiVinculado(false);
    } else {
        mdInscricao->setMascara(kMascaraCei);
        mdInscricao->mostraArmazenado(inscricao.mid(2, 12));
        TipoInscricaoVinculo = QStringLiteral("3");
        travaCeiVinculado(true);
    }
}

void TfmDadosEstab::mostraCeiVinculado()
{
    const QString cv = empresa().FieldByName(QStringLiteral("CoCgcVinculado")).AsString();
    if (CriticaNumerico(cv, QStringLiteral("14")) != kOk) {
        meCeiVinc->setMascara(QString());
        meCeiVinc->setText(cv.mid(2, 12));
    } else if (!SoZeros(cv)) {
        meCeiVinc->setMascara(kMascaraCei);
        meCeiVinc->mostraArmazenado(cv.mid(2, 12));
    } else {
        meCeiVinc->setMascara(QString());
        meCeiVinc->clear();
    }
}

void TfmDadosEstab::pInscricao()
{
    const QString inscricao = campo(QStringLiteral("CoCgcCeiEstabelecimento"));
    const qsizetype l = inscricao.size();
    const QString valor = l == 12 ? QStringLiteral("00") + inscricao : inscricao;
    const QString tipo = campo(QStringLiteral("InInscrEstabelecimento"));
    UltimoCodigo = CriticaInscricaoPorTipo(valor, tipo);
    if (UltimoCodigo != kOk)
        falha(UltimoCodigo, dbrTipoInscr->botoes().value(tipo == QLatin1String("1") ? 1 : 0), false);
    UltimoCodigo = CriticaInscricao(valor);
    if (UltimoCodigo == QLatin1String("0050")) {
        auto limpaCei = [this] {
            travaCeiVinculado(true);
            meCeiVinc->clear();
            gravaCampo(QStringLiteral("CoCgcVinculado"), QString());
        };
        if (l == 14 && tipo == QLatin1String("1")) {
            mdInscricao->setMascara(kMascaraCnpj);
            mdInscricao->mostraArmazenado(inscricao);
            travaCeiVinculado(false);
        } else if (l == 14) {
            mdInscricao->setMascara(kMascaraAmbos);
            mdInscricao->mostraArmazenado(inscricao.mid(2, 12));
        } else if (l == 12) {
            limpaCei();
            mdInscricao->setMascara(tipo == QLatin1String("1") ? kMascaraCnpj : kMascaraAmbos);
            mdInscricao->mostraArmazenado(tipo == QLatin1String("1") ? valor : inscricao);
        }
    } else if (UltimoCodigo != QLatin1String("0051") && UltimoCodigo != QLatin1String("0052")) {
        travaCeiVinculado(true);
        meCeiVinc->clear();
        gravaCampo(QStringLiteral("CoCgcVinculado"), QString());
        falha(UltimoCodigo, mdInscricao, false);
    }
}

void TfmDadosEstab::tipoInscricaoClick() { pInscricao(); }

void TfmDadosEstab::ValidaCeiVinculado()
{
    const QString texto = meCeiVinc->textoArmazenado().trimmed();
    if (texto.isEmpty() || SoZeros(texto)) {
        meCeiVinc->clear();
        return;
    }
    const QString valor = QStringLiteral("00") + texto;
    if (campo(QStringLiteral("InInscrEstabelecimento")) == QLatin1String("3")) {
        meCeiVinc->clear();
        meCeiVinc->setMascara(QString());
        erro(QStringLiteral("0350"), BtOk, false);
    }
    erro(CriticaCeiVinculado(valor), meCeiVinc, false);
    erro(CriticaCnpjVinculado(campo(QStringLiteral("InInscrEstabelecimento")), valor), meCeiVinc, false);
    meCeiVinc->setMascara(kMascaraCei);
    erro(CriticaIndicadorNegativa(campo(QStringLiteral("InVornNegEstabelecimento")),
                                  campo(QStringLiteral("InInscrEstabelecimento")), valor),
         dgTipoVorn, false);
}

void TfmDadosEstab::ValidaRazaoSocial()
{
    QString nome = deRazao->text();
    erro(CriticaRazaoSocial(nome, campo(QStringLiteral("CoCgcCeiEstabelecimento")),
                            campo(QStringLiteral("InInscrEstabelecimento"))),
         deRazao, false);
    gravaCampo(QStringLiteral("NoRazaoEstabelecimento"), nome);
}

void TfmDadosEstab::ValidaUsoEstabelecimento()
{
    erro(CriticaUsoEmpresa(deUsoEmpresa->text()), deUsoEmpresa, false);
}

void TfmDadosEstab::ValidaEncerramento(bool naSaida)
{
    const QString data = campo(QStringLiteral("DaEncerramentoAtividade"));
    erro(CriticaEncerramentoAtividade(campo(QStringLiteral("InEncerramentoAtividade")), data, anoBase(), false),
         deDataEncerramento->isReadOnly() ? static_cast<QWidget *>(cbEncerramento) : deDataEncerramento);
    if (!naSaida)
        return;
    MostraAnoBase(data);
    if (data.mid(4, 4) != anoSeguinte())
        return;
    const QString pergunta =
        QStringLiteral("Ao preencher este campo, você estará declarando a VORN, ano-base ") + anoSeguinte() +
        QStringLiteral(" antecipada. Esta opção deve ser utilizada somente ") +
        QStringLiteral("quando o estabelecimento está encerrando as atividades no exercício de ") + anoSeguinte() +
        QStringLiteral(".") + QStringLiteral("\r\n") + QStringLiteral("Confirma o Encerramento?");
    if (presenter().show(MessageKind::Confirmation, pergunta, {MessageButton::Yes, MessageButton::No}) ==
        MessageButton::Yes) {
        presenter().show(MessageKind::Warning,
                         QStringLiteral("Não se esqueça de entregar também a declaração referente ao ano-base ") +
                             anoBase(),
                         {MessageButton::Ok});
        return;
    }
    gravaCampo(QStringLiteral("InEncerramentoAtividade"), QStringLiteral("2"));
    gravaCampo(QStringLiteral("DaEncerramentoAtividade"), QString());
    cbEncerramento->setChecked(false);
    Trava(deDataEncerramento, true, CorTrava::Menu);
}

void TfmDadosEstab::encerramentoClick()
{
    if (!empresa().Active() || empresa().State() == DataSetState::Browse)
        return;
    if (cbEncerramento->isChecked()) {
        Trava(deDataEncerramento, false, CorTrava::Menu);
        gravaCampo(QStringLiteral("InEncerramentoAtividade"), QStringLiteral("1"));
    } else {
        gravaCampo(QStringLiteral("InEncerramentoAtividade"), QStringLiteral("2"));
        gravaCampo(QStringLiteral("DaEncerramentoAtividade"), QString());
        Trava(deDataEncerramento, true, CorTrava::Menu);
    }
    MostraAnoBase(campo(QStringLiteral("DaEncerramentoAtividade")));
}

void TfmDadosEstab::tipoVornClick(const QString &valor)
{
    if (valor == QLatin1String("1")) {
        dgEmAtividade->setEnabled(true);
        if (TipoInscricaoVinculo == QLatin1String("3")) {
            MostraMensagem(QStringLiteral("0133"));
        } else {
            UltimoCodigo = CriticaIndicadorNegativa(valor, campo(QStringLiteral("InInscrEstabelecimento")),
                                                    CompletaZeros(meCeiVinc->textoArmazenado().trimmed(), 14));
            MostraMensagem(UltimoCodigo != kOk ? UltimoCodigo : QStringLiteral("1007"));
        }
        TfmSemEmpregados dica(this);
        if (dica.DeveMostrar())
            ExecutaModal(dica);
    } else if (valor == QLatin1String("0")) {
        dgEmAtividade->setEnabled(false);
    }
    BtVinculos->setEnabled(true);
    dgTipoVorn->setFocus(Qt::OtherFocusReason);
}

// ---- address and contact ----

void TfmDadosEstab::ValidaLogradouro()
{
    QString texto = deLogradouro->text();
    erro(CriticaEndereco(texto), deLogradouro);
    gravaCampo(QStringLiteral("EdEstabelecimento"), texto);
}

void TfmDadosEstab::ValidaNumeroEndereco()
{
    const QString numero = CompletaZeros(deNumero->text().trimmed(), 6);
    erro(CriticaNumeroEndereco(numero), deNumero);
    NumeroPreparado = numero;
    if (!deNumero->text().trimmed().isEmpty())
        gravaCampo(QStringLiteral("NuEnderecoEstabelecimento"), NumeroSemZeros(numero, QStringLiteral("000000")));
}

void TfmDadosEstab::ValidaComplemento()
{
    QString complemento = deComplemento->text();
    erro(CriticaComplemento(complemento), deComplemento);
    gravaCampo(QStringLiteral("TxComplemEstabelecimento"), complemento);
    erro(CriticaTextoEndereco(deNumero->text(), complemento), deNumero);
}

void TfmDadosEstab::ValidaBairro()
{
    QString bairro = deBairro->text();
    erro(CriticaBairro(bairro), deBairro);
    gravaCampo(QStringLiteral("NoBairroEstabelecimento"), bairro);
}

void TfmDadosEstab::ValidaCep() { erro(CriticaCep(deCEP->textoArmazenado()), deCEP); }

void TfmDadosEstab::ValidaMunicipio()
{
    const ResultadoMunicipio r = CriticaVornGlobal.CriticaMunicipio(deMunicipio->textoArmazenado(), deCEP->textoArmazenado());
    gravaCampo(QStringLiteral("NoMunicEstabelecimento"), r.NoMunicipio);
    gravaCampo(QStringLiteral("SgUf"), r.SgUf);
    mostraAba(deMunicipio);
    UltimoCodigo = r.Codigo;
    if (r.Status == QLatin1String("0") || r.Status == QLatin1String("4"))
        return;
    falha(r.Codigo, r.Status == QLatin1String("1") ? static_cast<QWidget *>(deMunicipio) : deCEP);
}

void TfmDadosEstab::ValidaDDD(bool naSaida)
{
    erro(CriticaDDD(deDDD->text()), deDDD);
    // The state's code: the first two digits of the municipality's.
    UltimoCodigo = CriticaDDDUf(deDDD->text(), campo(QStringLiteral("CoMunicipio")).left(2));
    if (naSaida && UltimoCodigo != kOk)
        MostraMensagem(UltimoCodigo);
}

void TfmDadosEstab::ValidaTelefone()
{
    erro(CriticaTelefone(deTelefone->text()), deTelefone);
    erro(CriticaTelefoneCompleto(deDDD->text(), deTelefone->text()), deDDD);
}

void TfmDadosEstab::ValidaEmailEstab()
{
    QString email = deEmail->text();
    erro(CriticaEmailEstab(email), deEmail);
    gravaCampo(QStringLiteral("TxEmailEstabelecimento"), email);
}

// ---- saving ----

void TfmDadosEstab::AcrescentaCritica(const QString &nome, std::function<void()> critica)
{
    m_criticas.append(CriticaGravacao{nome, std::move(critica)});
}

void TfmDadosEstab::montaCriticas()
{
    AcrescentaCritica(QStringLiteral("pInscricao"), [this] { pInscricao(); });
    AcrescentaCritica(QStringLiteral("ValidaCeiVinculado"), [this] { ValidaCeiVinculado(); });
    AcrescentaCritica(QStringLiteral("ValidaRazaoSocial"), [this] { ValidaRazaoSocial(); });
    AcrescentaCritica(QStringLiteral("ValidaUsoEstabelecimento"), [this] { ValidaUsoEstabelecimento(); });
    AcrescentaCritica(QStringLiteral("ValidaEncerramento"), [this] { ValidaEncerramento(false); });
    AcrescentaCritica(QStringLiteral("ValidaLogradouro"), [this] { ValidaLogradouro(); });
    AcrescentaCritica(QStringLiteral("ValidaNumeroEndereco"), [this] { ValidaNumeroEndereco(); });
    AcrescentaCritica(QStringLiteral("ValidaComplemento"), [this] { ValidaComplemento(); });
    AcrescentaCritica(QStringLiteral("ValidaBairro"), [this] { ValidaBairro(); });
    AcrescentaCritica(QStringLiteral("ValidaCep"), [this] { ValidaCep(); });
    AcrescentaCritica(QStringLiteral("ValidaMunicipio"), [this] { ValidaMunicipio(); });
    AcrescentaCritica(QStringLiteral("ValidaDDD"), [this] { ValidaDDD(false); });
    AcrescentaCritica(QStringLiteral("ValidaTelefone"), [this] { ValidaTelefone(); });
    AcrescentaCritica(QStringLiteral("ValidaEmailEstab"), [this] { ValidaEmailEstab(); });
    AcrescentaCriticasEconomicas();
}

bool TfmDadosEstab::semEmpregados() { return campo(QStringLiteral("InVornNegEstabelecimento")) == QLatin1String("1"); }

bool TfmDadosEstab::GravaEstabelecimento()
{
    if (!m_aberto)
        return false;
    for (const CriticaGravacao &c : std::as_const(m_criticas))
        c.critica();

    const QString ceiDigitado = meCeiVinc->textoArmazenado().trimmed();
    UltimoCodigo = CriticaIndicadorNegativa(campo(QStringLiteral("InVornNegEstabelecimento")),
                                            campo(QStringLiteral("InInscrEstabelecimento")),
                                            CompletaZeros(ceiDigitado, 14));
    if (UltimoCodigo != kOk) {
        MostraMensagem(UltimoCodigo);
        dgTipoVorn->setFocus(Qt::OtherFocusReason);
        return false;
    }

    const ChaveEstabelecimento chave{AnoEstab, InscricaoEstab, PrefixoEstab};
    // Only a plain "Sim" deletes the links; any other answer keeps everything.
    bool excluiVinculos = false;
    if (semEmpregados() && ContaVinculosEstab(chave).vinculos > 0) {
        if (MostraMensagem(QStringLiteral("1005")) != QLatin1String("mrYes"))
            return false;
        excluiVinculos = true;
    }

    Table &t = empresa();
    auto grava = [&t](const char *nome, const QString &valor) { t.FieldByName(QLatin1String(nome)).setAsString(valor); };
    grava("CoCgcVinculado", ceiDigitado.isEmpty() ? Zeros(14) : CompletaZeros(ceiDigitado, 14));
    grava("NuEnderecoEstabelecimento", NumeroPreparado);
    PreparaGravacaoEconomicas();
    grava("InAtividadeAnoBase", dgEmAtividade->valor().isEmpty() ? QStringLiteral("1") : dgEmAtividade->valor());
    const ContagemVinculos contagem =
        gdvorn::GravaEstabelecimento(chave, {CeiVinculadoAbertura, TipoInscricaoAbertura}, excluiVinculos);
    ContaVinculos = CompletaZeros(QString::number(contagem.vinculos), 6);
    ContaEstrangeiros = CompletaZeros(QString::number(contagem.estrangeiros), 5);
    const QString ceiNovo = campo(QStringLiteral("CoCgcVinculado"));
    const QString tipoNovo = campo(QStringLiteral("InInscrEstabelecimento"));
    CeiVinculadoAbertura = ceiNovo;
    TipoInscricaoAbertura = tipoNovo;
    return true;
}

void TfmDadosEstab::salvaESegue(bool vinculos)
{
    if (!GravaEstabelecimento())
        return;
    Table &t = empresa();
    if (!t.FindKey({AnoEstab, InscricaoEstab, PrefixoEstab})) {
        done(QDialog::Accepted);
        return;
    }
    if (!semEmpregados()) {
        const int ano = Configuracao().AnoBase;
        AnoBaseVinculo = campo(QStringLiteral("AnBase"));
        InscricaoVinculo = campo(QStringLiteral("CoCgcCeiEstabelecimento"));
        PrefixoVinculo = campo(QStringLiteral("NuPrefixoEstabelecimento"));
        RazaoSocialVinculo = campo(QStringLiteral("NoRazaoEstabelecimento"));
        TipoInscricaoVinculo = campo(QStringLiteral("InInscrEstabelecimento"));
        CeiVinculado = campo(QStringLiteral("CoCgcVinculado"));
        EncerradoAnoSeguinte = campo(QStringLiteral("InEncerramentoAtividade")) == QLatin1String("1") &&
                               campo(QStringLiteral("DaEncerramentoAtividade")).mid(4, 4) == QString::number(ano + 1);
        PisVinculo.clear();
        AdmissaoVinculo.clear();
        SemVinculos = EstabelecimentoNovo;
        const ChaveEstabelecimento chave{AnoEstab, InscricaoEstab, PrefixoEstab};
        if (SoZeros(campo(QStringLiteral("NuVinculosEstabelecimento")))) {
            if (AbreNovoVinculo)
                AbreNovoVinculo();
        } else if (MostraEmpregados) {
            MostraEmpregados(chave);
        }
        done(QDialog::Accepted);
        return;
    }
    Q_UNUSED(vinculos); // the establishment list stays on screen in both cases
    t.Edit();
    t.FieldByName(QStringLiteral("InOpcaoAberta")).setAsString(QString());
    t.Post();
    done(QDialog::Accepted);
}

void TfmDadosEstab::BtOkClick() { salvaESegue(false); }

void TfmDadosEstab::BtVinculosClick() { salvaESegue(true); }

bool TfmDadosEstab::ExisteEstabelecimento()
{
    Query &q = dmEntradaDados->quBuscaEmpreg;
    q.Close();
    q.setSql(QStringLiteral("Select count(*) as numEstab from bd8emp"));
    q.Open();
    const bool existe = q.FieldByName(QStringLiteral("numEstab")).AsInteger() >= 1;
    q.Close();
    return existe;
}

void TfmDadosEstab::BtCancelarClick()
{
    if (presenter().show(MessageKind::Confirmation,
                         QStringLiteral("As informações não salvas serão perdidas. Deseja sair?"),
                         {MessageButton::Yes, MessageButton::No}) != MessageButton::Yes) {
        deRazao->setFocus(Qt::OtherFocusReason);
        return;
    }
    Table &t = empresa();
    if (t.Active() && t.State() != DataSetState::Browse)
        t.Cancel();
    if (m_aberto && EstabelecimentoNovo && t.Active() && t.FindKey({AnoEstab, InscricaoEstab, PrefixoEstab}))
        t.Delete(); // the declaration begun by the new-declaration dialog is dropped
    done(QDialog::Rejected);
}

void TfmDadosEstab::done(int resultado)
{
    m_aberto = false;
    QDialog::done(resultado);
    if (!dmEntradaDados)
        return;
    Table &t = empresa();
    if (!t.Active())
        return;
    if (t.State() != DataSetState::Browse)
        t.Cancel();
    if (t.FindKey({AnoEstab, InscricaoEstab, PrefixoEstab})) {
        t.Edit();
        t.FieldByName(QStringLiteral("InOpcaoAberta")).setAsString(QString());
        t.Post();
    }
    t.Close();
}

} // namespace gdvorn
