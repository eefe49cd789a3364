#pragma once

#include <functional>
#include <memory>

// A periodic timer of the window system, reduced to what idle timers and the planner need.
// OnTimer runs on the thread that owns the timer, every Interval milliseconds while enabled.
class Timer {
public:
    virtual ~Timer() = default;
    virtual void SetInterval(int milliseconds) = 0;
    virtual void SetEnabled(bool enabled) = 0;

    std::function<void()> OnTimer;
};

using TimerFactory = std::function<std::unique_ptr<Timer>()>;

// Every timer of the process comes from the installed factory; until one is installed the
// factory makes ManualTimer objects.
std::unique_ptr<Timer> CreateTimer();
// An empty factory restores the manual one.
void SetTimerFactory(TimerFactory factory);

// A timer that never fires by itself: tests call Fire() for each tick.
class ManualTimer : public Timer {
public:
    void SetInterval(int milliseconds) override { interval_ = milliseconds; }
    void SetEnabled(bool enabled) override { enabled_ = enabled; }
    int Interval() const { return interval_; }
    bool Enabled() const { return enabled_; }
    // One tick; ignored while disabled, as a real timer would be.
    void Fire();

private:
    int interval_ = 1000;
    bool enabled_ = true;
};
