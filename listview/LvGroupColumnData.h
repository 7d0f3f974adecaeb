#pragma once
// Where groups and columns take their captions, images and details from, besides keeping them
// themselves (TLvGroupStored, TLvColumnStored): the control's group or column events (the virtual
// classes) or the application's data object (the interfaced classes), as items do. And the task-panel
// group, a stored group with a height of its own.

#include "listview/LvCollection.h"

namespace gdvorn::lv {

// A group or column that keeps nothing: every read asks the control's group or column events, every
// write fires one and repaints the object. Base is TLvGroup or TLvColumn; the events are those of Base
// (a group's caption event is not passed the column).
template <class Base> class TLvVirtualData : public Base {
public:
    using Base::Base;
    QString Captions(int column) const override;
    void SetCaptions(int column, const QString &value) override;
    int ImageIndexes(int) const override { return Index(TLvImageKind::eikNormal); }
    void SetImageIndexes(int, int value) override { SetIndex(TLvImageKind::eikNormal, value); }
    int ImageOverlayIndexes(int) const override { return Index(TLvImageKind::eikOverlay); }
    void SetImageOverlayIndexes(int, int value) override { SetIndex(TLvImageKind::eikOverlay, value); }
    const LvImageList *ImageList(int column, int imageSize) const override;
    int DetailCount() const override;
    void SetDetailCount(int) override { this->Invalidate(false); }
    int Details(int line) const override;
    void SetDetails(int line, int value) override;

private:
    int Index(TLvImageKind kind) const;
    void SetIndex(TLvImageKind kind, int value);
    Base *Self() const { return const_cast<TLvVirtualData *>(this); }
};
extern template class TLvVirtualData<TLvGroup>;
extern template class TLvVirtualData<TLvColumn>;

class TLvGroupVirtual : public TLvVirtualData<TLvGroup> {
public:
    using TLvVirtualData<TLvGroup>::TLvVirtualData;
    const char *ClassName() const override { return "TLvGroupVirtual"; }
};

// A group that asks the application's data object (DataInf); no detail without ILvDataDetails.
class TLvGroupInterfaced : public TLvInterfacedData<TLvGroup> {
public:
    using TLvInterfacedData<TLvGroup>::TLvInterfacedData;
    const char *ClassName() const override { return "TLvGroupInterfaced"; }
};

// A stored group made to hold a task panel: Height (200 for a new group) is the panel's height while the
// group is expanded. No panel control is made here, so TaskWindowCreated stays false and Expanded changes
// nothing but the group.
class TLvGroupTaskPanel : public TLvBaseGroupStored {
public:
    using TLvBaseGroupStored::TLvBaseGroupStored;
    const char *ClassName() const override { return "TLvGroupTaskPanel"; }
    int Height() const { return height_; }
    // A new value rebuilds the groups' layout at once.
    void SetHeight(int value);
    bool TaskWindowCreated() const { return false; }
    void LoadFromStream(LvStream &s, int &version) override;
    void SaveToStream(LvStream &s, int version) override;

private:
    int height_ = 200;
};

class TLvColumnVirtual : public TLvVirtualData<TLvColumn> {
public:
    using TLvVirtualData<TLvColumn>::TLvVirtualData;
    const char *ClassName() const override { return "TLvColumnVirtual"; }
};

// A column that asks the application's data object (DataInf); no detail without ILvDataDetails.
class TLvColumnInterfaced : public TLvInterfacedData<TLvColumn> {
public:
    using TLvInterfacedData<TLvColumn>::TLvInterfacedData;
    const char *ClassName() const override { return "TLvColumnInterfaced"; }
};

} // namespace gdvorn::lv
