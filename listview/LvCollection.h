#pragma once
// Collections and their items: the objects the list view shows (items, groups, columns) with their state
// flags, and the rule by which every flag change is asked, recorded and announced:
//   1. an unchanged value does nothing: no query, no notification, no event, no repaint (so two
//      handlers that copy Selected into Checked and back settle after one pass);
//   2. an object being destroyed treats every request as a clear request (no query is asked);
//   3. otherwise the change query (the ...Changing event, Allow entering true) may refuse;
//   4. the bit changes and the on- or off-notification runs (the ...Changed event).
// Focused and Selected change nothing on a hidden or disabled object. Clearing Enabled first clears
// Focused and Selected; clearing Visible first clears Focused, Selected and (unless the control allows
// hidden checked items) Checked.
//
// Destroying an object clears every reference the control holds to it (focused, anchor, pending check
// object, the header's pressed, hot, resize and drop-down columns) before it is freed, so a list cleared
// while a mouse button is held touches no freed object.

#include "listview/LvTypes.h"
#include "listview/LvViews.h"

#include <QPoint>
#include <QVariant>

#include <functional>
#include <memory>
#include <vector>

class QMenu;

namespace gdvorn::lv {

class ListviewCore;
class LvStream;
class TLvAlphaBlender;
class TLvCollection;
class TLvColumn;
class TLvGroup;
class TLvItems;
class TLvPaintInfoBasic;
class TLvViewItem;
class TLvViewColumn;
class TLvViewGroup;
struct TLvRectArrayObject;

// The data change sink an application object may offer: the item attaches itself when the data
// interface is set and detaches when it is replaced.
class ILvDataChangeSink {
public:
    virtual ~ILvDataChangeSink() = default;
    virtual void Attach(class TLvCollectionItem *item) = 0;
    virtual void Detach(class TLvCollectionItem *item) = 0;
};

// The application's data object behind an interfaced item; the data interfaces are found on it by
// dynamic_cast.
class ILvDataObject {
public:
    virtual ~ILvDataObject() = default;
};

class LvImageList;

// The data interfaces of interfaced items (and groups and columns); an object offers those it supports.
class ILvDataCaptions {
public:
    virtual ~ILvDataCaptions() = default;
    virtual QVariant GetCaption(int column) = 0;
};
class ILvDataCaptionsEdit : public virtual ILvDataCaptions {
public:
    virtual void SetCaption(int column, const QVariant &value) = 0;
};
class ILvDataChecks {
public:
    virtual ~ILvDataChecks() = default;
    virtual bool GetChecked(int column) = 0;
    virtual void SetChecked(int column, bool value) = 0;
};
class ILvDataImages {
public:
    virtual ~ILvDataImages() = default;
    virtual int GetImageIndex(int column, TLvImageKind kind) = 0;
};
class ILvDataImagesEdit : public virtual ILvDataImages {
public:
    virtual void SetImageIndex(int column, TLvImageKind kind, int index) = 0;
};
class ILvDataDetails {
public:
    virtual ~ILvDataDetails() = default;
    virtual int GetDetailCount() = 0;
    virtual int GetDetail(int line) = 0;
};
class ILvDataDetailsEdit : public virtual ILvDataDetails {
public:
    virtual void SetDetail(int line, int detail) = 0;
    virtual void SetDetailCount(int count) = 0;
};
class ILvDataGroupKey {
public:
    virtual ~ILvDataGroupKey() = default;
    virtual std::uint32_t GetGroupKey(int focusedColumn) = 0;
};
class ILvDataGroupKeyEdit : public virtual ILvDataGroupKey {
public:
    virtual void SetGroupKey(int column, std::uint32_t key) = 0;
};
class ILvDataImageList {
public:
    virtual ~ILvDataImageList() = default;
    virtual const LvImageList *GetImageList(int column, int imageSize) = 0;
};
class ILvDataStateImageList {
public:
    virtual ~ILvDataStateImageList() = default;
    virtual const LvImageList *GetStateImageList(int column) = 0;
};
// An object that draws its own image: asked whether it does, for the image's size, then to draw it.
class ILvDataCustomImage {
public:
    virtual ~ILvDataCustomImage() = default;
    virtual void IsCustom(TLvColumn *column, bool &isCustom) = 0;
    virtual void DrawImage(TLvColumn *column, LvCanvas &canvas, const TLvRectArrayObject &rects,
                           TLvAlphaBlender *blender) = 0;
    virtual void GetImageSize(TLvColumn *column, int &width, int &height) = 0;
};
class ILvDataThumbnail {
public:
    virtual ~ILvDataThumbnail() = default;
    virtual void DrawThumbnail(LvCanvas &canvas, const LvRect &rect, TLvAlphaBlender *blender, bool &doDefault) = 0;
};

// Captions, image indexes, overlay indexes and details per column (and, for items, group keys and state
// image indexes), growing on demand; an element never written reads as its default.
class TLvDynamicDataHelper {
public:
    QString Caption(int i) const { return Get(captions_, i, QString()); }
    void SetCaption(int i, const QString &v) { Put(captions_, i, v, QString()); }
    int Detail(int i) const { return Get(details_, i, 0); }
    void SetDetail(int i, int v) { Put(details_, i, v, 0); }
    int ImageIndex(int i) const { return Get(images_, i, -1); }
    void SetImageIndex(int i, int v) { Put(images_, i, v, -1); }
    int OverlayIndex(int i) const { return Get(overlays_, i, -1); }
    void SetOverlayIndex(int i, int v) { Put(overlays_, i, v, -1); }
    std::uint32_t GroupKey(int i) const { return Get(groupKeys_, i, std::uint32_t(0xFFFF)); }
    void SetGroupKey(int i, std::uint32_t v) { Put(groupKeys_, i, v, std::uint32_t(0xFFFF)); }
    int StateImageIndex(int i) const { return Get(stateImages_, i, -1); }
    void SetStateImageIndex(int i, int v) { Put(stateImages_, i, v, -1); }
    int CaptionCount() const { return int(captions_.size()); }
    // The arrays as a stream holds them (group keys and state image indexes for items only; state image
    // indexes from record version 3 on).
    void SaveToStream(LvStream &s, bool itemArrays) const;
    void LoadFromStream(LvStream &s, int version, bool itemArrays);

private:
    template <class T> static T Get(const std::vector<T> &a, int i, T def)
    {
        return i >= 0 && i < int(a.size()) ? a[std::size_t(i)] : def;
    }
    template <class T> static void Put(std::vector<T> &a, int i, const T &v, const T &def)
    {
        if (i < 0)
            return;
        if (i >= int(a.size()))
            a.resize(std::size_t(i) + 1, def);
        a[std::size_t(i)] = v;
    }
    std::vector<QString> captions_;
    std::vector<int> details_, images_, overlays_, stateImages_;
    std::vector<std::uint32_t> groupKeys_;
};

class TLvCollectionItem {
public:
    explicit TLvCollectionItem(TLvCollection *owner);
    virtual ~TLvCollectionItem();
    TLvCollectionItem(const TLvCollectionItem &) = delete;
    TLvCollectionItem &operator=(const TLvCollectionItem &) = delete;

