#include "listview/LvViewGroup.h"

#include "listview/ListviewCore.h"
#include "listview/LvAlphaBlender.h"

#include <QPainter>

#include <algorithm>
#include <cmath>

namespace gdvorn::lv {

QSize TLvViewGroup::ExpandButtonSize(TLvGroup *) const
{
    const QImage &expand = owner_->GroupExpandButton(), &collapse = owner_->GroupCollapseButton();
    const QSize glyph = (expand.isNull() ? ListviewCore::GroupButtonSize() : expand.size())
                            .expandedTo(collapse.isNull() ? ListviewCore::GroupButtonSize() : collapse.size());
    return {glyph.width() + RoundHalfEven(owner_->DpiX() / 96.0), glyph.height()};
}

QSize TLvViewGroup::ImageSize(TLvGroup *group, int imageIndex) const
{
    if (imageIndex < 0)
        return {0, 0};
    if (group->ImageDrawIsCustom(nullptr)) {
        int width = 0, height = 0;
        group->ImageGetSize(nullptr, width, height);
        return {width, height};
    }
    const LvImageList *list = group->ImageList(0, 0);
    return list ? QSize(list->Width(), list->Height()) : QSize(0, 0);
}

int TLvViewGroup::PlaceVertically(TCommonVAlignment alignment, int top, int bottom, int height)
{
    switch (alignment) {
    case TCommonVAlignment::cvaTop: return top + 2;
    case TCommonVAlignment::cvaBottom: return bottom - 2 - height;
    default: return top + (bottom - top - height) / 2;
    }
}

TLvRectArrayObject TLvViewGroup::PartRects(TLvGroup *group, int part, const LvRect &r, LvCanvas &caption) const
{
    TLvPaintInfoGroup &info = owner_->PaintInfoGroup();
    TLvRectArrayObject a;
    auto band = [&](const LvRect &m) {
        LvRect b;
        if (!info.BandEnabled())
            return b;
        if (info.BandFullWidth())
            b = {m.left, m.bottom - info.BandMargin() - info.BandThickness(), m.right, m.bottom - info.BandMargin()};
        else
            b = {m.left, m.bottom - 2 * info.BandMargin() - info.BandThickness(), m.left + info.BandLength(),
                 m.bottom - info.BandMargin()};
        return b.Translated(info.BandIndent(), 0);
    };
    if (part == egpLeft || part == egpRight) {
        if (!info.BandEnabled())
            return a;
        // The side band runs from the top band's top to the footer band's bottom (the group's edges where
        // a margin is off).
        const LvRect top = group->MarginRectTop(), bottom = group->MarginRectBottom();
        const int y0 = top.IsEmpty() ? r.top : band(top).top;
        const int y1 = bottom.IsEmpty() ? r.bottom : band(bottom).bottom - 1;
        const int half = (r.Width() - info.BandThickness()) / 2;
        a.BandArea = part == egpLeft ? LvRect(r.left + half, y0, r.right, y1) : LvRect(r.left, y0, r.right - half, y1);
        return a;
    }
    if (part != egpHeader && part != egpFooter)
        return a;
    const bool header = part == egpHeader;
    TLvPaintInfoBasic &text = header ? static_cast<TLvPaintInfoBasic &>(info) : info.FooterPaintInfo();
    const int b = info.BandEnabled() ? info.BandThickness() + 2 * info.BandMargin() : 0;
    LvRect button(r.left, r.top, r.left, r.bottom - b);
    if (header && info.Expandable()) {
        button.left = r.left + info.ExpandImageIndent();
        button.right = button.left + ExpandButtonSize(group).width();
    }
    a.ExpandButtonArea = button;
    LvRect check(button.right, r.top, button.right, r.bottom);
    if (header && info.CheckType() != TLvCheckType::ectNone) {
        const LvRect bound = owner_->CheckBoxBound(info.CheckSize());
        check.left = button.right + info.CheckIndent();
        check.right = check.left + bound.Width();
        check.top = PlaceVertically(info.VAlignment(), r.top, r.bottom - b, bound.Height());
        check.bottom = check.top + bound.Height();
    }
    a.CheckArea = check;
    const int imageIndex = header ? group->ImageIndex() : info.MarginBottom().ImageIndex();
    if (imageIndex >= 0) {
        const int left = check.right + text.ImageIndent();
        a.ImageArea = {left, r.top, left + ImageSize(group, imageIndex).width(), r.bottom - b};
    } else {
        a.ImageArea = {check.right, r.top, check.right, r.bottom - b};
    }
    a.LabelArea = {a.ImageArea.right + text.CaptionIndent(), button.top, r.right, button.bottom};
    PrepareCaptionFont(group, caption);
    const QString captionText = header ? group->Caption() : info.MarginBottom().Caption();
    const QSize extent = captionText.isEmpty() ? QSize(0, 0) : owner_->TextExtent(caption.font, captionText);
    LvRect t(a.LabelArea.left, a.LabelArea.top, a.LabelArea.left + extent.width(), a.LabelArea.top + extent.height());
    t = t.Intersected(a.LabelArea);
    const int w = t.Width(), h = t.Height();
    if (text.Alignment() == TAlignment::taRightJustify)
        t.left = a.LabelArea.right - w;
    else if (text.Alignment() == TAlignment::taCenter)
        t.left = a.LabelArea.left + (a.LabelArea.Width() - w) / 2;
    switch (text.VAlignment()) {
    case TCommonVAlignment::cvaTop: t.top = r.top; break;
    case TCommonVAlignment::cvaBottom: t.top = r.bottom - b - h; break;
    default: t.top = r.top + (r.Height() - b - h) / 2; break;
    }
    t.right = t.left + w;
    t.bottom = t.top + h;
    a.CaptionArea = w > 0 && h > 0 ? t : LvRect();
    a.BandArea = band(r);
    return a;
}

void TLvViewGroup::PrepareCaptionFont(TLvGroup *group, LvCanvas &canvas) const
{
    canvas.font = owner_->GroupFont();
    canvas.brushClear = true;
    canvas.font.setBold(group->Bold());
    canvas.fontColor = LvColor(group->Focused() && owner_->Focused() ? LvColor::clHighlightText : LvColor::clWindowText);
    if (owner_->OnGroupPaintText)
        owner_->OnGroupPaintText(group, canvas);
}

void TLvViewGroup::Paint(TLvGroup *group, int part, const LvRect &r, LvCanvas &canvas)
{
    if (r.IsEmpty() || !canvas.painter)
        return;
    QPainter &p = *canvas.painter;
    const LvPainterSave saved(p);
    LvCanvas caption = canvas;
    const TLvRectArrayObject rects = PartRects(group, part, r, caption);
    PaintBackground(group, part, r, canvas);
    PaintBefore(group, part, r, canvas);
    if (part == egpHeader)
        PaintCheckBox(group, rects, canvas);
    PaintSelection(group, rects, canvas);
    PaintFocusRect(group, part, r, canvas);
    PaintText(group, part, rects, caption);
    PaintBand(group, part, rects, canvas);
    if (part == egpHeader)
        PaintExpandButton(group, rects, canvas);
    PaintImage(group, part, rects, canvas);
    PaintAfter(group, part, r, canvas);
}

void TLvViewGroup::PaintSelection(TLvGroup *group, const TLvRectArrayObject &rects, LvCanvas &canvas)
{
    if (!group->Selected() || rects.CaptionArea.IsEmpty())
        return;
    const LvRect area = rects.CaptionArea.Inflated(2, 2);
    canvas.painter->fillRect(area.ToQRect(), ResolveColor(LvColor(LvColor::clHighlight)));
}

void TLvViewGroup::PaintFocusRect(TLvGroup *group, int part, const LvRect &r, LvCanvas &canvas)
{
    if (part != egpGroupAgain || !group->Focused())
        return;
    const LvRect f = r.Inflated(-4, -4);
    QPainter &p = *canvas.painter;
    p.setPen(QPen(ResolveColor(owner_->Color()).darker(200), 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(f.left, f.top, f.Width() - 1, f.Height() - 1));
}

void TLvViewGroup::PaintText(TLvGroup *group, int part, const TLvRectArrayObject &rects, const LvCanvas &c)
{
    if (rects.CaptionArea.IsEmpty() || !c.painter)
        return;
    TLvPaintInfoGroup &info = owner_->PaintInfoGroup();
    TLvPaintInfoBasic &text = part == egpHeader ? static_cast<TLvPaintInfoBasic &>(info) : info.FooterPaintInfo();
    std::uint32_t flags = dtSingleLine | dtEndEllipsis;
    flags |= text.Alignment() == TAlignment::taRightJustify ? std::uint32_t(dtRight)
           : text.Alignment() == TAlignment::taCenter       ? std::uint32_t(dtCenter)
                                                            : std::uint32_t(dtLeft);
    flags |= text.VAlignment() == TCommonVAlignment::cvaTop      ? std::uint32_t(dtTop)
           : text.VAlignment() == TCommonVAlignment::cvaBottom ? std::uint32_t(dtBottom)
                                                               : std::uint32_t(dtVCenter);
    LvRect area = rects.CaptionArea;
    const QString caption = part == egpHeader ? group->Caption() : info.MarginBottom().Caption();
    DrawTextWide(TextMetrics(*owner_, c.font), c.painter, c.font, ResolveColor(c.fontColor), caption, area, 1,
                 flags);
}

void TLvViewGroup::PaintBand(TLvGroup *, int part, const TLvRectArrayObject &rects, LvCanvas &canvas)
{
    TLvPaintInfoGroup &info = owner_->PaintInfoGroup();
    const LvRect &b = rects.BandArea;
    if (part < egpHeader || part > egpRight || !info.BandEnabled() || b.IsEmpty())
        return;
    QPainter &p = *canvas.painter;
    const int thickness = info.BandThickness();
    const QColor start = ResolveColor(info.BandColor()), end = ResolveColor(info.BandColorFade());
    if (part == egpHeader || part == egpFooter) {
        const int length = b.Width();
        const int y = b.bottom - thickness;
        if (!info.BandBlended()) {
            p.fillRect(QRect(b.left, y, length, thickness), start);
        } else if (length > 0) {
            for (int x = 0; x < length; ++x)
                p.fillRect(QRect(b.left + x, y, 1, thickness), GradientColor(start, end, 0, length, x));
        }
        return;
    }
    // Side bands: nested outlines with rounded ends, open towards the group's client area.
    const QColor colour = part == egpRight && info.BandBlended() ? end : start;
    const int radius = info.BandRadius();
    p.save();
    p.setClipRect(b.ToQRect(), Qt::IntersectClip);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, 1));
    const int extra = radius + thickness + 1;
    for (int i = 0; i < thickness; ++i) {
        QRect outline = part == egpLeft ? QRect(b.left + i, b.top + i, b.Width() + extra, b.Height() - 1 - 2 * i)
                                        : QRect(b.left - extra, b.top + i, b.Width() + extra - 1 - i, b.Height() - 1 - 2 * i);
        if (outline.height() > 0)
            p.drawRoundedRect(outline, radius, radius);
    }
    p.restore();
}

