#include "entry/ufmConEstab.h"

#include "app/QtModal.h"
#include "app/base/Query.h"
#include "app/base/Table.h"
#include "app/udmEntradaDados.h"
#include "app/ugConfiguracao.h"
#include "app/ugExcecao.h"
#include "app/ugHtmlHelpAPI.h"
#include "app/ugMensagens.h"
#include "entry/FormEdits.h"
#include "entry/QtColunaLetras.h"
#include "entry/QtMaiusculas.h"
#include "entry/ufmAssistentesVinculos.h"
#include "entry/ufmExcluir.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTableWidget>
#include <QToolButton>
#include <QValidator>
#include <QVBoxLayout>

namespace gdvorn {

TfmConEstab *fmConEstab = nullptr;

namespace {

enum Coluna { ColInscricao, ColPrefixo, ColRazao, ColCei, ColEmpregados };
enum Papel { PapelAno = Qt::UserRole, PapelInscricao, PapelTipo };

} // namespace

TfmConEstab::TfmConEstab(QWidget *parent) : EntryForm(parent)
{
    setObjectName(QStringLiteral("fmConEstab"));
    setWindowTitle(QStringLiteral("GDVorn - Informações Referentes aos Estabelecimentos"));
    constroi();
}

TfmConEstab::~TfmConEstab()
{
    if (fmConEstab == this)
        fmConEstab = nullptr;
}

void TfmConEstab::constroi()
{
    paAnoBase = new QLabel(this);
    paAnoBase->setObjectName(QStringLiteral("paAnoBase"));
    paAnoBase->setAlignment(Qt::AlignCenter);
    mdInscricao = new MaskEdit(this, QStringLiteral("99999999999999;0;_"));
    mdInscricao->setObjectName(QStringLiteral("mdInscricao"));
    setContextoAjuda(mdInscricao, 28);
    edRazao = new QLineEdit(this);
    edRazao->setObjectName(QStringLiteral("edRazao"));
    edRazao->setValidator(new Maiusculas(edRazao));
    setContextoAjuda(edRazao, 31);

    DBGridEstab = new QTableWidget(0, 5, this);
    DBGridEstab->setObjectName(QStringLiteral("DBGridEstab"));
    DBGridEstab->setHorizontalHeaderLabels({QStringLiteral("CNPJ/CEI"), QStringLiteral("Prefixo"),
                                            QStringLiteral("Razão Social"), QStringLiteral("CEI Vinculado"),
                                            QStringLiteral("Empregados")});
    DBGridEstab->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGridEstab->setSelectionBehavior(QAbstractItemView::SelectRows);
    DBGridEstab->setSelectionMode(QAbstractItemView::SingleSelection);
    DBGridEstab->verticalHeader()->hide();
    // Every column as wide as its widest value; the name takes the rest.
    DBGridEstab->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    DBGridEstab->horizontalHeader()->setSectionResizeMode(ColRazao, QHeaderView::Stretch);
    DBGridEstab->setTabKeyNavigation(false);

    auto *localizar = new QGroupBox(QStringLiteral("Localizar por"), this);
    auto *ll = new QHBoxLayout(localizar);
    ll->addWidget(new QLabel(QStringLiteral("Inscrição CNPJ/CEI"), localizar));
    ll->addWidget(mdInscricao);
    ll->addWidget(new QLabel(QStringLiteral("Razão Social"), localizar));
    ll->addWidget(edRazao, 1);

    auto botao = [&](const char *nome, const QString &legenda, QWidget *pai) {
        auto *b = new QPushButton(legenda, pai);
        b->setObjectName(QLatin1String(nome));
        return b;
    };
    paAbrir = new QWidget(this);
    paAbrir->setObjectName(QStringLiteral("paAbrir"));
    BtExibir = botao("BtExibir", QStringLiteral("&Exibir"), paAbrir);
    BtCancelar = botao("BtCancelar", QStringLiteral("&Retornar"), paAbrir);
    auto *la = new QVBoxLayout(paAbrir);
    la->addWidget(BtExibir);
    la->addWidget(BtCancelar);
    la->addStretch();
    paExcluir = new QWidget(this);
    paExcluir->setObjectName(QStringLiteral("paExcluir"));
    btExcluir = botao("btExcluir", QStringLiteral("&Excluir"), paExcluir);
    btCancExcluir = botao("btCancExcluir", QStringLiteral("&Retornar"), paExcluir);
    auto *le = new QVBoxLayout(paExcluir);
    le->addWidget(btExcluir);
    le->addWidget(btCancExcluir);
    le->addStretch();

    auto *letras = new ColunaLetras(this, [this](const QString &l) { l.isEmpty() ? todos(u'2') : letra(l); });
    SbTodos = letras->SbTodos;

    auto *centro = new QVBoxLayout;
    centro->addWidget(paAnoBase);
    centro->addWidget(localizar);
    centro->addWidget(DBGridEstab, 1);
    auto *layout = new QHBoxLayout(this);
    layout->addWidget(paAbrir);
    layout->addWidget(paExcluir);
    layout->addLayout(centro, 1);
    layout->addWidget(letras);
    resize(780, 500);
    if (screen() && screen()->geometry().width() > 1024)
        resize(850, 550);
    setBotoesSaida({BtCancelar, btCancExcluir});
    const QList<QWidget *> ordem{mdInscricao, edRazao, BtExibir, BtCancelar, btExcluir, btCancExcluir, DBGridEstab};
    for (qsizetype i = 1; i < ordem.size(); ++i)
        setTabOrder(ordem[i - 1], ordem[i]);

    connect(mdInscricao, &QLineEdit::textChanged, this, Protegido([this] { pMontaQuery(); }));
    connect(edRazao, &QLineEdit::textChanged, this, Protegido([this] { pMontaQuery(); }));
    aoSair(mdInscricao, [this] {
        if (focoNaSaida())
            return;
        pMontaQuery();
        pSetaFoco(u'2');
    });
    aoSair(edRazao, [this] {
        if (focoNaSaida())
            return;
        if (!edRazao->text().trimmed().isEmpty())
            SbTodos->setChecked(true);
        pMontaQuery();
        pSetaFoco(u'3');
    });
    connect(BtExibir, &QPushButton::clicked, this, Protegido([this] { BtExibirClick(); }));
    connect(btExcluir, &QPushButton::clicked, this, Protegido([this] { btExcluirClick(); }));
    connect(BtCancelar, &QPushButton::clicked, this, [this] { reject(); });
    connect(btCancExcluir, &QPushButton::clicked, this, [this] { reject(); });
    connect(DBGridEstab, &QTableWidget::cellDoubleClicked, this, Protegido([this] {
                ModoExclusao ? btExcluirClick() : BtExibirClick();
            }));
}

bool TfmConEstab::focoNaSaida() const
{
    QCoreApplication::processEvents();
    const QWidget *w = QApplication::focusWidget();
    return w == BtCancelar || w == btCancExcluir || w == DBGridEstab;
}

void TfmConEstab::leConsulta(Query &q)
{
    DBGridEstab->setRowCount(0);
    int linha = 0;
    for (; !q.Eof(); q.Next()) {
        const QString inscricao = q.FieldByName(QStringLiteral("coCgcCeiEstabelecimento")).AsString();
        const QString tipo = q.FieldByName(QStringLiteral("InInscrEstabelecimento")).AsString();
        DBGridEstab->insertRow(linha);
        auto *item = new QTableWidgetItem(InscricaoMostradaEstab(inscricao, tipo));
        item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        item->setData(PapelAno, q.FieldByName(QStringLiteral("anbase")).AsString());
        item->setData(PapelInscricao, inscricao);
        item->setData(PapelTipo, tipo);
        DBGridEstab->setItem(linha, ColInscricao, item);
        auto *prefixo = new QTableWidgetItem(q.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString());
        prefixo->setTextAlignment(Qt::AlignCenter);
        DBGridEstab->setItem(linha, ColPrefixo, prefixo);
        DBGridEstab->setItem(linha, ColRazao,
                             new QTableWidgetItem(q.FieldByName(QStringLiteral("NoRazaoEstabelecimento")).AsString()));
        DBGridEstab->setItem(linha, ColCei, new QTableWidgetItem(CeiVinculadoMostradoEstab(
                                                 q.FieldByName(QStringLiteral("CoCgcVinculado")).AsString())));
        // The count is stored zero-padded ("000001"): shown as a number.
        const QString vinculos = q.FieldByName(QStringLiteral("NuVinculosEstabelecimento")).AsString().trimmed();
        auto *empregados = new QTableWidgetItem(vinculos.isEmpty() ? QString() : QString::number(vinculos.toInt()));
        empregados->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        DBGridEstab->setItem(linha, ColEmpregados, empregados);
        ++linha;
    }
    q.Close();
    if (linha > 0)
        DBGridEstab->setCurrentCell(0, 0);
}

void TfmConEstab::ListaCompleta()
{
    SbTodos->setChecked(true);
    const int ano = Configuracao().AnoBase + (ListaAnoBase ? 0 : 1);
    paAnoBase->setText(QStringLiteral("Declaração Ano-Base %1").arg(Configuracao().AnoBase));
    Query q;
    ListaAnoEstab(q, QString::number(ano));
    if (q.IsEmpty())
        ListaAnoEstab(q, QString::number(Configuracao().AnoBase));
    if (q.IsEmpty()) {
        q.Close();
        DBGridEstab->setRowCount(0);
        // Closed once the showing has finished.
        QMetaObject::invokeMethod(this, [this] { reject(); }, Qt::QueuedConnection);
        return;
    }
    leConsulta(q);
}

void TfmConEstab::pMontaQuery()
{
    if (m_montando)
        return;
    m_filtro.inscricao = mdInscricao->textoArmazenado();
    m_filtro.razao = edRazao->text();
    ListaAnoBase = true;
    Query q;
    MontaQueryEstab(q, QString::number(Configuracao().AnoBase), m_filtro);
    leConsulta(q);
}

void TfmConEstab::pSetaFoco(QChar c)
{
    if (c == u'1') {
        mdInscricao->setFocus();
        return;
    }
    if (c == u'2' && mdInscricao->textoArmazenado().trimmed().isEmpty()) {
        edRazao->setFocus();
        return;
    }
    const int linhas = DBGridEstab->rowCount();
    if (linhas == 1)
        (ModoExclusao ? btExcluir : BtExibir)->setFocus();
    else if (linhas > 1)
        DBGridEstab->setFocus();
    else if (!ModoExclusao)
        BtExibir->setFocus();
}

void TfmConEstab::letra(const QString &letras)
{
    m_montando = true;
    mdInscricao->clear();
    edRazao->clear();
    m_montando = false;
    m_filtro.letra1 = letras.left(1);
    m_filtro.letra2 = letras.mid(1, 1);
    pMontaQuery();
    pSetaFoco(u'3');
}

void TfmConEstab::todos(QChar foco)
{
    m_montando = true;
    mdInscricao->clear();
    edRazao->clear();
    m_montando = false;
    m_filtro = {};
    SbTodos->setChecked(true);
    pMontaQuery();
    pSetaFoco(foco);
}

void TfmConEstab::showEvent(QShowEvent *event)
{
    EntryForm::showEvent(event);
    paExcluir->setVisible(ModoExclusao);
    paAbrir->setVisible(!ModoExclusao);
    setBotaoCancelar(ModoExclusao ? btCancExcluir : BtCancelar);
    m_montando = true;
    mdInscricao->clear();
    edRazao->clear();
    m_montando = false;
    m_filtro = {};
    Protege([this] { ListaCompleta(); });
    mdInscricao->setFocus();
}

void TfmConEstab::apresenta()
{
    Protege([this] { ListaCompleta(); });
    pSetaFoco(u'1');
}

bool TfmConEstab::linha(ChaveEstabelecimento &chave, QString &tipo) const
{
    const int l = DBGridEstab->currentRow();
    if (l < 0 || !DBGridEstab->item(l, ColInscricao))
        return false;
    const QTableWidgetItem *item = DBGridEstab->item(l, ColInscricao);
    chave = {item->data(PapelAno).toString(), item->data(PapelInscricao).toString(),
             DBGridEstab->item(l, ColPrefixo)->text()};
    tipo = item->data(PapelTipo).toString();
    return !chave.Inscricao.trimmed().isEmpty();
}

void TfmConEstab::BtExibirClick()
{
    ChaveEstabelecimento chave;
    QString tipo;
    if (!linha(chave, tipo)) {
        MostraMensagem(QStringLiteral("1301"));
        todos(u'2');
        return;
    }
    QString tipoNovo;
    AcaoAbrir acao = DecideAbertura(chave.Inscricao, tipo, tipoNovo);
    if (acao == AcaoAbrir::Escolhe)
        acao = DecideEscolha(EscolheTipoInscricao ? EscolheTipoInscricao() : QString(), tipoNovo);
    if (acao == AcaoAbrir::Invalida) {
        MostraMensagem(QStringLiteral("1002"));
        return;
    }
    if (!tipoNovo.isEmpty())
        CorrigeTipoInscricao(chave, tipoNovo);
    if (!PrefixoAceito(chave.Prefixo)) {
        MostraMensagem(QStringLiteral("1052"));
        return;
    }
    if (AbreEstabelecimento) {
        // Hidden while the establishment form (and what it opens) is on screen.
        OcultaEnquanto oculta(*this);
        AbreEstabelecimento(chave);
    }
    apresenta();
}

void TfmConEstab::btExcluirClick()
{
    ChaveEstabelecimento chave;
    QString tipo;
    if (!linha(chave, tipo)) {
        // A row stored with a blank inscription can still be deleted.
        Table empresa(QStringLiteral("bd8emp"));
        empresa.Open();
        const QString ano = QString::number(Configuracao().AnoBase);
        if (!empresa.FindKey({ano, QString()})) {
            MostraMensagem(QStringLiteral("1301"));
            return;
        }
        chave = {ano, QString(), empresa.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString()};
    }
    if (!fmExcluir)
        return;
    fmExcluir->AnoExclusao = chave.AnBase;
    fmExcluir->InscricaoExclusao = chave.Inscricao;
    fmExcluir->PrefixoExclusao = chave.Prefixo;
    AvisaOperacaoAberta(chave.AnBase, chave.Inscricao, chave.Prefixo);
    {
        OcultaEnquanto oculta(*this);
        ExecutaModal(*fmExcluir);
    }
    apresenta();
}

bool TfmConEstab::eventFilter(QObject *objeto, QEvent *event)
{
    if (event->type() == QEvent::KeyPress && objeto == DBGridEstab) {
        auto *k = static_cast<QKeyEvent *>(event);
        if (k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter) {
            Protege([this] { ModoExclusao ? btExcluirClick() : BtExibirClick(); });
            return true;
        }
    }
    if (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) {
        auto *k = static_cast<QKeyEvent *>(event);
        if (k->modifiers() == Qt::AltModifier
            && (k->key() == Qt::Key_F3 || k->key() == Qt::Key_F4 || k->key() == Qt::Key_F5)
            && isVisible() && (objeto == this || (objeto->isWidgetType() && isAncestorOf(static_cast<QWidget *>(objeto))))) {
            // The bulk wizards' keys, taken before any control (or the desktop's Alt+F4) sees them.
            event->accept();
            if (event->type() == QEvent::KeyPress)
                abreAssistente(k->key());
            return true;
        }
    }
    return EntryForm::eventFilter(objeto, event);
}

void TfmConEstab::keyPressEvent(QKeyEvent *event)
{
    if (event->modifiers() == Qt::AltModifier
        && (event->key() == Qt::Key_F3 || event->key() == Qt::Key_F4 || event->key() == Qt::Key_F5)) {
        event->accept();
        abreAssistente(event->key());
        return;
    }
    EntryForm::keyPressEvent(event);
}

void TfmConEstab::abreAssistente(int tecla)
{
    // Opened once the key's own handling is over, so that the wizard's window becomes the active one.
    QMetaObject::invokeMethod(this, [this, tecla] { Protege([this, tecla] { executaAssistente(tecla); }); },
                              Qt::QueuedConnection);
}

void TfmConEstab::executaAssistente(int tecla)
{
    const AssistenteVinculos qual = tecla == Qt::Key_F3   ? AssistenteVinculos::Transferencia
                                    : tecla == Qt::Key_F4 ? AssistenteVinculos::Exclusao
                                                          : AssistenteVinculos::CodigoVinculo;
    // The list hides while the wizard runs and then closes: the establishments may have changed.
    std::unique_ptr<TfmAssistente> assistente = CriaAssistenteVinculos(qual, this, EscolheTipoInscricao);
    assistente->inicia();
    OcultaJanela(*this);
    ExecutaModal(*assistente);
    assistente.reset();
    QDialog::done(QDialog::Rejected);
}

void TfmConEstab::contextMenuEvent(QContextMenuEvent *event)
{
    // The bulk wizards from the menu too, for desktops that keep Alt+F4 (or the others) for themselves.
    QMenu menu(this);
    const struct {
        const char *nome;
        const char *texto;
        int tecla;
    } itens[] = {{"acTransferir", "Transferir empregados para outra inscrição...\tAlt+F3", Qt::Key_F3},
                 {"acExcluirMultiplos", "Excluir múltiplos empregados/servidores...\tAlt+F4", Qt::Key_F4},
                 {"acAlterarVinculo", "Alterar código de vínculo de todos os empregados/servidores...\tAlt+F5",
                  Qt::Key_F5}};
    for (const auto &item : itens) {
        QAction *acao = menu.addAction(QString::fromUtf8(item.texto));
        acao->setObjectName(QLatin1String(item.nome));
        const int tecla = item.tecla;
        connect(acao, &QAction::triggered, this, [this, tecla] { abreAssistente(tecla); });
    }
    if (MostraMenu)
        MostraMenu(menu, event->globalPos());
    else
        menu.exec(event->globalPos());
}

} // namespace gdvorn
