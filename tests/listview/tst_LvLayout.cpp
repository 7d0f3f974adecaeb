// Layout, cell sizes, selection, scrolling and the drawing utilities without a widget.

#include "FakeListview.h"

#include "listview/LvUtilities.h"

#include <QGuiApplication>
#include <QImage>
#include <QTest>

using namespace gdvorn::lv;

namespace {

// The transmission window's list: report view, nine columns, check boxes of 10 points.
void Transmission(FakeListview &lv)
{
    lv.SetView(TLvListStyle::elsReport);
    lv.Header().SetVisible(true);
    lv.Header().SetHeight(25);
    for (int w : {36, 100, 130, 50, 70, 70, 70, 18, 400})
        lv.Header().Columns().Add()->SetWidth(w);
    lv.PaintInfoItem().SetCheckType(TLvCheckType::ectBox);
    lv.PaintInfoItem().SetCheckFlat(true);
    lv.PaintInfoItem().SetCheckSize(10);
    lv.Selection().SetFullRowSelect(true);
    lv.Selection().SetRectSelect(true);
    lv.Selection().SetMultiSelect(true);
}

LvTextMetrics Fixed()
{
    LvTextMetrics m;
    m.width = [](const QString &s) { return 7 * int(s.size()); };
    m.height = 13;
    m.averageCharWidth = 7;
    m.maxCharWidth = 7;
    return m;
}

} // namespace

class tst_LvLayout : public QObject {
    Q_OBJECT

private slots:
    void cellSizes()
    {
        FakeListview lv;
        TLvCellSize &report = lv.CellSizes().Report;
        QCOMPARE(report.Height(), 17);
        report.SetHeight(0);
        QCOMPARE(report.Height(), 1);
        report.SetHeight(-5);
        QCOMPARE(report.Height(), 1);
        report.SetAutoSizeCaption(true);
        report.SetWidth(120);
        QCOMPARE(report.Width(), 120);
        report.SetAutoSizeCaption(false);
        QCOMPARE(report.Width(), 75);

        FakeListview big;
        big.dpi = 120;
        QCOMPARE(big.CellSizes().Report.Height(), 21);
        QCOMPARE(big.CellSizes().Icon.Width(), 94);
        QCOMPARE(big.CheckBoxBound(10), LvRect(0, 0, 17, 17));
        QCOMPARE(lv.CheckBoxBound(10), LvRect(0, 0, 13, 13));
    }

    void unchangedCellWidthStillRebuilds()
    {
        FakeListview lv;
        Transmission(lv);
        TLvItem *item = lv.Items().Add();
        item->SetDisplayRect({});
        lv.CellSizes().Report.SetWidth(lv.CellSizes().Report.Width());
        QCOMPARE(item->DisplayRect(), LvRect(0, 2, 944, 19));
    }

    void reportLayout()
    {
        FakeListview lv;
        Transmission(lv);
        for (int i = 0; i < 3; ++i)
            lv.Items().Add();
        TLvGroup *g = lv.Groups()[0];
        QCOMPARE(lv.Items()[0]->DisplayRect(), LvRect(0, 2, 944, 19));
        QCOMPARE(lv.Items()[1]->DisplayRect(), LvRect(0, 19, 944, 36));
        QCOMPARE(lv.Items()[2]->DisplayRect(), LvRect(0, 36, 944, 53));
        QCOMPARE(g->DisplayRect().bottom, 57);
        QCOMPARE(lv.Items()[2]->VisibleIndex(), 2);

        lv.Items()[1]->SetVisible(false); // a hidden item takes no height
        QCOMPARE(lv.Items()[1]->DisplayRect(), LvRect(0, 19, 944, 19));
        QCOMPARE(lv.Items()[2]->DisplayRect().top, 19);
        QCOMPARE(lv.Items()[1]->GridRow(), -1);
        QCOMPARE(lv.Items()[2]->GridRow(), 1);
        QCOMPARE(lv.Items()[2]->GridColumn(), 0);

        TLvGroup *second = lv.Groups().Add();
        second->Items().Add();
        QCOMPARE(g->DisplayRect().bottom, 36); // no longer the last group: no 4-pixel tail
        QCOMPARE(second->Items()[0]->DisplayRect(), LvRect(0, 36, 944, 53));
        QCOMPARE(second->Items()[0]->VisibleIndex(), 2);
    }

