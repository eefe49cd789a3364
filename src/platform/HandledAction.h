#pragma once

#include <functional>

// The entry point of every action handler: an error it raises is shown by the
// application-wide error handler, and the application goes on.
void RunHandled(const std::function<void()>& handler);
