// The header of the list-view control offscreen, driven with the mouse on the viewport: hot columns
// that cool when the pointer leaves the header, the column context menu with its hit information, and
// the drop-down button's menu under its arrow.

#include "listview/QtLvListview.h"

#include <QApplication>
#include <QMenu>
#include <QTest>

#include <memory>

using namespace gdvorn::lv;

namespace {

// A report list with a 25-pixel header, three columns of the given width and a few rows.
struct HeaderList {
    std::unique_ptr<QtLvListview> lv = std::make_unique<QtLvListview>();

    explicit HeaderList(int width = 100)
    {
        QtLvListview &l = *lv;
        l.SetView(TLvListStyle::elsReport);
        l.SetThemed(false);
        l.Header().SetHeight(25);
        l.Header().SetVisible(true);
        for (int i = 0; i < 3; ++i)
            l.Header().Columns().Add()->SetWidth(width);
        l.resize(400, 200);
        l.show();
        QVERIFY(QTest::qWaitForWindowExposed(&l));
        for (int i = 0; i < 3; ++i)
            l.Items().Add()->SetCaptions(1, QString("row %1").arg(i));
    }

    QWidget *vp() const { return lv->viewport(); }
    TLvColumn *column(int i) const { return lv->Header().Columns()[i]; }
};

} // namespace

class tst_QtLvHeader : public QObject {
    Q_OBJECT

private slots:
    void hotColumnCoolsOutsideTheHeader()
    {
        HeaderList h;
        QTest::mouseMove(h.vp(), QPoint(150, 12));
        QVERIFY(h.column(1)->HotTracking());
        QTest::mouseMove(h.vp(), QPoint(150, 100)); // down into the rows
        QVERIFY(!h.column(1)->HotTracking());
        QCOMPARE(h.lv->Header().HotColumn(), nullptr);

        QTest::mouseMove(h.vp(), QPoint(250, 12));
        QVERIFY(h.column(2)->HotTracking());
        QEvent leave(QEvent::Leave); // out over the top edge
        QCoreApplication::sendEvent(h.vp(), &leave);
        QVERIFY(!h.column(2)->HotTracking());
    }

    void contextMenuHitInfo_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("hit");

        // Column 1's cell is (102, 2, 198, 23); its check box (104, 4, 120, 20).
        QTest::newRow("check box") << QPoint(110, 12) << 1 << 1;
        QTest::newRow("label") << QPoint(150, 12) << 1 << 4;
        QTest::newRow("right of the columns") << QPoint(350, 12) << -1 << 0;
    }

    void contextMenuHitInfo()
    {
        QFETCH(QPoint, point);
        QFETCH(int, column);
        QFETCH(int, hit);
        HeaderList h;
        h.lv->PaintInfoColumn().SetCheckType(TLvCheckType::ectBox);
        QMenu headerMenu;
        h.lv->SetPopupMenuHeader(&headerMenu);
        QList<QPoint> popped;
        h.lv->SetMenuPopper([&](QMenu *menu, QPoint global) {
            QCOMPARE(menu, &headerMenu);
            popped << global;
        });
        int calls = 0;
        h.lv->OnColumnContextMenu = [&](const TLvHitInfoColumn &info, QPoint windowPoint, QMenu *&menu) {
            ++calls;
            QCOMPARE(info.Column ? info.Column->Index() : -1, column);
            QCOMPARE(info.HitInfo, hit);
            QCOMPARE(windowPoint, point);
            QCOMPARE(menu, &headerMenu); // enters with the header's menu
        };
        QTest::mouseClick(h.vp(), Qt::RightButton, {}, point);
        QCOMPARE(calls, 1);
        QCOMPARE(popped, QList<QPoint>{h.vp()->mapToGlobal(point)});
    }

    void dropDownMenuUnderTheArrow()
    {
        HeaderList h(200);
        TLvColumn *c = h.column(2);
        QMenu menu;
        c->DropDownButton().SetVisible(true);
        c->DropDownButton().SetAlwaysShow(true);
        c->DropDownButton().SetMenu(&menu);
        h.lv->Scrollbars().SetOffsetX(200); // the header scrolls with the rows
        QCOMPARE(h.lv->Scrollbars().OffsetX(), 200);
        QList<QPoint> popped;
        h.lv->SetMenuPopper([&](QMenu *m, QPoint global) {
            QCOMPARE(m, &menu);
            popped << global;
        });
        // Column 2 spans 400..600 in the header, 200..400 on the window; its arrow is the last 21 pixels
        // of the cell (577..598 in the header, 377..398 on the window), 2 to 23 high.
        QTest::mouseMove(h.vp(), QPoint(385, 12));
        QTest::mouseClick(h.vp(), Qt::LeftButton, {}, QPoint(385, 12));
        QCOMPARE(popped, QList<QPoint>{h.vp()->mapToGlobal(QPoint(377, 23))});
        QCOMPARE(c->SortDirection(), TLvSortDirection::esdNone); // the column was not clicked
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    tst_QtLvHeader t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_QtLvHeader.moc"
