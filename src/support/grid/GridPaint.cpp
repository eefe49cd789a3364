// Painting: titles, indicator marks, data cells with the drawing hook, grid lines.
#include "db/IBCustomDataSet.h"
#include "platform/QtCanvas.h"
#include "support/grid/RecordGrid.h"

#include <QPainter>
#include <algorithm>

namespace {
constexpr unsigned kCellTextFlags = tfSingleLine | tfNoPrefix;
constexpr TColor kDataLineColor = clSilver;
constexpr TColor kFixedLineColor = clBtnShadow;

enum class Mark { None, Browse, Edit, Insert };

// The painted row is the result set's active record while it is painted.
class ActiveRecordScope {
public:
    explicit ActiveRecordScope(TIBCustomDataSet& dataSet)
        : dataSet_(dataSet), saved_(dataSet.ActiveRecordIndex()) {}
    ~ActiveRecordScope() { dataSet_.SetActiveRecordIndex(saved_); }
    ActiveRecordScope(const ActiveRecordScope&) = delete;
    ActiveRecordScope& operator=(const ActiveRecordScope&) = delete;

private:
    TIBCustomDataSet& dataSet_;
    int saved_;
};

class CanvasScope {
public:
    CanvasScope(TCanvas*& slot, TCanvas& canvas) : slot_(slot) { slot_ = &canvas; }
    ~CanvasScope() { slot_ = nullptr; }
    CanvasScope(const CanvasScope&) = delete;
    CanvasScope& operator=(const CanvasScope&) = delete;

private:
    TCanvas*& slot_;
};

Mark MarkOf(TDataSetState state) {
    switch (state) {
    case dsEdit:
        return Mark::Edit;
    case dsInsert:
        return Mark::Insert;
    default:
        return Mark::Browse;
    }
}

// Marks stand 2 pixels left of the cell's right edge, centred vertically.
void DrawMark(TCanvas& canvas, const TRect& rect, Mark mark) {
    const int right = rect.Right - 2;
    const int middle = rect.Top + rect.Height() / 2;
    canvas.Pen.Color = clWindowText;
    canvas.Brush.Color = clWindowText;
    switch (mark) {
    case Mark::Browse:
        canvas.Polygon({{right - 4, middle - 4}, {right, middle}, {right - 4, middle + 4}});
        break;
    case Mark::Edit:
        canvas.Line(right - 2, middle - 4, right - 2, middle + 5);
        canvas.Line(right - 4, middle - 4, right + 1, middle - 4);
        canvas.Line(right - 4, middle + 4, right + 1, middle + 4);
        break;
    case Mark::Insert:
        canvas.Line(right - 6, middle, right + 1, middle);
        canvas.Line(right - 3, middle - 3, right - 3, middle + 4);
        canvas.Line(right - 5, middle - 2, right, middle + 3);
        canvas.Line(right - 5, middle + 2, right, middle - 3);
        break;
    case Mark::None:
        break;
    }
}

// A page, with lines of text for a memo, centred in the cell.
void DrawFieldGlyph(TCanvas& canvas, const TRect& rect, bool memo) {
    const int left = rect.Left + rect.Width() / 2 - 4;
    const int top = rect.Top + rect.Height() / 2 - 5;
    const TColor text = canvas.Font.Color;
    canvas.Pen.Color = text;
    canvas.Brush.Color = clWindow;
    canvas.Rectangle({left, top, left + 9, top + 11});
    if (!memo) return;
    for (int y = top + 3; y < top + 9; y += 2)
        canvas.Line(left + 2, y, left + 7, y);
}

void DrawSelectionDot(TCanvas& canvas, const TRect& rect) {
    const int middle = rect.Top + rect.Height() / 2;
    canvas.Pen.Color = clWindowText;
    canvas.Brush.Color = clWindowText;
    canvas.Ellipse({rect.Right - 6, middle - 2, rect.Right - 2, middle + 2});
}
} // namespace

void TRecordGrid::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    TQtCanvas canvas(painter);
    PaintTo(canvas);
}

