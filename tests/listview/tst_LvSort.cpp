// Sorting and regrouping: the three sorters on the same inputs (order, stability), descending order by
// the Portuguese collation, the sorter kept for an unchanged algorithm, when sorts happen (AutoSort with
// Add and header clicks, forced and unforced), the comparison events and the data interface, regrouping
// with its events, and failures (OnSortEnd after a throwing comparison, nothing lost or doubled).

#include "FakeListview.h"

#include <QGuiApplication>
#include <QTest>

#include <random>
#include <set>
#include <stdexcept>

using namespace gdvorn::lv;

Q_DECLARE_METATYPE(TLvSortAlgorithm)
Q_DECLARE_METATYPE(TLvSortDirection)

namespace {

// Report view with two 100-pixel columns and one group holding the captions (column 1: the order of
// insertion, to see what equal captions did).
void Fill(FakeListview &lv, const QStringList &captions)
{
    lv.SetView(TLvListStyle::elsReport);
    lv.Header().SetVisible(true);
    lv.Header().Columns().Add()->SetWidth(100);
    lv.Header().Columns().Add()->SetWidth(100);
    for (int i = 0; i < captions.size(); ++i) {
        TLvItem *item = lv.Items().Add();
        item->SetCaption(captions[i]);
        item->SetCaptions(1, QString::number(i));
    }
}

// Captions of every group's items in order, "caption/insertion" when tagged.
QStringList Order(FakeListview &lv, bool tagged = false)
{
    QStringList out;
    for (int g = 0; g < lv.Groups().Count(); ++g) {
        TLvItems &items = lv.Groups()[g]->Items();
        for (int i = 0; i < items.Count(); ++i)
            out << (tagged ? items[i]->Caption() + "/" + items[i]->Captions(1) : items[i]->Caption());
    }
    return out;
}

// "group caption: item captions" per group, in order.
QStringList Grouping(FakeListview &lv)
{
    QStringList out;
    for (int g = 0; g < lv.Groups().Count(); ++g) {
        TLvGroup *group = lv.Groups()[g];
        QStringList items;
        for (int i = 0; i < group->Items().Count(); ++i)
            items << group->Items()[i]->Caption();
        out << group->Caption() + ":" + items.join(",");
    }
    return out;
}

class Comparable : public ILvDataObject, public ILvDataCompare {
public:
    explicit Comparable(int v) : value(v) {}
    int Compare(ILvDataObject *other, TLvColumn *) override { return dynamic_cast<Comparable *>(other)->value - value; }
    int value;
};

class NotComparable : public ILvDataObject {};

} // namespace

class tst_LvSort : public QObject {
    Q_OBJECT

private slots:
    void sorters_data()
    {
        QTest::addColumn<TLvSortAlgorithm>("algorithm");
        QTest::addColumn<QStringList>("input");
        QTest::addColumn<QStringList>("expected"); // caption/insertion; exact for the stable sorters

        const QStringList mixed{"pera", "Banana", "uva", "banana", "Abacate", "BANANA", "kiwi", "abacate"};
        const QStringList sortedMixed{"Abacate/4", "abacate/7", "Banana/1", "banana/3", "BANANA/5",
                                      "kiwi/6",    "pera/0",    "uva/2"};
        const QStringList already{"a", "A", "b", "B", "c"};
        const QStringList alreadyOut{"a/0", "A/1", "b/2", "B/3", "c/4"};
        const QStringList reversed{"e", "d", "c", "b", "a"};
        const QStringList reversedOut{"a/4", "b/3", "c/2", "d/1", "e/0"};
        for (auto [name, algorithm] : {std::pair{"quick", TLvSortAlgorithm::esaQuickSort},
                                       std::pair{"bubble", TLvSortAlgorithm::esaBubbleSort},
                                       std::pair{"merge", TLvSortAlgorithm::esaMergeSort}}) {
            QTest::addRow("%s mixed", name) << algorithm << mixed << sortedMixed;
            QTest::addRow("%s already sorted", name) << algorithm << already << alreadyOut;
            QTest::addRow("%s reversed", name) << algorithm << reversed << reversedOut;
            QTest::addRow("%s one", name) << algorithm << QStringList{"x"} << QStringList{"x/0"};
            QTest::addRow("%s none", name) << algorithm << QStringList{} << QStringList{};
        }
    }