    TLvCollection *Collection() const { return collection_; }
    ListviewCore *OwnerListview() const;

    std::uint16_t State() const { return state_; }
    bool HasState(std::uint16_t bit) const { return (state_ & bit) != 0; }

    bool Bold() const { return HasState(cisBold); }
    void SetBold(bool value) { SetByRule(Flag::Bold, value); }
    virtual bool Checked() const { return HasState(cisChecked); }
    virtual void SetChecked(bool value) { SetByRule(Flag::Checked, value); }
    bool Enabled() const { return HasState(cisEnabled); }
    void SetEnabled(bool value) { SetByRule(Flag::Enabled, value); }
    bool Focused() const { return HasState(cisFocused); }
    void SetFocused(bool value) { SetByRule(Flag::Focused, value); }
    bool Selected() const { return HasState(cisSelected); }
    void SetSelected(bool value) { SetByRule(Flag::Selected, value); }
    bool HotTracking() const { return HasState(cisHotTracking); }
    void SetHotTracking(bool value, QPoint mouse = {}) { SetByRule(Flag::HotTracking, value, mouse); }
    bool Visible() const { return HasState(cisVisible); }
    void SetVisible(bool value);
    bool Ghosted() const { return HasState(cisGhosted); }
    void SetGhosted(bool value);
    bool DropHilighted() const { return HasState(cisDropHilighted); }
    void SetDropHilighted(bool value);
    bool Initialized() const { return HasState(cisInitialized); }
    void SetInitialized(bool value);
    bool Cut() const { return HasState(cisCut); }
    void SetCut(bool value) { SetPlainBit(cisCut, value); }
    bool CheckPending() const { return HasState(cisCheckPending); }
    void SetCheckPending(bool value) { SetPlainBit(cisCheckPending, value); }
    bool CheckPendingAway() const { return HasState(cisCheckPendingAway); }
    void SetCheckPendingAway(bool value) { SetPlainBit(cisCheckPendingAway, value); }
    bool Pressed() const { return HasState(cisPressed); }
    void SetPressed(bool value) { SetPlainBit(cisPressed, value); }
    bool ColumnDropTarget() const { return HasState(cisColumnDropTarget); }
    void SetColumnDropTarget(bool value) { SetPlainBit(cisColumnDropTarget, value); }

    void *Data() const { return data_; }
    void SetData(void *data) { data_ = data; }
    // The application's data object; replacing it detaches from the old one's sink and attaches to the new.
    const std::shared_ptr<ILvDataObject> &DataInf() const { return dataInf_; }
    void SetDataInf(std::shared_ptr<ILvDataObject> value);

    int Index() const { return index_; }
    int VisibleIndex() const { return visibleIndex_; }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }
    const LvRect &DisplayRect() const { return displayRect_; }
    void SetDisplayRect(const LvRect &r) { displayRect_ = r; }
    void SetVisibleIndex(int v) { visibleIndex_ = v; }
    void SetIndex(int index) { index_ = index; }

    // Captions and images by column; column 0 is the object's own Caption and ImageIndex.
    virtual QString Captions(int column) const = 0;
    virtual void SetCaptions(int column, const QString &value) = 0;
    virtual int ImageIndexes(int column) const = 0;
    virtual void SetImageIndexes(int column, int value) = 0;
    virtual int ImageOverlayIndexes(int column) const = 0;
    virtual void SetImageOverlayIndexes(int column, int value) = 0;
    QString Caption() const { return Captions(0); }
    void SetCaption(const QString &value) { SetCaptions(0, value); }
    int ImageIndex() const { return ImageIndexes(0); }
    void SetImageIndex(int value) { SetImageIndexes(0, value); }
    int ImageOverlayIndex() const { return ImageOverlayIndexes(0); }
    void SetImageOverlayIndex(int value) { SetImageOverlayIndexes(0, value); }
    // The caption, or the class name when the caption is empty.
    QString DisplayCaption() const;
    virtual const char *ClassName() const = 0;

