#include "listview/QtLvViewGroup.h"

#include "listview/ListviewCore.h"
#include "listview/QtLvPainters.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>
#include <QStyleOption>

namespace gdvorn::lv {

void QtLvViewGroup::PaintCheckBox(TLvGroup *group, const TLvRectArrayObject &rects, LvCanvas &canvas)
{
    ListviewCore *lv = OwnerListview();
    const TLvPaintInfoGroup &info = lv->PaintInfoGroup();
    if (info.CheckType() != TLvCheckType::ectBox && info.CheckType() != TLvCheckType::ectRadio)
        return;
    PaintCheckbox(*canvas.painter, info.CheckType(), info.CheckFlat(), group->CheckPending(), group->CheckPendingAway(),
                  lv->CheckManager().PendingObject() == group, group->Checked(), group->Enabled(), rects.CheckArea,
                  lv->Themed());
}

void QtLvViewGroup::PaintExpandButton(TLvGroup *group, const TLvRectArrayObject &rects, LvCanvas &canvas)
{
    ListviewCore *lv = OwnerListview();
    if (!lv->Themed() || !lv->GroupExpandButton().isNull() || !lv->GroupCollapseButton().isNull()) {
        TLvViewGroup::PaintExpandButton(group, rects, canvas);
        return;
    }
    if (!lv->PaintInfoGroup().Expandable() || rects.ExpandButtonArea.IsEmpty())
        return;
    // A square of the button's width, centred vertically.
    const LvRect &a = rects.ExpandButtonArea;
    const int side = a.Width();
    QStyleOption option;
    option.rect = QRect(a.left, a.top + (a.Height() - side) / 2, side, side);
    option.state = QStyle::State_Children | QStyle::State_Enabled;
    if (group->Expanded())
        option.state |= QStyle::State_Open;
    QApplication::style()->drawPrimitive(QStyle::PE_IndicatorBranch, &option, canvas.painter);
}

} // namespace gdvorn::lv
