#include "app/base/Progresso.h"

#include "app/base/Presenter.h"

#include <QCoreApplication>

#include <algorithm>

namespace gdvorn {

namespace {
constexpr qint64 kIntervaloEventosMs = 50;
}

void Progresso::setRange(int minimo, int maximo)
{
    m_min = minimo;
    m_max = std::max(minimo, maximo);
    mostraIntervalo(m_min, m_max);
    const int p = std::clamp(m_pos, m_min, m_max);
    if (p != m_pos) {
        m_pos = p;
        mostraPosicao(m_pos);
    }
}

void Progresso::setPosition(int posicao)
{
    const int p = std::clamp(posicao, m_min, m_max);
    if (p == m_pos)
        return;
    m_pos = p;
    mostraPosicao(m_pos);
}

void Progresso::processaEventos(bool forcar)
{
    if (!forcar && m_relogio.isValid() && m_relogio.elapsed() < kIntervaloEventosMs)
        return;
    executaEventos();
    m_relogio.start();
}

bool Progresso::Interrompido()
{
    processaEventos();
    if (!m_cancelamento)
        return false;
    if (confirmaInterrupcao())
        return true;
    m_cancelamento = false;
    return false;
}

void Progresso::executaEventos() { QCoreApplication::processEvents(); }

// The same question as ConfirmaInterrupcao, asked through the presenter so that the progress interface
// stays below the data modules and the message table.
bool Progresso::confirmaInterrupcao()
{
    return presenter().show(MessageKind::Information, QStringLiteral("Deseja interromper?"),
                            {MessageButton::Yes, MessageButton::No}) == MessageButton::Yes;
}

} // namespace gdvorn
