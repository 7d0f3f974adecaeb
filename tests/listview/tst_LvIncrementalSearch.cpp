// Incremental search: key sequences against start type, direction and item kind (the reset slot called
// directly for a pause), the selection a hit leaves, the buffer's rules, the search event, a disabled
// search, items freed under the search, and the reset timer itself.

#include "FakeListview.h"

#include <QGuiApplication>
#include <QTest>

using namespace gdvorn::lv;

Q_DECLARE_METATYPE(TCoolIncrementalSearchStart)
Q_DECLARE_METATYPE(TLvIncrementalSearchDir)
Q_DECLARE_METATYPE(TLvIncrementalSearchItemType)

namespace {

// Six items in two groups; "bolo" is hidden; apple, berry, bolo and cherry are initialized.
void Fill(FakeListview &lv)
{
    const char *first[] = {"apple", "Banana", "berry"};
    const char *second[] = {"bolo", "blue", "cherry"};
    for (const auto &captions : {first, second}) {
        TLvGroup *group = lv.Groups().Add();
        for (int i = 0; i < 3; ++i)
            group->Items().Add()->SetCaption(captions[i]);
    }
    for (int g = 0; g < 2; ++g)
        for (int i = 0; i < 3; ++i) {
            TLvItem *item = lv.Groups()[g]->Items()[i];
            item->SetInitialized(item->Caption() != "Banana" && item->Caption() != "blue");
            if (item->Caption() == "bolo")
                item->SetVisible(false);
        }
}

QString Name(const TLvItem *item) { return item ? item->Caption() : QString("-"); }

// Types `keys`: each character is a key press with its text; '|' a pause (the reset slot), '^' a key
// with Ctrl held, '\t' a control character. Gives the search item after each key.
QStringList Type(FakeListview &lv, const QString &keys)
{
    TLvIncrementalSearchManager &search = lv.IncrementalSearch();
    QStringList hits;
    for (QChar c : keys) {
        if (c == '|') {
            search.ResetSearch();
            continue;
        }
        search.HandleKeyDown();
        search.HandleChar(c == '^' ? QString("x") : QString(c), c == '^');
        hits << Name(search.SearchItem());
    }
    return hits;
}

TLvItem *Find(FakeListview &lv, const QString &caption)
{
    for (int g = 0; g < lv.Groups().Count(); ++g)
        for (int i = 0; i < lv.Groups()[g]->Items().Count(); ++i)
            if (lv.Groups()[g]->Items()[i]->Caption() == caption)
                return lv.Groups()[g]->Items()[i];
    return nullptr;
}

} // namespace

