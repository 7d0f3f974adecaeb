#include "listview/QtLvPainters.h"

#include "listview/LvUtilities.h"
#include "listview/LvViewGroup.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QStyle>
#include <QStyleOption>

namespace gdvorn::lv {

QImage BlendedImage(const QImage &image, const QColor &color)
{
    QImage copy = image.convertToFormat(QImage::Format_ARGB32);
    const std::uint32_t c = std::uint32_t(color.red()) | std::uint32_t(color.green()) << 8 | std::uint32_t(color.blue()) << 16;
    for (int y = 0; y < copy.height(); ++y) {
        auto *row = reinterpret_cast<std::uint32_t *>(copy.scanLine(y));
        for (int x = 0; x < copy.width(); ++x) {
            const std::uint32_t alpha = row[x] & 0xFF000000u;
            BlendLineColor(&row[x], 1, 64, c);
            row[x] = (row[x] & 0x00FFFFFFu) | alpha; // the picture's own transparency stays
        }
    }
    return copy;
}

QImage SortArrowGlyph(bool ascending)
{
    QImage image(ListviewCore::SortArrowSize(), QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    QPainterPath path;
    if (ascending) {
        path.moveTo(8, 5);
        path.lineTo(12, 10);
        path.lineTo(4, 10);
    } else {
        path.moveTo(4, 6);
        path.lineTo(12, 6);
        path.lineTo(8, 11);
    }
    path.closeSubpath();
    p.fillPath(path, ResolveColor(LvColor(LvColor::clBtnShadow)));
    return image;
}

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

void PaintSelection(TLvViewItem &view, ListviewCore *lv, TLvItem *item, TLvColumn *column,
                    const TLvRectArrayObject &r, QPainter &p, bool force)
{
    const bool marked = item->Selected() || item->DropHilighted();
    if (!force && !(marked && (!column || column->Index() == 0) && !view.FullRowSelect()))
        return;
    TLvSelectionManager &s = lv->Selection();
    const bool active = lv->Focused() || s.PopupMode() || (item->DropHilighted() && !lv->ShowInactive());
    QColor pen, brush;
    if (active) {
        pen = item->Focused() && s.UseFocusRect() ? QColor(192, 192, 192) : ResolveColor(s.BorderColor());
        brush = ResolveColor(s.Color());
    } else {
        pen = ResolveColor(s.InactiveBorderColor());
        brush = ResolveColor(s.InactiveColor());
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
        rect = s.FullItemPaint() ? r.FullFocusArea.United(r.ImageArea) : r.FullFocusArea;
    } else {
        rect = s.FullItemPaint() ? r.SelectionArea.United(r.ImageArea) : r.SelectionArea;
    }
    if (lv->PaintInfoItem().GridLines())
        rect.bottom -= 1;
    if (rect.IsEmpty())
        return;
    p.fillRect(rect.ToQRect(), brush);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(rect.left, rect.top, rect.Width() - 1, rect.Height() - 1));
}

void PaintImage(TLvViewItem &view, ListviewCore *lv, TLvItem *item, TLvColumn *column, const TLvRectArrayObject &r,
                QPainter &p)
{
    if (!lv->ShowImages())
        return;
    const int index = column ? column->Index() : 0;
    const LvImageList *list = view.ImageList(item, column, TLvImageKind::eikNormal);
    const int image = item->ImageIndexes(index);
    if (!list || image < 0 || image >= list->Count())
        return;
    QImage picture = list->Image(image);
    TLvSelectionManager &s = lv->Selection();
    if (s.BlendIcon() && (((lv->Focused() || s.PopupMode()) && item->Selected()) || (item->DropHilighted() && index == 0)))
        picture = BlendedImage(picture, ResolveColor(s.Color()));
    if (!item->Enabled() || item->Cut() || item->Ghosted() || lv->ShowInactive())
        picture = BlendedImage(picture, ResolveColor(LvColor(LvColor::clWindow)));
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
        p.drawImage(CenterRectInRect(area, {0, 0, w, h}).ToQRect(), picture);
    }
}

} // namespace