    void sorters()
    {
        QFETCH(TLvSortAlgorithm, algorithm);
        QFETCH(QStringList, input);
        QFETCH(QStringList, expected);
        FakeListview lv;
        Fill(lv, input);
        lv.Sort().SetAlgorithm(algorithm);
        lv.Sort().SortAll(true);
        const QStringList got = Order(lv, true);
        if (algorithm == TLvSortAlgorithm::esaQuickSort) {
            // Not stable: only the captions, case ignored, are in a fixed order.
            auto fold = [](QStringList l) {
                for (QString &s : l)
                    s = s.section('/', 0, 0).toLower();
                return l;
            };
            QCOMPARE(fold(got), fold(expected));
        } else {
            QCOMPARE(got, expected);
        }
        for (int g = 0; g < lv.Groups().Count(); ++g)
            for (int i = 0; i < lv.Groups()[g]->Items().Count(); ++i)
                QCOMPARE(lv.Groups()[g]->Items()[i]->Index(), i);
    }

    // Random lists of every length up to 70 from a three-letter alphabet: the result is a permutation,
    // ordered, and (merge, bubble) equal captions keep their order.
    void sortersOnRandomLists_data()
    {
        QTest::addColumn<TLvSortAlgorithm>("algorithm");
        QTest::newRow("quick") << TLvSortAlgorithm::esaQuickSort;
        QTest::newRow("bubble") << TLvSortAlgorithm::esaBubbleSort;
        QTest::newRow("merge") << TLvSortAlgorithm::esaMergeSort;
    }

    void sortersOnRandomLists()
    {
        QFETCH(TLvSortAlgorithm, algorithm);
        std::mt19937 random(11);
        for (int n = 0; n <= 70; ++n) {
            QStringList input;
            for (int i = 0; i < n; ++i)
                input << QString(QChar(u"aAbBc"[random() % 5]));
            FakeListview lv;
            Fill(lv, input);
            lv.Sort().SetAlgorithm(algorithm);
            lv.Sort().SortAll(true);
            TLvItems &items = lv.Groups().Count() ? lv.Groups()[0]->Items() : lv.Groups().Add()->Items();
            QCOMPARE(items.Count(), n);
            std::set<TLvItem *> seen;
            for (int i = 0; i < n; ++i) {
                seen.insert(items[i]);
                if (i == 0)
                    continue;
                const int c = TLvSortManager::DefaultSortCompare(nullptr, items[i - 1], items[i]);
                QVERIFY2(c <= 0, qPrintable(Order(lv, true).join(' ')));
                if (c == 0 && algorithm != TLvSortAlgorithm::esaQuickSort)
                    QVERIFY2(items[i - 1]->Captions(1).toInt() < items[i]->Captions(1).toInt(),
                             qPrintable(Order(lv, true).join(' ')));
            }
            QCOMPARE(int(seen.size()), n);
        }
    }

    void descendingByCollation_data()
    {
        QTest::addColumn<TLvSortDirection>("direction");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("ascending") << TLvSortDirection::esdAscending
                                   << QStringList{"Abacate", "água", "ameixa", "Banana", "eco", "Éden"};
        QTest::newRow("descending") << TLvSortDirection::esdDescending
                                    << QStringList{"Éden", "eco", "Banana", "ameixa", "água", "Abacate"};
    }

    void descendingByCollation()
    {
        QFETCH(TLvSortDirection, direction);
        QFETCH(QStringList, expected);
        FakeListview lv;
        const QStringList words{"eco", "Banana", "água", "Éden", "ameixa", "Abacate"};
        Fill(lv, QStringList(words.size(), "same"));
        TLvItems &items = lv.Groups()[0]->Items();
        for (int i = 0; i < words.size(); ++i)
            items[i]->SetCaptions(1, words[i]);
        // Column 1, moved to the first place, sorts by what it shows (its index), not by caption 0.
        TLvColumn *shown = lv.Header().Columns()[1];
        shown->SetPosition(0);
        shown->SetSortDirection(direction); // becomes the focused column
        lv.Sort().SortAll(true);
        QStringList got;
        for (int i = 0; i < items.Count(); ++i)
            got << items[i]->Captions(1);
        QCOMPARE(got, expected);
    }

