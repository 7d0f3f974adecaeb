#pragma once
// The exit gate of a container's fields, one for the entry forms and the wizard pages: a check registered
// for a field (for a group: the whole group) runs when the focus leaves it for another control of the
// same window, and an entry action runs when the focus comes into a field from outside.
//
// A check stops with the silent abort (or any exception) to refuse the exit: the gate then leaves the
// focus where the check put it, runs no entry action, and a click whose press took the focus from the
// field is swallowed (the button is not clicked, the tab not switched). A check that passes lets the
// click through: a mouse release that arrives while a check runs (a check that lets events run, or a
// message box it shows) is delivered again once the check is over, so the press and its release still
// make one click. Focus moves made while a check or an entry action runs start no other check.
//
// A button of the window pressed by its shortcut (Alt+O) while the focus is in a field with a check takes
// the focus first, as a mouse press would: the field's check (and every step it runs) is over before the
// button's action reads the controls, and a check that refuses the exit swallows the shortcut.

#include <QObject>
#include <QPointer>

#include <functional>

class QWidget;

namespace gdvorn {

class PortaoSaida : public QObject {
    Q_OBJECT
public:
    // The gate of `container`'s fields, owned by it.
    explicit PortaoSaida(QWidget *container);
    ~PortaoSaida() override;

    // The check of `campo` on exit. A `condicao` given is asked first (with the focus already on the
    // control entered); false skips the check.
    void aoSair(QWidget *campo, std::function<void()> critica, std::function<bool()> condicao = {});
    // Runs `acao` when the focus enters `campo` (for a group: enters it from outside) from another control
    // of the window; it may stop with the silent abort after moving the focus.
    void aoEntrar(QWidget *campo, std::function<void()> acao);
    // Told of every control of the window that takes the focus, before any check.
    void aoFocar(std::function<void(QWidget *)> aviso) { m_aoFocar = std::move(aviso); }

    // True while a check or an entry action runs; set it around code that moves the focus without checks.
    bool &emCritica() { return m_emCritica; }

protected:
    bool eventFilter(QObject *objeto, QEvent *event) override;

private:
    struct Regra {
        QPointer<QWidget> campo;
        std::function<void()> acao;
        std::function<bool()> condicao;
    };
    void focoMudou(QWidget *antigo, QWidget *novo);
    bool temCritica(const QWidget *campo) const;

    QWidget *m_container;
    QList<Regra> m_saidas;
    QList<Regra> m_entradas;
    std::function<void(QWidget *)> m_aoFocar;
    QPointer<QWidget> m_cliqueBloqueado; // the control whose press started a focus change that a check refused
    bool m_emCritica = false;
    bool m_recusou = false; // the last check run refused the exit
};

} // namespace gdvorn