    // The image list for a column and an image size (0 small, 1 large, 2 extra large), and the list used
    // when the data source names none.
    virtual const LvImageList *ImageList(int /*column*/, int imageSize) const { return DefaultImageList(imageSize); }
    virtual const LvImageList *DefaultImageList(int imageSize) const;
    // Details: lines of extra information (tile details for items, caption lines for groups and columns).
    virtual int DetailCount() const = 0;
    virtual void SetDetailCount(int value) = 0;
    virtual int Details(int line) const = 0;
    virtual void SetDetails(int line, int value) = 0;
    // An image drawn by the application: the query (false unless a handler says so), the size (left
    // unchanged unless a handler sets it) and the drawing.
    virtual bool ImageDrawIsCustom(TLvColumn *column) const = 0;
    virtual void ImageGetSize(TLvColumn *column, int &width, int &height) const = 0;
    virtual void ImageDraw(TLvColumn *column, LvCanvas &canvas, const TLvRectArrayObject &rects,
                           TLvAlphaBlender *blender) = 0;
    // A thumbnail drawn by the application (items only); doDefault false leaves the painting to it.
    virtual void ThumbnailDraw(LvCanvas &, const LvRect &, TLvAlphaBlender *, bool &) {}

    // The object's paint info: its own or the control's for its kind.
    virtual TLvPaintInfoBasic *PaintInfo() const = 0;

    virtual void Invalidate(bool immediate);
    virtual void MakeVisible(int /*position*/) {}

    // Called by the collection before it frees the object: marks it destroying, clears the references
    // the control holds to it and runs the freeing notification.
    virtual void Destroying();

    // The object's record: saving always writes version 6; loading sets `version` to the record's.
    virtual void LoadFromStream(LvStream &s, int &version);
    virtual void SaveToStream(LvStream &s, int version);

protected:
    enum class Flag { Bold, Checked, Enabled, Focused, HotTracking, Selected, Visible };

    // The change query of a flag (true allows) and its on- and off-notifications.
    virtual bool CanChange(Flag flag, bool value) = 0;
    virtual void FlagChanged(Flag flag, bool on, QPoint mouse) = 0;
    virtual void GhostedChanged(bool on) = 0;
    virtual void DropHilightChanged(bool on) = 0;
    virtual void InitializeNotification() {}
    virtual void FreeingNotification() = 0;

    // A data interface of the application's data object, asked each time (never cached); nothing when the
    // object does not offer it.
    template <class I> I *DataInfAs() const { return dynamic_cast<I *>(dataInf_.get()); }

    void SetByRule(Flag flag, bool value, QPoint mouse = {});
    void SetPlainBit(std::uint16_t bit, bool value);
    void SetStateBit(std::uint16_t bit, bool on)
    {
        if (on)
            state_ |= bit;
        else
            state_ = std::uint16_t(state_ & ~bit);
    }

private:
    friend class TLvCollection;
    void ClearForHide();
    static std::uint16_t BitOf(Flag flag);

    TLvCollection *collection_;
    void *data_ = nullptr;
    std::shared_ptr<ILvDataObject> dataInf_;
    LvRect displayRect_;
    int index_ = -1;
    std::uint16_t state_ = cisEnabled | cisVisible;
    int tag_ = 0;
    int visibleIndex_ = -1;
};

// The stored variant of an item, group or column: captions and image indexes kept in the object itself;
// a change repaints it.
template <class Base> class TLvStoredData : public Base {
public:
    using Base::Base;
    QString Captions(int column) const override { return data_.Caption(column); }
    void SetCaptions(int column, const QString &value) override
    {
        data_.SetCaption(column, value);
        this->Invalidate(false);
    }
    int ImageIndexes(int column) const override { return data_.ImageIndex(column); }
    void SetImageIndexes(int column, int value) override
    {
        data_.SetImageIndex(column, value);
        this->Invalidate(false);
    }
    int ImageOverlayIndexes(int column) const override { return data_.OverlayIndex(column); }
    void SetImageOverlayIndexes(int column, int value) override
    {
        data_.SetOverlayIndex(column, value);
        this->Invalidate(false);
    }
    // The detail count is the caption line count of the paint info, shared by every object of the kind
    // (its setter repaints the control).
    int DetailCount() const override { return this->PaintInfo()->CaptionLines(); }
    void SetDetailCount(int value) override { this->PaintInfo()->SetCaptionLines(value); }
    int Details(int line) const override { return data_.Detail(line); }
    void SetDetails(int line, int value) override
    {
        data_.SetDetail(line, value);
        this->Invalidate(false);
    }

protected:
    TLvDynamicDataHelper data_;
};

