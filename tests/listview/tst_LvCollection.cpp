// Items, groups and the flat list: the flag rule with its events, the flat list's walk and errors, the
// group rules, update brackets and structure events, and a Clear while a mouse button is held.

#include "FakeListview.h"

#include <QGuiApplication>
#include <QTest>

using namespace gdvorn::lv;

namespace {

// Records every item event as a short name, in order.
struct Recorder {
    QStringList log;
    bool refuse = false;

    void attach(ListviewCore &lv)
    {
        lv.OnItemCheckChanging = [this](TLvItem *, bool &allow) { log << "CheckChanging"; allow = !refuse; };
        lv.OnItemCheckChange = [this](TLvItem *) { log << "CheckChange"; };
        lv.OnItemSelectionChanging = [this](TLvItem *, bool &allow) { log << "SelChanging"; allow = !refuse; };
        lv.OnItemSelectionChanged = [this](TLvItem *) { log << "SelChanged"; };
        lv.OnItemSelectionsChanged = [this] { log << "SelsChanged"; };
        lv.OnItemFocusChanging = [this](TLvItem *, bool &allow) { log << "FocChanging"; allow = !refuse; };
        lv.OnItemFocusChanged = [this](TLvItem *) { log << "FocChanged"; };
        lv.OnItemEnableChanging = [this](TLvItem *, bool &allow) { log << "EnChanging"; allow = !refuse; };
        lv.OnItemEnableChange = [this](TLvItem *) { log << "EnChange"; };
        lv.OnItemVisibilityChanging = [this](TLvItem *, bool &allow) { log << "VisChanging"; allow = !refuse; };
        lv.OnItemVisibilityChanged = [this](TLvItem *) { log << "VisChanged"; };
        lv.OnItemFreeing = [this](TLvItem *) { log << "Freeing"; };
    }
};

void Report(FakeListview &lv, int columns = 3)
{
    lv.SetView(TLvListStyle::elsReport);
    lv.Header().SetVisible(true);
    for (int i = 0; i < columns; ++i)
        lv.Header().Columns().Add()->SetWidth(100);
}

} // namespace

