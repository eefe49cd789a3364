#include "schedule/MarkSettings.h"

#include "platform/AppFolders.h"
#include "platform/Exceptions.h"

#include <QSettings>
#include <algorithm>

// A hand-edited negative threshold counts as 0: every gap is drawn.
TMarkSettings ReadMarkSettings() {
    const QSettings file(QString::fromStdString(SettingsFilePath()), QSettings::IniFormat);
    TMarkSettings settings;
    settings.GapThresholdMinutes = std::max(
        0, file.value("Planner/GapThresholdMinutes", settings.GapThresholdMinutes).toInt());
    settings.DrawGaps = file.value("Planner/DrawGaps", settings.DrawGaps).toBool();
    return settings;
}

void WriteMarkSettings(const TMarkSettings& settings) {
    QSettings file(QString::fromStdString(SettingsFilePath()), QSettings::IniFormat);
    file.setValue("Planner/GapThresholdMinutes", settings.GapThresholdMinutes);
    file.setValue("Planner/DrawGaps", settings.DrawGaps);
    file.sync();
    if (file.status() != QSettings::NoError)
        throw EInOutError("The settings could not be written to " + SettingsFilePath() + ".");
}
