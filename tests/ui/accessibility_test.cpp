// What a screen reader meets in the window, through the toolkit's own bridge to the
// desktop's accessibility bus: the test runs on an X server and a session bus of its own.

#include "ui/about/pel_ver.h"
#include "ui/appearance.h"
#include "ui/pelio.h"
#include "window_driver.h"

#include <QAccessible>
#include <QSet>
#include <QStandardPaths>

#include <memory>

using pelio::ui::Pel_Ver;
using pelio::ui::Pelio;

namespace {

// The descriptions assistive technology is told have changed, as "control: description".
QStringList descriptionChanges;
void recordDescriptionChange(QAccessibleEvent* event) {
    if (event->type() == QAccessible::DescriptionChanged)
        descriptionChanges << event->object()->objectName() + ": " +
                                  event->accessibleInterface()->text(QAccessible::Description);
}

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
        QStandardPaths::setTestModeEnabled(true);
        QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
        window = std::make_unique<Pelio>();
        d = std::make_unique<WindowDriver>(*window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QTRY_VERIFY2_WITH_TIMEOUT(QAccessible::isActive(), "no accessibility bus", 10000);
        QAccessible::installUpdateHandler(recordDescriptionChange);
    }
    void cleanupTestCase() {
        QAccessible::installUpdateHandler(nullptr);
        d.reset();
        window.reset();
    }

    // Every control says what it is, and no two say the same, the notice bar's and the
    // notebook's included; the dividing lines and the version picture are no controls at all.
    void everyControlHasItsOwnSpokenName() {
        d->click({"Answer", "Nm_Clear", "PWD_Log", "Abot_sm"});
        for (QWidget* top : {static_cast<QWidget*>(window.get()),
                             static_cast<QWidget*>(d->control<Pel_Ver>("Pel_Ver")),
                             d->control("Log_Win")}) {
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

    // The reason a memo does not read reaches a screen reader as a change of the memo box's
    // description, each time Enter is pressed on it.
    void aReasonIsToldAsTheMemoBoxsDescription() {
        descriptionChanges.clear();
        d->enterMemo(QStringLiteral("み"));
        QTest::keyClick(d->control("PWD"), Qt::Key_Return);
        const QString told = "PWD: " + d->control<QLabel>("Lab_Rsn")->text() + "。";
        QCOMPARE(descriptionChanges.count(told), 2);
    }

    // A completion is heard: its memo and rank reach a screen reader as a change of the focused
    // control's description.
    void aCompletionIsToldToTheFocusedControl() {
        d->control<QLineEdit>("PWD")->clear();
        d->control("Nm00")->setFocus(Qt::TabFocusReason);
        descriptionChanges.clear();
        d->click({"Answer"});
        const QString memo = QStringLiteral("あああああ　").repeated(4);
        QVERIFY(descriptionChanges.join('\n').contains("Nm00: そうさめも " + memo +
                                                       "、助言ランク： 1。"));
    }
};

QTEST_MAIN(AccessibilityTest)
#include "accessibility_test.moc"
