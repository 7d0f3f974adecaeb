#pragma once
// The drawing service handed to custom-drawing handlers: tints a rectangle of a canvas, or draws a picture
// centred in a rectangle tinted the way the control tints selected items.
//
// - Blend tints through QPainter composition: the area is filled with the colour at alpha / 256 opacity,
//   in device coordinates whatever the painter's transform. With document coordinates the rectangle is
//   first limited to what the painted device shows (mapped through the scroll offsets and the header);
//   otherwise to the control's client rectangle. Nothing without a control, a canvas with a painter, or
//   an area.
// - BlendImage centres the picture (offsets truncate toward zero, so a larger picture starts above and
//   left of the rectangle and the painter clips it) and tints a copy when the item is selected, drop
//   highlighted, or disabled while the control has the focus; the picture itself is never changed and
//   its transparency is kept.
//
// One blender is shared by the whole program (SharedAlphaBlender); each background manager owns one.

#include "listview/LvTypes.h"

class QImage;

namespace gdvorn::lv {

class ListviewCore;
class TLvItem;
struct LvCanvas;

class TLvAlphaBlender {
public:
    virtual ~TLvAlphaBlender() = default;
    virtual void Blend(ListviewCore *control, LvCanvas *canvas, bool documentCoordinates, int alpha, LvColor color,
                       const LvRect &rect);
    virtual void BlendImage(ListviewCore *control, TLvItem *item, const QImage &image, const LvRect &rect,
                            LvCanvas *canvas);
    // The alpha and colour an item's picture is tinted with; false when it is drawn untinted.
    static bool BlendParameters(ListviewCore *control, TLvItem *item, int &alpha, LvColor &color);
};

// The program's blender, made at first use and kept to the end.
TLvAlphaBlender &SharedAlphaBlender();

// A 32-bit copy of a picture blended with a colour at an alpha; the picture's own alpha channel is kept.
QImage TintedImage(const QImage &image, int alpha, LvColor color);

} // namespace gdvorn::lv
