#include "platform/Timer.h"

namespace {
TimerFactory& InstalledFactory() {
    static TimerFactory factory;
    return factory;
}
} // namespace

std::unique_ptr<Timer> CreateTimer() {
    const TimerFactory& factory = InstalledFactory();
    if (factory) return factory();
    return std::make_unique<ManualTimer>();
}

void SetTimerFactory(TimerFactory factory) {
    InstalledFactory() = std::move(factory);
}

void ManualTimer::Fire() {
    if (enabled_ && OnTimer) OnTimer();
}
