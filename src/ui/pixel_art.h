#pragma once

#include <QImage>

namespace pelio::ui {

// The program's own pictures, drawn from small tables in code.
QImage windowIconImage(); // 32 x 32, 16 colours
QImage aboutPicture();    // 40 x 40, 24-bit colour

} // namespace pelio::ui
