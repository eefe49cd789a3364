#include "planner/Planner.h"

#include "platform/QtCanvas.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace {

constexpr int kCurrentTimeInterval = 500;

QRect ToQRect(const TRect& rect) {
    return QRect(rect.Left, rect.Top, rect.Width(), rect.Height());
}

} // namespace

TPlanner::TPlanner(QWidget* parent)
    : QWidget(parent), scrollBar_(new QScrollBar(Qt::Vertical, this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    QObject::connect(scrollBar_, &QScrollBar::valueChanged, this, [this] { Scrolled(); });
    SetView(this);
    ApplyGeometry();
}

TPlanner::~TPlanner() {
    SetView(nullptr);
}

void TPlanner::SetLooks(const TPlannerLooks& looks) {
    if (looks == looks_) return;
    looks_ = looks;
    update();
}

void TPlanner::SetPlannerImages(const TImageList* images) {
    images_ = images;
    update();
}

int TPlanner::TopRow() const {
    return scrollBar_->value();
}

void TPlanner::SetTopRow(int row) {
    scrollBar_->setValue(row);
}

int TPlanner::VisibleRows() const {
    const int scale = std::max(1, Display().DisplayScale());
    return std::min((Layout().Grid.Height() + scale - 1) / scale, RowCount());
}

void TPlanner::SetSelection(const TGridSelection& selection) {
    selection_ = selection;
    InvalidateGrid();
}

TPlannerLayout TPlanner::Layout() const {
    return LayOutPlanner(*this, width(), height(), ScrollBarExtent());
}

int TPlanner::ScrollBarExtent() const {
    return style()->pixelMetric(QStyle::PM_ScrollBarExtent);
}

// Rows, scale, size or the starting row may have changed.
void TPlanner::ApplyGeometry() {
    const TRect grid = Layout().Grid;
    const int extent = ScrollBarExtent();
    scrollBar_->setGeometry(grid.Right - extent, grid.Top, extent, grid.Height());
    const int scale = std::max(1, Display().DisplayScale());
    scrollBar_->setRange(0, std::max(0, RowCount() - grid.Height() / scale));
    scrollBar_->setPageStep(std::max(1, grid.Height() / scale));
    if (GridTopRow() != appliedTopRow_) {
        appliedTopRow_ = GridTopRow();
        scrollBar_->setValue(appliedTopRow_);
    }
    Scrolled();
}

// The indicators depend on the rows in view, so each scroll repaints the whole grid.
void TPlanner::Scrolled() {
    InvalidateGrid();
}

TRowsOutside TPlanner::RowsOutside() const {
    return ItemsOutsideView(*this, TopRow(), TopRow() + VisibleRows() - 1);
}

void TPlanner::InvalidateCells(int column, int beginRow, int endRow) {
    const TPlannerLayout layout = Layout();
    const int scale = Display().DisplayScale();
    const TRect first = layout.CellRect(column, beginRow, TopRow(), scale);
    const TRect last = layout.CellRect(column, endRow - 1, TopRow(), scale);
    update(
        ToQRect(TRect{first.Left, first.Top, last.Right, last.Bottom}.Offset(0, layout.Grid.Top)));
}

void TPlanner::InvalidateGrid() {
    update(ToQRect(Layout().Grid));
}

void TPlanner::SettingsChanged() {
    ApplyGeometry();
    UpdateTimer();
    update();
}

void TPlanner::ItemRemoving(TPlannerItem&) {}

void TPlanner::resizeEvent(QResizeEvent*) {
    ApplyGeometry();
}

// The timer lives while the current time is marked.
void TPlanner::UpdateTimer() {
    const TPlannerDisplay& display = Display();
    if (!display.ShowCurrentItem())
        MarkCurrentItems(*this, currentRow_, [this](TPlannerItem& item) { RepaintItem(item); });
    if (!display.ShowCurrent() && !display.ShowCurrentItem()) {
        timer_.reset();
        return;
    }
    if (timer_) return;
    timer_ = CreateTimer();
    timer_->SetInterval(kCurrentTimeInterval);
    timer_->OnTimer = [this] { TimerTick(); };
    timer_->SetEnabled(true);
}

void TPlanner::TimerTick() {
    const int row = CurrentRow(Display(), Clock());
    if (row != currentRow_) {
        InvalidateRow(currentRow_);
        InvalidateRow(row);
        currentRow_ = row;
    }
    if (Display().ShowCurrentItem())
        MarkCurrentItems(*this, row, [this](TPlannerItem& item) { CurrentItemChanged(item); });
}

void TPlanner::CurrentItemChanged(TPlannerItem& item) {
    const auto& event = item.ViewState().IsCurrent ? OnItemActivate : OnItemDeactivate;
    if (event) event(item);
    RepaintItem(item);
}

void TPlanner::InvalidateRow(int row) {
    if (row < 0 || row >= RowCount()) return;
    for (int column = 0; column < ColumnCount(); ++column)
        InvalidateCells(column, row, row + 1);
}

TGridState TPlanner::GridState() const {
    TGridState state;
    state.TopRow = TopRow();
    state.VisibleRows = VisibleRows();
    state.Selection = selection_;
    state.Now = Clock();
    const QPoint mouse = mapFromGlobal(QCursor::pos());
    state.Mouse = {mouse.x(), mouse.y() - Layout().Grid.Top};
    state.MouseDown = underMouse() && QGuiApplication::mouseButtons() != Qt::NoButton;
    state.Outside = RowsOutside();
    state.Images = images_;
    return state;
}

void TPlanner::mousePressEvent(QMouseEvent* event) {
    const TPlannerLayout layout = Layout();
    const QPoint at = event->position().toPoint();
    if (layout.PreviousButton.Contains(at.x(), at.y()) && OnPrevious) OnPrevious();
    if (layout.NextButton.Contains(at.x(), at.y()) && OnNext) OnNext();
    QWidget::mousePressEvent(event);
}

void TPlanner::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    TQtCanvas canvas(painter);
    const TPlannerLayout layout = Layout();
    canvas.Brush.Color = looks_.HeaderColor;
    canvas.FillRect({0, 0, width(), layout.Grid.Top});
    PaintCaptionBar(canvas, *this, looks_, layout.Caption);
    PaintHeader(canvas, *this, looks_, layout);
    PaintNavigatorButton(canvas, looks_, layout.PreviousButton, false);
    PaintNavigatorButton(canvas, looks_, layout.NextButton, true);
    painter.translate(0, layout.Grid.Top);
    canvas.PushClip({0, 0, layout.Grid.Width() - ScrollBarExtent(), layout.Grid.Height()});
    canvas.Brush.Color = clWindow;
    canvas.FillRect({0, 0, layout.Grid.Width(), layout.Grid.Height()});
    const TGridState grid = GridState();
    TGridPainter(*this, looks_, layout, grid).PaintGrid(canvas);
    canvas.PopClip();
}
