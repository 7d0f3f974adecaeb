// The control's own settings without a widget: the view switch and the wheel direction it sets, the
// objects the control takes over, image lists freed while in use, the user's group expand and collapse
// glyphs, and failures inside an update bracket.

#include "FakeListview.h"
#include "listview/LvStream.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QTest>

#include <memory>
#include <stdexcept>

using namespace gdvorn::lv;

Q_DECLARE_METATYPE(TLvListStyle)
Q_DECLARE_METATYPE(TLvDefaultWheelScroll)

namespace {

// A selection manager that tells when it is freed.
class WatchedSelection : public TLvSelectionManager {
public:
    WatchedSelection(ListviewCore *lv, bool &freed) : TLvSelectionManager(lv), freed_(freed) {}
    ~WatchedSelection() override { freed_ = true; }

private:
    bool &freed_;
};

} // namespace

class tst_LvCore : public QObject {
    Q_OBJECT

private slots:
    // A new view rebuilds and sets the wheel direction (list and film strip across, the rest down), even
    // over the user's own choice; the current view changes nothing.
    void viewSwitch_data()
    {
        QTest::addColumn<TLvListStyle>("view");
        QTest::addColumn<bool>("changes");
        QTest::addColumn<TLvDefaultWheelScroll>("wheel");
        QTest::newRow("same view") << TLvListStyle::elsReport << false << TLvDefaultWheelScroll::edwsHorz;
        QTest::newRow("list") << TLvListStyle::elsList << true << TLvDefaultWheelScroll::edwsHorz;
        QTest::newRow("film strip") << TLvListStyle::elsFilmStrip << true << TLvDefaultWheelScroll::edwsHorz;
        QTest::newRow("icon") << TLvListStyle::elsIcon << true << TLvDefaultWheelScroll::edwsVert;
        QTest::newRow("tile") << TLvListStyle::elsTile << true << TLvDefaultWheelScroll::edwsVert;
    }
    void viewSwitch()
    {
        QFETCH(TLvListStyle, view);
        QFETCH(bool, changes);
        QFETCH(TLvDefaultWheelScroll, wheel);
        FakeListview lv;
        QCOMPARE(lv.View(), TLvListStyle::elsIcon);
        lv.SetView(TLvListStyle::elsReport);
        lv.Header().Columns().Add()->SetWidth(120);
        lv.Items().Add()->SetCaption("a");
        const LvRect before = lv.Items()[0]->DisplayRect();
        lv.SetWheelMouseDefaultScroll(TLvDefaultWheelScroll::edwsHorz); // the user's choice
        int changed = 0;
        lv.OnViewChange = [&] {
            ++changed;
            QCOMPARE(lv.View(), view);
        };
        lv.SetView(view);
        QCOMPARE(changed, changes ? 1 : 0);
        QCOMPARE(lv.WheelMouseDefaultScroll(), wheel);
        if (changes)
            QVERIFY(lv.Items()[0]->DisplayRect() != before); // laid out for the new view
    }

    // A new selection manager replaces the current one, which is freed; handing over the one in use
    // changes nothing.
    void replacingTheSelectionManager()
    {
        FakeListview lv;
        bool firstFreed = false, secondFreed = false;
        auto first = std::make_unique<WatchedSelection>(&lv, firstFreed);
        TLvSelectionManager *firstPtr = first.get();
        lv.SetSelection(std::move(first));
        QCOMPARE(&lv.Selection(), firstPtr);
        lv.SetSelection(std::unique_ptr<TLvSelectionManager>(firstPtr));
        QVERIFY(!firstFreed);
        QCOMPARE(&lv.Selection(), firstPtr);
        lv.SetSelection(std::make_unique<WatchedSelection>(&lv, secondFreed));
        QVERIFY(firstFreed);
        QVERIFY(!secondFreed);
        lv.Selection().SetMultiSelect(true);
        for (int i = 0; i < 3; ++i)
            lv.Items().Add();
        lv.Selection().SelectAll();
        QCOMPARE(lv.Selection().Count(), 3);
    }