class tst_LvCollection : public QObject {
    Q_OBJECT

private slots:
    // The group and item walks: hidden items, collapsed and disabled groups, initialized and editable
    // items, walks within one group, and groups by index and by visible place.
    void navigation()
    {
        FakeListview lv;
        TLvGroups &groups = lv.Groups();
        TLvGroup *g0 = groups.Add(), *g1 = groups.Add(), *g2 = groups.Add();
        TLvItem *a0 = g0->Items().Add(), *a1 = g0->Items().Add(), *b0 = g1->Items().Add();
        TLvItem *c0 = g2->Items().Add(), *c1 = g2->Items().Add();
        a1->SetVisible(false);
        g1->SetExpanded(false);
        c0->SetInitialized(true);

        QCOMPARE(groups.FirstItem(), a0);
        QCOMPARE(groups.LastItem(), c1);
        QCOMPARE(groups.NextItem(a0), a1);
        QCOMPARE(groups.NextItem(a1), c0); // the collapsed group is passed by
        QCOMPARE(groups.PrevItem(c0), a1);
        QCOMPARE(groups.NextVisibleItem(a0), c0);
        QCOMPARE(groups.PrevVisibleItem(c0), a0);
        QCOMPARE(groups.PrevVisibleItem(a0), nullptr);
        QCOMPARE(groups.NextVisibleItem(c1), nullptr);
        QCOMPARE(groups.FirstInitializedItem(), c0);
        QCOMPARE(groups.LastInitializedItem(), c0);
        QCOMPARE(groups.NextInitializedItem(a0), c0);
        QCOMPARE(groups.PrevInitializedItem(c0), nullptr);
        QCOMPARE(groups.NextItemInGroup(a0, false), a1);
        QCOMPARE(groups.NextItemInGroup(a0, true), nullptr);
        QCOMPARE(groups.PrevItemInGroup(c1, false), c0);
        QCOMPARE(groups.NextItemInGroup(b0, false), nullptr);

        QStringList asked;
        lv.OnItemEditBegin = [&](TLvItem *item, int &column, bool &allow) {
            asked << QString("%1 %2 %3").arg(item == c0 ? "c0" : item == c1 ? "c1" : "?").arg(column).arg(allow);
            allow = item != c0;
        };
        QCOMPARE(groups.NextEditableItem(a0), c1);
        QCOMPARE(asked, (QStringList{"c0 0 1", "c1 0 1"}));
        asked.clear();
        QCOMPARE(groups.PrevEditableItem(c1, 2), a0);
        QCOMPARE(asked, (QStringList{"c0 2 1", "? 2 1"}));

        QCOMPARE(groups.NextGroup(g0), g1);
        QCOMPARE(groups.NextGroup(g0, true), g2);
        QCOMPARE(groups.PrevGroup(g2, true), g0);
        QCOMPARE(groups.PrevGroup(g0), nullptr);
        QCOMPARE(groups.VisibleGroup(1), g1);
        QCOMPARE(groups.VisibleGroup(3), nullptr);
        QCOMPARE(groups.VisibleGroup(-1), nullptr);
        g1->SetVisible(false);
        QCOMPARE(groups.VisibleGroup(1), g2);
        g0->SetVisible(false);
        QCOMPARE(groups.FirstVisibleGroup(), g2);
        QCOMPARE(groups.LastVisibleGroup(), g2);
        g0->SetVisible(true); // shows a1 again

        g2->SetEnabled(false); // a disabled group is passed by as well
        QCOMPARE(groups.NextVisibleItem(a0), a1);
        QCOMPARE(groups.NextItem(a1), nullptr);
        QCOMPARE(groups.NextVisibleItem(a1), nullptr);
    }

    void newItemState()
    {
        FakeListview lv;
        TLvItem *item = lv.Items().Add();
        QCOMPARE(item->State(), std::uint16_t(0x0880));
        QCOMPARE(item->ImageIndexes(5), -1);
        QCOMPARE(item->GroupKey(0), std::uint32_t(65535));
        item->SetCaptions(8, "oito");
        QCOMPARE(item->Captions(3), QString());
        QCOMPARE(item->Captions(9), QString());
        QCOMPARE(item->Captions(8), QString("oito"));
    }

    // An object is initialized once, and its event already sees the flag on (a layout the handler starts
    // does not initialize it again).
    void initializeOnce()
    {
        FakeListview lv;
        TLvItem *item = lv.Items().Add();
        TLvGroup *group = lv.Groups()[0];
        TLvColumn *column = lv.Header().Columns().Add();
        QStringList log;
        lv.OnItemInitialize = [&](TLvItem *i) { log << QString("item %1").arg(i->Initialized()); };
        lv.OnGroupInitialize = [&](TLvGroup *g) { log << QString("group %1").arg(g->Initialized()); };
        lv.OnColumnInitialize = [&](TLvColumn *c) { log << QString("column %1").arg(c->Initialized()); };
        for (TLvCollectionItem *object : std::initializer_list<TLvCollectionItem *>{item, group, column}) {
            object->SetInitialized(true);
            object->SetInitialized(true);
        }
        QCOMPARE(log, (QStringList{"item 1", "group 1", "column 1"}));
        item->SetInitialized(false); // clearing only clears
        QVERIFY(!item->Initialized());
        QCOMPARE(log.size(), 3);
    }

