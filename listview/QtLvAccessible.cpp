#include "listview/QtLvAccessible.h"

#include "listview/QtLvListview.h"

#include <QAccessible>
#include <QHash>
#include <QWidget>

namespace gdvorn::lv {

namespace {

// The interfaces made for the objects inside controls, by object: Qt owns them once registered.
struct Registered {
    QAccessible::Id id;
    const void *listview;
};

QHash<const void *, Registered> &Registry()
{
    static QHash<const void *, Registered> registry;
    return registry;
}

} // namespace

void DropAccessibleObject(const void *owner)
{
    auto &registry = Registry();
    const auto it = registry.find(owner);
    if (it == registry.end())
        return;
    const QAccessible::Id id = it->id;
    registry.erase(it);
    QAccessible::deleteAccessibleInterface(id);
}

namespace {

template <class Interface, class Owner> QAccessibleInterface *InterfaceOf(QtLvListview *listview, Owner *owner)
{
    if (!owner)
        return nullptr;
    auto &registry = Registry();
    if (const auto it = registry.constFind(owner); it != registry.cend())
        if (QAccessibleInterface *made = QAccessible::accessibleInterface(it->id))
            return made;
    auto *made = new Interface(listview, owner);
    registry.insert(owner, {QAccessible::registerAccessibleInterface(made), listview});
    return made;
}

QRect ScreenRect(const QtLvListview *listview, const LvRect &windowRect)
{
    const QPoint topLeft = listview->viewport()->mapToGlobal(QPoint(windowRect.left, windowRect.top));
    return {topLeft, QSize(windowRect.Width(), windowRect.Height())};
}

// A group's or an item's rectangle on the screen (empty when it has none).
QRect DocumentRectOnScreen(QtLvListview *listview, const LvRect &documentRect)
{
    if (documentRect.IsEmpty())
        return {};
    return ScreenRect(listview, listview->Scrollbars().MapViewRectToWindow(documentRect));
}

// The header scrolls sideways with the view except in the list view with the header shown in all views.
int HeaderScroll(QtLvListview *listview)
{
    return listview->HeaderScrollsWithView() ? listview->Scrollbars().OffsetX() : 0;
}

int IndexOf(const QAccessibleInterface *parent, const QAccessibleInterface *child)
{
    for (int i = 0; i < parent->childCount(); ++i)
        if (parent->child(i) == child)
            return i;
    return -1;
}

QAccessibleInterface *ControlInterface(QtLvListview *listview)
{
    return QAccessible::queryAccessibleInterface(listview);
}

// What the objects inside the control share: no QObject, no children, names not settable.
class TLvChildAccessible : public QAccessibleInterface {
public:
    explicit TLvChildAccessible(QtLvListview *listview) : listview_(listview) {}

    bool isValid() const override { return true; }
    QObject *object() const override { return nullptr; }
    QWindow *window() const override { return listview_->window()->windowHandle(); }
    int childCount() const override { return 0; }
    QAccessibleInterface *child(int) const override { return nullptr; }
    int indexOfChild(const QAccessibleInterface *child) const override { return IndexOf(this, child); }
    QAccessibleInterface *childAt(int, int) const override { return nullptr; }
    void setText(QAccessible::Text, const QString &) override {}

protected:
    QtLvListview *listview_;
};

class TLvGroupAccessibleManager : public TLvChildAccessible {
public:
    TLvGroupAccessibleManager(QtLvListview *listview, TLvGroup *group) : TLvChildAccessible(listview), group_(group) {}

