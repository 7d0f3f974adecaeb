#include "listview/LvHeader.h"

#include "listview/ListviewCore.h"
#include "listview/LvDragDrop.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace gdvorn::lv {

TLvHeader::TLvHeader(ListviewCore *owner) : TLvOwnedPersistent(owner), columns_(std::make_unique<TLvColumns>(owner)) {}

TLvHeader::~TLvHeader() = default;

void TLvHeader::SetAutoSizeHeight(bool v)
{
    if (autoSizeHeight_ != v) {
        autoSizeHeight_ = v;
        owner_->Groups().Rebuild(false);
    }
}

void TLvHeader::SetAutoSizeHeightMargin(int v)
{
    v = std::max(0, v);
    if (autoSizeHeightMargin_ != v) {
        autoSizeHeightMargin_ = v;
        if (autoSizeHeight_)
            owner_->Groups().Rebuild(false);
    }
}

int TLvHeader::Height() const
{
    if (!autoSizeHeight_)
        return height_;
    return std::max(height_, owner_->TextHeight(font_) + autoSizeHeightMargin_);
}

void TLvHeader::SetHeight(int v)
{
    v = std::max(0, v);
    if (height_ != v) {
        height_ = v;
        owner_->Groups().Rebuild(false);
    }
}

int TLvHeader::RuntimeHeight() const { return owner_->HeaderVisibleInView() && visible_ ? Height() : 0; }

void TLvHeader::SetVisible(bool v)
{
    if (visible_ != v) {
        visible_ = v;
        owner_->Groups().Rebuild(false);
    }
}

bool TLvHeader::ShowInAllViews()
{
    // Set as a field: the layout reads this while it runs, and it is laid out with the header shown.
    if (showInAllViews_)
        visible_ = true;
    return showInAllViews_;
}

void TLvHeader::SetShowInAllViews(bool v)
{
    if (showInAllViews_ != v) {
        showInAllViews_ = v;
        if (v)
            visible_ = true;
        owner_->Groups().Rebuild(false);
    }
}

void TLvHeader::SetColor(LvColor v)
{
    if (!(color_ == v)) {
        color_ = v;
        Invalidate(false);
    }
}

void TLvHeader::SetFont(const QFont &font)
{
    font_ = font;
    owner_->Groups().Rebuild(false);
}

void TLvHeader::SetImages(const LvImageList *images)
{
    if (images_ != images) {
        images_ = images;
        owner_->Invalidate();
    }
}

bool TLvHeader::FixedSingleColumn()
{
    if (fixedSingleColumn_ && owner_->HandleAllocated() && columns_->Count() == 0)
        columns_->Add()->SetWidth(owner_->ClientWidth() - 1);
    return fixedSingleColumn_;
}

void TLvHeader::SetFixedSingleColumn(bool v)
{
    if (fixedSingleColumn_ == v)
        return;
    if (owner_->HandleAllocated()) {
        for (int i = 1; i < columns_->Count(); ++i)
            (*columns_)[i]->SetVisible(!v);
        if (v) {
            if (columns_->Count() == 0)
                columns_->Add();
            (*columns_)[0]->SetWidth(owner_->ClientWidth() - 1);
        }
        owner_->Groups().Rebuild(false);
    }
    fixedSingleColumn_ = v;
}

void TLvHeader::ForgetColumn(TLvColumn *column)
{
    if (pressedColumn_ == column)
        pressedColumn_ = nullptr;
    if (hotColumn_ == column)
        hotColumn_ = nullptr;
    if (dropDownColumn_ == column)
        dropDownColumn_ = nullptr;
    if (resizeColumn_ == column) {
        // A column freed under a resize ends the resize: the next move must not size a freed column.
        resizeColumn_ = nullptr;
        mouseState_ &= std::uint16_t(~(ehmResizing | ehmResizeArmed));
    }
    std::erase(positions_, column);
    std::erase(columns_->VisibleList(), column);
}