    void sameAlgorithmKeepsItsSorter()
    {
        FakeListview lv;
        TLvSorter *merge = lv.Sort().Sorter();
        QVERIFY(dynamic_cast<TLvMergeSort *>(merge));
        lv.Sort().SetAlgorithm(TLvSortAlgorithm::esaMergeSort);
        QCOMPARE(lv.Sort().Sorter(), merge);
        lv.Sort().SetAlgorithm(TLvSortAlgorithm::esaBubbleSort);
        QVERIFY(dynamic_cast<TLvBubbleSort *>(lv.Sort().Sorter()));
        lv.Sort().SetAlgorithm(TLvSortAlgorithm::esaQuickSort);
        QVERIFY(dynamic_cast<TLvQuickSort *>(lv.Sort().Sorter()));
    }

    // Which actions sort: Add (unforced: skipped inside the manager's update), a header click
    // (forced), switching AutoSort on (unforced); nothing at all with AutoSort off.
    void whenItSorts_data()
    {
        QTest::addColumn<bool>("autoSort");
        QTest::addColumn<bool>("managerUpdating");
        QTest::addColumn<QString>("action");
        QTest::addColumn<QStringList>("expected");
        QTest::addColumn<int>("sorts");

        const QStringList unsorted{"c", "a", "b", ""};
        const QStringList sorted{"", "a", "b", "c"};
        QTest::newRow("off, add") << false << false << "add" << unsorted << 0;
        QTest::newRow("off, header click") << false << false << "click" << QStringList{"c", "a", "b"} << 0;
        QTest::newRow("on, add") << true << false << "add" << sorted << 1;
        QTest::newRow("on, add while the manager updates") << true << true << "add" << unsorted << 0;
        QTest::newRow("on, header click while the manager updates")
            << true << true << "click" << QStringList{"a", "b", "c"} << 1;
        QTest::newRow("on, header click on a column that does not sort")
            << true << true << "click nosort" << QStringList{"c", "a", "b"} << 0;
        QTest::newRow("switched on") << true << false << "" << QStringList{"a", "b", "c"} << 1;
        QTest::newRow("switched on while the manager updates")
            << true << true << "" << QStringList{"c", "a", "b"} << 0;
    }

    void whenItSorts()
    {
        QFETCH(bool, autoSort);
        QFETCH(bool, managerUpdating);
        QFETCH(QString, action);
        QFETCH(QStringList, expected);
        QFETCH(int, sorts);
        FakeListview lv;
        Fill(lv, {"c", "a", "b"});
        int begins = 0, ends = 0;
        lv.OnSortBegin = [&] { ++begins; };
        lv.OnSortEnd = [&] { ++ends; };
        if (managerUpdating)
            lv.Sort().BeginUpdate();
        lv.Sort().SetAutoSort(autoSort);
        QCOMPARE(lv.Selection().FocusedColumnField(), autoSort ? lv.Header().Columns()[0] : nullptr);
        if (!action.isEmpty())
            begins = ends = 0;
        if (action == "add") {
            lv.Items().Add();
        } else if (action.startsWith("click")) {
            lv.Header().Columns()[0]->SetAutoSortOnClick(!action.contains("nosort"));
            lv.Header().LeftDown({50, 10}, 0);
            lv.Header().LeftUp({50, 10}, 0);
            QCOMPARE(lv.Header().Columns()[0]->SortDirection(), TLvSortDirection::esdAscending);
        }
        QCOMPARE(Order(lv), expected);
        QCOMPARE(begins, sorts);
        QCOMPARE(ends, sorts);
    }

    void itemCompareEvent_data()
    {
        QTest::addColumn<bool>("doDefault");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("handler decides") << false << QStringList{"c", "b", "a"};
        QTest::newRow("DoDefault left true") << true << QStringList{"a", "b", "c"};
    }

