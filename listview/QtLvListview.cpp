#include "listview/QtLvListview.h"

#include "app/ugExcecao.h"
#include "listview/LvBackground.h"
#include "listview/LvUtilities.h"
#include "listview/QtLvAccessible.h"
#include "listview/QtLvDragDrop.h"
#include "listview/QtLvEdit.h"
#include "listview/QtLvPainters.h"
#include "listview/QtLvViewGroup.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <QWheelEvent>

namespace gdvorn::lv {

QtLvListview::QtLvListview(QWidget *parent) : QAbstractScrollArea(parent)
{
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    ApplyBorder();
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    SetColor(LvColor(LvColor::clWindow));
    InstallAccessibleFactory();
    hotTrack_ = std::make_unique<TLvHotTrackManager>(this);
    editManager_ = std::make_unique<TLvEditManager>(this);
    hintWindow_ = new TLvHintWindow(this);
    hintPause_.setSingleShot(true);
    connect(&hintPause_, &QTimer::timeout, this, [this] { Protege([&] { ShowHintAt(hintPausePos_); }); });
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this](int a) { Protege([&] { OnBarAction(true, a); }); });
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this, [this](int a) { Protege([&] { OnBarAction(false, a); }); });
    connect(verticalScrollBar(), &QScrollBar::sliderReleased, this, [this] {
        Protege([&] {
            Scrollbars().VertScroll(SB_THUMBPOSITION, verticalScrollBar()->sliderPosition());
            EndBarScroll(true);
        });
    });
    connect(horizontalScrollBar(), &QScrollBar::sliderReleased, this, [this] {
        Protege([&] {
            Scrollbars().HorzScroll(SB_THUMBPOSITION, horizontalScrollBar()->sliderPosition());
            EndBarScroll(false);
        });
    });
    // The drop registration waits for the window (the first show).
    dragDrop_ = std::make_unique<QtLvDragDrop>(this);
}

QtLvListview::~QtLvListview() { Shutdown(); }

// --- Platform services ------------------------------------------------------------------------------

bool QtLvListview::HandleAllocated() const { return created_; }

int QtLvListview::ClientWidth() const { return viewport()->width(); }

int QtLvListview::ClientHeight() const { return viewport()->height(); }

int QtLvListview::DpiX() const { return dpiOverride_ ? dpiOverride_ : logicalDpiX(); }

int QtLvListview::DpiY() const { return dpiOverride_ ? dpiOverride_ : logicalDpiY(); }

bool QtLvListview::Focused() const { return hasFocus(); }

void QtLvListview::InvalidateWindow(const LvRect *rect, bool immediate)
{
    if (!created_)
        return;
    const QRect r = rect ? rect->ToQRect() : viewport()->rect();
    if (immediate)
        viewport()->repaint(r);
    else
        viewport()->update(r);
}

void QtLvListview::UpdateWindow()
{
    if (created_ && !Updating())
        viewport()->repaint();
}

void QtLvListview::ApplyBorder()
{
    if (Themed()) {
        setFrameStyle(ShowThemedBorder() ? QFrame::StyledPanel | QFrame::Sunken : QFrame::NoFrame);
        return;
    }
    // A client edge is two sunken pixels, a plain border one; each drawn bevel adds a pixel outside it.
    const bool single = BorderStyle() == TBorderStyle::bsSingle;
    const auto drawn = [](TBevelCut cut) { return cut == TBevelCut::bvLowered || cut == TBevelCut::bvRaised; };
    const int bevels = BevelKind() == TBevelKind::bkNone ? 0 : int(drawn(BevelInner())) + int(drawn(BevelOuter()));
    const int width = (single ? (Ctl3D() ? 2 : 1) : 0) + bevels;
    if (width == 0) {
        setFrameStyle(QFrame::NoFrame);
        return;
    }
    if (bevels == 0)
        setFrameStyle(Ctl3D() ? QFrame::Panel | QFrame::Sunken : QFrame::Box | QFrame::Plain);
    else if (BevelKind() == TBevelKind::bkFlat || !Ctl3D())
        setFrameStyle(QFrame::Box | QFrame::Plain);
    else {
        // The outermost drawn bevel gives the shape its light.
        const TBevelCut outer = drawn(BevelOuter()) ? BevelOuter() : BevelInner();
        setFrameStyle(QFrame::Panel | (outer == TBevelCut::bvRaised ? QFrame::Raised : QFrame::Sunken));
    }
    setLineWidth(width);
}

void QtLvListview::RepaintSkipped()
{
    if (!skipped_.isEmpty()) {
        viewport()->update(skipped_);
        skipped_ = QRegion();
    }
}

void QtLvListview::SetCursorNumber(int cursor)
{
    if (cursor == 768)
        viewport()->setCursor(Qt::SplitHCursor);
    else
        viewport()->unsetCursor();
}

bool QtLvListview::ScrollBarShown(bool vertical) const
{
    return (vertical ? verticalScrollBarPolicy() : horizontalScrollBarPolicy()) == Qt::ScrollBarAlwaysOn;
}

