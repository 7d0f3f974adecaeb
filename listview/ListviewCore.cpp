#include "listview/ListviewCore.h"
#include "listview/LvViewGroup.h"

#include "listview/LvBackground.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace gdvorn::lv {

namespace {

// The controls that exist (all on the GUI thread): a freed image list is taken from each of them.
std::vector<ListviewCore *> &LiveControls()
{
    static std::vector<ListviewCore *> controls;
    return controls;
}

void ForgetControl(ListviewCore *lv)
{
    auto &controls = LiveControls();
    controls.erase(std::remove(controls.begin(), controls.end(), lv), controls.end());
}

} // namespace

LvImageList::~LvImageList()
{
    for (ListviewCore *lv : LiveControls())
        lv->ImageListFreed(this);
}

ListviewCore::ListviewCore()
    : paintInfoGroup_(std::make_unique<TLvPaintInfoGroup>(this)),
      paintInfoItem_(std::make_unique<TLvPaintInfoItem>(this)),
      paintInfoColumn_(std::make_unique<TLvPaintInfoColumn>(this)),
      scrollbars_(std::make_unique<TLvScrollbarManager>(this)), dragRect_(std::make_unique<TLvDragRectManager>(this)),
      selection_(std::make_unique<TLvSelectionManager>(this)), groups_(std::make_unique<TLvGroups>(this)),
      header_(std::make_unique<TLvHeader>(this)), items_(std::make_unique<TLvGlobalItems>(this))
{
    LiveControls().push_back(this);
}

ListviewCore::~ListviewCore() { ForgetControl(this); }

void ListviewCore::ImageListFreed(const LvImageList *list)
{
    for (const LvImageList **images : {&imagesSmall_, &imagesLarge_, &imagesExLarge_, &imagesGroup_, &imagesState_})
        if (*images == list)
            *images = nullptr;
    if (header_ && header_->Images() == list)
        header_->SetImages(nullptr);
}

void ListviewCore::Shutdown()
{
    if (destroying_)
        return;
    destroying_ = true;
    ForgetControl(this);
    // No event reaches a handler of the dying control from here on.
    static_cast<TLvEvents &>(*this) = TLvEvents();
    groups_->Clear(true);
    header_->Columns().Clear(true);
}

TLvCellSizes &ListviewCore::CellSizes()
{
    if (!cellSizes_)
        cellSizes_ = std::make_unique<TLvCellSizes>(this);
    return *cellSizes_;
}

TLvGlobalImageManager &ListviewCore::GlobalImages()
{
    if (!globalImages_)
        globalImages_ = std::make_unique<TLvGlobalImageManager>();
    return *globalImages_;
}

std::unique_ptr<TLvViewItem> ListviewCore::NewViewItem(TLvListStyle view)
{
    switch (view) {
    case TLvListStyle::elsSmallIcon: return std::make_unique<TLvViewSmallIconItem>(this);
    case TLvListStyle::elsList: return std::make_unique<TLvViewListItem>(this);
    case TLvListStyle::elsReport: return std::make_unique<TLvViewReportItem>(this);
    case TLvListStyle::elsGrid: return std::make_unique<TLvViewGridItem>(this);
    case TLvListStyle::elsIcon: return std::make_unique<TLvViewIconItem>(this);
    case TLvListStyle::elsThumbnail: return std::make_unique<TLvViewThumbnailItem>(this);
    case TLvListStyle::elsTile: return std::make_unique<TLvViewTileItem>(this);
    case TLvListStyle::elsFilmStrip: return std::make_unique<TLvViewFilmStripItem>(this);
    default: return std::make_unique<TLvViewItem>(this);
    }
}

const char *ListviewCore::ViewItemClassName(TLvListStyle view) const
{
    switch (view) {
    case TLvListStyle::elsSmallIcon: return "TLvViewSmallIconItem";
    case TLvListStyle::elsList: return "TLvViewListItem";
    case TLvListStyle::elsReport: return "TLvViewReportItem";
    case TLvListStyle::elsGrid: return "TLvViewGridItem";
    case TLvListStyle::elsIcon: return "TLvViewIconItem";
    case TLvListStyle::elsThumbnail: return "TLvViewThumbnailItem";
    case TLvListStyle::elsTile: return "TLvViewTileItem";
    case TLvListStyle::elsFilmStrip: return "TLvViewFilmStripItem";
    default: return "TLvViewItem";
    }
}

std::unique_ptr<TLvViewColumn> ListviewCore::NewViewColumn() { return std::make_unique<TLvViewColumn>(this); }

std::unique_ptr<TLvViewGroup> ListviewCore::NewViewGroup() { return std::make_unique<TLvViewGroup>(this); }

void ListviewCore::BeginUpdate() { ++updateCount_; }

