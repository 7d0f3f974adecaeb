// Grid-view and film-strip group layouts.

#include "listview/LvGridGrid.h"

#include "listview/ListviewCore.h"

namespace gdvorn::lv {

void TLvGridGroup::SetCellSize(const TLvCellSize &size) { CellSize().Assign(size); }

TLvCellSize &TLvGridGridGroup::CellSize() const { return owner_->CellSizes().Grid; }

void TLvGridGridGroup::Rebuild(TLvGroup *previous, int &next)
{
    AutoSizeCellWidth();
    TLvHeader &header = owner_->Header();
    TLvColumns &columns = header.Columns();
    const TLvColumn *last = header.LastColumnByPosition();
    const int headerWidth = last ? last->DisplayRect().right : 0;
    const int top = previous ? previous->DisplayRect().bottom : 0;
    group_->SetDisplayRect({0, top, headerWidth, top});
    auto &visible = group_->VisibleItems();
    visible.clear();
    TLvItems &items = group_->Items();
    const TLvPaintInfoGroup &info = owner_->PaintInfoGroup();
    const int left = info.MarginLeft().EffectiveSize(), topMargin = info.MarginTop().EffectiveSize(),
              bottomMargin = info.MarginBottom().EffectiveSize();
    const int columnTotal = columns.Count();
    if (group_->Visible()) {
        if (group_->Expanded() && items.Count() > 0) {
            visible.reserve(std::size_t(items.Count()));
            const int ch = CellSize().Height();
            int y = top + topMargin;
            int column = 0;
            // The lowest placed row: hidden items after it sit at a row's top and must not cut it off.
            int bottom = y;
            for (int i = 0; i < items.Count(); ++i) {
                TLvItem *item = items[i];
                if (item->Visible() && columnTotal > 0) {
                    const TLvColumn *c = columns[column];
                    const int x = left + c->DisplayRect().left;
                    item->SetDisplayRect({x, y, x + c->Width(), y + ch});
                } else {
                    item->SetDisplayRect({left, y, left, y});
                }
                if (item->Visible()) {
                    item->SetVisibleIndex(next++);
                    item->SetVisibleIndexInGroup(int(visible.size()));
                    visible.push_back(item);
                    if (columnTotal > 0 && ++column == columnTotal) {
                        column = 0;
                        y += ch;
                    }
                } else {
                    item->SetVisibleIndex(-1);
                    item->SetVisibleIndexInGroup(-1);
                }
                bottom = std::max(bottom, item->DisplayRect().bottom);
            }
            group_->SetDisplayRect({0, top, headerWidth, bottom + bottomMargin});
        } else {
            group_->SetDisplayRect({0, top, headerWidth, top + topMargin + bottomMargin});
        }
    }
    columnCount_ = columnTotal;
    const int placed = int(visible.size());
    rowCount_ = columnTotal > 0 ? (placed + columnTotal - 1) / columnTotal : 0;
}

TLvCellSize &TLvGridFilmStripGroup::CellSize() const { return owner_->CellSizes().FilmStrip; }

} // namespace gdvorn::lv