void QtLvListview::ShowScrollBar(bool vertical, bool show)
{
    if (vertical)
        setVerticalScrollBarPolicy(show ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    else
        setHorizontalScrollBarPolicy(show ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
}

void QtLvListview::SetScrollInfo(bool vertical, int maximum, int page, int position)
{
    QScrollBar *bar = vertical ? verticalScrollBar() : horizontalScrollBar();
    const QSignalBlocker block(bar);
    bar->setRange(0, std::max(0, maximum - page + 1));
    bar->setPageStep(std::max(1, page));
    bar->setSingleStep(std::max(1, Scrollbars().LineStep()));
    bar->setValue(position);
}

int QtLvListview::ScrollBarExtent() const { return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this); }

QSize QtLvListview::TextExtent(const QFont &font, const QString &text) const
{
    const QFontMetrics m(font);
    return {m.horizontalAdvance(text), m.height()};
}

int QtLvListview::TextHeight(const QFont &font) const { return QFontMetrics(font).height(); }

int QtLvListview::AverageCharWidth(const QFont &font) const { return QFontMetrics(font).averageCharWidth(); }

int QtLvListview::MaxCharWidth(const QFont &font) const { return QFontMetrics(font).maxWidth(); }

void QtLvListview::NotifyAccessibility(int event)
{
    if (!created_ || !QAccessible::isActive())
        return;
    QAccessible::Event type = QAccessible::StateChanged;
    switch (event) {
    case 0x8005: type = QAccessible::Focus; break;
    case 0x8006: type = QAccessible::Selection; break;
    case 0x800C: type = QAccessible::NameChanged; break;
    default: {
        QAccessibleStateChangeEvent e(this, QAccessible::State());
        QAccessible::updateAccessibility(&e);
        return;
    }
    }
    QAccessibleEvent e(this, type);
    QAccessible::updateAccessibility(&e);
}

void QtLvListview::PopupMenu(QMenu *menu, QPoint windowPoint)
{
    const QPoint global = viewport()->mapToGlobal(windowPoint);
    if (menuPopper_)
        menuPopper_(menu, global);
    else
        menu->popup(global);
}

std::unique_ptr<TLvViewItem> QtLvListview::NewViewItem(TLvListStyle view)
{
    switch (view) {
    case TLvListStyle::elsSmallIcon: return std::make_unique<QtLvViewSmallIconItem>(this);
    case TLvListStyle::elsList: return std::make_unique<QtLvViewListItem>(this);
    case TLvListStyle::elsReport: return std::make_unique<QtLvViewReportItem>(this);
    case TLvListStyle::elsGrid: return std::make_unique<QtLvViewGridItem>(this);
    case TLvListStyle::elsIcon: return std::make_unique<QtLvViewIconItem>(this);
    case TLvListStyle::elsThumbnail: return std::make_unique<QtLvViewThumbnailItem>(this);
    case TLvListStyle::elsTile: return std::make_unique<QtLvViewTileItem>(this);
    case TLvListStyle::elsFilmStrip: return std::make_unique<QtLvViewFilmStripItem>(this);
    default: return ListviewCore::NewViewItem(view);
    }
}

std::unique_ptr<TLvViewColumn> QtLvListview::NewViewColumn() { return std::make_unique<QtLvViewColumn>(this); }

bool QtLvListview::PaintThemedHeaderBackground(LvCanvas &canvas, const LvRect &rect)
{
    if (!canvas.painter)
        return false;
    QStyleOptionHeader option;
    option.rect = rect.ToQRect();
    option.orientation = Qt::Horizontal;
    option.state = QStyle::State_Enabled | QStyle::State_Horizontal | QStyle::State_Raised;
    QApplication::style()->drawControl(QStyle::CE_HeaderSection, &option, canvas.painter);
    return true;
}

TLvItem *QtLvListview::EditingItem() const { return editManager_ && editManager_->Editing() ? editManager_->EditItem() : nullptr; }

TLvColumn *QtLvListview::EditingColumn() const { return editManager_ ? editManager_->EditColumn() : nullptr; }

void QtLvListview::ObjectDestroying(TLvCollectionItem *object)
{
    if (dragDrop_) {
        dragDrop_->DragManager().ForgetObject(object);
        dragDrop_->HeaderDragManager().ForgetObject(object);
    }
    if (hotTrack_)
        hotTrack_->Forget(object);
    if (editManager_)
        editManager_->Forget(object);
    if (hintData_.TargetObj == object)
        hintData_.TargetObj = nullptr;
    DropAccessibleObject(object);
}

bool QtLvListview::ItemEditingEnabled() const { return editManager_ && editManager_->Enabled(); }

void QtLvListview::HotTrackCaptionFont(const TLvItem *item, LvCanvas &canvas) const { hotTrack_->CaptionFont(item, canvas); }

std::unique_ptr<TLvViewGroup> QtLvListview::NewViewGroup() { return std::make_unique<QtLvViewGroup>(this); }

void QtLvListview::PostThreadCallBack()
{
    QMetaObject::invokeMethod(
        this, [this] { Protege([&] { if (OnThreadCallBack) OnThreadCallBack(); }); }, Qt::QueuedConnection);
}

// --- Painting ---------------------------------------------------------------------------------------

void QtLvListview::paintEvent(QPaintEvent *event)
{
    if (Updating()) {
        skipped_ += event->region();
        return;
    }
    Protege([&] {
        QPainter p(viewport());
        PaintRect(p, LvRect::FromQRect(event->rect()));
    });
}

void QtLvListview::PaintRect(QPainter &p, const LvRect &rect, bool selectedOnly)
{
    TLvScrollbarManager &sb = Scrollbars();
    TLvHeader &header = Header();
    const int headerHeight = header.RuntimeHeight();
    const int ox = sb.OffsetX(), oy = sb.OffsetY();
    LvCanvas canvas;
    canvas.painter = &p;
    canvas.font = Font();
    {
        // Whatever a painter or handler throws, the caller's painter state (origin, clip) comes back.
        const LvPainterSave saved(p);
        if (!selectedOnly) {
            p.fillRect(rect.ToQRect(), ResolveColor(Color()));
            Background().Paint(canvas, rect, false);
            if (HeaderVisibleInView() && header.Visible() && headerHeight > 0) {
                const LvPainterSave headerSaved(p);
                if (HeaderScrollsWithView()) {
                    p.translate(-ox, 0);
                    header.Paint(canvas, rect.Translated(ox, 0));
                } else {
                    header.Paint(canvas, {0, 0, ClientWidth(), headerHeight});
                }
            }
        }
        const LvRect docClip = sb.MapWindowRectToView(rect);
        QRegion itemArea(rect.ToQRect());
        if (headerHeight > 0)
            itemArea -= QRegion(0, 0, ClientWidth(), headerHeight);
        p.setClipRegion(itemArea);
        p.translate(-ox, headerHeight - oy);

        // Groups: their bands and margins.
        if (!selectedOnly)
            for (TLvGroup *g = Groups().FirstVisibleGroupInRect(docClip); g; g = Groups().NextVisibleGroupInRect(g, docClip))
                PaintGroup(*this, g, canvas);

        // Column bands over each group's item area.
        if ((View() == TLvListStyle::elsReport && !selectedOnly) || View() == TLvListStyle::elsGrid) {
            TLvPaintInfoColumn &info = PaintInfoColumn();
            TLvColumn *focusedColumn = Selection().FocusedColumnField();
            for (TLvColumn *c = header.FirstColumnInRect(docClip); c; c = header.NextColumnInRect(c, docClip)) {
                const bool hilight = c == focusedColumn && info.HilightFocused();
                if (c->BkGndColor().IsNone() && !hilight)
                    continue;
                const int visibleBottom = ClientHeight() + oy - headerHeight;
                const auto &groups = Groups().VisibleList();
                for (std::size_t g = 0; g < groups.size(); ++g) {
                    const LvRect clipped =
                        LvRect(c->DisplayRect().left, oy + 1, c->DisplayRect().right, visibleBottom).Intersected(docClip);
                    if (clipped.IsEmpty())
                        continue;
                    // Edge by edge, so that the last group's band still reaches the bottom when only the area
                    // below that group is painted.
                    const LvRect area = static_cast<TLvGroup *>(groups[g])->ClientRect();
                    LvRect band(std::max(clipped.left, area.left), std::max(clipped.top, area.top),
                                std::min(clipped.right, area.right), std::min(clipped.bottom, area.bottom));
                    if (info.BkGndColorFillsWindow() && g + 1 == groups.size())
                        band.bottom = visibleBottom;
                    if (band.IsEmpty())
                        continue;
                    p.fillRect(band.ToQRect(), ResolveColor(hilight ? info.HilightFocusedColor() : c->BkGndColor()));
                }
            }
        }

        // Items.
        TLvGroups &groups = Groups();
        TLvItem *focused = Selection().FocusedItem();
        TLvItem *firstItem = groups.FirstVisibleItemInRect(docClip);
        if (firstItem && View() == TLvListStyle::elsReport && Selection().GroupSelections() && firstItem->SelectionGroup() &&
            firstItem->SelectionGroup()->FirstItem != firstItem) {
            // The run's band is painted by its first row, which may lie above the painted area.
            TLvItem *runFirst = firstItem->SelectionGroup()->FirstItem;
            if (!selectedOnly || runFirst->Selected())
                PaintReportRow(p, canvas, runFirst, docClip.United(runFirst->DisplayRect()), selectedOnly);
        }
        const bool focusedLast = focused && focused->View()->PaintFocusedItemLast();
        for (TLvItem *item = firstItem; item; item = groups.NextVisibleItemInRect(item, docClip)) {
            if ((focusedLast && item == focused) || (selectedOnly && !item->Selected()))
                continue;
            if (View() == TLvListStyle::elsReport)
                PaintReportRow(p, canvas, item, docClip, selectedOnly);
            else
                item->View()->Paint(item, nullptr, false, docClip, canvas);
        }
        // Painted over its neighbours even when only they are repainted (its caption may reach into them);
        // never when its group hides it, nor into a drag image when it is not selected.
        if (focusedLast && (!selectedOnly || focused->Selected()) && focused->Group() && focused->Group()->Visible() &&
            focused->Group()->Expanded())
            focused->View()->Paint(focused, nullptr, false, docClip, canvas);

        // Grid lines.
        if (!selectedOnly && (View() == TLvListStyle::elsReport || View() == TLvListStyle::elsGrid) &&
            PaintInfoItem().GridLines()) {
            p.setPen(ResolveColor(PaintInfoItem().GridLineColor()));
            // Lines end before their end points.
            for (TLvColumn *c = header.FirstColumnInRect(docClip); c; c = header.NextColumnInRect(c, docClip))
                for (TLvCollectionItem *g : groups.VisibleList()) {
                    const LvRect area = static_cast<TLvGroup *>(g)->ClientRect();
                    if (!area.IsEmpty())
                        p.drawLine(c->DisplayRect().right, area.top, c->DisplayRect().right, area.bottom - 1);
                }
            for (TLvItem *item = groups.FirstVisibleItemInRect(docClip); item; item = groups.NextVisibleItemInRect(item, docClip))
                p.drawLine(ox, item->DisplayRect().bottom - 1, ox + ClientWidth() - 1, item->DisplayRect().bottom - 1);
        }
        if (!selectedOnly)
            DragManager().PaintInsertMark(p);
    }

    // Foreground: the rubber band, then OnAfterPaint.
    if (!selectedOnly && HasState(elvsDragRect)) {
        LvRect band = sb.MapViewRectToWindow(DragRectManager().CurrentRect()).Intersected(ClientRect());
        if (HeaderVisibleInView() && header.Visible() && band.top < headerHeight)
            band.top = headerHeight;
        if (!band.IsEmpty()) {
            p.setPen(QPen(Qt::black, 1, Qt::DotLine));
            p.setBrush(Qt::NoBrush);
            p.drawRect(QRect(band.left, band.top, band.Width() - 1, band.Height() - 1));
        }
    }
    if (OnAfterPaint && !selectedOnly)
        OnAfterPaint(canvas, rect);
}

void QtLvListview::PaintReportRow(QPainter &p, LvCanvas &canvas, TLvItem *item, const LvRect &docClip, bool selectedOnly)
{
    TLvHeader &header = Header();
    TLvColumn *column = header.FirstColumnInRect(docClip);
    // A cell in full-row mode is clipped to the painted area, or not at all for a selection run's band,
    // which reaches over the run's other rows; a normal cell to its own rectangle.
    enum class Clip { None, Area, Cell };
    auto cell = [&](TLvColumn *c, bool force, Clip clipTo) {
        const LvPainterSave cellSaved(p);
        if (clipTo == Clip::Area)
            p.setClipRect(docClip.ToQRect(), Qt::IntersectClip);
        else if (clipTo == Clip::Cell)
            p.setClipRect(LvRect(c->DisplayRect().left, item->DisplayRect().top, c->DisplayRect().right,
                                 item->DisplayRect().bottom)
                              .Intersected(docClip)
                              .ToQRect(),
                          Qt::IntersectClip);
        item->View()->Paint(item, c, force, docClip, canvas);
    };
    if (!column)
        return;
    if (item->Selected() || item->DropHilighted()) {
        if (Selection().GroupSelections()) {
            cell(column, true, Clip::None);
            column = header.NextColumnInRect(column, docClip);
        } else if (Selection().FullRowSelect()) {
            cell(column, true, Clip::Area);
            column = header.NextColumnInRect(column, docClip);
        }
    }
    for (; column; column = header.NextColumnInRect(column, docClip))
        cell(column, false, Clip::Cell);
    if (Selection().FullRowSelect() && Selection().UseFocusRect() && Focused() && item->Focused() && !selectedOnly) {
        const TLvRectArrayObject r = item->ItemRectArray(header.FirstVisibleColumn());
        LvRect focus = item->DisplayRect();
        if (!Selection().FullCellPaint() && !Selection().FullItemPaint())
            focus.left = r.SelectionArea.left;
        p.setPen(QPen(Qt::black, 1, Qt::DotLine));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRect(focus.left, focus.top, focus.Width() - 1, focus.Height() - 1));
    }
}

