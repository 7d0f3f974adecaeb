#pragma once
// The scroll offsets, the document rectangle and the conversions between window and document
// coordinates: a window point maps to the document by adding the offsets and, in the item area,
// subtracting the header's shown height. Offsets stay within 0..largest offset; OnScroll fires only when
// an offset really changed. A bar is needed when the client is smaller than the document by more than
// one pixel.

#include "listview/LvPaintInfo.h"

#include <QPoint>

namespace gdvorn::lv {

// The scroll codes of the bars' actions.
enum TLvScrollCode {
    SB_LINEUP = 0, SB_LINEDOWN = 1, SB_PAGEUP = 2, SB_PAGEDOWN = 3, SB_THUMBPOSITION = 4, SB_THUMBTRACK = 5,
    SB_TOP = 6, SB_BOTTOM = 7, SB_ENDSCROLL = 8,
};

class TLvScrollbarManager : public TLvOwnedPersistent {
public:
    using TLvOwnedPersistent::TLvOwnedPersistent;

    bool HorzEnabled() const { return horzEnabled_; }
    void SetHorzEnabled(bool v);
    bool VertEnabled() const { return vertEnabled_; }
    void SetVertEnabled(bool v);
    bool SnapHorzView() const { return snapHorzView_; }
    void SetSnapHorzView(bool v) { snapHorzView_ = v; }

    int OffsetX() const { return offsetX_; }
    int OffsetY() const { return offsetY_; }
    void SetOffsetX(int x);
    void SetOffsetY(int y);
    const LvRect &ViewRect() const { return viewRect_; }
    void SetViewRect(const LvRect &r, bool forceRepaint);

    QPoint MapWindowToView(QPoint p, bool withHeader = true) const;
    LvRect MapWindowRectToView(const LvRect &r, bool withHeader = true) const;
    QPoint MapViewToWindow(QPoint p, bool withHeader = true) const;
    LvRect MapViewRectToWindow(const LvRect &r, bool withHeader = true) const;

    void Scroll(int dx, int dy);
    void ReCalculateScrollbars(bool redraw, bool force);
    void HorzScroll(int code, int trackPosition);
    void VertScroll(int code, int trackPosition);
    // The wheel: a notch scrolls by lines × line step (at least one line), Shift swaps the direction,
    // Ctrl pages.
    void Wheel(int delta, TShiftState shift, int wheelLines);

    int LineStep() const;
    int MaxOffsetX() const;
    int MaxOffsetY() const;
    bool HorzBarShown() const;
    bool VertBarShown() const;

private:
    void ValidateOffsets(int &x, int &y) const;
    int ListCellWidth() const;

    bool horzEnabled_ = true, vertEnabled_ = true, snapHorzView_ = true;
    int offsetX_ = 0, offsetY_ = 0;
    bool rebuilding_ = false;
    LvRect viewRect_;
};

} // namespace gdvorn::lv
