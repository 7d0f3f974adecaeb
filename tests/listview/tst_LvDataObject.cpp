// The data object: query answers by format, aspect and medium kinds, GetData with its hooks, storing
// twice, shared blocks and release owners, the format enumerator, the byte-block helpers, the control's
// manager firing the control's events, and the mime data that carries it all through Qt's drags.

#include "FakeListview.h"
#include "listview/LvDataObject.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QTest>

using namespace gdvorn::lv;

Q_DECLARE_METATYPE(gdvorn::lv::TFormatEtc)

namespace {

std::uint16_t FormatA() { return RegisterLvClipboardFormat("Teste.A"); }
std::uint16_t FormatB() { return RegisterLvClipboardFormat("Teste.B"); }

TStgMedium Block(const QByteArray &bytes)
{
    TStgMedium m;
    m.tymed = TYMED_HGLOBAL;
    m.hGlobal = std::make_shared<QByteArray>(bytes);
    return m;
}

QString Name(TCommonHResult r) { return CommonHResultName(r); }

// Supplies "extra" from the extra-data hook when asked to.
class ExtraObject : public TCommonDataObject {
public:
    bool supply = false;
    bool DoGetExtraData(const TFormatEtc &, TStgMedium &medium) override
    {
        if (supply)
            medium = Block("extra");
        return supply;
    }
};

} // namespace

class tst_LvDataObject : public QObject {
    Q_OBJECT

private slots:
    void registry()
    {
        const std::uint16_t a = RegisterLvClipboardFormat("LvListview.Header");
        QVERIFY(a >= 0xC000);
        QCOMPARE(RegisterLvClipboardFormat("lvlistview.header"), a);
        QCOMPARE(LvClipboardFormatName(a), QString("LvListview.Header"));
        QVERIFY(RegisterLvClipboardFormat("Outro") != a);
        QCOMPARE(RegisterLvClipboardFormat(QString()), std::uint16_t(0));
        QCOMPARE(LvClipboardFormatName(1), QString());
    }

