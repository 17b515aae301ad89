#include "ui/pelio.h"

#include "entry/kana_keys.h"
#include "entry/session.h"
#include "layout/window_layout.h"
#include "ui/about/pel_ver.h"
#include "ui/clickable_label.h"
#include "ui/control_names.h"
#include "ui/fix_list.h"
#include "ui/fix_panel.h"
#include "ui/flag_box.h"
#include "ui/keyboard_grid.h"
#include "ui/keystrokes.h"
#include "ui/memo_box.h"
#include "ui/notebook_window.h"
#include "ui/notice_bar.h"
#include "ui/picture_panel.h"
#include "ui/pictures.h"
#include "ui/place_beside.h"
#include "ui/qt_text.h"
#include "ui/spoken_notice.h"
#include "ui/twips.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QShortcut>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <algorithm>
#include <map>

namespace pelio::ui {
namespace {

using layout::Align;

const QColor kSilver(192, 192, 192);
const QColor kGrey(128, 128, 128);

const QString kMemoBoxTip =
    QStringLiteral("ゲームのそうさめもをここに入力（貼り付け）してEnterキーを押すと、"
                   "なまえとすすみぐあいを読み取ります。");

// The client area, with the dividing lines painted on it: painted, they are no controls
// for assistive technology to list.
class ClientArea : public QWidget {
public:
    explicit ClientArea(QWidget* parent)
        : QWidget(parent) {
        setFixedSize(px(layout::kClientWidth), px(layout::kClientHeight));
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        for (const layout::Line& line : layout::kLines)
            painter.fillRect(QRect(px(line.x1), px(line.y1),
                                   std::max(px(line.x2 - line.x1), layout::kLineWidthPixels),
                                   std::max(px(line.y2 - line.y1), layout::kLineWidthPixels)),
                             toColour(layout::kLineColour));
    }
};

QLabel* addLabel(QWidget* parent, const QString& name, const QString& caption,
                 const layout::Rect& cell, Align align = Align::Left) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setGeometry(toPixels(cell));
    label->setAlignment((align == Align::Centre ? Qt::AlignHCenter : Qt::AlignLeft) |
                        Qt::AlignVCenter);
    return label;
}

void addTitle(QWidget* parent, std::string_view name) {
    for (const layout::Title& title : layout::kTitles) {
        if (title.name == name)
            addLabel(parent, controlName(title.name), qs(title.caption), title.cell, title.align);
    }
}

// The keys a shortcut's words name: "Enter" is either Enter key, the main one or the keypad's.
QList<QKeySequence> shortcutKeys(std::string_view words) {
    const QString shortcut = controlName(words);
    QList<QKeySequence> keys{QKeySequence(shortcut)};
    if (shortcut.endsWith("+Enter"))
        keys << QKeySequence(shortcut.chopped(5) + "Return");
    return keys;
}

void setColour(QWidget* widget, QPalette::ColorRole role, QColor colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

} // namespace

Pelio::Pelio(QWidget* parent)
    : QMainWindow(parent) {
    setObjectName("Pelio");
    setWindowTitle(qs(layout::kWindowTitle));
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);

    // White text on black everywhere below the menu bar, also where a window manager makes
    // the window larger than its fixed size.
    auto* background = new QWidget(this);
    background->setAutoFillBackground(true);
    QPalette palette = background->palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base})
        palette.setColor(role, toColour(layout::kBlack));
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
        palette.setColor(role, toColour(layout::kWhite));
    background->setPalette(palette);
    auto* area = new ClientArea(background);
    (new QVBoxLayout(background))->addWidget(area, 0, Qt::AlignLeft | Qt::AlignTop);
    background->layout()->setContentsMargins(0, 0, 0, 0);
    background->layout()->setSpacing(0);
    // Under the client area, and there only while it has a notice: nothing of the form moves.
    notices_ = new NoticeBar(background);
    notices_->setFixedWidth(area->width());
    background->layout()->addWidget(notices_);
    connect(notices_, &NoticeBar::shown, this, &Pelio::announce);
    keeper_ = new EntryKeeper(
        store_, *notices_, [this] { return entry(); }, [this](const Entry& kept) { putBack(kept); },
        this);
    setCentralWidget(background);

    keystrokes_ = new Keystrokes(this);
    // Built area by area in reading order, which is the order a screen reader lists them in.
    buildKeyboard(area);
    buildFlagBoxes(area);
    buildCommands(area);
    buildResults(area);
    buildMenu();
    orderTabStops();

    showNameBoxes();
    showFlagPage();
    showResults(blankResults());
    // Ctrl+Z anywhere but in the memo box, which keeps its own.
    auto* undoKeys = new QShortcut(QKeySequence::Undo, this);
    undoKeys->setAutoRepeat(false);
    connect(undoKeys, &QShortcut::activated, keeper_, &EntryKeeper::undo);
    connect(memoBox_, &QLineEdit::textChanged, keeper_, &EntryKeeper::changed);
    keeper_->offerLastRun();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    keyboard_->current()->setFocus();
}

