#include "app/QtAjuda.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QShortcut>
#include <QStyle>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace gdvorn {

TfmAjuda::TfmAjuda(QWidget *parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("fmAjuda"));
    setWindowTitle(QStringLiteral("Ajuda do GDVORN"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    auto *barra = new QToolBar(this);
    barra->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    layout->addWidget(barra);
    Navegador = new QTextBrowser(this);
    Navegador->setObjectName(QStringLiteral("Navegador"));
    Navegador->setOpenExternalLinks(true);
    layout->addWidget(Navegador);

    QAction *voltar = barra->addAction(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("&Voltar"));
    voltar->setObjectName(QStringLiteral("acVoltar"));
    voltar->setShortcut(QKeySequence::Back);
    voltar->setEnabled(false);
    QAction *avancar = barra->addAction(style()->standardIcon(QStyle::SP_ArrowForward), QStringLiteral("&Avançar"));
    avancar->setObjectName(QStringLiteral("acAvancar"));
    avancar->setShortcut(QKeySequence::Forward);
    avancar->setEnabled(false);
    QAction *conteudo = barra->addAction(style()->standardIcon(QStyle::SP_DirHomeIcon), QStringLiteral("&Conteúdo"));
    conteudo->setObjectName(QStringLiteral("acConteudo"));
    connect(voltar, &QAction::triggered, Navegador, &QTextBrowser::backward);
    connect(avancar, &QAction::triggered, Navegador, &QTextBrowser::forward);
    connect(conteudo, &QAction::triggered, this,
            [this] { mostra(PastaAjuda() + QStringLiteral("index.html"), QString()); });
    connect(Navegador, &QTextBrowser::backwardAvailable, voltar, &QAction::setEnabled);
    connect(Navegador, &QTextBrowser::forwardAvailable, avancar, &QAction::setEnabled);
    // Esc closes it, as it closes the program's other windows.
    auto *fechar = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(fechar, &QShortcut::activated, this, &QWidget::close);
    resize(720, 560);
}

void TfmAjuda::mostra(const QString &arquivo, const QString &ancora)
{
    QUrl url = QUrl::fromLocalFile(arquivo);
    if (!ancora.isEmpty())
        url.setFragment(ancora);
    Navegador->setSource(url);
}

VisorAjudaQt::~VisorAjudaQt() { delete m_janela; }

void VisorAjudaQt::muda(QWidget *dono)
{
    if (m_janela->parentWidget())
        m_janela->parentWidget()->removeEventFilter(this);
    const bool aberta = !m_janela->isHidden();
    const QRect geometria = m_janela->geometry();
    m_janela->setParent(dono, Qt::Window);
    if (aberta)
        m_janela->setGeometry(geometria); // where the user left it
    if (dono)
        dono->installEventFilter(this);
    if (aberta)
        m_janela->show();
}

bool VisorAjudaQt::eventFilter(QObject *objeto, QEvent *evento)
{
    // The form is closing (and may be freed right after): the help window must not go with it.
    if (evento->type() == QEvent::Hide && m_janela && objeto == m_janela->parentWidget())
        muda(nullptr);
    return false;
}

void VisorAjudaQt::mostra(const QString &arquivo, const QString &ancora)
{
    if (!m_janela)
        m_janela = new TfmAjuda;
    QWidget *modal = QApplication::activeModalWidget();
    if (modal == m_janela)
        modal = nullptr;
    if (m_janela->parentWidget() != modal)
        muda(modal);
    m_janela->mostra(arquivo, ancora);
    m_janela->show();
    m_janela->raise();
    m_janela->activateWindow();
}

} // namespace gdvorn
