// What a screen reader gets from the list view through Qt's accessibility: the tree of groups, items,
// header and columns with roles and names, the states of items, groups, header and columns, rectangles
// on the screen after scrolling, the hit test, renaming an item, and interfaces that go with their objects.

#include "listview/QtLvListview.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include <memory>

using namespace gdvorn::lv;

namespace {

class EditableListview : public QtLvListview {
public:
    bool editing = false;
    bool ItemEditingEnabled() const override { return editing; }
};

// A report view 300 × 200 with a 25-pixel header of two columns and two groups: "Primeiro" with
// `first` items, "Segundo" with 2.
struct Fixture {
    std::unique_ptr<EditableListview> lv = std::make_unique<EditableListview>();

    explicit Fixture(int first = 3)
    {
        EditableListview &l = *lv;
        l.SetView(TLvListStyle::elsReport);
        l.SetThemed(false);
        l.Header().SetHeight(25);
        l.Header().SetVisible(true);
        for (const char *caption : {"Nome", "Valor"}) {
            TLvColumn *c = l.Header().Columns().Add();
            c->SetCaption(caption);
            c->SetWidth(120);
        }
        l.resize(300, 200);
        l.show();
        QVERIFY(QTest::qWaitForWindowExposed(&l));
        l.BeginUpdate();
        const QStringList names{"Primeiro", "Segundo"};
        for (int g = 0; g < 2; ++g) {
            TLvGroup *group = l.Groups().Add();
            group->SetCaption(names[g]);
            for (int i = 0; i < (g == 0 ? first : 2); ++i)
                group->Items().Add()->SetCaption(QString("item %1.%2").arg(g).arg(i));
        }
        l.EndUpdate(true);
    }

    QAccessibleInterface *Root() const { return QAccessible::queryAccessibleInterface(lv.get()); }
    QAccessibleInterface *Group(int g) const { return Root()->child(g); }
    QAccessibleInterface *Item(int g, int i) const { return Group(g)->child(i); }
    QAccessibleInterface *Header() const { return Root()->child(Root()->childCount() - 1); }
    // The screen point at the middle of a document rectangle.
    QPoint Screen(const LvRect &doc) const
    {
        const LvRect w = lv->Scrollbars().MapViewRectToWindow(doc);
        return lv->viewport()->mapToGlobal(QPoint((w.left + w.right) / 2, (w.top + w.bottom) / 2));
    }
};

} // namespace

class tst_QtLvAccessible : public QObject {
    Q_OBJECT

private slots:
    void tree()
    {
        Fixture f;
        QAccessibleInterface *root = f.Root();
        QVERIFY(root);
        QCOMPARE(int(root->role()), 33);
        QCOMPARE(root->text(QAccessible::Name), QString());
        QCOMPARE(root->childCount(), 3);

        QAccessibleInterface *header = root->child(2);
        QCOMPARE(header->text(QAccessible::Name), QString("LvHeader"));
        QCOMPARE(int(header->role()), 26);
        QCOMPARE(root->child(6), header); // every index past the groups is the header
        QCOMPARE(root->indexOfChild(header), 2);
        QCOMPARE(header->parent(), root);
        QCOMPARE(header->childCount(), 2);
        QCOMPARE(header->child(1)->text(QAccessible::Name), QString("Valor"));
        QCOMPARE(int(header->child(1)->role()), 27);
        QCOMPARE(header->child(1)->parent(), header);
        QCOMPARE(header->child(2), nullptr);

        QAccessibleInterface *group = root->child(1);
        QCOMPARE(int(group->role()), 20);
        QCOMPARE(group->text(QAccessible::Name), QString("Segundo"));
        QCOMPARE(group->parent(), root);
        QCOMPARE(group->childCount(), 2);
        QAccessibleInterface *item = group->child(1);
        QCOMPARE(int(item->role()), 34);
        QCOMPARE(item->text(QAccessible::Name), QString("item 1.1"));
        QCOMPARE(item->childCount(), 0);
        QCOMPARE(item->parent(), group);
        QCOMPARE(group->indexOfChild(item), 1);
        QCOMPARE(f.Item(1, 1), item); // made once, then found
    }

    void itemStates()
    {
        Fixture f;
        TLvGroup *group = f.lv->Groups()[0];
        TLvItem *item = group->Items()[1];
        item->SetSelected(true);
        item->SetFocused(true);
        QAccessible::State s = f.Item(0, 1)->state();
        QVERIFY(s.selectable && s.multiSelectable && s.selected && s.focused && !s.invisible);
        QCOMPARE(f.Root()->focusChild(), f.Item(0, 1));

        group->SetExpanded(false);
        item->SetSelected(true);
        item->SetFocused(true);
        QVERIFY(item->Selected() && item->Focused());
        s = f.Item(0, 1)->state();
        QVERIFY(s.selectable && s.multiSelectable && s.selected && s.focused && s.invisible);
        s = f.Item(0, 0)->state();
        QVERIFY(s.selectable && !s.selected && !s.focused && s.invisible);
        s = f.Group(0)->state();
        QVERIFY(s.collapsed && !s.expanded && !s.invisible);
        s = f.Group(1)->state();
        QVERIFY(s.expanded && !s.collapsed);

        f.lv->Groups()[1]->Items()[0]->SetVisible(false);
        QVERIFY(f.Item(1, 0)->state().invisible);
        QVERIFY(!f.Item(1, 1)->state().invisible);
    }