// The interfaced variant: every read and write goes to the data interfaces of the application's data
// object; a missing interface answers its default (an empty caption, image -1, detail 0, the default image
// list, no custom image, and NoDetailCount details) and a missing edit interface ignores the write.
template <class Base, int NoDetailCount = 0> class TLvInterfacedData : public Base {
public:
    using Base::Base;
    QString Captions(int column) const override
    {
        auto *captions = this->template DataInfAs<ILvDataCaptions>();
        return captions ? captions->GetCaption(column).toString() : QString();
    }
    void SetCaptions(int column, const QString &value) override
    {
        if (auto *captions = this->template DataInfAs<ILvDataCaptionsEdit>()) {
            captions->SetCaption(column, value);
            this->Invalidate(false);
        }
    }
    int ImageIndexes(int column) const override { return Index(column, TLvImageKind::eikNormal); }
    void SetImageIndexes(int column, int value) override { SetIndex(column, TLvImageKind::eikNormal, value); }
    int ImageOverlayIndexes(int column) const override { return Index(column, TLvImageKind::eikOverlay); }
    void SetImageOverlayIndexes(int column, int value) override { SetIndex(column, TLvImageKind::eikOverlay, value); }
    int DetailCount() const override
    {
        auto *details = this->template DataInfAs<ILvDataDetails>();
        return details ? details->GetDetailCount() : NoDetailCount;
    }
    void SetDetailCount(int value) override
    {
        if (auto *details = this->template DataInfAs<ILvDataDetailsEdit>()) {
            details->SetDetailCount(value);
            this->Invalidate(false);
        }
    }
    int Details(int line) const override
    {
        auto *details = this->template DataInfAs<ILvDataDetails>();
        return details ? details->GetDetail(line) : 0;
    }
    void SetDetails(int line, int value) override
    {
        if (auto *details = this->template DataInfAs<ILvDataDetailsEdit>()) {
            details->SetDetail(line, value);
            this->Invalidate(false);
        }
    }
    const LvImageList *ImageList(int column, int imageSize) const override
    {
        auto *lists = this->template DataInfAs<ILvDataImageList>();
        const LvImageList *list = lists ? lists->GetImageList(column, imageSize) : nullptr;
        return list ? list : this->DefaultImageList(imageSize);
    }
    bool ImageDrawIsCustom(TLvColumn *column) const override
    {
        bool isCustom = false;
        if (auto *custom = this->template DataInfAs<ILvDataCustomImage>())
            custom->IsCustom(column, isCustom);
        return isCustom;
    }
    void ImageGetSize(TLvColumn *column, int &width, int &height) const override
    {
        if (auto *custom = this->template DataInfAs<ILvDataCustomImage>())
            custom->GetImageSize(column, width, height);
    }
    void ImageDraw(TLvColumn *column, LvCanvas &canvas, const TLvRectArrayObject &rects,
                   TLvAlphaBlender *blender) override
    {
        if (auto *custom = this->template DataInfAs<ILvDataCustomImage>())
            custom->DrawImage(column, canvas, rects, blender);
    }

protected:
    // Image kinds 0 and 1 (and 2, the state image, for items).
    int Index(int column, TLvImageKind kind) const
    {
        auto *images = this->template DataInfAs<ILvDataImages>();
        return images ? images->GetImageIndex(column, kind) : -1;
    }
    void SetIndex(int column, TLvImageKind kind, int value)
    {
        if (auto *images = this->template DataInfAs<ILvDataImagesEdit>()) {
            images->SetImageIndex(column, kind, value);
            this->Invalidate(false);
        }
    }
};

class TLvCollection {
public:
    explicit TLvCollection(ListviewCore *owner) : owner_(owner) {}
    virtual ~TLvCollection();
    TLvCollection(const TLvCollection &) = delete;
    TLvCollection &operator=(const TLvCollection &) = delete;

    ListviewCore *OwnerListview() const { return owner_; }
    int Count() const { return int(items_.size()); }
    // No range check; callers keep within 0..Count-1.
    TLvCollectionItem *Item(int index) const { return items_[std::size_t(index)]; }
    int VisibleCount() const { return int(visible_.size()); }
    const std::vector<TLvCollectionItem *> &VisibleList() const { return visible_; }
    std::vector<TLvCollectionItem *> &VisibleList() { return visible_; }
    int Tag() const { return tag_; }
    void SetTag(int tag) { tag_ = tag; }

    TLvCollectionItem *AddItem(void *data);
    virtual void Clear(bool freeItems = true);
    void BeginUpdate();
    void EndUpdate(bool invalidate = true);
    virtual void ShowAll();
    TLvCollectionItem *FirstVisible() const { return visible_.empty() ? nullptr : visible_.front(); }
    TLvCollectionItem *LastVisible() const { return visible_.empty() ? nullptr : visible_.back(); }
    TLvCollectionItem *NextVisible(const TLvCollectionItem *item) const;
    TLvCollectionItem *PrevVisible(const TLvCollectionItem *item) const;
    void ReIndex();
    // Puts an item at a place of the list (0 <= place < Count; used by the sorters).
    void PutItem(int place, TLvCollectionItem *item);
    // Moves an item of any collection of the control into this one at a place (outside 0..Count: at the
    // end); both collections are re-indexed, the layout is the caller's.
    void TakeItem(TLvCollectionItem *item, int place);
    // Hands the list over without freeing anything (the collection is left empty), and appends an item
    // taken from another collection of the same kind: the regrouping moves items between groups so.
    std::vector<TLvCollectionItem *> TakeItems();
    void AdoptItem(TLvCollectionItem *item);

protected:
    virtual TLvCollectionItem *CreateItem() = 0;
    virtual void AddHook(TLvCollectionItem *, int) {}
    virtual void StructureChange() {}
    void ClearItems(bool freeItems);

    ListviewCore *owner_;
    std::vector<TLvCollectionItem *> items_;
    std::vector<TLvCollectionItem *> visible_;
    int tag_ = 0;
};

