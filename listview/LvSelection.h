#pragma once
// Selection state of the list view: the selected count, the focused item, the anchor of Shift ranges,
// the focused column; bulk selection (select all, clear all, ranges, rectangles) inside a change bracket
// that fires OnItemSelectionsChanged once at its end (OnItemSelectionChanged still fires per item). The
// brackets close also when a handler throws.
//
// The check manager holds the object whose check box the left button went down on, until it comes up.

#include "listview/LvPaintInfo.h"

#include <QPoint>

namespace gdvorn::lv {

class TLvItem;
class TLvColumn;
class TLvCollectionItem;

class TLvSelectionManager : public TLvOwnedPersistent {
public:
    using TLvOwnedPersistent::TLvOwnedPersistent;

    // The change bracket (and, with grouping, the grouping bracket) for a scope; both closed on every
    // exit. A handler that throws while they close reaches the caller, unless an exception is already on
    // its way out (that one goes on).
    class Brackets {
    public:
        explicit Brackets(TLvSelectionManager &s, bool grouping = true) : s_(s), grouping_(grouping)
        {
            s_.BeginChange();
            if (grouping_)
                s_.BeginGrouping();
        }
        ~Brackets() noexcept(false)
        {
            const auto endGrouping = [this] {
                if (grouping_)
                    s_.EndGrouping();
            };
            CloseBracket(unwinding_, endGrouping, [this] { s_.EndChange(); });
        }
        Brackets(const Brackets &) = delete;
        Brackets &operator=(const Brackets &) = delete;

    private:
        TLvSelectionManager &s_;
        bool grouping_;
        const int unwinding_ = std::uncaught_exceptions();
    };

    void ClearAll();
    void ClearAllExcept(TLvItem *item);
    void SelectAll();
    void SelectRange(TLvItem *from, TLvItem *to, bool clearFirst, bool asRectangle);
    void SelectRect(const LvRect &documentRect, bool clearFirst);
    // The rubber band's step: the current and the previous band rectangles decide each item's state.
    void DragSelect(const LvRect &current, const LvRect &previous, TCommonKeyStates keys);

    TLvItem *FocusedItem() const { return focusedItem_; }
    void SetFocusedItem(TLvItem *item);
    TLvItem *AnchorItem() const { return anchorItem_; }
    void SetAnchorItem(TLvItem *item);
    // Reading it with none focused makes the header's first visible column the focused column.
    TLvColumn *FocusedColumn();
    TLvColumn *FocusedColumnField() const { return focusedColumn_; }
    void SetFocusedColumn(TLvColumn *column);
    TLvItem *First() const;
    TLvItem *Next(const TLvItem *item) const;
    int Count() const { return count_; }

    void BeginChange();
    void EndChange();
    void BeginGrouping() { ++groupingCount_; }
    void EndGrouping();

    // Called by the items' selection notifications.
    void GainingSelection(TLvItem *item);
    void LosingSelection(TLvItem *item);
    // Called by an item that is destroyed.
    void ForgetItem(TLvItem *item);
    void ForgetColumn(TLvColumn *column);

    // Links runs of adjacent selected items into selection groups (only with GroupSelections, outside a
    // grouping bracket, unless forced).
    void RebuildSelectionGroups(bool force = false);

    bool Enabled() const { return Enabled_; }
    void SetEnabled(bool value);
    bool MultiSelect() const { return MultiSelect_; }
    void SetMultiSelect(bool value);

