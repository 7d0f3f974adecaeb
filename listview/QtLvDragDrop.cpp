#include "listview/QtLvDragDrop.h"

#include "app/ugExcecao.h"
#include "listview/LvDataObject.h"
#include "listview/QtLvListview.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QTimer>

#include <cstdlib>
#include <utility>

namespace gdvorn::lv {

namespace {

// What QDrag owns and frees with itself: it answers through the drag's data object, which stays with
// the code that started the drag (its end event still sees it).
class ForwardingMimeData : public QMimeData {
public:
    explicit ForwardingMimeData(QMimeData *data) : data_(data) {}
    QStringList formats() const override { return data_ ? data_->formats() : QStringList(); }
    bool hasFormat(const QString &format) const override { return data_ && data_->hasFormat(format); }

protected:
    QVariant retrieveData(const QString &format, QMetaType) const override
    {
        return data_ ? QVariant(data_->data(format)) : QVariant();
    }

private:
    QPointer<QMimeData> data_;
};

} // namespace

std::unique_ptr<QMimeData> NewDragDataObject(QtLvListview *owner)
{
    return std::make_unique<LvMimeData>(std::make_shared<TLvDataObjectManager>(owner));
}

// --- The control's operations -----------------------------------------------------------------------

TLvOLEDragManager &QtLvListview::DragManager() { return dragDrop_->DragManager(); }

TLvHeaderDragManager &QtLvListview::HeaderDragManager() { return dragDrop_->HeaderDragManager(); }

void QtLvListview::BeginHeaderDrag(TLvColumn *column, QPoint headerPoint)
{
    dragDrop_->HeaderDragManager().StartColumnDrag(column, headerPoint);
}

void QtLvListview::DragEnabledChanged()
{
    if (dragDrop_ && created_) // the first show registers
        dragDrop_->UpdateRegistration();
}

Qt::DropAction QtLvListview::DoDragDrop(QMimeData *data, Qt::DropActions actions, const QImage &image, QPoint hotSpot)
{
    TLvDropSourceManager source(this);
    QPointer<QDrag> drag = new QDrag(viewport());
    // QDrag frees what it carries: the component's own data object travels as a second face of the
    // same object, anything else through a forwarder.
    if (const std::shared_ptr<TCommonDataObject> object = LvMimeData::DataObjectOf(data)) {
        auto *carried = new LvMimeData(object);
        for (const QString &type : data->formats())
            if (!LvMimeData::FormatOf(type))
                carried->setData(type, data->data(type));
        drag->setMimeData(carried);
    } else {
        drag->setMimeData(new ForwardingMimeData(data));
    }
    if (!image.isNull()) {
        drag->setPixmap(QPixmap::fromImage(image));
        drag->setHotSpot(hotSpot);
    }
    QObject::connect(drag.data(), &QDrag::actionChanged, viewport(),
                     [&source](Qt::DropAction action) { Protege([&] { source.GiveFeedback(action); }); });
    const Qt::DropAction result = drag->exec(actions);
    if (drag)
        drag->deleteLater();
    return result;
}

bool TLvDropSourceManager::GiveFeedback(Qt::DropAction action)
{
    bool useDefaultCursors = true;
    if (owner_->OnOLEGiveFeedback)
        owner_->OnOLEGiveFeedback(DropEffectsFromActions(action), useDefaultCursors);
    return useDefaultCursors;
}

// --- Base -------------------------------------------------------------------------------------------

TCustomLvDragManagerBase::TCustomLvDragManagerBase(QtLvListview *owner) : owner_(owner) {}

TCustomLvDragManagerBase::~TCustomLvDragManagerBase() = default;

void TCustomLvDragManagerBase::SetEnabled(bool v)
{
    DoEnable(v);
    StoreEnabled(v);
    owner_->DragEnabledChanged();
}

QTimer *TCustomLvDragManagerBase::Timer()
{
    if (!timer_) {
        timer_ = std::make_unique<QTimer>();
        QObject::connect(timer_.get(), &QTimer::timeout, [this] { Protege([&] { TimerTick(); }); });
    }
    return timer_.get();
}

void TCustomLvDragManagerBase::DragEnter(const QMimeData *data, TCommonDropEffect &effect, TCommonKeyStates keys,
                                         QPoint point)
{
    dragging_ = true;
    dataObject_ = data;
    Timer()->stop();
    Timer()->setInterval(autoScrollDelay_);
    delayMet_ = false;
    lastPoint_ = point;
    lastKeyStates_ = keys;
    DoDragEnter(data, effect, keys, point);
}

void TCustomLvDragManagerBase::Drag(QPoint point, TCommonDropEffect &effect, TCommonKeyStates keys)
{
    lastPoint_ = point;
    if (autoScroll_) {
        if (InAnyZone(point)) {
            if (!Timer()->isActive())
                Timer()->start();
        } else {
            Timer()->stop();
            Timer()->setInterval(autoScrollDelay_);
            delayMet_ = false;
        }
    }
    lastKeyStates_ = keys;
    DoDragMove(point, effect, keys);
    lastEffect_ = effect;
}

void TCustomLvDragManagerBase::EndDragState()
{
    if (timer_)
        timer_->stop();
    lastKeyStates_ = 0;
    dragging_ = false;
    delayMet_ = false;
}

void TCustomLvDragManagerBase::DragEnd(QPoint point, TCommonKeyStates keys)
{
    EndDragState();
    DoDragEnd(point, keys);
    dataObject_ = nullptr;
}

void TCustomLvDragManagerBase::Drop(QPoint point, TCommonKeyStates keys, TCommonDropEffect &effect)
{
    EndDragState();
    DoDrop(point, keys, effect);
    dataObject_ = nullptr;
}

void TCustomLvDragManagerBase::TimerTick()
{
    if (!delayMet_) {
        delayMet_ = true;
        Timer()->setInterval(autoScrollTime_);
        return;
    }
    AutoScrollStep();
}

void TCustomLvDragManagerBase::AutoScrollStep()
{
    if (!owner_->HandleAllocated() || !delayMet_)
        return;
    const QPoint p = lastPoint_;
    if (InTopZone(p))
        ScrollBy(0, -DistanceTop(p) * autoScrollAccelerator_);
    else if (InBottomZone(p))
        ScrollBy(0, DistanceBottom(p) * autoScrollAccelerator_);
    if (owner_->Scrollbars().SnapHorzView()) {
        const int cell = std::max(1, owner_->CellSizes().List.Width());
        if (InLeftZone(p))
            ScrollBy(-cell, 0);
        else if (InRightZone(p))
            ScrollBy(cell, 0);
    } else if (InLeftZone(p)) {
        ScrollBy(-DistanceLeft(p) * autoScrollAccelerator_, 0);
    } else if (InRightZone(p)) {
        ScrollBy(DistanceRight(p) * autoScrollAccelerator_, 0);
    }
}

void TCustomLvDragManagerBase::ScrollBy(int dx, int dy)
{
    DoBeforeScroll();
    autoScrolling_ = true;
    LvFinally done([this] { autoScrolling_ = false; });
    owner_->Scrollbars().Scroll(dx, dy);
    // The drag follows the new view, as a move to the same point would.
    TCommonDropEffect effect = lastEffect_;
    Drag(lastPoint_, effect, lastKeyStates_);
    DoAfterScroll();
}

int TCustomLvDragManagerBase::DistanceTop(QPoint p) const
{
    return std::abs(p.y() - (owner_->Header().RuntimeHeight() + autoScrollMargin_));
}

int TCustomLvDragManagerBase::DistanceBottom(QPoint p) const
{
    return std::abs(owner_->ClientHeight() - (p.y() + autoScrollMargin_));
}

int TCustomLvDragManagerBase::DistanceLeft(QPoint p) const { return std::abs(p.x() - autoScrollMargin_); }

int TCustomLvDragManagerBase::DistanceRight(QPoint p) const
{
    return std::abs(owner_->ClientWidth() - (p.x() + autoScrollMargin_));
}

// --- Item drag --------------------------------------------------------------------------------------

TLvOLEDragManager::TLvOLEDragManager(QtLvListview *owner) : TLvHeaderDragManager(owner) {}

void TLvOLEDragManager::StoreEnabled(bool v) { TCustomLvDragManagerBase::StoreEnabled(v); }

bool TLvOLEDragManager::AcceptDrag(TLvItem *item, QPoint windowPoint, TCommonMouseButton button)
{
    if (!Enabled())
        return false;
    if (item && (MouseButton() & TLvSelectionManager::ButtonBit(button)) &&
        item->View()->PointHitsItem(item, owner_->Scrollbars().MapWindowToView(windowPoint), false)) {
        dragItem_ = item;
        return true;
    }
    dragItem_ = nullptr;
    return false;
}

void TLvOLEDragManager::DoBeginDrag(QPoint point, TCommonKeyStates keys)
{
    if (!Enabled())
        return;
    if (dragType_ == TLvDragType::edtVCL) {
        PrepareToolkitDrag();
        return;
    }
    RunDrag(point, keys);
}

void TLvOLEDragManager::PrepareToolkitDrag()
{
    dragItem_ = owner_->Selection().FocusedItem();
    if (dragMode_ != TDragMode::dmAutomatic)
        return;
    try {
        QMimeData data;
        data.setData(LvToolkitDragFormat, DragRecord(owner_, dragItem_));
        owner_->DoDragDrop(&data, Qt::MoveAction, QImage(), QPoint());
    } catch (...) {
        // A failed toolkit drag leaves the control as if no drag had started.
    }
    // The modal drag ate the button's release: the toolkit drag ends here.
    owner_->ClearMouseStates();
}

void TLvOLEDragManager::DoDragStartNotify(QMimeData *data, TCommonDropEffects &effects, bool &allow)
{
    if (owner_->OnOLEDragStart)
        owner_->OnOLEDragStart(data, effects, allow);
}

void TLvOLEDragManager::DoDragEndNotify(QMimeData *data, TCommonOLEDragResult result, TCommonDropEffects effects,
                                        TCommonKeyStates keys)
{
    if (owner_->OnOLEDragEnd)
        owner_->OnOLEDragEnd(data, result, effects, keys);
}

void TLvOLEDragManager::DoGetDragImage(QImage &image, QPoint start, QPoint &hotSpot, LvColor &transparent,
                                       bool &handled)
{
    if (owner_->OnGetDragImage)
        owner_->OnGetDragImage(image, start, hotSpot, transparent, handled);
}

void TLvOLEDragManager::DefaultDragImage(QImage &image, QPoint start, QPoint &hotSpot, LvColor &transparent,
                                         bool &handled)
{
    if (image.isNull())
        return;
    transparent = owner_->Color();
    const int w = image.width(), h = image.height();
    LvRect r(start.x() - w / 2, start.y() - h / 2, start.x() + w / 2, start.y() + h / 2);
    hotSpot = QPoint(r.Width() / 2, r.Height() / 2);
    if (r.left < 0)
        hotSpot.rx() += r.left;
    if (r.top < 0)
        hotSpot.ry() += r.top;
    r = r.Intersected(owner_->ClientRect());
    QImage control(std::max(1, owner_->ClientWidth()), std::max(1, owner_->ClientHeight()), QImage::Format_ARGB32);
    control.fill(ResolveColor(owner_->Color()));
    {
        QPainter p(&control);
        owner_->PaintRect(p, r, true);
    }
    QPainter p(&image);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QPoint(0, 0), control, r.ToQRect());
    handled = true;
}

