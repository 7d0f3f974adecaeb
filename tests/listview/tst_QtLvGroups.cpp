// Group painting on the control: the six parts in order through the group's painter, the group's and
// the footer's images, an image the application draws itself, and the selection fill of the caption.

#include "listview/LvViewGroup.h"
#include "listview/QtLvListview.h"
#include "listview/QtLvViewGroup.h"

#include <QApplication>
#include <QPainter>
#include <QTest>

#include <memory>

using namespace gdvorn::lv;

namespace {

QImage Filled(QColor c)
{
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(c);
    return img;
}

struct Groups {
    std::unique_ptr<QtLvListview> lv = std::make_unique<QtLvListview>();
    LvImageList images{16, 16};

    Groups()
    {
        QtLvListview &l = *lv;
        images.Add(Filled(Qt::green));
        QImage overlay = Filled(Qt::transparent);
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 8; ++x)
                overlay.setPixelColor(x, y, Qt::blue);
        images.Add(overlay);
        images.Add(Filled(Qt::magenta));
        l.SetView(TLvListStyle::elsReport);
        l.SetThemed(false);
        l.SetImagesGroup(&images);
        l.Header().SetVisible(true);
        l.Header().SetShowInAllViews(true);
        l.Header().SetHeight(25);
        l.Header().Columns().Add()->SetWidth(300);
        l.resize(400, 300);
        l.show();
        QVERIFY(QTest::qWaitForWindowExposed(&l));
        l.BeginUpdate();
        for (int i = 0; i < 3; ++i)
            l.Items().Add()->SetCaption(QString("item %1").arg(i));
        l.EndUpdate(true);
    }

    TLvGroup *group() const { return lv->Groups()[0]; }
    // A document rectangle's centre in window coordinates.
    QPoint Centre(const LvRect &r) const
    {
        return {r.left + r.Width() / 2 - lv->Scrollbars().OffsetX(),
                r.top + r.Height() / 2 + lv->Header().RuntimeHeight() - lv->Scrollbars().OffsetY()};
    }
    QImage Render() const
    {
        QImage img(lv->viewport()->size(), QImage::Format_ARGB32);
        img.fill(Qt::gray);
        QPainter p(&img);
        lv->PaintRect(p, lv->ClientRect());
        return img;
    }
};

QStringList *painted = nullptr;

// Records the parts it paints (the background hook runs only for a part with a rectangle).
class RecordingGroup : public QtLvViewGroup {
public:
    using QtLvViewGroup::QtLvViewGroup;
    const char *ClassName() const override { return "RecordingGroup"; }

protected:
    void PaintBackground(TLvGroup *group, int part, const LvRect &, LvCanvas &) override
    {
        *painted << QString("%1:%2").arg(group->Index()).arg(part);
    }
};

const TLvViewGroupClass recordingGroup{"RecordingGroup",
                                       [](ListviewCore *o) { return std::make_unique<RecordingGroup>(o); }};

} // namespace

class tst_QtLvGroups : public QObject {
    Q_OBJECT

private slots:
    // Each visible group paints its parts 0 to 5 in order; parts whose margin is off are not painted.
    void partsInOrder()
    {
        Groups t;
        QStringList log;
        painted = &log;
        t.lv->OnGroupCustomView = [](TLvGroup *, TLvListStyle, const TLvViewGroupClass *&view) { view = &recordingGroup; };
        log.clear();
        t.Render();
        QCOMPARE(log, (QStringList{"0:0", "0:5"}));

        log.clear();
        TLvPaintInfoGroup &info = t.lv->PaintInfoGroup();
        t.lv->BeginUpdate();
        t.lv->SetShowGroupMargins(true);
        info.MarginBottom().SetVisible(true);
        info.MarginLeft().SetVisible(true);
        info.MarginRight().SetVisible(true);
        t.lv->Groups().Add()->Items().Add();
        t.lv->EndUpdate(true);
        log.clear(); // the window's own repaint after EndUpdate
        t.Render();
        QCOMPARE(log, (QStringList{"0:0", "0:1", "0:2", "0:3", "0:4", "0:5", "1:0", "1:1", "1:2", "1:3", "1:4", "1:5"}));
        painted = nullptr;
    }

