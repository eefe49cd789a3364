#pragma once

// Before any window of a benchmark: the application object and its title.
#include "platform/ErrorHandler.h"
#include "support/TestApplication.h"

struct BenchApplication {
    BenchApplication() {
        TestApplication();
        SetApplicationTitle("Skedora");
    }
};
