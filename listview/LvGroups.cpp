// Groups: the group flags, margins and hit test, the layout pass of the whole control and the walks
// over groups and items. The "meeting a rectangle" walks and "item at a point" bisect a group's visible
// items (ordered along the layout direction in every view), so painting and hit testing cost what is
// visible, not what the list holds.

#include "listview/ListviewCore.h"
#include "listview/LvGridGrid.h"
#include "listview/LvViewGroup.h"

#include <algorithm>

namespace gdvorn::lv {

TLvGroup::TLvGroup(TLvCollection *owner)
    : TLvCollectionItem(owner), items_(std::make_unique<TLvItems>(owner->OwnerListview(), this))
{
    SetChecked(true);
}

TLvGroup::~TLvGroup() = default;

TLvPaintInfoBasic *TLvGroup::PaintInfo() const { return &OwnerListview()->PaintInfoGroup(); }

TLvItem *TLvGroup::VisibleItem(int index) const
{
    return index >= 0 && index < VisibleItemCount() ? visibleItems_[std::size_t(index)] : nullptr;
}

TLvGridGroup *TLvGroup::Grid()
{
    ListviewCore *lv = OwnerListview();
    const TLvGridGroupClass *wanted = nullptr;
    if (lv->OnCustomGrid)
        lv->OnCustomGrid(this, lv->View(), wanted);
    std::unique_ptr<TLvGridGroup> made;
    if (wanted) {
        if (grid_ && qstrcmp(grid_->ClassName(), wanted->name) == 0)
            return grid_.get();
        made = wanted->create(lv, this);
    } else {
        switch (lv->View()) {
        case TLvListStyle::elsReport:
            if (!grid_ || qstrcmp(grid_->ClassName(), "TLvGridReportGroup") != 0)
                made = std::make_unique<TLvGridReportGroup>(lv, this);
            break;
        case TLvListStyle::elsList:
            if (!grid_ || qstrcmp(grid_->ClassName(), "TLvGridListGroup") != 0)
                made = std::make_unique<TLvGridListGroup>(lv, this);
            break;
        case TLvListStyle::elsFilmStrip:
            if (!grid_ || qstrcmp(grid_->ClassName(), "TLvGridFilmStripGroup") != 0)
                made = std::make_unique<TLvGridFilmStripGroup>(lv, this);
            break;
        case TLvListStyle::elsGrid:
            if (!grid_ || qstrcmp(grid_->ClassName(), "TLvGridGridGroup") != 0)
                made = std::make_unique<TLvGridGridGroup>(lv, this);
            break;
        default: {
            auto base = std::make_unique<TLvGridBaseLayout>(lv, this, lv->View());
            if (!grid_ || qstrcmp(grid_->ClassName(), base->ClassName()) != 0)
                made = std::move(base);
            break;
        }
        }
    }
    if (made)
        grid_ = std::move(made);
    return grid_.get();
}

void TLvGroup::SetExpanded(bool value)
{
    ListviewCore *lv = OwnerListview();
    if (expanded_ == value || !lv->PaintInfoGroup().Expandable())
        return;
    LvUpdateBracket update(*lv);
    if (lv->HandleAllocated())
        lv->NotifyAccessibility(0x800A);
    expanded_ = value;
    if (value && lv->OnGroupExpand)
        lv->OnGroupExpand(this);
    if (!value && lv->OnGroupCollapse)
        lv->OnGroupCollapse(this);
    lv->Groups().Rebuild(true);
}

TLvItem *TLvGroup::ItemAtPoint(QPoint p) const
{
    const bool vertical = const_cast<TLvGroup *>(this)->Grid()->VerticalFlow();
    auto it = std::partition_point(visibleItems_.begin(), visibleItems_.end(), [&](const TLvItem *item) {
        return vertical ? item->DisplayRect().bottom <= p.y() : item->DisplayRect().right <= p.x();
    });
    for (; it != visibleItems_.end(); ++it) {
        const LvRect &r = (*it)->DisplayRect();
        if (vertical ? r.top > p.y() : r.left > p.x())
            break;
        if (r.Contains(p))
            return *it;
    }
    return nullptr;
}

static LvRect Narrowed(const LvRect &r, int left, int right) { return {r.left + left, r.top, r.right - right, r.bottom}; }

LvRect TLvGroup::MarginRectTop() const
{
    const TLvPaintInfoGroup &info = OwnerListview()->PaintInfoGroup();
    const int size = info.MarginTop().EffectiveSize();
    if (size == 0)
        return {};
    LvRect r = Narrowed(DisplayRect(), info.MarginLeft().EffectiveSize(), info.MarginRight().EffectiveSize());
    r.bottom = r.top + size;
    return r;
}

LvRect TLvGroup::MarginRectBottom() const
{
    const TLvPaintInfoGroup &info = OwnerListview()->PaintInfoGroup();
    const int size = info.MarginBottom().EffectiveSize();
    if (size == 0)
        return {};
    LvRect r = Narrowed(DisplayRect(), info.MarginLeft().EffectiveSize(), info.MarginRight().EffectiveSize());
    r.top = r.bottom - size;
    return r;
}

LvRect TLvGroup::MarginRectLeft() const
{
    const int size = OwnerListview()->PaintInfoGroup().MarginLeft().EffectiveSize();
    if (size == 0)
        return {};
    LvRect r = DisplayRect();
    r.right = r.left + size;
    return r;
}

LvRect TLvGroup::MarginRectRight() const
{
    const int size = OwnerListview()->PaintInfoGroup().MarginRight().EffectiveSize();
    if (size == 0)
        return {};
    LvRect r = DisplayRect();
    r.left = r.right - size;
    return r;
}

LvRect TLvGroup::ClientRect() const
{
    const TLvPaintInfoGroup &info = OwnerListview()->PaintInfoGroup();
    LvRect r = DisplayRect();
    r.left += info.MarginLeft().EffectiveSize();
    r.right -= info.MarginRight().EffectiveSize();
    r.top += info.MarginTop().EffectiveSize();
    r.bottom -= info.MarginBottom().EffectiveSize();
    r.bottom = std::max(r.bottom, r.top);
    r.right = std::max(r.right, r.left);
    return r;
}

TLvRectArrayObject TLvGroup::TopBandParts(const LvRect &top) const
{
    return const_cast<TLvGroup *>(this)->View()->PartRects(const_cast<TLvGroup *>(this), egpHeader, top);
}

TLvViewGroup *TLvGroup::View()
{
    ListviewCore *lv = OwnerListview();
    const TLvViewGroupClass *wanted = nullptr;
    if (lv->OnGroupCustomView)
        lv->OnGroupCustomView(this, lv->View(), wanted);
    if (view_ && (wanted ? qstrcmp(view_->ClassName(), wanted->name) != 0 : customView_))
        view_.reset();
    if (!view_) {
        view_ = wanted ? wanted->create(lv) : lv->NewViewGroup();
        customView_ = wanted != nullptr;
    }
    return view_.get();
}

bool TLvGroup::HitTest(QPoint p, TLvGroupHitTestInfoSet &hitInfo) const
{
    hitInfo = 0;
    const struct {
        LvRect rect;
        int part;
        TLvGroupHitTestInfo bit;
    } margins[] = {{MarginRectTop(), egpHeader, egtOnHeader},
                   {MarginRectBottom(), egpFooter, egtOnFooter},
                   {MarginRectLeft(), egpLeft, egtOnLeftMargin},
                   {MarginRectRight(), egpRight, egtOnRightMargin}};
    for (const auto &m : margins) {
        if (!m.rect.Contains(p))
            continue;
        hitInfo |= m.bit;
        auto *self = const_cast<TLvGroup *>(this);
        const TLvRectArrayObject r = self->View()->PartRects(self, m.part, m.rect);
        const LvRect icon(r.ImageArea.left, r.ImageArea.top,
                          r.ImageArea.right + OwnerListview()->PaintInfoGroup().CaptionIndent(), r.ImageArea.bottom);
        if (icon.Contains(p))
            hitInfo |= egtOnIcon;
        else if (r.CaptionArea.Contains(p))
            hitInfo |= egtOnText;
        else if (r.LabelArea.Contains(p))
            hitInfo |= egtOnLabel;
        else if (r.ExpandButtonArea.Contains(p))
            hitInfo |= egtOnExpandButton;
        else if (r.BandArea.Contains(p))
            hitInfo |= egtOnBand;
        else if (r.CheckArea.Contains(p))
            hitInfo |= egtOnCheckbox;
        break;
    }
    return hitInfo != 0;
}

const LvImageList *TLvGroup::DefaultImageList(int) const { return OwnerListview()->ImagesGroup(); }

bool TLvGroup::ImageDrawIsCustom(TLvColumn *) const
{
    bool isCustom = false;
    if (OwnerListview()->OnGroupImageDrawIsCustom)
        OwnerListview()->OnGroupImageDrawIsCustom(const_cast<TLvGroup *>(this), isCustom);
    return isCustom;
}

void TLvGroup::ImageGetSize(TLvColumn *, int &width, int &height) const
{
    if (OwnerListview()->OnGroupImageGetSize)
        OwnerListview()->OnGroupImageGetSize(const_cast<TLvGroup *>(this), width, height);
}

void TLvGroup::ImageDraw(TLvColumn *, LvCanvas &canvas, const TLvRectArrayObject &rects, TLvAlphaBlender *blender)
{
    if (OwnerListview()->OnGroupImageDraw)
        OwnerListview()->OnGroupImageDraw(this, canvas, rects, blender);
}

bool TLvGroup::CanChange(Flag flag, bool value)
{
    ListviewCore *lv = OwnerListview();
    bool allow = true;
    switch (flag) {
    case Flag::Checked:
        return Enabled();
    case Flag::Focused:
        return false;
    case Flag::Selected:
        if (lv->OnGroupSelectionChanging)
            lv->OnGroupSelectionChanging(this, allow);
        return allow;
    case Flag::Visible:
        if (lv->OnGroupVisibilityChanging)
            lv->OnGroupVisibilityChanging(this, allow);
        return allow;
    default:
        (void)value;
        return true;
    }
}

void TLvGroup::FlagChanged(Flag flag, bool on, QPoint mouse)
{
    ListviewCore *lv = OwnerListview();
    switch (flag) {
    case Flag::Checked:
        for (int i = 0; i < items_->Count(); ++i)
            if (!on || (*items_)[i]->Visible())
                (*items_)[i]->SetChecked(on);
        if (on)
            Invalidate(false);
        break;
    case Flag::Enabled:
        for (int i = 0; i < items_->Count(); ++i)
            (*items_)[i]->SetEnabled(on);
        break;
    case Flag::Visible:
        if (on && lv->OnGroupVisibilityChanged)
            lv->OnGroupVisibilityChanged(this);
        for (int i = 0; i < items_->Count(); ++i)
            (*items_)[i]->SetVisible(on);
        if (!on && lv->OnGroupVisibilityChanged)
            lv->OnGroupVisibilityChanged(this);
        break;
    case Flag::Selected:
        if (lv->OnGroupSelectionChanged)
            lv->OnGroupSelectionChanged(this);
        break;
    case Flag::HotTracking:
        if (lv->OnGroupHotTrack)
            lv->OnGroupHotTrack(this, on ? TLvHotTrackState::ehsEnable : TLvHotTrackState::ehsDisable,
                                on ? mouse : QPoint(0, 0));
        Invalidate(true);
        break;
    case Flag::Bold:
        Invalidate(false);
        break;
    case Flag::Focused:
        break;
    }
}

void TLvGroup::InitializeNotification()
{
    if (OwnerListview()->OnGroupInitialize)
        OwnerListview()->OnGroupInitialize(this);
}

void TLvGroup::FreeingNotification()
{
    if (OwnerListview()->OnGroupFreeing)
        OwnerListview()->OnGroupFreeing(this);
}

void TLvGroup::Invalidate(bool immediate) { TLvCollectionItem::Invalidate(immediate); }

void TLvGroup::Destroying()
{
    SetStateBit(cisDestroying, true);
    SetSelected(false);
    SetFocused(false);
    items_->Clear(true);
    TLvCollectionItem::Destroying();
}

// ---------------------------------------------------------------------------------------------------
// TLvGroups

TLvGroups::~TLvGroups() = default;

TLvCollectionItem *TLvGroups::CreateItem() { return itemClass_ ? itemClass_(this) : new TLvGroupStored(this); }

void TLvGroups::Clear(bool freeItems)
{
    TLvSelectionManager &selection = owner_->Selection();
    TLvSelectionManager::Brackets brackets(selection);
    ClearItems(freeItems);
}

void TLvGroups::StructureChange()
{
    Rebuild(false);
    owner_->StructureChanged(elvsGroupStructureChanged, owner_->OnGroupStructureChange);
}

void TLvGroups::Rebuild(bool force)
{
    ListviewCore *lv = owner_;
    if (!((force || !lv->Updating()) && lv->HandleAllocated()) || lv->Destroying())
        return;
    rebuilding_ = true;
    LvFinally reset([this] { rebuilding_ = false; });
    visible_.clear();
    visible_.reserve(items_.size());
    int counter = 0;
    lv->Header().Rebuild(force);
    LvRect view;
    TLvGroup *previous = nullptr;
    for (int i = 0; i < Count(); ++i) {
        TLvGroup *group = (*this)[i];
        if (group->Visible()) {
            visible_.push_back(group);
            group->SetVisibleIndex(int(visible_.size()) - 1);
        } else {
            group->SetVisibleIndex(-1);
        }
        group->Grid()->Rebuild(previous, counter);
        view.right = std::max(view.right, group->DisplayRect().right);
        view.bottom = std::max(view.bottom, group->DisplayRect().bottom);
        group->Items().ReIndex();
        previous = group;
    }
    if (lv->Selection().GroupSelections())
        lv->Selection().RebuildSelectionGroups(false);
    lv->Scrollbars().SetViewRect(view, false);
}

void TLvGroups::ExpandAll()
{
    LvUpdateBracket update(*owner_);
    for (int i = 0; i < Count(); ++i)
        (*this)[i]->SetExpanded(true);
}

void TLvGroups::ShowAll()
{
    LvUpdateBracket update(*owner_);
    for (int i = 0; i < Count(); ++i) {
        TLvGroup *group = (*this)[i];
        group->SetVisible(true);
        group->Items().ShowAll();
    }
}

TLvGroup *TLvGroups::GroupAtPoint(QPoint p) const
{
    for (int i = 0; i < Count(); ++i) {
        TLvGroup *group = (*this)[i];
        if (group->Visible() && group->Enabled() && group->DisplayRect().Contains(p))
            return group;
    }
    return nullptr;
}

TLvGroup *TLvGroups::FirstVisibleGroupInRect(const LvRect &r) const
{
    for (TLvCollectionItem *g : visible_)
        if (g->DisplayRect().Intersects(r))
            return static_cast<TLvGroup *>(g);
    return nullptr;
}

TLvGroup *TLvGroups::NextVisibleGroupInRect(const TLvGroup *group, const LvRect &r) const
{
    for (int i = group ? group->Index() + 1 : 0; i < Count(); ++i) {
        TLvGroup *g = (*this)[i];
        if (!g->Visible())
            continue;
        if (g->Items().Count() == 0 || g->DisplayRect().Intersects(r))
            return g;
        return nullptr;
    }
    return nullptr;
}

TLvGroup *TLvGroups::FirstVisibleGroup() const
{
    for (int i = 0; i < Count(); ++i)
        if ((*this)[i]->Visible())
            return (*this)[i];
    return nullptr;
}

TLvGroup *TLvGroups::LastVisibleGroup() const
{
    for (int i = Count() - 1; i >= 0; --i)
        if ((*this)[i]->Visible())
            return (*this)[i];
    return nullptr;
}

TLvGroup *TLvGroups::VisibleGroup(int visibleIndex) const
{
    return visibleIndex >= 0 && visibleIndex < VisibleCount() ? static_cast<TLvGroup *>(visible_[std::size_t(visibleIndex)])
                                                               : nullptr;
}

TLvGroup *TLvGroups::NextGroup(const TLvGroup *group, bool visibleExpandedOnly) const
{
    for (int i = group ? group->Index() + 1 : Count(); i < Count(); ++i) {
        TLvGroup *g = (*this)[i];
        if (!visibleExpandedOnly || (g->Visible() && g->Expanded()))
            return g;
    }
    return nullptr;
}

TLvGroup *TLvGroups::PrevGroup(const TLvGroup *group, bool visibleExpandedOnly) const
{
    for (int i = group ? group->Index() - 1 : -1; i >= 0; --i) {
        TLvGroup *g = (*this)[i];
        if (!visibleExpandedOnly || (g->Visible() && g->Expanded()))
            return g;
    }
    return nullptr;
}

TLvItem *TLvGroups::EndItem(bool first, const std::function<bool(TLvItem *)> &accept) const
{
    for (int g = first ? 0 : Count() - 1; g >= 0 && g < Count(); g += first ? 1 : -1) {
        TLvItems &items = (*this)[g]->Items();
        for (int j = first ? 0 : items.Count() - 1; j >= 0 && j < items.Count(); j += first ? 1 : -1)
            if (accept(items[j]))
                return items[j];
    }
    return nullptr;
}

TLvItem *TLvGroups::FirstItem() const
{
    return EndItem(true, [](TLvItem *) { return true; });
}

TLvItem *TLvGroups::FirstVisibleItem() const
{
    return EndItem(true, [](TLvItem *i) { return i->Visible(); });
}

TLvItem *TLvGroups::FirstInitializedItem() const
{
    return EndItem(true, [](TLvItem *i) { return i->Initialized(); });
}

TLvItem *TLvGroups::LastItem() const
{
    return EndItem(false, [](TLvItem *) { return true; });
}

TLvItem *TLvGroups::LastVisibleItem() const
{
    return EndItem(false, [](TLvItem *i) { return i->Visible(); });
}

TLvItem *TLvGroups::LastInitializedItem() const
{
    return EndItem(false, [](TLvItem *i) { return i->Initialized(); });
}

TLvItem *TLvGroups::WalkItems(const TLvItem *item, bool forward, const std::function<bool(TLvItem *)> &accept) const
{
    if (!item)
        return nullptr;
    const int step = forward ? 1 : -1;
    int start = item->Index() + step;
    for (int g = item->Group()->Index(); g >= 0 && g < Count(); g += step) {
        TLvGroup *current = (*this)[g];
        TLvItems &items = current->Items();
        if (current->Expanded() && current->Enabled())
            for (int j = forward ? start : std::min(start, items.Count() - 1); j >= 0 && j < items.Count(); j += step)
                if (accept(items[j]))
                    return items[j];
        start = forward ? 0 : (g + step >= 0 && g + step < Count() ? (*this)[g + step]->Items().Count() - 1 : -1);
    }
    return nullptr;
}

TLvItem *TLvGroups::NextItem(const TLvItem *item) const
{
    return WalkItems(item, true, [](TLvItem *) { return true; });
}

TLvItem *TLvGroups::PrevItem(const TLvItem *item) const
{
    return WalkItems(item, false, [](TLvItem *) { return true; });
}

TLvItem *TLvGroups::NextVisibleItem(const TLvItem *item) const
{
    return WalkItems(item, true, [](TLvItem *i) { return i->Visible(); });
}

TLvItem *TLvGroups::PrevVisibleItem(const TLvItem *item) const
{
    return WalkItems(item, false, [](TLvItem *i) { return i->Visible(); });
}

TLvItem *TLvGroups::NextInitializedItem(const TLvItem *item) const
{
    return WalkItems(item, true, [](TLvItem *i) { return i->Initialized(); });
}

TLvItem *TLvGroups::PrevInitializedItem(const TLvItem *item) const
{
    return WalkItems(item, false, [](TLvItem *i) { return i->Initialized(); });
}

namespace {

bool EditAllowed(ListviewCore *lv, TLvItem *item, int column)
{
    if (!item->Visible())
        return false;
    bool allow = true;
    if (lv->OnItemEditBegin)
        lv->OnItemEditBegin(item, column, allow);
    return allow;
}

} // namespace

TLvItem *TLvGroups::NextEditableItem(const TLvItem *item, int column) const
{
    return WalkItems(item, true, [&](TLvItem *i) { return EditAllowed(owner_, i, column); });
}

TLvItem *TLvGroups::PrevEditableItem(const TLvItem *item, int column) const
{
    return WalkItems(item, false, [&](TLvItem *i) { return EditAllowed(owner_, i, column); });
}

TLvItem *TLvGroups::NextItemInGroup(const TLvItem *item, bool visibleOnly) const
{
    if (!item)
        return nullptr;
    const TLvItems &items = item->Group()->Items();
    for (int j = item->Index() + 1; j < items.Count(); ++j)
        if (!visibleOnly || items[j]->Visible())
            return items[j];
    return nullptr;
}

TLvItem *TLvGroups::PrevItemInGroup(const TLvItem *item, bool visibleOnly) const
{
    if (!item)
        return nullptr;
    const TLvItems &items = item->Group()->Items();
    for (int j = item->Index() - 1; j >= 0; --j)
        if (!visibleOnly || items[j]->Visible())
            return items[j];
    return nullptr;
}

TLvItem *TLvGroups::AdjacentItem(TLvItem *item, TLvAdjacent direction) const
{
    return item ? item->Group()->Grid()->AdjacentItem(item, direction) : nullptr;
}

int TLvGroups::CellWidth() const { return Count() > 0 ? (*this)[0]->Grid()->CellSize().Width() : 0; }

int TLvGroups::CellHeight() const { return Count() > 0 ? (*this)[0]->Grid()->CellSize().Height() : 0; }

namespace {

// The extent an item takes in the walks: in the report view the header's width with the item's rows.
LvRect WalkExtent(ListviewCore *lv, const TLvItem *item)
{
    LvRect r = item->DisplayRect();
    if (lv->View() == TLvListStyle::elsReport) {
        r.left = lv->Header().HeaderRect().left;
        r.right = lv->Header().HeaderRect().right;
    }
    return r;
}

TLvItem *FirstInGroup(ListviewCore *lv, TLvGroup *group, const LvRect &r)
{
    if (!group->Expanded())
        return nullptr;
    const auto &items = group->VisibleItems();
    const bool vertical = group->Grid()->VerticalFlow();
    auto it = std::partition_point(items.begin(), items.end(), [&](const TLvItem *item) {
        return vertical ? item->DisplayRect().bottom <= r.top : item->DisplayRect().right <= r.left;
    });
    for (; it != items.end(); ++it) {
        const LvRect e = WalkExtent(lv, *it);
        if (vertical ? e.top >= r.bottom : e.left >= r.right)
            return nullptr;
        if (e.Intersects(r))
            return *it;
    }
    return nullptr;
}

} // namespace

TLvItem *TLvGroups::FirstVisibleItemInRect(const LvRect &r) const
{
    for (TLvCollectionItem *g : visible_)
        if (TLvItem *item = FirstInGroup(owner_, static_cast<TLvGroup *>(g), r))
            return item;
    return nullptr;
}

TLvItem *TLvGroups::NextVisibleItemInRect(const TLvItem *item, const LvRect &r) const
{
    if (!item)
        return nullptr;
    TLvGroup *group = item->Group();
    const bool vertical = group->Grid()->VerticalFlow();
    for (int i = item->VisibleIndexInGroup() + 1; i < group->VisibleItemCount(); ++i) {
        TLvItem *next = group->VisibleItem(i);
        const LvRect e = WalkExtent(owner_, next);
        if (vertical ? e.top >= r.bottom : e.left >= r.right)
            return nullptr;
        if (e.Intersects(r))
            return next;
    }
    for (int g = group->Index() + 1; g < Count(); ++g) {
        TLvGroup *next = (*this)[g];
        if (!next->Visible())
            continue;
        if (TLvItem *found = FirstInGroup(owner_, next, r))
            return found;
    }
    return nullptr;
}

TLvItem *TLvGroups::ItemAtPoint(QPoint p) const
{
    TLvGroup *group = GroupAtPoint(p);
    return group ? group->ItemAtPoint(p) : nullptr;
}

LvRect TLvGroups::ViewRect() const
{
    for (auto it = visible_.rbegin(); it != visible_.rend(); ++it)
        return {0, 0, (*it)->DisplayRect().right, (*it)->DisplayRect().bottom};
    return {};
}

} // namespace gdvorn::lv
