#include "ui/application.h"

#include <QGuiApplication>
#include <QTest>

using pelio::ui::configureApplication;

class ApplicationTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { configureApplication(); }

    // What the desktop and the window system are told the program is called.
    void namesTheProgramItsVersionAndItsDesktopEntry() {
        QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Pelio"));
        QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("1.00"));
        QCOMPARE(QGuiApplication::desktopFileName(), QStringLiteral("io.github.pelio_app.Pelio"));
    }

    // A display name that was set stays put and gets appended to window titles on some
    // platforms; one never set follows the application name.
    void leavesTheDisplayNameUnset() {
        QCoreApplication::setApplicationName(QStringLiteral("Renamed"));
        const QString displayName = QGuiApplication::applicationDisplayName();
        configureApplication();
        QCOMPARE(displayName, QStringLiteral("Renamed"));
    }
};

QTEST_MAIN(ApplicationTest)
#include "application_test.moc"
