// In-place editing of the current cell.
#include "support/grid/GridEditor.h"

#include "db/IBCustomDataSet.h"
#include "platform/QtText.h"
#include "support/grid/RecordGrid.h"

#include <QApplication>
#include <QKeyEvent>

namespace {
constexpr int kUnlimitedLength = 32767;

// Leaving means the focus went to a control outside the grid, not to another window.
bool LeavesGrid(const QFocusEvent& event, const QWidget& grid) {
    if (event.reason() == Qt::ActiveWindowFocusReason || event.reason() == Qt::PopupFocusReason)
        return false;
    const QWidget* to = QApplication::focusWidget();
    return !to || (to != &grid && !grid.isAncestorOf(to));
}
} // namespace

TGridEditor::TGridEditor(TRecordGrid& grid) : QLineEdit(&grid), grid_(grid) {
    setFrame(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    setDragEnabled(false);
    setAcceptDrops(false);
    hide();
    QObject::connect(this, &QLineEdit::textEdited, this, [this] { grid_.EditorEdited(); });
}

bool TGridEditor::ForGrid(const QKeyEvent& event) const {
    const bool control = event.modifiers() & Qt::ControlModifier;
    switch (event.key()) {
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F2:
        return true;
    case Qt::Key_Left:
        return control || (cursorPosition() == 0 && !hasSelectedText());
    case Qt::Key_Right:
        return control || (cursorPosition() == text().size() && !hasSelectedText());
    case Qt::Key_Home:
    case Qt::Key_End:
    case Qt::Key_Delete:
        return control;
    default:
        return false;
    }
}

bool TGridEditor::Modifies(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Backspace || event.key() == Qt::Key_Delete) return true;
    if (event.matches(QKeySequence::Paste) || event.matches(QKeySequence::Cut) ||
        event.matches(QKeySequence::Undo) || event.matches(QKeySequence::Redo))
        return true;
    return !event.text().isEmpty() && event.text().at(0).isPrint();
}

// A typed character the field cannot hold is refused; pasted text is checked by the field.
bool TGridEditor::Accepts(const QKeyEvent& event) const {
    const TField* field = grid_.SelectedField();
    if (!field || event.text().isEmpty() || !event.text().at(0).isPrint()) return true;
    for (char c : FromQString(event.text()))
        if (!FieldAcceptsChar(*field, c)) return false;
    return true;
}

void TGridEditor::keyPressEvent(QKeyEvent* event) {
    if (ForGrid(*event)) {
        grid_.keyPressEvent(event);
        return;
    }
    if (Modifies(*event) && (!Accepts(*event) || !grid_.EditCanModify())) return;
    QLineEdit::keyPressEvent(event);
}

void TGridEditor::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (LeavesGrid(*event, grid_)) grid_.LeaveGrid();
}

// ---- The grid's side ----

bool TRecordGrid::EditorShown() const {
    return editor_->isVisibleTo(this);
}

std::string TRecordGrid::EditorText() const {
    return FromQString(editor_->text());
}

bool TRecordGrid::CanEditShow() const {
    return (options_ & dgEditing) && !(options_ & dgRowSelect) && Active() &&
           selectedIndex_ < columns_.Count() && columns_[selectedIndex_].Visible();
}

bool TRecordGrid::CanEditModify() const {
    const TField* field = SelectedField();
    return CanModify() && field && !field->ReadOnly() && !FieldIsBinary(*field) &&
           !columns_[selectedIndex_].ReadOnly();
}

bool TRecordGrid::EditCanModify() {
    if (!CanEditModify()) return false;
    if (DataSet()->State() == dsBrowse) DataSet()->Edit();
    return DataSet()->State() == dsEdit || DataSet()->State() == dsInsert;
}

// A newly shown editor starts with its whole text selected.
void TRecordGrid::ShowEditor() {
    if (!CanEditShow()) return;
    const bool opening = !EditorShown();
    ScrollToColumn(selectedIndex_);
    LoadEditorText();
    editor_->show();
    PlaceEditor();
    editor_->setFocus(Qt::OtherFocusReason);
    if (opening) editor_->selectAll();
}

// The focus stays with the grid, so hiding the editor does not leave it.
void TRecordGrid::HideEditor() {
    if (!EditorShown()) return;
    if (editor_->hasFocus()) setFocus(Qt::OtherFocusReason);
    editor_->hide();
}

void TRecordGrid::PlaceEditor() {
    if (!EditorShown()) return;
    const TRect cell = Active() ? CellRect(selectedIndex_, CurrentRow()) : TRect{};
    editor_->setGeometry(cell.Left, cell.Top, cell.Width(), cell.Height());
}

// Only a changed text is set, so a selection made for the first typed key survives.
void TRecordGrid::LoadEditorText() {
    const TField* field = Active() ? SelectedField() : nullptr;
    const std::string text = !field                  ? std::string()
                             : FieldIsBinary(*field) ? FieldDisplayText(*field)
                                                     : field->AsString();
    const QString shown = ToQString(text);
    if (editor_->text() != shown) editor_->setText(shown);
    editor_->setReadOnly(!CanEditModify());
    editor_->setMaxLength(field && field->DataType() == ftString ? field->Size()
                                                                 : kUnlimitedLength);
}

void TRecordGrid::EditorEdited() {
    editTextModified_ = true;
}

// The key that opens the editor replaces the cell's text.
void TRecordGrid::ShowEditorWithKey(QKeyEvent* event) {
    ShowEditor();
    if (!EditorShown()) return;
    QKeyEvent key(event->type(), event->key(), event->modifiers(), event->text());
    QApplication::sendEvent(editor_, &key);
}

bool TRecordGrid::InsertedUntouched() const {
    const TIBCustomDataSet& dataSet = *DataSet();
    return dataSet.State() == dsInsert && !dataSet.Modified() && !editTextModified_;
}

// An untouched new row is dropped; otherwise the pending text is written, and a text the
// field refuses brings the focus back.
void TRecordGrid::LeaveGrid() {
    if (!Active()) return;
    if ((options_ & dgCancelOnExit) && InsertedUntouched()) {
        DataSet()->Cancel();
        return;
    }
    try {
        UpdateData();
    } catch (...) {
        setFocus(Qt::OtherFocusReason);
        throw;
    }
}

void TRecordGrid::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    update();
}

void TRecordGrid::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    update();
    if (LeavesGrid(*event, *this)) LeaveGrid();
}