// --- Window events ----------------------------------------------------------------------------------

void QtLvListview::showEvent(QShowEvent *event)
{
    QAbstractScrollArea::showEvent(event);
    if (!created_) {
        created_ = true;
        Protege([&] {
            EndUpdateProcessing();
            Header().SizeChanged();
            dragDrop_->UpdateRegistration();
        });
    }
}

void QtLvListview::resizeEvent(QResizeEvent *event)
{
    Protege([&] { Background().WindowPosChanging(event->oldSize(), event->size()); });
    QAbstractScrollArea::resizeEvent(event);
    if (!created_)
        return;
    Protege([&] {
        Header().SizeChanged();
        Groups().Rebuild(false);
        Scrollbars().ReCalculateScrollbars(true, false);
    });
}

bool QtLvListview::viewportEvent(QEvent *event)
{
    if (dragDrop_ && dragDrop_->ViewportEvent(event))
        return true;
    switch (event->type()) {
    case QEvent::ToolTip: {
        // Qt sends this once its own pause is over; a handler that asks for a longer one waits the rest.
        const QPoint pos = static_cast<QHelpEvent *>(event)->pos();
        Protege([&] {
            if (!showHint_)
                return;
            const int waited = style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, this);
            int pause = waited;
            if (OnHintPauseTime)
                OnHintPauseTime(hintWindow_->isVisible(), pause);
            if (pause > waited) {
                hintPausePos_ = pos;
                hintPause_.start(pause - waited);
            } else {
                ShowHintAt(pos);
            }
        });
        return true;
    }
    case QEvent::ContextMenu:
        // Mouse requests are run by the right-button release.
        return true;
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::Leave:
    case QEvent::Wheel:
        hintPause_.stop();
        break;
    default:
        break;
    }
    if (hintWindow_) // viewport events come while the constructor still runs
        hintWindow_->ViewportEvent(event);
    if (event->type() == QEvent::Leave && hotTrack_)
        Protege([&] {
            HotTrack().SetHotObject({}, nullptr);
            Header().MouseLeft();
        });
    return QAbstractScrollArea::viewportEvent(event);
}

