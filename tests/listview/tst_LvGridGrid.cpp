// The grid view's and the film strip's group layouts, without a widget.

#include "FakeListview.h"

#include "listview/LvGridGrid.h"

#include <QGuiApplication>
#include <QTest>

using namespace gdvorn::lv;

Q_DECLARE_METATYPE(gdvorn::lv::LvRect)

namespace gdvorn::lv {
// Rectangles print as "(left, top, right, bottom)" in failure messages.
char *toString(const LvRect &r)
{
    return QTest::toString(QStringLiteral("(%1, %2, %3, %4)").arg(r.left).arg(r.top).arg(r.right).arg(r.bottom));
}
} // namespace gdvorn::lv

namespace {

using Rects = QList<LvRect>;

// A grid view with columns of the given widths and one item per visibility flag; grid cells are 17 high.
void Fill(FakeListview &lv, const QList<int> &widths, const QList<bool> &visible)
{
    LvUpdateBracket update(lv);
    lv.SetView(TLvListStyle::elsGrid);
    for (int w : widths)
        lv.Header().Columns().Add()->SetWidth(w);
    for (bool v : visible)
        lv.Items().Add()->SetVisible(v);
}

Rects ItemRects(FakeListview &lv)
{
    Rects rects;
    for (int i = 0; i < lv.Items().Count(); ++i)
        rects << lv.Items()[i]->DisplayRect();
    return rects;
}

} // namespace

class tst_LvGridGrid : public QObject {
    Q_OBJECT

private slots:
    void layout_data()
    {
        QTest::addColumn<QList<int>>("widths");
        QTest::addColumn<QList<bool>>("visible");
        QTest::addColumn<Rects>("rects");
        QTest::addColumn<int>("rows");
        QTest::addColumn<int>("columns");
        QTest::addColumn<LvRect>("group");

        const bool T = true, F = false;
        QTest::newRow("five items under three columns")
            << QList<int>{50, 60, 70} << QList<bool>{T, T, T, T, T}
            << Rects{{0, 0, 50, 17}, {50, 0, 110, 17}, {110, 0, 180, 17}, {0, 17, 50, 34}, {50, 17, 110, 34}} << 2
            << 3 << LvRect(0, 0, 180, 34);
        QTest::newRow("one full row") << QList<int>{50, 60} << QList<bool>{T, T}
                                      << Rects{{0, 0, 50, 17}, {50, 0, 110, 17}} << 1 << 2 << LvRect(0, 0, 110, 17);
        // Nothing goes into cells, but the items are still counted as visible.
        QTest::newRow("no columns") << QList<int>{} << QList<bool>{T, T, T} << Rects{{}, {}, {}} << 0 << 0
                                    << LvRect(0, 0, 0, 0);
        QTest::newRow("hidden item in the middle takes no cell")
            << QList<int>{50, 60, 70} << QList<bool>{T, F, T, T}
            << Rects{{0, 0, 50, 17}, {0, 0, 0, 0}, {50, 0, 110, 17}, {110, 0, 180, 17}} << 1 << 3
            << LvRect(0, 0, 180, 17);
        // The last row holds one item; the hidden item after it sits at the row's top. The group still
        // covers the row.
        QTest::newRow("hidden last item after a partial row")
            << QList<int>{50, 60, 70} << QList<bool>{T, T, T, T, F}
            << Rects{{0, 0, 50, 17}, {50, 0, 110, 17}, {110, 0, 180, 17}, {0, 17, 50, 34}, {0, 17, 0, 17}} << 2
            << 3 << LvRect(0, 0, 180, 34);
        QTest::newRow("hidden last items after a full row")
            << QList<int>{50, 60} << QList<bool>{T, T, F, F}
            << Rects{{0, 0, 50, 17}, {50, 0, 110, 17}, {0, 17, 0, 17}, {0, 17, 0, 17}} << 1 << 2
            << LvRect(0, 0, 110, 17);
        QTest::newRow("every item hidden") << QList<int>{50} << QList<bool>{F, F} << Rects{{}, {}} << 0 << 1
                                           << LvRect(0, 0, 50, 0);
    }

    void layout()
    {
        QFETCH(QList<int>, widths);
        QFETCH(QList<bool>, visible);
        FakeListview lv;
        Fill(lv, widths, visible);
        TLvGroup *group = lv.Groups()[0];
        TLvGridGroup *grid = group->Grid();
        QCOMPARE(grid->ClassName(), "TLvGridGridGroup");
        QTEST(ItemRects(lv), "rects");
        QTEST(grid->RowCount(), "rows");
        QTEST(grid->ColumnCount(), "columns");
        QTEST(group->DisplayRect(), "group");
        int expected = 0;
        for (int i = 0; i < lv.Items().Count(); ++i) {
            TLvItem *item = lv.Items()[i];
            QCOMPARE(item->VisibleIndex(), item->Visible() ? expected++ : -1);
        }
        QCOMPARE(group->VisibleItemCount(), expected);
    }

    void cellsFollowColumnsInCollectionOrder()
    {
        FakeListview lv;
        Fill(lv, {50, 60, 70}, {true, true, true, true});
        TLvColumns &c = lv.Header().Columns();
        c[2]->SetPosition(0); // shown first: x 0..70, then 70..120, 120..180
        QCOMPARE(ItemRects(lv), (Rects{{70, 0, 120, 17}, {120, 0, 180, 17}, {0, 0, 70, 17}, {70, 17, 120, 34}}));

        // A hidden column keeps its recorded left edge and lends its width to the items under it.
        c[1]->SetVisible(false);
        QCOMPARE(lv.Items()[1]->DisplayRect(), LvRect(120, 0, 180, 17));
        QCOMPARE(lv.Groups()[0]->Grid()->ColumnCount(), 3);
    }

