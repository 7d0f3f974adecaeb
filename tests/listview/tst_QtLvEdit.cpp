// In-place editing offscreen: starting and refusing an edit, the keys and presses that end it (Escape,
// a click outside, the wheel, deactivation, Tab moves), F2, the edited item's painting, and the string
// and memo editors (their boxes, menus, geometry, keys and Unicode text).

#include "listview/QtLvEdit.h"
#include "listview/QtLvListview.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QTest>
#include <QTextEdit>
#include <QVBoxLayout>

#include <memory>

using namespace gdvorn::lv;

namespace {

// A report list of five rows and three columns beside another edit box, in one active window.
struct Fixture {
    std::unique_ptr<QWidget> window = std::make_unique<QWidget>();
    QtLvListview *lv = nullptr;
    QLineEdit *other = nullptr;
    QStringList events;
    QList<QPair<QMenu *, QPoint>> popped;

    explicit Fixture(TLvListStyle view = TLvListStyle::elsReport)
    {
        auto *layout = new QVBoxLayout(window.get());
        lv = new QtLvListview;
        other = new QLineEdit;
        layout->addWidget(lv);
        layout->addWidget(other);
        lv->SetView(view);
        lv->SetThemed(false);
        lv->Header().SetVisible(true);
        for (int i = 0; i < 3; ++i) {
            TLvColumn *c = lv->Header().Columns().Add();
            c->SetCaption(QString("c%1").arg(i));
            c->SetWidth(120);
        }
        for (int i = 0; i < 5; ++i) {
            TLvItem *item = lv->Items().Add();
            item->SetCaption(QString("item%1").arg(i));
            item->SetCaptions(1, QString("r%1c1").arg(i));
            item->SetCaptions(2, QString("r%1c2").arg(i));
        }
        lv->EditManager().SetEnabled(true);
        lv->SetMenuPopper([this](QMenu *m, QPoint at) { popped.append({m, at}); });
        lv->OnItemEditEnd = [this](TLvItem *item) { events << "end " + item->Caption(); };
        lv->OnItemEditAccepted = [this](TLvItem *item) { events << "accepted " + item->Caption(); };
        window->resize(500, 300);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        lv->setFocus();
    }

    TLvItem *Item(int i) const { return lv->Items()[i]; }
    QWidget *Box() const
    {
        ILvCellEditor *e = lv->EditManager().Editor();
        return e ? e->EditorWindow() : nullptr;
    }
    QLineEdit *Line() const { return qobject_cast<QLineEdit *>(Box()); }
    // The window point on a row's caption text.
    QPoint Row(int i) const
    {
        const TLvRectArrayObject a = Item(i)->ItemRectArray(nullptr);
        const LvRect r = lv->Scrollbars().MapViewRectToWindow(a.CaptionArea);
        return {r.left + 3, (r.top + r.bottom) / 2};
    }
    void Begin(int i, TLvColumn *column = nullptr)
    {
        lv->EditManager().BeginEdit(Item(i), column);
        QVERIFY(lv->EditManager().Editing());
        QVERIFY(Box());
    }
    static void Settle()
    {
        QCoreApplication::processEvents();
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    // Types text the way a keyboard layout delivers it: one key event per character, with its text.
    static void Type(QWidget *w, const QString &text)
    {
        for (QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QCoreApplication::sendEvent(w, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QCoreApplication::sendEvent(w, &release);
        }
    }
};

} // namespace

class tst_QtLvEdit : public QObject {
    Q_OBJECT

private slots:
    void disabledAndRefused()
    {
        Fixture f;
        int asked = 0, created = 0;
        f.lv->OnItemEditBegin = [&](TLvItem *, int &, bool &allow) {
            ++asked;
            allow = false;
        };
        f.lv->OnItemCreateEditor = [&](TLvItem *, ILvCellEditor *&) { ++created; };
        f.lv->EditManager().SetEnabled(false);
        f.lv->EditManager().BeginEdit(f.Item(0), nullptr);
        QCOMPARE(asked, 0);
        f.lv->EditManager().SetEnabled(true);
        f.lv->EditManager().BeginEdit(f.Item(0), nullptr);
        QCOMPARE(asked, 1);
        QCOMPARE(created, 0);
        QVERIFY(!f.lv->EditManager().Editing());
        QVERIFY(!f.lv->EditManager().Editor());
        QCOMPARE(f.lv->EditManager().EditItem(), nullptr);
        // No filter was left behind: Escape and presses reach their widgets as always.
        f.other->setFocus();
        QTest::keyClicks(f.other, "abc");
        QTest::keyClick(f.other, Qt::Key_Escape);
        QCOMPARE(f.other->text(), QString("abc"));
        QVERIFY(f.events.isEmpty());
    }

