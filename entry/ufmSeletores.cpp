#include "entry/ufmSeletores.h"

#include "app/QtModal.h"
#include "app/base/Presenter.h"
#include "app/base/Table.h"
#include "app/udmEntradaDados.h"
#include "app/udmGDVorn.h"
#include "app/ufmCriticaEdit.h"
#include "app/ugExcecao.h"
#include "entry/ugPesquisa.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>
#include <QVBoxLayout>

namespace gdvorn {

bool MesAdiantamento = false;
int NumeroAfastamento = 0;
QString MunicipioSelecionado;
TfmTb8Cnae *fmTb8Cnae = nullptr;
TfrmT8Munic *frmT8Munic = nullptr;

namespace {

QTreeWidget *novaArvore(QWidget *pai, const QString &nome)
{
    auto *arvore = new QTreeWidget(pai);
    arvore->setObjectName(nome);
    arvore->setHeaderHidden(true);
    arvore->setColumnCount(1);
    arvore->setUniformRowHeights(true);
    // The column is as wide as the longest entry (a scroll bar when the window is narrower), so that no
    // description is cut; each entry also shows its whole text as a tool tip.
    arvore->header()->setStretchLastSection(false);
    arvore->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    return arvore;
}

Table &linhaVinculo() { return dmEntradaDados->ta8Empreg; }
Table &linhaEstabelecimento() { return dmEntradaDados->ta8Empresa; }

// The entry drawn as current is the selected one (the first entry when there is none), so that Enter picks
// it without an arrow key first.
void selecionaAtual(QTreeWidget *arvore)
{
    QTreeWidgetItem *item = arvore->currentItem();
    if (!item)
        item = arvore->topLevelItem(0);
    if (!item)
        return;
    arvore->setCurrentItem(item);
    item->setSelected(true);
    arvore->scrollToItem(item);
}

// Walks a table in key order from its first row.
template <class F>
void percorre(Table &tabela, F &&linha)
{
    if (!tabela.Active())
        tabela.Open();
    tabela.First();
    while (!tabela.Eof()) {
        linha(tabela);
        tabela.Next();
    }
}

} // namespace

// ---- list pickers ----

TfmSeletorLista::TfmSeletorLista(const ConfigLista &config, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint), m_config(config)
{
    setObjectName(config.nome);
    setWindowTitle(config.legenda);
    arvore = novaArvore(this, config.arvore);
    arvore->setRootIsDecorated(false);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(arvore);
    resize(config.tamanho);
    if (config.imagem)
        ilImagens << style()->standardIcon(QStyle::SP_FileIcon);

    arvore->installEventFilter(this);
    if (config.cliqueSimples)
        connect(arvore, &QTreeWidget::itemClicked, this, Protegido([this] { SelecionaCodigo(); }));
    else
        connect(arvore, &QTreeWidget::itemDoubleClicked, this, Protegido([this] { SelecionaCodigo(); }));

    if (config.fonte) {
        arvore->clear();
        percorre(*config.fonte, [&](Table &t) {
            adicionaEntrada(t.FieldByName(config.campoCodigo).AsString() + kSeparadorCodigo +
                            t.FieldByName(config.campoDescricao).AsString());
        });
    }
}

void TfmSeletorLista::adicionaEntrada(const QString &texto)
{
    auto *item = new QTreeWidgetItem(arvore, QStringList{texto});
    item->setToolTip(0, texto);
    if (!ilImagens.isEmpty())
        item->setIcon(0, ilImagens.first());
}

void TfmSeletorLista::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    selecionaAtual(arvore);
    arvore->setFocus();
}

bool TfmSeletorLista::eventFilter(QObject *objeto, QEvent *event)
{
    if (objeto == arvore && event->type() == QEvent::KeyPress) {
        const int tecla = static_cast<QKeyEvent *>(event)->key();
        if (tecla == Qt::Key_Return || tecla == Qt::Key_Enter)
            Protege([this] { SelecionaCodigo(); });
    }
    return QDialog::eventFilter(objeto, event);
}

