#pragma once
// Free routines the list view's classes share: text measuring and drawing with word wrap and end
// ellipsis, colour gradients and blending of 32-bit pictures (plain C++ on the components' integer
// formulas), rectangle centring, wide-text comparison, key-state and drop-effect conversions and the
// hand-drawn check box and radio button.

#include "listview/LvTypes.h"

#include <QFont>
#include <QStringList>

#include <functional>

class QImage;
class QPainter;

namespace gdvorn::lv {

class ListviewCore;

// How text is measured: a width for a text, the line height and the character widths of the font.
struct LvTextMetrics {
    std::function<int(const QString &)> width;
    int height = 0;
    int averageCharWidth = 0;
    int maxCharWidth = 0;
};
LvTextMetrics TextMetrics(const ListviewCore &lv, const QFont &font);

enum LvTextFlag : std::uint32_t {
    dtSingleLine = 1u << 0, dtLeft = 1u << 1, dtRight = 1u << 2, dtCenter = 1u << 3, dtTop = 1u << 4,
    dtBottom = 1u << 5, dtVCenter = 1u << 6, dtCalcRect = 1u << 7, dtCalcRectAdjustRight = 1u << 8,
    dtCalcRectKeepWithin = 1u << 9, dtEndEllipsis = 1u << 10, dtRtlReading = 1u << 13, dtNoClip = 1u << 14,
};

// The longest prefix that fits with "..." after it (bisected); the text itself when it fits.
QString EndEllipsis(const LvTextMetrics &m, const QString &text, int width);
// Lines of at most `width` pixels broken at spaces; no empty lines; -1 for no line limit (the last
// allowed line takes the whole rest).
QStringList WordWrap(const LvTextMetrics &m, const QString &text, int width, int lineLimit);
// Draws (or, with dtCalcRect, measures into `rect`) text in a rectangle; returns the line count.
// With a painter the text is drawn in `color`.
int DrawTextWide(const LvTextMetrics &m, QPainter *painter, const QFont &font, const QColor &color,
                 const QString &text, LvRect &rect, int lineLimit, std::uint32_t flags);

// The inner rectangle's size centred in the outer one (the outer edges where the inner is larger).
LvRect CenterRectInRect(const LvRect &outer, const LvRect &inner);

// The colour of row y of a gradient from `first` to `last` (halves to even), per channel.
QColor GradientColor(const QColor &start, const QColor &end, int first, int last, int y);
// Draws the gradient's rows first..last from x left to right (exclusive).
void DrawGradient(QPainter &painter, int left, int right, int first, int last, int firstDrawn, int lastDrawn,
                  const QColor &start, const QColor &end);

// Blend of one channel as the line routines compute it: ((s - d) × a + d × 256) mod 65536 >> 8, then the
// bias added around 128 and clamped to 0..255.
int BlendChannel(int source, int destination, int alpha, int bias);
// Blends a run of 32-bit pixels (B, G, R, A in memory) with a constant alpha (0..256).
void BlendLineConstant(const std::uint32_t *source, std::uint32_t *destination, int count, int alpha, int bias);
// Blends a run of pixels with a colour (0x00BBGGRR) at an alpha.
void BlendLineColor(std::uint32_t *destination, int count, int alpha, std::uint32_t color);
// Blends a run of pixels with each source pixel's own alpha, or with that alpha scaled by a master alpha
// ((source alpha × master) >> 8).
void BlendLinePerPixel(const std::uint32_t *source, std::uint32_t *destination, int count, int bias);
void BlendLineMaster(const std::uint32_t *source, std::uint32_t *destination, int count, int master, int bias);

enum class TCommonBlendMode : std::uint8_t { cbmConstantAlpha, cbmPerPixelAlpha, cbmMasterAlpha, cbmConstantAlphaAndColor };
// Blends the rectangle `r` of `source` into `destination` at `target` with the mode's line routine
// (`biasOrColor` the bias); cbmConstantAlphaAndColor needs no source and blends `r` of the destination
// with the colour `biasOrColor` (0x00BBGGRR). Pictures must be 32-bit and not premultiplied
// (ELvAssertion otherwise, and when a mode that needs a source has none); rows and columns outside either
// picture are left out.
void AlphaBlend(const QImage *source, QImage &destination, const LvRect &r, std::uint32_t biasOrColor, int alpha,
                TCommonBlendMode mode, QPoint target);
// A colour as 0x00BBGGRR, system colours resolved.
std::uint32_t ColorToRGB(LvColor color);

// Blends `source` over `target` with weights (target's alpha byte kept); smooth blurs the target first.
void BlendBitmaps(const QImage &source, QImage &target, int sourceWeight, bool smooth, int targetWeight);

// Case-insensitive comparisons.
int CompareTextWide(const QString &a, const QString &b);
int ComparePrefixWide(const QString &text, const QString &search);

enum class TCommonDropEffect : std::uint8_t { cdeNone, cdeCopy, cdeMove, cdeLink, cdeScroll };
TCommonDropEffect KeyStatesToDropEffect(TCommonKeyStates keys);
TCommonKeyStates KeyStatesFromMouseKeys(std::uint32_t mkFlags);
TCommonMouseButton MouseButtonFromMouseKeys(std::uint32_t mkFlags);

// The hand-drawn check box or radio button at `rect` (a square of the check-box bound): the face in
// `face` (or `pendingFace` while pressed), a border of four colours (left/top outer and inner, right/
// bottom inner and outer) and, when ticked, the mark in `mark`.
struct LvCheckColors {
    QColor e1, e2, e3, e4, pendingFace, face, mark;
};
void DrawCheckGlyphs(QPainter &painter, const LvRect &rect, bool radio, bool pending, bool ticked,
                     const LvCheckColors &colors);

} // namespace gdvorn::lv
