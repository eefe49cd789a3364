#include "support/calendar/PlannerCalendarGroup.h"

#include <QCalendarWidget>
#include <QGridLayout>

TPlannerCalendarGroup::TPlannerCalendarGroup(QWidget* parent) : QWidget(parent) {
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (int i = 0; i < 4; ++i) {
        calendars_[i] = new QCalendarWidget(this);
        calendars_[i]->setNavigationBarVisible(false);
        layout->addWidget(calendars_[i], i / 2, i % 2);
    }
}

void TPlannerCalendarGroup::SetStartMonth(int year, int month) {
    for (int i = 0; i < 4; ++i) {
        const int months = year * 12 + month - 1 + i;
        calendars_[i]->setCurrentPage(months / 12, months % 12 + 1);
    }
}