    void flagRule_data()
    {
        QTest::addColumn<QString>("flag");
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("value");
        QTest::addColumn<bool>("refuse");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<bool>("after");

        QTest::newRow("check") << "Checked" << "" << true << false << QStringList{"CheckChanging", "CheckChange"} << true;
        QTest::newRow("check unchanged") << "Checked" << "checked" << true << false << QStringList{} << true;
        QTest::newRow("check refused") << "Checked" << "" << true << true << QStringList{"CheckChanging"} << false;
        QTest::newRow("check disabled") << "Checked" << "disabled" << true << false << QStringList{} << false;
        QTest::newRow("select")
            << "Selected" << "" << true << false << QStringList{"SelChanging", "SelsChanged", "SelChanged"} << true;
        QTest::newRow("select hidden") << "Selected" << "hidden" << true << false << QStringList{} << false;
        QTest::newRow("select disabled") << "Selected" << "disabled" << true << false << QStringList{} << false;
        QTest::newRow("hide checked")
            << "Visible" << "checked" << false << false
            << QStringList{"VisChanging", "CheckChanging", "CheckChange", "VisChanged"} << false;
        QTest::newRow("hide checked, hidden checked allowed")
            << "Visible" << "checked keepcheck" << false << false << QStringList{"VisChanging", "VisChanged"} << false;
        QTest::newRow("hide refused") << "Visible" << "" << false << true << QStringList{"VisChanging"} << true;
        QTest::newRow("disable focused selected")
            << "Enabled" << "focused selected" << false << false
            << QStringList{"EnChanging", "FocChanging", "FocChanged", "SelChanging", "SelsChanged", "SelChanged",
                           "EnChange"}
            << false;
    }

    void flagRule()
    {
        QFETCH(QString, flag);
        QFETCH(QString, setup);
        QFETCH(bool, value);
        QFETCH(bool, refuse);
        QFETCH(QStringList, events);
        QFETCH(bool, after);

        FakeListview lv;
        lv.Selection().SetMultiSelect(true);
        TLvItem *item = lv.Items().Add();
        if (setup.contains("checked"))
            item->SetChecked(true);
        if (setup.contains("focused"))
            item->SetFocused(true);
        if (setup.contains("selected"))
            item->SetSelected(true);
        if (setup.contains("hidden"))
            item->SetVisible(false);
        if (setup.contains("disabled"))
            item->SetEnabled(false);
        lv.SetAllowHiddenCheckedItems(setup.contains("keepcheck"));
        Recorder rec;
        rec.refuse = refuse;
        rec.attach(lv);

        bool result = false;
        if (flag == "Checked") {
            item->SetChecked(value);
            result = item->Checked();
        } else if (flag == "Selected") {
            item->SetSelected(value);
            result = item->Selected();
        } else if (flag == "Visible") {
            item->SetVisible(value);
            result = item->Visible();
            if (!value && !refuse)
                QCOMPARE(item->Checked(), setup.contains("keepcheck"));
        } else if (flag == "Enabled") {
            item->SetEnabled(value);
            result = item->Enabled();
            QVERIFY(!item->Focused());
            QVERIFY(!item->Selected());
        }
        QCOMPARE(rec.log, events);
        QCOMPARE(result, after);
    }

    // An object being destroyed clears without asking, and takes a request to set a clear flag as nothing
    // at all (announcing it would count a check out that was never in).
    void destroyingOnlyClears()
    {
        FakeListview lv;
        lv.SetAllowHiddenCheckedItems(true); // the check survives the hiding that destruction does
        lv.Items().Add()->SetChecked(true);
        lv.Items().Add();
        QCOMPARE(lv.CheckManager().CheckedCount(), 1);
        QStringList log;
        lv.OnItemCheckChanging = [&](TLvItem *, bool &) { log << "changing"; };
        lv.OnItemCheckChange = [&](TLvItem *item) { log << QString("change %1").arg(item->Checked()); };
        lv.OnItemFreeing = [&](TLvItem *item) {
            log << "freeing";
            item->SetChecked(!item->Checked());
        };
        lv.Items().Clear();
        QCOMPARE(log, (QStringList{"freeing", "freeing", "change 0"}));
        QCOMPARE(lv.CheckManager().CheckedCount(), 0);
    }