    void reportWithoutColumns()
    {
        FakeListview lv;
        lv.SetView(TLvListStyle::elsReport);
        lv.Items().Add();
        QCOMPARE(lv.Items()[0]->DisplayRect(), LvRect(0, 2, 0, 19));
        QCOMPARE(lv.Groups()[0]->DisplayRect().left, 0);
    }

    void reportRowGeometry()
    {
        // Row 1 of the transmission window: cell, 13-pixel box, 16-pixel image, caption of column 1.
        FakeListview lv;
        Transmission(lv);
        LvImageList images(16, 16);
        images.Add(QImage(16, 16, QImage::Format_ARGB32));
        lv.SetImagesSmall(&images);
        TLvItem *item = lv.Items().Add();
        item->SetImageIndex(0);
        item->SetCaptions(1, "590123456789");
        TLvColumns &c = lv.Header().Columns();
        const TLvRectArrayObject r0 = item->ItemRectArray(c[0]);
        QCOMPARE(r0.CellArea, LvRect(0, 2, 36, 19));
        QCOMPARE(r0.CheckArea, LvRect(2, 4, 15, 17));
        QCOMPARE(r0.ImageArea, LvRect(17, 2, 33, 18));
        const TLvRectArrayObject r1 = item->ItemRectArray(c[1]);
        QCOMPARE(r1.CheckArea.Width(), 0);
        QCOMPARE(r1.LabelArea.left, 40);
        QCOMPARE(r1.CaptionArea.left, 40);

        TLvItemHitTestInfoSet hit = 0;
        QVERIFY(item->HitTestAt({5, 8}, hit));
        QVERIFY(hit & ehtOnCheck);
        QVERIFY(hit & ehtOnClickSelectBounds); // full-row select: the whole cell
        QVERIFY(!(hit & ehtOnLabel));
    }

    void walksAndHitTest()
    {
        FakeListview lv(400, 100);
        Transmission(lv);
        for (int i = 0; i < 1000; ++i)
            lv.Items().Add();
        const LvRect r(0, 40, 400, 80); // rows at 2 + 17k
        QList<int> met;
        for (TLvItem *it = lv.Groups().FirstVisibleItemInRect(r); it; it = lv.Groups().NextVisibleItemInRect(it, r))
            met << it->Index();
        QCOMPARE(met, (QList<int>{2, 3, 4}));
        TLvItemHitTestInfoSet hit = 0;
        // Window y 25 + 2 is document y 2 (header 25 high).
        QCOMPARE(lv.ItemAt({5, 27}, nullptr, hit), lv.Items()[0]);
        lv.Scrollbars().SetOffsetY(17 * 500);
        QCOMPARE(lv.ItemAt({5, 27}, nullptr, hit), lv.Items()[500]);
        QVERIFY(lv.IsHeaderPoint({5, 20}));
        QVERIFY(!lv.IsHeaderPoint({5, 27}));
    }

    void baseLayout()
    {
        FakeListview lv(400, 300);
        lv.SetView(TLvListStyle::elsIcon); // cells 75 × 75; 399 - 17 wide without a vertical bar: 5 a row
        for (int i = 0; i < 12; ++i)
            lv.Items().Add();
        QCOMPARE(lv.Items()[4]->DisplayRect(), LvRect(300, 0, 375, 75));
        QCOMPARE(lv.Items()[5]->DisplayRect(), LvRect(0, 75, 75, 150));
        QCOMPARE(lv.Items()[7]->GridColumn(), 2);
        QCOMPARE(lv.Items()[7]->GridRow(), 1);
        TLvGridGroup *grid = lv.Groups()[0]->Grid();
        QCOMPARE(grid->AdjacentItem(lv.Items()[7], eadUp), lv.Items()[2]);
        QCOMPARE(grid->AdjacentItem(lv.Items()[7], eadDown), nullptr); // 12 is past the end, no later group

        lv.width = 50; // narrower than a cell: one column
        lv.Groups().Rebuild(true);
        QCOMPARE(lv.Items()[1]->DisplayRect(), LvRect(0, 75, 75, 150));
        QCOMPARE(lv.Groups()[0]->DisplayRect().Width(), 75);

        // Visible indexes run over all groups.
        TLvGroup *second = lv.Groups().Add();
        second->Items().Add();
        lv.Items()[3]->SetVisible(false);
        QCOMPARE(second->Items()[0]->VisibleIndex(), 11);
        QCOMPARE(lv.Items()[4]->VisibleIndex(), 3);
    }

