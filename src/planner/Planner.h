#pragma once

#include "planner/CustomPlanner.h"
#include "planner/PaintLayout.h"
#include "planner/PaintLooks.h"
#include "planner/PaintPlanner.h"
#include "platform/Timer.h"

#include <QWidget>
#include <functional>
#include <memory>

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

protected:
    void paintEvent(QPaintEvent* event) override;
    // Only the navigator buttons answer here; the grid's mouse handling is the grid's own.
    void mousePressEvent(QMouseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
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

    TPlannerLooks looks_;
    const TImageList* images_ = nullptr;
    QScrollBar* scrollBar_;
    TGridSelection selection_;
    int appliedTopRow_ = -1;
    int currentRow_ = 0;
    std::unique_ptr<Timer> timer_;
};
