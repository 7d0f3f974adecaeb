#pragma once
// Value types of the list view: rectangles with right and bottom outside, colours that may be a system
// colour or none, the state bits of collection items, hit-test sets and the small enumerations.
//
// LvRect keeps the arithmetic the layouts are written in (width = right - left; a point on the right or
// bottom edge is outside); it becomes a QRect only when painting.

#include <QColor>
#include <QPoint>
#include <QRect>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <exception>
#include <stdexcept>
#include <utility>

namespace gdvorn::lv {

struct LvRect {
    int left = 0, top = 0, right = 0, bottom = 0;

    constexpr LvRect() = default;
    constexpr LvRect(int l, int t, int r, int b) : left(l), top(t), right(r), bottom(b) {}

    constexpr int Width() const { return right - left; }
    constexpr int Height() const { return bottom - top; }
    // Empty as the platform's IsRectEmpty: no area.
    constexpr bool IsEmpty() const { return right <= left || bottom <= top; }
    constexpr bool Contains(QPoint p) const { return p.x() >= left && p.x() < right && p.y() >= top && p.y() < bottom; }
    // A contains B when B's edges lie within A's, edges included.
    constexpr bool ContainsRect(const LvRect &b) const
    {
        return b.left >= left && b.right <= right && b.top >= top && b.bottom <= bottom;
    }
    constexpr bool Intersects(const LvRect &o) const { return !Intersected(o).IsEmpty(); }
    constexpr LvRect Intersected(const LvRect &o) const
    {
        LvRect r(std::max(left, o.left), std::max(top, o.top), std::min(right, o.right), std::min(bottom, o.bottom));
        if (r.IsEmpty())
            return {};
        return r;
    }
    // The union of the platform: an empty rectangle adds nothing.
    constexpr LvRect United(const LvRect &o) const
    {
        if (o.IsEmpty())
            return *this;
        if (IsEmpty())
            return o;
        return {std::min(left, o.left), std::min(top, o.top), std::max(right, o.right), std::max(bottom, o.bottom)};
    }
    constexpr LvRect Inflated(int dx, int dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
    constexpr LvRect Translated(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    constexpr LvRect Normalized() const
    {
        return {std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
    }
    constexpr bool IsUpright() const { return right >= left && bottom >= top; }
    constexpr bool operator==(const LvRect &) const = default;
    QRect ToQRect() const { return QRect(left, top, right - left, bottom - top); }
    static LvRect FromQRect(const QRect &r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }
};

// Colours as the component stores them: 0x00BBGGRR, a system colour (0x80000000 | index) or none.
class LvColor {
public:
    enum System : std::uint32_t {
        clScrollBar = 0x80000000, clBackground = 0x80000001, clActiveCaption = 0x80000002,
        clWindow = 0x80000005, clWindowText = 0x80000008, clHighlight = 0x8000000D,
        clHighlightText = 0x8000000E, clBtnFace = 0x8000000F, clBtnShadow = 0x80000010,
        clGrayText = 0x80000011, clBtnText = 0x80000012, clInactiveBorder = 0x8000000B,
        clBtnHighlight = 0x80000014, cl3DDkShadow = 0x80000015, cl3DLight = 0x80000016,
    };
    static constexpr std::uint32_t clNone = 0x1FFFFFFF;
    static constexpr std::uint32_t clBlack = 0x000000, clWhite = 0xFFFFFF, clBlue = 0xFF0000, clSilver = 0xC0C0C0;

    constexpr LvColor(std::uint32_t v = clBlack) : value_(v) {}
    static constexpr LvColor Rgb(int r, int g, int b)
    {
        return LvColor(std::uint32_t(r & 0xFF) | std::uint32_t(g & 0xFF) << 8 | std::uint32_t(b & 0xFF) << 16);
    }
    constexpr std::uint32_t Value() const { return value_; }
    constexpr bool IsNone() const { return value_ == clNone; }
    constexpr bool IsSystem() const { return (value_ & 0xFF000000) == 0x80000000; }
    constexpr bool operator==(const LvColor &) const = default;

private:
    std::uint32_t value_;
};

// The colour to paint with: system colours come from the application's palette; none is transparent.
QColor ResolveColor(LvColor color);

// State bits of a collection item (their values are those of the stream format).
enum TLvStateBit : std::uint16_t {
    cisChecked = 0x0001, cisCheckPending = 0x0002, cisCheckPendingAway = 0x0004, cisPressed = 0x0008,
    cisCut = 0x0010, cisDestroying = 0x0020, cisDropHilighted = 0x0040, cisEnabled = 0x0080,
    cisFocused = 0x0100, cisInitialized = 0x0200, cisSelected = 0x0400, cisVisible = 0x0800,
    cisHotTracking = 0x1000, cisBold = 0x2000, cisColumnDropTarget = 0x4000, cisGhosted = 0x8000,
};

enum class TLvListStyle : std::uint8_t {
    elsIcon, elsSmallIcon, elsList, elsReport, elsThumbnail, elsTile, elsFilmStrip, elsGrid
};

enum class TLvCheckType : std::uint8_t { ectNone, ectNoneWithSpace, ectBox, ectRadio };
enum class TCommonVAlignment : std::uint8_t { cvaTop, cvaBottom, cvaCenter };
enum class TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
enum class TLvSortDirection : std::uint8_t { esdNone, esdAscending, esdDescending };
enum class TLvHeaderButtonStyle : std::uint8_t { ehbsThick, ehbsFlat, ehbsPlate, ehbsThemed };
enum class TLvHeaderImagePosition : std::uint8_t { ehpLeft, ehpTop, ehpRight, ehpBottom };
enum class TLvSortGlyphAlign : std::uint8_t { esgaLeft, esgaRight };
enum class TLvDefaultWheelScroll : std::uint8_t { edwsHorz, edwsVert };
enum class TLvHotTrackState : std::uint8_t { ehsEnable, ehsDisable };
enum class TLvImageKind : std::uint8_t { eikNormal, eikOverlay, eikState };
enum class TCommonMouseButton : std::uint8_t { cmbNone, cmbLeft, cmbRight, cmbMiddle };
enum class TLvHintType : std::uint8_t { ehtText, ehtToolTip, ehtCustomDraw };

// Sets as bit masks.
enum TLvItemHitTestInfo : std::uint16_t {
    ehtStateIcon = 1, ehtOnIcon = 2, ehtOnLabel = 4, ehtOnClickSelectBounds = 8, ehtOnDragSelectBounds = 16,
    ehtOnText = 32, ehtOnCheck = 64, ehtOnEdit = 128,
};
using TLvItemHitTestInfoSet = std::uint16_t;

enum TLvGroupHitTestInfo : std::uint16_t {
    egtOnBand = 1, egtOnCheckbox = 2, egtOnExpandButton = 4, egtOnIcon = 8, egtOnLabel = 16, egtOnText = 32,
    egtOnHeader = 64, egtOnFooter = 128, egtOnLeftMargin = 256, egtOnRightMargin = 512,
};
using TLvGroupHitTestInfoSet = std::uint16_t;

enum TCommonKeyState : std::uint8_t {
    cksControl = 1, cksLButton = 2, cksMButton = 4, cksRButton = 8, cksShift = 16, cksAlt = 32, cksButton = 64,
};
using TCommonKeyStates = std::uint8_t;

enum TShiftStateBit : std::uint8_t { ssShift = 1, ssAlt = 2, ssCtrl = 4, ssLeft = 8, ssRight = 16, ssMiddle = 32 };
using TShiftState = std::uint8_t;

// Runs a function when the scope ends, also when it is left by an exception.
template <class F> class LvFinally {
public:
    explicit LvFinally(F f) : f_(std::move(f)) {}
    ~LvFinally() { f_(); }
    LvFinally(const LvFinally &) = delete;
    LvFinally &operator=(const LvFinally &) = delete;

private:
    F f_;
};

// The toolkit's list error: an index outside the list.
class EListError : public std::out_of_range {
public:
    explicit EListError(int index);
    int Index() const { return index_; }

private:
    int index_;
};

// A consistency check of the component failed: a programming error of its user, carrying the check's text.
class ELvAssertion : public std::logic_error {
public:
    explicit ELvAssertion(const QString &message) : std::logic_error(message.toStdString()) {}
};

// The closing steps of a bracket, for its destructor: each step runs even when one before it failed. The
// first failure reaches the caller, unless the bracket is left by an exception already (that one goes
// on). `unwinding` is std::uncaught_exceptions() when the bracket opened.
template <class... Steps> void CloseBracket(int unwinding, Steps &&...steps)
{
    std::exception_ptr failure;
    const auto run = [&](auto &step) {
        try {
            step();
        } catch (...) {
            if (!failure)
                failure = std::current_exception();
        }
    };
    (run(steps), ...);
    if (failure && std::uncaught_exceptions() == unwinding)
        std::rethrow_exception(failure);
}

} // namespace gdvorn::lv