void TfmSeletorLista::SelecionaCodigo()
{
    QTreeWidgetItem *item = arvore->currentItem();
    if (!item || !item->isSelected() || item->parent())
        return;
    if (escreve(item->text(0).left(m_config.caracteres)))
        accept();
}

bool TfmSeletorLista::escreve(const QString &codigo)
{
    linhaVinculo().FieldByName(m_config.destino).setAsString(codigo);
    return true;
}

namespace {

ConfigLista lista(const char *nome, const char *legenda, const char *arvore, Table *fonte, const char *codigo,
                  const char *descricao, int caracteres, const char *destino, bool cliqueSimples = false)
{
    ConfigLista c;
    c.nome = QLatin1String(nome);
    c.legenda = QString::fromUtf8(legenda);
    c.arvore = QLatin1String(arvore);
    c.fonte = fonte;
    c.campoCodigo = QLatin1String(codigo);
    c.campoDescricao = QLatin1String(descricao);
    c.caracteres = caracteres;
    c.destino = QLatin1String(destino);
    c.cliqueSimples = cliqueSimples;
    return c;
}

} // namespace

TfmTb8Instr::TfmTb8Instr(QWidget *parent)
    : TfmSeletorLista(lista("fmTb8Instr", "Relação de Grau de Instrução", "tvInstrucao", &dmGDVorn->taInstrucao,
                            "CoInstrucao", "NoInstrucao", 2, "CoInstrucao"),
                      parent)
{
}

TfmTp8adm::TfmTp8adm(QWidget *parent)
    : TfmSeletorLista(lista("fmTp8adm", "Relação do Tipo de Admissão", "tvAdmissao", &dmGDVorn->taAdmissao,
                            "CoTipoAdmissao", "NoTipoAdmissao", 1, "CoTipoAdmissao"),
                      parent)
{
}

TfmTb8TpSal::TfmTb8TpSal(QWidget *parent)
    : TfmSeletorLista(lista("fmTb8TpSal", "Relação de Tipo de Salário", "tvSalario", &dmGDVorn->taSalario,
                            "CoTipoSalarioContratual", "NoTipoSalarioContratual", 1, "CoTipoSalarioContratual", true),
                      parent)
{
}

TfmTb8Vinc::TfmTb8Vinc(QWidget *parent)
    : TfmSeletorLista(lista("fmTb8Vinc", "Relação de Tipo de Vínculo Empregatício", "tvTpVinculo",
                            &dmGDVorn->taTpVinc, "CoVinculo", "NoVinculo", 2, "CoVinculo", true),
                      parent)
{
}

TfmTb8Desl::TfmTb8Desl(QWidget *parent)
    : TfmSeletorLista(lista("fmTb8Desl", "Relação dos Tipos de Desligamento", "tvDesligamento", &dmGDVorn->taDesl,
                            "CoCausaDesligamento", "NoCausaDesligamento", 2, "CoCausaDesligamento"),
                      parent)
{
}

TfmTb8Raca::TfmTb8Raca(QWidget *parent)
    : TfmSeletorLista(lista("fmTb8Raca", "Relação de Raça/Cor", "tvRaca", &dmGDVorn->taRaca, "CoRaca", "NoRaca", 2,
                            "CoTipoRaca"),
                      parent)
{
}

TfmTb8Nacio::TfmTb8Nacio(QWidget *parent)
    : TfmSeletorLista(lista("fmTb8Nacio", "Relação de Nacionalidade", "tvNacionalidade",
                            &dmGDVorn->taNacionalidade, "CoNacionalidade", "NoNacionalidade", 2, "CoNacionalidade"),
                      parent)
{
}

void TfmTb8Nacio::mouseDoubleClickEvent(QMouseEvent *event)
{
    TfmSeletorLista::mouseDoubleClickEvent(event);
    Protege([this] { SelecionaCodigo(); });
}

