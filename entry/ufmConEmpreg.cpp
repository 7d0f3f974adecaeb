#include "entry/ufmConEmpreg.h"

#include "app/QtModal.h"
#include "app/base/Presenter.h"
#include "app/udmEntradaDados.h"
#include "app/ugConfiguracao.h"
#include "app/ugExcecao.h"
#include "app/ugFuncoes.h"
#include "app/ugHtmlHelpAPI.h"
#include "entry/FormEdits.h"
#include "entry/QtColunaLetras.h"
#include "entry/QtMaiusculas.h"
#include "entry/ufmDadosEmpreg.h"

#include <QApplication>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>


namespace gdvorn {

TfmConEmpreg *fmConEmpreg = nullptr;

namespace {

enum Coluna { ColPis, ColNome, ColAdmissao, ColCbo };

} // namespace

TfmConEmpreg::TfmConEmpreg(QWidget *parent) : EntryForm(parent)
{
    setObjectName(QStringLiteral("fmConEmpreg"));
    setWindowTitle(QStringLiteral("GDVorn - Informações Referentes aos Empregados / Servidores"));
    constroi();
}

TfmConEmpreg::~TfmConEmpreg()
{
    if (fmConEmpreg == this)
        fmConEmpreg = nullptr;
}

void TfmConEmpreg::constroi()
{
    paAnoBase = new QLabel(this);
    paAnoBase->setObjectName(QStringLiteral("paAnoBase"));
    paAnoBase->setAlignment(Qt::AlignCenter);

    auto *estab = new QGroupBox(QStringLiteral("Informações do Estabelecimento"), this);
    estab->setObjectName(QStringLiteral("gbEstabelecimento"));
    estab->setEnabled(false);
    auto somenteLeitura = [estab](const char *nome) {
        auto *e = new QLineEdit(estab);
        e->setObjectName(QLatin1String(nome));
        e->setReadOnly(true);
        return e;
    };
    mdInscricao = somenteLeitura("mdInscricao");
    edPrefixo = somenteLeitura("edPrefixo");
    edRazao = somenteLeitura("edRazao");
    auto *le = new QGridLayout(estab);
    le->addWidget(new QLabel(QStringLiteral("Inscrição CNPJ/CEI"), estab), 0, 0);
    le->addWidget(new QLabel(QStringLiteral("Prefixo"), estab), 0, 1);
    le->addWidget(new QLabel(QStringLiteral("Razão Social"), estab), 0, 2);
    le->addWidget(mdInscricao, 1, 0);
    le->addWidget(edPrefixo, 1, 1);
    le->addWidget(edRazao, 1, 2);
    le->setColumnStretch(2, 1);

    edPisPasep = new MaskEdit(this, QStringLiteral("99999999999;0;_"));
    edPisPasep->setObjectName(QStringLiteral("edPisPasep"));
    setContextoAjuda(edPisPasep, 63);
    edNome = new QLineEdit(this);
    edNome->setObjectName(QStringLiteral("edNome"));
    edNome->setValidator(new Maiusculas(edNome));
    setContextoAjuda(edNome, 65);
    auto *localizar = new QGroupBox(QStringLiteral("Localizar Empregado / Servidor Por "), this);
    auto *ll = new QHBoxLayout(localizar);
    ll->addWidget(new QLabel(QStringLiteral("PIS/PASEP"), localizar));
    ll->addWidget(edPisPasep);
    ll->addWidget(new QLabel(QStringLiteral("Nome"), localizar));
    ll->addWidget(edNome, 1);

    m_modelo = new ModeloVinculos(this);
    DBGridVinculo = new QTableView(this);
    DBGridVinculo->setObjectName(QStringLiteral("DBGridVinculo"));
    DBGridVinculo->setModel(m_modelo);
    DBGridVinculo->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGridVinculo->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGridVinculo->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGridVinculo->verticalHeader()->hide();
    // Every column as wide as its widest value; the name takes the rest.
    DBGridVinculo->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    DBGridVinculo->horizontalHeader()->setSectionResizeMode(ColNome, QHeaderView::Stretch);
    DBGridVinculo->setTabKeyNavigation(false);

    auto botao = [this](const char *nome, const QString &legenda) {
        auto *b = new QPushButton(legenda, this);
        b->setObjectName(QLatin1String(nome));
        return b;
    };
    BtNovo = botao("BtNovo", QStringLiteral("&Novo"));
    BtExibir = botao("BtExibir", QStringLiteral("&Exibir"));
    BtCancelar = botao("BtCancelar", QStringLiteral("&Retornar"));
    auto *botoes = new QVBoxLayout;
    botoes->addWidget(BtNovo);
    botoes->addWidget(BtExibir);
    botoes->addWidget(BtCancelar);
    botoes->addStretch();

    auto *coluna = new ColunaLetras(this, [this](const QString &l) { l.isEmpty() ? todos(u'2') : letras(l); });
    SbTodos = coluna->SbTodos;

    auto *centro = new QVBoxLayout;
    centro->addWidget(paAnoBase);
    centro->addWidget(estab);
    centro->addWidget(localizar);
    centro->addWidget(DBGridVinculo, 1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(botoes);
    layout->addLayout(centro, 1);
    layout->addWidget(coluna);
    resize(780, 500);
    if (screen() && screen()->geometry().width() > 1024)
        resize(850, 550);

    setBotaoCancelar(BtCancelar);
    // Leaving a search edit for one of the buttons runs no filter.
    setBotoesSaida({BtNovo, BtExibir});
    // From the name the keyboard goes on to the links found (Enter there opens one).
    const QList<QWidget *> ordem{edPisPasep, edNome, DBGridVinculo, BtNovo, BtExibir, BtCancelar};
    for (qsizetype i = 1; i < ordem.size(); ++i)
        setTabOrder(ordem[i - 1], ordem[i]);

    connect(edPisPasep, &QLineEdit::textChanged, this, Protegido([this] { MontaQuery(); }));
    connect(edNome, &QLineEdit::textChanged, this, Protegido([this] { MontaQuery(); }));
    // Leaving either search edit: a typed name takes over from the letter buttons.
    auto saida = [this](QChar foco) {
        return [this, foco] {
            if (focoNaSaida())
                return;
            if (!edNome->text().trimmed().isEmpty())
                SbTodos->setChecked(true);
            MontaQuery();
            SetaFoco(foco);
        };
    };
    aoSair(edPisPasep, saida(u'2'));
    aoSair(edNome, saida(u'3'));
    connect(BtNovo, &QPushButton::clicked, this, Protegido([this] { BtNovoClick(); }));
    connect(BtExibir, &QPushButton::clicked, this, Protegido([this] { BtExibirClick(); }));
    connect(BtCancelar, &QPushButton::clicked, this, [this] { reject(); });
    connect(DBGridVinculo, &QTableView::doubleClicked, this, Protegido([this] { BtExibirClick(); }));
    limpaFiltros();
}

bool TfmConEmpreg::focoNaSaida() const
{
    QCoreApplication::processEvents();
    const QWidget *w = QApplication::focusWidget();
    return w == BtNovo || w == BtCancelar || w == BtExibir || w == DBGridVinculo;
}

void TfmConEmpreg::limpaFiltros()
{
    m_montando = true;
    edPisPasep->clear();
    edNome->clear();
    m_montando = false;
    m_filtro = {};
    SbTodos->setChecked(true);
}

void TfmConEmpreg::MontaQuery()
{
    if (m_montando)
        return;
    m_filtro.pis = edPisPasep->textoArmazenado();
    m_filtro.nome = edNome->text();
    m_modelo->filtra(dmEntradaDados->quConVinculo, Consulta, m_filtro);
    if (m_modelo->rowCount() > 0)
        DBGridVinculo->setCurrentIndex(m_modelo->index(0, 0));
}

void TfmConEmpreg::SetaFoco(QChar c)
{
    if (c == u'1') {
        edPisPasep->setFocus();
        return;
    }
    if (c == u'2' && edPisPasep->textoArmazenado().trimmed().isEmpty()) {
        edNome->setFocus();
        return;
    }
    const int linhas = m_modelo->rowCount();
    if (linhas == 1)
        BtExibir->setFocus();
    else if (linhas > 1)
        DBGridVinculo->setFocus();
    else
        BtNovo->setFocus();
}

void TfmConEmpreg::letras(const QString &letras)
{
    m_montando = true;
    edPisPasep->clear();
    edNome->clear();
    m_montando = false;
    m_filtro.letra1 = letras.left(1);
    m_filtro.letra2 = letras.mid(1, 1);
    MontaQuery();
    SetaFoco(u'3');
}

void TfmConEmpreg::todos(QChar foco)
{
    limpaFiltros();
    MontaQuery();
    SetaFoco(foco);
}

void TfmConEmpreg::apresenta()
{
    paAnoBase->setText(LegendaAnoConsulta(Consulta.DaEncerramentoAtividade, Configuracao().AnoBase));
    mdInscricao->setText(InscricaoMostradaConsulta(Consulta));
    edPrefixo->setText(Consulta.PrefixoConsulta);
    edRazao->setText(Consulta.RazaoSocialConsulta);
    limpaFiltros();
    // Each showing reads the links afresh.
    m_modelo->esquece();
    MontaQuery();
    if (m_modelo->rowCount() > 0)
        DBGridVinculo->setCurrentIndex(m_modelo->index(std::min(LinhaSalva, m_modelo->rowCount() - 1), 0));
    SetaFoco(u'1');
    if (!m_pisDevolvido.isEmpty()) {
        // Declined copying another link's data: the links with that PIS.
        edPisPasep->setText(m_pisDevolvido);
        m_pisDevolvido.clear();
    }
}

void TfmConEmpreg::showEvent(QShowEvent *event)
{
    EntryForm::showEvent(event);
    Protege([this] { apresenta(); });
}

bool TfmConEmpreg::leEstabelecimento(const ChaveEstabelecimento &chave)
{
    if (!LeContextoConsulta(chave, Consulta))
        return false;
    // The link context as the establishment form leaves it: a new link of this establishment.
    preencheContextoVinculo(true);
    CeiVinculado = Consulta.CeiVinculadoConsulta;
    return true;
}

void TfmConEmpreg::Mostra(const ChaveEstabelecimento &chave)
{
    if (leEstabelecimento(chave))
        ExecutaModal(*this);
}

void TfmConEmpreg::preencheContextoVinculo(bool novo)
{
    if (novo) {
        PisVinculo.clear();
        AdmissaoVinculo.clear();
        DesligamentoVinculo.clear();
        CboVinculo.clear();
        NomeEmpregadoVinculo.clear();
    }
    AnoBaseVinculo = Consulta.AnoBaseConsulta;
    EncerradoAnoSeguinte = Consulta.EncerradoAnoSeguinteConsulta;
    InscricaoVinculo = Consulta.InscricaoConsulta;
    PrefixoVinculo = Consulta.PrefixoConsulta;
    TipoInscricaoVinculo = Consulta.TipoInscricaoConsulta;
    RazaoSocialVinculo = Consulta.RazaoSocialConsulta; // the name edRazao shows
}

void TfmConEmpreg::MostraVinculos(const ChaveEstabelecimento &chave, bool estabelecimentoNovo)
{
    if (!leEstabelecimento(chave))
        return;
    if (!QString(Consulta.NuVinculosEstabelecimento).remove(QLatin1Char('0')).trimmed().isEmpty()) {
        ExecutaModal(*this);
        return;
    }
    if (abreVinculo(estabelecimentoNovo))
        ExecutaModal(*this);
}

bool TfmConEmpreg::abreVinculo(bool semVinculos)
{
    // One link form for each hand-over, freed when it closes.
    TfmDadosEmpreg vinculo(this);
    vinculo.SemVinculos = semVinculos;
    vinculo.DevolvePisLista = [this](const QString &pis) { m_pisDevolvido = pis; };
    // Hidden while the link form is on screen; with no link left it does not come back (it closes).
    OcultaEnquanto oculta(*this);
    ExecutaModal(vinculo);
    if (vinculo.SemVinculos)
        oculta.naoVolta();
    return !vinculo.SemVinculos;
}

void TfmConEmpreg::depoisDoVinculo(bool restamVinculos)
{
    // Links left: the list has come back on screen, rebuilt by its showing.
    if (!restamVinculos) {
        // No link left: the establishment form closes when the list returns.
        reject();
        return;
    }
    if (!isVisible())
        apresenta();
}

void TfmConEmpreg::BtExibirClick()
{
    const int linha = DBGridVinculo->currentIndex().row();
    LinhaSalva = std::max(linha, 0);
    const bool selecionado = linha >= 0 && linha < m_modelo->rowCount();
    if (!selecionado || m_modelo->linha(linha).pis.trimmed().isEmpty()) {
        if (!ExisteVinculoSemPis(Consulta)) {
            presenter().show(MessageKind::Error, QStringLiteral("Você deve selecionar um empregado."),
                             {MessageButton::Ok});
            todos(u'2');
            return;
        }
        if (presenter().show(MessageKind::Confirmation,
                             QStringLiteral("Este empregado deve ser excluído. Deseja excluir ?"),
                             {MessageButton::Yes, MessageButton::No}) != MessageButton::Yes)
            return;
        ExcluiVinculoSemPis(Consulta);
        MontaQuery();
        SetaFoco(u'1');
        return;
    }
    preencheContextoVinculo(false);
    const VinculoListado &l = m_modelo->linha(linha);
    PisVinculo = l.pis;
    AdmissaoVinculo = l.admissao;
    NomeEmpregadoVinculo = l.nome;
    DesligamentoVinculo = l.desligamento;
    CboVinculo = l.cbo;
    CeiVinculado = Consulta.CeiVinculadoConsulta;
    depoisDoVinculo(abreVinculo(false));
}

void TfmConEmpreg::BtNovoClick()
{
    // CeiVinculado stays as the establishment form left it.
    preencheContextoVinculo(true);
    depoisDoVinculo(abreVinculo(false));
}

bool TfmConEmpreg::eventFilter(QObject *objeto, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && objeto == DBGridVinculo) {
        auto *k = static_cast<QKeyEvent *>(event);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            Protege([this] { BtExibirClick(); });
            return true;
        }
    }
    return EntryForm::eventFilter(objeto, event);
}

} // namespace gdvorn
