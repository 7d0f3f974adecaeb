#pragma once
// The list view's model behind one seam: ListviewCore owns the groups, header, columns, flat item list,
// paint infos, cell sizes, selection, check and scroll managers, the state set, the update count and
// the events; the platform services (window, client size, dots per inch, focus, invalidation, cursor,
// capture, scroll bars, text measuring, view-object factories) are pure virtual. The control
// (QtLvListview) implements them on a QAbstractScrollArea; the model's tests use a fake.
//
// Update brackets: between BeginUpdate and the matching EndUpdate nothing is painted and structure
// changes only set their waiting members; the outermost EndUpdate lays out once, fires the waiting
// structure events (column, group, item, once each), updates the window when asked, then OnEndUpdate.
// EndUpdate without a BeginUpdate keeps the count at 0 and still does all that.
//
// Events: one std::function per event, named as the component names them, fired only when assigned;
// in-out parameters are references entering with their documented values. Sender is not passed: a
// handler that needs the control captures it.

#include "listview/LvCollection.h"
#include "listview/LvGesture.h"
#include "listview/LvHeader.h"
#include "listview/LvIncrementalSearch.h"
#include "listview/LvPaintInfo.h"
#include "listview/LvScroll.h"
#include "listview/LvSelection.h"
#include "listview/LvSort.h"
#include "listview/LvUtilities.h"
#include "listview/LvViews.h"

#include <QByteArray>
#include <QFont>
#include <QImage>
#include <QStringList>
#include <QVariant>
#include <QSize>

#include <exception>
#include <functional>
#include <memory>

class QMenu;
class QMimeData;

namespace gdvorn::lv {

// Objects of the editing, sorting, drag-and-drop and hint machinery: the events below name them, the
// units that make them define them.
class LvStream;
class TLvAlphaBlender;
class TLvBackgroundManager;
class TLvBaseEditor;
class ILvCellEditor;
class TLvViewGroup;
class TLvGlobalImageManager;
struct TLvHintInfo;
struct TLvViewGroupClass {
    const char *name;
    std::function<std::unique_ptr<TLvViewGroup>(ListviewCore *)> create;
};
// A set of TCommonDropEffect bits (1 << effect).
using TCommonDropEffects = std::uint32_t;
enum class TCommonOLEDragResult : std::uint8_t { cdrDrop, cdrCancel, cdrError };
enum class TLvQueryDragResult : std::uint8_t { eqdrContinue, eqdrDrop, eqdrQuit };
enum class TLvInsertMarkerDir : std::uint8_t { dmdHorz, dmdVert };
enum class TBorderStyle : std::uint8_t { bsNone, bsSingle };
enum class TBevelKind : std::uint8_t { bkNone, bkTile, bkSoft, bkFlat };
enum class TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised, bvSpace };

enum TLvListviewState : std::uint32_t {
    elvsLButtonDown = 1u << 0, elvsRButtonDown = 1u << 1, elvsMButtonDown = 1u << 2, elvsDragPending = 1u << 3,
    elvsDragging = 1u << 4, elvsToolkitDragging = 1u << 5, elvsDragRectPending = 1u << 6, elvsDragRect = 1u << 7,
    elvsCheckPending = 1u << 8, elvsGroupExpandClick = 1u << 9, elvsHeaderCapture = 1u << 10,
    elvsScrolling = 1u << 11, elvsDropTargetRegistered = 1u << 12, elvsNoContextMenu = 1u << 13,
    elvsColumnStructureChanged = 1u << 14, elvsGroupStructureChanged = 1u << 15,
    elvsItemStructureChanged = 1u << 16, elvsAssigningParentFont = 1u << 17,
};

struct TLvHitInfoItem {
    TLvItem *Item = nullptr;
    TLvGroup *Group = nullptr;
    TLvColumn *Column = nullptr;
    TLvItemHitTestInfoSet HitInfo = 0;
};
struct TLvHitInfoGroup {
    TLvGroup *Group = nullptr;
    TLvGroupHitTestInfoSet HitInfo = 0;
};
struct TLvHitInfoColumn {
    TLvColumn *Column = nullptr;
    int HitInfo = 0;
};