// ---------------------------------------------------------------------------------------------------
// Items

// A run of two or more adjacent selected items painted as one band; its members share it.
struct TLvSelectionGroupList {
    LvRect DisplayRect;
    class TLvItem *FirstItem = nullptr;
    std::vector<class TLvItem *> Items;
};

class TLvItem : public TLvCollectionItem {
public:
    explicit TLvItem(TLvItems *owner);
    ~TLvItem() override;

    TLvItems *Items() const;
    TLvGroup *Group() const;
    int VisibleIndexInGroup() const { return visibleIndexInGroup_; }
    void SetVisibleIndexInGroup(int v) { visibleIndexInGroup_ = v; }

    virtual int StateImageIndexes(int column) const = 0;
    virtual void SetStateImageIndexes(int column, int value) = 0;
    int StateImageIndex() const { return StateImageIndexes(0); }
    void SetStateImageIndex(int value) { SetStateImageIndexes(0, value); }
    virtual std::uint32_t GroupKey(int column) const = 0;
    virtual void SetGroupKey(int column, std::uint32_t value) = 0;
    virtual const LvImageList *StateImageList(int column) const;
    // The item image events (stored and virtual items).
    bool ImageDrawIsCustom(TLvColumn *column) const override;
    void ImageGetSize(TLvColumn *column, int &width, int &height) const override;
    void ImageDraw(TLvColumn *column, LvCanvas &canvas, const TLvRectArrayObject &rects,
                   TLvAlphaBlender *blender) override;
    void ThumbnailDraw(LvCanvas &canvas, const LvRect &rect, TLvAlphaBlender *blender, bool &doDefault) override;

    TLvPaintInfoBasic *PaintInfo() const override;
    // The item's own paint info, when it has one (nothing by default).
    TLvPaintInfoBasic *OwnPaintInfo() const { return ownPaintInfo_.get(); }
    void SetOwnPaintInfo(std::unique_ptr<TLvPaintInfoBasic> info);

    const std::shared_ptr<TLvSelectionGroupList> &SelectionGroup() const { return selectionGroup_; }
    void SetSelectionGroup(std::shared_ptr<TLvSelectionGroupList> group) { selectionGroup_ = std::move(group); }

    // The painter of the item for the current view, replaced when the wanted class changes.
    TLvViewItem *View();
    // The item's rectangles for a column (nothing: the header's first column), computed by its painter.
    TLvRectArrayObject ItemRectArray(class TLvColumn *column);
    // Hit test of a point in document coordinates.
    bool HitTestAt(QPoint viewportPoint, TLvItemHitTestInfoSet &hitInfo);
    // -1 for a hidden item or a grid without columns (rows).
    int GridColumn() const;
    int GridRow() const;

    void Invalidate(bool immediate) override;
    void MakeVisible(int position) override;
    void Destroying() override;
    void LoadFromStream(LvStream &s, int &version) override;
    void SaveToStream(LvStream &s, int version) override;

protected:
    bool CanChange(Flag flag, bool value) override;
    void FlagChanged(Flag flag, bool on, QPoint mouse) override;
    void GhostedChanged(bool on) override;
    void DropHilightChanged(bool on) override;
    void InitializeNotification() override;
    void FreeingNotification() override;

private:
    std::shared_ptr<TLvSelectionGroupList> selectionGroup_;
    std::unique_ptr<TLvViewItem> view_;
    std::unique_ptr<TLvPaintInfoBasic> ownPaintInfo_;
    int visibleIndexInGroup_ = -1;
};

// An item that keeps its data itself (the class Items.Add creates).
class TLvItemStored : public TLvStoredData<TLvItem> {
public:
    using TLvStoredData<TLvItem>::TLvStoredData;
    const char *ClassName() const override { return "TLvItemStored"; }
    int StateImageIndexes(int column) const override { return data_.StateImageIndex(column); }
    void SetStateImageIndexes(int column, int value) override;
    int DetailCount() const override;
    void SetDetailCount(int value) override;
    std::uint32_t GroupKey(int column) const override { return data_.GroupKey(column); }
    void SetGroupKey(int column, std::uint32_t value) override { data_.SetGroupKey(column, value); }
    void LoadFromStream(LvStream &s, int &version) override;
    void SaveToStream(LvStream &s, int version) override;
};

// An item that keeps nothing: every read asks the control's item events, every write fires one.
class TLvItemVirtual : public TLvItem {
public:
    using TLvItem::TLvItem;
    const char *ClassName() const override { return "TLvItemVirtual"; }
    QString Captions(int column) const override;
    void SetCaptions(int column, const QString &value) override;
    int ImageIndexes(int column) const override { return Index(column, TLvImageKind::eikNormal); }
    void SetImageIndexes(int column, int value) override { SetIndex(column, TLvImageKind::eikNormal, value); }
    int ImageOverlayIndexes(int column) const override { return Index(column, TLvImageKind::eikOverlay); }
    void SetImageOverlayIndexes(int column, int value) override { SetIndex(column, TLvImageKind::eikOverlay, value); }
    int StateImageIndexes(int column) const override { return Index(column, TLvImageKind::eikState); }
    void SetStateImageIndexes(int column, int value) override { SetIndex(column, TLvImageKind::eikState, value); }
    int DetailCount() const override;
    void SetDetailCount(int) override { Invalidate(false); }
    int Details(int line) const override;
    void SetDetails(int line, int value) override;
    std::uint32_t GroupKey(int column) const override;
    void SetGroupKey(int column, std::uint32_t value) override;
    const LvImageList *ImageList(int column, int imageSize) const override;
    const LvImageList *StateImageList(int column) const override;

private:
    int Index(int column, TLvImageKind kind) const;
    void SetIndex(int column, TLvImageKind kind, int value);
};

