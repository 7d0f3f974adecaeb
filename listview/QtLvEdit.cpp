#include "listview/QtLvEdit.h"

#include "app/ugExcecao.h"
#include "listview/LvUtilities.h"
#include "listview/QtLvListview.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QTextDocument>

namespace gdvorn::lv {

// ---------------------------------------------------------------------------------------------------
// TLvEditManager

TLvEditManager::TLvEditManager(QtLvListview *owner) : owner_(owner), font_(owner->Font())
{
    autoEdit_.setSingleShot(true);
    connect(&autoEdit_, &QTimer::timeout, this, Protegido([this] {
        autoEdit_.stop();
        if (TLvItem *focused = owner_->Selection().FocusedItem())
            BeginEdit(focused, nullptr);
    }));
}

TLvEditManager::~TLvEditManager() { RemoveHook(); }

void TLvEditManager::SetEnabled(bool value)
{
    enabled_ = value;
    EndEdit();
}

void TLvEditManager::BeginEdit(TLvItem *item, TLvColumn *column)
{
    if (Busy() || owner_->Destroying())
        return;
    finished_ = false;
    if (!item || !enabled_)
        return;
    item->MakeVisible(3);
    editItem_ = item;
    int index = column ? column->Index() : 0;
    bool allow = true;
    if (owner_->OnItemEditBegin)
        owner_->OnItemEditBegin(item, index, allow);
    TLvColumns &columns = owner_->Header().Columns();
    if (owner_->View() == TLvListStyle::elsReport && index >= 0 && index < columns.Count())
        columns[index]->MakeVisible(3);
    else
        index = 0;
    editColumn_ = columns.Count() > 0 ? columns[index] : nullptr;
    // A refused edit, or one without an editor, leaves nothing behind.
    auto refuse = [this] {
        editItem_ = nullptr;
        editColumn_ = nullptr;
        finished_ = true;
    };
    if (!allow) {
        refuse();
        return;
    }
    ILvCellEditor *given = nullptr;
    if (owner_->OnItemCreateEditor)
        owner_->OnItemCreateEditor(item, given);
    editor_.reset(given);
    if (!editor_) {
        switch (owner_->View()) {
        case TLvListStyle::elsSmallIcon:
        case TLvListStyle::elsList:
        case TLvListStyle::elsReport:
        case TLvListStyle::elsGrid: editor_ = std::make_unique<TLvStringEditor>(); break;
        default: editor_ = std::make_unique<TLvMemoEditor>(); break;
        }
    }
    activeControl_ = QApplication::focusWidget();
    ended_ = false;
    editing_ = true;
    try {
        editor_->Initialize(item, editColumn_);
        item->Invalidate(true);
        editor_->Show();
        editor_->SetFocus();
    } catch (...) {
        AfterEdit();
        throw;
    }
    qApp->installEventFilter(this);
    hooked_ = true;
}

void TLvEditManager::EndEdit()
{
    autoEdit_.stop();
    RemoveHook();
    finished_ = true;
    if (editing_)
        ScheduleAfterEdit();
}

void TLvEditManager::CancelEdit()
{
    if (!editing_)
        return;
    RemoveHook();
    EndOfEditStep();
    ScheduleAfterEdit();
}

void TLvEditManager::StartAutoEdit()
{
    autoEdit_.stop();
    if (enabled_)
        autoEdit_.start(autoEditDelayTime_);
}

void TLvEditManager::StopAutoEdit() { autoEdit_.stop(); }

void TLvEditManager::RemoveHook()
{
    if (hooked_)
        qApp->removeEventFilter(this);
    hooked_ = false;
}

void TLvEditManager::ScheduleAfterEdit()
{
    if (afterQueued_)
        return;
    afterQueued_ = true;
    QMetaObject::invokeMethod(this, [this] { Protege([this] { AfterEdit(); }); }, Qt::QueuedConnection);
}

void TLvEditManager::EndOfEditStep()
{
    if (ended_)
        return;
    ended_ = true;
    TLvItem *item = editItem_;
    if (editor_) {
        // Whoever had the focus before the edit gets it back, not the box's neighbour.
        QWidget *box = editor_->EditorWindow();
        if (box && QApplication::focusWidget() == box && activeControl_)
            activeControl_->setFocus();
        editor_->Hide();
    }
    LvFinally done([&] {
        editItem_ = nullptr;
        finished_ = true;
        if (item && !item->HasState(cisDestroying))
            item->Invalidate(false);
    });
    struct Finalize {
        ILvCellEditor *editor;
        ~Finalize()
        {
            if (editor)
                editor->Finalize();
        }
    } finalize{editor_.get()};
    if (owner_->OnItemEditEnd && item)
        owner_->OnItemEditEnd(item);
}

void TLvEditManager::AfterEdit()
{
    afterQueued_ = false;
    if (!editing_)
        return;
    RemoveHook();
    LvFinally release([this] {
        editing_ = false;
        editColumn_ = nullptr;
        if (editor_) {
            retired_.push_back(std::move(editor_));
            QMetaObject::invokeMethod(this, [this] { retired_.clear(); }, Qt::QueuedConnection);
        }
        QWidget *focus = QApplication::focusWidget();
        if (activeControl_ && !owner_->Destroying() && (!focus || focus == owner_ || owner_->isAncestorOf(focus)))
            activeControl_->setFocus();
        activeControl_ = nullptr;
    });
    EndOfEditStep();
}

void TLvEditManager::TabMove()
{
    TLvItem *item = tabItem_;
    TLvColumn *column = tabColumn_;
    tabItem_ = nullptr;
    tabColumn_ = nullptr;
    if (tabEditColumns_ && column) {
        column->MakeVisible(0);
        BeginEdit(item, column);
        return;
    }
    if (item) {
        owner_->Selection().SetFocusedItem(item);
        item->MakeVisible(3);
        BeginEdit(item, nullptr);
    }
}

TLvItem *TLvEditManager::AdjacentEditableItem(TLvItem *from, bool next)
{
    TLvGroups &groups = owner_->Groups();
    for (TLvItem *c = from; (c = next ? groups.NextVisibleItem(c) : groups.PrevVisibleItem(c));) {
        int column = 0;
        bool allow = true;
        if (owner_->OnItemEditBegin)
            owner_->OnItemEditBegin(c, column, allow);
        if (allow)
            return c;
    }
    return nullptr;
}

void TLvEditManager::Forget(TLvCollectionItem *object)
{
    if (object == tabItem_)
        tabItem_ = nullptr;
    if (object == tabColumn_)
        tabColumn_ = nullptr;
    if (editing_ && object && (object == editItem_ || object == editColumn_)) {
        // The edited object goes: the edit ends now, without writing anything.
        CancelEdit();
        AfterEdit();
    }
}

bool TLvEditManager::Accept()
{
    accepting_ = true;
    LvFinally done([this] { accepting_ = false; });
    return editor_->AcceptEdit();
}

bool TLvEditManager::eventFilter(QObject *watched, QEvent *event)
{
    if (!editing_ || finished_ || !editor_ || accepting_)
        return false;
    bool taken = false;
    Protege([&] {
        switch (event->type()) {
        case QEvent::ShortcutOverride: {
            // The keys the edit takes must reach it as key presses, not as some window's shortcut.
            auto *k = static_cast<QKeyEvent *>(event);
            const bool ctrl = k->modifiers() & Qt::ControlModifier;
            if (k->key() == Qt::Key_Escape || (ctrl && k->key() == Qt::Key_A) ||
                (tabMoveFocus_ && (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab))) {
                event->accept();
                taken = true;
            }
            break;
        }
        case QEvent::KeyPress: {
            auto *k = static_cast<QKeyEvent *>(event);
            const bool ctrl = k->modifiers() & Qt::ControlModifier;
            if (k->key() == Qt::Key_Escape) {
                CancelEdit();
                taken = true;
            } else if (ctrl && k->key() == Qt::Key_A) {
                editor_->SelectAll();
                taken = true;
            } else if (tabMoveFocus_ && (k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab)) {
                taken = true;
                TLvItem *from = editItem_;
                if (!Accept()) {
                    editor_->SetFocus();
                    break;
                }
                tabItem_ = AdjacentEditableItem(from, !ctrl);
                tabColumn_ = nullptr;
                EndEdit();
                QMetaObject::invokeMethod(this, [this] { Protege([this] { TabMove(); }); }, Qt::QueuedConnection);
            }
            break;
        }
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            // Presses inside a popup (the box's own menu) belong to the edit.
            if (auto *w = qobject_cast<QWidget *>(watched); w && w->window()->windowType() == Qt::Popup)
                break;
            auto *m = static_cast<QMouseEvent *>(event);
            const QPoint p = owner_->viewport()->mapFromGlobal(m->globalPosition().toPoint());
            if (editor_->PointInEditor(p))
                break;
            if (!Accept()) {
                editor_->SetFocus();
                taken = true;
            }
            break;
        }
        case QEvent::Wheel: CancelEdit(); break;
        case QEvent::ApplicationDeactivate:
            QMetaObject::invokeMethod(
                this, [this] { Protege([this] { if (!finished_) CancelEdit(); }); }, Qt::QueuedConnection);
            break;
        default: break;
        }
    });
    return taken;
}