    void selectionAndCheckHandlersSettle()
    {
        // The transmission window keeps check and selection equal with two handlers that call each other.
        FakeListview lv;
        lv.Selection().SetMultiSelect(true);
        int selChanged = 0, checkChanged = 0;
        lv.OnItemSelectionChanged = [&](TLvItem *item) {
            ++selChanged;
            item->SetChecked(item->Selected());
        };
        lv.OnItemCheckChange = [&](TLvItem *item) {
            ++checkChanged;
            item->SetSelected(item->Checked());
        };
        TLvItem *item = lv.Items().Add();
        item->SetSelected(true);
        QVERIFY(item->Checked());
        item->SetChecked(false);
        QVERIFY(!item->Selected());
        QCOMPARE(selChanged, 2);
        QCOMPARE(checkChanged, 2);
    }

    void clearAsksNothingAndFreesAll()
    {
        FakeListview lv;
        lv.Selection().SetMultiSelect(true);
        for (int i = 0; i < 3; ++i)
            lv.Items().Add();
        lv.Items()[1]->SetFocused(true);
        lv.Items()[1]->SetSelected(true); // the others stay unselected: no off-notification for them
        Recorder rec;
        rec.attach(lv);
        int endUpdates = 0;
        lv.OnEndUpdate = [&] { ++endUpdates; };
        lv.Items().Clear();
        QCOMPARE(rec.log.count("Freeing"), 3);
        QVERIFY(!rec.log.join(',').contains("Changing"));
        QCOMPARE(rec.log.count("SelsChanged"), 1);
        QCOMPARE(rec.log.count("SelChanged"), 1);
        QCOMPARE(lv.Selection().Count(), 0);
        QCOMPARE(lv.Selection().FocusedItem(), nullptr);
        QCOMPARE(lv.Items().Count(), 0);
        QCOMPARE(lv.Groups().Count(), 0);
        QCOMPARE(endUpdates, 1);
    }

    void flatList()
    {
        FakeListview lv;
        TLvItem *first = lv.Items().Add();
        QCOMPARE(lv.Groups().Count(), 1);
        QCOMPARE(lv.Groups()[0]->Caption(), QString("Default Group"));
        lv.Items().Add();
        QCOMPARE(lv.Groups().Count(), 1);
        QCOMPARE(lv.Items()[0], first);

        TLvGroup *b = lv.Groups().Add();
        for (int i = 0; i < 3; ++i)
            lv.Items().Add(); // into the last group
        QCOMPARE(b->Items().Count(), 3);
        QCOMPARE(lv.Items()[2], b->Items()[0]);
        b->SetExpanded(false);
        b->Items()[1]->SetVisible(false);
        QCOMPARE(lv.Items().Count(), 5); // hidden and collapsed count

        try {
            lv.Items()[5];
            QFAIL("no error");
        } catch (const EListError &e) {
            QCOMPARE(QString(e.what()), QString("List index out of bounds (5)"));
        }
        lv.Items().Clear();
        QVERIFY_THROWS_EXCEPTION(EListError, lv.Items()[-1]);
        try {
            lv.Items()[-1];
        } catch (const EListError &e) {
            QCOMPARE(QString(e.what()), QString("List index out of bounds (-1)"));
        }
        lv.Items().Add();
        QCOMPARE(lv.Groups()[0]->Caption(), QString("Default Group"));
    }

    void visibleNavigation()
    {
        FakeListview lv;
        for (int i = 0; i < 3; ++i)
            lv.Items().Add();
        TLvItems &items = lv.Groups()[0]->Items();
        QCOMPARE(items.NextVisible(items[2]), nullptr);
        QCOMPARE(items.PrevVisible(items[0]), nullptr);
        items[1]->SetVisible(false);
        QCOMPARE(items.NextVisible(items[0]), items[2]);
    }

