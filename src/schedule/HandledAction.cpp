#include "schedule/HandledAction.h"

#include "app/ErrorHandler.h"

void RunHandled(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ApplicationHandleException(error);
    }
}
