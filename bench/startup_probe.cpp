// Starts like the program, shows one main window and, once its first frame is painted and the
// X server has taken it, prints the wall time since launch and the processor time used, both in
// milliseconds, and the peak resident memory in megabytes; then quits.
#include "startup_probe.h"
#include "startup_clock.h"
#include "ui/appearance.h"

#include <QApplication>
#include <QScreen>

#include <sys/resource.h>

#include <cstdio>

namespace {

// The launcher's clock just before it started this process (bash:
// PELIO_LAUNCH_US=${EPOCHREALTIME/./} does the same), so loading the libraries counts too.
long long launchMicroseconds() {
    bool valid = false;
    const long long stamp = qEnvironmentVariable("PELIO_LAUNCH_US").toLongLong(&valid);
    if (!valid)
        qFatal("set PELIO_LAUNCH_US to the launch time in microseconds since the epoch");
    return stamp;
}

// A round trip to the X server: it answers once it has handled every request sent before, the
// frame's included, so the frame is on its screen. Qt's own sync would also run queued work.
void waitForTheXServer() {
    auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11)
        return;
    startup::roundTrip(x11->connection());
}

class FirstPaintReporter : public QObject {
public:
    explicit FirstPaintReporter(long long launched)
        : launched_(launched) {}

    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && !painted_) {
            painted_ = true;
            // Queued, so it runs once every widget of the frame is painted and the frame flushed.
            QMetaObject::invokeMethod(
                this, [this] { report(); }, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void report() const {
        waitForTheXServer();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const auto milliseconds = [](timeval t) {
            return static_cast<double>(t.tv_sec) * 1000.0 + static_cast<double>(t.tv_usec) / 1000.0;
        };
        std::printf("%.1f %.1f %.1f\n",
                    static_cast<double>(startup::nowMicroseconds() - launched_) / 1000.0,
                    milliseconds(usage.ru_utime) + milliseconds(usage.ru_stime),
                    static_cast<double>(usage.ru_maxrss) / 1024.0);
        std::fflush(stdout);
        QCoreApplication::quit();
    }

    long long launched_;
    bool painted_ = false;
};

} // namespace

int main(int argc, char* argv[]) {
    FirstPaintReporter reporter(launchMicroseconds());
    QApplication app(argc, argv);
    pelio::ui::applyAppearance();
    app.installEventFilter(&reporter);

    const std::unique_ptr<QMainWindow> window = makeProbedWindow();
    window->adjustSize();
    if (const QScreen* screen = window->screen())
        window->move(screen->availableGeometry().center() - window->rect().center());
    window->show();
    return QApplication::exec();
}
