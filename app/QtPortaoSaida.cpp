#include "app/QtPortaoSaida.h"

#include "app/ugExcecao.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMouseEvent>
#include <QTimer>
#include <QWidget>

namespace gdvorn {

namespace {

bool dentro(const QWidget *w, const QWidget *pai) { return w && pai && (w == pai || pai->isAncestorOf(w)); }

} // namespace

PortaoSaida::PortaoSaida(QWidget *container) : QObject(container), m_container(container)
{
    connect(qApp, &QApplication::focusChanged, this, &PortaoSaida::focoMudou);
    qApp->installEventFilter(this);
}

PortaoSaida::~PortaoSaida() { qApp->removeEventFilter(this); }

void PortaoSaida::aoSair(QWidget *campo, std::function<void()> critica, std::function<bool()> condicao)
{
    m_saidas.append({campo, std::move(critica), std::move(condicao)});
}

void PortaoSaida::aoEntrar(QWidget *campo, std::function<void()> acao)
{
    m_entradas.append({campo, std::move(acao), {}});
}

void PortaoSaida::focoMudou(QWidget *antigo, QWidget *novo)
{
    if (!novo || novo->window() != m_container->window() || !m_container->isVisible())
        return; // another window (a message box, a picker) took the focus: nothing was left
    if (m_aoFocar)
        m_aoFocar(novo);
    if (m_emCritica || !antigo)
        return;
    for (const Regra &s : std::as_const(m_saidas)) {
        if (!dentro(antigo, s.campo) || dentro(novo, s.campo))
            continue;
        if (s.condicao && !s.condicao())
            break;
        m_emCritica = true;
        const bool seguiu = Protege(s.acao);
        m_emCritica = false;
        m_recusou = !seguiu;
        if (!seguiu) {
            // Nothing was entered, and the control pressed to leave is not clicked (its press is being
            // delivered now; the block ends with it).
            if (qobject_cast<QAbstractButton *>(novo)) {
                m_cliqueBloqueado = novo;
                QTimer::singleShot(0, this, [this] { m_cliqueBloqueado = nullptr; });
            }
            return;
        }
        break;
    }
    if (QApplication::focusWidget() != novo)
        return; // the check moved the focus on
    for (const Regra &e : std::as_const(m_entradas)) {
        if (!dentro(novo, e.campo) || dentro(antigo, e.campo))
            continue;
        m_emCritica = true;
        Protege(e.acao);
        m_emCritica = false;
        break;
    }
}

bool PortaoSaida::temCritica(const QWidget *campo) const
{
    for (const Regra &s : m_saidas)
        if (dentro(campo, s.campo))
            return true;
    return false;
}

bool PortaoSaida::eventFilter(QObject *objeto, QEvent *event)
{
    if (event->type() == QEvent::Shortcut && !m_emCritica) {
        // A button clicked by its shortcut leaves the field first, so that it acts on the same controls
        // and row as after a mouse click.
        auto *botao = qobject_cast<QAbstractButton *>(objeto);
        QWidget *foco = QApplication::focusWidget();
        if (botao && foco != botao && botao->window() == m_container->window() && dentro(foco, m_container) &&
            temCritica(foco)) {
            m_recusou = false;
            botao->setFocus(Qt::ShortcutFocusReason);
            if (m_recusou)
                return true;
        }
    }
    if (event->type() == QEvent::MouseButtonPress && m_cliqueBloqueado && objeto == m_cliqueBloqueado) {
        m_cliqueBloqueado = nullptr;
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && m_emCritica && objeto->isWidgetType() &&
        static_cast<QWidget *>(objeto)->window() == m_container->window()) {
        // The release of the press that started this check: delivered once the check is over, so that
        // a check that passes does not cost the click.
        QCoreApplication::postEvent(objeto, static_cast<QMouseEvent *>(event)->clone());
        return true;
    }
    return QObject::eventFilter(objeto, event);
}

} // namespace gdvorn
