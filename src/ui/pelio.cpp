#include "ui/pelio.h"

#include "hints/advice_rank.h"
#include "ui/about/pel_ver.h"
#include "ui/clickable_label.h"
#include "ui/control_names.h"
#include "ui/pixel_art.h"
#include "ui/twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QPixmap>
#include <QStyle>

namespace pelio::ui {
namespace {

constexpr int kClientWidth = 9705;
constexpr int kClientHeight = 5670;

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kHighlight(0, 255, 255); // marks the current name slot
const QColor kSilver(192, 192, 192);
const QColor kWarning(255, 96, 96); // a typed memo that does not read

const QString kMemoBoxTip =
    QStringLiteral("ゲームのそうさめもをここに入力（貼り付け）してEnterキーを押すと、"
                   "なまえとすすみぐあいを読み取ります。");

QString qs(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Where a key of the kana keyboard stands: two blocks of five columns, codes 0 to 34 on
// the left, 35 to 63 on the right, at a pitch of 240 twips.
QRect keyCell(int code) {
    constexpr int kPitch = 240, kTop = 840, kColumns = 5, kLeftBlockSize = 35;
    const bool leftBlock = code < kLeftBlockSize;
    const int index = leftBlock ? code : code - kLeftBlockSize;
    const int left = (leftBlock ? 240 : 1680) + kPitch * (index % kColumns);
    return twipsRect(left, kTop + kPitch * (index / kColumns), 255, 255);
}

QString keyCaption(KanaCode code) {
    const char16_t symbol = kanaSymbol(code);
    return symbol == kIdeographicSpace ? QStringLiteral("SP") : QString(QChar(symbol));
}

QRect flagBoxCell(const FlagInfo& info) {
    static constexpr std::array<int, 3> kColumnLeft{3240, 4920, 6960};
    return twipsRect(kColumnLeft.at(info.column - 1), 480 + 240 * (info.row - 1), info.widthTwips,
                     255);
}

// Where each hint line stands, in the order of the hint locations.
constexpr std::array<QRect, kLocations.size()> kHintCells{
    twipsRect(3000, 4440, 1935, 255), // office
    twipsRect(6840, 4440, 1935, 255), // TV station
    twipsRect(1080, 4800, 1935, 255), // theatre
    twipsRect(3000, 4800, 1935, 255), // boat-race course
    twipsRect(4920, 4800, 1695, 255), // district
    twipsRect(6840, 4800, 1695, 255), // pub
    twipsRect(1080, 5160, 1935, 255), // hillside district
    twipsRect(4920, 4440, 1935, 255), // person
};

QLabel* addLabel(QWidget* parent, const QString& name, const QString& caption, QRect cell,
                 Qt::Alignment alignment = Qt::AlignLeft) {
    auto* label = new QLabel(caption, parent);
    label->setObjectName(name);
    label->setGeometry(cell);
    label->setAlignment(alignment | Qt::AlignVCenter);
    return label;
}

void setColour(QWidget* widget, QPalette::ColorRole role, QColor colour) {
    QPalette palette = widget->palette();
    palette.setColor(role, colour);
    widget->setPalette(palette);
}

void addLine(QWidget* parent, const char* name, QRect cell) {
    auto* line = new QFrame(parent);
    line->setObjectName(name);
    line->setGeometry(cell);
    line->setAutoFillBackground(true);
    setColour(line, QPalette::Window, kSilver);
}

// A text box on the black window. The style draws its frame a shade darker than the
// window colour, so the box gets a light window colour of its own to keep the frame visible.
QLineEdit* addTextBox(QWidget* parent, const QString& name, QRect cell) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setGeometry(cell);
    box->setReadOnly(true);
    setColour(box, QPalette::Window, kSilver);
    return box;
}

} // namespace

Pelio::Pelio(QWidget* parent)
    : QMainWindow(parent) {
    setObjectName("Pelio");
    setWindowTitle(QStringLiteral("ぺりおのひらき"));
    setWindowIcon(QIcon(QPixmap::fromImage(windowIconImage())));
    setWindowFlag(Qt::WindowMaximizeButtonHint, false);

    // White text on a black window, the name boxes and the memo box included.
    auto* area = new QWidget(this);
    area->setFixedSize(px(kClientWidth), px(kClientHeight));
    area->setAutoFillBackground(true);
    QPalette palette = area->palette();
    for (QPalette::ColorRole role : {QPalette::Window, QPalette::Base})
        palette.setColor(role, kBlack);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text})
        palette.setColor(role, kWhite);
    area->setPalette(palette);
    setCentralWidget(area);

    addLine(area, "Line1", QRect(0, px(3480), px(9720), 2));
    addLine(area, "Line2", QRect(px(3000), 0, 2, px(3000)));
    addLine(area, "Line3", QRect(0, px(3000), px(9720), 2));

    buildKeyboard(area);
    buildFlagBoxes(area);
    buildCommands(area);
    buildResults(area);
    buildMenu();

    showNameBoxes();
    showFlagPage();
    layout()->setSizeConstraint(QLayout::SetFixedSize);
}

