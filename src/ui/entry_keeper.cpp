#include "ui/entry_keeper.h"

#include "entry/session.h"
#include "ui/notebook_store.h"
#include "ui/notice_bar.h"
#include "ui/qt_text.h"

namespace pelio::ui {
namespace {

const QString kLastRunNotice = QStringLiteral("前回終了したときの入力が残っています");
const QString kLastRunCaption = QStringLiteral("前回の入力を戻す");

} // namespace

EntryKeeper::EntryKeeper(NotebookStore& store, NoticeBar& notices, std::function<Entry()> current,
                         std::function<void(const Entry&)> putBack, QObject* parent)
    : QObject(parent)
    , store_(store)
    , notices_(notices)
    , current_(std::move(current))
    , putBack_(std::move(putBack)) {
    keepTimer_.setSingleShot(true);
    keepTimer_.setInterval(0);
    connect(&keepTimer_, &QTimer::timeout, this, &EntryKeeper::keep);
}

void EntryKeeper::offerUndo(ReplacingAction action, const Entry& before) {
    const Entry after = current_();
    undo_ = undoFor(action, before.state, after.state, u16(before.box));
    if (undo_)
        undoNotice_ = notices_.offer(qs(undo_->notice), qs(kUndoCaption), [this] { undo(); });
}

bool EntryKeeper::undo() {
    if (!undo_ || !notices_.showing(undoNotice_))
        return false;
    const Undo taken = *std::exchange(undo_, std::nullopt);
    putBack({taken.entry, qs(taken.box)}, undoNotice_);
    return true;
}

void EntryKeeper::putBack(const Entry& entry, int notice) {
    notices_.withdraw(notice);
    putBack_(entry);
    notices_.tell(qs(kUndoneNotice));
    changed();
}

void EntryKeeper::changed() {
    // The last run's entry gives way at once to one entered now: its notice goes with the
    // change that made it pointless, not a moment later.
    if (notices_.showing(lastRunNotice_))
        keep();
    else if (!keepTimer_.isActive())
        keepTimer_.start();
}

void EntryKeeper::keep() {
    const Entry entry = current_();
    if (notices_.showing(lastRunNotice_)) {
        if (!holdsInput(entry.state, u16(entry.box)))
            return;
        notices_.withdraw(lastRunNotice_);
    }
    const QString line = qs(saveEntry(entry.state));
    if (line == keptLine_ && entry.box == keptBox_)
        return;
    keptLine_ = line;
    keptBox_ = entry.box;
    store_.keepLastEntry({line, entry.box});
}

void EntryKeeper::offerLastRun() {
    const std::optional<NotebookStore::LastEntry> last = store_.lastEntry();
    if (!last)
        return;
    const std::optional<StateRecord> state = restoreEntry(u16(last->line));
    if (!state || !holdsInput(*state, u16(last->box)))
        return;
    lastRunNotice_ = notices_.offer(
        kLastRunNotice, kLastRunCaption,
        [this, entry = Entry{*state, last->box}] { putBack(entry, lastRunNotice_); }, false);
}

} // namespace pelio::ui
