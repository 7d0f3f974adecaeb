// The list view's stream: the transmission window's nine-column block byte for byte, round trips of
// items, groups and columns through the control's stream, the state mask, old record versions, the
// class registry, the stream events, and damaged input (truncated, negative or oversized counts).

#include "FakeListview.h"

#include "listview/LvGroupColumnData.h"
#include "listview/LvStream.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QTest>

using namespace gdvorn::lv;

namespace {

// Bytes laid out by hand from the record tables, independent of the writer under test.
struct Bytes {
    QByteArray data;
    Bytes &i32(std::int32_t v)
    {
        for (int i = 0; i < 4; ++i)
            data.append(char((std::uint32_t(v) >> (8 * i)) & 0xFF));
        return *this;
    }
    Bytes &u8(int v)
    {
        data.append(char(v));
        return *this;
    }
    Bytes &u16(int v) { return u8(v & 0xFF).u8((v >> 8) & 0xFF); }
    Bytes &name(const char *s)
    {
        i32(std::int32_t(qstrlen(s)));
        data.append(s);
        return *this;
    }
    Bytes &wide(const QString &s)
    {
        i32(std::int32_t(s.size()));
        for (QChar c : s)
            u16(c.unicode());
        return *this;
    }
    Bytes &head(int version, int state) { return i32(0x00CEFEFF).i32(version).u16(state); }
};

struct TransmissionColumn {
    int width;
    QString caption;
};

const QList<TransmissionColumn> &TransmissionColumns()
{
    static const QList<TransmissionColumn> columns{
        {36, " "},
        {100, QString::fromUtf8("Nº CREA")},
        {130, QString::fromUtf8("CNPJ/CEI do 1º Estabelecimento")},
        {50, "Prefixo"},
        {70, QString::fromUtf8("Nº Sequencial do Arquivo")},
        {70, "Estabelecimentos"},
        {70, QString::fromUtf8("Vínculos")},
        {18, " "},
        {400, QString::fromUtf8("Razão Social")},
    };
    return columns;
}

// The column record of the given version with the defaults of a new column.
Bytes &ColumnRecord(Bytes &b, int version, int position, int width, const QString &caption, int reserved = 0)
{
    b.head(version, 0x0880).u8(0).u8(1);
    if (version > 1)
        b.u8(1);
    b.u8(0).u8(1).i32(position).u8(0).u8(reserved).u8(1).i32(width);
    if (version > 5)
        b.i32(0x1FFFFFFF).u8(0).u8(1).u8(0).u8(0).u8(0);
    return b.i32(1).wide(caption).i32(0).i32(0).i32(0);
}

QByteArray TransmissionBlock()
{
    Bytes b;
    b.i32(6).i32(9);
    for (int i = 0; i < 9; ++i) {
        b.name("TLvColumnStored");
        ColumnRecord(b, 6, i, TransmissionColumns()[i].width, TransmissionColumns()[i].caption);
    }
    return b.data;
}

// The stored data of an item record of the given version, with captions.
Bytes &ItemStoredData(Bytes &b, int version, const QStringList &captions)
{
    b.i32(int(captions.size()));
    for (const QString &c : captions)
        b.wide(c);
    b.i32(0).i32(0).i32(0).i32(0);
    if (version > 2)
        b.i32(0);
    return b;
}

QByteArray Write(const std::function<void(LvStream &)> &write)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    LvStream s(buffer);
    write(s);
    return buffer.data();
}

// Reads `bytes` with `read`; returns the bytes left unread.
qint64 Read(const QByteArray &bytes, const std::function<void(LvStream &)> &read)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    LvStream s(buffer);
    read(s);
    return buffer.bytesAvailable();
}

void AddTransmissionColumns(FakeListview &lv)
{
    lv.SetView(TLvListStyle::elsReport);
    lv.Header().SetVisible(true);
    for (const TransmissionColumn &c : TransmissionColumns()) {
        TLvColumn *column = lv.Header().Columns().Add();
        column->SetWidth(c.width);
        column->SetCaption(c.caption);
    }
}

