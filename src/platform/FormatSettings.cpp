#include "platform/FormatSettings.h"

FormatSettings& DefaultFormatSettings() {
    static FormatSettings settings;
    return settings;
}
