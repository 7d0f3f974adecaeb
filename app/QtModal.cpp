#include "app/QtModal.h"

#include "app/QtAplicacao.h"

#include <QDialog>
#include <QWindow>

namespace gdvorn {

namespace {
std::function<int(QDialog &)> g_executor;
}

int ExecutaModal(QDialog &janela)
{
    // The program is ending: no window may wait for a user who asked to end it.
    if (TerminoPedido())
        return QDialog::Rejected;
    if (g_executor)
        return g_executor(janela);
    return janela.exec();
}

std::function<int(QDialog &)> setExecutorModal(std::function<int(QDialog &)> executor)
{
    auto anterior = std::move(g_executor);
    g_executor = std::move(executor);
    return anterior;
}

void OcultaJanela(QWidget &janela)
{
    if (janela.isVisible() && janela.windowHandle())
        janela.windowHandle()->hide();
}

OcultaEnquanto::OcultaEnquanto(QWidget &janela) : m_janela(&janela) { OcultaJanela(janela); }

OcultaEnquanto::~OcultaEnquanto()
{
    // A window closed meanwhile was hidden through QWidget::hide, which marks it hidden.
    QWidget *janela = m_janela;
    if (!m_volta || !janela || janela->isHidden() || janela->isVisible() || !janela->windowHandle())
        return;
    janela->windowHandle()->show();
    janela->raise();
    janela->activateWindow();
}

} // namespace gdvorn
