#include "app/Application.h"

#include "platform/ErrorHandler.h"

#include <QIcon>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        ApplicationHandleException(error);
        return false;
    }
}

void SetApplicationIdentity() {
    QCoreApplication::setApplicationName(QStringLiteral("skedora"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SKEDORA_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("skedora"));
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/skedora-48.png"));
    icon.addFile(QStringLiteral(":/icons/skedora-256.png"));
    QApplication::setWindowIcon(icon);
}