    void groupRules()
    {
        FakeListview lv;
        TLvGroup *group = lv.Groups().Add();
        QVERIFY(group->Checked()); // new groups are checked
        for (int i = 0; i < 3; ++i)
            group->Items().Add();
        group->SetChecked(false);
        group->Items()[1]->SetVisible(false);
        group->SetChecked(true);
        QVERIFY(group->Items()[0]->Checked());
        QVERIFY(!group->Items()[1]->Checked()); // only visible items
        group->SetChecked(false);
        QVERIFY(!group->Items()[0]->Checked());

        group->SetFocused(true);
        QVERIFY(!group->Focused()); // a group never takes the focus

        group->SetChecked(true);
        group->SetVisible(false); // hides and unchecks its items
        QVERIFY(!group->Items()[0]->Visible());
        QVERIFY(!group->Items()[0]->Checked());
        group->Items()[0]->SetVisible(true); // refused while the group is hidden
        QVERIFY(!group->Items()[0]->Visible());

        TLvGroup *disabled = lv.Groups().Add();
        disabled->SetChecked(false);
        disabled->SetEnabled(false);
        disabled->SetChecked(true);
        QVERIFY(!disabled->Checked());

        int expands = 0;
        lv.OnGroupCollapse = [&](TLvGroup *) { ++expands; };
        lv.PaintInfoGroup().SetExpandable(false);
        disabled->SetExpanded(false);
        QVERIFY(disabled->Expanded());
        QCOMPARE(expands, 0);
    }

    void rebuildGating()
    {
        FakeListview lv;
        Report(lv);
        lv.hasWindow = false;
        lv.Items().Add();
        lv.Groups().Rebuild(true);
        QCOMPARE(lv.Items()[0]->DisplayRect(), LvRect()); // no window: nothing laid out, even forced
        lv.hasWindow = true;
        lv.BeginUpdate();
        lv.Groups().Rebuild(false);
        QCOMPARE(lv.Items()[0]->DisplayRect(), LvRect());
        lv.Groups().Rebuild(true);
        QCOMPARE(lv.Items()[0]->DisplayRect(), LvRect(0, 2, 300, 19));
        lv.EndUpdate();
    }

    void structureEventsAtOutermostEndUpdate()
    {
        FakeListview lv;
        QStringList log;
        lv.OnColumnStructureChange = [&] { log << "column"; };
        lv.OnGroupStructureChange = [&] { log << "group"; };
        lv.OnItemStructureChange = [&] { log << "item"; };
        lv.OnEndUpdate = [&] { log << "end"; };
        lv.BeginUpdate();
        lv.BeginUpdate();
        lv.Items().Add();
        lv.Items().Add();
        lv.Header().Columns().Add();
        lv.EndUpdate();
        QVERIFY(log.isEmpty());
        lv.EndUpdate();
        QCOMPARE(log, (QStringList{"column", "group", "item", "end"}));
        log.clear();
        lv.EndUpdate(); // without a BeginUpdate: the count stays 0, the processing still runs
        QCOMPARE(lv.UpdateCount(), 0);
        QCOMPARE(log, QStringList{"end"});
    }

    void destroyedObjectsAreForgotten()
    {
        FakeListview lv;
        Report(lv);
        lv.PaintInfoItem().SetCheckType(TLvCheckType::ectBox);
        TLvItem *item = lv.Items().Add();
        lv.Selection().SetFocusedItem(item);
        lv.Selection().SetAnchorItem(item);
        lv.CheckManager().SetPendingObject(item); // the left button is held on its box
        lv.Include(elvsCheckPending | elvsLButtonDown);
        lv.Items().Clear();
        QCOMPARE(lv.CheckManager().PendingObject(), nullptr);
        QCOMPARE(lv.Selection().FocusedItem(), nullptr);
        QCOMPARE(lv.Selection().AnchorItem(), nullptr);
        QVERIFY(!lv.HasState(elvsCheckPending));
        lv.ClearMouseStates(); // the release touches nothing freed

        // A column freed while its edge is dragged ends the resize.
        TLvHeader &header = lv.Header();
        header.MouseMove({100, 10}, 0);
        QVERIFY(header.MouseState() & ehmResizeArmed);
        header.LeftDown({100, 10}, 0);
        QVERIFY(header.MouseState() & ehmResizing);
        header.Columns().Clear();
        QCOMPARE(header.ResizeColumn(), nullptr);
        header.MouseMove({150, 10}, 0);
        header.LeftUp({150, 10}, 0);
        QVERIFY(header.Positions().empty());
    }

