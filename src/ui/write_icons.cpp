// Writes the window icon as PNG files for the desktop's hicolor icon theme:
//   pelio_write_icons DIRECTORY NAME SIZE...
// puts DIRECTORY/SIZExSIZE/apps/NAME.png for each SIZE, a whole multiple of the icon's own
// size. Run at build time, so the installed icons are drawn from the same table as the
// window's.

#include "ui/pictures.h"

#include <QDir>
#include <QImage>
#include <QString>

#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s DIRECTORY NAME SIZE...\n", argv[0]);
        return 2;
    }
    const QImage icon = pelio::ui::windowIconImage();
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (int i = 3; i < argc; ++i) {
        bool isNumber = false;
        const int size = QString::fromLocal8Bit(argv[i]).toInt(&isNumber);
        if (!isNumber || size <= 0 || size % icon.width() != 0) {
            std::fprintf(stderr, "%s: size %s is not a multiple of %d\n", argv[0], argv[i],
                         icon.width());
            return 2;
        }
        const QString folder =
            QString("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[1])).arg(size);
        // Nearest-neighbour scaling by a whole factor: every pixel of the art becomes a
        // square block, so the larger icons stay as crisp as the small one.
        const QImage scaled =
            icon.scaled(size, size, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        const QString file = folder + '/' + name + ".png";
        if (!QDir().mkpath(folder) || !scaled.save(file, "PNG")) {
            std::fprintf(stderr, "%s: cannot write %s\n", argv[0], qPrintable(file));
            return 1;
        }
    }
    return 0;
}
