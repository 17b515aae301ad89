// Thousands of random player actions against one window, from a fixed seed, checking after
// each one what a player relies on. PELIO_RANDOM_SEED and PELIO_RANDOM_ACTIONS replay a
// reported failure.

#include "ui/pelio.h"

#include "memo/memo_reader.h"
#include "memo/memo_text.h"
#include "ui/about/pel_ver.h"
#include "ui/appearance.h"
#include "window_driver.h"

#include <QCheckBox>
#include <QPushButton>
#include <QtTest>

#include <array>
#include <deque>
#include <memory>
#include <random>

using pelio::FlagInfo;
using pelio::kFlagCatalogue;
using pelio::ui::Pelio;

namespace {

constexpr unsigned kDefaultSeed = 20000405;
constexpr int kDefaultActions = 5000;
// A fresh window is built and driven to compare results at most this often: it is the slow
// check, and its failures do not need every completion to show up.
constexpr int kActionsBetweenFreshWindows = 25;
constexpr int kActionsReported = 25;

int environmentNumber(const char* name, int fallback) {
    bool ok = false;
    const int value = qEnvironmentVariableIntValue(name, &ok);
    return ok ? value : fallback;
}

// The 20 kana of a memo stand in four groups of five, each group closed by U+3000.
QString memoFormatProblem(const QString& memo) {
    if (memo.size() != pelio::kMemoTextLength)
        return QStringLiteral("memo \"%1\" has %2 characters").arg(memo).arg(memo.size());
    for (int i = 0; i < memo.size(); ++i) {
        const char16_t unit = memo.at(i).unicode();
        const bool spacePlace = (i + 1) % (pelio::kMemoGroupLength + 1) == 0;
        const bool memoKana = unit >= u'あ' && unit <= u'み';
        if (spacePlace ? unit != pelio::kIdeographicSpace : !memoKana)
            return QStringLiteral("memo \"%1\" has '%2' at %3")
                .arg(memo)
                .arg(memo.at(i))
                .arg(i + 1);
    }
    return {};
}

QString controlName(const FlagInfo& info) {
    return QString::fromLatin1(info.controlName.data(),
                               static_cast<qsizetype>(info.controlName.size()));
}

QString describeName(const pelio::NameCodes& name) {
    QStringList codes;
    for (pelio::KanaCode code : name)
        codes << QString::number(code);
    return codes.join(',');
}

QString describeFlags(const pelio::ProgressFlags& flags) {
    QStringList names;
    for (const FlagInfo& info : kFlagCatalogue)
        if (flags.isSet(info.number))
            names << controlName(info);
    return names.isEmpty() ? QStringLiteral("none") : names.join(',');
}

} // namespace

class RandomClicksTest : public QObject {
    Q_OBJECT

private:
    enum class Action {
        Key,
        Input,
        Backspace,
        Box,
        PageSwitch,
        SetAll,
        Reset,
        Complete,
        About,
        AboutButton,
        ValidMemo,
        GarbageMemo,
    };
    // How often each action is drawn, in the order above: mostly name entry and ticking, as
    // in play, with every command often enough to meet every state of the others.
    static constexpr std::array<int, 12> kActionWeights{12, 8, 4, 16, 4, 1, 2, 6, 1, 1, 2, 2};
    std::discrete_distribution<int> pickAction{kActionWeights.begin(), kActionWeights.end()};

    unsigned seed = kDefaultSeed;
    std::mt19937 random;
    std::unique_ptr<Pelio> window;
    std::unique_ptr<WindowDriver> driver;
    std::array<QCheckBox*, pelio::kFlagCount> boxes{};
    QString initialResults;
    std::deque<QString> recentActions;
    int actionIndex = 0;
    int lastFreshWindow = -kActionsBetweenFreshWindows;
    int completions = 0;
    int freshWindows = 0;
    int memosRead = 0;

    int uniform(int low, int high) { return std::uniform_int_distribution(low, high)(random); }

    void record(const QString& action) {
        recentActions.push_back(QStringLiteral("#%1 %2").arg(actionIndex).arg(action));
        if (recentActions.size() > kActionsReported)
            recentActions.pop_front();
    }

    QString failureReport(const QString& problem) const {
        QString report = QStringLiteral("%1\nafter action #%2 with seed %3 (replay: "
                                        "PELIO_RANDOM_SEED=%3 PELIO_RANDOM_ACTIONS=%4)\n"
                                        "name codes %5, flags %6\nlast actions:")
                             .arg(problem)
                             .arg(actionIndex)
                             .arg(seed)
                             .arg(actionIndex + 1)
                             .arg(describeName(window->state().nameKeyIndex))
                             .arg(describeFlags(window->state().progressFlags));
        for (const QString& action : recentActions)
            report += "\n  " + action;
        return report;
    }

    pelio::NameCodes randomName() {
        pelio::NameCodes name{};
        for (pelio::KanaCode& code : name)
            code = static_cast<pelio::KanaCode>(uniform(0, pelio::kKanaCount - 1));
        return name;
    }

