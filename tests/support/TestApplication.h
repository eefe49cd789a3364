#pragma once

#include <QApplication>

// The one QApplication of the test process, created on first use. It is never destroyed:
// destroying it among the exit-time statics crashes Qt.
inline QApplication& TestApplication() {
    static int argc = 1;
    static char name[] = "skedora_tests";
    static char* argv[] = {name, nullptr};
    static auto* application = new QApplication(argc, argv);
    return *application;
}
