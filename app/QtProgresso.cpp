#include "app/QtProgresso.h"

#include <QAction>
#include <QApplication>
#include <QWindow>

namespace gdvorn {

QtProgresso::QtProgresso(QProgressBar *barra) : m_barra(barra)
{
    mostraIntervalo(minimum(), maximum());
    mostraPosicao(position());
}

void QtProgresso::mostraIntervalo(int minimo, int maximo)
{
    if (!m_barra)
        return;
    m_barra->setRange(minimo, maximo);
}

void QtProgresso::mostraPosicao(int posicao)
{
    if (m_barra)
        m_barra->setValue(posicao);
}

} // namespace gdvorn

namespace gdvorn {

bool QtProgresso::aceitaEntrada(QObject *receptor) const
{
    if (!m_barra)
        return false;
    QWidget *janela = nullptr;
    if (auto *w = qobject_cast<QWidget *>(receptor))
        janela = w->window();
    else if (auto *a = qobject_cast<QAction *>(receptor); a && a->parent() && a->parent()->isWidgetType())
        janela = static_cast<QWidget *>(a->parent())->window();
    else if (auto *win = qobject_cast<QWindow *>(receptor))
        return win == m_barra->window()->windowHandle() ||
               (QApplication::activeModalWidget() && win == QApplication::activeModalWidget()->windowHandle());
    if (!janela)
        return false;
    return janela == m_barra->window() || janela == QApplication::activeModalWidget();
}

} // namespace gdvorn
