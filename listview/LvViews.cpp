// Layouts of item cells and header cells, and the hit tests built on them.

#include "listview/LvViews.h"

#include "listview/ListviewCore.h"
#include "listview/LvUtilities.h"

#include <QPainter>

#include <cmath>

namespace gdvorn::lv {

LvPainterSave::LvPainterSave(QPainter &painter) : painter_(painter) { painter_.save(); }

LvPainterSave::~LvPainterSave() { painter_.restore(); }

int LvImageList::Add(const QImage &image)
{
    QImage img = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    if (img.width() != width_ || img.height() != height_)
        img = img.scaled(width_, height_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    images_.push_back(img);
    return Count() - 1;
}

namespace {

LvRect ZeroWidthAt(int x, int top, int bottom) { return {x, top, x, bottom}; }

LvRect VCentred(int left, QSize size, const LvRect &cell)
{
    const int top = cell.top + (cell.Height() - size.height()) / 2;
    return {left, top, left + size.width(), top + size.height()};
}

std::uint32_t AlignFlags(int horizontal, int vertical)
{
    std::uint32_t flags = horizontal == 0 ? dtLeft : horizontal == 1 ? dtRight : dtCenter;
    flags |= vertical == 0 ? dtTop : vertical == 1 ? dtBottom : dtVCenter;
    return flags;
}

// Measures a caption as wrapped text into `rect` (calculate mode) with a line limit (-1: none).
void MeasureCaption(const ListviewCore &lv, const QFont &font, const QString &caption, LvRect &rect, int lines,
                    std::uint32_t flags)
{
    DrawTextWide(TextMetrics(lv, font), nullptr, font, QColor(), caption.isEmpty() ? QStringLiteral(" ") : caption,
                 rect, lines, flags | dtEndEllipsis | dtCalcRect);
}

const TLvPaintInfoItem &ItemInfo(ListviewCore *lv, TLvItem *item)
{
    auto *own = dynamic_cast<TLvPaintInfoItem *>(item->PaintInfo());
    return own ? *own : lv->PaintInfoItem();
}

LvRect CheckBelow(ListviewCore *lv, TLvPaintInfoBasic *info, const LvRect &cell, int imageBottom)
{
    if (info->CheckType() == TLvCheckType::ectNone)
        return ZeroWidthAt(cell.left, imageBottom, cell.bottom);
    const LvRect box = lv->CheckBoxBound(info->CheckSize());
    const int left = cell.left + info->CheckIndent();
    return {left, imageBottom + 1, left + box.Width(), imageBottom + 1 + box.Height()};
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// TLvViewItem

const LvImageList *TLvViewItem::ImageList(TLvItem *item, TLvColumn *column, TLvImageKind kind) const
{
    const int index = column ? column->Index() : 0;
    if (kind != TLvImageKind::eikNormal)
        return item->StateImageList(index);
    const LvImageList *list = item->ImageList(index, ImageSizeKind());
    // Thumbnail-like views fall back to the large list.
    if (!list && ImageSizeKind() == 2)
        list = item->ImageList(index, 1);
    return list;
}

QSize TLvViewItem::ImageSize(TLvItem *item, TLvColumn *column, TLvImageKind kind) const
{
    if (!owner_->ShowImages())
        return {0, 0};
    const int index = column ? column->Index() : 0;
    if (kind == TLvImageKind::eikNormal && item->ImageIndexes(index) < 0)
        return {0, 0};
    if (kind == TLvImageKind::eikNormal && item->ImageDrawIsCustom(column)) {
        int width = 0, height = 0;
        item->ImageGetSize(column, width, height);
        return {width, height};
    }
    const LvImageList *list = ImageList(item, column, kind);
    return list ? QSize(list->Width(), list->Height()) : QSize(0, 0);
}

void TLvViewItem::ItemCaptionFont(TLvItem *item, int position, bool selectedLook, LvCanvas &canvas) const
{
    canvas.font = owner_->Font();
    canvas.brushClear = true;
    TLvSelectionManager &s = owner_->Selection();
    if (owner_->ShowInactive()) {
        canvas.fontColor = LvColor(LvColor::clGrayText);
    } else if (selectedLook) {
        canvas.fontColor = owner_->Focused() || s.PopupMode() || item->DropHilighted() ? s.TextColor() : s.InactiveTextColor();
    } else {
        canvas.fontColor = LvColor(LvColor::clWindowText);
    }
    if (!owner_->ShowInactive())
        owner_->HotTrackCaptionFont(item, canvas);
    if (item->Bold())
        canvas.font.setBold(true);
    if (owner_->OnItemPaintText)
        owner_->OnItemPaintText(item, position, canvas);
}

void TLvViewItem::ItemRectArray(TLvItem *item, TLvColumn *, const LvCanvas *, const QString &, TLvRectArrayObject &r)
{
    if (!item->Initialized())
        item->SetInitialized(true);
    const int border = item->PaintInfo()->Border();
    const LvRect cell = item->DisplayRect().Inflated(-border, -border);
    r.LabelArea = r.ImageArea = r.CaptionArea = r.CellArea = r.ClickSelectArea = r.DragSelectArea = r.SelectionArea =
        r.FocusRepaintArea = cell;
}

LvRect TLvViewItem::ImageHitRect(TLvItem *, const TLvRectArrayObject &r) const { return r.ImageArea; }

LvRect TLvViewItem::CaptionHitRect(TLvItem *item, const TLvRectArrayObject &r) const
{
    if (item->Focused() && (owner_->Focused() || owner_->Selection().PopupMode()))
        return r.FullCaptionArea;
    return r.CaptionArea;
}

bool TLvViewItem::PointOnCaption(TLvItem *item, QPoint p)
{
    if (!item->Enabled())
        return false;
    return item->ItemRectArray(owner_->Header().FirstVisibleColumn()).CaptionArea.Contains(p);
}

bool TLvViewItem::PointHitsItem(TLvItem *item, QPoint p, bool)
{
    if (!item->Enabled())
        return false;
    const TLvRectArrayObject r = item->ItemRectArray(nullptr);
    return CaptionHitRect(item, r).Contains(p) || ImageHitRect(item, r).Contains(p);
}

bool TLvViewItem::RectTouchesItem(TLvItem *item, const LvRect &rect, bool)
{
    if (!item->Enabled())
        return false;
    const TLvRectArrayObject r = item->ItemRectArray(nullptr);
    return CaptionHitRect(item, r).Intersects(rect) || ImageHitRect(item, r).Intersects(rect);
}

int TLvViewItem::ComparePointWithCell(const TLvItem *item, QPoint p) const
{
    const LvRect &r = item->DisplayRect();
    if (p.y() < r.top)
        return 1;
    if (p.y() > r.bottom)
        return -1;
    if (p.x() < r.left)
        return 1;
    if (p.x() > r.right)
        return -1;
    return 0;
}

// ---------------------------------------------------------------------------------------------------
// Small-icon layout (small-icon, list, report and grid views)

int TLvViewSmallIconItem::CaptionAlignment(const TLvItem *, const TLvColumn *column) const
{
    if (!column)
        return 0;
    switch (column->Alignment()) {
    case TAlignment::taRightJustify: return 1;
    case TAlignment::taCenter: return 2;
    default: return 0;
    }
}

int TLvViewSmallIconItem::CaptionVAlignment(const TLvItem *, const TLvColumn *column) const
{
    if (!column)
        return 2;
    switch (column->PaintInfo()->VAlignment()) {
    case TCommonVAlignment::cvaTop: return 0;
    case TCommonVAlignment::cvaBottom: return 1;
    default: return 2;
    }
}

LvRect TLvViewSmallIconItem::CellRectForColumn(TLvItem *item, TLvColumn *) const { return item->DisplayRect(); }

void TLvViewSmallIconItem::ItemRectArray(TLvItem *item, TLvColumn *column, const LvCanvas *canvas,
                                         const QString &caption, TLvRectArrayObject &r)
{
    if (!item->Initialized())
        item->SetInitialized(true);
    TLvHeader &header = owner_->Header();
    if (!column && !header.Positions().empty())
        column = header.Positions().front();
    const int index = column ? column->Index() : 0;
    const int position = column ? column->Position() : 0;
    if (position < 0)
        return;
    r = TLvRectArrayObject();
    TLvPaintInfoBasic *info = item->PaintInfo();
    const LvRect cell = CellRectForColumn(item, column);
    r.CellArea = cell;

    if (index == 0 && info->CheckType() != TLvCheckType::ectNone) {
        const LvRect box = owner_->CheckBoxBound(info->CheckSize());
        const int left = cell.left + info->CheckIndent();
        const int top = cell.top + (cell.Height() - box.Height()) / 2;
        r.CheckArea = {left, top, left + box.Width(), top + box.Height()};
    } else {
        r.CheckArea = ZeroWidthAt(cell.left, cell.top, cell.bottom);
    }

    if (ShowsStateImages() && (item->StateImageIndexes(index) >= 0 || owner_->ImagesState()))
        r.StateImageArea = VCentred(r.CheckArea.right + info->ImageIndent(),
                                    ImageSize(item, column, TLvImageKind::eikState), cell);
    else
        r.StateImageArea = ZeroWidthAt(r.CheckArea.right, r.CheckArea.top, r.CheckArea.bottom);

    if (item->ImageIndexes(index) >= 0)
        r.ImageArea = VCentred(r.StateImageArea.right + info->ImageIndent(),
                               ImageSize(item, column, TLvImageKind::eikNormal), cell);
    else
        r.ImageArea = ZeroWidthAt(r.StateImageArea.right, r.StateImageArea.top, r.StateImageArea.bottom);

    const int x = r.ImageArea.right + info->CaptionIndent();
    if (x < cell.right - 1)
        r.LabelArea = {x, cell.top, cell.right, cell.bottom};

    QSize extent(0, 0);
    if (canvas) {
        LvCanvas c = *canvas;
        ItemCaptionFont(item, position, item->Selected(), c);
        extent = owner_->TextExtent(c.font, caption.isEmpty() ? QStringLiteral(" ") : caption);
    }
    const LvRect shrunk = r.LabelArea.Inflated(-2, -2);
    LvRect cap = shrunk;
    if (extent.width() <= shrunk.Width()) {
        cap.left = shrunk.left + (shrunk.Width() - extent.width()) / 2;
        cap.right = cap.left + extent.width();
    }
    if (extent.height() <= shrunk.Height()) {
        cap.top = shrunk.top + (shrunk.Height() - extent.height()) / 2;
        cap.bottom = cap.top + extent.height();
    }
    switch (CaptionAlignment(item, column)) {
    case 0: cap = cap.Translated(r.LabelArea.left - cap.left, 0); break;
    case 1: cap = cap.Translated(r.LabelArea.right - 8 - cap.right, 0); break;
    default: break;
    }
    r.CaptionArea = cap;
    r.FullCaptionArea = r.EditArea = cap;
    r.SelectionArea = r.FullFocusArea = cap.Inflated(2, 2);
    r.ClickSelectArea = FullRowSelect() ? r.CellArea : r.ImageArea.United(r.SelectionArea);
    const int cut = RoundHalfEven(r.ClickSelectArea.Width() * 0.15);
    r.DragSelectArea = {r.ClickSelectArea.left + cut, r.ClickSelectArea.top, r.ClickSelectArea.right - cut,
                        r.ClickSelectArea.bottom};
    r.FocusRepaintArea = r.ImageArea.United(r.FullCaptionArea);
}

LvRect TLvViewSmallIconItem::CaptionHitRect(TLvItem *, const TLvRectArrayObject &r) const
{
    LvRect hit = r.ImageArea.United(r.CaptionArea);
    hit.top = r.CellArea.top;
    hit.bottom = r.CellArea.bottom;
    return hit;
}

// ---------------------------------------------------------------------------------------------------
// Report

bool TLvViewReportItem::FullRowSelect() const { return owner_->Selection().FullRowSelect(); }

LvRect TLvViewReportItem::CellRectForColumn(TLvItem *item, TLvColumn *column) const
{
    LvRect r = item->DisplayRect();
    if (column) {
        r.left = column->DisplayRect().left;
        r.right = column->DisplayRect().right;
        const TLvPaintInfoGroup &info = owner_->PaintInfoGroup();
        if (column->Position() == 0)
            r.left = info.MarginLeft().EffectiveSize();
        if (column->Position() + 1 == owner_->Header().Columns().Count())
            r.right -= info.MarginRight().EffectiveSize();
    }
    return r;
}

LvRect TLvViewReportItem::CaptionHitRect(TLvItem *item, const TLvRectArrayObject &r) const
{
    LvRect hit = TLvViewSmallIconItem::CaptionHitRect(item, r);
    if (FullRowSelect() && !owner_->HasState(elvsDragging)) {
        hit.left = owner_->PaintInfoGroup().MarginLeft().EffectiveSize();
        hit.right = item->DisplayRect().right;
    }
    return hit;
}

bool TLvViewReportItem::PointAllowsDrag(TLvItem *item, QPoint p)
{
    if (!FullRowSelect())
        return true;
    const TLvRectArrayObject r = item->ItemRectArray(nullptr);
    return item->Selected() && r.CaptionArea.United(r.ImageArea).Contains(p);
}

bool TLvViewReportItem::PointHitsItem(TLvItem *item, QPoint p, bool)
{
    if (!item->Enabled())
        return false;
    const TLvRectArrayObject r = item->ItemRectArray(owner_->Header().FirstVisibleColumn());
    return CaptionHitRect(item, r).Contains(p) || ImageHitRect(item, r).Contains(p);
}

bool TLvViewReportItem::RectTouchesItem(TLvItem *item, const LvRect &rect, bool)
{
    if (!item->Enabled() || rect.IsEmpty())
        return false;
    const TLvRectArrayObject r = item->ItemRectArray(owner_->Header().FirstVisibleColumn());
    return CaptionHitRect(item, r).Intersects(rect) || ImageHitRect(item, r).Intersects(rect);
}

// ---------------------------------------------------------------------------------------------------
// Icon, thumbnail and tile layouts

int TLvViewIconItem::CaptionLineCount(const TLvItem *item, const TLvColumn *) const
{
    return item->Focused() && owner_->Focused() ? -1 : 2;
}

void TLvViewItem::ShrinkWhenFullCell(LvRect &rect) const
{
    if (owner_->Selection().FullCellPaint())
        rect = rect.Inflated(-2, -2);
}

void TLvViewIconItem::ItemRectArray(TLvItem *item, TLvColumn *column, const LvCanvas *canvas, const QString &caption,
                                    TLvRectArrayObject &r)
{
    if (!item->Initialized())
        item->SetInitialized(true);
    r = TLvRectArrayObject();
    TLvPaintInfoBasic *info = item->PaintInfo();
    LvRect cell = item->DisplayRect();
    cell.left += 1;
    r.CellArea = cell;
    const QSize image = ImageSize(item, column, TLvImageKind::eikNormal);
    const int left = cell.left + (cell.Width() - image.width()) / 2;
    r.ImageArea = {left, cell.top + 2, left + image.width(), cell.top + 2 + image.height() + 4};
    r.CheckArea = CheckBelow(owner_, info, cell, r.ImageArea.bottom);
    r.LabelArea = {r.CheckArea.right, r.ImageArea.bottom + 1, cell.right, cell.bottom};
    r.CaptionArea = r.FullCaptionArea = r.LabelArea.Inflated(-2, -2);
    if (canvas) {
        LvCanvas c = *canvas;
        ItemCaptionFont(item, column ? column->Position() : 0, item->Selected(), c);
        const std::uint32_t flags = AlignFlags(CaptionAlignment(item, column), CaptionVAlignment(item, column));
        MeasureCaption(*owner_, c.font, caption, r.FullCaptionArea, -1, flags);
        MeasureCaption(*owner_, c.font, caption, r.CaptionArea, CaptionLineCount(item, column), flags);
    }
    r.SelectionArea = r.CaptionArea.Inflated(2, 2);
    r.FullFocusArea = r.FullCaptionArea.Inflated(2, 2);
    r.ClickSelectArea = r.DragSelectArea = r.ImageArea.United(r.CaptionArea);
    r.FocusRepaintArea = r.ImageArea.United(r.FullFocusArea);
    r.EditArea = r.FullCaptionArea;
}

void TLvViewThumbnailItem::ItemRectArray(TLvItem *item, TLvColumn *column, const LvCanvas *canvas,
                                         const QString &caption, TLvRectArrayObject &r)
{
    if (!item->Initialized())
        item->SetInitialized(true);
    r = TLvRectArrayObject();
    TLvPaintInfoBasic *info = item->PaintInfo();
    const bool hideCaption = ItemInfo(owner_, item).HideCaption();
    const int border = info->Border();
    const LvRect cell = item->DisplayRect().Inflated(-border, -border);
    r.CellArea = cell;
    r.ImageArea = cell;
    LvCanvas c = canvas ? *canvas : LvCanvas();
    if (canvas)
        ItemCaptionFont(item, column ? column->Position() : 0, item->Selected(), c);
    if (!hideCaption)
        r.ImageArea.bottom -= canvas ? 2 * owner_->TextHeight(c.font) : 0;
    else if (info->CheckType() != TLvCheckType::ectNone)
        r.ImageArea.bottom -= owner_->CheckBoxBound(info->CheckSize()).Height() + 2;
    r.CheckArea = CheckBelow(owner_, info, cell, r.ImageArea.bottom);
    if (hideCaption) {
        r.SelectionArea = r.FullFocusArea = r.FocusRepaintArea = r.ClickSelectArea = r.DragSelectArea = r.ImageArea;
        return;
    }
    r.LabelArea = {r.CheckArea.right + info->CaptionIndent(), r.ImageArea.bottom + 1, cell.right, cell.bottom};
    r.CaptionArea = r.FullCaptionArea = r.LabelArea.Inflated(-2, -2);
    if (canvas) {
        const std::uint32_t flags = AlignFlags(CaptionAlignment(item, column), CaptionVAlignment(item, column));
        MeasureCaption(*owner_, c.font, caption, r.FullCaptionArea, -1, flags);
        MeasureCaption(*owner_, c.font, caption, r.CaptionArea, CaptionLineCount(item, column), flags);
    }
    r.SelectionArea = r.CaptionArea.Inflated(2, 2);
    r.FullFocusArea = r.FullCaptionArea.Inflated(2, 2);
    r.FocusRepaintArea = r.ImageArea.United(r.FullFocusArea);
    r.ClickSelectArea = r.ImageArea.United(item->Focused() ? r.FullFocusArea : r.SelectionArea);
    r.DragSelectArea = r.CaptionArea;
    r.EditArea = r.FullCaptionArea;
}

LvRect TLvViewThumbnailItem::CaptionHitRect(TLvItem *item, const TLvRectArrayObject &r) const
{
    LvRect hit = TLvViewItem::CaptionHitRect(item, r);
    hit.top = r.ImageArea.bottom;
    return hit;
}

namespace {

// The part of a thumbnail a rubber band must touch: the picture less a tenth of its width all round.
LvRect BandImage(const TLvRectArrayObject &r)
{
    const int d = r.ImageArea.Width() / 10;
    return r.ImageArea.Inflated(-d, -d);
}

} // namespace

bool TLvViewThumbnailItem::PointHitsItem(TLvItem *item, QPoint p, bool rubberBand)
{
    if (!rubberBand)
        return TLvViewItem::PointHitsItem(item, p, false);
    return item->Enabled() && BandImage(item->ItemRectArray(nullptr)).Contains(p);
}

bool TLvViewThumbnailItem::RectTouchesItem(TLvItem *item, const LvRect &rect, bool rubberBand)
{
    if (!rubberBand)
        return TLvViewItem::RectTouchesItem(item, rect, false);
    return item->Enabled() && BandImage(item->ItemRectArray(nullptr)).Intersects(rect);
}

int TLvViewTileItem::LineColumn(const TLvItem *item, int line) { return item->Details(line); }

void TLvViewTileItem::ItemRectArray(TLvItem *item, TLvColumn *column, const LvCanvas *canvas, const QString &,
                                    TLvRectArrayObject &r)
{
    if (!item->Initialized())
        item->SetInitialized(true);
    r = TLvRectArrayObject();
    TLvPaintInfoBasic *info = item->PaintInfo();
    const int border = info->Border();
    const LvRect cell = item->DisplayRect().Inflated(-border, -border);
    r.CellArea = cell;
    if (info->CheckType() != TLvCheckType::ectNone) {
        const LvRect box = owner_->CheckBoxBound(info->CheckSize());
        r.CheckArea = VCentred(cell.left + info->CheckIndent(), QSize(box.Width(), box.Height()), cell);
    } else {
        r.CheckArea = ZeroWidthAt(cell.left, cell.top, cell.bottom);
    }
    const QSize image = ImageSize(item, column, TLvImageKind::eikNormal);
    const int imageLeft = r.CheckArea.right + info->ImageIndent();
    r.ImageArea = {imageLeft, cell.top, imageLeft + image.width() + 4, cell.bottom};
    r.LabelArea = {r.ImageArea.right + info->CaptionIndent() + 2, cell.top, cell.right - 2, cell.bottom};
    if (canvas) {
        int top = r.LabelArea.top;
        const int count = item->DetailCount();
        for (int line = 0; line < count; ++line) {
            const int detail = LineColumn(item, line);
            LvCanvas c = *canvas;
            ItemCaptionFont(item, line, item->Selected(), c);
            LvRect area(r.LabelArea.left, top, r.LabelArea.right, r.LabelArea.bottom);
            DrawTextWide(TextMetrics(*owner_, c.font), nullptr, c.font, QColor(),
                         detail >= 0 ? item->Captions(detail) : QString(), area, CaptionLineCount(item, column),
                         dtLeft | dtTop | dtEndEllipsis | dtCalcRect);
            if (area.IsEmpty() || area.bottom > r.LabelArea.bottom)
                break;
            r.CaptionLineAreas.push_back(area);
            r.CaptionArea = r.CaptionLineAreas.size() == 1 ? area : r.CaptionArea.United(area);
            top = area.bottom;
        }
    }
    int shift = 0;
    switch (ItemInfo(owner_, item).VAlignment()) {
    case TCommonVAlignment::cvaCenter: shift = (r.LabelArea.Height() - r.CaptionArea.Height()) / 2; break;
    case TCommonVAlignment::cvaBottom: shift = r.LabelArea.bottom - r.CaptionArea.bottom; break;
    case TCommonVAlignment::cvaTop: break;
    }
    if (!r.CaptionLineAreas.empty()) {
        r.CaptionArea = r.CaptionArea.Translated(0, shift);
        for (LvRect &line : r.CaptionLineAreas)
            line = line.Translated(0, shift);
    }
    r.FullCaptionArea = r.EditArea = r.CaptionArea;
    r.SelectionArea = r.FullFocusArea = r.CaptionArea.Inflated(2, 2);
    r.ClickSelectArea = {r.ImageArea.left, r.ImageArea.top, r.CaptionArea.right, r.ImageArea.bottom};
    r.DragSelectArea = r.CaptionArea;
    r.DragSelectArea.right -= r.CaptionArea.Width() / 5;
    r.FocusRepaintArea = r.ImageArea.United(r.FullCaptionArea);
}

LvRect TLvViewTileItem::CaptionHitRect(TLvItem *, const TLvRectArrayObject &r) const
{
    LvRect hit = r.ImageArea.United(r.CaptionArea);
    hit.top = r.CellArea.top + 2;
    hit.bottom = r.CellArea.bottom - 2;
    return hit;
}

// ---------------------------------------------------------------------------------------------------
// Header cells

void TLvViewColumn::CaptionFont(TLvColumn *column, LvCanvas &canvas) const
{
    canvas.font = owner_->Header().Font();
    if (column->Bold())
        canvas.font.setBold(true);
}

void TLvViewColumn::ItemRectArray(TLvColumn *column, TLvRectArrayObject &r)
{
    if (!column)
        return;
    if (!column->Initialized())
        column->SetInitialized(true);
    r = TLvRectArrayObject();
    TLvPaintInfoColumn &info = owner_->PaintInfoColumn();
    const LvImageList *images = owner_->Header().Images();
    QSize image = images && column->ImageIndex() >= 0 ? QSize(images->Width(), images->Height()) : QSize(0, 0);
    if (column->ImageDrawIsCustom(nullptr)) {
        int width = 0, height = 0;
        column->ImageGetSize(nullptr, width, height);
        image = QSize(width, height);
    }
    const LvRect cell = column->DisplayRect().Inflated(-2, -2);
    r.CellArea = cell;
    r.CheckArea = ZeroWidthAt(cell.left, cell.top, cell.bottom);
    if (info.CheckType() != TLvCheckType::ectNone) {
        const LvRect box = owner_->CheckBoxBound(info.CheckSize());
        const int left = cell.left + info.CheckIndent();
        const int top = cell.top + (cell.Height() - box.Height()) / 2;
        r.CheckArea = {left, top, left + box.Width(), top + box.Height()};
    }
    r.DropDownArrowArea = ZeroWidthAt(cell.right, cell.top, cell.bottom);
    r.ImageArea = ZeroWidthAt(r.CheckArea.right, cell.top, cell.bottom);
    LvRect label = {r.CheckArea.right, cell.top, cell.right, cell.bottom};
    if (column->ImageIndex() >= 0) {
        switch (info.ImagePosition()) {
        case TLvHeaderImagePosition::ehpLeft:
            r.ImageArea = VCentred(r.CheckArea.right + info.ImageIndent(), image, cell);
            label.left = r.ImageArea.right + info.CaptionIndent();
            break;
        case TLvHeaderImagePosition::ehpTop:
            r.ImageArea = {cell.left, cell.top + info.ImageIndent(), cell.right, cell.top + info.ImageIndent() + image.height()};
            label.top = r.ImageArea.bottom + info.CaptionIndent();
            break;
        case TLvHeaderImagePosition::ehpRight:
            r.ImageArea = VCentred(cell.right - info.ImageIndent() - image.width(), image, cell);
            label.right = r.ImageArea.left - info.CaptionIndent();
            break;
        case TLvHeaderImagePosition::ehpBottom:
            r.ImageArea = {cell.left, cell.bottom - info.ImageIndent() - image.height(), cell.right, cell.bottom - info.ImageIndent()};
            label.bottom = r.ImageArea.top - info.CaptionIndent();
            break;
        }
    }
    if (column->SortDirection() != TLvSortDirection::esdNone) {
        const QSize arrow = ListviewCore::SortArrowSize();
        const int top = cell.top + (cell.Height() - arrow.height()) / 2;
        if (info.SortGlyphAlign() == TLvSortGlyphAlign::esgaLeft) {
            r.SortGlyphArea = {label.left, top, label.left + arrow.width(), top + arrow.height()};
            label.left += arrow.width() + info.SortGlyphIndent();
        } else {
            r.SortGlyphArea = {label.right - arrow.width(), top, label.right, top + arrow.height()};
            label.right -= arrow.width() + info.SortGlyphIndent();
        }
    }
    TLvColumnDropDownButton &button = column->DropDownButton();
    if (button.Visible() && label.Width() > cell.Height() + 10 && (button.AlwaysShow() || column->HotTracking())) {
        label.right -= cell.Height();
        r.DropDownArrowArea = {cell.right - cell.Height(), cell.top, cell.right, cell.bottom};
    }
    r.LabelArea = label;
    if (label.IsUpright()) {
        LvRect line = label;
        switch (column->Alignment()) {
        case TAlignment::taLeftJustify:
            line.left += info.CaptionIndent();
            line.right -= 4;
            break;
        case TAlignment::taRightJustify:
            line.right -= info.CaptionIndent();
            line.left += 4;
            break;
        case TAlignment::taCenter:
            break;
        }
        line = line.Inflated(-2, -2);
        LvCanvas canvas;
        CaptionFont(column, canvas);
        const QSize extent = owner_->TextExtent(canvas.font, column->Caption());
        const int h = owner_->TextHeight(canvas.font);
        int x = line.left;
        if (column->Alignment() == TAlignment::taRightJustify)
            x = line.right - extent.width();
        else if (column->Alignment() == TAlignment::taCenter)
            x = line.left + (line.Width() - extent.width()) / 2;
        LvRect measured = {x, line.top, x + extent.width(), line.top + h};
        if (line.Width() < extent.width()) {
            measured.left = line.left;
            measured.right = line.right;
        }
        r.CaptionLineAreas.assign(std::size_t(owner_->PaintInfoColumn().CaptionLines() + 1), LvRect());
        r.CaptionLineAreas[0] = line;
        r.CaptionArea = column->Caption().isEmpty() ? LvRect(measured.left, measured.top, measured.left, measured.bottom)
                                                    : measured;
        const int spare = label.Height() - measured.Height();
        switch (info.VAlignment()) {
        case TCommonVAlignment::cvaBottom:
            r.CaptionArea = r.CaptionArea.Translated(0, spare);
            r.CaptionLineAreas[0] = r.CaptionLineAreas[0].Translated(0, spare - 4);
            break;
        case TCommonVAlignment::cvaCenter:
            r.CaptionArea = r.CaptionArea.Translated(0, spare / 2);
            r.CaptionLineAreas[0] = r.CaptionLineAreas[0].Translated(0, (spare - 4) / 2);
            break;
        case TCommonVAlignment::cvaTop:
            break;
        }
    }
    if (column->SortDirection() != TLvSortDirection::esdNone) {
        const int w = r.SortGlyphArea.Width();
        r.SortGlyphArea.left = r.CaptionArea.right;
        r.SortGlyphArea.right = r.SortGlyphArea.left + w;
    }
    r.ClickSelectArea = r.DragSelectArea = r.SelectionArea = r.FullCaptionArea = r.FocusRepaintArea = r.EditArea =
        r.CellArea;
    r.CellArea = r.CellArea.Inflated(2, 2);
}

} // namespace gdvorn::lv