    pelio::ProgressFlags randomFlags() {
        // A random share of flags, so that few, half and nearly all ticked all come up.
        const int percent = uniform(0, 100);
        pelio::ProgressFlags flags;
        for (const FlagInfo& info : kFlagCatalogue)
            flags.set(info.number, uniform(1, 100) <= percent);
        return flags;
    }

    // Text a player might type by mistake: memo kana, their katakana, spaces, and characters
    // the memo never uses, up to a little longer than a memo.
    QString garbageText() {
        static const QString pieces = QStringLiteral("あいみむゃーアミヴ　 \t\nabc09？！漢") +
                                      QString::fromUcs4(U"\U0001F50D");
        QString text;
        const int length = uniform(1, 30);
        for (int i = 0; i < length; ++i)
            text += pieces.at(uniform(0, static_cast<int>(pieces.size()) - 1));
        return text;
    }

    QString validMemoText(const pelio::NameCodes& name, const pelio::ProgressFlags& flags) {
        const std::u16string memo = pelio::memoText(pelio::encodeMemo(name, flags));
        QString text = QString::fromStdU16String(memo);
        if (uniform(0, 2) == 0) { // as typed in katakana without the group spaces
            text.remove(QChar(pelio::kIdeographicSpace));
            for (QChar& c : text)
                c = QChar(static_cast<char16_t>(c.unicode() + 0x60));
        }
        return text;
    }

    QList<QCheckBox*> visibleBoxes() const {
        QList<QCheckBox*> shown;
        for (QCheckBox* box : boxes)
            if (box->isVisible())
                shown << box;
        return shown;
    }

    // Ticks exactly `flags` by clicking boxes, page by page, as a player would.
    static void tickByClicks(WindowDriver& drive, const pelio::ProgressFlags& flags) {
        for (int page = 1; page <= 2; ++page) {
            if (page == 2)
                drive.click("Lab_Pag");
            for (const FlagInfo& info : kFlagCatalogue)
                if (info.page == page && flags.isSet(info.number))
                    drive.tick(controlName(info));
        }
    }

    // What a new window shows once the same four codes and ticks are entered by clicks and
    // completed.
    static QString freshWindowResults(const pelio::NameCodes& name,
                                      const pelio::ProgressFlags& flags) {
        Pelio fresh;
        WindowDriver drive(fresh);
        fresh.show();
        for (pelio::KanaCode code : name) {
            drive.clickKey(code);
            drive.click("Nm_Inpt");
        }
        tickByClicks(drive, flags);
        drive.click("Answer");
        return drive.results();
    }

    // Runs one random action. Returns what broke in the way the action itself should have
    // changed the window, or nothing.
    QString act() {
        const auto action = static_cast<Action>(pickAction(random));
        const pelio::StateRecord before = window->state();
        switch (action) {
        case Action::Key: {
            const int code = uniform(0, pelio::kKanaCount - 1);
            record(QStringLiteral("key %1").arg(WindowDriver::keyName(code)));
            driver->clickKey(code);
            break;
        }
        case Action::Input:
            record(QStringLiteral("input"));
            driver->click("Nm_Inpt");
            break;
        case Action::Backspace:
            record(QStringLiteral("backspace"));
            driver->click("Nm_Back");
            break;
        case Action::Box: {
            const QList<QCheckBox*> shown = visibleBoxes();
            QCheckBox* box = shown.at(uniform(0, static_cast<int>(shown.size()) - 1));
            record(QStringLiteral("box %1").arg(box->objectName()));
            const bool wasTicked = box->isChecked();
            driver->tick(box);
            if (box->isChecked() == wasTicked)
                return QStringLiteral("a click on %1 did not toggle it").arg(box->objectName());
            break;
        }
        case Action::PageSwitch:
            record(QStringLiteral("page switch"));
            driver->click("Lab_Pag");
            break;
        case Action::SetAll:
            record(QStringLiteral("set all"));
            driver->click("Allset");
            break;
        case Action::Reset:
            record(QStringLiteral("reset"));
            driver->click("Nm_Clear");
            if (driver->results() != initialResults)
                return QStringLiteral("reset left results: %1").arg(driver->results());
            break;
        case Action::Complete:
            record(QStringLiteral("complete"));
            driver->click("Answer");
            return completionProblem();
        case Action::About:
            record(QStringLiteral("about"));
            driver->clickMenu("Abot_sm");
            break;
        case Action::AboutButton: {
            auto* dialog = window->findChild<pelio::ui::Pel_Ver*>("Pel_Ver");
            if (!dialog || !dialog->isVisible())
                return {};
            record(QStringLiteral("about's button"));
            QTest::mouseClick(dialog->findChild<QPushButton*>("Pel_Vbt"), Qt::LeftButton);
            break;
        }
        case Action::ValidMemo:
        case Action::GarbageMemo: {
            const pelio::NameCodes name = randomName();
            const pelio::ProgressFlags flags = randomFlags();
            const QString typed =
                action == Action::ValidMemo ? validMemoText(name, flags) : garbageText();
            record(QStringLiteral("memo \"%1\"").arg(typed));
            driver->enterMemo(typed);
            return typedMemoProblem(typed, before);
        }
        }
        return {};
    }