    void headerAndColumnStates()
    {
        Fixture f;
        QAccessibleInterface *column = f.Header()->child(0);
        QVERIFY(column->state().readOnly && !column->state().pressed && !column->state().invisible);
        f.lv->Header().Columns()[0]->SetPressed(true);
        QVERIFY(column->state().pressed);
        f.lv->Header().Columns()[0]->SetVisible(false);
        QVERIFY(column->state().invisible);
        QVERIFY(!f.Header()->state().invisible);
        f.lv->Header().SetVisible(false);
        QVERIFY(f.Header()->state().invisible);
    }

    void rectanglesOnTheScreen()
    {
        Fixture f(20);
        QAccessibleInterface *item = f.Item(0, 10);
        const QRect before = item->rect();
        const LvRect doc = f.lv->Groups()[0]->Items()[10]->DisplayRect();
        QCOMPARE(before.size(), QSize(doc.Width(), doc.Height()));
        QCOMPARE(before.topLeft(), f.lv->viewport()->mapToGlobal(QPoint(doc.left, doc.top + 25)));

        f.lv->Scrollbars().SetOffsetY(34);
        QCOMPARE(f.lv->Scrollbars().OffsetY(), 34);
        QCOMPARE(item->rect(), before.translated(0, -34));

        const QRect header = f.Header()->rect();
        QCOMPARE(header, QRect(f.lv->viewport()->mapToGlobal(QPoint(0, 0)), QSize(f.lv->viewport()->width(), 25)));
        QCOMPARE(f.Root()->rect(), QRect(f.lv->viewport()->mapToGlobal(QPoint(0, 0)), f.lv->viewport()->size()));
        // The second column, scrolled sideways with the view.
        f.lv->Scrollbars().SetOffsetX(0);
        const QRect column = f.Header()->child(1)->rect();
        QCOMPARE(column, QRect(f.lv->viewport()->mapToGlobal(QPoint(120, 0)), QSize(120, 25)));
    }

    void childAt()
    {
        Fixture f;
        QAccessibleInterface *root = f.Root();
        TLvItem *item = f.lv->Groups()[1]->Items()[0];
        // Over the caption the item answers; in the second column the view does not claim the point and
        // the group answers.
        LvRect doc = item->DisplayRect();
        doc.right = doc.left + 60;
        const QPoint onItem = f.Screen(doc);
        QCOMPARE(root->childAt(onItem.x(), onItem.y()), f.Item(1, 0));
        doc.left = 180;
        doc.right = 220;
        const QPoint besideItem = f.Screen(doc);
        QCOMPARE(root->childAt(besideItem.x(), besideItem.y()), f.Group(1));

        const QPoint onHeader = f.lv->viewport()->mapToGlobal(QPoint(130, 10));
        QCOMPARE(root->childAt(onHeader.x(), onHeader.y()), f.Header());
        QCOMPARE(f.Header()->childAt(onHeader.x(), onHeader.y()), f.Header()->child(1));
        const QPoint pastColumns = f.lv->viewport()->mapToGlobal(QPoint(260, 10));
        QCOMPARE(f.Header()->childAt(pastColumns.x(), pastColumns.y()), nullptr);

        const QPoint below = f.lv->viewport()->mapToGlobal(QPoint(100, 190));
        QCOMPARE(root->childAt(below.x(), below.y()), nullptr);
        QCOMPARE(f.Item(1, 0)->childAt(onItem.x(), onItem.y()), nullptr);
    }

    void renameOnlyWhileEditing()
    {
        Fixture f;
        QAccessibleInterface *item = f.Item(0, 0);
        item->setText(QAccessible::Name, "novo");
        QCOMPARE(f.lv->Groups()[0]->Items()[0]->Caption(), QString("item 0.0"));
        f.lv->editing = true;
        item->setText(QAccessible::Name, "novo");
        QCOMPARE(f.lv->Groups()[0]->Items()[0]->Caption(), QString("novo"));
        QCOMPARE(item->text(QAccessible::Name), QString("novo"));
        f.Group(0)->setText(QAccessible::Name, "grupo"); // groups are not renamed
        QCOMPARE(f.lv->Groups()[0]->Caption(), QString("Primeiro"));
    }

    void interfacesGoWithTheirObjects()
    {
        Fixture f;
        const QAccessible::Id item = QAccessible::uniqueId(f.Item(0, 2));
        const QAccessible::Id group = QAccessible::uniqueId(f.Group(1));
        const QAccessible::Id column = QAccessible::uniqueId(f.Header()->child(0));
        const QAccessible::Id header = QAccessible::uniqueId(f.Header());
        f.lv->Groups()[0]->Items().Clear();
        QCOMPARE(QAccessible::accessibleInterface(item), nullptr);
        QVERIFY(QAccessible::accessibleInterface(group));
        QCOMPARE(f.Group(0)->childCount(), 0);
        f.lv.reset();
        QCOMPARE(QAccessible::accessibleInterface(group), nullptr);
        QCOMPARE(QAccessible::accessibleInterface(column), nullptr);
        QCOMPARE(QAccessible::accessibleInterface(header), nullptr);
    }
};

QTEST_MAIN(tst_QtLvAccessible)
#include "tst_QtLvAccessible.moc"
