// The picture blend routine without a widget: runs kept inside both pictures, the 32-bit rule, the line
// modes, and tinted copies that keep their transparency.

#include "listview/LvAlphaBlender.h"
#include "listview/LvUtilities.h"
#include "FakeListview.h"

#include <QGuiApplication>
#include <QImage>
#include <QTest>

using namespace gdvorn::lv;

class tst_LvAlphaBlend : public QObject {
    Q_OBJECT

private slots:
    void runsStayInsideBothPictures()
    {
        const QImage source = Solid({4, 4}, Qt::blue);
        QImage target = Solid({6, 6}, Qt::red);
        // The rectangle reaches past the source on every side and the target point past the target.
        AlphaBlend(&source, target, {-3, -3, 8, 8}, 0, 256, TCommonBlendMode::cbmConstantAlpha, {2, 2});
        // Source (0, 0) lands at target (5, 5); nothing else of the source reaches the target.
        QCOMPARE(target.pixelColor(5, 5), QColor(Qt::blue));
        QCOMPARE(target.pixelColor(4, 4), QColor(Qt::red));
        QCOMPARE(target.pixelColor(0, 0), QColor(Qt::red));

        QImage coloured = Solid({3, 3}, Qt::black);
        AlphaBlend(nullptr, coloured, {-5, 1, 50, 2}, 0xFFFFFF, 256, TCommonBlendMode::cbmConstantAlphaAndColor, {});
        // The colour's alpha byte counts as 0, so only the colour channels are compared.
        QCOMPARE(coloured.pixel(0, 1) & 0xFFFFFFu, 0xFFFFFFu);
        QCOMPARE(coloured.pixel(2, 1) & 0xFFFFFFu, 0xFFFFFFu);
        QCOMPARE(coloured.pixelColor(0, 0), QColor(Qt::black));
        QCOMPARE(coloured.pixelColor(0, 2), QColor(Qt::black));
    }

    void refusals()
    {
        QImage premultiplied = Solid({2, 2}, Qt::red).convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QVERIFY_THROWS_EXCEPTION(ELvAssertion, AlphaBlend(nullptr, premultiplied, {0, 0, 1, 1}, 0, 128,
                                                          TCommonBlendMode::cbmConstantAlphaAndColor, {}));
        QImage target = Solid({2, 2}, Qt::red);
        QVERIFY_THROWS_EXCEPTION(ELvAssertion, AlphaBlend(nullptr, target, {0, 0, 1, 1}, 0, 128,
                                                          TCommonBlendMode::cbmPerPixelAlpha, {}));
        AlphaBlend(nullptr, target, {}, 0, 128, TCommonBlendMode::cbmPerPixelAlpha, {}); // empty: nothing at all
    }

    void lineModes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("sourceAlpha");
        QTest::addColumn<int>("bias");
        QTest::addColumn<int>("blue");
        // Source blue 200 over destination blue 100 at alpha 128: ((200 - 100) × 128 + 100 × 256) >> 8.
        QTest::newRow("constant") << int(TCommonBlendMode::cbmConstantAlpha) << 255 << 0 << 150;
        QTest::newRow("constant with a bias") << int(TCommonBlendMode::cbmConstantAlpha) << 255 << 20 << 170;
        QTest::newRow("per pixel") << int(TCommonBlendMode::cbmPerPixelAlpha) << 64 << 0 << 125;
        // Master: (64 × 128) >> 8 = 32.
        QTest::newRow("master") << int(TCommonBlendMode::cbmMasterAlpha) << 64 << 0 << 112;
    }

    void lineModes()
    {
        QFETCH(int, mode);
        QFETCH(int, sourceAlpha);
        QFETCH(int, bias);
        const QImage source = Solid({1, 1}, QColor(0, 0, 200, sourceAlpha));
        QImage target = Solid({1, 1}, QColor(0, 0, 100));
        AlphaBlend(&source, target, {0, 0, 1, 1}, std::uint32_t(bias), 128, TCommonBlendMode(mode), {});
        QTEST(target.pixelColor(0, 0).blue(), "blue");
    }

    void tintKeepsTransparency()
    {
        QImage picture = Solid({2, 1}, Qt::red);
        picture.setPixelColor(1, 0, QColor(255, 0, 0, 0));
        const QImage tinted = TintedImage(picture, 128, LvColor(0xFF0000)); // blue
        QCOMPARE(tinted.pixelColor(0, 0), QColor(127, 0, 127));
        QCOMPARE(tinted.pixelColor(1, 0).alpha(), 0);
        QCOMPARE(picture.pixelColor(0, 0), QColor(Qt::red));
    }
};

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    tst_LvAlphaBlend t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_LvAlphaBlend.moc"