void TLvOLEDragManager::DoDragEnter(const QMimeData *, TCommonDropEffect &, TCommonKeyStates, QPoint)
{
    dragTarget_ = true;
}

bool TLvOLEDragManager::InBottomZone(QPoint p) const { return p.y() > owner_->ClientHeight() - AutoScrollMargin(); }

bool TLvOLEDragManager::InTopZone(QPoint p) const
{
    return p.y() - owner_->Header().RuntimeHeight() < AutoScrollMargin();
}

void TLvOLEDragManager::ForgetObject(TLvCollectionItem *object)
{
    TLvHeaderDragManager::ForgetObject(object);
    if (dragItem_ == object)
        dragItem_ = nullptr;
    if (dropTarget_ == object)
        dropTarget_ = nullptr;
    if (insertMark_.Target() == object) {
        insertMark_.SetTarget(nullptr);
        insertMark_.SetDropPosition(0);
    }
}

void TLvOLEDragManager::RepaintDocRect(const LvRect &r)
{
    const LvRect window = owner_->Scrollbars().MapViewRectToWindow(r);
    owner_->InvalidateWindow(&window, true);
}

void TLvOLEDragManager::ClearDropTarget()
{
    if (auto *item = dynamic_cast<TLvItem *>(dropTarget_)) {
        item->SetDropHilighted(false);
        item->Invalidate(true);
    }
    dropTarget_ = nullptr;
}

