#include "memo/memo_encoder.h"
#include "ui/control_names.h"
#include "ui/notebook_store.h"
#include "ui/pelio.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QStandardPaths>
#include <benchmark/benchmark.h>

#include <array>
#include <memory>
#include <string_view>

namespace {

using pelio::ui::Pelio;

// Each benchmark starts as a first run: no notebook, no last entry.
void forgetEverything() {
    QDir(QStandardPaths::writableLocation(QStandardPaths::AppDataLocation)).removeRecursively();
}

// Two progress states between which every hint line, the rank and the memo differ, so each
// completion rewrites every result control instead of finding its text already there. Both
// have every flag but those below; the first has three of the switched flags, the second one.
constexpr std::array<std::string_view, 3> kUnsetInBoth{"Chk_Tel", "Chk_Aok", "Chk_Pio"};
constexpr std::array<std::string_view, 3> kSetOnlyInFirst{"Chk_Mis", "Chk_Pnd", "Chk_Kei"};
constexpr std::array<std::string_view, 1> kSetOnlyInSecond{"Chk_Bos"};

QCheckBox* flagBox(const Pelio& window, std::string_view name) {
    return window.findChild<QCheckBox*>(pelio::ui::controlName(name));
}

void switchState(const Pelio& window, bool first) {
    for (std::string_view name : kSetOnlyInFirst)
        flagBox(window, name)->setChecked(first);
    for (std::string_view name : kSetOnlyInSecond)
        flagBox(window, name)->setChecked(!first);
}

// What the result controls show: the eight hint lines, the rank and the memo.
QStringList results(const Pelio& window) {
    QStringList shown;
    for (const pelio::LocationInfo& place : pelio::kLocations)
        shown << window
                     .findChild<QLabel*>(
                         pelio::ui::controlName(pelio::layout::hintLine(place.location).id))
                     ->text();
    shown << window.findChild<QLabel*>("Lab_Gam")->text();
    shown << window.findChild<QLineEdit*>("PWD")->text();
    return shown;
}

// Shows the window, enters a name and completes once in each state. False when the two states
// leave some result control unchanged: the benchmark would then time less than a full update.
bool prepare(Pelio& window) {
    window.show();
    for (pelio::KanaCode code : std::array<pelio::KanaCode, 4>{15, 45, 18, 1}) {
        window.Nm_Click(code);
        window.Nm_Inpt_Click();
    }
    window.Allset_Click();
    for (std::string_view name : kUnsetInBoth)
        flagBox(window, name)->setChecked(false);
    switchState(window, true);
    window.Answer_Click();
    const QStringList first = results(window);
    switchState(window, false);
    window.Answer_Click();
    const QStringList second = results(window);
    QCoreApplication::processEvents();
    for (qsizetype i = 0; i < first.size(); ++i)
        if (first[i] == second[i])
            return false;
    return true;
}

// Clicks 完了 after each change of progress, with the previous result already painted, as
// between two clicks of a player; times the click alone or the click and the repaint it causes.
void timeCompletions(benchmark::State& state, bool withRepaint) {
    forgetEverything();
    Pelio window;
    if (!prepare(window)) {
        state.SkipWithError("the two progress states do not change every result");
        return;
    }
    bool first = true;
    for (auto _ : state) {
        state.PauseTiming();
        switchState(window, first);
        QCoreApplication::processEvents();
        first = !first;
        state.ResumeTiming();
        window.Answer_Click();
        if (withRepaint)
            QCoreApplication::processEvents();
    }
}

// The logic of a completion and every control update it makes. Every click puts a memo in the
// notebook: a player's holds hundreds, not the many thousands free repetitions would heap up.
constexpr int kCompletions = 300;
void AnswerClick(benchmark::State& state) {
    timeCompletions(state, false);
}
BENCHMARK(AnswerClick)->Unit(benchmark::kMicrosecond)->Iterations(kCompletions);

void AnswerClickAndRepaint(benchmark::State& state) {
    timeCompletions(state, true);
}
BENCHMARK(AnswerClickAndRepaint)->Unit(benchmark::kMicrosecond)->Iterations(kCompletions);

// ノート on a window just built, with 1,000 memos in the notebook's file: read, listed, shown
// and painted.
void NotebookOpen(benchmark::State& state) {
    forgetEverything();
    {
        pelio::ui::NotebookStore store;
        std::uint32_t random = 1;
        for (int i = 0; i < 1000; ++i) {
            pelio::ProgressFlags flags;
            for (pelio::FlagNumber number = 1; number <= pelio::kFlagCount; ++number) {
                random = random * 1664525u + 1013904223u;
                flags.set(number, random >> 30 == 0);
            }
            const pelio::NameCodes name{static_cast<pelio::KanaCode>(i % 4), 1, 2, 3};
            store.notebook().add(pelio::encodeMemo(name, flags).codes,
                                 {2026, 1 + i / 100, 1 + i / 4 % 28, 12, 0, 0});
        }
        if (!store.save())
            state.SkipWithError("the notebook could not be written");
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<Pelio>();
        window->show();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        window->PWD_Log_Click();
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (window->findChild<QListWidget*>("Log_List")->count() != 1000)
            state.SkipWithError("the notebook did not list its 1,000 memos");
        window.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(NotebookOpen)->Unit(benchmark::kMillisecond)->Iterations(20);

} // namespace
