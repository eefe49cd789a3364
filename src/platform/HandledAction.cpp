#include "platform/HandledAction.h"

#include "platform/ErrorHandler.h"

void RunHandled(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ApplicationHandleException(error);
    }
}
