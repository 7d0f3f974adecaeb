// The list-view control offscreen, set up as the transmission window's list: header clicks and
// resizing at the columns' pixel positions, the painting order and pixels, update brackets, the
// context menu, and clicks, keys, the rubber band and the scroll bars on the viewport.

#include "listview/LvAlphaBlender.h"
#include "listview/QtLvDragDrop.h"
#include "listview/QtLvListview.h"
#include "workflows/ufmTransmiteLista.h"

#include <QApplication>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTest>
#include <QThread>

#include <memory>
#include <thread>

using namespace gdvorn::lv;

namespace {

struct Transmission {
    std::unique_ptr<QtLvListview> lv = std::make_unique<QtLvListview>();
    LvImageList images{16, 16};

    explicit Transmission(int rows, QSize size = {800, 25 + 161})
    {
        QtLvListview &l = *lv;
        for (QColor c : {QColor(Qt::green), QColor(Qt::blue), QColor(Qt::magenta)}) {
            QImage img(16, 16, QImage::Format_ARGB32);
            img.fill(c);
            images.Add(img);
        }
        gdvorn::ConfiguraListaTransmissao(l, &images);
        gdvorn::ListaTransmissaoComMarcas(l, true);
        l.resize(size);
        l.show();
        QVERIFY(QTest::qWaitForWindowExposed(&l));
        l.BeginUpdate();
        for (int i = 0; i < rows; ++i) {
            TLvItem *item = l.Items().Add();
            item->SetImageIndex(0);
            for (int c = 1; c < 9; ++c)
                item->SetCaptions(c, QString("r%1c%2").arg(i).arg(c));
        }
        l.EndUpdate(true);
    }

    // The transmission window's handlers that keep check and selection equal.
    void KeepCheckAndSelectionEqual() { gdvorn::MantemMarcaESelecao(*lv); }

    QWidget *vp() const { return lv->viewport(); }
    // Window point of a row's top left (rows start at document y 2 below the 25-pixel header).
    static QPoint Row(int row, int x = 300) { return {x, 25 + 2 + 17 * row + 8}; }
    QImage Render() const
    {
        QImage img(vp()->size(), QImage::Format_ARGB32);
        img.fill(Qt::gray);
        QPainter p(&img);
        lv->PaintRect(p, lv->ClientRect());
        return img;
    }
};

// Records what is painted, in order.
QStringList *recorded = nullptr;

class RecordingItem : public TLvViewReportItem {
public:
    using TLvViewReportItem::TLvViewReportItem;
    const char *ClassName() const override { return "RecordingItem"; }
    void Paint(TLvItem *item, TLvColumn *column, bool force, const LvRect &, LvCanvas &) override
    {
        *recorded << QString("item %1 col %2%3").arg(item->Index()).arg(column ? column->Index() : -1).arg(force ? " force" : "");
    }
};

class RecordingColumn : public TLvViewColumn {
public:
    using TLvViewColumn::TLvViewColumn;
    const char *ClassName() const override { return "RecordingColumn"; }
    void Paint(TLvColumn *column, LvCanvas &) override { *recorded << QString("header %1").arg(column->Index()); }
};

const TLvViewItemClass recordingItem{"RecordingItem", [](ListviewCore *lv) { return std::make_unique<RecordingItem>(lv); }};
const TLvViewColumnClass recordingColumn{"RecordingColumn",
                                         [](ListviewCore *lv) { return std::make_unique<RecordingColumn>(lv); }};

// A mouse move with the keyboard's modifiers held (QTest's move carries none).
void Move(QWidget *w, QPoint pos, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods)
{
    QMouseEvent e(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton, buttons, mods);
    QApplication::sendEvent(w, &e);
}

bool Near(QColor a, QColor b) { return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) < 30; }

} // namespace

class tst_QtLvListview : public QObject {
    Q_OBJECT

private slots:
    // The frame follows BorderStyle, Themed and ShowThemedBorder, Ctl3D and the bevels; the client area
    // grows by what it loses. Themed, only ShowThemedBorder decides.
    void borderStyle_data()
    {
        QTest::addColumn<bool>("single");
        QTest::addColumn<bool>("themed");
        QTest::addColumn<bool>("themedBorder");
        QTest::addColumn<bool>("ctl3D");
        QTest::addColumn<int>("bevelKind");
        QTest::addColumn<int>("shape");
        QTest::addColumn<int>("shadow");
        QTest::addColumn<int>("width"); // -1: the style's
        const int none = int(TBevelKind::bkNone), tile = int(TBevelKind::bkTile), flat = int(TBevelKind::bkFlat);
        const int sunken = int(QFrame::Sunken), raised = int(QFrame::Raised), plain = int(QFrame::Plain);
        QTest::newRow("single unthemed: client edge") << true << false << true << true << none << int(QFrame::Panel) << sunken << 2;
        QTest::newRow("single unthemed without 3-D: a line") << true << false << true << false << none << int(QFrame::Box) << plain << 1;
        QTest::newRow("single themed") << true << true << true << true << none << int(QFrame::StyledPanel) << sunken << -1;
        QTest::newRow("themed border off") << true << true << false << true << none << int(QFrame::NoFrame) << plain << 0;
        QTest::newRow("none unthemed") << false << false << true << true << none << int(QFrame::NoFrame) << plain << 0;
        QTest::newRow("none themed: the themed border") << false << true << true << true << none << int(QFrame::StyledPanel) << sunken << -1;
        QTest::newRow("themed: no bevel") << false << true << false << true << tile << int(QFrame::NoFrame) << plain << 0;
        // The inner bevel is lowered, the outer raised: the raised one is outside.
        QTest::newRow("bevels alone") << false << false << true << true << tile << int(QFrame::Panel) << raised << 2;
        QTest::newRow("bevels round the client edge") << true << false << true << true << tile << int(QFrame::Panel) << raised << 4;
        QTest::newRow("flat bevels") << false << false << true << true << flat << int(QFrame::Box) << plain << 2;
        QTest::newRow("bevels without 3-D") << true << false << true << false << tile << int(QFrame::Box) << plain << 3;
    }
    void borderStyle()
    {
        QFETCH(bool, single);
        QFETCH(bool, themed);
        QFETCH(bool, themedBorder);
        QFETCH(bool, ctl3D);
        QFETCH(int, bevelKind);
        QFETCH(int, shape);
        QFETCH(int, shadow);
        QFETCH(int, width);
        QtLvListview lv;
        lv.resize(200, 100);
        QCOMPARE(lv.BorderStyle(), TBorderStyle::bsSingle);
        QCOMPARE(lv.frameShape(), QFrame::StyledPanel);
        QVERIFY(lv.Ctl3D());
        QCOMPARE(lv.BevelKind(), TBevelKind::bkNone);
        QCOMPARE(lv.BevelInner(), TBevelCut::bvLowered);
        QCOMPARE(lv.BevelOuter(), TBevelCut::bvRaised);
        lv.SetThemed(themed);
        lv.SetShowThemedBorder(themedBorder);
        lv.SetBorderStyle(single ? TBorderStyle::bsSingle : TBorderStyle::bsNone);
        lv.SetCtl3D(ctl3D);
        lv.SetBevelKind(TBevelKind(bevelKind));
        QCOMPARE(int(lv.frameShape()), shape);
        if (shape != int(QFrame::NoFrame))
            QCOMPARE(int(lv.frameShadow()), shadow);
        if (width >= 0)
            QCOMPARE(lv.frameWidth(), width);
        lv.show();
        QVERIFY(QTest::qWaitForWindowExposed(&lv));
        QCOMPARE(lv.viewport()->width(), 200 - 2 * lv.frameWidth());
    }

