#pragma once
// A list-view model without a widget: a window that "exists", a client area of a given size, 96 dots per
// inch unless a test sets another, and fixed-pitch text (7 pixels a character, 13 high), so that layouts
// come out as plain arithmetic. Invalidations, cursor changes, captures and scroll bars are recorded.

#include "listview/ListviewCore.h"

#include <QColor>
#include <QImage>
#include <QStringList>

#include <vector>

namespace gdvorn::lv {

class FakeListview : public ListviewCore {
public:
    FakeListview(int clientWidth = 400, int clientHeight = 300) : width(clientWidth), height(clientHeight) {}
    ~FakeListview() override { Shutdown(); }

    bool HandleAllocated() const override { return hasWindow; }
    int ClientWidth() const override { return width; }
    int ClientHeight() const override { return height; }
    QSize ControlSize() const override { return {width + 20, height + 20}; }
    int DpiX() const override { return dpi; }
    int DpiY() const override { return dpi; }
    bool Focused() const override { return focused; }
    void InvalidateWindow(const LvRect *rect, bool) override
    {
        invalidated.push_back(rect ? *rect : ClientRect());
    }
    void UpdateWindow() override { ++updates; }
    void SetCursorNumber(int cursor) override { this->cursor = cursor; }
    void SetHeaderCapture(bool capture) override { captured = capture; }
    bool ScrollBarShown(bool vertical) const override { return vertical ? vBar : hBar; }
    void ShowScrollBar(bool vertical, bool show) override { (vertical ? vBar : hBar) = show; }
    void SetScrollInfo(bool vertical, int maximum, int page, int position) override
    {
        (vertical ? vInfo : hInfo) = {maximum, page, position};
    }
    int ScrollBarExtent() const override { return 17; }
    QSize TextExtent(const QFont &, const QString &text) const override { return {7 * int(text.size()), 13}; }
    int TextHeight(const QFont &) const override { return 13; }
    int AverageCharWidth(const QFont &) const override { return 7; }
    int MaxCharWidth(const QFont &) const override { return 7; }
    void NotifyAccessibility(int event) override { accessibility.push_back(event); }

    struct ScrollInfo {
        int maximum = 0, page = 0, position = 0;
    };

    bool hasWindow = true;
    int width, height;
    int dpi = 96;
    bool focused = true;
    std::vector<LvRect> invalidated;
    int updates = 0;
    int cursor = 0;
    bool captured = false;
    bool hBar = false, vBar = false;
    ScrollInfo hInfo, vInfo;
    std::vector<int> accessibility;
};

// A 32-bit picture of one colour, for the drawing and blending tests.
inline QImage Solid(QSize size, QColor color)
{
    QImage img(size, QImage::Format_ARGB32);
    img.fill(color);
    return img;
}

} // namespace gdvorn::lv
