#include "listview/QtLvHotTrack.h"

#include "app/ugExcecao.h"
#include "listview/LvUtilities.h"
#include "listview/QtLvListview.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

namespace gdvorn::lv {

// ---------------------------------------------------------------------------------------------------
// TLvHotTrackManager

void TLvHotTrackManager::SetHotObject(QPoint windowPoint, TLvCollectionItem *object)
{
    if (object == hot_)
        return;
    if (enabled_ && owner_->HandleAllocated() && !owner_->HasState(elvsDragging | elvsToolkitDragging)) {
        if (object)
            owner_->viewport()->setCursor(cursor_);
        else
            owner_->viewport()->unsetCursor();
        cursorSet_ = object != nullptr;
    }
    TLvCollectionItem *previous = hot_;
    hot_ = object;
    if (previous)
        previous->SetHotTracking(false, windowPoint);
    if (object)
        object->SetHotTracking(true, windowPoint);
}

void TLvHotTrackManager::SetHotCheckObject(TLvCollectionItem *object)
{
    if (object == hotCheck_)
        return;
    if (TLvCollectionItem *previous = hotCheck_) {
        hotCheck_ = nullptr;
        previous->SetCheckPendingAway(false);
        previous->Invalidate(false);
    }
    hotCheck_ = object;
    if (object) {
        object->SetCheckPendingAway(true);
        object->Invalidate(false);
    }
}

void TLvHotTrackManager::MouseMove(QPoint pos)
{
    TLvCollectionItem *hot = nullptr, *candidate = nullptr;
    TLvGroupHitTestInfoSet groupHit = 0;
    if (TLvGroup *group = owner_->GroupAt(pos, groupHit)) {
        if (groupHit & egtOnCheckbox)
            candidate = group;
        else if ((groupTrack_ & htgAnyWhere) || ((groupTrack_ & htgIcon) && (groupHit & egtOnIcon)) ||
                 ((groupTrack_ & htgText) && (groupHit & egtOnText)) ||
                 ((groupTrack_ & htgTopMargin) && (groupHit & egtOnHeader)) ||
                 ((groupTrack_ & htgBottomMargin) && (groupHit & egtOnFooter)) ||
                 ((groupTrack_ & htgLeftMargin) && (groupHit & egtOnLeftMargin)) ||
                 ((groupTrack_ & htgRightMargin) && (groupHit & egtOnRightMargin)))
            hot = group;
    }
    if (!hot && !candidate) {
        TLvItemHitTestInfoSet hit = 0;
        if (TLvItem *item = owner_->ItemAt(pos, nullptr, hit)) {
            if (hit & ehtOnCheck)
                candidate = item;
            else if ((itemTrack_ & htiAnyWhere) || ((itemTrack_ & htiIcon) && (hit & ehtOnIcon)) ||
                     ((itemTrack_ & htiText) && (hit & ehtOnText)))
                hot = item;
        }
    }
    // A held check box decides its own look (pending away or not); no other box turns hot meanwhile.
    if (owner_->HasState(elvsCheckPending))
        candidate = nullptr;
    if (!enabled_) {
        SetHotCheckObject(nullptr);
        return;
    }
    if (!owner_->CheckManager().PendingObject() && (owner_->Focused() || !onlyFocused_) &&
        owner_->ClientRect().Contains(pos) && hot && hot->Enabled())
        SetHotObject(pos, hot);
    else
        SetHotObject(pos, nullptr);
    SetHotCheckObject(candidate);
}

void TLvHotTrackManager::Forget(TLvCollectionItem *object)
{
    if (object == hot_) {
        hot_ = nullptr;
        if (cursorSet_ && !owner_->Destroying())
            owner_->viewport()->unsetCursor();
        cursorSet_ = false;
    }
    if (object == hotCheck_)
        hotCheck_ = nullptr;
}

void TLvHotTrackManager::CaptionFont(const TLvItem *item, LvCanvas &canvas) const
{
    if (!enabled_ || item != hot_ || item->Selected() || item->DropHilighted())
        return;
    canvas.fontColor = color_;
    if (underline_)
        canvas.font.setUnderline(true);
}

// ---------------------------------------------------------------------------------------------------
// TLvHintWindow

TLvHintWindow::TLvHintWindow(QtLvListview *owner)
    : QWidget(owner, Qt::ToolTip | Qt::FramelessWindowHint), owner_(owner)
{
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFont(QToolTip::font());
    setPalette(QToolTip::palette());
    hide_.setSingleShot(true);
    connect(&hide_, &QTimer::timeout, this, &QWidget::hide);
}

LvRect TLvHintWindow::CalcHintRect(int maxWidth, const QString &text)
{
    TLvHintData &data = owner_->HintData();
    info_.Canvas = nullptr;
    info_.HintType = data.HintType;
    info_.Text = text;
    info_.Color = data.Color;
    info_.CursorPos = data.CursorPos;
    info_.HideTimeout = data.HideTimeout;
    info_.MaxWidth = maxWidth;
    info_.ReshowTimeout = data.ReshowTimeout;
    info_.HintPos = data.HintPos;
    info_.Bounds = LvRect(0, 0, maxWidth, 0);
    if (owner_->OnHintCustomInfo)
        owner_->OnHintCustomInfo(data.TargetObj, info_);
    data.HintType = info_.HintType;
    data.Text = info_.Text;
    data.Color = info_.Color;
    data.CursorPos = info_.CursorPos;
    data.HideTimeout = info_.HideTimeout;
    data.MaxWidth = info_.MaxWidth;
    data.ReshowTimeout = info_.ReshowTimeout;
    data.HintPos = info_.HintPos;
    if (info_.HintType != TLvHintType::ehtCustomDraw) {
        std::uint32_t align = dtLeft;
        if (owner_->HintAlignment() == TAlignment::taRightJustify)
            align = dtRight;
        else if (owner_->HintAlignment() == TAlignment::taCenter)
            align = dtCenter;
        LvRect r = info_.Bounds;
        DrawTextWide(TextMetrics(*owner_, font()), nullptr, font(), {}, info_.Text, r, -1,
                     dtCalcRect | dtCalcRectAdjustRight | align);
        r.right += 6;
        r.bottom += 2;
        info_.Bounds = r;
    }
    return info_.Bounds;
}

void TLvHintWindow::ActivateHint(QPoint globalPos, const QString &text)
{
    const QScreen *screen = QGuiApplication::screenAt(globalPos);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    const LvRect r = CalcHintRect(area.width(), text);
    // Below the pointer, kept on the screen.
    QPoint at = globalPos + QPoint(0, 20);
    at.setX(std::max(area.left(), std::min(at.x(), area.right() - r.Width())));
    if (at.y() + r.Height() > area.bottom())
        at.setY(globalPos.y() - r.Height() - 4);
    setGeometry(QRect(at, QSize(std::max(1, r.Width()), std::max(1, r.Height()))));
    QPalette p = palette();
    if (info_.Color.isValid())
        p.setColor(QPalette::ToolTipBase, info_.Color);
    setPalette(p);
    show();
    raise();
    update();
    if (info_.HideTimeout > 0)
        hide_.start(info_.HideTimeout);
}

void TLvHintWindow::ViewportEvent(QEvent *event)
{
    if (!isVisible())
        return;
    switch (event->type()) {
    case QEvent::Leave:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
    case QEvent::Wheel: hide(); break;
    case QEvent::MouseMove: {
        const QPoint pos = static_cast<QMouseEvent *>(event)->position().toPoint();
        if (!owner_->HintData().CursorRect.Contains(pos))
            hide();
        break;
    }
    default: break;
    }
}

void TLvHintWindow::paintEvent(QPaintEvent *)
{
    Protege([&] {
        QPainter p(this);
        p.fillRect(rect(), palette().color(QPalette::ToolTipBase));
        p.setPen(palette().color(QPalette::ToolTipText));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
        TLvHintData &data = owner_->HintData();
        if (info_.HintType == TLvHintType::ehtCustomDraw) {
            info_.Canvas = &p;
            struct Clear {
                TLvHintInfo &info;
                ~Clear() { info.Canvas = nullptr; }
            } clear{info_};
            if (owner_->OnHintCustomDraw)
                owner_->OnHintCustomDraw(data.TargetObj, info_);
            return;
        }
        std::uint32_t align = dtLeft;
        if (owner_->HintAlignment() == TAlignment::taRightJustify)
            align = dtRight;
        else if (owner_->HintAlignment() == TAlignment::taCenter)
            align = dtCenter;
        LvRect r = info_.Bounds.Inflated(-2, -2);
        DrawTextWide(TextMetrics(*owner_, font()), &p, font(), palette().color(QPalette::ToolTipText), data.Text, r,
                     -1, align | dtVCenter | dtNoClip);
    });
}

} // namespace gdvorn::lv
