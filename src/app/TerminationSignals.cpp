#include "app/TerminationSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <csignal>
#include <sys/signalfd.h>
#include <unistd.h>

namespace {

sigset_t TerminationSignals() {
    sigset_t held;
    sigemptyset(&held);
    sigaddset(&held, SIGTERM);
    sigaddset(&held, SIGINT);
    return held;
}

} // namespace

void BlockTerminationSignals() {
    const sigset_t held = TerminationSignals();
    pthread_sigmask(SIG_BLOCK, &held, nullptr);
}

void QuitOnTerminationSignals() {
    const sigset_t held = TerminationSignals();
    const int descriptor = signalfd(-1, &held, SFD_NONBLOCK | SFD_CLOEXEC);
    if (descriptor < 0) return;
    auto* notifier =
        new QSocketNotifier(descriptor, QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [descriptor] {
        signalfd_siginfo info;
        while (read(descriptor, &info, sizeof info) == sizeof info) {
        }
        // quit() would first close the windows, and the main window asks about unsaved work.
        QCoreApplication::exit(0);
    });
}
