#include "listview/QtLvPainters.h"

#include "listview/LvAlphaBlender.h"
#include "listview/LvUtilities.h"
#include "listview/LvViewGroup.h"

#include <QApplication>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOption>

namespace gdvorn::lv {

void DrawEdge(QPainter &p, const LvRect &r, int edge, bool soft, bool flat)
{
    const QColor light = ResolveColor(LvColor(LvColor::clBtnHighlight));
    const QColor light3d = ResolveColor(LvColor(LvColor::cl3DLight));
    const QColor shadow = ResolveColor(LvColor(LvColor::clBtnShadow));
    const QColor dark = ResolveColor(LvColor(LvColor::cl3DDkShadow));
    const int l = r.left, t = r.top, rr = r.right - 1, b = r.bottom - 1;
    auto frame = [&](int inset, const QColor &topLeft, const QColor &bottomRight) {
        p.setPen(topLeft);
        p.drawLine(l + inset, t + inset, rr - inset, t + inset);
        p.drawLine(l + inset, t + inset, l + inset, b - inset);
        p.setPen(bottomRight);
        p.drawLine(l + inset, b - inset, rr - inset, b - inset);
        p.drawLine(rr - inset, t + inset, rr - inset, b - inset);
    };
    p.save();
    if (flat) {
        frame(0, shadow, shadow);
    } else {
        if (edge & 1)
            frame(0, soft ? light : light3d, dark);
        if (edge & 2)
            frame(0, shadow, light);
        if (edge & 4)
            frame(1, soft ? light3d : light, shadow);
        if (edge & 8)
            frame(1, dark, light3d);
    }
    p.restore();
}

void PaintCheckbox(QPainter &p, TLvCheckType type, bool flat, bool pending, bool pendingAway, bool,
                   bool checked, bool enabled, const LvRect &rect, bool themed)
{
    if (type != TLvCheckType::ectBox && type != TLvCheckType::ectRadio)
        return;
    if (themed) {
        QStyleOptionButton option;
        option.rect = rect.ToQRect();
        option.state = checked ? QStyle::State_On : QStyle::State_Off;
        if (enabled) {
            option.state |= QStyle::State_Enabled;
            if (pending && pendingAway)
                option.state |= QStyle::State_MouseOver;
            else if (pending)
                option.state |= QStyle::State_Sunken;
        }
        QApplication::style()->drawPrimitive(type == TLvCheckType::ectRadio ? QStyle::PE_IndicatorRadioButton
                                                                           : QStyle::PE_IndicatorCheckBox,
                                             &option, &p);
        return;
    }
    LvCheckColors c;
    if (flat) {
        c.e1 = c.e2 = c.e3 = c.e4 = enabled ? QColor(Qt::black) : ResolveColor(LvColor(LvColor::clBtnShadow));
    } else {
        c.e1 = ResolveColor(LvColor(LvColor::cl3DLight));
        c.e2 = ResolveColor(LvColor(LvColor::cl3DDkShadow));
        c.e3 = ResolveColor(LvColor(LvColor::clBtnHighlight));
        c.e4 = ResolveColor(LvColor(LvColor::clBtnShadow));
    }
    c.pendingFace = ResolveColor(LvColor(LvColor::clBtnFace));
    c.face = enabled ? QColor(Qt::white) : ResolveColor(LvColor(LvColor::clBtnFace));
    c.mark = enabled ? QColor(Qt::black) : ResolveColor(LvColor(LvColor::clBtnShadow));
    DrawCheckGlyphs(p, rect, type == TLvCheckType::ectRadio, pending && !pendingAway, checked, c);
}

namespace {

void FrameRect(QPainter &p, const LvRect &rect, const QColor &color)
{
    p.setPen(color);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(rect.left, rect.top, rect.Width() - 1, rect.Height() - 1));
}

// A vertical gradient from `top` to `bottom` over the rectangle's rows (drawn only where `visible` lies).
void FillGradient(QPainter &p, const LvRect &rect, const LvRect &visible, const QColor &top, const QColor &bottom)
{
    DrawGradient(p, visible.left, visible.right, rect.top, rect.bottom - 1, visible.top, visible.bottom - 1, top, bottom);
}

// The focus or selection rectangle with the full-cell rule: the display rectangle (in the report view
// narrowed to the column with index 0) united with `area`.
LvRect FullCellRect(ListviewCore *lv, TLvItem *item, const LvRect &area)
{
    LvRect rect = item->DisplayRect();
    if (lv->View() == TLvListStyle::elsReport)
        if (TLvColumn *first = lv->Header().Columns().Count() > 0 ? lv->Header().Columns()[0] : nullptr) {
            rect.left = first->DisplayRect().left;
            rect.right = rect.left + first->Width();
        }
    return area.IsEmpty() ? rect : rect.United(area);
}

void PaintSelection(TLvViewItem &view, ListviewCore *lv, TLvItem *item, TLvColumn *column,
                    const TLvRectArrayObject &r, QPainter &p, bool force)
{
    const bool marked = item->Selected() || item->DropHilighted();
    if (!force && !(marked && (!column || column->Index() == 0) && !view.FullRowSelect()))
        return;
    TLvSelectionManager &s = lv->Selection();
    const bool active = lv->Focused() || s.PopupMode() || (item->DropHilighted() && !lv->ShowInactive());
    QColor pen, brush, gradientTop, gradientBottom;
    if (active) {
        pen = item->Focused() && s.UseFocusRect() ? QColor(192, 192, 192) : ResolveColor(s.BorderColor());
        brush = ResolveColor(s.Color());
        gradientTop = ResolveColor(s.GradientColorTop());
        gradientBottom = ResolveColor(s.GradientColorBottom());
    } else {
        pen = ResolveColor(s.InactiveBorderColor());
        brush = ResolveColor(s.InactiveColor());
        gradientTop = ResolveColor(lv->Color());
        gradientBottom = brush;
    }
    LvRect rect;
    const bool wide = s.FullCellPaint() || s.FullItemPaint();
    if (lv->View() == TLvListStyle::elsReport && s.GroupSelections() && marked) {
        // A run of selected rows paints once, from its first row, over the run's rectangle.
        const auto &run = item->SelectionGroup();
        if (run && run->FirstItem != item)
            return;
        rect = run ? run->DisplayRect : item->DisplayRect();
        if (!wide)
            rect.left = item->DropHilighted() && !run ? r.CaptionArea.left : r.SelectionArea.left;
    } else if (view.FullRowSelect() && marked) {
        rect = item->DisplayRect();
        if (!wide)
            rect.left = r.SelectionArea.left;
    } else if (item->Focused() && (lv->Focused() || s.PopupMode())) {
        if (s.FullCellPaint())
            rect = FullCellRect(lv, item, r.FullFocusArea);
        else
            rect = s.FullItemPaint() ? r.FullFocusArea.United(r.ImageArea) : r.FullFocusArea;
    } else if (s.FullCellPaint()) {
        rect = FullCellRect(lv, item, LvRect());
    } else {
        rect = s.FullItemPaint() ? r.SelectionArea.United(r.ImageArea) : r.SelectionArea;
    }
    view.AdjustSelectionRect(item, column, rect);
    if (lv->PaintInfoItem().GridLines())
        rect.bottom -= 1;
    if (rect.IsEmpty())
        return;
    // The visible part (the blended variants work on it): below the header, inside the client area.
    const int headerHeight = lv->Header().RuntimeHeight();
    LvRect visible = rect.Intersected(
        lv->Scrollbars().MapWindowRectToView({0, headerHeight, lv->ClientWidth(), lv->ClientHeight()}));
    if (!visible.IsEmpty())
        visible.right = std::min(visible.right + s.RoundRectRadius(), rect.right);
    const qreal radius = s.RoundRectRadius() / 2.0;
    const QRectF outline(rect.left + 0.5, rect.top + 0.5, rect.Width() - 1, rect.Height() - 1);
    p.save();
    if (s.Gradient() && !s.AlphaBlend()) {
        if (!visible.IsEmpty())
            FillGradient(p, rect, visible, gradientTop, gradientBottom);
        FrameRect(p, rect, pen);
    } else if (s.AlphaBlend()) {
        // The colour (or the gradient, at 80 %) is composed over what is painted already.
        if (s.RoundRect()) {
            QPainterPath path;
            path.addRoundedRect(QRectF(rect.ToQRect()), radius, radius);
            p.setClipPath(path, Qt::IntersectClip);
        }
        if (!visible.IsEmpty()) {
            if (s.Gradient()) {
                p.setOpacity(0.8);
                FillGradient(p, rect, visible, gradientTop, gradientBottom);
                p.setOpacity(1.0);
            } else {
                QColor tint = brush;
                tint.setAlphaF(std::clamp(s.BlendAlphaTextRect(), 0, 256) / 256.0);
                p.fillRect(visible.ToQRect(), tint);
            }
        }
        if (s.RoundRect()) {
            p.setRenderHint(QPainter::Antialiasing, false);
            p.setPen(pen);
            p.setBrush(Qt::NoBrush);
            p.drawRoundedRect(outline, radius, radius);
        } else if (!s.Gradient()) {
            FrameRect(p, rect, pen);
        }
    } else if (s.RoundRect()) {
        p.setPen(pen);
        p.setBrush(brush);
        p.drawRoundedRect(outline, radius, radius);
    } else {
        p.fillRect(rect.ToQRect(), brush);
        FrameRect(p, rect, pen);
    }
    p.restore();
}

void PaintImage(TLvViewItem &view, ListviewCore *lv, TLvItem *item, TLvColumn *column, const TLvRectArrayObject &r,
                LvCanvas &canvas, TLvAlphaBlender *blender)
{
    QPainter &p = *canvas.painter;
    if (!lv->ShowImages() && !lv->IsThumbnailView())
        return;
    const LvPainterSave saved(p);
    const LvRect both = r.ImageArea.United(r.StateImageArea);
    if (both.Intersected(r.CellArea) != both)
        p.setClipRect(both.Intersected(r.CellArea).ToQRect(), Qt::IntersectClip);
    if (lv->IsThumbnailView()) {
        bool doDefault = true;
        const int border = item->PaintInfo()->Border();
        item->ThumbnailDraw(canvas, r.CellArea.Inflated(-border, -border), blender, doDefault);
        if (!doDefault)
            return;
    }
    if (item->ImageDrawIsCustom(column)) {
        item->ImageDraw(column, canvas, r, blender);
        return;
    }
    const int index = column ? column->Index() : 0;
    if (view.ShowsStateImages()) {
        const LvImageList *states = view.ImageList(item, column, TLvImageKind::eikState);
        const int state = item->StateImageIndexes(index);
        if (states && state >= 0 && state < states->Count())
            p.drawImage(CenterRectInRect(r.StateImageArea, {0, 0, states->Width(), states->Height()}).ToQRect().topLeft(),
                        states->Image(state));
    }
    const LvImageList *list = view.ImageList(item, column, TLvImageKind::eikNormal);
    const int image = item->ImageIndexes(index);
    if (!list || image < 0 || image >= list->Count())
        return;
    QImage picture = list->Image(image);
    TLvSelectionManager &s = lv->Selection();
    if (s.BlendIcon() && (((lv->Focused() || s.PopupMode()) && item->Selected()) || (item->DropHilighted() && index == 0)))
        picture = TintedImage(picture, 64, s.Color());
    if (!item->Enabled() || item->Cut() || item->Ghosted() || lv->ShowInactive())
        picture = TintedImage(picture, 64, lv->DisabledBlendColor());
    const int overlay = item->ImageOverlayIndexes(index);
    if (overlay >= 0 && overlay < list->Count()) {
        QPainter op(&picture);
        op.drawImage(0, 0, list->Image(overlay));
    }
    const LvRect area = r.ImageArea;
    if (area.Width() >= list->Width() && area.Height() >= list->Height()) {
        p.drawImage(CenterRectInRect(area, {0, 0, list->Width(), list->Height()}).ToQRect().topLeft(), picture);
    } else {
        const double scale = std::min(double(area.Width()) / list->Width(), double(area.Height()) / list->Height());
        const int w = RoundHalfEven(list->Width() * scale), h = RoundHalfEven(list->Height() * scale);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        p.drawImage(CenterRectInRect(area, {0, 0, w, h}).ToQRect(), picture);
    }
}

void PaintCaption(TLvViewItem &view, ListviewCore *lv, TLvItem *item, TLvColumn *column, const TLvRectArrayObject &r,
                  LvCanvas &canvas, const QString &caption)
{
    if (r.CaptionArea.IsEmpty())
        return;
    TLvSelectionManager &s = lv->Selection();
    const bool selectedLook = (item->Selected() || item->DropHilighted()) &&
                              (!column || column->Index() == 0 || view.FullRowSelect() || s.GroupSelections());
    const int lines = view.CaptionLineCount(item, column);
    if (dynamic_cast<TLvViewTileItem *>(&view)) {
        // One line per tile detail, each in the caption font of its position.
        for (std::size_t n = 0; n < r.CaptionLineAreas.size(); ++n) {
            const int detail = TLvViewTileItem::LineColumn(item, int(n));
            if (detail < 0)
                continue;
            LvCanvas c = canvas;
            view.ItemCaptionFont(item, int(n), selectedLook, c);
            LvRect area = r.CaptionLineAreas[n];
            DrawTextWide(TextMetrics(*lv, c.font), canvas.painter, c.font, ResolveColor(c.fontColor),
                         item->Captions(detail), area, lines, dtEndEllipsis | dtTop | dtLeft);
        }
        return;
    }
    LvCanvas c = canvas;
    view.ItemCaptionFont(item, column ? column->Position() : 0, selectedLook, c);
    std::uint32_t flags = dtEndEllipsis | (lines == 1 ? std::uint32_t(dtSingleLine) : 0u);
    switch (view.CaptionAlignment(item, column)) {
    case 0: flags |= dtLeft; break;
    case 1: flags |= dtRight; break;
    default: flags |= dtCenter; break;
    }
    switch (view.CaptionVAlignment(item, column)) {
    case 0: flags |= dtTop; break;
    case 1: flags |= dtBottom; break;
    default: flags |= dtVCenter; break;
    }
    LvRect area = r.CaptionArea;
    DrawTextWide(TextMetrics(*lv, c.font), canvas.painter, c.font, ResolveColor(c.fontColor), caption, area, lines,
                 flags);
}

void PaintFocusRect(TLvViewItem &view, ListviewCore *lv, TLvItem *item, TLvColumn *column, const TLvRectArrayObject &r,
                    QPainter &p)
{
    if (view.FullRowSelect() || !item->Focused() || !lv->Focused() || (column && column->Index() != 0))
        return;
    TLvSelectionManager &s = lv->Selection();
    LvRect focus;
    if (s.FullCellPaint())
        focus = FullCellRect(lv, item, r.FullFocusArea);
    else
        focus = s.FullItemPaint() ? r.FullFocusArea.United(r.ImageArea) : r.FullFocusArea;
    view.AdjustFocusRect(item, column, focus);
    if (focus.IsEmpty())
        return;
    p.save();
    p.setPen(QPen(Qt::black, 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(focus.left, focus.top, focus.Width() - 1, focus.Height() - 1));
    p.restore();
}

// The thumbnail views' frame around the picture: three in the selection colour for a selected item
// (without the gradient), otherwise one in the paint info's border colour.
void PaintThumbnailFrame(ListviewCore *lv, TLvItem *item, const TLvRectArrayObject &r, QPainter &p)
{
    auto *own = dynamic_cast<TLvPaintInfoItem *>(item->PaintInfo());
    const TLvPaintInfoItem &info = own ? *own : lv->PaintInfoItem();
    if (!info.ShowBorder())
        return;
    TLvSelectionManager &s = lv->Selection();
    p.save();
    if ((item->Selected() || item->DropHilighted()) && !s.Gradient()) {
        const bool active = lv->Focused() || s.PopupMode() || item->DropHilighted();
        const QColor color = ResolveColor(active ? s.Color() : s.InactiveColor());
        for (int i = 0; i < 3; ++i)
            FrameRect(p, r.ImageArea.Inflated(-i, -i), color);
    } else {
        FrameRect(p, r.ImageArea, ResolveColor(info.BorderColor()));
    }
    p.restore();
}

} // namespace

void PaintItemCell(TLvViewItem &view, TLvItem *item, TLvColumn *column, bool force, const LvRect &, LvCanvas &canvas,
                   TLvAlphaBlender *blender)
{
    if (!item->Visible() || !canvas.painter)
        return;
    if (!blender)
        blender = &SharedAlphaBlender();
    ListviewCore *lv = view.OwnerListview();
    QPainter &p = *canvas.painter;
    const LvPainterSave saved(p);
    const QString caption = column ? item->Captions(column->Index()) : item->Caption();
    TLvRectArrayObject r;
    view.ItemRectArray(item, column, &canvas, caption, r);
    const bool edited = lv->EditingItem() == item; // the editor's box covers it
    const bool captionEdited = edited && (lv->View() != TLvListStyle::elsReport || column == lv->EditingColumn());
    if (!edited)
        PaintSelection(view, lv, item, column, r, p, force);
    PaintImage(view, lv, item, column, r, canvas, blender);
    if (!captionEdited) {
        PaintCaption(view, lv, item, column, r, canvas, caption);
        if (lv->Selection().UseFocusRect())
            PaintFocusRect(view, lv, item, column, r, p);
    }
    TLvPaintInfoBasic *info = item->PaintInfo();
    if (!column || column->Index() < 1)
        PaintCheckbox(p, info->CheckType(), info->CheckFlat(), item->CheckPending(), item->CheckPendingAway(),
                      lv->CheckManager().PendingObject() == item, item->Checked(), item->Enabled(), r.CheckArea,
                      lv->Themed());
    if (dynamic_cast<TLvViewThumbnailItem *>(&view))
        PaintThumbnailFrame(lv, item, r, p);
}

void PaintGroup(ListviewCore &, TLvGroup *group, LvCanvas &canvas)
{
    if (!canvas.painter)
        return;
    TLvViewGroup *view = group->View();
    const LvRect whole = group->DisplayRect();
    view->Paint(group, egpGroup, whole, canvas);
    view->Paint(group, egpHeader, group->MarginRectTop(), canvas);
    view->Paint(group, egpFooter, group->MarginRectBottom(), canvas);
    view->Paint(group, egpLeft, group->MarginRectLeft(), canvas);
    view->Paint(group, egpRight, group->MarginRectRight(), canvas);
    view->Paint(group, egpGroupAgain, whole, canvas);
}

namespace {

// The header cell's drop-down button: the style's drop-down arrow button themed, otherwise a flat
// combo-box arrow button of our own (greyed when disabled, pushed in while pressed).
void PaintDropDownButton(QPainter &p, TLvColumn *column, const TLvRectArrayObject &r, bool themed)
{
    TLvColumnDropDownButton &button = column->DropDownButton();
    if (!button.Visible() || r.DropDownArrowArea.Width() <= 0)
        return;
    const bool hot = button.State() & 1, pressed = button.State() & 4;
    if (themed) {
        QStyleOption option;
        option.rect = r.DropDownArrowArea.ToQRect();
        option.state = button.Enabled() ? QStyle::State_Enabled : QStyle::State_None;
        if (pressed)
            option.state |= QStyle::State_Sunken;
        else if (hot)
            option.state |= QStyle::State_MouseOver;
        QApplication::style()->drawPrimitive(QStyle::PE_IndicatorButtonDropDown, &option, &p);
        QApplication::style()->drawPrimitive(QStyle::PE_IndicatorArrowDown, &option, &p);
        return;
    }
    const LvRect area = r.DropDownArrowArea.Inflated(-1, -1);
    if (area.IsEmpty())
        return;
    p.save();
    p.fillRect(area.ToQRect(), ResolveColor(LvColor(hot && !pressed ? LvColor::clBtnHighlight : LvColor::clBtnFace)));
    FrameRect(p, area, ResolveColor(LvColor(LvColor::clBtnShadow)));
    const int shift = pressed ? 1 : 0;
    const int cx = area.left + area.Width() / 2 + shift, cy = area.top + area.Height() / 2 + shift;
    const int half = std::max(1, std::min(area.Width(), area.Height()) / 4);
    QPainterPath arrow;
    arrow.moveTo(cx - half, cy - half / 2);
    arrow.lineTo(cx + half + 1, cy - half / 2);
    arrow.lineTo(cx, cy + half / 2 + 1);
    arrow.closeSubpath();
    p.fillPath(arrow, button.Enabled() ? QColor(Qt::black) : ResolveColor(LvColor(LvColor::clBtnShadow)));
    p.restore();
}

} // namespace

void QtLvViewColumn::Paint(TLvColumn *column, LvCanvas &canvas)
{
    if (!canvas.painter)
        return;
    QPainter &p = *canvas.painter;
    TLvRectArrayObject r;
    ItemRectArray(column, r);
    const LvPainterSave saved(p);
    p.setClipRect(r.CellArea.ToQRect(), Qt::IntersectClip);
    TLvPaintInfoColumn &info = owner_->PaintInfoColumn();
    const LvRect cell = column->DisplayRect();
    const bool pressed = column->Pressed();
    if (owner_->Themed()) {
        // The style's header section draws background, caption (cut here with an ellipsis to its label
        // area) and sort indicator; the section is told it is horizontal, or the style lays caption and
        // arrow out top to bottom.
        QStyleOptionHeader option;
        option.rect = cell.ToQRect();
        option.orientation = Qt::Horizontal;
        option.text = column->Caption();
        option.textAlignment = column->Alignment() == TAlignment::taRightJustify ? Qt::AlignRight | Qt::AlignVCenter
                             : column->Alignment() == TAlignment::taCenter       ? Qt::AlignCenter
                                                                                 : Qt::AlignLeft | Qt::AlignVCenter;
        option.sortIndicator = column->SortDirection() == TLvSortDirection::esdAscending  ? QStyleOptionHeader::SortUp
                             : column->SortDirection() == TLvSortDirection::esdDescending ? QStyleOptionHeader::SortDown
                                                                                          : QStyleOptionHeader::None;
        option.state = QStyle::State_Enabled | QStyle::State_Horizontal |
                       (pressed ? QStyle::State_Sunken : QStyle::State_Raised);
        if (column->HotTracking())
            option.state |= QStyle::State_MouseOver;
        p.setFont(owner_->Header().Font());
        const QRect label = QApplication::style()->subElementRect(QStyle::SE_HeaderLabel, &option);
        option.text = QFontMetrics(owner_->Header().Font()).elidedText(option.text, Qt::ElideRight, label.width());
        QApplication::style()->drawControl(QStyle::CE_Header, &option, &p);
        PaintCheckbox(p, info.CheckType(), info.CheckFlat(), column->CheckPending(), column->CheckPendingAway(), false,
                      column->Checked(), column->Enabled(), r.CheckArea, true);
        PaintDropDownButton(p, column, r, true);
        return;
    }
    p.fillRect(cell.ToQRect(), ResolveColor(column->Color()));
    switch (info.Style()) {
    case TLvHeaderButtonStyle::ehbsThick:
        DrawEdge(p, cell, 5, true, pressed);
        break;
    case TLvHeaderButtonStyle::ehbsFlat:
        DrawEdge(p, cell, pressed ? 2 : 4, false, false);
        break;
    default:
        if (column->DropHilighted() && info.Style() == TLvHeaderButtonStyle::ehbsPlate)
            DrawEdge(p, cell, 4, false, false);
        else
            DrawEdge(p, cell, pressed ? 2 : 4, !pressed, false);
        break;
    }
    const LvImageList *images = owner_->Header().Images();
    if (column->ImageDrawIsCustom(nullptr)) {
        column->ImageDraw(nullptr, canvas, r, &SharedAlphaBlender());
    } else if (images && column->ImageIndex() >= 0 && column->ImageIndex() < images->Count())
        p.drawImage(CenterRectInRect(r.ImageArea, {0, 0, images->Width(), images->Height()}).ToQRect().topLeft(),
                    images->Image(column->ImageIndex()));
    if (!r.CaptionArea.IsEmpty() && !r.CaptionLineAreas.empty()) {
        LvCanvas c = canvas;
        CaptionFont(column, c);
        c.fontColor = LvColor(LvColor::clBtnText);
        if (owner_->OnColumnPaintText)
            owner_->OnColumnPaintText(column, c);
        std::uint32_t flags = dtEndEllipsis | (info.CaptionLines() == 1 ? std::uint32_t(dtSingleLine) : 0u);
        flags |= column->Alignment() == TAlignment::taRightJustify ? std::uint32_t(dtRight)
               : column->Alignment() == TAlignment::taCenter       ? std::uint32_t(dtCenter)
                                                                   : std::uint32_t(dtLeft);
        LvRect line = r.CaptionLineAreas[0];
        if (info.VAlignment() == TCommonVAlignment::cvaCenter)
            flags |= dtVCenter;
        DrawTextWide(TextMetrics(*owner_, c.font), &p, c.font, ResolveColor(c.fontColor), column->Caption(), line,
                     info.CaptionLines(), flags);
    }
    if (column->SortDirection() != TLvSortDirection::esdNone)
        p.drawImage(QPoint(r.SortGlyphArea.left, r.SortGlyphArea.top),
                    column->SortDirection() == TLvSortDirection::esdAscending ? owner_->GlobalImages().ColumnSortUp()
                                                                              : owner_->GlobalImages().ColumnSortDown());
    PaintCheckbox(p, info.CheckType(), info.CheckFlat(), column->CheckPending(), column->CheckPendingAway(), false,
                  column->Checked(), column->Enabled(), r.CheckArea);
    if (column->ColumnDropTarget())
        p.fillRect(QRect(cell.left, cell.top, 2, cell.Height()), Qt::blue);
    PaintDropDownButton(p, column, r, false);
}

} // namespace gdvorn::lv
