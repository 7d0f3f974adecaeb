#pragma once
// The per-view pieces of the list view: the rectangles of one cell (TLvRectArrayObject), the item and
// header-cell painters' layouts and hit tests, and the grids that place a group's items.
//
// Layouts live here, widget-free, because hit testing needs them; the painting itself is added by the
// control's painter classes (QtLvPainters), which the control's view factories create. A painter made
// here paints nothing.

#include "listview/LvTypes.h"

#include <QFont>
#include <QImage>

#include <functional>
#include <memory>
#include <vector>

class QPainter;

namespace gdvorn::lv {

class ListviewCore;
class TLvItem;
class TLvColumn;
class TLvGroup;
class TLvCellSize;

// A list of equal-size pictures.
class LvImageList {
public:
    LvImageList(int width, int height) : width_(width), height_(height) {}
    LvImageList(const LvImageList &) = default;
    LvImageList &operator=(const LvImageList &) = default;
    // The list views that use the list forget it.
    ~LvImageList();
    int Width() const { return width_; }
    int Height() const { return height_; }
    int Count() const { return int(images_.size()); }
    // Adds a picture, scaled to the list's size when it differs.
    int Add(const QImage &image);
    const QImage &Image(int index) const { return images_[std::size_t(index)]; }

private:
    int width_, height_;
    std::vector<QImage> images_;
};

// Saves a painter's state for a scope and restores it on every exit.
class LvPainterSave {
public:
    explicit LvPainterSave(QPainter &painter);
    ~LvPainterSave();
    LvPainterSave(const LvPainterSave &) = delete;
    LvPainterSave &operator=(const LvPainterSave &) = delete;

private:
    QPainter &painter_;
};

// The canvas the painters and the paint events work on: a QPainter (none while only measuring) with the
// state the painters rely on, colours kept as the component's colours until painted.
struct LvCanvas {
    QPainter *painter = nullptr;
    QFont font;
    LvColor fontColor = LvColor(LvColor::clWindowText);
    LvColor brushColor = LvColor(LvColor::clWindow);
    bool brushClear = false;
    LvColor penColor = LvColor(LvColor::clBlack);
};

struct TLvRectArrayObject {
    LvRect LabelArea, ImageArea, CaptionArea, CheckArea, CellArea, ClickSelectArea, DragSelectArea,
        FullCaptionArea, SelectionArea, FullFocusArea, FocusRepaintArea, EditArea, SortGlyphArea, StateImageArea;
    std::vector<LvRect> CaptionLineAreas;
    LvRect ExpandButtonArea, BandArea, BackgroundArea, GroupArea, DropDownArrowArea;
};

// ---------------------------------------------------------------------------------------------------
// Item painters

class TLvViewItem;

// A painter class as the custom-view events name it: its name and how to make one.
struct TLvViewItemClass {
    const char *name;
    std::function<std::unique_ptr<TLvViewItem>(ListviewCore *)> create;
};

class TLvViewItem {
public:
    explicit TLvViewItem(ListviewCore *owner) : owner_(owner) {}
    virtual ~TLvViewItem() = default;
    virtual const char *ClassName() const { return "TLvViewItem"; }
    ListviewCore *OwnerListview() const { return owner_; }

    virtual bool ShowsStateImages() const { return false; }
    virtual bool FullRowSelect() const { return false; }
    virtual bool PaintFocusedItemLast() const { return false; }
    virtual int ImageSizeKind() const { return 0; }
    // 0 left, 1 right, 2 centred; line count -1 unlimited; vertical 0 top, 1 bottom, 2 centred.
    virtual int CaptionAlignment(const TLvItem *, const TLvColumn *) const { return 2; }
    virtual int CaptionLineCount(const TLvItem *, const TLvColumn *) const { return 2; }
    virtual int CaptionVAlignment(const TLvItem *, const TLvColumn *) const { return 0; }

    // Lays the item's cell for a column (nothing: no column) out; the canvas may be absent (captions
    // then measure 0 by 0).
    virtual void ItemRectArray(TLvItem *item, TLvColumn *column, const LvCanvas *canvas, const QString &caption,
                               TLvRectArrayObject &r);
    QSize ImageSize(TLvItem *item, TLvColumn *column, TLvImageKind kind) const;
    const LvImageList *ImageList(TLvItem *item, TLvColumn *column, TLvImageKind kind) const;
    // The caption font and colour for a column position (the selected look decides the colour).
    virtual void ItemCaptionFont(TLvItem *item, int position, bool selectedLook, LvCanvas &canvas) const;

    virtual LvRect ImageHitRect(TLvItem *item, const TLvRectArrayObject &r) const;
    virtual LvRect CaptionHitRect(TLvItem *item, const TLvRectArrayObject &r) const;
    // Hooks that may change the focus and selection rectangles before they are painted.
    virtual void AdjustFocusRect(TLvItem *, TLvColumn *, LvRect &) const {}
    virtual void AdjustSelectionRect(TLvItem *, TLvColumn *, LvRect &) const {}
    virtual bool PointOnCaption(TLvItem *item, QPoint p);
    virtual bool PointAllowsDrag(TLvItem *, QPoint) { return true; }
    // Does a point or a rectangle (document coordinates) touch the item (click or rubber-band form)?
    virtual bool PointHitsItem(TLvItem *item, QPoint p, bool rubberBand);
    virtual bool RectTouchesItem(TLvItem *item, const LvRect &r, bool rubberBand);
    // 1 above (or left of) the item, -1 below (or right of), 0 inside, edges inside.
    int ComparePointWithCell(const TLvItem *item, QPoint p) const;