// ---------------------------------------------------------------------------------------------------
// TLvBaseEditor

TLvBaseEditor::~TLvBaseEditor() { delete control_.data(); }

QtLvListview *TLvBaseEditor::OwnerListview() const
{
    return item_ ? dynamic_cast<QtLvListview *>(item_->OwnerListview()) : nullptr;
}

bool TLvBaseEditor::OwnerThemed() const { return OwnerListview()->Themed(); }

LvColor TLvBaseEditor::EditorColor() const { return OwnerListview()->EditManager().Color(); }

void TLvBaseEditor::EditCaption(TLvItem *item, TLvColumn *column, QString &caption)
{
    caption.clear();
    ListviewCore *lv = item->OwnerListview();
    if (lv->OnItemGetEditCaption)
        lv->OnItemGetEditCaption(item, column, caption);
    if (caption.isEmpty())
        caption = column ? item->Captions(column->Index()) : item->Caption();
}

void TLvBaseEditor::Initialize(TLvItem *item, TLvColumn *column)
{
    item_ = item;
    column_ = column;
    QtLvListview *lv = OwnerListview();
    SetEditorControl(CreateEditorControl(column, lv->viewport()));
    QWidget *box = EditorControl();
    box->setVisible(false);
    box->installEventFilter(this);
    QPalette palette = box->palette();
    palette.setColor(QPalette::Base, ResolveColor(EditorColor()));
    box->setPalette(palette);
    SetEditorFont(lv->EditManager().Font());
    rects_ = item->ItemRectArray(column);
    SizeEditor();
    box->raise();
}

