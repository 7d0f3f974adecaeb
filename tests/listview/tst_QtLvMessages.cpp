// What the list-view control does with the platform's requests: context menus that no handler takes
// (the widget's context-menu policy), the hint pause and the tool tip of a wrapped caption, the keys it
// keeps from its dialog, focus changes, the control font, closing during an edit and the thread call.

#include "listview/QtLvEdit.h"
#include "listview/QtLvHotTrack.h"
#include "listview/QtLvListview.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDialog>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyle>
#include <QTest>
#include <QThread>
#include <QVBoxLayout>

#include <memory>
#include <thread>

using namespace gdvorn::lv;

namespace {

// A report list of four rows under a visible header; menus are recorded instead of shown.
struct Fixture {
    std::unique_ptr<QtLvListview> lv = std::make_unique<QtLvListview>();
    QList<QPair<QMenu *, QPoint>> popped; // window points

    explicit Fixture(TLvListStyle view = TLvListStyle::elsReport)
    {
        lv->SetView(view);
        lv->SetThemed(false);
        lv->Header().SetVisible(true);
        lv->Header().Columns().Add()->SetWidth(150);
        for (int i = 0; i < 4; ++i)
            lv->Items().Add()->SetCaption(QString("item%1").arg(i));
        lv->SetMenuPopper([this](QMenu *m, QPoint global) { popped.append({m, lv->viewport()->mapFromGlobal(global)}); });
        lv->resize(400, 200);
        lv->show();
        QVERIFY(QTest::qWaitForWindowExposed(lv.get()));
    }

    QWidget *vp() const { return lv->viewport(); }
    TLvItem *Item(int i) const { return lv->Items()[i]; }
    QPoint OnCaption(int i) const
    {
        const LvRect c = lv->Scrollbars().MapViewRectToWindow(Item(i)->ItemRectArray(nullptr).CaptionArea);
        return {(c.left + c.right) / 2, (c.top + c.bottom) / 2};
    }
    void ToolTip(QPoint at) const
    {
        QHelpEvent help(QEvent::ToolTip, at, vp()->mapToGlobal(at));
        QCoreApplication::sendEvent(vp(), &help);
    }
    void Move(QPoint p) const
    {
        QMouseEvent move(QEvent::MouseMove, QPointF(p), QPointF(vp()->mapToGlobal(p)), Qt::NoButton, Qt::NoButton,
                         Qt::NoModifier);
        QCoreApplication::sendEvent(vp(), &move);
    }
};

// A parent that records the menu requests reaching it.
struct MenuParent : QWidget {
    QList<QPair<int, QPoint>> got; // reason, point
    void contextMenuEvent(QContextMenuEvent *e) override { got.append({int(e->reason()), e->pos()}); }
};

} // namespace

