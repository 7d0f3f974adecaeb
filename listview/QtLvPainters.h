#pragma once
// The painters of the list view: item cells (selection background, image, caption, focus rectangle,
// check box, in that order), header cells (background and edge, image, caption, sort arrow, check box)
// and the hand-drawn check box. They extend the layouts of LvViews with painting on QPainter.

#include "listview/ListviewCore.h"

namespace gdvorn::lv {

// Paints one item cell: selection background, image, caption and focus rectangle, check box, and the
// thumbnail views' frame. `blender` is handed to the custom image events (the program's shared one when
// none is given).
void PaintItemCell(TLvViewItem &view, TLvItem *item, TLvColumn *column, bool forceSelection, const LvRect &clip,
                   LvCanvas &canvas, TLvAlphaBlender *blender = nullptr);
// Draws an object's check box (unthemed: the hand-drawn glyphs in the paint info's colours).
// Themed: QStyle's check or radio indicator (disabled; pressed while pending; hover while pending away).
void PaintCheckbox(QPainter &p, TLvCheckType type, bool flat, bool pending, bool pendingAway, bool isPendingObject,
                   bool checked, bool enabled, const LvRect &rect, bool themed = false);
// Paints a group in its six parts through its painter: the whole group, the top band, the footer, the
// left and right margins, the whole group again (empty margins paint nothing).
void PaintGroup(ListviewCore &lv, TLvGroup *group, LvCanvas &canvas);
// Draws a platform-style edge: outer and inner lines raised or sunk; soft and flat as the header uses.
void DrawEdge(QPainter &p, const LvRect &rect, int edge, bool soft, bool flat);

// A layout class with the cell painting added.
template <class Layout> class QtLvPaintedItem : public Layout {
public:
    using Layout::Layout;
    void Paint(TLvItem *item, TLvColumn *column, bool force, const LvRect &clip, LvCanvas &canvas) override
    {
        PaintItemCell(*this, item, column, force, clip, canvas);
    }
};
using QtLvViewSmallIconItem = QtLvPaintedItem<TLvViewSmallIconItem>;
using QtLvViewReportItem = QtLvPaintedItem<TLvViewReportItem>;
using QtLvViewListItem = QtLvPaintedItem<TLvViewListItem>;
using QtLvViewGridItem = QtLvPaintedItem<TLvViewGridItem>;
using QtLvViewIconItem = QtLvPaintedItem<TLvViewIconItem>;
using QtLvViewThumbnailItem = QtLvPaintedItem<TLvViewThumbnailItem>;
using QtLvViewFilmStripItem = QtLvPaintedItem<TLvViewFilmStripItem>;
using QtLvViewTileItem = QtLvPaintedItem<TLvViewTileItem>;

class QtLvViewColumn : public TLvViewColumn {
public:
    using TLvViewColumn::TLvViewColumn;
    void Paint(TLvColumn *column, LvCanvas &canvas) override;
};

} // namespace gdvorn::lv
