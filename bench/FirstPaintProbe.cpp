// Preloaded into the application (LD_PRELOAD) by bench/history to time its start-up from the
// outside: once the main window has been painted for the first time, the monotonic clock's
// nanoseconds go to the file SKEDORA_BENCH_FIRST_PAINT names and the application quits. The
// application's own code is not touched.
#include <QCoreApplication>
#include <QEvent>
#include <QMainWindow>
#include <QTimer>
#include <QWidget>
#include <ctime>
#include <fstream>

namespace {

void WritePaintTime() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    std::ofstream(qgetenv("SKEDORA_BENCH_FIRST_PAINT").toStdString())
        << now.tv_sec * 1000000000LL + now.tv_nsec << "\n";
}

class FirstPaintProbe : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (seen_ || event->type() != QEvent::Paint || !watched->isWidgetType()) return false;
        if (!qobject_cast<QMainWindow*>(static_cast<QWidget*>(watched)->window())) return false;
        seen_ = true;
        // Queued behind the rest of the paint pass this event belongs to: the whole window.
        QTimer::singleShot(0, [] {
            WritePaintTime();
            QCoreApplication::quit();
        });
        return false;
    }

private:
    bool seen_ = false;
};

void InstallProbe() {
    if (qEnvironmentVariableIsEmpty("SKEDORA_BENCH_FIRST_PAINT")) return;
    QCoreApplication::instance()->installEventFilter(
        new FirstPaintProbe(QCoreApplication::instance()));
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(InstallProbe)
