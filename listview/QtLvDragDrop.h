#pragma once
// Drag and drop of the list view: the drag-manager base (drag state, key states, auto-scroll near the
// edges on a QTimer), the column drag manager of the header, the item drag manager with its insert mark,
// the drop target (the viewport's drag enter, move, leave and drop events) and the drop source.
//
// - A drag runs through the control's DoDragDrop, which wraps QDrag::exec (modal); an accepted action is
//   cdrDrop, IgnoreAction cdrCancel. Unless OnOLEGetDataObject gives one, the data object is an
//   LvMimeData over a TLvDataObjectManager bound to the control for the drag; only such an object gets
//   a drag picture (kept by the object). There is no query step: Escape cancels and a release drops, so
//   OnOLEQueryContineDrag never fires; OnOLEGiveFeedback fires whenever the drag reports a new action.
// - The drop target picks the manager first (a column record goes to the column drag, anything else to
//   the item drag) and refuses the drag only when that manager is off.
// - A column record is honoured only by the control and column that started the drag.
// - A drop that OnOLEDragDrop handles still ends the drag over the control (highlight, mark, timer).
// - With `InsertMark.AutoMove` the selected items move only to a mark on screen or onto a group's
//   header; the highlight of an item without a mark moves nothing.
// - Objects freed during a drag are forgotten by the managers (the control's ObjectDestroying).
// The column drag's operations live in QtLvHeaderDrag.cpp.
// - The viewport accepts drops while either manager is on (the column drag only as edtOLE).
// - Auto-scroll starts `AutoScrollDelay` ms after the pointer enters an edge zone and steps every
//   `AutoScrollTime` ms at the last point of the drag; leaving every zone starts the delay again.
// - `DragType` edtVCL: the item drag remembers the focused item and, with `DragMode` dmAutomatic, runs a
//   toolkit drag at once: a drag of private data (LvToolkitDragFormat) that the item drag of a control
//   follows and drops (insert mark and all) without the OLE events. The column drag then does nothing.

#include "listview/LvDragDrop.h"

#include <QImage>
#include <QPoint>

#include <functional>
#include <memory>

class QDragEnterEvent;
class QDragMoveEvent;
class QDragLeaveEvent;
class QDropEvent;
class QEvent;
class QMimeData;
class QPainter;
class QTimer;

namespace gdvorn::lv {

class QtLvListview;

class TCustomLvDragManagerBase {
public:
    explicit TCustomLvDragManagerBase(QtLvListview *owner);
    virtual ~TCustomLvDragManagerBase();
    TCustomLvDragManagerBase(const TCustomLvDragManagerBase &) = delete;
    TCustomLvDragManagerBase &operator=(const TCustomLvDragManagerBase &) = delete;

    bool AutoScroll() const { return autoScroll_; }
    void SetAutoScroll(bool v) { autoScroll_ = v; }
    int AutoScrollAccelerator() const { return autoScrollAccelerator_; }
    void SetAutoScrollAccelerator(int v) { autoScrollAccelerator_ = v; }
    int AutoScrollDelay() const { return autoScrollDelay_; }
    void SetAutoScrollDelay(int v) { autoScrollDelay_ = v; }
    int AutoScrollMargin() const { return autoScrollMargin_; }
    void SetAutoScrollMargin(int v) { autoScrollMargin_ = v; }
    int AutoScrollTime() const { return autoScrollTime_; }
    void SetAutoScrollTime(int v) { autoScrollTime_ = v; }
    // Buttons that may start the drag (bits: 1 left, 2 right, 4 middle).
    int MouseButton() const { return mouseButton_; }
    void SetMouseButton(int v) { mouseButton_ = v; }
    virtual bool Enabled() const { return enabled_; }
    // The enabling hook, then the value; the viewport's drop registration follows.
    void SetEnabled(bool v);

    const QMimeData *DataObject() const { return dataObject_; }
    TCommonKeyStates LastKeyStates() const { return lastKeyStates_; }
    bool IsDragging() const { return dragging_; }
    bool AutoScrolling() const { return autoScrolling_; }
    QTimer *Timer();

