#pragma once
// The list-view control: a QAbstractScrollArea whose viewport is the client area (the header painted
// inside it), implementing the platform services of ListviewCore.
//
// - Painting: the viewport is opaque and painted with QPainter (double buffering is Qt's). While the
//   update count is above 0 a paint event draws nothing and keeps its region; the outermost EndUpdate
//   invalidates it again. Order: background, header, column bands, items (report rows across the
//   columns), the focused row's focus rectangle, then the rubber band and OnAfterPaint.
// - Input: the viewport's mouse events go to the header when they fall on it, otherwise to the item
//   area's press, move and release handlers; a press on an item's check box only holds the box (the
//   release toggles it). The context menu follows a right-button release (a right-button drag swallows
//   the next one) or a keyboard request, which pops up at the first selected item; a request that no
//   handler takes goes to the widget's context-menu policy.
// - Hints: Qt's tool-tip event ends the platform's pause; OnHintPauseTime may lengthen it.
// - Scroll bars: the area's own bars, shown when the document needs them; their actions become the
//   component's scroll codes and the bar then follows the offset.
// Every event runs inside Protege: a silent abort is swallowed, other exceptions reach TrataExcecao.
// The window "exists" from the first show on.

#include "listview/ListviewCore.h"
#include "listview/QtLvHotTrack.h"

#include <QAbstractScrollArea>
#include <QRegion>
#include <QTimer>

#include <functional>

class QMenu;
class QMimeData;

namespace gdvorn::lv {

class QtLvDragDrop;
class TLvOLEDragManager;
class TLvHeaderDragManager;
class TLvEditManager;

class QtLvListview : public QAbstractScrollArea, public ListviewCore {
public:
    explicit QtLvListview(QWidget *parent = nullptr);
    ~QtLvListview() override;

    // --- Platform services ---
    bool HandleAllocated() const override;
    int ClientWidth() const override;
    int ClientHeight() const override;
    QSize ControlSize() const override { return size(); }
    int DpiX() const override;
    int DpiY() const override;
    bool Focused() const override;
    void InvalidateWindow(const LvRect *rect, bool immediate) override;
    void UpdateWindow() override;
    void SetCursorNumber(int cursor) override;
    void SetHeaderCapture(bool) override {}
    bool ScrollBarShown(bool vertical) const override;
    void ShowScrollBar(bool vertical, bool show) override;
    void SetScrollInfo(bool vertical, int maximum, int page, int position) override;
    int ScrollBarExtent() const override;
    QSize TextExtent(const QFont &font, const QString &text) const override;
    int TextHeight(const QFont &font) const override;
    int AverageCharWidth(const QFont &font) const override;
    int MaxCharWidth(const QFont &font) const override;
    void NotifyAccessibility(int event) override;
    // QtLvAccessible.cpp: the accessible objects of groups, items and columns go with them; the
    // accessibility factory is installed once, by the first control (after the application's own).
    static void InstallAccessibleFactory();
    void PopupMenu(QMenu *menu, QPoint windowPoint) override;
    void RepaintSkipped() override;
    void ApplyBorder() override;
    std::unique_ptr<TLvViewItem> NewViewItem(TLvListStyle view) override;
    std::unique_ptr<TLvViewColumn> NewViewColumn() override;
    bool PaintThemedHeaderBackground(LvCanvas &canvas, const LvRect &rect) override;
    void BeginHeaderDrag(TLvColumn *column, QPoint headerPoint) override;
    void DragEnabledChanged() override;
    void ObjectDestroying(TLvCollectionItem *object) override;

    // Drag and drop: the item drag manager, the header's column drag manager and the machinery.
    TLvOLEDragManager &DragManager();
    TLvHeaderDragManager &HeaderDragManager();
    QtLvDragDrop &DragDrop() { return *dragDrop_; }
    // Runs a modal drag of `data` (not taken) with the allowed actions and picture; answers the action
    // the drop took, IgnoreAction when cancelled. Tests replace it with a scripted outcome.
    virtual Qt::DropAction DoDragDrop(QMimeData *data, Qt::DropActions actions, const QImage &image, QPoint hotSpot);
    TLvItem *EditingItem() const override;
    bool ItemEditingEnabled() const override;
    TLvColumn *EditingColumn() const override;
    void HotTrackCaptionFont(const TLvItem *item, LvCanvas &canvas) const override;
    bool HotTrackEnabled() const override { return hotTrack_->Enabled(); }

