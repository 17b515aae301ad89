// The window built from the control table: each control, its shortcuts, the tab order and the
// command each button gives.

#include "ui/pelio.h"

#include "entry/kana_keys.h"
#include "layout/controls.h"
#include "layout/window_layout.h"
#include "ui/control_names.h"
#include "ui/fix_list.h"
#include "ui/fix_panel.h"
#include "ui/flag_box.h"
#include "ui/keyboard_grid.h"
#include "ui/keystrokes.h"
#include "ui/label_button.h"
#include "ui/memo_box.h"
#include "ui/notice_bar.h"
#include "ui/picture_panel.h"
#include "ui/qt_text.h"
#include "ui/spoken_notice.h"
#include "ui/twips.h"

#include <QApplication>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QShortcut>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>
#include <vector>

namespace pelio::ui {
namespace {

using layout::Align;

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

QLabel* addLabel(QWidget* parent, const layout::Control& control) {
    return addLabel(parent, controlName(control.id), qs(control.caption), control.cell,
                    control.align);
}

// The keys a shortcut's words name: "Enter" is either Enter key, the main one or the keypad's.
QList<QKeySequence> shortcutKeys(std::string_view words) {
    const QString shortcut = controlName(words);
    QList<QKeySequence> keys{QKeySequence(shortcut)};
    if (shortcut.endsWith("+Enter"))
        keys << QKeySequence(shortcut.chopped(5) + "Return");
    return keys;
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
    buildControls(area);
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

// One control after another as the table lists them, each family from its own table.
void Pelio::buildControls(QWidget* area) {
    using layout::Role;
    for (std::size_t row = 0; row < layout::kControls.size(); ++row) {
        const layout::Control& control = layout::kControls[row];
        if (control.inAbout || control.front == layout::Front::Page)
            continue;
        QWidget* built = nullptr;
        switch (control.role) {
        case Role::Title:
            built = addLabel(area, control);
            if (&control == &layout::titleOf(layout::Role::MemoBox))
                memoTitle_ = static_cast<QLabel*>(built);
            break;
        case Role::NameBoxes:
            buildNameBoxes(area);
            break;
        case Role::Keys:
            buildKeys(area);
            break;
        case Role::FlagBoxes:
            buildFlagBoxes(area);
            break;
        case Role::Button:
            built = addCommand(area, control);
            if (control.command == layout::Command::Picture)
                buildPictureInput(area);
            break;
        case Role::MemoBox:
            built = buildMemoBox(area, control);
            break;
        case Role::Reason:
            memoReason_ = addLabel(area, control);
            memoReason_->setWordWrap(control.wraps);
            memoReason_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            memoReason_->hide();
            break;
        case Role::Line:
            built = addLabel(area, control);
            if (control.location)
                hintLabels_[static_cast<std::size_t>(*control.location)] =
                    static_cast<QLabel*>(built);
            else
                rankLabel_ = static_cast<QLabel*>(built);
            break;
        case Role::MenuItem:
            addMenuItem(control);
            break;
        case Role::FixList:   // built when memos are first offered (offerFixes)
        case Role::NoticeBar: // under the client area, built with the window
        case Role::Notebook:  // in windows of their own
        case Role::Dialog:
        case Role::Text:
            break;
        }
        controls_[row] = built;
    }
    said_ = new SpokenNotices(area);

    KeyboardGrid::Members members{};
    std::copy(keys_.begin(), keys_.end(), members.begin());
    members[layout::kBackspaceMember] = commandButton(layout::Command::Backspace);
    members[layout::kInputMember] = commandButton(layout::Command::Input);
    keyboard_ = new KeyboardGrid(members, this);
    connect(keyboard_, &KeyboardGrid::keyTyped, this, [this](KanaCode code) {
        Nm_Click(code);
        Nm_Inpt_Click();
    });
    connect(keyboard_, &KeyboardGrid::textTyped, this, &Pelio::Nm_Typed);
    // Queued: while the F10 key is still being delivered, the menu bar would not take it up.
    keystrokes_->add(QKeySequence(Qt::Key_F10), [this] {
        QMetaObject::invokeMethod(this, &Pelio::armMenuBar, Qt::QueuedConnection);
    });
}

void Pelio::buildNameBoxes(QWidget* area) {
    for (int slot = 1; slot <= kNameSlots; ++slot) {
        // Displays only: the name is entered with the keys, never typed into a box.
        QLabel* box = addLabel(area, controlName(layout::nameBoxName(slot)), QString(),
                               layout::nameBoxCell(slot), layout::nameBoxAlign(slot));
        box->setTextInteractionFlags(Qt::NoTextInteraction);
        box->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        setColour(box, QPalette::Light, toColour(layout::kSilver));
        setColour(box, QPalette::Dark, toColour(layout::kGrey));
        box->setAccessibleName(qs(layout::nameBoxSpokenName(slot)));
        nameBoxes_[static_cast<std::size_t>(slot - 1)] = box;
    }
}

void Pelio::buildKeys(QWidget* area) {
    for (int code = 0; code < kKanaCount; ++code) {
        const auto kana = static_cast<KanaCode>(code);
        auto* key = new LabelButton(qs(keyCaption(kana)), toColour(layout::kBlack),
                                    toColour(layout::kWhite), area);
        key->setObjectName(keyName(kana));
        key->setGeometry(toPixels(layout::keyCell(kana)));
        key->setAccessibleName(qs(keySpokenName(kana)));
        key->setRingMargins(QMargins(0, 0, 1, 1)); // the next key lies over the last pixel
        connect(key, &LabelButton::clicked, this, [this, kana] { Nm_Click(kana); });
        keys_[static_cast<std::size_t>(code)] = key;
    }
}

void Pelio::buildFlagBoxes(QWidget* area) {
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
}

LabelButton* Pelio::addCommand(QWidget* area, const layout::Control& control) {
    const QColor text = control.foreground
                            ? toColour(*control.foreground)
                            : QApplication::style()->standardPalette().color(QPalette::ButtonText);
    auto* button = new LabelButton(qs(control.caption), toColour(control.background), text, area);
    button->setObjectName(controlName(control.id));
    button->setGeometry(toPixels(control.cell));
    connect(button, &LabelButton::clicked, this,
            [this, command = control.command] { run(command); });
    if (!control.shortcut.empty()) {
        for (const QKeySequence& keys : shortcutKeys(control.shortcut)) {
            keystrokes_->add(keys, [button] { button->click(); });
        }
        button->setToolTip(controlName(control.shortcut));
    }
    return button;
}

LabelButton* Pelio::commandButton(layout::Command command) const {
    for (std::size_t row = 0; row < layout::kControls.size(); ++row) {
        if (layout::kControls[row].command == command && controls_[row])
            return static_cast<LabelButton*>(controls_[row]);
    }
    return nullptr;
}

void Pelio::addMenuItem(const layout::Control& control) {
    QAction* action = menuBar()->addAction(qs(control.caption));
    action->setObjectName(controlName(control.id));
    connect(action, &QAction::triggered, this, [this, command = control.command] { run(command); });
}

MemoBox* Pelio::buildMemoBox(QWidget* area, const layout::Control& control) {
    // The memo box shows each completion's memo, and reads a memo typed or pasted into it.
    memoBox_ = new MemoBox(area);
    memoBox_->setObjectName(controlName(control.id));
    memoBox_->setGeometry(toPixels(control.cell));
    // The style draws the frame a shade darker than the window colour; a light window colour
    // of its own keeps the frame visible on black.
    setColour(memoBox_, QPalette::Window, toColour(control.background));
    memoBox_->setToolTip(memoBoxTip());
    memoBox_->setAccessibleName(qs(control.spoken));
    connect(memoBox_, &QLineEdit::returnPressed, this, &Pelio::PWD_Enter);
    connect(memoBox_, &QLineEdit::textEdited, this, &Pelio::clearMemoReason);
    connect(memoBox_, &MemoBox::refused, this, [this](const QString& reason) {
        showMemoReason(reason, reason, true, false);
        announce(reason);
    });
    return memoBox_;
}

void Pelio::run(layout::Command command) {
    using layout::Command;
    switch (command) {
    case Command::Backspace:
        return Nm_Back_Click();
    case Command::Input:
        return Nm_Inpt_Click();
    case Command::SwitchPage:
        return Lab_Pag_Click();
    case Command::Answer:
        return Answer_Click();
    case Command::Clear:
        return Nm_Clear_Click();
    case Command::SetAll:
        return Allset_Click();
    case Command::Notebook:
        return PWD_Log_Click();
    case Command::Picture:
        return PWD_Img_Click();
    case Command::Quit:
        return Quit_sm_Click();
    case Command::About:
        return Abot_sm_Click();
    case Command::None:
    case Command::CopyLink:
    case Command::CopyMemo:
    case Command::CloseAbout: // the page's, or the version dialog's own
        return;
    }
}

void Pelio::offerFixes(const MemoOutcome& outcome) {
    // The list is built when the first memos are offered: an item view built at start-up was
    // half a megabyte of the peak memory at the first frame, for a list many sessions never show.
    if (!fixPanel_) {
        if (outcome.fixes.empty())
            return;
        // Made after the hint lines, so that it lies over them; Tab reaches it from the memo box.
        fixPanel_ = new FixPanel(memoBox_->parentWidget());
        const layout::Control& fixes = layout::controlOf(layout::Role::FixList);
        fixPanel_->setGeometry(toPixels(fixes.cell));
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

void Pelio::orderTabStops() {
    // As the table numbers them: the keyboard grid (one stop: the grid keeps all but one member
    // out), the boxes of the page shown, the page switch, the three commands and the memo box,
    // then the memos offered below it once there are any, and the tools beside it.
    std::vector<std::pair<int, std::size_t>> numbered;
    for (std::size_t row = 0; row < layout::kControls.size(); ++row) {
        if (layout::kControls[row].tabStop > 0)
            numbered.emplace_back(layout::kControls[row].tabStop, row);
    }
    std::sort(numbered.begin(), numbered.end());
    QList<QWidget*> stops;
    for (const auto& [stop, row] : numbered) {
        switch (layout::kControls[row].role) {
        case layout::Role::Keys:
            stops.append(QList<QWidget*>(keys_.begin(), keys_.end()));
            stops << commandButton(layout::Command::Backspace)
                  << commandButton(layout::Command::Input);
            break;
        case layout::Role::FlagBoxes:
            stops.append(QList<QWidget*>(flagBoxes_.begin(), flagBoxes_.end()));
            break;
        default:
            if (controls_[row])
                stops << controls_[row];
        }
    }
    stops << picturePanel_->stops();
    for (qsizetype i = 0; i + 1 < stops.size(); ++i)
        setTabOrder(stops[i], stops[i + 1]);
}

} // namespace pelio::ui
