// The PNG writer read back by the toolkit's decoder, on a picture that makes it use every run
// length deflate can copy, of bytes and of pixels, on rows of their own and rows repeated.

#include "layout/png_file.h"

#include <QImage>
#include <QTest>

#include <random>

class PngFileTest : public QObject {
    Q_OBJECT
private slots:
    void readsBackPixelForPixel() {
        constexpr int kWidth = 300, kHeight = 40;
        const pelio::layout::Argb palette[]{0x00000000, 0xFF000000, 0xFFFFFFFF, 0x80FF0000,
                                            0xFF0000FF};
        std::mt19937 random(7);
        std::vector<pelio::layout::Argb> pixels;
        while (pixels.size() < std::size_t{kWidth * kHeight}) {
            if (pixels.size() % kWidth == 0 && !pixels.empty() && random() % 4 == 0)
                pixels.insert(pixels.end(), pixels.end() - kWidth, pixels.end());
            else
                pixels.insert(pixels.end(), 1 + random() % 90, palette[random() % 5]);
        }
        const std::vector<std::uint8_t> file = pelio::layout::pngFile(kWidth, kHeight, pixels);
        const QImage expected(reinterpret_cast<const uchar*>(pixels.data()), kWidth, kHeight,
                              QImage::Format_ARGB32);
        QCOMPARE(QImage::fromData(file, "PNG").convertToFormat(QImage::Format_ARGB32), expected);
    }
};

QTEST_MAIN(PngFileTest)
#include "png_file_test.moc"
