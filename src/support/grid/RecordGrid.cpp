#include "support/grid/RecordGrid.h"

#include "db/IBCustomDataSet.h"
#include "platform/QtCanvas.h"
#include "support/grid/GridEditor.h"

#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QStyle>
#include <algorithm>

namespace {
constexpr int kDefaultColWidth = 64;
constexpr int kIndicatorWidth = 11;
} // namespace

// A canvas over a small image, for text metrics outside painting.
struct TRecordGrid::Metrics {
    QImage Image{1, 1, QImage::Format_RGB32};
    QPainter Painter{&Image};
    TQtCanvas Canvas{Painter};
};

class TRecordGrid::Link : public TDataLink {
public:
    explicit Link(TRecordGrid& grid) : grid_(grid) {}
    void ActiveChanged() override { grid_.LinkActiveChanged(); }
    void DataSetScrolled(int) override { grid_.LinkDataChanged(); }
    void DataSetChanged() override { grid_.LinkDataChanged(); }
    void RecordChanged(TField* field) override { grid_.LinkRecordChanged(field); }
    void EditingChanged() override { grid_.LinkEditingChanged(); }
    void UpdateData() override { grid_.UpdateData(); }

private:
    TRecordGrid& grid_;
};

int TGridGeometry::FullRows() const {
    return std::max(1, (Height - DataTop + LineWidth) / std::max(1, RowHeight + LineWidth));
}

int TGridGeometry::ColumnAt(int x) const {
    for (int i = 0; i < static_cast<int>(Columns.size()); ++i)
        if (x >= Columns[i].Left && x < Columns[i].Right + ColLineWidth) return i;
    return -1;
}

int TGridGeometry::RowAt(int y) const {
    if (y < DataTop) return -1;
    return (y - DataTop) / std::max(1, RowHeight + LineWidth);
}

TRecordGrid::TRecordGrid(QWidget* parent)
    : QWidget(parent), link_(std::make_unique<Link>(*this)),
      vertical_(new QScrollBar(Qt::Vertical, this)),
      horizontal_(new QScrollBar(Qt::Horizontal, this)) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    vertical_->setFocusPolicy(Qt::NoFocus);
    horizontal_->setFocusPolicy(Qt::NoFocus);
    QObject::connect(vertical_, &QScrollBar::actionTriggered, this,
                     [this](int action) { ScrollBarStep(action); });
    QObject::connect(vertical_, &QScrollBar::valueChanged, this,
                     [this](int value) { ScrollBarMoved(value); });
    QObject::connect(horizontal_, &QScrollBar::valueChanged, this, [this](int value) {
        if (syncingScroll_) return;
        leftCol_ = value;
        PlaceEditor();
        update();
    });
    editor_ = new TGridEditor(*this);
    LayoutChanged();
}

// Detached first, so that the editor going away touches no result set.
TRecordGrid::~TRecordGrid() {
    link_->SetDataSource(nullptr);
}

TDataSource* TRecordGrid::DataSource() const {
    return link_->DataSource();
}

TIBCustomDataSet* TRecordGrid::DataSet() const {
    return link_->DataSet();
}

void TRecordGrid::SetDataSource(TDataSource* source) {
    if (source == link_->DataSource()) return;
    bookmarks_.SetLinkActive(false);
    link_->SetDataSource(source);
    LinkActiveChanged();
}

TDBGridOptions TRecordGrid::Options() const {
    return multiSelect_ ? options_ | dgMultiSelect : options_ & ~dgMultiSelect;
}

void TRecordGrid::SetOptions(TDBGridOptions options) {
    if (options & dgRowSelect) options &= ~(dgEditing | dgAlwaysShowEditor);
    options_ = options & ~dgMultiSelect;
    SetMultiSelect(options & dgMultiSelect);
    if (!(options_ & dgEditing)) HideEditor();
    LayoutChanged();
    if (options_ & dgAlwaysShowEditor) ShowEditor();
}

void TRecordGrid::SetMultiSelect(bool value) {
    if (value == multiSelect_) return;
    multiSelect_ = value;
    if (!value) bookmarks_.Clear();
    update();
}

void TRecordGrid::SetDefaultDrawing(bool value) {
    defaultDrawing_ = value;
    update();
}

void TRecordGrid::SetShowGlyphs(bool value) {
    showGlyphs_ = value;
    update();
}