void TLvHeader::ClearPositions()
{
    positions_.clear();
    columns_->VisibleList().clear();
}

int TLvHeader::ScrollX() const { return owner_->HeaderScrollsWithView() ? owner_->Scrollbars().OffsetX() : 0; }

void TLvHeader::Rebuild(bool force)
{
    if (!force && (owner_->Updating() || !owner_->HandleAllocated()))
        return;
    positions_.clear();
    columns_->VisibleList().clear();
    for (int i = 0; i < columns_->Count(); ++i)
        positions_.push_back((*columns_)[i]);
    std::stable_sort(positions_.begin(), positions_.end(),
                     [](const TLvColumn *a, const TLvColumn *b) { return a->Position() < b->Position(); });
    for (int i = 0; i < int(positions_.size()); ++i)
        positions_[std::size_t(i)]->SetPositionField(i);
    for (int i = 0; i < columns_->Count(); ++i) {
        TLvColumn *column = (*columns_)[i];
        if (column->Visible()) {
            columns_->VisibleList().push_back(column);
            if (fixedSingleColumn_)
                column->SetWidthField(owner_->ClientWidth());
        }
    }
    headerRect_ = LvRect();
    const int height = Height();
    int x = 0;
    for (TLvColumn *column : positions_) {
        const int w = column->Visible() ? column->Width() : 0;
        column->SetDisplayRect({x, 0, x + w, height});
        headerRect_ = headerRect_.IsEmpty() ? column->DisplayRect() : headerRect_.United(column->DisplayRect());
        x += w;
    }
    if (headerRect_.Width() < owner_->ClientWidth()) {
        headerRect_.bottom = height;
        headerRect_.right = owner_->ClientWidth();
    }
}

void TLvHeader::Invalidate(bool immediate)
{
    if (!owner_->Updating())
        owner_->Invalidate(immediate);
}

void TLvHeader::Paint(LvCanvas &canvas, const LvRect &rect)
{
    bool handled = false;
    if (owner_->OnPaintHeaderBkGnd) {
        LvCanvas saved = canvas;
        owner_->OnPaintHeaderBkGnd(canvas, headerRect_, handled);
        canvas = saved;
    }
    if (!handled && !(owner_->Themed() && owner_->PaintThemedHeaderBackground(canvas, headerRect_)) && canvas.painter)
        canvas.painter->fillRect(LvRect(0, 0, owner_->ClientWidth() + ScrollX(), RuntimeHeight()).ToQRect(),
                                 ResolveColor(color_));
    for (TLvColumn *column = FirstColumnInRect(rect); column; column = NextColumnInRect(column, rect)) {
        if (canvas.painter)
            canvas.painter->setClipping(false);
        column->View()->Paint(column, canvas);
    }
}

TLvColumn *TLvHeader::FirstVisibleColumn() const
{
    for (TLvColumn *c : positions_)
        if (c->Visible())
            return c;
    return nullptr;
}

TLvColumn *TLvHeader::LastColumnByPosition() const { return positions_.empty() ? nullptr : positions_.back(); }

TLvColumn *TLvHeader::NextVisibleColumn(const TLvColumn *column) const
{
    for (int i = column ? column->Position() + 1 : 0; i < int(positions_.size()); ++i)
        if (positions_[std::size_t(i)]->Visible())
            return positions_[std::size_t(i)];
    return nullptr;
}

TLvColumn *TLvHeader::FirstColumnInRect(const LvRect &r) const
{
    for (TLvColumn *c : positions_)
        if (c->Visible() && c->DisplayRect().left < r.right && c->DisplayRect().right > r.left)
            return c;
    return nullptr;
}

