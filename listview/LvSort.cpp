#include "listview/LvSort.h"

#include "listview/ListviewCore.h"

#include <QCollator>
#include <QLocale>

namespace gdvorn::lv {

namespace {

// Case-insensitive Portuguese collation: "água" sorts beside "agua", "a" equals "A".
const QCollator &CaptionCollator()
{
    static const QCollator collator = [] {
        QCollator c(QLocale(QLocale::Portuguese, QLocale::Brazil));
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    return collator;
}

ILvDataCompare *CompareInterface(const TLvCollectionItem *entry)
{
    return dynamic_cast<ILvDataCompare *>(entry->DataInf().get());
}

// An empty collection counts as offering the interface.
bool EveryEntryComparable(const TLvCollection &collection)
{
    for (int i = 0; i < collection.Count(); ++i)
        if (!CompareInterface(collection.Item(i)))
            return false;
    return true;
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// Sorters

void TLvSorter::Sort(TLvColumn *column, TLvCollection &collection, int first, int last,
                     const TLvGroupComparer &groupCompare, const TLvItemComparer &itemCompare, bool useInterfaces)
{
    last = std::min(last, collection.Count() - 1);
    first = std::max(first, 0);
    if (first >= last)
        return;
    const auto *items = dynamic_cast<const TLvItems *>(&collection);
    TLvGroup *group = items ? items->OwnerGroup() : nullptr;
    const Compare compare = [&](TLvCollectionItem *a, TLvCollectionItem *b) -> int {
        if (useInterfaces) {
            ILvDataCompare *inf = CompareInterface(b);
            return inf ? inf->Compare(a->DataInf().get(), column) : 0;
        }
        if (groupCompare)
            return groupCompare(column, static_cast<TLvGroup *>(a), static_cast<TLvGroup *>(b));
        if (itemCompare)
            return itemCompare(column, group, static_cast<TLvItem *>(a), static_cast<TLvItem *>(b));
        return TLvSortManager::DefaultSortCompare(column, a, b);
    };
    // The order is worked out on a copy: a comparison that throws leaves the list untouched.
    Entries entries;
    entries.reserve(std::size_t(last - first + 1));
    for (int i = first; i <= last; ++i)
        entries.push_back(collection.Item(i));
    SortEntries(entries, compare);
    for (int i = first; i <= last; ++i)
        collection.PutItem(i, entries[std::size_t(i - first)]);
}

void TLvQuickSort::SortEntries(Entries &entries, const Compare &compare)
{
    QuickSort(entries, 0, int(entries.size()) - 1, compare);
}

void TLvQuickSort::QuickSort(Entries &e, int l, int r, const Compare &compare)
{
    while (l < r) {
        TLvCollectionItem *pivot = e[std::size_t((l + r) >> 1)];
        int i = l, j = r;
        do {
            // The bounds only matter to a comparison that contradicts itself.
            while (i < r && compare(e[std::size_t(i)], pivot) < 0)
                ++i;
            while (j > l && compare(e[std::size_t(j)], pivot) > 0)
                --j;
            if (i <= j) {
                std::swap(e[std::size_t(i)], e[std::size_t(j)]);
                ++i;
                --j;
            }
        } while (i <= j);
        if (l < j)
            QuickSort(e, l, j, compare);
        l = i;
    }
}

void TLvBubbleSort::SortEntries(Entries &e, const Compare &compare)
{
    auto at = [&e](int i) -> TLvCollectionItem *& { return e[std::size_t(i)]; };
    int l = 0, r = int(e.size()) - 1;
    while (l < r) {
        // Forward: an entry out of place is carried right past every entry that sorts strictly before it.
        int last = l - 1;
        int k = l + 1;
        while (k <= r) {
            if (compare(at(k - 1), at(k)) <= 0) {
                ++k;
                continue;
            }
            TLvCollectionItem *t = at(k - 1);
            int j = k;
            while (j <= r && compare(at(j), t) < 0) {
                at(j - 1) = at(j);
                ++j;
            }
            const int p = j - 1;
            at(p) = t;
            last = p;
            k = p + 2;
        }
        r = last;
        // Backward: an entry out of place is carried left past every entry that sorts strictly after it.
        k = r - 2;
        while (k >= l) {
            if (compare(at(k + 1), at(k)) < 0) {
                TLvCollectionItem *t = at(k + 1);
                int j = k;
                while (j >= l && compare(at(j), t) > 0) {
                    at(j + 1) = at(j);
                    --j;
                }
                const int p = j + 1;
                at(p) = t;
                last = p;
                k = p - 2;
            } else {
                --k;
            }
        }
        --r;
        l = last + 1;
    }
}

void TLvMergeSort::SortEntries(Entries &entries, const Compare &compare)
{
    const int n = int(entries.size());
    if (n < 2)
        return;
    entries_ = &entries;
    compare_ = &compare;
    buffer_.assign(std::size_t((n + 1) / 2), nullptr);
    LvFinally done([this] {
        entries_ = nullptr;
        compare_ = nullptr;
        buffer_.clear();
    });
    SortInPlace(0, n, 0);
}

void TLvMergeSort::SortInPlace(int lo, int hi, int d)
{
    const int n = hi - lo;
    if (n >= 3) {
        const int h = n / 2, mid = hi - h;
        SortInPlace(mid, hi, d);
        SortInto(lo, mid, d);
        // Merge the lower run (in the buffer) with the upper run (in place) from lo.
        int i = d, j = mid, out = lo;
        const int bufEnd = d + (mid - lo);
        while (i < bufEnd) {
            if (j >= hi || Before(Buf(i), At(j)))
                At(out++) = Buf(i++);
            else
                At(out++) = At(j++);
        }
    } else if (n == 2 && !Before(At(lo), At(lo + 1))) {
        std::swap(At(lo), At(lo + 1));
    }
}

void TLvMergeSort::SortInto(int lo, int hi, int d)
{
    const int n = hi - lo;
    if (n >= 3) {
        const int h = n / 2, mid = hi - h;
        SortInto(mid, hi, d + n - h);
        SortInPlace(lo, mid, d);
        // Merge the source's lower run with the destination's upper run into the destination from d.
        int i = lo, j = d + n - h, out = d;
        const int end = d + n;
        while (i < mid) {
            if (j >= end || Before(At(i), Buf(j)))
                Buf(out++) = At(i++);
            else
                Buf(out++) = Buf(j++);
        }
    } else if (n == 2) {
        const bool inOrder = Before(At(lo), At(lo + 1));
        Buf(d) = At(inOrder ? lo : lo + 1);
        Buf(d + 1) = At(inOrder ? lo + 1 : lo);
    } else if (n == 1) {
        Buf(d) = At(lo);
    }
}

// ---------------------------------------------------------------------------------------------------
// Sort manager

TLvSortManager::TLvSortManager(ListviewCore *owner)
    : TLvOwnedPersistent(owner), sorter_(std::make_unique<TLvMergeSort>(this))
{
}

TLvSortManager::~TLvSortManager() = default;

void TLvSortManager::SetAlgorithm(TLvSortAlgorithm value)
{
    if (algorithm_ == value)
        return;
    algorithm_ = value;
    switch (value) {
    case TLvSortAlgorithm::esaQuickSort: sorter_ = std::make_unique<TLvQuickSort>(this); break;
    case TLvSortAlgorithm::esaBubbleSort: sorter_ = std::make_unique<TLvBubbleSort>(this); break;
    case TLvSortAlgorithm::esaMergeSort: sorter_ = std::make_unique<TLvMergeSort>(this); break;
    }
}

void TLvSortManager::SetAutoSort(bool value)
{
    if (autoSort_ == value)
        return;
    autoSort_ = value;
    TLvSelectionManager &selection = owner_->Selection();
    TLvColumns &columns = owner_->Header().Columns();
    if (!selection.FocusedColumnField() && columns.Count() > 0)
        selection.SetFocusedColumn(columns[0]);
    if (value)
        SortAll(false);
}

void TLvSortManager::SetAutoRegroup(bool value)
{
    if (autoRegroup_ == value)
        return;
    LvUpdateBracket update(*owner_);
    owner_->SetShowGroupMargins(value);
    autoRegroup_ = value;
    ReGroup(owner_->Selection().FocusedColumn());
}

void TLvSortManager::SortAll(bool force)
{
    ListviewCore *lv = owner_;
    if (!sorter_ || !lv)
        return;
    if (!force && (updateCount_ > 0 || lockOut_))
        return;
    if (lv->OnSortBegin)
        lv->OnSortBegin();
    LvFinally end([lv] {
        if (lv->OnSortEnd)
            lv->OnSortEnd();
    });
    TLvGroups &groups = lv->Groups();
    const TLvGroupComparer groupCompare = [this](TLvColumn *c, TLvGroup *a, TLvGroup *b) {
        return DoGroupCompare(c, a, b);
    };
    const TLvItemComparer itemCompare = [this](TLvColumn *c, TLvGroup *g, TLvItem *a, TLvItem *b) {
        return DoItemCompare(c, g, a, b);
    };
    sorter_->Sort(nullptr, groups, 0, groups.Count() - 1, groupCompare, nullptr, EveryEntryComparable(groups));
    groups.ReIndex();
    TLvColumn *column = lv->Selection().FocusedColumn();
    for (int g = 0; g < groups.Count(); ++g) {
        TLvItems &items = groups[g]->Items();
        sorter_->Sort(column, items, 0, items.Count() - 1, nullptr, itemCompare, EveryEntryComparable(items));
        items.ReIndex();
    }
    if (!groups.Rebuilding())
        groups.Rebuild(true);
}

std::uint32_t TLvSortManager::KeyOf(TLvItem *item, int columnIndex) const
{
    if (!autoRegroup_)
        return 0;
    constexpr std::uint32_t noKey = 65535;
    std::uint32_t key = noKey;
    if (owner_->OnAutoGroupGetKey)
        owner_->OnAutoGroupGetKey(item, columnIndex, owner_->Groups(), key);
    if (key != noKey) {
        item->SetGroupKey(columnIndex, key);
        return key;
    }
    const QString caption = item->Caption();
    if (caption.isEmpty())
        return 0;
    const QString lower = caption.left(caption.at(0).isHighSurrogate() ? 2 : 1).toLower();
    return lower.toUcs4().value(0);
}

void TLvSortManager::ReGroup(TLvColumn *column)
{
    ListviewCore *lv = owner_;
    LvUpdateBracket update(*lv);
    LvFinally clearWork([this] { work_.clear(); });
    const int columnIndex = column ? column->Index() : 0;
    TLvGroups &groups = lv->Groups();
    for (int g = 0; g < groups.Count(); ++g) {
        TLvItems &items = groups[g]->Items();
        for (int i = 0; i < items.Count(); ++i)
            work_.push_back({items[i], KeyOf(items[i], columnIndex)});
    }
    // The items wait in a collection of no group while the groups are freed and made again; whatever a
    // failing handler leaves there goes into a group of its own, so no item is lost.
    TLvItems waiting(lv, nullptr);
    for (int g = 0; g < groups.Count(); ++g) {
        groups[g]->VisibleItems().clear();
        for (TLvCollectionItem *item : groups[g]->Items().TakeItems())
            waiting.AdoptItem(item);
    }
    std::vector<std::pair<TLvGroup *, std::uint32_t>> keyed;
    std::size_t moved = 0; // the work list and the waiting items share one order
    LvFinally rescue([&] {
        std::vector<TLvCollectionItem *> left = waiting.TakeItems();
        left.erase(left.begin(), left.begin() + std::ptrdiff_t(moved));
        if (left.empty())
            return;
        TLvGroup *home = groups.Add();
        for (TLvCollectionItem *item : left)
            home->Items().AdoptItem(item);
    });
    groups.Clear(true);

    for (const WorkEntry &entry : work_) {
        TLvGroup *target = nullptr;
        for (const auto &[group, key] : keyed)
            if (key == entry.key) {
                target = group;
                break;
            }
        if (!target) {
            bool doDefault = true;
            if (lv->OnAutoSortGroupCreate)
                lv->OnAutoSortGroupCreate(entry.item, columnIndex, groups, target, doDefault);
            if (!target)
                target = groups.Add();
            if (doDefault && entry.key != 0) {
                const char32_t k = entry.key >= U'a' && entry.key <= U'z' ? entry.key - U'a' + U'A' : entry.key;
                target->SetCaption(QString::fromUcs4(&k, 1));
            }
            keyed.emplace_back(target, entry.key);
        }
        target->Items().AdoptItem(entry.item);
        ++moved;
    }
    SortAll(false);
}

int TLvSortManager::DoGroupCompare(TLvColumn *column, TLvGroup *a, TLvGroup *b) const
{
    if (owner_->OnGroupCompare)
        return owner_->OnGroupCompare(a, b);
    return DefaultSortCompare(column, a, b);
}

int TLvSortManager::DoItemCompare(TLvColumn *column, TLvGroup *group, TLvItem *a, TLvItem *b) const
{
    bool doDefault = true;
    int result = 0;
    if (owner_->OnItemCompare)
        result = owner_->OnItemCompare(column, group, a, b, doDefault);
    return doDefault ? DefaultSortCompare(column, a, b) : result;
}

int TLvSortManager::DefaultSortCompare(TLvColumn *column, const TLvCollectionItem *a, const TLvCollectionItem *b)
{
    const int index = column ? column->Index() : 0;
    const int result = CaptionCollator().compare(a->Captions(index), b->Captions(index));
    return column && column->SortDirection() == TLvSortDirection::esdDescending ? -result : result;
}

} // namespace gdvorn::lv
