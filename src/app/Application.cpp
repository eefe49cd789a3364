#include "app/Application.h"

#include "platform/ErrorHandler.h"

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ApplicationHandleException(error);
        return false;
    }
}
