#include "schedule/GuideRangeDialog.h"

#include "platform/Dialogs.h"
#include "platform/ErrorHandler.h"
#include "platform/QtFormFont.h"
#include "platform/QtText.h"
#include "schedule/ScheduleDateBar.h"
#include "support/common/TextDate.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>

namespace {

QDateEdit* DateField(const char* name, TDateTime date, QWidget* parent) {
    auto* field = new QDateEdit(ToQDate(date), parent);
    field->setObjectName(name);
    field->setCalendarPopup(true);
    field->setDisplayFormat("dd.MM.yyyy");
    return field;
}

} // namespace

TfrmGuideRange::TfrmGuideRange(TDateTime shown, QWidget* parent) : QDialog(parent) {
    setObjectName("frmGuideRange");
    setWindowTitle(ToQString("Export XMLTV"));
    setFont(FormFont());
    auto* layout = new QFormLayout(this);
    edFirst = DateField("edFirst", shown, this);
    layout->addRow(ToQString("First date:"), edFirst);
    edLast = DateField("edLast", shown + 6, this);
    layout->addRow(ToQString("Last date:"), edLast);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(ToQString("Export"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

std::optional<TGuideRange> TfrmGuideRange::ChooseRange(TDateTime shown, QWidget* parent) {
    TfrmGuideRange window(shown, parent);
    if (AppDialogs().ShowModal(window) != mrOk) return std::nullopt;
    return window.Range();
}

TGuideRange TfrmGuideRange::Range() const {
    return {.First = FromQDate(edFirst->date()), .Last = FromQDate(edLast->date())};
}

void TfrmGuideRange::accept() {
    const TGuideRange range = Range();
    if (range.Last < range.First) {
        AppDialogs().MessageBox("The last date, " + DateToText(range.Last) +
                                    ", comes before the first, " + DateToText(range.First) + ".",
                                ApplicationTitle(), MessageIcon::Warning, MessageButtons::OK);
        return;
    }
    QDialog::accept();
}