void TLvViewGroup::PaintExpandButton(TLvGroup *group, const TLvRectArrayObject &rects, LvCanvas &canvas)
{
    if (!owner_->PaintInfoGroup().Expandable() || rects.ExpandButtonArea.IsEmpty())
        return;
    const QImage &own = group->Expanded() ? owner_->GroupCollapseButton() : owner_->GroupExpandButton();
    const QSize glyph = own.isNull() ? ListviewCore::GroupButtonSize() : own.size();
    const LvRect &a = rects.ExpandButtonArea;
    const int left = a.left + (a.Width() - glyph.width()) / 2;
    const int top = PlaceVertically(owner_->PaintInfoGroup().VAlignment(), a.top, a.bottom, glyph.height());
    const LvRect b(left, top, left + glyph.width(), top + glyph.height());
    QPainter &p = *canvas.painter;
    if (!own.isNull()) {
        p.drawImage(b.left, b.top, own);
        return;
    }
    p.setPen(ResolveColor(LvColor(LvColor::clBtnShadow)));
    p.setBrush(Qt::white);
    p.drawRect(QRect(b.left, b.top, b.Width() - 1, b.Height() - 1));
    p.setPen(Qt::black);
    const int cx = b.left + b.Width() / 2, cy = b.top + b.Height() / 2;
    p.drawLine(b.left + 2, cy, b.right - 3, cy);
    if (!group->Expanded())
        p.drawLine(cx, b.top + 2, cx, b.bottom - 3);
}

