#pragma once
// The presenter of the running program: a QMessageBox with the program's Portuguese captions and buttons.

#include "app/base/Presenter.h"

namespace gdvorn {

class QtPresenter : public Presenter {
public:
    MessageButton show(MessageKind kind, const QString &text, const QList<MessageButton> &buttons) override;
    MessageButton show(MessageKind kind, const QString &text, const QList<MessageButton> &buttons,
                       const QString &caption, MessageButton defaultButton) override;
    void beep() override;
};

} // namespace gdvorn