    void widenedColumnWidensEveryRow()
    {
        FakeListview lv;
        Fill(lv, {50, 60, 70}, {true, true, true, true, true, true, true});
        lv.Header().Columns()[1]->SetWidth(100);
        lv.Groups().Rebuild(true);
        const Rects rects = ItemRects(lv);
        QCOMPARE(rects[1], LvRect(50, 0, 150, 17));
        QCOMPARE(rects[4], LvRect(50, 17, 150, 34));
        QCOMPARE(rects[5], LvRect(150, 17, 220, 34)); // the column after it moves right
        QCOMPARE(rects[6], LvRect(0, 34, 50, 51));
        QCOMPARE(lv.Groups()[0]->DisplayRect().right, 220);
    }

    void marginsAndCollapsedGroups()
    {
        FakeListview lv;
        lv.SetShowGroupMargins(true); // top margin 30 and visible by default
        lv.PaintInfoGroup().MarginBottom().SetVisible(true);
        lv.PaintInfoGroup().MarginBottom().SetSize(10);
        lv.PaintInfoGroup().MarginLeft().SetVisible(true);
        lv.PaintInfoGroup().MarginLeft().SetSize(5);
        Fill(lv, {50, 60}, {true, true, true});
        TLvGroup *first = lv.Groups()[0];
        QCOMPARE(ItemRects(lv), (Rects{{5, 30, 55, 47}, {55, 30, 115, 47}, {5, 47, 55, 64}}));
        QCOMPARE(first->DisplayRect(), LvRect(0, 0, 110, 74));

        TLvGroup *second = lv.Groups().Add();
        second->Items().Add();
        QCOMPARE(second->Items()[0]->DisplayRect(), LvRect(5, 104, 55, 121));
        QCOMPARE(second->Items()[0]->VisibleIndex(), 3);

        first->SetExpanded(false); // as high as its margins; the next group moves up
        QCOMPARE(first->DisplayRect(), LvRect(0, 0, 110, 40));
        QCOMPARE(first->VisibleItemCount(), 0);
        QCOMPARE(second->DisplayRect(), LvRect(0, 40, 110, 97));
        QCOMPARE(second->Items()[0]->VisibleIndex(), 0);

        first->SetVisible(false); // a hidden group has no height
        QCOMPARE(first->DisplayRect(), LvRect(0, 0, 110, 0));
        QCOMPARE(second->DisplayRect().top, 0);
    }

    void filmStrip()
    {
        FakeListview lv(400, 300);
        lv.SetView(TLvListStyle::elsFilmStrip);
        TLvItem *a = lv.Items().Add();
        TLvItem *b = lv.Items().Add();
        TLvGridGroup *grid = lv.Groups()[0]->Grid();
        QCOMPARE(grid->ClassName(), "TLvGridFilmStripGroup");
        QCOMPARE(&grid->CellSize(), &lv.CellSizes().FilmStrip);
        // The list layout with film-strip cells (125 × 143): one row in 300 - 17 pixels, items sideways.
        QCOMPARE(a->DisplayRect(), LvRect(0, 0, 125, 143));
        QCOMPARE(b->DisplayRect(), LvRect(125, 0, 250, 143));
        QCOMPARE(grid->AdjacentItem(a, eadRight), b);

        // Setting the cell size copies the values; the control keeps its own object.
        FakeListview other;
        other.CellSizes().List.SetSize(90, 100);
        grid->SetCellSize(other.CellSizes().List);
        QCOMPARE(&grid->CellSize(), &lv.CellSizes().FilmStrip);
        QCOMPARE(lv.CellSizes().FilmStrip.Width(), 90);
        QCOMPARE(lv.CellSizes().FilmStrip.Height(), 100);
        QCOMPARE(other.CellSizes().List.Width(), 90);

        // No automatic cell width: a long caption leaves the measured width alone.
        lv.CellSizes().FilmStrip.SetAutoSizeCaption(true);
        const int measured = lv.CellSizes().FilmStrip.Width();
        b->SetCaption(QString(60, QLatin1Char('x')));
        lv.Groups().Rebuild(true);
        QCOMPARE(lv.CellSizes().FilmStrip.Width(), measured);

        lv.SetView(TLvListStyle::elsList);
        QCOMPARE(lv.Groups()[0]->Grid()->ClassName(), "TLvGridListGroup");
        QCOMPARE(lv.Groups()[0]->Grid()->CellSize().Width(), lv.CellSizes().List.Width());
    }

    void gridCellSize()
    {
        FakeListview lv;
        Fill(lv, {50, 60}, {true, true, true});
        TLvGridGroup *grid = lv.Groups()[0]->Grid();
        QCOMPARE(&grid->CellSize(), &lv.CellSizes().Grid);
        lv.CellSizes().Grid.SetHeight(20);
        QCOMPARE(lv.Items()[2]->DisplayRect(), LvRect(0, 20, 50, 40));
        FakeListview other;
        other.CellSizes().Report.SetHeight(25);
        grid->SetCellSize(other.CellSizes().Report);
        QCOMPARE(lv.CellSizes().Grid.Height(), 25);
    }
};

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    tst_LvGridGrid t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_LvGridGrid.moc"