    LV_PROPERTY(bool, AlphaBlend, false, (void)0)
    LV_PROPERTY(bool, AlphaBlendSelRect, false, (void)0)
    LV_PROPERTY(bool, BlendIcon, true, Repaint())
    LV_PROPERTY(bool, BlurAlphaBkGnd, false, Repaint())
    LV_PROPERTY(LvColor, BorderColor, LvColor(LvColor::clHighlight), (void)0)
    LV_PROPERTY(LvColor, BorderColorSelRect, LvColor(LvColor::clHighlight), (void)0)
    LV_PROPERTY(LvColor, BlendColorSelRect, LvColor(LvColor::clHighlight), (void)0)
    LV_PROPERTY(int, BlendAlphaImage, 128, (void)0)
    LV_PROPERTY(int, BlendAlphaSelRect, 70, (void)0)
    LV_PROPERTY(int, BlendAlphaTextRect, 128, (void)0)
    LV_PROPERTY(LvColor, Color, LvColor(LvColor::clHighlight), (void)0)
    LV_PROPERTY(bool, EnableDragSelect, false, (void)0)
    LV_PROPERTY(bool, FullCellPaint, false, Repaint())
    LV_PROPERTY(bool, FullItemPaint, false, Repaint())
    LV_PROPERTY(bool, FullRowSelect, false, (void)0)
    LV_PROPERTY(bool, Gradient, false, Repaint())
    LV_PROPERTY(LvColor, GradientColorBottom, LvColor(0xFCEFD5), Repaint())
    LV_PROPERTY(LvColor, GradientColorTop, LvColor(0xFDF8F1), Repaint())
public:
    bool GroupSelections() const { return GroupSelections_; }
    void SetGroupSelections(bool value);
    LV_PROPERTY(LvColor, InactiveBorderColor, LvColor(LvColor::clInactiveBorder), (void)0)
    LV_PROPERTY(LvColor, InactiveColor, LvColor(LvColor::clInactiveBorder), (void)0)
    LV_PROPERTY(LvColor, InactiveTextColor, LvColor(LvColor::clBlack), (void)0)
    // Buttons that select (bits: 1 left, 2 right, 4 middle) and that start a rubber band.
    LV_PROPERTY(int, MouseButton, 1, (void)0)
    LV_PROPERTY(int, MouseButtonSelRect, 3, (void)0)
    LV_PROPERTY(bool, PopupMode, false, (void)0)
    LV_PROPERTY(bool, RectSelect, false, (void)0)
    LV_PROPERTY(bool, ResizeGroupOnFocus, false, (void)0)
    LV_PROPERTY(bool, RoundRect, false, (void)0)
    LV_PROPERTY(int, RoundRectRadius, 4, (void)0)
    LV_PROPERTY(LvColor, TextColor, LvColor(LvColor::clHighlightText), (void)0)
    LV_PROPERTY(bool, UseFocusRect, true, (void)0)

public:
    static int ButtonBit(TCommonMouseButton b)
    {
        return b == TCommonMouseButton::cmbLeft ? 1 : b == TCommonMouseButton::cmbRight ? 2
             : b == TCommonMouseButton::cmbMiddle ? 4 : 0;
    }

private:
    enum class Bulk { Clear, Select };
    void BulkChange(Bulk kind, TLvItem *except);
    void NotifyRule();
    void Repaint();

    bool Enabled_ = true;
    bool MultiSelect_ = false;
    bool GroupSelections_ = false;
    int count_ = 0;
    TLvColumn *focusedColumn_ = nullptr;
    TLvItem *focusedItem_ = nullptr;
    TLvItem *anchorItem_ = nullptr;
    int groupingCount_ = 0;
    int toggledCount_ = 0;
    int changeCount_ = 0;
};

class TLvCheckManager {
public:
    TLvCollectionItem *PendingObject() const { return pending_; }
    // A different object: the old one loses cisCheckPending, the new one gets it.
    void SetPendingObject(TLvCollectionItem *object);
    // Called by an object that is destroyed.
    void Forget(TLvCollectionItem *object)
    {
        if (pending_ == object)
            pending_ = nullptr;
    }
    int CheckedCount() const { return checkedCount_; }
    void AddChecked(int delta) { checkedCount_ += delta; }

private:
    TLvCollectionItem *pending_ = nullptr;
    int checkedCount_ = 0;
};

// The rubber band: anchor and drag points in document coordinates.
class TLvDragRectManager {
public:
    explicit TLvDragRectManager(ListviewCore *owner) : owner_(owner) {}
    bool Accept(TCommonMouseButton button, QPoint documentPoint);
    void Begin();
    // One step of the band: the drag point takes the new point, then the items are selected against
    // the band up to it (so at release exactly the items under the band are selected).
    void Drag(QPoint documentPoint, TCommonKeyStates keys);
    void End();
    LvRect CurrentRect() const;
    QPoint AnchorPoint() const { return anchor_; }
    QPoint DragPoint() const { return drag_; }

private:
    ListviewCore *owner_;
    QPoint anchor_, drag_;
    LvRect previous_;
};

} // namespace gdvorn::lv
