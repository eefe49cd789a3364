#pragma once

#include "planner/model/CustomPlanner.h"
#include "planner/model/PlannerHit.h"
#include "planner/paint/PaintLayout.h"
#include "planner/paint/PaintLooks.h"
#include "planner/paint/PaintPlanner.h"
#include "planner/widget/PlannerDrag.h"
#include "platform/Timer.h"

#include <QWidget>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

class QLabel;
class QScrollBar;

// The day planner widget: caption bar, header strip with navigator buttons, and the grid of
// the time column and the positions, scrolled vertically.
class TPlanner : public QWidget, public TCustomPlanner, private TPlannerView {
public:
    explicit TPlanner(QWidget* parent = nullptr);
    ~TPlanner() override;

    const TPlannerLooks& Looks() const { return looks_; }
    void SetLooks(const TPlannerLooks& looks);
    const TImageList* PlannerImages() const { return images_; }
    void SetPlannerImages(const TImageList* images);

    // The grid row shown at the top.
    int TopRow() const;
    void SetTopRow(int row);
    int VisibleRows() const;
    const TGridSelection& Selection() const { return selection_; }
    void SetSelection(const TGridSelection& selection);
    // The grid's current cell: column 0 is the time column, position p is column p + 1;
    // a row of -1 means none.
    TPoint CurrentCell() const { return currentCell_; }
    void SetCurrentCell(TPoint cell);
    // Rows per wheel notch.
    int WheelDelta() const { return wheelDelta_; }
    void SetWheelDelta(int value) { wheelDelta_ = value; }
    // The time shown while an item is moved or sized; empty when no hint is shown.
    std::string HintText() const;
    bool HintOnItemChange() const { return hintOnItemChange_; }
    void SetHintOnItemChange(bool value) { hintOnItemChange_ = value; }
    TColor HintColor() const { return hintColor_; }
    void SetHintColor(TColor value) { hintColor_ = value; }
    // Drag steps pause for a moment after each automatic scroll.
    bool ScrollSmooth() const { return scrollSmooth_; }
    void SetScrollSmooth(bool value) { scrollSmooth_ = value; }
    TDragMode DragMode() const { return drag_.Mode; }
    TPlannerLayout Layout() const;
    // Items beyond the rows in view, as the time column's indicators show them; items move
    // without scrolling, so each paint asks again.
    TRowsOutside RowsOutside() const;

    // One tick of the current-time timer: moves the current row and the current items.
    void TimerTick();
    // The clock the current-time marking reads; the local clock unless replaced.
    std::function<TDateTime()> Clock = [] { return Now(); };
    std::function<void()> OnPrevious;
    std::function<void()> OnNext;
    std::function<void(TPlannerItem&)> OnItemActivate;
    std::function<void(TPlannerItem&)> OnItemDeactivate;

    // Notifications; the planner works the same without handlers.
    std::function<void(TPlannerItem&)> OnItemLeftClick;
    std::function<void(TPlannerItem&)> OnItemRightClick;
    std::function<void(TPlannerItem&)> OnItemDblClick;
    std::function<void(TPlannerItem&)> OnItemSelect;
    std::function<void(TPlannerItem&)> OnItemDelete;
    std::function<void(TPlannerItem&)> OnItemEnter; // the item takes the focus
    std::function<void(TPlannerItem&)> OnItemExit;
    std::function<void(TPoint at)> OnPlannerMouseDown; // widget coordinates
    std::function<void(TPoint at)> OnPlannerMouseMove;
    std::function<void(TPoint at)> OnPlannerMouseUp;
    std::function<void(int key, Qt::KeyboardModifiers modifiers)> OnPlannerKeyDown;
    std::function<void(int key, Qt::KeyboardModifiers modifiers)> OnPlannerKeyUp;
    // A press on a link in the selected item's text.
    std::function<void(TPlannerItem&, const std::string& target)> OnItemAnchorClick;
    std::function<void(TPoint cell)> OnPlannerLeftClick;
    std::function<void(TPoint cell)> OnPlannerRightClick;
    std::function<void(TPoint cell)> OnPlannerDblClick;
    // A false answer vetoes the step; a vetoed drag ends.
    std::function<bool(TPlannerItem&, const TItemPlace& to)> OnItemMoving;
    std::function<bool(TPlannerItem&, const TItemPlace& to)> OnItemSizing;
    // The last chance to change where a moved or sized item goes.
    std::function<void(TPlannerItem&, TItemPlace& to)> OnItemPlaceUpdate;
    // After a move or a size, with the visible slots and the position before and after.
    std::function<void(TPlannerItem&, const TItemPlace& from, const TItemPlace& to)> OnItemMove;
    std::function<void(TPlannerItem&, const TItemPlace& from, const TItemPlace& to)> OnItemSize;
    std::function<void(const TGridSelection&)> OnSelectionChange;
    std::function<void(const TGridSelection&)> OnItemInsert;
    // Milliseconds of a steady clock, pacing drag steps after an automatic scroll.
    std::function<std::int64_t()> TickCount;
    // Drawn over the grid once it is painted, in grid coordinates and clipped to the grid.
    std::function<void(TCanvas&)> OnPaintOverlay;
    // The tooltip of the item under the pointer; none when empty.
    std::function<std::string(TPlannerItem&)> OnItemHint;

