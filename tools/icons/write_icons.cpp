// Writes the window icon as PNG files for the desktop's hicolor icon theme:
//   pelio_write_icons DIRECTORY NAME
// puts DIRECTORY/SIZExSIZE/apps/NAME.png for each size an icon file has. Run at build time,
// so the installed icons are drawn from the same table as the window's.

#include "layout/pixel_art.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>
#include <vector>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s DIRECTORY NAME\n", argv[0]);
        return 2;
    }
    using namespace pelio::layout;
    for (int size : kIconFileSizes) {
        const QString folder =
            QString("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        const QString file = folder + "/" + QString::fromLocal8Bit(argv[2]) + ".png";
        // Argb is the 0xAARRGGBB of the toolkit's ARGB32 format.
        const std::vector<Argb> pixels = windowIconPixels(size);
        const QImage icon(reinterpret_cast<const uchar*>(pixels.data()), size, size,
                          QImage::Format_ARGB32);
        if (!QDir().mkpath(folder) || !icon.save(file, "PNG")) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(file));
            return 1;
        }
    }
    return 0;
}
