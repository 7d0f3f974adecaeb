// Columns: width, position, sort direction, scrolling a column into view and fitting it to its content.

#include "listview/ListviewCore.h"

namespace gdvorn::lv {

void TLvColumnDropDownButton::SetAlwaysShow(bool v)
{
    if (alwaysShow_ != v) {
        alwaysShow_ = v;
        column_->Invalidate(false);
    }
}

void TLvColumnDropDownButton::SetEnabled(bool v)
{
    if (enabled_ != v) {
        enabled_ = v;
        column_->Invalidate(false);
    }
}

void TLvColumnDropDownButton::SetVisible(bool v)
{
    if (visible_ != v) {
        visible_ = v;
        column_->Invalidate(false);
    }
}

void TLvColumnDropDownButton::SetMenu(QMenu *menu)
{
    if (menu_ != menu) {
        menu_ = menu;
        column_->Invalidate(false);
    }
}

void TLvColumnDropDownButton::SetState(std::uint8_t state)
{
    if (state_ != state) {
        state_ = state;
        column_->Invalidate(true);
    }
}

TLvColumn::TLvColumn(TLvCollection *owner) : TLvCollectionItem(owner), position_(owner->Count()) {}

TLvColumn::~TLvColumn() = default;

TLvPaintInfoBasic *TLvColumn::PaintInfo() const { return &OwnerListview()->PaintInfoColumn(); }

const LvImageList *TLvColumn::DefaultImageList(int) const { return OwnerListview()->Header().Images(); }

bool TLvColumn::ImageDrawIsCustom(TLvColumn *) const
{
    bool isCustom = false;
    if (OwnerListview()->OnColumnImageDrawIsCustom)
        OwnerListview()->OnColumnImageDrawIsCustom(const_cast<TLvColumn *>(this), isCustom);
    return isCustom;
}

void TLvColumn::ImageGetSize(TLvColumn *, int &width, int &height) const
{
    if (OwnerListview()->OnColumnImageGetSize)
        OwnerListview()->OnColumnImageGetSize(const_cast<TLvColumn *>(this), width, height);
}

void TLvColumn::ImageDraw(TLvColumn *, LvCanvas &canvas, const TLvRectArrayObject &rects, TLvAlphaBlender *blender)
{
    if (OwnerListview()->OnColumnImageDraw)
        OwnerListview()->OnColumnImageDraw(this, canvas, rects, blender);
}

void TLvColumn::SetAlignment(TAlignment value)
{
    if (alignment_ == value)
        return;
    alignment_ = value;
    Invalidate(false);
}

void TLvColumn::SetBkGndColor(LvColor value)
{
    if (bkGndColor_ == value)
        return;
    bkGndColor_ = value;
    OwnerListview()->Invalidate();
}

LvColor TLvColumn::Color() const { return OwnerListview()->PaintInfoColumn().Color(); }

void TLvColumn::SetColor(LvColor value) { OwnerListview()->PaintInfoColumn().SetColor(value); }

void TLvColumn::SetWidth(int value)
{
    if (value == width_)
        return;
    width_ = std::max(0, value);
    ListviewCore *lv = OwnerListview();
    lv->Header().Rebuild(false);
    if (lv->View() == TLvListStyle::elsReport) {
        const LvRect view = lv->Scrollbars().ViewRect();
        lv->Scrollbars().SetViewRect({0, 0, lv->Header().HeaderRect().right, view.bottom}, false);
    }
}

void TLvColumn::SetPosition(int value)
{
    TLvCollection *columns = Collection();
    const int count = columns->Count();
    const int p = std::clamp(value, 0, std::max(0, count - 1));
    if (count <= 1) {
        position_ = 0;
        return;
    }
    const int c = position_;
    if (c < p) {
        for (int i = 0; i < count; ++i) {
            auto *column = static_cast<TLvColumn *>(columns->Item(i));
            if (column->position_ >= c && column->position_ <= p)
                --column->position_;
        }
    } else if (p < c) {
        for (int i = 0; i < count; ++i) {
            auto *column = static_cast<TLvColumn *>(columns->Item(i));
            if (column->position_ >= p && column->position_ <= c)
                ++column->position_;
        }
    }
    position_ = p;
    static_cast<TLvColumns *>(columns)->ColumnsChanged();
}

void TLvColumn::SetSortDirection(TLvSortDirection value)
{
    if (sortDirection_ == value)
        return;
    sortDirection_ = value;
    OwnerListview()->Header().Invalidate(false);
    if (value != TLvSortDirection::esdNone) {
        OwnerListview()->Selection().SetFocusedColumn(this);
        if (OwnerListview()->Sort().AutoSort() && AutoSortOnClick())
            OwnerListview()->Sort().SortAll(true);
    }
}

TLvViewColumn *TLvColumn::View()
{
    ListviewCore *lv = OwnerListview();
    const TLvViewColumnClass *wanted = nullptr;
    if (lv->OnColumnCustomView)
        lv->OnColumnCustomView(this, wanted);
    if (view_ && (wanted ? qstrcmp(view_->ClassName(), wanted->name) != 0 : customView_))
        view_.reset();
    if (!view_) {
        view_ = wanted ? wanted->create(lv) : lv->NewViewColumn();
        customView_ = wanted != nullptr;
    }
    return view_.get();
}

void TLvColumn::AutoSizeToFit()
{
    ListviewCore *lv = OwnerListview();
    int widest = 0;
    TLvGroups &groups = lv->Groups();
    for (int g = 0; g < groups.Count(); ++g) {
        TLvItems &items = groups[g]->Items();
        for (int i = 0; i < items.Count(); ++i) {
            TLvItem *item = items[i];
            LvCanvas canvas;
            item->View()->ItemCaptionFont(item, Position(), false, canvas);
            int width = lv->TextExtent(canvas.font, item->Captions(Index())).width() + 8;
            const QSize image = item->View()->ImageSize(item, this, TLvImageKind::eikNormal);
            if (image.width() > 0)
                width += lv->PaintInfoColumn().ImageIndent() + image.width();
            const QSize state = item->View()->ImageSize(item, this, TLvImageKind::eikState);
            if (state.width() > 0)
                width += state.width();
            if (lv->PaintInfoColumn().CheckType() != TLvCheckType::ectNone)
                width += lv->CheckBoxBound(lv->PaintInfoColumn().CheckSize()).Width() +
                         lv->PaintInfoColumn().CheckIndent();
            widest = std::max(widest, width);
        }
    }
    LvUpdateBracket update(*lv);
    SetWidth(widest);
    if (lv->Selection().FullRowSelect())
        groups.Rebuild(true);
}

void TLvColumn::MakeVisible(int position)
{
    if (!Visible())
        return;
    ListviewCore *lv = OwnerListview();
    const int L = DisplayRect().left, R = DisplayRect().right;
    const int VL = lv->Scrollbars().OffsetX(), VW = lv->ClientWidth(), VR = VL + VW;
    if (VL <= L && R <= VR)
        return;
    switch (position) {
    case 1:
        if (R - L < VW)
            lv->Scrollbars().SetOffsetX(L - (VW - (R - L)) / 2);
        break;
    case 2:
        lv->Scrollbars().SetOffsetX(L);
        break;
    default:
        // Also a column sticking out only to the left comes into view.
        lv->Scrollbars().SetOffsetX(L);
        break;
    }
}

void TLvColumn::Invalidate(bool immediate)
{
    ListviewCore *lv = OwnerListview();
    if (lv->Updating() || !lv->HandleAllocated())
        return;
    const LvRect band(0, 0, lv->ClientWidth(), lv->Header().Height());
    if (!band.IsEmpty())
        lv->InvalidateWindow(&band, immediate);
}

bool TLvColumn::HitTestAt(QPoint p, int &hitInfo)
{
    TLvRectArrayObject r;
    View()->ItemRectArray(this, r);
    LvRect imageAndIndent = r.ImageArea;
    imageAndIndent.right += OwnerListview()->PaintInfoColumn().CaptionIndent();
    hitInfo = 0;
    if (imageAndIndent.Contains(p))
        hitInfo |= 8;
    if (r.ImageArea.Contains(p))
        hitInfo |= 2;
    if (r.CheckArea.Contains(p))
        hitInfo |= 1;
    if (r.LabelArea.Contains(p))
        hitInfo |= 4;
    return hitInfo != 0;
}

bool TLvColumn::CanChange(Flag flag, bool value)
{
    (void)value;
    ListviewCore *lv = OwnerListview();
    bool allow = true;
    switch (flag) {
    case Flag::Checked:
        if (lv->OnColumnCheckChanging)
            lv->OnColumnCheckChanging(this, allow);
        break;
    case Flag::Enabled:
        if (lv->OnColumnEnableChanging)
            lv->OnColumnEnableChanging(this, allow);
        break;
    case Flag::Focused:
        if (lv->OnColumnFocusChanging && !lv->Destroying())
            lv->OnColumnFocusChanging(this, allow);
        break;
    case Flag::Selected:
        if (lv->OnColumnSelectionChanging)
            lv->OnColumnSelectionChanging(this, allow);
        break;
    case Flag::Visible:
        if (lv->OnColumnVisibilityChanging)
            lv->OnColumnVisibilityChanging(this, allow);
        break;
    default:
        break;
    }
    return allow;
}

void TLvColumn::FlagChanged(Flag flag, bool, QPoint)
{
    ListviewCore *lv = OwnerListview();
    switch (flag) {
    case Flag::Checked:
        if (lv->OnColumnCheckChanged)
            lv->OnColumnCheckChanged(this);
        Invalidate(false);
        break;
    case Flag::Enabled:
        if (lv->OnColumnEnableChanged)
            lv->OnColumnEnableChanged(this);
        break;
    case Flag::Focused:
        if (lv->OnColumnFocusChanged && !lv->Destroying())
            lv->OnColumnFocusChanged(this);
        break;
    case Flag::Selected:
        if (lv->OnColumnSelectionChanged)
            lv->OnColumnSelectionChanged(this);
        break;
    case Flag::Visible:
        lv->BeginUpdate();
        if (lv->OnColumnVisibilityChanged)
            lv->OnColumnVisibilityChanged(this);
        lv->EndUpdate(false);
        break;
    case Flag::Bold:
        Invalidate(false);
        break;
    case Flag::HotTracking:
        break;
    }
}

void TLvColumn::InitializeNotification()
{
    if (OwnerListview()->OnColumnInitialize)
        OwnerListview()->OnColumnInitialize(this);
}

void TLvColumn::FreeingNotification()
{
    if (OwnerListview()->OnColumnFreeing)
        OwnerListview()->OnColumnFreeing(this);
}

void TLvColumn::Destroying()
{
    SetStateBit(cisDestroying, true);
    ListviewCore *lv = OwnerListview();
    lv->Selection().ForgetColumn(this);
    lv->Header().ForgetColumn(this);
    TLvCollectionItem::Destroying();
    view_.reset();
}

// ---------------------------------------------------------------------------------------------------
// TLvColumns

TLvColumns::~TLvColumns() = default;

TLvCollectionItem *TLvColumns::CreateItem() { return itemClass_ ? itemClass_(this) : new TLvColumnStored(this); }

TLvColumn *TLvColumns::Add(void *data)
{
    auto *column = static_cast<TLvColumn *>(AddItem(data));
    column->SetColor(owner_->Header().Color());
    return column;
}

void TLvColumns::Clear(bool freeItems)
{
    ClearItems(freeItems);
    // Emptied here too: without a window the rebuild below does nothing, and columns cleared without
    // being freed are not forgotten one by one.
    owner_->Header().ClearPositions();
    owner_->Header().Rebuild(false);
}

TLvColumn *TLvColumns::ColumnAtPoint(QPoint p) const
{
    for (int i = 0; i < Count(); ++i)
        if ((*this)[i]->DisplayRect().Contains(p))
            return (*this)[i];
    return nullptr;
}

void TLvColumns::StructureChange()
{
    owner_->Header().Rebuild(false);
    if (owner_->Updating()) {
        owner_->Include(elvsColumnStructureChanged);
        return;
    }
    owner_->Groups().Rebuild(false);
    owner_->Scrollbars().ReCalculateScrollbars(true, false);
    owner_->Invalidate();
}

} // namespace gdvorn::lv