    void headerClickResizeAndFit()
    {
        Transmission t(3);
        TLvColumns &c = t.lv->Header().Columns();
        QTest::mouseClick(t.vp(), Qt::LeftButton, {}, QPoint(200, 12)); // column 2 (136..266)
        QCOMPARE(c[2]->SortDirection(), TLvSortDirection::esdAscending);
        QTest::mouseClick(t.vp(), Qt::LeftButton, {}, QPoint(200, 12));
        QCOMPARE(c[2]->SortDirection(), TLvSortDirection::esdDescending);

        int changing = 0, changed = 0;
        t.lv->OnColumnSizeChanging = [&](TLvColumn *, int, int, bool &) { ++changing; };
        t.lv->OnColumnSizeChanged = [&](TLvColumn *) { ++changed; };
        QTest::mouseMove(t.vp(), QPoint(137, 12)); // column 1's right edge
        QTest::mousePress(t.vp(), Qt::LeftButton, {}, QPoint(137, 12));
        QTest::mouseMove(t.vp(), QPoint(160, 12));
        QTest::mouseRelease(t.vp(), Qt::LeftButton, {}, QPoint(160, 12));
        QCOMPARE(c[1]->Width(), 124);
        QCOMPARE(c[2]->DisplayRect().left, 160);
        QCOMPARE(changed, 1);
        QVERIFY(changing >= 2);
        QCOMPARE(t.lv->Items()[0]->DisplayRect().right, 944 + 24);

        QTest::mouseMove(t.vp(), QPoint(160, 12));
        QTest::mouseDClick(t.vp(), Qt::LeftButton, {}, QPoint(160, 12));
        const int fitted = QFontMetrics(t.lv->Font()).horizontalAdvance("r0c1") + 8;
        QCOMPARE(c[1]->Width(), fitted);
    }

    void paintingOrder()
    {
        QStringList log;
        recorded = &log;
        Transmission t(2);
        t.lv->OnItemCustomView = [](TLvItem *, TLvListStyle, const TLvViewItemClass *&view) { view = &recordingItem; };
        t.lv->OnColumnCustomView = [](TLvColumn *, const TLvViewColumnClass *&view) { view = &recordingColumn; };
        t.lv->Items()[1]->SetSelected(true);
        QStringList after;
        t.lv->OnAfterPaint = [&](LvCanvas &, const LvRect &) { log << "after"; };
        log.clear();
        t.Render();
        QStringList expected;
        for (int i = 0; i < 9; ++i)
            expected << QString("header %1").arg(i);
        for (int i = 0; i < 9; ++i)
            expected << QString("item 0 col %1").arg(i);
        expected << "item 1 col 0 force"; // the selected row's first cell spans the row
        for (int i = 1; i < 9; ++i)
            expected << QString("item 1 col %1").arg(i);
        expected << "after";
        QCOMPARE(log, expected);
        recorded = nullptr;
    }

    void columnBandCoversItemAreas()
    {
        Transmission t(2);
        t.lv->Header().Columns()[3]->SetBkGndColor(LvColor(0x0000FF)); // red
        QImage img = t.Render();
        const int x = 36 + 100 + 130 + 20; // inside column 3
        QCOMPARE(img.pixelColor(x, 25 + 10), QColor(Qt::red));
        QVERIFY(img.pixelColor(x, 150) != QColor(Qt::red)); // below the group
        t.lv->PaintInfoColumn().SetBkGndColorFillsWindow(true);
        img = t.Render();
        QCOMPARE(img.pixelColor(x, t.vp()->height() - 1), QColor(Qt::red));

        t.lv->SetShowGroupMargins(true); // the top band (30 high) is a margin: no colour there
        img = t.Render();
        QVERIFY(img.pixelColor(x, 25 + 2 + 10) != QColor(Qt::red));
        QCOMPARE(img.pixelColor(x, 25 + 2 + 30 + 5), QColor(Qt::red));
    }