    void listLayout()
    {
        FakeListview lv(450, 100); // 100 - 17: four 17-pixel rows a column
        lv.SetView(TLvListStyle::elsList);
        for (int i = 0; i < 10; ++i)
            lv.Items().Add();
        QCOMPARE(lv.Items()[3]->DisplayRect(), LvRect(0, 51, 200, 68));
        QCOMPARE(lv.Items()[4]->DisplayRect(), LvRect(200, 0, 400, 17));
        QCOMPARE(lv.Items()[5]->GridColumn(), 1);
        QCOMPARE(lv.Items()[5]->GridRow(), 1);
        TLvGridGroup *grid = lv.Groups()[0]->Grid();
        QCOMPARE(grid->AdjacentItem(lv.Items()[5], eadRight), lv.Items()[9]);
        QCOMPARE(grid->AdjacentItem(lv.Items()[5], eadLeft), lv.Items()[1]);
        QCOMPARE(grid->AdjacentItem(lv.Items()[5], eadPageDown), lv.Items()[7]);
        QCOMPARE(grid->AdjacentItem(lv.Items()[5], eadPageUp), lv.Items()[4]);
        QCOMPARE(grid->AdjacentItem(lv.Items()[9], eadDown), lv.Items()[9]);

        lv.height = 10; // shorter than a cell: one row a column
        lv.Groups().Rebuild(true);
        QCOMPARE(lv.Items()[1]->DisplayRect(), LvRect(200, 0, 400, 17));
        QCOMPARE(lv.Groups()[0]->Grid()->RowCount(), 1);
    }

    void iconLayout()
    {
        FakeListview lv(400, 300);
        lv.SetView(TLvListStyle::elsIcon);
        LvImageList large(32, 32);
        lv.SetImagesLarge(&large);
        TLvItem *item = lv.Items().Add();
        item->SetImageIndex(0);
        item->SetCaption("Arquivo");
        TLvRectArrayObject r = item->ItemRectArray(nullptr);
        QCOMPARE(r.CellArea, LvRect(1, 0, 75, 75));
        QCOMPARE(r.ImageArea, LvRect(22, 2, 54, 38)); // centred, 2 from the top, 4 taller than the image
        QCOMPARE(r.CheckArea, LvRect(1, 38, 1, 75));
        QCOMPARE(r.LabelArea, LvRect(1, 39, 75, 75));
        QCOMPARE(r.CaptionArea, LvRect(13, 41, 62, 54)); // 49 wide, centred in 70, at the top
        QCOMPARE(r.SelectionArea, LvRect(11, 39, 64, 56));
        QCOMPARE(r.ClickSelectArea, LvRect(13, 2, 62, 54));

        lv.PaintInfoItem().SetCheckType(TLvCheckType::ectBox);
        r = item->ItemRectArray(nullptr);
        QCOMPARE(r.CheckArea, LvRect(3, 39, 19, 55)); // below the image, CheckIndent from the left

        // Two lines at most; the focused item of a focused control shows the whole caption.
        lv.PaintInfoItem().SetCheckType(TLvCheckType::ectNone);
        item->SetCaption("aaaa bbbb cccc dddd eeee");
        r = item->ItemRectArray(nullptr);
        QCOMPARE(r.CaptionArea.Height(), 26);
        QCOMPARE(r.FullCaptionArea.Height(), 39);
        item->SetFocused(true);
        QCOMPARE(item->ItemRectArray(nullptr).CaptionArea.Height(), 39);
        // The last group grows so that the focused caption stays inside it (41 + 39 = 80).
        lv.Groups().Rebuild(true);
        QCOMPARE(lv.Groups()[0]->DisplayRect().bottom, 80);
    }