void TLvOLEDragManager::HideInsertMark()
{
    insertMark_.SetVisible(false);
    if (!insertMark_.DisplayRect().IsEmpty())
        RepaintDocRect(insertMark_.DisplayRect());
    insertMark_.SetTarget(nullptr);
    insertMark_.SetDropPosition(0);
    insertMark_.SetDisplayRect({});
}

void TLvOLEDragManager::DoDragMove(QPoint point, TCommonDropEffect &effect, TCommonKeyStates)
{
    if (owner_->IsHeaderPoint(point, true)) {
        effect = TCommonDropEffect::cdeNone;
        return;
    }
    const QPoint doc = owner_->Scrollbars().MapWindowToView(point);
    TLvItemHitTestInfoSet hit = 0;
    TLvItem *item = owner_->ItemAt(point, nullptr, hit);
    if (item) {
        if (!item->View()->PointHitsItem(item, doc, false) || insertMark_.Visible()) {
            ClearDropTarget();
        } else if (item != dropTarget_) {
            ClearDropTarget();
            dropTarget_ = item;
            if (hilightDropTarget_)
                item->SetDropHilighted(true);
            item->Invalidate(true);
            insertMark_.SetTarget(item);
        }
    } else {
        ClearDropTarget();
        TLvGroupHitTestInfoSet groupHit = 0;
        TLvGroup *group = owner_->GroupAt(point, groupHit);
        if (group && (groupHit & egtOnHeader)) {
            dropTarget_ = group;
            if (dynamic_cast<TLvItem *>(insertMark_.Target()))
                HideInsertMark();
            insertMark_.SetDropPosition(3);
            insertMark_.SetTarget(group);
        }
    }
    if (!insertMark_.Enabled() || !item)
        return;
    insertMark_.SetTarget(item);
    TLvInsertMarkerDir direction = InsertMarkDirection(owner_->View());
    const int quarter = item->DisplayRect().Width() / 4;
    std::uint8_t range = direction == TLvInsertMarkerDir::dmdVert ? std::uint8_t(std::clamp(quarter, 0, 255)) : 2;
    if (owner_->OnInsertMarkPosition)
        owner_->OnInsertMarkPosition(direction, range);
    LvRect bar;
    const int position = TLvInsertMark::Place(item->DisplayRect(), doc, direction, range, insertMark_.Width(),
                                              insertMark_.CenterMark(), bar);
    if (position)
        insertMark_.SetDropPosition(position);
    insertMark_.SetDirection(direction);
    insertMark_.SetVisible(false);
    const LvRect old = insertMark_.DisplayRect();
    if (!old.IsEmpty() && old != bar)
        RepaintDocRect(old);
    insertMark_.SetDisplayRect(bar);
    if (!bar.IsEmpty()) {
        insertMark_.SetVisible(true);
        RepaintDocRect(bar);
        ClearDropTarget(); // the mark takes the place of the highlight
    }
}