    // Group captions, the footer's included, take the font OnGroupPaintText leaves.
    void groupAndFooterCaptions()
    {
        Transmission t(2);
        t.lv->Groups()[0]->SetCaption("Grupo");
        t.lv->SetShowGroupMargins(true);
        TLvFooterMargin &footer = t.lv->PaintInfoGroup().MarginBottom();
        footer.SetVisible(true);
        footer.SetCaption("Rodapé");
        QCOMPARE(footer.ImageIndex(), -1);
        int fired = 0;
        t.lv->OnGroupPaintText = [&](TLvGroup *, LvCanvas &canvas) {
            ++fired;
            canvas.fontColor = LvColor(0x0000FF); // red
        };
        const QImage img = t.Render();
        QCOMPARE(fired, 2);
        const LvRect bottom = t.lv->Groups()[0]->MarginRectBottom();
        auto redIn = [&](int top, int bottomY) {
            for (int y = top; y < bottomY; ++y)
                for (int x = 0; x < 200; ++x)
                    if (img.pixelColor(x, y) == QColor(Qt::red))
                        return true;
            return false;
        };
        QVERIFY(redIn(25, 25 + 30));                         // the top band's caption
        QVERIFY(redIn(25 + bottom.top, 25 + bottom.bottom)); // the footer's
    }

    void nothingPaintedInsideAnUpdate()
    {
        Transmission t(2);
        int painted = 0;
        LvRect last;
        t.lv->OnAfterPaint = [&](LvCanvas &, const LvRect &r) {
            ++painted;
            last = r;
        };
        t.lv->BeginUpdate();
        t.lv->Items()[0]->SetCaptions(1, "changed");
        t.vp()->repaint(0, 30, 100, 20);
        QCOMPARE(painted, 0);
        t.lv->EndUpdate(true);
        QVERIFY(painted >= 1);
        QCOMPARE(last, LvRect(0, 0, t.vp()->width(), t.vp()->height()));
    }

    void rowGeometryPixels()
    {
        Transmission t(3);
        t.lv->setFocus();
        QVERIFY(QTest::qWaitForWindowActive(t.lv.get()) || true);
        t.lv->Items()[1]->SetChecked(true);
        t.lv->Items()[1]->SetSelected(true);
        t.lv->Items()[1]->SetFocused(true);
        const QImage img = t.Render();
        const int y0 = 25 + 2; // row 0's top
        // Flat box of row 0 at (2, 4) 13 pixels: a black border on its edge, a white face, no mark.
        QCOMPARE(img.pixelColor(2, y0 + 2 + 6), QColor(Qt::black));
        QCOMPARE(img.pixelColor(2 + 12, y0 + 2 + 6), QColor(Qt::black));
        QCOMPARE(img.pixelColor(2 + 6, y0 + 2), QColor(Qt::black));
        QCOMPARE(img.pixelColor(2 + 6, y0 + 2 + 6), QColor(Qt::white));
        // Row 1 is checked: its mark is black in the middle of the box.
        bool mark = false;
        for (int x = 5; x < 12; ++x)
            for (int y = 0; y < 13; ++y)
                mark = mark || img.pixelColor(2 + x, y0 + 17 + 2 + y) == QColor(Qt::black);
        QVERIFY(mark);
        // The image of row 0 at (17, 2).
        QCOMPARE(img.pixelColor(17 + 8, y0 + 8), QColor(Qt::green));
        // The selection of row 1 spans the row from the selection area's left to the last column.
        const QColor highlight = ResolveColor(LvColor(LvColor::clHighlight));
        QVERIFY(Near(img.pixelColor(600, y0 + 17 + 8), highlight));
        QVERIFY(Near(img.pixelColor(300, y0 + 17 + 8), highlight));
        QVERIFY(!Near(img.pixelColor(300, y0 + 8), highlight));
    }

    void headerCellPixels()
    {
        Transmission t(1);
        t.lv->Header().Columns()[1]->SetSortDirection(TLvSortDirection::esdAscending);
        const QImage img = t.Render();
        // The raised edge's dark lines close each column at its right boundary.
        const QRgb dark = ResolveColor(LvColor(LvColor::cl3DDkShadow)).rgb();
        QCOMPARE(img.pixel(35, 12), dark);
        QCOMPARE(img.pixel(135, 12), dark);
        QCOMPARE(img.pixel(265, 12), dark);
        // The sort arrow starts where the caption ends.
        TLvRectArrayObject r;
        TLvColumn *c = t.lv->Header().Columns()[1];
        c->View()->ItemRectArray(c, r);
        QCOMPARE(r.SortGlyphArea.left, r.CaptionArea.right);
        QVERIFY(r.SortGlyphArea.right <= c->DisplayRect().right);
        bool arrow = false;
        for (int x = r.SortGlyphArea.left; x < r.SortGlyphArea.right; ++x)
            for (int y = r.SortGlyphArea.top; y < r.SortGlyphArea.bottom; ++y)
                arrow = arrow || img.pixel(x, y) == ResolveColor(LvColor(LvColor::clBtnShadow)).rgb();
        QVERIFY(arrow);
    }

    void themedPaintsThroughTheStyle()
    {
        Transmission t(2);
        t.lv->Items()[0]->SetChecked(true);
        const QImage plain = t.Render();
        t.lv->SetThemed(true);
        const QImage themed = t.Render();
        const QRect box(2, 25 + 2 + 2, 13, 13), cell(36, 0, 100, 25);
        QVERIFY(plain.copy(box) != themed.copy(box));
        QVERIFY(plain.copy(cell) != themed.copy(cell));
    }

    // A themed header cell shows its caption at its left, sorted or not.
    void themedHeaderShowsTheCaption_data()
    {
        QTest::addColumn<int>("direction");
        QTest::newRow("unsorted") << int(TLvSortDirection::esdNone);
        QTest::newRow("ascending") << int(TLvSortDirection::esdAscending);
        QTest::newRow("descending") << int(TLvSortDirection::esdDescending);
    }
    void themedHeaderShowsTheCaption()
    {
        QFETCH(int, direction);
        Transmission t(2);
        t.lv->SetThemed(true);
        TLvColumn *column = t.lv->Header().Columns()[1];
        column->SetSortDirection(TLvSortDirection(direction));
        const QRect captionPart(36 + 2, 2, 50, 21);
        column->SetCaption(QString());
        const QImage without = t.Render().copy(captionPart);
        column->SetCaption("Nº CREA");
        QVERIFY(t.Render().copy(captionPart) != without);
    }

