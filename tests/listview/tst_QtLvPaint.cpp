// How the list view paints, offscreen: the painter handed in comes back as it was, column bands and grid
// lines, a selection run's band, the focused item painted last, drag images, the insert mark, painting
// held back inside an update bracket, and a paint that visits only what is visible.

#include "listview/QtLvListview.h"
#include "listview/QtLvDragDrop.h"
#include "listview/QtLvPainters.h"
#include "listview/LvViewGroup.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

#include <memory>
#include <stdexcept>

using namespace gdvorn::lv;

Q_DECLARE_METATYPE(gdvorn::lv::LvRect)

namespace {

const QColor kRed(255, 0, 0);
const QColor kGray(128, 128, 128);

// A report list of three columns under a 25-pixel header.
struct Report {
    std::unique_ptr<QtLvListview> lv = std::make_unique<QtLvListview>();

    explicit Report(int rows, QSize size = {400, 25 + 161})
    {
        QtLvListview &l = *lv;
        l.SetView(TLvListStyle::elsReport);
        l.SetThemed(false);
        l.Header().SetHeight(25);
        l.Header().SetShowInAllViews(true);
        l.Header().SetVisible(true);
        for (int w : {36, 100, 130})
            l.Header().Columns().Add()->SetWidth(w);
        l.Selection().SetMultiSelect(true);
        l.resize(size);
        l.show();
        QVERIFY(QTest::qWaitForWindowExposed(&l));
        l.BeginUpdate();
        for (int i = 0; i < rows; ++i) {
            TLvItem *item = l.Items().Add();
            item->SetCaption(QString("r%1").arg(i));
            for (int c = 1; c < 3; ++c)
                item->SetCaptions(c, QString("r%1c%2").arg(i).arg(c));
        }
        l.EndUpdate(true);
    }

    QWidget *vp() const { return lv->viewport(); }
    // A window point inside an item, `dx` pixels from its left edge.
    QPoint In(int item, int dx) const
    {
        const LvRect r = lv->Scrollbars().MapViewRectToWindow(lv->Items()[item]->DisplayRect());
        return {r.left + dx, (r.top + r.bottom) / 2};
    }
    // Paints `rect` (the whole client area by default) on a gray picture.
    QImage Render(LvRect rect = {}, bool selectedOnly = false) const
    {
        QImage img(vp()->size(), QImage::Format_ARGB32);
        img.fill(kGray);
        QPainter p(&img);
        lv->PaintRect(p, rect.IsEmpty() ? lv->ClientRect() : rect, selectedOnly);
        return img;
    }
};

bool Near(QColor a, QColor b) { return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) < 30; }

// Records the items painted, in order; throws for the item given.
QStringList *recorded = nullptr;
int throwFor = -1;

template <class Base> class Recording : public Base {
public:
    using Base::Base;
    const char *ClassName() const override { return "Recording"; }
    void Paint(TLvItem *item, TLvColumn *column, bool, const LvRect &, LvCanvas &) override
    {
        if (item->Index() == throwFor)
            throw std::runtime_error("painter failed");
        if (recorded)
            *recorded << QString("%1/%2").arg(item->Index()).arg(column ? column->Index() : -1);
    }
};

const TLvViewItemClass recordingReport{"Recording",
                                       [](ListviewCore *lv) { return std::make_unique<Recording<TLvViewReportItem>>(lv); }};
const TLvViewItemClass recordingIcon{"Recording",
                                     [](ListviewCore *lv) { return std::make_unique<Recording<TLvViewIconItem>>(lv); }};

void Record(QtLvListview &lv, const TLvViewItemClass &view)
{
    lv.OnItemCustomView = [&view](TLvItem *, TLvListStyle, const TLvViewItemClass *&chosen) { chosen = &view; };
}

} // namespace

class tst_QtLvPaint : public QObject {
    Q_OBJECT

private slots:
    void cleanup()
    {
        recorded = nullptr;
        throwFor = -1;
    }

