#pragma once

#include "platform/FormatSettings.h"

class QLocale;

// The system locale's formats, separators and names as FormatSettings holds them; the application
// installs them once: DefaultFormatSettings() = ReadSystemFormatSettings().
FormatSettings ReadSystemFormatSettings();
FormatSettings ReadFormatSettings(const QLocale& locale);
