// The PNG writer read back by the toolkit's decoder, on a picture that makes it use every run
// length deflate can copy, of bytes and of pixels, on rows of their own and rows repeated.

#include "layout/png_file.h"

#include <QImage>
#include <QTest>

#include <random>

using namespace pelio::layout;

class PngFileTest : public QObject {
    Q_OBJECT
private slots:
    void readsBackPixelForPixel() {
        constexpr int kWidth = 300, kHeight = 40;
        const Argb palette[]{0x00000000, 0xFF000000, 0xFFFFFFFF, 0x80FF0000, 0xFF0000FF};
        std::mt19937 random(7);
        std::vector<Argb> pixels;
        while (pixels.size() < std::size_t{kWidth * kHeight}) {
            if (pixels.size() % kWidth == 0 && random() % 4 == 0 && !pixels.empty()) {
                pixels.insert(pixels.end(), pixels.end() - kWidth, pixels.end());
                continue;
            }
            const Argb colour = palette[random() % std::size(palette)];
            pixels.insert(pixels.end(), 1 + random() % 90, colour);
        }
        pixels.resize(kWidth * kHeight);

        const std::vector<std::uint8_t> file = pngFile(kWidth, kHeight, pixels);
        const QImage image = QImage::fromData(file, "PNG");
        QCOMPARE(image.size(), QSize(kWidth, kHeight));
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) {
                if (image.pixel(x, y) != pixels[std::size_t(y * kWidth + x)])
                    QFAIL(qPrintable(QString("pixel (%1, %2) differs").arg(x).arg(y)));
            }
        }
    }
};

QTEST_MAIN(PngFileTest)
#include "png_file_test.moc"