TfmMesesAno::TfmMesesAno(QWidget *parent)
    : TfmSeletorLista(lista("fmMesesAno", "Relação de Meses do Ano", "tvMesesAno", nullptr, "", "", 2, "", true),
                      parent)
{
    resize(263, 208);
    for (const char *mes : {"01 - Janeiro", "02 - Fevereiro", "03 - Março", "04 - Abril", "05 - Maio", "06 - Junho",
                            "07 - Julho", "08 - Agosto", "09 - Setembro", "10 - Outubro", "11 - Novembro",
                            "12 - Dezembro"})
        adicionaEntrada(QString::fromUtf8(mes));
}

void TfmMesesAno::SelecionaCodigo()
{
    QTreeWidgetItem *item = arvore->currentItem();
    if (item && item->isSelected())
        escreve(item->text(0).left(2));
    accept();
}

bool TfmMesesAno::escreve(const QString &codigo)
{
    linhaVinculo()
        .FieldByName(MesAdiantamento ? QStringLiteral("Me13AdiantamentoEmpregado")
                                     : QStringLiteral("Me13ParcelaFinalEmpregado"))
        .setAsString(codigo);
    return true;
}

TfmTb8Afast::TfmTb8Afast(QWidget *parent)
    : TfmSeletorLista(lista("fmTb8Afast", "Relação de Códigos de Afastamento", "TvAfastamento",
                            &dmGDVorn->TaAfastamento, "CoAfastamento", "NoAfastamento", 2, ""),
                      parent)
{
    // An ordinary sizable window, unlike the other pickers.
    setWindowFlags(Qt::Window);
    resize(529, 279);
}

bool TfmTb8Afast::escreve(const QString &codigo)
{
    static const char *const kCampos[] = {"CoMotivoPrimAfas", "CoMotivoSeguAfas", "CoMotivoTercAfas"};
    if (NumeroAfastamento < 1 || NumeroAfastamento > 3)
        return false;
    linhaVinculo().FieldByName(QLatin1String(kCampos[NumeroAfastamento - 1])).setAsString(codigo);
    return true;
}

TfmTb8Deficiente::TfmTb8Deficiente(QWidget *parent)
    : TfmSeletorLista(lista("fmTb8Deficiente", "Relação de Tipos de Deficiência", "tvDeficiente",
                            &dmGDVorn->taDeficiente, "CoTipoDeficiencia", "NoTipoDeficiencia", 1, "CoDeficienteFisico"),
                      parent)
{
}

bool TfmTb8Deficiente::escreve(const QString &codigo)
{
    Field campo = linhaVinculo().FieldByName(QStringLiteral("CoDeficienteFisico"));
    campo.setAsString(codigo);
    Table &tipos = dmGDVorn->taDeficiente;
    if (edTxDeficiente && tipos.FindKey({campo.AsString()}))
        edTxDeficiente->setText(tipos.FieldByName(QStringLiteral("NoTipoDeficiencia")).AsString());
    return true;
}

// ---- tree pickers ----

