#include "planner/widget/Planner.h"
#include "platform/QtCanvas.h"
#include "support/markup/Markup.h"

#include <QImage>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

namespace {

TPoint PointOf(const QMouseEvent* event) {
    const QPoint at = event->position().toPoint();
    return {at.x(), at.y()};
}

// The cursor tells what a press would start.
Qt::CursorShape CursorOf(TPressAction action) {
    switch (action) {
    case TPressAction::Move:
        return Qt::SizeAllCursor;
    case TPressAction::SizeTop:
    case TPressAction::SizeBottom:
        return Qt::SizeVerCursor;
    case TPressAction::Select:
        break;
    }
    return Qt::ArrowCursor;
}

} // namespace

TPoint TPlanner::GridCell(TPoint at) const {
    return {ColumnAt(Layout(), at.X), RowScale().PixelToRow(at.Y)};
}

bool TPlanner::IsPositionCell(TPoint cell) const {
    return cell.X >= 1 && cell.X <= Positions() && cell.Y >= 0 && cell.Y < RowCount();
}

TRowScale TPlanner::RowScale() const {
    return {std::max(1, Display().DisplayScale()), TopRow(), Layout().Grid.Top};
}

TPlannerItem* TPlanner::ItemAt(TPoint at) const {
    const TPlannerLayout layout = Layout();
    const TPoint cell = GridCell(at);
    if (!IsPositionCell(cell)) return nullptr;
    const int left = layout.CellRect(cell.X, 0, 0, 1).Left;
    return HitItem(*this, cell.Y, cell.X - 1, at.X - left, layout.ColumnWidth);
}

THitZone TPlanner::ZoneAt(const TPlannerItem& item, TPoint at) const {
    const TRect column = Layout().CellRect(item.ItemPos() + 1, 0, 0, 1);
    const TItemFrame frame =
        ItemFrame(*this, item, column.Left, column.Right, RowScale(), TopRow() + VisibleRows() - 1);
    return ItemZone(frame, item.ViewState().CaptionHeight, looks_.TrackWidth, at.X, at.Y);
}

// The target of the link under the pointer in the item's text as last painted, or empty.
std::string TPlanner::LinkAt(const TPlannerItem& item, TPoint at) const {
    std::string markup;
    for (const std::string& line : item.Text())
        markup += line;
    const TRect& rect = item.ViewState().TextRect;
    const int y = at.Y - Layout().Grid.Top;
    if (!IsMarkup(markup) || !rect.Contains(at.X, y)) return {};
    QImage image(1, 1, QImage::Format_RGB32);
    QPainter painter(&image);
    TQtCanvas canvas(painter);
    canvas.Font = item.Font();
    TMarkupOptions options;
    options.PointX = at.X;
    options.PointY = y;
    options.HitTestOnly = true;
    options.WordWrap = item.WordWrap();
    TMarkupResult result;
    return DrawMarkupText(canvas, markup, rect, options, result) ? result.LinkTarget
                                                                 : std::string();
}

void TPlanner::mousePressEvent(QMouseEvent* event) {
    const TPlannerLayout layout = Layout();
    const TPoint at = PointOf(event);
    if (layout.Grid.Contains(at.X, at.Y)) {
        if (OnPlannerMouseDown) OnPlannerMouseDown(at);
        if (event->button() == Qt::LeftButton) GridPress(at, event->modifiers());
        if (event->button() == Qt::RightButton) RightPress(at);
        return;
    }
    if (layout.PreviousButton.Contains(at.X, at.Y) && OnPrevious) OnPrevious();
    if (layout.NextButton.Contains(at.X, at.Y) && OnNext) OnNext();
    QWidget::mousePressEvent(event);
}

void TPlanner::GridPress(TPoint at, Qt::KeyboardModifiers modifiers) {
    const bool hadFocus = hasFocus();
    setFocus(Qt::MouseFocusReason);
    const TPoint cell = GridCell(at);
    if (!hadFocus && selection_.Right < selection_.Left && IsPositionCell(cell))
        SetSelection({cell.X, cell.Y, cell.X, cell.Y});
    if (TPlannerItem* item = ItemAt(at))
        PressItem(*item, at, modifiers.testFlag(Qt::ControlModifier));
    else
        PressEmpty(cell);
}