    void thumbnailLayout()
    {
        FakeListview lv(400, 300);
        lv.SetView(TLvListStyle::elsThumbnail); // 125 × 143 cells, border 4
        TLvItem *item = lv.Items().Add();
        item->SetCaption("Foto");
        TLvRectArrayObject r = item->ItemRectArray(nullptr);
        QCOMPARE(r.CellArea, LvRect(4, 4, 121, 139));
        QCOMPARE(r.ImageArea, LvRect(4, 4, 121, 113)); // two caption lines below the picture
        QCOMPARE(r.LabelArea, LvRect(8, 114, 121, 139));
        QCOMPARE(r.CaptionArea, LvRect(50, 120, 78, 133)); // centred both ways
        QCOMPARE(r.DragSelectArea, r.CaptionArea);
        QCOMPARE(r.ClickSelectArea, LvRect(4, 4, 121, 135));
        // A rubber band counts only the picture less a tenth of its width all round.
        const LvRect band(50, 118, 60, 125);
        QVERIFY(item->View()->RectTouchesItem(item, band, false));
        QVERIFY(!item->View()->RectTouchesItem(item, band, true));
        QVERIFY(item->View()->RectTouchesItem(item, LvRect(60, 60, 70, 70), true));

        lv.PaintInfoItem().SetHideCaption(true);
        r = item->ItemRectArray(nullptr);
        QCOMPARE(r.ImageArea, r.CellArea);
        QVERIFY(r.CaptionArea.IsEmpty() && r.LabelArea.IsEmpty());
        QCOMPARE(r.SelectionArea, r.ImageArea);

        lv.SetView(TLvListStyle::elsFilmStrip);
        QCOMPARE(QString(item->View()->ClassName()), QString("TLvViewFilmStripItem"));
    }

    void tileLayout()
    {
        FakeListview lv(400, 300);
        lv.SetView(TLvListStyle::elsTile); // 218 × 58 cells, border 4
        lv.PaintInfoItem().SetTileDetailCount(4);
        TLvItem *item = lv.Items().Add();
        item->SetCaption("Nome");
        item->SetCaptions(1, "Tipo");
        item->SetDetails(1, 1);
        item->SetDetails(2, 2); // column 2 has no caption: the lines stop there
        item->SetDetails(3, 1);
        const TLvRectArrayObject r = item->ItemRectArray(nullptr);
        QCOMPARE(r.CheckArea, LvRect(4, 4, 4, 54));
        QCOMPARE(r.ImageArea, LvRect(6, 4, 10, 54));
        QCOMPARE(r.LabelArea, LvRect(16, 4, 212, 54));
        QCOMPARE(r.CaptionLineAreas.size(), std::size_t(2));
        QCOMPARE(r.CaptionLineAreas[0], LvRect(16, 16, 44, 29)); // centred vertically: down by (50 - 26) / 2
        QCOMPARE(r.CaptionLineAreas[1], LvRect(16, 29, 44, 42));
        QCOMPARE(r.CaptionArea, LvRect(16, 16, 44, 42));
        QCOMPARE(r.DragSelectArea, LvRect(16, 16, 39, 42)); // less a fifth of the width
        QCOMPARE(r.ClickSelectArea, LvRect(6, 4, 44, 54));
    }

    void customImageSize()
    {
        FakeListview lv(400, 300);
        lv.SetView(TLvListStyle::elsSmallIcon);
        LvImageList small(16, 16);
        lv.SetImagesSmall(&small);
        TLvItem *item = lv.Items().Add();
        item->SetImageIndex(0);
        QCOMPARE(item->ItemRectArray(nullptr).ImageArea.Width(), 16);
        lv.OnItemImageDrawIsCustom = [](TLvItem *, TLvColumn *, bool &custom) { custom = true; };
        lv.OnItemImageGetSize = [](TLvItem *, TLvColumn *, int &w, int &h) {
            w = 40;
            h = 10;
        };
        const TLvRectArrayObject r = item->ItemRectArray(nullptr);
        QCOMPARE(r.ImageArea.Width(), 40);
        QCOMPARE(r.ImageArea.Height(), 10);
    }

