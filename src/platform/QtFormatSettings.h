#pragma once

#include "platform/FormatSettings.h"

class QLocale;

// The system locale's formats, separators and names in the toolkit's terms; the application
// installs them once: DefaultFormatSettings() = ReadSystemFormatSettings().
FormatSettings ReadSystemFormatSettings();
FormatSettings ReadFormatSettings(const QLocale& locale);
