#include "ui/pixel_art.h"

namespace pelio::ui {

QImage windowIconImage() {
    return QImage(32, 32, QImage::Format_Indexed8);
}

QImage aboutPicture() {
    return QImage(40, 40, QImage::Format_RGB888);
}

} // namespace pelio::ui
