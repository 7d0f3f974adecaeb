// The list view's background and alpha blender, offscreen, through the pixels of rendered pictures: tile
// origins, a picture placed once, blends, the empty-list caption, offset tracking, the paint event; the
// blender's tinting on a canvas and its centred, tinted pictures.

#include "FakeListview.h"

#include "listview/LvBackground.h"
#include "listview/QtLvListview.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

#include <memory>

using namespace gdvorn::lv;

namespace {

const QColor White(255, 255, 255);

// A 64 × 64 tile: blue with a red first column and a green first row.
QImage Tile64()
{
    QImage img(64, 64, QImage::Format_ARGB32);
    img.fill(Qt::blue);
    for (int y = 0; y < 64; ++y)
        img.setPixelColor(0, y, Qt::red);
    for (int x = 1; x < 64; ++x)
        img.setPixelColor(x, 0, Qt::green);
    return img;
}

// An icon-view control (no header in the view) on a white window colour.
struct Control {
    std::unique_ptr<QtLvListview> lv = std::make_unique<QtLvListview>();

    explicit Control(QSize size = {200, 150})
    {
        lv->SetView(TLvListStyle::elsIcon);
        lv->SetColor(LvColor(LvColor::clWhite));
        lv->SetBorderStyle(TBorderStyle::bsNone);
        lv->SetShowThemedBorder(false); // themed, only this takes the border away
        lv->resize(size);
        lv->show();
        QVERIFY(QTest::qWaitForWindowExposed(lv.get()));
    }

    QImage Render() const
    {
        QImage img(lv->viewport()->size(), QImage::Format_ARGB32);
        img.fill(Qt::black);
        QPainter p(&img);
        lv->PaintRect(p, lv->ClientRect());
        return img;
    }
};

bool HasPixelOtherThan(const QImage &img, const QRect &area, QColor background)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (img.pixelColor(x, y) != background)
                return true;
    return false;
}

} // namespace

class tst_QtLvBackground : public QObject {
    Q_OBJECT

private slots:
    void tileOrigin_data()
    {
        QTest::addColumn<int>("offset");
        QTest::addColumn<int>("origin");
        QTest::newRow("positive") << 10 << -54;
        QTest::newRow("zero") << 0 << 0;
        QTest::newRow("a whole tile") << 64 << -64;
        QTest::newRow("beyond a tile") << 74 << -54;
        QTest::newRow("negative") << -10 << -10;
        QTest::newRow("negative beyond a tile") << -70 << -6;
    }

    void tileOrigin()
    {
        QFETCH(int, offset);
        QTEST(TLvBackgroundManager::TileOrigin(offset, 64), "origin");
    }

    void tilesMeetAtTheOffsets()
    {
        Control c;
        TLvBackgroundManager &bg = c.lv->Background();
        bg.SetImage(Tile64());
        bg.SetEnabled(true);
        bg.SetOffsetX(10);
        bg.SetOffsetY(5);
        const QImage img = c.Render();
        // Drawn from (-54, -59): the copies' first columns at x 10, 74, 138, first rows at y 5, 69, 133.
        for (int x : {10, 74, 138})
            QCOMPARE(img.pixelColor(x, 30), QColor(Qt::red));
        for (int x : {9, 11, 73, 75, 199})
            QCOMPARE(img.pixelColor(x, 30), QColor(Qt::blue));
        for (int y : {5, 69, 133})
            QCOMPARE(img.pixelColor(30, y), QColor(Qt::green));
        QCOMPARE(img.pixelColor(30, 4), QColor(Qt::blue));
        QCOMPARE(img.pixelColor(199, 149), QColor(Qt::blue)); // the whole client area is covered

        bg.SetTile(false); // placed once at the offsets, the control colour around it
        const QImage once = c.Render();
        QCOMPARE(once.pixelColor(10, 30), QColor(Qt::red));
        QCOMPARE(once.pixelColor(30, 5), QColor(Qt::green));
        QCOMPARE(once.pixelColor(73, 68), QColor(Qt::blue));
        QCOMPARE(once.pixelColor(9, 30), White);
        QCOMPARE(once.pixelColor(74, 30), White);
        QCOMPARE(once.pixelColor(30, 69), White);
    }