    // Paints one cell; the painters of the control fill it in.
    virtual void Paint(TLvItem *, TLvColumn *, bool /*forceSelection*/, const LvRect & /*clip*/, LvCanvas &) {}

protected:
    // Shrinks a focus or selection rectangle by 2 all round while Selection.FullCellPaint is on.
    void ShrinkWhenFullCell(LvRect &rect) const;

    ListviewCore *owner_;
};

class TLvViewSmallIconItem : public TLvViewItem {
public:
    using TLvViewItem::TLvViewItem;
    const char *ClassName() const override { return "TLvViewSmallIconItem"; }
    int CaptionAlignment(const TLvItem *, const TLvColumn *column) const override;
    int CaptionLineCount(const TLvItem *, const TLvColumn *) const override { return 1; }
    int CaptionVAlignment(const TLvItem *, const TLvColumn *column) const override;
    void ItemRectArray(TLvItem *item, TLvColumn *column, const LvCanvas *canvas, const QString &caption,
                       TLvRectArrayObject &r) override;
    LvRect ImageHitRect(TLvItem *, const TLvRectArrayObject &) const override { return {}; }
    LvRect CaptionHitRect(TLvItem *item, const TLvRectArrayObject &r) const override;
    virtual LvRect CellRectForColumn(TLvItem *item, TLvColumn *column) const;
};

class TLvViewReportItem : public TLvViewSmallIconItem {
public:
    using TLvViewSmallIconItem::TLvViewSmallIconItem;
    const char *ClassName() const override { return "TLvViewReportItem"; }
    bool ShowsStateImages() const override { return true; }
    bool FullRowSelect() const override;
    LvRect CaptionHitRect(TLvItem *item, const TLvRectArrayObject &r) const override;
    LvRect CellRectForColumn(TLvItem *item, TLvColumn *column) const override;
    bool PointAllowsDrag(TLvItem *item, QPoint p) override;
    bool PointHitsItem(TLvItem *item, QPoint p, bool rubberBand) override;
    bool RectTouchesItem(TLvItem *item, const LvRect &r, bool rubberBand) override;
};

class TLvViewListItem : public TLvViewSmallIconItem {
public:
    using TLvViewSmallIconItem::TLvViewSmallIconItem;
    const char *ClassName() const override { return "TLvViewListItem"; }
};

class TLvViewGridItem : public TLvViewSmallIconItem {
public:
    using TLvViewSmallIconItem::TLvViewSmallIconItem;
    const char *ClassName() const override { return "TLvViewGridItem"; }
};

// Icon view: the image centred at the cell's top, the caption below it in up to two lines (unlimited
// for the focused item while the control has focus).
class TLvViewIconItem : public TLvViewItem {
public:
    using TLvViewItem::TLvViewItem;
    const char *ClassName() const override { return "TLvViewIconItem"; }
    bool PaintFocusedItemLast() const override { return true; }
    int ImageSizeKind() const override { return 1; }
    int CaptionLineCount(const TLvItem *item, const TLvColumn *) const override;
    void AdjustFocusRect(TLvItem *, TLvColumn *, LvRect &rect) const override { ShrinkWhenFullCell(rect); }
    void AdjustSelectionRect(TLvItem *, TLvColumn *, LvRect &rect) const override { ShrinkWhenFullCell(rect); }
    void ItemRectArray(TLvItem *item, TLvColumn *column, const LvCanvas *canvas, const QString &caption,
                       TLvRectArrayObject &r) override;
};

// Thumbnail view: the picture fills the cell above two caption lines and is stretched to fit.
class TLvViewThumbnailItem : public TLvViewIconItem {
public:
    using TLvViewIconItem::TLvViewIconItem;
    const char *ClassName() const override { return "TLvViewThumbnailItem"; }
    int ImageSizeKind() const override { return 2; }
    int CaptionVAlignment(const TLvItem *, const TLvColumn *) const override { return 2; }
    LvRect CaptionHitRect(TLvItem *item, const TLvRectArrayObject &r) const override;
    bool PointHitsItem(TLvItem *item, QPoint p, bool rubberBand) override;
    bool RectTouchesItem(TLvItem *item, const LvRect &r, bool rubberBand) override;
    void ItemRectArray(TLvItem *item, TLvColumn *column, const LvCanvas *canvas, const QString &caption,
                       TLvRectArrayObject &r) override;
};

class TLvViewFilmStripItem : public TLvViewThumbnailItem {
public:
    using TLvViewThumbnailItem::TLvViewThumbnailItem;
    const char *ClassName() const override { return "TLvViewFilmStripItem"; }
};

// Tile view: check box and image at the left, then one caption line per tile detail.
class TLvViewTileItem : public TLvViewItem {
public:
    using TLvViewItem::TLvViewItem;
    const char *ClassName() const override { return "TLvViewTileItem"; }
    int ImageSizeKind() const override { return 2; }
    int CaptionAlignment(const TLvItem *, const TLvColumn *) const override { return 0; }
    void AdjustFocusRect(TLvItem *, TLvColumn *, LvRect &rect) const override { ShrinkWhenFullCell(rect); }
    void AdjustSelectionRect(TLvItem *, TLvColumn *, LvRect &rect) const override { ShrinkWhenFullCell(rect); }
    LvRect ImageHitRect(TLvItem *, const TLvRectArrayObject &) const override { return {}; }
    LvRect CaptionHitRect(TLvItem *item, const TLvRectArrayObject &r) const override;
    void ItemRectArray(TLvItem *item, TLvColumn *column, const LvCanvas *canvas, const QString &caption,
                       TLvRectArrayObject &r) override;
    // The column whose caption a caption line shows (negative: an empty line).
    static int LineColumn(const TLvItem *item, int line);
};

// ---------------------------------------------------------------------------------------------------
// Header-cell painter

class TLvViewColumn;
struct TLvViewColumnClass {
    const char *name;
    std::function<std::unique_ptr<TLvViewColumn>(ListviewCore *)> create;
};

class TLvViewColumn {
public:
    explicit TLvViewColumn(ListviewCore *owner) : owner_(owner) {}
    virtual ~TLvViewColumn() = default;
    virtual const char *ClassName() const { return "TLvViewColumn"; }
    virtual void ItemRectArray(TLvColumn *column, TLvRectArrayObject &r);
    virtual void CaptionFont(TLvColumn *column, LvCanvas &canvas) const;
    // Paints the header cell; the control's painter fills it in.
    virtual void Paint(TLvColumn *, LvCanvas &) {}

protected:
    ListviewCore *owner_;
};

// ---------------------------------------------------------------------------------------------------
// Grids

class TLvGridGroup;
struct TLvGridGroupClass {
    const char *name;
    std::function<std::unique_ptr<TLvGridGroup>(ListviewCore *, TLvGroup *)> create;
};

enum TLvAdjacent { eadLeft = 0, eadRight = 1, eadUp = 2, eadDown = 3, eadPageDown = 4, eadPageUp = 5 };

class TLvGridGroup {
public:
    TLvGridGroup(ListviewCore *owner, TLvGroup *group) : owner_(owner), group_(group) {}
    virtual ~TLvGridGroup() = default;
    virtual const char *ClassName() const = 0;
    virtual TLvCellSize &CellSize() const = 0;
    // Copies the given values into the view's cell size (the control keeps its own object).
    void SetCellSize(const TLvCellSize &size);
    int ColumnCount() const { return columnCount_; }
    int RowCount() const { return rowCount_; }
    // Places the group's items below (or beside) the previous group, numbering the visible items.
    virtual void Rebuild(TLvGroup *previous, int &nextVisibleIndex);
    // The visible item beside a visible item; throws ELvAssertion for an invisible one.
    virtual TLvItem *AdjacentItem(TLvItem *item, TLvAdjacent direction);
    virtual void AutoSizeCellWidth();
    // Whether the items run along y (vertical layouts) or along x (list, film strip).
    virtual bool VerticalFlow() const { return true; }

protected:
    int ColumnsForWidth(int width) const;
    TLvItem *BaseAdjacent(TLvItem *item, TLvAdjacent direction);
    TLvItem *ItemAtDocPoint(QPoint p) const;