    // After a memo and Enter: one that reads takes over name and ticks and completes; any
    // other text leaves name and ticks alone.
    QString typedMemoProblem(const QString& typed, const pelio::StateRecord& before) {
        const pelio::MemoReading reading = pelio::readMemo(typed.toStdU16String());
        const pelio::StateRecord& now = window->state();
        if (const auto* content = std::get_if<pelio::MemoContent>(&reading)) {
            if (now.nameKeyIndex != content->name || now.progressFlags != content->flags)
                return QStringLiteral("a memo that reads did not take over name and ticks");
            ++memosRead;
            return completionProblem();
        }
        if (now.nameKeyIndex != before.nameKeyIndex || now.progressFlags != before.progressFlags)
            return QStringLiteral("a memo that does not read changed name or ticks");
        if (driver->text("PWD") != typed)
            return QStringLiteral("a memo that does not read was not left for correction");
        return {};
    }

    // Right after a completion: the memo has its shape, reads back as the stored codes and
    // ticks, and (now and then) a new window given the same codes and ticks shows the same.
    QString completionProblem() {
        ++completions;
        const QString memo = driver->text("PWD");
        if (QString problem = memoFormatProblem(memo); !problem.isEmpty())
            return problem;
        const pelio::StateRecord& state = window->state();
        const pelio::MemoReading reading = pelio::readMemo(memo.toStdU16String());
        const auto* content = std::get_if<pelio::MemoContent>(&reading);
        if (!content || content->name != state.nameKeyIndex ||
            content->flags != state.progressFlags)
            return QStringLiteral("memo %1 does not stand for the stored codes and ticks")
                .arg(memo);

        if (actionIndex - lastFreshWindow < kActionsBetweenFreshWindows)
            return {};
        lastFreshWindow = actionIndex;
        ++freshWindows;
        const QString fresh = freshWindowResults(state.nameKeyIndex, state.progressFlags);
        if (driver->results() != fresh)
            return QStringLiteral("results differ from a new window's:\n  here:  %1\n  fresh: %2")
                .arg(driver->results(), fresh);
        return {};
    }

    // What must hold after any action at all.
    QString invariantProblem() const {
        const pelio::ProgressFlags& flags = window->state().progressFlags;
        for (const FlagInfo& info : kFlagCatalogue) {
            const QCheckBox* box = boxes[static_cast<std::size_t>(info.number - 1)];
            if (box->isChecked() != flags.isSet(info.number))
                return QStringLiteral("box %1 shows %2 but the flag is %3")
                    .arg(box->objectName())
                    .arg(box->isChecked())
                    .arg(flags.isSet(info.number));
        }
        const int highlighted = driver->highlightedBox();
        if (highlighted < 0)
            return QStringLiteral("name boxes highlighted wrongly (%1)").arg(highlighted);

        // The page shown is one whole page: all of its boxes and none of the other's.
        const int shownPage = boxes.front()->isVisible() ? 1 : 2;
        for (const FlagInfo& info : kFlagCatalogue)
            if (boxes[static_cast<std::size_t>(info.number - 1)]->isVisible() !=
                (info.page == shownPage))
                return QStringLiteral("page %1 is shown but %2 is not as its page says")
                    .arg(shownPage)
                    .arg(boxes[static_cast<std::size_t>(info.number - 1)]->objectName());
        return {};
    }

private slots:
    void initTestCase() {
        pelio::ui::applyAppearance();
        seed = static_cast<unsigned>(environmentNumber("PELIO_RANDOM_SEED", kDefaultSeed));
        qInfo("seed %u (set PELIO_RANDOM_SEED to replay another)", seed);
    }

    void invariantsHoldAfterEveryRandomAction() {
        const int actions = environmentNumber("PELIO_RANDOM_ACTIONS", kDefaultActions);
        random.seed(seed);
        window = std::make_unique<Pelio>();
        driver = std::make_unique<WindowDriver>(*window);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        for (const FlagInfo& info : kFlagCatalogue)
            boxes[static_cast<std::size_t>(info.number - 1)] =
                driver->control<QCheckBox>(controlName(info));
        initialResults = driver->results();

        for (actionIndex = 0; actionIndex < actions; ++actionIndex) {
            QString problem = act();
            if (problem.isEmpty())
                problem = invariantProblem();
            if (!problem.isEmpty())
                QFAIL(qPrintable(failureReport(problem)));
        }
        qInfo("%d actions: %d completions (%d by a typed memo), %d compared with a new window",
              actions, completions, memosRead, freshWindows);
    }

    void cleanupTestCase() {
        driver.reset();
        window.reset();
    }
};

QTEST_MAIN(RandomClicksTest)
#include "random_clicks_test.moc"
