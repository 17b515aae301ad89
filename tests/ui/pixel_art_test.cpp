#include "ui/pixel_art.h"

#include <QTest>

using namespace pelio::ui;

namespace {

bool isRed(QColor c) {
    return c.red() >= 160 && c.green() <= 80 && c.blue() <= 80;
}
bool isYellow(QColor c) {
    return c.red() >= 200 && c.green() >= 180 && c.blue() <= 80;
}
bool isLightCyan(QColor c) {
    return c.green() >= 230 && c.blue() >= 230 && c.red() < c.green();
}

// The one colour of the ring `ring` pixels in from the border, invalid if it has several.
QColor ringColour(const QImage& image, int ring) {
    const int last = image.width() - 1 - ring;
    for (int i = ring; i <= last; ++i) {
        for (QPoint p : {QPoint(i, ring), QPoint(i, last), QPoint(ring, i), QPoint(last, i)}) {
            if (image.pixel(p) != image.pixel(ring, ring))
                return {};
        }
    }
    return image.pixelColor(ring, ring);
}

} // namespace

class PixelArtTest : public QObject {
    Q_OBJECT
private slots:
    void iconIsSixteenColoursOnAClearBackground() {
        const QImage icon = windowIconImage();
        QCOMPARE(icon.size(), QSize(32, 32));
        QCOMPARE(icon.format(), QImage::Format_Indexed8);
        QVERIFY(icon.colorCount() <= 16);
        QCOMPARE(qAlpha(icon.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(icon.pixel(16, 16)), 255);
    }

    // From the border inwards: whole rings of red, then of yellow, then the field.
    void aboutPictureIsMirroredInsideARedAndYellowFrame() {
        const QImage picture = aboutPicture();
        QCOMPARE(picture.size(), QSize(40, 40));
        QCOMPARE(picture.format(), QImage::Format_RGB888);
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 20; ++x)
                QCOMPARE(picture.pixel(x, y), picture.pixel(39 - x, y));
        }
        int ring = 0;
        while (isRed(ringColour(picture, ring)))
            ++ring;
        const int yellowFrom = ring;
        while (isYellow(ringColour(picture, ring)))
            ++ring;
        QVERIFY(yellowFrom > 0 && ring > yellowFrom);
        QVERIFY(isLightCyan(picture.pixelColor(ring, ring)));
    }
};

QTEST_MAIN(PixelArtTest)
#include "pixel_art_test.moc"
