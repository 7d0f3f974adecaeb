// Where groups and columns take their data from: stored, through the control's events (virtual) or
// through the data interfaces of the application's object (interfaced); the drop-down button's
// unchanged-value rule, the task-panel group, and the group's part geometry with its image.

#include "FakeListview.h"

#include "listview/LvGroupColumnData.h"
#include "listview/LvViewGroup.h"

#include <QGuiApplication>
#include <QTest>

using namespace gdvorn::lv;

namespace {

// A data object offering every group and column interface, with an optional custom image.
struct FullData : ILvDataObject, ILvDataCaptionsEdit, ILvDataImagesEdit, ILvDataDetailsEdit, ILvDataImageList,
                  ILvDataCustomImage {
    QString caption = "dados";
    int image = 3, overlay = 4, detailCount = 2, detail = 9;
    const LvImageList *list = nullptr;
    QStringList log;
    QVariant GetCaption(int column) override { return caption + QString::number(column); }
    void SetCaption(int column, const QVariant &value) override { log << QString("caption %1 %2").arg(column).arg(value.toString()); }
    int GetImageIndex(int, TLvImageKind kind) override { return kind == TLvImageKind::eikOverlay ? overlay : image; }
    void SetImageIndex(int, TLvImageKind kind, int index) override { log << QString("image %1 %2").arg(int(kind)).arg(index); }
    int GetDetailCount() override { return detailCount; }
    int GetDetail(int line) override { return detail + line; }
    void SetDetail(int line, int value) override { log << QString("detail %1 %2").arg(line).arg(value); }
    void SetDetailCount(int count) override { log << QString("count %1").arg(count); }
    const LvImageList *GetImageList(int, int) override { return list; }
    void IsCustom(TLvColumn *, bool &isCustom) override { isCustom = true; }
    void DrawImage(TLvColumn *, LvCanvas &, const TLvRectArrayObject &, TLvAlphaBlender *) override { log << "draw"; }
    void GetImageSize(TLvColumn *, int &width, int &height) override
    {
        width = 20;
        height = 10;
    }
};

// Offers captions only.
struct CaptionsOnly : ILvDataObject, ILvDataCaptions {
    QVariant GetCaption(int) override { return QString("só"); }
};

} // namespace

class tst_LvGroupColumnData : public QObject {
    Q_OBJECT

private slots:
    // Without handlers a virtual group or column answers the defaults; with them, the events enter with
    // those defaults and their answers are taken.
    void virtualGroup()
    {
        FakeListview lv;
        lv.Groups().SetItemClass([](TLvGroups *g) { return new TLvGroupVirtual(g); });
        TLvGroup *g = lv.Groups().Add();
        QCOMPARE(g->ClassName(), "TLvGroupVirtual");
        QCOMPARE(g->ImageIndex(), -1);
        QCOMPARE(g->ImageOverlayIndex(), -1);
        QCOMPARE(g->Caption(), QString());
        QCOMPARE(g->DetailCount(), 0);
        QCOMPARE(g->Details(1), 0);
        QVERIFY(!g->ImageDrawIsCustom(nullptr));

        QStringList log;
        lv.OnGroupGetCaption = [&](TLvGroup *, QString &caption) {
            log << "caption in '" + caption + "'";
            caption = "Grupo";
        };
        lv.OnGroupGetImageIndex = [&](TLvGroup *, TLvImageKind kind, int &index) {
            log << QString("image %1 in %2").arg(int(kind)).arg(index);
            index = kind == TLvImageKind::eikNormal ? 5 : 6;
        };
        lv.OnGroupGetDetailCount = [&](TLvGroup *, int &count) {
            log << QString("count in %1").arg(count);
            count = 3;
        };
        lv.OnGroupGetDetail = [&](TLvGroup *, int line, int &detail) {
            log << QString("detail %1 in %2").arg(line).arg(detail);
            detail = 40 + line;
        };
        QCOMPARE(g->Captions(4), QString("Grupo"));
        QCOMPARE(g->ImageIndexes(2), 5);
        QCOMPARE(g->ImageOverlayIndex(), 6);
        QCOMPARE(g->DetailCount(), 3);
        QCOMPARE(g->Details(2), 42);
        QCOMPARE(log, (QStringList{"caption in ''", "image 0 in -1", "image 1 in -1", "count in 0", "detail 2 in 0"}));

        // Writes fire the set events and repaint the group; the detail count has no event but repaints.
        log.clear();
        lv.OnGroupSetCaption = [&](TLvGroup *, const QString &c) { log << "set " + c; };
        lv.OnGroupSetImageIndex = [&](TLvGroup *, TLvImageKind kind, int i) { log << QString("set image %1 %2").arg(int(kind)).arg(i); };
        lv.OnGroupSetDetail = [&](TLvGroup *, int line, int d) { log << QString("set detail %1 %2").arg(line).arg(d); };
        g->SetDisplayRect({0, 0, 100, 50});
        lv.invalidated.clear();
        g->SetCaption("Novo");
        g->SetImageOverlayIndex(2);
        g->SetDetails(1, 8);
        g->SetDetailCount(4);
        QCOMPARE(log, (QStringList{"set Novo", "set image 1 2", "set detail 1 8"}));
        QCOMPARE(int(lv.invalidated.size()), 4);
    }

