#pragma once
// The painter of a group: the geometry of its margins' parts (expand button, check box, image, label,
// caption text, band) and the painting of one part at a time. The control paints every group meeting
// the update area in six parts: 0 the whole group, 1 the top band, 2 the footer, 3 the left margin, 4 the
// right margin, 5 the whole group again. The check box and the themed expand button need the platform's
// style: the control's own class (QtLvViewGroup) draws them.

#include "listview/LvCollection.h"

#include <QImage>
#include <QSize>

namespace gdvorn::lv {

enum TLvGroupPart { egpGroup = 0, egpHeader = 1, egpFooter = 2, egpLeft = 3, egpRight = 4, egpGroupAgain = 5 };

// The control's shared glyphs: the group expand and collapse buttons (9 × 9) and the column sort arrows
// (16 × 16). A getter draws its default picture while none is set; a setter copies the picture given.
class TLvGlobalImageManager {
public:
    const QImage &GroupExpandButton();
    void SetGroupExpandButton(const QImage &value) { groupExpand_ = value; }
    const QImage &GroupCollapseButton();
    void SetGroupCollapseButton(const QImage &value) { groupCollapse_ = value; }
    const QImage &ColumnSortUp();
    void SetColumnSortUp(const QImage &value) { sortUp_ = value; }
    const QImage &ColumnSortDown();
    void SetColumnSortDown(const QImage &value) { sortDown_ = value; }

private:
    QImage groupExpand_, groupCollapse_, sortUp_, sortDown_;
};

class TLvViewGroup {
public:
    explicit TLvViewGroup(ListviewCore *owner) : owner_(owner) {}
    virtual ~TLvViewGroup() = default;
    TLvViewGroup(const TLvViewGroup &) = delete;
    TLvViewGroup &operator=(const TLvViewGroup &) = delete;
    virtual const char *ClassName() const { return "TLvViewGroup"; }
    ListviewCore *OwnerListview() const { return owner_; }

    virtual bool PtInDragArea(TLvGroup *, QPoint) const { return false; }
    // The larger of the two glyphs in use, one pixel wider per 96 dots per inch.
    virtual QSize ExpandButtonSize(TLvGroup *group) const;
    // The expand (collapse) glyph in use: the control's own picture when set, else the shared one.
    const QImage &ButtonGlyph(bool expand) const;
    // The size of the group's image: the application's (a custom image) or the image list's; 0 by 0
    // without an image (index below 0) or without a list.
    virtual QSize ImageSize(TLvGroup *group, int imageIndex) const;
    // The parts of a margin rectangle: part 1 (top band) and 2 (footer) fill the expand button, check box,
    // image, label, caption text and band; parts 3 and 4 only the band. Other parts give empty rectangles.
    // The caption is measured in the prepared caption font, left in `caption` for parts 1 and 2.
    virtual TLvRectArrayObject PartRects(TLvGroup *group, int part, const LvRect &r, LvCanvas &caption) const;
    TLvRectArrayObject PartRects(TLvGroup *group, int part, const LvRect &r) const
    {
        LvCanvas caption;
        return PartRects(group, part, r, caption);
    }
    // The caption font: the group font, a clear brush, bold for a bold group, the highlight text colour for
    // a focused group in a focused control, then OnGroupPaintText.
    virtual void PrepareCaptionFont(TLvGroup *group, LvCanvas &canvas) const;
    // Paints one part over its rectangle (nothing for an empty one): background, before hook, check box
    // (top band), selection fill, focus rectangle, caption, band, expand button, image, after hook.
    virtual void Paint(TLvGroup *group, int part, const LvRect &r, LvCanvas &canvas);

protected:
    virtual void PaintBackground(TLvGroup *, int, const LvRect &, LvCanvas &) {}
    virtual void PaintBefore(TLvGroup *, int, const LvRect &, LvCanvas &) {}
    virtual void PaintAfter(TLvGroup *, int, const LvRect &, LvCanvas &) {}
    virtual void PaintBand(TLvGroup *group, int part, const TLvRectArrayObject &rects, LvCanvas &canvas);
    virtual void PaintCheckBox(TLvGroup *, const TLvRectArrayObject &, LvCanvas &) {}
    virtual void PaintExpandButton(TLvGroup *group, const TLvRectArrayObject &rects, LvCanvas &canvas);
    virtual void PaintFocusRect(TLvGroup *group, int part, const LvRect &r, LvCanvas &canvas);
    virtual void PaintImage(TLvGroup *group, int part, const TLvRectArrayObject &rects, LvCanvas &canvas);
    virtual void PaintSelection(TLvGroup *group, const TLvRectArrayObject &rects, LvCanvas &canvas);
    // Draws the caption in the font the geometry prepared (`caption`).
    virtual void PaintText(TLvGroup *group, int part, const TLvRectArrayObject &rects, const LvCanvas &caption);
    // The top (2 pixels below), bottom (2 above) or centre placement of a height inside [top, bottom).
    static int PlaceVertically(TCommonVAlignment alignment, int top, int bottom, int height);

private:
    ListviewCore *owner_;
};

} // namespace gdvorn::lv
