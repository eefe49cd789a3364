#pragma once

#include <QString>
#include <string>

// The one crossing between Windows-1251 text and the widgets' Unicode text.
QString ToQString(const std::string& cp1251);
// Characters without a Windows-1251 form become '?'.
std::string FromQString(const QString& text);
