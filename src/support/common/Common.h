#pragma once

#include <string>

// The characters '0' to '9' of the text, in their order.
std::string DigitsOnly(const std::string& text);