TfmSeletorArvore::TfmSeletorArvore(const ConfigArvore &config, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowCloseButtonHint), m_config(config)
{
    setObjectName(config.nome);
    setWindowTitle(config.legenda);
    m_nivelFolha = int(config.gruposPorNivel.size());
    ilImagens << style()->standardIcon(QStyle::SP_DirClosedIcon) << style()->standardIcon(QStyle::SP_DirOpenIcon)
              << style()->standardIcon(QStyle::SP_FileIcon);

    arvore = novaArvore(this, config.arvore);
    arvore->setMinimumHeight(185);
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    btnNext = new QPushButton(QStringLiteral("&Próxima"), this);
    btnNext->setObjectName(QStringLiteral("btnNext"));
    btnPrev = new QPushButton(QStringLiteral("&Anterior"), this);
    btnPrev->setObjectName(QStringLiteral("btnPrev"));
    BitBtn3 = new QPushButton(QStringLiteral("Selecionar"), this);
    BitBtn3->setObjectName(QStringLiteral("BitBtn3"));
    for (QPushButton *b : {btnNext, btnPrev, BitBtn3})
        b->setAutoDefault(false);

    auto *busca = new QHBoxLayout;
    auto *rotulo = new QLabel(QStringLiteral("Localizar:"), this);
    rotulo->setBuddy(Edit1);
    busca->addWidget(rotulo);
    busca->addWidget(Edit1, 1);
    busca->addWidget(btnNext);
    busca->addWidget(btnPrev);
    busca->addWidget(BitBtn3);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(arvore, 1);
    layout->addLayout(busca);
    resize(config.tamanho);

    connect(arvore, &QTreeWidget::itemDoubleClicked, this, Protegido([this] { SelecionaCodigo(); }));
    connect(BitBtn3, &QPushButton::clicked, this, Protegido([this] { SelecionaCodigo(); }));
    connect(btnNext, &QPushButton::clicked, this, Protegido([this] { btnNextClick(); }));
    connect(btnPrev, &QPushButton::clicked, this, Protegido([this] { btnPrevClick(); }));
    connect(Edit1, &QLineEdit::returnPressed, this, Protegido([this] { btnNextClick(); }));
    // Groups show the open folder while selected.
    connect(arvore, &QTreeWidget::currentItemChanged, this, [this](QTreeWidgetItem *atual, QTreeWidgetItem *antes) {
        if (antes && nivel(antes) < m_nivelFolha)
            antes->setIcon(0, ilImagens[0]);
        if (atual && nivel(atual) < m_nivelFolha)
            atual->setIcon(0, ilImagens[1]);
    });
    arvore->installEventFilter(this);
}

void TfmSeletorArvore::constroi()
{
    arvore->clear();
    // The latest group of each level: a row's parent is the latest group of the level above.
    QList<QTreeWidgetItem *> ultimos(m_nivelFolha, nullptr);
    percorre(*m_config.fonte, [&](Table &t) {
        const QString codigo = t.FieldByName(m_config.campoCodigo).AsString();
        const QString texto = codigo + kSeparadorCodigo + t.FieldByName(m_config.campoDescricao).AsString();
        int nivel = int(m_config.gruposPorNivel.indexOf(int(codigo.size())));
        const bool grupo = nivel >= 0;
        if (!grupo)
            nivel = m_nivelFolha;
        QTreeWidgetItem *pai = nivel > 0 ? ultimos[nivel - 1] : nullptr;
        auto *item = pai ? new QTreeWidgetItem(pai, QStringList{texto}) : new QTreeWidgetItem(arvore, QStringList{texto});
        item->setIcon(0, grupo ? ilImagens[0] : ilImagens[2]);
        item->setToolTip(0, texto);
        // Where the groups above are missing the entry stands at the root; its level is where it stands.
        item->setData(0, Qt::UserRole, grupo);
        if (grupo) {
            ultimos[nivel] = item;
            for (int i = nivel + 1; i < m_nivelFolha; ++i)
                ultimos[i] = nullptr;
        }
    });
    if (m_config.ordenada)
        arvore->sortItems(0, Qt::AscendingOrder);
}

int TfmSeletorArvore::nivel(const QTreeWidgetItem *item) const
{
    // A leaf is at the leaf level wherever it stands; a group at its depth.
    if (!item->data(0, Qt::UserRole).toBool())
        return m_nivelFolha;
    int n = 0;
    for (const QTreeWidgetItem *p = item->parent(); p; p = p->parent())
        ++n;
    return n;
}

void TfmSeletorArvore::showEvent(QShowEvent *event)
{
    m_selecionou = false;
    QDialog::showEvent(event);
}

