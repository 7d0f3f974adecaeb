// Drag and drop of the list-view control offscreen: item drags started by the mouse with a scripted
// modal drag, synthetic drag events on the viewport (drop target, insert mark, moving items,
// auto-scroll) and the header's column drag.

#include "listview/LvDataObject.h"
#include "listview/QtLvDragDrop.h"
#include "listview/QtLvListview.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QPainter>
#include <QTest>

#include <functional>
#include <memory>

using namespace gdvorn::lv;

namespace {

// The modal drag replaced by a script: it records what the drag was given and answers the script's action.
class ScriptedListview : public QtLvListview {
public:
    std::function<Qt::DropAction(QMimeData *)> script;
    bool platform = false; // the control's own drag instead of the script
    int drags = 0;
    QImage image;
    QPoint hotSpot;
    Qt::DropActions allowedActions;

    Qt::DropAction DoDragDrop(QMimeData *data, Qt::DropActions allowed, const QImage &picture, QPoint hot) override
    {
        ++drags;
        image = picture;
        hotSpot = hot;
        allowedActions = allowed;
        if (platform)
            return QtLvListview::DoDragDrop(data, allowed, picture, hot);
        return script ? script(data) : Qt::IgnoreAction;
    }
};

// A report list with a 25-pixel header over three columns and `rows` items captioned "0", "1", ...
struct List {
    std::unique_ptr<ScriptedListview> lv = std::make_unique<ScriptedListview>();

    explicit List(int rows, QSize size = {400, 200}, TLvListStyle view = TLvListStyle::elsReport)
    {
        ScriptedListview &l = *lv;
        l.SetView(view);
        l.SetThemed(false);
        l.Header().SetHeight(25);
        l.Header().SetVisible(true);
        const int widths[] = {100, 120, 80};
        for (int i = 0; i < 3; ++i) {
            TLvColumn *c = l.Header().Columns().Add();
            c->SetCaption(QString("c%1").arg(i));
            c->SetWidth(widths[i]);
        }
        l.Selection().SetFullRowSelect(true);
        l.Selection().SetMultiSelect(true);
        l.resize(size);
        l.show();
        QVERIFY(QTest::qWaitForWindowExposed(&l));
        l.BeginUpdate();
        for (int i = 0; i < rows; ++i)
            l.Items().Add()->SetCaption(QString::number(i));
        l.EndUpdate(true);
    }

    QWidget *vp() const { return lv->viewport(); }
    TLvItem *Item(int i) const { return lv->Items()[i]; }
    // A window point inside an item, `dy` pixels below its top (negative: above its bottom).
    QPoint At(int i, int dy, int x = 50) const
    {
        const LvRect r = lv->Scrollbars().MapViewRectToWindow(Item(i)->DisplayRect());
        return {r.left + x, dy >= 0 ? r.top + dy : r.bottom + dy};
    }
    // The middle of an item's caption (where a selected row may be dragged), in window coordinates.
    QPoint OnCaption(int i) const
    {
        const LvRect c = Item(i)->ItemRectArray(nullptr).CaptionArea;
        return lv->Scrollbars().MapViewToWindow({(c.left + c.right) / 2, (c.top + c.bottom) / 2});
    }
    QStringList Order() const
    {
        QStringList order;
        TLvItems &items = lv->Groups()[0]->Items();
        for (int i = 0; i < items.Count(); ++i)
            order << items[i]->Caption();
        return order;
    }
    QStringList Selected() const
    {
        QStringList s;
        TLvItems &items = lv->Groups()[0]->Items();
        for (int i = 0; i < items.Count(); ++i)
            if (items[i]->Selected())
                s << items[i]->Caption();
        return s;
    }
    QList<int> Positions() const
    {
        QList<int> p;
        for (int i = 0; i < lv->Header().Columns().Count(); ++i)
            p << lv->Header().Columns()[i]->Position();
        return p;
    }
};

// Synthetic drag events; moves and drops answer the action the control took (IgnoreAction when refused).
// Entering answers whether the control takes the drag (its moves then follow).
bool Enter(QWidget *vp, QPoint p, const QMimeData *data, Qt::KeyboardModifiers mods = {})
{
    QDragEnterEvent e(p, Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, data, Qt::LeftButton, mods);
    e.setAccepted(false);
    QApplication::sendEvent(vp, &e);
    return e.isAccepted();
}

Qt::DropAction Over(QWidget *vp, QPoint p, const QMimeData *data, Qt::KeyboardModifiers mods = {})
{
    QDragMoveEvent e(p, Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, data, Qt::LeftButton, mods);
    e.setAccepted(false);
    QApplication::sendEvent(vp, &e);
    return e.isAccepted() ? e.dropAction() : Qt::IgnoreAction;
}

void Leave(QWidget *vp)
{
    QDragLeaveEvent e;
    QApplication::sendEvent(vp, &e);
}

Qt::DropAction DropAt(QWidget *vp, QPoint p, const QMimeData *data)
{
    QDropEvent e(QPointF(p), Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, data, Qt::NoButton, {});
    e.setAccepted(false);
    QApplication::sendEvent(vp, &e);
    return e.isAccepted() ? e.dropAction() : Qt::IgnoreAction;
}

void MoveWithButton(QWidget *w, QPoint pos)
{
    QMouseEvent e(QEvent::MouseMove, pos, w->mapToGlobal(pos), Qt::NoButton, Qt::LeftButton, {});
    QApplication::sendEvent(w, &e);
}

QImage Render(QtLvListview &lv)
{
    QImage img(lv.viewport()->size(), QImage::Format_ARGB32);
    img.fill(Qt::gray);
    QPainter p(&img);
    lv.PaintRect(p, lv.ClientRect());
    return img;
}

} // namespace

