// Columns and the header without a widget: widths, positions, sort direction, scrolling a column into
// view, the header's layout and height, and its mouse handling (clicks, resizing, check boxes, spring).

#include "FakeListview.h"

#include <QGuiApplication>
#include <QTest>

#include <cstdint>

using namespace gdvorn::lv;

namespace {

// A report list with columns of the given widths.
void Columns(FakeListview &lv, const std::vector<int> &widths)
{
    lv.SetView(TLvListStyle::elsReport);
    lv.Header().SetVisible(true);
    for (int w : widths)
        lv.Header().Columns().Add()->SetWidth(w);
}

// Records the menus the header pops up (window coordinates).
class MenuListview : public FakeListview {
public:
    using FakeListview::FakeListview;
    void PopupMenu(QMenu *menu, QPoint windowPoint) override { popups.push_back({menu, windowPoint}); }
    std::vector<std::pair<QMenu *, QPoint>> popups;
};

QString SortState(TLvColumn *c)
{
    switch (c->SortDirection()) {
    case TLvSortDirection::esdAscending: return "asc";
    case TLvSortDirection::esdDescending: return "desc";
    default: return "none";
    }
}

} // namespace

class tst_LvHeader : public QObject {
    Q_OBJECT

private slots:
    void columnDefaultsAndWidth()
    {
        FakeListview lv;
        Columns(lv, {10, 20, 30});
        TLvColumn *c = lv.Header().Columns().Add();
        QCOMPARE(c->Position(), 3);
        QCOMPARE(c->Width(), 50);
        c->SetWidth(-5);
        QCOMPARE(c->Width(), 0);
        QCOMPARE(lv.Header().Columns()[1]->DisplayRect(), LvRect(10, 0, 30, 21));
    }

    void positions_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("to");
        QTest::addColumn<QList<int>>("positions"); // by index after the move

