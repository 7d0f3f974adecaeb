#pragma once
// In-place editing of an item's caption.
//
// TLvEditManager (the control's EditManager) starts an edit, makes the editor and watches the whole
// application while the edit lasts; it runs no loop of its own: BeginEdit shows the box and returns,
// and an application event filter does what the edit needs while it is open:
//   - Escape ends the edit without accepting; Ctrl+A selects the box's text;
//   - Tab (with TabMoveFocus) accepts and moves the edit to the next editable item, Ctrl+Tab to the
//     previous one; an edit that the editor refuses stays, and the Tab is dropped;
//   - a press outside the box asks the editor to accept: accepted, the press goes on to its target;
//     refused, the press is dropped and the box keeps the focus;
//   - the wheel, and the application losing activation, end the edit without accepting.
// Presses on a window frame are not reported by Qt and end nothing. The end of an edit (box hidden,
// OnItemEditEnd, box freed, focus back where it was) runs from the event loop once the event that
// ended it is done, so OnItemEditAccepted comes before OnItemEditEnd, and nothing is freed under a
// handler that is still running.
//
// An editor is an ILvCellEditor held by a std::unique_ptr; OnItemCreateEditor may give one (the manager
// takes ownership), otherwise the view's default is made: TLvStringEditor (a one-line TLvEdit) in the
// small-icon, list, report and grid views, TLvMemoEditor (a centred multi-line TLvMemo) in the others.
// The boxes hold Unicode text: an accepted edit stores exactly what was typed.

#include "listview/ListviewCore.h"

#include <QLineEdit>
#include <QMenu>
#include <QObject>
#include <QPointer>
#include <QTextEdit>
#include <QTimer>

#include <functional>
#include <memory>
#include <vector>


namespace gdvorn::lv {

class QtLvListview;

class ILvCellEditor {
public:
    virtual ~ILvCellEditor() = default;
    // Offers the box's text to OnItemEdited and writes it back; false when the handler refused.
    virtual bool AcceptEdit() = 0;
    // The box, once it exists.
    virtual QWidget *EditorWindow() const = 0;
    virtual bool Modified() const = 0;
    // What the editor does with an event of its box (true: the event is taken).
    virtual bool WindowMessage(QEvent *event) = 0;
    virtual void Hide() = 0;
    virtual void Initialize(TLvItem *item, TLvColumn *column) = 0;
    virtual void Finalize() = 0;
    // A point of the list's client area (viewport coordinates) inside the box.
    virtual bool PointInEditor(QPoint point) const = 0;
    virtual void SetFocus() = 0;
    virtual void SelectAll() = 0;
    virtual void Show() = 0;
};

class TLvEditManager : public QObject {
public:
    explicit TLvEditManager(QtLvListview *owner);
    ~TLvEditManager() override;

    int AutoEditDelayTime() const { return autoEditDelayTime_; }
    void SetAutoEditDelayTime(int ms) { autoEditDelayTime_ = ms; }
    LvColor Color() const { return color_; }
    void SetColor(LvColor c) { color_ = c; }
    bool Enabled() const { return enabled_; }
    // Switching editing on or off ends an edit in progress.
    void SetEnabled(bool value);
    const QFont &Font() const { return font_; }
    void SetFont(const QFont &font) { font_ = font; }
    bool TabMoveFocus() const { return tabMoveFocus_; }
    void SetTabMoveFocus(bool v) { tabMoveFocus_ = v; }
    // Tab moves to the next column rather than the next item (only when a tab target column is set).
    bool TabEditColumns() const { return tabEditColumns_; }
    void SetTabEditColumns(bool v) { tabEditColumns_ = v; }

    bool Editing() const { return editing_; }
    TLvItem *EditItem() const { return editItem_; }
    TLvColumn *EditColumn() const { return editColumn_; }
    ILvCellEditor *Editor() const { return editor_.get(); }
    TLvItem *TabMoveItem() const { return tabItem_; }
    // Busy while an edit runs or a Tab move waits: BeginEdit does nothing then.
    bool Busy() const { return editing_ || tabItem_ != nullptr; }

    // Starts an edit of the item's caption in the column (nothing: the item's main caption).
    virtual void BeginEdit(TLvItem *item, TLvColumn *column);
    // Ends the edit: the end runs from the event loop. Also stops the auto-edit wait.
    void EndEdit();
    // The edit ends at once without accepting (Escape, the wheel, deactivation, the item going).
    void CancelEdit();
    // The wait after a click on the focused item, then BeginEdit on the focused item.
    void StartAutoEdit();
    void StopAutoEdit();
    bool AutoEditPending() const { return autoEdit_.isActive(); }
    // The Tab move: the edit starts again at the tab target (queued by a Tab).
    void TabMove();
    // The control forgets an object that is being freed.
    void Forget(TLvCollectionItem *object);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void EndOfEditStep();
    void AfterEdit();
    void ScheduleAfterEdit();
    void RemoveHook();
    TLvItem *AdjacentEditableItem(TLvItem *from, bool next);
    bool Accept();

