#pragma once

namespace pelio::ui {

// Names the program and its version for Qt and applies the appearance. Call once, after
// the QApplication exists and before the first window is built.
void configureApplication();

} // namespace pelio::ui
