// The small objects' defaults and setters: the item and column paint infos and the control's own
// settings (an unchanged value repaints nothing), the gesture manager, and handing the control a
// paint-info object of its own.

#include "FakeListview.h"

#include <QGuiApplication>
#include <QTest>

using namespace gdvorn::lv;

class tst_LvDefaults : public QObject {
    Q_OBJECT

private slots:
    void newControl()
    {
        FakeListview lv;
        QCOMPARE(lv.PaintInfoItem().TileDetailCount(), 1);
        QVERIFY(!lv.PaintInfoItem().GridLines());
        QCOMPARE(lv.PaintInfoItem().GridLineColor(), LvColor(LvColor::clBtnFace));
        QVERIFY(!lv.PaintInfoColumn().BkGndColorFillsWindow());
        QCOMPARE(lv.Gesture().Tolerance(), 3);
        QCOMPARE(lv.Gesture().Button(), 2); // the right button only
        QVERIFY(!lv.Gesture().Enabled());
    }

    // Setting the value a setting already has repaints nothing; another value repaints the whole control.
    void settersRepaintOnChange_data()
    {
        QTest::addColumn<QString>("setting");
        QTest::newRow("GridLines") << "GridLines";
        QTest::newRow("GridLineColor") << "GridLineColor";
        QTest::newRow("HideCaption") << "HideCaption";
        QTest::newRow("TileDetailCount") << "TileDetailCount";
        QTest::newRow("BkGndColorFillsWindow") << "BkGndColorFillsWindow";
        // The control's own.
        for (const char *s : {"Color", "Font", "ShowImages", "ShowInactive", "ImagesSmall", "ImagesState"})
            QTest::newRow(s) << QString(s);
    }
    void settersRepaintOnChange()
    {
        QFETCH(QString, setting);
        FakeListview lv;
        TLvPaintInfoItem &item = lv.PaintInfoItem();
        TLvPaintInfoColumn &column = lv.PaintInfoColumn();
        LvImageList images(16, 16);
        QFont bold = lv.Font();
        bold.setBold(true);
        const auto set = [&](bool changed) {
            if (setting == "Color")
                lv.SetColor(changed ? LvColor(LvColor::clSilver) : LvColor(LvColor::clWindow));
            else if (setting == "Font")
                lv.SetFont(changed ? bold : QFont(lv.Font()));
            else if (setting == "ShowImages")
                lv.SetShowImages(!changed);
            else if (setting == "ShowInactive")
                lv.SetShowInactive(changed);
            else if (setting == "ImagesSmall")
                lv.SetImagesSmall(changed ? &images : nullptr);
            else if (setting == "ImagesState")
                lv.SetImagesState(changed ? &images : nullptr);
            else if (setting == "GridLines")
                item.SetGridLines(changed);
            else if (setting == "GridLineColor")
                item.SetGridLineColor(changed ? LvColor(LvColor::clSilver) : LvColor(LvColor::clBtnFace));
            else if (setting == "HideCaption")
                item.SetHideCaption(changed);
            else if (setting == "TileDetailCount")
                item.SetTileDetailCount(changed ? 3 : 1);
            else
                column.SetBkGndColorFillsWindow(changed);
        };
        lv.invalidated.clear();
        set(false);
        QCOMPARE(lv.invalidated.size(), std::size_t(0));
        set(true);
        QCOMPARE(lv.invalidated.size(), std::size_t(1));
        QCOMPARE(lv.invalidated.front(), lv.ClientRect());
    }

    // The header's columns in display order, with the list's own range check.
    void columnsByPosition()
    {
        FakeListview lv;
        for (const char *caption : {"a", "b", "c"})
            lv.Header().Columns().Add()->SetCaption(caption);
        lv.Header().Columns()[2]->SetPosition(0);
        QCOMPARE(lv.Header().ColumnByPosition(0)->Caption(), QString("c"));
        QCOMPARE(lv.Header().ColumnByPosition(2)->Caption(), QString("b"));
        for (int outside : {-1, 3}) {
            try {
                lv.Header().ColumnByPosition(outside);
                QFAIL("no error outside the list");
            } catch (const EListError &e) {
                QCOMPARE(QString(e.what()), QString("List index out of bounds (%1)").arg(outside));
            }
        }
    }

    // The control takes the object it is handed and frees the one it had; its own object changes nothing.
    void replacePaintInfo()
    {
        FakeListview lv;
        TLvItem *item = lv.Items().Add();
        auto mine = std::make_unique<TLvPaintInfoItem>(&lv);
        mine->SetGridLines(true);
        TLvPaintInfoItem *given = mine.get();
        lv.SetPaintInfoItem(std::move(mine));
        QCOMPARE(&lv.PaintInfoItem(), given);
        QCOMPARE(item->PaintInfo(), static_cast<TLvPaintInfoBasic *>(given));
        QVERIFY(lv.PaintInfoItem().GridLines());

        lv.invalidated.clear();
        lv.SetPaintInfoItem(std::unique_ptr<TLvPaintInfoItem>(given));
        QCOMPARE(&lv.PaintInfoItem(), given);
        QCOMPARE(lv.invalidated.size(), std::size_t(0));

        auto group = std::make_unique<TLvPaintInfoGroup>(&lv);
        group->SetBandThickness(7);
        lv.SetPaintInfoGroup(std::move(group));
        QCOMPARE(lv.PaintInfoGroup().BandThickness(), 7);
        auto column = std::make_unique<TLvPaintInfoColumn>(&lv);
        column->SetSortGlyphIndent(9);
        lv.SetPaintInfoColumn(std::move(column));
        QCOMPARE(lv.PaintInfoColumn().SortGlyphIndent(), 9);
    }
};

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    tst_LvDefaults t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_LvDefaults.moc"