void ListviewCore::EndUpdate(bool invalidate)
{
    if (updateCount_ > 0)
        --updateCount_;
    if (updateCount_ > 0)
        return;
    EndUpdateProcessing();
    RepaintSkipped();
    if (invalidate && HandleAllocated()) {
        Invalidate();
        UpdateWindow();
    }
    if (OnEndUpdate)
        OnEndUpdate();
}

void ListviewCore::EndUpdateProcessing()
{
    if (destroying_)
        return;
    groups_->Rebuild(false);
    scrollbars_->ReCalculateScrollbars(true, false);
    const std::uint32_t waiting = states_;
    Exclude(elvsColumnStructureChanged | elvsGroupStructureChanged | elvsItemStructureChanged);
    if ((waiting & elvsColumnStructureChanged) && OnColumnStructureChange)
        OnColumnStructureChange();
    if ((waiting & elvsGroupStructureChanged) && OnGroupStructureChange)
        OnGroupStructureChange();
    if ((waiting & elvsItemStructureChanged) && OnItemStructureChange)
        OnItemStructureChange();
}

void ListviewCore::StructureChanged(std::uint32_t member, const std::function<void()> &event)
{
    if (Updating())
        Include(member);
    else if (event)
        event();
}

void ListviewCore::ClearMouseStates()
{
    Exclude(elvsLButtonDown | elvsRButtonDown | elvsMButtonDown | elvsDragPending | elvsDragging |
            elvsToolkitDragging | elvsDragRectPending | elvsDragRect | elvsCheckPending | elvsGroupExpandClick |
            elvsHeaderCapture);
    if (!Themed()) {
        if (TLvCollectionItem *pending = checkManager_.PendingObject())
            pending->SetCheckPendingAway(false);
        checkManager_.SetPendingObject(nullptr);
    }
}

void ListviewCore::SetView(TLvListStyle value)
{
    if (view_ == value)
        return;
    view_ = value;
    groups_->Rebuild(true);
    wheelDefault_ = IsVerticalView() ? TLvDefaultWheelScroll::edwsVert : TLvDefaultWheelScroll::edwsHorz;
    if (OnViewChange)
        OnViewChange();
}

namespace {

// Takes `info` in place of `current`, which is freed; the object already held stays as it is (and is
// not freed twice).
template <class T> bool ReplaceOwned(std::unique_ptr<T> &current, std::unique_ptr<T> &info)
{
    if (!info)
        return false;
    if (info.get() == current.get()) {
        (void)info.release();
        return false;
    }
    current = std::move(info);
    return true;
}

} // namespace

void ListviewCore::SetSelection(std::unique_ptr<TLvSelectionManager> value) { ReplaceOwned(selection_, value); }

void ListviewCore::SetPaintInfoItem(std::unique_ptr<TLvPaintInfoItem> info)
{
    if (ReplaceOwned(paintInfoItem_, info)) {
        groups_->Rebuild(false);
        Invalidate();
    }
}

void ListviewCore::SetPaintInfoColumn(std::unique_ptr<TLvPaintInfoColumn> info)
{
    if (ReplaceOwned(paintInfoColumn_, info)) {
        header_->Rebuild(false);
        Invalidate();
    }
}

void ListviewCore::SetPaintInfoGroup(std::unique_ptr<TLvPaintInfoGroup> info)
{
    if (ReplaceOwned(paintInfoGroup_, info)) {
        groups_->Rebuild(false);
        Invalidate();
    }
}

void ListviewCore::SetColor(LvColor v)
{
    if (!(color_ == v)) {
        color_ = v;
        Invalidate();
    }
}

void ListviewCore::SetFont(const QFont &font)
{
    if (font_ == font)
        return;
    font_ = font;
    FontChanged();
    groups_->Rebuild(false);
    Invalidate();
}

void ListviewCore::SetGroupFont(const QFont &font)
{
    if (groupFont_ == font)
        return;
    groupFont_ = font;
    groups_->Rebuild(false);
}

namespace {

void SetGroupButton(ListviewCore &lv, QImage &button, const QImage &image)
{
    button = image.isNull() ? QImage() : image.convertToFormat(QImage::Format_ARGB32);
    // The button's size is the larger of the two glyphs.
    lv.Groups().Rebuild(false);
    lv.Invalidate();
}

} // namespace

void ListviewCore::SetGroupExpandButton(const QImage &image) { SetGroupButton(*this, groupExpandButton_, image); }

void ListviewCore::SetGroupCollapseButton(const QImage &image) { SetGroupButton(*this, groupCollapseButton_, image); }

void ListviewCore::SetShowGroupMargins(bool v)
{
    if (showGroupMargins_ != v) {
        showGroupMargins_ = v;
        EndUpdateProcessing();
    }
}

void ListviewCore::SetShowImages(bool v)
{
    if (showImages_ != v) {
        showImages_ = v;
        Invalidate();
    }
}

void ListviewCore::SetShowInactive(bool v)
{
    if (showInactive_ != v) {
        showInactive_ = v;
        Invalidate(true);
    }
}