void TLvViewGroup::PaintImage(TLvGroup *group, int part, const TLvRectArrayObject &rects, LvCanvas &canvas)
{
    if (part != egpHeader && part != egpFooter)
        return;
    if (group->ImageDrawIsCustom(nullptr)) {
        group->ImageDraw(nullptr, canvas, rects, &SharedAlphaBlender());
        return;
    }
    const LvImageList *list = group->ImageList(0, 0);
    if (!list || group->ImageIndex() < 0)
        return;
    TLvPaintInfoGroup &info = owner_->PaintInfoGroup();
    const bool header = part == egpHeader;
    const int index = header ? group->ImageIndex() : info.MarginBottom().ImageIndex();
    const int overlay = header ? group->ImageOverlayIndex() : info.MarginBottom().ImageOverlayIndex();
    TLvPaintInfoBasic &text = header ? static_cast<TLvPaintInfoBasic &>(info) : info.FooterPaintInfo();
    const LvRect &a = rects.ImageArea;
    const QPoint at(a.left + (a.Width() - list->Width()) / 2,
                    PlaceVertically(text.VAlignment(), a.top, a.bottom, list->Height()));
    for (const int i : {index, overlay})
        if (i >= 0 && i < list->Count())
            canvas.painter->drawImage(at, list->Image(i));
}

} // namespace gdvorn::lv