void TLvBaseEditor::Finalize()
{
    column_ = nullptr;
    if (QWidget *box = control_.data()) {
        // Only our own filter goes: another watcher installed since stays on the box until it is freed.
        box->removeEventFilter(this);
        box->hide();
        box->deleteLater();
    }
    control_ = nullptr;
}

void TLvBaseEditor::SizeEditor()
{
    QWidget *box = EditorControl();
    if (!box)
        return;
    LvRect r;
    EditorRect(EditorText().toString(), r);
    box->setGeometry(r.left, r.top, r.Width(), r.Height());
}

bool TLvBaseEditor::AcceptEdit()
{
    bool accept = true;
    QVariant value = EditorText();
    QtLvListview *lv = OwnerListview();
    if (lv->OnItemEdited)
        lv->OnItemEdited(item_, value, accept);
    if (!accept)
        return false;
    const QString text = value.toString();
    if (column_)
        item_->SetCaptions(column_->Index(), text);
    else
        item_->SetCaption(text);
    lv->EditManager().EndEdit();
    if (lv->OnItemEditAccepted)
        lv->OnItemEditAccepted(item_);
    return true;
}

void TLvBaseEditor::Hide()
{
    if (control_)
        control_->setVisible(false);
}

void TLvBaseEditor::Show()
{
    if (control_)
        control_->setVisible(true);
}

void TLvBaseEditor::SetFocus()
{
    if (control_)
        control_->setFocus(Qt::OtherFocusReason);
}

bool TLvBaseEditor::PointInEditor(QPoint point) const { return control_ && control_->geometry().contains(point); }

bool TLvBaseEditor::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != control_.data())
        return false;
    bool taken = false;
    Protege([&] { taken = WindowMessage(event); });
    return taken;
}

bool TLvBaseEditor::WindowMessage(QEvent *event)
{
    QtLvListview *lv = OwnerListview();
    if (!lv || !control_)
        return false;
    switch (event->type()) {
    case QEvent::ContextMenu: {
        auto *e = static_cast<QContextMenuEvent *>(event);
        QMenu *menu = nullptr;
        if (lv->OnItemGetEditMenu)
            lv->OnItemGetEditMenu(this, menu);
        if (!menu)
            menu = StandardMenu();
        // From the keyboard the menu opens at the box's top left.
        const QPoint global =
            e->reason() == QContextMenuEvent::Keyboard ? control_->mapToGlobal(QPoint(0, 0)) : e->globalPos();
        if (menu)
            lv->PopupMenu(menu, lv->viewport()->mapFromGlobal(global));
        return true;
    }
    case QEvent::KeyPress: {
        // A Tab that reaches the box types a blank.
        auto *k = static_cast<QKeyEvent *>(event);
        if ((k->key() == Qt::Key_Tab || k->key() == Qt::Key_Backtab) &&
            !(k->modifiers() & (Qt::ControlModifier | Qt::AltModifier))) {
            QKeyEvent blank(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, QStringLiteral(" "));
            QCoreApplication::sendEvent(control_.data(), &blank);
            return true;
        }
        return false;
    }
    default: return false;
    }
}

