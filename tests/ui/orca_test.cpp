// What the Orca screen reader says of the window, in its own words: the test runs under
// scripts/orca-session.sh, presses keys on the X server as a player does, and reads what Orca
// spoke from its debug output. What it should say comes from the core.

#include "entry/memo_entry.h"
#include "entry/session.h"
#include "ui/appearance.h"
#include "ui/qt_text.h"
#include "window_driver.h"

#include <QProcess>
#include <QRegularExpression>

#include <memory>

using namespace pelio;
using pelio::ui::qs;
using pelio::ui::u16;

namespace {

// Everything Orca has said so far, an utterance a line.
QStringList spoken() {
    QFile log(qEnvironmentVariable("PELIO_ORCA_LOG"));
    if (!log.open(QIODevice::ReadOnly))
        return {};
    static const QRegularExpression line(QStringLiteral("SPEECH OUTPUT: '(.*?)' ?[{\\[]"));
    QStringList said;
    for (auto match = line.globalMatch(QString::fromUtf8(log.readAll())); match.hasNext();)
        said << match.next().captured(1);
    return said;
}

// Keys pressed on the X server, as xdotool names them: "key ctrl+Return", "keydown Return".
// The window takes them in meanwhile.
void x(const QString& command, const QStringList& keys) {
    QProcess xdotool;
    xdotool.start("xdotool", QStringList{command, "--delay", "150"} + keys);
    QTRY_VERIFY_WITH_TIMEOUT(xdotool.state() == QProcess::NotRunning, 60000);
    QCOMPARE(xdotool.exitCode(), 0);
}

} // namespace

class OrcaTest : public QObject {
    Q_OBJECT

    std::unique_ptr<pelio::ui::Pelio> window;
    std::unique_ptr<WindowDriver> d;
    qsizetype heardBefore = 0;

    // Waits for Orca to say `text`, or a line that holds it, after what it said before.
    bool heard(const QString& text) {
        QStringList said;
        for (QDeadlineTimer deadline(60000); !deadline.hasExpired(); QTest::qWait(100)) {
            said = spoken().mid(heardBefore);
            for (qsizetype at = 0; at < said.size(); ++at)
                if (said[at].contains(text))
                    return (heardBefore += at + 1) > 0;
        }
        qWarning().noquote() << "Orca said:" << said << "\nnot:" << text;
        return false;
    }
    StateRecord state() const { return window->state(); }
    MemoOutcome enterInMemo(const QString& text) const {
        StateRecord entered = state();
        return pressEnterInMemo(entered, u16(text));
    }

private slots:
    void initTestCase() {
        pelio::ui::applyAppearance();
        window = std::make_unique<pelio::ui::Pelio>();
        d = std::make_unique<WindowDriver>(*window);
        window->show();
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get(), 60000));
        QVERIFY(heard(window->windowTitle()));
    }

    // A held key acts once and its result is heard: Enter on a key writes one slot of the
    // name, Alt+N flips the page once. Alt+C leaves the menu bar as it was; 完了 is heard as the
    // memo and the rank it writes.
    void heldKeysActOnceShortcutsLeaveTheMenuBarAloneAndResultsAreHeard() {
        for (const char* key : {"Return", "alt+n"}) {
            x("keydown", {key});
            QTest::qWait(1500);
            x("keyup", {key});
        }
        QVERIFY(heard(qs(nameBoxSpokenText(state(), 1))));
        QVERIFY(heard(d->text("Lab_Pag")));
        QCOMPARE(state().nameCursor, 1);
        QCOMPARE(state().flagPage, 1);
        x("key", {"alt+c", "ctrl+Return"});
        QTRY_VERIFY_WITH_TIMEOUT(!state().writtenMemo.empty(), 60000);
        QVERIFY(heard(qs(spokenResults(shownResults(state())))));
        QCOMPARE(window->menuBar()->activeAction(), nullptr);
    }

    // A slip is heard as why it does not read and how many memos are offered, focus staying in
    // the box; Down reads the first memo offered, and Enter on it what it reads as.
    void reasonsAndChoicesAreSpoken() {
        // The memo written, one kana left out, after a new start.
        QString slipped = qs(state().writtenMemo).remove(QChar(u'　'));
        slipped.chop(1);
        x("key", {"alt+c"});
        QTRY_VERIFY_WITH_TIMEOUT(state().writtenMemo.empty(), 60000);
        d->typeInMemoBox(slipped); // as an input method commits it: xdotool may drop a kana
        const qsizetype beforeEnter = heardBefore;
        x("key", {"Return"});
        const MemoOutcome refused = enterInMemo(slipped);
        QVERIFY(heard(qs(refused.announced)));
        QCOMPARE(QApplication::focusWidget()->objectName(), QString("PWD"));
        QVERIFY(!spoken().mid(beforeEnter).join('\n').contains(qs(refused.fixes[0].spoken)));

        x("key", {"Down"});
        QVERIFY(heard(qs(refused.fixes[0].spoken)));
        const MemoOutcome read = enterInMemo(qs(refused.fixes[0].memo));
        x("key", {"Return"});
        QVERIFY(heard(qs(spokenResults(read.results))));
    }
};

QTEST_MAIN(OrcaTest)
#include "orca_test.moc"
