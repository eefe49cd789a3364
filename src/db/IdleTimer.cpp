#include "db/IdleTimer.h"

#include "db/IBErrors.h"

void ResetIdleTimer(std::unique_ptr<Timer>& timer, int milliseconds, std::function<void()> onTick) {
    if (milliseconds < 0) RaiseClientError(ClientError::TimeoutNegative);
    if (milliseconds == 0) {
        timer.reset();
        return;
    }
    if (!timer) timer = CreateTimer();
    timer->OnTimer = std::move(onTick);
    timer->SetInterval(milliseconds);
    timer->SetEnabled(true);
}