void TLvOLEDragManager::Drop(QPoint point, TCommonKeyStates keys, TCommonDropEffect &effect)
{
    MoveToInsertMark();
    TCustomLvDragManagerBase::Drop(point, keys, effect);
}

void TLvOLEDragManager::MoveToInsertMark()
{
    TLvCollectionItem *target = insertMark_.Target();
    const int position = insertMark_.DropPosition();
    if (!insertMark_.AutoMove() || !target || !position)
        return;
    // Items move only where the user sees the mark (or onto a group's header).
    if (position != 3 && !insertMark_.Visible())
        return;
    std::vector<TLvItem *> moved;
    TLvGroups &groups = owner_->Groups();
    for (int g = 0; g < groups.Count(); ++g)
        for (int i = 0; i < groups[g]->Items().Count(); ++i)
            if (TLvItem *item = groups[g]->Items()[i]; item->Selected())
                moved.push_back(item);
    if (moved.empty())
        return;
    {
        LvUpdateBracket update(*owner_);
        owner_->Selection().ClearAll();
        if (auto *group = dynamic_cast<TLvGroup *>(target)) {
            for (TLvItem *item : moved)
                group->Items().TakeItem(item, -1);
        } else {
            auto *at = static_cast<TLvItem *>(target);
            for (TLvItem *item : moved) {
                if (item == at)
                    continue;
                TLvItems *list = at->Items();
                if (list == item->Items() && item->Index() < at->Index()) {
                    list->TakeItem(item, at->Index() - 1 + (position == 2 ? 1 : 0));
                } else {
                    list->TakeItem(item, at->Index() + (position == 2 ? 1 : 0));
                }
                if (position == 2)
                    at = item; // a run keeps its order behind the first target
            }
        }
        owner_->StructureChanged(elvsItemStructureChanged, owner_->OnItemStructureChange);
    }
    if (insertMark_.ReSelectAfterMove()) {
        LvUpdateBracket update(*owner_);
        for (TLvItem *item : moved)
            item->SetSelected(true);
    }
}

