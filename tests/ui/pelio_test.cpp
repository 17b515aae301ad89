// The main window binds the core's rules to its controls: these tests click and type as a
// player does and check what the window shows. The rules themselves are the core's tests.

#include "ui/pelio.h"

#include "memo/memo_text.h"
#include "ui/about/pel_ver.h"
#include "ui/appearance.h"
#include "ui/command_line.h"
#include "window_driver.h"

#include <QAccessible>
#include <QBitmap>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSet>
#include <QStandardPaths>
#include <QTimer>

#include <cmath>
#include <memory>

using pelio::ui::Pel_Ver;
using pelio::ui::Pelio;

namespace {
// The contrast of two colours, as the accessibility guidelines count it.
double contrast(QColor a, QColor b) {
    const auto luminance = [](QColor c) {
        const auto linear = [](double v) {
            return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) +
               0.0722 * linear(c.blueF()) + 0.05;
    };
    return std::max(luminance(a), luminance(b)) / std::min(luminance(a), luminance(b));
}

// The spoken names of the controls shown below `node`; panels that hold controls need none, and
// a notification is what was last said, not a control.
void collectNames(QAccessibleInterface* node, QStringList& names) {
    for (int i = 0; i < node->childCount(); ++i) {
        QAccessibleInterface* child = node->child(i);
        if (child->state().invisible || child->role() == QAccessible::Notification)
            continue;
        if (child->childCount() == 0)
            names << child->text(QAccessible::Name);
        collectNames(child, names);
    }
}

const QString kBlankResults =
    QStringLiteral("|助言ランク：|事務所：|まいあさＴＶ：|なんば花月：|競艇場：|道頓堀：|"
                   "居酒屋みどり：|千里が丘：|ともろう：");
} // namespace

class PelioTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Pelio> window;
    std::unique_ptr<WindowDriver> d;

    QCheckBox* box(const char* name) const { return d->control<QCheckBox>(name); }
    QStringList checked() const {
        QStringList names;
        for (const QCheckBox* flagBox : window->findChildren<QCheckBox*>())
            if (flagBox->isChecked())
                names << flagBox->objectName();
        return names;
    }
    QString focusName() const { return d->focused()->objectName(); }

