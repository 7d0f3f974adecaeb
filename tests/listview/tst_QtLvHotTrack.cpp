// Hot tracking with the pointer over the viewport (flags, events and cursor), and the hint window:
// its measured rectangle, OnHintCustomInfo, which hints show for items and groups, and custom drawing.

#include "listview/QtLvHotTrack.h"
#include "listview/QtLvListview.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QTest>

#include <memory>

using namespace gdvorn::lv;

namespace {

struct Fixture {
    std::unique_ptr<QtLvListview> lv = std::make_unique<QtLvListview>();
    QStringList events;

    Fixture()
    {
        lv->SetView(TLvListStyle::elsReport);
        lv->SetThemed(false);
        lv->Header().SetVisible(true);
        TLvColumn *c = lv->Header().Columns().Add();
        c->SetWidth(150);
        for (int i = 0; i < 4; ++i)
            lv->Items().Add()->SetCaption(QString("item%1").arg(i));
        lv->OnItemHotTrack = [this](TLvItem *item, TLvHotTrackState state, QPoint) {
            events << QString("%1 %2").arg(item->Caption(), state == TLvHotTrackState::ehsEnable ? "on" : "off");
        };
        lv->resize(400, 200);
        lv->show();
        QVERIFY(QTest::qWaitForWindowExposed(lv.get()));
    }

    TLvItem *Item(int i) const { return lv->Items()[i]; }
    QPoint Caption(int i) const
    {
        const TLvRectArrayObject r = Item(i)->ItemRectArray(nullptr);
        const LvRect c = lv->Scrollbars().MapViewRectToWindow(r.CaptionArea);
        return {c.left + 2, (c.top + c.bottom) / 2};
    }
    void Move(QPoint p) const
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(lv->viewport()->mapToGlobal(p)), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(lv->viewport(), &move);
    }
    Qt::CursorShape Cursor() const { return lv->viewport()->cursor().shape(); }
};

} // namespace

class tst_QtLvHotTrack : public QObject {
    Q_OBJECT

private slots:
    void trackingWithThePointer()
    {
        Fixture f;
        const QPoint empty(300, 150);
        // Off: nothing turns hot.
        f.Move(f.Caption(1));
        QCOMPARE(f.lv->HotTrack().HotObject(), nullptr);
        QVERIFY(f.events.isEmpty());
        f.lv->HotTrack().SetEnabled(true);
        f.Move(f.Caption(1));
        QCOMPARE(f.lv->HotTrack().HotObject(), f.Item(1));
        QVERIFY(f.Item(1)->HotTracking());
        QCOMPARE(f.Cursor(), Qt::PointingHandCursor);
        f.Move(f.Caption(1) + QPoint(1, 0)); // the same item again: nothing
        f.Move(f.Caption(2));
        QCOMPARE(f.Cursor(), Qt::PointingHandCursor);
        f.Move(empty);
        QCOMPARE(f.lv->HotTrack().HotObject(), nullptr);
        QVERIFY(!f.Item(2)->HotTracking());
        QCOMPARE(f.Cursor(), Qt::ArrowCursor);
        QCOMPARE(f.events, (QStringList{"item1 on", "item1 off", "item2 on", "item2 off"}));
        // Only while focused: an unfocused control tracks nothing.
        f.lv->HotTrack().SetOnlyFocused(true);
        f.lv->clearFocus();
        f.Move(f.Caption(0));
        QCOMPARE(f.lv->HotTrack().HotObject(), nullptr);
        // A disabled item is never hot; the check box makes the item the hot-check object instead.
        f.lv->HotTrack().SetOnlyFocused(false);
        f.Item(3)->SetEnabled(false);
        f.Move(f.Caption(3));
        QCOMPARE(f.lv->HotTrack().HotObject(), nullptr);
        f.lv->PaintInfoItem().SetCheckType(TLvCheckType::ectBox);
        const TLvRectArrayObject r = f.Item(0)->ItemRectArray(nullptr);
        const LvRect box = f.lv->Scrollbars().MapViewRectToWindow(r.CheckArea);
        f.Move(QPoint((box.left + box.right) / 2, (box.top + box.bottom) / 2));
        QCOMPARE(f.lv->HotTrack().HotCheckObject(), f.Item(0));
        QVERIFY(f.Item(0)->CheckPendingAway());
        f.Move(empty);
        QCOMPARE(f.lv->HotTrack().HotCheckObject(), nullptr);
        QVERIFY(!f.Item(0)->CheckPendingAway());
    }

    void sameObjectTwiceFiresNothing()
    {
        Fixture f;
        TLvHotTrackManager &h = f.lv->HotTrack();
        h.SetEnabled(true);
        h.SetHotObject({}, f.Item(0));
        h.SetHotObject({}, f.Item(0));
        QCOMPARE(f.events, QStringList{"item0 on"});
        h.SetHotObject({}, nullptr);
        h.SetHotObject({}, nullptr);
        QCOMPARE(f.events, (QStringList{"item0 on", "item0 off"}));
    }

    void hotCaptionAndFreedObject()
    {
        Fixture f;
        TLvHotTrackManager &h = f.lv->HotTrack();
        h.SetEnabled(true);
        h.SetColor(LvColor::Rgb(200, 0, 0));
        h.SetHotObject({}, f.Item(1));
        LvCanvas canvas;
        f.Item(1)->View()->ItemCaptionFont(f.Item(1), 0, false, canvas);
        QCOMPARE(canvas.fontColor, LvColor::Rgb(200, 0, 0));
        QVERIFY(canvas.font.underline());
        f.Item(1)->SetSelected(true); // a selected item keeps the selection's colours
        LvCanvas selected;
        f.Item(1)->View()->ItemCaptionFont(f.Item(1), 0, true, selected);
        QVERIFY(selected.fontColor != LvColor::Rgb(200, 0, 0));
        f.lv->Items().Clear();
        QCOMPARE(h.HotObject(), nullptr);
        QCOMPARE(f.Cursor(), Qt::ArrowCursor);
    }

