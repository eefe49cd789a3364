#include "schedule/ScheduleDateBar.h"

#include "platform/QtText.h"

#include <QDateEdit>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <cmath>

namespace {
const QDate kEpoch(1899, 12, 30);
} // namespace

TDateTime FromQDate(const QDate& date) {
    return static_cast<TDateTime>(kEpoch.daysTo(date));
}

QDate ToQDate(TDateTime date) {
    return kEpoch.addDays(static_cast<qint64>(std::floor(date)));
}

TScheduleDateBar::TScheduleDateBar(QWidget* parent) : QWidget(parent) {
    setObjectName("ScheduleDateBar");
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(8, 4, 4, 4);
    layout->setHorizontalSpacing(2);
    btnPreviousDay = AddButton("btnPreviousDay", "\xAB", "Previous day (Alt+Left)");
    edDate = new QDateEdit(this);
    edDate->setObjectName("edDate");
    edDate->setCalendarPopup(true);
    edDate->setKeyboardTracking(false);
    edDate->setDisplayFormat("dd.MM.yyyy");
    edDate->setFixedWidth(110);
    btnNextDay = AddButton("btnNextDay", "\xBB", "Next day (Alt+Right)");
    btnToday = AddButton("btnToday", "Today", "Go to today's schedule");
    lblUnsaved = new QLabel(ToQString("unsaved changes"), this);
    lblUnsaved->setObjectName("lblUnsaved");
    lblUnsaved->setStyleSheet("color: #b00000;");
    lblUnsaved->setVisible(false);
    layout->addWidget(btnPreviousDay, 0, 0);
    layout->addWidget(edDate, 0, 1);
    layout->addWidget(btnNextDay, 0, 2);
    layout->addWidget(btnToday, 0, 3);
    layout->addWidget(lblUnsaved, 1, 0, 1, 4, Qt::AlignLeft);
    connect(edDate, &QDateEdit::dateChanged, this, [this](const QDate& date) {
        if (!showing_) Choose(FromQDate(date));
    });
    connect(btnPreviousDay, &QToolButton::clicked, this, [this] { Choose(Date() - 1); });
    connect(btnNextDay, &QToolButton::clicked, this, [this] { Choose(Date() + 1); });
    connect(btnToday, &QToolButton::clicked, this, [this] { Choose(::Date()); });
}

QToolButton* TScheduleDateBar::AddButton(const char* name, const char* caption, const char* tip) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setText(ToQString(caption));
    button->setToolTip(ToQString(tip));
    button->setAutoRaise(true);
    return button;
}

TDateTime TScheduleDateBar::Date() const {
    return FromQDate(edDate->date());
}

void TScheduleDateBar::SetDate(TDateTime date) {
    showing_ = true;
    edDate->setDate(ToQDate(date));
    showing_ = false;
}

void TScheduleDateBar::SetUnsaved(bool unsaved) {
    lblUnsaved->setVisible(unsaved);
}

void TScheduleDateBar::Choose(TDateTime date) {
    if (OnDateChosen) OnDateChosen(date);
}
