#pragma once

#include <QApplication>
#include <cstdlib>

// The one QApplication of the test process, created on first use. It is never destroyed:
// destroying it among the exit-time statics crashes Qt. The user's data folder (where unsaved
// days are kept) is one of the process's own, so no test meets another's files or the tester's.
inline QApplication& TestApplication() {
    static const bool ownDataFolder = [] {
        static char folder[] = "/tmp/skedora-test-data-XXXXXX";
        return mkdtemp(folder) && setenv("XDG_DATA_HOME", folder, 1) == 0;
    }();
    (void)ownDataFolder;
    static int argc = 1;
    static char name[] = "skedora_tests";
    static char* argv[] = {name, nullptr};
    static auto* application = new QApplication(argc, argv);
    return *application;
}
