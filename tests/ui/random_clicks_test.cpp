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

#include <deque>
#include <map>
#include <random>

using namespace pelio;
using pelio::ui::Pelio;

namespace {

// What a new window shows once the same four codes and ticks are entered by clicks.
QString freshWindowResults(const NameCodes& name, const ProgressFlags& flags) {
    Pelio fresh;
    WindowDriver drive(fresh);
    fresh.show();
    for (KanaCode code : name) {
        drive.clickKey(code);
        drive.click("Nm_Inpt");
    }
    for (int page = 1; page <= 2; ++page) {
        if (page == 2)
            drive.click("Lab_Pag");
        for (const FlagInfo& info : kFlagCatalogue)
            if (info.page == page && flags.isSet(info.number))
                drive.tick(ui::controlName(info.controlName));
    }
    drive.click("Answer");
    return drive.results();
}

} // namespace

class RandomClicksTest : public QObject {
    Q_OBJECT

    enum Action {
        Key,
        Input,
        Backspace,
        Box,
        Page,
        SetAll,
        Reset,
        Complete,
        About,
        AboutButton,
        Memo
    };
    // Mostly name entry and ticking, as in play, with every command often enough to meet
    // every state of the others.
    std::discrete_distribution<int> pickAction{12, 8, 4, 16, 4, 1, 2, 6, 1, 1, 4};
    std::mt19937 random;
    std::unique_ptr<Pelio> window;
    std::unique_ptr<WindowDriver> d;
    std::deque<QString> recent;
    int actionIndex = 0;
    int lastFreshWindow = -100;

    int uniform(int low, int high) { return std::uniform_int_distribution(low, high)(random); }

    // A memo of a random state, sometimes in katakana without spaces, or text typed by mistake.
    QString typedText() {
        NameCodes name;
        for (KanaCode& code : name)
            code = KanaCode(uniform(0, kKanaCount - 1));
        ProgressFlags flags;
        const int percent = uniform(0, 100);
        for (const FlagInfo& info : kFlagCatalogue)
            flags.set(info.number, uniform(1, 100) <= percent);
        QString text = QString::fromStdU16String(memoText(encodeMemo(name, flags)));
        switch (uniform(0, 2)) {
        case 0:
            text.remove(QChar(kIdeographicSpace));
            for (QChar& c : text)
                c = QChar(char16_t(c.unicode() + 0x60));
            break;
        case 1:
            static const QString typos = QStringLiteral("あいみむゃーアミヴ　 \t\nabc09？！漢");
            text.clear();
            for (int i = uniform(1, 30); i > 0; --i)
                text += typos.at(uniform(0, int(typos.size()) - 1));
            break;
        }
        return text;
    }

    // Runs one random action; returns what it broke that it should have done, or nothing.
    QString act(const QString& initialResults) {
        static const std::map<int, std::pair<const char*, const char*>> kPlainClicks{
            {Input, {"input", "Nm_Inpt"}}, {Backspace, {"backspace", "Nm_Back"}},
            {Page, {"page", "Lab_Pag"}},   {SetAll, {"set all", "Allset"}},
            {About, {"about", "Abot_sm"}},
        };
        const StateRecord before = window->state();
        const int action = pickAction(random);
        if (const auto plain = kPlainClicks.find(action); plain != kPlainClicks.end()) {
            const auto [what, control] = plain->second;
            recent.push_back(what);
            action == About ? d->clickMenu(control) : d->click(control);
            return {};
        }
        switch (action) {
        case Key: {
            const int code = uniform(0, kKanaCount - 1);
            recent.push_back("key " + ui::keyName(code));
            d->clickKey(code);
            return {};
        }
        case Box: {
            QList<QCheckBox*> shown;
            for (QCheckBox* box : window->findChildren<QCheckBox*>())
                if (box->isVisible())
                    shown << box;
            QCheckBox* box = shown.at(uniform(0, int(shown.size()) - 1));
            recent.push_back("box " + box->objectName());
            const bool wasTicked = box->isChecked();
            d->tick(box);
            return box->isChecked() == wasTicked ? "the click did not toggle the box" : QString();
        }
        case Reset:
            recent.push_back("reset");
            d->click("Nm_Clear");
            return d->results() == initialResults ? QString() : "reset left " + d->results();
        case Complete:
            recent.push_back("complete");
            d->click("Answer");
            return completionProblem();
        case AboutButton: {
            auto* dialog = window->findChild<ui::Pel_Ver*>("Pel_Ver");
            if (dialog && dialog->isVisible()) {
                recent.push_back("about's button");
                QTest::mouseClick(dialog->findChild<QPushButton*>("Pel_Vbt"), Qt::LeftButton);
            }
            return {};
        }
        case Memo: {
            const QString typed = typedText();
            recent.push_back("memo " + typed);
            d->enterMemo(typed);
            const MemoReading reading = readMemo(typed.toStdU16String());
            const StateRecord& now = window->state();
            if (const auto* content = std::get_if<MemoContent>(&reading))
                return now.nameKeyIndex != content->name || now.progressFlags != content->flags
                           ? "a memo that reads did not take over name and ticks"
                           : completionProblem();
            return now.nameKeyIndex != before.nameKeyIndex ||
                           now.progressFlags != before.progressFlags || d->text("PWD") != typed
                       ? "a memo that does not read changed the entry or was not kept"
                       : QString();
        }
        }
        return {};
    }