void TLvBaseEditor::KeyDown(QKeyEvent *event, bool &handled)
{
    int key = event->key();
    bool doDefault = true;
    KeyHook(key, doDefault, event->modifiers());
    modified_ = true;
    if (doDefault) {
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            key = 0;
            AcceptEdit();
        } else if (key == Qt::Key_F2) {
            SelectAll();
        } else {
            // The box follows its text once the key has been typed.
            QMetaObject::invokeMethod(this, [this] { Protege([this] { SizeEditor(); }); }, Qt::QueuedConnection);
        }
    }
    handled = key == 0;
}

void TLvBaseEditor::ApplyBorder(QWidget *box) const
{
    if (auto *frame = qobject_cast<QFrame *>(box)) {
        frame->setFrameStyle(QFrame::Box | QFrame::Plain);
        frame->setLineWidth(1);
    } else {
        box->setStyleSheet(QStringLiteral("border: 1px solid black;"));
    }
}

LvRect TLvBaseEditor::LabelRectInWindow() const
{
    QtLvListview *lv = OwnerListview();
    return lv->Scrollbars().MapViewRectToWindow(rects_.LabelArea.Inflated(-4, -2));
}

LvTextMetrics TLvBaseEditor::BoxMetrics() const { return TextMetrics(*OwnerListview(), EditorFont()); }

// ---------------------------------------------------------------------------------------------------
// The boxes

namespace {

// The box's key-down hook runs first; a key it takes goes no further.
bool KeyTaken(const std::function<void(QKeyEvent *, bool &)> &hook, QKeyEvent *event)
{
    bool handled = false;
    if (hook)
        hook(event, handled);
    if (handled)
        event->accept();
    return handled;
}

} // namespace

void TLvEdit::keyPressEvent(QKeyEvent *event)
{
    if (!KeyTaken(OnKeyDown, event))
        QLineEdit::keyPressEvent(event);
}

TLvMemo::TLvMemo(QWidget *parent) : QTextEdit(parent)
{
    setAcceptRichText(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setLineWrapMode(QTextEdit::WidgetWidth);
    document()->setDocumentMargin(2);
}

void TLvMemo::SetText(const QString &text)
{
    setPlainText(text);
    QTextOption centred = document()->defaultTextOption();
    centred.setAlignment(Qt::AlignHCenter);
    document()->setDefaultTextOption(centred);
}

void TLvMemo::keyPressEvent(QKeyEvent *event)
{
    if (!KeyTaken(OnKeyDown, event))
        QTextEdit::keyPressEvent(event);
}

// ---------------------------------------------------------------------------------------------------
// The string and memo editors

namespace {

// The limits both editors keep: the right edge within the client width less a character plus 12, the
// bottom two pixels above the client's.
void LimitToClient(LvRect &r, const ListviewCore &lv, int averageCharWidth)
{
    r.right = std::min(r.right, lv.ClientWidth() - averageCharWidth + 12);
    r.bottom = std::min(r.bottom, lv.ClientHeight() - 2);
}

} // namespace

void TLvStringEditor::EditorRect(const QString &text, LvRect &rect)
{
    const LvTextMetrics m = BoxMetrics();
    rect = LabelRectInWindow();
    DrawTextWide(m, nullptr, EditorFont(), {}, text.isEmpty() ? QStringLiteral(" ") : text, rect, 1,
                 dtCalcRect | dtSingleLine | dtVCenter | dtLeft);
    rect = rect.Inflated(6, 2);
    LimitToClient(rect, *OwnerListview(), m.averageCharWidth);
    rect.right += m.averageCharWidth; // room for the next character
}

void TLvMemoEditor::EditorRect(const QString &text, LvRect &rect)
{
    const LvTextMetrics m = BoxMetrics();
    rect = LabelRectInWindow();
    DrawTextWide(m, nullptr, EditorFont(), {}, text.isEmpty() ? QStringLiteral(" ") : text, rect, -1,
                 dtCalcRect | dtCenter);
    rect = rect.Inflated(12, 3);
    LimitToClient(rect, *OwnerListview(), m.averageCharWidth);
}

} // namespace gdvorn::lv
