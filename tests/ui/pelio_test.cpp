#include "ui/pelio.h"

#include "ui/about/pel_ver.h"
#include "ui/appearance.h"
#include "window_driver.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QPushButton>
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

private slots:
    void initTestCase() { pelio::ui::applyAppearance(); }
    void init() {
        window = std::make_unique<Pelio>();
        d = std::make_unique<WindowDriver>(*window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
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
        QVERIFY(window->centralWidget()->childAt(2640 / 15 + 8, 2040 / 15 + 8) == nullptr);
        QCOMPARE(d->text("Nm3F"), QStringLiteral("SP"));
    }

    void clickableLabelsArePressableButtonsWithoutFocus() {
        for (const char* name : {"Answer", "Nm_Clear", "Allset", "Lab_Pag", "Nm_Inpt", "Nm2E"}) {
            auto* button = d->control<QAbstractButton>(name);
            QCOMPARE(button->focusPolicy(), Qt::NoFocus);
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
            QVERIFY(accessible && accessible->role() == QAccessible::Button);
            QCOMPARE(accessible->text(QAccessible::Name), button->text());
        }
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

    void memoThatDoesNotReadChangesNothingButTheWarning() {
        enterName({1});
        d->click("Chk_Tel");
        d->click("Answer");
        const QString before = d->results();
        const QString typo = QStringLiteral("いあうえあ　なあちああ　あああちあ　ちあああい");

        d->enterMemo(typo);
        auto* memo = d->control<QLineEdit>("PWD");
        QCOMPARE(memo->text(), typo);
        QCOMPARE(memo->palette().color(QPalette::Text), QColor(255, 96, 96));
        QVERIFY(memo->toolTip().contains(QStringLiteral("チェック")));
        QCOMPARE(memo->accessibleDescription(), memo->toolTip());
        QCOMPARE(d->nameBoxes(), QStringLiteral("い？？？"));
        QCOMPARE(checkedBoxes(), 1);
        QCOMPARE(d->results().section('|', 1), before.section('|', 1));

        const QString reason = memo->toolTip();
        // The next edit, a completion and the reset each take the warning away.
        for (const char* command : {"", "Answer", "Nm_Clear"}) {
            d->enterMemo(typo);
            QCOMPARE(memo->toolTip(), reason);
            *command ? d->click(command) : QTest::keyClick(memo, Qt::Key_Backspace);
            QCOMPARE(memo->palette().color(QPalette::Text), kWhite);
            QVERIFY(memo->accessibleDescription().isEmpty() && memo->toolTip() != reason);
        }
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

    void aboutShowsOneDialogThatItsButtonHides() {
        d->clickMenu("Abot_sm");
        d->clickMenu("Abot_sm");
        auto* dialog = d->control<Pel_Ver>("Pel_Ver");
        QVERIFY(dialog->isVisible() && !dialog->isModal());
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
