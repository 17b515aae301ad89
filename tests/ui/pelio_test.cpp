#include "ui/pelio.h"

#include "memo/memo_text.h"
#include "ui/about/pel_ver.h"
#include "ui/appearance.h"
#include "window_driver.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QTimer>

#include <memory>

using pelio::ui::Pel_Ver;
using pelio::ui::Pelio;

namespace {
const QString kMemoOfIueo = QStringLiteral("いあうえあ　なあちああ　あああちあ　ちああああ　");
const QString kMemoOfAllFlags = QStringLiteral("ああちあち　ちみたたた　みきへねに　たたたつた　");
const QColor kWhite(255, 255, 255);

} // namespace

class PelioTest : public QObject {
    Q_OBJECT

    std::unique_ptr<Pelio> window;
    std::unique_ptr<WindowDriver> d;

    QCheckBox* box(const char* name) const { return d->control<QCheckBox>(name); }
    int checkedBoxes() const {
        int checked = 0;
        for (const QCheckBox* flagBox : window->findChildren<QCheckBox*>())
            checked += flagBox->isChecked() ? 1 : 0;
        return checked;
    }
    void enterName(std::initializer_list<int> codes) {
        for (int code : codes) {
            d->clickKey(code);
            d->click("Nm_Inpt");
        }
    }
    QString focusName() const { return d->focused()->objectName(); }

private slots:
    void initTestCase() { pelio::ui::applyAppearance(); }
    void init() {
        window = std::make_unique<Pelio>();
        d = std::make_unique<WindowDriver>(*window);
        window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
    }
    void cleanup() {
        d.reset();
        window.reset();
    }

    void startsEmptyOnPageOne() {
        QCOMPARE(window->windowTitle(), QStringLiteral("ぺりおのひらき"));
        QCOMPARE(window->centralWidget()->size(), QSize(647, 378));
        QCOMPARE(d->nameBoxes(), QStringLiteral("？？？？"));
        QCOMPARE(d->highlightedBox(), 0);
        QCOMPARE(d->results(),
                 QStringLiteral("|助言ランク：|事務所：|まいあさＴＶ：|なんば花月：|"
                                "競艇場：|道頓堀：|居酒屋みどり：|千里が丘：|ともろう："));
        QCOMPARE(d->text("Lab_Pag"), QStringLiteral("次のページへ"));
        int visible = 0;
        for (const QCheckBox* flagBox : window->findChildren<QCheckBox*>())
            visible += flagBox->isVisible() ? 1 : 0;
        QCOMPARE(visible, 28);
        QCOMPARE(checkedBoxes(), 0);
        QCOMPARE(focusName(), QStringLiteral("Nm00"));
        QCOMPARE(window->windowIcon().availableSizes(),
                 (QList<QSize>{{32, 32}, {64, 64}, {128, 128}, {256, 256}}));
    }

    void controlsStandWhereTheLayoutPutsThem() {
        const std::pair<const char*, QRect> twips[]{
            {"Nm00", {240, 840, 255, 255}},       {"Nm22", {1200, 2280, 255, 255}},
            {"Nm3F", {2400, 2040, 255, 255}},     {"Namtext4", {1800, 480, 255, 270}},
            {"Lab_Pag", {6960, 2640, 1215, 255}}, {"Allset", {6240, 3120, 1575, 255}},
            {"PWD", {2640, 3960, 4815, 375}},     {"Lab_Sen", {1080, 5160, 1935, 255}},
            {"Chk_Khk", {4920, 2160, 1455, 255}},
        };
        for (const auto& [name, place] : twips)
            QVERIFY2(d->control(name)->geometry() == QRect(place.x() / 15, place.y() / 15,
                                                           place.width() / 15, place.height() / 15),
                     name);
        // The right block of keys ends one short: its last cell is empty.
        QCOMPARE(
            window->findChildren<QAbstractButton*>(QRegularExpression("^Nm[0-3][0-9A-F]$")).size(),
            64);
        QVERIFY(!qobject_cast<QAbstractButton*>(
            window->centralWidget()->childAt(2640 / 15 + 8, 2040 / 15 + 8)));
        QCOMPARE(d->text("Nm3F"), QStringLiteral("SP"));
    }

