#include "platform/ErrorHandler.h"

#include "platform/Dialogs.h"
#include "platform/Exceptions.h"
#include "platform/Format.h"
#include "platform/ProcessInfo.h"

namespace {
std::string& Title() {
    static std::string title;
    return title;
}

const char* ClassNameOf(const std::exception& error) {
    const auto* exception = dynamic_cast<const Exception*>(&error);
    return exception ? exception->ClassName() : "Exception";
}
} // namespace

const std::string& ApplicationTitle() {
    return Title();
}

void SetApplicationTitle(const std::string& title) {
    Title() = title;
}

std::string ErrorBoxText(const std::string& message) {
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') return message + '.';
    return message;
}

void ApplicationHandleException(const std::exception& error) {
    AppDialogs().MessageBox(ErrorBoxText(error.what()), ApplicationTitle(), MessageIcon::Error,
                            MessageButtons::OK);
}

[[gnu::noinline]] int ShowApplicationError(const std::exception& error) {
    const void* codeAddress = RETURN_ADDRESS();
    const std::string message = error.what();
    const bool addStop = !message.empty() && message.back() != '.';
    const std::string text =
        Format("Exception %s in module %s at %0*zX.\r\n%s%s\r\n", ClassNameOf(error),
               ExecutableName().c_str(), static_cast<int>(2 * sizeof(void*)),
               static_cast<size_t>(ModuleOffset(codeAddress)), message.c_str(), addStop ? "." : "");
    AppDialogs().MessageBox(text, "Application Error", MessageIcon::Error, MessageButtons::OK);
    return 1;
}