void TRecordGrid::PaintTo(TCanvas& canvas) {
    const CanvasScope scope(canvas_, canvas);
    const TGridGeometry geometry = Geometry();
    const int rows = Active() ? std::min(DataSet()->WindowRecordCount(), geometry.FullRows()) : 1;
    const int right =
        geometry.Columns.empty() ? geometry.IndicatorWidth : geometry.Columns.back().Right;
    const int bottom = geometry.RowTop(rows);
    canvas.Brush.Color = color_;
    canvas.FillRect({right, 0, geometry.Width, geometry.Height});
    canvas.FillRect({0, bottom, right, geometry.Height});
    canvas.Brush.Color = clBtnFace; // the corner between the scroll bars
    canvas.FillRect({geometry.Width, geometry.Height, width(), height()});
    PaintTitles(geometry);
    PaintRows(geometry);
    PaintLines(geometry, rows);
    if (defaultDrawing_ && (options_ & dgRowSelect) && HasGridFocus() && Active() &&
        !geometry.Columns.empty()) {
        const int top = geometry.RowTop(CurrentRow());
        canvas.DrawFocusRect({geometry.Columns.front().Left, top, right, top + geometry.RowHeight});
    }
}

void TRecordGrid::PaintTitles(const TGridGeometry& geometry) {
    if (!geometry.TitleHeight) return;
    const bool bothLines = (options_ & dgColLines) && (options_ & dgRowLines);
    if (geometry.IndicatorWidth) {
        canvas_->Brush.Color = fixedColor_;
        canvas_->FillRect({0, 0, geometry.IndicatorWidth, geometry.TitleHeight});
        if (bothLines) PaintFixedBevel({0, 0, geometry.IndicatorWidth, geometry.TitleHeight});
    }
    for (const TGridGeometry::Cell& cell : geometry.Columns) {
        const TColumn& column = columns_[cell.DataCol];
        const TRect rect{cell.Left, 0, cell.Right, geometry.TitleHeight};
        canvas_->Brush.Color = column.Title().Color.value_or(fixedColor_);
        canvas_->Font = column.Title().Font.value_or(titleFont_);
        const TAlignment alignment = column.Title().Alignment.value_or(taLeftJustify);
        if (bothLines)
            WriteText(rect.Inflate(-1, -1), column.Title().Caption(), alignment, 1);
        else
            WriteText(rect, column.Title().Caption(), alignment, 2);
        if (bothLines) PaintFixedBevel(rect);
    }
}

// Raised inner edge: light at the top and left, shadow at the bottom and right.
void TRecordGrid::PaintFixedBevel(const TRect& rect) {
    canvas_->Pen.Color = clBtnHighlight;
    canvas_->Polyline(
        {{rect.Left, rect.Bottom - 1}, {rect.Left, rect.Top}, {rect.Right, rect.Top}});
    canvas_->Pen.Color = clBtnShadow;
    canvas_->Polyline({{rect.Right - 1, rect.Top},
                       {rect.Right - 1, rect.Bottom - 1},
                       {rect.Left - 1, rect.Bottom - 1}});
}

void TRecordGrid::PaintRows(const TGridGeometry& geometry) {
    if (!Active()) {
        const int bottom = geometry.RowTop(0) + geometry.RowHeight;
        canvas_->Brush.Color = fixedColor_;
        canvas_->FillRect({0, geometry.DataTop, geometry.IndicatorWidth, bottom});
        for (const TGridGeometry::Cell& cell : geometry.Columns) {
            canvas_->Brush.Color = columns_[cell.DataCol].EffectiveColor();
            canvas_->FillRect({cell.Left, geometry.DataTop, cell.Right, bottom});
        }
        return;
    }
    TIBCustomDataSet& dataSet = *DataSet();
    const int current = CurrentRow();
    const int rows = std::min(dataSet.WindowRecordCount(), geometry.FullRows());
    const ActiveRecordScope scope(dataSet);
    for (int row = 0; row < rows; ++row) {
        dataSet.SetActiveRecordIndex(row);
        PaintRow(geometry, row, current);
    }
}

void TRecordGrid::PaintRow(const TGridGeometry& geometry, int row, int current) {
    const bool selected = multiSelect_ && bookmarks_.Count() > 0 && bookmarks_.CurrentRowSelected();
    const int top = geometry.RowTop(row);
    const int bottom = top + geometry.RowHeight;
    if (geometry.IndicatorWidth)
        PaintIndicator({0, top, geometry.IndicatorWidth, bottom}, row, current, selected);
    for (const TGridGeometry::Cell& cell : geometry.Columns) {
        const bool currentCell = row == current && cell.DataCol == selectedIndex_;
        const bool inGridSelection = row == current && ((options_ & dgRowSelect) || currentCell);
        TGridDrawState state = inGridSelection || selected ? TGridDrawState{gdSelected} : 0u;
        if (currentCell && HasGridFocus()) state |= gdFocused;
        PaintDataCell({cell.Left, top, cell.Right, bottom}, cell.DataCol,
                      CellHighlighted(selected, inGridSelection), state);
    }
}

