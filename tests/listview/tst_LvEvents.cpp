// The list view's events as a caller sees them without a widget: the values the query events of
// virtual items enter with and what is used when a handler leaves them, and the events that fire only
// when something changed.

#include "FakeListview.h"

#include <QGuiApplication>
#include <QTest>

using namespace gdvorn::lv;

class tst_LvEvents : public QObject {
    Q_OBJECT

private slots:
    void virtualItemQueriesEnterTheirPresets()
    {
        FakeListview lv;
        LvImageList small(16, 16), state(16, 16);
        lv.SetImagesSmall(&small);
        lv.SetImagesState(&state);
        lv.Items().EnsureGroup();
        lv.Groups()[0]->Items().SetItemClass([](TLvItems *owner) { return new TLvItemVirtual(owner); });
        TLvItem *item = lv.Items().Add();
        QStringList entered;
        lv.OnItemGetCaption = [&](TLvItem *, int, QString &caption) { entered << "caption " + caption; };
        lv.OnItemGetImageIndex = [&](TLvItem *, int, TLvImageKind, int &index) { entered << QString("index %1").arg(index); };
        lv.OnItemGetTileDetailCount = [&](TLvItem *, int &count) { entered << QString("count %1").arg(count); };
        lv.OnItemGetTileDetail = [&](TLvItem *, int, int &detail) { entered << QString("detail %1").arg(detail); };
        lv.OnItemGetGroupKey = [&](TLvItem *, int, std::uint32_t &key) { entered << QString("key %1").arg(key); };
        lv.OnItemGetImageList = [&](TLvItem *, int, const LvImageList *&list) {
            entered << QString("list %1").arg(list ? "set" : "none");
        };
        lv.OnItemGetStateImageList = [&](TLvItem *, int, const LvImageList *&list) {
            entered << QString("state %1").arg(list ? "set" : "none");
        };
        // Handlers that leave the values: the presets are the answers, the lists fall back to the control's.
        QCOMPARE(item->Captions(1), QString());
        QCOMPARE(item->ImageIndexes(1), -1);
        QCOMPARE(item->DetailCount(), 0);
        QCOMPARE(item->Details(0), 0);
        QCOMPARE(item->GroupKey(1), std::uint32_t(0));
        QCOMPARE(item->ImageList(1, 0), &small); // 0: the small images
        QCOMPARE(item->StateImageList(1), &state);
        QCOMPARE(entered, (QStringList{"caption ", "index -1", "count 0", "detail 0", "key 0", "list none", "state none"}));
        // A list a handler gives is used.
        LvImageList other(16, 16);
        lv.OnItemGetStateImageList = [&](TLvItem *, int, const LvImageList *&list) { list = &other; };
        QCOMPARE(item->StateImageList(0), &other);
    }

    void hotTrackEventsOfItemsNeedHotTracking_data()
    {
        QTest::addColumn<bool>("enabled");
        QTest::newRow("hot tracking on") << true;
        QTest::newRow("hot tracking off") << false;
    }
    void hotTrackEventsOfItemsNeedHotTracking()
    {
        QFETCH(bool, enabled);
        struct Listview : FakeListview {
            bool hotTrack = false;
            bool HotTrackEnabled() const override { return hotTrack; }
        } lv;
        lv.hotTrack = enabled;
        TLvItem *item = lv.Items().Add();
        QStringList events;
        lv.OnItemHotTrack = [&](TLvItem *, TLvHotTrackState s, QPoint p) {
            events << QString("item %1 %2,%3").arg(s == TLvHotTrackState::ehsEnable ? "on" : "off").arg(p.x()).arg(p.y());
        };
        lv.OnGroupHotTrack = [&](TLvGroup *, TLvHotTrackState s, QPoint p) {
            events << QString("group %1 %2,%3").arg(s == TLvHotTrackState::ehsEnable ? "on" : "off").arg(p.x()).arg(p.y());
        };
        item->SetHotTracking(true, QPoint(5, 6));
        item->SetHotTracking(false, QPoint(5, 6));
        item->Group()->SetHotTracking(true, QPoint(7, 8));
        item->Group()->SetHotTracking(false, QPoint(7, 8));
        QStringList expected{"group on 7,8", "group off 0,0"}; // the groups' whatever hot tracking says
        if (enabled)
            expected = QStringList{"item on 5,6", "item off 0,0"} + expected;
        QCOMPARE(events, expected);
    }

    void viewChangeFiresOnlyForAnotherView()
    {
        FakeListview lv;
        int changes = 0;
        lv.OnViewChange = [&] { ++changes; };
        lv.SetView(TLvListStyle::elsReport);
        lv.SetView(TLvListStyle::elsReport);
        QCOMPARE(changes, 1);
        QCOMPARE(lv.View(), TLvListStyle::elsReport);
    }

    void customGridEntersWithTheDefault()
    {
        FakeListview lv;
        lv.SetView(TLvListStyle::elsReport);
        lv.Items().EnsureGroup();
        int asked = 0;
        lv.OnCustomGrid = [&](TLvGroup *, TLvListStyle view, const TLvGridGroupClass *&grid) {
            ++asked;
            QCOMPARE(view, TLvListStyle::elsReport);
            QCOMPARE(grid, nullptr);
        };
        TLvGridGroup *grid = lv.Groups()[0]->Grid();
        QVERIFY(asked > 0);
        QVERIFY(grid); // left nothing: the view's own grid
    }
};

QTEST_MAIN(tst_LvEvents)
#include "tst_LvEvents.moc"