    void virtualColumn()
    {
        FakeListview lv;
        lv.Header().Columns().SetItemClass([](TLvColumns *c) { return new TLvColumnVirtual(c); });
        TLvColumn *c = lv.Header().Columns().Add();
        QCOMPARE(c->ClassName(), "TLvColumnVirtual");
        QCOMPARE(c->ImageIndex(), -1);
        QCOMPARE(c->DetailCount(), 0);
        int asked = -1;
        lv.OnColumnGetCaption = [&](TLvColumn *, int index, QString &caption) {
            asked = index;
            caption = caption.isEmpty() ? "Coluna" : "?";
        };
        lv.OnColumnGetImageIndex = [&](TLvColumn *, TLvImageKind kind, int &index) {
            index = index == -1 ? 10 + int(kind) : 0;
        };
        lv.OnColumnGetDetail = [&](TLvColumn *, int line, int &detail) { detail = detail == 0 ? line * 2 : -9; };
        QCOMPARE(c->Captions(3), QString("Coluna"));
        QCOMPARE(asked, 3);
        QCOMPARE(c->ImageIndex(), 10);
        QCOMPARE(c->ImageOverlayIndex(), 11);
        QCOMPARE(c->Details(4), 8);
        QStringList log;
        lv.OnColumnSetCaption = [&](TLvColumn *, const QString &s) { log << s; };
        lv.OnColumnSetDetail = [&](TLvColumn *, int line, int d) { log << QString("%1=%2").arg(line).arg(d); };
        c->SetCaption("Nova");
        c->SetDetails(0, 5);
        QCOMPARE(log, (QStringList{"Nova", "0=5"}));
    }

    // A stored column's detail lives in the column, whatever its position.
    void storedColumnDetails()
    {
        FakeListview lv;
        TLvColumns &columns = lv.Header().Columns();
        for (int i = 0; i < 3; ++i)
            columns.Add();
        TLvColumn *c = columns[1];
        QCOMPARE(c->Details(2), 0);
        c->SetDetails(2, 7);
        c->SetPosition(0);
        QCOMPARE(c->Details(2), 7);
        QCOMPARE(columns[0]->Details(2), 0);
        QCOMPARE(c->Details(5), 0);
    }