// An item that asks the application's data object (DataInf) through the data interfaces (one detail
// line without ILvDataDetails); its check state lives in the data object, so the check events do not fire
// for it.
class TLvItemInterfaced : public TLvInterfacedData<TLvItem, 1> {
public:
    using TLvInterfacedData<TLvItem, 1>::TLvInterfacedData;
    const char *ClassName() const override { return "TLvItemInterfaced"; }
    bool Checked() const override;
    void SetChecked(bool value) override;
    int StateImageIndexes(int column) const override { return Index(column, TLvImageKind::eikState); }
    void SetStateImageIndexes(int column, int value) override { SetIndex(column, TLvImageKind::eikState, value); }
    std::uint32_t GroupKey(int column) const override;
    void SetGroupKey(int column, std::uint32_t value) override;
    const LvImageList *StateImageList(int column) const override;
    void ThumbnailDraw(LvCanvas &canvas, const LvRect &rect, TLvAlphaBlender *blender, bool &doDefault) override;
};

class TLvItems : public TLvCollection {
public:
    TLvItems(ListviewCore *owner, TLvGroup *group) : TLvCollection(owner), group_(group) {}
    // The class Add creates (stored items unless set).
    using ItemClass = std::function<TLvItem *(TLvItems *)>;
    void SetItemClass(ItemClass itemClass) { itemClass_ = std::move(itemClass); }
    ~TLvItems() override;
    TLvGroup *OwnerGroup() const { return group_; }
    TLvItem *Add(void *data = nullptr) { return static_cast<TLvItem *>(AddItem(data)); }
    TLvItem *operator[](int index) const { return static_cast<TLvItem *>(Item(index)); }
    void Clear(bool freeItems = true) override;

protected:
    TLvCollectionItem *CreateItem() override;
    void StructureChange() override;

private:
    TLvGroup *group_;
    ItemClass itemClass_;
};

// ---------------------------------------------------------------------------------------------------
// Groups

class TLvGroup : public TLvCollectionItem {
public:
    explicit TLvGroup(TLvCollection *owner);
    ~TLvGroup() override;

    bool Expanded() const { return expanded_; }
    virtual void SetExpanded(bool value);
    TLvItems &Items() { return *items_; }
    const TLvItems &Items() const { return *items_; }
    std::vector<TLvItem *> &VisibleItems() { return visibleItems_; }
    int VisibleItemCount() const { return int(visibleItems_.size()); }
    TLvItem *VisibleItem(int index) const;
    class TLvGridGroup *Grid();
    TLvItem *ItemAtPoint(QPoint p) const;

    // Margin rectangles (empty while the margin is off) and the group's client (item) area.
    LvRect MarginRectTop() const;
    LvRect MarginRectBottom() const;
    LvRect MarginRectLeft() const;
    LvRect MarginRectRight() const;
    LvRect ClientRect() const;
    bool HitTest(QPoint p, TLvGroupHitTestInfoSet &hitInfo) const;
    // The parts of the top band (expand button, check box, icon, label, text and band line) in the
    // given margin rectangle.
    TLvRectArrayObject TopBandParts(const LvRect &top) const;
    // The painter of the group for the current view (OnGroupCustomView or the control's default),
    // replaced when the wanted class changes.
    TLvViewGroup *View();

    TLvPaintInfoBasic *PaintInfo() const override;
    // The control's ImagesGroup, whatever the size.
    const LvImageList *DefaultImageList(int imageSize) const override;
    // The group image events (stored and virtual groups); the column is not passed to them.
    bool ImageDrawIsCustom(TLvColumn *column) const override;
    void ImageGetSize(TLvColumn *column, int &width, int &height) const override;
    void ImageDraw(TLvColumn *column, LvCanvas &canvas, const TLvRectArrayObject &rects,
                   TLvAlphaBlender *blender) override;
    void Invalidate(bool immediate) override;
    void Destroying() override;
    void LoadFromStream(LvStream &s, int &version) override;
    void SaveToStream(LvStream &s, int version) override;

protected:
    bool CanChange(Flag flag, bool value) override;
    void FlagChanged(Flag flag, bool on, QPoint mouse) override;
    void GhostedChanged(bool) override { Invalidate(false); }
    void DropHilightChanged(bool) override {}
    void InitializeNotification() override;
    void FreeingNotification() override;

private:
    bool expanded_ = true;
    std::unique_ptr<TLvItems> items_;
    std::unique_ptr<class TLvGridGroup> grid_;
    std::vector<TLvItem *> visibleItems_;
    std::unique_ptr<TLvViewGroup> view_;
    bool customView_ = false;
};

// A group that keeps its captions, images and details itself.
class TLvBaseGroupStored : public TLvStoredData<TLvGroup> {
public:
    using TLvStoredData<TLvGroup>::TLvStoredData;
};

class TLvGroupStored : public TLvBaseGroupStored {
public:
    using TLvBaseGroupStored::TLvBaseGroupStored;
    const char *ClassName() const override { return "TLvGroupStored"; }
    void LoadFromStream(LvStream &s, int &version) override;
    void SaveToStream(LvStream &s, int version) override;
};