Pelio::~Pelio() = default;

void Pelio::buildKeyboard(QWidget* area) {
    addLabel(area, "Namtitle", QStringLiteral("なまえをおしえてください。"),
             twipsRect(600, 120, 2175, 255), Qt::AlignHCenter);

    for (int slot = 1; slot <= kNameSlots; ++slot) {
        auto* box = addTextBox(area, QStringLiteral("Namtext%1").arg(slot),
                               twipsRect(1080 + 240 * (slot - 1), 480, 255, 270));
        box->setFocusPolicy(Qt::NoFocus);
        box->setTextMargins(-2, 0, -2, 0); // a kana fills the narrow box
        box->setAlignment(slot == 2 ? Qt::AlignLeft : Qt::AlignHCenter);
        nameBoxes_[static_cast<std::size_t>(slot - 1)] = box;
    }

    for (int code = 0; code < kKanaCount; ++code) {
        auto* key =
            new ClickableLabel(keyCaption(static_cast<KanaCode>(code)), kBlack, kWhite, area);
        key->setObjectName(keyName(code));
        key->setGeometry(keyCell(code));
        connect(key, &ClickableLabel::clicked, this,
                [this, code] { Nm_Click(static_cast<KanaCode>(code)); });
    }
}

void Pelio::buildFlagBoxes(QWidget* area) {
    addLabel(area, "Itmtitle", QStringLiteral("すすみぐあいをおしえてください。"),
             twipsRect(4680, 120, 2655, 255), Qt::AlignHCenter);

    // White captions on the black window; the boxes themselves keep the usual dark tick on
    // white, which stays visible on black.
    QPalette boxPalette = area->palette();
    boxPalette.setColor(QPalette::Base, kWhite);
    boxPalette.setColor(QPalette::Text, kBlack);

    for (const FlagInfo& info : kFlagCatalogue) {
        auto* box = new QCheckBox(qs(info.caption), area);
        box->setPalette(boxPalette);
        box->setObjectName(controlName(info.controlName));
        box->setGeometry(flagBoxCell(info));
        const FlagNumber number = info.number;
        connect(box, &QCheckBox::toggled, this, [this, number] { Chk_Click(number); });
        flagBoxes_[static_cast<std::size_t>(number - 1)] = box;
    }
}

void Pelio::buildCommands(QWidget* area) {
    struct Command {
        const char* name;
        const char16_t* caption;
        QRect cell;
        QColor background;
        QColor foreground;
        void (Pelio::*handler)();
    };
    const QColor buttonText = QApplication::style()->standardPalette().color(QPalette::ButtonText);
    const std::array<Command, 6> commands{{
        {"Nm_Back", u"ＢＳ", twipsRect(2040, 2280, 495, 255), kBlack, kWhite,
         &Pelio::Nm_Back_Click},
        {"Nm_Inpt", u"--入力--", twipsRect(1200, 2640, 735, 255), kBlack, kWhite,
         &Pelio::Nm_Inpt_Click},
        {"Lab_Pag", u"次のページへ", twipsRect(6960, 2640, 1215, 255), QColor(128, 128, 128),
         kWhite, &Pelio::Lab_Pag_Click},
        {"Answer", u"完了", twipsRect(1680, 3120, 2655, 255), QColor(255, 255, 0), kBlack,
         &Pelio::Answer_Click},
        {"Nm_Clear", u"クリア", twipsRect(4920, 3120, 855, 255), QColor(0, 255, 255), kBlack,
         &Pelio::Nm_Clear_Click},
        {"Allset", u"全フラグセット", twipsRect(6240, 3120, 1575, 255), QColor(255, 0, 0),
         buttonText, &Pelio::Allset_Click},
    }};
    for (const Command& command : commands) {
        auto* button = new ClickableLabel(QString::fromUtf16(command.caption), command.background,
                                          command.foreground, area);
        button->setObjectName(command.name);
        button->setGeometry(command.cell);
        connect(button, &ClickableLabel::clicked, this, command.handler);
        if (command.handler == &Pelio::Lab_Pag_Click)
            pageSwitch_ = button;
    }
}

void Pelio::buildResults(QWidget* area) {
    addLabel(area, "Pwtitle", QStringLiteral("そうさめもをおしえてください。"),
             twipsRect(3960, 3600, 2295, 255));

    // The memo box shows each completion's memo, and reads a memo typed or pasted into it.
    memoBox_ = addTextBox(area, "PWD", twipsRect(2640, 3960, 4815, 375));
    memoBox_->setReadOnly(false);
    memoBox_->setToolTip(kMemoBoxTip);
    connect(memoBox_, &QLineEdit::returnPressed, this, &Pelio::PWD_Enter);
    connect(memoBox_, &QLineEdit::textEdited, this, &Pelio::clearMemoWarning);

    rankLabel_ =
        addLabel(area, "Lab_Gam", qs(kAdviceRankCaption), twipsRect(1080, 4440, 1935, 255));
    for (std::size_t i = 0; i < kLocations.size(); ++i) {
        const LocationInfo& place = kLocations[i];
        hintLabels_[i] =
            addLabel(area, controlName(place.labelName), qs(place.prefix), kHintCells[i]);
    }
}

