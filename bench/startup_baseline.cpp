#include "startup_probe.h"

#include <QLabel>

// The toolkit's floor: an empty main window with one label. The label is Japanese so that the
// same font is loaded as for the program's captions.
std::unique_ptr<QMainWindow> makeProbedWindow() {
    auto window = std::make_unique<QMainWindow>();
    window->setCentralWidget(new QLabel(QStringLiteral("ぺりおのひらき"), window.get()));
    return window;
}
