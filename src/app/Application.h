#pragma once

#include <QApplication>

// The application object: every error that leaves an event handler reaches the
// application-wide error handler, and the application goes on.
class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};