private slots:
    void initTestCase() {
        pelio::ui::applyAppearance();
        QStandardPaths::setTestModeEnabled(true);
    }
    void init() {
        window = firstRunWindow();
        QVERIFY(window);
        d = std::make_unique<WindowDriver>(*window);
    }
    void cleanup() {
        d.reset();
        window.reset();
    }

    void startsEmptyOnPageOneWithItsControlsInPlace() {
        QCOMPARE(window->windowTitle(), QStringLiteral("ぺりおのひらき"));
        QCOMPARE(window->centralWidget()->size(), QSize(647, 378));
        QCOMPARE(d->nameBoxes(), QStringLiteral("？？？？"));
        QCOMPARE(d->results(), kBlankResults);
        QCOMPARE(d->text("Lab_Pag"), QStringLiteral("次のページへ"));
        QCOMPARE(checked(), QStringList());
        QCOMPARE(focusName(), QStringLiteral("Nm00"));
        QTRY_COMPARE(window->windowIcon().availableSizes(),
                     (QList<QSize>{{32, 32}, {64, 64}, {128, 128}, {256, 256}}));
        // One control of each kind the window places from the layout, in pixels.
        const std::pair<const char*, QRect> places[]{
            {"Nm3F", {160, 136, 17, 17}},
            {"Chk_Khk", {328, 144, 97, 17}},
            {"Allset", {416, 208, 105, 17}},
            {"Lab_Sen", {72, 344, 129, 17}},
        };
        for (const auto& [name, place] : places)
            QVERIFY2(d->control(name)->geometry() == place, name);
    }

    // Keys, input and backspace reach the name; a typed kana and an input method's text act
    // as their keys. The boxes only display it.
    void theNameFollowsKeysTypingAndBackspace() {
        d->click({"Nm3F", "Nm00", "Nm_Inpt", "Nm01", "Nm_Inpt", "Nm_Inpt", "Nm_Back", "Nm_Back"});
        QCOMPARE(d->nameBoxes(), QStringLiteral("あ[い]い？"));
        d->type(QStringLiteral("が"));
        QCOMPARE(d->nameBoxes(), QStringLiteral("あか[゛]？"));
        QCOMPARE(d->control("Namtext3")->accessibleDescription(),
                 QStringLiteral("濁点１、カーソル"));
        QInputMethodEvent input;
        input.setCommitString(QStringLiteral("ぶ"));
        QCoreApplication::sendEvent(d->control("Nm00"), &input);
        d->press("Backspace");
        QCOMPARE(d->nameBoxes(), QStringLiteral("あか゛[ぶ]"));
        auto* slot = d->control<QLabel>("Namtext1");
        QCOMPARE(slot->textInteractionFlags(), Qt::NoTextInteraction);
        QVERIFY(!QAccessible::queryAccessibleInterface(slot)->editableTextInterface());
    }

    // Focus leaves only a box the switch hides, for the first box of the page shown, and
    // never falls into the memo box, where the next key would replace the memo.
    void pageSwitchKeepsTicksAndNeverDropsFocusIntoTheMemoBox_data() {
        QTest::addColumn<QString>("focused");
        QTest::addColumn<QString>("switchBy");
        QTest::addColumn<QStringList>("focusAfter");
        QTest::newRow("last box, mouse") << "Chk_Tak"
                                         << "click" << QStringList{"Chk_Hot", "Chk_Lgt"};
        QTest::newRow("first box, shortcut") << "Chk_Lgt"
                                             << "Alt+N" << QStringList{"Chk_Hot", "Chk_Lgt"};
        QTest::newRow("the switch, Space") << "Lab_Pag"
                                           << "Space" << QStringList{"Lab_Pag", "Lab_Pag"};
        QTest::newRow("完了, shortcut") << "Answer"
                                        << "Alt+N" << QStringList{"Answer", "Answer"};
    }
    void pageSwitchKeepsTicksAndNeverDropsFocusIntoTheMemoBox() {
        QFETCH(QString, focused);
        QFETCH(QString, switchBy);
        QFETCH(QStringList, focusAfter);
        d->click({"Chk_Lgt", "Answer"});
        const QString memo = d->text("PWD");
        d->control(focused)->setFocus(Qt::TabFocusReason);
        for (const auto& [shown, hidden] :
             {std::pair{"Chk_Hot", "Chk_Lgt"}, {"Chk_Lgt", "Chk_Hot"}}) {
            switchBy == "click" ? d->click({"Lab_Pag"}) : d->press(switchBy);
            QCOMPARE(focusName(), focusAfter.takeFirst());
            QVERIFY(box(shown)->isVisible() && !box(hidden)->isVisible());
        }
        QCOMPARE(d->text("Lab_Pag"), QStringLiteral("次のページへ"));
        QCOMPARE(checked(), QStringList{"Chk_Lgt"});
        d->press("Space, Return"); // at most ticks the focused box
        QCOMPARE(d->text("PWD"), memo);
        QCOMPARE(window->state().progressFlags.count(), checked().size());
    }

    // A click anywhere in a box's rectangle ticks it, as on the platform the layout comes from.
    void aClickAnywhereInACheckBoxTicksIt() {
        d->click({"Lab_Pag"});
        QTest::mouseClick(box("Chk_Srk"), Qt::LeftButton, {}, QPoint(60, 8));
        QCOMPARE(checked(), QStringList{"Chk_Srk"});
    }

    // From typed kana to a memo in the clipboard without touching the mouse; set-all, the
    // completion and the reset reach every control they should.
    void theKeyboardAloneGoesFromANameToACopiedMemo() {
        d->type(QStringLiteral("たん"));
        d->press("Down, Down, Down, Right, Right, Right, Return"); // て, on the grid
        d->type(QStringLiteral("イ"));
        d->press("Tab, Space, Alt+N, Space, Alt+N, Alt+A, Ctrl+Return");
        QCOMPARE(checked().size(), 46);
        const QString memo = QString::fromStdU16String(
            pelio::memoText(pelio::encodeMemo({15, 45, 18, 1}, window->state().progressFlags)));
        QCOMPARE(d->results(), memo + "|助言ランク： 5|事務所：|まいあさＴＶ：休憩中|"
                                      "なんば花月：みさね|競艇場：|道頓堀：|居酒屋みどり：たぬも|"
                                      "千里が丘：|ともろう：失踪");
        for (int tabs = 0; tabs < 40 && focusName() != "PWD"; ++tabs)
            d->press("Tab");
        d->press("Ctrl+C");
        QCOMPARE(QGuiApplication::clipboard()->text(), memo);

        d->press("Backspace"); // the memo box keeps its own keys
        QCOMPARE(d->nameBoxes(), QStringLiteral("たんて[い]"));
        d->press("Alt+C");
        QCOMPARE(d->nameBoxes(), QStringLiteral("？？？？"));
        QCOMPARE(d->results(), kBlankResults);
        QCOMPARE(checked(), QStringList());
    }

    // Whatever a key would act on shows it, however focus came there: on the commands, rings
    // that stand out 3:1 from both the fill and the black window around; on a check box focused
    // by a shortcut after a click; on the version dialog's button.
    void focusShowsOnEveryControlAKeyWouldActOn() {
        for (const char* name : {"Answer", "Nm_Clear", "Allset", "Lab_Pag", "Nm_Inpt", "Nm04"}) {
            QWidget* button = d->control(name);
            const int middle = button->height() / 2;
            const QColor fill = button->grab().toImage().pixelColor(1, middle);
            button->setFocus(Qt::TabFocusReason);
            const QImage focused = button->grab().toImage();
            QVERIFY2(contrast(focused.pixelColor(0, middle), Qt::black) >= 3, name);
            QVERIFY2(contrast(focused.pixelColor(2, middle), fill) >= 3, name);
        }
        d->click({"Chk_Lgt"});
        const QImage unfocused = box("Chk_Hot")->grab().toImage();
        d->press("Alt+N");
        QVERIFY(box("Chk_Hot")->hasFocus() && box("Chk_Hot")->grab().toImage() != unfocused);
        d->click({"Abot_sm"});
        auto* button = d->control<Pel_Ver>("Pel_Ver")->findChild<QPushButton*>("Pel_Vbt");
        QTRY_VERIFY(button->hasFocus());
        const QImage focusedButton = button->grab().toImage();
        button->clearFocus();
        QVERIFY(button->grab().toImage() != focusedButton);
    }

    // A key held down acts once, its repeats unmarked as a screen reader passes them on; keypad
    // Enter is Enter; the arrows move by the places on screen, among the check boxes too, and
    // with a modifier do not leave the grid.
    void keysActOncePerPressAndArrowsFollowTheScreen() {
        const auto hold = [this](const char* name, Qt::Key key, Qt::KeyboardModifiers modifiers) {
            for (int press = 0; press < 3; ++press)
                QTest::keyPress(d->focused(), key, modifiers);
            QTest::keyRelease(d->focused(), key, modifiers);
            QCOMPARE(focusName(), QString(name));
        };
        d->click({"Nm03"});
        d->control("Nm_Inpt")->setFocus(Qt::TabFocusReason);
        hold("Nm_Inpt", Qt::Key_Return, {});
        QTest::keyClick(d->focused(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(d->nameBoxes(), QStringLiteral("え[え]？？"));
        d->control("Lab_Pag")->setFocus(Qt::TabFocusReason);
        hold("Lab_Pag", Qt::Key_N, Qt::AltModifier);
        QCOMPARE(d->text("Lab_Pag"), QStringLiteral("前のページへ"));
        hold("Lab_Pag", Qt::Key_Space, {}); // a button acts as Space is released
        box("Chk_Gue")->setFocus(Qt::TabFocusReason);
        d->press("Right");
        QCOMPARE(focusName(), QStringLiteral("Chk_Jkt"));
        box("Chk_Lgt")->setFocus(Qt::TabFocusReason);
        d->press("Up, Ctrl+Down, Down");
        QCOMPARE(focusName(), QStringLiteral("Chk_Ctc"));
        d->control("Nm00")->setFocus(Qt::TabFocusReason);
        d->press("Ctrl+Right, Shift+Down, Alt+Left");
        QCOMPARE(focusName(), QStringLiteral("Nm00"));
        QTest::keyClick(d->focused(), Qt::Key_Enter, Qt::ControlModifier | Qt::KeypadModifier);
        QCOMPARE(d->text("Lab_Gam"), QStringLiteral("助言ランク： 1"));
        QCOMPARE(d->control("Answer")->toolTip(), QStringLiteral("Ctrl+Enter"));
    }

    // Every control says what it is, and no two say the same, the notice bar's and the
    // notebook's included; the dividing lines and the version picture are no controls at all.
    void everyControlHasItsOwnSpokenName() {
        d->click({"Answer", "Nm_Clear", "PWD_Log", "Abot_sm"});
        for (QWidget* top :
             {static_cast<QWidget*>(window.get()),
              static_cast<QWidget*>(d->control<Pel_Ver>("Pel_Ver")), d->control("Log_Win")}) {
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

    // Assistive technology lists the controls in reading order, area by area, whatever has had
    // focus since.
    void screenReadersListTheControlsInReadingOrder() {
        const auto listed = [this] {
            QStringList names;
            QAccessibleInterface* area =
                QAccessible::queryAccessibleInterface(d->control("Nm00")->parentWidget());
            for (int i = 0; i < area->childCount(); ++i)
                names << area->child(i)->object()->objectName();
            return names;
        };
        const QStringList before = listed();
        const QStringList reading{"Namtitle", "Namtext4", "Nm00",    "Nm3F",   "Nm_Inpt",
                                  "Itmtitle", "Chk_Khk",  "Lab_Pag", "Answer", "Allset",
                                  "Pwtitle",  "PWD",      "Lab_Gam", "Lab_Tom"};
        for (qsizetype i = 0; i + 1 < reading.size(); ++i)
            QVERIFY2(before.indexOf(reading[i]) < before.indexOf(reading[i + 1]),
                     qPrintable(reading[i]));
        d->press("Right, Right, Right, Right, Tab, Tab, Tab");
        QCOMPARE(listed(), before);
    }

    void f10OrAltArmsTheMenuBarWithTheItemMarked() {
        QMenuBar* bar = window->menuBar();
        for (Qt::Key key : {Qt::Key_F10, Qt::Key_Alt}) {
            QTest::keyClick(d->focused(), key);
            QTRY_VERIFY(bar->activeAction());
            QCOMPARE(bar->activeAction()->objectName(), QStringLiteral("Quit_sm"));
            const QRect item = bar->actionGeometry(bar->activeAction());
            QCOMPARE(bar->grab().toImage().pixelColor(item.left() + 2, item.center().y()),
                     bar->palette().color(QPalette::Highlight));
            d->press("Esc");
            QCOMPARE(focusName(), QStringLiteral("Nm00"));
        }
        d->press("F10");
        QTRY_VERIFY(bar->activeAction());
        d->press("Right, Return");
        QVERIFY(d->control<Pel_Ver>("Pel_Ver")->isVisible());
    }

    // Enter, 完了 or Ctrl+Enter reads a typed or pasted memo into the name and both pages, and
    // completes. None of them reads back the memo last written, not even after an edit that
    // changes nothing to be seen, which would undo the ticks made since.
    void theMemoBoxReadsWhatThePlayerPutThere_data() {
        QTest::addColumn<QString>("read");
        QTest::newRow("Enter") << "Return";
        QTest::newRow("完了") << "Answer";
        QTest::newRow("Ctrl+Enter") << "Ctrl+Return";
    }
    void theMemoBoxReadsWhatThePlayerPutThere() {
        QFETCH(QString, read);
        const auto readTheBox = [&] { read == "Answer" ? d->click({read}) : d->press(read); };
        d->click({"Nm05", "Chk_Lgt", "Lab_Pag"});
        d->typeInMemoBox(QStringLiteral("イアウエア ナアチアアアアアチアチアアアア"));
        readTheBox();
        QCOMPARE(d->nameBoxes(), QStringLiteral("いうえ[お]"));
        QCOMPARE(checked(), QStringList());
        QCOMPARE(d->results().section('|', 0, 1),
                 QStringLiteral("いあうえあ　なあちああ　あああちあ　ちああああ　|助言ランク： 1"));

        d->click({"Chk_Hot"});
        d->control("PWD")->setFocus();
        d->press("End, Backspace"); // the invisible space after the last group
        readTheBox();
        QCOMPARE(checked(), QStringList{"Chk_Hot"});

        QGuiApplication::clipboard()->setText(
            QStringLiteral("ああちあち\r\nちみたたた\r\nみきへねに\r\nたたたつた"));
        d->control("PWD")->setFocus();
        d->press("Ctrl+A, Ctrl+V");
        readTheBox();
        QCOMPARE(checked().size(), 46);
    }

    // A memo that does not read stays in the box in red, with why, until it is edited or the
    // entry is cleared; nothing else changes, 完了 included. The memos near a slip are offered
    // below, and choosing one, by keyboard or mouse, reads it.
    void aSlipStaysWithWhyAndTheMemosNearItToChoose() {
        d->click({"Nm01", "Nm_Inpt", "Chk_Tel", "Answer"});
        const QString before = d->results();
        const QString meant = QStringLiteral("いああああ　あちちあい　ああああち　のああああ　");
        QString typo = meant;
        typo[18] = u'ね';
        auto* memo = d->control<QLineEdit>("PWD");
        auto* reason = d->control<QLabel>("Lab_Rsn");
        QListWidget* fixes = nullptr; // built when the first memos are offered
        for (const char* clearedBy : {"", "Nm_Clear"}) {
            d->typeInMemoBox(typo);
            d->click({"Answer"});
            fixes = d->control<QListWidget>("PWD_Fix");
            QCOMPARE(memo->text(), typo);
            QCOMPARE(memo->palette().color(QPalette::Text), QColor(255, 96, 96));
            QVERIFY(reason->isVisible() && reason->text().contains(QStringLiteral("チェック")));
            QVERIFY(memo->accessibleDescription().startsWith(reason->text()));
            // Over the memos offered, how many there are; under them, what to do.
            const QString heading = d->text("Fix_Head");
            QVERIFY(d->control("Fix_Head")->isVisible() && d->control("Fix_Hint")->isVisible());
            QVERIFY(memo->accessibleDescription().endsWith(heading + "。"));
            QCOMPARE(d->nameBoxes(), QStringLiteral("[い]？？？"));
            QCOMPARE(checked(), QStringList{"Chk_Tel"});
            QCOMPARE(d->results().section('|', 1), before.section('|', 1));
            // The list lies over the rank and the hints, hidden for assistive technology too.
            QVERIFY(fixes->isVisible() && !d->control("Lab_Gam")->isVisible());
            QCOMPARE(fixes->count(), 4);
            QVERIFY(fixes->item(0)->text().startsWith(meant));
            // Each says on a line of its own what sets it apart from the others.
            QSet<QString> apart;
            for (int i = 0; i < fixes->count(); ++i)
                apart << fixes->item(i)->text().section('\n', 1);
            QVERIFY(!apart.contains(QString()) && apart.size() == fixes->count());
            *clearedBy ? d->click({clearedBy}) : QTest::keyClick(memo, Qt::Key_Backspace);
            QCOMPARE(memo->palette().color(QPalette::Text), QColor(255, 255, 255));
            QTRY_VERIFY(memo->accessibleDescription().isEmpty() && !reason->isVisible());
            QVERIFY(!fixes->isVisible() && d->control("Lab_Gam")->isVisible());
        }
        d->press("Return"); // an empty box says what it wants too
        QVERIFY(reason->isVisible() && reason->text().contains(QStringLiteral("２０文字")));

        d->click({"Nm01", "Nm_Inpt", "Chk_Lgt"});
        d->enterMemo(typo);
        d->press("Down");
        // The changed kana keeps its mark in the highlight colour: behind it on the line chosen,
        // under it on the others; only the line chosen is painted as chosen.
        const auto markHeight = [&](int row) {
            const QImage line =
                fixes->viewport()->grab(fixes->visualItemRect(fixes->item(row))).toImage();
            return QRegion(QBitmap::fromImage(
                               line.createMaskFromColor(qRgb(0, 255, 255), Qt::MaskOutColor)))
                .boundingRect()
                .height();
        };
        QCOMPARE(fixes->currentRow(), 0);
        QVERIFY(markHeight(0) > 2);
        QVERIFY(markHeight(1) > 0 && markHeight(1) <= 2);
        d->press("Return");
        QTRY_COMPARE(memo->text(), meant);
        QCOMPARE(checked(), (QStringList{"Chk_Lgt", "Chk_Tel"}));
        QVERIFY(!fixes->isVisible() && !reason->isVisible());
        QCOMPARE(focusName(), QStringLiteral("PWD"));

        d->enterMemo(typo);
        const QString second = fixes->item(1)->text().left(meant.size());
        QTest::mouseClick(fixes->viewport(), Qt::LeftButton, {},
                          fixes->visualItemRect(fixes->item(1)).center());
        QTRY_COMPARE(memo->text(), second);
    }

    // A completion's note on a name slot that shows nothing is no warning.
    void aCompletionsNoteIsNotRed() {
        d->click({"Nm01", "Nm_Inpt", "Answer"});
        auto* reason = d->control<QLabel>("Lab_Rsn");
        QVERIFY(reason->isVisible());
        QCOMPARE(reason->palette().color(QPalette::WindowText), QColor(255, 255, 255));
    }

    // クリア is undone by its notice's button or by Ctrl+Z: the name, the ticks, the results
    // and the memo box come back. In the memo box Ctrl+Z stays the box's own.
    void clearIsUndoneByItsNoticeOrCtrlZ() {
        d->click({"Nm01", "Nm_Inpt", "Chk_Lgt", "Answer"});
        d->typeInMemoBox(QStringLiteral("いあ"));
        const QString before = d->nameBoxes() + d->results();
        for (const QString undoBy : {"Pel_Note_Button", "Ctrl+Z"}) {
            d->click({"Nm_Clear"});
            QCOMPARE(d->text("Pel_Note_Button"), QStringLiteral("もとにもどす"));
            d->control("Nm00")->setFocus();
            undoBy == "Ctrl+Z" ? d->press(undoBy) : d->click({undoBy});
            QCOMPARE(d->nameBoxes() + d->results(), before);
            QCOMPARE(checked(), QStringList{"Chk_Lgt"});
        }
        d->click({"Nm_Clear"});
        d->typeInMemoBox(QStringLiteral("う"));
        d->press("Ctrl+Z");
        QCOMPARE(d->text("PWD"), QString());
        QCOMPARE(d->nameBoxes(), QStringLiteral("？？？？"));
    }

    // The notebook by keyboard alone: opened from anywhere, an entry taken out and put back,
    // one chosen and read as Enter would read it; Escape closes it.
    void theNotebookWorksByKeyboardAlone() {
        d->click({"Nm01", "Nm_Inpt", "Answer"});
        const QString older = d->text("PWD");
        d->click({"Chk_Lgt", "Answer"});
        d->press("Ctrl+L");
        auto* notebook = d->control<QDialog>("Log_Win");
        auto* list = d->control<QListWidget>("Log_List");
        QTRY_COMPARE(d->focused(), list);
        QCOMPARE(list->count(), 2);
        QVERIFY(list->item(0)->text().startsWith(d->text("PWD")));
        d->press("Delete");
        QCOMPARE(list->count(), 1);
        d->press("Ctrl+Z");
        QCOMPARE(list->count(), 2);
        d->press("Down, Return");
        QTRY_VERIFY(!notebook->isVisible() && window->isActiveWindow());
        QCOMPARE(d->text("PWD"), older);
        QCOMPARE(checked(), QStringList());
        d->press("Ctrl+L");
        QTRY_COMPARE(d->focused(), list);
        d->press("Escape");
        QVERIFY(!notebook->isVisible());
    }

    // Two windows on one data folder: each one's memos reach the other's notebook.
    void twoWindowsKeepEachOthersMemos() {
        Pelio other;
        other.show();
        d->click({"Nm01", "Nm_Inpt", "Answer"});
        WindowDriver(other).click({"Nm02", "Nm_Inpt", "Answer"});
        QTest::qWait(0);
        d->click({"PWD_Log"});
        QTRY_COMPARE(d->control<QListWidget>("Log_List")->count(), 2);
    }

    // A notebook file that cannot be read is put aside, and the window says where.
    void aDamagedNotebookIsPutAsideAndTold() {
        QFile file(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
                   "/notebook.txt");
        QVERIFY(QDir().mkpath(QFileInfo(file).path()) && file.open(QIODevice::WriteOnly));
        file.write("\xff\xfe");
        file.close();
        d->click({"Answer"});
        QVERIFY(d->control("Pel_Note")->isVisible());
        QVERIFY(d->text("Pel_Note_Text").contains("notebook-"));
    }

    // The window starts empty; the entry the last run left comes back, all of it, at a word.
    void theLastRunsEntryComesBackAtAWord() {
        d->click({"Nm01", "Nm_Inpt", "Chk_Lgt", "Lab_Pag"});
        d->typeInMemoBox(QStringLiteral("いあう"));
        const QString before = d->nameBoxes() + d->results() + d->text("Lab_Pag");
        QTest::qWait(0);
        window = std::make_unique<Pelio>();
        d = std::make_unique<WindowDriver>(*window);
        window->show();
        QCOMPARE(d->nameBoxes(), QStringLiteral("？？？？"));
        QCOMPARE(d->text("Pel_Note_Button"), QStringLiteral("前回の入力を戻す"));
        d->click({"Pel_Note_Button"});
        QCOMPARE(d->nameBoxes() + d->results() + d->text("Lab_Pag"), before);
        QCOMPARE(checked(), QStringList{"Chk_Lgt"});
    }

    // `pelio MEMO` reads the memo as Enter would, given whole or in its groups; one that does
    // not read stays in the box with why.
    void aMemoGivenAtStartIsRead() {
        d->click({"Nm01", "Nm_Inpt", "Chk_Lgt", "Answer"});
        const QString memo = d->text("PWD");
        d->click({"Nm_Clear"});
        window->readMemo(
            pelio::ui::memoArgument(QStringList{"pelio"} + memo.split(u'　', Qt::SkipEmptyParts)));
        QCOMPARE(d->text("PWD"), memo);
        QCOMPARE(checked(), QStringList{"Chk_Lgt"});
        window->readMemo(pelio::ui::memoArgument({"pelio", QStringLiteral("いあう")}));
        QCOMPARE(d->text("PWD"), QStringLiteral("いあう"));
        QVERIFY(d->control("Lab_Rsn")->isVisible());
    }

    void aPasteTooLongForTheBoxIsRefusedWholeWithItsLength() {
        d->click({"Answer"});
        auto* memo = d->control<QLineEdit>("PWD");
        const QString shown = memo->text();
        QGuiApplication::clipboard()->setText(QString(100000, u'ま'));
        memo->setFocus();
        d->press("Ctrl+A, Ctrl+V");
        QCOMPARE(memo->text(), shown);
        QVERIFY(d->control<QLabel>("Lab_Rsn")->text().contains(QStringLiteral("１０００００文字")));

        // The same from the box's menu, whose texts are Japanese like the rest.
        int pasted = 0;
        QTimer::singleShot(0, this, [&pasted] {
            auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            QVERIFY(menu);
            for (QAction* action : menu->actions()) {
                if (action->text().startsWith(QStringLiteral("貼り付け"))) {
                    action->trigger();
                    ++pasted;
                }
            }
            menu->close();
        });
        QContextMenuEvent menuEvent(QContextMenuEvent::Keyboard, QPoint(5, 5),
                                    memo->mapToGlobal(QPoint(5, 5)));
        QCoreApplication::sendEvent(memo, &menuEvent);
        QTRY_VERIFY(!QApplication::activePopupWidget());
        QCOMPARE(pasted, 1);
        QCOMPARE(memo->text(), shown);
    }

    // Every caption, and every reason beside the memo box, fits its control in a font that
    // has all its characters; beyond its fixed size the window stays black.
    void everyCaptionFitsAndTheWindowIsBlack() {
        auto* reason = d->control<QLabel>("Lab_Rsn");
        d->enterMemo(QString(200, u'あ') + QChar(0x202E)); // the longest reason there is
        QVERIFY(reason->contentsRect().contains(reason->fontMetrics().boundingRect(
            reason->contentsRect(), Qt::TextWordWrap, reason->text())));
        for (QWidget* widget : window->centralWidget()->findChildren<QWidget*>()) {
            auto* button = qobject_cast<QAbstractButton*>(widget);
            auto* label = qobject_cast<QLabel*>(widget);
            const QString caption = button ? button->text() : label ? label->text() : QString();
            const QFontMetrics metrics(widget->font());
            for (QChar c : caption)
                QVERIFY2(metrics.inFont(c), qPrintable(widget->objectName()));
            const int needed = qobject_cast<QCheckBox*>(widget)
                                   ? widget->sizeHint().width()
                                   : metrics.horizontalAdvance(caption);
            QVERIFY2(needed <= widget->width() || widget == reason,
                     qPrintable(widget->objectName()));
        }
        QWidget* background = window->centralWidget();
        background->resize(background->size() + QSize(100, 100));
        const QImage shown = background->grab().toImage();
        QCOMPARE(shown.pixelColor(shown.width() - 5, shown.height() - 5), QColor(0, 0, 0));
    }

    void aboutShowsOneDialogBesideTheWindowThatItsButtonHides() {
        window->move(window->screen()->availableGeometry().topLeft());
        d->click({"Abot_sm"});
        auto* dialog = d->control<Pel_Ver>("Pel_Ver");
        QVERIFY(!dialog->frameGeometry().intersects(window->frameGeometry()));
        d->click({"Nm00", "Nm_Inpt"}); // the main window still reacts
        QCOMPARE(d->nameBoxes(), QStringLiteral("[あ]？？？"));
        QTest::mouseClick(dialog->findChild<QPushButton*>("Pel_Vbt"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        d->click({"Abot_sm", "Abot_sm"});
        QVERIFY(dialog->isVisible());
        QCOMPARE(window->findChildren<Pel_Ver*>().size(), 1);
    }

    // The open version dialog keeps neither 終了 nor the close box from ending the program.
    void quitOrCloseEndsTheProgramWithTheDialogOpen_data() {
        QTest::addColumn<bool>("quit");
        QTest::newRow("quit") << true;
        QTest::newRow("close") << false;
    }
    void quitOrCloseEndsTheProgramWithTheDialogOpen() {
        QFETCH(bool, quit);
        d->click({"Abot_sm"});
        QTimer::singleShot(0, this, [&] { quit ? d->click({"Quit_sm"}) : (void)window->close(); });
        QTimer::singleShot(5000, [] { QApplication::exit(1); }); // would mean it kept running
        QCOMPARE(QApplication::exec(), 0);
        if (!quit)
            for (QWidget* topLevel : QApplication::topLevelWidgets())
                QVERIFY2(!topLevel->isVisible(), qPrintable(topLevel->objectName()));
    }
};

QTEST_MAIN(PelioTest)
#include "pelio_test.moc"
