// What a screen reader meets in the window, through the toolkit's own bridge to the
// desktop's accessibility bus: the test runs on an X server and a session bus of its own.

#include "ui/about/pel_ver.h"
#include "ui/appearance.h"
#include "ui/pelio.h"
#include "window_driver.h"

#include <QAccessible>
#include <QSet>

#include <memory>

using pelio::ui::Pel_Ver;
using pelio::ui::Pelio;

namespace {

// The spoken names of the controls shown below `node`; panels that hold controls need none.
void collectNames(QAccessibleInterface* node, QStringList& names) {
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (child->state().invisible)
            continue;
        if (child->childCount() == 0)
            names << child->text(QAccessible::Name);
        collectNames(child, names);
    }
}

} // namespace

class AccessibilityTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Pelio> window;
    std::unique_ptr<WindowDriver> d;

private slots:
    void initTestCase() {
        pelio::ui::applyAppearance();
        window = std::make_unique<Pelio>();
        d = std::make_unique<WindowDriver>(*window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QTRY_VERIFY2_WITH_TIMEOUT(QAccessible::isActive(), "no accessibility bus", 10000);
    }
    void cleanupTestCase() {
        d.reset();
        window.reset();
    }

    // Every control says what it is, and no two say the same; the dividing lines and the
    // version picture are no controls at all.
    void everyControlHasItsOwnSpokenName() {
        d->click({"Abot_sm"});
        for (QWidget* top : {static_cast<QWidget*>(window.get()),
                             static_cast<QWidget*>(d->control<Pel_Ver>("Pel_Ver"))}) {
            QStringList names;
            collectNames(QAccessible::queryAccessibleInterface(top), names);
            QVERIFY2(!names.contains(QString()), qPrintable(top->objectName()));
            QCOMPARE(QSet<QString>(names.begin(), names.end()).size(), names.size());
        }
        for (const auto& [name, spoken] :
             {std::pair{"Nm2E", "濁点１"}, {"Namtext2", "なまえの２文字目"}})
            QCOMPARE(
                QAccessible::queryAccessibleInterface(d->control(name))->text(QAccessible::Name),
                QString(spoken));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
