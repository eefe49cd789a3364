// The keyboard: moving between rows and columns, extending the selection, editing keys and
// deleting rows.
#include "db/IBCustomDataSet.h"
#include "platform/Dialogs.h"
#include "support/grid/GridEditor.h"
#include "support/grid/RecordGrid.h"

#include <QKeyEvent>

namespace {
bool IsTypingKey(const QKeyEvent& event) {
    if (event.key() == Qt::Key_Backspace) return true;
    if (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) return false;
    return !event.text().isEmpty() && event.text().at(0).isPrint();
}
} // namespace

void TRecordGrid::keyPressEvent(QKeyEvent* event) {
    int key = event->key();
    if (OnKeyDown) OnKeyDown(key, event->modifiers());
    if (key == 0) return;
    if (HandleKey(key, event->modifiers())) return;
    if (IsTypingKey(*event) && CanEditShow()) {
        ShowEditorWithKey(event);
        return;
    }
    QWidget::keyPressEvent(event);
}

bool TRecordGrid::focusNextPrevChild(bool next) {
    if ((options_ & dgTabs) && Active()) {
        TabKey(!next);
        return true;
    }
    if (editor_->hasFocus()) setFocus(Qt::OtherFocusReason);
    return QWidget::focusNextPrevChild(next);
}

bool TRecordGrid::HandleKey(int key, Qt::KeyboardModifiers modifiers) {
    if (!Active()) return false;
    if (modifiers & Qt::ControlModifier) return HandleControlKey(key);
    return HandleMoveKey(key, modifiers & Qt::ShiftModifier) || HandleEditKey(key);
}

bool TRecordGrid::HandleMoveKey(int key, bool shift) {
    switch (key) {
    case Qt::Key_Up:
        KeyUp(shift);
        return true;
    case Qt::Key_Down:
        KeyDown(shift);
        return true;
    case Qt::Key_Left:
    case Qt::Key_Right:
        SideKey(key == Qt::Key_Left ? -1 : 1);
        return true;
    case Qt::Key_Home:
    case Qt::Key_End:
        EndKey(key == Qt::Key_End);
        return true;
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        ClearSelectionKeys();
        MoveRows(key == Qt::Key_PageUp ? -VisibleRowCount() : VisibleRowCount());
        return true;
    default:
        return false;
    }
}

bool TRecordGrid::HandleEditKey(int key) {
    switch (key) {
    case Qt::Key_Insert:
        if (CanModify() && (options_ & dgEditing)) {
            ClearSelectionKeys();
            DataSet()->Insert();
        }
        return true;
    case Qt::Key_Escape:
        EscapeKey();
        return true;
    case Qt::Key_F2:
        ShowEditor();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        EnterKey();
        return true;
    default:
        return false;
    }
}

bool TRecordGrid::HandleControlKey(int key) {
    TIBCustomDataSet& dataSet = *DataSet();
    switch (key) {
    case Qt::Key_Up:
    case Qt::Key_PageUp:
        ClearSelectionKeys();
        MoveRows(-CurrentRow());
        return true;
    case Qt::Key_Down:
    case Qt::Key_PageDown:
        ClearSelectionKeys();
        MoveRows(dataSet.WindowRecordCount() - 1 - CurrentRow());
        return true;
    case Qt::Key_Home:
        ClearSelectionKeys();
        dataSet.First();
        return true;
    case Qt::Key_End:
        ClearSelectionKeys();
        dataSet.Last();
        return true;
    case Qt::Key_Left:
        SetSelectedIndex(NextVisibleColumn(-1, 1));
        return true;
    case Qt::Key_Right:
        SetSelectedIndex(NextVisibleColumn(columns_.Count(), -1));
        return true;
    case Qt::Key_Delete:
        DeleteRows();
        return true;
    default:
        return false;
    }
}

void TRecordGrid::SideKey(int step) {
    if (options_ & dgRowSelect) {
        ClearSelectionKeys();
        MoveRows(step);
        return;
    }
    SetSelectedIndex(NextVisibleColumn(selectedIndex_, step));
}

void TRecordGrid::EndKey(bool end) {
    if ((options_ & dgRowSelect) || VisibleColumnCount() == 1) {
        ClearSelectionKeys();
        end ? DataSet()->Last() : DataSet()->First();
        return;
    }
    SetSelectedIndex(end ? NextVisibleColumn(columns_.Count(), -1) : NextVisibleColumn(-1, 1));
}

