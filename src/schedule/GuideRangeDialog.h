#pragma once

#include "platform/DateTime.h"

#include <QDialog>
#include <optional>

class QDateEdit;

// The dates an XMLTV guide is written for.
struct TGuideRange {
    TDateTime First = 0;
    TDateTime Last = 0;
};

// The question of "Export XMLTV…": the first and last air date, a week from the shown day
// proposed. OK refuses a last date before the first, with a message.
class TfrmGuideRange : public QDialog {
public:
    explicit TfrmGuideRange(TDateTime shown, QWidget* parent = nullptr);

    // Shows the window modally; the range chosen, none when cancelled.
    static std::optional<TGuideRange> ChooseRange(TDateTime shown, QWidget* parent);

    TGuideRange Range() const;
    void accept() override;

    QDateEdit* edFirst = nullptr;
    QDateEdit* edLast = nullptr;
};