    void adjacentAcrossGroups()
    {
        FakeListview lv(400, 300);
        lv.SetView(TLvListStyle::elsIcon); // five cells a row
        for (int i = 0; i < 7; ++i)
            lv.Items().Add();
        TLvGroup *a = lv.Groups()[0];
        TLvGroup *b = lv.Groups().Add();
        for (int i = 0; i < 3; ++i)
            b->Items().Add();
        TLvItems &ai = a->Items();
        TLvItems &bi = b->Items();
        QCOMPARE(b->Grid()->AdjacentItem(bi[2], eadUp), ai[2]); // A's last row has no column 2
        QCOMPARE(b->Grid()->AdjacentItem(bi[1], eadUp), ai[6]);
        QCOMPARE(a->Grid()->AdjacentItem(ai[3], eadDown), bi[2]); // B has no column 3: the nearest to its left
        QCOMPARE(a->Grid()->AdjacentItem(ai[6], eadDown), bi[1]);
        QCOMPARE(b->Grid()->AdjacentItem(bi[0], eadLeft), ai[6]);
        QCOMPARE(a->Grid()->AdjacentItem(ai[6], eadRight), bi[0]);
        QCOMPARE(b->Grid()->AdjacentItem(bi[2], eadDown), nullptr);

        lv.SetView(TLvListStyle::elsList); // 300 - 17 high: sixteen rows a column, groups side by side
        lv.height = 17 * 3 + 18;           // three rows
        lv.Groups().Rebuild(true);
        QCOMPARE(a->Grid()->RowCount(), 3);
        QCOMPARE(b->Grid()->AdjacentItem(bi[1], eadLeft), ai[4]); // A's last column holds row 0 only
        QCOMPARE(b->Grid()->AdjacentItem(bi[0], eadLeft), ai[6]);
        QCOMPARE(a->Grid()->AdjacentItem(ai[5], eadRight), bi[2]);
        QCOMPARE(a->Grid()->AdjacentItem(ai[6], eadRight), bi[0]);
    }

    void emptyGroupHasNoGridRow()
    {
        FakeListview lv;
        lv.SetView(TLvListStyle::elsIcon);
        TLvItem *item = lv.Items().Add();
        lv.Groups()[0]->SetExpanded(false); // counts 0: no division by zero
        QCOMPARE(lv.Groups()[0]->Grid()->ColumnCount(), 0);
        QCOMPARE(item->GridColumn(), -1);
        QCOMPARE(item->GridRow(), -1);
    }

    void adjacentItems()
    {
        FakeListview lv(400, 25 + 17 * 5);
        Transmission(lv);
        for (int i = 0; i < 20; ++i)
            lv.Items().Add();
        TLvGridGroup *grid = lv.Groups()[0]->Grid();
        QCOMPARE(grid->AdjacentItem(lv.Items()[0], eadDown), lv.Items()[1]);
        QCOMPARE(grid->AdjacentItem(lv.Items()[19], eadDown), nullptr);
        QCOMPARE(grid->AdjacentItem(lv.Items()[0], eadUp), nullptr);
        QCOMPARE(grid->AdjacentItem(lv.Items()[0], eadPageDown), lv.Items()[4]); // the last row showing
        QCOMPARE(grid->AdjacentItem(lv.Items()[4], eadPageDown), lv.Items()[8]);
        lv.Items()[3]->SetVisible(false);
        QVERIFY_THROWS_EXCEPTION(ELvAssertion, grid->AdjacentItem(lv.Items()[3], eadDown));
    }