void QtLvListview::ShowHintAt(QPoint pos)
{
    LvRect area;
    const QString text = showHint_ ? HintAt(pos, area) : QString();
    if (text.isEmpty())
        hintWindow_->hide();
    else
        hintWindow_->ActivateHint(viewport()->mapToGlobal(pos), text);
}

QString QtLvListview::HintAt(QPoint pos, LvRect &cursorRect)
{
    if (HasState(elvsDragging | elvsDragRect))
        return {};
    TLvItemHitTestInfoSet hit = 0;
    TLvItem *item = ItemAt(pos, nullptr, hit);
    TLvGroupHitTestInfoSet groupHit = 0;
    TLvCollectionItem *target = item && (hit & ehtOnClickSelectBounds) ? static_cast<TLvCollectionItem *>(item)
                                                                         : GroupAt(pos, groupHit);
    if (!target)
        return {};
    QString text = toolTip();
    int hide = 2500, reshow = 0;
    bool allow = false;
    if (OnHintPopup)
        OnHintPopup(target, HintType(), pos, text, hide, reshow, allow);
    if (HintType() == TLvHintType::ehtToolTip) {
        // Only an item whose caption does not fit its caption area shows it.
        allow = false;
        if (target == item) {
            const TLvRectArrayObject r = item->ItemRectArray(Header().FirstVisibleColumn());
            LvCanvas canvas;
            item->View()->ItemCaptionFont(item, 0, false, canvas);
            // The whole caption, wrapped in the label's width without a line limit.
            LvRect full = r.LabelArea;
            DrawTextWide(TextMetrics(*this, canvas.font), nullptr, canvas.font, QColor(), item->Caption(), full, -1,
                         dtLeft | dtTop | dtCalcRect);
            if (r.CaptionArea.Width() < full.Width() || r.CaptionArea.Height() < full.Height()) {
                allow = true;
                text = item->Caption();
            }
        }
    }
    if (!allow || text.isEmpty())
        return {};
    cursorRect = Scrollbars().MapViewRectToWindow(target->DisplayRect());
    if (target != item) {
        // The part of the group the pointer is on.
        const QPoint doc = Scrollbars().MapWindowToView(pos);
        auto *group = static_cast<TLvGroup *>(target);
        for (const LvRect &part : {group->MarginRectRight(), group->MarginRectLeft(), group->MarginRectTop(),
                                   group->MarginRectBottom()})
            if (part.Contains(doc)) {
                cursorRect = Scrollbars().MapViewRectToWindow(part);
                break;
            }
    }
    hintData_ = TLvHintData{target, HintType(), text, QColor(), pos, cursorRect, hide, 0, reshow,
                            viewport()->mapToGlobal(pos)};
    return text;
}

void QtLvListview::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    viewport()->repaint();
}

void QtLvListview::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    Exclude(elvsDragPending | elvsDragging | elvsToolkitDragging | elvsDragRectPending | elvsDragRect);
    if (HotTrack().OnlyFocused())
        Protege([&] { HotTrack().SetHotObject({}, nullptr); });
    viewport()->repaint();
}

void QtLvListview::closeEvent(QCloseEvent *event)
{
    Protege([&] { EditManager().EndEdit(); });
    QAbstractScrollArea::closeEvent(event);
}

void QtLvListview::FontChanged() { EditManager().SetFont(Font()); }

void QtLvListview::OnBarAction(bool vertical, int action)
{
    QScrollBar *bar = vertical ? verticalScrollBar() : horizontalScrollBar();
    int code = -1;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
    case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
    case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
    case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
    case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
    case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
    case QAbstractSlider::SliderMove: code = SB_THUMBTRACK; break;
    default: break;
    }
    if (code < 0)
        return;
    Include(elvsScrolling);
    if (vertical)
        Scrollbars().VertScroll(code, bar->sliderPosition());
    else
        Scrollbars().HorzScroll(code, bar->sliderPosition());
    // The bar follows the offset, so that snapping holds.
    bar->setSliderPosition(vertical ? Scrollbars().OffsetY() : Scrollbars().OffsetX());
    if (!bar->isSliderDown())
        EndBarScroll(vertical);
}

void QtLvListview::EndBarScroll(bool vertical)
{
    Exclude(elvsScrolling);
    if (vertical)
        Scrollbars().VertScroll(SB_ENDSCROLL, 0);
    else
        Scrollbars().HorzScroll(SB_ENDSCROLL, 0);
}

// --- Mouse ------------------------------------------------------------------------------------------

void QtLvListview::SetFocusIfPossible()
{
    if (created_ && !hasFocus() && focusPolicy() != Qt::NoFocus && isEnabled() && isVisible())
        setFocus(Qt::MouseFocusReason);
}

TCommonKeyStates QtLvListview::KeyStates(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons)
{
    TCommonKeyStates k = 0;
    if (mods & Qt::ControlModifier)
        k |= cksControl;
    if (mods & Qt::ShiftModifier)
        k |= cksShift;
    if (mods & Qt::AltModifier)
        k |= cksAlt;
    if (buttons & Qt::LeftButton)
        k |= cksLButton;
    if (buttons & Qt::RightButton)
        k |= cksRButton;
    if (buttons & Qt::MiddleButton)
        k |= cksMButton;
    if (buttons & (Qt::LeftButton | Qt::RightButton | Qt::MiddleButton))
        k |= cksButton;
    return k;
}

TShiftState QtLvListview::Shift(Qt::KeyboardModifiers mods)
{
    TShiftState s = 0;
    if (mods & Qt::ShiftModifier)
        s |= ssShift;
    if (mods & Qt::ControlModifier)
        s |= ssCtrl;
    if (mods & Qt::AltModifier)
        s |= ssAlt;
    return s;
}