void PaintItemCell(TLvViewItem &view, TLvItem *item, TLvColumn *column, bool force, const LvRect &, LvCanvas &canvas)
{
    if (!item->Visible() || !canvas.painter)
        return;
    ListviewCore *lv = view.OwnerListview();
    QPainter &p = *canvas.painter;
    p.save();
    struct Restore {
        QPainter &p;
        ~Restore() { p.restore(); }
    } restore{p};
    const QString caption = column ? item->Captions(column->Index()) : item->Caption();
    TLvRectArrayObject r;
    view.ItemRectArray(item, column, &canvas, caption, r);
    PaintSelection(view, lv, item, column, r, p, force);
    PaintImage(view, lv, item, column, r, p);
    if (!r.CaptionArea.IsEmpty()) {
        TLvSelectionManager &s = lv->Selection();
        const bool selectedLook = (item->Selected() || item->DropHilighted()) &&
                                  ((column && column->Index() == 0) || !column || view.FullRowSelect() || s.GroupSelections());
        LvCanvas c = canvas;
        view.ItemCaptionFont(item, column ? column->Position() : 0, selectedLook, c);
        const int lines = view.CaptionLineCount(item, column);
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
        DrawTextWide(TextMetrics(*lv, c.font), &p, c.font, ResolveColor(c.fontColor), caption, area, lines, flags);
        if (s.UseFocusRect() && !view.FullRowSelect() && item->Focused() && lv->Focused() &&
            (!column || column->Index() == 0)) {
            const LvRect focus = s.FullItemPaint() ? r.FullFocusArea.United(r.ImageArea) : r.FullFocusArea;
            p.setPen(QPen(Qt::black, 1, Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRect(focus.left, focus.top, focus.Width() - 1, focus.Height() - 1));
        }
    }
    TLvPaintInfoBasic *info = item->PaintInfo();
    if (!column || column->Index() < 1)
        PaintCheckbox(p, info->CheckType(), info->CheckFlat(), item->CheckPending(), item->CheckPendingAway(),
                      lv->CheckManager().PendingObject() == item, item->Checked(), item->Enabled(), r.CheckArea,
                      lv->Themed());
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

void QtLvViewColumn::Paint(TLvColumn *column, LvCanvas &canvas)
{
    if (!canvas.painter)
        return;
    QPainter &p = *canvas.painter;
    TLvRectArrayObject r;
    ItemRectArray(column, r);
    p.save();
    struct Restore {
        QPainter &p;
        ~Restore() { p.restore(); }
    } restore{p};
    p.setClipRect(r.CellArea.ToQRect(), Qt::IntersectClip);
    TLvPaintInfoColumn &info = owner_->PaintInfoColumn();
    const LvRect cell = column->DisplayRect();
    const bool pressed = column->Pressed();
    if (owner_->Themed()) {
        // The style's header section draws background, caption and sort indicator.
        QStyleOptionHeader option;
        option.rect = cell.ToQRect();
        option.text = column->Caption();
        option.textAlignment = column->Alignment() == TAlignment::taRightJustify ? Qt::AlignRight | Qt::AlignVCenter
                             : column->Alignment() == TAlignment::taCenter       ? Qt::AlignCenter
                                                                                 : Qt::AlignLeft | Qt::AlignVCenter;
        option.sortIndicator = column->SortDirection() == TLvSortDirection::esdAscending  ? QStyleOptionHeader::SortUp
                             : column->SortDirection() == TLvSortDirection::esdDescending ? QStyleOptionHeader::SortDown
                                                                                          : QStyleOptionHeader::None;
        option.state = QStyle::State_Enabled | (pressed ? QStyle::State_Sunken : QStyle::State_Raised);
        if (column->HotTracking())
            option.state |= QStyle::State_MouseOver;
        p.setFont(owner_->Header().Font());
        QApplication::style()->drawControl(QStyle::CE_Header, &option, &p);
        PaintCheckbox(p, info.CheckType(), info.CheckFlat(), column->CheckPending(), column->CheckPendingAway(), false,
                      column->Checked(), column->Enabled(), r.CheckArea, true);
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
    if (images && column->ImageIndex() >= 0 && column->ImageIndex() < images->Count())
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
                    SortArrowGlyph(column->SortDirection() == TLvSortDirection::esdAscending));
    PaintCheckbox(p, info.CheckType(), info.CheckFlat(), column->CheckPending(), column->CheckPendingAway(), false,
                  column->Checked(), column->Enabled(), r.CheckArea);
    if (column->ColumnDropTarget())
        p.fillRect(QRect(cell.left, cell.top, 2, cell.Height()), Qt::blue);
}

} // namespace gdvorn::lv