class tst_QtLvDragDrop : public QObject {
    Q_OBJECT

private slots:
    // Pressing and moving an item starts a drag only when OnOLEDragStart allows it; the drag's outcome
    // reaches OnOLEDragEnd and the mouse states are cleared afterwards.
    void itemDragStartsOnlyWhenAllowed()
    {
        List t(5);
        t.lv->DragManager().SetEnabled(true);
        const QPoint from = t.OnCaption(1), to = from + QPoint(0, 30);
        QTest::mousePress(t.vp(), Qt::LeftButton, {}, from);
        QVERIFY(t.lv->HasState(elvsDragPending));
        MoveWithButton(t.vp(), to);
        QCOMPARE(t.lv->drags, 0);
        QTest::mouseRelease(t.vp(), Qt::LeftButton, {}, to);

        TCommonDropEffects entering = 0;
        int ends = 0;
        TCommonOLEDragResult result = TCommonOLEDragResult::cdrError;
        TCommonDropEffects resultEffect = 0;
        std::shared_ptr<TCommonDataObject> object;
        t.lv->OnOLEDragStart = [&](QMimeData *data, TCommonDropEffects &effects, bool &allow) {
            // The component's own data object, bound to the control for the drag.
            object = LvMimeData::DataObjectOf(data);
            auto *manager = dynamic_cast<TLvDataObjectManager *>(object.get());
            QVERIFY(manager && manager->Listview() == t.lv.get());
            entering = effects;
            QVERIFY(!allow);
            data->setText("itens");
            effects = DropEffectBit(TCommonDropEffect::cdeMove) | DropEffectBit(TCommonDropEffect::cdeCopy);
            allow = true;
        };
        t.lv->OnOLEDragEnd = [&](QMimeData *data, TCommonOLEDragResult r, TCommonDropEffects e, TCommonKeyStates) {
            QCOMPARE(data->text(), QString("itens"));
            ++ends;
            result = r;
            resultEffect = e;
        };
        for (Qt::DropAction outcome : {Qt::IgnoreAction, Qt::CopyAction}) {
            t.lv->script = [&](QMimeData *) { return outcome; };
            QTest::mousePress(t.vp(), Qt::LeftButton, {}, from);
            QVERIFY(t.lv->HasState(elvsDragPending));
            MoveWithButton(t.vp(), to);
            QVERIFY(!t.lv->HasState(elvsDragPending | elvsDragging | elvsLButtonDown));
            QTest::mouseRelease(t.vp(), Qt::LeftButton, {}, to);
        }
        QCOMPARE(entering, DropEffectBit(TCommonDropEffect::cdeNone));
        QCOMPARE(t.lv->drags, 2);
        QCOMPARE(t.lv->allowedActions, Qt::CopyAction | Qt::MoveAction);
        QCOMPARE(ends, 2);
        QCOMPARE(result, TCommonOLEDragResult::cdrDrop);
        QCOMPARE(resultEffect, DropEffectBit(TCommonDropEffect::cdeCopy));
        // The default picture: the drag image size, the start point in its middle; the data object keeps
        // it and forgets the control when the drag ends.
        QCOMPARE(t.lv->image.size(), QSize(200, 300));
        QCOMPARE(object->DragImage().size(), QSize(200, 300));
        QCOMPARE(object->DragHotSpot(), t.lv->hotSpot);
        QVERIFY(!static_cast<TLvDataObjectManager *>(object.get())->Listview());
        QCOMPARE(t.lv->hotSpot, QPoint(100 + std::min(0, to.x() - 100), 150 + std::min(0, to.y() - 150)));
        QVERIFY(t.Item(1)->Selected());
    }