QPoint QtLvListview::HeaderPoint(QPoint windowPoint) const
{
    return HeaderScrollsWithView() ? windowPoint + QPoint(const_cast<QtLvListview *>(this)->Scrollbars().OffsetX(), 0)
                                   : windowPoint;
}

static TCommonMouseButton ButtonOf(Qt::MouseButton b)
{
    switch (b) {
    case Qt::LeftButton: return TCommonMouseButton::cmbLeft;
    case Qt::RightButton: return TCommonMouseButton::cmbRight;
    case Qt::MiddleButton: return TCommonMouseButton::cmbMiddle;
    default: return TCommonMouseButton::cmbNone;
    }
}

void QtLvListview::mousePressEvent(QMouseEvent *event)
{
    Protege([&] {
        const TCommonMouseButton button = ButtonOf(event->button());
        Include(button == TCommonMouseButton::cmbLeft ? elvsLButtonDown
                : button == TCommonMouseButton::cmbRight ? elvsRButtonDown
                                                         : elvsMButtonDown);
        SetFocusIfPossible();
        const QPoint pos = event->position().toPoint();
        if (button != TCommonMouseButton::cmbMiddle && IsHeaderPoint(pos)) {
            if (button == TCommonMouseButton::cmbLeft)
                Header().LeftDown(HeaderPoint(pos), Shift(event->modifiers()));
            else
                Header().RightDown(HeaderPoint(pos), Shift(event->modifiers()));
            return;
        }
        HandleButtonPress(button, pos, event->modifiers(), event->buttons());
        SetLastMousePos(pos);
    });
}

void QtLvListview::HandleButtonPress(TCommonMouseButton button, QPoint pos, Qt::KeyboardModifiers mods,
                                     Qt::MouseButtons buttons)
{
    const QPoint doc = Scrollbars().MapWindowToView(pos);
    const TCommonKeyStates keys = KeyStates(mods, buttons);
    const bool buttonDown = keys & (cksLButton | cksMButton | cksRButton);
    const bool ctrl = keys & cksControl, shift = keys & cksShift;
    pressPoint_ = pos;
    Gesture().Clear();
    TLvGroupHitTestInfoSet groupHit = 0;
    TLvGroup *group = GroupAt(pos, groupHit);
    if (group && (groupHit & egtOnExpandButton)) {
        if (button != TCommonMouseButton::cmbLeft)
            return;
        bool allow = true;
        if (group->Expanded() && OnGroupCollapsing)
            OnGroupCollapsing(group, allow);
        else if (!group->Expanded() && OnGroupExpanding)
            OnGroupExpanding(group, allow);
        if (allow) {
            LvUpdateBracket update(*this);
            Include(elvsGroupExpandClick);
            group->SetExpanded(!group->Expanded());
            TLvItem *focused = Selection().FocusedItem();
            if (!group->Expanded() && focused && focused->Group() == group) {
                // The focus leaves a collapsed group for the next enabled visible item, or goes.
                TLvItem *next = Groups().NextVisibleItem(focused);
                while (next && !next->Enabled())
                    next = Groups().NextVisibleItem(next);
                Selection().SetFocusedItem(next);
            }
        }
        return;
    }
    if (group && (groupHit & egtOnCheckbox)) {
        if (button == TCommonMouseButton::cmbLeft) {
            Include(elvsCheckPending);
            CheckManager().SetPendingObject(group);
        }
        return;
    }
    if (!group || !group->Expanded()) {
        InitiateDrag(nullptr, doc, true, button);
        return;
    }
    TLvItemHitTestInfoSet hit = 0;
    TLvItem *item = ItemAt(pos, group, hit);
    if (!item) {
        InitiateDrag(nullptr, doc, true, button);
        return;
    }
    bool doDefault = true;
    if (OnItemMouseDown)
        OnItemMouseDown(item, button, doDefault);
    if (!doDefault)
        return;
    if (hit & ehtOnCheck) {
        // The press only holds the box; the release toggles it. Selection and focus stay as they are.
        if (button == TCommonMouseButton::cmbLeft) {
            Include(elvsCheckPending);
            CheckManager().SetPendingObject(item);
            return;
        }
    }
    TLvSelectionManager &s = Selection();
    const bool inClickArea = item->View()->PointHitsItem(item, doc, false);
    if (!s.Enabled()) {
        if (s.UseFocusRect() && inClickArea)
            s.SetFocusedItem(item);
        return;
    }
    TLvSelectionManager::Brackets brackets(s);
    if (inClickArea && buttonDown && (s.MouseButton() & TLvSelectionManager::ButtonBit(button))) {
        // A click on the caption of the one selected, focused item edits it after a wait.
        const bool editOnClick = button == TCommonMouseButton::cmbLeft && s.Count() == 1 && s.FocusedItem() == item &&
                                 (hit & ehtOnText) && item->Selected() && Focused();
        if (s.MultiSelect()) {
            if (!item->Selected() && !ctrl && !shift)
                s.ClearAll();
            if (item != s.FocusedItem() && !ctrl)
                s.SetFocusedItem(item);
            if (!shift)
                s.SetAnchorItem(item);
            else
                s.SelectRange(s.AnchorItem(), item, !ctrl, s.RectSelect());
        } else {
            if (item != s.FocusedItem())
                s.SetFocusedItem(item);
            s.SetAnchorItem(item);
            s.ClearAll();
        }
        if (!ctrl)
            item->SetSelected(true);
        InitiateDrag(item, doc, true, button, item->View()->PointAllowsDrag(item, doc));
        if (editOnClick)
            EditManager().StartAutoEdit();
    } else if (!inClickArea) {
        InitiateDrag(item, doc, true, button);
    } else {
        InitiateDrag(item, doc, false, button, true);
    }
}

void QtLvListview::InitiateDrag(TLvItem *item, QPoint docPoint, bool rectAllowed, TCommonMouseButton button,
                                bool itemDragAllowed)
{
    if (itemDragAllowed && HasState(elvsLButtonDown | elvsRButtonDown | elvsMButtonDown) &&
        DragManager().AcceptDrag(item, Scrollbars().MapViewToWindow(docPoint), button)) {
        Include(elvsDragPending);
        return;
    }
    DragManager().ForgetDragItem();
    if (!(Selection().MouseButtonSelRect() & TLvSelectionManager::ButtonBit(button)))
        return;
    if (!HasState(elvsLButtonDown | elvsRButtonDown | elvsMButtonDown))
        return;
    if (rectAllowed && DragRectManager().Accept(button, docPoint))
        Include(elvsDragRectPending);
}