void TLvOLEDragManager::DoDrop(QPoint, TCommonKeyStates, TCommonDropEffect &)
{
    ForgetDragItem();
    ClearDropTarget();
    HideInsertMark();
    dragTarget_ = false;
}

void TLvOLEDragManager::DoDragEnd(QPoint, TCommonKeyStates)
{
    ClearDropTarget();
    HideInsertMark();
    dragTarget_ = false;
}

void TLvOLEDragManager::PaintInsertMark(QPainter &painter)
{
    const LvRect r = insertMark_.DisplayRect();
    if (!insertMark_.Enabled() || !insertMark_.Visible() || r.IsEmpty())
        return;
    painter.save();
    painter.setPen(QPen(ResolveColor(insertMark_.Color()), 1));
    if (insertMark_.Direction() == TLvInsertMarkerDir::dmdVert) {
        const int n = r.Width() / 3;
        for (int i = 0; i < n; ++i)
            painter.drawLine(r.left + n + i, r.top, r.left + n + i, r.bottom - 1);
        for (int i = 0; i < n; ++i)
            painter.drawLine(r.left, r.top + i, r.right - 1, r.top + i);
        for (int i = 0; i <= n; ++i)
            painter.drawLine(r.left, r.bottom - 1 - i, r.right - 1, r.bottom - 1 - i);
    } else {
        const int n = r.Height() / 3;
        for (int i = 0; i < n; ++i)
            painter.drawLine(r.left, r.top + n + i, r.right - 1, r.top + n + i);
        for (int i = 0; i < n; ++i)
            painter.drawLine(r.left + i, r.top, r.left + i, r.bottom - 1);
        for (int i = 0; i <= n; ++i)
            painter.drawLine(r.right - 1 - i, r.top, r.right - 1 - i, r.bottom - 1);
    }
    painter.restore();
}