    void nameBoxesShowTheSlotsAndMarkTheCurrentOne() {
        d->clickKey(0x3F); // a key alone changes nothing on screen
        QCOMPARE(d->nameBoxes(), QStringLiteral("？？？？"));
        enterName({0, 1});
        d->click("Nm_Inpt");
        QCOMPARE(d->nameBoxes(), QStringLiteral("あいい？"));
        QCOMPARE(d->highlightedBox(), 3);
        d->click("Nm_Back");
        d->click("Nm_Back");
        QCOMPARE(d->highlightedBox(), 2);
        QCOMPARE(d->nameBoxes(), QStringLiteral("あいい？"));
        // Displays only: nothing selects, edits or sets their text.
        auto* slot = d->control<QLabel>("Namtext1");
        QCOMPARE(slot->textInteractionFlags(), Qt::NoTextInteraction);
        QVERIFY(!QAccessible::queryAccessibleInterface(slot)->editableTextInterface());
    }

    void aClickAnywhereInACheckBoxTicksIt() {
        d->click("Lab_Pag");
        QTest::mouseClick(box("Chk_Srk"), Qt::LeftButton, {}, QPoint(60, 8));
        QVERIFY(window->state().progressFlags.isSet(pelio::flag("Chk_Srk")));
    }

    void pageSwitchShowsTheOtherPageAndKeepsTicks() {
        d->click("Chk_Lgt");
        d->click("Lab_Pag");
        QCOMPARE(d->text("Lab_Pag"), QStringLiteral("前のページへ"));
        QVERIFY(box("Chk_Hot")->isVisible() && !box("Chk_Lgt")->isVisible());
        d->click("Chk_Hot");
        d->click("Lab_Pag");
        QCOMPARE(d->text("Lab_Pag"), QStringLiteral("次のページへ"));
        QVERIFY(box("Chk_Lgt")->isVisible() && !box("Chk_Hot")->isVisible());
        QVERIFY(box("Chk_Lgt")->isChecked() && box("Chk_Hot")->isChecked());
        QCOMPARE(window->state().progressFlags.count(), 2);
    }