class tst_QtLvMessages : public QObject {
    Q_OBJECT

private slots:
    void menuRequestsEndAtThePolicy_data()
    {
        QTest::addColumn<QString>("request");
        QTest::addColumn<int>("policy");
        QTest::addColumn<bool>("handled");
        QTest::addColumn<int>("generic"); // OnContextMenu calls
        QTest::addColumn<bool>("policyRuns");
        QTest::newRow("keyboard, nothing selected, custom") << "keyboard" << int(Qt::CustomContextMenu) << false << 1 << true;
        QTest::newRow("keyboard, handled") << "keyboard" << int(Qt::CustomContextMenu) << true << 1 << false;
        QTest::newRow("keyboard, actions") << "keyboard" << int(Qt::ActionsContextMenu) << false << 1 << true;
        QTest::newRow("mouse below the rows, custom") << "mouse" << int(Qt::CustomContextMenu) << false << 1 << true;
        QTest::newRow("mouse below the rows, handled") << "mouse" << int(Qt::CustomContextMenu) << true << 1 << false;
        QTest::newRow("mouse below the rows, actions") << "mouse" << int(Qt::ActionsContextMenu) << false << 1 << true;
        // The header counts as handled: no OnContextMenu, but no header menu ends at the policy.
        QTest::newRow("header, custom") << "header" << int(Qt::CustomContextMenu) << false << 0 << true;
        QTest::newRow("header, actions") << "header" << int(Qt::ActionsContextMenu) << false << 0 << true;
    }
    void menuRequestsEndAtThePolicy()
    {
        QFETCH(QString, request);
        QFETCH(int, policy);
        QFETCH(bool, handled);
        QFETCH(int, generic);
        QFETCH(bool, policyRuns);
        Fixture f;
        f.lv->setContextMenuPolicy(Qt::ContextMenuPolicy(policy));
        QAction action("Atualizar");
        f.lv->addAction(&action);
        int calls = 0;
        f.lv->OnContextMenu = [&](QPoint, bool &h) {
            ++calls;
            h = handled;
        };
        QSignalSpy custom(f.lv.get(), &QWidget::customContextMenuRequested);
        const QPoint header(40, 5), below(200, f.lv->ClientHeight() - 5);
        QPoint expected(0, 0); // a keyboard request without a selection: the client origin
        if (request == "keyboard") {
            QContextMenuEvent e(QContextMenuEvent::Keyboard, QPoint(), f.lv->mapToGlobal(QPoint()));
            QCoreApplication::sendEvent(f.lv.get(), &e);
        } else {
            expected = request == "header" ? header : below;
            QVERIFY(f.lv->IsHeaderPoint(header));
            // Qt's own mouse request is left to the release: nothing runs twice.
            QContextMenuEvent e(QContextMenuEvent::Mouse, expected, f.vp()->mapToGlobal(expected));
            QCoreApplication::sendEvent(f.vp(), &e);
            QCOMPARE(calls + custom.count() + f.popped.size(), 0);
            QTest::mouseClick(f.vp(), Qt::RightButton, {}, expected);
        }
        QCOMPARE(calls, generic);
        if (policy == Qt::CustomContextMenu) {
            QCOMPARE(custom.count(), policyRuns ? 1 : 0);
            if (policyRuns)
                QCOMPARE(custom.at(0).at(0).toPoint(), expected);
            QVERIFY(f.popped.isEmpty());
        } else {
            QCOMPARE(f.popped.size(), policyRuns ? 1 : 0);
            if (policyRuns) {
                QCOMPARE(f.popped[0].first->actions(), QList<QAction *>{&action});
                QCOMPARE(f.popped[0].second, expected);
            }
        }
    }

