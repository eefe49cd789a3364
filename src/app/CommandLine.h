#pragma once

#include "platform/DateTime.h"

#include <optional>
#include <string>
#include <vector>

// The schedule date asked for with "--date YYYY-MM-DD" (or "--date=YYYY-MM-DD"); none without
// the option. A value that names no date raises EConvertError saying what was expected.
std::optional<TDateTime> ScheduleDateArgument(const std::vector<std::string>& arguments);
