#include "listview/LvScroll.h"

#include "listview/ListviewCore.h"

namespace gdvorn::lv {

void TLvScrollbarManager::SetHorzEnabled(bool v)
{
    if (horzEnabled_ != v) {
        horzEnabled_ = v;
        ReCalculateScrollbars(true, true);
    }
}

void TLvScrollbarManager::SetVertEnabled(bool v)
{
    if (vertEnabled_ != v) {
        vertEnabled_ = v;
        ReCalculateScrollbars(true, true);
    }
}

QPoint TLvScrollbarManager::MapWindowToView(QPoint p, bool withHeader) const
{
    return {p.x() + offsetX_, p.y() + offsetY_ - (withHeader ? owner_->Header().RuntimeHeight() : 0)};
}

LvRect TLvScrollbarManager::MapWindowRectToView(const LvRect &r, bool withHeader) const
{
    const int dy = offsetY_ - (withHeader ? owner_->Header().RuntimeHeight() : 0);
    return r.Translated(offsetX_, dy);
}

QPoint TLvScrollbarManager::MapViewToWindow(QPoint p, bool withHeader) const
{
    return {p.x() - offsetX_, p.y() - offsetY_ + (withHeader ? owner_->Header().RuntimeHeight() : 0)};
}

LvRect TLvScrollbarManager::MapViewRectToWindow(const LvRect &r, bool withHeader) const
{
    const int dy = -offsetY_ + (withHeader ? owner_->Header().RuntimeHeight() : 0);
    return r.Translated(-offsetX_, dy);
}

int TLvScrollbarManager::ListCellWidth() const { return std::max(1, owner_->CellSizes().List.Width()); }

int TLvScrollbarManager::LineStep() const
{
    TLvGroups &groups = owner_->Groups();
    return groups.Count() == 0 ? 0 : groups[0]->Grid()->CellSize().Height();
}

bool TLvScrollbarManager::HorzBarShown() const { return owner_->HandleAllocated() && owner_->ScrollBarShown(false); }

bool TLvScrollbarManager::VertBarShown() const { return owner_->HandleAllocated() && owner_->ScrollBarShown(true); }

int TLvScrollbarManager::MaxOffsetX() const
{
    int max = viewRect_.Width() - owner_->ClientWidth();
    if (!owner_->IsVerticalView() && HorzBarShown()) {
        const int w = ListCellWidth();
        max = (max / w + 1) * w;
    }
    return std::max(0, max);
}

int TLvScrollbarManager::MaxOffsetY() const
{
    return std::max(0, viewRect_.Height() + owner_->Header().RuntimeHeight() - owner_->ClientHeight());
}

void TLvScrollbarManager::ValidateOffsets(int &x, int &y) const
{
    if (!owner_) {
        x = y = 0;
        return;
    }
    if (snapHorzView_ && !owner_->IsVerticalView()) {
        const int w = ListCellWidth();
        const bool beyond = x > viewRect_.Width() - w;
        if (x % w != 0)
            x = (x / w) * w;
        if (beyond)
            x += w;
    }
    y = std::min(y, MaxOffsetY());
    x = std::min(x, MaxOffsetX());
    x = std::max(x, 0);
    y = std::max(y, 0);
}

void TLvScrollbarManager::Scroll(int dx, int dy)
{
    int x = offsetX_ + dx, y = offsetY_ + dy;
    ValidateOffsets(x, y);
    if (x == offsetX_ && y == offsetY_)
        return;
    const int oldX = offsetX_, oldY = offsetY_;
    offsetX_ = x;
    offsetY_ = y;
    ReCalculateScrollbars(true, true);
    if (owner_->OnScroll)
        owner_->OnScroll(oldX - x, oldY - y);
    owner_->Invalidate();
}

void TLvScrollbarManager::SetOffsetX(int x)
{
    if (x != offsetX_)
        Scroll(x - offsetX_, 0);
}

void TLvScrollbarManager::SetOffsetY(int y)
{
    if (y != offsetY_)
        Scroll(0, y - offsetY_);
}

void TLvScrollbarManager::SetViewRect(const LvRect &r, bool forceRepaint)
{
    if (r == viewRect_) {
        if (forceRepaint)
            owner_->Invalidate();
        return;
    }
    const bool hadH = HorzBarShown(), hadV = VertBarShown();
    viewRect_ = r;
    ReCalculateScrollbars(true, false);
    if (forceRepaint || (hadH && !HorzBarShown()) || (hadV && !VertBarShown()))
        owner_->Invalidate();
}

void TLvScrollbarManager::ReCalculateScrollbars(bool, bool force)
{
    if (rebuilding_ || !owner_->HandleAllocated() || (owner_->Updating() && !force))
        return;
    rebuilding_ = true;
    LvFinally reset([this] { rebuilding_ = false; });
    ValidateOffsets(offsetX_, offsetY_);
    const int header = owner_->Header().RuntimeHeight();
    const QSize control = owner_->ControlSize();
    const bool needH = owner_->ClientWidth() < viewRect_.Width() - 1 && control.height() > owner_->ScrollBarExtent();
    const bool needV = owner_->ClientHeight() < viewRect_.Height() + header - 1 && control.width() > owner_->ScrollBarExtent();
    bool changed = false;
    const bool showH = horzEnabled_ && needH, showV = vertEnabled_ && needV;
    if (showH != HorzBarShown()) {
        owner_->ShowScrollBar(false, showH);
        changed = true;
    }
    if (showV != VertBarShown()) {
        owner_->ShowScrollBar(true, showV);
        changed = true;
    }
    if (changed) {
        rebuilding_ = false;
        owner_->Groups().Rebuild(true);
        rebuilding_ = true;
    }
    if (vertEnabled_ && VertBarShown())
        owner_->SetScrollInfo(true, viewRect_.Height() + header - 1, std::max(0, owner_->ClientHeight()), offsetY_);
    else
        owner_->SetScrollInfo(true, 0, 0, 0);
    if (horzEnabled_ && HorzBarShown())
        owner_->SetScrollInfo(false, viewRect_.Width() - 1, std::max(0, owner_->ClientWidth()), offsetX_);
    else
        owner_->SetScrollInfo(false, 0, 0, 0);
    ValidateOffsets(offsetX_, offsetY_);
}

void TLvScrollbarManager::HorzScroll(int code, int track)
{
    const bool snap = snapHorzView_ && !owner_->IsVerticalView();
    const int w = ListCellWidth();
    int delta = 0;
    switch (code) {
    case SB_LINEUP: delta = snap ? -w : -LineStep(); break;
    case SB_LINEDOWN: delta = snap ? w : LineStep(); break;
    case SB_PAGEUP: delta = snap ? -w : -owner_->ClientWidth(); break;
    case SB_PAGEDOWN: delta = snap ? w : owner_->ClientWidth(); break;
    case SB_THUMBPOSITION: delta = snap ? ((track - offsetX_) / w) * w : track - offsetX_; break;
    case SB_THUMBTRACK:
        if (!snap)
            delta = track - offsetX_;
        else if (MaxOffsetX() - track < w)
            delta = MaxOffsetX() - offsetX_;
        else
            delta = ((track - offsetX_) / w) * w;
        break;
    case SB_TOP: delta = -offsetX_; break; // every view goes to 0
    case SB_BOTTOM: delta = viewRect_.Width() - offsetX_; break;
    case SB_ENDSCROLL:
        if (owner_->OnScrollEnd)
            owner_->OnScrollEnd(1);
        return;
    default: return;
    }
    Scroll(delta, 0);
}

void TLvScrollbarManager::VertScroll(int code, int track)
{
    int delta = 0;
    switch (code) {
    case SB_LINEUP: delta = -LineStep(); break;
    case SB_LINEDOWN: delta = LineStep(); break;
    case SB_PAGEUP: delta = -owner_->ClientHeight(); break;
    case SB_PAGEDOWN: delta = owner_->ClientHeight(); break;
    case SB_THUMBPOSITION:
    case SB_THUMBTRACK: delta = track - offsetY_; break;
    case SB_TOP: delta = -offsetY_; break;
    case SB_BOTTOM: delta = viewRect_.Height() - offsetY_; break;
    case SB_ENDSCROLL:
        if (owner_->OnScrollEnd)
            owner_->OnScrollEnd(0);
        return;
    default: return;
    }
    Scroll(0, delta);
}

void TLvScrollbarManager::Wheel(int delta, TShiftState shift, int wheelLines)
{
    if (delta == 0)
        return;
    const int lines = wheelLines > 0 ? wheelLines : 3;
    bool vertical = owner_->WheelMouseDefaultScroll() == TLvDefaultWheelScroll::edwsVert;
    int amount;
    if (vertical) {
        const int h = std::max(1, LineStep());
        // At least one line: a cell taller than the client area still scrolls.
        amount = h * std::max(1, std::min(lines, owner_->ClientHeight() / h));
    } else {
        TLvGroups &groups = owner_->Groups();
        amount = groups.Count() ? groups[0]->Grid()->CellSize().Width() : 0;
    }
    if (owner_->WheelMouseScrollModifierEnabled()) {
        if (shift & ssShift)
            vertical = !vertical;
        if (shift & ssCtrl)
            amount = vertical ? owner_->ClientHeight() - owner_->Header().RuntimeHeight() : owner_->ClientWidth();
    }
    if (delta < 0)
        amount = -amount;
    if (vertical)
        Scroll(0, -amount);
    else
        Scroll(-amount, 0);
}

} // namespace gdvorn::lv