// A press beside every item starts a range of slots and, with AutoUnSelect, drops the items.
void TPlanner::PressEmpty(TPoint cell) {
    if (IsPositionCell(cell)) {
        currentCell_ = selectionAnchor_ = cell;
        selecting_ = true;
        SetSelection({cell.X, cell.Y, cell.X, cell.Y});
    }
    if (ItemSelection().AutoUnSelect()) SelectItem(nullptr, false);
    if (OnPlannerLeftClick) OnPlannerLeftClick(cell);
}

void TPlanner::PressItem(TPlannerItem& item, TPoint at, bool control) {
    if (item.ItemBegin() < TopRow()) SetTopRow(item.ItemBegin());
    if (OnItemLeftClick) OnItemLeftClick(item);
    const bool selected = &item == Items().SelectedItem();
    // Ctrl with MultiSelect toggles the item and keeps the others selected.
    SelectItem(&item, control && MultiSelect());
    if (!selected) {
        if (OnItemSelect) OnItemSelect(item);
        setFocus(Qt::MouseFocusReason);
        StartDrag(item, PressAction(item, THitZone::Body, false, DirectMove()), at.Y);
        return;
    }
    const THitZone zone = ZoneAt(item, at);
    if (zone == THitZone::Body && PressLink(item, at)) return;
    StartDrag(item, PressAction(item, zone, true, DirectMove()), at.Y);
}

// The focus follows the selection; items taking and losing it are announced.
void TPlanner::SelectItem(TPlannerItem* item, bool toggle) {
    Items().Select(item, toggle, [this](TPlannerItem& changed) {
        const auto& event = changed.HasFocus() ? OnItemEnter : OnItemExit;
        if (event) event(changed);
    });
}

// A link in the item's text takes the press instead of the item.
bool TPlanner::PressLink(TPlannerItem& item, TPoint at) {
    const std::string link = LinkAt(item, at);
    if (link.empty()) return false;
    if (OnItemAnchorClick) OnItemAnchorClick(item, link);
    return true;
}

void TPlanner::StartDrag(TPlannerItem& item, TPressAction action, int y) {
    if (action == TPressAction::Select) return;
    drag_ = {};
    drag_.PressY = y;
    drag_.Before = SlotsOf(item);
    drag_.LastStep = TickCount();
    if (action == TPressAction::Move) {
        drag_.Mode = TDragMode::Move;
        drag_.PressSlot = item.FirstSlot();
        ShowHint(item.TimeSpanText());
    } else if (action == TPressAction::SizeTop) {
        drag_.Mode = TDragMode::SizeTop;
        drag_.PressSlot = item.ItemBegin();
        ShowHint(item.StartText());
    } else {
        drag_.Mode = TDragMode::SizeBottom;
        drag_.PressSlot = item.ItemEnd();
        ShowHint(item.EndText());
    }
}

void TPlanner::mouseMoveEvent(QMouseEvent* event) {
    const TPoint at = PointOf(event);
    const bool down = event->buttons().testFlag(Qt::LeftButton);
    if (drag_.Mode != TDragMode::None && down) {
        DragStep(at);
        return;
    }
    if (selecting_ && down) ExtendSelection(at);
    UpdateCursor(at);
    if (OnPlannerMouseMove) OnPlannerMouseMove(at);
}

void TPlanner::DragStep(TPoint at) {
    const std::int64_t now = TickCount();
    if (drag_.Paused && now - drag_.LastStep <= kScrollPause) return;
    drag_.Paused = false;
    drag_.LastStep = now;
    TPlannerItem* item = Items().SelectedItem();
    if (!item) return;
    if (drag_.Mode == TDragMode::Move)
        MoveStep(*item, at);
    else
        SizeStep(*item, at.Y);
}