    // A painter that throws leaves the caller's painter with its own origin and clip.
    void painterComesBackAfterAThrow()
    {
        Report t(3);
        Record(*t.lv, recordingReport);
        throwFor = 1;
        QImage img(t.vp()->size(), QImage::Format_ARGB32);
        QPainter p(&img);
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, t.lv->PaintRect(p, t.lv->ClientRect()));
        QVERIFY(p.transform().isIdentity());
        QVERIFY(!p.hasClipping());
    }

    void columnBandReachesTheBottom()
    {
        Report t(2);
        t.lv->Header().Columns()[1]->SetBkGndColor(LvColor(0x0000FF)); // red
        t.lv->PaintInfoColumn().SetBkGndColorFillsWindow(true);
        const int x = 36 + 50, bottom = t.vp()->height() - 1;
        // Only a strip below the group is painted: the band still fills it.
        QImage img = t.Render({0, bottom - 20, t.vp()->width(), bottom + 1});
        QCOMPARE(img.pixelColor(x, bottom), kRed);
        QCOMPARE(img.pixelColor(x, bottom - 30), kGray); // outside the painted strip

        // A hidden group after the list's own: the band of the last group shown reaches the bottom.
        TLvGroup *hidden = t.lv->Groups().Add();
        hidden->SetVisible(false);
        img = t.Render();
        QCOMPARE(img.pixelColor(x, bottom), kRed);

        // The focused column, highlighted, takes the highlight colour.
        t.lv->PaintInfoColumn().SetHilightFocused(true);
        t.lv->PaintInfoColumn().SetHilightFocusedColor(LvColor(0x00FF00));
        t.lv->Selection().SetFocusedColumn(t.lv->Header().Columns()[2]);
        img = t.Render();
        QCOMPARE(img.pixelColor(36 + 100 + 50, bottom), QColor(0, 255, 0));
        QCOMPARE(img.pixelColor(x, bottom), kRed);
    }

    void gridLines()
    {
        Report t(3);
        t.lv->PaintInfoItem().SetGridLines(true);
        t.lv->PaintInfoItem().SetGridLineColor(LvColor(0x0000FF));
        const QImage img = t.Render();
        // Vertical lines at each column's right edge, over the group's item area.
        const QPoint row1 = t.In(1, 0);
        QCOMPARE(img.pixelColor(36, row1.y()), kRed);
        QCOMPARE(img.pixelColor(136, row1.y()), kRed);
        QVERIFY(img.pixelColor(35, row1.y()) != kRed);
        QVERIFY(img.pixelColor(37, row1.y()) != kRed);
        // A horizontal line on each row's last pixel row, across the client width.
        const LvRect r = t.lv->Scrollbars().MapViewRectToWindow(t.lv->Items()[1]->DisplayRect());
        QCOMPARE(img.pixelColor(300, r.bottom - 1), kRed);
        QCOMPARE(img.pixelColor(t.vp()->width() - 1, r.bottom - 1), kRed);
        QVERIFY(img.pixelColor(300, r.bottom - 2) != kRed);
        // Not in the header.
        QVERIFY(img.pixelColor(36, 12) != kRed);
    }

    // With selection runs, the run's band is painted by its first row over all the run's rows.
    void selectionRunBand()
    {
        Report t(6);
        t.lv->Selection().SetGroupSelections(true);
        for (int i = 1; i <= 3; ++i)
            t.lv->Items()[i]->SetSelected(true);
        QVERIFY(t.lv->Items()[2]->SelectionGroup());
        const QColor window = ResolveColor(t.lv->Color());
        const int x = 36 + 100 + 120; // past the captions of the third column
        QImage img = t.Render();
        const QColor band = img.pixelColor(t.In(1, x));
        QVERIFY(!Near(band, window));
        QCOMPARE(img.pixelColor(t.In(2, x)), band);
        QCOMPARE(img.pixelColor(t.In(3, x)), band);
        QCOMPARE(img.pixelColor(t.In(4, x)), window);

        // Painting only the run's last row still paints the band there.
        const LvRect last = t.lv->Scrollbars().MapViewRectToWindow(t.lv->Items()[3]->DisplayRect());
        img = t.Render(last);
        QCOMPARE(img.pixelColor(t.In(3, x)), band);
    }

    // Rows scrolled under the header do not paint over it.
    void headerStaysOnTop()
    {
        Report t(40);
        t.lv->Selection().SetFullRowSelect(true);
        t.lv->Items()[0]->SetSelected(true);
        t.lv->Items()[1]->SetSelected(true);
        const QRect header(0, 0, t.vp()->width(), 25);
        const QImage unscrolled = t.Render().copy(header);
        t.lv->Scrollbars().SetOffsetY(10);
        QCOMPARE(t.lv->Scrollbars().OffsetY(), 10);
        const QImage scrolled = t.Render();
        QCOMPARE(scrolled.copy(header), unscrolled);
        QVERIFY(!Near(scrolled.pixelColor(t.In(1, 200)), ResolveColor(t.lv->Color())));
        QCOMPARE(scrolled.pixelColor(t.In(1, 200)), scrolled.pixelColor(200, 25)); // row 0's visible part
    }

    // In icon views the focused item is painted after the others, also when only a neighbour is painted,
    // but not while its group is collapsed, nor into a drag image unless it is selected.
    void focusedItemPaintedLast()
    {
        Report t(4);
        t.lv->SetView(TLvListStyle::elsIcon);
        Record(*t.lv, recordingIcon);
        t.lv->Items()[1]->SetFocused(true);
        QCOMPARE(t.lv->Selection().FocusedItem(), t.lv->Items()[1]);
        QStringList log;
        recorded = &log;
        t.Render();
        QCOMPARE(log, QStringList({"0/-1", "2/-1", "3/-1", "1/-1"}));

        log.clear();
        t.Render(t.lv->Scrollbars().MapViewRectToWindow(t.lv->Items()[3]->DisplayRect()));
        QCOMPARE(log, QStringList({"3/-1", "1/-1"}));

        log.clear();
        t.lv->Items()[1]->SetSelected(false);
        t.lv->Items()[3]->SetSelected(true);
        t.lv->Items()[1]->SetFocused(true);
        QVERIFY(!t.lv->Items()[1]->Selected());
        t.Render({}, true);
        QCOMPARE(log, QStringList({"3/-1"}));

        log.clear();
        t.lv->Groups()[0]->SetExpanded(false);
        t.Render();
        QCOMPARE(log, QStringList());
    }

    // With full-row selection the focused row gets a focus rectangle while the control has the focus, from
    // the selection area's left edge, or from the row's own with full-cell or full-item painting.
    void reportFocusRectangle_data()
    {
        QTest::addColumn<bool>("fullCell");
        QTest::addColumn<bool>("fullItem");
        QTest::addColumn<bool>("focused");
        QTest::addColumn<bool>("selectedOnly");
        QTest::addColumn<int>("left"); // 0 the row's left, 1 the selection area's, -1 none
        QTest::newRow("plain") << false << false << true << false << 1;
        QTest::newRow("full cell") << true << false << true << false << 0;
        QTest::newRow("full item") << false << true << true << false << 0;
        QTest::newRow("control without focus") << false << false << false << false << -1;
        QTest::newRow("drag image") << true << false << true << true << -1;
    }

    void reportFocusRectangle()
    {
        QFETCH(bool, fullCell);
        QFETCH(bool, fullItem);
        QFETCH(bool, focused);
        QFETCH(bool, selectedOnly);
        QFETCH(int, left);
        Report t(3);
        QtLvListview &lv = *t.lv;
        lv.PaintInfoItem().SetCheckType(TLvCheckType::ectBox);
        lv.Selection().SetFullRowSelect(true);
        lv.Selection().SetUseFocusRect(true);
        lv.Selection().SetFullCellPaint(fullCell);
        lv.Selection().SetFullItemPaint(fullItem);
        lv.Items()[1]->SetSelected(true);
        lv.Items()[1]->SetFocused(true);
        if (focused) {
            lv.activateWindow();
            lv.setFocus();
            QTRY_VERIFY(lv.Focused());
        } else {
            lv.clearFocus();
            QVERIFY(!lv.Focused());
        }
        const LvRect row = lv.Scrollbars().MapViewRectToWindow(lv.Items()[1]->DisplayRect());
        const int area =
            lv.Scrollbars()
                .MapViewToWindow({lv.Items()[1]->ItemRectArray(lv.Header().FirstVisibleColumn()).SelectionArea.left, 0})
                .x();
        QVERIFY(area > row.left + 4); // past the check box
        const QImage img = t.Render({}, selectedOnly);
        // The dotted frame's top edge on the row's first pixel row: its leftmost black pixel.
        int first = -1;
        for (int x = 0; x < row.right && first < 0; ++x)
            if (img.pixelColor(x, row.top) == QColor(Qt::black))
                first = x;
        if (left < 0) {
            QCOMPARE(first, -1);
            return;
        }
        const int expected = left == 0 ? row.left : area;
        QVERIFY2(first >= expected && first <= expected + 1, qPrintable(QString::number(first)));
    }

    // A drag image holds the selected rows only: no background, header, grid lines or insert mark.
    void dragImageShowsOnlySelectedRows()
    {
        Report t(4);
        t.lv->Selection().SetFullRowSelect(true);
        t.lv->PaintInfoItem().SetGridLines(true);
        t.lv->Items()[2]->SetSelected(true);
        t.lv->Items()[2]->SetFocused(true);
        TLvInsertMark &mark = t.lv->DragManager().InsertMark();
        mark.SetEnabled(true);
        mark.SetVisible(true);
        mark.SetColor(LvColor(0x0000FF));
        mark.SetDisplayRect({200, 2, 230, 8});
        const QImage img = t.Render({}, true);
        QCOMPARE(img.pixelColor(300, 12), kGray);              // header
        QCOMPARE(img.pixelColor(t.In(0, 200)), kGray);       // an unselected row
        QCOMPARE(img.pixelColor(36, t.In(1, 0).y()), kGray); // grid line
        QVERIFY(img.pixelColor(t.In(2, 200)) != kGray);      // the selected row
        const QPoint markAt = t.lv->Scrollbars().MapViewToWindow({215, 5});
        QCOMPARE(img.pixelColor(markAt), kGray);
        QVERIFY(t.Render().pixelColor(markAt) == kRed); // painted normally
    }

    void insertMark_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("visible");
        QTest::addColumn<bool>("vertical");
        QTest::addColumn<LvRect>("rect");
        QTest::addColumn<bool>("painted");
        QTest::newRow("vertical") << true << true << true << LvRect(100, 20, 106, 40) << true;
        QTest::newRow("horizontal") << true << true << false << LvRect(100, 20, 120, 26) << true;
        QTest::newRow("not enabled") << false << true << true << LvRect(100, 20, 106, 40) << false;
        QTest::newRow("hidden") << true << false << true << LvRect(100, 20, 106, 40) << false;
        QTest::newRow("empty rectangle") << true << true << true << LvRect(100, 20, 100, 40) << false;
    }

    void insertMark()
    {
        QFETCH(bool, enabled);
        QFETCH(bool, visible);
        QFETCH(bool, vertical);
        QFETCH(LvRect, rect);
        QFETCH(bool, painted);
        Report t(3);
        t.lv->Items()[1]->SetSelected(true);
        TLvInsertMark &mark = t.lv->DragManager().InsertMark();
        mark.SetEnabled(enabled);
        mark.SetVisible(visible);
        mark.SetColor(LvColor(0x0000FF));
        mark.SetDirection(vertical ? TLvInsertMarkerDir::dmdVert : TLvInsertMarkerDir::dmdHorz);
        mark.SetDisplayRect(rect);
        const QImage img = t.Render();
        auto at = [&](int x, int y) { return img.pixelColor(t.lv->Scrollbars().MapViewToWindow({x, y})) == kRed; };
        int red = 0;
        for (int x = rect.left - 1; x <= rect.right; ++x)
            for (int y = rect.top - 1; y <= rect.bottom; ++y)
                red += at(x, y);
        if (!painted) {
            QCOMPARE(red, 0);
            return;
        }
        if (vertical) {
            // n = 2: the stem in columns 102 and 103, two rows of head at the top, three at the bottom.
            QVERIFY(at(102, 30) && at(103, 30) && !at(101, 30) && !at(104, 30));
            QVERIFY(at(100, 20) && at(105, 21) && !at(100, 22));
            QVERIFY(at(100, 39) && at(105, 37) && !at(100, 36));
        } else {
            // n = 2: the stem in rows 22 and 23, heads two columns wide at the left, three at the right.
            QVERIFY(at(110, 22) && at(110, 23) && !at(110, 21) && !at(110, 24));
            QVERIFY(at(100, 20) && at(101, 25) && !at(102, 20));
            QVERIFY(at(119, 20) && at(117, 25) && !at(116, 20));
        }
        QVERIFY(!at(rect.left - 1, rect.top) && !at(rect.right, rect.top));
    }

    // Inside an update bracket nothing is painted; the area asked for is painted once the last bracket
    // closes, even without invalidating.
    void paintingWaitsForTheUpdateBracket()
    {
        Report t(3);
        QList<LvRect> painted;
        t.lv->OnAfterPaint = [&](LvCanvas &, const LvRect &r) { painted << r; };
        t.lv->BeginUpdate();
        t.lv->BeginUpdate();
        t.vp()->repaint(0, 30, 100, 20);
        t.lv->EndUpdate(false);
        t.vp()->repaint(0, 30, 100, 20);
        QCoreApplication::processEvents();
        QVERIFY(painted.isEmpty());
        t.lv->EndUpdate(false);
        QTRY_VERIFY(!painted.isEmpty());
        QVERIFY(painted.last().ContainsRect({0, 30, 100, 50}));
    }

    // A paint visits the rows and columns it shows, not the whole list.
    void paintingCostFollowsWhatIsVisible()
    {
        Report t(0);
        t.lv->BeginUpdate();
        for (int i = 0; i < 20000; ++i)
            t.lv->Items().Add();
        t.lv->EndUpdate(true);
        Record(*t.lv, recordingReport);
        QStringList log;
        recorded = &log;
        const int rowHeight = t.lv->Items()[0]->DisplayRect().Height();
        t.lv->Scrollbars().SetOffsetY(10000 * rowHeight);
        const int firstShown = t.lv->Scrollbars().OffsetY() / rowHeight;
        t.Render();
        const int rows = t.vp()->height() / rowHeight + 2; // the painted area holds the header's too
        QVERIFY2(log.size() <= rows * 3, qPrintable(QString::number(log.size())));
        QVERIFY(!log.isEmpty());
        for (const QString &cell : log) {
            const int index = cell.section('/', 0, 0).toInt();
            QVERIFY2(index >= firstShown - 3 && index <= firstShown + rows, qPrintable(cell));
        }
        // A narrow strip visits one column.
        log.clear();
        t.Render({40, 30, 50, 60});
        for (const QString &cell : log)
            QCOMPARE(cell.section('/', 1, 1), QString("1"));
    }

    void sortArrowGlyphs()
    {
        TLvGlobalImageManager store;
        for (bool ascending : {true, false}) {
            const QImage arrow = ascending ? store.ColumnSortUp() : store.ColumnSortDown();
            QCOMPARE(arrow.size(), QSize(16, 16));
            // The widest opaque row is the arrow's base: at the bottom ascending, at the top descending.
            int widestRow = -1, widest = 0;
            for (int y = 0; y < 16; ++y) {
                int count = 0;
                for (int x = 0; x < 16; ++x)
                    count += qAlpha(arrow.pixel(x, y)) > 128;
                if (count > widest) {
                    widest = count;
                    widestRow = y;
                }
            }
            QVERIFY(widest > 0);
            QVERIFY(ascending ? widestRow > 8 : widestRow < 8);
        }
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    tst_QtLvPaint t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_QtLvPaint.moc"
