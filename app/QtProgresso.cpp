#include "app/QtProgresso.h"

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
