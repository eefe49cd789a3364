#include "planner/model/ItemRules.h"
#include "planner/widget/Planner.h"

#include <QKeyEvent>
#include <algorithm>
#include <optional>

namespace {

struct TCellBounds {
    int Positions;
    int LastRow;
    int Page;
};

// Where a navigation key leads from `cell`; the time column is never a target. The row may
// still lie outside the day.
std::optional<TPoint> CellAfterKey(TPoint cell, int key, bool control, const TCellBounds& bounds) {
    switch (key) {
    case Qt::Key_Left:
        return TPoint{std::max(1, cell.X - 1), cell.Y};
    case Qt::Key_Right:
        return TPoint{std::min(bounds.Positions, cell.X + 1), cell.Y};
    case Qt::Key_Up:
        return TPoint{cell.X, cell.Y - 1};
    case Qt::Key_Down:
        return TPoint{cell.X, cell.Y + 1};
    case Qt::Key_PageUp:
        return TPoint{cell.X, cell.Y - bounds.Page};
    case Qt::Key_PageDown:
        return TPoint{cell.X, cell.Y + bounds.Page};
    case Qt::Key_Home:
        return control ? TPoint{cell.X, 0} : TPoint{1, cell.Y};
    case Qt::Key_End:
        return control ? TPoint{cell.X, bounds.LastRow} : TPoint{bounds.Positions, cell.Y};
    default:
        return std::nullopt;
    }
}

} // namespace

void TPlanner::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const bool shift = event->modifiers().testFlag(Qt::ShiftModifier);
    if (OnPlannerKeyDown) OnPlannerKeyDown(key, event->modifiers());
    if (key == Qt::Key_Tab || key == Qt::Key_Backtab) {
        TabToItem(key == Qt::Key_Tab && !shift);
        return;
    }
    if (key == Qt::Key_Insert) {
        if (OnItemInsert && InsertAllowed()) OnItemInsert(selection_);
        return;
    }
    if (Items().SelectedItem() && KeyOnItem(key, shift)) return;
    if (!MoveCurrentCell(key, event->modifiers())) QWidget::keyPressEvent(event);
}

void TPlanner::keyReleaseEvent(QKeyEvent* event) {
    if (OnPlannerKeyUp) OnPlannerKeyUp(event->key(), event->modifiers());
    QWidget::keyReleaseEvent(event);
}

// Tab keys are the planner's own.
bool TPlanner::focusNextPrevChild(bool) {
    return false;
}

// The keys the selected item takes; the grid's own cell movement does not follow them.
bool TPlanner::KeyOnItem(int key, bool shift) {
    TPlannerItem& item = *Items().SelectedItem();
    switch (key) {
    case Qt::Key_Left:
        ArrowKey(item, TArrowKey::Left, shift);
        return true;
    case Qt::Key_Right:
        ArrowKey(item, TArrowKey::Right, shift);
        return true;
    case Qt::Key_Up:
        ArrowKey(item, TArrowKey::Up, shift);
        return true;
    case Qt::Key_Down:
        ArrowKey(item, TArrowKey::Down, shift);
        return true;
    case Qt::Key_Delete:
        if (OnItemDelete) OnItemDelete(item);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
    case Qt::Key_F2:
        // They would edit an editable item in place; this planner has no in-place editor.
        return true;
    default:
        return false;
    }
}

// Up and Down replace the exact minutes by slot boundaries; Left and Right keep them.
void TPlanner::ArrowKey(TPlannerItem& item, TArrowKey key, bool shift) {
    const auto step = ArrowStep(*this, item, key, shift);
    if (!step) return;
    const TItemPlace from = SlotsOf(item);
    if (!ChangeItem(item, step->Place, step->Change, step->By)) return;
    ArrangeItems();
    const auto& changed = step->Change == TItemChange::Move ? OnItemMove : OnItemSize;
    if (changed) changed(item, from, SlotsOf(item));
    if (key == TArrowKey::Up && item.ItemBegin() < TopRow()) ScrollRows(-1);
    if (key == TArrowKey::Down && item.ItemEnd() > TopRow() + FullRows()) ScrollRows(1);
}

// Steps through the items in index order, background items left out; no wrapping round.
void TPlanner::TabToItem(bool next) {
    const TPlannerItem* current = Items().SelectedItem();
    const int step = next ? 1 : -1;
    const int from = current ? current->Index() + step : (next ? 0 : Items().Count() - 1);
    TPlannerItem* item = Items().FirstForeground(from, step);
    if (!item) return;
    SelectItem(item, false);
    setFocus(Qt::TabFocusReason);
    if (OnItemSelect) OnItemSelect(*item);
}

// Arrows move the current cell by one, Page keys by the rows in view, Home and End to the first
// and last position (with Ctrl, the first and last row); false for other keys.
bool TPlanner::MoveCurrentCell(int key, Qt::KeyboardModifiers modifiers) {
    const TPoint from = currentCell_.Y < 0 ? TPoint{1, 0} : currentCell_;
    const auto to = CellAfterKey(from, key, modifiers.testFlag(Qt::ControlModifier),
                                 {Positions(), RowCount() - 1, FullRows()});
    if (!to) return false;
    currentCell_ = {to->X, std::clamp(to->Y, 0, RowCount() - 1)};
    SelectCurrentCell();
    FollowCurrentCell();
    return true;
}

// Without InsertAlways, only free slots take a new item.
bool TPlanner::InsertAllowed() const {
    if (InsertAlways()) return true;
    for (const TPlannerItem& item : Items().All())
        if (item.Visible() && selection_.Left <= item.ItemPos() + 1 &&
            item.ItemPos() + 1 <= selection_.Right &&
            RangesMeet(item.ItemBegin(), item.ItemEnd(), selection_.Top, selection_.Bottom + 1))
            return false;
    return true;
}
