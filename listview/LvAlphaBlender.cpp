// The alpha blender: tinting on a canvas and tinted, centred pictures.

#include "listview/LvAlphaBlender.h"

#include "listview/ListviewCore.h"

#include <QImage>
#include <QPainter>

namespace gdvorn::lv {

QImage TintedImage(const QImage &image, int alpha, LvColor color)
{
    QImage copy = image.convertToFormat(QImage::Format_ARGB32);
    AlphaBlend(nullptr, copy, {0, 0, copy.width(), copy.height()}, ColorToRGB(color), alpha,
               TCommonBlendMode::cbmConstantAlphaAndColor, {});
    // The line routine fades the alpha byte as well; the picture keeps its own transparency.
    const QImage original = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < copy.height(); ++y) {
        auto *row = reinterpret_cast<std::uint32_t *>(copy.scanLine(y));
        const auto *from = reinterpret_cast<const std::uint32_t *>(original.constScanLine(y));
        for (int x = 0; x < copy.width(); ++x)
            row[x] = (row[x] & 0x00FFFFFFu) | (from[x] & 0xFF000000u);
    }
    return copy;
}

void TLvAlphaBlender::Blend(ListviewCore *control, LvCanvas *canvas, bool documentCoordinates, int alpha,
                            LvColor color, const LvRect &rect)
{
    if (!control || !canvas || !canvas->painter || rect.IsEmpty())
        return;
    QPainter &p = *canvas->painter;
    const QPaintDevice *device = p.device();
    if (!device)
        return;
    const LvRect deviceArea(0, 0, device->width(), device->height());
    LvRect area;
    if (documentCoordinates) {
        TLvScrollbarManager &sb = control->Scrollbars();
        area = sb.MapViewRectToWindow(sb.MapWindowRectToView(deviceArea).Intersected(rect));
    } else {
        area = rect.Intersected(control->ClientRect());
    }
    if (area.IsEmpty())
        return;
    p.save();
    p.resetTransform();
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);
    p.setOpacity(std::clamp(alpha, 0, 256) / 256.0);
    p.fillRect(area.ToQRect(), ResolveColor(color));
    p.restore();
}

bool TLvAlphaBlender::BlendParameters(ListviewCore *control, TLvItem *item, int &alpha, LvColor &color)
{
    if (!control || !item)
        return false;
    const bool focused = control->Focused();
    if (!(item->Selected() || item->DropHilighted() || (focused && !item->Enabled())))
        return false;
    if (focused && item->Enabled()) {
        alpha = control->Selection().BlendAlphaImage();
        color = control->Selection().Color();
    } else if (focused) {
        alpha = control->DisabledBlendAlpha();
        color = control->DisabledBlendColor();
    } else {
        alpha = control->DisabledBlendAlpha();
        color = control->Selection().InactiveColor();
    }
    return true;
}

void TLvAlphaBlender::BlendImage(ListviewCore *control, TLvItem *item, const QImage &image, const LvRect &rect,
                                 LvCanvas *canvas)
{
    if (rect.IsEmpty() || !canvas || !canvas->painter || image.isNull())
        return;
    const QPoint at(rect.left + (rect.Width() - image.width()) / 2, rect.top + (rect.Height() - image.height()) / 2);
    int alpha = 0;
    LvColor color;
    if (BlendParameters(control, item, alpha, color))
        canvas->painter->drawImage(at, TintedImage(image, alpha, color));
    else
        canvas->painter->drawImage(at, image);
}

TLvAlphaBlender &SharedAlphaBlender()
{
    static TLvAlphaBlender blender;
    return blender;
}

} // namespace gdvorn::lv