// One item per state, in a second group; groups carry captions.
void Fill(FakeListview &lv)
{
    lv.Selection().SetMultiSelect(true);
    TLvGroup *first = lv.Groups().Add();
    first->SetCaption("Primeiro");
    TLvGroup *second = lv.Groups().Add();
    second->SetCaption(QString::fromUtf8("Łódź €"));
    second->SetBold(true);
    for (int i = 0; i < 3; ++i)
        first->Items().Add()->SetCaptions(i, QStringLiteral("a%1").arg(i));
    TLvItem *item = second->Items().Add();
    item->SetCaption(QString::fromUtf8("Vínculo ☺"));
    item->SetImageIndexes(2, 7);
    item->SetStateImageIndexes(1, 3);
    item->SetGroupKey(0, 42);
    item->SetDetails(1, 9);
}

} // namespace

class tst_LvStream : public QObject {
    Q_OBJECT

private slots:
    // The transmission window's columns: 886 bytes, as the tables lay them out, read back exactly.
    void transmissionColumnBlock()
    {
        const QByteArray golden = TransmissionBlock();
        QCOMPARE(golden.size(), 886);

        FakeListview lv;
        AddTransmissionColumns(lv);
        QCOMPARE(Write([&](LvStream &s) { WriteItems(lv.Header().Columns(), s); }), golden);

        FakeListview back;
        back.SetView(TLvListStyle::elsReport);
        back.Header().Columns().Add()->SetCaption("antiga");
        QCOMPARE(Read(golden, [&](LvStream &s) { ReadItems(back.Header().Columns(), s); }), qint64(0));
        TLvColumns &columns = back.Header().Columns();
        QCOMPARE(columns.Count(), 9);
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(QByteArray(columns[i]->ClassName()), QByteArray("TLvColumnStored"));
            QCOMPARE(columns[i]->Caption(), TransmissionColumns()[i].caption);
            QCOMPARE(columns[i]->Width(), TransmissionColumns()[i].width);
            QCOMPARE(columns[i]->Position(), i);
            QCOMPARE(columns[i]->State(), std::uint16_t(0x0880));
            QVERIFY(columns[i]->AutoSortOnClick());
            QVERIFY(columns[i]->DropDownButton().Enabled());
        }
    }

    void controlRoundTrip()
    {
        FakeListview lv;
        AddTransmissionColumns(lv);
        Fill(lv);
        TLvGroup *second = lv.Groups()[1];
        second->Items()[0]->SetChecked(true);
        lv.Groups()[0]->Items()[0]->SetSelected(true);
        lv.Groups()[0]->Items()[1]->SetVisible(false);
        lv.Groups()[0]->Items()[2]->SetEnabled(false);
        lv.Header().Columns()[8]->SetPosition(0);
        lv.Header().Columns()[2]->SetAlignment(TAlignment::taCenter);
        lv.Header().Columns()[3]->SetBkGndColor(LvColor(0x123456));
        lv.Header().Columns()[4]->DropDownButton().SetVisible(true);
        lv.Header().Columns()[5]->SetSortDirection(TLvSortDirection::esdDescending);
        const QByteArray bytes = Write([&](LvStream &s) { lv.SaveToStream(s); });
        QCOMPARE(bytes.left(5), Bytes().i32(6).u8(int(TLvListStyle::elsReport)).data);

        FakeListview back;
        back.Selection().SetMultiSelect(true);
        back.Items().Add()->SetCaption("descartado");
        int endUpdates = 0;
        back.OnEndUpdate = [&] { ++endUpdates; };
        QCOMPARE(Read(bytes, [&](LvStream &s) { back.LoadFromStream(s); }), qint64(0));
        QCOMPARE(endUpdates, 1);
        QCOMPARE(back.View(), TLvListStyle::elsReport);
        QCOMPARE(back.Groups().Count(), 2);
        for (int g = 0; g < 2; ++g) {
            TLvGroup *a = lv.Groups()[g], *b = back.Groups()[g];
            QCOMPARE(QByteArray(b->ClassName()), QByteArray(a->ClassName()));
            QCOMPARE(b->Caption(), a->Caption());
            QCOMPARE(b->State() & 0x2C81, a->State() & 0x2C81);
            QCOMPARE(b->Items().Count(), a->Items().Count());
            for (int i = 0; i < a->Items().Count(); ++i) {
                TLvItem *x = a->Items()[i], *y = b->Items()[i];
                QCOMPARE(QByteArray(y->ClassName()), QByteArray(x->ClassName()));
                QCOMPARE(y->State() & 0x2C81, x->State() & 0x2C81);
                for (int c = 0; c < 3; ++c) {
                    QCOMPARE(y->Captions(c), x->Captions(c));
                    QCOMPARE(y->ImageIndexes(c), x->ImageIndexes(c));
                    QCOMPARE(y->StateImageIndexes(c), x->StateImageIndexes(c));
                    QCOMPARE(y->GroupKey(c), x->GroupKey(c));
                    QCOMPARE(y->Details(c), x->Details(c));
                }
            }
        }
        TLvItem *checked = back.Groups()[1]->Items()[0];
        QVERIFY(checked->Checked());
        QCOMPARE(checked->Caption(), QString::fromUtf8("Vínculo ☺"));
        QVERIFY(back.Groups()[0]->Items()[0]->Selected());
        QVERIFY(!back.Groups()[0]->Items()[1]->Visible());
        QVERIFY(!back.Groups()[0]->Items()[2]->Enabled());
        QVERIFY(back.Groups()[1]->Bold());
        QCOMPARE(back.Header().Columns().Count(), 9);
        for (int i = 0; i < 9; ++i) {
            TLvColumn *x = lv.Header().Columns()[i], *y = back.Header().Columns()[i];
            QCOMPARE(y->Position(), x->Position());
            QCOMPARE(y->Width(), x->Width());
            QCOMPARE(y->Caption(), x->Caption());
            QCOMPARE(y->Alignment(), x->Alignment());
            QCOMPARE(y->BkGndColor(), x->BkGndColor());
            QCOMPARE(y->SortDirection(), x->SortDirection());
            QCOMPARE(y->DropDownButton().Visible(), x->DropDownButton().Visible());
        }
        QCOMPARE(back.Header().Positions().front()->Caption(), QString::fromUtf8("Razão Social"));
        // What was read writes the same bytes again.
        QCOMPARE(Write([&](LvStream &s) { back.SaveToStream(s); }), bytes);
    }

    // Transient bits never reach the record.
    void stateMask_data()
    {
        QTest::addColumn<QString>("flags");
        QTest::addColumn<int>("word");
        QTest::newRow("new") << "" << 0x0880;
        QTest::newRow("checked bold") << "checked bold" << 0x2881;
        QTest::newRow("focused selected") << "focused selected" << 0x0C80;
        QTest::newRow("hot cut ghosted pressed") << "hot cut ghosted pressed" << 0x0880;
        QTest::newRow("hidden disabled") << "hidden disabled" << 0x0000;
    }
    void stateMask()
    {
        QFETCH(QString, flags);
        QFETCH(int, word);
        FakeListview lv;
        TLvItem *item = lv.Items().Add();
        if (flags.contains("checked"))
            item->SetChecked(true);
        if (flags.contains("bold"))
            item->SetBold(true);
        if (flags.contains("focused"))
            item->SetFocused(true);
        if (flags.contains("selected"))
            item->SetSelected(true);
        if (flags.contains("hot"))
            item->SetHotTracking(true);
        if (flags.contains("cut"))
            item->SetCut(true);
        if (flags.contains("ghosted"))
            item->SetGhosted(true);
        if (flags.contains("pressed"))
            item->SetPressed(true);
        if (flags.contains("hidden"))
            item->SetVisible(false);
        if (flags.contains("disabled"))
            item->SetEnabled(false);
        const QByteArray bytes = Write([&](LvStream &s) { item->SaveToStream(s, 2); });
        QCOMPARE(bytes.left(10), Bytes().head(6, word).data);
    }

    // Old records: without the marker (version 2, no state image list), of version 1 and 5 for columns.
    void oldRecords()
    {
        FakeListview lv;
        TLvGroup *group = lv.Groups().Add();
        Bytes items;
        items.i32(4).i32(2);
        items.u16(0x0C81);
        ItemStoredData(items, 2, {"sem marca"});
        items.head(3, 0x0880);
        ItemStoredData(items, 3, {"marca"});
        QCOMPARE(Read(items.data, [&](LvStream &s) { ReadItems(group->Items(), s); }), qint64(0));
        QCOMPARE(group->Items().Count(), 2);
        QCOMPARE(group->Items()[0]->Caption(), QString("sem marca"));
        QVERIFY(group->Items()[0]->Checked());
        QVERIFY(group->Items()[0]->Selected());
        QCOMPARE(group->Items()[1]->Caption(), QString("marca"));

        Bytes columns;
        columns.i32(6).i32(2).name("TLvColumnStored");
        ColumnRecord(columns, 1, 0, 77, "v1");
        columns.name("TLvColumnStored");
        ColumnRecord(columns, 5, 1, 88, "v5");
        TLvColumns &c = lv.Header().Columns();
        QCOMPARE(Read(columns.data, [&](LvStream &s) { ReadItems(c, s); }), qint64(0));
        QCOMPARE(c.Count(), 2);
        QCOMPARE(c[0]->Width(), 77);
        QCOMPARE(c[0]->Caption(), QString("v1"));
        QVERIFY(c[0]->AutoSortOnClick());
        QCOMPARE(c[1]->Width(), 88);
        QCOMPARE(c[1]->Caption(), QString("v5"));
        QVERIFY(c[1]->BkGndColor().IsNone());
    }

    // The reserved byte is kept and written back as read.
    void reservedByteKept()
    {
        Bytes b;
        b.i32(6).i32(1).name("TLvColumnStored");
        ColumnRecord(b, 6, 0, 40, "x", 0xA5);
        FakeListview lv;
        Read(b.data, [&](LvStream &s) { ReadItems(lv.Header().Columns(), s); });
        QCOMPARE(Write([&](LvStream &s) { WriteItems(lv.Header().Columns(), s); }), b.data);
    }

    // The handlers' bytes lie after the class's own part and before the stored data.
    void streamEvents()
    {
        FakeListview lv;
        QList<int> versions;
        lv.OnItemSaveToStream = [&](TLvItem *, LvStream &s, int version) {
            versions << version;
            s.WriteInteger(0x11223344);
        };
        lv.OnGroupSaveToStream = [&](TLvGroup *, LvStream &s, int) { s.WriteByte(0x55); };
        lv.OnColumnSaveToStream = [&](TLvColumn *, LvStream &s, int) { s.WriteWord(0x6677); };
        lv.Items().Add()->SetCaption("item");
        lv.Header().Columns().Add()->SetCaption("col");
        const QByteArray bytes = Write([&](LvStream &s) { lv.SaveToStream(s); });
        QCOMPARE(versions, QList<int>{6});
        const qsizetype item = bytes.indexOf(QByteArray("TLvItemStored")) + 13 + 10;
        QCOMPARE(bytes.mid(item, 4), Bytes().i32(0x11223344).data);
        QCOMPARE(bytes.mid(item + 4, 4), Bytes().i32(1).data); // the captions' count follows

        FakeListview back;
        QList<int> read;
        back.OnItemLoadFromStream = [&](TLvItem *, LvStream &s, int version) {
            read << version << s.ReadInteger();
        };
        back.OnGroupLoadFromStream = [&](TLvGroup *, LvStream &s, int) { read << s.ReadByte(); };
        back.OnColumnLoadFromStream = [&](TLvColumn *, LvStream &s, int) { read << s.ReadWord(); };
        QCOMPARE(Read(bytes, [&](LvStream &s) { back.LoadFromStream(s); }), qint64(0));
        QCOMPARE(read, (QList<int>{6, 0x11223344, 0x55, 0x6677}));
        QCOMPARE(back.Items()[0]->Caption(), QString("item"));
        QCOMPARE(back.Header().Columns()[0]->Caption(), QString("col"));
    }

    void registry()
    {
        const QList<QByteArray> names = LvStreamClassNames();
        const QList<QByteArray> component{"TLvGroup", "TLvGroupVirtual", "TLvGroupInterfaced", "TLvGroupStored",
                                          "TLvGroupTaskPanel", "TLvItem", "TLvItemVirtual", "TLvItemInterfaced",
                                          "TLvItemStored", "TLvColumn", "TLvColumnVirtual", "TLvColumnInterfaced",
                                          "TLvColumnStored"};
        QCOMPARE(names.mid(0, component.size()), component);
        QVERIFY(FindLvStreamClass("TLvItemStored"));
        QVERIFY(!FindLvStreamClass("TLvItemStoredX"));

        // The base classes' objects read back under their own names, with no data.
        FakeListview lv;
        lv.Items().Add();
        Bytes b;
        b.i32(6).i32(1).name("TLvItem").head(6, 0x0881);
        Read(b.data, [&](LvStream &s) { ReadItems(lv.Groups()[0]->Items(), s); });
        QCOMPARE(QByteArray(lv.Items()[0]->ClassName()), QByteArray("TLvItem"));
        QVERIFY(lv.Items()[0]->Checked());
        QCOMPARE(lv.Items()[0]->Caption(), QString());
        // The last class read stays the collection's class for Add.
        QCOMPARE(QByteArray(lv.Groups()[0]->Items().Add()->ClassName()), QByteArray("TLvItem"));
    }

    // A task-panel group writes its height after its stored data and reads it back.
    void taskPanelHeight()
    {
        FakeListview lv;
        lv.Groups().SetItemClass([](TLvGroups *groups) { return new TLvGroupTaskPanel(groups); });
        auto *panel = static_cast<TLvGroupTaskPanel *>(lv.Groups().Add());
        panel->SetCaption(QStringLiteral("Painel"));
        panel->SetHeight(350);
        const QByteArray bytes = Write([&](LvStream &s) { WriteItems(lv.Groups(), s); });
        QCOMPARE(bytes.right(4), QByteArray::fromHex("5e010000"));
        FakeListview other;
        QCOMPARE(Read(bytes, [&](LvStream &s) { ReadItems(other.Groups(), s); }), qint64(0));
        auto *read = dynamic_cast<TLvGroupTaskPanel *>(other.Groups()[0]);
        QVERIFY(read);
        QCOMPARE(read->Height(), 350);
        QCOMPARE(read->Caption(), QStringLiteral("Painel"));
    }

    void customClass()
    {
        class MyItem : public TLvItemStored {
        public:
            using TLvItemStored::TLvItemStored;
            const char *ClassName() const override { return "TMyLvItem"; }
        };
        FakeListview lv;
        TLvGroup *group = lv.Groups().Add();
        group->Items().SetItemClass([](TLvItems *c) { return new MyItem(c); });
        group->Items().Add()->SetCaption("a");
        group->Items().Add()->SetCaption("b");
        const QByteArray bytes = Write([&](LvStream &s) { WriteItems(group->Items(), s); });

        FakeListview back;
        TLvGroup *into = back.Groups().Add();
        // Not registered: the read stops with the registration message; nothing of the unknown class is made.
        try {
            Read(bytes, [&](LvStream &s) { ReadItems(into->Items(), s); });
            QFAIL("read an unregistered class");
        } catch (const ELvAssertion &e) {
            QCOMPARE(QString::fromUtf8(e.what()),
                     QString("If using custom item types for Item, Groups or Columns you must register them with the "
                             "streaming system with RegisterClass(TMyLvClassItemType)"));
        }
        QCOMPARE(into->Items().Count(), 0);

        RegisterLvStreamClass<MyItem>("TMyLvItem");
        QCOMPARE(Read(bytes, [&](LvStream &s) { ReadItems(into->Items(), s); }), qint64(0));
        QCOMPARE(into->Items().Count(), 2);
        QCOMPARE(QByteArray(into->Items()[1]->ClassName()), QByteArray("TMyLvItem"));
        QCOMPARE(into->Items()[1]->Caption(), QString("b"));
    }

    // Items read before an unregistered class stay.
    void unregisteredAfterOthers()
    {
        Bytes b;
        b.i32(6).i32(2).name("TLvItemStored").head(6, 0x0880);
        ItemStoredData(b, 6, {"fica"});
        b.name("TNaoRegistrado").head(6, 0x0880);
        FakeListview lv;
        TLvGroup *group = lv.Groups().Add();
        QVERIFY_THROWS_EXCEPTION(ELvAssertion, Read(b.data, [&](LvStream &s) { ReadItems(group->Items(), s); }));
        QCOMPARE(group->Items().Count(), 1);
        QCOMPARE(group->Items()[0]->Caption(), QString("fica"));
    }

    // Damaged input fails with the read error; nothing is made for a count the stream cannot hold, and
    // what was read before stays.
    void damagedInput_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("columnsLeft");
        const QByteArray golden = TransmissionBlock();
        QTest::newRow("empty") << QByteArray() << 0;
        QTest::newRow("version only") << golden.left(4) << 0;
        QTest::newRow("in the first name") << golden.left(12) << 0;
        QTest::newRow("in the first record") << golden.left(70) << 1;
        QTest::newRow("in the second name") << golden.left(100) << 1;
        QTest::newRow("last byte missing") << golden.left(885) << 9;
        QTest::newRow("count too large") << Bytes().i32(6).i32(0x7FFFFFFF).data << 0;
        QTest::newRow("count negative") << Bytes().i32(6).i32(-1).data << 0;
        QTest::newRow("count past the bytes") << golden.left(4) + Bytes().i32(200).data + golden.mid(8) << 0;
        QTest::newRow("name length negative") << Bytes().i32(6).i32(1).i32(-5).data << 0;
        QTest::newRow("name length too large") << Bytes().i32(6).i32(1).i32(1 << 30).data + QByteArray(8, 'x') << 0;
        Bytes captions;
        captions.i32(6).i32(1).name("TLvColumnStored");
        ColumnRecord(captions, 6, 0, 10, "x");
        QByteArray hugeCount = captions.data;
        hugeCount.replace(hugeCount.size() - 12 - 2 - 4 - 4, 4, Bytes().i32(0x40000000).data);
        QTest::newRow("caption count too large") << hugeCount << 1;
        QByteArray hugeText = captions.data;
        hugeText.replace(hugeText.size() - 12 - 2 - 4, 4, Bytes().i32(0x7FFFFFFF).data);
        QTest::newRow("caption length too large") << hugeText << 1;
        QByteArray negativeText = captions.data;
        negativeText.replace(negativeText.size() - 12 - 2 - 4, 4, Bytes().i32(-2).data);
        QTest::newRow("caption length negative") << negativeText << 1;
        QTest::newRow("column named as an item")
            << Bytes().i32(6).i32(1).name("TLvItemStored").head(6, 0x0880).data << 0;
    }
    void damagedInput()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(int, columnsLeft);
        FakeListview lv;
        lv.Header().Columns().Add()->SetCaption("antiga");
        QVERIFY_THROWS_EXCEPTION(EReadError, Read(bytes, [&](LvStream &s) { ReadItems(lv.Header().Columns(), s); }));
        QCOMPARE(lv.Header().Columns().Count(), columnsLeft);
    }

    // A version of 0 or below reads nothing more and leaves the list as it was, laid out again.
    void controlVersion_data()
    {
        QTest::addColumn<int>("version");
        QTest::newRow("0") << 0;
        QTest::newRow("-1") << -1;
    }
    void controlVersion()
    {
        QFETCH(int, version);
        FakeListview lv;
        lv.Items().Add()->SetCaption("fica");
        int endUpdates = 0;
        lv.OnEndUpdate = [&] { ++endUpdates; };
        const QByteArray bytes = Bytes().i32(version).u8(3).i32(6).i32(0).data;
        QCOMPARE(Read(bytes, [&](LvStream &s) { lv.LoadFromStream(s); }), qint64(bytes.size() - 4));
        QCOMPARE(lv.Items().Count(), 1);
        QCOMPARE(lv.View(), TLvListStyle::elsIcon);
        QCOMPARE(endUpdates, 1);
    }

    // A failing read still closes the update bracket; an unknown view byte is damage.
    void controlReadFailure()
    {
        FakeListview lv;
        lv.Items().Add();
        QVERIFY_THROWS_EXCEPTION(EReadError,
                                 Read(Bytes().i32(6).u8(99).data, [&](LvStream &s) { lv.LoadFromStream(s); }));
        QCOMPARE(lv.UpdateCount(), 0);
        QVERIFY_THROWS_EXCEPTION(EReadError, Read(Bytes().i32(6).u8(3).i32(6).data,
                                                  [&](LvStream &s) { lv.LoadFromStream(s); }));
        QCOMPARE(lv.UpdateCount(), 0);
        QCOMPARE(lv.View(), TLvListStyle::elsReport);
    }

    // Switched off, the groups or the columns take no part in the control's stream.
    void streamFlags()
    {
        FakeListview lv;
        lv.Items().Add();
        lv.Header().Columns().Add();
        lv.Groups().SetStreamGroups(false);
        const QByteArray noGroups = Write([&](LvStream &s) { lv.SaveToStream(s); });
        lv.Groups().SetStreamGroups(true);
        lv.Header().SetStreamColumns(false);
        const QByteArray noColumns = Write([&](LvStream &s) { lv.SaveToStream(s); });
        QVERIFY(!noGroups.contains("TLvItemStored"));
        QVERIFY(noGroups.contains("TLvColumnStored"));
        QVERIFY(noColumns.contains("TLvItemStored"));
        QVERIFY(!noColumns.contains("TLvColumnStored"));
    }

    void writeFailure()
    {
        QBuffer buffer;
        buffer.open(QIODevice::ReadOnly);
        LvStream s(buffer);
        QTest::ignoreMessage(QtWarningMsg, QRegularExpression("ReadOnly device"));
        QVERIFY_THROWS_EXCEPTION(EWriteError, s.WriteInteger(1));
    }
};

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    tst_LvStream t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_LvStream.moc"
