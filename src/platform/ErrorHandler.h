#pragma once

#include <exception>
#include <string>

// The application title: caption of every error box.
const std::string& ApplicationTitle();
void SetApplicationTitle(const std::string& title);

// The box text for an error message: a full stop is appended when the last character sorts
// after ".".
std::string ErrorBoxText(const std::string& message);

// The application-wide error handler: a modal box with the error's text, the title as caption,
// a stop icon and OK. The application goes on afterwards.
void ApplicationHandleException(const std::exception& error);

// The last-chance handler for an error that escapes start-up: the "Application Error" box.
// Names the caller's code address; returns the process exit code, 1.
int ShowApplicationError(const std::exception& error);
