#include "ui/about/pel_ver.h"

#include "layout/about_layout.h"
#include "layout/version.h"
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

    // Fixed in size, with its texts and one button, the only control that takes focus; the
    // title and the version in fonts that hold every character of them, not ones Qt falls
    // back to glyph by glyph, which would show empty boxes.
    void itsControlsAndFonts() {
        Pel_Ver dialog;
        QCOMPARE(dialog.size(), QSize(394, 165));
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        QStringList names;
        for (const QWidget* widget : dialog.findChildren<QWidget*>()) {
            names << widget->objectName();
            QCOMPARE(widget->focusPolicy() != Qt::NoFocus, widget->objectName() == "Pel_Vbt");
        }
        QCOMPARE(names, QStringList({"Pel_Vti", "Pel_Vlb1", "Pel_Vlb2", "Pel_Qor", "Pel_Vbt"}));
        QCOMPARE(dialog.findChild<QLabel*>("Pel_Vlb1")->text(),
                 "Version " + QString::fromLatin1(pelio::kProgramVersion));
        for (const char* name : {"Pel_Vti", "Pel_Vlb1"}) {
            const QLabel* label = dialog.findChild<QLabel*>(name);
            const QRawFont font = QRawFont::fromFont(label->font());
            for (char32_t character : label->text().toUcs4())
                QVERIFY2(font.supportsCharacter(character), qPrintable(font.familyName()));
        }
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

    // The mirrored picture keeps its colours at scale factor 2: each pixel of the art becomes
    // a block of one colour.
    void thePictureStaysSharpWhenScaled() {
        const int scale = 2;
        const QImage art = aboutPicture();
        QCOMPARE(art, art.mirrored(true, false));
        Pel_Ver dialog;
        QImage shown(dialog.size() * scale, QImage::Format_RGB32);
        shown.setDevicePixelRatio(scale);
        dialog.render(&shown);
        const QRect picture = toPixels(kPictureCell);
        QCOMPARE(picture.size(), art.size());
        QImage expected = art.scaled(art.size() * scale).convertToFormat(QImage::Format_RGB32);
        expected.setDevicePixelRatio(scale);
        QCOMPARE(shown.copy(QRect(picture.topLeft() * scale, picture.size() * scale)), expected);
    }
};

QTEST_MAIN(PelVerTest)
#include "pel_ver_test.moc"
