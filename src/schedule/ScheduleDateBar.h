#pragma once

#include "platform/DateTime.h"

#include <QWidget>
#include <functional>

class QDateEdit;
class QLabel;
class QToolButton;

// The schedule date in the toolbar: a date edit with a calendar pop-up, the previous and next
// day, "Today", and a note while the day has unsaved changes.
class TScheduleDateBar : public QWidget {
public:
    explicit TScheduleDateBar(QWidget* parent = nullptr);

    TDateTime Date() const;
    // Shows a date without announcing it as the user's choice.
    void SetDate(TDateTime date);
    void SetUnsaved(bool unsaved);

    // The user chose another date; SetDate shows what is in force afterwards.
    std::function<void(TDateTime)> OnDateChosen;

    QDateEdit* edDate = nullptr;
    QToolButton* btnPreviousDay = nullptr;
    QToolButton* btnNextDay = nullptr;
    QToolButton* btnToday = nullptr;
    QLabel* lblUnsaved = nullptr;

private:
    QToolButton* AddButton(const char* name, const char* caption, const char* tip);
    void Choose(TDateTime date);

    bool showing_ = false;
};

TDateTime FromQDate(const QDate& date);
QDate ToQDate(TDateTime date);
