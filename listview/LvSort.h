#pragma once
// Sorting and regrouping of the list view.
//
// The sort manager orders the groups, then the items inside each group, with one of three sorters
// (quick: not stable; bubble, a two-directional carrying sort, and merge, the default: both stable).
// Two entries are compared, in this order of precedence:
//   1. through the data objects, when every entry of the collection offers ILvDataCompare (an empty
//      collection counts as offering it): B's interface compares A's data object;
//   2. groups: OnGroupCompare, or without a handler the default comparison;
//   3. items: OnItemCompare (DoDefault entering true; left true, the default comparison decides);
// The default comparison reads both captions at the column's Index (a reordered column still sorts by
// what it shows; no column: caption 0) and compares them without regard to case, for Portuguese (accented
// letters beside their base letters); esdDescending reverses the sign.
//
// A sorter works on a copy of the collection's list and writes the order back only when every
// comparison returned: a comparison that throws leaves the list as it was, never with entries lost or
// doubled. OnSortEnd follows OnSortBegin on every exit.
//
// Regrouping gathers every item by a one-character key (its caption's first character lower-cased,
// OnAutoGroupGetKey's key, or 0 for all with AutoRegroup off), frees all groups and puts each item into
// the first group of its key, made on demand (OnAutoSortGroupCreate may supply it) and captioned with the
// key upper-cased; then sorts.

#include "listview/LvPaintInfo.h"

#include <QString>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace gdvorn::lv {

class ILvDataObject;
class TLvCollection;
class TLvCollectionItem;
class TLvColumn;
class TLvGroup;
class TLvItem;
class TLvSortManager;

// The comparison interface a data object may offer: compares `other` (the data object of the entry
// that comes first in the pair) with this object's for a column; negative means `other` sorts first.
class ILvDataCompare {
public:
    virtual ~ILvDataCompare() = default;
    virtual int Compare(ILvDataObject *other, TLvColumn *column) = 0;
};

enum class TLvSortAlgorithm : std::uint8_t { esaQuickSort, esaBubbleSort, esaMergeSort };

// The control's comparisons handed to a sorter (either may be empty).
using TLvGroupComparer = std::function<int(TLvColumn *, TLvGroup *, TLvGroup *)>;
using TLvItemComparer = std::function<int(TLvColumn *, TLvGroup *, TLvItem *, TLvItem *)>;

class TLvSorter {
public:
    explicit TLvSorter(TLvSortManager *owner) : owner_(owner) {}
    virtual ~TLvSorter() = default;
    TLvSorter(const TLvSorter &) = delete;
    TLvSorter &operator=(const TLvSorter &) = delete;
    TLvSortManager *Owner() const { return owner_; }

    // Orders the entries first..last of the collection (last is cut to Count - 1).
    void Sort(TLvColumn *column, TLvCollection &collection, int first, int last, const TLvGroupComparer &groupCompare,
              const TLvItemComparer &itemCompare, bool useInterfaces);

protected:
    // The comparison of one sort: negative when A sorts first.
    using Compare = std::function<int(TLvCollectionItem *, TLvCollectionItem *)>;
    using Entries = std::vector<TLvCollectionItem *>;
    virtual void SortEntries(Entries &entries, const Compare &compare) = 0;

private:
    TLvSortManager *owner_;
};

class TLvQuickSort : public TLvSorter {
public:
    using TLvSorter::TLvSorter;

protected:
    void SortEntries(Entries &entries, const Compare &compare) override;

private:
    void QuickSort(Entries &e, int l, int r, const Compare &compare);
};

class TLvBubbleSort : public TLvSorter {
public:
    using TLvSorter::TLvSorter;

protected:
    void SortEntries(Entries &entries, const Compare &compare) override;
};

class TLvMergeSort : public TLvSorter {
public:
    using TLvSorter::TLvSorter;

protected:
    void SortEntries(Entries &entries, const Compare &compare) override;

private:
    // Sorts entries [lo, hi) in place with buffer positions from d as scratch.
    void SortInPlace(int lo, int hi, int d);
    // Sorts entries [lo, hi) into the buffer from position d.
    void SortInto(int lo, int hi, int d);
    bool Before(TLvCollectionItem *a, TLvCollectionItem *b) const { return (*compare_)(a, b) <= 0; }
    TLvCollectionItem *&At(int i) { return (*entries_)[std::size_t(i)]; }
    TLvCollectionItem *&Buf(int i) { return buffer_[std::size_t(i)]; }
    Entries *entries_ = nullptr;
    Entries buffer_;
    const Compare *compare_ = nullptr;
};

class TLvSortManager : public TLvOwnedPersistent {
public:
    explicit TLvSortManager(ListviewCore *owner);
    ~TLvSortManager() override;

    TLvSortAlgorithm Algorithm() const { return algorithm_; }
    void SetAlgorithm(TLvSortAlgorithm value);
    TLvSorter *Sorter() const { return sorter_.get(); }
    bool AutoRegroup() const { return autoRegroup_; }
    void SetAutoRegroup(bool value);
    bool AutoSort() const { return autoSort_; }
    void SetAutoSort(bool value);
    // While either is set, unforced sorts are skipped.
    bool LockOut() const { return lockOut_; }
    void SetLockOut(bool value) { lockOut_ = value; }
    int UpdateCount() const { return updateCount_; }
    void BeginUpdate() { ++updateCount_; }
    void EndUpdate() { updateCount_ = std::max(0, updateCount_ - 1); }

    // Sorts the groups, then each group's items by the focused column, then rebuilds the layout.
    void SortAll(bool force = false);
    // Gathers all items into groups by key (see above); a column of nothing regroups by column 0.
    void ReGroup(TLvColumn *column);

    // The control's comparisons: the group comparison and the item comparison, and the default one.
    int DoGroupCompare(TLvColumn *column, TLvGroup *a, TLvGroup *b) const;
    int DoItemCompare(TLvColumn *column, TLvGroup *group, TLvItem *a, TLvItem *b) const;
    static int DefaultSortCompare(TLvColumn *column, const TLvCollectionItem *a, const TLvCollectionItem *b);

private:
    std::uint32_t KeyOf(TLvItem *item, int columnIndex) const;

    TLvSortAlgorithm algorithm_ = TLvSortAlgorithm::esaMergeSort;
    bool autoRegroup_ = false, autoSort_ = false, lockOut_ = false;
    int updateCount_ = 0;
    std::unique_ptr<TLvSorter> sorter_;
    struct WorkEntry {
        TLvItem *item;
        std::uint32_t key;
    };
    std::vector<WorkEntry> work_;
};

} // namespace gdvorn::lv
