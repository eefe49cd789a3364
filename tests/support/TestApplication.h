#pragma once

#include <QApplication>
#include <cstdlib>
#include <string>

// The one QApplication of the test process, created on first use. It is never destroyed:
// destroying it among the exit-time statics crashes Qt. The user's data folder (where unsaved
// days are kept) and its settings folder are the process's own, so no test meets another's
// files or the tester's.
inline QApplication& TestApplication() {
    static const bool ownDataFolder = [] {
        static char folder[] = "/tmp/skedora-test-data-XXXXXX";
        if (!mkdtemp(folder)) return false;
        const std::string config = std::string(folder) + "/config";
        return setenv("XDG_DATA_HOME", folder, 1) == 0 &&
               setenv("XDG_CONFIG_HOME", config.c_str(), 1) == 0;
    }();
    (void)ownDataFolder;
    static int argc = 1;
    static char name[] = "skedora_tests";
    static char* argv[] = {name, nullptr};
    static auto* application = new QApplication(argc, argv);
    return *application;
}