void ListviewCore::SetImagesSmall(const LvImageList *v)
{
    if (imagesSmall_ != v) {
        imagesSmall_ = v;
        Invalidate();
    }
}

void ListviewCore::SetImagesLarge(const LvImageList *v)
{
    if (imagesLarge_ != v) {
        imagesLarge_ = v;
        Invalidate();
    }
}

void ListviewCore::SetImagesExLarge(const LvImageList *v)
{
    if (imagesExLarge_ != v) {
        imagesExLarge_ = v;
        Invalidate();
    }
}

void ListviewCore::SetImagesGroup(const LvImageList *v)
{
    if (imagesGroup_ != v) {
        imagesGroup_ = v;
        Invalidate();
    }
}

void ListviewCore::SetImagesState(const LvImageList *v)
{
    if (imagesState_ != v) {
        imagesState_ = v;
        Invalidate();
    }
}

bool ListviewCore::HeaderVisibleInView() const
{
    return view_ == TLvListStyle::elsReport || view_ == TLvListStyle::elsGrid || header_->ShowInAllViews();
}

bool ListviewCore::IsVerticalView() const { return view_ != TLvListStyle::elsList && view_ != TLvListStyle::elsFilmStrip; }

bool ListviewCore::IsThumbnailView() const
{
    return view_ == TLvListStyle::elsThumbnail || view_ == TLvListStyle::elsFilmStrip;
}

bool ListviewCore::HeaderScrollsWithView() const
{
    return !(header_->ShowInAllViews() && view_ == TLvListStyle::elsList);
}

LvRect ListviewCore::ClientRectWithoutHeader() const
{
    LvRect r = ClientRect();
    r.top += header_->RuntimeHeight();
    return scrollbars_->MapWindowRectToView(r);
}

TLvGroup *ListviewCore::GroupAt(QPoint windowPoint, TLvGroupHitTestInfoSet &hitInfo)
{
    hitInfo = 0;
    const QPoint p = scrollbars_->MapWindowToView(windowPoint);
    TLvGroup *group = groups_->GroupAtPoint(p);
    if (group)
        group->HitTest(p, hitInfo);
    return group;
}

TLvItem *ListviewCore::ItemAt(QPoint windowPoint, TLvGroup *group, TLvItemHitTestInfoSet &hitInfo)
{
    hitInfo = 0;
    const QPoint p = scrollbars_->MapWindowToView(windowPoint);
    if (!group)
        group = groups_->GroupAtPoint(p);
    if (!group)
        return nullptr;
    TLvItem *item = group->ItemAtPoint(p);
    if (item)
        item->HitTestAt(p, hitInfo);
    return item;
}

bool ListviewCore::IsHeaderPoint(QPoint windowPoint, bool force) const
{
    if (HasState(elvsDragging | elvsDragRect) && !force)
        return false;
    if (HasState(elvsHeaderCapture) || (header_->MouseState() & ehmCaptured))
        return true;
    return HeaderVisibleInView() && header_->Visible() && windowPoint.y() >= 0 &&
           windowPoint.y() < header_->RuntimeHeight() && windowPoint.x() >= 0 && windowPoint.x() < ClientWidth();
}

void ListviewCore::AutoSizeColumns(bool visibleOnly)
{
    LvUpdateBracket update(*this);
    switch (view_) {
    case TLvListStyle::elsReport:
        for (int i = 0; i < header_->Columns().Count(); ++i)
            if (!visibleOnly || header_->Columns()[i]->Visible())
                header_->Columns()[i]->AutoSizeToFit();
        break;
    case TLvListStyle::elsSmallIcon:
    case TLvListStyle::elsList:
    case TLvListStyle::elsGrid:
        CellSizes().ForView(view_).SetAutoSizeCaption(true);
        break;
    default:
        break;
    }
}

void ListviewCore::ClearCutMarks()
{
    for (int g = 0; g < groups_->Count(); ++g)
        for (int i = 0; i < (*groups_)[g]->Items().Count(); ++i)
            (*groups_)[g]->Items()[i]->SetCut(false);
}

void ListviewCore::MarkSelectedCut()
{
    ClearCutMarks();
    for (TLvItem *item = selection_->First(); item; item = selection_->Next(item))
        item->SetCut(true);
}

void ListviewCore::CutToClipboard()
{
    bool markAsCut = false, handled = true;
    if (OnClipboardCut)
        OnClipboardCut(markAsCut, handled);
    if (markAsCut && handled)
        MarkSelectedCut();
}

void ListviewCore::PasteFromClipboard()
{
    bool handled = false;
    if (OnClipboardPaste)
        OnClipboardPaste(handled);
}

LvRect ListviewCore::CheckBoxBound(int pointSize) const
{
    const int side = int(std::lround(pointSize * DpiY() / 72.0));
    return {0, 0, side, side};
}

} // namespace gdvorn::lv
