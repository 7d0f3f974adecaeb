#pragma once
// The column header: owns the columns, keeps them in display order (positions always 0..Count-1), lays
// out their rectangles and turns mouse input over it into column clicks (each click cycles the sort
// direction: none -> ascending -> descending -> ascending), resizing (a column's right edge within 4
// pixels), column check boxes and drop-down buttons.
//
// Points given to the mouse handlers are in header coordinates with the horizontal scroll offset added.
// A pressed column stops being pressed while the pointer is off it and is pressed again when the pointer
// returns; releasing off it clicks nothing. With hot tracking on, the column under the pointer (widened 5
// pixels to the right) is hot, and the header holds the mouse while one is, so that leaving the header
// cools it.

#include "listview/LvCollection.h"
#include "listview/LvPaintInfo.h"

#include <QFont>

namespace gdvorn::lv {

class LvImageList;
struct LvCanvas;

enum TLvHeaderMouseState : std::uint16_t {
    ehmCaptured = 0x0001, ehmResizing = 0x0002, ehmDragging = 0x0004, ehmDragPossible = 0x0008,
    ehmClicking = 0x0010, ehmCheckPending = 0x0020, ehmResizeArmed = 0x0040, ehmLeftDown = 0x0080,
    ehmRightDown = 0x0100,
};

class TLvHeader : public TLvOwnedPersistent {
public:
    explicit TLvHeader(ListviewCore *owner);
    ~TLvHeader() override;

    TLvColumns &Columns() { return *columns_; }
    const TLvColumns &Columns() const { return *columns_; }
    const std::vector<TLvColumn *> &Positions() const { return positions_; }
    // The column at a display position; EListError outside 0..Count-1.
    TLvColumn *ColumnByPosition(int position) const
    {
        if (position < 0 || position >= int(positions_.size()))
            throw EListError(position);
        return positions_[std::size_t(position)];
    }

    bool AutoSizeHeight() const { return autoSizeHeight_; }
    void SetAutoSizeHeight(bool v);
    int AutoSizeHeightMargin() const { return autoSizeHeightMargin_; }
    void SetAutoSizeHeightMargin(int v);
    // The stored height, or the font's text height plus the margin when that is larger (auto size on).
    int Height() const;
    void SetHeight(int v);
    // The height when the header shows in the view and is Visible, else 0.
    int RuntimeHeight() const;
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    // On, it also makes the header Visible.
    bool ShowInAllViews();
    void SetShowInAllViews(bool v);
    bool Sizeable() const { return sizeable_; }
    void SetSizeable(bool v) { sizeable_ = v; }
    bool Draggable() const { return draggable_; }
    void SetDraggable(bool v);
    // Whether the columns take part in the control's stream (on from creation).
    bool StreamColumns() const { return streamColumns_; }
    void SetStreamColumns(bool v) { streamColumns_ = v; }
    LvColor Color() const { return color_; }
    void SetColor(LvColor v);
    const QFont &Font() const { return font_; }
    void SetFont(const QFont &font);
    const LvImageList *Images() const { return images_; }
    void SetImages(const LvImageList *images);
    // On, with a window and no column, it first adds one as wide as the client area less 1.
    bool FixedSingleColumn();
    void SetFixedSingleColumn(bool v);
    std::uint16_t MouseState() const { return mouseState_; }
    const LvRect &HeaderRect() const { return headerRect_; }

    TLvColumn *PressedColumn() const { return pressedColumn_; }
    TLvColumn *ResizeColumn() const { return resizeColumn_; }
    TLvColumn *HotColumn() const { return hotColumn_; }
    TLvColumn *DropDownColumn() const { return dropDownColumn_; }
    // Called by a column that is being destroyed.
    void ForgetColumn(TLvColumn *column);
    // Empties the display order and the visible list (the columns were cleared).
    void ClearPositions();

    void Rebuild(bool force = false);
    void Invalidate(bool immediate = false);
    // Paints the background and the columns meeting `rect` (header coordinates).
    void Paint(LvCanvas &canvas, const LvRect &rect);

    TLvColumn *FirstVisibleColumn() const;
    TLvColumn *LastColumnByPosition() const;
    TLvColumn *NextVisibleColumn(const TLvColumn *column) const;
    TLvColumn *FirstColumnInRect(const LvRect &r) const;
    TLvColumn *NextColumnInRect(const TLvColumn *column, const LvRect &r) const;
    TLvColumn *ColumnAt(QPoint p) const;
    TLvColumn *ResizeEdgeAt(QPoint p) const;
    TLvColumn *CheckBoxColumnAt(QPoint p) const;
    TLvColumn *DropDownColumnAt(QPoint p) const;
    // The column hot tracking follows: each column widened 5 pixels to the right, clipped to the client area.
    TLvColumn *HotColumnAt(QPoint p) const;

    // Mouse input (header coordinates plus the horizontal scroll offset).
    void LeftDown(QPoint p, TShiftState shift);
    void MouseMove(QPoint p, TShiftState shift);
    void LeftUp(QPoint p, TShiftState shift);
    void DblClick(QPoint p, TShiftState shift);
    void RightDown(QPoint p, TShiftState shift);
    void RightUp(QPoint p, TShiftState shift);
    // The pointer left the control with no button held: nothing stays hot.
    void MouseLeft();
    // Clears every mouse state and releases the capture.
    void EndMouseOperation();
    // The control's size changed (auto spring, fixed single column).
    void SizeChanged();

private:
    void ClickColumn(TLvColumn *column);
    void SetHotColumn(TLvColumn *column, QPoint p);
    // The column whose drop-down button is hot (nothing resets it: the button loses every state bit).
    void SetDropDownHot(TLvColumn *column);
    // The horizontal scroll offset added to header points.
    int ScrollX() const;
    void ReleaseCapture();
    void Capture();
    int MeasureWidth() const;

    std::unique_ptr<TLvColumns> columns_;
    std::vector<TLvColumn *> positions_;
    bool autoSizeHeight_ = true;
    int autoSizeHeightMargin_ = 8;
    int height_ = 21;
    bool visible_ = false, showInAllViews_ = false, sizeable_ = true, draggable_ = true;
    bool fixedSingleColumn_ = false;
    bool streamColumns_ = true;
    LvColor color_ = LvColor(LvColor::clBtnFace);
    QFont font_;
    const LvImageList *images_ = nullptr;
    std::uint16_t mouseState_ = 0;
    int lastHeaderWidth_ = -1;
    LvRect headerRect_;
    TLvColumn *pressedColumn_ = nullptr;
    TLvColumn *resizeColumn_ = nullptr;
    TLvColumn *hotColumn_ = nullptr;
    TLvColumn *dropDownColumn_ = nullptr;
    QPoint pressPoint_;
};

} // namespace gdvorn::lv