void TRecordGrid::SetReadOnly(bool value) {
    readOnly_ = value;
    editor_->setReadOnly(!CanEditModify());
}

// The title row keeps the grid's font until it is given its own.
void TRecordGrid::SetFont(const TFont& font) {
    font_ = font;
    if (!titleFontSet_) titleFont_ = font;
    LayoutChanged();
}

void TRecordGrid::SetTitleFont(const TFont& font) {
    titleFont_ = font;
    titleFontSet_ = true;
    LayoutChanged();
}

void TRecordGrid::SetColor(TColor color) {
    color_ = color;
    update();
}

void TRecordGrid::SetFixedColor(TColor color) {
    fixedColor_ = color;
    update();
}

// Pending text belongs to the column it was typed in.
void TRecordGrid::SetSelectedIndex(int index) {
    if (index < 0 || index >= columns_.Count() || index == selectedIndex_) return;
    UpdateData();
    selectedIndex_ = index;
    ScrollToColumn(index);
    LoadEditorText();
    PlaceEditor();
    update();
}

bool TRecordGrid::Active() const {
    return link_->Active();
}

int TRecordGrid::CurrentRow() const {
    return link_->ActiveRecord();
}

bool TRecordGrid::HasGridFocus() const {
    return hasFocus() || editor_->hasFocus();
}

bool TRecordGrid::CanModify() const {
    return Active() && DataSet()->Modifiable() && !readOnly_;
}

TField* TRecordGrid::SelectedField() const {
    if (selectedIndex_ < 0 || selectedIndex_ >= columns_.Count()) return nullptr;
    return columns_[selectedIndex_].Field();
}

TCanvas& TRecordGrid::MeasureCanvas() const {
    if (!metrics_) metrics_ = std::make_unique<Metrics>();
    return metrics_->Canvas;
}

int TRecordGrid::DefaultColumnWidth(const TColumn& column) const {
    const TField* field = column.Field();
    if (!field) return kDefaultColWidth;
    TCanvas& canvas = MeasureCanvas();
    canvas.Font = column.EffectiveFont();
    int width = canvas.TextWidth("0") * FieldDisplayWidth(*field) + 4;
    if (options_ & dgTitles) {
        canvas.Font = column.Title().Font.value_or(titleFont_);
        width = std::max(width, canvas.TextWidth(column.Title().Caption()) + 4);
    }
    return width;
}

TGridGeometry TRecordGrid::Geometry() const {
    TGridGeometry geometry;
    TCanvas& canvas = MeasureCanvas();
    canvas.Font = font_;
    geometry.RowHeight = canvas.TextHeight("Wg") + 3;
    geometry.LineWidth = options_ & dgRowLines ? 1 : 0;
    geometry.ColLineWidth = options_ & dgColLines ? 1 : 0;
    if (options_ & dgTitles) {
        canvas.Font = titleFont_;
        geometry.TitleHeight = canvas.TextHeight("Wg") + 4;
        geometry.DataTop = geometry.TitleHeight + geometry.LineWidth;
    }
    geometry.IndicatorWidth = options_ & dgIndicator ? kIndicatorWidth : 0;
    geometry.Width = width() - (vertical_->isVisibleTo(this) ? vertical_->width() : 0);
    geometry.Height = height() - (horizontal_->isVisibleTo(this) ? horizontal_->height() : 0);
    int x = geometry.IndicatorWidth ? geometry.IndicatorWidth + geometry.ColLineWidth : 0;
    for (int i = std::max(0, leftCol_); i < columns_.Count() && x < geometry.Width; ++i) {
        if (!columns_[i].Visible()) continue;
        const int width = columns_[i].Width();
        geometry.Columns.push_back({i, x, x + width});
        x += width + geometry.ColLineWidth;
    }
    return geometry;
}

int TRecordGrid::VisibleRowCount() const {
    return Geometry().FullRows();
}

TRect TRecordGrid::CellRect(int dataCol, int row) const {
    const TGridGeometry geometry = Geometry();
    for (const TGridGeometry::Cell& cell : geometry.Columns)
        if (cell.DataCol == dataCol) {
            const int top = geometry.RowTop(row);
            return {cell.Left, top, cell.Right, top + geometry.RowHeight};
        }
    return {};
}

void TRecordGrid::ColumnsChanged() {
    selectedIndex_ = std::clamp(selectedIndex_, 0, std::max(0, columns_.Count() - 1));
    LayoutChanged();
}