    void selection()
    {
        FakeListview lv;
        Transmission(lv);
        for (int i = 0; i < 100; ++i)
            lv.Items().Add();
        int changed = 0, bulk = 0;
        lv.OnItemSelectionChanged = [&](TLvItem *) { ++changed; };
        lv.OnItemSelectionsChanged = [&] { ++bulk; };
        lv.OnItemSelectionChanging = [&](TLvItem *item, bool &allow) { allow = item->Index() != 7; };
        lv.Selection().SelectAll();
        QCOMPARE(changed, 99);
        QCOMPARE(bulk, 1);
        QCOMPARE(lv.Selection().Count(), 99);
        lv.Selection().ClearAll();
        QCOMPARE(lv.Selection().Count(), 0);
        QCOMPARE(bulk, 2);
        lv.Selection().ClearAll(); // nothing selected: no event
        QCOMPARE(bulk, 2);

        lv.Selection().SelectRange(lv.Items()[9], lv.Items()[5], true, false); // reversed
        QCOMPARE(lv.Selection().Count(), 4); // 5, 6, 8, 9: 7 refuses
        QCOMPARE(lv.Selection().First(), lv.Items()[5]);

        lv.Selection().SetMultiSelect(false);
        QCOMPARE(lv.Selection().Count(), 0);
        lv.Selection().SelectAll();
        QCOMPARE(lv.Selection().Count(), 0);
        lv.Items()[3]->SetSelected(true);
        lv.Items()[4]->SetSelected(true); // single selection: the other goes, the new one has the focus
        QVERIFY(!lv.Items()[3]->Selected());
        QCOMPARE(lv.Selection().FocusedItem(), lv.Items()[4]);
    }

    void selectionGroups()
    {
        FakeListview lv;
        Transmission(lv);
        for (int i = 0; i < 6; ++i)
            lv.Items().Add();
        lv.Selection().SetGroupSelections(true);
        for (int i = 1; i <= 3; ++i)
            lv.Items()[i]->SetSelected(true);
        lv.Items()[5]->SetSelected(true);
        const auto run = lv.Items()[1]->SelectionGroup();
        QVERIFY(run);
        QCOMPARE(lv.Items()[3]->SelectionGroup(), run);
        QCOMPARE(run->FirstItem, lv.Items()[1]);
        QCOMPARE(run->DisplayRect, LvRect(0, 19, 944, 70));
        QVERIFY(!lv.Items()[5]->SelectionGroup()); // a lone selected item has none
        QVERIFY(!lv.Items()[0]->SelectionGroup());
        lv.Items()[2]->SetSelected(false);
        QVERIFY(!lv.Items()[1]->SelectionGroup());
        QVERIFY(!lv.Items()[3]->SelectionGroup());
        lv.Selection().SelectAll(); // one rebuild at the end of the bracket
        QCOMPARE(lv.Items()[0]->SelectionGroup()->Items.size(), std::size_t(6));
    }

