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
//   the next one) or a keyboard request, which pops up at the first selected item.
// - Scroll bars: the area's own bars, shown when the document needs them; their actions become the
//   component's scroll codes and the bar then follows the offset.
// Every event runs inside Protege: a silent abort is swallowed, other exceptions reach TrataExcecao.
// The window "exists" from the first show on.

#include "listview/ListviewCore.h"

#include <QAbstractScrollArea>
#include <QRegion>

#include <functional>

class QMenu;

namespace gdvorn::lv {

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
    void PopupMenu(QMenu *menu, QPoint windowPoint) override;
    void RepaintSkipped() override;
    void ApplyBorder() override;
    std::unique_ptr<TLvViewItem> NewViewItem(TLvListStyle view) override;
    std::unique_ptr<TLvViewColumn> NewViewColumn() override;
    std::unique_ptr<TLvViewGroup> NewViewGroup() override;

    // Tests set another resolution (0: the screen's).
    void SetDpiOverride(int dpi) { dpiOverride_ = dpi; }
    // The seam through which menus pop up (tests record instead of showing).
    void SetMenuPopper(std::function<void(QMenu *, QPoint globalPos)> popper) { menuPopper_ = std::move(popper); }
    // Queues OnThreadCallBack on the control's thread; safe from any thread.
    void PostThreadCallBack();

    // Paints the client rectangle `rect` (window coordinates) with `painter` (the paint event's work).
    void PaintRect(QPainter &painter, const LvRect &rect, bool selectedOnly = false);

    // The item-area handlers (public so that a caller can drive them without a pointing device).
    void HandleButtonPress(TCommonMouseButton button, QPoint pos, Qt::KeyboardModifiers mods, Qt::MouseButtons buttons);
    void HandleButtonRelease(TCommonMouseButton button, QPoint pos, Qt::KeyboardModifiers mods);
    void HandleKey(int key, Qt::KeyboardModifiers mods);
    void HandleContextMenu(QPoint pos, bool keyboard);
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
    void contextMenuEvent(QContextMenuEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void scrollContentsBy(int, int) override {}
    bool viewportEvent(QEvent *event) override;

private:
    void PaintReportRow(QPainter &p, LvCanvas &canvas, TLvItem *item, const LvRect &docClip, bool selectedOnly);
    void OnBarAction(bool vertical, int action);
    void MoveFocusTo(TLvItem *target, Qt::KeyboardModifiers mods);
    void InitiateDrag(TLvItem *item, QPoint docPoint, bool rectAllowed, TCommonMouseButton button);
    void EndDrag();
    static TCommonKeyStates KeyStates(Qt::KeyboardModifiers mods, Qt::MouseButtons buttons);
    static TShiftState Shift(Qt::KeyboardModifiers mods);
    QPoint HeaderPoint(QPoint windowPoint) const;

    bool created_ = false;
    int dpiOverride_ = 0;
    QRegion skipped_;
    QPoint pressPoint_;
    std::function<void(QMenu *, QPoint)> menuPopper_;
};

} // namespace gdvorn::lv
