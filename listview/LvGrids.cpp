// Grids: placing a group's items per view and finding the item beside an item.

#include "listview/ListviewCore.h"

namespace gdvorn::lv {

namespace {

struct Margins {
    int left, top, right, bottom;
};

Margins MarginsOf(ListviewCore *lv)
{
    TLvPaintInfoGroup &info = lv->PaintInfoGroup();
    return {info.MarginLeft().EffectiveSize(), info.MarginTop().EffectiveSize(), info.MarginRight().EffectiveSize(),
            info.MarginBottom().EffectiveSize()};
}

[[noreturn]] void InvisibleAdjacent()
{
    throw ELvAssertion(QStringLiteral("Can not find TLvGroups.AdjacentItem of an Invisible Item"));
}

} // namespace

int TLvGridGroup::ColumnsForWidth(int width) const
{
    const Margins m = MarginsOf(owner_);
    return (width - m.left - m.right) / std::max(1, CellSize().Width());
}

void TLvGridGroup::AutoSizeCellWidth()
{
    TLvCellSize &size = CellSize();
    if (!size.AutoSizeCaption())
        return;
    TLvItem *longest = nullptr;
    for (TLvItem *item : group_->VisibleItems())
        if (!longest || item->Caption().size() > longest->Caption().size())
            longest = item;
    if (!longest)
        return;
    const TLvRectArrayObject r = longest->ItemRectArray(nullptr);
    LvCanvas canvas;
    longest->View()->ItemCaptionFont(longest, 0, true, canvas);
    size.SetMeasuredWidth(r.CheckArea.Width() + r.ImageArea.Width() + r.StateImageArea.Width() +
                          owner_->TextExtent(canvas.font, longest->Caption()).width() + 18);
}

TLvItem *TLvGridGroup::ItemAtDocPoint(QPoint p) const { return owner_->Groups().ItemAtPoint(p); }

// Base layout (icon, small icon, thumbnail, tile).
void TLvGridGroup::Rebuild(TLvGroup *previous, int &next)
{
    AutoSizeCellWidth();
    const Margins m = MarginsOf(owner_);
    const int cw = CellSize().Width(), ch = CellSize().Height();
    int W = owner_->ClientWidth() - 1;
    if (!owner_->Scrollbars().VertBarShown())
        W -= owner_->ScrollBarExtent();
    W = std::max(W, cw + m.left + m.right);
    LvRect groupRect(0, 0, W, 0);
    auto &visible = group_->VisibleItems();
    visible.clear();
    TLvItems &items = group_->Items();
    visible.reserve(std::size_t(items.Count()));
    int lastBottom = 0;
    TLvItem *focusedHere = nullptr;
    const int offset = previous ? previous->DisplayRect().bottom : 0;
    if (group_->Visible()) {
        if (group_->Expanded() && items.Count() > 0) {
            columnCount_ = std::max(1, ColumnsForWidth(W));
            const int rowWidth = cw * columnCount_;
            int x = 0, y = 0;
            for (int i = 0; i < items.Count(); ++i) {
                TLvItem *item = items[i];
                if (x + cw > rowWidth) {
                    x = 0;
                    y += ch;
                }
                LvRect r;
                if (item->Visible()) {
                    r = {x, y, x + cw, y + ch};
                    item->SetVisibleIndex(next++);
                    item->SetVisibleIndexInGroup(int(visible.size()));
                    visible.push_back(item);
                    x += cw;
                    lastBottom = y + ch;
                    if (item->Focused())
                        focusedHere = item;
                } else {
                    r = {x, y, x, y + ch};
                    item->SetVisibleIndex(-1);
                    item->SetVisibleIndexInGroup(-1);
                }
                item->SetDisplayRect(r.Translated(m.left, m.top + offset));
            }
            rowCount_ = items.Count() / columnCount_ + (items.Count() % columnCount_ ? 1 : 0);
        } else {
            TLvItem *focused = owner_->Selection().FocusedItem();
            if (focused && focused->Group() == group_)
                owner_->Selection().SetFocusedItem(owner_->Groups().NextVisibleItem(focused));
            rowCount_ = 0;
        }
        groupRect.bottom += m.bottom + m.top + lastBottom;
    } else {
        for (int i = 0; i < items.Count(); ++i) {
            if (owner_->Selection().Count() > 0)
                items[i]->SetSelected(false);
            if (owner_->Selection().FocusedItem() == items[i])
                owner_->Selection().SetFocusedItem(nullptr);
        }
    }
    if (visible.empty())
        columnCount_ = rowCount_ = 0;
    groupRect = groupRect.Translated(0, offset);
    // The focused item's caption shows unlimited: the group grows to hold it.
    if (focusedHere && (owner_->Selection().ResizeGroupOnFocus() || group_->Index() == owner_->Groups().Count() - 1)) {
        group_->SetDisplayRect(groupRect);
        const TLvRectArrayObject r = focusedHere->ItemRectArray(nullptr);
        if (r.FullCaptionArea.bottom > groupRect.bottom - m.bottom)
            groupRect.bottom += r.FullCaptionArea.bottom - focusedHere->DisplayRect().bottom;
    }
    group_->SetDisplayRect(groupRect);
}

TLvItem *TLvGridGroup::AdjacentItem(TLvItem *item, TLvAdjacent direction) { return BaseAdjacent(item, direction); }

namespace {

// The nearest visible group before (step -1) or after (step 1) `group` with more than `needed` visible items.
TLvGroup *NearestGroupWith(ListviewCore *lv, const TLvGroup *group, int step, int needed)
{
    TLvGroups &groups = lv->Groups();
    for (int i = group->Index() + step; i >= 0 && i < groups.Count(); i += step) {
        TLvGroup *g = groups[i];
        if (g->Visible() && g->VisibleItemCount() > needed)
            return g;
    }
    return nullptr;
}

} // namespace

TLvItem *TLvGridGroup::BaseAdjacent(TLvItem *item, TLvAdjacent direction)
{
    if (!item->Visible())
        InvisibleAdjacent();
    const int v = item->VisibleIndexInGroup();
    const int n = group_->VisibleItemCount();
    const int C = std::max(1, columnCount_);
    switch (direction) {
    case eadLeft:
        if (v > 0)
            return group_->VisibleItem(v - 1);
        if (TLvGroup *g = NearestGroupWith(owner_, group_, -1, 0))
            return g->VisibleItem(g->VisibleItemCount() - 1);
        return nullptr;
    case eadRight:
        if (v + 1 < n)
            return group_->VisibleItem(v + 1);
        if (TLvGroup *g = NearestGroupWith(owner_, group_, 1, 0))
            return g->VisibleItem(0);
        return nullptr;
    case eadUp:
        if (v - C >= 0)
            return group_->VisibleItem(v - C);
        // The same column (or the nearest one to its left) in the last row of an earlier group.
        for (int c = v % C; c >= 0; --c)
            if (TLvGroup *g = NearestGroupWith(owner_, group_, -1, c)) {
                const int count = g->VisibleItemCount();
                int row = count / C;
                if (row * C + c >= count)
                    --row;
                return g->VisibleItem(row * C + c);
            }
        return nullptr;
    case eadDown:
        if (v + C < n)
            return group_->VisibleItem(v + C);
        for (int c = v % C; c >= 0; --c)
            if (TLvGroup *g = NearestGroupWith(owner_, group_, 1, c))
                return g->VisibleItem(c);
        return nullptr;
    case eadPageDown: {
        const int client = owner_->ClientRectWithoutHeader().Height();
        const int cw = std::max(1, CellSize().Width()), ch = std::max(1, CellSize().Height());
        TLvItem *last = owner_->Groups().LastVisibleItem();
        const int lowest = last ? last->ItemRectArray(nullptr).LabelArea.bottom - 1 : item->DisplayRect().top;
        QPoint probe(item->DisplayRect().left, std::min(item->DisplayRect().top + client, lowest));
        int limit = 0;
        for (TLvCollectionItem *g : owner_->Groups().VisibleList())
            limit = std::max(limit, static_cast<TLvGroup *>(g)->DisplayRect().bottom);
        const int c = v % C;
        for (; probe.y() < limit; probe.ry() += ch) {
            for (int k = 0; k <= c; ++k)
                if (TLvItem *found = ItemAtDocPoint({probe.x() - k * cw, probe.y()}))
                    return found;
        }
        return nullptr;
    }
    case eadPageUp: {
        const int client = owner_->ClientRectWithoutHeader().Height();
        const int cw = std::max(1, CellSize().Width()), ch = std::max(1, CellSize().Height());
        int highest = item->DisplayRect().top;
        const auto &visibleGroups = owner_->Groups().VisibleList();
        if (!visibleGroups.empty()) {
            const Margins m = MarginsOf(owner_);
            highest = static_cast<TLvGroup *>(visibleGroups.front())->DisplayRect().top + m.top;
        }
        QPoint probe(item->DisplayRect().right - 1, std::max(item->DisplayRect().bottom - client, highest));
        const int c = v % C;
        for (; probe.y() < item->DisplayRect().bottom; probe.ry() += ch)
            for (int k = 0; k <= c; ++k)
                if (TLvItem *found = ItemAtDocPoint({probe.x() - k * cw, probe.y()}))
                    return found;
        return item;
    }
    }
    return nullptr;
}

const char *TLvGridBaseLayout::ClassName() const
{
    switch (view_) {
    case TLvListStyle::elsIcon: return "TLvGridIconGroup";
    case TLvListStyle::elsSmallIcon: return "TLvGridSmallIconGroup";
    case TLvListStyle::elsThumbnail: return "TLvGridThumbnailGroup";
    case TLvListStyle::elsTile: return "TLvGridTileGroup";
    default: return "TLvGridGroup";
    }
}

TLvCellSize &TLvGridBaseLayout::CellSize() const { return owner_->CellSizes().ForView(view_); }

void TLvGridBaseLayout::AutoSizeCellWidth()
{
    if (view_ == TLvListStyle::elsIcon || view_ == TLvListStyle::elsThumbnail)
        return;
    TLvGridGroup::AutoSizeCellWidth();
}

// ---------------------------------------------------------------------------------------------------
// Report

TLvCellSize &TLvGridReportGroup::CellSize() const { return owner_->CellSizes().Report; }

void TLvGridReportGroup::Rebuild(TLvGroup *previous, int &next)
{
    AutoSizeCellWidth();
    const Margins m = MarginsOf(owner_);
    const int top = previous ? previous->DisplayRect().bottom : 2;
    TLvColumn *last = owner_->Header().LastColumnByPosition();
    const int R = last ? last->DisplayRect().right : 0;
    group_->SetDisplayRect({0, top, R, top});
    const int itemLeft = m.left;
    const int itemRight = last ? last->DisplayRect().right - m.right : 0;
    auto &visible = group_->VisibleItems();
    visible.clear();
    TLvItems &items = group_->Items();
    const bool lastGroup = group_->Index() == owner_->Groups().Count() - 1;
    if (group_->Visible()) {
        visible.reserve(std::size_t(items.Count()));
        int y = top + m.top;
        if (group_->Expanded() && items.Count() > 0) {
            const int ch = CellSize().Height();
            LvRect rect = group_->DisplayRect();
            for (int i = 0; i < items.Count(); ++i) {
                TLvItem *item = items[i];
                if (item->Visible()) {
                    item->SetDisplayRect({itemLeft, y, itemRight, y + ch});
                    item->SetVisibleIndex(next++);
                    item->SetVisibleIndexInGroup(int(visible.size()));
                    visible.push_back(item);
                    y += ch;
                } else {
                    item->SetDisplayRect({itemLeft, y, itemRight, y});
                    item->SetVisibleIndex(-1);
                    item->SetVisibleIndexInGroup(-1);
                }
            }
            rect.bottom = y + (lastGroup ? 4 : m.bottom);
            group_->SetDisplayRect(rect);
        } else {
            group_->SetDisplayRect({0, top, R, top + m.top + m.bottom});
        }
    }
    columnCount_ = 1;
}

TLvItem *TLvGridReportGroup::AdjacentItem(TLvItem *item, TLvAdjacent direction)
{
    if (!item->Visible())
        InvisibleAdjacent();
    TLvGroups &groups = owner_->Groups();
    const int ch = std::max(1, CellSize().Height());
    const LvRect view = owner_->ClientRectWithoutHeader();
    switch (direction) {
    case eadUp:
        return groups.PrevVisibleItem(item);
    case eadDown:
        return groups.NextVisibleItem(item);
    case eadPageDown: {
        TLvItem *found = nullptr;
        for (int y = view.bottom - 2; y >= view.top && !found; y -= ch)
            found = ItemAtDocPoint({0, y});
        if (found != item)
            return found;
        found = nullptr;
        for (int y = item->DisplayRect().top + view.Height() - 1; !found; y -= ch)
            found = y <= item->DisplayRect().top ? item : ItemAtDocPoint({0, y});
        return found == item ? nullptr : found;
    }
    case eadPageUp: {
        TLvItem *found = nullptr;
        for (int y = view.top + 1; y < view.bottom && !found; y += ch)
            found = ItemAtDocPoint({0, y});
        if (found != item)
            return found;
        found = nullptr;
        for (int y = item->DisplayRect().bottom - view.Height() - 1; !found; y += ch)
            found = y >= item->DisplayRect().bottom - 1 ? item : ItemAtDocPoint({0, y});
        return found == item ? nullptr : found;
    }
    default:
        return BaseAdjacent(item, direction);
    }
}

// ---------------------------------------------------------------------------------------------------
// List (items top to bottom, then further columns to the right; groups side by side)

TLvCellSize &TLvGridListGroup::CellSize() const { return owner_->CellSizes().List; }

void TLvGridListGroup::Rebuild(TLvGroup *previous, int &next)
{
    AutoSizeCellWidth();
    const Margins m = MarginsOf(owner_);
    const int cw = CellSize().Width(), ch = CellSize().Height();
    int H = owner_->ClientHeight() - owner_->ScrollBarExtent() - owner_->Header().RuntimeHeight();
    H = std::max(H, m.bottom + m.top + ch);
    const int left = previous ? previous->DisplayRect().right : 0;
    LvRect groupRect(left, 0, left, H);
    auto &visible = group_->VisibleItems();
    visible.clear();
    TLvItems &items = group_->Items();
    if (group_->Visible() && group_->Expanded() && items.Count() > 0) {
        rowCount_ = std::max(1, (H - m.bottom - m.top - 1) / ch);
        columnCount_ = 1;
        int x = left + m.left, y = m.top;
        for (int i = 0; i < items.Count(); ++i) {
            TLvItem *item = items[i];
            LvRect r = item->Visible() ? LvRect(x, y, x + cw, y + ch) : LvRect(x, y, x, y + ch);
            if (r.bottom > H - m.bottom) {
                x += cw;
                y = m.top;
                r = item->Visible() ? LvRect(x, y, x + cw, y + ch) : LvRect(x, y, x, y + ch);
                ++columnCount_;
            }
            item->SetDisplayRect(r);
            if (item->Visible()) {
                item->SetVisibleIndex(next++);
                item->SetVisibleIndexInGroup(int(visible.size()));
                visible.push_back(item);
                y += ch;
            } else {
                item->SetVisibleIndex(-1);
                item->SetVisibleIndexInGroup(-1);
            }
        }
        groupRect.right = x + cw + m.right;
    }
    if (visible.empty()) {
        columnCount_ = rowCount_ = 0;
        const TLvPaintInfoGroup &info = owner_->PaintInfoGroup();
        groupRect.right = left + m.left + m.right + info.CaptionIndent() +
                          owner_->TextExtent(owner_->GroupFont(), group_->Caption()).width();
    }
    group_->SetDisplayRect(groupRect);
}

TLvItem *TLvGridListGroup::AdjacentItem(TLvItem *item, TLvAdjacent direction)
{
    if (!item->Visible())
        InvisibleAdjacent();
    TLvGroups &groups = owner_->Groups();
    const int v = item->VisibleIndexInGroup();
    const int R = std::max(1, rowCount_);
    switch (direction) {
    case eadLeft:
        if (v - R >= 0)
            return group_->VisibleItem(v - R);
        // The same row (or the nearest one above it) in the last column of an earlier group.
        for (int r = v % R; r >= 0; --r)
            if (TLvGroup *g = NearestGroupWith(owner_, group_, -1, r)) {
                const int count = g->VisibleItemCount();
                const int rows = std::max(1, g->Grid()->RowCount());
                int k = count / rows;
                if (r + k * rows >= count)
                    --k;
                return g->VisibleItem(r + k * rows);
            }
        return nullptr;
    case eadRight:
        if (v + R < group_->VisibleItemCount())
            return group_->VisibleItem(v + R);
        for (int r = v % R; r >= 0; --r)
            if (TLvGroup *g = NearestGroupWith(owner_, group_, 1, r))
                return g->VisibleItem(r);
        return nullptr;
    case eadUp: {
        TLvItem *prev = groups.PrevVisibleItem(item);
        return prev ? prev : item;
    }
    case eadDown: {
        TLvItem *next = groups.NextVisibleItem(item);
        return next ? next : item;
    }
    case eadPageDown: {
        int i = v;
        while (i < group_->VisibleItemCount() - 1 && i % R != R - 1)
            ++i;
        return group_->VisibleItem(i);
    }
    case eadPageUp:
        return group_->VisibleItem(v - v % R);
    }
    return nullptr;
}

} // namespace gdvorn::lv