    // The group's image is drawn in the top band's icon area, its overlay over it; the footer draws
    // MarginBottom's image.
    void groupAndFooterImages()
    {
        Groups t;
        TLvPaintInfoGroup &info = t.lv->PaintInfoGroup();
        t.lv->SetShowGroupMargins(true);
        info.MarginBottom().SetVisible(true);
        TLvGroup *g = t.group();
        g->SetCaption("Grupo");
        g->SetImageIndex(0);
        QImage img = t.Render();
        const LvRect icon = g->TopBandParts(g->MarginRectTop()).ImageArea;
        QCOMPARE(icon.Width(), 16);
        QCOMPARE(img.pixelColor(t.Centre(icon)), QColor(Qt::green));
        const TLvRectArrayObject footer = g->View()->PartRects(g, egpFooter, g->MarginRectBottom());
        QCOMPARE(footer.ImageArea.Width(), 0); // no footer image yet
        QVERIFY(img.pixelColor(t.Centre(g->MarginRectBottom())) != QColor(Qt::magenta));

        g->SetImageOverlayIndex(1);
        info.MarginBottom().SetImageIndex(2);
        img = t.Render();
        const QPoint c = t.Centre(icon);
        QCOMPARE(img.pixelColor(c.x() - 4, c.y()), QColor(Qt::blue));  // the overlay's opaque half
        QCOMPARE(img.pixelColor(c.x() + 4, c.y()), QColor(Qt::green)); // the image under its clear half
        const LvRect footerIcon = g->View()->PartRects(g, egpFooter, g->MarginRectBottom()).ImageArea;
        QCOMPARE(footerIcon.Width(), 16);
        QCOMPARE(img.pixelColor(t.Centre(footerIcon)), QColor(Qt::magenta));
    }

    // A group that draws its own image gets OnGroupImageDraw with its rectangles and the size its handler
    // gave; the list's picture is not drawn.
    void customImage()
    {
        Groups t;
        t.lv->SetShowGroupMargins(true);
        TLvGroup *g = t.group();
        g->SetImageIndex(0);
        t.lv->OnGroupImageDrawIsCustom = [](TLvGroup *, bool &isCustom) { isCustom = true; };
        t.lv->OnGroupImageGetSize = [](TLvGroup *, int &w, int &h) {
            w = 30;
            h = 10;
        };
        int drawn = 0;
        LvRect drawnArea;
        t.lv->OnGroupImageDraw = [&](TLvGroup *group, LvCanvas &canvas, const TLvRectArrayObject &rects,
                                     TLvAlphaBlender *) {
            QCOMPARE(group, g);
            ++drawn;
            drawnArea = rects.ImageArea;
            canvas.painter->fillRect(rects.ImageArea.ToQRect(), Qt::red);
        };
        const QImage img = t.Render();
        QCOMPARE(drawn, 1); // the top band only: no footer
        QCOMPARE(drawnArea.Width(), 30);
        QCOMPARE(img.pixelColor(t.Centre(drawnArea)), QColor(Qt::red));
    }

    // A selected group with a caption gets the highlight behind its caption, 2 pixels beyond the text.
    void selectedCaptionFill()
    {
        Groups t;
        t.lv->SetShowGroupMargins(true);
        TLvGroup *g = t.group();
        g->SetCaption("Grupo selecionado");
        const LvRect text = g->TopBandParts(g->MarginRectTop()).CaptionArea;
        QVERIFY(!text.IsEmpty());
        const QPoint corner = t.Centre({text.left - 2, text.top - 2, text.left - 1, text.top - 1});
        const QColor highlight = ResolveColor(LvColor(LvColor::clHighlight));
        QVERIFY(t.Render().pixelColor(corner) != highlight);
        g->SetSelected(true);
        QVERIFY(g->Selected());
        QCOMPARE(t.Render().pixelColor(corner), highlight);
    }