struct TLvEvents {
    // Items.
    std::function<void(TLvItem *, bool &Allow)> OnItemSelectionChanging;
    std::function<void(TLvItem *)> OnItemSelectionChanged;
    std::function<void()> OnItemSelectionsChanged;
    std::function<void(TLvItem *, bool &Allow)> OnItemCheckChanging;
    std::function<void(TLvItem *)> OnItemCheckChange;
    std::function<void(TLvItem *, bool &Allow)> OnItemEnableChanging;
    std::function<void(TLvItem *)> OnItemEnableChange;
    std::function<void(TLvItem *, bool &Allow)> OnItemFocusChanging;
    std::function<void(TLvItem *)> OnItemFocusChanged;
    std::function<void(TLvItem *, bool &Allow)> OnItemVisibilityChanging;
    std::function<void(TLvItem *)> OnItemVisibilityChanged;
    std::function<void(TLvItem *, TLvHotTrackState, QPoint)> OnItemHotTrack;
    std::function<void(TLvItem *)> OnItemInitialize;
    std::function<void(TLvItem *)> OnItemFreeing;
    std::function<void()> OnItemStructureChange;
    std::function<void(TLvItem *, int Column, QString &Caption)> OnItemGetCaption;
    std::function<void(TLvItem *, int Column, const QString &Caption)> OnItemSetCaption;
    std::function<void(TLvItem *, int Column, TLvImageKind, int &ImageIndex)> OnItemGetImageIndex;
    std::function<void(TLvItem *, int Column, TLvImageKind, int ImageIndex)> OnItemSetImageIndex;
    std::function<void(TLvItem *, int Column, const LvImageList *&ImageList)> OnItemGetImageList;
    std::function<void(TLvItem *, int Column, const LvImageList *&ImageList)> OnItemGetStateImageList;
    std::function<void(TLvItem *, int Line, int &Detail)> OnItemGetTileDetail;
    std::function<void(TLvItem *, int &Count)> OnItemGetTileDetailCount;
    std::function<void(TLvItem *, int Line, int Detail)> OnItemSetTileDetail;
    std::function<void(TLvItem *, int FocusedColumn, std::uint32_t &GroupKey)> OnItemGetGroupKey;
    std::function<void(TLvItem *, int Column, std::uint32_t Key)> OnItemSetGroupKey;
    std::function<void(TLvItem *, int Position, LvCanvas &)> OnItemPaintText;
    std::function<void(TLvItem *, TLvListStyle, const TLvViewItemClass *&View)> OnItemCustomView;
    std::function<void(TLvItem *, TCommonMouseButton, bool &DoDefault)> OnItemMouseDown;
    std::function<void(TLvItem *, TCommonMouseButton, bool &DoDefault)> OnItemMouseUp;
    std::function<void(TLvItem *, TCommonKeyStates, TLvItemHitTestInfoSet)> OnItemClick;
    std::function<void(TCommonMouseButton, QPoint, const TLvHitInfoItem &)> OnItemDblClick;
    std::function<void(const TLvHitInfoItem &, QPoint WindowPoint, QMenu *&Menu, bool &Handled)> OnItemContextMenu;
    std::function<void(TLvItem *, TLvColumn *, bool &IsCustom)> OnItemImageDrawIsCustom;
    std::function<void(TLvItem *, TLvColumn *, int &ImageWidth, int &ImageHeight)> OnItemImageGetSize;
    std::function<void(TLvItem *, TLvColumn *, LvCanvas &, const TLvRectArrayObject &, TLvAlphaBlender *)>
        OnItemImageDraw;
    std::function<void(TLvItem *, LvCanvas &, const LvRect &, TLvAlphaBlender *, bool &DoDefault)> OnItemThumbnailDraw;
    std::function<void(TLvItem *, LvStream &S, int Version)> OnItemLoadFromStream;
    std::function<void(TLvItem *, LvStream &S, int Version)> OnItemSaveToStream;
    std::function<int(TLvColumn *, TLvGroup *, TLvItem *Item1, TLvItem *Item2, bool &DoDefault)> OnItemCompare;
    std::function<void(TLvItem *, ILvCellEditor *&Editor)> OnItemCreateEditor;
    std::function<void(TLvItem *, int &Column, bool &Allow)> OnItemEditBegin;
    std::function<void(TLvItem *, TLvColumn *, QString &Caption)> OnItemGetEditCaption;
    std::function<void(TLvItem *, QVariant &NewValue, bool &Accept)> OnItemEdited;
    std::function<void(TLvItem *)> OnItemEditEnd;
    std::function<void(TLvItem *)> OnItemEditAccepted;
    std::function<void(TLvBaseEditor *, QMenu *&Menu)> OnItemGetEditMenu;
    // Groups.
    std::function<void(TLvGroup *, bool &Allow)> OnGroupVisibilityChanging;
    std::function<void(TLvGroup *)> OnGroupVisibilityChanged;
    std::function<void(TLvGroup *, TLvHotTrackState, QPoint)> OnGroupHotTrack;
    std::function<void(TLvGroup *)> OnGroupInitialize;
    std::function<void(TLvGroup *)> OnGroupFreeing;
    std::function<void()> OnGroupStructureChange;
    std::function<void(TLvGroup *)> OnGroupExpand;
    std::function<void(TLvGroup *)> OnGroupCollapse;
    std::function<void(TLvGroup *, bool &Allow)> OnGroupExpanding;
    std::function<void(TLvGroup *, bool &Allow)> OnGroupCollapsing;
    std::function<void(TLvGroup *, bool &Allow)> OnGroupSelectionChanging;
    std::function<void(TLvGroup *)> OnGroupSelectionChanged;
    std::function<void(TLvGroup *, TCommonKeyStates, TLvGroupHitTestInfoSet)> OnGroupClick;
    std::function<void(TCommonMouseButton, QPoint, const TLvHitInfoGroup &)> OnGroupDblClick;
    std::function<void(const TLvHitInfoGroup &, QPoint WindowPoint, QMenu *&Menu, bool &Handled)> OnGroupContextMenu;
    std::function<void(TLvGroup *, TLvListStyle, const TLvGridGroupClass *&Grid)> OnCustomGrid;
    std::function<void(TLvGroup *, QString &Caption)> OnGroupGetCaption;
    std::function<void(TLvGroup *, const QString &Caption)> OnGroupSetCaption;
    std::function<void(TLvGroup *, TLvImageKind, int &ImageIndex)> OnGroupGetImageIndex;
    std::function<void(TLvGroup *, TLvImageKind, int ImageIndex)> OnGroupSetImageIndex;
    std::function<void(TLvGroup *, const LvImageList *&ImageList)> OnGroupGetImageList;
    std::function<void(TLvGroup *, int Line, int &Detail)> OnGroupGetDetail;
    std::function<void(TLvGroup *, int &Count)> OnGroupGetDetailCount;
    std::function<void(TLvGroup *, int Line, int Detail)> OnGroupSetDetail;
    std::function<void(TLvGroup *, bool &IsCustom)> OnGroupImageDrawIsCustom;
    std::function<void(TLvGroup *, int &ImageWidth, int &ImageHeight)> OnGroupImageGetSize;
    std::function<void(TLvGroup *, LvCanvas &, const TLvRectArrayObject &, TLvAlphaBlender *)> OnGroupImageDraw;
    std::function<void(TLvGroup *, LvCanvas &)> OnGroupPaintText;
    std::function<void(TLvGroup *, TLvListStyle, const TLvViewGroupClass *&View)> OnGroupCustomView;
    std::function<void(TLvGroup *, LvStream &S, int Version)> OnGroupLoadFromStream;
    std::function<void(TLvGroup *, LvStream &S, int Version)> OnGroupSaveToStream;
    std::function<int(TLvGroup *Item1, TLvGroup *Item2)> OnGroupCompare;
    std::function<void(TLvItem *, int ColumnIndex, TLvGroups &, std::uint32_t &Key)> OnAutoGroupGetKey;
    std::function<void(TLvItem *, int ColumnIndex, TLvGroups &, TLvGroup *&Group, bool &DoDefaultAction)>
        OnAutoSortGroupCreate;
    // Columns and header.
    std::function<void(TLvColumn *, bool &Allow)> OnColumnCheckChanging;
    std::function<void(TLvColumn *)> OnColumnCheckChanged;
    std::function<void(TLvColumn *, bool &Allow)> OnColumnEnableChanging;
    std::function<void(TLvColumn *)> OnColumnEnableChanged;
    std::function<void(TLvColumn *, bool &Allow)> OnColumnFocusChanging;
    std::function<void(TLvColumn *)> OnColumnFocusChanged;
    std::function<void(TLvColumn *, bool &Allow)> OnColumnSelectionChanging;
    std::function<void(TLvColumn *)> OnColumnSelectionChanged;
    std::function<void(TLvColumn *, bool &Allow)> OnColumnVisibilityChanging;
    std::function<void(TLvColumn *)> OnColumnVisibilityChanged;
    std::function<void(TLvColumn *)> OnColumnInitialize;
    std::function<void(TLvColumn *)> OnColumnFreeing;
    std::function<void()> OnColumnStructureChange;
    std::function<void(TCommonMouseButton, TShiftState, TLvColumn *)> OnColumnClick;
    std::function<void(TCommonMouseButton, QPoint, TLvColumn *)> OnColumnDblClick;
    std::function<void(TLvColumn *, int Width, int NewWidth, bool &Allow)> OnColumnSizeChanging;
    std::function<void(TLvColumn *)> OnColumnSizeChanged;
    std::function<void(TLvColumn *, TCommonMouseButton, TShiftState, QPoint, bool &DoDefault)> OnColumnDropDownButtonClick;
    std::function<void(const TLvHitInfoColumn &, QPoint WindowPoint, QMenu *&Menu)> OnColumnContextMenu;
    std::function<void(TLvColumn *, LvCanvas &)> OnColumnPaintText;
    std::function<void(TLvColumn *, const TLvViewColumnClass *&View)> OnColumnCustomView;
    std::function<void(TLvColumn *, int Line, QString &Caption)> OnColumnGetCaption;
    std::function<void(TLvColumn *, const QString &Caption)> OnColumnSetCaption;
    std::function<void(TLvColumn *, TLvImageKind, int &ImageIndex)> OnColumnGetImageIndex;
    std::function<void(TLvColumn *, TLvImageKind, int ImageIndex)> OnColumnSetImageIndex;
    std::function<void(TLvColumn *, const LvImageList *&ImageList)> OnColumnGetImageList;
    std::function<void(TLvColumn *, int Line, int &Detail)> OnColumnGetDetail;
    std::function<void(TLvColumn *, int &Count)> OnColumnGetDetailCount;
    std::function<void(TLvColumn *, int Line, int Detail)> OnColumnSetDetail;
    std::function<void(TLvColumn *, bool &IsCustom)> OnColumnImageDrawIsCustom;
    std::function<void(TLvColumn *, int &ImageWidth, int &ImageHeight)> OnColumnImageGetSize;
    std::function<void(TLvColumn *, LvCanvas &, const TLvRectArrayObject &, TLvAlphaBlender *)> OnColumnImageDraw;
    std::function<void(TLvColumn *, LvStream &S, int Version)> OnColumnLoadFromStream;
    std::function<void(TLvColumn *, LvStream &S, int Version)> OnColumnSaveToStream;
    std::function<void(TCommonMouseButton, QPoint, TShiftState)> OnHeaderDblClick;
    std::function<void(TCommonMouseButton, TShiftState, int X, int Y, TLvColumn *)> OnHeaderMouseDown;
    std::function<void(TShiftState, int X, int Y)> OnHeaderMouseMove;
    std::function<void(TCommonMouseButton, TShiftState, int X, int Y, TLvColumn *)> OnHeaderMouseUp;
    std::function<void(LvCanvas &, const LvRect &, bool &Handled)> OnPaintHeaderBkGnd;
    // Control.
    std::function<void(int &CharCode, TShiftState &Shift, bool &DoDefault)> OnKeyAction;
    std::function<void(TCommonMouseButton, QPoint, TShiftState)> OnDblClick;
    std::function<void(QPoint MousePos, bool &Handled)> OnContextMenu;
    std::function<void(int DeltaX, int DeltaY)> OnScroll;
    std::function<void(int Bar)> OnScrollEnd;
    std::function<void()> OnViewChange;
    std::function<void()> OnEndUpdate;
    std::function<void(LvCanvas &, const LvRect &ClipRect)> OnAfterPaint;
    std::function<void(const QString &Gesture, bool &DoDefaultMouseAction)> OnMouseGesture;
    std::function<void(bool &Handled)> OnClipboardCopy;
    std::function<void(bool &MarkAsCut, bool &Handled)> OnClipboardCut;
    std::function<void(bool &Handled)> OnClipboardPaste;
    std::function<void()> OnThreadCallBack;
    std::function<void(TLvCollectionItem *TargetObj, TLvHintType, QPoint MousePos, QString &AText, int &HideTimeout,
                       int &ReShowTimeout, bool &Allow)>
        OnHintPopup;
    std::function<void(bool HintWindowShown, int &PauseDelay)> OnHintPauseTime;
    std::function<void(TLvCollectionItem *TargetObj, TLvHintInfo &Info)> OnHintCustomInfo;
    std::function<void(TLvCollectionItem *TargetObj, TLvHintInfo &Info)> OnHintCustomDraw;
    std::function<void(TLvCollectionItem *, const QString &SearchBuffer, bool &Handled, int &CompareResult)>
        OnIncrementalSearch;
    std::function<void()> OnSortBegin;
    std::function<void()> OnSortEnd;
    std::function<void(LvCanvas &, const LvRect &AWindowRect, TLvAlphaBlender *, bool &DoDefault)> OnPaintBkGnd;
    // Drag and drop: the data object is the platform's MIME data.
    std::function<void(QMimeData *ADataObject, TCommonDropEffects &AvailableEffects, bool &AllowDrag)> OnOLEDragStart;
    std::function<void(QMimeData *ADataObject, TCommonOLEDragResult, TCommonDropEffects ResultEffect,
                       TCommonKeyStates)>
        OnOLEDragEnd;
    std::function<void(QMimeData *&DataObject)> OnOLEGetDataObject;
    std::function<void(QImage &Image, QPoint DragStartPt, QPoint &HotSpot, LvColor &TransparentColor, bool &Handled)>
        OnGetDragImage;
    std::function<void(bool EscapeKeyPressed, TCommonKeyStates, TLvQueryDragResult &QueryResult)> OnOLEQueryContineDrag;
    std::function<void(TCommonDropEffects Effect, bool &UseDefaultCursors)> OnOLEGiveFeedback;
    std::function<void(const QMimeData *DataObject, TCommonKeyStates, QPoint WindowPt, TCommonDropEffects Available,
                       TCommonDropEffect &DesiredDropEffect)>
        OnOLEDragEnter;
    std::function<void(TCommonKeyStates, QPoint WindowPt, TCommonDropEffects Available,
                       TCommonDropEffect &DesiredDropEffect)>
        OnOLEDragOver;
    std::function<void()> OnOLEDragLeave;
    std::function<void(const QMimeData *DataObject, TCommonKeyStates, QPoint WindowPt, TCommonDropEffects Available,
                       TCommonDropEffect &DesiredDropEffect, bool &Handled)>
        OnOLEDragDrop;
    std::function<void(int dwDirection, QStringList &Formats)> OnOLEGetCustomFormats;
    std::function<void(const QString &Format, QByteArray &Medium, bool &Handled)> OnOLEGetData;
    std::function<void(const QString &Format, bool &FormatAvailable, bool &Handled)> OnOLEQueryData;
    std::function<void(TLvInsertMarkerDir &InsertMark, std::uint8_t &InsertMarkDropRange)> OnInsertMarkPosition;
};