    void emptyPictureLeavesTheArea()
    {
        Control c;
        TLvBackgroundManager &bg = c.lv->Background();
        bg.SetEnabled(true); // no picture
        QCOMPARE(c.Render().pixelColor(50, 50), White);

        QImage img = Solid({40, 40}, Qt::green);
        QPainter p(&img);
        LvCanvas canvas;
        canvas.painter = &p;
        bg.Paint(canvas, {0, 0, 40, 40}, false);
        QCOMPARE(img.pixelColor(20, 20), QColor(Qt::green)); // left as it was
        bg.Paint(canvas, {0, 0, 40, 40}, true);
        QCOMPARE(img.pixelColor(20, 20), White);
    }

    void blends_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QSize>("alphaSize");
        QTest::addColumn<QColor>("pixel");
        // Red blended half-way with the white control colour: ((256 - 128) × d + 128 × c) >> 8.
        QTest::newRow("with the control colour") << int(TCommonBlendMode::cbmConstantAlphaAndColor) << QSize()
                                                 << QColor(255, 127, 127);
        // Blue at 128 into red: (blue - red) × 128 / 256 + red.
        QTest::newRow("constant alpha, same size") << int(TCommonBlendMode::cbmConstantAlpha) << QSize(64, 64)
                                                   << QColor(127, 0, 127);
        QTest::newRow("per-pixel alpha, same size") << int(TCommonBlendMode::cbmPerPixelAlpha) << QSize(64, 64)
                                                    << QColor(0, 0, 254); // alpha 255 of 256
        QTest::newRow("per-pixel alpha, other size") << int(TCommonBlendMode::cbmPerPixelAlpha) << QSize(32, 64)
                                                     << QColor(Qt::red);
        QTest::newRow("master alpha, no second picture") << int(TCommonBlendMode::cbmMasterAlpha) << QSize()
                                                         << QColor(Qt::red);
    }

    void blends()
    {
        QFETCH(int, mode);
        QFETCH(QSize, alphaSize);
        Control c;
        TLvBackgroundManager &bg = c.lv->Background();
        const QImage red = Solid({64, 64}, Qt::red);
        bg.SetImage(red);
        if (alphaSize.isValid())
            bg.SetAlphaImage(Solid(alphaSize, Qt::blue));
        bg.SetEnabled(true);
        bg.SetAlphaBlend(true);
        bg.SetBlendMode(TCommonBlendMode(mode));
        QTEST(c.Render().pixelColor(20, 20), "pixel");
        QCOMPARE(bg.Image(), red); // blends work on a copy
    }

    void transparentColourLeftOut()
    {
        Control c;
        TLvBackgroundManager &bg = c.lv->Background();
        QImage img = Solid({64, 64}, Qt::blue);
        for (int x = 0; x < 32; ++x)
            for (int y = 32; y < 64; ++y)
                img.setPixelColor(x, y, Qt::yellow); // the bottom-left corner's colour
        bg.SetImage(img);
        bg.SetEnabled(true);
        bg.SetTransparent(true);
        const QImage shown = c.Render();
        QCOMPARE(shown.pixelColor(10, 40), White);
        QCOMPARE(shown.pixelColor(40, 40), QColor(Qt::blue));
    }

    void captionOnlyWhileEmpty()
    {
        Control c;
        TLvBackgroundManager &bg = c.lv->Background();
        bg.SetCaption(QStringLiteral("Nenhum arquivo gravado"));
        const QRect textBand(8, 60, 184, 30); // centred vertically in the client less 8 pixels a side
        QVERIFY(!HasPixelOtherThan(c.Render(), textBand, White)); // CaptionShow off
        bg.SetCaptionShow(true);
        QVERIFY(HasPixelOtherThan(c.Render(), textBand, White));
        QVERIFY(!HasPixelOtherThan(c.Render(), QRect(0, 0, 200, 40), White));

        TLvItem *item = c.lv->Items().Add();
        QVERIFY(!HasPixelOtherThan(c.Render(), textBand, White));
        c.lv->Items().Clear();
        QVERIFY(HasPixelOtherThan(c.Render(), textBand, White));

        c.lv->Items().Add();
        bg.SetCaptionShowOnlyWhenEmpty(false);
        QVERIFY(HasPixelOtherThan(c.Render(), textBand, White));
        Q_UNUSED(item);
    }

    void offsetTrackFollowsTheSize()
    {
        Control c;
        TLvBackgroundManager &bg = c.lv->Background();
        bg.SetImage(Tile64());
        bg.SetEnabled(true);
        bg.SetTile(false);
        bg.SetOffsetX(100);
        c.lv->resize(220, 150); // not tracking: stays
        QCOMPARE(bg.OffsetX(), 100);
        bg.SetOffsetTrack(true);
        c.lv->resize(240, 160);
        QCOMPARE(bg.OffsetX(), 120);
        QCOMPARE(bg.OffsetY(), 10);
        QCOMPARE(c.Render().pixelColor(120, 40), QColor(Qt::red));
        c.lv->resize(240, 160); // no change, no move
        QCOMPARE(bg.OffsetX(), 120);
    }

    void paintEventAndAssign()
    {
        Control c;
        TLvBackgroundManager &bg = c.lv->Background();
        bg.SetImage(Tile64());
        bg.SetEnabled(true);
        TLvAlphaBlender *handed = nullptr;
        c.lv->OnPaintBkGnd = [&](LvCanvas &, const LvRect &, TLvAlphaBlender *blender, bool &doDefault) {
            handed = blender;
            doDefault = false;
        };
        QCOMPARE(c.Render().pixelColor(30, 30), White);
        QCOMPARE(handed, &bg.AlphaBlender());

        TLvBackgroundManager copy(c.lv.get());
        bg.SetOffsetX(7);
        bg.SetCaption("x");
        bg.SetTile(false);
        copy.Assign(bg);
        QCOMPARE(copy.Image(), bg.Image());
        QVERIFY(copy.Enabled());
        QCOMPARE(copy.OffsetX(), 7);
        QVERIFY(!copy.Tile());
        QCOMPARE(copy.Caption(), QString()); // not copied

        auto replacement = std::make_unique<TLvBackgroundManager>(c.lv.get());
        replacement->SetCaption("y");
        TLvBackgroundManager *raw = replacement.get();
        c.lv->SetBackground(std::move(replacement));
        QCOMPARE(&c.lv->Background(), raw);
    }

    // --- The blender ---------------------------------------------------------------------------------

    void blendParameters_data()
    {
        QTest::addColumn<bool>("focused");
        QTest::addColumn<bool>("selected");
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<bool>("blended");
        QTest::addColumn<int>("alpha");
        QTest::addColumn<quint32>("color");
        QTest::newRow("focused, selected") << true << true << true << true << 100 << quint32(0x0000FF);
        QTest::newRow("focused, disabled") << true << false << false << true << 90 << quint32(0x00FF00);
        QTest::newRow("focused, selected, disabled") << true << true << false << true << 90 << quint32(0x00FF00);
        QTest::newRow("unfocused, selected") << false << true << true << true << 90 << quint32(0xFF0000);
        QTest::newRow("unfocused, disabled") << false << false << false << false << 0 << quint32(0);
        QTest::newRow("focused, plain") << true << false << true << false << 0 << quint32(0);
    }

    void blendParameters()
    {
        QFETCH(bool, focused);
        QFETCH(bool, selected);
        QFETCH(bool, enabled);
        FakeListview lv;
        lv.focused = focused;
        lv.Selection().SetBlendAlphaImage(100);
        lv.Selection().SetColor(LvColor(0x0000FF));
        lv.Selection().SetInactiveColor(LvColor(0xFF0000));
        lv.SetDisabledBlendAlpha(90);
        lv.SetDisabledBlendColor(LvColor(0x00FF00));
        TLvItem *item = lv.Items().Add();
        item->SetSelected(selected);
        item->SetEnabled(enabled);
        int alpha = 0;
        LvColor color(0);
        QTEST(TLvAlphaBlender::BlendParameters(&lv, item, alpha, color), "blended");
        QTEST(alpha, "alpha");
        QTEST(quint32(color.Value()), "color");
        QVERIFY(!TLvAlphaBlender::BlendParameters(nullptr, item, alpha, color));
    }

    void blendImage()
    {
        FakeListview lv;
        TLvItem *item = lv.Items().Add();
        QImage target = Solid({40, 40}, Qt::white);
        QPainter p(&target);
        LvCanvas canvas;
        canvas.painter = &p;
        TLvAlphaBlender &blender = SharedAlphaBlender();
        QCOMPARE(&blender, &SharedAlphaBlender());

        // Unselected: unchanged and centred.
        const QImage red = Solid({20, 20}, Qt::red);
        blender.BlendImage(&lv, item, red, {0, 0, 40, 40}, &canvas);
        QCOMPARE(target.pixelColor(10, 10), QColor(Qt::red));
        QCOMPARE(target.pixelColor(29, 29), QColor(Qt::red));
        QCOMPARE(target.pixelColor(9, 9), White);
        QCOMPARE(target.pixelColor(30, 30), White);

        // Selected in an unfocused control: InactiveColor (blue here) at DisabledBlendAlpha 128.
        lv.focused = false;
        lv.Selection().SetInactiveColor(LvColor(0xFF0000));
        item->SetSelected(true);
        blender.BlendImage(&lv, item, red, {0, 0, 40, 40}, &canvas);
        QCOMPARE(target.pixelColor(20, 20), QColor(127, 0, 127));
        QCOMPARE(red.pixelColor(0, 0), QColor(Qt::red)); // the given picture is untouched

        // Larger than the rectangle: centred with negative offsets, clipped by the canvas.
        target.fill(Qt::white);
        item->SetSelected(false);
        blender.BlendImage(&lv, item, Solid({50, 10}, Qt::green), {0, 0, 20, 40}, &canvas);
        QCOMPARE(target.pixelColor(0, 15), QColor(Qt::green));
        QCOMPARE(target.pixelColor(34, 15), QColor(Qt::green));
        QCOMPARE(target.pixelColor(35, 15), White); // from (20 - 50) / 2 = -15
        QCOMPARE(target.pixelColor(0, 14), White);

        blender.BlendImage(&lv, item, red, {}, &canvas); // an empty rectangle draws nothing
        QCOMPARE(target.pixelColor(0, 20), QColor(Qt::green));
    }

    void blend()
    {
        FakeListview lv(30, 30);
        QImage target = Solid({40, 40}, Qt::black);
        QPainter p(&target);
        p.translate(100, 100); // the painter's transform does not move the tint
        LvCanvas canvas;
        canvas.painter = &p;
        TLvAlphaBlender blender;
        blender.Blend(&lv, &canvas, false, 128, LvColor(LvColor::clWhite), {10, 10, 50, 50});
        QCOMPARE(target.pixelColor(10, 10), QColor(127, 127, 127)); // white at 128 of 256 over black
        QCOMPARE(target.pixelColor(29, 29), QColor(127, 127, 127));
        QCOMPARE(target.pixelColor(30, 30), QColor(Qt::black)); // outside the client rectangle
        QCOMPARE(target.pixelColor(9, 9), QColor(Qt::black));

        // Document coordinates: limited to what the device shows, not to the client.
        blender.Blend(&lv, &canvas, true, 256, LvColor(LvColor::clWhite), {35, 35, 60, 60});
        QCOMPARE(target.pixelColor(39, 39), White);
        QCOMPARE(target.pixelColor(34, 34), QColor(Qt::black));

        blender.Blend(nullptr, &canvas, false, 256, LvColor(LvColor::clWhite), {0, 0, 5, 5});
        LvCanvas noPainter;
        blender.Blend(&lv, &noPainter, false, 256, LvColor(LvColor::clWhite), {0, 0, 5, 5});
        QCOMPARE(target.pixelColor(0, 0), QColor(Qt::black));
    }
};

QTEST_MAIN(tst_QtLvBackground)
#include "tst_QtLvBackground.moc"
