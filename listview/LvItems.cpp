// Items: the flag notifications that become the control's item events, the painter of the item's view,
// hit testing, scrolling an item into view and the stored item's data.

#include "listview/ListviewCore.h"

namespace gdvorn::lv {

TLvItem::TLvItem(TLvItems *owner) : TLvCollectionItem(owner) {}

TLvItem::~TLvItem() = default;

TLvItems *TLvItem::Items() const { return static_cast<TLvItems *>(Collection()); }

TLvGroup *TLvItem::Group() const { return Items()->OwnerGroup(); }

TLvPaintInfoBasic *TLvItem::PaintInfo() const
{
    return ownPaintInfo_ ? ownPaintInfo_.get() : &OwnerListview()->PaintInfoItem();
}

void TLvItem::SetOwnPaintInfo(std::unique_ptr<TLvPaintInfoBasic> info) { ownPaintInfo_ = std::move(info); }

bool TLvItem::CanChange(Flag flag, bool value)
{
    ListviewCore *lv = OwnerListview();
    bool allow = true;
    switch (flag) {
    case Flag::Bold:
    case Flag::HotTracking:
        return true;
    case Flag::Checked:
        if (!Enabled())
            return false;
        if (lv->OnItemCheckChanging)
            lv->OnItemCheckChanging(this, allow);
        return allow;
    case Flag::Enabled:
        if (lv->OnItemEnableChanging)
            lv->OnItemEnableChanging(this, allow);
        return allow;
    case Flag::Focused:
        if (lv->OnItemFocusChanging)
            lv->OnItemFocusChanging(this, allow);
        return allow;
    case Flag::Selected:
        if (lv->OnItemSelectionChanging)
            lv->OnItemSelectionChanging(this, allow);
        return allow;
    case Flag::Visible:
        if (value && !Group()->Visible())
            return false;
        if (lv->OnItemVisibilityChanging)
            lv->OnItemVisibilityChanging(this, allow);
        return allow;
    }
    return allow;
}

void TLvItem::FlagChanged(Flag flag, bool on, QPoint mouse)
{
    ListviewCore *lv = OwnerListview();
    const bool destroying = HasState(cisDestroying);
    switch (flag) {
    case Flag::Bold:
        Invalidate(false);
        break;
    case Flag::Checked:
        lv->CheckManager().AddChecked(on ? 1 : -1);
        if (lv->OnItemCheckChange)
            lv->OnItemCheckChange(this);
        if (on || !destroying)
            Invalidate(false);
        break;
    case Flag::Enabled:
        if (lv->OnItemEnableChange)
            lv->OnItemEnableChange(this);
        if (on || !destroying)
            Invalidate(false);
        break;
    case Flag::Focused:
        if (on) {
            lv->NotifyAccessibility(0x8005);
            if (lv->OnItemFocusChanged)
                lv->OnItemFocusChanged(this);
            lv->Selection().SetFocusedItem(this);
            Invalidate(false);
        } else {
            if (lv->Selection().FocusedItem() == this)
                lv->Selection().SetFocusedItem(nullptr);
            lv->NotifyAccessibility(0x8005);
            if (lv->OnItemFocusChanged)
                lv->OnItemFocusChanged(this);
            if (!destroying) {
                // The focus rectangle is drawn outside the display rectangle in some views: repaint
                // with the bit still on so that its area is included.
                SetStateBit(cisFocused, true);
                Invalidate(false);
                SetStateBit(cisFocused, false);
            }
        }
        break;
    case Flag::HotTracking:
        if (lv->OnItemHotTrack && lv->HotTrackEnabled())
            lv->OnItemHotTrack(this, on ? TLvHotTrackState::ehsEnable : TLvHotTrackState::ehsDisable,
                               on ? mouse : QPoint(0, 0));
        Invalidate(true);
        break;
    case Flag::Selected:
        if (on)
            lv->Selection().GainingSelection(this);
        else
            lv->Selection().LosingSelection(this);
        if (lv->OnItemSelectionChanged)
            lv->OnItemSelectionChanged(this);
        if (on || !destroying) {
            if (lv->Selection().GroupSelections()) {
                lv->Selection().RebuildSelectionGroups(false);
                lv->Invalidate();
            } else {
                Invalidate(false);
            }
        }
        break;
    case Flag::Visible:
        lv->Groups().Rebuild(false);
        if (lv->OnItemVisibilityChanged)
            lv->OnItemVisibilityChanged(this);
        break;
    }
}

void TLvItem::GhostedChanged(bool)
{
    if (!HasState(cisDestroying))
        Invalidate(false);
}

void TLvItem::DropHilightChanged(bool) { Invalidate(true); }

void TLvItem::InitializeNotification()
{
    if (OwnerListview()->OnItemInitialize)
        OwnerListview()->OnItemInitialize(this);
    SetStateBit(cisInitialized, true); // even when the handler cleared it
}

void TLvItem::FreeingNotification()
{
    if (OwnerListview()->OnItemFreeing)
        OwnerListview()->OnItemFreeing(this);
}

void TLvItem::Destroying()
{
    SetStateBit(cisDestroying, true);
    OwnerListview()->Selection().ForgetItem(this);
    OwnerListview()->IncrementalSearch().ItemDestroying(this);
    SetVisible(false);
    TLvCollectionItem::Destroying();
    selectionGroup_.reset();
    view_.reset();
}

TLvViewItem *TLvItem::View()
{
    ListviewCore *lv = OwnerListview();
    const TLvViewItemClass *wanted = nullptr;
    if (lv->OnItemCustomView)
        lv->OnItemCustomView(this, lv->View(), wanted);
    const char *name = wanted ? wanted->name : lv->ViewItemClassName(lv->View());
    if (view_ && qstrcmp(view_->ClassName(), name) != 0)
        view_.reset();
    if (!view_)
        view_ = wanted ? wanted->create(lv) : lv->NewViewItem(lv->View());
    return view_.get();
}

TLvRectArrayObject TLvItem::ItemRectArray(TLvColumn *column)
{
    ListviewCore *lv = OwnerListview();
    TLvRectArrayObject r;
    LvCanvas canvas;
    canvas.font = lv->Font();
    const QString caption = column ? Captions(column->Index()) : Caption();
    View()->ItemRectArray(this, column, lv->HandleAllocated() ? &canvas : nullptr, caption, r);
    return r;
}

bool TLvItem::HitTestAt(QPoint p, TLvItemHitTestInfoSet &hitInfo)
{
    ListviewCore *lv = OwnerListview();
    TLvColumns &columns = lv->Header().Columns();
    const TLvRectArrayObject r = ItemRectArray(columns.Count() > 0 ? columns[0] : nullptr);
    LvRect icon = r.ImageArea;
    const int indent = PaintInfo()->CaptionIndent();
    if (lv->IsVerticalView())
        icon.bottom += indent;
    else
        icon.right += indent;
    hitInfo = 0;
    if (icon.Contains(p))
        hitInfo |= ehtOnIcon;
    if (r.CheckArea.Contains(p))
        hitInfo |= ehtOnCheck;
    if (r.FullFocusArea.Contains(p))
        hitInfo |= ehtOnText;
    if (r.LabelArea.Contains(p))
        hitInfo |= ehtOnLabel;
    if (r.ClickSelectArea.Contains(p))
        hitInfo |= ehtOnClickSelectBounds;
    if (r.DragSelectArea.Contains(p))
        hitInfo |= ehtOnDragSelectBounds;
    if (r.StateImageArea.Contains(p))
        hitInfo |= ehtStateIcon;
    return hitInfo != 0;
}

int TLvItem::GridColumn() const
{
    const int v = visibleIndexInGroup_;
    TLvGridGroup *grid = Group()->Grid();
    if (v < 0)
        return -1;
    if (grid->VerticalFlow())
        return grid->ColumnCount() > 0 ? v % grid->ColumnCount() : -1;
    return grid->RowCount() > 0 ? v / grid->RowCount() : -1;
}

int TLvItem::GridRow() const
{
    const int v = visibleIndexInGroup_;
    TLvGridGroup *grid = Group()->Grid();
    if (v < 0)
        return -1;
    if (grid->VerticalFlow())
        return grid->ColumnCount() > 0 ? v / grid->ColumnCount() : -1;
    return grid->RowCount() > 0 ? v % grid->RowCount() : -1;
}

void TLvItem::Invalidate(bool immediate)
{
    // Unlike the base rule this also invalidates inside an update bracket: the keyboard's focus move
    // relies on it.
    ListviewCore *lv = OwnerListview();
    if (!lv->HandleAllocated())
        return;
    const LvRect client = lv->Scrollbars().MapWindowRectToView(lv->ClientRect());
    if (!client.Intersects(DisplayRect()))
        return;
    const TLvRectArrayObject r = ItemRectArray(nullptr);
    const LvRect area = lv->Scrollbars().MapViewRectToWindow(r.FocusRepaintArea.United(DisplayRect()));
    lv->InvalidateWindow(&area, immediate);
}

void TLvItem::MakeVisible(int position)
{
    if (!Visible())
        return;
    ListviewCore *lv = OwnerListview();
    TLvScrollbarManager &sb = lv->Scrollbars();
    const TLvRectArrayObject r = ItemRectArray(lv->Header().FirstVisibleColumn());
    const LvRect bounds = r.CellArea.IsEmpty() ? DisplayRect() : r.CellArea;
    const LvRect view = lv->ClientRectWithoutHeader();
    if (view.ContainsRect(bounds))
        return;
    const int header = lv->Header().RuntimeHeight();
    switch (position) {
    case 0:
        sb.SetOffsetY(bounds.top);
        sb.SetOffsetX(bounds.left);
        break;
    case 1: // centred
        sb.SetOffsetY(bounds.top - (view.Height() - bounds.Height()) / 2);
        sb.SetOffsetX(bounds.left - (view.Width() - bounds.Width()) / 2);
        break;
    case 2:
        sb.SetOffsetY(bounds.bottom - lv->ClientHeight() + header);
        sb.SetOffsetX(bounds.right - lv->ClientWidth());
        break;
    default:
        if (bounds.bottom > view.bottom)
            sb.SetOffsetY(bounds.bottom - lv->ClientHeight() + header);
        else if (bounds.top < view.top)
            sb.SetOffsetY(bounds.top);
        if (bounds.right > view.right || bounds.left < view.left)
            sb.SetOffsetX(bounds.left);
        break;
    }
}

const LvImageList *TLvItem::StateImageList(int) const { return OwnerListview()->ImagesState(); }

bool TLvItem::ImageDrawIsCustom(TLvColumn *column) const
{
    bool isCustom = false;
    if (OwnerListview()->OnItemImageDrawIsCustom)
        OwnerListview()->OnItemImageDrawIsCustom(const_cast<TLvItem *>(this), column, isCustom);
    return isCustom;
}

void TLvItem::ImageGetSize(TLvColumn *column, int &width, int &height) const
{
    if (OwnerListview()->OnItemImageGetSize)
        OwnerListview()->OnItemImageGetSize(const_cast<TLvItem *>(this), column, width, height);
}

void TLvItem::ImageDraw(TLvColumn *column, LvCanvas &canvas, const TLvRectArrayObject &rects, TLvAlphaBlender *blender)
{
    if (OwnerListview()->OnItemImageDraw)
        OwnerListview()->OnItemImageDraw(this, column, canvas, rects, blender);
}

void TLvItem::ThumbnailDraw(LvCanvas &canvas, const LvRect &rect, TLvAlphaBlender *blender, bool &doDefault)
{
    if (OwnerListview()->OnItemThumbnailDraw)
        OwnerListview()->OnItemThumbnailDraw(this, canvas, rect, blender, doDefault);
}

// ---------------------------------------------------------------------------------------------------
// Virtual item

QString TLvItemVirtual::Captions(int column) const
{
    QString caption;
    if (OwnerListview()->OnItemGetCaption)
        OwnerListview()->OnItemGetCaption(const_cast<TLvItemVirtual *>(this), column, caption);
    return caption;
}

void TLvItemVirtual::SetCaptions(int column, const QString &value)
{
    ListviewCore *lv = OwnerListview();
    lv->NotifyAccessibility(0x800C);
    if (lv->OnItemSetCaption)
        lv->OnItemSetCaption(this, column, value);
    Invalidate(false);
}

int TLvItemVirtual::Index(int column, TLvImageKind kind) const
{
    int index = -1;
    if (OwnerListview()->OnItemGetImageIndex)
        OwnerListview()->OnItemGetImageIndex(const_cast<TLvItemVirtual *>(this), column, kind, index);
    return index;
}

void TLvItemVirtual::SetIndex(int column, TLvImageKind kind, int value)
{
    if (OwnerListview()->OnItemSetImageIndex)
        OwnerListview()->OnItemSetImageIndex(this, column, kind, value);
    Invalidate(false);
}

int TLvItemVirtual::DetailCount() const
{
    int count = 0;
    if (OwnerListview()->OnItemGetTileDetailCount)
        OwnerListview()->OnItemGetTileDetailCount(const_cast<TLvItemVirtual *>(this), count);
    return count;
}

int TLvItemVirtual::Details(int line) const
{
    int detail = 0;
    if (OwnerListview()->OnItemGetTileDetail)
        OwnerListview()->OnItemGetTileDetail(const_cast<TLvItemVirtual *>(this), line, detail);
    return detail;
}

void TLvItemVirtual::SetDetails(int line, int value)
{
    if (OwnerListview()->OnItemSetTileDetail)
        OwnerListview()->OnItemSetTileDetail(this, line, value);
    Invalidate(false);
}

std::uint32_t TLvItemVirtual::GroupKey(int column) const
{
    std::uint32_t key = 0;
    if (OwnerListview()->OnItemGetGroupKey)
        OwnerListview()->OnItemGetGroupKey(const_cast<TLvItemVirtual *>(this), column, key);
    return key;
}

void TLvItemVirtual::SetGroupKey(int column, std::uint32_t value)
{
    if (OwnerListview()->OnItemSetGroupKey)
        OwnerListview()->OnItemSetGroupKey(this, column, value);
}

const LvImageList *TLvItemVirtual::ImageList(int column, int imageSize) const
{
    const LvImageList *list = nullptr;
    if (OwnerListview()->OnItemGetImageList)
        OwnerListview()->OnItemGetImageList(const_cast<TLvItemVirtual *>(this), column, list);
    return list ? list : DefaultImageList(imageSize);
}

const LvImageList *TLvItemVirtual::StateImageList(int column) const
{
    const LvImageList *list = nullptr;
    if (OwnerListview()->OnItemGetStateImageList)
        OwnerListview()->OnItemGetStateImageList(const_cast<TLvItemVirtual *>(this), column, list);
    return list ? list : TLvItem::StateImageList(column);
}

// ---------------------------------------------------------------------------------------------------
// Interfaced item

bool TLvItemInterfaced::Checked() const
{
    auto *checks = DataInfAs<ILvDataChecks>();
    return checks && checks->GetChecked(0);
}

void TLvItemInterfaced::SetChecked(bool value)
{
    if (auto *checks = DataInfAs<ILvDataChecks>()) {
        checks->SetChecked(0, value);
        Invalidate(false);
    }
}

std::uint32_t TLvItemInterfaced::GroupKey(int column) const
{
    auto *keys = DataInfAs<ILvDataGroupKey>();
    return keys ? keys->GetGroupKey(column) : 0;
}

void TLvItemInterfaced::SetGroupKey(int column, std::uint32_t value)
{
    if (auto *keys = DataInfAs<ILvDataGroupKeyEdit>())
        keys->SetGroupKey(column, value);
}

const LvImageList *TLvItemInterfaced::StateImageList(int column) const
{
    auto *lists = DataInfAs<ILvDataStateImageList>();
    const LvImageList *list = lists ? lists->GetStateImageList(column) : nullptr;
    return list ? list : TLvItem::StateImageList(column);
}

void TLvItemInterfaced::ThumbnailDraw(LvCanvas &canvas, const LvRect &rect, TLvAlphaBlender *blender, bool &doDefault)
{
    if (auto *thumbnail = DataInfAs<ILvDataThumbnail>())
        thumbnail->DrawThumbnail(canvas, rect, blender, doDefault);
}

// ---------------------------------------------------------------------------------------------------
// Stored item

void TLvItemStored::SetStateImageIndexes(int column, int value)
{
    data_.SetStateImageIndex(column, value);
    Invalidate(false);
}

int TLvItemStored::DetailCount() const { return OwnerListview()->PaintInfoItem().TileDetailCount(); }

void TLvItemStored::SetDetailCount(int value) { OwnerListview()->PaintInfoItem().SetTileDetailCount(value); }


// ---------------------------------------------------------------------------------------------------
// Item collection of a group

TLvItems::~TLvItems() = default;

TLvCollectionItem *TLvItems::CreateItem() { return itemClass_ ? itemClass_(this) : new TLvItemStored(this); }

void TLvItems::Clear(bool freeItems)
{
    TLvSelectionManager &selection = owner_->Selection();
    TLvSelectionManager::Brackets brackets(selection);
    group_->VisibleItems().clear();
    ClearItems(freeItems);
}

void TLvItems::StructureChange()
{
    owner_->IncrementalSearch().ResetSearch();
    owner_->Groups().Rebuild(false);
    if (owner_->Sort().AutoSort())
        owner_->Sort().SortAll(false);
    owner_->StructureChanged(elvsItemStructureChanged, owner_->OnItemStructureChange);
}

} // namespace gdvorn::lv