class ListviewCore : public TLvEvents {
public:
    ListviewCore();
    virtual ~ListviewCore();
    ListviewCore(const ListviewCore &) = delete;
    ListviewCore &operator=(const ListviewCore &) = delete;

    // Clears the groups and columns while the platform services still exist: the destructor of the
    // class that implements them calls it first.
    void Shutdown();

    // --- Platform services -------------------------------------------------------------------------
    virtual bool HandleAllocated() const = 0;
    virtual int ClientWidth() const = 0;
    virtual int ClientHeight() const = 0;
    // The control's outer size (client plus frame and bars).
    virtual QSize ControlSize() const = 0;
    virtual int DpiX() const = 0;
    virtual int DpiY() const = 0;
    virtual bool Focused() const = 0;
    // Invalidates a window rectangle (nothing: the whole client area), painted at once when immediate.
    virtual void InvalidateWindow(const LvRect *rect, bool immediate) = 0;
    virtual void UpdateWindow() = 0;
    // 0 the default cursor, 768 the header-split cursor.
    virtual void SetCursorNumber(int cursor) = 0;
    virtual void SetHeaderCapture(bool capture) = 0;
    virtual bool ScrollBarShown(bool vertical) const = 0;
    virtual void ShowScrollBar(bool vertical, bool show) = 0;
    // Minimum 0; maximum, page and position as the scroll information of the component.
    virtual void SetScrollInfo(bool vertical, int maximum, int page, int position) = 0;
    // Width of a vertical bar, height of a horizontal one.
    virtual int ScrollBarExtent() const = 0;
    virtual QSize TextExtent(const QFont &font, const QString &text) const = 0;
    virtual int TextHeight(const QFont &font) const = 0;
    virtual int AverageCharWidth(const QFont &font) const = 0;
    virtual int MaxCharWidth(const QFont &font) const = 0;
    virtual void NotifyAccessibility(int /*event*/) {}
    // Whether a screen reader may rename an item (in-place editing is enabled).
    virtual bool ItemEditingEnabled() const { return false; }
    // Invalidates again what paint events skipped inside an update bracket (the outermost EndUpdate).
    virtual void RepaintSkipped() {}
    virtual void PopupMenu(QMenu * /*menu*/, QPoint /*windowPoint*/) {}
    // The control font changed: the platform side's own fonts follow it (the in-place editor's).
    virtual void FontChanged() {}
    // Brings the window's border in line with BorderStyle, Themed, ShowThemedBorder, Ctl3D and the
    // bevels (what recreating the window does).
    virtual void ApplyBorder() {}
    // The in-place edit that runs, if any: its item paints no selection, and no caption in the edited
    // column (every column outside the report view).
    virtual TLvItem *EditingItem() const { return nullptr; }
    virtual TLvColumn *EditingColumn() const { return nullptr; }
    // Whether hot tracking is on: items announce their hot-tracking changes only then (groups always).
    virtual bool HotTrackEnabled() const { return false; }
    // The caption of the hot-tracked item takes the hot colour (and underline); nothing for another item.
    virtual void HotTrackCaptionFont(const TLvItem * /*item*/, LvCanvas & /*canvas*/) const {}
    // View objects of the current view for items, columns and groups' grids.
    virtual std::unique_ptr<TLvViewItem> NewViewItem(TLvListStyle view);
    virtual const char *ViewItemClassName(TLvListStyle view) const;
    virtual std::unique_ptr<TLvViewColumn> NewViewColumn();
    // Fills the header band as the style draws a header section (themes in use); false: not painted.
    virtual bool PaintThemedHeaderBackground(LvCanvas & /*canvas*/, const LvRect & /*rect*/) { return false; }
    // The header starts dragging a column (point in header coordinates); the drag runs to its end.
    virtual void BeginHeaderDrag(TLvColumn * /*column*/, QPoint /*headerPoint*/) {}
    // A drag manager was switched on or off (the header's Draggable).
    virtual void DragEnabledChanged() {}
    // An item, group or column is being freed: the platform side forgets it (drag managers, hot
    // tracking, editing, hints, its accessible object).
    virtual void ObjectDestroying(TLvCollectionItem * /*object*/) {}
    virtual std::unique_ptr<TLvViewGroup> NewViewGroup();