// --- The control's machinery ------------------------------------------------------------------------

QtLvDragDrop::QtLvDragDrop(QtLvListview *owner)
    : owner_(owner), items_(std::make_unique<TLvOLEDragManager>(owner)),
      columns_(std::make_unique<TLvHeaderDragManager>(owner))
{
}

QtLvDragDrop::~QtLvDragDrop() = default;

TCommonKeyStates QtLvDragDrop::KeyStates(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons)
{
    return QtLvListview::KeyStates(mods, buttons);
}

void QtLvDragDrop::UpdateRegistration()
{
    const bool wanted = items_->Enabled() || (columns_->Enabled() && columns_->DragType() == TLvDragType::edtOLE);
    owner_->viewport()->setAcceptDrops(wanted);
    if (wanted)
        owner_->Include(elvsDropTargetRegistered);
    else
        owner_->Exclude(elvsDropTargetRegistered);
}

bool QtLvDragDrop::ViewportEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::DragEnter: Protege([&] { DragEnter(static_cast<QDragEnterEvent *>(event)); }); return true;
    case QEvent::DragMove: Protege([&] { DragOver(static_cast<QDragMoveEvent *>(event)); }); return true;
    case QEvent::DragLeave: Protege([&] { DragLeave(); }); return true;
    case QEvent::Drop: Protege([&] { Drop(static_cast<QDropEvent *>(event)); }); return true;
    default: return false;
    }
}

namespace {

// Accepts a drag event with an effect, or refuses it when the effect has no action.
void Answer(QDropEvent *e, TCommonDropEffect effect)
{
    const Qt::DropAction action = DropEffectToAction(effect);
    if (action == Qt::IgnoreAction) {
        e->setDropAction(Qt::IgnoreAction);
        e->ignore();
    } else {
        e->setDropAction(action);
        e->accept();
    }
}

} // namespace

void QtLvDragDrop::DragEnter(QDragEnterEvent *e)
{
    const QPoint point = e->position().toPoint();
    const QMimeData *data = e->mimeData();
    toolkit_ = data && data->hasFormat(LvToolkitDragFormat);
    if (toolkit_) {
        // A toolkit drag of items: the item drag follows it without the OLE events.
        chosen_ = items_->Enabled() ? items_.get() : nullptr;
        if (!chosen_) {
            e->ignore();
            return;
        }
        TCommonDropEffect effect = TCommonDropEffect::cdeMove;
        chosen_->DragEnter(nullptr, effect, 0, point);
        Answer(e, effect);
        e->accept();
        return;
    }
    // The manager first: a column record goes to the column drag whatever the item drag's settings.
    TCommonDropEffect desired = TCommonDropEffect::cdeNone;
    TCustomLvDragManagerBase *manager = data && data->hasFormat(LvHeaderDragFormat)
                                            ? static_cast<TCustomLvDragManagerBase *>(columns_.get())
                                            : items_.get();
    if (!manager->Enabled()) {
        chosen_ = nullptr;
        e->ignore();
        return;
    }
    chosen_ = manager;
    const TCommonKeyStates keys = QtLvDragDrop::KeyStates(e->modifiers(), e->buttons());
    available_ = DropEffectsFromActions(e->possibleActions());
    desired = KeyStatesToDropEffect(keys);
    if (owner_->OnOLEDragEnter)
        owner_->OnOLEDragEnter(data, keys, point, available_, desired);
    chosen_->DragEnter(data, desired, keys, point);
    // Entered, so that the moves come, whether or not this point takes a drop.
    e->setDropAction(DropEffectToAction(desired));
    e->accept();
}