class TLvGroups : public TLvCollection {
public:
    explicit TLvGroups(ListviewCore *owner) : TLvCollection(owner) {}
    ~TLvGroups() override;
    // The class Add creates (stored groups unless set).
    using ItemClass = std::function<TLvGroup *(TLvGroups *)>;
    void SetItemClass(ItemClass itemClass) { itemClass_ = std::move(itemClass); }
    // Whether the groups take part in the control's stream (on from creation).
    bool StreamGroups() const { return streamGroups_; }
    void SetStreamGroups(bool v) { streamGroups_ = v; }
    TLvGroup *Add(void *data = nullptr) { return static_cast<TLvGroup *>(AddItem(data)); }
    TLvGroup *operator[](int index) const { return static_cast<TLvGroup *>(Item(index)); }
    void Clear(bool freeItems = true) override;
    bool Rebuilding() const { return rebuilding_; }

    // The layout pass of the whole control.
    void Rebuild(bool force = false);
    void ExpandAll();
    void ShowAll() override;

    TLvGroup *GroupAtPoint(QPoint p) const;
    // Groups by index (nothing past either end); "visible" skips hidden groups, and the next and previous
    // walks may keep to visible, expanded groups.
    TLvGroup *FirstGroup() const { return Count() > 0 ? (*this)[0] : nullptr; }
    TLvGroup *LastGroup() const { return Count() > 0 ? (*this)[Count() - 1] : nullptr; }
    TLvGroup *FirstVisibleGroup() const;
    TLvGroup *LastVisibleGroup() const;
    // The group at a place of the visible list; nothing outside 0..VisibleCount-1.
    TLvGroup *VisibleGroup(int visibleIndex) const;
    TLvGroup *NextGroup(const TLvGroup *group, bool visibleExpandedOnly = false) const;
    TLvGroup *PrevGroup(const TLvGroup *group, bool visibleExpandedOnly = false) const;
    TLvGroup *FirstVisibleGroupInRect(const LvRect &r) const;
    TLvGroup *NextVisibleGroupInRect(const TLvGroup *group, const LvRect &r) const;
    // The first (last) item of the lowest (highest) index group that has one: any, visible, initialized.
    TLvItem *FirstItem() const;
    TLvItem *FirstVisibleItem() const;
    TLvItem *FirstInitializedItem() const;
    TLvItem *LastItem() const;
    TLvItem *LastVisibleItem() const;
    TLvItem *LastInitializedItem() const;
    // The item after (before) an item across groups, passing only through expanded and enabled groups.
    TLvItem *NextItem(const TLvItem *item) const;
    TLvItem *PrevItem(const TLvItem *item) const;
    TLvItem *NextVisibleItem(const TLvItem *item) const;
    TLvItem *PrevVisibleItem(const TLvItem *item) const;
    TLvItem *NextInitializedItem(const TLvItem *item) const;
    TLvItem *PrevInitializedItem(const TLvItem *item) const;
    // Visible items that OnItemEditBegin, asked for each candidate (Column entering `column`, Allow true),
    // lets edit.
    TLvItem *NextEditableItem(const TLvItem *item, int column = 0) const;
    TLvItem *PrevEditableItem(const TLvItem *item, int column = 0) const;
    // Within the item's own group only.
    TLvItem *NextItemInGroup(const TLvItem *item, bool visibleOnly) const;
    TLvItem *PrevItemInGroup(const TLvItem *item, bool visibleOnly) const;
    // The item beside an item, as its group's grid places them.
    TLvItem *AdjacentItem(TLvItem *item, TLvAdjacent direction) const;
    // The cell size of the first group's grid; 0 without groups.
    int CellWidth() const;
    int CellHeight() const;
    // The visible items meeting a rectangle, in layout order; bisected, so they cost what they find.
    TLvItem *FirstVisibleItemInRect(const LvRect &r) const;
    TLvItem *NextVisibleItemInRect(const TLvItem *item, const LvRect &r) const;
    TLvItem *ItemAtPoint(QPoint p) const;
    LvRect ViewRect() const;

protected:
    TLvCollectionItem *CreateItem() override;
    void StructureChange() override;

private:
    TLvItem *WalkItems(const TLvItem *item, bool forward, const std::function<bool(TLvItem *)> &accept) const;
    TLvItem *EndItem(bool first, const std::function<bool(TLvItem *)> &accept) const;

    bool rebuilding_ = false;
    bool streamGroups_ = true;
    ItemClass itemClass_;
};

// The flat list of all items of all groups, in group order.
class TLvGlobalItems {
public:
    explicit TLvGlobalItems(ListviewCore *owner) : owner_(owner) {}
    TLvItem *Add(void *data = nullptr);
    void Clear();
    int Count() const;
    // Throws EListError "List index out of bounds (index)" outside 0..Count-1.
    TLvItem *Item(int index) const;
    TLvItem *operator[](int index) const { return Item(index); }
    void EnsureGroup();
    TLvGroup *LastGroup() const;

private:
    ListviewCore *owner_;
};

// ---------------------------------------------------------------------------------------------------
// Columns