    // The band line of the top band (30 high, band margin 2, 3 thick) is drawn from the band margin below
    // the band's top: rows 25-27 for a band of BandLength, 27-29 for a full-width one; blended, it needs
    // a BandLength.
    void bandLine_data()
    {
        QTest::addColumn<bool>("fullWidth");
        QTest::addColumn<bool>("blended");
        QTest::addColumn<int>("length");
        QTest::addColumn<QList<int>>("rows");

        QTest::newRow("length") << false << false << 300 << QList<int>{25, 26, 27};
        QTest::newRow("full width") << true << false << 300 << QList<int>{27, 28, 29};
        QTest::newRow("full width, blended") << true << true << 300 << QList<int>{27, 28, 29};
        QTest::newRow("blended without a length") << true << true << 0 << QList<int>{};
    }
    void bandLine()
    {
        QFETCH(bool, fullWidth);
        QFETCH(bool, blended);
        QFETCH(int, length);
        QFETCH(QList<int>, rows);
        Groups t;
        TLvPaintInfoGroup &info = t.lv->PaintInfoGroup();
        t.lv->SetShowGroupMargins(true);
        info.SetBandFullWidth(fullWidth);
        info.SetBandBlended(blended);
        info.SetBandLength(length);
        const LvRect top = t.group()->MarginRectTop();
        QCOMPARE(top.Height(), 30);
        const QImage img = t.Render();
        const QColor band = ResolveColor(info.BandColor());
        for (int y = 22; y < 30; ++y) {
            const LvRect at(top.left, top.top + y, top.left + 1, top.top + y + 1);
            QCOMPARE(img.pixelColor(t.Centre(at)) == band, rows.contains(y));
        }
    }

    // Themed, the expand button is the style's branch glyph; either way something is drawn in it.
    void expandButtonDrawn_data()
    {
        QTest::addColumn<bool>("themed");
        QTest::newRow("unthemed") << false;
        QTest::newRow("themed") << true;
    }
    void expandButtonDrawn()
    {
        QFETCH(bool, themed);
        Groups t;
        t.lv->SetThemed(themed);
        t.lv->SetShowGroupMargins(true);
        TLvGroup *g = t.group();
        const LvRect button = g->TopBandParts(g->MarginRectTop()).ExpandButtonArea;
        QCOMPARE(button.Width(), 9 + 1);
        const QImage img = t.Render();
        const QColor background = img.pixelColor(t.Centre(button) + QPoint(0, 14));
        bool drawn = false;
        for (int y = button.top; y < button.bottom && !drawn; ++y)
            for (int x = button.left; x < button.right && !drawn; ++x)
                drawn = img.pixelColor(t.Centre({x, y, x + 1, y + 1})) != background;
        QVERIFY(drawn);
    }

    // The control's own glyphs replace the shared ones, themed or not: the collapse glyph while expanded,
    // the expand glyph while collapsed.
    void ownGlyphs_data()
    {
        QTest::addColumn<bool>("themed");
        QTest::newRow("unthemed") << false;
        QTest::newRow("themed") << true;
    }
    void ownGlyphs()
    {
        QFETCH(bool, themed);
        Groups t;
        t.lv->SetThemed(themed);
        t.lv->SetShowGroupMargins(true);
        QImage expand(12, 12, QImage::Format_RGB32), collapse(12, 12, QImage::Format_RGB32);
        expand.fill(Qt::red);
        collapse.fill(Qt::green);
        t.lv->SetGroupExpandButton(expand);
        t.lv->SetGroupCollapseButton(collapse);
        TLvGroup *g = t.group();
        const LvRect button = g->TopBandParts(g->MarginRectTop()).ExpandButtonArea;
        QCOMPARE(button.Width(), 12 + 1);
        QCOMPARE(t.Render().pixelColor(t.Centre(button)), QColor(Qt::green));
        g->SetExpanded(false);
        QCOMPARE(t.Render().pixelColor(t.Centre(button)), QColor(Qt::red));
    }
};

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    tst_QtLvGroups t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_QtLvGroups.moc"
