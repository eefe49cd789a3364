// The mouse: presses and releases on titles and cells, column resizing and moving, the wheel.
#include "db/IBCustomDataSet.h"
#include "support/grid/RecordGrid.h"

#include <QMouseEvent>
#include <QWheelEvent>
#include <cstdlib>
#include <utility>

namespace {
constexpr int kBorderReach = 2;
constexpr int kWheelNotch = 120;
} // namespace

void TRecordGrid::mousePressEvent(QMouseEvent* event) {
    drag_ = Drag::None;
    if (focusPolicy() & Qt::ClickFocus) setFocus(Qt::MouseFocusReason);
    if (!HasGridFocus()) return;
    const QPoint at = event->position().toPoint();
    const TGridGeometry geometry = Geometry();
    const Qt::MouseButton button = event->button();
    if (at.y() < geometry.TitleHeight) {
        if (options_ & dgColumnResize) {
            PressTitle(geometry, at, button);
            return;
        }
    } else {
        const int row = geometry.RowAt(at.y());
        const int column = geometry.ColumnAt(at.x());
        const bool onIndicator = at.x() < geometry.IndicatorWidth;
        if (!Active() || row >= DataSet()->WindowRecordCount() || (!onIndicator && column < 0))
            return;
        PressCell(row, onIndicator ? -1 : geometry.Columns[column].DataCol, button);
    }
    drag_ = Drag::Cells;
    if (multiSelect_ && button == Qt::LeftButton && Active()) SelectOnPress(event->modifiers());
}

void TRecordGrid::PressTitle(const TGridGeometry& geometry, QPoint at, Qt::MouseButton button) {
    UpdateData();
    if (button != Qt::LeftButton) return;
    dragColumn_ = ResizeBorderAt(geometry, at);
    if (dragColumn_ >= 0) {
        drag_ = Drag::Resize;
        return;
    }
    const int column = geometry.ColumnAt(at.x());
    dragColumn_ = column >= 0 ? geometry.Columns[column].DataCol : -1;
    drag_ = Drag::Move;
}

// The data column whose right border lies under the point, or -1.
int TRecordGrid::ResizeBorderAt(const TGridGeometry& geometry, QPoint at) const {
    if (at.y() >= geometry.TitleHeight) return -1;
    for (const TGridGeometry::Cell& cell : geometry.Columns)
        if (std::abs(at.x() - cell.Right) <= kBorderReach) return cell.DataCol;
    return -1;
}

void TRecordGrid::PressCell(int row, int dataCol, Qt::MouseButton button) {
    const bool wasCurrent = row == CurrentRow() && dataCol == selectedIndex_;
    UpdateData();
    HideEditor();
    MoveRows(row - CurrentRow());
    if (dataCol < 0) return;
    SetSelectedIndex(dataCol);
    if (button == Qt::LeftButton && (wasCurrent || (options_ & dgAlwaysShowEditor))) ShowEditor();
}

void TRecordGrid::SelectOnPress(Qt::KeyboardModifiers modifiers) {
    selecting_ = false;
    if (modifiers & Qt::ControlModifier) {
        bookmarks_.SetCurrentRowSelected(!bookmarks_.CurrentRowSelected());
        return;
    }
    bookmarks_.Clear();
    if (clearSelection_) bookmarks_.SetCurrentRowSelected(true);
}

void TRecordGrid::mouseMoveEvent(QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    const bool onBorder = drag_ == Drag::Resize ||
                          ((options_ & dgColumnResize) && ResizeBorderAt(Geometry(), at) >= 0);
    setCursor(onBorder ? Qt::SplitHCursor : Qt::ArrowCursor);
}

void TRecordGrid::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const Drag drag = std::exchange(drag_, Drag::None);
    const QPoint at = event->position().toPoint();
    const TGridGeometry geometry = Geometry();
    if (drag == Drag::None) return;
    if (drag == Drag::Resize) {
        const TRect cell = CellRect(dragColumn_, 0);
        if (at.x() - cell.Left > 1) columns_[dragColumn_].SetWidth(at.x() - cell.Left);
        return;
    }
    if (drag == Drag::Move) FinishColumnDrag(geometry, at);
    ReleaseClick(Geometry(), at);
}

// The current column stays current wherever it moves.
void TRecordGrid::FinishColumnDrag(const TGridGeometry& geometry, QPoint at) {
    const int target = geometry.ColumnAt(at.x());
    if (dragColumn_ < 0 || target < 0 || at.x() < geometry.IndicatorWidth) return;
    const int to = geometry.Columns[target].DataCol;
    if (to == dragColumn_) return;
    const TColumn* current =
        selectedIndex_ < columns_.Count() ? &columns_[selectedIndex_] : nullptr;
    columns_.Move(dragColumn_, to);
    if (current) selectedIndex_ = columns_.IndexOf(*current);
    update();
}

void TRecordGrid::ReleaseClick(const TGridGeometry& geometry, QPoint at) {
    const int column = geometry.ColumnAt(at.x());
    if (at.x() < geometry.IndicatorWidth || column < 0 || at.y() >= geometry.Height) return;
    if (at.y() < geometry.TitleHeight) {
        if (OnTitleClick) OnTitleClick(columns_[geometry.Columns[column].DataCol]);
        return;
    }
    if (!Active() || geometry.RowAt(at.y()) >= DataSet()->WindowRecordCount()) return;
    if (OnCellClick && selectedIndex_ < columns_.Count()) OnCellClick(columns_[selectedIndex_]);
}

// The first press of a double click did the single-press work already.
void TRecordGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    if (focusPolicy() & Qt::ClickFocus) setFocus(Qt::MouseFocusReason);
    if (HasGridFocus() && OnDblClick) OnDblClick(*this);
}

void TRecordGrid::wheelEvent(QWheelEvent* event) {
    if (focusPolicy() & Qt::ClickFocus) setFocus(Qt::MouseFocusReason);
    event->accept();
    if (!Active()) return;
    wheelAngle_ += event->angleDelta().y();
    while (std::abs(wheelAngle_) >= kWheelNotch) {
        const int step = wheelAngle_ > 0 ? -1 : 1;
        wheelAngle_ += step * kWheelNotch;
        MoveRows(step);
    }
}