Pelio::~Pelio() = default;

void Pelio::buildKeyboard(QWidget* area) {
    addTitle(area, "Namtitle");
    for (int slot = 1; slot <= kNameSlots; ++slot) {
        // Displays only: the name is entered with the keys, never typed into a box.
        QLabel* box = addLabel(area, QStringLiteral("Namtext%1").arg(slot), QString(),
                               layout::nameBoxCell(slot), layout::nameBoxAlign(slot));
        box->setTextInteractionFlags(Qt::NoTextInteraction);
        box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setColour(box, QPalette::Light, kSilver);
        setColour(box, QPalette::Dark, kGrey);
        box->setAccessibleName(qs(layout::nameBoxSpokenName(slot)));
        nameBoxes_[static_cast<std::size_t>(slot - 1)] = box;
    }

    for (int code = 0; code < kKanaCount; ++code) {
        const auto kana = static_cast<KanaCode>(code);
        auto* key = new ClickableLabel(qs(keyCaption(kana)), toColour(layout::kBlack),
                                       toColour(layout::kWhite), area);
        key->setObjectName(keyName(kana));
        key->setGeometry(toPixels(layout::keyCell(kana)));
        key->setAccessibleName(qs(keySpokenName(kana)));
        key->setRingMargins(QMargins(0, 0, 1, 1)); // the next key lies over the last pixel
        connect(key, &ClickableLabel::clicked, this, [this, kana] { Nm_Click(kana); });
        keys_[static_cast<std::size_t>(code)] = key;
    }

    KeyboardGrid::Members members{};
    std::copy(keys_.begin(), keys_.end(), members.begin());
    members[layout::kBackspaceMember] = addCommand(area, "Nm_Back");
    members[layout::kInputMember] = addCommand(area, "Nm_Inpt");
    keyboard_ = new KeyboardGrid(members, this);
    connect(keyboard_, &KeyboardGrid::keyTyped, this, [this](KanaCode code) {
        Nm_Click(code);
        Nm_Inpt_Click();
    });
    connect(keyboard_, &KeyboardGrid::textTyped, this, &Pelio::Nm_Typed);
}

void Pelio::buildFlagBoxes(QWidget* area) {
    addTitle(area, "Itmtitle");
    // White captions on the black window; the boxes themselves keep the usual dark tick on
    // white, which stays visible on black.
    QPalette boxPalette = area->palette();
    boxPalette.setColor(QPalette::Base, toColour(layout::kWhite));
    boxPalette.setColor(QPalette::Text, toColour(layout::kBlack));

    for (const FlagInfo& info : kFlagCatalogue) {
        auto* box = new FlagBox(qs(info.caption), area);
        box->setPalette(boxPalette);
        box->setObjectName(controlName(info.controlName));
        box->setGeometry(toPixels(layout::flagBoxCell(info)));
        const FlagNumber number = info.number;
        connect(box, &QCheckBox::toggled, this, [this, number] { Chk_Click(number); });
        connect(box, &FlagBox::arrowPressed, this, [this, number](layout::Direction direction) {
            const FlagNumber to = layout::flagBoxMove(flagMoves_, number, direction);
            flagBoxes_[static_cast<std::size_t>(to - 1)]->setFocus(Qt::TabFocusReason);
        });
        flagBoxes_[static_cast<std::size_t>(number - 1)] = box;
    }
    pageSwitch_ = addCommand(area, "Lab_Pag");
}

