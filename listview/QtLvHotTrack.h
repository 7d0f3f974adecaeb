#pragma once
// Hot tracking and hints of the list view.
//
// TLvHotTrackManager (the control's HotTrack) keeps the object under the pointer (an item or a group)
// and the object whose check box is under it. Setting a new hot object switches the old one's hot flag
// off and the new one's on (OnItemHotTrack / OnGroupHotTrack) and, while tracking is on and no drag
// runs, puts the hot cursor (a pointing hand by default) on the viewport, or takes it off when nothing
// is hot. Setting the same object again does nothing at all. The hot item's caption is painted in
// `Color`, underlined when `Underline` is on.
//
// TLvHintWindow is the control's own tool-tip window, shown from the viewport's tool-tip event while
// the control's ShowHint is on. Before it shows, OnHintCustomInfo may change the hint's type, text,
// colour and size; a text hint is as wide as its text plus 6 pixels and as high plus 2. ehtCustomDraw
// hints are painted by OnHintCustomDraw in the bounds its handlers left.

#include "listview/ListviewCore.h"

#include <QColor>
#include <QTimer>
#include <QWidget>

class QPainter;

namespace gdvorn::lv {

class QtLvListview;

enum TLvHotTrackGroupPart : std::uint8_t {
    htgIcon = 1, htgText = 2, htgTopMargin = 4, htgBottomMargin = 8, htgLeftMargin = 16, htgRightMargin = 32,
    htgAnyWhere = 64,
};
using TLvHotTrackGroupParts = std::uint8_t;
enum TLvHotTrackItemPart : std::uint8_t { htiIcon = 1, htiText = 2, htiAnyWhere = 4 };
using TLvHotTrackItemParts = std::uint8_t;

class TLvHotTrackManager {
public:
    explicit TLvHotTrackManager(QtLvListview *owner) : owner_(owner) {}

    LvColor Color() const { return color_; }
    void SetColor(LvColor c) { color_ = c; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v) { enabled_ = v; }
    Qt::CursorShape Cursor() const { return cursor_; }
    void SetCursor(Qt::CursorShape c) { cursor_ = c; }
    TLvHotTrackGroupParts GroupTrack() const { return groupTrack_; }
    void SetGroupTrack(TLvHotTrackGroupParts v) { groupTrack_ = v; }
    TLvHotTrackItemParts ItemTrack() const { return itemTrack_; }
    void SetItemTrack(TLvHotTrackItemParts v) { itemTrack_ = v; }
    bool OnlyFocused() const { return onlyFocused_; }
    void SetOnlyFocused(bool v) { onlyFocused_ = v; }
    bool Underline() const { return underline_; }
    void SetUnderline(bool v) { underline_ = v; }

    TLvCollectionItem *HotObject() const { return hot_; }
    void SetHotObject(QPoint windowPoint, TLvCollectionItem *object);
    TLvCollectionItem *HotCheckObject() const { return hotCheck_; }
    void SetHotCheckObject(TLvCollectionItem *object);
    // True while the hot cursor is on the viewport (the mouse move then leaves the cursor alone).
    bool CursorSet() const { return cursorSet_; }

    // A mouse move over the item area with no drag under way: decides the hot and hot-check objects.
    void MouseMove(QPoint windowPoint);
    void Forget(TLvCollectionItem *object);
    // The hot item's caption colour and underline.
    void CaptionFont(const TLvItem *item, LvCanvas &canvas) const;

private:
    QtLvListview *owner_;
    LvColor color_ = LvColor(LvColor::clHighlight);
    bool enabled_ = false, onlyFocused_ = false, underline_ = true, cursorSet_ = false;
    Qt::CursorShape cursor_ = Qt::PointingHandCursor;
    TLvHotTrackGroupParts groupTrack_ = htgIcon | htgText;
    TLvHotTrackItemParts itemTrack_ = htiIcon | htiText;
    TLvCollectionItem *hot_ = nullptr;
    TLvCollectionItem *hotCheck_ = nullptr;
};

// What the application's hint handlers see and may change.
struct TLvHintInfo {
    QPainter *Canvas = nullptr; // set while OnHintCustomDraw paints
    LvRect Bounds;
    TLvHintType HintType = TLvHintType::ehtText;
    QString Text;
    QColor Color;
    QPoint CursorPos;
    int HideTimeout = 0;
    int MaxWidth = 0;
    int ReshowTimeout = 0;
    QPoint HintPos;
};

// The control's copy of the hint about to show.
struct TLvHintData {
    TLvCollectionItem *TargetObj = nullptr;
    TLvHintType HintType = TLvHintType::ehtText;
    QString Text;
    QColor Color;
    QPoint CursorPos;          // viewport coordinates
    LvRect CursorRect;         // viewport coordinates: where the hint belongs
    int HideTimeout = 2500;
    int MaxWidth = 0;
    int ReshowTimeout = 0;
    QPoint HintPos;            // global
};

class TLvHintWindow : public QWidget {
public:
    explicit TLvHintWindow(QtLvListview *owner);

    // Fires OnHintCustomInfo and measures the hint: the bounds of the window's content.
    LvRect CalcHintRect(int maxWidth, const QString &text);
    // Shows the control's current hint at a global position (hidden after its hide time-out).
    void ActivateHint(QPoint globalPos, const QString &text);
    const TLvHintInfo &Info() const { return info_; }
    // The viewport's events that hide the hint (leaving, presses, keys, the wheel, moving off its place).
    void ViewportEvent(QEvent *event);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QtLvListview *owner_;
    TLvHintInfo info_;
    QTimer hide_;
};

} // namespace gdvorn::lv