        QTest::newRow("0 to 3 of five") << 5 << 0 << 3 << QList<int>{3, 0, 1, 2, 4};
        QTest::newRow("4 to 1 of five") << 5 << 4 << 1 << QList<int>{0, 2, 3, 4, 1};
        QTest::newRow("99 clamps to the last") << 3 << 0 << 99 << QList<int>{2, 0, 1};
        QTest::newRow("-3 clamps to 0") << 3 << 2 << -3 << QList<int>{1, 2, 0};
        QTest::newRow("single column") << 1 << 0 << 5 << QList<int>{0};
    }

    void positions()
    {
        QFETCH(int, count);
        QFETCH(int, column);
        QFETCH(int, to);
        QFETCH(QList<int>, positions);
        FakeListview lv;
        Columns(lv, std::vector<int>(std::size_t(count), 10));
        TLvColumns &columns = lv.Header().Columns();
        columns[column]->SetPosition(to);
        for (int i = 0; i < count; ++i)
            QCOMPARE(columns[i]->Position(), positions[i]);
        // Display rectangles follow the positions.
        QCOMPARE(columns[column]->DisplayRect().left, positions[column] * 10);
        if (count == 5 && column == 0) {
            columns[0]->SetPosition(0); // moving back restores them
            for (int i = 0; i < count; ++i)
                QCOMPARE(columns[i]->Position(), i);
        }
    }

    void equalPositionsComeOutDistinct()
    {
        FakeListview lv;
        Columns(lv, {10, 10, 10});
        lv.Header().Columns()[2]->SetPositionField(0);
        lv.Header().Rebuild(true);
        QList<int> seen;
        for (int i = 0; i < 3; ++i)
            seen << lv.Header().Columns()[i]->Position();
        std::sort(seen.begin(), seen.end());
        QCOMPARE(seen, (QList<int>{0, 1, 2}));
    }

    void sortDirectionFocusesTheColumn()
    {
        FakeListview lv;
        Columns(lv, {10, 10});
        TLvColumn *c = lv.Header().Columns()[1];
        c->SetSortDirection(TLvSortDirection::esdAscending);
        QCOMPARE(lv.Selection().FocusedColumnField(), c);
        c->SetSortDirection(TLvSortDirection::esdNone);
        QCOMPARE(lv.Selection().FocusedColumnField(), c);
    }

    void makeVisible_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("position");
        QTest::addColumn<int>("expected");

        // Client 400 wide; columns of 300 at 0, 300, 600, 900 (document 1200 wide).
        QTest::newRow("inside") << 0 << 0 << 0 << 0;
        QTest::newRow("right, top") << 0 << 2 << 0 << 600;
        QTest::newRow("right, automatic") << 0 << 2 << 3 << 600;
        QTest::newRow("only left, top") << 700 << 1 << 0 << 300;
        QTest::newRow("only left, automatic") << 700 << 1 << 3 << 300;
        QTest::newRow("centred") << 0 << 2 << 1 << 550;
        QTest::newRow("bottom") << 0 << 3 << 2 << 800; // clamped to the largest offset
    }

    void makeVisible()
    {
        QFETCH(int, offset);
        QFETCH(int, column);
        QFETCH(int, position);
        QFETCH(int, expected);
        FakeListview lv(400, 300);
        Columns(lv, {300, 300, 300, 300});
        lv.Items().Add();
        lv.Scrollbars().SetOffsetX(offset);
        QCOMPARE(lv.Scrollbars().OffsetX(), offset);
        lv.Header().Columns()[column]->MakeVisible(position);
        QCOMPARE(lv.Scrollbars().OffsetX(), expected);
    }

    void autoHeight_data()
    {
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("autoSize");
        QTest::addColumn<int>("height");
        QTest::newRow("25 stays") << 25 << true << 25;
        QTest::newRow("10 grows to text + 8") << 10 << true << 21;
        QTest::newRow("no auto size") << 10 << false << 10;
    }

    void autoHeight()
    {
        QFETCH(int, stored);
        QFETCH(bool, autoSize);
        QFETCH(int, height);
        FakeListview lv; // text 13 pixels high
        lv.Header().SetHeight(stored);
        lv.Header().SetAutoSizeHeight(autoSize);
        QCOMPARE(lv.Header().Height(), height);
        lv.SetView(TLvListStyle::elsIcon);
        lv.Header().SetVisible(true);
        QCOMPARE(lv.Header().RuntimeHeight(), 0); // not shown in the icon view
        lv.SetView(TLvListStyle::elsReport);
        QCOMPARE(lv.Header().RuntimeHeight(), height);
    }

    void clickCycle()
    {
        FakeListview lv;
        Columns(lv, {100, 100});
        TLvHeader &h = lv.Header();
        QStringList clicks;
        lv.OnColumnClick = [&](TCommonMouseButton, TShiftState, TLvColumn *c) { clicks << QString::number(c->Index()); };
        TLvColumn *a = h.Columns()[0], *b = h.Columns()[1];
        QStringList states;
        for (int i = 0; i < 3; ++i) {
            h.LeftDown({50, 10}, 0);
            QVERIFY(a->Pressed());
            h.LeftUp({50, 10}, 0);
            states << SortState(a);
        }
        QCOMPARE(states, (QStringList{"asc", "desc", "asc"}));
        QVERIFY(!a->Pressed());
        h.LeftDown({150, 10}, 0);
        h.LeftUp({150, 10}, 0);
        QCOMPARE(SortState(a), QString("none"));
        QCOMPARE(SortState(b), QString("asc"));
        QCOMPARE(clicks, (QStringList{"0", "0", "0", "1"}));
        QVERIFY(!lv.captured);

        b->SetAutoToggleSortGlyph(false);
        h.LeftDown({150, 10}, 0);
        h.LeftUp({150, 10}, 0);
        QCOMPARE(SortState(b), QString("asc")); // only OnColumnClick
        QCOMPARE(clicks.size(), 5);
    }

    void pressLeaveReleaseClicksNothing()
    {
        FakeListview lv;
        Columns(lv, {100, 100});
        TLvHeader &h = lv.Header();
        int clicks = 0;
        lv.OnColumnClick = [&](TCommonMouseButton, TShiftState, TLvColumn *) { ++clicks; };
        TLvColumn *a = h.Columns()[0];
        h.SetDraggable(false); // moving away would otherwise drag the column
        h.LeftDown({50, 10}, 0);
        h.MouseMove({150, 10}, 0);
        QVERIFY(!a->Pressed());
        h.MouseMove({40, 10}, 0); // back over it: pressed again
        QVERIFY(a->Pressed());
        h.MouseMove({150, 10}, 0);
        h.LeftUp({150, 10}, 0);
        QCOMPARE(clicks, 0);
        QCOMPARE(SortState(a), QString("none"));
    }

    void checkBoxPressOnAReleaseOnB()
    {
        FakeListview lv;
        lv.PaintInfoColumn().SetCheckType(TLvCheckType::ectBox);
        Columns(lv, {100, 100});
        TLvHeader &h = lv.Header();
        TLvColumn *a = h.Columns()[0], *b = h.Columns()[1];
        // Cell shrunk by 2, box of 16 pixels (12 points) 2 further right and centred in 17 rows.
        const QPoint boxA(6, 10), boxB(106, 10);
        h.LeftDown(boxA, 0);
        QCOMPARE(lv.CheckManager().PendingObject(), a);
        QVERIFY(a->CheckPending());
        h.MouseMove(boxB, 0);
        QVERIFY(a->CheckPendingAway());
        h.LeftUp(boxB, 0);
        QVERIFY(!a->Checked());
        QVERIFY(b->Checked());
        QVERIFY(!a->CheckPending() && !a->CheckPendingAway());
        QCOMPARE(lv.CheckManager().PendingObject(), nullptr);
    }

    void hotColumnFollowsThePointer_data()
    {
        QTest::addColumn<QList<int>>("widths");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("hot"); // -1: none

        const QList<int> two{100, 200};
        QTest::newRow("inside the first") << two << QPoint(50, 10) << 0;
        QTest::newRow("4 right of its edge") << two << QPoint(104, 10) << 0;
        QTest::newRow("5 right of its edge") << two << QPoint(105, 10) << 1;
        QTest::newRow("4 right of the last") << two << QPoint(304, 10) << 1;
        QTest::newRow("5 right of the last") << two << QPoint(305, 10) << -1;
        QTest::newRow("below the header") << two << QPoint(50, 30) << -1;
        QTest::newRow("widening clipped at the client edge") << QList<int>{100, 300} << QPoint(402, 10) << -1;
    }

    void hotColumnFollowsThePointer()
    {
        QFETCH(QList<int>, widths);
        QFETCH(QPoint, point);
        QFETCH(int, hot);
        FakeListview lv; // 400 wide
        Columns(lv, std::vector<int>(widths.begin(), widths.end()));
        TLvHeader &h = lv.Header();
        h.SetSizeable(false); // no resize edge takes the mouse
        h.MouseMove(point, 0);
        QCOMPARE(h.HotColumn() ? h.HotColumn()->Index() : -1, hot);
        if (hot >= 0)
            QVERIFY(h.Columns()[hot]->HotTracking());
        // The header holds the mouse while a column is hot, so that leaving it still reaches the header.
        QCOMPARE(lv.captured, hot >= 0);
        h.MouseMove({50, 100}, 0);
        QCOMPARE(h.HotColumn(), nullptr);
        for (int i = 0; i < h.Columns().Count(); ++i)
            QVERIFY(!h.Columns()[i]->HotTracking());
        QVERIFY(!lv.captured);
    }

    void dropDownButton()
    {
        MenuListview lv(400, 300);
        Columns(lv, {300, 300, 300});
        lv.Items().Add();
        lv.Scrollbars().SetOffsetX(200); // header points are window points + 200
        TLvHeader &h = lv.Header();
        TLvColumn *c = h.Columns()[1];
        TLvColumnDropDownButton &button = c->DropDownButton();
        button.SetVisible(true);
        button.SetAlwaysShow(true);
        auto *const menu = reinterpret_cast<QMenu *>(std::uintptr_t(0x40)); // only passed on, never used
        button.SetMenu(menu);
        TLvRectArrayObject r;
        c->View()->ItemRectArray(c, r);
        const QPoint arrow = r.DropDownArrowArea.ToQRect().center(), away(450, 10);
        QVERIFY(!r.DropDownArrowArea.IsEmpty());

        h.MouseMove(arrow, 0);
        QCOMPARE(h.DropDownColumn(), c);
        QCOMPARE(button.State(), std::uint8_t(1)); // hot
        h.MouseMove(away, 0);
        QCOMPARE(h.DropDownColumn(), nullptr);
        QCOMPARE(button.State(), std::uint8_t(0));

        QList<bool> doDefaults;
        bool keepDefault = true;
        lv.OnColumnDropDownButtonClick = [&](TLvColumn *column, TCommonMouseButton b, TShiftState, QPoint, bool &doDefault) {
            QCOMPARE(column, c);
            QCOMPARE(b, TCommonMouseButton::cmbLeft);
            doDefaults << doDefault;
            doDefault = keepDefault;
        };
        h.MouseMove(arrow, 0);
        h.LeftDown(arrow, 0);
        QCOMPARE(button.State() & 6, 6); // pressed, over the arrow
        QVERIFY(!c->Pressed());
        h.MouseMove(away, 0);
        QCOMPARE(button.State() & 6, 4);
        h.MouseMove(arrow, 0);
        QCOMPARE(button.State() & 6, 6);
        h.LeftUp(arrow, 0);
        QCOMPARE(doDefaults, QList<bool>{true});
        QCOMPARE(lv.popups.size(), std::size_t(1));
        QCOMPARE(lv.popups[0].first, menu);
        // The arrow's lower left corner, in window coordinates.
        QCOMPARE(lv.popups[0].second, QPoint(r.DropDownArrowArea.left - 200, r.DropDownArrowArea.bottom));
        QCOMPARE(button.State() & 6, 0);
        QCOMPARE(SortState(c), QString("none")); // no column click

        keepDefault = false; // the handler takes it: no menu
        h.LeftDown(arrow, 0);
        h.LeftUp(arrow, 0);
        QCOMPARE(lv.popups.size(), std::size_t(1));
        h.LeftDown(arrow, 0);
        h.LeftUp(away, 0); // released off the arrow: no click
        QCOMPARE(doDefaults.size(), 2);

        button.SetEnabled(false); // a disabled button is not pressed: the column is
        h.SetDraggable(false);
        h.LeftDown(arrow, 0);
        QVERIFY(c->Pressed());
        QCOMPARE(h.DropDownColumn(), nullptr);
        h.LeftUp(arrow, 0);
        QCOMPARE(SortState(c), QString("asc"));
    }

    void columnHitTest_data()
    {
        QTest::addColumn<bool>("image");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("hit");

        // Cell (2, 2, 98, 19); check box (4, 2, 20, 18); a 16-pixel image from 22, caption indent 4.
        QTest::newRow("check box") << false << QPoint(10, 10) << 1;
        QTest::newRow("empty image and its indent") << false << QPoint(21, 10) << (8 | 4);
        QTest::newRow("label") << false << QPoint(50, 10) << 4;
        QTest::newRow("cell border") << false << QPoint(99, 10) << 0;
        QTest::newRow("image") << true << QPoint(30, 10) << (8 | 2);
        QTest::newRow("indent after the image") << true << QPoint(40, 10) << 8;
        QTest::newRow("label after the image") << true << QPoint(50, 10) << 4;
    }

    void columnHitTest()
    {
        QFETCH(bool, image);
        QFETCH(QPoint, point);
        QFETCH(int, hit);
        FakeListview lv;
        lv.PaintInfoColumn().SetCheckType(TLvCheckType::ectBox);
        Columns(lv, {100});
        TLvColumn *c = lv.Header().Columns()[0];
        if (image) {
            lv.OnColumnImageDrawIsCustom = [](TLvColumn *, bool &custom) { custom = true; };
            lv.OnColumnImageGetSize = [](TLvColumn *, int &w, int &h) { w = h = 16; };
            c->SetImageIndex(0);
        }
        int info = -1;
        QCOMPARE(c->HitTestAt(point, info), hit != 0);
        QCOMPARE(info, hit);
    }

    void headerSwitches()
    {
        FakeListview lv;
        TLvHeader &h = lv.Header();
        lv.SetView(TLvListStyle::elsIcon);
        h.SetShowInAllViews(true);
        h.SetVisible(false);
        QVERIFY(h.ShowInAllViews()); // being on, it shows the header again
        QVERIFY(h.Visible());
        QCOMPARE(h.RuntimeHeight(), 21);

        h.SetFixedSingleColumn(true); // adds column 0, as wide as the client area less 1
        QCOMPARE(h.Columns().Count(), 1);
        QCOMPARE(h.Columns()[0]->Width(), 399);
        h.Columns().Clear();
        QVERIFY(h.FixedSingleColumn()); // reading it puts a column back
        QCOMPARE(h.Columns().Count(), 1);

        TLvColumn *other = h.Columns().Add();
        h.SetFixedSingleColumn(false);
        h.SetFixedSingleColumn(true); // hides every column but the first
        QVERIFY(!other->Visible());
        other->SetVisible(true);
        h.SetFixedSingleColumn(true); // unchanged: nothing
        QVERIFY(other->Visible());
        h.SetFixedSingleColumn(false);
        h.Columns().Clear();
        QVERIFY(!h.FixedSingleColumn()); // off: reading adds nothing
        QCOMPARE(h.Columns().Count(), 0);
    }

    void clearingColumnsEmptiesTheDisplayOrder()
    {
        FakeListview lv;
        Columns(lv, {10, 20});
        TLvColumns &columns = lv.Header().Columns();
        std::vector<TLvColumn *> kept{columns[0], columns[1]};
        lv.hasWindow = false; // no rebuild to empty it
        columns.Clear(false);
        QVERIFY(lv.Header().Positions().empty());
        QCOMPARE(lv.Header().ColumnAt({5, 5}), nullptr);
        for (TLvColumn *c : kept)
            delete c;
    }

    void clearWhileAButtonIsHeld_data()
    {
        QTest::addColumn<QString>("on");
        QTest::newRow("hot column, no button") << "hover";
        QTest::newRow("check box") << "check";
        QTest::newRow("column") << "column";
        QTest::newRow("drop-down button") << "dropdown";
    }

    void clearWhileAButtonIsHeld()
    {
        QFETCH(QString, on);
        FakeListview lv;
        lv.PaintInfoColumn().SetCheckType(TLvCheckType::ectBox);
        Columns(lv, {100});
        TLvHeader &h = lv.Header();
        h.SetDraggable(false);
        TLvColumn *c = h.Columns()[0];
        c->DropDownButton().SetVisible(true);
        c->DropDownButton().SetAlwaysShow(true);
        QStringList log;
        lv.OnColumnClick = [&](TCommonMouseButton, TShiftState, TLvColumn *) { log << "click"; };
        lv.OnColumnCheckChanged = [&](TLvColumn *) { log << "check"; };
        lv.OnColumnDropDownButtonClick = [&](TLvColumn *, TCommonMouseButton, TShiftState, QPoint, bool &) { log << "drop-down"; };
        const QPoint p = on == "check" ? QPoint(10, 10) : on == "column" ? QPoint(50, 10) : QPoint(90, 10);
        h.MouseMove(p, 0);
        QVERIFY(lv.captured); // a column is hot
        if (on != "hover") {
            h.LeftDown(p, 0);
            QVERIFY(lv.CheckManager().PendingObject() || h.PressedColumn() || h.DropDownColumn());
        }
        h.Columns().Clear();
        QCOMPARE(lv.CheckManager().PendingObject(), nullptr);
        QCOMPARE(h.PressedColumn(), nullptr);
        QCOMPARE(h.DropDownColumn(), nullptr);
        QCOMPARE(h.HotColumn(), nullptr);
        if (on != "hover") {
            h.MouseMove(p, 0); // the release touches nothing freed
            h.LeftUp(p, 0);
        }
        QCOMPARE(log, QStringList());
        h.MouseMove({50, 100}, 0); // down into the rows: the header lets the mouse go
        QVERIFY(!lv.captured);
    }

    void columnRepaintsTheHeaderBand()
    {
        FakeListview lv;
        Columns(lv, {100});
        lv.Header().SetVisible(false);
        TLvColumn *c = lv.Header().Columns()[0];
        lv.invalidated.clear();
        c->SetAlignment(TAlignment::taCenter);
        c->DropDownButton().SetMenu(reinterpret_cast<QMenu *>(std::uintptr_t(0x40)));
        c->DropDownButton().SetMenu(reinterpret_cast<QMenu *>(std::uintptr_t(0x40))); // unchanged
        QCOMPARE(lv.invalidated, (std::vector<LvRect>{LvRect(0, 0, 400, 21), LvRect(0, 0, 400, 21)}));
    }

    void resizeEdge_data()
    {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("y");
        QTest::addColumn<int>("column"); // -1: none
        QTest::newRow("4 left of the edge is outside") << 96 << 10 << -1;
        QTest::newRow("3 left") << 97 << 10 << 0;
        QTest::newRow("on the edge") << 100 << 10 << 0;
        QTest::newRow("4 right") << 104 << 10 << 0;
        QTest::newRow("5 right") << 105 << 10 << -1;
        QTest::newRow("top row") << 100 << 0 << -1;
        QTest::newRow("bottom row") << 100 << 21 << -1;
        QTest::newRow("second edge") << 250 << 5 << 1;
    }

    void resizeEdge()
    {
        QFETCH(int, x);
        QFETCH(int, y);
        QFETCH(int, column);
        FakeListview lv;
        Columns(lv, {100, 150});
        TLvColumn *edge = lv.Header().ResizeEdgeAt({x, y});
        QCOMPARE(edge ? edge->Index() : -1, column);
    }

    void resizeWithTheMouse()
    {
        FakeListview lv;
        Columns(lv, {100, 100});
        TLvHeader &h = lv.Header();
        QStringList log;
        lv.OnColumnSizeChanging = [&](TLvColumn *, int w, int nw, bool &) { log << QString("changing %1 %2").arg(w).arg(nw); };
        lv.OnColumnSizeChanged = [&](TLvColumn *) { log << "changed"; };
        h.MouseMove({101, 10}, 0); // arms the resize after asking with equal widths
        QCOMPARE(lv.cursor, 768);
        h.LeftDown({101, 10}, 0);
        h.MouseMove({120, 10}, 0);
        h.MouseMove({140, 10}, 0);
        h.LeftUp({140, 10}, 0);
        QCOMPARE(log, (QStringList{"changing 100 100", "changing 100 120", "changing 120 140", "changed"}));
        QCOMPARE(h.Columns()[0]->Width(), 140);
        QCOMPARE(h.Columns()[1]->DisplayRect().left, 140);
    }

    void springShares()
    {
        FakeListview lv(400, 300);
        Columns(lv, {100, 100, 100});
        TLvColumns &c = lv.Header().Columns();
        c[0]->SetAutoSpring(true);
        c[2]->SetAutoSpring(true);
        lv.Header().SizeChanged(); // measures the starting width
        lv.width = 405;            // 5 pixels: 2.5 each, the halves carried
        lv.Header().SizeChanged();
        QCOMPARE(c[0]->Width(), 102);
        QCOMPARE(c[1]->Width(), 100);
        QCOMPARE(c[2]->Width(), 102);
        lv.width = 410;
        lv.Header().SizeChanged();
        QCOMPARE(c[0]->Width(), 105);
        QCOMPARE(c[2]->Width(), 105);
        lv.width = 400;
        lv.Header().SizeChanged();
        QCOMPARE(c[0]->Width(), 100);
    }

    void autoSizeToFit()
    {
        FakeListview lv;
        Columns(lv, {100, 100});
        TLvColumn *c = lv.Header().Columns()[1];
        c->AutoSizeToFit();
        QCOMPARE(c->Width(), 0); // no items
        lv.Items().Add()->SetCaptions(1, "abc");
        lv.Items().Add()->SetCaptions(1, "abcdef");
        c->AutoSizeToFit();
        QCOMPARE(c->Width(), 6 * 7 + 8);
    }
};

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    tst_LvHeader t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_LvHeader.moc"