    void queryGetData_data()
    {
        QTest::addColumn<QList<TFormatEtc>>("stored");
        QTest::addColumn<TFormatEtc>("request");
        QTest::addColumn<QString>("answer");
        const TFormatEtc a{FormatA(), DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        auto with = [](TFormatEtc f, std::uint32_t aspect, std::uint32_t tymed) {
            f.dwAspect = aspect;
            f.tymed = tymed;
            return f;
        };
        QTest::newRow("nothing stored") << QList<TFormatEtc>{} << a << "E_UNEXPECTED";
        QTest::newRow("exact") << QList{a} << a << "S_OK";
        QTest::newRow("stream only") << QList{a} << with(a, DVASPECT_CONTENT, TYMED_ISTREAM) << "DV_E_TYMED";
        QTest::newRow("block or stream") << QList{a} << with(a, DVASPECT_CONTENT, TYMED_HGLOBAL | TYMED_ISTREAM)
                                         << "S_OK";
        QTest::newRow("other aspect") << QList{a} << with(a, DVASPECT_ICON, TYMED_HGLOBAL) << "DV_E_DVASPECT";
        QTest::newRow("other format") << QList{a} << TFormatEtc{FormatB(), DVASPECT_CONTENT, -1, TYMED_HGLOBAL}
                                      << "DV_E_FORMATETC";
        QTest::newRow("index not compared") << QList{a} << TFormatEtc{FormatA(), DVASPECT_CONTENT, 3, TYMED_HGLOBAL}
                                            << "S_OK";
        QTest::newRow("wrong aspect hides a fit")
            << QList{with(a, DVASPECT_ICON, TYMED_HGLOBAL), a} << a << "DV_E_DVASPECT";
        QTest::newRow("other format skipped")
            << QList{TFormatEtc{FormatB(), DVASPECT_ICON, -1, TYMED_FILE}, a} << a << "S_OK";
    }
    void queryGetData()
    {
        QFETCH(QList<TFormatEtc>, stored);
        QFETCH(TFormatEtc, request);
        QFETCH(QString, answer);
        const auto object = std::make_shared<TCommonDataObject>();
        for (const TFormatEtc &f : stored)
            QCOMPARE(Name(object->SetData(f, Block("x"), true)), QString("S_OK"));
        QCOMPARE(Name(object->QueryGetData(request)), answer);
    }

    void queryHook()
    {
        const auto object = std::make_shared<TCommonDataObject>();
        const TFormatEtc a{FormatA(), DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
        object->SetHGlobalData(FormatA(), "x");
        bool available = false, handle = true;
        object->OnQueryData = [&](const TFormatEtc &, bool &formatAvailable, bool &handled) {
            QVERIFY(!formatAvailable && !handled);
            formatAvailable = available;
            handled = handle;
        };
        // Handled and not available hides even a stored format.
        QCOMPARE(Name(object->QueryGetData(a)), QString("DV_E_FORMATETC"));
        available = true;
        QCOMPARE(Name(object->QueryGetData(TFormatEtc{FormatB(), DVASPECT_CONTENT, -1, TYMED_HGLOBAL})),
                 QString("S_OK"));
        handle = false; // available without handling is enough
        QCOMPARE(Name(object->QueryGetData(TFormatEtc{FormatB(), DVASPECT_CONTENT, -1, TYMED_HGLOBAL})),
                 QString("S_OK"));
    }

    void getData_data()
    {
        QTest::addColumn<std::uint32_t>("tymed");
        QTest::addColumn<bool>("extra");
        QTest::addColumn<bool>("hook");
        QTest::addColumn<QString>("answer");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("stored block") << std::uint32_t(TYMED_HGLOBAL) << false << false << "S_OK" << QByteArray("abc");
        QTest::newRow("no exact entry") << std::uint32_t(TYMED_HGLOBAL | TYMED_ISTREAM) << false << false
                                        << "E_UNEXPECTED" << QByteArray();
        QTest::newRow("no exact entry, extra data") << std::uint32_t(TYMED_HGLOBAL | TYMED_ISTREAM) << true << false
                                                    << "S_OK" << QByteArray("extra");
        QTest::newRow("no common kind") << std::uint32_t(TYMED_ISTREAM) << true << false << "DV_E_TYMED"
                                        << QByteArray();
        QTest::newRow("get-data hook first") << std::uint32_t(TYMED_ISTREAM) << true << true << "S_OK"
                                             << QByteArray("hook");
    }
    void getData()
    {
        QFETCH(std::uint32_t, tymed);
        QFETCH(bool, extra);
        QFETCH(bool, hook);
        QFETCH(QString, answer);
        QFETCH(QByteArray, bytes);
        const auto object = std::make_shared<ExtraObject>();
        object->supply = extra;
        if (hook)
            object->OnGetData = [](const TFormatEtc &, TStgMedium &medium, bool &handled) {
                medium = Block("hook");
                handled = true;
            };
        QVERIFY(object->SetHGlobalData(FormatA(), "abc"));
        TStgMedium medium;
        QCOMPARE(Name(object->GetData(TFormatEtc{FormatA(), DVASPECT_CONTENT, -1, tymed}, medium)), answer);
        QCOMPARE(medium.hGlobal ? *medium.hGlobal : QByteArray(), bytes);
    }

    void getDataEmptyObject()
    {
        const auto object = std::make_shared<TCommonDataObject>();
        TStgMedium medium;
        QCOMPARE(Name(object->GetData(TFormatEtc{FormatA()}, medium)), QString("E_UNEXPECTED"));
        QCOMPARE(Name(object->GetDataHere(TFormatEtc{FormatA()}, medium)), QString("E_NOTIMPL"));
        TFormatEtc out;
        QCOMPARE(Name(object->GetCanonicalFormatEtc(TFormatEtc{FormatA()}, out)), QString("E_NOTIMPL"));
    }

    void setDataTwice()
    {
        const auto object = std::make_shared<TCommonDataObject>();
        const TFormatEtc a{FormatA()};
        TStgMedium first = Block("primeiro");
        const std::weak_ptr<QByteArray> firstBlock = first.hGlobal;
        QCOMPARE(Name(object->SetData(a, first, true)), QString("S_OK"));
        first = TStgMedium();
        QVERIFY(!firstBlock.expired());
        QCOMPARE(Name(object->SetData(a, Block("segundo"), true)), QString("S_OK"));
        QVERIFY(firstBlock.expired()); // the first medium was released
        QCOMPARE(object->StoredFormats().size(), std::size_t(1));
        QByteArray data;
        QVERIFY(object->GetHGlobalData(FormatA(), data));
        QCOMPARE(data, QByteArray("segundo"));
    }

    void setDataCopies()
    {
        const auto object = std::make_shared<TCommonDataObject>();
        TStgMedium source = Block("original");
        QCOMPARE(Name(object->SetData(TFormatEtc{FormatA()}, source, false)), QString("S_OK"));
        source.hGlobal->replace(0, 8, "mudado!!");
        QByteArray data;
        QVERIFY(object->GetHGlobalData(FormatA(), data));
        QCOMPARE(data, QByteArray("original"));

        TStgMedium file;
        file.tymed = TYMED_FILE;
        file.fileName = "/tmp/x.dec";
        const TFormatEtc f{FormatB(), DVASPECT_CONTENT, -1, TYMED_FILE};
        QCOMPARE(Name(object->SetData(f, file, false)), QString("S_OK"));
        TStgMedium out;
        QCOMPARE(Name(object->GetData(f, out)), QString("S_OK"));
        QCOMPARE(out.tymed, std::uint32_t(TYMED_FILE));
        QCOMPARE(out.fileName, QString("/tmp/x.dec"));

        auto stream = std::make_shared<QBuffer>();
        TStgMedium s;
        s.tymed = TYMED_ISTREAM;
        s.stream = stream;
        const TFormatEtc fs{FormatB(), DVASPECT_CONTENT, -1, TYMED_ISTREAM};
        QCOMPARE(Name(object->SetData(fs, s, false)), QString("S_OK"));
        QCOMPARE(Name(object->GetData(fs, out)), QString("DV_E_TYMED")); // the file entry comes first
    }

    void refusedMedia_data()
    {
        QTest::addColumn<std::uint32_t>("tymed");
        QTest::newRow("gdi") << std::uint32_t(TYMED_GDI);
        QTest::newRow("metafile picture") << std::uint32_t(TYMED_MFPICT);
        QTest::newRow("enhanced metafile") << std::uint32_t(TYMED_ENHMF);
        QTest::newRow("none") << std::uint32_t(TYMED_NULL);
    }
    void refusedMedia()
    {
        QFETCH(std::uint32_t, tymed);
        const auto object = std::make_shared<TCommonDataObject>();
        TStgMedium m;
        m.tymed = tymed;
        QCOMPARE(Name(object->SetData(TFormatEtc{FormatA(), DVASPECT_CONTENT, -1, tymed}, m, true)),
                 QString("DV_E_TYMED"));
        QCOMPARE(Name(object->SetData(TFormatEtc{FormatA(), DVASPECT_CONTENT, -1, tymed}, m, false)),
                 QString("DV_E_TYMED"));
        QVERIFY(object->StoredFormats().empty());
    }

    void sharedBlockOutlivesRelease()
    {
        auto object = std::make_shared<TCommonDataObject>();
        const std::weak_ptr<TCommonDataObject> alive = object;
        QVERIFY(object->SetHGlobalData(FormatA(), "dados"));
        TStgMedium medium;
        QCOMPARE(Name(object->GetData(TFormatEtc{FormatA()}, medium)), QString("S_OK"));
        QCOMPARE(medium.pUnkForRelease.get(), static_cast<void *>(object.get()));
        ReleaseStgMedium(medium);
        QByteArray data;
        QVERIFY(object->GetHGlobalData(FormatA(), data));
        QCOMPARE(data, QByteArray("dados"));

        // A receiver holding the medium holds the object.
        QCOMPARE(Name(object->GetData(TFormatEtc{FormatA()}, medium)), QString("S_OK"));
        object.reset();
        QVERIFY(!alive.expired());
        QCOMPARE(*medium.hGlobal, QByteArray("dados"));
        ReleaseStgMedium(medium);
        QVERIFY(alive.expired());
    }

    void selfOwningMedium()
    {
        auto object = std::make_shared<TCommonDataObject>();
        const std::weak_ptr<TCommonDataObject> alive = object;
        TStgMedium m = Block("eu");
        m.pUnkForRelease = object;
        QCOMPARE(Name(object->SetData(TFormatEtc{FormatA()}, m, true)), QString("S_OK"));
        m = TStgMedium();
        QByteArray data;
        QVERIFY(object->GetHGlobalData(FormatA(), data));
        QCOMPARE(data, QByteArray("eu"));
        object.reset();
        QVERIFY(alive.expired());
    }

    void enumFormatEtc()
    {
        const auto object = std::make_shared<TCommonDataObject>();
        object->SetHGlobalData(FormatA(), "a");
        TStgMedium file;
        file.tymed = TYMED_FILE;
        file.fileName = "f";
        object->SetData(TFormatEtc{FormatB(), DVASPECT_CONTENT, -1, TYMED_FILE}, file, true);
        object->SetHGlobalData(FormatB(), "b");

        std::shared_ptr<TCommonEnumFormatEtc> e = std::make_shared<TCommonEnumFormatEtc>();
        QCOMPARE(Name(object->EnumFormatEtc(DATADIR_SET, e)), QString("E_NOTIMPL"));
        QVERIFY(!e);
        QCOMPARE(Name(object->EnumFormatEtc(DATADIR_GET, e)), QString("S_OK"));
        QVERIFY(e);

        TFormatEtc got[5];
        std::uint32_t fetched = 9;
        QCOMPARE(Name(e->Next(2, got, &fetched)), QString("S_OK"));
        QCOMPARE(fetched, 2u);
        QCOMPARE(got[0].cfFormat, FormatA());
        QCOMPARE(got[1].tymed, std::uint32_t(TYMED_FILE));
        QCOMPARE(Name(e->Next(5, got, &fetched)), QString("S_FALSE"));
        QCOMPARE(fetched, 1u);
        QCOMPARE(got[0].cfFormat, FormatB());
        QCOMPARE(got[0].tymed, std::uint32_t(TYMED_HGLOBAL));
        QCOMPARE(Name(e->Next(1, got, nullptr)), QString("S_FALSE"));

        // Skip of exactly what remains reaches the end; one more fails and stays.
        e->Reset();
        QCOMPARE(Name(e->Skip(1)), QString("S_OK"));
        QCOMPARE(Name(e->Skip(3)), QString("S_FALSE"));
        QCOMPARE(e->Position(), 1);
        QCOMPARE(Name(e->Skip(2)), QString("S_OK"));
        QCOMPARE(e->Position(), 3);
        QCOMPARE(Name(e->Skip(1)), QString("S_FALSE"));
        QCOMPARE(e->Position(), 3);

        std::shared_ptr<TCommonEnumFormatEtc> clone;
        e->Reset();
        e->Skip(1);
        QCOMPARE(Name(e->Clone(clone)), QString("S_OK"));
        QCOMPARE(clone->Position(), 1);
        QCOMPARE(clone->Formats().size(), std::size_t(3));

        TCommonEnumFormatEtc none;
        QCOMPARE(Name(none.Next(1, got, &fetched)), QString("E_UNEXPECTED"));
        QCOMPARE(Name(none.Skip(0)), QString("E_UNEXPECTED"));
    }

    void adviseNotSupported()
    {
        const auto object = std::make_shared<TCommonDataObject>();
        std::uint32_t connection = 7;
        QCOMPARE(Name(object->DAdvise(TFormatEtc{FormatA()}, 0, nullptr, connection)),
                 QString("OLE_E_ADVISENOTSUPPORTED"));
        QCOMPARE(connection, 0u);
        QCOMPARE(Name(object->DUnadvise(1)), QString("OLE_E_ADVISENOTSUPPORTED"));
        std::shared_ptr<void> advises = std::make_shared<int>(1);
        QCOMPARE(Name(object->EnumDAdvise(advises)), QString("OLE_E_ADVISENOTSUPPORTED"));
        QVERIFY(!advises);
    }

    void hGlobalRoundTrip_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("text") << QByteArray("LvListview");
        QTest::newRow("zeros inside") << QByteArray("\0\1\0\2", 4);
        QTest::newRow("empty") << QByteArray();
    }
    void hGlobalRoundTrip()
    {
        QFETCH(QByteArray, bytes);
        const auto object = std::make_shared<TCommonDataObject>();
        QByteArray data = "stale";
        QVERIFY(!object->GetHGlobalData(FormatA(), data));
        QCOMPARE(data, QByteArray("stale"));
        QVERIFY(object->SetHGlobalData(FormatA(), bytes));
        QVERIFY(object->GetHGlobalData(FormatA(), data));
        QCOMPARE(data, bytes);
        QVERIFY(!object->GetHGlobalData(FormatB(), data));
    }

    void dragImage()
    {
        const auto object = std::make_shared<TCommonDataObject>();
        QVERIFY(!object->AssignDragImage(QImage(), {1, 2}, LvColor::clWhite));
        QImage image(30, 20, QImage::Format_ARGB32);
        image.fill(Qt::red);
        QVERIFY(object->AssignDragImage(image, {5, 6}, LvColor::clWhite));
        image.fill(Qt::blue); // the object keeps its own copy
        QCOMPARE(object->DragImage().size(), QSize(30, 20));
        QCOMPARE(object->DragImage().pixelColor(0, 0), QColor(Qt::red));
        QCOMPARE(object->DragHotSpot(), QPoint(5, 6));
        QCOMPARE(object->DragTransparentColor().Value(), LvColor::clWhite);
    }

    void managerFiresTheControlsEvents()
    {
        FakeListview lv;
        QStringList log;
        lv.OnOLEGetCustomFormats = [&](int direction, QStringList &formats) {
            log << QString("formats %1 %2").arg(direction).arg(formats.join(','));
            formats.prepend("Teste.Extra");
        };
        lv.OnOLEQueryData = [&](const QString &format, bool &available, bool &handled) {
            log << "query " + format + (available || handled ? " dirty" : "");
            if (format == "Teste.Extra")
                available = handled = true;
        };
        lv.OnOLEGetData = [&](const QString &format, QByteArray &medium, bool &handled) {
            log << "get " + format + (medium.isEmpty() && !handled ? "" : " dirty");
            if (format == "Teste.Extra") {
                medium = "extra";
                handled = true;
            }
        };
        const auto manager = std::make_shared<TLvDataObjectManager>(&lv);
        manager->SetHGlobalData(FormatA(), "a");

        std::shared_ptr<TCommonEnumFormatEtc> e;
        QCOMPARE(Name(manager->EnumFormatEtc(DATADIR_GET, e)), QString("S_OK"));
        QCOMPARE(e->Formats().size(), std::size_t(2));
        QCOMPARE(LvClipboardFormatName(e->Formats()[0].cfFormat), QString("Teste.Extra"));
        QCOMPARE(e->Formats()[1].cfFormat, FormatA());
        QByteArray data;
        QVERIFY(manager->GetHGlobalData(RegisterLvClipboardFormat("Teste.Extra"), data));
        QCOMPARE(data, QByteArray("extra"));
        QVERIFY(manager->GetHGlobalData(FormatA(), data));
        QCOMPARE(data, QByteArray("a"));
        QCOMPARE(log, QStringList({"formats 1 Teste.A", "query Teste.Extra", "get Teste.Extra", "query Teste.A",
                                   "get Teste.A", "query Teste.A"}));

        // Unbound, nothing fires.
        log.clear();
        manager->SetListview(nullptr);
        QVERIFY(!manager->GetHGlobalData(RegisterLvClipboardFormat("Teste.Extra"), data));
        QCOMPARE(Name(manager->EnumFormatEtc(DATADIR_GET, e)), QString("S_OK"));
        QCOMPARE(e->Formats().size(), std::size_t(1));
        QVERIFY(log.isEmpty());
    }

    void mimeDataOffersAndAnswers()
    {
        FakeListview lv;
        QStringList log;
        lv.OnOLEQueryData = [&](const QString &format, bool &, bool &) { log << "query " + format; };
        lv.OnOLEGetData = [&](const QString &format, QByteArray &, bool &) { log << "get " + format; };
        std::unique_ptr<QMimeData> data(TLvDataObjectManager::DataObjectForDrag(&lv));
        const auto object = LvMimeData::DataObjectOf(data.get());
        QVERIFY(object);
        QCOMPARE(dynamic_cast<TLvDataObjectManager *>(object.get())->Listview(), &lv);
        object->SetHGlobalData(FormatA(), "bloco");
        TStgMedium file;
        file.tymed = TYMED_FILE;
        file.fileName = "f";
        object->SetData(TFormatEtc{FormatB(), DVASPECT_CONTENT, -1, TYMED_FILE}, file, true);
        data->setText("texto");

        QCOMPARE(data->formats(), QStringList({"application/x-lv-Teste.A", "text/plain"}));
        QVERIFY(data->hasFormat("application/x-lv-Teste.A"));
        QVERIFY(!data->hasFormat("application/x-lv-Teste.B"));
        QVERIFY(data->hasFormat("text/plain"));
        QCOMPARE(data->data("application/x-lv-Teste.A"), QByteArray("bloco"));
        QCOMPARE(data->data("application/x-lv-Teste.B"), QByteArray());
        QCOMPARE(data->text(), QString("texto"));
        QCOMPARE(log, QStringList({"query Teste.A", "query Teste.B", "query Teste.A", "get Teste.A", "query Teste.A",
                                   "query Teste.B"}));

        TLvDataObjectManager::Unbind(data.get());
        QCOMPARE(dynamic_cast<TLvDataObjectManager *>(object.get())->Listview(), nullptr);
        log.clear();
        QCOMPARE(data->data("application/x-lv-Teste.A"), QByteArray("bloco"));
        QVERIFY(log.isEmpty());
    }

    void dataObjectFromTheEvent()
    {
        FakeListview lv;
        auto *own = new QMimeData;
        lv.OnOLEGetDataObject = [&](QMimeData *&dataObject) {
            QVERIFY(!dataObject);
            dataObject = own;
        };
        std::unique_ptr<QMimeData> data(TLvDataObjectManager::DataObjectForDrag(&lv));
        QCOMPARE(data.get(), own);
        QVERIFY(!LvMimeData::DataObjectOf(data.get()));
        TLvDataObjectManager::Unbind(data.get()); // not one of ours: nothing to do
    }
};

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    tst_LvDataObject t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_LvDataObject.moc"
