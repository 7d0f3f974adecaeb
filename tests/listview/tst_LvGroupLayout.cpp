// Group layout without a widget: the margin rectangles and the client area, the parts of the top band,
// the glyphs of the expand button, expanding and collapsing, and the group numbering of the layout pass.

#include "FakeListview.h"

#include "listview/LvViewGroup.h"

#include <QGuiApplication>
#include <QTest>

using namespace gdvorn::lv;

Q_DECLARE_METATYPE(gdvorn::lv::LvRect)
Q_DECLARE_METATYPE(gdvorn::lv::TAlignment)
Q_DECLARE_METATYPE(gdvorn::lv::TCommonVAlignment)

namespace {

// One group with one item, margins shown, its display rectangle pinned after the set-up.
struct Fixture {
    FakeListview lv{500, 400};
    TLvGroup *group;

    Fixture()
    {
        lv.SetShowGroupMargins(true);
        group = lv.Groups().Add();
        group->Items().Add();
    }
    TLvPaintInfoGroup &info() { return lv.PaintInfoGroup(); }
};

} // namespace

class tst_LvGroupLayout : public QObject {
    Q_OBJECT

private slots:
    // Sizes top, bottom, left, right (0 leaves the margin hidden); the four rectangles and the client area
    // of a group at (0, 0, 200, 100).
    void marginRects_data()
    {
        QTest::addColumn<bool>("shown");
        QTest::addColumn<QList<int>>("sizes");
        QTest::addColumn<LvRect>("top");
        QTest::addColumn<LvRect>("bottom");
        QTest::addColumn<LvRect>("left");
        QTest::addColumn<LvRect>("right");
        QTest::addColumn<LvRect>("client");

        QTest::newRow("margins off") << false << QList<int>{30, 20, 10, 15} << LvRect() << LvRect() << LvRect()
                                     << LvRect() << LvRect(0, 0, 200, 100);
        QTest::newRow("top only") << true << QList<int>{30, 0, 0, 0} << LvRect(0, 0, 200, 30) << LvRect() << LvRect()
                                  << LvRect() << LvRect(0, 30, 200, 100);
        QTest::newRow("all four") << true << QList<int>{30, 20, 10, 15} << LvRect(10, 0, 185, 30)
                                  << LvRect(10, 80, 185, 100) << LvRect(0, 0, 10, 100) << LvRect(185, 0, 200, 100)
                                  << LvRect(10, 30, 185, 80);
        QTest::newRow("larger than the group") << true << QList<int>{70, 50, 120, 100} << LvRect(120, 0, 100, 70)
                                               << LvRect(120, 50, 100, 100) << LvRect(0, 0, 120, 100)
                                               << LvRect(100, 0, 200, 100) << LvRect(120, 70, 120, 70);
    }
    void marginRects()
    {
        QFETCH(bool, shown);
        QFETCH(QList<int>, sizes);
        Fixture t;
        t.lv.SetShowGroupMargins(shown);
        TLvMargin *margins[] = {&t.info().MarginTop(), &t.info().MarginBottom(), &t.info().MarginLeft(),
                                &t.info().MarginRight()};
        for (int i = 0; i < 4; ++i) {
            margins[i]->SetVisible(sizes[i] > 0);
            margins[i]->SetSize(sizes[i]);
        }
        t.group->SetDisplayRect({0, 0, 200, 100});
        QTEST(t.group->MarginRectTop(), "top");
        QTEST(t.group->MarginRectBottom(), "bottom");
        QTEST(t.group->MarginRectLeft(), "left");
        QTEST(t.group->MarginRectRight(), "right");
        QTEST(t.group->ClientRect(), "client");
    }

    // The top band (0, 0, 400, 30) of an expandable group with a check box and the caption "Grupo" (35 × 13
    // in the fixed-pitch font); the band takes 3 + 2 × 2 pixels at the bottom.
    void topBandParts_data()
    {
        QTest::addColumn<TCommonVAlignment>("valign");
        QTest::addColumn<TAlignment>("align");
        QTest::addColumn<bool>("fullWidth");
        QTest::addColumn<LvRect>("check");
        QTest::addColumn<LvRect>("text");
        QTest::addColumn<LvRect>("band");

        QTest::newRow("top, left, band of a length")
            << TCommonVAlignment::cvaTop << TAlignment::taLeftJustify << false << LvRect(16, 2, 29, 15)
            << LvRect(33, 0, 68, 13) << LvRect(5, 23, 305, 28);
        QTest::newRow("centre, right, full width")
            << TCommonVAlignment::cvaCenter << TAlignment::taRightJustify << true << LvRect(16, 5, 29, 18)
            << LvRect(365, 5, 400, 18) << LvRect(5, 25, 405, 28);
        QTest::newRow("bottom, centred")
            << TCommonVAlignment::cvaBottom << TAlignment::taCenter << false << LvRect(16, 8, 29, 21)
            << LvRect(199, 10, 234, 23) << LvRect(5, 23, 305, 28);
    }
    void topBandParts()
    {
        QFETCH(TCommonVAlignment, valign);
        QFETCH(TAlignment, align);
        QFETCH(bool, fullWidth);
        Fixture t;
        TLvPaintInfoGroup &info = t.info();
        info.SetExpandable(true);
        info.SetCheckType(TLvCheckType::ectBox);
        info.SetCheckSize(10); // 13 pixels at 96 dots per inch
        info.SetVAlignment(valign);
        info.SetAlignment(align);
        info.SetBandFullWidth(fullWidth);
        info.SetBandIndent(5);
        t.group->SetCaption("Grupo");
        t.group->SetDisplayRect({0, 0, 400, 100});

        const TLvRectArrayObject r = t.group->TopBandParts(t.group->MarginRectTop());
        QCOMPARE(r.ExpandButtonArea, LvRect(4, 0, 14, 23)); // 9 + 1 wide, above the band
        QTEST(r.CheckArea, "check");
        QCOMPARE(r.ImageArea, LvRect(29, 0, 29, 23)); // no image: empty at the check box's right
        QCOMPARE(r.LabelArea, LvRect(33, 0, 400, 23));
        QTEST(r.CaptionArea, "text");
        QTEST(r.BandArea, "band");
    }