    void groupBandAndExpandButton()
    {
        Transmission t(3);
        t.lv->SetShowGroupMargins(true); // a 30-pixel top band over the rows
        TLvGroup *group = t.lv->Groups()[0];
        QCOMPARE(t.lv->Items()[0]->DisplayRect().top, 2 + 30);
        const QImage img = t.Render();
        // The band line: 3 pixels of blue fading to the window colour, 2 above the band's bottom.
        const int bandY = 25 + 2 + 30 - 2 - 2;
        QCOMPARE(img.pixelColor(0, bandY), QColor(Qt::blue));
        QVERIFY(img.pixelColor(299, bandY).blue() > 200 && img.pixelColor(299, bandY).red() > 200);

        t.lv->Selection().SetFocusedItem(t.lv->Items()[1]);
        int collapsing = 0;
        t.lv->OnGroupCollapsing = [&](TLvGroup *, bool &allow) { ++collapsing; allow = true; };
        const TLvRectArrayObject r = group->TopBandParts(group->MarginRectTop());
        const QPoint button = t.lv->Scrollbars().MapViewToWindow(
            {(r.ExpandButtonArea.left + r.ExpandButtonArea.right) / 2, (r.ExpandButtonArea.top + r.ExpandButtonArea.bottom) / 2});
        QTest::mouseClick(t.vp(), Qt::LeftButton, {}, button);
        QCOMPARE(collapsing, 1);
        QVERIFY(!group->Expanded());
        QCOMPARE(t.lv->Selection().FocusedItem(), nullptr); // no later group to take the focus
        QCOMPARE(t.lv->Selection().Count(), 0); // the release after an expand press does nothing
        TLvItemHitTestInfoSet hit = 0;
        QCOMPARE(t.lv->ItemAt(Transmission::Row(0), nullptr, hit), nullptr);
    }

    // The user's glyphs replace the drawn ones and the style's: the collapse glyph while expanded.
    void hints()
    {
        Transmission t(2);
        LvRect area;
        QCOMPARE(t.lv->HintAt(Transmission::Row(0, 20), area), QString()); // ehtText without a handler: none
        t.lv->OnHintPopup = [](TLvCollectionItem *target, TLvHintType, QPoint, QString &text, int &, int &, bool &allow) {
            text = target->DisplayCaption();
            allow = true;
        };
        t.lv->Items()[1]->SetCaption("segunda");
        QCOMPARE(t.lv->HintAt(Transmission::Row(1, 20), area), QString("segunda"));
        QCOMPARE(area, t.lv->Scrollbars().MapViewRectToWindow(t.lv->Items()[1]->DisplayRect()));
        // Tool tips: only a caption that does not fit.
        t.lv->SetHintType(TLvHintType::ehtToolTip);
        t.lv->Header().Columns()[0]->SetWidth(200); // room for a caption beside box and image
        QFont small = t.lv->Font();
        small.setPixelSize(9); // a line that fits the 17-pixel row
        t.lv->SetFont(small);
        t.lv->Items()[0]->SetCaption("x");
        QCOMPARE(t.lv->HintAt(Transmission::Row(0, 20), area), QString());
        t.lv->Items()[0]->SetCaption(QString(40, 'W'));
        QCOMPARE(t.lv->HintAt(Transmission::Row(0, 20), area), QString(40, 'W'));
    }

    void keyboardContextMenu()
    {
        Transmission t(5);
        QMenu menu;
        QPoint poppedAt;
        t.lv->SetMenuPopper([&](QMenu *, QPoint global) { poppedAt = t.vp()->mapFromGlobal(global); });
        TLvHitInfoItem hit;
        t.lv->OnItemContextMenu = [&](const TLvHitInfoItem &info, QPoint, QMenu *&m, bool &) {
            hit = info;
            m = &menu;
        };
        int generic = 0;
        t.lv->OnContextMenu = [&](QPoint, bool &) { ++generic; };
        t.lv->Items()[2]->SetSelected(true);
        QCursor::setPos(t.vp()->mapToGlobal(QPoint(400, 100)));
        if (!t.vp()->rect().contains(t.vp()->mapFromGlobal(QCursor::pos())))
            QSKIP("the platform cannot place the cursor");
        t.lv->HandleContextMenu({-1, -1}, true);
        QCOMPARE(hit.Item, t.lv->Items()[2]);
        QCOMPARE(hit.HitInfo, TLvItemHitTestInfoSet(ehtOnIcon | ehtOnLabel));
        QCOMPARE(hit.Column, nullptr);
        QCOMPARE(poppedAt, QPoint(0, 25 + 2 + 34));
        t.lv->Selection().ClearAll();
        t.lv->HandleContextMenu({-1, -1}, true); // no selection: only the generic event
        QCOMPARE(generic, 1);
    }

    void rightDragSwallowsOneMenu()
    {
        Transmission t(5);
        t.lv->Selection().SetEnableDragSelect(true);
        int menus = 0;
        t.lv->OnItemContextMenu = [&](const TLvHitInfoItem &, QPoint, QMenu *&, bool &) { ++menus; };
        // A right press on a row starts no band; below the rows it does.
        const QPoint below(300, 25 + 2 + 17 * 5 + 20);
        QTest::mousePress(t.vp(), Qt::RightButton, {}, below);
        Move(t.vp(), Transmission::Row(3), Qt::RightButton, {});
        QVERIFY(t.lv->HasState(elvsDragRect));
        QTest::mouseRelease(t.vp(), Qt::RightButton, {}, Transmission::Row(3));
        QCOMPARE(menus, 0);
        QTest::mouseClick(t.vp(), Qt::RightButton, {}, Transmission::Row(3, 20)); // on the row's image
        QCOMPARE(menus, 1);
    }

