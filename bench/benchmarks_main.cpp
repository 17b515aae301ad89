#include "ui/appearance.h"

#include <QApplication>
#include <benchmark/benchmark.h>

int main(int argc, char* argv[]) {
    // The window benchmarks paint into memory, so timings do not depend on a display server.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    pelio::ui::applyAppearance();

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
