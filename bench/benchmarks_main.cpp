#include "ui/appearance.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

int main(int argc, char* argv[]) {
    // The window benchmarks paint into memory, so timings do not depend on a display server.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The window keeps its notebook and last entry in a folder of the run's own, in memory where
    // the system has it: the player's are never touched, and writing them is not what is timed.
    QTemporaryDir data((QDir("/dev/shm").exists() ? QStringLiteral("/dev/shm") : QDir::tempPath()) +
                       "/pelio-bench-XXXXXX");
    qputenv("XDG_DATA_HOME", data.path().toUtf8());
    QApplication app(argc, argv);
    pelio::ui::applyAppearance();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
