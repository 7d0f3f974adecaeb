#pragma once
// The presenter of the tests: records every box (kind and text) and answers from a queue; with the queue
// empty it takes the first button offered. Installed for its lifetime.

#include "app/base/Presenter.h"

#include <QList>
#include <QQueue>
#include <QStringList>

namespace gdvorn::test {

struct ShownBox {
    MessageKind kind;
    QString text;
    QList<MessageButton> buttons;
    QString caption;                             // empty: the kind's own
    MessageButton defaultButton = MessageButton::None;
};

class ScriptedPresenter : public Presenter {
public:
    ScriptedPresenter() { m_previous = setPresenter(this); }
    ~ScriptedPresenter() override { setPresenter(m_previous); }

    void answer(MessageButton b) { m_answers.enqueue(b); }
    MessageButton show(MessageKind kind, const QString &text, const QList<MessageButton> &buttons) override
    {
        return show(kind, text, buttons, QString(), MessageButton::None);
    }
    MessageButton show(MessageKind kind, const QString &text, const QList<MessageButton> &buttons,
                       const QString &caption, MessageButton defaultButton) override
    {
        boxes << ShownBox{kind, text, buttons, caption, defaultButton};
        if (!m_answers.isEmpty())
            return m_answers.dequeue();
        return buttons.isEmpty() ? MessageButton::Ok : buttons.first();
    }
    void beep() override { ++beeps; }
    // The texts of the boxes shown so far.
    QStringList textos() const
    {
        QStringList t;
        for (const ShownBox &b : boxes)
            t << b.text;
        return t;
    }

    QList<ShownBox> boxes;
    int beeps = 0;

private:
    QQueue<MessageButton> m_answers;
    Presenter *m_previous = nullptr;
};

} // namespace gdvorn::test