    void escapeCancels()
    {
        Fixture f;
        f.Begin(1);
        QCOMPARE(f.Line()->text(), QString("item1"));
        QCOMPARE(QApplication::focusWidget(), f.Box());
        QTest::keyClicks(f.Box(), "novo");
        QPointer<QWidget> box = f.Box();
        QTest::keyClick(f.Box(), Qt::Key_Escape);
        QCOMPARE(f.events, QStringList{"end item1"});
        f.Settle();
        QCOMPARE(f.events, QStringList{"end item1"});
        QCOMPARE(f.Item(1)->Caption(), QString("item1"));
        QVERIFY(!f.lv->EditManager().Editing());
        QVERIFY(!box);
        QCOMPARE(QApplication::focusWidget(), f.lv);
    }

    void clickOutside()
    {
        Fixture f;
        bool accept = false;
        f.lv->OnItemEdited = [&](TLvItem *, QVariant &, bool &a) { a = accept; };
        f.Begin(0);
        QTest::keyClicks(f.Box(), "x");
        // Refused: the click is swallowed and the box keeps the focus.
        QTest::mouseClick(f.other, Qt::LeftButton);
        QVERIFY(f.lv->EditManager().Editing());
        QCOMPARE(QApplication::focusWidget(), f.Box());
        QCOMPARE(f.Item(0)->Caption(), QString("item0"));
        // A click inside the box is the box's own.
        QTest::mouseClick(f.Box(), Qt::LeftButton, {}, QPoint(2, 2));
        QVERIFY(f.lv->EditManager().Editing());
        // Accepted: the click reaches the list and selects the row under it.
        accept = true;
        QTest::mouseClick(f.lv->viewport(), Qt::LeftButton, {}, f.Row(3));
        QCOMPARE(f.Item(0)->Caption(), QString("x"));
        QVERIFY(f.Item(3)->Selected());
        f.Settle();
        QCOMPARE(f.events, (QStringList{"accepted x", "end x"}));
        QVERIFY(!f.lv->EditManager().Editing());
    }

    void ctrlASelectsTheBoxText()
    {
        Fixture f;
        f.Begin(2);
        f.Line()->setCursorPosition(0);
        f.Line()->deselect();
        QTest::keyClick(f.Box(), Qt::Key_A, Qt::ControlModifier);
        QCOMPARE(f.Line()->selectedText(), QString("item2"));
        QCOMPARE(f.lv->Selection().Count(), 0); // the list's own Ctrl+A did not run
    }

