#include "ui/pelio.h"

#include "ui/about/pel_ver.h"
#include "ui/appearance.h"
#include "window_driver.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <memory>

using pelio::ui::Pelio;

class PelioTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<Pelio> window;
    std::unique_ptr<WindowDriver> driver;

    template <class T = QWidget> T* control(const QString& name) const {
        return driver->template control<T>(name);
    }
    void click(const QString& name) { driver->click(name); }
    void clickKey(int code) { driver->clickKey(code); }
    void clickMenu(const QString& name) { driver->clickMenu(name); }
    QString text(const QString& name) const { return driver->text(name); }
    QString nameBoxes() const { return driver->nameBoxes(); }
    int highlightedBox() const { return driver->highlightedBox(); }

    QCheckBox* box(const char* name) const { return control<QCheckBox>(name); }

private slots:
    void initTestCase() { pelio::ui::applyAppearance(); }
    void init() {
        window = std::make_unique<Pelio>();
        driver = std::make_unique<WindowDriver>(*window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() {
        driver.reset();
        window.reset();
    }

    void startsEmptyOnPageOne() {
        QCOMPARE(window->windowTitle(), QStringLiteral("ぺりおのひらき"));
        QCOMPARE(window->centralWidget()->size(), QSize(647, 378));
        QCOMPARE(nameBoxes(), QStringLiteral("？？？？"));
        QCOMPARE(highlightedBox(), 0);
        QCOMPARE(text("PWD"), QString());
        QCOMPARE(text("Lab_Pag"), QStringLiteral("次のページへ"));
        for (const char* label : {"Lab_Gam", "Lab_Ofc", "Lab_Mai", "Lab_Nan", "Lab_Sum", "Lab_Dou",
                                  "Lab_Imd", "Lab_Sen", "Lab_Tom"})
            QVERIFY2(text(label).endsWith(QStringLiteral("：")), label);
        int visible = 0;
        for (QCheckBox* flagBox : window->findChildren<QCheckBox*>()) {
            QVERIFY(!flagBox->isChecked());
            visible += flagBox->isVisible() ? 1 : 0;
        }
        QCOMPARE(visible, 28);
        QVERIFY(!box("Chk_Hot")->isVisible());
    }

    void controlsStandWhereTheLayoutPutsThem_data() {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twips");
        const auto row = [](const char* name, int l, int t, int w, int h) {
            QTest::newRow(name) << QString(name) << QRect(l, t, w, h);
        };
        row("Nm00", 240, 840, 255, 255);
        row("Nm04", 1200, 840, 255, 255);
        row("Nm05", 240, 1080, 255, 255);
        row("Nm22", 1200, 2280, 255, 255);
        row("Nm23", 1680, 840, 255, 255);
        row("Nm3F", 2400, 2040, 255, 255);
        row("Namtext1", 1080, 480, 255, 270);
        row("Namtext4", 1800, 480, 255, 270);
        row("Nm_Back", 2040, 2280, 495, 255);
        row("Nm_Inpt", 1200, 2640, 735, 255);
        row("Lab_Pag", 6960, 2640, 1215, 255);
        row("Answer", 1680, 3120, 2655, 255);
        row("Nm_Clear", 4920, 3120, 855, 255);
        row("Allset", 6240, 3120, 1575, 255);
        row("PWD", 2640, 3960, 4815, 375);
        row("Lab_Gam", 1080, 4440, 1935, 255);
        row("Lab_Tom", 4920, 4440, 1935, 255);
        row("Lab_Sen", 1080, 5160, 1935, 255);
        row("Chk_Lgt", 3240, 480, 975, 255);
        row("Chk_Tak", 6960, 2160, 1095, 255);
        row("Chk_Khk", 4920, 2160, 1455, 255);
    }
    void controlsStandWhereTheLayoutPutsThem() {
        QFETCH(QString, name);
        QFETCH(QRect, twips);
        QCOMPARE(control(name)->geometry(),
                 QRect(twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15));
    }

    void keyboardHasOneKeyPerCodeAndAnEmptyLastCell() {
        QCOMPARE(
            window->findChildren<QAbstractButton*>(QRegularExpression("^Nm[0-3][0-9A-F]$")).size(),
            64);
        QCOMPARE(text("Nm3F"), QStringLiteral("SP"));
        QCOMPARE(text("Nm2E"), text("Nm34"));
        QCOMPARE(text("Nm2F"), text("Nm35"));
        QWidget* emptyCell = window->centralWidget()->childAt(2640 / 15 + 8, 2040 / 15 + 8);
        QVERIFY(emptyCell == nullptr);
    }

    void clickableLabelsArePressableButtonsWithoutFocus() {
        for (const char* name : {"Answer", "Nm_Clear", "Allset", "Lab_Pag", "Nm_Inpt", "Nm00"}) {
            auto* button = control<QAbstractButton>(name);
            QCOMPARE(button->focusPolicy(), Qt::NoFocus);
            QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(button);
            QVERIFY(accessible);
            QCOMPARE(accessible->role(), QAccessible::Button);
            QCOMPARE(accessible->text(QAccessible::Name), button->text());
        }
    }

    void nameEditorFollowsTheWorkedSequence() {
        struct Step {
            std::vector<int> keys; // kana codes, then one input; -1 input, -2 backspace
            QString boxes;
            int highlighted;
        };
        const std::vector<Step> steps{
            {{0, -1}, "あ？？？", 1},      {{1, -1}, "あい？？", 2}, {{-1}, "あいい？", 3},
            {{-2}, "あいい？", 3},         {{-2}, "あいい？", 2},    {{2, -1}, "あうい？", 2},
            {{-1, -1, -1}, "あううう", 4},
        };
        for (const Step& step : steps) {
            for (int action : step.keys) {
                if (action == -1)
                    click("Nm_Inpt");
                else if (action == -2)
                    click("Nm_Back");
                else
                    clickKey(action);
            }
            QCOMPARE(nameBoxes(), step.boxes);
            QCOMPARE(highlightedBox(), step.highlighted);
        }
    }

    void inputBeforeAnyKeyChangesNothing() {
        click("Nm_Inpt");
        QCOMPARE(nameBoxes(), QStringLiteral("？？？？"));
        QCOMPARE(highlightedBox(), 0);
        click("Nm_Back");
        QCOMPARE(highlightedBox(), 1);
    }

    void pageSwitchShowsTheOtherPageAndKeepsTicks() {
        click("Chk_Lgt");
        click("Lab_Pag");
        QCOMPARE(text("Lab_Pag"), QStringLiteral("前のページへ"));
        QVERIFY(box("Chk_Hot")->isVisible() && !box("Chk_Lgt")->isVisible());
        click("Chk_Hot");
        click("Lab_Pag");
        QCOMPARE(text("Lab_Pag"), QStringLiteral("次のページへ"));
        QVERIFY(box("Chk_Lgt")->isVisible() && !box("Chk_Hot")->isVisible());
        QVERIFY(box("Chk_Lgt")->isChecked() && box("Chk_Hot")->isChecked());
        QVERIFY(window->state().progressFlags.isSet(pelio::flag("Chk_Hot")));
    }

    void tickingChangesNoResultUntilCompletion() {
        click("Answer");
        const QString memo = text("PWD");
        click("Chk_Lgt");
        QCOMPARE(text("PWD"), memo);
        click("Answer");
        QCOMPARE(text("PWD"), QStringLiteral("あああああ　ああちあい　あああああ　ちああああ　"));
    }

    void setAllTicksBothPagesAndCompletes() {
        click("Allset");
        click("Allset");
        for (QCheckBox* flagBox : window->findChildren<QCheckBox*>())
            QVERIFY2(flagBox->isChecked(), qPrintable(flagBox->objectName()));
        QCOMPARE(window->state().progressFlags.count(), 46);
        QCOMPARE(text("Lab_Pag"), QStringLiteral("次のページへ"));
        click("Chk_Lgt");
        QVERIFY(!window->state().progressFlags.isSet(pelio::flag("Chk_Lgt")));
        click("Chk_Lgt");

        click("Answer");
        QCOMPARE(text("PWD"), QStringLiteral("ああちあち　ちみたたた　みきへねに　たたたつた　"));
        QCOMPARE(text("Lab_Gam"), QStringLiteral("助言ランク： 5"));
        QCOMPARE(text("Lab_Tom"), QStringLiteral("ともろう：失踪"));
        QCOMPARE(text("Lab_Mai"), QStringLiteral("まいあさＴＶ：休憩中"));
    }

    void completionEncodesTheEnteredName() {
        for (int code : {1, 2, 3, 4}) {
            clickKey(code);
            click("Nm_Inpt");
        }
        click("Answer");
        QCOMPARE(text("PWD"), QStringLiteral("いあうえあ　なあちああ　あああちあ　ちああああ　"));
        click("Answer");
        QCOMPARE(text("PWD").size(), 24);
    }

    void hintsFollowTheTicksOfThisCompletionOnly() {
        click("Lab_Pag");
        click("Chk_Pnd");
        click("Answer");
        QCOMPARE(text("Lab_Dou"), QStringLiteral("道頓堀：蒼丸"));
        click("Chk_Aok");
        click("Answer");
        QCOMPARE(text("Lab_Dou"), QStringLiteral("道頓堀："));
    }

    void resetClearsEntryAndKeepsNameCodesPendingKeyAndPage() {
        for (int code : {1, 2, 3, 4}) {
            clickKey(code);
            click("Nm_Inpt");
        }
        clickKey(5);
        click("Allset");
        click("Lab_Pag");
        click("Answer");

        click("Nm_Clear");
        click("Nm_Clear");
        QCOMPARE(nameBoxes(), QStringLiteral("？？？？"));
        QCOMPARE(highlightedBox(), 0);
        QCOMPARE(text("PWD"), QString());
        QCOMPARE(text("Lab_Gam"), QStringLiteral("助言ランク："));
        QCOMPARE(text("Lab_Tom"), QStringLiteral("ともろう："));
        QCOMPARE(text("Lab_Pag"), QStringLiteral("前のページへ"));
        QVERIFY(box("Chk_Hot")->isVisible());
        for (QCheckBox* flagBox : window->findChildren<QCheckBox*>())
            QVERIFY(!flagBox->isChecked());
        QCOMPARE(window->state().progressFlags.count(), 0);

        click("Answer"); // still the name entered before the reset
        QCOMPARE(text("PWD"), QStringLiteral("いあうえあ　なあちああ　あああちあ　ちああああ　"));
        click("Nm_Inpt"); // the key chosen before the reset goes into slot 1
        QCOMPARE(nameBoxes(), QStringLiteral("か？？？"));
    }

    void memoIsSelectableAndNameBoxesReadOnly() {
        click("Answer");
        auto* memo = control<QLineEdit>("PWD");
        memo->selectAll();
        QCOMPARE(memo->selectedText(), memo->text());
        for (int slot = 1; slot <= 4; ++slot)
            QVERIFY(control<QLineEdit>(QStringLiteral("Namtext%1").arg(slot))->isReadOnly());
    }

    void typedMemoSetsNameProgressAndResults() {
        clickKey(5);
        click("Chk_Lgt");
        click("Lab_Pag");
        driver->enterMemo(QStringLiteral("イアウエア ナアチアアアアアチアチアアアア"));
        QCOMPARE(nameBoxes(), QStringLiteral("いうえお"));
        QCOMPARE(highlightedBox(), 4);
        QCOMPARE(window->state().nameCursor, 4);
        QCOMPARE(window->state().progressFlags.count(), 0);
        QVERIFY(!box("Chk_Lgt")->isChecked());
        QCOMPARE(text("PWD"), QStringLiteral("いあうえあ　なあちああ　あああちあ　ちああああ　"));
        QCOMPARE(text("Lab_Gam"), QStringLiteral("助言ランク： 1"));
        QCOMPARE(text("Lab_Pag"), QStringLiteral("前のページへ"));
        click("Nm_Inpt"); // the pending key is still か
        QCOMPARE(nameBoxes(), QStringLiteral("いうえか"));
    }

    void pastedMemoTicksBoxesOnBothPages() {
        auto* memo = control<QLineEdit>("PWD");
        QGuiApplication::clipboard()->setText(
            QStringLiteral("ああちあち\r\nちみたたた\r\nみきへねに\r\nたたたつた"));
        memo->setFocus();
        QTest::keyClick(memo, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(memo, Qt::Key_Return);
        for (QCheckBox* flagBox : window->findChildren<QCheckBox*>())
            QVERIFY2(flagBox->isChecked(), qPrintable(flagBox->objectName()));
        QCOMPARE(text("Lab_Gam"), QStringLiteral("助言ランク： 5"));
        QCOMPARE(text("Lab_Pag"), QStringLiteral("次のページへ"));
    }

    void memoThatDoesNotReadChangesNothingButTheWarning() {
        clickKey(1);
        click("Nm_Inpt");
        click("Chk_Tel");
        click("Answer");
        const QString before = driver->results();
        const QString typo = QStringLiteral("いあうえあ　なあちああ　あああちあ　ちあああい");

        driver->enterMemo(typo);
        auto* memo = control<QLineEdit>("PWD");
        QCOMPARE(memo->text(), typo);
        QCOMPARE(memo->palette().color(QPalette::Text), QColor(255, 96, 96));
        QVERIFY(memo->toolTip().contains(QStringLiteral("チェック")));
        QCOMPARE(memo->accessibleDescription(), memo->toolTip());
        QCOMPARE(nameBoxes(), QStringLiteral("い？？？"));
        QVERIFY(box("Chk_Tel")->isChecked());
        QCOMPARE(window->state().progressFlags.count(), 1);
        QCOMPARE(driver->results().section('|', 1), before.section('|', 1));

        QTest::keyClick(memo, Qt::Key_Backspace);
        QCOMPARE(memo->palette().color(QPalette::Text), QColor(255, 255, 255));
        QVERIFY(memo->accessibleDescription().isEmpty());
    }

    void completionAndClearEachTakeTheWarningAway() {
        auto* memo = control<QLineEdit>("PWD");
        const QString usualTip = memo->toolTip();
        for (const char* command : {"Answer", "Nm_Clear", "Answer"}) {
            driver->enterMemo(QStringLiteral("いあうえあ　なあちああ　あああちあ　ちあああい"));
            QCOMPARE(memo->palette().color(QPalette::Text), QColor(255, 96, 96));
            click(command);
            QCOMPARE(memo->palette().color(QPalette::Text), QColor(255, 255, 255));
            QCOMPARE(memo->toolTip(), usualTip);
            QVERIFY(memo->accessibleDescription().isEmpty());
        }
    }

    void everyCaptionFitsAndIsCoveredByTheFont() {
        for (QWidget* widget : window->centralWidget()->findChildren<QWidget*>()) {
            QString caption;
            if (auto* button = qobject_cast<QAbstractButton*>(widget))
                caption = button->text();
            else if (auto* label = qobject_cast<QLabel*>(widget))
                caption = label->text();
            if (caption.isEmpty())
                continue;
            const QFontMetrics metrics(widget->font());
            for (QChar c : caption)
                QVERIFY2(metrics.inFont(c), qPrintable(widget->objectName() + " " + QString(c)));
            if (auto* flagBox = qobject_cast<QCheckBox*>(widget))
                QVERIFY2(flagBox->sizeHint().width() <= flagBox->width(),
                         qPrintable(widget->objectName()));
            else
                QVERIFY2(metrics.horizontalAdvance(caption) <= widget->width(),
                         qPrintable(widget->objectName()));
        }
    }

    void aboutShowsOneDialogThatItsButtonHides() {
        clickMenu("Abot_sm");
        clickMenu("Abot_sm");
        QCOMPARE(window->findChildren<pelio::ui::Pel_Ver*>().size(), 1);
        auto* dialog = control<pelio::ui::Pel_Ver>("Pel_Ver");
        QVERIFY(dialog->isVisible());
        QVERIFY(!dialog->isModal());

        clickKey(0); // the main window still reacts
        click("Nm_Inpt");
        QCOMPARE(nameBoxes(), QStringLiteral("あ？？？"));

        QTest::mouseClick(dialog->findChild<QPushButton*>("Pel_Vbt"), Qt::LeftButton);
        QVERIFY(!dialog->isVisible());
        clickMenu("Abot_sm");
        QVERIFY(dialog->isVisible());
        QCOMPARE(window->findChildren<pelio::ui::Pel_Ver*>().size(), 1);
    }

    void quitEndsTheProgramWithTheDialogOpen() {
        clickMenu("Abot_sm");
        QTimer::singleShot(0, this, [this] { clickMenu("Quit_sm"); });
        QTimer::singleShot(5000, [] { QApplication::exit(1); }); // would mean it kept running
        QCOMPARE(QApplication::exec(), 0);
    }

    void closingTheWindowEndsTheProgramWithTheDialogHidden() {
        clickMenu("Abot_sm");
        control<pelio::ui::Pel_Ver>("Pel_Ver")->hide();
        QTimer::singleShot(0, window.get(), &QWidget::close);
        QTimer::singleShot(5000, [] { QApplication::exit(1); }); // would mean it kept running
        QCOMPARE(QApplication::exec(), 0);
        for (QWidget* topLevel : QApplication::topLevelWidgets())
            QVERIFY2(!topLevel->isVisible(), qPrintable(topLevel->objectName()));
    }
};

QTEST_MAIN(PelioTest)
#include "pelio_test.moc"
