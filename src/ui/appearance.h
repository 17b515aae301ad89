#pragma once

#include <QFont>

namespace pelio::ui {

// The application's default font. The layout was drawn for a proportional Japanese gothic
// of about 9 pt; this picks such a family where one is installed, else any family that
// covers Japanese, at the size at which every caption fits its control.
QFont applicationFont();

// Sets the application's font, a style whose check boxes are as compact as those the layout
// was drawn for and whose focus and menu marks show on black, and the toolkit's Japanese
// texts. Call once, after the QApplication exists.
void applyAppearance();

} // namespace pelio::ui
