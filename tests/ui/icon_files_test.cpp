#include "ui/pictures.h"

#include <QDir>
#include <QTest>

#include <algorithm>

using pelio::ui::windowIconImage;

namespace {

// The icon theme folder the build writes and the install copies, and the icons' file name.
QDir themeDir() {
    return QDir(qEnvironmentVariable("PELIO_ICON_DIR"));
}
QString iconFileName() {
    return qEnvironmentVariable("PELIO_APP_ID") + ".png";
}

} // namespace

class IconFilesTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY2(qEnvironmentVariableIsSet("PELIO_ICON_DIR") && themeDir().exists(),
                 "set PELIO_ICON_DIR to the built icon theme folder");
    }

    void naturalSizeAndALargeOneAreThere() {
        QList<int> sizes;
        for (const QString& folder : themeDir().entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            sizes << QImage(themeDir().filePath(folder + "/apps/" + iconFileName())).width();
        QVERIFY(sizes.contains(32));
        QVERIFY(*std::max_element(sizes.cbegin(), sizes.cend()) >= 128);
    }

    void eachFileIsTheWindowIconInSquareBlocks_data() {
        QTest::addColumn<QString>("folder");
        for (const QString& folder : themeDir().entryList(QDir::Dirs | QDir::NoDotAndDotDot))
            QTest::newRow(qPrintable(folder)) << folder;
    }
    void eachFileIsTheWindowIconInSquareBlocks() {
        QFETCH(QString, folder);
        const QImage icon = windowIconImage();
        const QImage file(themeDir().filePath(folder + "/apps/" + iconFileName()));
        QVERIFY(!file.isNull());
        QCOMPARE(QString("%1x%2").arg(file.width()).arg(file.height()), folder);
        const int factor = file.width() / icon.width();
        QCOMPARE(file.size(), icon.size() * factor);
        for (int y = 0; y < file.height(); ++y) {
            for (int x = 0; x < file.width(); ++x) {
                if (file.pixel(x, y) != icon.pixel(x / factor, y / factor))
                    QFAIL(qPrintable(QString("pixel (%1, %2) differs").arg(x).arg(y)));
            }
        }
    }
};

QTEST_MAIN(IconFilesTest)
#include "icon_files_test.moc"
