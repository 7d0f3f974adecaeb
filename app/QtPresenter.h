#pragma once
// The presenter of the running program: a QMessageBox with the program's Portuguese captions and buttons,
// never narrower than its title needs (the window manager would cut a title wider than the box).

#include "app/base/Presenter.h"

class QString;
class QWidget;

namespace gdvorn {

class QtPresenter : public Presenter {
public:
    MessageButton show(MessageKind kind, const QString &text, const QList<MessageButton> &buttons) override;
    MessageButton show(MessageKind kind, const QString &text, const QList<MessageButton> &buttons,
                       const QString &caption, MessageButton defaultButton) override;
    void beep() override;

    // The program is ending (a request from outside): every box on screen is answered with its escape
    // answer (Cancel, else No, else its only button). Once TerminoPedido() holds, so is every later box,
    // without being shown.
    static void Encerra();
};

// The width a window needs to show `titulo` whole in its title bar: the text, the window manager's icon
// and buttons.
int LarguraParaTitulo(const QWidget &janela, const QString &titulo);


} // namespace gdvorn