    // The control's own modal drag (the platform answers at once offscreen): the outcome still reaches
    // OnOLEDragEnd, and the drag source reports new actions through OnOLEGiveFeedback.
    void platformDrag()
    {
        List t(5);
        ScriptedListview &lv = *t.lv;
        lv.platform = true;
        lv.DragManager().SetEnabled(true);
        lv.OnOLEDragStart = [](QMimeData *, TCommonDropEffects &effects, bool &allow) {
            effects = DropEffectBit(TCommonDropEffect::cdeCopy);
            allow = true;
        };
        int ends = 0;
        lv.OnOLEDragEnd = [&](QMimeData *, TCommonOLEDragResult r, TCommonDropEffects, TCommonKeyStates) {
            ++ends;
            QCOMPARE(r, TCommonOLEDragResult::cdrCancel);
        };
        const QPoint from = t.OnCaption(1);
        QTest::mousePress(t.vp(), Qt::LeftButton, {}, from);
        QVERIFY(lv.HasState(elvsDragPending));
        MoveWithButton(t.vp(), from + QPoint(0, 15));
        QTest::mouseRelease(t.vp(), Qt::LeftButton, {}, from + QPoint(0, 15));
        QCOMPARE(lv.drags, 1);
        QCOMPARE(ends, 1);

        TCommonDropEffects fed = 0;
        lv.OnOLEGiveFeedback = [&](TCommonDropEffects e, bool &useDefault) {
            fed = e;
            useDefault = false;
        };
        TLvDropSourceManager source(&lv);
        QVERIFY(!source.GiveFeedback(Qt::LinkAction));
        QCOMPARE(fed, DropEffectBit(TCommonDropEffect::cdeLink));
        QVERIFY(!source.GiveFeedback(Qt::IgnoreAction));
        QCOMPARE(fed, DropEffectBit(TCommonDropEffect::cdeNone));
    }

    // Over the header no drop is possible; over an item the key states choose the effect.
    void dropEffects()
    {
        List t(5);
        t.lv->DragManager().SetEnabled(true);
        LvMimeData data(std::make_shared<TCommonDataObject>());
        data.setText("x");
        TCommonDropEffects available = 0;
        t.lv->OnOLEDragEnter = [&](const QMimeData *, TCommonKeyStates, QPoint, TCommonDropEffects a,
                                   TCommonDropEffect &) {
            available = a;
        };
        QVERIFY(Enter(t.vp(), t.At(2, 5), &data));
        QCOMPARE(available, DropEffectBit(TCommonDropEffect::cdeCopy) | DropEffectBit(TCommonDropEffect::cdeMove) |
                                DropEffectBit(TCommonDropEffect::cdeLink));
        QCOMPARE(Over(t.vp(), QPoint(50, 10), &data), Qt::IgnoreAction);
        QCOMPARE(Over(t.vp(), t.At(2, 5), &data), Qt::MoveAction);
        QCOMPARE(Over(t.vp(), t.At(2, 5), &data, Qt::ControlModifier), Qt::CopyAction);
        QCOMPARE(Over(t.vp(), t.At(2, 5), &data, Qt::ControlModifier | Qt::ShiftModifier), Qt::LinkAction);
        QVERIFY(t.Item(2)->DropHilighted());
        Leave(t.vp());
        QVERIFY(!t.Item(2)->DropHilighted());
        QVERIFY(!t.lv->DragManager().IsDragging());

        // With the item drag off a plain drag is refused outright.
        t.lv->DragManager().SetEnabled(false);
        QVERIFY(!Enter(t.vp(), t.At(2, 5), &data));
    }

