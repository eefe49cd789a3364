#include "platform/QtTimer.h"

#include "platform/Timer.h"

#include <QTimer>

namespace {
class QtTimer : public Timer {
public:
    QtTimer() {
        timer_.setInterval(1000);
        timer_.start();
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            if (OnTimer) OnTimer();
        });
    }
    void SetInterval(int milliseconds) override { timer_.setInterval(milliseconds); }
    void SetEnabled(bool enabled) override {
        if (enabled)
            timer_.start();
        else
            timer_.stop();
    }

private:
    QTimer timer_;
};
} // namespace

void InstallQtTimers() {
    SetTimerFactory([] { return std::make_unique<QtTimer>(); });
}