    void bracketsCloseWhenAHandlerThrows()
    {
        FakeListview lv;
        Transmission(lv);
        for (int i = 0; i < 5; ++i)
            lv.Items().Add();
        int bulk = 0;
        lv.OnItemSelectionsChanged = [&] { ++bulk; };
        lv.OnItemSelectionChanged = [&](TLvItem *item) {
            if (item->Index() == 2)
                throw std::runtime_error("handler");
        };
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, lv.Selection().SelectAll());
        QCOMPARE(bulk, 1);
        lv.OnItemSelectionChanged = nullptr;
        lv.Items()[4]->SetSelected(true); // outside a bracket again: at once
        QCOMPARE(bulk, 2);
        // A handler failing as the bracket closes reaches the caller; the next change is announced again.
        lv.OnItemSelectionsChanged = [&] {
            ++bulk;
            throw std::runtime_error("closing");
        };
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, lv.Selection().ClearAll());
        QCOMPARE(bulk, 3);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, lv.Selection().SelectAll());
        QCOMPARE(bulk, 4);
    }

    void rubberBandSelectsWhatItCovers()
    {
        FakeListview lv;
        Transmission(lv);
        lv.Selection().SetEnableDragSelect(true);
        for (int i = 0; i < 10; ++i)
            lv.Items().Add();
        TLvDragRectManager &band = lv.DragRectManager();
        QVERIFY(band.Accept(TCommonMouseButton::cmbLeft, {300, 5}));
        band.Begin();
        band.Drag({300, 40}, 0); // rows 0..2
        QCOMPARE(lv.Selection().Count(), 3);
        band.Drag({300, 25}, 0); // shrinks back: rows 0..1
        QCOMPARE(lv.Selection().Count(), 2);
        band.End();
        QCOMPARE(lv.Selection().Count(), 2);

        // With Ctrl the swept rows are inverted, and restored when the band shrinks back.
        QVERIFY(band.Accept(TCommonMouseButton::cmbLeft, {300, 1}));
        band.Begin();
        band.Drag({300, 40}, cksControl); // rows 0..2
        QVERIFY(!lv.Items()[0]->Selected());
        QVERIFY(!lv.Items()[1]->Selected());
        QVERIFY(lv.Items()[2]->Selected());
        band.Drag({300, 10}, cksControl); // back to row 0
        QVERIFY(!lv.Items()[0]->Selected());
        QVERIFY(lv.Items()[1]->Selected());
        QVERIFY(!lv.Items()[2]->Selected());
    }

    void scrolling()
    {
        FakeListview lv(400, 125); // 100 below the header
        Transmission(lv);
        QStringList log;
        lv.OnScroll = [&](int dx, int dy) { log << QString("%1,%2").arg(dx).arg(dy); };
        for (int i = 0; i < 100; ++i)
            lv.Items().Add();
        QVERIFY(lv.vBar);
        QVERIFY(lv.hBar); // 944 wide
        const int maxY = lv.Scrollbars().ViewRect().Height() + 25 - 125;
        QCOMPARE(lv.vInfo.maximum, lv.Scrollbars().ViewRect().Height() + 25 - 1);
        QCOMPARE(lv.vInfo.page, 125);
        lv.Scrollbars().VertScroll(SB_LINEDOWN, 0);
        QCOMPARE(lv.Scrollbars().OffsetY(), 17);
        lv.Scrollbars().VertScroll(SB_BOTTOM, 0);
        QCOMPARE(lv.Scrollbars().OffsetY(), maxY);
        lv.Scrollbars().VertScroll(SB_LINEDOWN, 0); // at the end: no change, no event
        QCOMPARE(log.size(), 2);
        lv.Scrollbars().VertScroll(SB_TOP, 0);
        QCOMPARE(lv.Scrollbars().OffsetY(), 0);
        lv.Scrollbars().HorzScroll(SB_PAGEDOWN, 0);
        QCOMPARE(lv.Scrollbars().OffsetX(), 400);
        lv.Scrollbars().HorzScroll(SB_TOP, 0);
        QCOMPARE(lv.Scrollbars().OffsetX(), 0);
        int ends = -1;
        lv.OnScrollEnd = [&](int bar) { ends = bar; };
        lv.Scrollbars().HorzScroll(SB_ENDSCROLL, 0);
        QCOMPARE(ends, 1);
    }

    void noBarForADocumentOnePixelNarrower()
    {
        FakeListview lv(945, 300);
        Transmission(lv); // 944 wide
        lv.Items().Add();
        QVERIFY(!lv.hBar);
        lv.width = 942;
        lv.Scrollbars().ReCalculateScrollbars(true, true);
        QVERIFY(lv.hBar);
    }

    void wheel()
    {
        FakeListview lv(400, 25 + 100);
        Transmission(lv);
        for (int i = 0; i < 100; ++i)
            lv.Items().Add();
        lv.Scrollbars().Wheel(-120, 0, 3);
        QCOMPARE(lv.Scrollbars().OffsetY(), 51);
        lv.Scrollbars().Wheel(120, 0, 3);
        QCOMPARE(lv.Scrollbars().OffsetY(), 0);
        lv.CellSizes().Report.SetHeight(300); // taller than the client: still one line a notch
        lv.Scrollbars().Wheel(-120, 0, 3);
        QCOMPARE(lv.Scrollbars().OffsetY(), 300);
    }

    void listSnapping()
    {
        FakeListview lv(450, 100);
        lv.SetView(TLvListStyle::elsList);
        QCOMPARE(lv.WheelMouseDefaultScroll(), TLvDefaultWheelScroll::edwsHorz);
        for (int i = 0; i < 60; ++i)
            lv.Items().Add();
        lv.Scrollbars().SetOffsetX(130);
        QCOMPARE(lv.Scrollbars().OffsetX() % 200, 0);
        lv.Scrollbars().HorzScroll(SB_LINEDOWN, 0);
        QCOMPARE(lv.Scrollbars().OffsetX() % 200, 0);
    }

    void endEllipsis_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QString>("result");
        QTest::newRow("fits") << "abcdef" << 42 << "abcdef";
        QTest::newRow("ab...") << "abcdef" << 35 << "ab...";
        QTest::newRow("narrower than the dots") << "abcdef" << 10 << "...";
        QTest::newRow("empty") << "" << 0 << "";
    }

    void endEllipsis()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QString, result);
        QCOMPARE(EndEllipsis(Fixed(), text, width), result);
    }

    void wordWrap_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("limit");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("two lines") << "one two three" << 7 * 7 << -1 << QStringList{"one two", "three"};
        QTest::newRow("limit 1 keeps the rest") << "one two three" << 7 * 7 << 1 << QStringList{"one two three"};
        QTest::newRow("no empty lines") << "a\n\nb" << 70 << -1 << QStringList{"a", "b"};
        QTest::newRow("width 0") << "abc" << 0 << -1 << QStringList{};
        QTest::newRow("narrower than a character") << "abc" << 5 << -1 << QStringList{"abc"};
        QTest::newRow("no space breaks a word") << "abcdef" << 21 << -1 << QStringList{"abc", "def"};
    }

    void wordWrap()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(int, limit);
        QFETCH(QStringList, lines);
        QCOMPARE(WordWrap(Fixed(), text, width, limit), lines);
    }

    void drawTextCalc()
    {
        LvRect r(10, 0, 30, 20); // narrower than "abcdef" (42)
        DrawTextWide(Fixed(), nullptr, QFont(), Qt::black, "abcdef", r, -1,
                     dtSingleLine | dtCalcRect | dtCalcRectAdjustRight | dtCalcRectKeepWithin);
        QCOMPARE(r, LvRect(10, 0, 52, 13));
        LvRect centred(10, 0, 52, 20), left(10, 0, 52, 20);
        DrawTextWide(Fixed(), nullptr, QFont(), Qt::black, "abcdef", centred, -1, dtSingleLine | dtCalcRect | dtCenter);
        DrawTextWide(Fixed(), nullptr, QFont(), Qt::black, "abcdef", left, -1, dtSingleLine | dtCalcRect);
        QCOMPARE(centred, left);
    }

    void blending_data()
    {
        QTest::addColumn<int>("alpha");
        QTest::addColumn<int>("result");
        QTest::newRow("alpha 0 keeps") << 0 << 0x20;
        QTest::newRow("alpha 256 copies") << 256 << 0xC0;
        QTest::newRow("half") << 128 << 0x70;
    }

    void blending()
    {
        QFETCH(int, alpha);
        QFETCH(int, result);
        const std::uint32_t source = 0xC0C0C0C0;
        std::uint32_t dest = 0x20202020;
        BlendLineConstant(&source, &dest, 1, alpha, 0);
        QCOMPARE(int(dest & 0xFF), result);
    }

    void centreAndConversions()
    {
        QCOMPARE(CenterRectInRect({0, 0, 10, 10}, {0, 0, 4, 20}), LvRect(3, 0, 7, 10));
        QCOMPARE(KeyStatesToDropEffect(cksControl), TCommonDropEffect::cdeCopy);
        QCOMPARE(KeyStatesToDropEffect(cksControl | cksShift), TCommonDropEffect::cdeLink);
        QCOMPARE(KeyStatesToDropEffect(0), TCommonDropEffect::cdeMove);
        QCOMPARE(KeyStatesFromMouseKeys(1 | 8), TCommonKeyStates(cksLButton | cksControl | cksButton));
        QCOMPARE(GradientColor(QColor(0, 0, 0), QColor(255, 255, 255), 0, 2, 1), QColor(128, 128, 128));
        QCOMPARE(ComparePrefixWide("Abcdef", "aBC"), 0);
        QVERIFY(ComparePrefixWide("ab", "abc") != 0);
    }
};

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    tst_LvLayout t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_LvLayout.moc"