    void hintRectangle()
    {
        Fixture f;
        TLvHintWindow &w = f.lv->HintWindow();
        const QFontMetrics m(w.font());
        LvRect r = w.CalcHintRect(1000, "uma dica");
        QCOMPARE(r, LvRect(0, 0, m.horizontalAdvance("uma dica") + 6, m.height() + 2));
        // OnHintCustomInfo's text is measured and becomes the hint's text.
        TLvCollectionItem *target = nullptr;
        f.lv->HintData().TargetObj = f.Item(2);
        f.lv->OnHintCustomInfo = [&](TLvCollectionItem *obj, TLvHintInfo &info) {
            target = obj;
            QCOMPARE(info.Bounds, LvRect(0, 0, 1000, 0));
            QCOMPARE(info.MaxWidth, 1000);
            info.Text = "outra dica mais longa";
        };
        r = w.CalcHintRect(1000, "uma dica");
        QCOMPARE(target, f.Item(2));
        QCOMPARE(r.Width(), m.horizontalAdvance("outra dica mais longa") + 6);
        QCOMPARE(f.lv->HintData().Text, QString("outra dica mais longa"));
        // Custom drawing keeps the handler's bounds and paints through OnHintCustomDraw.
        int drawn = 0;
        f.lv->OnHintCustomInfo = [](TLvCollectionItem *, TLvHintInfo &info) {
            info.HintType = TLvHintType::ehtCustomDraw;
            info.Bounds = LvRect(0, 0, 40, 30);
        };
        f.lv->OnHintCustomDraw = [&](TLvCollectionItem *, TLvHintInfo &info) {
            QVERIFY(info.Canvas);
            ++drawn;
        };
        QCOMPARE(w.CalcHintRect(1000, "x"), LvRect(0, 0, 40, 30));
        w.ActivateHint(f.lv->mapToGlobal(QPoint(10, 10)), "x");
        QCOMPARE(w.size(), QSize(40, 30));
        (void)w.grab();
        QVERIFY(drawn > 0);
        w.hide();
    }

    void hintsFromTheToolTipEvent_data()
    {
        QTest::addColumn<int>("hintType");
        QTest::addColumn<bool>("allow");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("onGroup");
        QTest::addColumn<QString>("shown");
        const QString wide(60, 'W');
        QTest::newRow("text, allowed") << int(TLvHintType::ehtText) << true << "curta" << false << "dica";
        QTest::newRow("text, not allowed") << int(TLvHintType::ehtText) << false << "curta" << false << "";
        QTest::newRow("tool tip, fits") << int(TLvHintType::ehtToolTip) << true << "curta" << false << "";
        QTest::newRow("tool tip, cut off") << int(TLvHintType::ehtToolTip) << false << wide << false << wide;
        QTest::newRow("tool tip, group") << int(TLvHintType::ehtToolTip) << true << wide << true << "";
        QTest::newRow("text, group") << int(TLvHintType::ehtText) << true << "curta" << true << "dica";
    }
    void hintsFromTheToolTipEvent()
    {
        QFETCH(int, hintType);
        QFETCH(bool, allow);
        QFETCH(QString, caption);
        QFETCH(bool, onGroup);
        QFETCH(QString, shown);
        Fixture f;
        f.lv->SetHintType(TLvHintType(hintType));
        f.lv->OnHintPopup = [&](TLvCollectionItem *, TLvHintType, QPoint, QString &text, int &, int &, bool &a) {
            text = "dica";
            a = allow;
        };
        f.Item(0)->SetCaption(caption);
        QFont small = f.lv->Font();
        small.setPixelSize(9); // a line that fits the row
        f.lv->SetFont(small);
        if (onGroup) {
            f.lv->PaintInfoGroup().MarginBottom().SetVisible(true);
            f.lv->SetShowGroupMargins(true);
        }
        // A point on the item, or in the group's footer below the last item.
        const QPoint at = onGroup ? f.lv->Scrollbars().MapViewToWindow({5, f.Item(3)->DisplayRect().bottom + 2})
                                  : f.Caption(0);
        auto toolTip = [&] {
            QHelpEvent help(QEvent::ToolTip, at, f.lv->viewport()->mapToGlobal(at));
            QCoreApplication::sendEvent(f.lv->viewport(), &help);
        };
        toolTip(); // ShowHint off: never
        QVERIFY(!f.lv->HintWindow().isVisible());
        f.lv->SetShowHint(true);
        toolTip();
        QCOMPARE(f.lv->HintWindow().isVisible(), !shown.isEmpty());
        if (!shown.isEmpty()) {
            QCOMPARE(f.lv->HintData().Text, shown);
            QCOMPARE(dynamic_cast<TLvGroup *>(f.lv->HintData().TargetObj) != nullptr, onGroup);
            // Moving off the hint's place or leaving hides it.
            QEvent leave(QEvent::Leave);
            QCoreApplication::sendEvent(f.lv->viewport(), &leave);
            QVERIFY(!f.lv->HintWindow().isVisible());
        }
    }
};

QTEST_MAIN(tst_QtLvHotTrack)
#include "tst_QtLvHotTrack.moc"
