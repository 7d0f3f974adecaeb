// The control offscreen: a click on a column header sorts the rows (AutoSort) or only moves the arrow,
// and typed letters reach the incremental search.

#include "listview/QtLvListview.h"

#include <QApplication>
#include <QTest>

#include <memory>

using namespace gdvorn::lv;

Q_DECLARE_METATYPE(TLvSortDirection)

namespace {

struct Names {
    std::unique_ptr<QtLvListview> lv = std::make_unique<QtLvListview>();

    Names()
    {
        QtLvListview &l = *lv;
        l.SetView(TLvListStyle::elsReport);
        l.Header().SetHeight(25);
        l.Header().SetVisible(true);
        l.Header().Columns().Add()->SetWidth(100);
        l.Header().Columns().Add()->SetWidth(100);
        l.resize(400, 300);
        l.show();
        QVERIFY(QTest::qWaitForWindowExposed(&l));
        const QStringList names{"Ênio", "ana", "Bruno", "álvaro"};
        for (int i = 0; i < names.size(); ++i) {
            TLvItem *item = l.Items().Add();
            item->SetCaption(QString::number(i));
            item->SetCaptions(1, names[i]);
        }
    }
    QWidget *vp() const { return lv->viewport(); }

    // Column 1's captions from the top row down, by where the rows are laid out.
    QStringList Rows() const
    {
        QList<std::pair<int, QString>> rows;
        for (int i = 0; i < lv->Items().Count(); ++i)
            rows << std::pair{lv->Items()[i]->DisplayRect().top, lv->Items()[i]->Captions(1)};
        std::sort(rows.begin(), rows.end());
        QStringList out;
        for (const auto &row : rows)
            out << row.second;
        return out;
    }
};

} // namespace

class tst_QtLvSort : public QObject {
    Q_OBJECT

private slots:
    void headerClick_data()
    {
        QTest::addColumn<bool>("autoSort");
        QTest::addColumn<int>("clicks");
        QTest::addColumn<TLvSortDirection>("arrow");
        QTest::addColumn<QStringList>("rows");
        QTest::newRow("AutoSort off: only the arrow")
            << false << 1 << TLvSortDirection::esdAscending << QStringList{"Ênio", "ana", "Bruno", "álvaro"};
        QTest::newRow("ascending") << true << 1 << TLvSortDirection::esdAscending
                                   << QStringList{"álvaro", "ana", "Bruno", "Ênio"};
        QTest::newRow("descending") << true << 2 << TLvSortDirection::esdDescending
                                    << QStringList{"Ênio", "Bruno", "ana", "álvaro"};
    }

    void headerClick()
    {
        QFETCH(bool, autoSort);
        QFETCH(int, clicks);
        QFETCH(TLvSortDirection, arrow);
        QFETCH(QStringList, rows);
        Names t;
        t.lv->Sort().SetAutoSort(autoSort);
        int sorts = 0;
        t.lv->OnSortEnd = [&] { ++sorts; };
        for (int i = 0; i < clicks; ++i)
            QTest::mouseClick(t.vp(), Qt::LeftButton, {}, QPoint(150, 12)); // column 1
        QCOMPARE(t.lv->Header().Columns()[1]->SortDirection(), arrow);
        QCOMPARE(t.Rows(), rows);
        QCOMPARE(sorts, autoSort ? clicks : 0);
    }

    void typingSearches()
    {
        Names t;
        for (int i = 0; i < t.lv->Items().Count(); ++i)
            t.lv->Items()[i]->SetCaption(t.lv->Items()[i]->Captions(1));
        t.lv->IncrementalSearch().SetEnabled(true);
        t.lv->setFocus();
        QTest::keyClicks(t.vp(), "an");
        TLvItem *ana = t.lv->Items()[1];
        QCOMPARE(t.lv->Selection().FocusedItem(), ana);
        QVERIFY(ana->Selected());
        QCOMPARE(t.lv->IncrementalSearch().SearchBuffer(), QString("an"));
        QTest::keyClick(t.vp(), Qt::Key_B, Qt::ControlModifier);
        QCOMPARE(t.lv->IncrementalSearch().SearchItem(), nullptr);
        QCOMPARE(t.lv->IncrementalSearch().SearchBuffer(), QString("an"));
    }
};

QTEST_MAIN(tst_QtLvSort)

#include "tst_QtLvSort.moc"
