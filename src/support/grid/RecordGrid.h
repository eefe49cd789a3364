#pragma once

#include "db/DataSource.h"
#include "platform/Canvas.h"
#include "support/grid/BookmarkList.h"
#include "support/grid/GridColumns.h"

#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QScrollBar;
class TGridEditor;
class TIBCustomDataSet;

// Option bits in the order forms store the set.
enum TDBGridOption : unsigned {
    dgEditing = 1u << 0,
    dgAlwaysShowEditor = 1u << 1,
    dgTitles = 1u << 2,
    dgIndicator = 1u << 3,
    dgColumnResize = 1u << 4,
    dgColLines = 1u << 5,
    dgRowLines = 1u << 6,
    dgTabs = 1u << 7,
    dgRowSelect = 1u << 8,
    dgAlwaysShowSelection = 1u << 9,
    dgConfirmDelete = 1u << 10,
    dgCancelOnExit = 1u << 11,
    dgMultiSelect = 1u << 12,
};
using TDBGridOptions = unsigned;
constexpr TDBGridOptions kDefaultGridOptions = dgEditing | dgTitles | dgIndicator | dgColumnResize |
                                               dgColLines | dgRowLines | dgConfirmDelete |
                                               dgCancelOnExit;

enum TGridDrawStateBit : unsigned { gdSelected = 1, gdFocused = 2, gdFixed = 4 };
using TGridDrawState = unsigned;

// Where the cells lie: fixed sizes and the shown columns, left to right.
struct TGridGeometry {
    struct Cell {
        int DataCol; // index in Columns
        int Left;
        int Right;
    };
    int TitleHeight = 0; // 0 without titles
    int RowHeight = 0;
    int LineWidth = 0; // between rows
    int ColLineWidth = 0;
    int IndicatorWidth = 0; // 0 without the indicator
    int DataTop = 0;        // first data row's top
    int Width = 0;          // of the cell area
    int Height = 0;
    std::vector<Cell> Columns;

    int RowTop(int row) const { return DataTop + row * (RowHeight + LineWidth); }
    // Data rows that fit whole, at least one.
    int FullRows() const;
    // The shown column at x, or -1.
    int ColumnAt(int x) const;
    // The row at y from 0, -1 above the data rows.
    int RowAt(int y) const;
};

// A data-aware grid: shows a result set's record window as rows through a data source, with
// titles, an indicator column, multi-selection, keyboard and mouse navigation and in-place
// editing. It reads rows only through the window, which it sizes to the rows it shows.
class TRecordGrid : public QWidget {
public:
    using DrawColumnCellEvent =
        std::function<void(TRecordGrid& sender, const TRect& rect, int dataCol, TColumn& column,
                           TGridDrawState state)>;
    using ColumnClickEvent = std::function<void(TColumn& column)>;

    explicit TRecordGrid(QWidget* parent = nullptr);
    ~TRecordGrid() override;

    TDataSource* DataSource() const;
    void SetDataSource(TDataSource* source);
    // The result set of the data source; null without one.
    TIBCustomDataSet* DataSet() const;
    TDBGridColumns& Columns() { return columns_; }
    const TDBGridColumns& Columns() const { return columns_; }
    // dgMultiSelect is reported from MultiSelect.
    TDBGridOptions Options() const;
    // dgRowSelect removes dgEditing and dgAlwaysShowEditor.
    void SetOptions(TDBGridOptions options);
    bool MultiSelect() const { return multiSelect_; }
    void SetMultiSelect(bool value);
    bool ClearSelection() const { return clearSelection_; }
    void SetClearSelection(bool value) { clearSelection_ = value; }
    bool AutoAppend() const { return autoAppend_; }
    void SetAutoAppend(bool value) { autoAppend_ = value; }
    bool DefaultDrawing() const { return defaultDrawing_; }
    void SetDefaultDrawing(bool value);
    // Memo and binary fields show a small picture instead of their text.
    bool ShowGlyphs() const { return showGlyphs_; }
    void SetShowGlyphs(bool value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value);
    const TFont& Font() const { return font_; }
    void SetFont(const TFont& font);
    const TFont& TitleFont() const { return titleFont_; }
    void SetTitleFont(const TFont& font);
    TColor Color() const { return color_; }
    void SetColor(TColor color);
    TColor FixedColor() const { return fixedColor_; }
    void SetFixedColor(TColor color);
    TBookmarkList& SelectedBookmarks() { return bookmarks_; }
    // The current column's position in Columns.
    int SelectedIndex() const { return selectedIndex_; }
    void SetSelectedIndex(int index);

    // The canvas being painted on; valid inside OnDrawColumnCell.
    TCanvas& Canvas() const { return *canvas_; }
    // The field's display text in the rectangle, in the canvas's current font and brush.
    void DrawCellText(const TRect& rect, const TField* field, TGridDrawState state);
    // The cell text as the grid writes it, with the column's alignment.
    void DefaultDrawColumnCell(const TRect& rect, int dataCol, TColumn& column,
                               TGridDrawState state);

