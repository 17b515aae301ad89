// What the window's controls do: each handler runs the core's rule and shows what it leaves in
// the state record.

#include "ui/pelio.h"

#include "entry/kana_keys.h"
#include "entry/session.h"
#include "ui/about/pel_ver.h"
#include "ui/fix_list.h"
#include "ui/fix_panel.h"
#include "ui/label_button.h"
#include "ui/memo_box.h"
#include "ui/notebook_window.h"
#include "ui/notice_bar.h"
#include "ui/place_beside.h"
#include "ui/qt_text.h"
#include "ui/spoken_notice.h"
#include "ui/twips.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QLabel>
#include <QTimer>

#include <utility>

namespace pelio::ui {

QString Pelio::memoBoxTip() {
    return QStringLiteral("ゲームのそうさめもをここに入力（貼り付け）してEnterキーを押すと、"
                          "なまえとすすみぐあいを読み取ります。");
}

void Pelio::showNameBoxes() {
    for (int slot = 1; slot <= kNameSlots; ++slot) {
        QLabel* box = nameBoxes_[static_cast<std::size_t>(slot - 1)];
        box->setText(QChar(nameBoxText(state_, slot)));
        // Each new description is an event for assistive technology to handle.
        if (const QString spoken = qs(nameBoxSpokenText(state_, slot));
            spoken != box->accessibleDescription())
            box->setAccessibleDescription(spoken);
        setColour(box, QPalette::WindowText,
                  toColour(slot == state_.highlightedSlot ? layout::kHighlight : layout::kWhite));
    }
}

void Pelio::showFlagBoxes() {
    for (const FlagInfo& info : kFlagCatalogue)
        flagBoxes_[static_cast<std::size_t>(info.number - 1)]->setChecked(
            state_.progressFlags.isSet(info.number));
}

void Pelio::showFlagPage() {
    const int shownPage = state_.flagPage + 1;
    commandButton(layout::Command::SwitchPage)
        ->setText(qs(layout::pageSwitchCaption(state_.flagPage)));
    QCheckBox* firstShown = nullptr;
    for (const FlagInfo& info : kFlagCatalogue) {
        QCheckBox* box = flagBoxes_[static_cast<std::size_t>(info.number - 1)];
        if (info.page == shownPage) {
            box->show();
            firstShown = firstShown ? firstShown : box;
        }
    }
    // A hidden box hands its focus on along the tab order, past the rest of its page into the
    // memo box, where a key would then rewrite the memo. The first box shown takes it instead.
    QWidget* focused = focusWidget();
    for (const FlagInfo& info : kFlagCatalogue) {
        QCheckBox* box = flagBoxes_[static_cast<std::size_t>(info.number - 1)];
        if (info.page == shownPage)
            continue;
        if (box == focused)
            firstShown->setFocus(Qt::OtherFocusReason);
        box->hide();
    }
}

void Pelio::Nm_Click(KanaCode code) {
    pressKanaKey(state_, code);
    keeper_->changed();
}

void Pelio::Nm_Inpt_Click() {
    const StateRecord before = state_;
    commitPendingKey(state_);
    showNameBoxes();
    announceWrittenSlots(before);
    keeper_->changed();
}

void Pelio::Nm_Back_Click() {
    backspaceName(state_);
    showNameBoxes();
    keeper_->changed();
}

void Pelio::Nm_Typed(const QString& text) {
    const StateRecord before = state_;
    typeText(state_, u16(text));
    showNameBoxes();
    announceWrittenSlots(before);
    keeper_->changed();
}

void Pelio::announceWrittenSlots(const StateRecord& before) {
    if (state_ == before)
        return;
    // The slots whose kana changed, and the one written last, which may hold the same kana.
    QStringList written;
    for (int slot = 1; slot <= kNameSlots; ++slot) {
        const auto index = static_cast<std::size_t>(slot - 1);
        const bool changed = state_.nameShown[index] != before.nameShown[index] ||
                             state_.nameKeyIndex[index] != before.nameKeyIndex[index];
        if (changed || slot == state_.nameCursor) {
            const QLabel* box = nameBoxes_[index];
            written << box->accessibleName() + ' ' + box->accessibleDescription();
        }
    }
    announce(written.join(QStringLiteral("、")));
}

void Pelio::Chk_Click(FlagNumber number) {
    setFlag(state_, number, flagBoxes_[static_cast<std::size_t>(number - 1)]->isChecked());
    keeper_->changed();
}

void Pelio::Allset_Click() {
    const Entry before = entry();
    setAllFlags(state_);
    showFlagBoxes();
    keeper_->offerUndo(ReplacingAction::SetAll, before);
    keeper_->changed();
}

void Pelio::Lab_Pag_Click() {
    switchFlagPage(state_);
    showFlagPage();
    // The caption now says where the switch leads: the page shown is the other one.
    announce(commandButton(layout::Command::SwitchPage)->text());
    keeper_->changed();
}

void Pelio::Answer_Click() {
    takeMemo(&answer);
}

void Pelio::Nm_Clear_Click() {
    const Entry before = entry();
    const Results blank = resetEntry(state_);
    showFlagBoxes();
    showNameBoxes();
    showResults(blank);
    keeper_->offerUndo(ReplacingAction::Clear, before);
    keeper_->changed();
}

void Pelio::showResults(const Results& results) {
    for (std::size_t i = 0; i < hintLabels_.size(); ++i)
        hintLabels_[i]->setText(qs(results.hintLines[i]));
    rankLabel_->setText(qs(results.rankLine));
    memoBox_->setText(qs(results.memo));
    clearMemoReason();
}

void Pelio::PWD_Enter() {
    takeMemo(&pressEnterInMemo);
}

void Pelio::PWD_Fix_Click(const QString& memo) {
    readMemo(memo);
}

void Pelio::readMemo(const QString& text) {
    // As the player would: the memo into the box, then Enter. The memo last written is not read
    // again; the choice is confirmed all the same.
    memoBox_->setFocus();
    if (memoBox_->put(text) && takeMemo(&pressEnterInMemo) == MemoOutcome::Kind::Unchanged)
        announce(qs(spokenResults(shownResults(state_))));
}

MemoOutcome::Kind Pelio::takeMemo(
    const std::function<MemoOutcome(StateRecord&, std::u16string_view, Keeping)>& rule) {
    const Entry before = entry();
    Notebook& notebook = store_.notebook();
    const std::optional<NoteEntry> newest =
        notebook.empty() ? std::nullopt : std::optional(notebook.entries().front());
    const MemoOutcome outcome = rule(state_, u16(before.box), {&notebook, noteTimeNow()});
    showOutcome(outcome);
    if (outcome.kind == MemoOutcome::Kind::Read)
        keeper_->offerUndo(ReplacingAction::Read, before);
    if (!notebook.empty() && notebook.entries().front() != newest) {
        if (notebook_ && notebook_->isVisible())
            notebook_->showEntries();
        notebookChanged();
    }
    tellStoreNotice();
    keeper_->changed();
    return outcome.kind;
}

void Pelio::showOutcome(const MemoOutcome& outcome, bool spoken) {
    if (outcome.kind == MemoOutcome::Kind::Read) {
        showNameBoxes();
        showFlagBoxes();
    }
    if (outcome.kind == MemoOutcome::Kind::Read || outcome.kind == MemoOutcome::Kind::Completed)
        showResults(outcome.results);
    if (!outcome.reason.empty()) {
        // A refused text stays in the box, marked, for correcting; a completion's reason is
        // only a note.
        const bool refused = outcome.kind == MemoOutcome::Kind::Refused;
        showMemoReason(qs(outcome.reason), qs(outcome.announced),
                       outcome.kind != MemoOutcome::Kind::Completed, refused);
        offerFixes(outcome);
    }
    if (spoken && !outcome.announced.empty())
        announce(qs(outcome.announced));
}

Entry Pelio::entry() const {
    return {state_, memoBox_->text()};
}

// An undo, or the last run's entry: the entry and the memo box as they were, and the refusal
// of what the box holds, if any.
void Pelio::putBack(const Entry& entry) {
    state_ = entry.state;
    showNameBoxes();
    showFlagBoxes();
    showFlagPage();
    showResults(shownResults(state_));
    memoBox_->setText(entry.box);
    showOutcome(refusalOf(state_, u16(entry.box), &store_.notebook()), false);
}

// Saved once the handler that changed it has shown its results, however many changes it made.
void Pelio::notebookChanged() {
    if (std::exchange(saving_, true))
        return;
    QTimer::singleShot(0, this, [this] {
        saving_ = false;
        store_.save();
        tellStoreNotice();
    });
}

void Pelio::tellStoreNotice() {
    if (const QString notice = store_.takeNotice(); !notice.isEmpty())
        notices_->tell(notice);
}

void Pelio::announce(const QString& text) {
    said_->say(text);
}

void Pelio::showMemoReason(const QString& reason, const QString& announced, bool warning,
                           bool markTheText) {
    const QRect cell = toPixels(layout::controlOf(layout::Role::Reason).cell);
    const bool fits = memoReason_->fontMetrics()
                          .boundingRect(QRect(0, 0, cell.width(), 1000), Qt::TextWordWrap, reason)
                          .height() <= cell.height();
    memoReason_->setGeometry(fits ? cell : toPixels(layout::kLongReasonCell));
    memoTitle_->setVisible(fits);
    memoReason_->setText(reason);
    setColour(memoReason_, QPalette::WindowText,
              toColour(warning ? layout::kWarning : layout::kWhite));
    memoReason_->show();
    if (markTheText)
        setColour(memoBox_, QPalette::Text, toColour(layout::kWarning));
    memoBox_->setToolTip(reason);
    // Read with the box whenever it takes focus again, with whether memos are offered below.
    memoBox_->setAccessibleDescription(announced);
    memoReasonShown_ = true;
}

void Pelio::clearMemoReason() {
    // Every completion and every keystroke in the box come here, nearly always with no reason
    // on show; restyling the box anyway took a tenth of a completion.
    if (!memoReasonShown_)
        return;
    memoReasonShown_ = false;
    memoReason_->hide();
    memoReason_->clear();
    memoTitle_->show();
    offerFixes({});
    setColour(memoBox_, QPalette::Text, toColour(layout::kWhite));
    memoBox_->setToolTip(memoBoxTip());
    memoBox_->setAccessibleDescription(QString());
}

void Pelio::Quit_sm_Click() {
    QCoreApplication::quit();
}

void Pelio::PWD_Log_Click() {
    if (!notebook_) {
        notebook_ = new NotebookWindow(store_, this);
        connect(notebook_, &NotebookWindow::chosen, this, &Pelio::readMemo);
        connect(notebook_, &NotebookWindow::changed, this, &Pelio::notebookChanged);
        connect(notebook_, &NotebookWindow::said, this, &Pelio::announce);
    }
    // Read from its file the first time it is needed, and again for what another window wrote.
    store_.notebook();
    store_.refresh();
    tellStoreNotice();
    if (!notebook_->isVisible())
        placeBeside(*notebook_, *this);
    notebook_->showEntries();
    notebook_->show();
    notebook_->raise();
    notebook_->activateWindow();
}

void Pelio::Abot_sm_Click() {
    if (!about_)
        about_ = new Pel_Ver(this);
    if (!about_->isVisible())
        about_->placeBeside(this);
    about_->show();
    about_->raise();
    about_->activateWindow();
}

} // namespace pelio::ui
