#include "ui/about/pel_ver.h"

#include "layout/about_layout.h"
#include "ui/pictures.h"
#include "ui/twips.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QRawFont>
#include <QTest>

using namespace pelio::ui;
using pelio::layout::about::kPictureCell;

class PelVerTest : public QObject {
    Q_OBJECT
private slots:
    // The program's default font; only the title and the version choose their own.
    void initTestCase() { QApplication::setFont(QFont("IPAPGothic", 9)); }

    void controlsStandInTheirPlaces() {
        const std::pair<const char*, QRect> places[]{
            {"Pel_Vti", {144, 8, 113, 17}}, {"Pel_Vlb1", {296, 32, 81, 17}},
            {"Pel_Vlb2", {8, 56, 377, 57}}, {"Pel_Qor", {264, 112, 121, 17}},
            {"Pel_Vbt", {8, 136, 377, 25}},
        };
        Pel_Ver dialog;
        QCOMPARE(dialog.size(), QSize(394, 165));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QCOMPARE(dialog.findChildren<QWidget*>().size(), std::size(places));
        for (const auto& [name, place] : places) {
            const QWidget* widget = dialog.findChild<QWidget*>(name);
            QVERIFY2(widget && widget->geometry() == place, name);
        }
    }

    void versionCaptionNamesTheProgramsVersion() {
        Pel_Ver dialog;
        QCOMPARE(dialog.findChild<QLabel*>("Pel_Vlb1")->text(), QStringLiteral("Version 1.00"));
    }

    // The font that draws the caption, not one Qt falls back to glyph by glyph, must hold
    // every character; otherwise the caption shows as empty boxes.
    void ownFontsHoldTheirCaptions() {
        Pel_Ver dialog;
        for (const char* name : {"Pel_Vti", "Pel_Vlb1"}) {
            const QLabel* label = dialog.findChild<QLabel*>(name);
            const QRawFont font = QRawFont::fromFont(label->font());
            for (char32_t character : label->text().toUcs4())
                QVERIFY2(font.supportsCharacter(character), qPrintable(font.familyName()));
        }
    }

    void onlyTheButtonTakesFocus() {
        Pel_Ver dialog;
        for (const QWidget* widget : dialog.findChildren<QWidget*>())
            QCOMPARE(widget->focusPolicy() != Qt::NoFocus, widget->objectName() == "Pel_Vbt");
    }

    void picturesAreTheirSizeAndTheAboutPictureIsMirrored() {
        const QImage icon = windowIconImage();
        QCOMPARE(icon.size(), QSize(32, 32));
        QVERIFY(icon.format() == QImage::Format_Indexed8 && icon.colorCount() <= 16);
        const QImage picture = aboutPicture();
        QCOMPARE(picture.size(), QSize(40, 40));
        QCOMPARE(picture, picture.mirrored(true, false));
    }

    // Neither the button nor the close box destroys the dialog; shown again, it is unchanged.
    void hidingKeepsTheDialogForTheNextShow() {
        QPointer<Pel_Ver> dialog = new Pel_Ver;
        dialog->show();
        QVERIFY(!dialog->isModal());
        const QImage shownFirst = dialog->grab().toImage();
        QTest::mouseClick(dialog->findChild<QWidget*>("Pel_Vbt"), Qt::LeftButton);
        QVERIFY(dialog->isHidden());
        dialog->show();
        QCOMPARE(dialog->grab().toImage(), shownFirst);
        dialog->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(dialog && dialog->isHidden());
        delete dialog;
    }

    // At any scale factor the picture keeps its 14 colours: each pixel of the art becomes a
    // block of one colour.
    void thePictureStaysSharpWhenScaled_data() {
        QTest::addColumn<int>("scale");
        QTest::newRow("1") << 1;
        QTest::newRow("2") << 2;
        QTest::newRow("3") << 3;
    }
    void thePictureStaysSharpWhenScaled() {
        QFETCH(int, scale);
        Pel_Ver dialog;
        QImage shown(dialog.size() * scale, QImage::Format_RGB32);
        shown.setDevicePixelRatio(scale);
        dialog.render(&shown);
        const QRect picture = toPixels(kPictureCell);
        const QImage art = aboutPicture();
        for (int y = 0; y < picture.height() * scale; ++y) {
            for (int x = 0; x < picture.width() * scale; ++x) {
                const QPoint at = picture.topLeft() * scale + QPoint(x, y);
                if (shown.pixel(at) != art.pixel(x / scale, y / scale))
                    QFAIL(qPrintable(QString("pixel (%1, %2) differs").arg(x).arg(y)));
            }
        }
    }
};

QTEST_MAIN(PelVerTest)
#include "pel_ver_test.moc"
