#pragma once

#include "platform/Timer.h"

#include <functional>
#include <memory>

// Sets up the idle timer of a connection or transaction: none for 0, one ticking every
// `milliseconds` otherwise. A negative period raises client error TimeoutNegative and keeps the
// timer.
void ResetIdleTimer(std::unique_ptr<Timer>& timer, int milliseconds, std::function<void()> onTick);