    // The insert mark: 3 × Width thick, centred on the edge the pointer is near; in the middle of an
    // item the item is highlighted instead.
    void insertMark_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<int>("edge"); // 0 near the start edge, 1 the middle, 2 near the end edge
        QTest::addColumn<int>("position");
        QTest::newRow("report, top edge") << int(TLvListStyle::elsReport) << 0 << 1;
        QTest::newRow("report, middle") << int(TLvListStyle::elsReport) << 1 << 0;
        QTest::newRow("report, bottom edge") << int(TLvListStyle::elsReport) << 2 << 2;
        QTest::newRow("icon, a quarter from the left") << int(TLvListStyle::elsIcon) << 0 << 1;
        QTest::newRow("icon, middle") << int(TLvListStyle::elsIcon) << 1 << 0;
        QTest::newRow("icon, right edge") << int(TLvListStyle::elsIcon) << 2 << 2;
    }
    void insertMark()
    {
        QFETCH(int, view);
        QFETCH(int, edge);
        QFETCH(int, position);
        const auto style = TLvListStyle(view);
        List t(6, {400, 300}, style);
        TLvOLEDragManager &m = t.lv->DragManager();
        m.SetEnabled(true);
        m.InsertMark().SetEnabled(true);
        m.InsertMark().SetColor(LvColor::Rgb(255, 0, 0));
        const bool vertical = style == TLvListStyle::elsIcon;
        TLvInsertMarkerDir askedDirection = TLvInsertMarkerDir::dmdHorz;
        int askedRange = -1;
        t.lv->OnInsertMarkPosition = [&](TLvInsertMarkerDir &dir, std::uint8_t &range) {
            askedDirection = dir;
            askedRange = range;
        };
        TLvItem *item = t.Item(1);
        const LvRect r = item->DisplayRect();
        const QPoint origin = t.lv->Scrollbars().MapViewToWindow({0, 0});
        QPoint doc;
        if (vertical)
            doc = edge == 0 ? QPoint(r.left + r.Width() / 4, r.top + r.Height() / 2)
                  : edge == 1 ? QPoint(r.left + r.Width() / 2, r.top + r.Height() / 2)
                              : QPoint(r.right - 1, r.top + r.Height() / 2);
        else
            doc = edge == 0 ? QPoint(r.left + 30, r.top + 1)
                  : edge == 1 ? QPoint(r.left + 30, r.top + r.Height() / 2)
                              : QPoint(r.left + 30, r.bottom - 1);
        if (vertical && edge == 1) {
            // The middle of the icon's cell may be the gap between picture and caption: take the first
            // point down the cell's centre line that the item claims.
            doc.setY(r.top);
            while (doc.y() < r.bottom && !item->View()->PointHitsItem(item, doc, false))
                doc.ry()++;
            QVERIFY(doc.y() < r.bottom);
        }
        const QPoint p = doc + origin;
        LvMimeData data(std::make_shared<TCommonDataObject>());
        Enter(t.vp(), p, &data);
        Over(t.vp(), p, &data);
        QCOMPARE(askedDirection, vertical ? TLvInsertMarkerDir::dmdVert : TLvInsertMarkerDir::dmdHorz);
        QCOMPARE(askedRange, vertical ? r.Width() / 4 : 2);
        QCOMPARE(m.InsertMark().Visible(), position != 0);
        QCOMPARE(item->DropHilighted(), position == 0);
        if (position == 0)
            return;
        LvRect expected;
        if (vertical)
            expected = position == 1 ? LvRect(r.left - 3, r.top, r.left + 3, r.bottom)
                                     : LvRect(r.right - 3, r.top, r.right + 3, r.bottom);
        else
            expected = position == 1 ? LvRect(r.left, r.top - 3, r.right, r.top + 3)
                                     : LvRect(r.left, r.bottom - 3, r.right, r.bottom + 3);
        QCOMPARE(m.InsertMark().DisplayRect(), expected);
        QCOMPARE(m.InsertMark().DropPosition(), position);
        // The stem is painted in the mark's colour.
        const QImage img = Render(*t.lv);
        const QPoint stem = vertical ? QPoint(expected.left + 2, expected.top + expected.Height() / 2)
                                     : QPoint(expected.left + expected.Width() / 2, expected.top + 2);
        QCOMPARE(img.pixelColor(stem + origin), QColor(Qt::red));
        Leave(t.vp());
        QVERIFY(!m.InsertMark().Visible());
        QVERIFY(m.InsertMark().DisplayRect().IsEmpty());
    }

    // Items freed while a drag is over them leave no reference behind in the drag.
    void itemsFreedDuringADrag()
    {
        List t(5);
        TLvOLEDragManager &m = t.lv->DragManager();
        m.SetEnabled(true);
        m.InsertMark().SetEnabled(true);
        LvMimeData data(std::make_shared<TCommonDataObject>());
        Enter(t.vp(), t.At(2, 8), &data);
        Over(t.vp(), t.At(2, 8), &data);
        QCOMPARE(m.DropTarget(), t.Item(2));
        QCOMPARE(m.InsertMark().Target(), t.Item(2));
        t.lv->Items().Clear();
        QVERIFY(!m.DropTarget());
        QVERIFY(!m.InsertMark().Target());
        Leave(t.vp());
        QVERIFY(!m.IsDragging());
    }

    // Three selected items dropped after an item keep their order; selected again or not.
    void dropMovesSelectedItems_data()
    {
        QTest::addColumn<bool>("reselect");
        QTest::newRow("selected again") << true;
        QTest::newRow("not selected again") << false;
    }
    void dropMovesSelectedItems()
    {
        QFETCH(bool, reselect);
        List t(8, {400, 250});
        TLvOLEDragManager &m = t.lv->DragManager();
        m.SetEnabled(true);
        m.InsertMark().SetEnabled(true);
        m.InsertMark().SetReSelectAfterMove(reselect);
        for (int i : {1, 3, 5})
            t.Item(i)->SetSelected(true);
        TLvItem *six = t.Item(6);
        const QPoint p = t.At(6, -1);
        LvMimeData data(std::make_shared<TCommonDataObject>());
        Enter(t.vp(), p, &data);
        QCOMPARE(Over(t.vp(), p, &data), Qt::MoveAction);
        QCOMPARE(m.InsertMark().Target(), six);
        QCOMPARE(DropAt(t.vp(), p, &data), Qt::MoveAction);
        QCOMPARE(t.Order(), QStringList({"0", "2", "4", "6", "1", "3", "5", "7"}));
        QCOMPARE(t.Selected(), reselect ? QStringList({"1", "3", "5"}) : QStringList());
        QVERIFY(!m.InsertMark().Visible());
        // The layout follows the new order.
        TLvItems &items = t.lv->Groups()[0]->Items();
        for (int i = 1; i < items.Count(); ++i)
            QVERIFY(items[i - 1]->DisplayRect().top < items[i]->DisplayRect().top);

        // Once the mark is gone (the pointer moved on to an item's middle) a drop moves nothing.
        Enter(t.vp(), t.At(2, -1), &data);
        Over(t.vp(), t.At(2, -1), &data);
        QVERIFY(m.InsertMark().Visible());
        Over(t.vp(), t.At(0, 8), &data);
        QVERIFY(!m.InsertMark().Visible());
        DropAt(t.vp(), t.At(0, 8), &data);
        QCOMPARE(t.Order(), QStringList({"0", "2", "4", "6", "1", "3", "5", "7"}));
    }

    // DragType edtVCL: with dmAutomatic the press and move run a toolkit drag that the item drag follows
    // and drops at the insert mark, without any OLE event; with dmManual nothing is dragged.
    void toolkitDrag_data()
    {
        QTest::addColumn<bool>("automatic");
        QTest::newRow("dmAutomatic") << true;
        QTest::newRow("dmManual") << false;
    }
    void toolkitDrag()
    {
        QFETCH(bool, automatic);
        List t(6, {400, 250});
        TLvOLEDragManager &m = t.lv->DragManager();
        m.SetEnabled(true);
        m.SetDragType(TLvDragType::edtVCL);
        m.SetDragMode(automatic ? TDragMode::dmAutomatic : TDragMode::dmManual);
        m.InsertMark().SetEnabled(true);
        QVERIFY(t.vp()->acceptDrops());
        int oleEvents = 0;
        t.lv->OnOLEDragStart = [&](QMimeData *, TCommonDropEffects &, bool &) { ++oleEvents; };
        t.lv->OnOLEDragEnter = [&](const QMimeData *, TCommonKeyStates, QPoint, TCommonDropEffects,
                                   TCommonDropEffect &) {
            ++oleEvents;
        };
        t.lv->OnOLEDragDrop = [&](const QMimeData *, TCommonKeyStates, QPoint, TCommonDropEffects, TCommonDropEffect &,
                                  bool &) { ++oleEvents; };
        const QPoint target = t.At(4, -1);
        t.lv->script = [&](QMimeData *data) {
            Enter(t.vp(), t.OnCaption(1), data);
            Over(t.vp(), target, data);
            return DropAt(t.vp(), target, data);
        };
        const QPoint from = t.OnCaption(1);
        QTest::mousePress(t.vp(), Qt::LeftButton, {}, from);
        MoveWithButton(t.vp(), from + QPoint(0, 15));
        // The focused item is the drag item until a drop forgets it.
        QCOMPARE(m.DragItem(), automatic ? nullptr : t.Item(1));
        QCOMPARE(t.lv->drags, automatic ? 1 : 0);
        QCOMPARE(oleEvents, 0);
        QTest::mouseRelease(t.vp(), Qt::LeftButton, {}, from + QPoint(0, 15));
        QVERIFY(!t.lv->HasState(elvsDragging | elvsToolkitDragging | elvsDragPending));
        QCOMPARE(t.Order(), automatic ? QStringList({"0", "2", "3", "4", "1", "5"})
                                      : QStringList({"0", "1", "2", "3", "4", "5"}));
    }

    // A drop that OnOLEDragDrop handles still ends the drag over the control: no highlight, no timer.
    void handledDropEndsTheDrag()
    {
        List t(40);
        TLvOLEDragManager &m = t.lv->DragManager();
        m.SetEnabled(true);
        m.SetAutoScrollDelay(50);
        m.SetAutoScrollTime(20);
        int drops = 0;
        t.lv->OnOLEDragDrop = [&](const QMimeData *, TCommonKeyStates, QPoint, TCommonDropEffects, TCommonDropEffect &e,
                                  bool &handled) {
            ++drops;
            e = TCommonDropEffect::cdeCopy;
            handled = true;
        };
        LvMimeData data(std::make_shared<TCommonDataObject>());
        const QPoint zone(50, t.vp()->height() - 3); // in the bottom zone, over an item
        Enter(t.vp(), zone, &data);
        Over(t.vp(), zone, &data);
        TLvItemHitTestInfoSet hit = 0;
        TLvItem *under = t.lv->ItemAt(zone, nullptr, hit);
        QVERIFY(under && under->DropHilighted());
        QCOMPARE(DropAt(t.vp(), zone, &data), Qt::CopyAction);
        QCOMPARE(drops, 1);
        QVERIFY(!m.IsDragging());
        QVERIFY(!under->DropHilighted());
        QTest::qWait(300);
        QCOMPARE(t.lv->Scrollbars().OffsetY(), 0);
    }

    // Auto-scroll starts AutoScrollDelay after entering an edge zone, and again after leaving and re-entering.
    void autoScroll()
    {
        List t(40, {400, 200});
        TLvOLEDragManager &m = t.lv->DragManager();
        m.SetEnabled(true);
        m.SetAutoScrollDelay(400);
        m.SetAutoScrollTime(20);
        LvMimeData data(std::make_shared<TCommonDataObject>());
        const QPoint middle(50, 100), bottom(50, t.vp()->height() - 5);
        Enter(t.vp(), middle, &data);
        Over(t.vp(), bottom, &data);
        QTest::qWait(150);
        QCOMPARE(t.lv->Scrollbars().OffsetY(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(t.lv->Scrollbars().OffsetY() > 0, 3000);

        Over(t.vp(), middle, &data);
        const int stopped = t.lv->Scrollbars().OffsetY();
        QTest::qWait(100);
        QCOMPARE(t.lv->Scrollbars().OffsetY(), stopped);
        Over(t.vp(), bottom, &data);
        QTest::qWait(150);
        QCOMPARE(t.lv->Scrollbars().OffsetY(), stopped);
        QTRY_VERIFY_WITH_TIMEOUT(t.lv->Scrollbars().OffsetY() > stopped, 3000);
        DropAt(t.vp(), middle, &data);
        const int dropped = t.lv->Scrollbars().OffsetY();
        QTest::qWait(100);
        QCOMPARE(t.lv->Scrollbars().OffsetY(), dropped);
    }

    // Column drags: pressing a header button and moving starts the drag; the scripted drag enters at the
    // press point, moves to the target and drops there.
    void headerDrag_data()
    {
        QTest::addColumn<QPoint>("target");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QList<int>>("positions");
        QTest::addColumn<int>("drags");
        QTest::newRow("onto the third column") << QPoint(260, 12) << "" << QList<int>{2, 0, 1} << 1;
        QTest::newRow("onto itself") << QPoint(60, 12) << "" << QList<int>{0, 1, 2} << 1;
        QTest::newRow("below the header") << QPoint(260, 60) << "" << QList<int>{0, 1, 2} << 1;
        QTest::newRow("Draggable off") << QPoint(260, 12) << "off" << QList<int>{0, 1, 2} << 0;
        QTest::newRow("edtVCL") << QPoint(260, 12) << "vcl" << QList<int>{0, 1, 2} << 0;
    }
    void headerDrag()
    {
        QFETCH(QPoint, target);
        QFETCH(QString, setup);
        QFETCH(QList<int>, positions);
        QFETCH(int, drags);
        List t(3);
        QVERIFY(t.lv->Header().Draggable());
        QVERIFY(!t.lv->DragManager().Enabled());
        if (setup == "off")
            t.lv->Header().SetDraggable(false);
        if (setup == "vcl")
            t.lv->HeaderDragManager().SetDragType(TLvDragType::edtVCL);
        QCOMPARE(t.vp()->acceptDrops(), setup.isEmpty());
        const QPoint press(40, 12), start(60, 12);
        Qt::DropAction over = Qt::IgnoreAction;
        bool marked = false;
        t.lv->script = [&](QMimeData *data) {
            Enter(t.vp(), start, data);
            over = Over(t.vp(), target, data);
            marked = t.lv->Header().Columns()[target.x() > 220 ? 2 : 0]->ColumnDropTarget();
            return DropAt(t.vp(), target, data);
        };
        int itemEnds = 0;
        t.lv->OnOLEDragEnd = [&](QMimeData *, TCommonOLEDragResult, TCommonDropEffects, TCommonKeyStates) {
            ++itemEnds;
        };
        QTest::mousePress(t.vp(), Qt::LeftButton, {}, press);
        MoveWithButton(t.vp(), start);
        QTest::mouseRelease(t.vp(), Qt::LeftButton, {}, start);
        QCOMPARE(t.lv->drags, drags);
        QCOMPARE(t.Positions(), positions);
        QCOMPARE(itemEnds, 0);
        QCOMPARE(t.lv->Header().MouseState() & (ehmDragging | ehmDragPossible | ehmClicking), 0);
        if (drags == 0)
            return;
        QCOMPARE(over, target.y() < 25 ? Qt::MoveAction : Qt::IgnoreAction);
        QCOMPARE(marked, target.y() < 25);
        for (int i = 0; i < 3; ++i)
            QVERIFY(!t.lv->Header().Columns()[i]->ColumnDropTarget());
        // The picture: as wide as the column, as high as the header; the hot spot where it was taken.
        QCOMPARE(t.lv->image.size(), QSize(100, 25));
        QCOMPARE(t.lv->hotSpot, start);
        // A click after the drag sorts again: the header left its drag states.
        QTest::mouseClick(t.vp(), Qt::LeftButton, {}, QPoint(150, 12));
        QVERIFY(t.lv->Header().ColumnAt(QPoint(150, 12))->SortDirection() != TLvSortDirection::esdNone);
    }

    // Column data reaches the column drag even with item dragging off; data of another control or of no
    // running drag is refused.
    void headerDataFromAnotherSource()
    {
        List t(3), other(3);
        LvMimeData foreign(std::make_shared<TCommonDataObject>());
        foreign.setData(LvHeaderDragFormat, DragRecord(other.lv.get(), other.lv->Header().Columns()[0]));
        QVERIFY(Enter(t.vp(), QPoint(60, 12), &foreign));
        QCOMPARE(Over(t.vp(), QPoint(260, 12), &foreign), Qt::IgnoreAction);
        DropAt(t.vp(), QPoint(260, 12), &foreign);
        QCOMPARE(t.Positions(), QList<int>({0, 1, 2}));

        LvMimeData stale(std::make_shared<TCommonDataObject>());
        stale.setData(LvHeaderDragFormat, DragRecord(t.lv.get(), t.lv->Header().Columns()[0]));
        Enter(t.vp(), QPoint(60, 12), &stale);
        QCOMPARE(Over(t.vp(), QPoint(260, 12), &stale), Qt::IgnoreAction);
        DropAt(t.vp(), QPoint(260, 12), &stale);
        QCOMPARE(t.Positions(), QList<int>({0, 1, 2}));
    }

    // The column drag scrolls sideways near the edges only in report view.
    void headerAutoScrollOnlyInReport_data()
    {
        QTest::addColumn<int>("view");
        QTest::addColumn<bool>("scrolls");
        QTest::newRow("report") << int(TLvListStyle::elsReport) << true;
        QTest::newRow("list") << int(TLvListStyle::elsList) << false;
    }
    void headerAutoScrollOnlyInReport()
    {
        QFETCH(int, view);
        QFETCH(bool, scrolls);
        List t(60, {200, 200});
        t.lv->Header().Columns()[2]->SetWidth(600);
        t.lv->Header().SetShowInAllViews(true);
        t.lv->SetView(TLvListStyle(view));
        t.lv->Scrollbars().SetSnapHorzView(false);
        t.lv->HeaderDragManager().SetAutoScrollDelay(50);
        t.lv->HeaderDragManager().SetAutoScrollTime(20);
        if (scrolls)
            QVERIFY(t.lv->Scrollbars().MaxOffsetX() > 0);
        bool moved = false;
        t.lv->script = [&](QMimeData *data) {
            Enter(t.vp(), QPoint(60, 12), data);
            Over(t.vp(), QPoint(t.vp()->width() - 3, 12), data);
            QTest::qWait(400);
            moved = t.lv->Scrollbars().OffsetX() > 0;
            Leave(t.vp());
            return Qt::IgnoreAction;
        };
        QTest::mousePress(t.vp(), Qt::LeftButton, {}, QPoint(40, 12));
        MoveWithButton(t.vp(), QPoint(60, 12));
        QTest::mouseRelease(t.vp(), Qt::LeftButton, {}, QPoint(60, 12));
        QCOMPARE(t.lv->drags, 1);
        QCOMPARE(moved, scrolls);
    }
};

QTEST_MAIN(tst_QtLvDragDrop)
#include "tst_QtLvDragDrop.moc"
