#include "platform/Dialogs.h"

#include "platform/Exceptions.h"

namespace {
Dialogs* installed = nullptr;
}

Dialogs& AppDialogs() {
    if (!installed) throw Exception("No dialogs service is installed");
    return *installed;
}

Dialogs* SetAppDialogs(Dialogs* dialogs) {
    Dialogs* previous = installed;
    installed = dialogs;
    return previous;
}
