#include "app/base/Progresso.h"

#include "app/base/Presenter.h"

#include <QCoreApplication>
#include <QEvent>

#include <algorithm>
#include <functional>

namespace gdvorn {

namespace {

constexpr qint64 kIntervaloEventosMs = 50;

int g_execucoes = 0;

bool entradaDoUsuario(QEvent::Type tipo)
{
    switch (tipo) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}

// Keeps input away from the windows behind a long operation for as long as it lives.
class Quietude : public QObject {
public:
    explicit Quietude(std::function<bool(QObject *)> aceita) : m_aceita(std::move(aceita))
    {
        ++g_execucoes;
        if (QCoreApplication *app = QCoreApplication::instance())
            app->installEventFilter(this);
    }
    ~Quietude() override { --g_execucoes; }
    Quietude(const Quietude &) = delete;
    Quietude &operator=(const Quietude &) = delete;

protected:
    bool eventFilter(QObject *receptor, QEvent *evento) override
    {
        if (!entradaDoUsuario(evento->type()) || m_aceita(receptor))
            return false;
        evento->ignore(); // a close request stays refused
        return true;
    }

private:
    std::function<bool(QObject *)> m_aceita;
};

} // namespace

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
    Quietude quieta([this](QObject *r) { return aceitaEntrada(r); });
    executaEventos();
    m_relogio.start();
}

bool Progresso::Interrompido()
{
    processaEventos();
    if (!m_cancelamento)
        return false;
    Quietude quieta([this](QObject *r) { return aceitaEntrada(r); });
    if (confirmaInterrupcao())
        return true;
    m_cancelamento = false;
    return false;
}

void Progresso::executaEventos() { QCoreApplication::processEvents(); }

bool Progresso::aceitaEntrada(QObject *) const { return false; }

bool Progresso::emExecucao() { return g_execucoes > 0; }

// The same question as ConfirmaInterrupcao, asked through the presenter so that the progress interface
// stays below the data modules and the message table.
bool Progresso::confirmaInterrupcao()
{
    return presenter().show(MessageKind::Information, QStringLiteral("Deseja interromper?"),
                            {MessageButton::Yes, MessageButton::No}) == MessageButton::Yes;
}

} // namespace gdvorn