    // An image list freed while the control or its header uses it is forgotten; the others stay.
    void freedImageListsAreForgotten()
    {
        FakeListview lv;
        LvImageList kept(16, 16);
        {
            LvImageList freed(16, 16);
            lv.SetImagesSmall(&freed);
            lv.SetImagesState(&freed);
            lv.SetImagesLarge(&kept);
            lv.Header().SetImages(&freed);
        }
        QCOMPARE(lv.ImagesSmall(), nullptr);
        QCOMPARE(lv.ImagesState(), nullptr);
        QCOMPARE(lv.Header().Images(), nullptr);
        QCOMPARE(lv.ImagesLarge(), &kept);
    }

    // The user's glyphs are kept as 32-bit copies and size the group's expand button: the larger of
    // the two (a missing one counts as the drawn 9 × 9), one pixel wider at 96 dots per inch.
    void userGroupButtons_data()
    {
        QTest::addColumn<QSize>("expand");
        QTest::addColumn<QSize>("collapse");
        QTest::addColumn<int>("width");
        QTest::newRow("drawn glyphs") << QSize() << QSize() << 9 + 1;
        QTest::newRow("larger expand glyph") << QSize(16, 12) << QSize() << 16 + 1;
        QTest::newRow("larger collapse glyph") << QSize(11, 11) << QSize(13, 5) << 13 + 1;
        QTest::newRow("smaller glyphs keep the drawn size of the other") << QSize(5, 5) << QSize() << 9 + 1;
    }
    void userGroupButtons()
    {
        QFETCH(QSize, expand);
        QFETCH(QSize, collapse);
        QFETCH(int, width);
        FakeListview lv;
        lv.SetView(TLvListStyle::elsReport);
        lv.SetShowGroupMargins(true);
        lv.Items().Add();
        const auto picture = [](QSize size) {
            QImage image;
            if (size.isValid()) {
                image = QImage(size, QImage::Format_RGB32);
                image.fill(Qt::red);
            }
            return image;
        };
        lv.SetGroupExpandButton(picture(expand));
        lv.SetGroupCollapseButton(picture(collapse));
        if (expand.isValid())
            QCOMPARE(lv.GroupExpandButton().format(), QImage::Format_ARGB32);
        QCOMPARE(lv.GroupExpandButton().size(), expand.isValid() ? expand : QSize(0, 0));
        TLvGroup *g = lv.Groups()[0];
        QCOMPARE(g->TopBandParts(g->MarginRectTop()).ExpandButtonArea.Width(), width);
    }

    // A handler failing at the outermost EndUpdate of a bracketed operation reaches its caller; a
    // failure inside the bracket goes on to the caller ahead of it. The count is back at 0 either way.
    void failuresInsideAnUpdateBracket()
    {
        FakeListview lv;
        lv.SetView(TLvListStyle::elsReport);
        lv.Header().Columns().Add();
        int ends = 0;
        lv.OnEndUpdate = [&] {
            ++ends;
            throw std::logic_error("handler");
        };
        QVERIFY_THROWS_EXCEPTION(std::logic_error, lv.AutoSizeColumns(false));
        QCOMPARE(lv.UpdateCount(), 0);
        QByteArray damaged;
        damaged.append("\x06\x00\x00\x00\x63", 5); // version 6, then a view that does not exist
        QBuffer buffer(&damaged);
        buffer.open(QIODevice::ReadOnly);
        LvStream stream(buffer);
        QVERIFY_THROWS_EXCEPTION(EReadError, lv.LoadFromStream(stream));
        QCOMPARE(lv.UpdateCount(), 0);
        QCOMPARE(ends, 2);
    }
};

QTEST_MAIN(tst_LvCore)
#include "tst_LvCore.moc"