    QAccessibleInterface *parent() const override { return ControlInterface(listview_); }
    int childCount() const override { return group_->Items().Count(); }
    QAccessibleInterface *child(int index) const override;
    QAccessibleInterface *focusChild() const override { return ControlInterface(listview_)->focusChild(); }
    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? group_->Caption() : QString(); }
    QRect rect() const override { return DocumentRectOnScreen(listview_, group_->DisplayRect()); }
    QAccessible::Role role() const override { return QAccessible::Grouping; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.expanded = group_->Expanded();
        s.collapsed = !group_->Expanded();
        s.invisible = !group_->Visible();
        return s;
    }

private:
    TLvGroup *group_;
};

class TLvItemAccessibleManager : public TLvChildAccessible {
public:
    TLvItemAccessibleManager(QtLvListview *listview, TLvItem *item) : TLvChildAccessible(listview), item_(item) {}

    QAccessibleInterface *parent() const override
    {
        return InterfaceOf<TLvGroupAccessibleManager>(listview_, item_->Group());
    }
    QAccessibleInterface *focusChild() const override { return ControlInterface(listview_)->focusChild(); }
    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? item_->Caption() : QString(); }
    // Renaming is editing: only while the control allows in-place editing.
    void setText(QAccessible::Text t, const QString &text) override
    {
        if (t == QAccessible::Name && listview_->ItemEditingEnabled())
            item_->SetCaption(text);
    }
    QRect rect() const override { return DocumentRectOnScreen(listview_, item_->DisplayRect()); }
    QAccessible::Role role() const override { return QAccessible::ListItem; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.selectable = true;
        s.multiSelectable = true;
        s.selected = item_->Selected();
        s.focused = item_->Focused();
        const TLvGroup *group = item_->Group();
        s.invisible = !item_->Visible() || (group && !group->Expanded());
        return s;
    }

private:
    TLvItem *item_;
};

QAccessibleInterface *TLvGroupAccessibleManager::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    return InterfaceOf<TLvItemAccessibleManager>(listview_, group_->Items()[index]);
}

class TLvHeaderAccessibleManager : public TLvChildAccessible {
public:
    TLvHeaderAccessibleManager(QtLvListview *listview, TLvHeader *header) : TLvChildAccessible(listview), header_(header) {}

    QAccessibleInterface *parent() const override { return ControlInterface(listview_); }
    int childCount() const override { return header_->Columns().Count(); }
    QAccessibleInterface *child(int index) const override;
    // The column under a screen point, when its rectangle holds the point.
    QAccessibleInterface *childAt(int x, int y) const override
    {
        if (!header_->Visible())
            return nullptr;
        const QPoint p = listview_->viewport()->mapFromGlobal(QPoint(x, y)) + QPoint(HeaderScroll(listview_), 0);
        TLvColumn *column = header_->ColumnAt(p);
        if (!column || !column->DisplayRect().Contains(p))
            return nullptr;
        return child(column->Index());
    }
    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? QStringLiteral("LvHeader") : QString(); }
    QRect rect() const override
    {
        return ScreenRect(listview_, LvRect(0, 0, listview_->ClientWidth(), header_->RuntimeHeight()));
    }
    QAccessible::Role role() const override { return QAccessible::RowHeader; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.invisible = !header_->Visible() || header_->RuntimeHeight() == 0;
        return s;
    }

private:
    TLvHeader *header_;
};

class TLvColumnAccessibleManager : public TLvChildAccessible {
public:
    TLvColumnAccessibleManager(QtLvListview *listview, TLvColumn *column) : TLvChildAccessible(listview), column_(column) {}

    QAccessibleInterface *parent() const override
    {
        return InterfaceOf<TLvHeaderAccessibleManager>(listview_, &listview_->Header());
    }
    QString text(QAccessible::Text t) const override { return t == QAccessible::Name ? column_->Caption() : QString(); }
    QRect rect() const override
    {
        LvRect r = column_->DisplayRect();
        if (listview_->Header().RuntimeHeight() == 0)
            r.bottom = r.top;
        const int dx = HeaderScroll(listview_);
        return ScreenRect(listview_, LvRect(r.left - dx, r.top, r.right - dx, r.bottom));
    }
    QAccessible::Role role() const override { return QAccessible::Column; }
    QAccessible::State state() const override
    {
        QAccessible::State s;
        s.readOnly = true;
        s.pressed = column_->Pressed();
        s.invisible = !column_->Visible();
        return s;
    }

private:
    TLvColumn *column_;
};