    void defaultPolicyHandsTheRequestToTheParent()
    {
        MenuParent parent;
        auto *layout = new QVBoxLayout(&parent);
        layout->setContentsMargins(10, 10, 10, 10);
        auto *lv = new QtLvListview;
        layout->addWidget(lv);
        lv->SetView(TLvListStyle::elsReport);
        lv->Header().Columns().Add()->SetWidth(100);
        lv->Items().Add()->SetCaption("item0");
        parent.resize(400, 200);
        parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&parent));
        const QPoint below(200, lv->ClientHeight() - 5);
        QTest::mouseClick(lv->viewport(), Qt::RightButton, {}, below);
        QContextMenuEvent keyboard(QContextMenuEvent::Keyboard, QPoint(), lv->mapToGlobal(QPoint()));
        QCoreApplication::sendEvent(lv, &keyboard);
        QCOMPARE(parent.got, (QList<QPair<int, QPoint>>{{int(QContextMenuEvent::Mouse), lv->viewport()->mapTo(&parent, below)},
                                                         {int(QContextMenuEvent::Keyboard), lv->viewport()->mapTo(&parent, QPoint())}}));
        // A handler that takes the request keeps it from the parent.
        lv->OnContextMenu = [](QPoint, bool &handled) { handled = true; };
        QTest::mouseClick(lv->viewport(), Qt::RightButton, {}, below);
        QCOMPARE(parent.got.size(), 2);
    }

    void handlerMenusKeepThePolicyOut()
    {
        Fixture f;
        f.lv->setContextMenuPolicy(Qt::CustomContextMenu);
        QSignalSpy custom(f.lv.get(), &QWidget::customContextMenuRequested);
        QMenu headerMenu, itemMenu;
        f.lv->SetPopupMenuHeader(&headerMenu);
        QTest::mouseClick(f.vp(), Qt::RightButton, {}, QPoint(40, 5));
        f.lv->OnItemContextMenu = [&](const TLvHitInfoItem &, QPoint, QMenu *&m, bool &) { m = &itemMenu; };
        QTest::mouseClick(f.vp(), Qt::RightButton, {}, f.OnCaption(1));
        QCOMPARE(f.popped.size(), 2);
        QCOMPARE(f.popped[0].first, &headerMenu);
        QCOMPARE(f.popped[1].first, &itemMenu);
        QCOMPARE(custom.count(), 0);
    }

    void hintPause()
    {
        Fixture f;
        f.lv->OnHintPopup = [](TLvCollectionItem *, TLvHintType, QPoint, QString &text, int &, int &, bool &allow) {
            text = "dica";
            allow = true;
        };
        QList<QPair<bool, int>> asked;
        int extra = 0;
        f.lv->OnHintPauseTime = [&](bool shown, int &pause) {
            asked.append({shown, pause});
            pause += extra;
        };
        const QPoint at = f.OnCaption(0);
        f.ToolTip(at); // ShowHint off: not asked
        QVERIFY(asked.isEmpty());
        f.lv->SetShowHint(true);
        const int waited = f.lv->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay, nullptr, f.lv.get());
        f.ToolTip(at);
        QCOMPARE(asked, (QList<QPair<bool, int>>{{false, waited}}));
        QVERIFY(f.lv->HintWindow().isVisible()); // the pause Qt waited was enough
        f.ToolTip(at);
        QCOMPARE(asked.last(), (QPair<bool, int>{true, waited}));
        // A longer pause shows the hint only when the rest has passed ...
        QEvent leave(QEvent::Leave);
        QCoreApplication::sendEvent(f.vp(), &leave);
        extra = 150;
        f.ToolTip(at);
        QVERIFY(!f.lv->HintWindow().isVisible());
        QTRY_VERIFY(f.lv->HintWindow().isVisible());
        QCOMPARE(f.lv->HintData().Text, QString("dica"));
        // ... and a move before then cancels it.
        QCoreApplication::sendEvent(f.vp(), &leave);
        f.ToolTip(at);
        f.Move(at);
        QTest::qWait(400);
        QVERIFY(!f.lv->HintWindow().isVisible());
    }

    void toolTipOfAWrappedCaption_data()
    {
        QTest::addColumn<int>("words");
        QTest::addColumn<bool>("hint");
        QTest::newRow("one word") << 1 << false;
        QTest::newRow("two words on two lines") << 2 << false;
        QTest::newRow("three words, two lines shown") << 3 << true;
    }
    void toolTipOfAWrappedCaption()
    {
        QFETCH(int, words);
        QFETCH(bool, hint);
        Fixture f(TLvListStyle::elsIcon);
        f.lv->SetHintType(TLvHintType::ehtToolTip);
        // Words a little over half the label's width: two never share a line.
        const int label = f.Item(0)->ItemRectArray(nullptr).LabelArea.Width();
        QString word = "x";
        while (f.lv->TextExtent(f.lv->Font(), word).width() * 2 <= label + 4)
            word += 'x';
        QVERIFY(f.lv->TextExtent(f.lv->Font(), word).width() < label);
        QStringList caption;
        for (int i = 0; i < words; ++i)
            caption << word;
        f.Item(0)->SetCaption(caption.join(' '));
        LvRect area;
        QCOMPARE(f.lv->HintAt(f.OnCaption(0), area), hint ? caption.join(' ') : QString());
    }

    void keysStayWithTheList()
    {
        QDialog dialog;
        auto *layout = new QVBoxLayout(&dialog);
        auto *lv = new QtLvListview;
        auto *ok = new QPushButton("OK");
        ok->setDefault(true);
        layout->addWidget(lv);
        layout->addWidget(ok);
        lv->SetView(TLvListStyle::elsReport);
        lv->Header().Columns().Add()->SetWidth(100);
        for (int i = 0; i < 3; ++i)
            lv->Items().Add()->SetCaption(QString("item%1").arg(i));
        QSignalSpy clicked(ok, &QPushButton::clicked);
        QSignalSpy rejected(&dialog, &QDialog::rejected);
        dialog.resize(300, 200);
        dialog.show();
        dialog.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        lv->setFocus();
        lv->Selection().SetFocusedItem(lv->Items()[0]);
        QTest::keyClick(lv, Qt::Key_Escape);
        QTest::keyClick(lv, Qt::Key_Return);
        QTest::keyClick(lv, Qt::Key_Down);
        QVERIFY(dialog.isVisible());
        QCOMPARE(rejected.count(), 0);
        QCOMPARE(clicked.count(), 0);
        QCOMPARE(lv->Selection().FocusedItem(), lv->Items()[1]);
        QTest::keyClick(lv, Qt::Key_Tab); // Tab still leaves for the next control
        QVERIFY(ok->hasFocus());
    }

    void losingTheFocus_data()
    {
        QTest::addColumn<bool>("onlyFocused");
        QTest::newRow("hot tracking while focused") << true;
        QTest::newRow("hot tracking always") << false;
    }
    void losingTheFocus()
    {
        QFETCH(bool, onlyFocused);
        Fixture f;
        f.lv->HotTrack().SetEnabled(true);
        f.lv->HotTrack().SetOnlyFocused(onlyFocused);
        f.lv->HotTrack().SetHotObject(f.OnCaption(1), f.Item(1));
        f.lv->Include(elvsDragPending | elvsDragging | elvsToolkitDragging | elvsDragRectPending | elvsDragRect |
                      elvsCheckPending);
        QFocusEvent out(QEvent::FocusOut);
        QCoreApplication::sendEvent(f.lv.get(), &out);
        QCOMPARE(f.lv->States() & (elvsDragPending | elvsDragging | elvsToolkitDragging | elvsDragRectPending |
                                   elvsDragRect | elvsCheckPending),
                 std::uint32_t(elvsCheckPending));
        QCOMPARE(f.lv->HotTrack().HotObject(), onlyFocused ? nullptr : f.Item(1));
    }

    void controlFontReachesTheEditor()
    {
        Fixture f;
        f.lv->EditManager().SetEnabled(true);
        QFont font("Courier", 17);
        f.lv->SetFont(font);
        QCOMPARE(f.lv->EditManager().Font(), font);
        f.lv->EditManager().BeginEdit(f.Item(0), nullptr);
        QVERIFY(f.lv->EditManager().Editing());
        QCOMPARE(f.lv->EditManager().Editor()->EditorWindow()->font().pointSize(), 17);
    }

    void closingEndsTheEdit()
    {
        Fixture f;
        f.lv->EditManager().SetEnabled(true);
        QStringList ended;
        f.lv->OnItemEditEnd = [&](TLvItem *item) { ended << item->Caption(); };
        f.lv->EditManager().BeginEdit(f.Item(2), nullptr);
        QVERIFY(f.lv->EditManager().Editing());
        f.lv->close();
        QTRY_VERIFY(!f.lv->EditManager().Editing());
        QCOMPARE(ended, QStringList{"item2"});
    }

    void threadCallBackRunsOnTheControlsThread()
    {
        Fixture f;
        QList<QThread *> ranOn;
        f.lv->OnThreadCallBack = [&] { ranOn << QThread::currentThread(); };
        std::thread worker([&] {
            f.lv->PostThreadCallBack();
            f.lv->PostThreadCallBack();
        });
        worker.join();
        QVERIFY(ranOn.isEmpty()); // queued, not run on the worker
        QTRY_COMPARE(ranOn.size(), 2);
        QCOMPARE(ranOn[0], f.lv->thread());
        QCOMPARE(ranOn[1], f.lv->thread());
    }
};

QTEST_MAIN(tst_QtLvMessages)
#include "tst_QtLvMessages.moc"