TLvColumn *TLvHeader::NextColumnInRect(const TLvColumn *column, const LvRect &r) const
{
    for (int i = column->Position() + 1; i < int(positions_.size()); ++i) {
        TLvColumn *c = positions_[std::size_t(i)];
        if (!c->Visible() || c->Width() == 0)
            continue;
        if (c->DisplayRect().left < r.right && c->DisplayRect().right > r.left)
            return c;
        return nullptr;
    }
    return nullptr;
}

TLvColumn *TLvHeader::ColumnAt(QPoint p) const
{
    for (auto it = positions_.rbegin(); it != positions_.rend(); ++it)
        if ((*it)->Visible() && (*it)->DisplayRect().Contains(p))
            return *it;
    return nullptr;
}

TLvColumn *TLvHeader::ResizeEdgeAt(QPoint p) const
{
    if (!sizeable_ || p.y() <= 0 || p.y() >= Height())
        return nullptr;
    const int rightLimit = owner_->ClientWidth() + ScrollX();
    for (auto it = positions_.rbegin(); it != positions_.rend(); ++it) {
        TLvColumn *c = *it;
        const int r = c->DisplayRect().right;
        if (c->Visible() && r - 4 < p.x() && p.x() <= r + 4 && r <= rightLimit)
            return c;
    }
    return nullptr;
}

TLvColumn *TLvHeader::CheckBoxColumnAt(QPoint p) const
{
    TLvColumn *c = ColumnAt(p);
    if (!c || owner_->PaintInfoColumn().CheckType() == TLvCheckType::ectNone)
        return nullptr;
    TLvRectArrayObject r;
    c->View()->ItemRectArray(c, r);
    return r.CheckArea.Contains(p) ? c : nullptr;
}

TLvColumn *TLvHeader::DropDownColumnAt(QPoint p) const
{
    TLvColumn *c = ColumnAt(p);
    if (!c || !c->DropDownButton().Visible())
        return nullptr;
    TLvRectArrayObject r;
    c->View()->ItemRectArray(c, r);
    return r.DropDownArrowArea.Contains(p) ? c : nullptr;
}

TLvColumn *TLvHeader::HotColumnAt(QPoint p) const
{
    const LvRect client = owner_->ClientRect().Translated(ScrollX(), 0);
    for (TLvColumn *c : positions_) {
        if (!c->Visible())
            continue;
        LvRect r = c->DisplayRect();
        r.right += 5;
        if (r.Intersected(client).Contains(p))
            return c;
    }
    return nullptr;
}

void TLvHeader::Capture()
{
    mouseState_ |= ehmCaptured;
    owner_->Include(elvsHeaderCapture);
    owner_->SetHeaderCapture(true);
}

void TLvHeader::ReleaseCapture()
{
    mouseState_ &= std::uint16_t(~ehmCaptured);
    owner_->Exclude(elvsHeaderCapture);
    owner_->SetHeaderCapture(false);
}

void TLvHeader::LeftDown(QPoint p, TShiftState shift)
{
    mouseState_ |= ehmLeftDown;
    if (mouseState_ & ehmResizeArmed) {
        mouseState_ = std::uint16_t((mouseState_ & ~ehmResizeArmed) | ehmResizing);
        return;
    }
    if (TLvColumn *c = CheckBoxColumnAt(p)) {
        mouseState_ |= ehmCheckPending;
        SetHotColumn(nullptr, p);
        owner_->CheckManager().SetPendingObject(c);
        return;
    }
    if (TLvColumn *c = DropDownColumnAt(p); c && c->DropDownButton().Enabled()) {
        if (dropDownColumn_ != c)
            SetDropDownHot(nullptr);
        dropDownColumn_ = c;
        c->DropDownButton().SetState(c->DropDownButton().State() | 4 | 2);
        return;
    }
    TLvColumn *c = ColumnAt(p);
    pressedColumn_ = c;
    if (c && c->Clickable()) {
        if (owner_->PaintInfoColumn().HotTrack())
            SetHotColumn(nullptr, p);
        Capture();
        mouseState_ |= ehmClicking;
        c->SetPressed(true);
        if (draggable_) {
            mouseState_ |= ehmDragPossible;
            pressPoint_ = p;
        }
        c->Invalidate(true);
        if (owner_->OnHeaderMouseDown)
            owner_->OnHeaderMouseDown(TCommonMouseButton::cmbLeft, shift, p.x(), p.y(), c);
    }
}