    void itemCompareEvent()
    {
        QFETCH(bool, doDefault);
        QFETCH(QStringList, expected);
        FakeListview lv;
        Fill(lv, {"b", "a", "c"});
        TLvColumn *column = lv.Header().Columns()[0];
        lv.Selection().SetFocusedColumn(column);
        QSet<void *> seen;
        lv.OnItemCompare = [&](TLvColumn *c, TLvGroup *g, TLvItem *a, TLvItem *b, bool &dd) {
            seen << c << g;
            dd = doDefault;
            return -QString::compare(a->Caption(), b->Caption());
        };
        lv.Sort().SortAll(true);
        QCOMPARE(Order(lv), expected);
        QCOMPARE(seen, (QSet<void *>{column, lv.Groups()[0]}));
    }

    void groupCompareEvent_data()
    {
        QTest::addColumn<bool>("handler");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("default: captions") << false << QStringList{"Alfa", "beta", "Gama"};
        QTest::newRow("OnGroupCompare: tags") << true << QStringList{"Alfa", "Gama", "beta"};
    }

    void groupCompareEvent()
    {
        QFETCH(bool, handler);
        QFETCH(QStringList, expected);
        FakeListview lv;
        int tag = 3;
        for (const char *caption : {"beta", "Gama", "Alfa"}) {
            TLvGroup *group = lv.Groups().Add();
            group->SetCaption(caption);
            group->SetTag(tag--);
        }
        if (handler)
            lv.OnGroupCompare = [](TLvGroup *a, TLvGroup *b) { return a->Tag() - b->Tag(); };
        lv.Sort().SortAll(true);
        QStringList got;
        for (int g = 0; g < lv.Groups().Count(); ++g) {
            got << lv.Groups()[g]->Caption();
            QCOMPARE(lv.Groups()[g]->Index(), g);
        }
        QCOMPARE(got, expected);
    }

    // The data objects decide only when every item of the group offers the comparison.
    void dataInterfaceCompare_data()
    {
        QTest::addColumn<bool>("allComparable");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("all offer it") << true << QStringList{"z", "y", "x"};
        QTest::newRow("one does not") << false << QStringList{"x", "y", "z"};
    }

    void dataInterfaceCompare()
    {
        QFETCH(bool, allComparable);
        QFETCH(QStringList, expected);
        FakeListview lv;
        Fill(lv, {"y", "x", "z"});
        const int values[] = {2, 3, 1};
        TLvItems &items = lv.Groups()[0]->Items();
        for (int i = 0; i < 3; ++i)
            items[i]->SetDataInf(std::make_shared<Comparable>(values[i]));
        if (!allComparable)
            items[2]->SetDataInf(std::make_shared<NotComparable>());
        bool asked = false;
        lv.OnItemCompare = [&](TLvColumn *, TLvGroup *, TLvItem *, TLvItem *, bool &) {
            asked = true;
            return 0;
        };
        lv.Sort().SortAll(true);
        QCOMPARE(Order(lv), expected);
        QCOMPARE(asked, !allComparable);
    }

    void regroup_data()
    {
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("by first letter, case ignored")
            << QStringList{"beta", "alfa", "Abc", "bola"} << "" << QStringList{"A:Abc,alfa", "B:beta,bola"};
        QTest::newRow("empty caption: key 0, no group caption")
            << QStringList{"x", "", "X"} << "" << QStringList{":", "X:x,X"};
        QTest::newRow("only a to z upper-cased for the group caption")
            << QStringList{"Ótimo", "ótica", "9"} << "" << QStringList{"9:9", "ó:ótica,Ótimo"};
        QTest::newRow("AutoRegroup off: one group without a caption")
            << QStringList{"b", "a"} << "off" << QStringList{":a,b"};
        QTest::newRow("OnAutoGroupGetKey") << QStringList{"b1", "a1", "b2"} << "keys" << QStringList{"0:a1,b1,b2"};
        QTest::newRow("OnAutoSortGroupCreate without default")
            << QStringList{"b", "a"} << "create" << QStringList{"made a:a", "made b:b"};
    }