    void endsWithoutAccepting_data()
    {
        QTest::addColumn<int>("how");
        QTest::newRow("deactivation") << 0;
        QTest::newRow("wheel") << 1;
        QTest::newRow("editing switched off") << 2;
    }
    void endsWithoutAccepting()
    {
        QFETCH(int, how);
        Fixture f;
        int edited = 0;
        f.lv->OnItemEdited = [&](TLvItem *, QVariant &, bool &) { ++edited; };
        f.Begin(0);
        QTest::keyClicks(f.Box(), "zz");
        if (how == 0) {
            QEvent deactivate(QEvent::ApplicationDeactivate);
            QCoreApplication::sendEvent(qApp, &deactivate);
        } else if (how == 1) {
            QWheelEvent wheel(QPointF(10, 40), f.lv->viewport()->mapToGlobal(QPointF(10, 40)), {}, {0, -120},
                              Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(f.lv->viewport(), &wheel);
        } else {
            f.lv->EditManager().SetEnabled(false);
        }
        f.Settle();
        QVERIFY(!f.lv->EditManager().Editing());
        QCOMPARE(edited, 0);
        QCOMPARE(f.Item(0)->Caption(), QString("item0"));
        QCOMPARE(f.events, QStringList{"end item0"});
    }

    void tabMoves()
    {
        Fixture f;
        f.lv->EditManager().SetTabMoveFocus(true);
        f.lv->OnItemEditBegin = [](TLvItem *item, int &, bool &allow) { allow = item->Index() != 1; };
        f.Begin(0);
        f.Line()->setText("A");
        QTest::keyClick(f.Box(), Qt::Key_Tab);
        QCOMPARE(f.Item(0)->Caption(), QString("A"));
        f.Settle();
        // Item 1 refuses editing: the edit goes to item 2, which takes the focus.
        QCOMPARE(f.lv->EditManager().EditItem(), f.Item(2));
        QCOMPARE(f.lv->Selection().FocusedItem(), f.Item(2));
        f.Line()->setText("C");
        QTest::keyClick(f.Box(), Qt::Key_Tab, Qt::ControlModifier);
        f.Settle();
        QCOMPARE(f.Item(2)->Caption(), QString("C"));
        QCOMPARE(f.lv->EditManager().EditItem(), f.Item(0));
        // A Tab whose edit is refused stays where it is.
        f.lv->OnItemEdited = [](TLvItem *, QVariant &, bool &a) { a = false; };
        QTest::keyClick(f.Box(), Qt::Key_Tab);
        f.Settle();
        QCOMPARE(f.lv->EditManager().EditItem(), f.Item(0));
        QCOMPARE(QApplication::focusWidget(), f.Box());
        // From the last editable item a Tab ends the edit with nowhere to go.
        f.lv->OnItemEdited = nullptr;
        f.lv->EditManager().CancelEdit();
        f.Settle();
        f.Begin(4);
        QTest::keyClick(f.Box(), Qt::Key_Tab);
        f.Settle();
        QVERIFY(!f.lv->EditManager().Editing());
    }

    void f2AndDoubleClick()
    {
        Fixture f;
        QTest::keyClick(f.lv, Qt::Key_F2); // nothing focused: nothing
        QVERIFY(!f.lv->EditManager().Editing());
        f.lv->Selection().SetFocusedItem(f.Item(3));
        QTest::keyClick(f.lv, Qt::Key_F2);
        QVERIFY(f.lv->EditManager().Editing());
        QCOMPARE(f.lv->EditManager().EditItem(), f.Item(3));
        f.lv->EditManager().CancelEdit();
        f.Settle();
        // A click on the caption of the focused, only selected item edits it after the wait; a double
        // click stops the wait.
        f.lv->EditManager().SetAutoEditDelayTime(20);
        QTest::mouseClick(f.lv->viewport(), Qt::LeftButton, {}, f.Row(3));
        QVERIFY(!f.lv->EditManager().AutoEditPending()); // it was not selected yet
        QTest::mouseClick(f.lv->viewport(), Qt::LeftButton, {}, f.Row(3));
        QVERIFY(f.lv->EditManager().AutoEditPending());
        QTest::mouseDClick(f.lv->viewport(), Qt::LeftButton, {}, f.Row(3));
        QVERIFY(!f.lv->EditManager().AutoEditPending());
        QTest::mouseClick(f.lv->viewport(), Qt::LeftButton, {}, f.Row(3));
        QTRY_VERIFY(f.lv->EditManager().Editing());
        QCOMPARE(f.lv->EditManager().EditItem(), f.Item(3));
    }

    void editedItemPaintsNoSelectionOrCaption()
    {
        Fixture f;
        f.Item(0)->SetSelected(true);
        const QColor selection = ResolveColor(f.lv->Selection().Color());
        auto render = [&] {
            QImage image(f.lv->viewport()->size(), QImage::Format_RGB32);
            QPainter p(&image);
            f.lv->PaintRect(p, f.lv->ClientRect());
            return image;
        };
        auto cellHas = [&](const QImage &image, int column, auto test) {
            const LvRect row = f.lv->Scrollbars().MapViewRectToWindow(f.Item(0)->DisplayRect());
            const TLvColumn *c = f.lv->Header().Columns()[column];
            for (int y = row.top; y < row.bottom; ++y)
                for (int x = c->DisplayRect().left + 1; x < c->DisplayRect().right - 1; ++x)
                    if (test(image.pixelColor(x, y)))
                        return true;
            return false;
        };
        auto isSelection = [&](QColor c) { return c == selection; };
        auto isText = [](QColor c) { return c.lightness() < 100; };
        QImage before = render();
        QVERIFY(cellHas(before, 0, isSelection));
        QVERIFY(cellHas(before, 0, isText));
        f.Begin(0);
        QImage during = render();
        QVERIFY(!cellHas(during, 0, isSelection));
        QVERIFY(!cellHas(during, 0, isText));
        QVERIFY(cellHas(during, 1, isText)); // report view: only the edited column goes
        // Once the edit ends the caption is back.
        f.lv->EditManager().CancelEdit();
        f.Settle();
        QVERIFY(cellHas(render(), 0, isText));
    }

    // --- The editors ---

    void tabTypesABlank()
    {
        Fixture f;
        f.Begin(0);
        f.Line()->clear();
        QTest::keyClicks(f.Box(), "a");
        QTest::keyClick(f.Box(), Qt::Key_Tab);
        QTest::keyClicks(f.Box(), "b");
        QCOMPARE(f.Line()->text(), QString("a b"));
        QVERIFY(f.lv->EditManager().Editing());
        QVERIFY(f.lv->EditManager().Editor()->Modified());
    }

    void menus()
    {
        Fixture f;
        f.Begin(0);
        const QPoint inBox(5, 5);
        QContextMenuEvent mouse(QContextMenuEvent::Mouse, inBox, f.Box()->mapToGlobal(inBox));
        QCoreApplication::sendEvent(f.Box(), &mouse);
        // Without a handler the box's own menu, at the pointer.
        QCOMPARE(f.popped.size(), 1);
        QVERIFY(f.popped[0].first && !f.popped[0].first->actions().isEmpty());
        QCOMPARE(f.popped[0].second, f.Box()->mapToGlobal(inBox));
        QMenu mine;
        TLvBaseEditor *asked = nullptr;
        f.lv->OnItemGetEditMenu = [&](TLvBaseEditor *editor, QMenu *&menu) {
            asked = editor;
            menu = &mine;
        };
        QContextMenuEvent keyboard(QContextMenuEvent::Keyboard, QPoint(0, 0), f.Box()->mapToGlobal(QPoint(0, 0)));
        QCoreApplication::sendEvent(f.Box(), &keyboard);
        QCOMPARE(f.popped.size(), 2);
        QCOMPARE(f.popped[1].first, &mine);
        QCOMPARE(f.popped[1].second, f.Box()->mapToGlobal(QPoint(0, 0)));
        QCOMPARE(static_cast<ILvCellEditor *>(asked), f.lv->EditManager().Editor());
        QVERIFY(f.lv->EditManager().Editing());
    }

    void onItemEdited_data()
    {
        QTest::addColumn<QString>("replacement");
        QTest::addColumn<bool>("accept");
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QStringList>("events");
        QTest::newRow("as typed") << QString() << true << "typed" << QStringList{"accepted typed"};
        QTest::newRow("changed") << "changed" << true << "changed" << QStringList{"accepted changed"};
        QTest::newRow("refused") << QString() << false << "item0" << QStringList{};
    }
    void onItemEdited()
    {
        QFETCH(QString, replacement);
        QFETCH(bool, accept);
        QFETCH(QString, stored);
        QFETCH(QStringList, events);
        Fixture f;
        f.lv->OnItemEdited = [&](TLvItem *, QVariant &value, bool &a) {
            if (!replacement.isEmpty())
                value = replacement;
            a = accept;
        };
        f.Begin(0);
        f.Line()->setText("typed");
        QTest::keyClick(f.Box(), Qt::Key_Return);
        QCOMPARE(f.Item(0)->Caption(), stored);
        QCOMPARE(f.events, events);
        QVERIFY(f.lv->EditManager().Editing()); // the end comes from the event loop
        f.Settle();
        QCOMPARE(f.lv->EditManager().Editing(), !accept);
    }

    void columnAndEditCaption()
    {
        Fixture f;
        f.lv->OnItemEditBegin = [](TLvItem *, int &column, bool &) { column = 2; };
        QString given;
        f.lv->OnItemGetEditCaption = [&](TLvItem *, TLvColumn *column, QString &caption) {
            QCOMPARE(column->Index(), 2);
            caption = given;
        };
        f.Begin(1);
        QCOMPARE(f.lv->EditManager().EditColumn(), f.lv->Header().Columns()[2]);
        QCOMPARE(f.Line()->text(), QString("r1c2")); // an empty text from the handler: the stored one
        f.Line()->setText("novo");
        QTest::keyClick(f.Box(), Qt::Key_Enter);
        QCOMPARE(f.Item(1)->Captions(2), QString("novo"));
        QCOMPARE(f.Item(1)->Caption(), QString("item1"));
        f.Settle();
        given = "do evento";
        f.Begin(1);
        QCOMPARE(f.Line()->text(), QString("do evento"));
    }

    void stringBoxGeometry()
    {
        Fixture f;
        f.Item(0)->SetCaption(QString());
        f.Begin(0);
        const QFontMetrics m(f.Box()->font());
        const TLvRectArrayObject r = f.Item(0)->ItemRectArray(f.lv->Header().Columns()[0]);
        const LvRect label = f.lv->Scrollbars().MapViewRectToWindow(r.LabelArea.Inflated(-4, -2));
        // One blank wide, plus the margins and room for a character.
        QCOMPARE(f.Box()->x(), label.left - 6);
        QCOMPARE(f.Box()->width(), m.horizontalAdvance(' ') + 12 + m.averageCharWidth());
        QCOMPARE(f.Box()->height(), m.height() + 4);
        // Every key resizes the box to its text once typed.
        QTest::keyClicks(f.Box(), "WWWW");
        f.Settle();
        QCOMPARE(f.Box()->width(), m.horizontalAdvance("WWWW") + 12 + m.averageCharWidth());
        QTest::keyClick(f.Box(), Qt::Key_Backspace);
        f.Settle();
        QCOMPARE(f.Box()->width(), m.horizontalAdvance("WWW") + 12 + m.averageCharWidth());
    }

    void memoGrowsWithinTheClient()
    {
        Fixture f(TLvListStyle::elsIcon);
        f.Begin(0);
        auto *memo = qobject_cast<QTextEdit *>(f.Box());
        QVERIFY(memo);
        QCOMPARE(memo->toPlainText(), QString("item0"));
        QCOMPARE(memo->document()->defaultTextOption().alignment(), Qt::AlignHCenter);
        const int before = memo->height();
        memo->setPlainText(QString("palavra ").repeated(60));
        QTest::keyClick(memo, Qt::Key_End);
        f.Settle();
        QVERIFY(memo->height() > before);
        QCOMPARE(memo->geometry().bottom() + 1, f.lv->ClientHeight() - 2);
    }

    void enterAndF2()
    {
        Fixture f(TLvListStyle::elsIcon);
        f.Begin(0);
        auto *memo = qobject_cast<QTextEdit *>(f.Box());
        QTextCursor c = memo->textCursor();
        c.clearSelection();
        memo->setTextCursor(c);
        QTest::keyClick(memo, Qt::Key_F2);
        QCOMPARE(memo->textCursor().selectedText(), QString("item0"));
        QTest::keyClick(memo, Qt::Key_End);
        QTest::keyClicks(memo, "X");
        QTest::keyClick(memo, Qt::Key_Return);
        QCOMPARE(f.Item(0)->Caption(), QString("item0X")); // no line break: Enter never reached the box
    }

    void unicodeKeptIntact_data()
    {
        QTest::addColumn<int>("view");
        QTest::newRow("string") << int(TLvListStyle::elsReport);
        QTest::newRow("memo") << int(TLvListStyle::elsIcon);
    }
    void unicodeKeptIntact()
    {
        QFETCH(int, view);
        Fixture f{TLvListStyle(view)};
        const QString text = QStringLiteral("Łódź €");
        f.Item(0)->SetCaption(text);
        f.Begin(0);
        QCOMPARE(f.lv->EditManager().Editor()->AcceptEdit(), true);
        QCOMPARE(f.Item(0)->Caption(), text);
        f.Settle();
        f.Item(0)->SetCaption("x");
        f.Begin(0);
        f.lv->EditManager().Editor()->SelectAll();
        Fixture::Type(f.Box(), text);
        QTest::keyClick(f.Box(), Qt::Key_Return);
        QCOMPARE(f.Item(0)->Caption(), text);
    }

    void flatBorderWhenUnthemed()
    {
        Fixture f;
        f.Begin(0);
        QVERIFY(f.Box()->styleSheet().contains("1px solid"));
        f.lv->EditManager().CancelEdit();
        f.Settle();
        f.lv->SetThemed(true);
        f.Begin(0);
        QVERIFY(f.Box()->styleSheet().isEmpty());
        f.lv->EditManager().CancelEdit();
        f.Settle();
        Fixture m(TLvListStyle::elsIcon);
        m.Begin(0);
        auto *memo = qobject_cast<QFrame *>(m.Box());
        QCOMPARE(memo->frameStyle(), int(QFrame::Box | QFrame::Plain));
        QCOMPARE(memo->lineWidth(), 1);
    }

    void editorFromTheHandler()
    {
        // An application's editor: the manager owns it and frees it once the edit has ended.
        struct Counted : TLvStringEditor {
            int *alive;
            explicit Counted(int *a) : alive(a) { ++*alive; }
            ~Counted() override { --*alive; }
        };
        Fixture f(TLvListStyle::elsIcon);
        int alive = 0;
        ILvCellEditor *given = nullptr;
        f.lv->OnItemCreateEditor = [&](TLvItem *, ILvCellEditor *&editor) { editor = given = new Counted(&alive); };
        f.Begin(1);
        QCOMPARE(f.lv->EditManager().Editor(), given);
        QVERIFY(f.Line()); // a one-line box where the view would have made a memo
        QCOMPARE(alive, 1);
        // Another watcher of the box keeps watching after the editor lets go, until the box is freed.
        struct Watcher : QObject {
            int seen = 0;
            bool eventFilter(QObject *, QEvent *e) override
            {
                seen += e->type() == QEvent::User;
                return false;
            }
        } watcher;
        QPointer<QWidget> box = f.Box();
        box->installEventFilter(&watcher);
        f.lv->EditManager().CancelEdit();
        QEvent user(QEvent::User);
        QCoreApplication::sendEvent(box, &user);
        QCOMPARE(watcher.seen, 1);
        f.Settle();
        f.Settle();
        QVERIFY(!box);
        QCOMPARE(alive, 0);
    }

    void freeingTheEditedItemEndsTheEdit()
    {
        Fixture f;
        f.Begin(2);
        f.Line()->setText("perdido");
        f.lv->Items().Clear();
        QVERIFY(!f.lv->EditManager().Editing());
        QCOMPARE(f.events, QStringList{"end item2"});
        f.Settle();
        QCOMPARE(f.lv->Items().Count(), 0);
    }
};

QTEST_MAIN(tst_QtLvEdit)
#include "tst_QtLvEdit.moc"