    // The drag over the control, points in window coordinates.
    void DragEnter(const QMimeData *data, TCommonDropEffect &effect, TCommonKeyStates keys, QPoint point);
    void Drag(QPoint point, TCommonDropEffect &effect, TCommonKeyStates keys);
    virtual void DragEnd(QPoint point, TCommonKeyStates keys);
    virtual void Drop(QPoint point, TCommonKeyStates keys, TCommonDropEffect &effect);
    virtual void BeginDrag(QPoint point, TCommonKeyStates keys) { DoBeginDrag(point, keys); }
    virtual void TimerTick();
    bool InAnyZone(QPoint p) const { return InBottomZone(p) || InLeftZone(p) || InRightZone(p) || InTopZone(p); }

protected:
    virtual void AutoScrollStep();
    virtual void DoAfterScroll() {}
    virtual void DoBeforeScroll() {}
    virtual void ScrollBy(int dx, int dy);
    virtual void DoDragMove(QPoint, TCommonDropEffect &, TCommonKeyStates) {}
    virtual void DoBeginDrag(QPoint, TCommonKeyStates) {}
    virtual void DoDrop(QPoint, TCommonKeyStates, TCommonDropEffect &) {}
    virtual void DoDragEnd(QPoint, TCommonKeyStates) {}
    virtual void DoDragEnter(const QMimeData *, TCommonDropEffect &, TCommonKeyStates, QPoint) {}
    virtual void DoGetDragImage(QImage &, QPoint, QPoint &, LvColor &, bool &) {}
    virtual void DoDragEndNotify(QMimeData *, TCommonOLEDragResult, TCommonDropEffects, TCommonKeyStates) {}
    virtual void DoDragStartNotify(QMimeData *, TCommonDropEffects &, bool &) {}
    virtual bool InBottomZone(QPoint) const { return false; }
    virtual bool InLeftZone(QPoint) const { return false; }
    virtual bool InRightZone(QPoint) const { return false; }
    virtual bool InTopZone(QPoint) const { return false; }
    virtual void DoEnable(bool) {}
    virtual void StoreEnabled(bool v) { enabled_ = v; }
    int DistanceBottom(QPoint p) const;
    int DistanceLeft(QPoint p) const;
    int DistanceRight(QPoint p) const;
    int DistanceTop(QPoint p) const;
    void EndDragState();

    QtLvListview *owner_;

private:
    bool autoScroll_ = true;
    int autoScrollAccelerator_ = 2, autoScrollDelay_ = 500, autoScrollMargin_ = 15, autoScrollTime_ = 50;
    int mouseButton_ = 1;
    bool enabled_ = false;
    bool delayMet_ = false, dragging_ = false, autoScrolling_ = false;
    const QMimeData *dataObject_ = nullptr;
    TCommonKeyStates lastKeyStates_ = 0;
    QPoint lastPoint_;
    TCommonDropEffect lastEffect_ = TCommonDropEffect::cdeNone;
    std::unique_ptr<QTimer> timer_;
};

// The header's column drag: a column dragged along the header takes the position of the column it is
// dropped on. `Enabled` is the header's `Draggable`.
class TLvHeaderDragManager : public TCustomLvDragManagerBase {
public:
    explicit TLvHeaderDragManager(QtLvListview *owner);

    bool Enabled() const override;
    bool EnableDragImage() const { return enableDragImage_; }
    void SetEnableDragImage(bool v) { enableDragImage_ = v; }
    int DragImageWidth() const { return dragImageWidth_; }
    void SetDragImageWidth(int v) { dragImageWidth_ = v; }
    int DragImageHeight() const { return dragImageHeight_; }
    void SetDragImageHeight(int v) { dragImageHeight_ = v; }
    TDragMode DragMode() const { return dragMode_; }
    void SetDragMode(TDragMode v) { dragMode_ = v; }
    TLvDragType DragType() const { return dragType_; }
    // edtVCL withdraws the viewport's drop registration first.
    void SetDragType(TLvDragType v);

