#pragma once
// The one presenter through which every message box of the program is shown. The program installs a
// presenter of message boxes; tests install a scripted one that records each box and answers from a
// queue. Widget-free code reaches it through presenter().

#include <QList>
#include <QtGlobal>
#include <QString>

namespace gdvorn {

enum class MessageKind { Confirmation, Warning, Information, Error };
enum class MessageButton { None, Ok, Cancel, Yes, No, Abort, Retry, Ignore };

class Presenter {
public:
    virtual ~Presenter() = default;
    // Shows `text` in a box of `kind` with `buttons` (OK alone when empty) and returns the button chosen.
    virtual MessageButton show(MessageKind kind, const QString &text, const QList<MessageButton> &buttons) = 0;
    // The same with a caption of its own (empty: the kind's) and the button that Enter presses (None: the
    // first). By default the caption and the default button are not shown.
    virtual MessageButton show(MessageKind kind, const QString &text, const QList<MessageButton> &buttons,
                               const QString &caption, MessageButton defaultButton)
    {
        Q_UNUSED(caption);
        Q_UNUSED(defaultButton);
        return show(kind, text, buttons);
    }
    // The system's exclamation sound.
    virtual void beep() {}
};

// The program-wide presenter. Without one installed, boxes are written to the standard error and the
// first button is taken.
Presenter &presenter();
// Installs `p` (not owned); nullptr goes back to the default. Returns the one installed before.
Presenter *setPresenter(Presenter *p);

} // namespace gdvorn