    QtLvListview *owner_;
    int autoEditDelayTime_ = 300;
    LvColor color_ = LvColor(LvColor::clWindow);
    bool enabled_ = false, tabMoveFocus_ = false, tabEditColumns_ = false;
    QFont font_;
    bool hooked_ = false, finished_ = true, editing_ = false, ended_ = true, afterQueued_ = false;
    bool accepting_ = false; // an OnItemEdited handler may run a dialog: its events are not the edit's
    TLvItem *editItem_ = nullptr;
    TLvColumn *editColumn_ = nullptr;
    TLvItem *tabItem_ = nullptr;
    TLvColumn *tabColumn_ = nullptr;
    std::unique_ptr<ILvCellEditor> editor_;
    // Editors whose edit ended; freed from the event loop, never under one of their own calls.
    std::vector<std::unique_ptr<ILvCellEditor>> retired_;
    QPointer<QWidget> activeControl_;
    QTimer autoEdit_;
};

// The base of the built-in editors: makes the box over the item (from the item's label area), watches
// it with an event filter and writes the accepted text back.
class TLvBaseEditor : public QObject, public ILvCellEditor {
public:
    TLvBaseEditor() = default;
    ~TLvBaseEditor() override;

    virtual QWidget *EditorControl() const { return control_; }
    virtual void SetEditorControl(QWidget *control) { control_ = control; }
    // The text the box starts with: OnItemGetEditCaption, else the caption of the column.
    virtual void EditCaption(TLvItem *item, TLvColumn *column, QString &caption);
    virtual void EditorRect(const QString &text, LvRect &rect) = 0;
    virtual QWidget *CreateEditorControl(TLvColumn *column, QWidget *parent) = 0;
    virtual QFont EditorFont() const = 0;
    virtual void SetEditorFont(const QFont &font) = 0;
    virtual QVariant EditorText() const = 0;
    void SelectAll() override = 0;
    void SetFocus() override;
    // The box's own context menu (owned by the box), shown when OnItemGetEditMenu gives none.
    virtual QMenu *StandardMenu() { return nullptr; }

    // ILvCellEditor
    bool AcceptEdit() override;
    QWidget *EditorWindow() const override { return control_; }
    bool Modified() const override { return modified_; }
    bool WindowMessage(QEvent *event) override;
    void Hide() override;
    void Initialize(TLvItem *item, TLvColumn *column) override;
    void Finalize() override;
    bool PointInEditor(QPoint point) const override;
    void Show() override;

    LvColor EditorColor() const;
    // Recomputes and applies the box's bounds for its current text.
    void SizeEditor();
    TLvItem *EditItem() const { return item_; }
    TLvColumn *EditColumn() const { return column_; }
    QtLvListview *OwnerListview() const;
    bool OwnerThemed() const;
    const TLvRectArrayObject &RectArray() const { return rects_; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    // The key handling of the concrete editors (the box's key-down): Enter accepts, F2 selects all,
    // any other key resizes the box after it is typed; every key marks the edit modified.
    void KeyDown(QKeyEvent *event, bool &handled);
    virtual void KeyHook(int & /*key*/, bool & /*doDefault*/, Qt::KeyboardModifiers) {}
    // The unthemed look: a flat single border.
    void ApplyBorder(QWidget *box) const;
    // The label area less 4 and 2 pixels, in the list's client coordinates, with the metrics of the font.
    LvRect LabelRectInWindow() const;
    LvTextMetrics BoxMetrics() const;

    bool modified_ = false;

private:
    TLvColumn *column_ = nullptr;
    QPointer<QWidget> control_;
    TLvItem *item_ = nullptr;
    TLvRectArrayObject rects_;
};

// The one-line box of the string editor.
class TLvEdit : public QLineEdit {
public:
    explicit TLvEdit(QWidget *parent) : QLineEdit(parent) {}
    std::function<void(QKeyEvent *, bool &handled)> OnKeyDown;
    QString Text() const { return text(); }
    void SetText(const QString &text) { setText(text); }

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// The multi-line box of the memo editor: centred text, no scroll bars.
class TLvMemo : public QTextEdit {
public:
    explicit TLvMemo(QWidget *parent);
    std::function<void(QKeyEvent *, bool &handled)> OnKeyDown;
    QString Text() const { return toPlainText(); }
    void SetText(const QString &text);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// What both built-in editors do the same way on their box.
template <class Box> class TLvBoxEditor : public TLvBaseEditor {
public:
    QWidget *CreateEditorControl(TLvColumn *column, QWidget *parent) override
    {
        auto *box = new Box(parent);
        box->setVisible(false);
        QString caption;
        EditCaption(EditItem(), column, caption);
        box->SetText(caption);
        box->OnKeyDown = [this](QKeyEvent *e, bool &handled) { KeyDown(e, handled); };
        if (!OwnerThemed())
            ApplyBorder(box);
        return box;
    }
    QFont EditorFont() const override { return box() ? box()->font() : QFont(); }
    void SetEditorFont(const QFont &font) override
    {
        if (box())
            box()->setFont(font);
    }
    QVariant EditorText() const override { return box() ? QVariant(box()->Text()) : QVariant(); }
    void SelectAll() override
    {
        if (box())
            box()->selectAll();
    }
    void SetFocus() override
    {
        TLvBaseEditor::SetFocus();
        SelectAll();
    }
    QMenu *StandardMenu() override
    {
        if (!box())
            return nullptr;
        QMenu *menu = box()->createStandardContextMenu();
        menu->setParent(box(), menu->windowFlags()); // freed with the box
        return menu;
    }

private:
    Box *box() const { return static_cast<Box *>(EditorControl()); }
};

class TLvStringEditor : public TLvBoxEditor<TLvEdit> {
public:
    void EditorRect(const QString &text, LvRect &rect) override;
};

class TLvMemoEditor : public TLvBoxEditor<TLvMemo> {
public:
    void EditorRect(const QString &text, LvRect &rect) override;
};

} // namespace gdvorn::lv