    // --- Owned objects -------------------------------------------------------------------------------
    TLvGroups &Groups() { return *groups_; }
    TLvHeader &Header() { return *header_; }
    TLvGlobalItems &Items() { return *items_; }
    TLvSelectionManager &Selection() { return *selection_; }
    // Takes another selection manager (made for this control) and frees the current one.
    void SetSelection(std::unique_ptr<TLvSelectionManager> value);
    TLvScrollbarManager &Scrollbars() { return *scrollbars_; }
    TLvCheckManager &CheckManager() { return checkManager_; }
    TLvGestureManager &Gesture() { return gesture_; }
    // The last mouse position, written at every press and move (the gestures compare against it).
    QPoint LastMousePos() const { return lastMousePos_; }
    void SetLastMousePos(QPoint p) { lastMousePos_ = p; }
    TLvDragRectManager &DragRectManager() { return *dragRect_; }
    TLvCellSizes &CellSizes();
    // What is painted behind the groups and items; setting another one frees the current one.
    TLvBackgroundManager &Background();
    void SetBackground(std::unique_ptr<TLvBackgroundManager> value);
    TLvPaintInfoItem &PaintInfoItem() { return *paintInfoItem_; }
    TLvPaintInfoColumn &PaintInfoColumn() { return *paintInfoColumn_; }
    TLvPaintInfoGroup &PaintInfoGroup() { return *paintInfoGroup_; }
    // Hands a paint-info object to the control, which frees the one it had of that kind; the object it
    // already has changes nothing.
    void SetPaintInfoItem(std::unique_ptr<TLvPaintInfoItem> info);
    void SetPaintInfoColumn(std::unique_ptr<TLvPaintInfoColumn> info);
    void SetPaintInfoGroup(std::unique_ptr<TLvPaintInfoGroup> info);
    // The shared glyphs (made at first use); the control's own expand and collapse pictures, when set,
    // take precedence over them.
    TLvGlobalImageManager &GlobalImages();
    TLvSortManager &Sort() { return *sort_; }
    TLvIncrementalSearchManager &IncrementalSearch() { return *incrementalSearch_; }