    // The picture of a drag: (control, image, drag start point, var hot spot, var transparent colour,
    // var handled); by default the manager's own painter.
    using DragImageHandler = std::function<void(QImage &, QPoint, QPoint &, LvColor &, bool &)>;
    void SetOnGetDragImage(DragImageHandler h) { onGetDragImage_ = std::move(h); }

    TLvColumn *DragColumn() const { return dragColumn_; }
    TLvColumn *TargetColumn() const { return targetColumn_; }
    bool AllowDrop() const { return allowDrop_; }
    // The header starts a drag of `column` from a point in header coordinates.
    void StartColumnDrag(TLvColumn *column, QPoint headerPoint);
    // An object is being freed: the manager keeps no reference to it.
    virtual void ForgetObject(TLvCollectionItem *object);

protected:
    void DoDragMove(QPoint point, TCommonDropEffect &effect, TCommonKeyStates keys) override;
    void DoBeginDrag(QPoint point, TCommonKeyStates keys) override;
    void DoDrop(QPoint point, TCommonKeyStates keys, TCommonDropEffect &effect) override;
    void DoDragEnd(QPoint point, TCommonKeyStates keys) override;
    void DoDragEnter(const QMimeData *data, TCommonDropEffect &effect, TCommonKeyStates keys, QPoint point) override;
    void DoDragEndNotify(QMimeData *data, TCommonOLEDragResult result, TCommonDropEffects effects,
                         TCommonKeyStates keys) override;
    void DoDragStartNotify(QMimeData *data, TCommonDropEffects &effects, bool &allow) override;
    bool InLeftZone(QPoint p) const override;
    bool InRightZone(QPoint p) const override;
    void StoreEnabled(bool v) override;
    virtual QSize DragImageSize() const;
    virtual void DefaultDragImage(QImage &image, QPoint start, QPoint &hotSpot, LvColor &transparent, bool &handled);
    virtual bool OwnsDataObject() const { return false; }
    // Runs a started drag: data object, start notification, picture, the modal drag, end notification.
    void RunDrag(QPoint point, TCommonKeyStates keys);
    void SetTargetColumn(TLvColumn *column);

    bool enableDragImage_ = true;
    int dragImageWidth_ = 200, dragImageHeight_ = 300;
    TDragMode dragMode_ = TDragMode::dmManual;
    TLvDragType dragType_ = TLvDragType::edtOLE;
    DragImageHandler onGetDragImage_;

private:
    TLvColumn *dragColumn_ = nullptr;
    TLvColumn *targetColumn_ = nullptr;
    bool allowDrop_ = false;
};

// The item drag: the control as source and target of dragged items.
class TLvOLEDragManager : public TLvHeaderDragManager {
public:
    explicit TLvOLEDragManager(QtLvListview *owner);

    bool Enabled() const override { return TCustomLvDragManagerBase::Enabled(); }
    bool HilightDropTarget() const { return hilightDropTarget_; }
    void SetHilightDropTarget(bool v) { hilightDropTarget_ = v; }
    TLvInsertMark &InsertMark() { return insertMark_; }