    void virtualItemsAskTheEvents()
    {
        FakeListview lv;
        lv.Items().EnsureGroup();
        lv.Groups()[0]->Items().SetItemClass([](TLvItems *owner) { return new TLvItemVirtual(owner); });
        TLvItem *item = lv.Items().Add();
        QCOMPARE(item->Caption(), QString()); // no handler: the preset values
        QCOMPARE(item->ImageIndex(), -1);
        QCOMPARE(item->DetailCount(), 0);
        QStringList log;
        lv.OnItemGetCaption = [](TLvItem *, int column, QString &caption) { caption = QString("c%1").arg(column); };
        lv.OnItemSetCaption = [&](TLvItem *, int column, const QString &caption) { log << QString("%1=%2").arg(column).arg(caption); };
        lv.OnItemGetImageIndex = [](TLvItem *, int column, TLvImageKind kind, int &index) {
            index = column * 10 + int(kind);
        };
        QCOMPARE(item->Captions(3), QString("c3"));
        item->SetCaptions(2, "x");
        QCOMPARE(log, QStringList{"2=x"});
        QCOMPARE(item->ImageOverlayIndexes(4), 41);
        QCOMPARE(item->StateImageIndexes(4), 42);
        item->SetChecked(true); // the state bit, through the flag rule
        QVERIFY(item->Checked());
    }

    void interfacedItemsAskTheDataObject()
    {
        struct Data : ILvDataObject, ILvDataCaptions, ILvDataChecks {
            bool checked = false;
            QVariant GetCaption(int column) override { return column == 1 ? QVariant(42) : QVariant("zero"); }
            bool GetChecked(int) override { return checked; }
            void SetChecked(int, bool value) override { checked = value; }
        };
        FakeListview lv;
        lv.Items().EnsureGroup();
        lv.Groups()[0]->Items().SetItemClass([](TLvItems *owner) { return new TLvItemInterfaced(owner); });
        TLvItem *bare = lv.Items().Add();
        TLvItem *item = lv.Items().Add();
        auto data = std::make_shared<Data>();
        item->SetDataInf(data);
        int checkEvents = 0;
        lv.OnItemCheckChange = [&](TLvItem *) { ++checkEvents; };
        QCOMPARE(item->Captions(1), QString("42"));
        QCOMPARE(item->Caption(), QString("zero"));
        item->SetChecked(true);
        QVERIFY(data->checked);
        QVERIFY(item->Checked());
        QVERIFY(!(item->State() & cisChecked)); // the check lives in the data object
        QCOMPARE(checkEvents, 0);
        // An object without the interfaces: empty captions, no images, one detail line, no check.
        QCOMPARE(bare->Caption(), QString());
        QCOMPARE(bare->ImageIndex(), -1);
        QCOMPARE(bare->DetailCount(), 1);
        bare->SetChecked(true);
        QVERIFY(!bare->Checked());
    }

    void interfacedDataSinkAttaches()
    {
        struct Data : ILvDataObject, ILvDataChangeSink {
            QStringList log;
            void Attach(TLvCollectionItem *) override { log << "attach"; }
            void Detach(TLvCollectionItem *) override { log << "detach"; }
        };
        auto data = std::make_shared<Data>();
        {
            FakeListview lv;
            lv.Items().Add()->SetDataInf(data);
        }
        QCOMPARE(data->log, (QStringList{"attach", "detach"}));
    }
};

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    tst_LvCollection t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_LvCollection.moc"