void QtLvListview::mouseMoveEvent(QMouseEvent *event)
{
    Protege([&] {
        const QPoint pos = event->position().toPoint();
        struct Last {
            ListviewCore *lv;
            QPoint pos;
            ~Last() { lv->SetLastMousePos(pos); }
        } last{this, pos};
        const int gestureButtons = (event->buttons() & Qt::LeftButton ? 1 : 0) | (event->buttons() & Qt::RightButton ? 2 : 0) |
                                   (event->buttons() & Qt::MiddleButton ? 4 : 0);
        if (Gesture().Enabled() && (Gesture().Button() & gestureButtons))
            Gesture().Move(pos.x() - LastMousePos().x(), pos.y() - LastMousePos().y());
        if (IsHeaderPoint(pos)) {
            HotTrack().SetHotObject(pos, nullptr);
            Header().MouseMove(HeaderPoint(pos), Shift(event->modifiers()));
            return;
        }
        if ((Header().MouseState() & ehmResizeArmed) == 0 && !HotTrack().CursorSet())
            viewport()->unsetCursor();
        const TCommonKeyStates keys = KeyStates(event->modifiers(), event->buttons());
        const QPoint doc = Scrollbars().MapWindowToView(pos);
        if (HasState(elvsDragRect)) {
            DragRectManager().Drag(doc, keys);
        } else if (HasState(elvsDragPending)) {
            DragDrop().PendingMove(pos, event->buttons(), event->modifiers());
        } else if (HasState(elvsDragRectPending)) {
            if (DragThresholdCrossed(pressPoint_, pos)) {
                Exclude(elvsDragRectPending);
                Include(elvsDragRect);
                if (!(keys & (cksControl | cksShift)))
                    Selection().ClearAll();
                EditManager().StopAutoEdit();
                DragRectManager().Begin();
                DragRectManager().Drag(doc, keys);
            }
        } else if (HasState(elvsCheckPending)) {
            TLvItemHitTestInfoSet hit = 0;
            TLvItem *item = ItemAt(pos, nullptr, hit);
            TLvCollectionItem *pending = CheckManager().PendingObject();
            if (pending)
                pending->SetCheckPendingAway(!(item == pending && (hit & ehtOnCheck)));
        }
        if (!HasState(elvsDragPending | elvsDragging | elvsDragRectPending | elvsDragRect))
            HotTrack().MouseMove(pos);
    });
}

void QtLvListview::mouseReleaseEvent(QMouseEvent *event)
{
    Protege([&] {
        const TCommonMouseButton button = ButtonOf(event->button());
        const QPoint pos = event->position().toPoint();
        struct Reset {
            ListviewCore *lv;
            ~Reset()
            {
                lv->ClearMouseStates();
                lv->Gesture().Clear(); // recorded only while the button is held
            }
        } reset{this};
        if (button != TCommonMouseButton::cmbMiddle && IsHeaderPoint(pos)) {
            if (button == TCommonMouseButton::cmbLeft) {
                Header().LeftUp(HeaderPoint(pos), Shift(event->modifiers()));
                Header().MouseMove(HeaderPoint(pos), Shift(event->modifiers()));
            } else {
                Header().RightUp(HeaderPoint(pos), Shift(event->modifiers()));
                HandleContextMenu(pos, false);
            }
            return;
        }
        if (button == TCommonMouseButton::cmbRight && HasState(elvsDragging | elvsToolkitDragging | elvsDragRect))
            Include(elvsNoContextMenu);
        HandleButtonRelease(button, pos, event->modifiers());
        if (button == TCommonMouseButton::cmbRight)
            HandleContextMenu(pos, false);
    });
}

void QtLvListview::HandleButtonRelease(TCommonMouseButton button, QPoint pos, Qt::KeyboardModifiers mods)
{
    const TCommonKeyStates keys = KeyStates(mods, Qt::NoButton);
    const bool ctrl = keys & cksControl, shift = keys & cksShift;
    bool skipClick = false;
    if (!HasState(elvsToolkitDragging))
        DragManager().ForgetDragItem();
    if (Gesture().Enabled() && !Gesture().Path().isEmpty() &&
        !HasState(elvsDragging | elvsDragRect | elvsCheckPending | elvsGroupExpandClick) && OnMouseGesture)
        OnMouseGesture(Gesture().Path(), skipClick);
    if (!HasState(elvsLButtonDown | elvsRButtonDown | elvsMButtonDown) || HasState(elvsGroupExpandClick))
        return;
    if (HasState(elvsCheckPending)) {
        TLvCollectionItem *pending = CheckManager().PendingObject();
        TLvGroupHitTestInfoSet groupHit = 0;
        TLvGroup *group = GroupAt(pos, groupHit);
        if (pending && pending == group && (groupHit & egtOnCheckbox)) {
            group->SetChecked(!group->Checked());
        } else if (pending && dynamic_cast<TLvItem *>(pending)) {
            TLvItemHitTestInfoSet hit = 0;
            TLvItem *item = ItemAt(pos, nullptr, hit);
            if (item && (hit & ehtOnCheck))
                item->SetChecked(!item->Checked());
        }
        if (TLvCollectionItem *p = CheckManager().PendingObject())
            p->SetCheckPendingAway(false);
        CheckManager().SetPendingObject(nullptr);
        return;
    }
    if (HasState(elvsDragRect)) {
        EndDrag();
        return;
    }
    if (HasState(elvsDragging)) {
        if (!HasState(elvsToolkitDragging))
            EndDrag();
        return;
    }
    if (skipClick)
        return;
    TLvSelectionManager &s = Selection();
    TLvItemHitTestInfoSet hit = 0;
    TLvItem *item = ItemAt(pos, nullptr, hit);
    if (item) {
        bool doDefault = true;
        if (OnItemMouseUp)
            OnItemMouseUp(item, button, doDefault);
        if (!doDefault)
            return;
        if (OnItemClick)
            OnItemClick(item, keys, hit);
        if (!(s.MouseButton() & TLvSelectionManager::ButtonBit(button)))
            return;
        TLvSelectionManager::Brackets brackets(s, false);
        if (!item->View()->PointHitsItem(item, Scrollbars().MapWindowToView(pos), false)) {
            s.ClearAll();
            return;
        }
        if (!s.MultiSelect())
            return;
        if (!shift && !ctrl && item->Selected() && button == TCommonMouseButton::cmbLeft) {
            s.ClearAllExcept(item);
            return;
        }
        if (ctrl && button == TCommonMouseButton::cmbLeft) {
            EditManager().StopAutoEdit();
            if (!shift)
                item->SetSelected(!item->Selected());
            s.SetFocusedItem(item);
        }
        return;
    }
    TLvGroupHitTestInfoSet groupHit = 0;
    if (TLvGroup *group = GroupAt(pos, groupHit); group && OnGroupClick)
        OnGroupClick(group, keys, groupHit);
    if (s.MouseButton() & TLvSelectionManager::ButtonBit(button))
        s.ClearAll();
}

void QtLvListview::EndDrag()
{
    if (HasState(elvsDragging)) {
        Exclude(elvsDragging);
        DragManager().DragEnd(QPoint(), 0);
    }
    if (HasState(elvsDragRect)) {
        Exclude(elvsDragRect);
        DragRectManager().End();
    }
}

