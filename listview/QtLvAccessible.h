#pragma once
// What screen readers see of the list view, through Qt's accessibility interfaces.
//
// The tree: the control → its groups (collection order), then the header; a group → its items; the
// header → its columns. The control's interface comes from a factory installed at start-up; the others
// are made the first time someone asks for them, registered with Qt, and dropped when their object is
// freed (the control drops its header's with itself).
//
// - Roles: control List, group Grouping, item ListItem, header RowHeader (named "LvHeader"), column
//   Column. Names are the captions; the control's own name is empty unless the program gives one.
// - States: an item is selectable and multi-selectable, selected, focused, and invisible while hidden or
//   in a collapsed group; a group expanded or collapsed, invisible while hidden; the header invisible
//   while hidden or without height; a column read-only, pressed while pressed, invisible while hidden.
// - rect() is on the screen (scrolling included); childAt() of the control answers the header, else the
//   item under the point, else its group; childAt() of the header answers the column under the point.
// - Every child index at or past the number of groups is the control's header.
// - An item's name can be set only while the control allows in-place editing (ItemEditingEnabled).
// - Qt 6.4 has no selection interface here: the selection shows in the items' states only.

#include <QAccessibleWidget>

namespace gdvorn::lv {

class QtLvListview;

// Drops the accessible interface made for an item, group, column or header (nothing if none was made).
void DropAccessibleObject(const void *owner);

// The control's interface.
class TLvAccessibleManager : public QAccessibleWidget {
public:
    explicit TLvAccessibleManager(QtLvListview *listview);
    ~TLvAccessibleManager() override;

    int childCount() const override;
    QAccessibleInterface *child(int index) const override;
    int indexOfChild(const QAccessibleInterface *child) const override;
    QAccessibleInterface *childAt(int x, int y) const override;
    QAccessibleInterface *focusChild() const override;
    QString text(QAccessible::Text t) const override;
    QRect rect() const override;

private:
    QtLvListview *Listview() const;
    // Keys of the registry only: the destructor runs when the control is already gone.
    const void *listview_;
    const void *header_;
};

} // namespace gdvorn::lv