void TLvHeader::SetHotColumn(TLvColumn *column, QPoint p)
{
    if (column != hotColumn_) {
        if (hotColumn_)
            hotColumn_->SetHotTracking(false);
        hotColumn_ = column;
        if (hotColumn_)
            hotColumn_->SetHotTracking(true, p);
    }
    // Held while a column is hot, so that leaving the header still reaches it and cools the column; let
    // go once none is (also when the hot column was freed) unless a button or an armed edge holds it.
    if (hotColumn_) {
        if (!(mouseState_ & ehmCaptured))
            Capture();
    } else if ((mouseState_ & ehmCaptured) && !(mouseState_ & (ehmLeftDown | ehmRightDown | ehmResizeArmed))) {
        ReleaseCapture();
    }
}

void TLvHeader::SetDropDownHot(TLvColumn *column)
{
    if (dropDownColumn_ && dropDownColumn_ != column)
        dropDownColumn_->DropDownButton().SetState(0);
    dropDownColumn_ = column;
    if (column)
        column->DropDownButton().SetState(column->DropDownButton().State() | 1);
}

void TLvHeader::MouseMove(QPoint p, TShiftState shift)
{
    const bool dropDownPressed = dropDownColumn_ && (dropDownColumn_->DropDownButton().State() & 4);
    if (!(mouseState_ & ehmCaptured) && hotColumn_)
        Capture();
    const bool busy = (mouseState_ & (ehmResizing | ehmResizeArmed | ehmDragging | ehmClicking)) || dropDownPressed;
    if (!busy && owner_->PaintInfoColumn().HotTrack())
        SetHotColumn(HotColumnAt(p), p);
    bool dropDownMove = false;
    if (mouseState_ & ehmResizing) {
        if (resizeColumn_) {
            const int newWidth = p.x() - resizeColumn_->DisplayRect().left;
            bool allow = true;
            if (owner_->OnColumnSizeChanging)
                owner_->OnColumnSizeChanging(resizeColumn_, resizeColumn_->Width(), newWidth, allow);
            if (allow && resizeColumn_) {
                resizeColumn_->SetWidth(newWidth);
                owner_->Groups().Rebuild(true);
                owner_->Invalidate();
            }
        }
    } else if (mouseState_ & ehmResizeArmed) {
        if (ResizeEdgeAt(p) != resizeColumn_) {
            resizeColumn_ = nullptr;
            mouseState_ &= std::uint16_t(~ehmResizeArmed);
            ReleaseCapture();
            owner_->SetCursorNumber(0);
            if (hotColumn_)
                Capture();
        }
    } else if ((mouseState_ & ehmDragPossible) && draggable_ && pressedColumn_ && DragThresholdCrossed(pressPoint_, p)) {
        // The pressed column is dragged: it stops being pressed and the drag runs to its end.
        mouseState_ = std::uint16_t((mouseState_ & ~(ehmDragPossible | ehmClicking)) | ehmDragging);
        TLvColumn *column = pressedColumn_;
        column->SetPressed(false);
        pressedColumn_ = nullptr;
        column->Invalidate(true);
        owner_->BeginHeaderDrag(column, p);
    } else if (mouseState_ & ehmClicking) {
        // The pressed column is drawn pressed only while the pointer is over it.
        if (pressedColumn_)
            pressedColumn_->SetPressed(ColumnAt(p) == pressedColumn_);
    } else if (dropDownPressed) {
        dropDownMove = true;
        const std::uint8_t state = dropDownColumn_->DropDownButton().State();
        dropDownColumn_->DropDownButton().SetState(DropDownColumnAt(p) == dropDownColumn_ ? (state | 2) : (state & ~2));
    } else if (CheckBoxColumnAt(p)) {
        // Over a check box: neither an edge nor a drop-down button.
    } else if (TLvColumn *edge = ResizeEdgeAt(p)) {
        bool allow = true;
        if (owner_->OnColumnSizeChanging)
            owner_->OnColumnSizeChanging(edge, edge->Width(), edge->Width(), allow);
        if (allow) {
            ReleaseCapture();
            mouseState_ |= ehmResizeArmed;
            resizeColumn_ = edge;
            owner_->SetCursorNumber(768);
            Capture();
        }
    } else if (TLvColumn *dropDown = DropDownColumnAt(p)) {
        dropDownMove = true;
        SetDropDownHot(dropDown);
    } else {
        owner_->SetCursorNumber(0);
        if (owner_->OnHeaderMouseMove)
            owner_->OnHeaderMouseMove(shift, p.x(), p.y());
    }
    if (mouseState_ & ehmCheckPending) {
        TLvCollectionItem *pending = owner_->CheckManager().PendingObject();
        if (pending)
            pending->SetCheckPendingAway(CheckBoxColumnAt(p) != pending);
    }
    if (!dropDownMove)
        SetDropDownHot(nullptr);
}

