#include "schedule/SettingsDialog.h"

#include "platform/QtText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>

// The spin box takes no negative threshold; 0 draws every gap.
TfrmSettings::TfrmSettings(const TMarkSettings& settings, QWidget* parent) : QDialog(parent) {
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
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addRow(buttons);
}

TMarkSettings TfrmSettings::Settings() const {
    TMarkSettings settings;
    settings.GapThresholdMinutes = edGapThreshold->value();
    settings.DrawGaps = chkDrawGaps->isChecked();
    return settings;
}