class tst_LvIncrementalSearch : public QObject {
    Q_OBJECT

private slots:
    void sequences_data()
    {
        QTest::addColumn<TCoolIncrementalSearchStart>("start");
        QTest::addColumn<TLvIncrementalSearchDir>("direction");
        QTest::addColumn<TLvIncrementalSearchItemType>("itemType");
        QTest::addColumn<QString>("focused");
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QStringList>("hits");

        const auto over = TCoolIncrementalSearchStart::eissStartOver;
        const auto last = TCoolIncrementalSearchStart::eissLastHit;
        const auto node = TCoolIncrementalSearchStart::eissFocusedNode;
        const auto fwd = TLvIncrementalSearchDir::eisdForward;
        const auto back = TLvIncrementalSearchDir::eisdBackward;
        const auto visible = TLvIncrementalSearchItemType::eisiVisible;
        const auto all = TLvIncrementalSearchItemType::eisiAll;
        const auto init = TLvIncrementalSearchItemType::eisiInitializedOnly;

        QTest::newRow("two letters, case ignored")
            << over << fwd << visible << "" << "BE" << QStringList{"Banana", "berry"};
        QTest::newRow("no match: no hit") << over << fwd << visible << "" << "bx" << QStringList{"Banana", "-"};
        QTest::newRow("same letter, start over: stays") << over << fwd << visible << "" << "bbb"
                                                       << QStringList{"Banana", "Banana", "Banana"};
        QTest::newRow("same letter, last hit: steps and wraps")
            << last << fwd << visible << "" << "bbbb" << QStringList{"Banana", "berry", "blue", "Banana"};
        QTest::newRow("same letter, all items: the hidden one too")
            << last << fwd << all << "" << "bbbbb" << QStringList{"Banana", "berry", "bolo", "blue", "Banana"};
        QTest::newRow("same letter, initialized only")
            << last << fwd << init << "" << "bbb" << QStringList{"berry", "bolo", "berry"};
        QTest::newRow("backward from the last item")
            << over << back << visible << "" << "bb" << QStringList{"blue", "blue"};
        QTest::newRow("backward, last hit") << last << back << visible << "" << "bbbb"
                                            << QStringList{"blue", "berry", "Banana", "blue"};
        QTest::newRow("backward, initialized only: wraps from the first")
            << last << back << init << "" << "aa" << QStringList{"apple", "apple"};
        QTest::newRow("focused node: after it") << node << fwd << visible << "berry" << "bb"
                                                << QStringList{"blue", "Banana"};
        QTest::newRow("focused node without a focus: from the start")
            << node << fwd << visible << "" << "c" << QStringList{"cherry"};
        QTest::newRow("pause, start over: from the start again")
            << over << fwd << visible << "" << "be|b" << QStringList{"Banana", "berry", "Banana"};
        QTest::newRow("pause, last hit: after the hit") << last << fwd << visible << "" << "b|b"
                                                        << QStringList{"Banana", "berry"};
        QTest::newRow("pause, focused node: after the focus")
            << node << fwd << visible << "" << "c|a" << QStringList{"cherry", "apple"};
        QTest::newRow("Ctrl forgets the hit, start over") << over << fwd << visible << "" << "b^e"
                                                          << QStringList{"Banana", "-", "-"};
        QTest::newRow("Ctrl forgets the hit, last hit") << last << fwd << visible << "" << "b^b"
                                                        << QStringList{"Banana", "-", "Banana"};
        QTest::newRow("control character") << over << fwd << visible << "" << "c\t" << QStringList{"cherry", "-"};
        QTest::newRow("caption shorter than the buffer") << over << fwd << visible << "" << "applex"
                                                         << QStringList{"apple", "apple", "apple", "apple", "apple", "-"};
    }

    void sequences()
    {
        QFETCH(TCoolIncrementalSearchStart, start);
        QFETCH(TLvIncrementalSearchDir, direction);
        QFETCH(TLvIncrementalSearchItemType, itemType);
        QFETCH(QString, focused);
        QFETCH(QString, keys);
        QFETCH(QStringList, hits);
        FakeListview lv;
        Fill(lv);
        TLvIncrementalSearchManager &search = lv.IncrementalSearch();
        search.SetEnabled(true);
        search.SetStartType(start);
        search.SetDirection(direction);
        search.SetItemType(itemType);
        if (!focused.isEmpty())
            lv.Selection().SetFocusedItem(Find(lv, focused));
        QCOMPARE(Type(lv, keys), hits);
    }

    // A hit becomes the only selected item and the focused one; a miss leaves the selection alone.
    void hitSelectsAndFocuses()
    {
        FakeListview lv;
        Fill(lv);
        lv.Selection().SetMultiSelect(true);
        Find(lv, "apple")->SetSelected(true);
        Find(lv, "cherry")->SetSelected(true);
        int changes = 0;
        lv.OnItemSelectionsChanged = [&] { ++changes; };
        lv.IncrementalSearch().SetEnabled(true);
        Type(lv, "bl");
        TLvItem *blue = Find(lv, "blue");
        QCOMPARE(lv.Selection().FocusedItem(), blue);
        QVERIFY(blue->Selected() && !Find(lv, "apple")->Selected() && !Find(lv, "cherry")->Selected());
        QVERIFY(!Find(lv, "Banana")->Selected()); // the first hit was replaced
        QCOMPARE(changes, 2);
        Type(lv, "x");
        QCOMPARE(lv.Selection().FocusedItem(), blue);
        QVERIFY(blue->Selected());
    }