    // In-place editing, hot tracking and hints.
    TLvEditManager &EditManager() { return *editManager_; }
    TLvHotTrackManager &HotTrack() { return *hotTrack_; }
    TLvHintWindow &HintWindow() { return *hintWindow_; }
    TLvHintData &HintData() { return hintData_; }
    // Hints show only while ShowHint is on (off by default).
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool v) { showHint_ = v; }
    TAlignment HintAlignment() const { return hintAlignment_; }
    void SetHintAlignment(TAlignment v) { hintAlignment_ = v; }
    std::unique_ptr<TLvViewGroup> NewViewGroup() override;

    // Tests set another resolution (0: the screen's).
    void SetDpiOverride(int dpi) { dpiOverride_ = dpi; }
    // The seam through which menus pop up (tests record instead of showing).
    void SetMenuPopper(std::function<void(QMenu *, QPoint globalPos)> popper) { menuPopper_ = std::move(popper); }
    // Queues OnThreadCallBack on the control's thread; safe from any thread.
    void PostThreadCallBack();
    // Takes the focus when the control has none and can take it (run before a button press is handled).
    void SetFocusIfPossible();

    // Paints the client rectangle `rect` (window coordinates) with `painter` (the paint event's work).
    void PaintRect(QPainter &painter, const LvRect &rect, bool selectedOnly = false);

    // The item-area handlers (public so that a caller can drive them without a pointing device).
    void HandleButtonPress(TCommonMouseButton button, QPoint pos, Qt::KeyboardModifiers mods, Qt::MouseButtons buttons);
    void HandleButtonRelease(TCommonMouseButton button, QPoint pos, Qt::KeyboardModifiers mods);
    // Keys while a rubber band is dragged: they scroll the view, and the band follows.
    void DragSelectKey(int key, Qt::KeyboardModifiers mods);
    void HandleKey(int key, Qt::KeyboardModifiers mods);
    void HandleContextMenu(QPoint pos, bool keyboard);
    // The end of a menu request that nothing took: the widget's context-menu policy (the custom-menu
    // signal, a menu of its actions, or with the default policy the request handed to the parents).
    void DefaultContextMenu(QPoint windowPoint, bool keyboard);
    // The hint for a point: its text when one is allowed, else empty (and the rectangle it belongs to).
    QString HintAt(QPoint pos, LvRect &cursorRect);

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    bool event(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void scrollContentsBy(int, int) override {}
    bool viewportEvent(QEvent *event) override;

private:
    void PaintReportRow(QPainter &p, LvCanvas &canvas, TLvItem *item, const LvRect &docClip, bool selectedOnly);
    void OnBarAction(bool vertical, int action);
    // The end of a scroll-bar operation.
    void EndBarScroll(bool vertical);
    void MoveFocusTo(TLvItem *target, Qt::KeyboardModifiers mods);
    void InitiateDrag(TLvItem *item, QPoint docPoint, bool rectAllowed, TCommonMouseButton button,
                      bool itemDragAllowed = false);
    void EndDrag();
    static TCommonKeyStates KeyStates(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons);
    static TShiftState Shift(Qt::KeyboardModifiers mods);
    QPoint HeaderPoint(QPoint windowPoint) const;
    // Shows the hint for a viewport point, or hides the hint window when none is allowed.
    void ShowHintAt(QPoint pos);
    void FontChanged() override;

    bool created_ = false;
    int dpiOverride_ = 0;
    QRegion skipped_;
    QPoint pressPoint_;
    std::function<void(QMenu *, QPoint)> menuPopper_;
    std::unique_ptr<QtLvDragDrop> dragDrop_;

    friend class QtLvDragDrop;
    bool showHint_ = false;
    TAlignment hintAlignment_ = TAlignment::taLeftJustify;
    TLvHintData hintData_;
    std::unique_ptr<TLvHotTrackManager> hotTrack_;
    std::unique_ptr<TLvEditManager> editManager_;
    TLvHintWindow *hintWindow_ = nullptr;         // a child window
    QTimer hintPause_;                            // the part of a hint pause that Qt's own wait did not cover
    QPoint hintPausePos_;
};

} // namespace gdvorn::lv
