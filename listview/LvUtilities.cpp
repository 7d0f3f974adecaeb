#include "listview/LvUtilities.h"

#include "listview/ListviewCore.h"

#include <QImage>
#include <QPainter>

#include <cmath>

namespace gdvorn::lv {

LvTextMetrics TextMetrics(const ListviewCore &lv, const QFont &font)
{
    LvTextMetrics m;
    m.width = [&lv, font](const QString &s) { return lv.TextExtent(font, s).width(); };
    m.height = lv.TextHeight(font);
    m.averageCharWidth = lv.AverageCharWidth(font);
    m.maxCharWidth = lv.MaxCharWidth(font);
    return m;
}

QString EndEllipsis(const LvTextMetrics &m, const QString &text, int width)
{
    if (text.isEmpty() || m.width(text) <= width)
        return text;
    const QString dots = QStringLiteral("...");
    const int dotsWidth = m.width(dots);
    int lo = 0, hi = int(text.size()) - 1;
    while (lo < hi) {
        const int mid = (lo + hi + 1) / 2;
        if (m.width(text.left(mid)) + dotsWidth > width)
            hi = mid - 1;
        else
            lo = mid;
    }
    return text.left(lo) + dots;
}

QStringList WordWrap(const LvTextMetrics &m, const QString &text, int width, int lineLimit)
{
    QStringList lines;
    if (width == 0)
        return lines;
    if (width < m.maxCharWidth) {
        if (!text.isEmpty())
            lines << text;
        return lines;
    }
    const int n = int(text.size());
    int pos = 0;
    while (pos < n && (lineLimit < 0 || lines.size() < lineLimit)) {
        const bool lastAllowed = lineLimit >= 0 && lines.size() == lineLimit - 1;
        if (lastAllowed) {
            lines << text.mid(pos);
            break;
        }
        int sum = 0, end = pos, breakAt = -1;
        bool overflow = false;
        while (end < n) {
            const QChar c = text[end];
            if (c == '\r' || c == '\n')
                break;
            sum += m.width(QString(c));
            if (sum > width) {
                overflow = true;
                break;
            }
            ++end;
            if (end < n && text[end] == ' ')
                breakAt = end;
        }
        if (overflow && breakAt > pos)
            end = breakAt;
        else if (overflow && end == pos)
            ++end; // at least one character per line
        lines << text.mid(pos, end - pos);
        pos = end;
        while (pos < n && (text[pos] == '\r' || text[pos] == '\n' || text[pos] == ' '))
            ++pos;
    }
    return lines;
}

namespace {

int DrawLine(const LvTextMetrics &m, QPainter *painter, const QFont &font, const QColor &color, QString text,
             LvRect &rc, std::uint32_t flags)
{
    LvRect line(rc.left, rc.top, rc.right, rc.top + m.height);
    if (flags & dtVCenter)
        line = line.Translated(0, (rc.Height() - m.height) / 2);
    else if (flags & dtBottom)
        line = line.Translated(0, rc.Height() - m.height);
    if (flags & dtEndEllipsis)
        text = EndEllipsis(m, text, rc.Width());
    const int w = m.width(text);
    int x = line.left;
    if (flags & dtCenter)
        x += (line.Width() - w) / 2;
    else if (flags & dtRight)
        x = line.right - w;
    if (!(flags & dtCalcRect)) {
        if (painter) {
            const LvPainterSave saved(*painter);
            painter->setFont(font);
            painter->setPen(color);
            painter->setLayoutDirection(flags & dtRtlReading ? Qt::RightToLeft : Qt::LeftToRight);
            if (!(flags & dtNoClip))
                painter->setClipRect(line.ToQRect(), Qt::IntersectClip);
            painter->drawText(QRect(x, line.top, std::max(w, 1) + 2, m.height),
                              Qt::AlignLeft | Qt::AlignAbsolute | Qt::AlignTop | Qt::TextSingleLine, text);
        }
    } else {
        const LvRect given = rc;
        rc = {x, line.top, x + w, line.bottom};
        if (given.Width() < w) {
            if (flags & dtCalcRectKeepWithin) {
                rc.left = given.left;
                rc.right = given.right;
            }
            if (flags & dtCalcRectAdjustRight)
                rc.right = rc.left + w;
        }
    }
    return 1;
}

} // namespace

int DrawTextWide(const LvTextMetrics &m, QPainter *painter, const QFont &font, const QColor &color,
                 const QString &text, LvRect &rc, int lineLimit, std::uint32_t flags)
{
    if (flags & dtSingleLine)
        return DrawLine(m, painter, font, color, text, rc, flags);
    const QStringList lines = WordWrap(m, text, rc.Width(), lineLimit);
    const int shown = lineLimit >= 0 ? std::min<int>(lineLimit, int(lines.size())) : int(lines.size());
    int offset = 0;
    if (flags & (dtVCenter | dtBottom)) {
        offset = std::max(0, rc.Height() - m.height * shown);
        if (flags & dtVCenter)
            offset /= 2;
    }
    LvRect measured;
    int count = 0;
    // Lines stop at the first empty one (a text that starts with a line break has one first).
    for (; count < shown && !lines[count].isEmpty(); ++count) {
        const int top = rc.top + offset + count * m.height;
        LvRect line(rc.left, top, rc.right, top + m.height);
        DrawLine(m, painter, font, color, lines[count], line, (flags | dtSingleLine) & ~(dtVCenter | dtBottom));
        measured = count == 0 ? line : measured.United(line);
    }
    if (flags & dtCalcRect) {
        if (count > 0)
            rc = measured;
        else if (flags & dtCalcRectAdjustRight)
            rc = LvRect(rc.left, rc.top, rc.left, rc.top + m.height);
        else
            rc = LvRect(rc.left, rc.top, rc.left + m.averageCharWidth, rc.top);
    }
    return shown;
}

LvRect CenterRectInRect(const LvRect &o, const LvRect &i)
{
    LvRect r;
    if (o.Width() < i.Width()) {
        r.left = o.left;
        r.right = o.right;
    } else {
        r.left = o.left + (o.Width() - i.Width()) / 2;
        r.right = r.left + i.Width();
    }
    if (o.Height() < i.Height()) {
        r.top = o.top;
        r.bottom = o.bottom;
    } else {
        r.top = o.top + (o.Height() - i.Height()) / 2;
        r.bottom = r.top + i.Height();
    }
    return r;
}

QColor GradientColor(const QColor &start, const QColor &end, int first, int last, int y)
{
    const int span = std::max(1, last - first);
    auto channel = [&](int s, int e) { return RoundHalfEven(s + double(y - first) * (e - s) / span); };
    return QColor(channel(start.red(), end.red()), channel(start.green(), end.green()), channel(start.blue(), end.blue()));
}

void DrawGradient(QPainter &painter, int left, int right, int first, int last, int firstDrawn, int lastDrawn,
                  const QColor &start, const QColor &end)
{
    const QColor entryPen = painter.pen().color();
    for (int y = first; y <= last; ++y)
        if (lastDrawn > 0 && y >= firstDrawn && y <= lastDrawn) {
            const QColor color = GradientColor(start, end, first, last, y);
            painter.fillRect(QRect(left, y, right - left, 1), color);
            QPen pen = painter.pen();
            pen.setColor(color);
            painter.setPen(pen);
        }
    // The painters that frame a gradient take the entry pen's colour from the brush.
    painter.setBrush(entryPen);
}

int BlendChannel(int s, int d, int a, int bias)
{
    const int t = int(((unsigned((s - d) * a + d * 256)) & 0xFFFFu) >> 8);
    const std::int64_t v = std::clamp<std::int64_t>(std::int64_t(t) - 128 + bias, -32768, 32767) + 128;
    return int(std::clamp<std::int64_t>(v, 0, 255));
}

void BlendLineConstant(const std::uint32_t *source, std::uint32_t *destination, int count, int alpha, int bias)
{
    for (int i = 0; i < count; ++i) {
        std::uint32_t out = 0;
        for (int c = 0; c < 4; ++c) {
            const int s = int((source[i] >> (8 * c)) & 0xFF), d = int((destination[i] >> (8 * c)) & 0xFF);
            out |= std::uint32_t(BlendChannel(s, d, alpha, bias)) << (8 * c);
        }
        destination[i] = out;
    }
}

void BlendLineColor(std::uint32_t *destination, int count, int alpha, std::uint32_t color)
{
    // The colour is 0x00BBGGRR; pixels are B, G, R, A in memory (0xAARRGGBB as a value).
    const int channel[4] = {int((color >> 16) & 0xFF), int((color >> 8) & 0xFF), int(color & 0xFF), 0};
    for (int i = 0; i < count; ++i) {
        std::uint32_t out = 0;
        for (int c = 0; c < 4; ++c) {
            const int d = int((destination[i] >> (8 * c)) & 0xFF);
            out |= std::uint32_t(std::clamp(((256 - alpha) * d + alpha * channel[c]) >> 8, 0, 255)) << (8 * c);
        }
        destination[i] = out;
    }
}

void BlendLinePerPixel(const std::uint32_t *source, std::uint32_t *destination, int count, int bias)
{
    for (int i = 0; i < count; ++i)
        BlendLineConstant(&source[i], &destination[i], 1, int(source[i] >> 24), bias);
}

void BlendLineMaster(const std::uint32_t *source, std::uint32_t *destination, int count, int master, int bias)
{
    for (int i = 0; i < count; ++i)
        BlendLineConstant(&source[i], &destination[i], 1, int((source[i] >> 24) * unsigned(master)) >> 8, bias);
}

namespace {

void Require32Bit(const QImage &image)
{
    if (image.format() != QImage::Format_ARGB32 && image.format() != QImage::Format_RGB32)
        throw ELvAssertion(QStringLiteral("Alpha blending error: bitmap must use 32 bpp."));
}

} // namespace

void AlphaBlend(const QImage *source, QImage &destination, const LvRect &r, std::uint32_t biasOrColor, int alpha,
                TCommonBlendMode mode, QPoint target)
{
    if (r.IsEmpty())
        return;
    if (destination.isNull())
        throw ELvAssertion(QStringLiteral("Alpha blending DC error: no bitmap available."));
    Require32Bit(destination);
    if (mode == TCommonBlendMode::cbmConstantAlphaAndColor) {
        const LvRect area = r.Intersected({0, 0, destination.width(), destination.height()});
        for (int y = area.top; y < area.bottom; ++y)
            BlendLineColor(reinterpret_cast<std::uint32_t *>(destination.scanLine(y)) + area.left, area.Width(), alpha,
                           biasOrColor);
        return;
    }
    if (!source || source->isNull())
        throw ELvAssertion(QStringLiteral("Alpha blending DC error: no bitmap available."));
    Require32Bit(*source);
    const int bias = int(std::int32_t(biasOrColor));
    for (int k = 0; k < r.Height(); ++k) {
        const int sy = r.top + k, dy = target.y() + k;
        if (sy < 0 || sy >= source->height() || dy < 0 || dy >= destination.height())
            continue;
        // Columns where both runs lie inside their pictures.
        const int first = std::max({0, -r.left, -target.x()});
        const int last = std::min({r.Width(), source->width() - r.left, destination.width() - target.x()});
        if (last <= first)
            continue;
        const auto *s = reinterpret_cast<const std::uint32_t *>(source->constScanLine(sy)) + r.left + first;
        auto *d = reinterpret_cast<std::uint32_t *>(destination.scanLine(dy)) + target.x() + first;
        switch (mode) {
        case TCommonBlendMode::cbmConstantAlpha: BlendLineConstant(s, d, last - first, alpha, bias); break;
        case TCommonBlendMode::cbmPerPixelAlpha: BlendLinePerPixel(s, d, last - first, bias); break;
        case TCommonBlendMode::cbmMasterAlpha: BlendLineMaster(s, d, last - first, alpha, bias); break;
        case TCommonBlendMode::cbmConstantAlphaAndColor: break;
        }
    }
}

std::uint32_t ColorToRGB(LvColor color)
{
    const QColor c = ResolveColor(color);
    return std::uint32_t(c.red()) | std::uint32_t(c.green()) << 8 | std::uint32_t(c.blue()) << 16;
}

void BlendBitmaps(const QImage &source, QImage &target, int ws, bool smooth, int wt)
{
    if (source.height() == 0 || source.size() != target.size() || ws + wt == 0)
        return;
    const QImage src = source.convertToFormat(QImage::Format_ARGB32);
    target = target.convertToFormat(QImage::Format_ARGB32);
    const int w = target.width(), h = target.height();
    for (int y = 0; y < h; ++y) {
        auto *t = reinterpret_cast<std::uint32_t *>(target.scanLine(y));
        const auto *s = reinterpret_cast<const std::uint32_t *>(src.constScanLine(y));
        for (int x = 0; x < w; ++x) {
            if (smooth && x > 0 && x < w - 1 && y > 0 && y < h - 1) {
                std::uint32_t blurred = t[x] & 0xFF000000u;
                for (int c = 0; c < 3; ++c) {
                    int sum = 0;
                    for (int dy = -1; dy <= 1; ++dy) {
                        const auto *row = reinterpret_cast<const std::uint32_t *>(target.constScanLine(y + dy));
                        for (int dx = -1; dx <= 1; ++dx)
                            if (dx || dy)
                                sum += int((row[x + dx] >> (8 * c)) & 0xFF);
                    }
                    sum += int((t[x] >> (8 * c)) & 0xFF) / 2;
                    blurred |= std::uint32_t(std::min(255, sum / 9)) << (8 * c);
                }
                t[x] = blurred;
            }
            std::uint32_t out = t[x] & 0xFF000000u;
            for (int c = 0; c < 3; ++c) {
                const int sv = int((s[x] >> (8 * c)) & 0xFF), tv = int((t[x] >> (8 * c)) & 0xFF);
                out |= std::uint32_t((sv * ws + tv * wt) / (ws + wt)) << (8 * c);
            }
            t[x] = out;
        }
    }
}

int CompareTextWide(const QString &a, const QString &b) { return QString::compare(a, b, Qt::CaseInsensitive); }

int ComparePrefixWide(const QString &text, const QString &search)
{
    if (text.size() < search.size())
        return QString::compare(search, text, Qt::CaseInsensitive); // never 0: the lengths differ
    return QString::compare(search, text.left(search.size()), Qt::CaseInsensitive);
}

TCommonDropEffect KeyStatesToDropEffect(TCommonKeyStates k)
{
    const bool ctrl = k & cksControl, shift = k & cksShift, alt = k & cksAlt;
    if (ctrl && !shift && !alt)
        return TCommonDropEffect::cdeCopy;
    if ((alt && !ctrl && !shift) || (shift && ctrl))
        return TCommonDropEffect::cdeLink;
    return TCommonDropEffect::cdeMove;
}

TCommonKeyStates KeyStatesFromMouseKeys(std::uint32_t mk)
{
    TCommonKeyStates k = 0;
    if (mk & 8)
        k |= cksControl;
    if (mk & 1)
        k |= cksLButton;
    if (mk & 16)
        k |= cksMButton;
    if (mk & 2)
        k |= cksRButton;
    if (mk & 4)
        k |= cksShift;
    if (mk & 32)
        k |= cksAlt;
    if (mk & (1 | 2 | 16))
        k |= cksButton;
    return k;
}

TCommonMouseButton MouseButtonFromMouseKeys(std::uint32_t mk)
{
    if (mk & 1)
        return TCommonMouseButton::cmbLeft;
    if (mk & 16)
        return TCommonMouseButton::cmbMiddle;
    if (mk & 2)
        return TCommonMouseButton::cmbRight;
    return TCommonMouseButton::cmbNone;
}

void DrawCheckGlyphs(QPainter &p, const LvRect &r, bool radio, bool pending, bool ticked, const LvCheckColors &c)
{
    p.save();
    p.setRenderHint(QPainter::Antialiasing, radio);
    const QRect q = r.ToQRect();
    if (radio) {
        p.setPen(Qt::NoPen);
        p.setBrush(pending ? c.pendingFace : c.face);
        p.drawEllipse(q.adjusted(1, 1, -1, -1));
        p.setBrush(Qt::NoBrush);
        p.setPen(c.e4);
        p.drawArc(QRectF(q).adjusted(0.5, 0.5, -0.5, -0.5), 45 * 16, 180 * 16);
        p.setPen(c.e3);
        p.drawArc(QRectF(q).adjusted(0.5, 0.5, -0.5, -0.5), 225 * 16, 180 * 16);
        p.setPen(c.e2);
        p.drawArc(QRectF(q).adjusted(1.5, 1.5, -1.5, -1.5), 45 * 16, 180 * 16);
        p.setPen(c.e1);
        p.drawArc(QRectF(q).adjusted(1.5, 1.5, -1.5, -1.5), 225 * 16, 180 * 16);
        if (ticked) {
            p.setPen(Qt::NoPen);
            p.setBrush(c.mark);
            const int d = std::max(2, r.Width() / 3);
            p.drawEllipse(QRect(q.center().x() - d / 2, q.center().y() - d / 2, d, d));
        }
    } else {
        p.fillRect(q, pending ? c.pendingFace : c.face);
        const int l = r.left, t = r.top, rr = r.right - 1, b = r.bottom - 1;
        p.setPen(c.e4); // outer top and left
        p.drawLine(l, t, rr - 1, t);
        p.drawLine(l, t, l, b - 1);
        p.setPen(c.e3); // outer bottom and right
        p.drawLine(l, b, rr, b);
        p.drawLine(rr, t, rr, b);
        p.setPen(c.e2); // inner top and left
        p.drawLine(l + 1, t + 1, rr - 2, t + 1);
        p.drawLine(l + 1, t + 1, l + 1, b - 2);
        p.setPen(c.e1); // inner bottom and right
        p.drawLine(l + 1, b - 1, rr - 1, b - 1);
        p.drawLine(rr - 1, t + 1, rr - 1, b - 1);
        if (ticked) {
            // A tick of three-pixel strokes inside the face.
            const int side = r.Width() - 4;
            const int x0 = l + 2 + side / 5, y0 = t + 2 + side * 2 / 5;
            const int x1 = l + 2 + side * 2 / 5, y1 = t + 2 + side * 3 / 5;
            const int x2 = l + 2 + side * 4 / 5, y2 = t + 2 + side / 5;
            p.setPen(c.mark);
            for (int k = 0; k < 3; ++k) {
                p.drawLine(x0, y0 + k, x1, y1 + k);
                p.drawLine(x1, y1 + k, x2, y2 + k);
            }
        }
    }
    p.restore();
}

} // namespace gdvorn::lv
