#include "ui/application.h"

#include "layout/version.h"
#include "ui/appearance.h"

#include <QApplication>

namespace pelio::ui {

// No display name: on some platforms Qt would append it to every window title.
void configureApplication() {
    QCoreApplication::setApplicationName(kProgramName);
    QCoreApplication::setApplicationVersion(kProgramVersion);
    // Lets a Wayland compositor match the window to the installed desktop entry and icon.
    QGuiApplication::setDesktopFileName(kApplicationId);
    applyAppearance();
}

} // namespace pelio::ui