void QtLvListview::mouseDoubleClickEvent(QMouseEvent *event)
{
    Protege([&] {
        const QPoint pos = event->position().toPoint();
        const TCommonMouseButton button = ButtonOf(event->button());
        if (button == TCommonMouseButton::cmbLeft)
            EditManager().EndEdit();
        if (HeaderVisibleInView() && Header().Visible() && pos.y() < Header().RuntimeHeight()) {
            Header().DblClick(HeaderPoint(pos), Shift(event->modifiers()));
            return;
        }
        if (OnDblClick)
            OnDblClick(button, pos, Shift(event->modifiers()));
        TLvItemHitTestInfoSet hit = 0;
        TLvItem *item = ItemAt(pos, nullptr, hit);
        if (item && item->View()->PointHitsItem(item, Scrollbars().MapWindowToView(pos), false)) {
            if (OnItemDblClick) {
                TLvHitInfoItem info{item, item->Group(),
                                    HeaderVisibleInView() ? Header().Columns().ColumnAtPoint(HeaderPoint(pos) - QPoint(0, pos.y())) : nullptr,
                                    hit};
                OnItemDblClick(button, pos, info);
            }
        } else if (!item) {
            TLvGroupHitTestInfoSet groupHit = 0;
            if (TLvGroup *group = GroupAt(pos, groupHit); group && OnGroupDblClick)
                OnGroupDblClick(button, pos, TLvHitInfoGroup{group, groupHit});
        }
    });
}

bool QtLvListview::event(QEvent *event)
{
    // Keyboard menu requests run the control's steps whatever the context-menu policy; mouse requests
    // come from the right-button release.
    if (event->type() == QEvent::ContextMenu &&
        static_cast<QContextMenuEvent *>(event)->reason() == QContextMenuEvent::Keyboard) {
        Protege([&] { HandleContextMenu(QPoint(-1, -1), true); });
        return true;
    }
    return QAbstractScrollArea::event(event);
}

void QtLvListview::HandleContextMenu(QPoint pos, bool keyboard)
{
    struct Clear {
        ListviewCore *lv;
        ~Clear() { lv->Exclude(elvsNoContextMenu); }
    } clear{this};
    if (HasState(elvsNoContextMenu) || (Gesture().Enabled() && !Gesture().Path().isEmpty()) || EditManager().Editing())
        return;
    QMenu *menu = nullptr;
    bool handled = false;
    QPoint where = pos;
    if (keyboard) {
        const QPoint cursor = viewport()->mapFromGlobal(QCursor::pos());
        TLvItem *first = Selection().First();
        if (!ClientRect().Contains(cursor) || !first) {
            where = QPoint(0, 0);
        } else {
            // The first selected item: its rectangle's top left below the header.
            where = Scrollbars().MapViewToWindow({first->DisplayRect().left, first->DisplayRect().top});
            if (OnItemContextMenu)
                OnItemContextMenu(TLvHitInfoItem{first, first->Group(), nullptr, TLvItemHitTestInfoSet(ehtOnIcon | ehtOnLabel)},
                                  where, menu, handled);
        }
    } else if (IsHeaderPoint(pos)) {
        const QPoint hp = HeaderPoint(pos);
        TLvHitInfoColumn info{Header().ColumnAt(hp), 0};
        if (info.Column)
            info.Column->HitTestAt(hp, info.HitInfo);
        menu = PopupMenuHeader();
        if (OnColumnContextMenu)
            OnColumnContextMenu(info, pos, menu);
        if (menu)
            PopupMenu(menu, pos);
        else
            DefaultContextMenu(pos, false);
        return;
    } else {
        Exclude(elvsDragRectPending | elvsDragPending);
        TLvGroupHitTestInfoSet groupHit = 0;
        TLvGroup *group = GroupAt(pos, groupHit);
        TLvItemHitTestInfoSet hit = 0;
        TLvItem *item = group ? ItemAt(pos, group, hit) : nullptr;
        if (item && hit && OnItemContextMenu)
            OnItemContextMenu(TLvHitInfoItem{item, group, nullptr, hit}, pos, menu, handled);
        if (!menu && !handled && group && OnGroupContextMenu)
            OnGroupContextMenu(TLvHitInfoGroup{group, groupHit}, pos, menu, handled);
    }
    if (!menu && !handled && OnContextMenu)
        OnContextMenu(where, handled);
    if (menu)
        PopupMenu(menu, where);
    else if (!handled)
        DefaultContextMenu(where, keyboard);
}

void QtLvListview::DefaultContextMenu(QPoint windowPoint, bool keyboard)
{
    switch (contextMenuPolicy()) {
    case Qt::CustomContextMenu: emit customContextMenuRequested(windowPoint); break;
    case Qt::ActionsContextMenu:
        if (!actions().isEmpty()) {
            auto *menu = new QMenu(this);
            menu->setAttribute(Qt::WA_DeleteOnClose);
            menu->addActions(actions());
            PopupMenu(menu, windowPoint);
        }
        break;
    case Qt::DefaultContextMenu:
    case Qt::NoContextMenu:
        // A request the widget leaves goes up to its parents.
        if (!isWindow() && parentWidget()) {
            QContextMenuEvent up(keyboard ? QContextMenuEvent::Keyboard : QContextMenuEvent::Mouse,
                                 viewport()->mapTo(parentWidget(), windowPoint), viewport()->mapToGlobal(windowPoint));
            QCoreApplication::sendEvent(parentWidget(), &up);
        }
        break;
    default: break;
    }
}

// --- Keys and wheel ---------------------------------------------------------------------------------

void QtLvListview::keyPressEvent(QKeyEvent *event)
{
    Protege([&] {
        if (HasState(elvsDragRect)) {
            DragSelectKey(event->key(), event->modifiers());
            return;
        }
        IncrementalSearch().HandleKeyDown();
        int key = event->key();
        TShiftState shift = Shift(event->modifiers());
        bool doDefault = true;
        if (OnKeyAction)
            OnKeyAction(key, shift, doDefault);
        if (doDefault) {
            Qt::KeyboardModifiers mods = event->modifiers() & Qt::KeypadModifier;
            if (shift & ssShift)
                mods |= Qt::ShiftModifier;
            if (shift & ssCtrl)
                mods |= Qt::ControlModifier;
            if (shift & ssAlt)
                mods |= Qt::AltModifier;
            HandleKey(key, mods);
        }
        if (!event->text().isEmpty())
            IncrementalSearch().HandleChar(event->text(),
                                           event->modifiers() & (Qt::AltModifier | Qt::ControlModifier));
    });
}