    // --- State ---------------------------------------------------------------------------------------
    std::uint32_t States() const { return states_; }
    bool HasState(std::uint32_t s) const { return (states_ & s) != 0; }
    void Include(std::uint32_t s) { states_ |= s; }
    void Exclude(std::uint32_t s) { states_ &= ~s; }
    int UpdateCount() const { return updateCount_; }
    bool Updating() const { return updateCount_ > 0; }
    bool Destroying() const { return destroying_; }
    // Lowers the count without the EndUpdate processing (the keyboard focus move).
    void DecUpdateCount() { updateCount_ = std::max(0, updateCount_ - 1); }

    void BeginUpdate();
    void EndUpdate(bool invalidate = true);
    void EndUpdateProcessing();
    // The end-of-mouse reset.
    void ClearMouseStates();
    // Marks a pending structure change or fires its event (outside an update bracket).
    void StructureChanged(std::uint32_t member, const std::function<void()> &event);

    // --- Properties ----------------------------------------------------------------------------------
    TLvListStyle View() const { return view_; }
    void SetView(TLvListStyle value);
    bool AllowHiddenCheckedItems() const { return allowHiddenCheckedItems_; }
    void SetAllowHiddenCheckedItems(bool v) { allowHiddenCheckedItems_ = v; }
    LvColor Color() const { return color_; }
    void SetColor(LvColor v);
    const QFont &Font() const { return font_; }
    void SetFont(const QFont &font);
    const QFont &GroupFont() const { return groupFont_; }
    void SetGroupFont(const QFont &font);
    // The control's own group expand and collapse glyphs; while null, the shared ones. Set as 32-bit copies.
    const QImage &GroupExpandButton() const { return groupExpandButton_; }
    void SetGroupExpandButton(const QImage &image);
    const QImage &GroupCollapseButton() const { return groupCollapseButton_; }
    void SetGroupCollapseButton(const QImage &image);
    bool ShowGroupMargins() const { return showGroupMargins_; }
    void SetShowGroupMargins(bool v);
    bool ShowImages() const { return showImages_; }
    void SetShowImages(bool v);
    bool ShowInactive() const { return showInactive_; }
    void SetShowInactive(bool v);
    // What a disabled, cut or ghosted item's image is blended with.
    LvColor DisabledBlendColor() const { return disabledBlendColor_; }
    void SetDisabledBlendColor(LvColor v) { disabledBlendColor_ = v; }
    int DisabledBlendAlpha() const { return disabledBlendAlpha_; }
    void SetDisabledBlendAlpha(int v) { disabledBlendAlpha_ = v; }
    // Themed painting goes through QStyle; off, the component's own glyphs and edges are drawn.
    bool Themed() const { return themedStored_; }
    void SetThemed(bool v)
    {
        if (themedStored_ != v) {
            themedStored_ = v;
            ApplyBorder();
            Invalidate();
        }
    }
    // Themed, the border is the style's when ShowThemedBorder is on and none otherwise, whatever the
    // BorderStyle. Unthemed, BorderStyle bsSingle gives a sunken client edge (Ctl3D) or a flat line, and
    // a BevelKind other than bkNone adds a bevel for each of BevelInner and BevelOuter that is not bvNone.
    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle v) { SetBorderSetting(borderStyle_, v); }
    bool ShowThemedBorder() const { return showThemedBorder_; }
    void SetShowThemedBorder(bool v) { SetBorderSetting(showThemedBorder_, v); }
    bool Ctl3D() const { return ctl3D_; }
    void SetCtl3D(bool v) { SetBorderSetting(ctl3D_, v); }
    TBevelKind BevelKind() const { return bevelKind_; }
    void SetBevelKind(TBevelKind v) { SetBorderSetting(bevelKind_, v); }
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut v) { SetBorderSetting(bevelInner_, v); }
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut v) { SetBorderSetting(bevelOuter_, v); }
    // Kept for compatibility: the platform double-buffers every paint.
    bool CacheDoubleBufferBits() const { return cacheDoubleBufferBits_; }
    void SetCacheDoubleBufferBits(bool v) { cacheDoubleBufferBits_ = v; }
    const LvImageList *ImagesSmall() const { return imagesSmall_; }
    void SetImagesSmall(const LvImageList *v);
    const LvImageList *ImagesLarge() const { return imagesLarge_; }
    void SetImagesLarge(const LvImageList *v);
    const LvImageList *ImagesExLarge() const { return imagesExLarge_; }
    void SetImagesExLarge(const LvImageList *v);
    const LvImageList *ImagesGroup() const { return imagesGroup_; }
    void SetImagesGroup(const LvImageList *v);
    const LvImageList *ImagesState() const { return imagesState_; }
    void SetImagesState(const LvImageList *v);
    TLvDefaultWheelScroll WheelMouseDefaultScroll() const { return wheelDefault_; }
    void SetWheelMouseDefaultScroll(TLvDefaultWheelScroll v) { wheelDefault_ = v; }
    bool WheelMouseScrollModifierEnabled() const { return wheelModifier_; }
    void SetWheelMouseScrollModifierEnabled(bool v) { wheelModifier_ = v; }
    TLvHintType HintType() const { return hintType_; }
    void SetHintType(TLvHintType v) { hintType_ = v; }
    QMenu *PopupMenuHeader() const { return popupMenuHeader_; }
    void SetPopupMenuHeader(QMenu *m) { popupMenuHeader_ = m; }

    // --- Operations ----------------------------------------------------------------------------------
    bool HeaderVisibleInView() const;
    bool IsVerticalView() const;
    bool IsThumbnailView() const;
    bool HeaderScrollsWithView() const;
    LvRect ClientRect() const { return {0, 0, ClientWidth(), ClientHeight()}; }
    // The client rectangle below the header, in document coordinates.
    LvRect ClientRectWithoutHeader() const;
    TLvGroup *GroupAt(QPoint windowPoint, TLvGroupHitTestInfoSet &hitInfo);
    TLvItem *ItemAt(QPoint windowPoint, TLvGroup *group, TLvItemHitTestInfoSet &hitInfo);
    bool IsHeaderPoint(QPoint windowPoint, bool force = false) const;
    // Report view: each (visible) column fits its content; small-icon, list and grid views: the view's cell
    // size takes its captions' width.
    void AutoSizeColumns(bool visibleOnly);
    void ClearCutMarks();
    void MarkSelectedCut();
    // OnClipboardCut with MarkAsCut false and Handled true; both left so mark the selected items cut.
    void CutToClipboard();
    void PasteFromClipboard();
    // Version 6, the view as a byte, then the groups and the columns as collection blocks. Loading runs in
    // an update bracket; a version of 0 or below reads nothing more.
    virtual void SaveToStream(LvStream &s);
    virtual void LoadFromStream(LvStream &s);
    // Invalidates the whole client area.
    void Invalidate(bool immediate = false) { InvalidateWindow(nullptr, immediate); }
    // An image list is being freed: the control, its header included, stops using it.
    void ImageListFreed(const LvImageList *list);
    // The check-box bound of a point size: a square of round(points × dpi / 72) pixels.
    LvRect CheckBoxBound(int pointSize) const;
    // Expand and collapse glyph size (9 × 9) and sort arrows (16 × 16), drawn by the painters.
    static QSize GroupButtonSize() { return {9, 9}; }
    static QSize SortArrowSize() { return {16, 16}; }

