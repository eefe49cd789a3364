#include "schedule/ChannelSettings.h"

#include "handover/ZoneTime.h"
#include "platform/AppFolders.h"
#include "platform/Exceptions.h"

#include <QSettings>
#include <QTimeZone>

namespace {

QString Text(const std::string& utf8) {
    return QString::fromStdString(utf8);
}

} // namespace

TChannelSettings ReadChannelSettings() {
    const QSettings file(Text(SettingsFilePath()), QSettings::IniFormat);
    TChannelSettings settings;
    settings.Id = file.value("Channel/Id", Text(settings.Id)).toString().toStdString();
    settings.DisplayName =
        file.value("Channel/DisplayName", Text(settings.DisplayName)).toString().toStdString();
    settings.TimeZone = file.value("Channel/TimeZone").toString().toStdString();
    return settings;
}

void WriteChannelSettings(const TChannelSettings& settings) {
    QSettings file(Text(SettingsFilePath()), QSettings::IniFormat);
    file.setValue("Channel/Id", Text(settings.Id));
    file.setValue("Channel/DisplayName", Text(settings.DisplayName));
    file.setValue("Channel/TimeZone", Text(settings.TimeZone));
    file.sync();
    if (file.status() != QSettings::NoError)
        throw EInOutError("The settings could not be written to " + SettingsFilePath() + ".");
}

QTimeZone ChannelTimeZone(const std::string& name) {
    return name.empty() ? QTimeZone::systemTimeZone() : TimeZoneNamed(name);
}