ClickableLabel* Pelio::addCommand(QWidget* area, std::string_view name) {
    static const std::map<std::string_view, void (Pelio::*)()> kHandlers{
        {"Nm_Back", &Pelio::Nm_Back_Click},   {"Nm_Inpt", &Pelio::Nm_Inpt_Click},
        {"Lab_Pag", &Pelio::Lab_Pag_Click},   {"Answer", &Pelio::Answer_Click},
        {"Nm_Clear", &Pelio::Nm_Clear_Click}, {"Allset", &Pelio::Allset_Click},
        {"PWD_Log", &Pelio::PWD_Log_Click},   {"PWD_Img", &Pelio::PWD_Img_Click},
    };
    const layout::Command& command = layout::command(name);
    const QColor text = command.foreground
                            ? toColour(*command.foreground)
                            : QApplication::style()->standardPalette().color(QPalette::ButtonText);
    auto* button =
        new ClickableLabel(qs(command.caption), toColour(command.background), text, area);
    button->setObjectName(controlName(command.name));
    button->setGeometry(toPixels(command.cell));
    connect(button, &ClickableLabel::clicked, this, kHandlers.at(command.name));
    if (!command.shortcut.empty()) {
        for (const QKeySequence& keys : shortcutKeys(command.shortcut)) {
            keystrokes_->add(keys, [button] { button->click(); });
        }
        button->setToolTip(controlName(command.shortcut));
    }
    return button;
}

void Pelio::buildCommands(QWidget* area) {
    for (std::string_view name : {"Answer", "Nm_Clear", "Allset"})
        addCommand(area, name);
}

void Pelio::buildResults(QWidget* area) {
    addTitle(area, "Pwtitle");
    // The memo box shows each completion's memo, and reads a memo typed or pasted into it.
    memoBox_ = new MemoBox(area);
    memoBox_->setObjectName(controlName(layout::kMemoBoxName));
    memoBox_->setGeometry(toPixels(layout::kMemoBoxCell));
    // The style draws the frame a shade darker than the window colour; a light window colour
    // of its own keeps the frame visible on black.
    setColour(memoBox_, QPalette::Window, kSilver);
    memoBox_->setToolTip(kMemoBoxTip);
    memoBox_->setAccessibleName(QStringLiteral("そうさめも"));
    connect(memoBox_, &QLineEdit::returnPressed, this, &Pelio::PWD_Enter);
    connect(memoBox_, &QLineEdit::textEdited, this, &Pelio::clearMemoReason);
    connect(memoBox_, &MemoBox::refused, this, [this](const QString& reason) {
        showMemoReason(reason, reason, true, false);
        announce(reason);
    });
    addCommand(area, "PWD_Log");
    buildPictureInput(area);

    memoReason_ = addLabel(area, "Lab_Rsn", QString(), layout::kReasonCell);
    memoReason_->setWordWrap(true);
    memoReason_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    memoReason_->hide();

    rankLabel_ = addLabel(area, controlName(layout::kRankLineName), QString(),
                          layout::resultCell(layout::kRankLineName));
    for (std::size_t i = 0; i < kLocations.size(); ++i) {
        const std::string_view name = kLocations[i].labelName;
        hintLabels_[i] = addLabel(area, controlName(name), QString(), layout::resultCell(name));
    }
    said_ = new SpokenNotices(area);
}

void Pelio::offerFixes(const MemoOutcome& outcome) {
    // The list is built when the first memos are offered: an item view built at start-up was
    // half a megabyte of the peak memory at the first frame, for a list many sessions never show.
    if (!fixPanel_) {
        if (outcome.fixes.empty())
            return;
        // Made after the hint lines, so that it lies over them; Tab reaches it from the memo box.
        fixPanel_ = new FixPanel(memoBox_->parentWidget());
        fixPanel_->setGeometry(toPixels(layout::kFixListCell));
        fixList_ = fixPanel_->list();
        setTabOrder(memoBox_, fixList_);
        // Queued: choosing empties the list, which must not lose its items while it reports one.
        connect(fixList_, &FixList::chosen, this, &Pelio::PWD_Fix_Click, Qt::QueuedConnection);
        connect(fixList_, &FixList::leftForTheMemoBox, memoBox_, [this] { memoBox_->setFocus(); });
        connect(fixList_, &FixList::stayedOn, this, &Pelio::announce);
    }
    fixPanel_->show(outcome);
    // The list lies over the rank and the hint lines: hidden there, they are hidden for
    // assistive technology too.
    const QRect covering = fixPanel_->isVisible() ? fixPanel_->geometry() : QRect();
    for (QLabel* line : resultLines())
        line->setVisible(!covering.intersects(line->geometry()));
}

std::array<QLabel*, 1 + kLocations.size()> Pelio::resultLines() const {
    std::array<QLabel*, 1 + kLocations.size()> lines{rankLabel_};
    std::copy(hintLabels_.begin(), hintLabels_.end(), lines.begin() + 1);
    return lines;
}

