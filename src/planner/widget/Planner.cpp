#include "planner/widget/Planner.h"

#include "platform/ColorResolve.h"
#include "platform/QtCanvas.h"
#include "platform/QtText.h"

#include <QCursor>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <QToolTip>
#include <algorithm>
#include <chrono>
#include <cmath>

namespace {

constexpr int kCurrentTimeInterval = 500;
constexpr int kHintWidth = 100;
constexpr int kHintOffset = 10;

std::int64_t SteadyMilliseconds() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

QRect ToQRect(const TRect& rect) {
    return QRect(rect.Left, rect.Top, rect.Width(), rect.Height());
}

} // namespace

TPlanner::TPlanner(QWidget* parent)
    : QWidget(parent), scrollBar_(new QScrollBar(Qt::Vertical, this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    TickCount = SteadyMilliseconds;
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

// A drag of the removed item ends without notifications.
void TPlanner::ItemRemoving(TPlannerItem& item) {
    if (&item != Items().SelectedItem() || drag_.Mode == TDragMode::None) return;
    drag_ = {};
    HideHint();
}

// The veto comes first, then the place update may still change the place.
bool TPlanner::ChangeItem(TPlannerItem& item, TItemPlace to, TItemChange change, TPlaceBy by) {
    const auto& asking = change == TItemChange::Move ? OnItemMoving : OnItemSizing;
    if (asking && !asking(item, to)) return false;
    if (OnItemPlaceUpdate) OnItemPlaceUpdate(item, to);
    PlaceItem(item, to, by);
    return true;
}

void TPlanner::ShowHint(const std::string& text) {
    if (!hintOnItemChange_) return;
    if (!hint_) {
        hint_ = new QLabel(this, Qt::ToolTip);
        hint_->setMaximumWidth(kHintWidth);
        hint_->setAutoFillBackground(true);
    }
    const TRGB rgb = ColorToRGB(hintColor_);
    QPalette palette = hint_->palette();
    palette.setColor(QPalette::Window, QColor(rgb.R, rgb.G, rgb.B));
    hint_->setPalette(palette);
    hint_->setText(ToQString(text));
    hint_->adjustSize();
    hint_->move(QCursor::pos() + QPoint(kHintOffset, kHintOffset));
    hint_->show();
}

void TPlanner::HideHint() {
    if (hint_) hint_->hide();
}

std::string TPlanner::HintText() const {
    return hint_ && hint_->isVisible() ? FromQString(hint_->text()) : std::string();
}

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
    if (OnPaintOverlay) OnPaintOverlay(canvas);
    canvas.PopClip();
}

bool TPlanner::event(QEvent* event) {
    if (event->type() != QEvent::ToolTip || !OnItemHint) return QWidget::event(event);
    const auto* help = static_cast<QHelpEvent*>(event);
    TPlannerItem* item = ItemAt({help->pos().x(), help->pos().y()});
    const std::string hint = item ? OnItemHint(*item) : std::string();
    if (hint.empty())
        QToolTip::hideText();
    else
        QToolTip::showText(help->globalPos(), ToQString(hint), this);
    return true;
}

TRect TPlanner::ItemBounds(const TPlannerItem& item) const {
    const int rowHeight = std::max(1, Display().DisplayScale());
    const TRect cell = Layout().CellRect(item.ItemPos() + 1, item.ItemBegin(), TopRow(), rowHeight);
    return ItemRect(item, ItemLaneRect(*this, item, cell), {rowHeight, TopRow(), 0});
}

int TPlanner::MinuteToPixel(double minute) const {
    const double rows = (minute - Display().DisplayStartMinute()) / Display().DisplayUnit();
    return static_cast<int>(std::lround((rows - TopRow()) * std::max(1, Display().DisplayScale())));
}

TRect TPlanner::PositionColumn(int position) const {
    const TPlannerLayout layout = Layout();
    const TRect column = layout.CellRect(position + 1, 0, 0, 1);
    return {column.Left, 0, column.Right, layout.Grid.Height()};
}