    void regroup()
    {
        QFETCH(QStringList, captions);
        QFETCH(QString, setup);
        QFETCH(QStringList, expected);
        FakeListview lv;
        Fill(lv, captions);
        lv.Groups().Add()->SetCaption("empty before");
        if (setup == "keys")
            lv.OnAutoGroupGetKey = [](TLvItem *, int column, TLvGroups &, std::uint32_t &key) {
                QCOMPARE(column, 0);
                key = '0';
            };
        if (setup == "create")
            lv.OnAutoSortGroupCreate = [](TLvItem *item, int, TLvGroups &groups, TLvGroup *&group, bool &doDefault) {
                group = groups.Add();
                group->SetCaption("made " + item->Caption());
                doDefault = false;
            };
        lv.Sort().SetAutoRegroup(true);
        QVERIFY(lv.ShowGroupMargins());
        if (setup == "off")
            lv.Sort().SetAutoRegroup(false);
        QCOMPARE(Grouping(lv), expected);
        if (setup == "keys")
            for (int i = 0; i < 3; ++i)
                QCOMPARE(lv.Groups()[0]->Items()[i]->GroupKey(0), std::uint32_t('0'));
        else
            QCOMPARE(lv.Groups()[0]->Items()[0]->GroupKey(0), std::uint32_t(65535));
        int count = 0;
        for (int g = 0; g < lv.Groups().Count(); ++g)
            for (int i = 0; i < lv.Groups()[g]->Items().Count(); ++i) {
                TLvItem *item = lv.Groups()[g]->Items()[i];
                QCOMPARE(item->Group(), lv.Groups()[g]);
                QCOMPARE(item->Index(), i);
                ++count;
            }
        QCOMPARE(count, captions.size());
    }

    void headerClickRegroupsByTheColumn()
    {
        FakeListview lv;
        Fill(lv, {"b", "a", "B"});
        lv.Sort().SetAutoRegroup(true);
        lv.PaintInfoGroup().MarginTop().SetVisible(true);
        QList<int> columns;
        lv.OnAutoGroupGetKey = [&](TLvItem *, int column, TLvGroups &, std::uint32_t &) { columns << column; };
        lv.Header().LeftDown({150, 10}, 0);
        lv.Header().LeftUp({150, 10}, 0);
        QCOMPARE(columns, (QList<int>{1, 1, 1}));
        QCOMPARE(Grouping(lv), (QStringList{"A:a", "B:b,B"}));

        lv.PaintInfoGroup().MarginTop().SetVisible(false);
        columns.clear();
        lv.Header().LeftDown({50, 10}, 0);
        lv.Header().LeftUp({50, 10}, 0);
        QVERIFY(columns.isEmpty());
    }

    // A throwing comparison still ends the sort, and the list keeps every item exactly once.
    void failingComparison_data()
    {
        QTest::addColumn<TLvSortAlgorithm>("algorithm");
        QTest::newRow("quick") << TLvSortAlgorithm::esaQuickSort;
        QTest::newRow("bubble") << TLvSortAlgorithm::esaBubbleSort;
        QTest::newRow("merge") << TLvSortAlgorithm::esaMergeSort;
    }

    void failingComparison()
    {
        QFETCH(TLvSortAlgorithm, algorithm);
        FakeListview lv;
        const QStringList input{"h", "g", "f", "e", "d", "c", "b", "a"};
        Fill(lv, input);
        lv.Sort().SetAlgorithm(algorithm);
        int calls = 0, ends = 0;
        lv.OnItemCompare = [&](TLvColumn *, TLvGroup *, TLvItem *, TLvItem *, bool &) -> int {
            if (++calls == 3)
                throw std::runtime_error("comparison failed");
            return 0;
        };
        lv.OnSortEnd = [&] { ++ends; };
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, lv.Sort().SortAll(true));
        QCOMPARE(ends, 1);
        QCOMPARE(Order(lv), input);
    }

    void failingGroupCreationLosesNoItem()
    {
        FakeListview lv;
        Fill(lv, {"a", "b", "c"});
        lv.OnAutoSortGroupCreate = [](TLvItem *item, int, TLvGroups &, TLvGroup *&, bool &) {
            if (item->Caption() == "b")
                throw std::runtime_error("no group");
        };
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, lv.Sort().SetAutoRegroup(true));
        QCOMPARE(Grouping(lv), (QStringList{"A:a", ":b,c"}));
        QCOMPARE(lv.Groups()[1]->Items()[1]->Group(), lv.Groups()[1]);
    }
};

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    tst_LvSort t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_LvSort.moc"
