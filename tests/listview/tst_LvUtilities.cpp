// The list view's shared drawing routines without a widget: multi-line and aligned text, the gradient's
// painter state, blend saturation, the blend refusals' texts, the hand-drawn check box and radio button
// and the key-state conversions.

#include "FakeListview.h"

#include "listview/LvUtilities.h"

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <climits>

using namespace gdvorn::lv;

Q_DECLARE_METATYPE(gdvorn::lv::LvRect)

namespace {

// The fake control's fixed pitch: seven pixels a character, lines 13 high.
LvTextMetrics Fixed()
{
    static const FakeListview lv;
    return TextMetrics(lv, QFont());
}

} // namespace

class tst_LvUtilities : public QObject {
    Q_OBJECT

private slots:
    void multiLineText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<LvRect>("given");
        QTest::addColumn<int>("limit");
        QTest::addColumn<int>("flags");
        QTest::addColumn<LvRect>("measured");
        QTest::addColumn<int>("result");
        const int calc = dtCalcRect;
        QTest::newRow("two lines") << "one two three" << LvRect(0, 0, 49, 100) << -1 << calc << LvRect(0, 0, 49, 26) << 2;
        QTest::newRow("centred vertically") << "one two three" << LvRect(0, 0, 49, 100) << -1 << int(calc | dtVCenter)
                                            << LvRect(0, 37, 49, 63) << 2;
        QTest::newRow("centre wins over bottom")
            << "one two three" << LvRect(0, 0, 49, 100) << -1 << int(calc | dtVCenter | dtBottom) << LvRect(0, 37, 49, 63) << 2;
        QTest::newRow("bottom") << "one two three" << LvRect(0, 0, 49, 100) << -1 << int(calc | dtBottom)
                                << LvRect(0, 74, 49, 100) << 2;
        QTest::newRow("taller than the rectangle starts at the top")
            << "one two three" << LvRect(0, 0, 49, 20) << -1 << int(calc | dtBottom) << LvRect(0, 0, 49, 26) << 2;
        QTest::newRow("one line allowed, shortened") << "one two three" << LvRect(0, 0, 49, 100) << 1
                                                     << int(calc | dtEndEllipsis) << LvRect(0, 0, 49, 13) << 1;
        // Without a line the measure is a character wide and no line high, or no character wide and a line
        // high with the right edge adjusted.
        QTest::newRow("empty text") << "" << LvRect(5, 6, 49, 100) << -1 << calc << LvRect(5, 6, 12, 6) << 0;
        QTest::newRow("empty text, right edge adjusted")
            << "" << LvRect(5, 6, 49, 100) << -1 << int(calc | dtCalcRectAdjustRight) << LvRect(5, 6, 5, 19) << 0;
        QTest::newRow("no line allowed") << "one" << LvRect(5, 6, 49, 100) << 0 << calc << LvRect(5, 6, 12, 6) << 0;
        // A leading line feed wraps to an empty first line: nothing is measured after it.
        QTest::newRow("empty first line") << "\nab" << LvRect(5, 6, 49, 100) << -1 << calc << LvRect(5, 6, 12, 6) << 2;
        QTest::newRow("empty first line, right edge adjusted")
            << "\nab" << LvRect(5, 6, 49, 100) << -1 << int(calc | dtCalcRectAdjustRight) << LvRect(5, 6, 5, 19) << 2;
    }

    void multiLineText()
    {
        QFETCH(QString, text);
        QFETCH(LvRect, given);
        QFETCH(int, limit);
        QFETCH(int, flags);
        QFETCH(LvRect, measured);
        QFETCH(int, result);
        LvRect rect = given;
        QCOMPARE(DrawTextWide(Fixed(), nullptr, QFont(), Qt::black, text, rect, limit, std::uint32_t(flags)), result);
        QCOMPARE(rect, measured);
    }

    void singleLineText_data()
    {
        QTest::addColumn<LvRect>("given");
        QTest::addColumn<int>("flags");
        QTest::addColumn<LvRect>("measured");
        // "abcdef" is 42 wide and 13 high.
        QTest::newRow("left, top") << LvRect(10, 0, 70, 33) << 0 << LvRect(10, 0, 52, 13);
        QTest::newRow("right") << LvRect(10, 0, 70, 33) << int(dtRight) << LvRect(28, 0, 70, 13);
        QTest::newRow("centre wins over right") << LvRect(10, 0, 70, 33) << int(dtCenter | dtRight) << LvRect(19, 0, 61, 13);
        QTest::newRow("bottom") << LvRect(10, 0, 70, 33) << int(dtBottom) << LvRect(10, 20, 52, 33);
        QTest::newRow("vertical centre wins over bottom")
            << LvRect(10, 0, 70, 33) << int(dtVCenter | dtBottom) << LvRect(10, 10, 52, 23);
        QTest::newRow("wider than the rectangle, centred") << LvRect(10, 0, 30, 13) << int(dtCenter) << LvRect(-1, 0, 41, 13);
        QTest::newRow("wider, given edges kept") << LvRect(10, 0, 30, 13) << int(dtCenter | dtCalcRectKeepWithin)
                                                 << LvRect(10, 0, 30, 13);
        QTest::newRow("wider, right edge adjusted")
            << LvRect(10, 0, 30, 13) << int(dtCenter | dtCalcRectAdjustRight) << LvRect(-1, 0, 41, 13);
        QTest::newRow("narrower keeps its own width with both bits")
            << LvRect(10, 0, 70, 13) << int(dtCalcRectKeepWithin | dtCalcRectAdjustRight) << LvRect(10, 0, 52, 13);
        QTest::newRow("shortened with the ellipsis") << LvRect(10, 0, 45, 13) << int(dtEndEllipsis) << LvRect(10, 0, 45, 13);
    }

    void singleLineText()
    {
        QFETCH(LvRect, given);
        QFETCH(int, flags);
        QFETCH(LvRect, measured);
        LvRect rect = given;
        QCOMPARE(DrawTextWide(Fixed(), nullptr, QFont(), Qt::black, "abcdef", rect, -1,
                              std::uint32_t(flags) | dtSingleLine | dtCalcRect),
                 1);
        QCOMPARE(rect, measured);
    }

    void wordWrapBreaks_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("width");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("breaks at the last space that fits") << "ab cdef" << 35 << QStringList{"ab", "cdef"};
        QTest::newRow("spaces after a line break are skipped") << "ab\n  cd" << 70 << QStringList{"ab", "cd"};
        QTest::newRow("carriage return and line feed") << "ab\r\ncd" << 70 << QStringList{"ab", "cd"};
        QTest::newRow("a leading line feed gives an empty line") << "\nab" << 70 << QStringList{"", "ab"};
        QTest::newRow("exactly as wide as the text") << "abcde" << 35 << QStringList{"abcde"};
    }

    void wordWrapBreaks()
    {
        QFETCH(QString, text);
        QFETCH(int, width);
        QFETCH(QStringList, lines);
        QCOMPARE(WordWrap(Fixed(), text, width, -1), lines);
    }

    // Text drawn right to left puts a trailing neutral character on the other side.
    void rightToLeftReading()
    {
        const QFont font;
        LvTextMetrics m;
        m.width = [font](const QString &s) { return QFontMetrics(font).horizontalAdvance(s); };
        m.height = QFontMetrics(font).height();
        auto draw = [&](std::uint32_t flags) {
            QImage img = Solid({200, m.height}, Qt::white);
            QPainter p(&img);
            LvRect r(0, 0, 200, m.height);
            DrawTextWide(m, &p, font, Qt::black, "abc!!!", r, -1, flags | dtSingleLine);
            p.end();
            return img;
        };
        const QImage ltr = draw(0), rtl = draw(dtRtlReading);
        QVERIFY(ltr != Solid(ltr.size(), Qt::white));
        QVERIFY(rtl != ltr);
    }

    void gradient()
    {
        QImage img = Solid({10, 8}, Qt::red);
        QPainter p(&img);
        p.setPen(Qt::green);
        // Rows 1 to 5 from black to white; only rows 2 to 4 drawn, from x 2 up to (not including) 8.
        DrawGradient(p, 2, 8, 1, 5, 2, 4, Qt::black, Qt::white);
        QCOMPARE(p.brush().color(), QColor(Qt::green)); // the pen's colour on entry
        QCOMPARE(p.pen().color(), QColor(191, 191, 191)); // the last line's
        p.end();
        QCOMPARE(img.pixelColor(2, 1), QColor(Qt::red));
        QCOMPARE(img.pixelColor(2, 2), QColor(64, 64, 64)); // 63.75
        QCOMPARE(img.pixelColor(7, 3), QColor(128, 128, 128)); // 127.5, to even
        QCOMPARE(img.pixelColor(8, 3), QColor(Qt::red));
        QCOMPARE(img.pixelColor(1, 3), QColor(Qt::red));
        QCOMPARE(img.pixelColor(2, 5), QColor(Qt::red));

        QImage untouched = Solid({4, 4}, Qt::red);
        QPainter q(&untouched);
        q.setPen(Qt::green);
        DrawGradient(q, 0, 4, 0, 3, 0, 0, Qt::black, Qt::white); // last drawn row not above 0: no row
        QCOMPARE(q.pen().color(), QColor(Qt::green));
        q.end();
        QCOMPARE(untouched, Solid({4, 4}, Qt::red));
    }

    void blendChannel_data()
    {
        QTest::addColumn<int>("source");
        QTest::addColumn<int>("destination");
        QTest::addColumn<int>("alpha");
        QTest::addColumn<int>("bias");
        QTest::addColumn<int>("result");
        QTest::newRow("half") << 200 << 100 << 128 << 0 << 150;
        QTest::newRow("bias added") << 200 << 100 << 128 << 20 << 170;
        QTest::newRow("bias clamped high") << 200 << 100 << 128 << 200 << 255;
        QTest::newRow("negative bias clamped low") << 200 << 100 << 128 << -200 << 0;
        QTest::newRow("largest bias") << 200 << 100 << 128 << INT_MAX << 255;
        QTest::newRow("smallest bias") << 200 << 100 << 128 << INT_MIN << 0;
    }

    void blendChannel()
    {
        QFETCH(int, source);
        QFETCH(int, destination);
        QFETCH(int, alpha);
        QFETCH(int, bias);
        QFETCH(int, result);
        QCOMPARE(BlendChannel(source, destination, alpha, bias), result);
    }

    void blendWithAColour()
    {
        // Pixels are B, G, R, A in memory; the colour is 0x00BBGGRR and its alpha counts as 0.
        std::uint32_t pixels[2] = {0xFF000000u, 0xFF000000u};
        BlendLineColor(pixels, 1, 256, 0x0000FFu); // red
        QCOMPARE(pixels[0], 0x00FF0000u);
        QCOMPARE(pixels[1], 0xFF000000u); // beyond the count
        std::uint32_t half = 0x00000000u;
        BlendLineColor(&half, 1, 128, 0xFF0000u); // blue at half
        QCOMPARE(half, 0x0000007Fu);
    }

    void blendRefusals_data()
    {
        QTest::addColumn<bool>("nullDestination");
        QTest::addColumn<int>("destinationFormat");
        QTest::addColumn<bool>("withSource");
        QTest::addColumn<QString>("message");
        const QString noBitmap = "Alpha blending DC error: no bitmap available.";
        const QString not32 = "Alpha blending error: bitmap must use 32 bpp.";
        QTest::newRow("no destination picture") << true << int(QImage::Format_ARGB32) << true << noBitmap;
        QTest::newRow("no source picture") << false << int(QImage::Format_ARGB32) << false << noBitmap;
        QTest::newRow("16-bit destination") << false << int(QImage::Format_RGB16) << true << not32;
    }

    void blendRefusals()
    {
        QFETCH(bool, nullDestination);
        QFETCH(int, destinationFormat);
        QFETCH(bool, withSource);
        QFETCH(QString, message);
        const QImage source = Solid({2, 2}, Qt::red);
        QImage destination = nullDestination ? QImage() : QImage(2, 2, QImage::Format(destinationFormat));
        try {
            AlphaBlend(withSource ? &source : nullptr, destination, {0, 0, 1, 1}, 0, 128,
                       TCommonBlendMode::cbmConstantAlpha, {});
            QFAIL("no assertion");
        } catch (const ELvAssertion &e) {
            QCOMPARE(QString::fromStdString(e.what()), message);
        }
    }

    // The glyphs of a 13-pixel box with four distinct edge colours: outer top and left e4, outer bottom
    // and right e3, inner top and left e2, inner bottom and right e1.
    void checkGlyphs_data()
    {
        QTest::addColumn<bool>("radio");
        QTest::addColumn<bool>("pending");
        QTest::addColumn<bool>("ticked");
        QTest::newRow("box") << false << false << false;
        QTest::newRow("box pending") << false << true << false;
        QTest::newRow("box ticked") << false << false << true;
        QTest::newRow("radio") << true << false << false;
        QTest::newRow("radio pending, ticked") << true << true << true;
    }

    void checkGlyphs()
    {
        QFETCH(bool, radio);
        QFETCH(bool, pending);
        QFETCH(bool, ticked);
        LvCheckColors c;
        c.e1 = QColor(255, 0, 0);
        c.e2 = QColor(0, 255, 0);
        c.e3 = QColor(0, 0, 255);
        c.e4 = QColor(255, 255, 0);
        c.pendingFace = QColor(0, 255, 255);
        c.face = Qt::white;
        c.mark = Qt::black;
        QImage img = Solid({17, 17}, Qt::gray);
        QPainter p(&img);
        DrawCheckGlyphs(p, {2, 2, 15, 15}, radio, pending, ticked, c);
        p.end();
        const QColor face = pending ? c.pendingFace : c.face;
        const QPoint centre(8, 8);
        if (ticked)
            QCOMPARE(img.pixelColor(centre), c.mark);
        else
            QCOMPARE(img.pixelColor(centre), face);
        if (radio) {
            // Anti-aliased arcs: each ring's colour dominates its pixel on either side.
            auto near = [&](QPoint pt, QColor want) {
                const QColor got = img.pixelColor(pt);
                return std::abs(got.red() - want.red()) + std::abs(got.green() - want.green()) +
                           std::abs(got.blue() - want.blue()) < 200;
            };
            QVERIFY(near({2, 8}, c.e4));  // outer left
            QVERIFY(near({14, 8}, c.e3)); // outer right
            QVERIFY(near({3, 8}, c.e2));  // inner left
            QVERIFY(near({13, 8}, c.e1)); // inner right
            QCOMPARE(img.pixelColor(2, 2), QColor(Qt::gray)); // the corner outside the circle
        } else {
            QCOMPARE(img.pixelColor(2, 8), c.e4);
            QCOMPARE(img.pixelColor(8, 2), c.e4);
            QCOMPARE(img.pixelColor(14, 8), c.e3);
            QCOMPARE(img.pixelColor(8, 14), c.e3);
            QCOMPARE(img.pixelColor(3, 8), c.e2);
            QCOMPARE(img.pixelColor(8, 3), c.e2);
            QCOMPARE(img.pixelColor(13, 8), c.e1);
            QCOMPARE(img.pixelColor(8, 13), c.e1);
            QCOMPARE(img.pixelColor(1, 1), QColor(Qt::gray)); // nothing outside the bound
            QCOMPARE(img.pixelColor(15, 15), QColor(Qt::gray));
        }
    }

    void keyStates_data()
    {
        QTest::addColumn<int>("mouseKeys");
        QTest::addColumn<int>("keys");
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("effect");
        const int none = int(TCommonMouseButton::cmbNone), left = int(TCommonMouseButton::cmbLeft);
        const int middle = int(TCommonMouseButton::cmbMiddle), right = int(TCommonMouseButton::cmbRight);
        const int copy = int(TCommonDropEffect::cdeCopy), move = int(TCommonDropEffect::cdeMove);
        const int link = int(TCommonDropEffect::cdeLink);
        QTest::newRow("nothing") << 0 << 0 << none << move;
        QTest::newRow("middle") << 16 << int(cksMButton | cksButton) << middle << move;
        QTest::newRow("right") << 2 << int(cksRButton | cksButton) << right << move;
        QTest::newRow("left wins over middle and right") << (1 | 2 | 16)
                                                         << int(cksLButton | cksRButton | cksMButton | cksButton) << left
                                                         << move;
        QTest::newRow("middle wins over right") << (2 | 16) << int(cksRButton | cksMButton | cksButton) << middle << move;
        QTest::newRow("control") << 8 << int(cksControl) << none << copy;
        QTest::newRow("shift") << 4 << int(cksShift) << none << move;
        QTest::newRow("alt") << 32 << int(cksAlt) << none << link;
        QTest::newRow("control and alt") << (8 | 32) << int(cksControl | cksAlt) << none << move;
        QTest::newRow("shift and alt") << (4 | 32) << int(cksShift | cksAlt) << none << move;
        QTest::newRow("control and shift") << (8 | 4) << int(cksControl | cksShift) << none << link;
    }

    void keyStates()
    {
        QFETCH(int, mouseKeys);
        QFETCH(int, keys);
        QFETCH(int, button);
        QFETCH(int, effect);
        QCOMPARE(int(KeyStatesFromMouseKeys(std::uint32_t(mouseKeys))), keys);
        QCOMPARE(int(MouseButtonFromMouseKeys(std::uint32_t(mouseKeys))), button);
        QCOMPARE(int(KeyStatesToDropEffect(TCommonKeyStates(keys))), effect);
    }

    void textComparisonsAndCentring()
    {
        QVERIFY(ComparePrefixWide("abc", "ABD") > 0); // search against the prefix
        QVERIFY(ComparePrefixWide("abd", "ABC") < 0);
        QCOMPARE(CompareTextWide("Vínculos", "VÍNCULOS"), 0);
        QCOMPARE(ComparePrefixWide("abc", ""), 0);
        QCOMPARE(CenterRectInRect({10, 20, 21, 31}, {0, 0, 4, 4}), LvRect(13, 23, 17, 27));
        QCOMPARE(CenterRectInRect({10, 20, 14, 24}, {0, 0, 9, 2}), LvRect(10, 21, 14, 23));
    }
};

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    tst_LvUtilities t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_LvUtilities.moc"
