#pragma once

#include <string>

class QTimeZone;

// The channel as programme guides and printed schedules name it, kept in the user's settings
// file. Texts are UTF-8.
struct TChannelSettings {
    std::string Id = "tv.skedora.local"; // an XMLTV channel id: dotted, as guides expect
    std::string DisplayName = "Skedora";
    std::string TimeZone; // an IANA name; empty for the system's
};

TChannelSettings ReadChannelSettings();
void WriteChannelSettings(const TChannelSettings& settings);

// The zone named, or the system's for an empty name. An unknown name raises EConvertError
// naming it.
QTimeZone ChannelTimeZone(const std::string& name);
