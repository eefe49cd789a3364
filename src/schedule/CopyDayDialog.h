#pragma once

#include "platform/DateTime.h"

#include <QDialog>
#include <optional>

class QDateEdit;
class QPushButton;

// The question of "Copy Day To…": the date to store the shown day's broadcasts under.
class TfrmCopyDay : public QDialog {
public:
    explicit TfrmCopyDay(TDateTime shown, QWidget* parent = nullptr);

    // Shows the window modally, proposing the day after the shown one; the date the user
    // chose, none when cancelled.
    static std::optional<TDateTime> ChooseDate(TDateTime shown, QWidget* parent);

    TDateTime Date() const;

    QDateEdit* edDate = nullptr;
    QPushButton* btnCopy = nullptr;
    QPushButton* btnCancel = nullptr;
};