QAccessibleInterface *TLvHeaderAccessibleManager::child(int index) const
{
    if (index < 0 || index >= childCount())
        return nullptr;
    return InterfaceOf<TLvColumnAccessibleManager>(listview_, header_->Columns()[index]);
}

QAccessibleInterface *Factory(const QString &, QObject *object)
{
    // The control declares no meta-object of its own: Qt asks by its base class's name.
    if (auto *listview = dynamic_cast<QtLvListview *>(object))
        return new TLvAccessibleManager(listview);
    return nullptr;
}

} // namespace

// --- The control ---------------------------------------------------------------------------------------

TLvAccessibleManager::TLvAccessibleManager(QtLvListview *listview)
    : QAccessibleWidget(listview, QAccessible::List), listview_(listview), header_(&listview->Header())
{
}

TLvAccessibleManager::~TLvAccessibleManager()
{
    // The items, groups and columns dropped theirs when they were freed; what remains (the header's)
    // goes with the control.
    QList<const void *> owners;
    for (auto it = Registry().cbegin(); it != Registry().cend(); ++it)
        if (it->listview == listview_ || it.key() == header_)
            owners.append(it.key());
    for (const void *owner : owners)
        DropAccessibleObject(owner);
}

QtLvListview *TLvAccessibleManager::Listview() const { return static_cast<QtLvListview *>(widget()); }

int TLvAccessibleManager::childCount() const { return Listview()->Groups().Count() + 1; }

QAccessibleInterface *TLvAccessibleManager::child(int index) const
{
    QtLvListview *lv = Listview();
    if (index < 0)
        return nullptr;
    if (index < lv->Groups().Count())
        return InterfaceOf<TLvGroupAccessibleManager>(lv, lv->Groups()[index]);
    return InterfaceOf<TLvHeaderAccessibleManager>(lv, &lv->Header());
}

int TLvAccessibleManager::indexOfChild(const QAccessibleInterface *child) const { return IndexOf(this, child); }

QAccessibleInterface *TLvAccessibleManager::childAt(int x, int y) const
{
    QtLvListview *lv = Listview();
    const QPoint p = lv->viewport()->mapFromGlobal(QPoint(x, y));
    if (lv->IsHeaderPoint(p))
        return child(childCount() - 1);
    const QPoint doc = lv->Scrollbars().MapWindowToView(p);
    TLvGroup *group = lv->Groups().GroupAtPoint(doc);
    if (!group)
        return nullptr;
    TLvItemHitTestInfoSet hitInfo = 0;
    if (TLvItem *item = group->ItemAtPoint(doc); item && item->HitTestAt(doc, hitInfo))
        return InterfaceOf<TLvItemAccessibleManager>(lv, item);
    return InterfaceOf<TLvGroupAccessibleManager>(lv, group);
}

QAccessibleInterface *TLvAccessibleManager::focusChild() const
{
    QtLvListview *lv = Listview();
    return InterfaceOf<TLvItemAccessibleManager>(lv, lv->Selection().FocusedItem());
}

QString TLvAccessibleManager::text(QAccessible::Text t) const
{
    return t == QAccessible::Name ? widget()->accessibleName() : QAccessibleWidget::text(t);
}

QRect TLvAccessibleManager::rect() const
{
    const QWidget *client = Listview()->viewport();
    return {client->mapToGlobal(QPoint(0, 0)), client->size()};
}

// --- The control's hook --------------------------------------------------------------------------------


void QtLvListview::InstallAccessibleFactory()
{
    // Qt asks the factories installed last first: installed before the widgets' own, ours would never
    // be asked for a scroll area.
    static const bool installed = [] {
        QAccessible::installFactory(Factory);
        return true;
    }();
    Q_UNUSED(installed);
}

} // namespace gdvorn::lv
