#include "app/ufmAssistente.h"

#include "app/QtPortaoSaida.h"
#include "app/ugExcecao.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QStackedWidget>
#include <QStyledItemDelegate>
#include <QVBoxLayout>

#include <algorithm>

static void iniciaRecursos() { Q_INIT_RESOURCE(gdvorn_recursos); }

namespace gdvorn {

namespace {

// Draws the items of a check list and never toggles one itself (the list does, once per click or key),
// whatever flags the filler gave the items. Rows are as tall as the font's accented capitals.
class DelegadoMarcado : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    bool editorEvent(QEvent *, QAbstractItemModel *, const QStyleOptionViewItem &, const QModelIndex &) override
    {
        return false;
    }

    QSize sizeHint(const QStyleOptionViewItem &opcao, const QModelIndex &indice) const override
    {
        QSize tamanho = QStyledItemDelegate::sizeHint(opcao, indice);
        const QFontMetrics medidas(opcao.font);
        // Capitals with accents reach above the font's ascent in some fonts.
        const int acentos = medidas.boundingRect(QStringLiteral("ÁÉÍÓÚÂÊÔÃÕÇÀÜ")).height();
        tamanho.setHeight(std::max({tamanho.height(), medidas.lineSpacing(), acentos}) + 4);
        return tamanho;
    }
};

} // namespace

TPaginaAssistente::TPaginaAssistente(const char *nomeObjeto, QWidget *parent) : QWidget(parent)
{
    setObjectName(QLatin1String(nomeObjeto));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Corpo = new QVBoxLayout;
    layout->addLayout(Corpo, 1);
    m_botoes = new QHBoxLayout;
    m_botoes->addStretch();
    layout->addLayout(m_botoes);
}

void TPaginaAssistente::aoCancelar()
{
    if (m_assistente)
        m_assistente->fecha();
}

PortaoSaida &TPaginaAssistente::Portao()
{
    if (!m_portao)
        m_portao = new PortaoSaida(this);
    return *m_portao;
}

QPushButton *TPaginaAssistente::criaBotao(const char *nome, const QString &legenda, std::function<void()> acao)
{
    auto *b = new QPushButton(legenda, this);
    b->setObjectName(QLatin1String(nome));
    b->setAutoDefault(false);
    connect(b, &QPushButton::clicked, this, [acao = std::move(acao)] { Protege(acao); });
    m_botoes->addWidget(b);
    return b;
}

TfmAssistente::TfmAssistente(const QString &legenda, QWidget *parent) : QDialog(parent)
{
    iniciaRecursos();
    setWindowTitle(legenda);
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    auto *layout = new QHBoxLayout(this);
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap(QStringLiteral(":/DEF")));
    Image1->setAlignment(Qt::AlignTop);
    Image1->setFrameShape(QFrame::Panel);
    Image1->setFrameShadow(QFrame::Sunken);
    layout->addWidget(Image1);
    m_paginas = new QStackedWidget(this);
    layout->addWidget(m_paginas, 1);
    resize(760, 420);
}

void TfmAssistente::adiciona(TPaginaAssistente *pagina)
{
    pagina->m_assistente = this;
    m_todas << pagina;
    m_paginas->addWidget(pagina);
}

void TfmAssistente::inicia()
{
    if (!m_todas.isEmpty())
        mostra(m_todas.first());
}

int TfmAssistente::executa()
{
    inicia();
    return exec();
}

void TfmAssistente::mostra(TPaginaAssistente *pagina)
{
    m_paginas->setCurrentWidget(pagina);
    Protege([pagina] { pagina->aoMostrar(); });
}

TPaginaAssistente *TfmAssistente::PaginaAtual() const
{
    return qobject_cast<TPaginaAssistente *>(m_paginas->currentWidget());
}

void TfmAssistente::fecha() { QDialog::reject(); }

void TfmAssistente::reject()
{
    if (TPaginaAssistente *p = PaginaAtual())
        Protege([p] { p->aoCancelar(); });
    else
        fecha();
}

TListaMarcada::TListaMarcada(QWidget *parent) : QListWidget(parent)
{
    // The items' boxes are drawn but not toggled by the view itself: every toggle comes from here, once
    // per click, whether on the box or on the text.
    connect(model(), &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int primeiro, int ultimo) {
        for (int i = primeiro; i <= ultimo; ++i)
            if (QListWidgetItem *it = item(i))
                it->setFlags(it->flags() & ~Qt::ItemIsUserCheckable);
    });
    connect(this, &QListWidget::itemClicked, this, &TListaMarcada::alterna);
    setItemDelegate(new DelegadoMarcado(this));
    setUniformItemSizes(true);
}

void TListaMarcada::changeEvent(QEvent *event)
{
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        doItemsLayout();
}

void TListaMarcada::alterna(QListWidgetItem *it)
{
    if (it)
        it->setCheckState(it->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

void TListaMarcada::marcaTodos(bool marcado)
{
    for (int i = 0; i < count(); ++i)
        item(i)->setCheckState(marcado ? Qt::Checked : Qt::Unchecked);
}

int TListaMarcada::marcados() const
{
    int n = 0;
    for (int i = 0; i < count(); ++i)
        n += item(i)->checkState() == Qt::Checked ? 1 : 0;
    return n;
}

void TListaMarcada::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight, const QList<int> &roles)
{
    if (viewMode() == ListMode && roles == QList<int>{Qt::CheckStateRole}) {
        QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
        return;
    }
    QListWidget::dataChanged(topLeft, bottomRight, roles);
}

void TListaMarcada::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter || event->key() == Qt::Key_Space) {
        alterna(currentItem());
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
}

QLabel *TextoAssistente(QWidget *pai, const char *nome, const QString &texto)
{
    auto *l = new QLabel(texto, pai);
    l->setObjectName(QLatin1String(nome));
    l->setWordWrap(true);
    return l;
}

} // namespace gdvorn
