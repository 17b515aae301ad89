#include "startup_probe.h"
#include "ui/pelio.h"

std::unique_ptr<QMainWindow> makeProbedWindow() {
    return std::make_unique<pelio::ui::Pelio>();
}
