#pragma once
// Settings that decide how items, column headers and groups are laid out and painted, and the cell sizes
// of the views. Every setter does nothing for an unchanged value; otherwise it stores the value and runs
// the object's change hook (a repaint of the whole control, unless the property says otherwise).

#include "listview/LvTypes.h"

#include <QString>

#include <memory>

namespace gdvorn::lv {

class ListviewCore;

// A property with a getter of its name and a setter Set<Name> that runs `hook` after a change.
#define LV_PROPERTY(type, name, initial, hook)                                                             \
public:                                                                                                   \
    type name() const { return name##_; }                                                                 \
    void Set##name(type value)                                                                            \
    {                                                                                                     \
        if (name##_ == value)                                                                             \
            return;                                                                                       \
        name##_ = value;                                                                                  \
        hook;                                                                                             \
    }                                                                                                     \
                                                                                                          \
private:                                                                                                  \
    type name##_ = initial;

class TLvOwnedPersistent {
public:
    explicit TLvOwnedPersistent(ListviewCore *owner) : owner_(owner) {}
    virtual ~TLvOwnedPersistent() = default;
    TLvOwnedPersistent(const TLvOwnedPersistent &) = delete;
    TLvOwnedPersistent &operator=(const TLvOwnedPersistent &) = delete;
    ListviewCore *OwnerListview() const { return owner_; }

protected:
    ListviewCore *owner_;
};

class TLvPaintInfoBasic : public TLvOwnedPersistent {
public:
    using TLvOwnedPersistent::TLvOwnedPersistent;
    // Repaints the whole control (Part of every setter of the family).
    virtual void Invalidate(bool immediate = false);
    // Copies the basic settings (ShowBorder and the additions of the subclasses are not copied).
    void Assign(const TLvPaintInfoBasic &source);

    LV_PROPERTY(TAlignment, Alignment, TAlignment::taLeftJustify, Invalidate())
    LV_PROPERTY(int, Border, 4, Invalidate())
    LV_PROPERTY(LvColor, BorderColor, LvColor(LvColor::clHighlight), Invalidate())
    LV_PROPERTY(int, CaptionIndent, 4, Invalidate())
    LV_PROPERTY(int, CaptionLines, 1, Invalidate())
    LV_PROPERTY(bool, CheckFlat, false, Invalidate())
    LV_PROPERTY(int, CheckIndent, 2, Invalidate())
    LV_PROPERTY(int, CheckSize, 12, Invalidate())
    LV_PROPERTY(TLvCheckType, CheckType, TLvCheckType::ectNone, Invalidate())
    LV_PROPERTY(int, ImageIndent, 2, Invalidate())
    LV_PROPERTY(bool, ShowBorder, true, (void)0)
    LV_PROPERTY(TCommonVAlignment, VAlignment, TCommonVAlignment::cvaCenter, Invalidate())
};

class TLvPaintInfoItem : public TLvPaintInfoBasic {
public:
    using TLvPaintInfoBasic::TLvPaintInfoBasic;
    LV_PROPERTY(LvColor, GridLineColor, LvColor(LvColor::clBtnFace), Invalidate())
    LV_PROPERTY(bool, GridLines, false, Invalidate())
    LV_PROPERTY(bool, HideCaption, false, Invalidate())
    LV_PROPERTY(int, TileDetailCount, 1, Invalidate())
};

class TLvPaintInfoColumn : public TLvPaintInfoBasic {
public:
    using TLvPaintInfoBasic::TLvPaintInfoBasic;
    void InvalidateHeader();
    LV_PROPERTY(bool, BkGndColorFillsWindow, false, Invalidate())
    LV_PROPERTY(LvColor, Color, LvColor(LvColor::clBtnFace), InvalidateHeader())
    LV_PROPERTY(bool, HilightFocused, false, Invalidate())
    LV_PROPERTY(LvColor, HilightFocusedColor, LvColor(0xF7F7F7), Invalidate())
    LV_PROPERTY(bool, HotTrack, true, (void)0)
    LV_PROPERTY(TLvHeaderImagePosition, ImagePosition, TLvHeaderImagePosition::ehpLeft, InvalidateHeader())
    LV_PROPERTY(TLvSortGlyphAlign, SortGlyphAlign, TLvSortGlyphAlign::esgaRight, InvalidateHeader())
    LV_PROPERTY(int, SortGlyphIndent, 2, InvalidateHeader())
    LV_PROPERTY(TLvHeaderButtonStyle, Style, TLvHeaderButtonStyle::ehbsThick, InvalidateHeader())
};

// A group margin: counts in the layout only when Visible and the control's ShowGroupMargins are on.
class TLvMargin : public TLvOwnedPersistent {
public:
    TLvMargin(ListviewCore *owner, bool visible) : TLvOwnedPersistent(owner), Visible_(visible) {}
    int Size() const { return Size_; }
    void SetSize(int value);
    bool Visible() const { return Visible_; }
    void SetVisible(bool value);
    int EffectiveSize() const;
    void Assign(const TLvMargin &source)
    {
        Size_ = source.Size_;
        Visible_ = source.Visible_;
    }

private:
    int Size_ = 30;
    bool Visible_;
};

// The bottom margin adds a caption and an image of its own, painted in every group's footer.
class TLvFooterMargin : public TLvMargin {
public:
    using TLvMargin::TLvMargin;
    const QString &Caption() const { return caption_; }
    void SetCaption(const QString &value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    int ImageOverlayIndex() const { return imageOverlayIndex_; }
    void SetImageOverlayIndex(int value);

private:
    QString caption_;
    int imageIndex_ = -1, imageOverlayIndex_ = -1;
};

class TLvPaintInfoGroup : public TLvPaintInfoBasic {
public:
    explicit TLvPaintInfoGroup(ListviewCore *owner);
    ~TLvPaintInfoGroup() override;

    TLvMargin &MarginTop() { return *marginTop_; }
    TLvFooterMargin &MarginBottom() { return *marginBottom_; }
    TLvMargin &MarginLeft() { return *marginLeft_; }
    TLvMargin &MarginRight() { return *marginRight_; }
    const TLvMargin &MarginTop() const { return *marginTop_; }
    const TLvFooterMargin &MarginBottom() const { return *marginBottom_; }
    const TLvMargin &MarginLeft() const { return *marginLeft_; }
    const TLvMargin &MarginRight() const { return *marginRight_; }
    // The text settings of the footer margin live in this paint-info group (CaptionIndent 4 at start).
    TLvPaintInfoBasic &FooterPaintInfo() { return *footer_; }

    bool Expandable() const { return Expandable_; }
    // Turning it off first expands every group.
    void SetExpandable(bool value);

    LV_PROPERTY(bool, BandBlended, true, Invalidate())
    LV_PROPERTY(LvColor, BandColor, LvColor(LvColor::clBlue), Invalidate())
    LV_PROPERTY(LvColor, BandColorFade, LvColor(LvColor::clWindow), Invalidate())
    LV_PROPERTY(bool, BandEnabled, true, Invalidate())
    LV_PROPERTY(bool, BandFullWidth, false, Invalidate())
    LV_PROPERTY(int, BandIndent, 0, Invalidate())
    LV_PROPERTY(int, BandLength, 300, Invalidate())
    LV_PROPERTY(int, BandMargin, 2, Invalidate())
    LV_PROPERTY(int, BandRadius, 4, Invalidate())
    LV_PROPERTY(int, BandThickness, 3, Invalidate())
    LV_PROPERTY(int, ExpandImageIndent, 4, Invalidate())

private:
    bool Expandable_ = true;
    std::unique_ptr<TLvMargin> marginTop_;
    std::unique_ptr<TLvFooterMargin> marginBottom_;
    std::unique_ptr<TLvMargin> marginLeft_, marginRight_;
    std::unique_ptr<TLvPaintInfoBasic> footer_;
};

// The cell size of one view; defaults are scaled to the screen's dots per inch at creation.
class TLvCellSize : public TLvOwnedPersistent {
public:
    TLvCellSize(ListviewCore *owner, int baseWidth, int baseHeight);
    int Width() const;
    int Height() const;
    void SetWidth(int value);
    void SetHeight(int value);
    void SetSize(int width, int height);
    bool AutoSizeCaption() const { return autoSizeCaption_; }
    void SetAutoSizeCaption(bool value);
    void RestoreDefaults();
    void Assign(const TLvCellSize &source);
    // The measured width the automatic cell width writes (no rebuild).
    void SetMeasuredWidth(int width) { measuredWidth_ = width; }

private:
    int baseWidth_, baseHeight_;
    int width_ = 0, height_ = 0, measuredWidth_ = 0, measuredHeight_ = 0;
    bool autoSizeCaption_ = false;
};

class TLvCellSizes {
public:
    explicit TLvCellSizes(ListviewCore *owner);
    TLvCellSize Icon, SmallIcon, Thumbnail, Tile, List, Report, FilmStrip, Grid;
    TLvCellSize &ForView(TLvListStyle view);
};

// Halves go to the even neighbour, as the platform's rounding of the scaled sizes.
int RoundHalfEven(double value);

} // namespace gdvorn::lv