void Pelio::buildMenu() {
    QAction* quit = menuBar()->addAction(QStringLiteral("終了"));
    quit->setObjectName("Quit_sm");
    connect(quit, &QAction::triggered, this, &Pelio::Quit_sm_Click);

    QAction* about = menuBar()->addAction(QStringLiteral("About"));
    about->setObjectName("Abot_sm");
    connect(about, &QAction::triggered, this, &Pelio::Abot_sm_Click);
}

void Pelio::showNameBoxes() {
    for (int slot = 1; slot <= kNameSlots; ++slot) {
        QLineEdit* box = nameBoxes_[static_cast<std::size_t>(slot - 1)];
        box->setText(QChar(nameBoxText(state_, slot)));
        setColour(box, QPalette::Text, slot == state_.highlightedSlot ? kHighlight : kWhite);
    }
}

void Pelio::showFlagBoxes() {
    for (const FlagInfo& info : kFlagCatalogue)
        flagBoxes_[static_cast<std::size_t>(info.number - 1)]->setChecked(
            state_.progressFlags.isSet(info.number));
}

void Pelio::showFlagPage() {
    const int shownPage = state_.flagPage + 1;
    pageSwitch_->setText(shownPage == 1 ? QStringLiteral("次のページへ")
                                        : QStringLiteral("前のページへ"));
    for (const FlagInfo& info : kFlagCatalogue)
        flagBoxes_[static_cast<std::size_t>(info.number - 1)]->setVisible(info.page == shownPage);
}

void Pelio::Nm_Click(KanaCode code) {
    pressKanaKey(state_, code);
}

void Pelio::Nm_Inpt_Click() {
    commitPendingKey(state_);
    showNameBoxes();
}

void Pelio::Nm_Back_Click() {
    backspaceName(state_);
    showNameBoxes();
}

void Pelio::Chk_Click(FlagNumber number) {
    setFlag(state_, number, flagBoxes_[static_cast<std::size_t>(number - 1)]->isChecked());
}

void Pelio::Allset_Click() {
    setAllFlags(state_);
    showFlagBoxes();
}

void Pelio::Lab_Pag_Click() {
    switchFlagPage(state_);
    showFlagPage();
}

void Pelio::Answer_Click() {
    const Completion result = complete(state_);
    for (std::size_t i = 0; i < hintLabels_.size(); ++i)
        hintLabels_[i]->setText(qs(result.hintLines[i]));
    rankLabel_->setText(qs(result.rankLine));
    memoBox_->setText(qs(result.memo));
    clearMemoWarning();
}

void Pelio::Nm_Clear_Click() {
    resetEntry(state_);
    showFlagBoxes();
    for (std::size_t i = 0; i < hintLabels_.size(); ++i)
        hintLabels_[i]->setText(qs(kLocations[i].prefix));
    rankLabel_->setText(qs(kAdviceRankCaption));
    showNameBoxes();
    memoBox_->clear();
    clearMemoWarning();
}

void Pelio::PWD_Enter() {
    const QString typed = memoBox_->text();
    if (const std::optional<MemoError> error = enterMemo(
            state_, std::u16string_view(reinterpret_cast<const char16_t*>(typed.utf16()),
                                        static_cast<std::size_t>(typed.size())))) {
        showMemoWarning(qs(error->message)); // the text stays for correction
        return;
    }
    showNameBoxes();
    showFlagBoxes();
    Answer_Click();
}

void Pelio::showMemoWarning(const QString& reason) {
    setColour(memoBox_, QPalette::Text, kWarning);
    memoBox_->setToolTip(reason);
    memoBox_->setAccessibleDescription(reason);
    memoWarningShown_ = true;
}

void Pelio::clearMemoWarning() {
    // Every completion and every keystroke in the box come here, nearly always with no warning
    // on show; restyling the box anyway took a tenth of a completion.
    if (!memoWarningShown_)
        return;
    memoWarningShown_ = false;
    setColour(memoBox_, QPalette::Text, kWhite);
    memoBox_->setToolTip(kMemoBoxTip);
    memoBox_->setAccessibleDescription(QString());
}

void Pelio::Quit_sm_Click() {
    QCoreApplication::quit();
}

void Pelio::Abot_sm_Click() {
    if (!about_)
        about_ = new Pel_Ver(this);
    about_->show();
    about_->raise();
    about_->activateWindow();
}

} // namespace pelio::ui