void TLvHeader::LeftUp(QPoint p, TShiftState shift)
{
    if (mouseState_ & ehmCheckPending) {
        if (TLvColumn *c = CheckBoxColumnAt(p))
            c->SetChecked(!c->Checked());
        if (TLvCollectionItem *pending = owner_->CheckManager().PendingObject())
            pending->SetCheckPendingAway(false);
        owner_->CheckManager().SetPendingObject(nullptr);
    } else if (mouseState_ & ehmResizing) {
        if (resizeColumn_ && owner_->OnColumnSizeChanged)
            owner_->OnColumnSizeChanged(resizeColumn_);
    } else if (dropDownColumn_ && (dropDownColumn_->DropDownButton().State() & 4)) {
        TLvColumn *c = dropDownColumn_;
        if (DropDownColumnAt(p) == c) {
            bool doDefault = true;
            if (owner_->OnColumnDropDownButtonClick)
                owner_->OnColumnDropDownButtonClick(c, TCommonMouseButton::cmbLeft, shift, p, doDefault);
            if (doDefault && c->DropDownButton().Menu()) {
                TLvRectArrayObject r;
                c->View()->ItemRectArray(c, r);
                owner_->PopupMenu(c->DropDownButton().Menu(),
                                  QPoint(r.DropDownArrowArea.left - ScrollX(), r.DropDownArrowArea.bottom));
            }
        }
        SetDropDownHot(nullptr);
    } else if (pressedColumn_ && pressedColumn_->Pressed()) {
        TLvColumn *c = pressedColumn_;
        ClickColumn(c);
        if (owner_->OnColumnClick)
            owner_->OnColumnClick(TCommonMouseButton::cmbLeft, shift, c);
    } else if (pressedColumn_) {
        pressedColumn_->Invalidate(false);
    }
    if (!(mouseState_ & (ehmResizing | ehmDragging)) && owner_->OnHeaderMouseUp)
        owner_->OnHeaderMouseUp(TCommonMouseButton::cmbLeft, shift, p.x(), p.y(), ColumnAt(p));
    mouseState_ &= std::uint16_t(~(ehmLeftDown | ehmResizing | ehmClicking | ehmDragging | ehmDragPossible | ehmCheckPending));
    if (!(mouseState_ & ehmResizeArmed))
        ReleaseCapture();
}

void TLvHeader::SetDraggable(bool v)
{
    if (draggable_ == v)
        return;
    draggable_ = v;
    owner_->DragEnabledChanged();
}

