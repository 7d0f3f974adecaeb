// The widget-free side of drag and drop: effects and Qt actions, the drag record and the insert mark's
// placement around an item.

#include "listview/LvDragDrop.h"

#include <QTest>

using namespace gdvorn::lv;

class tst_LvDragDrop : public QObject {
    Q_OBJECT

private slots:
    void effectsAndActions()
    {
        const TCommonDropEffects copyMove =
            DropEffectBit(TCommonDropEffect::cdeCopy) | DropEffectBit(TCommonDropEffect::cdeMove);
        QCOMPARE(DropEffectsToActions(copyMove), Qt::CopyAction | Qt::MoveAction);
        // Scroll and none have no action; no action at all is {cdeNone}.
        QCOMPARE(DropEffectsToActions(DropEffectBit(TCommonDropEffect::cdeScroll) |
                                      DropEffectBit(TCommonDropEffect::cdeNone)),
                 Qt::DropActions());
        QCOMPARE(DropEffectsFromActions(Qt::IgnoreAction), DropEffectBit(TCommonDropEffect::cdeNone));
        QCOMPARE(DropEffectsFromActions(Qt::LinkAction | Qt::MoveAction),
                 DropEffectBit(TCommonDropEffect::cdeLink) | DropEffectBit(TCommonDropEffect::cdeMove));
        QCOMPARE(DropEffectToAction(TCommonDropEffect::cdeScroll), Qt::IgnoreAction);
    }

    void dragRecord()
    {
        int control = 0, column = 0;
        quintptr a = 0, b = 0;
        QVERIFY(ReadDragRecord(DragRecord(&control, &column), a, b));
        QCOMPARE(a, reinterpret_cast<quintptr>(&control));
        QCOMPARE(b, reinterpret_cast<quintptr>(&column));
        QVERIFY(!ReadDragRecord(QByteArray("LvListview.Header"), a, b));
        QVERIFY(!ReadDragRecord(QByteArray(), a, b));
    }

    // An item at (10, 20)-(110, 60): the bar 3 × width thick at the edge within the range, centred on it
    // or inside the item.
    void insertMarkPlace_data()
    {
        QTest::addColumn<int>("dir");
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<int>("range");
        QTest::addColumn<bool>("center");
        QTest::addColumn<int>("position");
        QTest::addColumn<QRect>("bar");
        const int vert = int(TLvInsertMarkerDir::dmdVert), horz = int(TLvInsertMarkerDir::dmdHorz);
        QTest::newRow("left edge, centred") << vert << QPoint(35, 30) << 25 << true << 1 << QRect(7, 20, 6, 40);
        QTest::newRow("left edge, inside") << vert << QPoint(10, 30) << 25 << false << 1 << QRect(10, 20, 6, 40);
        QTest::newRow("just past the range") << vert << QPoint(36, 30) << 25 << true << 0 << QRect();
        QTest::newRow("right edge") << vert << QPoint(110, 30) << 25 << true << 2 << QRect(107, 20, 6, 40);
        QTest::newRow("top edge") << horz << QPoint(50, 22) << 2 << true << 1 << QRect(10, 17, 100, 6);
        QTest::newRow("middle") << horz << QPoint(50, 40) << 2 << true << 0 << QRect();
        QTest::newRow("bottom edge") << horz << QPoint(50, 58) << 2 << false << 2 << QRect(10, 54, 100, 6);
    }
    void insertMarkPlace()
    {
        QFETCH(int, dir);
        QFETCH(QPoint, point);
        QFETCH(int, range);
        QFETCH(bool, center);
        QFETCH(int, position);
        QFETCH(QRect, bar);
        LvRect placed;
        QCOMPARE(TLvInsertMark::Place({10, 20, 110, 60}, point, TLvInsertMarkerDir(dir), range, 2, center, placed),
                 position);
        QCOMPARE(placed.IsEmpty() ? QRect() : placed.ToQRect(), bar);
    }
};

QTEST_GUILESS_MAIN(tst_LvDragDrop)
#include "tst_LvDragDrop.moc"
