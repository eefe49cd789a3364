#pragma once

#include "platform/Exceptions.h"

#include <optional>
#include <string>

// The error of type Error that action raises; none when it raises nothing.
template <class Error, class Action> std::optional<Error> RaisedBy(Action&& action) {
    try {
        action();
    } catch (const Error& error) {
        return error;
    }
    return std::nullopt;
}

// The message of the error of type Error that action raises, or "no error".
template <class Error = Exception, class Action> std::string ErrorOf(Action&& action) {
    const std::optional<Error> error = RaisedBy<Error>(action);
    return error ? std::string(error->what()) : "no error";
}
