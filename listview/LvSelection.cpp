#include "listview/LvSelection.h"

#include "listview/ListviewCore.h"

namespace gdvorn::lv {

void TLvSelectionManager::Repaint() { owner_->Invalidate(); }

void TLvSelectionManager::SetEnabled(bool value)
{
    if (Enabled_ == value)
        return;
    if (!value)
        ClearAll();
    Enabled_ = value;
}

void TLvSelectionManager::SetMultiSelect(bool value)
{
    if (MultiSelect_ == value)
        return;
    ClearAll();
    MultiSelect_ = value;
}

void TLvSelectionManager::BeginChange()
{
    if (changeCount_ == 0)
        toggledCount_ = 0;
    ++changeCount_;
}

void TLvSelectionManager::EndChange()
{
    if (--changeCount_ <= 0) {
        changeCount_ = 0;
        if (toggledCount_ > 0) {
            toggledCount_ = 0;
            if (!owner_->Destroying()) {
                owner_->NotifyAccessibility(0x8006);
                if (owner_->OnItemSelectionsChanged)
                    owner_->OnItemSelectionsChanged();
            }
        }
    }
}

void TLvSelectionManager::EndGrouping()
{
    if (--groupingCount_ <= 0) {
        groupingCount_ = 0;
        RebuildSelectionGroups(false);
    }
}

void TLvSelectionManager::SetGroupSelections(bool value)
{
    if (GroupSelections_ == value)
        return;
    GroupSelections_ = value;
    LvUpdateBracket update(*owner_);
    RebuildSelectionGroups(true);
}

void TLvSelectionManager::RebuildSelectionGroups(bool force)
{
    if (!force && (!GroupSelections_ || groupingCount_ > 0))
        return;
    TLvGroups &groups = owner_->Groups();
    for (int g = 0; g < groups.Count(); ++g) {
        const auto &visible = groups[g]->VisibleItems();
        std::size_t i = 0;
        while (i < visible.size()) {
            TLvItem *item = visible[i];
            item->SetSelectionGroup(nullptr);
            ++i;
            if (!item->Selected() || !GroupSelections_)
                continue;
            std::shared_ptr<TLvSelectionGroupList> run;
            while (i < visible.size()) {
                TLvItem *next = visible[i];
                next->SetSelectionGroup(nullptr);
                if (!next->Selected())
                    break;
                if (!run) {
                    run = std::make_shared<TLvSelectionGroupList>();
                    run->FirstItem = item;
                    run->DisplayRect = item->DisplayRect();
                    run->Items.push_back(item);
                    item->SetSelectionGroup(run);
                }
                run->Items.push_back(next);
                run->DisplayRect = run->DisplayRect.United(next->DisplayRect());
                next->SetSelectionGroup(run);
                ++i;
            }
        }
    }
}

void TLvSelectionManager::NotifyRule()
{
    if (changeCount_ == 0 && toggledCount_ > 0) {
        toggledCount_ = 0;
        if (!owner_->Destroying()) {
            owner_->NotifyAccessibility(0x8006);
            if (owner_->OnItemSelectionsChanged)
                owner_->OnItemSelectionsChanged();
        }
    }
}

void TLvSelectionManager::GainingSelection(TLvItem *item)
{
    if (!MultiSelect_)
        ClearAllExcept(item);
    ++count_;
    if (!MultiSelect_)
        SetFocusedItem(item);
    ++toggledCount_;
    NotifyRule();
}

void TLvSelectionManager::LosingSelection(TLvItem *item)
{
    --count_;
    item->SetSelectionGroup(nullptr);
    ++toggledCount_;
    NotifyRule();
}

void TLvSelectionManager::ForgetItem(TLvItem *item)
{
    if (anchorItem_ == item)
        anchorItem_ = nullptr;
    if (focusedItem_ == item)
        focusedItem_ = nullptr;
}

void TLvSelectionManager::ForgetColumn(TLvColumn *column)
{
    if (focusedColumn_ == column)
        focusedColumn_ = nullptr;
}

void TLvSelectionManager::BulkChange(Bulk kind, TLvItem *except)
{
    if (!Enabled_)
        return;
    Brackets brackets(*this);
    TLvGroups &groups = owner_->Groups();
    for (int g = 0; g < groups.Count(); ++g) {
        TLvItems &items = groups[g]->Items();
        for (int i = 0; i < items.Count(); ++i) {
            if (kind == Bulk::Clear && count_ <= 0)
                return;
            if (items[i] != except)
                items[i]->SetSelected(kind == Bulk::Select);
        }
    }
}

void TLvSelectionManager::ClearAll() { BulkChange(Bulk::Clear, nullptr); }

void TLvSelectionManager::ClearAllExcept(TLvItem *item) { BulkChange(Bulk::Clear, item); }

void TLvSelectionManager::SelectAll()
{
    if (MultiSelect_)
        BulkChange(Bulk::Select, nullptr);
}

void TLvSelectionManager::SelectRect(const LvRect &documentRect, bool clearFirst)
{
    if (!Enabled_ || !MultiSelect_)
        return;
    Brackets brackets(*this);
    if (clearFirst)
        ClearAll();
    TLvGroups &groups = owner_->Groups();
    for (TLvItem *item = groups.FirstVisibleItemInRect(documentRect); item;
         item = groups.NextVisibleItemInRect(item, documentRect))
        item->SetSelected(true);
}

void TLvSelectionManager::SelectRange(TLvItem *from, TLvItem *to, bool clearFirst, bool asRectangle)
{
    if (!Enabled_ || !MultiSelect_)
        return;
    Brackets brackets(*this);
    if (clearFirst)
        ClearAll();
    if (!from || !to)
        return;
    if (asRectangle) {
        SelectRect(from->DisplayRect().United(to->DisplayRect()), false);
        return;
    }
    const bool sameGroup = from->Group() == to->Group();
    if (sameGroup ? to->Index() < from->Index() : to->Group()->Index() < from->Group()->Index())
        std::swap(from, to);
    TLvGroups &groups = owner_->Groups();
    for (TLvItem *item = from; item && item != to; item = groups.NextVisibleItem(item))
        item->SetSelected(true);
    to->SetSelected(true);
}

void TLvSelectionManager::DragSelect(const LvRect &current, const LvRect &previous, TCommonKeyStates keys)
{
    if (!Enabled_ || !MultiSelect_)
        return;
    Brackets brackets(*this);
    const LvRect both = current.United(previous);
    if (both.IsEmpty())
        return;
    TLvGroups &groups = owner_->Groups();
    std::vector<TLvItem *> met;
    for (TLvItem *item = groups.FirstVisibleItemInRect(both); item; item = groups.NextVisibleItemInRect(item, both))
        met.push_back(item);
    for (TLvItem *item : met) {
        TLvViewItem *view = item->View();
        const bool inCurrent = view->RectTouchesItem(item, current, true);
        const bool inPrevious = view->RectTouchesItem(item, previous, true);
        if (keys & cksControl) {
            if (inCurrent != inPrevious)
                item->SetSelected(!item->Selected());
        } else if (inCurrent) {
            item->SetSelected(true);
        } else if (inPrevious) {
            item->SetSelected(false);
        }
    }
}

void TLvSelectionManager::SetFocusedItem(TLvItem *item)
{
    if (!item) {
        TLvItem *old = focusedItem_;
        focusedItem_ = nullptr;
        if (old)
            old->SetFocused(false);
        return;
    }
    if (!item->Visible() || !item->Enabled() || item == focusedItem_)
        return;
    if (TLvItem *old = focusedItem_) {
        old->SetFocused(false);
        if (old->Focused())
            return;
    }
    focusedItem_ = item;
    item->SetFocused(true);
}

void TLvSelectionManager::SetAnchorItem(TLvItem *item)
{
    if (!item)
        anchorItem_ = nullptr;
    else if (item->Visible() && item->Enabled())
        anchorItem_ = item;
}

TLvColumn *TLvSelectionManager::FocusedColumn()
{
    if (!focusedColumn_)
        SetFocusedColumn(owner_->Header().FirstVisibleColumn());
    return focusedColumn_;
}

void TLvSelectionManager::SetFocusedColumn(TLvColumn *column)
{
    if (column == focusedColumn_)
        return;
    if (focusedColumn_) {
        focusedColumn_->SetFocused(false);
        focusedColumn_->Invalidate(true);
    }
    focusedColumn_ = column;
    if (column) {
        column->SetFocused(true);
        column->Invalidate(true);
    }
}

TLvItem *TLvSelectionManager::First() const
{
    TLvGroups &groups = owner_->Groups();
    for (TLvItem *item = groups.FirstVisibleItem(); item; item = groups.NextVisibleItem(item))
        if (item->Selected())
            return item;
    return nullptr;
}

TLvItem *TLvSelectionManager::Next(const TLvItem *after) const
{
    TLvGroups &groups = owner_->Groups();
    for (TLvItem *item = groups.NextVisibleItem(after); item; item = groups.NextVisibleItem(item))
        if (item->Selected())
            return item;
    return nullptr;
}

// ---------------------------------------------------------------------------------------------------

void TLvCheckManager::SetPendingObject(TLvCollectionItem *object)
{
    if (object == pending_)
        return;
    if (pending_)
        pending_->SetCheckPending(false);
    pending_ = object;
    if (pending_)
        pending_->SetCheckPending(true);
}

// ---------------------------------------------------------------------------------------------------

bool TLvDragRectManager::Accept(TCommonMouseButton button, QPoint documentPoint)
{
    TLvSelectionManager &s = owner_->Selection();
    if (!s.EnableDragSelect() || !(s.MouseButtonSelRect() & TLvSelectionManager::ButtonBit(button)))
        return false;
    anchor_ = drag_ = documentPoint;
    return true;
}

void TLvDragRectManager::Begin() { previous_ = CurrentRect(); }

LvRect TLvDragRectManager::CurrentRect() const
{
    LvRect r = LvRect(anchor_.x(), anchor_.y(), drag_.x(), drag_.y()).Normalized();
    r.right = std::max(r.right, r.left + 1);
    r.bottom = std::max(r.bottom, r.top + 1);
    return r;
}

void TLvDragRectManager::Drag(QPoint documentPoint, TCommonKeyStates keys)
{
    drag_ = documentPoint;
    const LvRect current = CurrentRect();
    owner_->Selection().DragSelect(current, previous_, keys);
    const LvRect area = owner_->Scrollbars().MapViewRectToWindow(current).Intersected(owner_->ClientRect())
                            .United(owner_->Scrollbars().MapViewRectToWindow(previous_));
    previous_ = current;
    if (owner_->Selection().FullRowSelect())
        owner_->InvalidateWindow(nullptr, true);
    else if (!area.IsEmpty())
        owner_->InvalidateWindow(&area, true);
}

void TLvDragRectManager::End()
{
    if (owner_->Selection().FullRowSelect()) {
        owner_->InvalidateWindow(nullptr, true);
    } else {
        const LvRect area = owner_->Scrollbars().MapViewRectToWindow(CurrentRect()).Intersected(owner_->ClientRect());
        if (!area.IsEmpty())
            owner_->InvalidateWindow(&area, true);
    }
    anchor_ = drag_ = QPoint();
    previous_ = LvRect();
}

} // namespace gdvorn::lv