void TRecordGrid::InvalidateCurrentRow() {
    if (!Active()) return;
    const TGridGeometry geometry = Geometry();
    update(0, geometry.RowTop(CurrentRow()), width(), geometry.RowHeight + geometry.LineWidth);
}

// Sizes, scroll bars and the record window follow the fonts, columns and the widget's size.
void TRecordGrid::LayoutChanged() {
    const int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    int columnsWidth = options_ & dgIndicator ? kIndicatorWidth + 1 : 0;
    for (int i = 0; i < columns_.Count(); ++i)
        if (columns_[i].Visible()) columnsWidth += columns_[i].Width() + 1;
    horizontal_->setVisible(columnsWidth > width() - extent);
    vertical_->setGeometry(width() - extent, 0, extent,
                           height() - (horizontal_->isVisibleTo(this) ? extent : 0));
    horizontal_->setGeometry(0, height() - extent, width() - extent, extent);
    link_->SetBufferCount(VisibleRowCount());
    UpdateScrollBars();
    PlaceEditor();
    update();
}

void TRecordGrid::UpdateScrollBars() {
    syncingScroll_ = true;
    const bool active = Active();
    vertical_->setRange(0, active ? std::max(0, DataSet()->RecordCount() - 1) : 0);
    vertical_->setPageStep(VisibleRowCount());
    vertical_->setValue(active ? std::max(0, DataSet()->RecordNumber() - 1) : 0);
    horizontal_->setRange(0, std::max(0, columns_.Count() - 1));
    horizontal_->setValue(leftCol_);
    syncingScroll_ = false;
}

// Arrows and page clicks move the current row as the keys do; the slider itself goes to a
// row number.
void TRecordGrid::ScrollBarStep(int action) {
    if (!Active()) return;
    const int page = VisibleRowCount();
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
    case QAbstractSlider::SliderSingleStepSub:
        MoveRows(action == QAbstractSlider::SliderSingleStepAdd ? 1 : -1);
        break;
    case QAbstractSlider::SliderPageStepAdd:
    case QAbstractSlider::SliderPageStepSub:
        MoveRows(action == QAbstractSlider::SliderPageStepAdd ? page : -page);
        break;
    default:
        return;
    }
    UpdateScrollBars();
}

void TRecordGrid::ScrollBarMoved(int value) {
    if (syncingScroll_ || !Active()) return;
    DataSet()->SetRecordNumber(value + 1);
}

void TRecordGrid::ScrollToColumn(int dataCol) {
    if (dataCol < leftCol_) leftCol_ = dataCol;
    for (;;) {
        const TGridGeometry geometry = Geometry();
        const auto shown =
            std::find_if(geometry.Columns.begin(), geometry.Columns.end(),
                         [dataCol](const auto& cell) { return cell.DataCol == dataCol; });
        if (leftCol_ >= dataCol ||
            (shown != geometry.Columns.end() && shown->Right <= geometry.Width))
            break;
        ++leftCol_;
    }
    UpdateScrollBars();
}

void TRecordGrid::LinkActiveChanged() {
    columns_.BindFields(Active() ? DataSet() : nullptr);
    bookmarks_.SetLinkActive(Active());
    selecting_ = false;
    anchor_.clear();
    editTextModified_ = false;
    if (!Active())
        HideEditor();
    else if (options_ & dgAlwaysShowEditor)
        ShowEditor();
    LoadEditorText();
    LayoutChanged();
}

void TRecordGrid::LinkDataChanged() {
    UpdateScrollBars();
    if (!editTextModified_) LoadEditorText();
    PlaceEditor();
    update();
}

void TRecordGrid::LinkEditingChanged() {
    if (Active() && DataSet()->State() == dsBrowse) {
        editTextModified_ = false;
        LoadEditorText();
    }
    update();
}

void TRecordGrid::LinkRecordChanged(TField* field) {
    if (!editTextModified_ && (!field || field == SelectedField())) LoadEditorText();
    InvalidateCurrentRow();
}

// The pending cell text goes into the field; a text the field refuses stays pending.
void TRecordGrid::UpdateData() {
    TField* field = SelectedField();
    if (!editTextModified_ || !field) return;
    field->SetAsString(EditorText());
    editTextModified_ = false;
    LoadEditorText();
}

void TRecordGrid::resizeEvent(QResizeEvent*) {
    LayoutChanged();
}
