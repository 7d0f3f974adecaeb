#pragma once
// The grid view's and the film strip's group layouts.
//
// TLvGridGridGroup lines a group's items up under the header's columns: one item per column in the
// columns' collection order (whatever their positions; a hidden column lends its recorded left edge and
// width), row after row, one grid cell high. Without columns the visible items are still numbered but get
// empty rectangles and the row count is 0. When the last items of a group are hidden, the group's bottom
// still covers the lowest placed row.
//
// TLvGridFilmStripGroup is the list layout (one band scrolled sideways) with the film-strip cell size and
// no automatic cell width.
//
// Both set their cell size by copying the given values into the control's own cell-size object.

#include "listview/LvViews.h"

namespace gdvorn::lv {

class TLvGridGridGroup : public TLvGridGroup {
public:
    using TLvGridGroup::TLvGridGroup;
    const char *ClassName() const override { return "TLvGridGridGroup"; }
    TLvCellSize &CellSize() const override;
    void Rebuild(TLvGroup *previous, int &nextVisibleIndex) override;
};

class TLvGridFilmStripGroup : public TLvGridListGroup {
public:
    using TLvGridListGroup::TLvGridListGroup;
    const char *ClassName() const override { return "TLvGridFilmStripGroup"; }
    TLvCellSize &CellSize() const override;
    void AutoSizeCellWidth() override {}
};

} // namespace gdvorn::lv
