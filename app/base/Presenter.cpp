#include "app/base/Presenter.h"

#include <cstdio>

namespace gdvorn {

namespace {

class StderrPresenter : public Presenter {
public:
    MessageButton show(MessageKind, const QString &text, const QList<MessageButton> &buttons) override
    {
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        return buttons.isEmpty() ? MessageButton::Ok : buttons.first();
    }
};

StderrPresenter g_default;
Presenter *g_current = nullptr;

} // namespace

Presenter &presenter() { return g_current ? *g_current : g_default; }

Presenter *setPresenter(Presenter *p)
{
    Presenter *old = g_current;
    g_current = p;
    return old;
}

} // namespace gdvorn
