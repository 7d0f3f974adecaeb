#include "listview/LvIncrementalSearch.h"

#include "listview/ListviewCore.h"

namespace gdvorn::lv {

namespace {

bool InSequence(const TLvItem *item, TLvIncrementalSearchItemType type)
{
    switch (type) {
    case TLvIncrementalSearchItemType::eisiInitializedOnly: return item->Initialized();
    case TLvIncrementalSearchItemType::eisiVisible: return item->Visible();
    case TLvIncrementalSearchItemType::eisiAll: break;
    }
    return true;
}

// The first (or last) item of the sequence, searched from the first (or last) group.
TLvItem *EndOfSequence(const TLvGroups &groups, TLvIncrementalSearchItemType type, bool last)
{
    if (type == TLvIncrementalSearchItemType::eisiVisible)
        return last ? groups.LastVisibleItem() : groups.FirstVisibleItem();
    const int n = groups.Count();
    for (int g = 0; g < n; ++g) {
        const TLvItems &items = groups[last ? n - 1 - g : g]->Items();
        const int m = items.Count();
        for (int i = 0; i < m; ++i)
            if (TLvItem *item = items[last ? m - 1 - i : i]; InSequence(item, type))
                return item;
    }
    return nullptr;
}

// The next (or previous) item of the sequence, across groups that are expanded and enabled.
TLvItem *StepInSequence(const TLvGroups &groups, const TLvItem *item, TLvIncrementalSearchItemType type, bool back)
{
    if (!item || !item->Group())
        return nullptr;
    if (type == TLvIncrementalSearchItemType::eisiVisible)
        return back ? groups.PrevVisibleItem(item) : groups.NextVisibleItem(item);
    const int step = back ? -1 : 1;
    int start = item->Index() + step;
    for (int g = item->Group()->Index(); g >= 0 && g < groups.Count(); g += step) {
        const TLvGroup *group = groups[g];
        const TLvItems &items = group->Items();
        if (group->Expanded() && group->Enabled())
            for (int i = back ? std::min(start, items.Count() - 1) : start; i >= 0 && i < items.Count(); i += step)
                if (InSequence(items[i], type))
                    return items[i];
        const int following = g + step;
        start = back && following >= 0 ? groups[following]->Items().Count() - 1 : 0;
    }
    return nullptr;
}

} // namespace

TLvIncrementalSearchManager::TLvIncrementalSearchManager(ListviewCore *owner) : TLvOwnedPersistent(owner)
{
    QObject::connect(&timer_, &QTimer::timeout, &timer_, [this] { ResetSearch(); });
}

TLvIncrementalSearchManager::~TLvIncrementalSearchManager() { StopTimer(); }

TLvItem *TLvIncrementalSearchManager::First() const
{
    return EndOfSequence(owner_->Groups(), itemType_, direction_ == TLvIncrementalSearchDir::eisdBackward);
}

TLvItem *TLvIncrementalSearchManager::Next(TLvItem *item) const
{
    return StepInSequence(owner_->Groups(), item, itemType_, direction_ == TLvIncrementalSearchDir::eisdBackward);
}

void TLvIncrementalSearchManager::FindNextItem()
{
    nextSearchItem_ = Next(searchItem_);
    if (!nextSearchItem_)
        nextSearchItem_ = First();
}

void TLvIncrementalSearchManager::ForgetItems()
{
    searchItem_ = nullptr;
    nextSearchItem_ = nullptr;
}

void TLvIncrementalSearchManager::SetSearchItem(TLvItem *item)
{
    if (item != searchItem_)
        ForgetItems();
    searchItem_ = item;
}

void TLvIncrementalSearchManager::ItemDestroying(TLvItem *item)
{
    if (searchItem_ == item)
        SetSearchItem(nullptr);
    if (nextSearchItem_ == item)
        nextSearchItem_ = nullptr;
}

void TLvIncrementalSearchManager::StartTimer()
{
    if (enabled_ && !timer_.isActive())
        timer_.start(resetTime_);
}

void TLvIncrementalSearchManager::StopTimer() { timer_.stop(); }

void TLvIncrementalSearchManager::ResetSearch()
{
    buffer_.clear();
    if (startType_ != TCoolIncrementalSearchStart::eissLastHit)
        ForgetItems();
    started_ = false;
    StopTimer();
}

void TLvIncrementalSearchManager::HandleKeyDown()
{
    if (enabled_)
        StartSearch();
}

void TLvIncrementalSearchManager::StartSearch()
{
    if (started_)
        return;
    switch (startType_) {
    case TCoolIncrementalSearchStart::eissStartOver: SetSearchItem(First()); break;
    case TCoolIncrementalSearchStart::eissLastHit:
        if (!searchItem_)
            SetSearchItem(First());
        FindNextItem();
        break;
    case TCoolIncrementalSearchStart::eissFocusedNode:
        if (TLvItem *focused = owner_->Selection().FocusedItem()) {
            SetSearchItem(focused);
            FindNextItem();
        } else {
            SetSearchItem(First());
        }
        break;
    }
    StartTimer();
    started_ = true;
}

int TLvIncrementalSearchManager::DoIncrementalSearch(TLvItem *item) const
{
    int result = 0;
    bool handled = false;
    if (owner_->OnIncrementalSearch)
        owner_->OnIncrementalSearch(item, buffer_, handled, result);
    if (!handled)
        result = ComparePrefixWide(item->Caption(), buffer_);
    return result;
}

void TLvIncrementalSearchManager::HandleChar(const QString &text, bool altOrCtrl)
{
    if (!enabled_ || !started_)
        return;
    StopTimer();
    StartTimer();
    if (altOrCtrl || text.isEmpty() || text.at(0).unicode() < 32) {
        ForgetItems();
        return;
    }
    buffer_ += text;
    if (!nextSearchItem_)
        FindNextItem();
    const bool stepOn = startType_ != TCoolIncrementalSearchStart::eissStartOver && nextSearchItem_;
    if (buffer_.size() >= 2 && buffer_.at(0) == buffer_.at(1)) {
        buffer_.truncate(1);
        if (stepOn)
            SetSearchItem(nextSearchItem_);
    } else if (buffer_.size() == 1 && stepOn) {
        SetSearchItem(nextSearchItem_);
    }
    if (!searchItem_)
        return;
    int result = buffer_.isEmpty() ? 0 : DoIncrementalSearch(searchItem_);
    StopTimer();
    StartTimer();
    if (result != 0) {
        // From the hit onwards to the end of the sequence, then from its start up to the hit.
        TLvItem *const from = searchItem_;
        TLvItem *item = from;
        while (item && result != 0) {
            result = DoIncrementalSearch(item);
            if (result != 0)
                item = Next(item);
        }
        if (!item) {
            for (item = First(); item && item != from; item = Next(item))
                if (DoIncrementalSearch(item) == 0)
                    break;
            if (item == from)
                item = nullptr;
        }
        searchItem_ = item;
    }
    if (!searchItem_)
        return;
    TLvSelectionManager &selection = owner_->Selection();
    {
        TLvSelectionManager::Brackets brackets(selection, false);
        selection.ClearAll();
        selection.SetFocusedItem(searchItem_);
        searchItem_->SetSelected(true);
    }
    searchItem_->MakeVisible(3);
    if (startType_ != TCoolIncrementalSearchStart::eissStartOver)
        FindNextItem();
}

} // namespace gdvorn::lv