    // Focus leaves only a box the switch hides, for the first box of the page shown, and
    // never falls into the memo box, where the next key would replace the memo.
    void pageSwitchNeverDropsFocusIntoTheMemoBox_data() {
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
    void pageSwitchNeverDropsFocusIntoTheMemoBox() {
        QFETCH(QString, focused);
        QFETCH(QString, switchBy);
        QFETCH(QStringList, focusAfter);
        d->click("Answer");
        const QString memo = d->text("PWD");
        d->control(focused)->setFocus(Qt::TabFocusReason);
        for (const QString& expected : focusAfter) {
            switchBy == "click" ? d->click("Lab_Pag") : d->press(switchBy);
            QCOMPARE(focusName(), expected);
        }
        d->press("Space");
        d->press("Return");
        QCOMPARE(d->text("PWD"), memo);
    }

    // From typed kana to a memo in the clipboard without touching the mouse.
    void theKeyboardAloneGoesFromANameToACopiedMemo() {
        d->type(QStringLiteral("たん"));                           // typed kana
        d->press("Down, Down, Down, Right, Right, Right, Return"); // て on the grid
        QInputMethodEvent input;
        input.setCommitString(QStringLiteral("イ"));
        QCoreApplication::sendEvent(d->focused(), &input);
        QCOMPARE(d->nameBoxes(), QStringLiteral("たんてい"));

        d->press("Tab, Space, Alt+N, Space, Alt+N, Alt+A, Ctrl+Return");
        QCOMPARE(checkedBoxes(), 46);
        for (int tabs = 0; tabs < 40 && focusName() != "PWD"; ++tabs)
            d->press("Tab");
        QCOMPARE(focusName(), QStringLiteral("PWD"));
        d->press("Ctrl+C");
        const QString memo = QString::fromStdU16String(
            pelio::memoText(pelio::encodeMemo({15, 45, 18, 1}, window->state().progressFlags)));
        QCOMPARE(QGuiApplication::clipboard()->text(), memo);

        d->press("Backspace, Alt+C"); // the memo box keeps its own keys
        QCOMPARE(d->nameBoxes(), QStringLiteral("？？？？"));
        QCOMPARE(checkedBoxes(), 0);
    }

    void f10OrAltArmsTheMenuBarWithTheItemMarked() {
        for (Qt::Key key : {Qt::Key_F10, Qt::Key_Alt}) {
            QTest::keyClick(d->focused(), key);
            QTRY_VERIFY(window->menuBar()->activeAction());
            QCOMPARE(window->menuBar()->activeAction()->objectName(), QStringLiteral("Quit_sm"));
            const QImage bar = window->menuBar()->grab().toImage();
            const QRect item = window->menuBar()->actionGeometry(window->menuBar()->activeAction());
            const QColor highlight = window->menuBar()->palette().color(QPalette::Highlight);
            QCOMPARE(bar.pixelColor(item.left() + 2, item.center().y()), highlight);
            d->press("Esc");
            QCOMPARE(focusName(), QStringLiteral("Nm00"));
        }
        d->press("F10");
        QTRY_VERIFY(window->menuBar()->activeAction());
        d->press("Right, Return");
        QVERIFY(d->control<Pel_Ver>("Pel_Ver")->isVisible());
    }

    void tickingChangesNoResultUntilCompletion() {
        d->click("Answer");
        const QString before = d->results();
        d->click("Chk_Lgt");
        QCOMPARE(d->results(), before);
        d->click("Answer");
        QCOMPARE(d->text("PWD"),
                 QStringLiteral("あああああ　ああちあい　あああああ　ちああああ　"));
    }

    void setAllTicksBothPagesAndCompletes() {
        d->click("Allset");
        d->click("Allset");
        QCOMPARE(checkedBoxes(), 46);
        QCOMPARE(window->state().progressFlags.count(), 46);
        QCOMPARE(d->text("Lab_Pag"), QStringLiteral("次のページへ"));
        d->click("Answer");
        QCOMPARE(d->results(), kMemoOfAllFlags + "|助言ランク： 5|事務所：|まいあさＴＶ：休憩中|"
                                                 "なんば花月：みさね|競艇場：|道頓堀：|"
                                                 "居酒屋みどり：たぬも|千里が丘：|ともろう：失踪");
        d->click("Chk_Lgt");
        QVERIFY(!window->state().progressFlags.isSet(pelio::flag("Chk_Lgt")));
    }

    void hintsFollowTheTicksOfThisCompletionOnly() {
        d->click("Lab_Pag");
        d->click("Chk_Pnd");
        d->click("Answer");
        QCOMPARE(d->text("Lab_Dou"), QStringLiteral("道頓堀：蒼丸"));
        d->click("Chk_Aok");
        d->click("Answer");
        QCOMPARE(d->text("Lab_Dou"), QStringLiteral("道頓堀："));
    }

    void resetClearsEntryAndKeepsNameCodesPendingKeyAndPage() {
        enterName({1, 2, 3, 4});
        d->clickKey(5);
        d->click("Allset");
        d->click("Lab_Pag");
        d->click("Answer");

        d->click("Nm_Clear");
        d->click("Nm_Clear");
        QCOMPARE(d->nameBoxes(), QStringLiteral("？？？？"));
        QCOMPARE(d->highlightedBox(), 0);
        QCOMPARE(d->results().section('|', 0, 2), QStringLiteral("|助言ランク：|事務所："));
        QCOMPARE(d->text("Lab_Tom"), QStringLiteral("ともろう："));
        QCOMPARE(d->text("Lab_Pag"), QStringLiteral("前のページへ"));
        QCOMPARE(checkedBoxes(), 0);
        QCOMPARE(window->state().progressFlags.count(), 0);

        d->click("Answer"); // still the name entered before the reset
        QCOMPARE(d->text("PWD"), kMemoOfIueo);
        d->click("Nm_Inpt"); // the key chosen before the reset goes into slot 1
        QCOMPARE(d->nameBoxes(), QStringLiteral("か？？？"));
    }

    void typedMemoSetsNameProgressAndResults() {
        d->clickKey(5);
        d->click("Chk_Lgt");
        d->click("Lab_Pag");
        d->enterMemo(QStringLiteral("イアウエア ナアチアアアアアチアチアアアア"));
        QCOMPARE(d->nameBoxes(), QStringLiteral("いうえお"));
        QCOMPARE(d->highlightedBox(), 4);
        QCOMPARE(checkedBoxes(), 0);
        QCOMPARE(d->text("PWD"), kMemoOfIueo);
        QCOMPARE(d->text("Lab_Gam"), QStringLiteral("助言ランク： 1"));
        QCOMPARE(d->text("Lab_Pag"), QStringLiteral("前のページへ"));
        d->click("Nm_Inpt"); // the pending key is still か
        QCOMPARE(d->nameBoxes(), QStringLiteral("いうえか"));
    }

    void pastedMemoTicksBoxesOnBothPages() {
        auto* memo = d->control<QLineEdit>("PWD");
        QGuiApplication::clipboard()->setText(kMemoOfAllFlags.split(u'　').join("\r\n"));
        memo->setFocus();
        QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(memo, Qt::Key_Return);
        QCOMPARE(checkedBoxes(), 46);
        QCOMPARE(d->text("PWD"), kMemoOfAllFlags);
    }

    // Enter reads only what the player put in the box: read back, the completion's own memo
    // would undo the ticks made since.
    void enterLeavesTheCompletionsOwnMemoAlone() {
        enterName({1});
        d->click("Answer");
        d->click("Chk_Lgt");
        d->control("PWD")->setFocus();
        d->press("Return");
        QCOMPARE(d->nameBoxes(), QStringLiteral("い？？？"));
        QVERIFY(window->state().progressFlags.isSet(pelio::flag("Chk_Lgt")));
    }

    void memoThatDoesNotReadChangesNothingButShowsWhy() {
        enterName({1});
        d->click("Chk_Tel");
        d->click("Answer");
        const QString before = d->results();
        const QString typo = QStringLiteral("いあうえあ　なあちああ　あああちあ　ちあああい");

        d->enterMemo(typo);
        auto* memo = d->control<QLineEdit>("PWD");
        auto* reason = d->control<QLabel>("Lab_Rsn");
        QCOMPARE(memo->text(), typo);
        QCOMPARE(memo->palette().color(QPalette::Text), QColor(255, 96, 96));
        QVERIFY(reason->isVisible() && reason->text().contains(QStringLiteral("チェック")));
        QCOMPARE(d->nameBoxes(), QStringLiteral("い？？？"));
        QCOMPARE(checkedBoxes(), 1);
        QCOMPARE(d->results().section('|', 1), before.section('|', 1));

        // The next edit, a completion and the reset each take the reason away.
        for (const char* command : {"", "Answer", "Nm_Clear"}) {
            d->enterMemo(typo);
            QVERIFY(reason->isVisible());
            *command ? d->click(command) : QTest::keyClick(memo, Qt::Key_Backspace);
            QCOMPARE(memo->palette().color(QPalette::Text), kWhite);
            QVERIFY(memo->accessibleDescription().isEmpty() && !reason->isVisible());
        }
        // An empty box says what it wants too.
        d->press("Return");
        QVERIFY(reason->isVisible() && reason->text().contains(QStringLiteral("２０文字")));
    }

    // Every reason fits its place on screen in full.
    void reasonsFitBesideTheMemoBox() {
        auto* reason = d->control<QLabel>("Lab_Rsn");
        for (const QString& typed :
             {QStringLiteral("２５６文字目のあ") + QChar(0x202E), QStringLiteral("み"),
              QStringLiteral("いあうえあ　なあちああ　あああちあ　ちあああい"),
              QStringLiteral("ああああああああああああああああああみ")}) {
            d->enterMemo(typed);
            const QRect needed = reason->fontMetrics().boundingRect(
                reason->contentsRect(), Qt::TextWordWrap | Qt::AlignLeft | Qt::AlignTop,
                reason->text());
            QVERIFY2(reason->contentsRect().contains(needed), qPrintable(reason->text()));
        }
    }

    void pasteTooLongForTheBoxIsRefusedWholeWithItsLength() {
        d->click("Answer");
        auto* memo = d->control<QLineEdit>("PWD");
        const QString shown = memo->text();
        QGuiApplication::clipboard()->setText(QString(100000, u'ま'));
        memo->setFocus();
        memo->selectAll();
        QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
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

    void everyCaptionFitsAndIsCoveredByTheFont() {
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
            QVERIFY2(needed <= widget->width(), qPrintable(widget->objectName()));
        }
    }

    // Beyond the fixed size a window manager may still give the window, it stays black.
    void theWholeWindowBelowTheMenuBarIsBlack() {
        QWidget* background = window->centralWidget();
        background->resize(background->size() + QSize(100, 100));
        const QImage shown = background->grab().toImage();
        QCOMPARE(shown.pixelColor(shown.width() - 5, shown.height() - 5), QColor(0, 0, 0));
    }

    void aboutShowsOneDialogBesideTheWindowThatItsButtonHides() {
        window->move(window->screen()->availableGeometry().topLeft());
        d->clickMenu("Abot_sm");
        d->clickMenu("Abot_sm");
        auto* dialog = d->control<Pel_Ver>("Pel_Ver");
        QVERIFY(dialog->isVisible() && !dialog->isModal());
        QVERIFY(!dialog->frameGeometry().intersects(window->frameGeometry()));
        enterName({0}); // the main window still reacts
        QCOMPARE(d->nameBoxes(), QStringLiteral("あ？？？"));
        QTest::mouseClick(dialog->findChild<QPushButton*>("Pel_Vbt"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        d->clickMenu("Abot_sm");
        QVERIFY(dialog->isVisible());
        QCOMPARE(window->findChildren<Pel_Ver*>().size(), 1);
    }

    void quitOrCloseEndsTheProgramWhateverTheDialogShows_data() {
        QTest::addColumn<bool>("quit");
        QTest::addColumn<bool>("dialogVisible");
        QTest::newRow("quit, dialog open") << true << true;
        QTest::newRow("close, dialog hidden") << false << false;
        QTest::newRow("close, dialog open") << false << true;
    }
    void quitOrCloseEndsTheProgramWhateverTheDialogShows() {
        QFETCH(bool, quit);
        QFETCH(bool, dialogVisible);
        d->clickMenu("Abot_sm");
        d->control<Pel_Ver>("Pel_Ver")->setVisible(dialogVisible);
        QTimer::singleShot(0, this,
                           [&] { quit ? d->clickMenu("Quit_sm") : (void)window->close(); });
        QTimer::singleShot(5000, [] { QApplication::exit(1); }); // would mean it kept running
        QCOMPARE(QApplication::exec(), 0);
        if (!quit)
            for (QWidget* topLevel : QApplication::topLevelWidgets())
                QVERIFY2(!topLevel->isVisible(), qPrintable(topLevel->objectName()));
    }
};

QTEST_MAIN(PelioTest)
#include "pelio_test.moc"
