#include "listview/LvPaintInfo.h"

#include "listview/ListviewCore.h"

#include <cmath>

namespace gdvorn::lv {

int RoundHalfEven(double value) { return int(std::nearbyint(value)); }

void TLvPaintInfoBasic::Invalidate(bool immediate)
{
    if (owner_)
        owner_->Invalidate(immediate);
}

void TLvPaintInfoBasic::Assign(const TLvPaintInfoBasic &s)
{
    Alignment_ = s.Alignment_;
    Border_ = s.Border_;
    BorderColor_ = s.BorderColor_;
    CaptionIndent_ = s.CaptionIndent_;
    CaptionLines_ = s.CaptionLines_;
    CheckFlat_ = s.CheckFlat_;
    CheckIndent_ = s.CheckIndent_;
    CheckSize_ = s.CheckSize_;
    CheckType_ = s.CheckType_;
    ImageIndent_ = s.ImageIndent_;
    VAlignment_ = s.VAlignment_;
}

void TLvPaintInfoColumn::InvalidateHeader()
{
    if (owner_)
        owner_->Header().Invalidate(false);
}

void TLvMargin::SetSize(int value)
{
    value = std::max(0, value);
    if (Size_ != value) {
        Size_ = value;
        owner_->Groups().Rebuild(false);
    }
}

void TLvMargin::SetVisible(bool value)
{
    if (Visible_ != value) {
        Visible_ = value;
        owner_->Groups().Rebuild(false);
    }
}

int TLvMargin::EffectiveSize() const { return Visible_ && owner_->ShowGroupMargins() ? Size_ : 0; }

TLvPaintInfoGroup::TLvPaintInfoGroup(ListviewCore *owner)
    : TLvPaintInfoBasic(owner), marginTop_(std::make_unique<TLvMargin>(owner, true)),
      marginBottom_(std::make_unique<TLvFooterMargin>(owner, false)), marginLeft_(std::make_unique<TLvMargin>(owner, false)),
      marginRight_(std::make_unique<TLvMargin>(owner, false)), footer_(std::make_unique<TLvPaintInfoBasic>(owner))
{
}

TLvPaintInfoGroup::~TLvPaintInfoGroup() = default;

void TLvFooterMargin::SetCaption(const QString &value)
{
    if (caption_ != value) {
        caption_ = value;
        owner_->Invalidate();
    }
}

void TLvFooterMargin::SetImageIndex(int value)
{
    if (imageIndex_ != value) {
        imageIndex_ = value;
        owner_->Invalidate();
    }
}

void TLvFooterMargin::SetImageOverlayIndex(int value)
{
    if (imageOverlayIndex_ != value) {
        imageOverlayIndex_ = value;
        owner_->Invalidate();
    }
}

void TLvPaintInfoGroup::SetExpandable(bool value)
{
    if (Expandable_ == value)
        return;
    if (!value)
        owner_->Groups().ExpandAll();
    Expandable_ = value;
    Invalidate();
}

// ---------------------------------------------------------------------------------------------------

TLvCellSize::TLvCellSize(ListviewCore *owner, int baseWidth, int baseHeight)
    : TLvOwnedPersistent(owner), baseWidth_(baseWidth), baseHeight_(baseHeight)
{
    width_ = measuredWidth_ = RoundHalfEven(owner->DpiX() * baseWidth / 96.0);
    height_ = measuredHeight_ = RoundHalfEven(owner->DpiY() * baseHeight / 96.0);
}

int TLvCellSize::Width() const { return autoSizeCaption_ ? measuredWidth_ : std::max(1, width_); }

int TLvCellSize::Height() const { return autoSizeCaption_ ? measuredHeight_ : std::max(1, height_); }

void TLvCellSize::SetWidth(int value) { SetSize(value, autoSizeCaption_ ? measuredHeight_ : height_); }

void TLvCellSize::SetHeight(int value) { SetSize(autoSizeCaption_ ? measuredWidth_ : width_, value); }

void TLvCellSize::SetSize(int width, int height)
{
    width = std::max(0, width);
    height = std::max(0, height);
    if (!autoSizeCaption_) {
        width_ = width;
        height_ = height;
        // Rebuilds also when nothing changed.
        owner_->Groups().Rebuild(false);
    } else {
        measuredWidth_ = width;
        measuredHeight_ = height;
    }
}

void TLvCellSize::SetAutoSizeCaption(bool value)
{
    if (autoSizeCaption_ == value)
        return;
    autoSizeCaption_ = value;
    if (!value) {
        measuredWidth_ = width_;
        measuredHeight_ = height_;
    }
    owner_->Groups().Rebuild(false);
}

void TLvCellSize::RestoreDefaults()
{
    SetSize(RoundHalfEven(owner_->DpiX() * baseWidth_ / 96.0), RoundHalfEven(owner_->DpiY() * baseHeight_ / 96.0));
}

void TLvCellSize::Assign(const TLvCellSize &source)
{
    width_ = source.Width();
    height_ = source.Height();
}

TLvCellSizes::TLvCellSizes(ListviewCore *owner)
    : Icon(owner, 75, 75), SmallIcon(owner, 200, 17), Thumbnail(owner, 125, 143), Tile(owner, 218, 58),
      List(owner, 200, 17), Report(owner, 75, 17), FilmStrip(owner, 125, 143), Grid(owner, 75, 17)
{
}

TLvCellSize &TLvCellSizes::ForView(TLvListStyle view)
{
    switch (view) {
    case TLvListStyle::elsIcon: return Icon;
    case TLvListStyle::elsSmallIcon: return SmallIcon;
    case TLvListStyle::elsList: return List;
    case TLvListStyle::elsReport: return Report;
    case TLvListStyle::elsThumbnail: return Thumbnail;
    case TLvListStyle::elsTile: return Tile;
    case TLvListStyle::elsFilmStrip: return FilmStrip;
    case TLvListStyle::elsGrid: return Grid;
    }
    return Report;
}

} // namespace gdvorn::lv
