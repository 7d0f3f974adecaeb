// The header's column drag: the drag of a column button along the header, its record, its picture and
// the drop that gives the column its new position.

#include "listview/LvDataObject.h"
#include "listview/QtLvDragDrop.h"
#include "listview/QtLvListview.h"

#include <QGuiApplication>
#include <QMimeData>
#include <QPainter>

namespace gdvorn::lv {

TLvHeaderDragManager::TLvHeaderDragManager(QtLvListview *owner) : TCustomLvDragManagerBase(owner)
{
    onGetDragImage_ = [this](QImage &image, QPoint start, QPoint &hotSpot, LvColor &transparent, bool &handled) {
        DefaultDragImage(image, start, hotSpot, transparent, handled);
    };
}

bool TLvHeaderDragManager::Enabled() const { return owner_->Header().Draggable(); }

void TLvHeaderDragManager::StoreEnabled(bool v) { owner_->Header().SetDraggable(v); }

void TLvHeaderDragManager::SetDragType(TLvDragType v)
{
    dragType_ = v;
    owner_->DragEnabledChanged();
}

void TLvHeaderDragManager::StartColumnDrag(TLvColumn *column, QPoint headerPoint)
{
    dragColumn_ = column;
    LvFinally forget([this] { dragColumn_ = nullptr; });
    QPoint window = headerPoint;
    if (owner_->HeaderScrollsWithView())
        window.rx() -= owner_->Scrollbars().OffsetX();
    BeginDrag(window, QtLvDragDrop::KeyStates(QGuiApplication::keyboardModifiers(), QGuiApplication::mouseButtons()));
}

void TLvHeaderDragManager::DoBeginDrag(QPoint point, TCommonKeyStates keys)
{
    if (!Enabled() || dragType_ == TLvDragType::edtVCL)
        return;
    RunDrag(point, keys);
}

void TLvHeaderDragManager::RunDrag(QPoint point, TCommonKeyStates keys)
{
    try {
        QMimeData *data = nullptr;
        if (OwnsDataObject() && owner_->OnOLEGetDataObject)
            owner_->OnOLEGetDataObject(data);
        std::unique_ptr<QMimeData> made;
        if (!data) {
            made = NewDragDataObject(owner_);
            data = made.get();
        }
        TCommonDropEffects effects = DropEffectBit(TCommonDropEffect::cdeNone);
        bool allow = false;
        DoDragStartNotify(data, effects, allow);
        if (!allow)
            return;
        QImage picture;
        QPoint hotSpot;
        const std::shared_ptr<TCommonDataObject> object = LvMimeData::DataObjectOf(data);
        if (enableDragImage_ && object) {
            const QSize size = DragImageSize();
            QImage image(std::max(1, size.width()), std::max(1, size.height()), QImage::Format_ARGB32);
            image.fill(Qt::transparent);
            LvColor transparent(LvColor::clWindow);
            bool handled = false;
            DoGetDragImage(image, point, hotSpot, transparent, handled);
            if (!handled && onGetDragImage_)
                onGetDragImage_(image, point, hotSpot, transparent, handled);
            if (handled && object->AssignDragImage(image, hotSpot, transparent)) {
                // The transparent colour shows what lies under the drag.
                const QRgb key = ResolveColor(transparent).rgb();
                for (int y = 0; y < image.height(); ++y) {
                    auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
                    for (int x = 0; x < image.width(); ++x)
                        if (line[x] == key)
                            line[x] = 0;
                }
                picture = image;
            }
        }
        const Qt::DropAction action = owner_->DoDragDrop(data, DropEffectsToActions(effects), picture, hotSpot);
        const TCommonOLEDragResult result =
            action == Qt::IgnoreAction ? TCommonOLEDragResult::cdrCancel : TCommonOLEDragResult::cdrDrop;
        DoDragEndNotify(data, result, DropEffectsFromActions(action), keys);
        TLvDataObjectManager::Unbind(data);
    } catch (...) {
        // A failed drag leaves the control as if no drag had started.
        owner_->Exclude(elvsDragPending | elvsDragging | elvsToolkitDragging | elvsDragRectPending |
                        elvsDragRect);
        owner_->Header().EndMouseOperation();
    }
}

void TLvHeaderDragManager::DoDragStartNotify(QMimeData *data, TCommonDropEffects &effects, bool &allow)
{
    allow = Enabled();
    effects = DropEffectBit(TCommonDropEffect::cdeMove);
    data->setData(LvHeaderDragFormat, DragRecord(owner_, dragColumn_));
}

void TLvHeaderDragManager::DoDragEndNotify(QMimeData *, TCommonOLEDragResult, TCommonDropEffects, TCommonKeyStates)
{
    owner_->Header().EndMouseOperation();
}

void TLvHeaderDragManager::DoDragEnter(const QMimeData *data, TCommonDropEffect &effect, TCommonKeyStates, QPoint)
{
    allowDrop_ = false;
    effect = TCommonDropEffect::cdeNone;
    quintptr control = 0, column = 0;
    if (data && data->hasFormat(LvHeaderDragFormat) && ReadDragRecord(data->data(LvHeaderDragFormat), control, column))
        allowDrop_ = dragColumn_ && control == reinterpret_cast<quintptr>(owner_) &&
                     column == reinterpret_cast<quintptr>(dragColumn_);
}

void TLvHeaderDragManager::ForgetObject(TLvCollectionItem *object)
{
    if (targetColumn_ == object)
        targetColumn_ = nullptr;
    if (dragColumn_ == object) {
        dragColumn_ = nullptr;
        allowDrop_ = false;
    }
}

void TLvHeaderDragManager::SetTargetColumn(TLvColumn *column)
{
    if (column == targetColumn_)
        return;
    if (targetColumn_) {
        targetColumn_->SetColumnDropTarget(false);
        targetColumn_->Invalidate(true);
    }
    targetColumn_ = column;
    if (targetColumn_) {
        targetColumn_->SetColumnDropTarget(true);
        targetColumn_->Invalidate(true);
    }
}

void TLvHeaderDragManager::DoDragMove(QPoint point, TCommonDropEffect &effect, TCommonKeyStates)
{
    effect = TCommonDropEffect::cdeNone;
    if (!allowDrop_) {
        targetColumn_ = nullptr;
        return;
    }
    if (point.y() < owner_->Header().RuntimeHeight()) {
        effect = TCommonDropEffect::cdeMove;
        QPoint p = point;
        if (owner_->HeaderScrollsWithView())
            p.rx() += owner_->Scrollbars().OffsetX();
        SetTargetColumn(owner_->Header().ColumnAt(p));
    } else {
        SetTargetColumn(nullptr);
    }
}

void TLvHeaderDragManager::DoDrop(QPoint point, TCommonKeyStates keys, TCommonDropEffect &)
{
    if (targetColumn_ && dragColumn_) {
        dragColumn_->SetPosition(targetColumn_->Position());
        owner_->Groups().Rebuild(true);
        owner_->Invalidate();
    }
    DoDragEnd(point, keys);
}

void TLvHeaderDragManager::DoDragEnd(QPoint, TCommonKeyStates)
{
    SetTargetColumn(nullptr);
    allowDrop_ = false;
}

bool TLvHeaderDragManager::InLeftZone(QPoint p) const
{
    return p.x() < AutoScrollMargin() && owner_->View() == TLvListStyle::elsReport;
}

bool TLvHeaderDragManager::InRightZone(QPoint p) const
{
    return p.x() > owner_->ClientWidth() - AutoScrollMargin() && owner_->View() == TLvListStyle::elsReport;
}

QSize TLvHeaderDragManager::DragImageSize() const
{
    return dragColumn_ ? QSize(dragColumn_->Width(), owner_->Header().Height()) : QSize();
}

void TLvHeaderDragManager::DefaultDragImage(QImage &image, QPoint start, QPoint &hotSpot, LvColor &transparent,
                                            bool &handled)
{
    if (!dragColumn_ || image.isNull())
        return;
    TLvHeader &header = owner_->Header();
    transparent = owner_->Color();
    image.fill(ResolveColor(header.Color()));
    const int scroll = owner_->HeaderScrollsWithView() ? owner_->Scrollbars().OffsetX() : 0;
    const LvRect column = dragColumn_->DisplayRect();
    const LvRect onWindow = column.Translated(-scroll, 0);
    hotSpot = start - QPoint(onWindow.left, onWindow.top);
    if (onWindow.left < 0)
        hotSpot.setX(start.x());
    if (onWindow.top < 0)
        hotSpot.ry() += onWindow.top;
    const LvRect visible = column.Intersected(owner_->ClientRect().Translated(scroll, 0));
    if (!visible.IsEmpty()) {
        QPainter p(&image);
        p.translate(-visible.left, 0);
        LvCanvas canvas;
        canvas.painter = &p;
        canvas.font = header.Font();
        header.Paint(canvas, visible);
    }
    handled = true;
}

} // namespace gdvorn::lv
