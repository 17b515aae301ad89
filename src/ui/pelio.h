#pragma once

#include "entry/memo_entry.h"
#include "hints/location_hints.h"
#include "layout/window_layout.h"
#include "ui/entry_keeper.h"
#include "ui/notebook_store.h"

#include <QMainWindow>
#include <QPointer>

#include <array>
#include <functional>
#include <vector>

class QCheckBox;
class QLabel;

namespace pelio::ui {

class LabelButton;
class FixList;
class FixPanel;
class KeyboardGrid;
class Keystrokes;
class MemoBox;
class NoticeBar;
class NotebookWindow;
class Pel_Ver;
class PictureInput;
class PicturePanel;
struct LoadedPicture;
class SpokenNotices;

// The main window: the kana keyboard and name boxes, the progress check boxes, the
// commands, and the memo, hints and rank a completion shows. It keeps one state record
// and shows what the rules leave there.
class Pelio : public QMainWindow {
    Q_OBJECT
public:
    explicit Pelio(QWidget* parent = nullptr);
    ~Pelio() override;

    const StateRecord& state() const { return state_; }

    // Reads `text` as Enter in the memo box would: a memo given on the command line, chosen in
    // the notebook or offered for a slip.
    void readMemo(const QString& text);

public slots:
    void Nm_Click(pelio::KanaCode code);
    void Nm_Inpt_Click();
    void Nm_Back_Click();
    void Chk_Click(pelio::FlagNumber number);
    void Allset_Click();
    void Lab_Pag_Click();
    void Answer_Click();
    void Nm_Clear_Click();
    void PWD_Enter();
    void PWD_Fix_Click(const QString& memo);
    void Quit_sm_Click();
    void Abot_sm_Click();
    void PWD_Log_Click();
    void PWD_Img_Click();
    // Kana typed on the computer's keyboard: each acts as its key and the input key.
    void Nm_Typed(const QString& text);

protected:
    // Typing anywhere but in the memo box goes to the name.
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildControls(QWidget* area);
    void buildNameBoxes(QWidget* area);
    void buildKeys(QWidget* area);
    void buildFlagBoxes(QWidget* area);
    LabelButton* addCommand(QWidget* area, const layout::Control& control);
    MemoBox* buildMemoBox(QWidget* area, const layout::Control& control);
    void addMenuItem(const layout::Control& control);
    LabelButton* commandButton(layout::Command command) const;
    void run(layout::Command command);
    void buildPictureInput(QWidget* area);
    void orderTabStops();
    static QString memoBoxTip();
    void armMenuBar();
    void attachIcon();

    void showNameBoxes();
    void showFlagBoxes();
    void showFlagPage();
    void showResults(const Results& results);
    void showOutcome(const MemoOutcome& outcome, bool spoken = true);
    void showMemoReason(const QString& reason, const QString& announced, bool warning,
                        bool markTheText);
    void offerFixes(const MemoOutcome& outcome);
    // Enter or 完了: the memo box read by `rule`, the memo kept in the notebook, and a read that
    // replaced the name or the ticks offered to be undone.
    MemoOutcome::Kind
    takeMemo(const std::function<MemoOutcome(StateRecord&, std::u16string_view, Keeping)>& rule);
    // A picture pasted, dropped or chosen: what it gave read as Enter would read it.
    void takePicture(const LoadedPicture& picture);
    Entry entry() const;
    void putBack(const Entry& entry);
    void notebookChanged();
    void tellStoreNotice();
    void clearMemoReason();
    void announce(const QString& text);
    void announceWrittenSlots(const StateRecord& before);
    std::array<QLabel*, 1 + kLocations.size()> resultLines() const;

    StateRecord state_;

    // The table's controls that stand on their own, by row; null where a row is none of them.
    std::array<QWidget*, layout::kControls.size()> controls_{};

    std::array<QLabel*, kNameSlots> nameBoxes_{};
    std::array<QCheckBox*, kFlagCount> flagBoxes_{};
    std::array<QLabel*, kLocations.size()> hintLabels_{};
    std::array<LabelButton*, kKanaCount> keys_{};
    Keystrokes* keystrokes_ = nullptr;
    KeyboardGrid* keyboard_ = nullptr;
    layout::ArrowMoves flagMoves_;
    QLabel* memoTitle_ = nullptr;
    QLabel* rankLabel_ = nullptr;
    MemoBox* memoBox_ = nullptr;
    QLabel* memoReason_ = nullptr;
    FixPanel* fixPanel_ = nullptr;
    FixList* fixList_ = nullptr;
    SpokenNotices* said_ = nullptr;
    NotebookStore store_;
    NoticeBar* notices_ = nullptr;
    EntryKeeper* keeper_ = nullptr;
    bool saving_ = false;
    QPointer<NotebookWindow> notebook_;
    PictureInput* pictures_ = nullptr;
    PicturePanel* picturePanel_ = nullptr;
    bool memoReasonShown_ = false;
    bool iconAttached_ = false;
    QPointer<Pel_Ver> about_;
};

} // namespace pelio::ui
