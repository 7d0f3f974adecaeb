#pragma once
// What the list view paints behind its groups and items: a picture, tiled or placed once, optionally
// blended first (with the control colour or with a second picture of the same size), and a caption, for
// instance a text shown while the list is empty. The control owns one (its Background); painting is
// QPainter on the paint pipeline's canvas, in window coordinates.
//
// - Every property change to another value invalidates the control; Image and AlphaImage are copied and
//   kept as 32-bit pictures, and setting them always invalidates.
// - Blending works on a copy made per paint; Image is never changed by it. With a blend mode other than
//   colour blending and an AlphaImage whose size differs from Image's, the picture is drawn unblended.
// - Tiles start at TileOrigin(OffsetX, width) (a 64-pixel tile at offset 10 starts at -54) and only the
//   tiles meeting the painted rectangle are drawn. Transparent leaves out the picture's transparent
//   colour, the colour of its bottom-left pixel.
// - The caption shows with CaptionShow, a text, and (with CaptionShowOnlyWhenEmpty) while the control
//   holds no item in any group.
// - With OffsetTrack, a size change of the control moves the offsets by the change, so that a picture
//   anchored to the right or bottom edge stays there.

#include "listview/LvAlphaBlender.h"
#include "listview/LvPaintInfo.h"
#include "listview/LvUtilities.h"

#include <QImage>
#include <QSize>
#include <QString>

namespace gdvorn::lv {

struct LvCanvas;

class TLvBackgroundManager : public TLvOwnedPersistent {
public:
    explicit TLvBackgroundManager(ListviewCore *owner);
    ~TLvBackgroundManager() override;

    LV_PROPERTY(bool, AlphaBlend, false, Invalidate())
public:
    const QImage &AlphaImage() const { return alphaImage_; }
    void SetAlphaImage(const QImage &image);
    LV_PROPERTY(int, BlendAlpha, 128, Invalidate())
    LV_PROPERTY(TCommonBlendMode, BlendMode, TCommonBlendMode::cbmConstantAlphaAndColor, Invalidate())
    LV_PROPERTY(QString, Caption, QString(), Invalidate())
    LV_PROPERTY(TAlignment, CaptionAlignment, TAlignment::taCenter, Invalidate())
    LV_PROPERTY(bool, CaptionShow, false, Invalidate())
    LV_PROPERTY(bool, CaptionShowOnlyWhenEmpty, true, Invalidate())
    LV_PROPERTY(bool, CaptionSingleLine, true, Invalidate())
    LV_PROPERTY(TCommonVAlignment, CaptionVAlignment, TCommonVAlignment::cvaCenter, Invalidate())
    LV_PROPERTY(bool, Enabled, false, Invalidate())
public:
    const QImage &Image() const { return image_; }
    void SetImage(const QImage &image);
    LV_PROPERTY(bool, OffsetTrack, false, Invalidate())
    LV_PROPERTY(int, OffsetX, 0, Invalidate())
    LV_PROPERTY(int, OffsetY, 0, Invalidate())
    LV_PROPERTY(bool, Tile, true, Invalidate())
    LV_PROPERTY(bool, Transparent, false, Invalidate())
public:
    // The blender handed to OnPaintBkGnd.
    TLvAlphaBlender &AlphaBlender() { return blender_; }

    // Image, Enabled, OffsetX, OffsetY and Tile only.
    virtual void Assign(const TLvBackgroundManager &source);
    virtual void AssignTo(TLvBackgroundManager &destination) const;
    // Paints the window rectangle `rect`; `fill` fills it with the control colour when there is no picture.
    virtual void Paint(LvCanvas &canvas, const LvRect &rect, bool fill);
    // The control is about to change from size `current` to `next`.
    virtual void WindowPosChanging(QSize current, QSize next);

    // Where the first tile starts for an offset and a tile size: offset mod size, less size when the
    // offset is positive.
    static int TileOrigin(int offset, int size);
    // The picture as this paint draws it: Image, or a blended copy.
    QImage SourceImage() const;

private:
    void Invalidate();
    void PaintCaption(LvCanvas &canvas, const LvRect &rect);

    QImage image_, alphaImage_;
    TLvAlphaBlender blender_;
};

} // namespace gdvorn::lv
