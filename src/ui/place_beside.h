#pragma once

class QWidget;

namespace pelio::ui {

// Moves `dialog` next to `window` where the screen has room for it: to its right, else to its
// left, below or above, so that it does not cover the commands and the memo.
void placeBeside(QWidget& dialog, const QWidget& window);

} // namespace pelio::ui