    ListviewCore *owner_;
    TLvGroup *group_;
    int columnCount_ = 0;
    int rowCount_ = 0;
};

class TLvGridReportGroup : public TLvGridGroup {
public:
    using TLvGridGroup::TLvGridGroup;
    const char *ClassName() const override { return "TLvGridReportGroup"; }
    TLvCellSize &CellSize() const override;
    void Rebuild(TLvGroup *previous, int &nextVisibleIndex) override;
    TLvItem *AdjacentItem(TLvItem *item, TLvAdjacent direction) override;
};

// The icon, small-icon, thumbnail and tile layouts share the base layout.
class TLvGridBaseLayout : public TLvGridGroup {
public:
    TLvGridBaseLayout(ListviewCore *owner, TLvGroup *group, TLvListStyle view)
        : TLvGridGroup(owner, group), view_(view) {}
    const char *ClassName() const override;
    TLvCellSize &CellSize() const override;
    void AutoSizeCellWidth() override;

private:
    TLvListStyle view_;
};

class TLvGridListGroup : public TLvGridGroup {
public:
    using TLvGridGroup::TLvGridGroup;
    const char *ClassName() const override { return "TLvGridListGroup"; }
    TLvCellSize &CellSize() const override;
    void Rebuild(TLvGroup *previous, int &nextVisibleIndex) override;
    TLvItem *AdjacentItem(TLvItem *item, TLvAdjacent direction) override;
    bool VerticalFlow() const override { return false; }
};

} // namespace gdvorn::lv