void QtLvDragDrop::DragOver(QDragMoveEvent *e)
{
    if (!chosen_ || !chosen_->Enabled()) {
        e->ignore();
        return;
    }
    const QPoint point = e->position().toPoint();
    const TCommonKeyStates keys = QtLvDragDrop::KeyStates(e->modifiers(), e->buttons());
    // A toolkit drag always moves and fires no OLE event.
    TCommonDropEffect desired = toolkit_ ? TCommonDropEffect::cdeMove : KeyStatesToDropEffect(keys);
    if (owner_->OnOLEDragOver && !toolkit_)
        owner_->OnOLEDragOver(keys, point, available_, desired);
    chosen_->Drag(point, desired, keys);
    Answer(e, desired);
}

void QtLvDragDrop::DragLeave()
{
    if (owner_->OnOLEDragLeave && !toolkit_)
        owner_->OnOLEDragLeave();
    if (TCustomLvDragManagerBase *manager = std::exchange(chosen_, nullptr))
        manager->DragEnd(QPoint(0, 0), 0);
}

void QtLvDragDrop::Drop(QDropEvent *e)
{
    TCustomLvDragManagerBase *manager = std::exchange(chosen_, nullptr);
    if (!manager) {
        e->ignore();
        return;
    }
    const QPoint point = e->position().toPoint();
    const TCommonKeyStates keys = QtLvDragDrop::KeyStates(e->modifiers(), e->buttons());
    TCommonDropEffect desired = toolkit_ ? TCommonDropEffect::cdeMove : KeyStatesToDropEffect(keys);
    bool handled = false;
    if (owner_->OnOLEDragDrop && !toolkit_)
        owner_->OnOLEDragDrop(e->mimeData(), keys, point, available_, desired, handled);
    if (handled)
        manager->DragEnd(point, keys); // the handler dropped: the drag over the control still ends
    else
        manager->Drop(point, keys, desired);
    Answer(e, desired);
}

void QtLvDragDrop::PendingMove(QPoint pos, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods)
{
    if (!DragThresholdCrossed(owner_->pressPoint_, pos))
        return;
    const TCommonKeyStates keys = QtLvDragDrop::KeyStates(mods, buttons);
    TLvItemHitTestInfoSet hit = 0;
    TLvItem *item = owner_->ItemAt(pos, nullptr, hit);
    if (!item) {
        owner_->Selection().ClearAll();
        owner_->Exclude(elvsDragPending);
        if (owner_->Selection().EnableDragSelect())
            owner_->Include(elvsDragRectPending);
        return;
    }
    if (keys & cksControl) {
        item->SetSelected(true);
        owner_->Selection().SetFocusedItem(item);
    }
    const bool toolkit = items_->DragType() == TLvDragType::edtVCL;
    owner_->Exclude(elvsDragPending);
    owner_->Include(elvsDragging | (toolkit ? elvsToolkitDragging : 0u));
    if (toolkit) {
        items_->BeginDrag(pos, keys);
        return;
    }
    // The modal drag ate the button's release: the control gets it afterwards, also when the drag fails.
    const Qt::MouseButton button = buttons & Qt::LeftButton    ? Qt::LeftButton
                                   : buttons & Qt::RightButton ? Qt::RightButton
                                                               : Qt::MiddleButton;
    QPointer<QWidget> viewport = owner_->viewport();
    LvFinally release([&] {
        if (!viewport)
            return;
        if (button == Qt::RightButton)
            owner_->Include(elvsNoContextMenu);
        QMouseEvent e(QEvent::MouseButtonRelease, pos, viewport->mapToGlobal(pos), button, Qt::NoButton, mods);
        QCoreApplication::sendEvent(viewport, &e);
    });
    items_->BeginDrag(pos, keys);
}

} // namespace gdvorn::lv
