#pragma once

#include <QIcon>
#include <QImage>

namespace pelio::ui {

// The program's own pictures as the toolkit wants them.
QImage windowIconImage(); // 32 x 32, 16 colours
QIcon programIcon();      // the same at every size an icon file has
QImage aboutPicture();    // 40 x 40, 24-bit colour

} // namespace pelio::ui