void TfmSeletorArvore::SelecionaCodigo()
{
    QTreeWidgetItem *item = arvore->currentItem();
    if (!item || nivel(item) != m_nivelFolha)
        return;
    escreve(item->text(0).left(m_config.caracteres));
    m_selecionou = true;
    accept();
}

bool TfmSeletorArvore::eventFilter(QObject *objeto, QEvent *event)
{
    if (objeto != arvore || event->type() != QEvent::KeyPress)
        return QDialog::eventFilter(objeto, event);
    auto *teclaEvento = static_cast<QKeyEvent *>(event);
    const int tecla = teclaEvento->key();
    const QString texto = teclaEvento->text();
    if (!texto.isEmpty() && texto.at(0).isPrint() && !texto.at(0).isSpace() &&
        !(teclaEvento->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
        // A new search text: typed into the search box, replacing the one searched before.
        Edit1->setFocus(Qt::ShortcutFocusReason);
        Edit1->setText(texto);
        return true;
    }
    if (tecla != Qt::Key_Return && tecla != Qt::Key_Enter)
        return QDialog::eventFilter(objeto, event);
    Protege([this] {
        SelecionaCodigo();
        if (m_config.enter == EnterNaArvore::Seleciona)
            return;
        focusNextChild();
        QTreeWidgetItem *item = arvore->currentItem();
        if (!item)
            return;
        const int n = nivel(item);
        if (n == m_nivelFolha)
            return;
        if (m_config.enter == EnterNaArvore::SelecionaEExpandeNivel && n < m_nivelFolha - 1)
            item->setExpanded(true);
        else
            arvore->expandRecursively(arvore->indexFromItem(item));
    });
    return true;
}

QTreeWidgetItem *TfmSeletorArvore::LocalizaProximo(QTreeWidget *tree, const QString &texto)
{
    if (tree->topLevelItemCount() == 0)
        return nullptr;
    QTreeWidgetItem *atual = tree->currentItem();
    QTreeWidgetItemIterator it = atual ? ++QTreeWidgetItemIterator(atual) : QTreeWidgetItemIterator(tree);
    for (; *it; ++it) {
        if (ContemTextoPesquisa((*it)->text(0), texto)) {
            for (QTreeWidgetItem *p = (*it)->parent(); p; p = p->parent())
                p->setExpanded(true);
            return *it;
        }
    }
    return nullptr;
}

QTreeWidgetItem *TfmSeletorArvore::LocalizaAnterior(QTreeWidget *tree, const QString &texto)
{
    QTreeWidgetItem *atual = tree->currentItem();
    if (tree->topLevelItemCount() == 0 || !atual)
        return nullptr;
    QTreeWidgetItemIterator it(atual);
    for (--it; *it; --it) {
        if (ContemTextoPesquisa((*it)->text(0), texto)) {
            for (QTreeWidgetItem *p = (*it)->parent(); p; p = p->parent())
                p->setExpanded(true);
            return *it;
        }
    }
    return nullptr;
}

void TfmSeletorArvore::pesquisa(bool frente)
{
    if (!Edit1->text().trimmed().isEmpty())
        criticaPesquisa();
    const QString texto = Edit1->text();
    QTreeWidgetItem *achado = frente ? LocalizaProximo(arvore, texto) : LocalizaAnterior(arvore, texto);
    if (!achado) {
        presenter().show(MessageKind::Information,
                         frente ? QStringLiteral("Fim da Pesquisa") : QStringLiteral("Fim da pesquisa"),
                         {MessageButton::Ok});
        return;
    }
    arvore->setFocus();
    arvore->setCurrentItem(achado);
    arvore->scrollToItem(achado);
}

void TfmSeletorArvore::btnNextClick() { pesquisa(true); }
void TfmSeletorArvore::btnPrevClick() { pesquisa(false); }

namespace {

ConfigArvore configArvore(const char *nome, const char *legenda, const char *arvore, Table *fonte,
                          const char *codigo, const char *descricao, QList<int> grupos, int caracteres,
                          EnterNaArvore enter)
{
    ConfigArvore c;
    c.nome = QLatin1String(nome);
    c.legenda = QString::fromUtf8(legenda);
    c.arvore = QLatin1String(arvore);
    c.fonte = fonte;
    c.campoCodigo = QLatin1String(codigo);
    c.campoDescricao = QLatin1String(descricao);
    c.gruposPorNivel = std::move(grupos);
    c.caracteres = caracteres;
    c.enter = enter;
    return c;
}

} // namespace

TfmTb8CBO::TfmTb8CBO(QWidget *parent)
    : TfmSeletorArvore(configArvore("fmTb8CBO", "Relação dos Códigos de Ocupação ( CBO )", "tvCBO", &dmGDVorn->taCBO,
                                    "CoCbo", "NoCbo", {2, 3, 4}, 6, EnterNaArvore::SelecionaEExpandeNivel),
                       parent)
{
    constroi();
}

void TfmTb8CBO::escreve(const QString &codigo)
{
    linhaVinculo().FieldByName(QStringLiteral("CoCbo")).setAsString(codigo);
}

TfmTb8Cnae::TfmTb8Cnae(QWidget *parent)
    : TfmSeletorArvore(configArvore("fmTb8Cnae", "Relação de Atividades Econômicas ( CNAE )", "tvCNAE",
                                    &dmGDVorn->taCNAE, "CoCnae", "NoCnae", {2}, 7, EnterNaArvore::SelecionaEExpande),
                       parent)
{
    m_config.ordenada = true;
    constroi();
}

void TfmTb8Cnae::escreve(const QString &codigo)
{
    linhaEstabelecimento().FieldByName(QStringLiteral("CoCnae2")).setAsString(codigo);
}

TfmTb8NatJu::TfmTb8NatJu(QWidget *parent)
    : TfmSeletorArvore(configArvore("fmTb8NatJu", "Relação de Códigos de Natureza Jurídica", "tvNatJuridica",
                                    &dmGDVorn->taNatJu, "CoNaturezaJuridica", "NoNaturezaJuridica", {1}, 5,
                                    EnterNaArvore::Seleciona),
                       parent)
{
    constroi();
}

void TfmTb8NatJu::escreve(const QString &codigo)
{
    // The 4-character field keeps the code of the 5 characters taken.
    linhaEstabelecimento().FieldByName(QStringLiteral("CoNaturezaJuridica")).setAsString(codigo.trimmed());
}

TfrmT8Munic::TfrmT8Munic(QWidget *parent)
    : TfmSeletorArvore(configArvore("frmT8Munic", "Relação de Unidades da Federação", "tvCodMunicipio",
                                    &dmGDVorn->taMunicipio, "CoMunicipio", "NoMunicipio", {2}, 7,
                                    EnterNaArvore::SelecionaEExpande),
                       parent)
{
    resize(599, 252);
    constroi();
}

void TfrmT8Munic::escreve(const QString &codigo) { MunicipioSelecionado = codigo; }

void TfrmT8Munic::criticaPesquisa() { CriticaEditTexto(Edit1); }

void TfrmT8Munic::SelecionaMunicipio(Field campo)
{
    std::unique_ptr<TfrmT8Munic> proprio;
    TfrmT8Munic *picker = frmT8Munic;
    if (!picker) {
        proprio = std::make_unique<TfrmT8Munic>();
        picker = proprio.get();
    }
    picker->m_selecionou = false;
    ExecutaModal(*picker);
    if (picker->selecionou())
        campo.setAsString(MunicipioSelecionado);
}

std::function<void()> CriaSeletoresIniciais()
{
    fmTb8Cnae = new TfmTb8Cnae;
    frmT8Munic = new TfrmT8Munic;
    return [] {
        delete frmT8Munic;
        frmT8Munic = nullptr;
        delete fmTb8Cnae;
        fmTb8Cnae = nullptr;
    };
}

} // namespace gdvorn