void QtLvListview::DragSelectKey(int key, Qt::KeyboardModifiers mods)
{
    TLvScrollbarManager &sb = Scrollbars();
    const int page = ClientRectWithoutHeader().Height();
    const int line = sb.LineStep();
    switch (key) {
    case Qt::Key_PageUp: sb.Scroll(0, -page); break;
    case Qt::Key_PageDown: sb.Scroll(0, page); break;
    case Qt::Key_End: sb.Scroll(sb.MaxOffsetX() - sb.OffsetX(), sb.MaxOffsetY() - sb.OffsetY()); break;
    case Qt::Key_Home: sb.Scroll(-sb.OffsetX(), -sb.OffsetY()); break;
    case Qt::Key_Left: sb.Scroll(-line, 0); break;
    case Qt::Key_Right: sb.Scroll(line, 0); break;
    case Qt::Key_Up: sb.Scroll(0, -line); break;
    case Qt::Key_Down: sb.Scroll(0, line); break;
    default: return;
    }
    // The band follows as if the mouse had moved to where it stands.
    DragRectManager().Drag(sb.MapWindowToView(LastMousePos()), KeyStates(mods, QApplication::mouseButtons()));
    viewport()->update();
}

void QtLvListview::HandleKey(int key, Qt::KeyboardModifiers mods)
{
    TLvSelectionManager &s = Selection();
    TLvSelectionManager::Brackets brackets(s, false);
    const bool navigation = s.Enabled() || s.UseFocusRect();
    TLvGroups &groups = Groups();
    TLvScrollbarManager &sb = Scrollbars();
    auto ensureFocus = [&]() -> bool {
        if (s.FocusedItem())
            return true;
        s.SetFocusedItem(groups.FirstVisibleItem());
        return false;
    };
    auto adjacent = [&](TLvAdjacent direction) -> TLvItem * {
        TLvItem *f = s.FocusedItem();
        return f->Group()->Grid()->AdjacentItem(f, direction);
    };
    const bool ctrl = mods & Qt::ControlModifier;
    switch (key) {
    case Qt::Key_Escape:
        ClearCutMarks();
        Invalidate();
        return;
    case Qt::Key_Space:
        if (TLvItem *f = s.FocusedItem()) {
            const TLvCheckType type = f->PaintInfo()->CheckType();
            if (type == TLvCheckType::ectBox || type == TLvCheckType::ectRadio)
                f->SetChecked(!f->Checked());
        }
        return;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
        break;
    case Qt::Key_A:
        if (ctrl)
            s.SelectAll();
        return;
    case Qt::Key_C:
        if (ctrl) {
            bool handled = false;
            if (OnClipboardCopy)
                OnClipboardCopy(handled);
        }
        return;
    case Qt::Key_V:
        if (ctrl) {
            bool handled = false;
            if (OnClipboardPaste)
                OnClipboardPaste(handled);
            if (!handled)
                PasteFromClipboard();
        }
        return;
    case Qt::Key_X:
        if (ctrl) {
            bool markAsCut = true, handled = false;
            if (OnClipboardCut)
                OnClipboardCut(markAsCut, handled);
            if (!handled)
                CutToClipboard();
            else if (markAsCut)
                MarkSelectedCut();
        }
        return;
    case Qt::Key_Plus:
        if (ctrl && (mods & Qt::KeypadModifier))
            AutoSizeColumns(true);
        return;
    case Qt::Key_F2:
        if (TLvItem *f = s.FocusedItem())
            EditManager().BeginEdit(f, nullptr);
        return;
    default:
        return;
    }
    if (!navigation) {
        const int ch = ClientHeight();
        switch (key) {
        case Qt::Key_PageUp: sb.SetOffsetY(sb.OffsetY() - ch); break;
        case Qt::Key_PageDown: sb.SetOffsetY(sb.OffsetY() + ch); break;
        case Qt::Key_End:
            sb.SetOffsetX(sb.MaxOffsetX());
            sb.SetOffsetY(sb.MaxOffsetY());
            break;
        case Qt::Key_Home:
            sb.SetOffsetX(0);
            sb.SetOffsetY(0);
            break;
        case Qt::Key_Left: sb.SetOffsetX(sb.OffsetX() - 1); break;
        case Qt::Key_Right: sb.SetOffsetX(sb.OffsetX() + 1); break;
        case Qt::Key_Up: sb.SetOffsetY(sb.OffsetY() - 1); break;
        case Qt::Key_Down: sb.SetOffsetY(sb.OffsetY() + 1); break;
        default: break;
        }
        return;
    }
    if (!ensureFocus())
        return;
    TLvItem *target = nullptr;
    switch (key) {
    case Qt::Key_PageUp: target = adjacent(eadPageUp); break;
    case Qt::Key_PageDown: target = adjacent(eadPageDown); break;
    case Qt::Key_End: target = groups.LastVisibleItem(); break;
    case Qt::Key_Home: target = groups.FirstVisibleItem(); break;
    case Qt::Key_Left: target = adjacent(eadLeft); break;
    case Qt::Key_Right: target = adjacent(eadRight); break;
    case Qt::Key_Up: target = adjacent(eadUp); break;
    case Qt::Key_Down:
        target = adjacent(eadDown);
        if (!target && s.Count() == 0 && Items().Count() == 1) {
            s.SetFocusedItem(nullptr);
            target = groups.FirstVisibleItem();
        }
        break;
    default: break;
    }
    MoveFocusTo(target, mods);
}

void QtLvListview::MoveFocusTo(TLvItem *target, Qt::KeyboardModifiers mods)
{
    if (!target)
        return;
    TLvSelectionManager &s = Selection();
    BeginUpdate();
    struct Done {
        QtLvListview *lv;
        ~Done()
        {
            lv->DecUpdateCount();
            lv->RepaintSkipped();
            lv->UpdateWindow();
        }
    } done{this};
    if (target != s.FocusedItem()) {
        if (!s.Enabled() && s.UseFocusRect()) {
            s.SetFocusedItem(target);
        } else if (mods & Qt::ControlModifier) {
            s.SetFocusedItem(target);
        } else if (mods & Qt::ShiftModifier) {
            if (s.AnchorItem())
                s.SelectRange(s.AnchorItem(), target, true, s.RectSelect());
            else
                s.ClearAll();
            s.SetFocusedItem(target);
            target->SetSelected(true);
        } else {
            s.ClearAll();
            s.SetFocusedItem(target);
            target->SetSelected(true);
            s.SetAnchorItem(target);
        }
    }
    if (s.FocusedItem())
        s.FocusedItem()->MakeVisible(3);
}

void QtLvListview::wheelEvent(QWheelEvent *event)
{
    Protege([&] {
        const int delta = event->angleDelta().y() != 0 ? event->angleDelta().y() : event->angleDelta().x();
        Scrollbars().Wheel(delta, Shift(event->modifiers()), QApplication::wheelScrollLines());
    });
    event->accept();
}

} // namespace gdvorn::lv