    DrawColumnCellEvent OnDrawColumnCell;
    ColumnClickEvent OnTitleClick;
    ColumnClickEvent OnCellClick;
    std::function<void(TRecordGrid& sender)> OnDblClick;
    // Runs first for every key; setting the key to 0 consumes it.
    std::function<void(int& key, Qt::KeyboardModifiers modifiers)> OnKeyDown;

    // Paints the whole grid on the canvas, as a paint event does.
    void PaintTo(TCanvas& canvas);
    TGridGeometry Geometry() const;
    // Data rows shown at once; the result set keeps that many in its window.
    int VisibleRowCount() const;
    // The cell rectangle of a shown row and data column; empty when not shown.
    TRect CellRect(int dataCol, int row) const;
    bool EditorShown() const;
    // The in-place editor's text, pending while modified.
    std::string EditorText() const;

    // For columns and the selection list.
    int DefaultColumnWidth(const TColumn& column) const;
    void ColumnsChanged();
    void InvalidateCurrentRow();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    bool focusNextPrevChild(bool next) override;

private:
    friend class TGridEditor;
    class Link;
    enum class Drag { None, Resize, Move, Cells };
    struct Metrics;

    // Link notifications.
    void LinkActiveChanged();
    void LinkDataChanged();
    void LinkEditingChanged();
    void LinkRecordChanged(TField* field);
    void UpdateData();
    void LayoutChanged();
    void UpdateScrollBars();
    void ScrollBarStep(int action);
    void ScrollBarMoved(int value);
    void ScrollToColumn(int dataCol);
    bool Active() const;
    int CurrentRow() const;
    bool HasGridFocus() const;
    bool CanModify() const;
    TField* SelectedField() const;
    TCanvas& MeasureCanvas() const;

    // Painting.
    void PaintTitles(const TGridGeometry& geometry);
    void PaintRows(const TGridGeometry& geometry);
    void PaintRow(const TGridGeometry& geometry, int row, int current);
    void PaintDataCell(const TRect& rect, int dataCol, bool highlighted, TGridDrawState state);
    void PaintIndicator(const TRect& rect, int row, int current, bool selected);
    void PaintLines(const TGridGeometry& geometry, int rows);
    void PaintFixedBevel(const TRect& rect);
    void WriteText(const TRect& rect, const std::string& text, TAlignment alignment, int margin);
    bool CellHighlighted(bool rowSelected, bool inGridSelection) const;

    // Mouse.
    void PressTitle(const TGridGeometry& geometry, QPoint at, Qt::MouseButton button);
    void PressCell(int row, int dataCol, Qt::MouseButton button);
    void SelectOnPress(Qt::KeyboardModifiers modifiers);
    void FinishColumnDrag(const TGridGeometry& geometry, QPoint at);
    void ReleaseClick(const TGridGeometry& geometry, QPoint at);
    int ResizeBorderAt(const TGridGeometry& geometry, QPoint at) const;

    // Keys.
    bool HandleKey(int key, Qt::KeyboardModifiers modifiers);
    bool HandleMoveKey(int key, bool shift);
    bool HandleEditKey(int key);
    bool HandleControlKey(int key);
    void KeyUp(bool shift);
    void KeyDown(bool shift);
    void SideKey(int step);
    void EndKey(bool end);
    int NextVisibleColumn(int from, int step) const;
    int VisibleColumnCount() const;
    void AppendAtEnd();
    void ClearSelectionKeys();
    void MoveRows(int distance);
    void ExtendSelection(int direction, bool shift);
    void TabKey(bool back);
    void EscapeKey();
    void EnterKey();
    void DeleteRows();
    bool InsertedUntouched() const;

    // In-place editing.
    bool CanEditShow() const;
    bool CanEditModify() const;
    // Puts the result set into editing before the first change; false refuses the change.
    bool EditCanModify();
    void ShowEditor();
    void HideEditor();
    void PlaceEditor();
    void LoadEditorText();
    void EditorEdited();
    void ShowEditorWithKey(QKeyEvent* event);
    void LeaveGrid();

    std::unique_ptr<Link> link_;
    TDBGridColumns columns_{this};
    TBookmarkList bookmarks_{*this};
    TDBGridOptions options_ = kDefaultGridOptions;
    bool multiSelect_ = false;
    bool clearSelection_ = true;
    bool autoAppend_ = true;
    bool defaultDrawing_ = true;
    bool readOnly_ = false;
    bool showGlyphs_ = true;
    TFont font_;
    TFont titleFont_;
    bool titleFontSet_ = false;
    TColor color_ = clWindow;
    TColor fixedColor_ = clBtnFace;
    int selectedIndex_ = 0;
    int leftCol_ = 0; // first scrolled data column shown
    std::string anchor_;
    bool selecting_ = false;
    TCanvas* canvas_ = nullptr;
    mutable std::unique_ptr<Metrics> metrics_;
    QScrollBar* vertical_;
    QScrollBar* horizontal_;
    bool syncingScroll_ = false;
    TGridEditor* editor_ = nullptr;
    bool editTextModified_ = false;
    Drag drag_ = Drag::None;
    int dragColumn_ = -1;
    int wheelAngle_ = 0;
};
