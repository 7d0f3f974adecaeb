#include "listview/LvCollection.h"

#include "listview/ListviewCore.h"

namespace gdvorn::lv {

EListError::EListError(int index)
    : std::out_of_range(QStringLiteral("List index out of bounds (%1)").arg(index).toStdString()), index_(index)
{
}

// ---------------------------------------------------------------------------------------------------
// TLvCollectionItem

TLvCollectionItem::TLvCollectionItem(TLvCollection *owner) : collection_(owner) {}

TLvCollectionItem::~TLvCollectionItem() = default;

ListviewCore *TLvCollectionItem::OwnerListview() const { return collection_->OwnerListview(); }

std::uint16_t TLvCollectionItem::BitOf(Flag flag)
{
    switch (flag) {
    case Flag::Bold: return cisBold;
    case Flag::Checked: return cisChecked;
    case Flag::Enabled: return cisEnabled;
    case Flag::Focused: return cisFocused;
    case Flag::HotTracking: return cisHotTracking;
    case Flag::Selected: return cisSelected;
    case Flag::Visible: return cisVisible;
    }
    return 0;
}

void TLvCollectionItem::SetByRule(Flag flag, bool value, QPoint mouse)
{
    if (flag == Flag::Visible) {
        SetVisible(value);
        return;
    }
    if ((flag == Flag::Focused || flag == Flag::Selected) && !(Visible() && Enabled()))
        return;
    const std::uint16_t bit = BitOf(flag);
    if (HasState(bit) == value)
        return;
    if (HasState(cisDestroying)) {
        // A destroying object only ever clears; a clear request on a clear bit is an unchanged value
        // (announcing it would, for instance, count a selection out twice).
        if (!HasState(bit))
            return;
        if (flag == Flag::Enabled) {
            SetFocused(false);
            SetSelected(false);
        }
        SetStateBit(bit, false);
        FlagChanged(flag, false, {});
        return;
    }
    if (!CanChange(flag, value))
        return;
    if (flag == Flag::Checked && OwnerListview()->HandleAllocated())
        OwnerListview()->NotifyAccessibility(0x800A);
    if (flag == Flag::Enabled && !value) {
        SetFocused(false);
        SetSelected(false);
    }
    SetStateBit(bit, value);
    FlagChanged(flag, value, value ? mouse : QPoint());
}

void TLvCollectionItem::ClearForHide()
{
    SetFocused(false);
    SetSelected(false);
    if (!OwnerListview()->AllowHiddenCheckedItems())
        SetChecked(false);
}

void TLvCollectionItem::SetVisible(bool value)
{
    if (Visible() == value)
        return;
    const bool destroying = HasState(cisDestroying);
    if (destroying && !Visible())
        return;
    if (!destroying && !CanChange(Flag::Visible, value))
        return;
    if (!value || destroying) {
        ClearForHide();
        SetStateBit(cisVisible, false);
        FlagChanged(Flag::Visible, false, {});
    } else {
        SetStateBit(cisVisible, true);
        FlagChanged(Flag::Visible, true, {});
    }
}

void TLvCollectionItem::SetGhosted(bool value)
{
    if (Ghosted() == value)
        return;
    if (value && !HasState(cisDestroying)) {
        SetStateBit(cisGhosted, true);
        GhostedChanged(true);
    } else if (Ghosted()) {
        SetStateBit(cisGhosted, false);
        GhostedChanged(false);
    }
}

void TLvCollectionItem::SetDropHilighted(bool value)
{
    if (DropHilighted() == value)
        return;
    if (HasState(cisDestroying)) {
        SetFocused(false);
        SetSelected(false);
    }
    SetStateBit(cisDropHilighted, value);
    DropHilightChanged(value);
}

void TLvCollectionItem::SetInitialized(bool value)
{
    if (Initialized() == value)
        return;
    // The bit comes first: a handler that reads it, or lays the object out again, sees it initialized
    // and does not start a second notification.
    SetStateBit(cisInitialized, value);
    if (value)
        InitializeNotification();
}

void TLvCollectionItem::SetPlainBit(std::uint16_t bit, bool value)
{
    if (HasState(bit) == value)
        return;
    SetStateBit(bit, value);
    Invalidate(false);
}

void TLvCollectionItem::SetDataInf(std::shared_ptr<ILvDataObject> value)
{
    if (auto *sink = dynamic_cast<ILvDataChangeSink *>(dataInf_.get()))
        sink->Detach(this);
    dataInf_ = std::move(value);
    if (auto *sink = dynamic_cast<ILvDataChangeSink *>(dataInf_.get()))
        sink->Attach(this);
}

const LvImageList *TLvCollectionItem::DefaultImageList(int imageSize) const
{
    ListviewCore *lv = OwnerListview();
    switch (imageSize) {
    case 0: return lv->ImagesSmall();
    case 1: return lv->ImagesLarge();
    case 2: return lv->ImagesExLarge();
    default: return nullptr;
    }
}

QString TLvCollectionItem::DisplayCaption() const
{
    const QString caption = Caption();
    return caption.isEmpty() ? QString::fromLatin1(ClassName()) : caption;
}

void TLvCollectionItem::Invalidate(bool immediate)
{
    ListviewCore *lv = OwnerListview();
    if (lv->Updating() || !lv->HandleAllocated())
        return;
    const LvRect r = lv->Scrollbars().MapViewRectToWindow(DisplayRect()).Intersected(lv->ClientRect());
    if (!r.IsEmpty())
        lv->InvalidateWindow(&r, immediate);
}

void TLvCollectionItem::Destroying()
{
    SetStateBit(cisDestroying, true);
    SetDataInf(nullptr);
    ListviewCore *lv = OwnerListview();
    if (lv->CheckManager().PendingObject() == this) {
        // The held button no longer refers to anything: its release must not reach this object.
        lv->CheckManager().Forget(this);
        lv->Exclude(elvsCheckPending);
    }
    lv->ObjectDestroying(this);
    FreeingNotification();
}

// ---------------------------------------------------------------------------------------------------
// TLvCollection

TLvCollection::~TLvCollection()
{
    // The control clears its collections (Shutdown) while its platform side still exists; whatever is
    // left here is freed without notifications.
    for (auto it = items_.rbegin(); it != items_.rend(); ++it)
        delete *it;
}

TLvCollectionItem *TLvCollection::AddItem(void *data)
{
    TLvCollectionItem *item = CreateItem();
    if (!item)
        return nullptr;
    items_.push_back(item);
    // Only the new item is numbered: renumbering all on every Add would make filling quadratic.
    item->SetIndex(Count() - 1);
    AddHook(item, item->Index());
    item->SetData(data);
    StructureChange();
    return item;
}

void TLvCollection::ClearItems(bool freeItems)
{
    if (items_.empty())
        return;
    ListviewCore *lv = owner_;
    lv->BeginUpdate();
    auto finish = [&] {
        items_.clear();
        visible_.clear();
        if (lv->HandleAllocated()) {
            lv->Scrollbars().SetOffsetX(0);
            lv->Scrollbars().SetOffsetY(0);
        }
        lv->EndUpdate(true);
    };
    try {
        for (TLvCollectionItem *item : items_) {
            item->SetStateBit(cisDestroying, true);
            item->SetFocused(false);
            item->SetSelected(false);
        }
        if (freeItems) {
            while (!items_.empty()) {
                TLvCollectionItem *item = items_.back();
                items_.pop_back();
                item->Destroying();
                delete item;
            }
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

void TLvCollection::Clear(bool freeItems) { ClearItems(freeItems); }

void TLvCollection::BeginUpdate() { owner_->BeginUpdate(); }

void TLvCollection::EndUpdate(bool invalidate) { owner_->EndUpdate(invalidate); }

void TLvCollection::ShowAll()
{
    for (TLvCollectionItem *item : items_)
        item->SetVisible(true);
}

TLvCollectionItem *TLvCollection::NextVisible(const TLvCollectionItem *item) const
{
    if (!item)
        return nullptr;
    for (int i = item->Index() + 1; i < Count(); ++i)
        if (Item(i)->Visible())
            return Item(i);
    return nullptr;
}

TLvCollectionItem *TLvCollection::PrevVisible(const TLvCollectionItem *item) const
{
    if (!item)
        return nullptr;
    for (int i = item->Index() - 1; i >= 0; --i)
        if (Item(i)->Visible())
            return Item(i);
    return nullptr;
}

void TLvCollection::ReIndex()
{
    for (int i = 0; i < Count(); ++i)
        items_[std::size_t(i)]->SetIndex(i);
}

void TLvCollection::PutItem(int place, TLvCollectionItem *item)
{
    if (place >= 0 && place < Count())
        items_[std::size_t(place)] = item;
}

void TLvCollection::TakeItem(TLvCollectionItem *item, int place)
{
    TLvCollection *from = item->collection_;
    auto erase = [item](std::vector<TLvCollectionItem *> &list) {
        list.erase(std::remove(list.begin(), list.end(), item), list.end());
    };
    erase(from->items_);
    erase(from->visible_);
    if (place < 0 || place > Count())
        place = Count();
    items_.insert(items_.begin() + place, item);
    item->collection_ = this;
    from->ReIndex();
    ReIndex();
}

std::vector<TLvCollectionItem *> TLvCollection::TakeItems()
{
    std::vector<TLvCollectionItem *> taken;
    taken.swap(items_);
    visible_.clear();
    return taken;
}

void TLvCollection::AdoptItem(TLvCollectionItem *item)
{
    item->collection_ = this;
    items_.push_back(item);
    item->SetIndex(Count() - 1);
}

// ---------------------------------------------------------------------------------------------------
// Global items

void TLvGlobalItems::EnsureGroup()
{
    if (owner_->Groups().Count() == 0) {
        TLvGroup *group = owner_->Groups().Add(nullptr);
        group->SetCaption(QStringLiteral("Default Group"));
    }
}

TLvGroup *TLvGlobalItems::LastGroup() const
{
    const int n = owner_->Groups().Count();
    return n == 0 ? nullptr : owner_->Groups()[n - 1];
}

TLvItem *TLvGlobalItems::Add(void *data)
{
    EnsureGroup();
    return LastGroup()->Items().Add(data);
}

void TLvGlobalItems::Clear() { owner_->Groups().Clear(true); }

int TLvGlobalItems::Count() const
{
    int count = 0;
    for (int i = owner_->Groups().Count() - 1; i >= 0; --i)
        count += owner_->Groups()[i]->Items().Count();
    return count;
}

TLvItem *TLvGlobalItems::Item(int index) const
{
    if (index < 0)
        throw EListError(index);
    int rest = index;
    for (int i = 0; i < owner_->Groups().Count(); ++i) {
        TLvItems &items = owner_->Groups()[i]->Items();
        if (rest < items.Count())
            return items[rest];
        rest -= items.Count();
    }
    throw EListError(index);
}

} // namespace gdvorn::lv
