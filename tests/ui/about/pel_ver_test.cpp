#include "ui/about/pel_ver.h"

#include "ui/pixel_art.h"
#include "ui/twips.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QRawFont>
#include <QTest>

using namespace pelio::ui;

class PelVerTest : public QObject {
    Q_OBJECT
private slots:
    // The program's default font; only the title and the version choose their own.
    void initTestCase() { QApplication::setFont(QFont("IPAPGothic", 9)); }

    void controlsStandInTheirPlaces() {
        const std::pair<const char*, QRect> places[]{
            {"Image1", twipsRect(240, 120, 600, 600)},
            {"Pel_Vti", twipsRect(2160, 120, 1695, 255)},
            {"Pel_Vlb1", twipsRect(4440, 480, 1215, 255)},
            {"Pel_Vlb2", twipsRect(120, 840, 5655, 855)},
            {"Pel_Qor", twipsRect(3960, 1680, 1815, 255)},
            {"Pel_Vbt", twipsRect(120, 2040, 5655, 375)},
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
        const QImage picture = dialog->findChild<QLabel*>("Image1")->pixmap().toImage();
        QCOMPARE(picture.convertToFormat(QImage::Format_RGB888), aboutPicture());
        delete dialog;
    }
};

QTEST_MAIN(PelVerTest)
#include "pel_ver_test.moc"