    void clicksOnAMultiSelection()
    {
        Transmission t(5);
        TLvGlobalItems &items = t.lv->Items();
        QTest::mouseClick(t.vp(), Qt::LeftButton, {}, Transmission::Row(1));
        QVERIFY(items[1]->Selected());
        // Ctrl: the press changes nothing, the release selects and focuses.
        QTest::mousePress(t.vp(), Qt::LeftButton, Qt::ControlModifier, Transmission::Row(3));
        QVERIFY(!items[3]->Selected());
        QCOMPARE(t.lv->Selection().FocusedItem(), items[1]);
        QTest::mouseRelease(t.vp(), Qt::LeftButton, Qt::ControlModifier, Transmission::Row(3));
        QVERIFY(items[3]->Selected());
        QCOMPARE(t.lv->Selection().FocusedItem(), items[3]);
        // A plain click on one of them keeps the others during the press, drops them on release.
        QTest::mousePress(t.vp(), Qt::LeftButton, {}, Transmission::Row(1));
        QVERIFY(items[3]->Selected());
        QTest::mouseRelease(t.vp(), Qt::LeftButton, {}, Transmission::Row(1));
        QVERIFY(!items[3]->Selected());
        QVERIFY(items[1]->Selected());
        // Shift: every row met by the rectangle from the anchor row to the clicked row.
        QTest::mouseClick(t.vp(), Qt::LeftButton, Qt::ShiftModifier, Transmission::Row(4));
        QCOMPARE(t.lv->Selection().Count(), 4);
        QVERIFY(!items[0]->Selected());
    }

    void clickOnACheckBox()
    {
        Transmission t(4);
        t.KeepCheckAndSelectionEqual();
        TLvGlobalItems &items = t.lv->Items();
        items[0]->SetSelected(true);
        const QPoint box(8, 25 + 2 + 17 * 2 + 8);
        QTest::mousePress(t.vp(), Qt::LeftButton, {}, box);
        QVERIFY(!items[2]->Checked()); // the press only holds the box
        QVERIFY(items[2]->CheckPending());
        QTest::mouseRelease(t.vp(), Qt::LeftButton, {}, box);
        QVERIFY(items[2]->Checked());
        QVERIFY(items[2]->Selected());
        QVERIFY(items[0]->Selected() && items[0]->Checked()); // the others as they were
        QVERIFY(!items[1]->Selected());
        QCOMPARE(t.lv->CheckManager().PendingObject(), nullptr);
        QTest::mouseClick(t.vp(), Qt::LeftButton, {}, box);
        QVERIFY(!items[2]->Checked());
        QVERIFY(!items[2]->Selected());
    }

    void gestures_data()
    {
        QTest::addColumn<bool>("takeRelease");
        QTest::newRow("release clicks as usual") << false;
        QTest::newRow("gesture takes the release") << true;
    }

    void gestures()
    {
        QFETCH(bool, takeRelease);
        Transmission t(5);
        t.lv->Gesture().SetEnabled(true);
        t.lv->Gesture().SetButton(1); // left
        QString gesture;
        t.lv->OnMouseGesture = [&](const QString &path, bool &doDefault) {
            gesture = path;
            doDefault = takeRelease;
        };
        int clicks = 0;
        t.lv->OnItemClick = [&](TLvItem *, TCommonKeyStates, TLvItemHitTestInfoSet) { ++clicks; };
        QPoint p = Transmission::Row(0, 300);
        QTest::mousePress(t.vp(), Qt::LeftButton, {}, p);
        for (int i = 0; i < 3; ++i)
            Move(t.vp(), p += QPoint(10, 0), Qt::LeftButton, {});
        Move(t.vp(), p += QPoint(1, 1), Qt::LeftButton, {}); // within the tolerance: no letter
        for (int i = 0; i < 2; ++i)
            Move(t.vp(), p += QPoint(0, 10), Qt::LeftButton, {});
        QTest::mouseRelease(t.vp(), Qt::LeftButton, {}, p);
        QCOMPARE(gesture, QString("RD"));
        QCOMPARE(clicks, takeRelease ? 0 : 1);
    }

