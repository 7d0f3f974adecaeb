#pragma once
// The control's group painter: the group painter with the check box and, while themed, the style's
// tree-branch glyph for the expand button.

#include "listview/LvViewGroup.h"

namespace gdvorn::lv {

class QtLvViewGroup : public TLvViewGroup {
public:
    using TLvViewGroup::TLvViewGroup;

protected:
    void PaintCheckBox(TLvGroup *group, const TLvRectArrayObject &rects, LvCanvas &canvas) override;
    void PaintExpandButton(TLvGroup *group, const TLvRectArrayObject &rects, LvCanvas &canvas) override;
};

} // namespace gdvorn::lv