class TLvColumnDropDownButton {
public:
    explicit TLvColumnDropDownButton(class TLvColumn *column) : column_(column) {}
    bool AlwaysShow() const { return alwaysShow_; }
    void SetAlwaysShow(bool v);
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    bool Visible() const { return visible_; }
    void SetVisible(bool v);
    QMenu *Menu() const { return menu_; }
    void SetMenu(QMenu *menu);
    // State bits: 1 hot, 2 the mouse over the arrow while pressed, 4 pressed.
    std::uint8_t State() const { return state_; }
    void SetState(std::uint8_t state);

private:
    class TLvColumn *column_;
    bool alwaysShow_ = false, enabled_ = true, visible_ = false;
    QMenu *menu_ = nullptr;
    std::uint8_t state_ = 0;
};

class TLvColumn : public TLvCollectionItem {
public:
    explicit TLvColumn(TLvCollection *owner);
    ~TLvColumn() override;

    TAlignment Alignment() const { return alignment_; }
    void SetAlignment(TAlignment value);
    bool AutoSizeOnDblClk() const { return autoSizeOnDblClk_; }
    void SetAutoSizeOnDblClk(bool v) { autoSizeOnDblClk_ = v; }
    bool AutoSortOnClick() const { return autoSortOnClick_; }
    void SetAutoSortOnClick(bool v) { autoSortOnClick_ = v; }
    bool AutoSpring() const { return autoSpring_; }
    void SetAutoSpring(bool v) { autoSpring_ = v; }
    bool AutoToggleSortGlyph() const { return autoToggleSortGlyph_; }
    void SetAutoToggleSortGlyph(bool v) { autoToggleSortGlyph_ = v; }
    LvColor BkGndColor() const { return bkGndColor_; }
    void SetBkGndColor(LvColor value);
    bool Clickable() const { return clickable_; }
    void SetClickable(bool v) { clickable_ = v; }
    // One colour for all columns: the control's PaintInfoColumn.Color.
    LvColor Color() const;
    void SetColor(LvColor value);
    TLvColumnDropDownButton &DropDownButton() { return dropDown_; }
    int Position() const { return position_; }
    void SetPosition(int value);
    void SetPositionField(int value) { position_ = value; }
    TLvSortDirection SortDirection() const { return sortDirection_; }
    void SetSortDirection(TLvSortDirection value);
    int Width() const { return width_; }
    void SetWidth(int value);
    void SetWidthField(int value) { width_ = value; }
    float &SpringRest() { return springRest_; }

    TLvViewColumn *View();
    void AutoSizeToFit();

    TLvPaintInfoBasic *PaintInfo() const override;
    // The header's Images, whatever the size.
    const LvImageList *DefaultImageList(int imageSize) const override;
    // The column image events (stored and virtual columns).
    bool ImageDrawIsCustom(TLvColumn *column) const override;
    void ImageGetSize(TLvColumn *column, int &width, int &height) const override;
    void ImageDraw(TLvColumn *column, LvCanvas &canvas, const TLvRectArrayObject &rects,
                   TLvAlphaBlender *blender) override;
    void Invalidate(bool immediate) override;
    void MakeVisible(int position) override;
    // The parts of the header cell under `p` (header coordinates): bit 8 the image widened right by the
    // caption indent, 2 the image, 1 the check box, 4 the label; true when any part is hit.
    bool HitTestAt(QPoint p, int &hitInfo);
    void Destroying() override;
    void LoadFromStream(LvStream &s, int &version) override;
    void SaveToStream(LvStream &s, int version) override;

protected:
    bool CanChange(Flag flag, bool value) override;
    void FlagChanged(Flag flag, bool on, QPoint mouse) override;
    void GhostedChanged(bool) override { Invalidate(false); }
    void DropHilightChanged(bool) override {}
    void InitializeNotification() override;
    void FreeingNotification() override;

private:
    // A byte of the stream record that nothing reads, kept to be written back unchanged.
    std::uint8_t streamReserved_ = 0;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool autoSizeOnDblClk_ = true, autoSortOnClick_ = true, autoSpring_ = false, autoToggleSortGlyph_ = true;
    LvColor bkGndColor_ = LvColor(LvColor::clNone);
    bool clickable_ = true;
    TLvColumnDropDownButton dropDown_{this};
    int position_ = 0;
    TLvSortDirection sortDirection_ = TLvSortDirection::esdNone;
    float springRest_ = 0;
    std::unique_ptr<TLvViewColumn> view_;
    bool customView_ = false;
    int width_ = 50;
};

class TLvColumnStored : public TLvStoredData<TLvColumn> {
public:
    using TLvStoredData<TLvColumn>::TLvStoredData;
    const char *ClassName() const override { return "TLvColumnStored"; }
    void LoadFromStream(LvStream &s, int &version) override;
    void SaveToStream(LvStream &s, int version) override;
};

class TLvColumns : public TLvCollection {
public:
    explicit TLvColumns(ListviewCore *owner) : TLvCollection(owner) {}
    ~TLvColumns() override;
    // The class Add creates (stored columns unless set).
    using ItemClass = std::function<TLvColumn *(TLvColumns *)>;
    void SetItemClass(ItemClass itemClass) { itemClass_ = std::move(itemClass); }
    TLvColumn *Add(void *data = nullptr);
    TLvColumn *operator[](int index) const { return static_cast<TLvColumn *>(Item(index)); }
    void Clear(bool freeItems = true) override;
    TLvColumn *ColumnAtPoint(QPoint p) const;
    // Runs the columns' structure change (header rebuild, layout, invalidate).
    void ColumnsChanged() { StructureChange(); }

protected:
    TLvCollectionItem *CreateItem() override;
    void StructureChange() override;

private:
    ItemClass itemClass_;
};

} // namespace gdvorn::lv