    // The expand button is as large as the larger glyph in use: the shared ones, or the control's own.
    void expandGlyphs()
    {
        Fixture t;
        TLvGlobalImageManager &store = t.lv.GlobalImages();
        QCOMPARE(store.GroupExpandButton().size(), QSize(9, 9));
        QCOMPARE(store.GroupCollapseButton().size(), QSize(9, 9));
        QCOMPARE(store.ColumnSortUp().size(), QSize(16, 16));
        QCOMPARE(store.ColumnSortDown().size(), QSize(16, 16));
        QVERIFY(store.GroupExpandButton() != store.GroupCollapseButton());

        QImage mine(11, 5, QImage::Format_RGB32);
        mine.fill(Qt::red);
        store.SetGroupExpandButton(mine);
        QCOMPARE(store.GroupExpandButton(), mine);
        TLvViewGroup *view = t.group->View();
        QCOMPARE(view->ExpandButtonSize(t.group), QSize(12, 9));

        QImage own(14, 12, QImage::Format_RGB32);
        own.fill(Qt::blue);
        t.lv.SetGroupCollapseButton(own);
        QCOMPARE(t.lv.GroupCollapseButton().format(), QImage::Format_ARGB32);
        QCOMPARE(view->ExpandButtonSize(t.group), QSize(15, 12));
        t.lv.dpi = 192;
        QCOMPARE(view->ExpandButtonSize(t.group), QSize(16, 12));
    }

    // Expanding and collapsing: one event each, the state-change signal, a forced layout even inside an
    // update bracket, and the bracket closed when a handler throws; nothing while not expandable.
    void expandCollapse()
    {
        Fixture t;
        t.lv.SetShowGroupMargins(false);
        for (int i = 0; i < 3; ++i)
            t.group->Items().Add();
        QStringList log;
        t.lv.OnGroupExpand = [&](TLvGroup *) { log << "expand"; };
        t.lv.OnGroupCollapse = [&](TLvGroup *) { log << "collapse"; };
        t.info().SetExpandable(true);
        QCOMPARE(t.group->VisibleItemCount(), 4);

        t.lv.BeginUpdate();
        t.lv.accessibility.clear();
        t.group->SetExpanded(false);
        QCOMPARE(t.group->VisibleItemCount(), 0); // laid out although updating
        QCOMPARE(t.lv.UpdateCount(), 1);
        t.group->SetExpanded(false);
        t.lv.EndUpdate();
        QCOMPARE(log, QStringList{"collapse"});
        QCOMPARE(t.lv.accessibility, std::vector<int>{0x800A});

        t.lv.OnGroupExpand = [](TLvGroup *) { throw std::runtime_error("handler"); };
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, t.group->SetExpanded(true));
        QVERIFY(t.group->Expanded());
        QCOMPARE(t.lv.UpdateCount(), 0);
        QCOMPARE(t.group->VisibleItemCount(), 4);

        // A handler of the closing EndUpdate that throws reaches the caller too; thrown while a handler's
        // exception is on its way, the first one goes on.
        t.lv.OnEndUpdate = [] { throw std::logic_error("end"); };
        QVERIFY_THROWS_EXCEPTION(std::logic_error, t.group->SetExpanded(false));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, t.group->SetExpanded(true));
        QCOMPARE(t.lv.UpdateCount(), 0);
        t.lv.OnEndUpdate = nullptr;

        t.info().SetExpandable(false);
        log.clear();
        t.lv.OnGroupCollapse = [&](TLvGroup *) { log << "collapse"; };
        t.group->SetExpanded(false);
        QVERIFY(t.group->Expanded());
        QVERIFY(log.isEmpty());
    }

    // The layout pass numbers the visible groups and their visible items across groups; a hidden group
    // takes -1; the scrollable area runs from (0, 0) to the lowest group's bottom.
    void rebuildNumbering()
    {
        FakeListview lv;
        lv.SetView(TLvListStyle::elsReport);
        lv.Header().Columns().Add()->SetWidth(200);
        TLvGroup *groups[3];
        for (TLvGroup *&g : groups) {
            g = lv.Groups().Add();
            g->Items().Add();
            g->Items().Add();
        }
        groups[1]->SetVisible(false);
        groups[2]->Items()[0]->SetVisible(false);
        QCOMPARE(lv.Groups().VisibleCount(), 2);
        QCOMPARE(groups[0]->VisibleIndex(), 0);
        QCOMPARE(groups[1]->VisibleIndex(), -1);
        QCOMPARE(groups[2]->VisibleIndex(), 1);
        QCOMPARE(groups[0]->Items()[1]->VisibleIndex(), 1);
        QCOMPARE(groups[2]->Items()[0]->VisibleIndex(), -1);
        QCOMPARE(groups[2]->Items()[1]->VisibleIndex(), 2);
        const LvRect view = lv.Groups().ViewRect();
        QCOMPARE(view.left, 0);
        QCOMPARE(view.top, 0);
        QCOMPARE(view.bottom, groups[2]->DisplayRect().bottom);
        QVERIFY(view.bottom > groups[0]->DisplayRect().bottom);
    }
};

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    tst_LvGroupLayout t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_LvGroupLayout.moc"
