#include "listview/LvGroupColumnData.h"

#include "listview/ListviewCore.h"

#include <type_traits>
#include <utility>

namespace gdvorn::lv {

namespace {

// Fires a query event whose last parameter is the answer, entering with `value`; the value when unassigned.
template <class T, class Event, class... Args> T Ask(const Event &event, T value, Args &&...args)
{
    if (event)
        event(std::forward<Args>(args)..., value);
    return value;
}

} // namespace

// ---------------------------------------------------------------------------------------------------
// Virtual groups and columns

// The control's events that a virtual group or column fires.
template <class Base> struct VirtualEvents;

template <> struct VirtualEvents<TLvGroup> {
    static constexpr auto GetCaption = &ListviewCore::OnGroupGetCaption;
    static constexpr auto SetCaption = &ListviewCore::OnGroupSetCaption;
    static constexpr auto GetImageIndex = &ListviewCore::OnGroupGetImageIndex;
    static constexpr auto SetImageIndex = &ListviewCore::OnGroupSetImageIndex;
    static constexpr auto GetImageList = &ListviewCore::OnGroupGetImageList;
    static constexpr auto GetDetailCount = &ListviewCore::OnGroupGetDetailCount;
    static constexpr auto GetDetail = &ListviewCore::OnGroupGetDetail;
    static constexpr auto SetDetail = &ListviewCore::OnGroupSetDetail;
};

template <> struct VirtualEvents<TLvColumn> {
    static constexpr auto GetCaption = &ListviewCore::OnColumnGetCaption;
    static constexpr auto SetCaption = &ListviewCore::OnColumnSetCaption;
    static constexpr auto GetImageIndex = &ListviewCore::OnColumnGetImageIndex;
    static constexpr auto SetImageIndex = &ListviewCore::OnColumnSetImageIndex;
    static constexpr auto GetImageList = &ListviewCore::OnColumnGetImageList;
    static constexpr auto GetDetailCount = &ListviewCore::OnColumnGetDetailCount;
    static constexpr auto GetDetail = &ListviewCore::OnColumnGetDetail;
    static constexpr auto SetDetail = &ListviewCore::OnColumnSetDetail;
};

template <class Base> QString TLvVirtualData<Base>::Captions(int column) const
{
    const auto &event = this->OwnerListview()->*VirtualEvents<Base>::GetCaption;
    if constexpr (std::is_same_v<Base, TLvColumn>)
        return Ask(event, QString(), Self(), column);
    else
        return Ask(event, QString(), Self());
}

template <class Base> void TLvVirtualData<Base>::SetCaptions(int, const QString &value)
{
    if (const auto &event = this->OwnerListview()->*VirtualEvents<Base>::SetCaption)
        event(Self(), value);
    this->Invalidate(false);
}

template <class Base> int TLvVirtualData<Base>::Index(TLvImageKind kind) const
{
    return Ask(this->OwnerListview()->*VirtualEvents<Base>::GetImageIndex, -1, Self(), kind);
}

template <class Base> void TLvVirtualData<Base>::SetIndex(TLvImageKind kind, int value)
{
    if (const auto &event = this->OwnerListview()->*VirtualEvents<Base>::SetImageIndex)
        event(Self(), kind, value);
    this->Invalidate(false);
}

template <class Base> const LvImageList *TLvVirtualData<Base>::ImageList(int, int imageSize) const
{
    const LvImageList *list = Ask(this->OwnerListview()->*VirtualEvents<Base>::GetImageList,
                                  static_cast<const LvImageList *>(nullptr), Self());
    return list ? list : this->DefaultImageList(imageSize);
}

template <class Base> int TLvVirtualData<Base>::DetailCount() const
{
    return Ask(this->OwnerListview()->*VirtualEvents<Base>::GetDetailCount, 0, Self());
}

template <class Base> int TLvVirtualData<Base>::Details(int line) const
{
    return Ask(this->OwnerListview()->*VirtualEvents<Base>::GetDetail, 0, Self(), line);
}

template <class Base> void TLvVirtualData<Base>::SetDetails(int line, int value)
{
    if (const auto &event = this->OwnerListview()->*VirtualEvents<Base>::SetDetail)
        event(Self(), line, value);
    this->Invalidate(false);
}

template class TLvVirtualData<TLvGroup>;
template class TLvVirtualData<TLvColumn>;

// ---------------------------------------------------------------------------------------------------
// Task-panel group

void TLvGroupTaskPanel::SetHeight(int value)
{
    if (height_ == value)
        return;
    height_ = value;
    OwnerListview()->Groups().Rebuild(true);
}

} // namespace gdvorn::lv
