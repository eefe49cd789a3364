#pragma once

#include "schedule/ChannelSettings.h"
#include "schedule/MarkSettings.h"

#include <QDialog>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

// "Settings…": how the planner marks the day, and the channel as guides and printouts name it.
class TfrmSettings : public QDialog {
public:
    explicit TfrmSettings(const TMarkSettings& settings, const TChannelSettings& channel = {},
                          QWidget* parent = nullptr);

    TMarkSettings Settings() const;
    TChannelSettings Channel() const;
    // OK keeps the window open, with a message, for a channel id a guide would refuse or a time
    // zone nobody knows.
    void accept() override;

    QSpinBox* edGapThreshold = nullptr;
    QCheckBox* chkDrawGaps = nullptr;
    QLineEdit* edChannelId = nullptr;
    QLineEdit* edChannelName = nullptr;
    QComboBox* cbTimeZone = nullptr;

private:
    void CreateChannelFields(const TChannelSettings& channel);
};
