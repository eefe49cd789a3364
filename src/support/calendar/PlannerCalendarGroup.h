#pragma once

#include <QWidget>
#include <array>

class QCalendarWidget;

// Two by two month calendars showing consecutive months, the first at the top left. The main
// window keeps it hidden and never reads it.
class TPlannerCalendarGroup : public QWidget {
public:
    explicit TPlannerCalendarGroup(QWidget* parent = nullptr);

    // Shows the month of `year` and `month` first and the three after it.
    void SetStartMonth(int year, int month);
    const QCalendarWidget& Calendar(int index) const { return *calendars_.at(index); }

private:
    std::array<QCalendarWidget*, 4> calendars_{};
};
