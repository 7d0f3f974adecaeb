#pragma once
// The frame of every entry form: keys, help, the exit gate of the fields and the tab guard.
//
// Keys (the form sees them before its controls): Enter moves the focus to the next control as Tab does
// (a focused button is pressed instead); Esc presses the cancel button; F1 shows the help topic of the
// focused control (ugHtmlHelpAPI; the contents when it has none). The help button shows the topic of
// ControleAtual, the control entered last; with none it says how to ask for a field's help.
//
// Exit gate (PortaoSaida, shared with the wizard pages): a check registered with aoSair runs when the focus leaves its control (for a group: leaves
// the group) for another control of the form, unless the focus went to one of the exit buttons (cancel,
// help and those named with setBotoesSaida): leaving to Cancel runs no check. A check that fails calls
// falha(): the code is shown through MostraMensagem, the field's tab becomes the current one, the next
// tab switch is refused once (TrocaAbaPermitida), the focus goes back to the field, and the check stops
// with the silent abort; the click that left the field is then swallowed, while a click that leaves a field
// whose check passes goes through. Focus moves made by a running check start no other check.
//
// Tab guard (EntryTabWidget): before a switch of tab asked by the user, the tab bar takes the focus, so
// that the exit check of the control left runs; the switch is then allowed only when TrocaAbaPermitida
// is true, and TrocaAbaPermitida becomes true again either way.

#include "app/base/Presenter.h"

#include <QDialog>
#include <QPointer>
#include <QTabBar>
#include <QTabWidget>

#include <functional>

class QAbstractButton;

namespace gdvorn {
class PortaoSaida;
}

namespace gdvorn {

class EntryTabWidget : public QTabWidget {
    Q_OBJECT
public:
    explicit EntryTabWidget(QWidget *parent = nullptr);
    // Asked before every switch the user starts (mouse, keys); true lets it happen.
    void setGuarda(std::function<bool()> guarda) { m_guarda = std::move(guarda); }
    bool permiteTroca();

protected:
    void keyPressEvent(QKeyEvent *event) override; // Ctrl+Tab, Ctrl+PgUp/PgDown

private:
    std::function<bool()> m_guarda;
};

class EntryForm : public QDialog {
    Q_OBJECT
public:
    explicit EntryForm(QWidget *parent = nullptr);
    ~EntryForm() override;

    // The exit buttons: focus on them runs no check. The cancel button also answers Esc, the help button
    // shows ControleAtual's topic.
    void setBotaoCancelar(QAbstractButton *botao);
    void setBotaoAjuda(QAbstractButton *botao);
    void setBotoesSaida(const QList<QAbstractButton *> &botoes);

    // The check of `campo` on exit. With `comPortao` it runs only when PodeCriticar; a `condicao` given
    // is asked next (with the focus already on the control entered) and false skips the check.
    void aoSair(QWidget *campo, std::function<void()> critica, bool comPortao = true,
                std::function<bool()> condicao = {});
    // Entering `controle` leaves ControleAtual as it was (the help button then refers to the control
    // entered before it).
    void naoRegistraComoAtual(QWidget *controle) { m_semRegistro << controle; }
    // Runs `acao` when the focus enters `campo` (for a group: enters it from outside) from another control
    // of the form; it may stop with the silent abort after moving the focus.
    void aoEntrar(QWidget *campo, std::function<void()> acao);
    // Guards the tab switches of `abas`.
    void protegeAbas(EntryTabWidget *abas);

    // The focus is not on an exit button.
    bool PodeCriticar() const;
    // The focus is not on a tab bar (the user did not click a tab).
    bool FocoForaDasAbas() const;
    // A forward-only condition over a tab's sequence of controls: `predecessores` pairs each control's
    // object name with the name of the control it must be reached from. False when the focus is on a tab
    // bar or on `primeiro`; when the focus is on a control of the sequence, true only when `deixado` is
    // its predecessor; true anywhere else (another tab, a button).
    bool Avancou(const QString &primeiro, const QList<QPair<QString, QString>> &predecessores,
                 const QString &deixado) const;

    // A failing check: shows `codigo`, brings the tab of `foco` forward, refuses the next tab switch when
    // `bloqueiaAba`, focuses `foco` and stops with the silent abort.
    [[noreturn]] void falha(const QString &codigo, QWidget *foco, bool bloqueiaAba = true);
    // The same with a text of the form's own, in a box of `tipo`, in place of a message code.
    [[noreturn]] void falha(MessageKind tipo, const QString &texto, QWidget *foco, bool bloqueiaAba = true);
    // Makes the tab that holds `controle` the current one (no guard).
    void mostraAba(QWidget *controle);

    bool TrocaAbaPermitida = true;
    QWidget *ControleAtual() const { return m_controleAtual; }

    // Enter as the form handles it: the next control in tab order.
    void proximoControle();

    PortaoSaida &Portao() const { return *m_portao; }

protected:
    bool eventFilter(QObject *objeto, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void closeEvent(QCloseEvent *event) override; // a close request acts as Esc

private:
    [[noreturn]] void recusa(QWidget *foco, bool bloqueiaAba);
    bool ehBotaoSaida(const QWidget *w) const;
    void ajudaDoBotao();

    PortaoSaida *m_portao = nullptr;
    QPointer<QAbstractButton> m_cancelar;
    QPointer<QAbstractButton> m_ajuda;
    QList<QPointer<QAbstractButton>> m_saidas;
    QPointer<QWidget> m_controleAtual;
    QList<QPointer<QWidget>> m_semRegistro;
    bool m_previa = false;
};

} // namespace gdvorn
