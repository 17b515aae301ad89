#include "ui/pictures.h"

#include "layout/pixel_art.h"

#include <QPixmap>

namespace pelio::ui {

using namespace pelio::layout;

QImage windowIconImage() {
    QImage image(kIconSize, kIconSize, QImage::Format_Indexed8);
    const std::span<const Argb> colours = windowIconColours();
    image.setColorTable(QList<QRgb>(colours.begin(), colours.end()));
    for (int y = 0; y < kIconSize; ++y) {
        for (int x = 0; x < kIconSize; ++x)
            image.setPixel(x, y, static_cast<uint>(windowIconColourIndex(x, y)));
    }
    return image;
}

QIcon programIcon() {
    // Whole factors without smoothing: every pixel of the art becomes a square block.
    const QImage image = windowIconImage();
    QIcon icon;
    for (int size : kIconFileSizes)
        icon.addPixmap(QPixmap::fromImage(
            image.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
    return icon;
}

QImage aboutPicture() {
    QImage image(kAboutPictureSize, kAboutPictureSize, QImage::Format_RGB888);
    for (int y = 0; y < kAboutPictureSize; ++y) {
        for (int x = 0; x < kAboutPictureSize; ++x)
            image.setPixel(x, y, aboutPicturePixel(x, y));
    }
    return image;
}

} // namespace pelio::ui
