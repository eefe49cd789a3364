#pragma once

#include <QApplication>

// The application object: every error that leaves an event handler reaches the
// application-wide error handler, and the application goes on.
class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

// The identity the desktop knows the application by: the name "skedora" (which names its data
// and configuration folders), the version, the desktop entry skedora.desktop and the window
// icon. No display name is set: Qt would append it to every window's caption.
void SetApplicationIdentity();