    // Ctrl with the keypad's plus fits the columns to their contents; the main keyboard's plus does not.
    void ctrlKeypadPlusFitsTheColumns()
    {
        Transmission t(3);
        t.lv->setFocus();
        TLvColumn *wide = t.lv->Header().Columns()[1];
        wide->SetWidth(400);
        QTest::keyClick(t.vp(), Qt::Key_Plus, Qt::ControlModifier);
        QCOMPARE(wide->Width(), 400);
        QTest::keyClick(t.vp(), Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
        QVERIFY(wide->Width() < 400);
    }

    void keys()
    {
        Transmission t(30);
        t.lv->setFocus();
        TLvGlobalItems &items = t.lv->Items();
        QTest::keyClick(t.vp(), Qt::Key_Down); // first: only a focus
        QCOMPARE(t.lv->Selection().FocusedItem(), items[0]);
        QCOMPARE(t.lv->Selection().Count(), 0);
        t.lv->HandleKey(Qt::Key_Down, {});
        QVERIFY(items[1]->Selected());
        t.lv->HandleKey(Qt::Key_Space, {});
        QVERIFY(items[1]->Checked());
        const int page = (t.lv->ClientRectWithoutHeader().Height() - 2 - 2) / 17; // the last row showing
        t.lv->HandleKey(Qt::Key_PageDown, {});
        QCOMPARE(t.lv->Selection().FocusedItem(), items[page]);
        t.lv->HandleKey(Qt::Key_PageDown, {});
        QVERIFY(t.lv->Selection().FocusedItem()->Index() > page);
        QVERIFY(t.lv->Scrollbars().OffsetY() > 0); // scrolled into view
        t.lv->HandleKey(Qt::Key_PageUp, {});
        QVERIFY(t.lv->Selection().FocusedItem()->Index() < 18);
        t.lv->HandleKey(Qt::Key_End, {});
        QCOMPARE(t.lv->Selection().FocusedItem(), items[29]);
        const LvRect view = t.lv->ClientRectWithoutHeader();
        QCOMPARE(view.bottom, items[29]->DisplayRect().bottom); // scrolled into view at the bottom

        Transmission one(1);
        one.lv->Selection().SetFocusedItem(one.lv->Items()[0]);
        one.lv->HandleKey(Qt::Key_Down, {});
        QVERIFY(one.lv->Items()[0]->Selected());

        t.lv->Selection().SetEnabled(false);
        t.lv->Selection().SetUseFocusRect(false); // navigation off: keys scroll by pixels
        const int y = t.lv->Scrollbars().OffsetY();
        t.lv->HandleKey(Qt::Key_Up, {});
        QCOMPARE(t.lv->Scrollbars().OffsetY(), y - 1);
        t.lv->HandleKey(Qt::Key_Home, {});
        QCOMPARE(t.lv->Scrollbars().OffsetY(), 0);
    }

    void clipboardKeys()
    {
        Transmission t(3);
        t.lv->Items()[1]->SetSelected(true);
        int cuts = 0;
        t.lv->OnClipboardCut = [&](bool &, bool &) { ++cuts; }; // leaves Handled false
        t.lv->HandleKey(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(cuts, 2); // again through CutToClipboard
        QVERIFY(!t.lv->Items()[1]->Cut());
        t.lv->OnClipboardCut = [&](bool &, bool &handled) { handled = true; };
        t.lv->HandleKey(Qt::Key_X, Qt::ControlModifier);
        QVERIFY(t.lv->Items()[1]->Cut());
        QVERIFY(!t.lv->Items()[0]->Cut());
        t.lv->HandleKey(Qt::Key_Escape, {});
        QVERIFY(!t.lv->Items()[1]->Cut());
        t.lv->HandleKey(Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(t.lv->Selection().Count(), 3);
        t.lv->HandleKey(Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(t.lv->Header().Columns()[1]->Width(), QFontMetrics(t.lv->Font()).horizontalAdvance("r0c1") + 8);
    }

    void selectionVariants_data()
    {
        QTest::addColumn<bool>("gradient");
        QTest::addColumn<bool>("alphaBlend");
        QTest::newRow("plain") << false << false;
        QTest::newRow("gradient") << true << false;
        QTest::newRow("blended") << false << true;
        QTest::newRow("blended gradient") << true << true;
    }
    void selectionVariants()
    {
        QFETCH(bool, gradient);
        QFETCH(bool, alphaBlend);
        Transmission t(3);
        TLvSelectionManager &s = t.lv->Selection();
        s.SetPopupMode(true); // the active colours without depending on the window's focus
        s.SetColor(LvColor(0xFF0000));             // blue (the component's colours are 0x00BBGGRR)
        s.SetGradientColorTop(LvColor(0x0000FF));  // red
        s.SetGradientColorBottom(LvColor(0xFF0000)); // blue
        s.SetGradient(gradient);
        s.SetAlphaBlend(alphaBlend);
        t.lv->Items()[1]->SetSelected(true);
        const QImage img = t.Render();
        const int top = 25 + 2 + 17; // row 1
        const QColor upper = img.pixelColor(700, top + 1), lower = img.pixelColor(700, top + 15);
        if (!gradient && !alphaBlend) {
            QCOMPARE(upper, QColor(0, 0, 255));
        } else if (!alphaBlend) {
            QVERIFY(upper.red() > 200 && upper.blue() < 60);
            QVERIFY(lower.blue() > 200 && lower.red() < 60);
        } else if (!gradient) {
            // Blue at 128/256 over the white background.
            QVERIFY(std::abs(upper.red() - 127) < 10 && upper.blue() > 245);
            QCOMPARE(upper, lower);
        } else {
            // The gradient at 80 % over white.
            QVERIFY(upper.red() > 230 && upper.green() > 35 && upper.green() < 70);
            QVERIFY(lower.blue() > 230 && lower.green() > 35 && lower.green() < 70);
        }
        QVERIFY(img.pixelColor(700, 25 + 2 + 8) == QColor(Qt::white)); // row 0 stays unselected
    }

    void itemImages()
    {
        Transmission t(2);
        const QPoint image0(17 + 8, 25 + 2 + 8), image1(17 + 8, 25 + 2 + 17 + 8);
        t.lv->SetDisabledBlendColor(LvColor(0x0000FF));
        t.lv->Items()[0]->SetEnabled(false);
        QImage img = t.Render();
        QCOMPARE(img.pixelColor(image1), QColor(Qt::green));
        const QColor disabled = img.pixelColor(image0);
        QVERIFY(disabled.red() > 40 && disabled.green() > 150); // a quarter of red into the green

        // An owner-drawn image: its size from the item, its drawing by the handler, nothing else.
        QList<LvRect> drawn;
        t.lv->OnItemImageDrawIsCustom = [](TLvItem *item, TLvColumn *, bool &custom) { custom = item->Index() == 1; };
        t.lv->OnItemImageGetSize = [](TLvItem *, TLvColumn *, int &w, int &h) {
            w = 8;
            h = 8;
        };
        t.lv->OnItemImageDraw = [&](TLvItem *, TLvColumn *column, LvCanvas &canvas, const TLvRectArrayObject &r,
                                    TLvAlphaBlender *) {
            if (!column || column->Index() == 0) {
                drawn << r.ImageArea;
                canvas.painter->fillRect(r.ImageArea.ToQRect(), Qt::red);
            }
        };
        img = t.Render();
        QCOMPARE(drawn.size(), 1);
        QCOMPARE(drawn[0], LvRect(17, 19 + 4, 25, 19 + 12));
        QCOMPARE(img.pixelColor(17 + 4, 25 + 19 + 8), QColor(Qt::red));
        QVERIFY(img.pixelColor(17 + 12, 25 + 19 + 8) != QColor(Qt::green));
    }

    void iconAndThumbnailViews()
    {
        Transmission t(3);
        t.lv->SetView(TLvListStyle::elsThumbnail);
        QList<LvRect> offered;
        t.lv->OnItemThumbnailDraw = [&](TLvItem *, LvCanvas &canvas, const LvRect &rect, TLvAlphaBlender *blender,
                                        bool &doDefault) {
            QCOMPARE(blender, &SharedAlphaBlender());
            offered << rect;
            canvas.painter->fillRect(rect.ToQRect(), Qt::red);
            doDefault = false;
        };
        QImage img = t.Render();
        QCOMPARE(offered.size(), 3);
        // The cell less the border, less the border again.
        QCOMPARE(offered[0], LvRect(8, 8, 117, 135));
        const QPoint inside = t.lv->Scrollbars().MapViewToWindow({60, 60});
        QCOMPARE(img.pixelColor(inside), QColor(Qt::red));

        // Icon view paints the captions under the images.
        t.lv->OnItemThumbnailDraw = nullptr;
        t.lv->SetView(TLvListStyle::elsIcon);
        t.lv->Items()[0]->SetCaption("Arquivo");
        img = t.Render();
        const TLvRectArrayObject r = t.lv->Items()[0]->ItemRectArray(nullptr);
        const LvRect caption = t.lv->Scrollbars().MapViewRectToWindow(r.CaptionArea);
        bool text = false;
        for (int x = caption.left; x < caption.right; ++x)
            for (int y = caption.top; y < caption.bottom; ++y)
                text = text || img.pixelColor(x, y).lightness() < 128;
        QVERIFY(text);
    }

    void headerDropDownButton()
    {
        Transmission t(1);
        TLvColumn *c = t.lv->Header().Columns()[2];
        c->DropDownButton().SetVisible(true);
        c->DropDownButton().SetAlwaysShow(true);
        TLvRectArrayObject r;
        c->View()->ItemRectArray(c, r);
        QCOMPARE(r.DropDownArrowArea, LvRect(243, 2, 264, 23)); // the cell's height square at its right
        const QImage img = t.Render();
        int dark = 0;
        for (int x = r.DropDownArrowArea.left; x < r.DropDownArrowArea.right; ++x)
            for (int y = r.DropDownArrowArea.top; y < r.DropDownArrowArea.bottom; ++y)
                dark += img.pixelColor(x, y) == QColor(Qt::black);
        QVERIFY(dark >= 6); // the arrow

        c->DropDownButton().SetEnabled(false);
        const QImage greyed = t.Render();
        for (int x = r.DropDownArrowArea.left; x < r.DropDownArrowArea.right; ++x)
            for (int y = r.DropDownArrowArea.top; y < r.DropDownArrowArea.bottom; ++y)
                QVERIFY(greyed.pixelColor(x, y) != QColor(Qt::black));
    }

    void headerOwnerDrawnImage()
    {
        Transmission t(1);
        TLvColumn *c = t.lv->Header().Columns()[1];
        c->SetImageIndex(0); // no header image list: only the handler gives the image a size
        t.lv->OnColumnImageDrawIsCustom = [c](TLvColumn *column, bool &custom) { custom = column == c; };
        t.lv->OnColumnImageGetSize = [](TLvColumn *, int &w, int &h) {
            w = 10;
            h = 10;
        };
        t.lv->OnColumnImageDraw = [](TLvColumn *, LvCanvas &canvas, const TLvRectArrayObject &r, TLvAlphaBlender *) {
            canvas.painter->fillRect(r.ImageArea.ToQRect(), Qt::red);
        };
        TLvRectArrayObject r;
        c->View()->ItemRectArray(c, r);
        QCOMPARE(r.ImageArea, LvRect(36 + 2 + 2, 7, 36 + 2 + 2 + 10, 17)); // ImageIndent from the cell, centred
        const QImage img = t.Render();
        QCOMPARE(img.pixelColor(r.ImageArea.left + 5, r.ImageArea.top + 5), QColor(Qt::red));
    }

    void keysWhileDraggingABand()
    {
        Transmission t(40, {300, 25 + 161});
        t.lv->Selection().SetFullRowSelect(false);
        t.lv->Selection().SetEnableDragSelect(true);
        const QPoint start(250, Transmission::Row(1).y());
        QTest::mousePress(t.vp(), Qt::LeftButton, {}, start);
        Move(t.vp(), QPoint(10, Transmission::Row(3).y()), Qt::LeftButton, {}); // over column 0's captions
        QVERIFY(t.lv->HasState(elvsDragRect));
        TLvScrollbarManager &sb = t.lv->Scrollbars();
        QTest::keyClick(t.lv.get(), Qt::Key_Down);
        QCOMPARE(sb.OffsetY(), 17);
        QTest::keyClick(t.lv.get(), Qt::Key_PageDown); // by the client height below the header
        QCOMPARE(sb.OffsetY(), 17 + t.lv->ClientHeight() - 25);
        // The band followed the view: it reaches the rows now under the pointer.
        QVERIFY(t.lv->Items()[10]->Selected() && t.lv->Items()[1]->Selected() && !t.lv->Items()[0]->Selected());
        QTest::keyClick(t.lv.get(), Qt::Key_Home);
        QCOMPARE(sb.OffsetY(), 0);
        QVERIFY(!t.lv->Items()[10]->Selected() && t.lv->Items()[3]->Selected());
        QTest::keyClick(t.lv.get(), Qt::Key_End);
        QCOMPARE(sb.OffsetY(), sb.MaxOffsetY());
        QCOMPARE(sb.OffsetX(), sb.MaxOffsetX());
        QTest::keyClick(t.lv.get(), Qt::Key_A); // other keys do nothing
        QCOMPARE(sb.OffsetY(), sb.MaxOffsetY());
        QTest::mouseRelease(t.vp(), Qt::LeftButton, {}, QPoint(10, Transmission::Row(3).y()));
        QVERIFY(!t.lv->HasState(elvsDragRect));
    }

    void rubberBand()
    {
        Transmission t(8, {300, 25 + 161});
        t.lv->Selection().SetEnableDragSelect(true);
        TLvGlobalItems &items = t.lv->Items();
        // Full-row rows leave no room beside them: the band starts below the last row.
        t.lv->BeginUpdate();
        for (int i = 0; i < 8; ++i)
            items[i]->SetVisible(i < 6);
        t.lv->EndUpdate(true);
        const QPoint start(100, 25 + 2 + 17 * 6 + 10);
        QTest::mousePress(t.vp(), Qt::LeftButton, {}, start);
        Move(t.vp(), QPoint(100, 25 + 2 + 17 * 3 + 5), Qt::LeftButton, {});
        Move(t.vp(), QPoint(100, 25 + 2 + 17 * 2 + 5), Qt::LeftButton, {});
        QTest::mouseRelease(t.vp(), Qt::LeftButton, {}, QPoint(100, 25 + 2 + 17 * 2 + 5));
        QCOMPARE(t.lv->Selection().Count(), 4); // rows 2..5, also the one the last move reached
        QVERIFY(items[2]->Selected() && !items[1]->Selected());

        QTest::mousePress(t.vp(), Qt::LeftButton, Qt::ControlModifier, start);
        Move(t.vp(), QPoint(100, 25 + 2 + 17 * 4 + 5), Qt::LeftButton, Qt::ControlModifier);
        QTest::mouseRelease(t.vp(), Qt::LeftButton, Qt::ControlModifier, QPoint(100, 25 + 2 + 17 * 4 + 5));
        QVERIFY(items[2]->Selected() && items[3]->Selected());
        QVERIFY(!items[4]->Selected() && !items[5]->Selected()); // inverted
    }

    // Each operation of the bar scrolls, then ends with one OnScrollEnd; dragging the thumb is one
    // operation, under way (elvsScrolling) until the thumb is let go.
    void scrollBars_data()
    {
        QTest::addColumn<int>("action");
        QTest::addColumn<int>("expected");
        QTest::newRow("line") << int(QAbstractSlider::SliderSingleStepAdd) << 17;
        QTest::newRow("page") << int(QAbstractSlider::SliderPageStepAdd) << 0; // the client height
        QTest::newRow("bottom") << int(QAbstractSlider::SliderToMaximum) << -1;
        QTest::newRow("thumb") << int(QAbstractSlider::SliderMove) << 17 * 3;
    }

    void scrollBars()
    {
        QFETCH(int, action);
        QFETCH(int, expected);
        Transmission t(100);
        QScrollBar *bar = t.lv->verticalScrollBar();
        QVERIFY(bar->isVisible());
        const int maxOffset = t.lv->Scrollbars().MaxOffsetY();
        QCOMPARE(bar->maximum(), maxOffset);
        QCOMPARE(bar->pageStep(), t.vp()->height());
        QList<int> ends;
        t.lv->OnScrollEnd = [&](int bar) { ends << bar; };
        if (action == int(QAbstractSlider::SliderMove)) {
            bar->setSliderDown(true);
            bar->setSliderPosition(expected);
            QVERIFY(t.lv->HasState(elvsScrolling));
            QVERIFY(ends.isEmpty());
            bar->setSliderDown(false);
        } else {
            bar->triggerAction(QAbstractSlider::SliderAction(action));
        }
        QVERIFY(!t.lv->HasState(elvsScrolling));
        QCOMPARE(ends, QList<int>{0});
        QCOMPARE(t.lv->Scrollbars().OffsetY(), expected < 0 ? maxOffset : expected == 0 ? t.vp()->height() : expected);
        QCOMPARE(bar->value(), t.lv->Scrollbars().OffsetY());
    }

    // The window exists from the first show: the list is laid out then, and the drop registration
    // follows the drag managers' Enabled from then on.
    void creationAtTheFirstShow()
    {
        QtLvListview lv;
        lv.SetView(TLvListStyle::elsReport);
        lv.Header().Columns().Add()->SetWidth(100);
        lv.Items().Add()->SetCaption("a");
        lv.DragManager().SetEnabled(true);
        QVERIFY(!lv.HandleAllocated());
        QVERIFY(!lv.HasState(elvsDropTargetRegistered));
        QVERIFY(!lv.viewport()->acceptDrops());
        QVERIFY(lv.Items()[0]->DisplayRect().IsEmpty());
        lv.resize(200, 100);
        lv.show();
        QVERIFY(QTest::qWaitForWindowExposed(&lv));
        QVERIFY(lv.HandleAllocated());
        QVERIFY(lv.HasState(elvsDropTargetRegistered));
        QVERIFY(lv.viewport()->acceptDrops());
        QVERIFY(!lv.Items()[0]->DisplayRect().IsEmpty());
        lv.DragManager().SetEnabled(false);
        lv.Header().SetDraggable(false); // the header's column drag takes drops too
        QVERIFY(!lv.HasState(elvsDropTargetRegistered));
        QVERIFY(!lv.viewport()->acceptDrops());
    }

    // A worker thread's call runs OnThreadCallBack later, on the control's thread.
    void threadCallBack()
    {
        QtLvListview lv;
        QList<QThread *> ranOn;
        lv.OnThreadCallBack = [&] { ranOn << QThread::currentThread(); };
        std::thread worker([&] { lv.PostThreadCallBack(); });
        worker.join();
        QVERIFY(ranOn.isEmpty());
        QTRY_COMPARE(ranOn.size(), 1);
        QCOMPARE(ranOn.front(), lv.thread());
    }

    void wheel()
    {
        Transmission t(100);
        QWheelEvent e(QPointF(100, 100), t.vp()->mapToGlobal(QPointF(100, 100)), {}, QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(t.vp(), &e);
        QCOMPARE(t.lv->Scrollbars().OffsetY(), 17 * QApplication::wheelScrollLines());
    }
};

QTEST_MAIN(tst_QtLvListview)
#include "tst_QtLvListview.moc"
