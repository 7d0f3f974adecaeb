#pragma once
// The widget-free side of drag and drop: drop effects and the Qt drop actions they travel as, the drag
// threshold, the record a drag carries and the insert mark with its placement.
//
// Effects: cdeCopy, cdeMove and cdeLink are Qt's copy, move and link actions; cdeScroll has no action; an
// empty action set is {cdeNone}.

#include "listview/ListviewCore.h"

#include <QByteArray>
#include <QPoint>

namespace gdvorn::lv {

// The private type under which a column drag carries its record, and that of a toolkit drag of items.
inline constexpr char LvHeaderDragFormat[] = "application/x-lvlistview-header";
inline constexpr char LvToolkitDragFormat[] = "application/x-lvlistview-toolkit";

enum class TLvDragType : std::uint8_t { edtOLE, edtVCL };
enum class TDragMode : std::uint8_t { dmManual, dmAutomatic };

constexpr TCommonDropEffects DropEffectBit(TCommonDropEffect e) { return TCommonDropEffects(1u << unsigned(e)); }
Qt::DropAction DropEffectToAction(TCommonDropEffect effect);
Qt::DropActions DropEffectsToActions(TCommonDropEffects effects);
// The effects of a set of actions; {cdeNone} when it is empty.
TCommonDropEffects DropEffectsFromActions(Qt::DropActions actions);
// The pointer has left the press point by the platform's drag distance.
bool DragThresholdCrossed(QPoint press, QPoint now);

// A drag's record: the control that started it and the object dragged (the column of a column drag).
// Reading answers false for anything that is not such a record.
QByteArray DragRecord(const void *control, const void *object);
bool ReadDragRecord(const QByteArray &record, quintptr &control, quintptr &object);

// The bar that shows where dragged items will be put: settings, and the geometry the item drag sets.
class TLvInsertMark {
public:
    bool AutoMove() const { return autoMove_; }
    void SetAutoMove(bool v) { autoMove_ = v; }
    LvColor Color() const { return color_; }
    void SetColor(LvColor v) { color_ = v; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v) { enabled_ = v; }
    bool ReSelectAfterMove() const { return reSelectAfterMove_; }
    void SetReSelectAfterMove(bool v) { reSelectAfterMove_ = v; }
    int Width() const { return width_; }
    void SetWidth(int v) { width_ = v; }
    bool CenterMark() const { return centerMark_; }
    void SetCenterMark(bool v) { centerMark_ = v; }

    // Document coordinates.
    const LvRect &DisplayRect() const { return displayRect_; }
    void SetDisplayRect(const LvRect &r) { displayRect_ = r; }
    TLvInsertMarkerDir Direction() const { return direction_; }
    void SetDirection(TLvInsertMarkerDir d) { direction_ = d; }
    // 0 none, 1 before the target, 2 after it, 3 on a group.
    int DropPosition() const { return position_; }
    void SetDropPosition(int p) { position_ = p; }
    TLvCollectionItem *Target() const { return target_; }
    void SetTarget(TLvCollectionItem *t) { target_ = t; }
    bool Visible() const { return visible_; }
    void SetVisible(bool v) { visible_ = v; }

    // The bar for a point over an item's rectangle: the position (1 before, 2 after) and its rectangle,
    // or 0 and an empty rectangle when the point lies outside the capture range of both edges.
    static int Place(const LvRect &item, QPoint p, TLvInsertMarkerDir dir, int range, int width, bool center,
                     LvRect &bar);

private:
    bool autoMove_ = true, enabled_ = false, reSelectAfterMove_ = true, centerMark_ = true, visible_ = false;
    LvColor color_ = LvColor(LvColor::clBlack);
    int width_ = 2;
    LvRect displayRect_;
    TLvInsertMarkerDir direction_ = TLvInsertMarkerDir::dmdHorz;
    int position_ = 0;
    TLvCollectionItem *target_ = nullptr;
};

// The insert mark's direction in a view: beside the items in the icon views, above and below otherwise.
TLvInsertMarkerDir InsertMarkDirection(TLvListStyle view);

} // namespace gdvorn::lv