// The nearest visible column from the position in the direction; the position when none.
int TRecordGrid::NextVisibleColumn(int from, int step) const {
    for (int i = from + step; i >= 0 && i < columns_.Count(); i += step)
        if (columns_[i].Visible()) return i;
    return from;
}

int TRecordGrid::VisibleColumnCount() const {
    int count = 0;
    for (int i = 0; i < columns_.Count(); ++i)
        count += columns_[i].Visible() ? 1 : 0;
    return count;
}

void TRecordGrid::KeyUp(bool shift) {
    TIBCustomDataSet& dataSet = *DataSet();
    if (dataSet.State() == dsBrowse) {
        ExtendSelection(-1, shift);
        return;
    }
    if (InsertedUntouched() && dataSet.AtEnd())
        dataSet.Cancel();
    else
        MoveRows(-1);
}

void TRecordGrid::KeyDown(bool shift) {
    TIBCustomDataSet& dataSet = *DataSet();
    if (dataSet.State() == dsBrowse) {
        ExtendSelection(1, shift);
    } else if (InsertedUntouched()) {
        if (dataSet.AtEnd()) return;
        dataSet.Cancel();
    } else {
        MoveRows(1);
    }
    AppendAtEnd();
}

void TRecordGrid::AppendAtEnd() {
    if (autoAppend_ && DataSet()->AtEnd() && CanModify() && (options_ & dgEditing))
        DataSet()->Append();
}

void TRecordGrid::ClearSelectionKeys() {
    if (!multiSelect_) return;
    if (clearSelection_) bookmarks_.Clear();
    selecting_ = false;
}

void TRecordGrid::MoveRows(int distance) {
    if (distance != 0) DataSet()->MoveBy(distance);
}

// Shift+arrows select from an anchor; going back toward it deselects the row left.
void TRecordGrid::ExtendSelection(int direction, bool shift) {
    if (!multiSelect_) {
        MoveRows(direction);
        return;
    }
    if (!shift) {
        ClearSelectionKeys();
        MoveRows(direction);
        return;
    }
    TIBCustomDataSet& dataSet = *DataSet();
    if (!selecting_) {
        anchor_ = dataSet.Bookmark();
        bookmarks_.SetCurrentRowSelected(true);
        selecting_ = true;
    } else if (TIBCustomDataSet::BookmarkOrder(dataSet.Bookmark(), anchor_) == -direction) {
        bookmarks_.SetCurrentRowSelected(false);
        MoveRows(direction);
        return;
    }
    MoveRows(direction);
    bookmarks_.SetCurrentRowSelected(true);
}

void TRecordGrid::TabKey(bool back) {
    const int next = NextVisibleColumn(selectedIndex_, back ? -1 : 1);
    if (next != selectedIndex_) {
        SetSelectedIndex(next);
        return;
    }
    ClearSelectionKeys();
    MoveRows(back ? -1 : 1);
    SetSelectedIndex(back ? NextVisibleColumn(columns_.Count(), -1) : NextVisibleColumn(-1, 1));
}

void TRecordGrid::EscapeKey() {
    ClearSelectionKeys();
    if (editTextModified_) {
        editTextModified_ = false;
        LoadEditorText();
    } else {
        DataSet()->Cancel();
    }
    if (!(options_ & dgAlwaysShowEditor)) HideEditor();
}

void TRecordGrid::EnterKey() {
    if (options_ & dgAlwaysShowEditor) return;
    UpdateData();
    if (EditorShown())
        HideEditor();
    else
        ShowEditor();
}

void TRecordGrid::DeleteRows() {
    TIBCustomDataSet& dataSet = *DataSet();
    if (readOnly_ || !dataSet.Modifiable() || (dataSet.AtStart() && dataSet.AtEnd())) return;
    const std::string text =
        bookmarks_.Count() < 2 ? "Delete record?" : "Delete all selected records?";
    if ((options_ & dgConfirmDelete) &&
        AppDialogs().MessageBox(text, "Confirm", MessageIcon::Question, MessageButtons::YesNo) !=
            mrYes)
        return;
    if (bookmarks_.Count() == 0)
        dataSet.Delete();
    else
        bookmarks_.Delete();
}
