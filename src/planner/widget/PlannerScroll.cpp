#include "planner/widget/Planner.h"

#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>

// Rows wholly in view.
int TPlanner::FullRows() const {
    return std::max(1, Layout().Grid.Height() / std::max(1, Display().DisplayScale()));
}

bool TPlanner::ScrollRows(int rows) {
    const int before = TopRow();
    SetTopRow(before + rows);
    return TopRow() != before;
}

// One row down when the item reaches past the rows in full view and rows remain below.
bool TPlanner::ScrollDownFor(const TPlannerItem& item) {
    return item.ItemEnd() > TopRow() + FullRows() && ScrollRows(1);
}

// One row up when the top row is at or below the item's first row and not the day's first.
bool TPlanner::ScrollUpFor(const TPlannerItem& item) {
    return TopRow() >= item.ItemBegin() && TopRow() > 0 && ScrollRows(-1);
}

void TPlanner::SetCurrentCell(TPoint cell) {
    currentCell_ = cell;
    if (cell.Y < 0) return;
    SelectCurrentCell();
    FollowCurrentCell();
}

void TPlanner::FollowCurrentCell() {
    const int row = currentCell_.Y;
    if (row < TopRow())
        SetTopRow(row);
    else if (row >= TopRow() + FullRows())
        SetTopRow(row - FullRows() + 1);
}

// Moving the current cell collapses the range selection onto it.
void TPlanner::SelectCurrentCell() {
    SetSelection({currentCell_.X, currentCell_.Y, currentCell_.X, currentCell_.Y});
    if (OnSelectionChange) OnSelectionChange(selection_);
}

// Fine-grained wheels and touchpads send parts of a notch; they add up until a whole one.
void TPlanner::wheelEvent(QWheelEvent* event) {
    event->accept();
    wheelAngle_ += event->angleDelta().y();
    const int notches = wheelAngle_ / QWheelEvent::DefaultDeltasPerStep;
    wheelAngle_ -= notches * QWheelEvent::DefaultDeltasPerStep;
    for (int i = 0; i < std::abs(notches); ++i)
        WheelNotch(notches < 0);
}

// The current row moves WheelDelta rows within the day, starting from the top-left cell.
void TPlanner::WheelNotch(bool down) {
    if (currentCell_.Y < 0 || currentCell_.Y >= RowCount()) currentCell_ = {1, 0};
    currentCell_.Y = down ? std::min(currentCell_.Y + wheelDelta_, RowCount() - 1)
                          : std::max(currentCell_.Y - wheelDelta_, 0);
    SelectCurrentCell();
    FollowCurrentCell();
}
