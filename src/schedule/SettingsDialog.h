#pragma once

#include "schedule/MarkSettings.h"

#include <QDialog>

class QCheckBox;
class QSpinBox;

// "Settings…": how the planner marks the day.
class TfrmSettings : public QDialog {
public:
    explicit TfrmSettings(const TMarkSettings& settings, QWidget* parent = nullptr);

    TMarkSettings Settings() const;

    QSpinBox* edGapThreshold = nullptr;
    QCheckBox* chkDrawGaps = nullptr;
};
