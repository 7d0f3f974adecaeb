#include "listview/LvGroupColumnData.h"

#include "listview/ListviewCore.h"

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
// Virtual group

QString TLvGroupVirtual::Captions(int) const
{
    return Ask(OwnerListview()->OnGroupGetCaption, QString(), const_cast<TLvGroupVirtual *>(this));
}

void TLvGroupVirtual::SetCaptions(int, const QString &value)
{
    if (OwnerListview()->OnGroupSetCaption)
        OwnerListview()->OnGroupSetCaption(this, value);
    Invalidate(false);
}

int TLvGroupVirtual::Index(TLvImageKind kind) const
{
    return Ask(OwnerListview()->OnGroupGetImageIndex, -1, const_cast<TLvGroupVirtual *>(this), kind);
}

void TLvGroupVirtual::SetIndex(TLvImageKind kind, int value)
{
    if (OwnerListview()->OnGroupSetImageIndex)
        OwnerListview()->OnGroupSetImageIndex(this, kind, value);
    Invalidate(false);
}

const LvImageList *TLvGroupVirtual::ImageList(int, int imageSize) const
{
    const LvImageList *list = Ask(OwnerListview()->OnGroupGetImageList, static_cast<const LvImageList *>(nullptr),
                                  const_cast<TLvGroupVirtual *>(this));
    return list ? list : DefaultImageList(imageSize);
}

int TLvGroupVirtual::DetailCount() const
{
    return Ask(OwnerListview()->OnGroupGetDetailCount, 0, const_cast<TLvGroupVirtual *>(this));
}

int TLvGroupVirtual::Details(int line) const
{
    return Ask(OwnerListview()->OnGroupGetDetail, 0, const_cast<TLvGroupVirtual *>(this), line);
}

void TLvGroupVirtual::SetDetails(int line, int value)
{
    if (OwnerListview()->OnGroupSetDetail)
        OwnerListview()->OnGroupSetDetail(this, line, value);
    Invalidate(false);
}

// ---------------------------------------------------------------------------------------------------
// Task-panel group

void TLvGroupTaskPanel::SetHeight(int value)
{
    if (height_ == value)
        return;
    height_ = value;
    OwnerListview()->Groups().Rebuild(true);
}

// ---------------------------------------------------------------------------------------------------
// Virtual column

QString TLvColumnVirtual::Captions(int column) const
{
    return Ask(OwnerListview()->OnColumnGetCaption, QString(), const_cast<TLvColumnVirtual *>(this), column);
}

void TLvColumnVirtual::SetCaptions(int, const QString &value)
{
    if (OwnerListview()->OnColumnSetCaption)
        OwnerListview()->OnColumnSetCaption(this, value);
    Invalidate(false);
}

int TLvColumnVirtual::Index(TLvImageKind kind) const
{
    return Ask(OwnerListview()->OnColumnGetImageIndex, -1, const_cast<TLvColumnVirtual *>(this), kind);
}

void TLvColumnVirtual::SetIndex(TLvImageKind kind, int value)
{
    if (OwnerListview()->OnColumnSetImageIndex)
        OwnerListview()->OnColumnSetImageIndex(this, kind, value);
    Invalidate(false);
}

const LvImageList *TLvColumnVirtual::ImageList(int, int imageSize) const
{
    const LvImageList *list = Ask(OwnerListview()->OnColumnGetImageList, static_cast<const LvImageList *>(nullptr),
                                  const_cast<TLvColumnVirtual *>(this));
    return list ? list : DefaultImageList(imageSize);
}

int TLvColumnVirtual::DetailCount() const
{
    return Ask(OwnerListview()->OnColumnGetDetailCount, 0, const_cast<TLvColumnVirtual *>(this));
}

int TLvColumnVirtual::Details(int line) const
{
    return Ask(OwnerListview()->OnColumnGetDetail, 0, const_cast<TLvColumnVirtual *>(this), line);
}

void TLvColumnVirtual::SetDetails(int line, int value)
{
    if (OwnerListview()->OnColumnSetDetail)
        OwnerListview()->OnColumnSetDetail(this, line, value);
    Invalidate(false);
}

} // namespace gdvorn::lv