    // A stored group's detail count is the control's caption line count of groups: one for all groups.
    void storedGroupDetailCount()
    {
        FakeListview lv;
        TLvGroup *a = lv.Groups().Add();
        TLvGroup *b = lv.Groups().Add();
        QCOMPARE(a->DetailCount(), 1);
        lv.invalidated.clear();
        a->SetDetailCount(3);
        QCOMPARE(lv.PaintInfoGroup().CaptionLines(), 3);
        QCOMPARE(b->DetailCount(), 3);
        QVERIFY(!lv.invalidated.empty());
        TLvColumn *c = lv.Header().Columns().Add();
        c->SetDetailCount(2);
        QCOMPARE(lv.PaintInfoColumn().CaptionLines(), 2);
        QCOMPARE(a->DetailCount(), 3);
    }

    void interfaced_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("group") << "group";
        QTest::newRow("column") << "column";
    }

    // An interfaced group or column answers from its data object; interfaces it lacks give the defaults
    // (no detail at all, where an interfaced item has one) and ignore writes.
    void interfaced()
    {
        QFETCH(QString, kind);
        FakeListview lv;
        LvImageList groupImages(16, 16), headerImages(12, 12), own(8, 8);
        lv.SetImagesGroup(&groupImages);
        lv.Header().SetImages(&headerImages);
        lv.Groups().SetItemClass([](TLvGroups *g) { return new TLvGroupInterfaced(g); });
        lv.Header().Columns().SetItemClass([](TLvColumns *c) { return new TLvColumnInterfaced(c); });
        TLvCollectionItem *o = kind == "group" ? static_cast<TLvCollectionItem *>(lv.Groups().Add())
                                               : lv.Header().Columns().Add();
        const LvImageList *defaultList = kind == "group" ? &groupImages : &headerImages;

        QCOMPARE(o->Caption(), QString());
        QCOMPARE(o->ImageIndex(), -1);
        QCOMPARE(o->DetailCount(), 0);
        QCOMPARE(o->ImageList(0, 1), defaultList);

        o->SetDataInf(std::make_shared<CaptionsOnly>());
        QCOMPARE(o->Captions(2), QString("só"));
        QCOMPARE(o->DetailCount(), 0);
        QCOMPARE(o->ImageOverlayIndex(), -1);
        o->SetCaption("ignorado"); // no edit interface: nothing happens
        QCOMPARE(o->Caption(), QString("só"));

        auto data = std::make_shared<FullData>();
        o->SetDataInf(data);
        QCOMPARE(o->Captions(2), QString("dados2"));
        QCOMPARE(o->ImageIndex(), 3);
        QCOMPARE(o->ImageOverlayIndex(), 4);
        QCOMPARE(o->DetailCount(), 2);
        QCOMPARE(o->Details(1), 10);
        QCOMPARE(o->ImageList(0, 0), defaultList);
        data->list = &own;
        QCOMPARE(o->ImageList(0, 0), &own);
        QVERIFY(o->ImageDrawIsCustom(nullptr));
        int w = 1, h = 1;
        o->ImageGetSize(nullptr, w, h);
        QCOMPARE(QSize(w, h), QSize(20, 10));
        o->SetCaptions(1, "c");
        o->SetImageIndex(7);
        o->SetDetailCount(5);
        o->SetDetails(0, 6);
        QCOMPARE(data->log, (QStringList{"caption 1 c", "image 0 7", "count 5", "detail 0 6"}));
    }

    void interfacedItemHasOneDetail()
    {
        FakeListview lv;
        lv.Items().EnsureGroup();
        lv.Groups()[0]->Items().SetItemClass([](TLvItems *items) { return new TLvItemInterfaced(items); });
        TLvItem *item = lv.Items().Add();
        QCOMPARE(item->DetailCount(), 1);
        item->SetDataInf(std::make_shared<FullData>());
        QCOMPARE(item->DetailCount(), 2);
        QCOMPARE(item->Caption(), QString("dados0"));
    }

    // Each of the drop-down button's switches repaints the column only when its value changes.
    void dropDownButtonRepaintsOnChange()
    {
        FakeListview lv;
        lv.SetView(TLvListStyle::elsReport);
        lv.Header().SetVisible(true);
        TLvColumn *c = lv.Header().Columns().Add();
        c->SetWidth(100);
        TLvColumnDropDownButton &b = c->DropDownButton();
        QVERIFY(!b.AlwaysShow() && b.Enabled() && !b.Visible());
        lv.invalidated.clear();
        b.SetAlwaysShow(false);
        b.SetEnabled(true);
        b.SetVisible(false);
        QVERIFY(lv.invalidated.empty());
        b.SetAlwaysShow(true);
        QVERIFY(!lv.invalidated.empty());
    }

    // A new task-panel group: height 200, no panel; collapsing it changes nothing but the group.
    void taskPanel()
    {
        FakeListview lv;
        lv.Groups().SetItemClass([](TLvGroups *g) { return new TLvGroupTaskPanel(g); });
        auto *g = static_cast<TLvGroupTaskPanel *>(lv.Groups().Add());
        QCOMPARE(g->ClassName(), "TLvGroupTaskPanel");
        QCOMPARE(g->Height(), 200);
        QVERIFY(!g->TaskWindowCreated());
        int collapsed = 0;
        lv.OnGroupCollapse = [&](TLvGroup *) { ++collapsed; };
        g->SetExpanded(false);
        QVERIFY(!g->Expanded());
        QCOMPARE(collapsed, 1);
        QCOMPARE(g->Height(), 200);
        QVERIFY(!g->TaskWindowCreated());
        g->SetCaption("Tarefas");
        QCOMPARE(g->Caption(), QString("Tarefas"));
        g->SetHeight(120);
        QCOMPARE(g->Height(), 120);
    }

    // The top band's icon takes the image list's width after the check box; a group drawing its own image
    // takes the size its handler gives (entering 0 by 0); the footer's icon follows MarginBottom's index.
    void groupImageGeometry()
    {
        FakeListview lv;
        LvImageList images(16, 16);
        lv.SetImagesGroup(&images);
        lv.SetShowGroupMargins(true);
        TLvPaintInfoGroup &info = lv.PaintInfoGroup();
        info.MarginBottom().SetVisible(true);
        info.SetCheckType(TLvCheckType::ectBox);
        info.SetCheckSize(10);
        TLvGroup *g = lv.Items().Add()->Group();
        g->SetCaption("Grupo");
        const LvRect top = g->MarginRectTop();
        QVERIFY(!top.IsEmpty());

        TLvRectArrayObject r = g->TopBandParts(top);
        QCOMPARE(r.ImageArea.Width(), 0);
        QCOMPARE(r.ImageArea.left, r.CheckArea.right);
        QCOMPARE(r.LabelArea.left, r.CheckArea.right + info.CaptionIndent());

        g->SetImageIndex(0);
        r = g->TopBandParts(top);
        QCOMPARE(r.ImageArea.left, r.CheckArea.right + info.ImageIndent());
        QCOMPARE(r.ImageArea.Width(), 16);
        QCOMPARE(r.CaptionArea.left, r.ImageArea.right + info.CaptionIndent());
        QCOMPARE(r.CaptionArea.Width(), 5 * 7);
        TLvGroupHitTestInfoSet hit = 0;
        QVERIFY(g->HitTest(QPoint(r.ImageArea.left + 1, r.ImageArea.top + 5), hit));
        QCOMPARE(hit, TLvGroupHitTestInfoSet(egtOnHeader | egtOnIcon));

        QSize entered(-1, -1);
        lv.OnGroupImageDrawIsCustom = [](TLvGroup *, bool &isCustom) { isCustom = true; };
        lv.OnGroupImageGetSize = [&](TLvGroup *, int &w, int &h) {
            entered = {w, h};
            w = 24;
            h = 12;
        };
        r = g->TopBandParts(top);
        QCOMPARE(entered, QSize(0, 0));
        QCOMPARE(r.ImageArea.Width(), 24);
        lv.OnGroupImageDrawIsCustom = nullptr;

        // The footer: no expand button or check box; its image index is MarginBottom's.
        const LvRect bottom = g->MarginRectBottom();
        TLvRectArrayObject f = g->View()->PartRects(g, egpFooter, bottom);
        QCOMPARE(f.ImageArea.Width(), 0);
        QCOMPARE(f.CheckArea.Width(), 0);
        QCOMPARE(f.ExpandButtonArea.Width(), 0);
        info.MarginBottom().SetImageIndex(0);
        f = g->View()->PartRects(g, egpFooter, bottom);
        QCOMPARE(f.ImageArea.Width(), 16);
        QVERIFY(g->HitTest(QPoint(f.ImageArea.left + 1, f.ImageArea.top + 3), hit));
        QCOMPARE(hit, TLvGroupHitTestInfoSet(egtOnFooter | egtOnIcon));
    }

    // The side bands run from the top band's top to the footer band's bottom; a hit on them says so.
    void sideBands()
    {
        FakeListview lv;
        lv.SetShowGroupMargins(true);
        TLvPaintInfoGroup &info = lv.PaintInfoGroup();
        info.MarginLeft().SetVisible(true);
        info.MarginLeft().SetSize(20);
        info.MarginBottom().SetVisible(true);
        TLvGroup *g = lv.Items().Add()->Group();
        const LvRect left = g->MarginRectLeft();
        const TLvRectArrayObject top = g->TopBandParts(g->MarginRectTop());
        const TLvRectArrayObject foot = g->View()->PartRects(g, egpFooter, g->MarginRectBottom());
        const TLvRectArrayObject side = g->View()->PartRects(g, egpLeft, left);
        QCOMPARE(side.BandArea.top, top.BandArea.top);
        QCOMPARE(side.BandArea.bottom, foot.BandArea.bottom - 1);
        QCOMPARE(side.BandArea.left, left.left + (20 - info.BandThickness()) / 2);
        QCOMPARE(side.BandArea.right, left.right);
        TLvGroupHitTestInfoSet hit = 0;
        QVERIFY(g->HitTest(QPoint(side.BandArea.left + 1, side.BandArea.top + 40), hit));
        QCOMPARE(hit, TLvGroupHitTestInfoSet(egtOnLeftMargin | egtOnBand));
    }

    // The group's painter follows OnGroupCustomView and is replaced when the wanted class changes.
    void customGroupView()
    {
        FakeListview lv;
        TLvGroup *g = lv.Groups().Add();
        TLvViewGroup *standard = g->View();
        QCOMPARE(standard->ClassName(), "TLvViewGroup");
        QCOMPARE(g->View(), standard);
        struct Mine : TLvViewGroup {
            using TLvViewGroup::TLvViewGroup;
            const char *ClassName() const override { return "Mine"; }
        };
        static const TLvViewGroupClass mine{"Mine", [](ListviewCore *o) { return std::make_unique<Mine>(o); }};
        TLvListStyle asked = TLvListStyle::elsIcon;
        lv.SetView(TLvListStyle::elsReport);
        lv.OnGroupCustomView = [&](TLvGroup *, TLvListStyle style, const TLvViewGroupClass *&view) {
            asked = style;
            view = &mine;
        };
        QCOMPARE(g->View()->ClassName(), "Mine");
        QCOMPARE(asked, TLvListStyle::elsReport);
        TLvViewGroup *made = g->View();
        QCOMPARE(g->View(), made);
        lv.OnGroupCustomView = nullptr;
        QCOMPARE(g->View()->ClassName(), "TLvViewGroup");
    }
};

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    tst_LvGroupColumnData t;
    return QTest::qExec(&t, argc, argv);
}

#include "tst_LvGroupColumnData.moc"