private:
    template <class T> void SetBorderSetting(T &setting, T value)
    {
        if (setting != value) {
            setting = value;
            ApplyBorder();
        }
    }

    std::uint32_t states_ = 0;
    int updateCount_ = 0;
    bool destroying_ = false;
    TLvListStyle view_ = TLvListStyle::elsIcon;
    bool allowHiddenCheckedItems_ = false;
    LvColor color_ = LvColor(LvColor::clWindow);
    QFont font_, groupFont_;
    bool showGroupMargins_ = false, showImages_ = true, showInactive_ = false;
    LvColor disabledBlendColor_ = LvColor(LvColor::clWindow);
    int disabledBlendAlpha_ = 128;
    bool themedStored_ = true, cacheDoubleBufferBits_ = false;
    TBorderStyle borderStyle_ = TBorderStyle::bsSingle;
    bool showThemedBorder_ = true, ctl3D_ = true;
    TBevelKind bevelKind_ = TBevelKind::bkNone;
    TBevelCut bevelInner_ = TBevelCut::bvLowered, bevelOuter_ = TBevelCut::bvRaised;
    QImage groupExpandButton_, groupCollapseButton_;
    const LvImageList *imagesSmall_ = nullptr, *imagesLarge_ = nullptr, *imagesExLarge_ = nullptr,
                      *imagesState_ = nullptr, *imagesGroup_ = nullptr;
    TLvDefaultWheelScroll wheelDefault_ = TLvDefaultWheelScroll::edwsVert;
    bool wheelModifier_ = true;
    QMenu *popupMenuHeader_ = nullptr;
    TLvHintType hintType_ = TLvHintType::ehtText;

    std::unique_ptr<TLvPaintInfoGroup> paintInfoGroup_;
    std::unique_ptr<TLvPaintInfoItem> paintInfoItem_;
    std::unique_ptr<TLvPaintInfoColumn> paintInfoColumn_;
    std::unique_ptr<TLvScrollbarManager> scrollbars_;
    std::unique_ptr<TLvDragRectManager> dragRect_;
    TLvCheckManager checkManager_;
    TLvGestureManager gesture_;
    QPoint lastMousePos_;
    // Made before the groups and freed after them: freeing an item clears the search's references.
    std::unique_ptr<TLvSortManager> sort_ = std::make_unique<TLvSortManager>(this);
    std::unique_ptr<TLvIncrementalSearchManager> incrementalSearch_ =
        std::make_unique<TLvIncrementalSearchManager>(this);
    std::unique_ptr<TLvSelectionManager> selection_;
    std::unique_ptr<TLvGroups> groups_;
    std::unique_ptr<TLvHeader> header_;
    std::unique_ptr<TLvCellSizes> cellSizes_; // made at first use: it scales by the dots per inch
    std::unique_ptr<TLvGlobalItems> items_;
    std::unique_ptr<TLvBackgroundManager> background_; // made at first use
    std::unique_ptr<TLvGlobalImageManager> globalImages_; // made at first use
};

// BeginUpdate for a scope; EndUpdate(true) on every exit. A handler that throws inside that EndUpdate
// reaches the caller, unless an exception is already on its way out (that one goes on).
class LvUpdateBracket {
public:
    explicit LvUpdateBracket(ListviewCore &lv) : lv_(lv) { lv_.BeginUpdate(); }
    ~LvUpdateBracket() noexcept(false) { CloseBracket(unwinding_, [this] { lv_.EndUpdate(true); }); }
    LvUpdateBracket(const LvUpdateBracket &) = delete;
    LvUpdateBracket &operator=(const LvUpdateBracket &) = delete;

private:
    ListviewCore &lv_;
    const int unwinding_ = std::uncaught_exceptions();
};

} // namespace gdvorn::lv