void Pelio::buildMenu() {
    static const std::map<std::string_view, void (Pelio::*)()> kHandlers{
        {"Quit_sm", &Pelio::Quit_sm_Click},
        {"Abot_sm", &Pelio::Abot_sm_Click},
    };
    for (const layout::MenuItem& item : layout::kMenuItems) {
        QAction* action = menuBar()->addAction(qs(item.caption));
        action->setObjectName(controlName(item.name));
        connect(action, &QAction::triggered, this, kHandlers.at(item.name));
    }
    // Queued: while the F10 key is still being delivered, the menu bar would not take it up.
    keystrokes_->add(QKeySequence(Qt::Key_F10), [this] {
        QMetaObject::invokeMethod(this, &Pelio::armMenuBar, Qt::QueuedConnection);
    });
}

void Pelio::orderTabStops() {
    // The keyboard grid (one stop: the grid keeps all but one member out), the boxes of the
    // page shown, the page switch, the three commands and the memo box, then the memos offered
    // below it once there are any.
    QList<QWidget*> stops(keys_.begin(), keys_.end());
    for (const char* name : {"Nm_Back", "Nm_Inpt"})
        stops << findChild<QWidget*>(name);
    stops.append(QList<QWidget*>(flagBoxes_.begin(), flagBoxes_.end()));
    for (const char* name : {"Lab_Pag", "Answer", "Nm_Clear", "Allset"})
        stops << findChild<QWidget*>(name);
    stops << memoBox_ << findChild<QWidget*>("PWD_Log") << findChild<QWidget*>("PWD_Img");
    stops << picturePanel_->stops();
    for (qsizetype i = 0; i + 1 < stops.size(); ++i)
        setTabOrder(stops[i], stops[i + 1]);
}

void Pelio::armMenuBar() {
    // As a lone Alt press does. Qt has no call for it: the menu bar watches the keys that
    // reach the focused control for an Alt press and release, so it is sent those.
    QWidget* target = focusWidget() ? focusWidget() : this;
    QKeyEvent override(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::AltModifier);
    QKeyEvent press(QEvent::KeyPress, Qt::Key_Alt, Qt::AltModifier);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Alt, Qt::NoModifier);
    for (QKeyEvent* event : {&override, &press, &release})
        QCoreApplication::sendEvent(target, event);
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
    pageSwitch_->setText(qs(layout::pageSwitchCaption(state_.flagPage)));
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

void Pelio::keyPressEvent(QKeyEvent* event) {
    // Only what no control took arrives here: the memo box keeps its own typing.
    const bool plain =
        (event->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier)) == Qt::NoModifier;
    if (plain && event->key() == Qt::Key_Backspace) {
        Nm_Back_Click();
        return;
    }
    if (plain && !event->text().isEmpty() && event->text().at(0).isPrint()) {
        Nm_Typed(event->text());
        return;
    }
    // Down from the memo box goes to the memos offered below it.
    if (event->key() == Qt::Key_Down && focusWidget() == memoBox_ && fixList_ &&
        fixList_->isVisible()) {
        fixList_->setFocus(Qt::TabFocusReason);
        return;
    }
    QMainWindow::keyPressEvent(event);
}

// The icon at its four sizes, a thirtieth of start-up with handing it to the window system,
// waits until the first frame is out; the desktop shows it a moment later. A window that is
// not painted soon, such as one on a workspace not in view, gets it all the same.
void Pelio::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    QTimer::singleShot(250, this, &Pelio::attachIcon);
}

void Pelio::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    if (!iconAttached_)
        QMetaObject::invokeMethod(this, &Pelio::attachIcon, Qt::QueuedConnection);
}

void Pelio::attachIcon() {
    if (iconAttached_)
        return;
    iconAttached_ = true;
    setWindowIcon(programIcon());
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
    announce(pageSwitch_->text());
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
    const QRect cell = toPixels(layout::kReasonCell);
    const bool fits = memoReason_->fontMetrics()
                          .boundingRect(QRect(0, 0, cell.width(), 1000), Qt::TextWordWrap, reason)
                          .height() <= cell.height();
    memoReason_->setGeometry(fits ? cell : toPixels(layout::kLongReasonCell));
    findChild<QLabel*>("Pwtitle")->setVisible(fits);
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
    findChild<QLabel*>("Pwtitle")->show();
    offerFixes({});
    setColour(memoBox_, QPalette::Text, toColour(layout::kWhite));
    memoBox_->setToolTip(kMemoBoxTip);
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

void Pelio::changeEvent(QEvent* event) {
    // Another window may have changed the notebook since this one last read it.
    if (event->type() == QEvent::ActivationChange && isActiveWindow())
        store_.refresh();
    QMainWindow::changeEvent(event);
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