bool TRecordGrid::CellHighlighted(bool rowSelected, bool inGridSelection) const {
    return rowSelected ||
           (inGridSelection && (HasGridFocus() || (options_ & dgAlwaysShowSelection)));
}

void TRecordGrid::PaintDataCell(const TRect& rect, int dataCol, bool highlighted,
                                TGridDrawState state) {
    TColumn& column = columns_[dataCol];
    canvas_->Font = column.EffectiveFont();
    canvas_->Brush.Color = column.EffectiveColor();
    if (highlighted) {
        canvas_->Brush.Color = clHighlight;
        canvas_->Font.Color = clHighlightText;
    }
    if (!isEnabled()) canvas_->Font.Color = clGrayText;
    if (defaultDrawing_) DefaultDrawColumnCell(rect, dataCol, column, state);
    if (OnDrawColumnCell) OnDrawColumnCell(*this, rect, dataCol, column, state);
    const bool showSelection = HasGridFocus() || (options_ & dgAlwaysShowSelection);
    if (defaultDrawing_ && (state & gdSelected) && showSelection && !(options_ & dgRowSelect) &&
        window()->focusWidget() == this)
        canvas_->DrawFocusRect(rect);
}

void TRecordGrid::PaintIndicator(const TRect& rect, int row, int current, bool selected) {
    canvas_->Brush.Color = fixedColor_;
    canvas_->FillRect(rect);
    const bool browsing = DataSet()->State() == dsBrowse;
    if (multiSelect_ && browsing && selected) DrawSelectionDot(*canvas_, rect.Offset(-5, 0));
    if (row == current) DrawMark(*canvas_, rect, MarkOf(DataSet()->State()));
    if ((options_ & dgColLines) && (options_ & dgRowLines)) PaintFixedBevel(rect);
}

void TRecordGrid::PaintLines(const TGridGeometry& geometry, int rows) {
    const int bottom = geometry.RowTop(rows) - geometry.LineWidth;
    const int right =
        geometry.Columns.empty() ? geometry.IndicatorWidth : geometry.Columns.back().Right;
    if (geometry.ColLineWidth) {
        canvas_->Pen.Color = kFixedLineColor;
        if (geometry.IndicatorWidth)
            canvas_->Line(geometry.IndicatorWidth, 0, geometry.IndicatorWidth, bottom);
        canvas_->Pen.Color = kDataLineColor;
        for (const TGridGeometry::Cell& cell : geometry.Columns)
            canvas_->Line(cell.Right, 0, cell.Right, bottom);
    }
    if (!geometry.LineWidth) return;
    canvas_->Pen.Color = kFixedLineColor;
    if (geometry.TitleHeight)
        canvas_->Line(0, geometry.TitleHeight, right + 1, geometry.TitleHeight);
    canvas_->Pen.Color = kDataLineColor;
    for (int row = 0; row < rows; ++row) {
        const int y = geometry.RowTop(row) + geometry.RowHeight;
        canvas_->Line(0, y, right + 1, y);
    }
}

void TRecordGrid::WriteText(const TRect& rect, const std::string& text, TAlignment alignment,
                            int margin) {
    const int width = text.empty() ? 0 : canvas_->TextWidth(text);
    const int x = alignment == taRightJustify ? rect.Right - width - 3
                  : alignment == taCenter     ? rect.Left + rect.Width() / 2 - width / 2
                                              : rect.Left + margin;
    const int y = rect.Top + margin;
    canvas_->FillRect(rect);
    if (text.empty()) return;
    if (x >= rect.Left) {
        canvas_->DrawText({x, y, rect.Right, rect.Bottom}, text, kCellTextFlags);
        return;
    }
    canvas_->PushClip(rect);
    canvas_->DrawText({x, y, x + width, rect.Bottom}, text, kCellTextFlags | tfNoClip);
    canvas_->PopClip();
}

void TRecordGrid::DrawCellText(const TRect& rect, const TField* field, TGridDrawState) {
    WriteText(rect, field ? FieldDisplayText(*field) : std::string(),
              field ? FieldAlignment(*field) : taLeftJustify, 2);
}

void TRecordGrid::DefaultDrawColumnCell(const TRect& rect, int, TColumn& column, TGridDrawState) {
    const TField* field = column.Field();
    if (showGlyphs_ && field && FieldIsBinary(*field)) {
        canvas_->FillRect(rect);
        DrawFieldGlyph(*canvas_, rect, field->DataType() == ftMemo);
        return;
    }
    WriteText(rect, field ? FieldDisplayText(*field) : std::string(), column.EffectiveAlignment(),
              2);
}
