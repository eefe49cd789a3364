#pragma once

#include <QLineEdit>

class TRecordGrid;

// The in-place editor over the current cell: it asks the grid before each change, so the first
// change puts the result set into editing, and it hands navigation keys to the grid.
class TGridEditor : public QLineEdit {
public:
    explicit TGridEditor(TRecordGrid& grid);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    bool ForGrid(const QKeyEvent& event) const;
    static bool Modifies(const QKeyEvent& event);
    bool Accepts(const QKeyEvent& event) const;

    TRecordGrid& grid_;
};