    // The press accepts a drag of the item at a window point when the manager is on, the button
    // qualifies and the point is in the item's click-select area.
    bool AcceptDrag(TLvItem *item, QPoint windowPoint, TCommonMouseButton button);
    void ForgetDragItem() { dragItem_ = nullptr; }
    TLvItem *DragItem() const { return dragItem_; }
    bool DragTarget() const { return dragTarget_; }
    TLvCollectionItem *DropTarget() const { return dropTarget_; }
    void Drop(QPoint point, TCommonKeyStates keys, TCommonDropEffect &effect) override;
    void ForgetObject(TLvCollectionItem *object) override;
    // Paints the visible mark (window painter, document rectangle mapped by the caller's offsets).
    void PaintInsertMark(QPainter &painter);

protected:
    void DoDragMove(QPoint point, TCommonDropEffect &effect, TCommonKeyStates keys) override;
    void DoBeginDrag(QPoint point, TCommonKeyStates keys) override;
    void DoDrop(QPoint point, TCommonKeyStates keys, TCommonDropEffect &effect) override;
    void DoDragEnd(QPoint point, TCommonKeyStates keys) override;
    void DoDragEnter(const QMimeData *data, TCommonDropEffect &effect, TCommonKeyStates keys, QPoint point) override;
    void DoGetDragImage(QImage &image, QPoint start, QPoint &hotSpot, LvColor &transparent, bool &handled) override;
    void DoDragEndNotify(QMimeData *data, TCommonOLEDragResult result, TCommonDropEffects effects,
                         TCommonKeyStates keys) override;
    void DoDragStartNotify(QMimeData *data, TCommonDropEffects &effects, bool &allow) override;
    bool InBottomZone(QPoint p) const override;
    bool InLeftZone(QPoint) const override { return false; }
    bool InRightZone(QPoint) const override { return false; }
    bool InTopZone(QPoint p) const override;
    void StoreEnabled(bool v) override;
    QSize DragImageSize() const override { return {dragImageWidth_, dragImageHeight_}; }
    void DefaultDragImage(QImage &image, QPoint start, QPoint &hotSpot, LvColor &transparent, bool &handled) override;
    bool OwnsDataObject() const override { return true; }

private:
    void PrepareToolkitDrag();
    void ClearDropTarget();
    void HideInsertMark();
    void RepaintDocRect(const LvRect &r);
    void MoveToInsertMark();

    bool hilightDropTarget_ = true;
    bool dragTarget_ = false;
    TLvItem *dragItem_ = nullptr;
    TLvCollectionItem *dropTarget_ = nullptr;
    TLvInsertMark insertMark_;
};

// The source side of one drag: fires OnOLEGiveFeedback for each new action the drag reports.
class TLvDropSourceManager {
public:
    explicit TLvDropSourceManager(QtLvListview *owner) : owner_(owner) {}
    // Answers whether the default cursors are wanted.
    bool GiveFeedback(Qt::DropAction action);

private:
    QtLvListview *owner_;
};

// The control's drag and drop: its two managers, the drop target and the item side's mouse steps.
class QtLvDragDrop {
public:
    explicit QtLvDragDrop(QtLvListview *owner);
    ~QtLvDragDrop();
    QtLvDragDrop(const QtLvDragDrop &) = delete;
    QtLvDragDrop &operator=(const QtLvDragDrop &) = delete;

    TLvOLEDragManager &DragManager() { return *items_; }
    TLvHeaderDragManager &HeaderDragManager() { return *columns_; }
    // The manager that the drag now over the control went to (nothing between drags).
    TCustomLvDragManagerBase *Chosen() const { return chosen_; }

    // The viewport's drag events; true when the event was one of them.
    bool ViewportEvent(QEvent *event);
    // A move while an item drag is pending: past the threshold the drag begins (modal).
    void PendingMove(QPoint pos, Qt::MouseButtons buttons, Qt::KeyboardModifiers mods);
    // The viewport accepts drops while a manager wants them.
    void UpdateRegistration();
    // Key states of a mouse or drag event.
    static TCommonKeyStates KeyStates(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons);

private:
    void DragEnter(QDragEnterEvent *e);
    void DragOver(QDragMoveEvent *e);
    void DragLeave();
    void Drop(QDropEvent *e);

    QtLvListview *owner_;
    std::unique_ptr<TLvOLEDragManager> items_;
    std::unique_ptr<TLvHeaderDragManager> columns_;
    TCustomLvDragManagerBase *chosen_ = nullptr;
    bool toolkit_ = false; // the drag over the control is a toolkit drag
    TCommonDropEffects available_ = 0;
};

// The data object a drag makes when the application gives none: the component's own, bound to the
// control until the drag ends.
std::unique_ptr<QMimeData> NewDragDataObject(QtLvListview *owner);

} // namespace gdvorn::lv
