#include "schedule/CopyDayDialog.h"

#include "platform/Dialogs.h"
#include "platform/QtFormFont.h"
#include "platform/QtText.h"
#include "schedule/ScheduleDateBar.h"
#include "support/common/TextDate.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfrmCopyDay::TfrmCopyDay(TDateTime shown, QWidget* parent) : QDialog(parent) {
    setObjectName("frmCopyDay");
    setWindowTitle(ToQString("Copy Day To"));
    setFont(FormFont());
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        new QLabel(ToQString("Copy the schedule of " + DateToText(shown) + " to:"), this));
    edDate = new QDateEdit(ToQDate(shown + 1), this);
    edDate->setObjectName("edDate");
    edDate->setCalendarPopup(true);
    edDate->setDisplayFormat("dd.MM.yyyy");
    layout->addWidget(edDate);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    btnCopy = new QPushButton(ToQString("Copy"), this);
    btnCopy->setObjectName("btnCopy");
    btnCopy->setDefault(true);
    btnCancel = new QPushButton(ToQString("Cancel"), this);
    btnCancel->setObjectName("btnCancel");
    buttons->addWidget(btnCopy);
    buttons->addWidget(btnCancel);
    layout->addLayout(buttons);
    connect(btnCopy, &QPushButton::clicked, this, [this] { done(mrOk); });
    connect(btnCancel, &QPushButton::clicked, this, [this] { done(mrCancel); });
}

std::optional<TDateTime> TfrmCopyDay::ChooseDate(TDateTime shown, QWidget* parent) {
    TfrmCopyDay window(shown, parent);
    if (AppDialogs().ShowModal(window) != mrOk) return std::nullopt;
    return window.Date();
}

TDateTime TfrmCopyDay::Date() const {
    return FromQDate(edDate->date());
}