    // Right after a completion: the memo has its shape and stands for the stored codes and
    // ticks, and now and then a new window given the same codes and ticks shows the same.
    QString completionProblem() {
        const QString memo = d->text("PWD");
        for (int i = 0; i < memo.size(); ++i) {
            const bool space = (i + 1) % 6 == 0;
            if (memo.size() != kMemoTextLength || space != (memo[i] == QChar(kIdeographicSpace)))
                return "memo of the wrong shape: " + memo;
        }
        const StateRecord& state = window->state();
        const MemoReading reading = readMemo(memo.toStdU16String());
        const auto* content = std::get_if<MemoContent>(&reading);
        if (!content || content->name != state.nameKeyIndex ||
            content->flags != state.progressFlags)
            return "memo does not stand for the stored codes and ticks: " + memo;
        // The slow check, now and then: a failure of it need not show at every completion.
        if (actionIndex - lastFreshWindow < 25)
            return {};
        lastFreshWindow = actionIndex;
        const QString fresh = freshWindowResults(state.nameKeyIndex, state.progressFlags);
        return d->results() == fresh ? QString() : "a new window shows " + fresh;
    }

    // What must hold after any action at all.
    QString invariantProblem() const {
        for (const FlagInfo& info : kFlagCatalogue)
            if (d->control<QCheckBox>(ui::controlName(info.controlName))->isChecked() !=
                window->state().progressFlags.isSet(info.number))
                return ui::controlName(info.controlName) + " does not show its flag";
        return d->highlightedBox() < 0 ? "name boxes highlighted wrongly" : QString();
    }

private slots:
    void invariantsHoldAfterEveryRandomAction() {
        ui::applyAppearance();
        bool set = false;
        const unsigned seed = unsigned(qEnvironmentVariableIntValue("PELIO_RANDOM_SEED", &set));
        const int actions = qEnvironmentVariableIntValue("PELIO_RANDOM_ACTIONS");
        random.seed(set ? seed : 20000405);
        window = std::make_unique<Pelio>();
        d = std::make_unique<WindowDriver>(*window);
        window->show();
        const QString initialResults = d->results();
        for (actionIndex = 0; actionIndex < (actions > 0 ? actions : 5000); ++actionIndex) {
            QString problem = act(initialResults);
            if (problem.isEmpty())
                problem = invariantProblem();
            if (!problem.isEmpty()) {
                QString report = QStringLiteral("%1\nat action %2, seed %3; last actions:")
                                     .arg(problem)
                                     .arg(actionIndex)
                                     .arg(set ? seed : 20000405);
                for (auto it = recent.size() > 25 ? recent.end() - 25 : recent.begin();
                     it != recent.end(); ++it)
                    report += "\n  " + *it;
                QFAIL(qPrintable(report));
            }
        }
        d.reset();
        window.reset();
    }
};

QTEST_MAIN(RandomClicksTest)
#include "random_clicks_test.moc"