void TLvHeader::ClickColumn(TLvColumn *column)
{
    column->SetPressed(false);
    if (!column->AutoToggleSortGlyph())
        return;
    LvUpdateBracket update(*owner_);
    TLvColumn *old = owner_->Selection().FocusedColumnField();
    owner_->Selection().SetFocusedColumn(column);
    if (old && old != column)
        old->SetSortDirection(TLvSortDirection::esdNone);
    column->SetSortDirection(column->SortDirection() == TLvSortDirection::esdAscending ? TLvSortDirection::esdDescending
                                                                                        : TLvSortDirection::esdAscending);
    if (owner_->Sort().AutoRegroup() && owner_->PaintInfoGroup().MarginTop().Visible())
        owner_->Sort().ReGroup(column);
}

void TLvHeader::DblClick(QPoint p, TShiftState shift)
{
    if ((mouseState_ & ehmResizeArmed) && resizeColumn_ && resizeColumn_->AutoSizeOnDblClk())
        resizeColumn_->AutoSizeToFit();
    if (owner_->OnHeaderDblClick)
        owner_->OnHeaderDblClick(TCommonMouseButton::cmbLeft, p, shift);
    if (TLvColumn *c = ColumnAt(p); c && owner_->OnColumnDblClick)
        owner_->OnColumnDblClick(TCommonMouseButton::cmbLeft, p, c);
}

void TLvHeader::RightDown(QPoint p, TShiftState shift)
{
    mouseState_ |= ehmRightDown;
    if (owner_->OnHeaderMouseDown)
        owner_->OnHeaderMouseDown(TCommonMouseButton::cmbRight, shift, p.x(), p.y(), ColumnAt(p));
}

void TLvHeader::RightUp(QPoint p, TShiftState shift)
{
    mouseState_ &= std::uint16_t(~(ehmRightDown | ehmResizing | ehmClicking | ehmDragging | ehmDragPossible));
    if (owner_->OnHeaderMouseUp)
        owner_->OnHeaderMouseUp(TCommonMouseButton::cmbRight, shift, p.x(), p.y(), ColumnAt(p));
}

void TLvHeader::MouseLeft()
{
    SetHotColumn(nullptr, {});
    SetDropDownHot(nullptr);
}

void TLvHeader::EndMouseOperation()
{
    mouseState_ &= std::uint16_t(~(ehmCaptured | ehmResizing | ehmDragging | ehmDragPossible | ehmClicking |
                                   ehmResizeArmed | ehmLeftDown | ehmRightDown));
    ReleaseCapture();
}

int TLvHeader::MeasureWidth() const { return owner_->ClientWidth(); }

void TLvHeader::SizeChanged()
{
    if (lastHeaderWidth_ == -1)
        lastHeaderWidth_ = MeasureWidth();
    if (fixedSingleColumn_) {
        if (columns_->Count() > 0 && (*columns_)[0]->Width() != owner_->ClientWidth() - 1) {
            (*columns_)[0]->SetWidth(owner_->ClientWidth() - 1);
            owner_->Groups().Rebuild(true);
        }
    } else {
        const int d = MeasureWidth() - lastHeaderWidth_;
        std::vector<TLvColumn *> springs;
        for (TLvCollectionItem *c : columns_->VisibleList())
            if (static_cast<TLvColumn *>(c)->AutoSpring())
                springs.push_back(static_cast<TLvColumn *>(c));
        if (d != 0 && !springs.empty()) {
            const double share = std::abs(d) / double(springs.size());
            double remaining = std::abs(d);
            for (TLvColumn *c : springs) {
                const double e = c->SpringRest() + share;
                if (e >= 1) {
                    const int whole = int(e);
                    c->SetWidth(c->Width() + (d > 0 ? whole : -whole));
                }
                c->SpringRest() = float(e - std::floor(e));
                remaining -= share;
                if (remaining < 0)
                    break;
            }
        }
    }
    lastHeaderWidth_ = MeasureWidth();
}

} // namespace gdvorn::lv
