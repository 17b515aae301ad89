// What the desktop is told about the program: its names, its desktop entry, its icon files.

#include "ui/application.h"
#include "ui/pictures.h"

#include "layout/pixel_art.h"
#include "layout/version.h"

#include <QDir>
#include <QGuiApplication>
#include <QTest>

using pelio::ui::configureApplication;

class ApplicationTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { configureApplication(); }

    void namesTheProgramItsVersionAndItsDesktopEntry() {
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Pelio"));
        QCOMPARE(QCoreApplication::applicationVersion(),
                 QString::fromLatin1(pelio::kProgramVersion));
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("io.github.pelio_app.Pelio"));
        // A display name that was set stays put, and some platforms append it to every window
        // title; one never set follows the application name.
        QCoreApplication::setApplicationName(QStringLiteral("Renamed"));
        const QString displayName = QGuiApplication::applicationDisplayName();
        configureApplication();
        QCOMPARE(displayName, QStringLiteral("Renamed"));
    }

    // The icon files the build writes for the icon theme: the window icon at every size, each
    // pixel of the art a square block, as the toolkit reads them back.
    void eachIconFileIsTheWindowIconInSquareBlocks() {
        const QImage icon = pelio::ui::windowIconImage();
        QCOMPARE(icon.size(), QSize(32, 32));
        QVERIFY(icon.format() == QImage::Format_Indexed8 && icon.colorCount() <= 16);
        const QDir theme(qEnvironmentVariable("PELIO_ICON_DIR"));
        const QStringList folders = theme.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
        QCOMPARE(folders, QStringList({"128x128", "256x256", "32x32", "64x64"}));
        for (const QString& folder : folders) {
            const QImage file(
                theme.filePath(folder + "/apps/" + QGuiApplication::desktopFileName() + ".png"));
            QCOMPARE(QString("%1x%2").arg(file.width()).arg(file.height()), folder);
            compareInSquareBlocks(file, icon);
        }
    }

    // The web page's pictures, which the web build writes with a PNG library of its own.
    void thePagesPicturesAreTheWindowsPictures() {
        const QDir site(qEnvironmentVariable("PELIO_WEB_SITE"));
        if (!site.exists("index.html"))
            QSKIP("no web site built");
        for (int size : pelio::layout::kPageIconSizes) {
            const QImage file(site.filePath(QString("icon-%1.png").arg(size)));
            QCOMPARE(file.width(), size);
            compareInSquareBlocks(file, pelio::ui::windowIconImage());
        }
        compareInSquareBlocks(QImage(site.filePath("pel-ver.png")), pelio::ui::aboutPicture());
    }

private:
    // Nearest-pixel scaling by a whole factor makes each pixel a square block.
    static void compareInSquareBlocks(const QImage& file, const QImage& art) {
        QCOMPARE(file.convertToFormat(QImage::Format_ARGB32),
                 art.scaled(file.size()).convertToFormat(QImage::Format_ARGB32));
    }
};

QTEST_MAIN(ApplicationTest)
#include "application_test.moc"