    void bufferRules()
    {
        FakeListview lv;
        Fill(lv);
        TLvIncrementalSearchManager &search = lv.IncrementalSearch();
        search.SetEnabled(true);
        Type(lv, "bb");
        QCOMPARE(search.SearchBuffer(), QString("b"));
        Type(lv, "e^");
        QCOMPARE(search.SearchBuffer(), QString("be")); // Ctrl leaves the buffer
        QVERIFY(search.Searching());
        search.ResetSearch();
        QCOMPARE(search.SearchBuffer(), QString());
        QVERIFY(!search.Searching() && !search.TimerRunning());
    }

    void disabledDoesNothing()
    {
        FakeListview lv;
        Fill(lv);
        QCOMPARE(Type(lv, "b"), QStringList{"-"});
        QCOMPARE(lv.IncrementalSearch().SearchBuffer(), QString());
        QVERIFY(!lv.IncrementalSearch().TimerRunning());
        QCOMPARE(lv.Selection().FocusedItem(), nullptr);
    }

    void handlerDecides_data()
    {
        QTest::addColumn<bool>("handled");
        QTest::addColumn<QStringList>("hits");
        QTest::newRow("handled: cherry whatever the caption") << true << QStringList{"cherry"};
        QTest::newRow("not handled: the captions") << false << QStringList{"Banana"};
    }

    void handlerDecides()
    {
        QFETCH(bool, handled);
        QFETCH(QStringList, hits);
        FakeListview lv;
        Fill(lv);
        lv.IncrementalSearch().SetEnabled(true);
        lv.OnIncrementalSearch = [&](TLvCollectionItem *item, const QString &buffer, bool &h, int &result) {
            QCOMPARE(buffer, QString("b"));
            QCOMPARE(result, 0);
            QVERIFY(!h);
            h = handled;
            result = item->Caption() == "cherry" ? 0 : 1;
        };
        QCOMPARE(Type(lv, "b"), hits);
    }

    // Freeing the hit (or the next one) clears the reference; an Add ends the search.
    void itemsFreedAndAdded()
    {
        FakeListview lv;
        Fill(lv);
        TLvIncrementalSearchManager &search = lv.IncrementalSearch();
        search.SetEnabled(true);
        search.SetStartType(TCoolIncrementalSearchStart::eissLastHit);
        Type(lv, "b");
        QCOMPARE(Name(search.NextSearchItem()), QString("berry"));
        lv.Groups()[1]->Items().Add()->SetCaption("bala");
        QVERIFY(!search.Searching());
        QCOMPARE(search.SearchBuffer(), QString());
        QCOMPARE(Name(search.SearchItem()), QString("Banana")); // the last hit survives the reset
        lv.Groups()[0]->Items().Clear();
        QCOMPARE(search.SearchItem(), nullptr);
        QCOMPARE(search.NextSearchItem(), nullptr);
        QCOMPARE(Type(lv, "b"), QStringList{"bala"}); // a last-hit search starts after the first item
    }

    void timerResets()
    {
        FakeListview lv;
        Fill(lv);
        TLvIncrementalSearchManager &search = lv.IncrementalSearch();
        search.SetEnabled(true);
        search.SetResetTime(30);
        Type(lv, "b");
        QVERIFY(search.TimerRunning());
        QTRY_VERIFY_WITH_TIMEOUT(!search.Searching(), 2000);
        QCOMPARE(search.SearchBuffer(), QString());
        QVERIFY(!search.TimerRunning());
        QCOMPARE(Type(lv, "c"), QStringList{"cherry"});
    }
};

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    tst_LvIncrementalSearch t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_LvIncrementalSearch.moc"