void TPlanner::MoveStep(TPlannerItem& item, TPoint at) {
    const int rows = drag_.RowsMoved(at.Y, RowScale().RowHeight);
    const auto to = DragMove(*this, item, drag_.PressSlot + rows, GridCell(at).X - 1);
    if (!to) return;
    if (!ChangeItem(item, *to, TItemChange::Move, TPlaceBy::Range)) {
        FinishDrag();
        return;
    }
    const int height = RowScale().RowHeight;
    if (ScrollDownFor(item)) {
        drag_.PressY -= height;
        drag_.Paused = scrollSmooth_;
    } else if (ScrollUpFor(item)) {
        drag_.PressY += height;
        drag_.Paused = scrollSmooth_;
    }
    ShowHint(item.TimeSpanText());
}

void TPlanner::SizeStep(TPlannerItem& item, int y) {
    const int slot = drag_.PressSlot + drag_.RowsMoved(y, RowScale().RowHeight);
    const bool top = drag_.Mode == TDragMode::SizeTop;
    const auto to = top ? DragTop(*this, item, slot) : DragBottom(*this, item, slot);
    if (!to || !ChangeItem(item, *to, TItemChange::Size, TPlaceBy::Ends)) return;
    const int height = RowScale().RowHeight;
    if (top && ScrollUpFor(item)) {
        drag_.PressY += height;
        drag_.Paused = scrollSmooth_;
    } else if (!top && ScrollDownFor(item)) {
        drag_.PressY -= height;
        drag_.Paused = scrollSmooth_;
    }
    ShowHint(top ? item.StartText() : item.EndText());
}

void TPlanner::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    selecting_ = false;
    if (OnPlannerMouseUp) OnPlannerMouseUp(PointOf(event));
    FinishDrag();
}

// A move is reported when the item changed its place or hangs over the day's ends.
void TPlanner::FinishDrag() {
    const TDragState drag = drag_;
    drag_ = {};
    if (drag.Mode == TDragMode::None) return;
    HideHint();
    TPlannerItem* item = Items().SelectedItem();
    if (!item) return;
    const TItemPlace now = SlotsOf(*item);
    if (drag.Mode == TDragMode::Move) {
        const bool overflow = item->OverflowBefore() > 0 || item->OverflowAfter() > 0;
        if ((now.Begin != drag.Before.Begin || now.Pos != drag.Before.Pos || overflow) &&
            OnItemMove)
            OnItemMove(*item, drag.Before, now);
    } else if (now != drag.Before && OnItemSize) {
        OnItemSize(*item, drag.Before, now);
    }
}

void TPlanner::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    const TPoint at = PointOf(event);
    if (!Layout().Grid.Contains(at.X, at.Y)) return;
    if (TPlannerItem* item = ItemAt(at)) {
        HideHint();
        drag_ = {};
        if (OnItemDblClick) OnItemDblClick(*item);
    } else if (OnPlannerDblClick) {
        OnPlannerDblClick(GridCell(at));
    }
}

void TPlanner::RightPress(TPoint at) {
    if (drag_.Mode != TDragMode::None) return;
    if (TPlannerItem* item = ItemAt(at)) {
        if (OnItemRightClick) OnItemRightClick(*item);
    } else if (OnPlannerRightClick) {
        OnPlannerRightClick(GridCell(at));
    }
}

// The time column cannot be selected.
void TPlanner::ExtendSelection(TPoint at) {
    const TPoint cell = GridCell(at);
    const int column = std::clamp(cell.X, 1, Positions());
    const int row = std::clamp(cell.Y, 0, RowCount() - 1);
    currentCell_ = {column, row};
    SetSelection({std::min(column, selectionAnchor_.X), std::min(row, selectionAnchor_.Y),
                  std::max(column, selectionAnchor_.X), std::max(row, selectionAnchor_.Y)});
    if (OnSelectionChange) OnSelectionChange(selection_);
}

void TPlanner::UpdateCursor(TPoint at) {
    TPlannerItem* selected = Items().SelectedItem();
    if (!selected || ItemAt(at) != selected) {
        setCursor(Qt::ArrowCursor);
        return;
    }
    const THitZone zone = ZoneAt(*selected, at);
    if (zone == THitZone::Body && !LinkAt(*selected, at).empty())
        setCursor(Qt::PointingHandCursor);
    else
        setCursor(CursorOf(PressAction(*selected, zone, true, DirectMove())));
}
