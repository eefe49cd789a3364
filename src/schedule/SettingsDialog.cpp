#include "schedule/SettingsDialog.h"

#include "handover/XmltvGuide.h"
#include "platform/Cp1251.h"
#include "platform/Dialogs.h"
#include "platform/ErrorHandler.h"
#include "platform/Exceptions.h"
#include "platform/QtText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>
#include <QTimeZone>

namespace {

QString Utf8(const std::string& text) {
    return QString::fromStdString(text);
}

void Refuse(const std::string& text) {
    AppDialogs().MessageBox(text, ApplicationTitle(), MessageIcon::Warning, MessageButtons::OK);
}

} // namespace

// The spin box takes no negative threshold; 0 draws every gap.
TfrmSettings::TfrmSettings(const TMarkSettings& settings, const TChannelSettings& channel,
                           QWidget* parent)
    : QDialog(parent) {
    setObjectName("frmSettings");
    setWindowTitle(ToQString("Settings"));
    auto* layout = new QFormLayout(this);
    edGapThreshold = new QSpinBox(this);
    edGapThreshold->setObjectName("edGapThreshold");
    edGapThreshold->setRange(0, kMinsPerDay);
    edGapThreshold->setSuffix(ToQString(" min"));
    edGapThreshold->setValue(settings.GapThresholdMinutes);
    layout->addRow(ToQString("Gaps longer than:"), edGapThreshold);
    chkDrawGaps = new QCheckBox(ToQString("Draw gaps on the planner"), this);
    chkDrawGaps->setObjectName("chkDrawGaps");
    chkDrawGaps->setChecked(settings.DrawGaps);
    layout->addRow(chkDrawGaps);
    CreateChannelFields(channel);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

// The zone list is the system's; an empty zone is the system's own, whatever it is then.
void TfrmSettings::CreateChannelFields(const TChannelSettings& channel) {
    auto* layout = static_cast<QFormLayout*>(this->layout());
    edChannelId = new QLineEdit(Utf8(channel.Id), this);
    edChannelId->setObjectName("edChannelId");
    layout->addRow(ToQString("Channel id:"), edChannelId);
    edChannelName = new QLineEdit(Utf8(channel.DisplayName), this);
    edChannelName->setObjectName("edChannelName");
    layout->addRow(ToQString("Channel name:"), edChannelName);
    cbTimeZone = new QComboBox(this);
    cbTimeZone->setObjectName("cbTimeZone");
    cbTimeZone->setEditable(true);
    cbTimeZone->addItem(QString());
    for (const QByteArray& zone : QTimeZone::availableTimeZoneIds())
        cbTimeZone->addItem(QString::fromLatin1(zone));
    cbTimeZone->setCurrentText(Utf8(channel.TimeZone));
    cbTimeZone->lineEdit()->setPlaceholderText(QString::fromLatin1(QTimeZone::systemTimeZoneId()) +
                                               ToQString(" (the system's)"));
    layout->addRow(ToQString("Time zone:"), cbTimeZone);
}

TMarkSettings TfrmSettings::Settings() const {
    TMarkSettings settings;
    settings.GapThresholdMinutes = edGapThreshold->value();
    settings.DrawGaps = chkDrawGaps->isChecked();
    return settings;
}

TChannelSettings TfrmSettings::Channel() const {
    return {.Id = edChannelId->text().trimmed().toStdString(),
            .DisplayName = edChannelName->text().trimmed().toStdString(),
            .TimeZone = cbTimeZone->currentText().trimmed().toStdString()};
}

void TfrmSettings::accept() {
    const TChannelSettings channel = Channel();
    if (!IsValidChannelId(channel.Id)) {
        Refuse("\"" + Utf8ToCp1251(channel.Id) +
               "\" is not a channel id programme guides take: use letters, digits and hyphens "
               "in two or more parts joined by dots, such as tv.example.org.");
        return;
    }
    try {
        ChannelTimeZone(channel.TimeZone);
    } catch (const EConvertError& error) {
        Refuse(error.what());
        return;
    }
    QDialog::accept();
}