    // Where an item is drawn, in grid coordinates.
    TRect ItemBounds(const TPlannerItem& item) const;
    // The pixel row of a minute of the day, in grid coordinates.
    int MinuteToPixel(double minute) const;
    // The horizontal extent of a position's column, in grid coordinates, over the grid's height.
    TRect PositionColumn(int position) const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    // Presses on the navigator buttons and on the grid.
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    // Tab and Shift+Tab pick items instead of moving the focus on.
    bool focusNextPrevChild(bool next) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Drag steps after an automatic scroll wait this many milliseconds.
    static constexpr int kScrollPause = 50;

    void InvalidateCells(int column, int beginRow, int endRow) override;
    void InvalidateGrid() override;
    void SettingsChanged() override;
    void ItemRemoving(TPlannerItem& item) override;

    int ScrollBarExtent() const;
    void ApplyGeometry();
    void Scrolled();
    void UpdateTimer();
    void CurrentItemChanged(TPlannerItem& item);
    void InvalidateRow(int row);
    TGridState GridState() const;

    // Mouse, in widget coordinates.
    TPoint GridCell(TPoint at) const;
    bool IsPositionCell(TPoint cell) const;
    TRowScale RowScale() const;
    TPlannerItem* ItemAt(TPoint at) const;
    THitZone ZoneAt(const TPlannerItem& item, TPoint at) const;
    std::string LinkAt(const TPlannerItem& item, TPoint at) const;
    void GridPress(TPoint at, Qt::KeyboardModifiers modifiers);
    void PressEmpty(TPoint cell);
    void PressItem(TPlannerItem& item, TPoint at, bool control);
    void SelectItem(TPlannerItem* item, bool toggle);
    bool PressLink(TPlannerItem& item, TPoint at);
    void StartDrag(TPlannerItem& item, TPressAction action, int y);
    void DragStep(TPoint at);
    void MoveStep(TPlannerItem& item, TPoint at);
    void SizeStep(TPlannerItem& item, int y);
    void FinishDrag();
    void ExtendSelection(TPoint at);
    void UpdateCursor(TPoint at);
    void RightPress(TPoint at);

    // Placing items.
    bool ChangeItem(TPlannerItem& item, TItemPlace to, TItemChange change, TPlaceBy by);
    void ShowHint(const std::string& text);
    void HideHint();

    // Keys.
    bool KeyOnItem(int key, bool shift);
    void ArrowKey(TPlannerItem& item, TArrowKey key, bool shift);
    void TabToItem(bool next);
    bool MoveCurrentCell(int key, Qt::KeyboardModifiers modifiers);
    bool InsertAllowed() const;

    // Scrolling.
    int FullRows() const;
    bool ScrollRows(int rows);
    void AutoScroll(const TPlannerItem& item);
    bool ScrollDownFor(const TPlannerItem& item);
    bool ScrollUpFor(const TPlannerItem& item);
    void FollowCurrentCell();
    void SelectCurrentCell();
    void WheelNotch(bool down);

    TPlannerLooks looks_;
    const TImageList* images_ = nullptr;
    QScrollBar* scrollBar_;
    TGridSelection selection_;
    TPoint currentCell_{1, -1};
    TPoint selectionAnchor_;
    bool selecting_ = false;
    int wheelDelta_ = 10;
    int wheelAngle_ = 0; // wheel angle not yet taken as a whole notch
    TDragState drag_;
    QLabel* hint_ = nullptr;
    bool hintOnItemChange_ = true;
    bool scrollSmooth_ = true;
    TColor hintColor_ = clInfoBk;
    int appliedTopRow_ = -1;
    int currentRow_ = 0;
    std::unique_ptr<Timer> timer_;
};
