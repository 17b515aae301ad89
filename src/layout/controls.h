#pragma once

#include "hints/location_hints.h"
#include "layout/form.h"
#include "layout/version.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

// Every control of the window, the version dialog and the page: one row each, in the order the
// window builds them, which is the order a screen reader lists them in. The kana keys, the name
// boxes and the check boxes come in families from their own tables; a row stands for each
// family where it goes.
namespace pelio::layout {

// What a click on a button does, whichever front end shows it.
enum class Command : std::uint8_t {
    None,
    Backspace,
    Input,
    SwitchPage,
    Answer,
    Clear,
    SetAll,
    Notebook,
    Picture,
    CopyLink,
    CopyMemo,
    Quit,
    About,
    CloseAbout,
};
inline constexpr int kCommandCount = static_cast<int>(Command::CloseAbout) + 1;

enum class Role : std::uint8_t {
    Title,     // a caption that never changes
    NameBoxes, // the family of four name boxes
    Keys,      // the family of 64 kana keys
    FlagBoxes, // the family of 46 check boxes
    Button,    // a caption that acts as a button
    MemoBox,
    Reason,  // why a memo does not read
    FixList, // the memos offered for a slip
    Line,    // a result line: the rank or a place's hint
    MenuItem,
    NoticeBar, // under the window: what an action replaced, with its undo
    Notebook,  // the notebook's list of memos
    Dialog,    // the version dialog
    Text,      // one of the version dialog's texts
};

// The font a control's caption is set in: the window's, or one of the version dialog's
// (about_layout.h).
enum class Face : std::uint8_t { Window, AboutTitle, AboutVersion };

// Which front ends show a control.
enum class Front : std::uint8_t { Both, Window, Page };

struct Control {
    std::string_view id; // the object name and the page's element id
    Role role;
    Front front = Front::Both;
    std::u16string_view caption = {};
    Rect cell = {}; // in its window's client area
    Align align = Align::Left;
    Rgb background = kBlack;
    // A control with no text colour of its own uses the platform's text colour.
    std::optional<Rgb> foreground = kWhite;
    // In the words the player sees in the tooltips, "Ctrl+Enter"; Enter is either Enter key,
    // the main one or the keypad's.
    std::string_view shortcut = {};
    int tabStop = 0; // its place in the window's tab order, from 1; 0 takes none of its own
    std::u16string_view spoken = {}; // what a screen reader calls it, where the caption is not
    Command command = Command::None;
    std::optional<Location> location = std::nullopt; // the place a hint line tells of
    bool inAbout = false; // in the version dialog, its cell in the dialog's client area
    Face face = Face::Window;
    bool wraps = false; // a caption longer than its line goes on to the next
};

inline constexpr Rgb kSilver{192, 192, 192};
inline constexpr Rgb kGrey{128, 128, 128};

// The notebook's and the link's buttons, in the page's wide layout: to the right of the memo
// box, in the room left between it and the client area's edge, a third and the rest of it; the
// picture's to its left, as wide as the link's.
inline constexpr Rect kMemoBoxCell{2640, 3960, 4815, 375};
inline constexpr int kToolGap = 90;
inline constexpr Rect kPageLogCell{
    kMemoBoxCell.left + kMemoBoxCell.width + kToolGap, kMemoBoxCell.top,
    (kClientWidth - kMemoBoxCell.left - kMemoBoxCell.width) / 3 - kToolGap, kMemoBoxCell.height};
inline constexpr Rect kPageLinkCell{
    kPageLogCell.left + kPageLogCell.width + kToolGap, kMemoBoxCell.top,
    kClientWidth - kToolGap - (kPageLogCell.left + kPageLogCell.width + kToolGap),
    kMemoBoxCell.height};
inline constexpr Rect kPagePictureCell{kMemoBoxCell.left - kToolGap - kPageLinkCell.width,
                                       kMemoBoxCell.top, kPageLinkCell.width, kMemoBoxCell.height};

inline constexpr Rect hintCell(int left, int top, int width = 1935) {
    return {left, top, width, 255};
}

inline constexpr std::array kControls{
    Control{.id = "Namtitle",
            .role = Role::Title,
            .caption = u"なまえをおしえてください。",
            .cell = {600, 120, 2175, 255},
            .align = Align::Centre},
    Control{.id = "", .role = Role::NameBoxes},
    Control{.id = "", .role = Role::Keys, .tabStop = 1, .spoken = u"かなのキー"},
    Control{.id = "Nm_Back",
            .role = Role::Button,
            .caption = u"ＢＳ",
            .cell = {2040, 2280, 495, 255},
            .command = Command::Backspace},
    Control{.id = "Nm_Inpt",
            .role = Role::Button,
            .caption = u"--入力--",
            .cell = {1200, 2640, 735, 255},
            .command = Command::Input},
    Control{.id = "Itmtitle",
            .role = Role::Title,
            .caption = u"すすみぐあいをおしえてください。",
            .cell = {4680, 120, 2655, 255},
            .align = Align::Centre},
    Control{.id = "", .role = Role::FlagBoxes, .tabStop = 2},
    Control{.id = "Lab_Pag",
            .role = Role::Button,
            .caption = u"次のページへ",
            .cell = {6960, 2640, 1215, 255},
            .background = kGrey,
            .shortcut = "Alt+N",
            .tabStop = 3,
            .command = Command::SwitchPage},
    Control{.id = "Answer",
            .role = Role::Button,
            .caption = u"完了",
            .cell = {1680, 3120, 2655, 255},
            .background = {255, 255, 0},
            .foreground = kBlack,
            .shortcut = "Ctrl+Enter",
            .tabStop = 4,
            .command = Command::Answer},
    Control{.id = "Nm_Clear",
            .role = Role::Button,
            .caption = u"クリア",
            .cell = {4920, 3120, 855, 255},
            .background = {0, 255, 255},
            .foreground = kBlack,
            .shortcut = "Alt+C",
            .tabStop = 5,
            .command = Command::Clear},
    Control{.id = "Allset",
            .role = Role::Button,
            .caption = u"全フラグセット",
            .cell = {6240, 3120, 1575, 255},
            .background = {255, 0, 0},
            .foreground = std::nullopt,
            .shortcut = "Alt+A",
            .tabStop = 6,
            .command = Command::SetAll},
    Control{.id = "Pwtitle",
            .role = Role::Title,
            .caption = u"そうさめもをおしえてください。",
            .cell = {3960, 3600, 2295, 255}},
    Control{.id = "PWD",
            .role = Role::MemoBox,
            .cell = kMemoBoxCell,
            .background = kSilver, // the frame's, drawn a shade darker
            .tabStop = 7,
            .spoken = u"そうさめも"},
    // The page's tools beside the memo box, in the order the page lists them.
    Control{.id = "PWD_Img",
            .role = Role::Button,
            .front = Front::Page,
            .caption = u"写真から読む",
            .cell = kPagePictureCell,
            .command = Command::Picture},
    Control{.id = "PWD_Log",
            .role = Role::Button,
            .front = Front::Page,
            .caption = u"ノート",
            .cell = kPageLogCell,
            .command = Command::Notebook},
    Control{.id = "PWD_Link",
            .role = Role::Button,
            .front = Front::Page,
            .caption = u"リンクをコピー",
            .cell = kPageLinkCell,
            .command = Command::CopyLink},
    Control{.id = "PWD_Copy",
            .role = Role::Button,
            .front = Front::Page,
            .caption = u"コピー",
            .command = Command::CopyMemo},
    // The window's, in the room between the memo box's right edge and the client area's; the
    // picture's comes with the window's picture input.
    Control{.id = "PWD_Log",
            .role = Role::Button,
            .front = Front::Window,
            .caption = u"ノート",
            .cell = {7545, 3960, 660, 375},
            .background = kSilver,
            .foreground = kBlack,
            .shortcut = "Ctrl+L",
            .tabStop = 9,
            .command = Command::Notebook},
    Control{.id = "PWD_Img",
            .role = Role::Button,
            .front = Front::Window,
            .caption = u"画像から読む…",
            .cell = {8295, 3960, 1320, 375},
            .background = kSilver,
            .foreground = kBlack,
            .tabStop = 10,
            .command = Command::Picture},
    // Beside the memo box's title; a reason too long for that takes the whole row, over the
    // title, which it stands for while it is shown (kLongReasonCell).
    Control{.id = "Lab_Rsn",
            .role = Role::Reason,
            .cell = {6300, 3510, 3390, 435},
            .foreground = kWarning,
            .wraps = true},
    // Below the memo box and over the result lines, whose results are an earlier completion's
    // while it is shown.
    Control{.id = "PWD_Fix",
            .role = Role::FixList,
            .cell = {240, 4350, 9240, 1320},
            .tabStop = 8,
            .spoken = u"近いそうさめも"},
    Control{.id = "Lab_Gam", .role = Role::Line, .cell = hintCell(1080, 4440)},
    Control{.id = "Lab_Ofc",
            .role = Role::Line,
            .cell = hintCell(3000, 4440),
            .location = Location::Office},
    Control{.id = "Lab_Mai",
            .role = Role::Line,
            .cell = hintCell(6840, 4440),
            .location = Location::TvStation},
    Control{.id = "Lab_Nan",
            .role = Role::Line,
            .cell = hintCell(1080, 4800),
            .location = Location::Theatre},
    Control{.id = "Lab_Sum",
            .role = Role::Line,
            .cell = hintCell(3000, 4800),
            .location = Location::BoatRace},
    Control{.id = "Lab_Dou",
            .role = Role::Line,
            .cell = hintCell(4920, 4800, 1695),
            .location = Location::District},
    Control{.id = "Lab_Imd",
            .role = Role::Line,
            .cell = hintCell(6840, 4800, 1695),
            .location = Location::Pub},
    Control{.id = "Lab_Sen",
            .role = Role::Line,
            .cell = hintCell(1080, 5160),
            .location = Location::Hillside},
    Control{.id = "Lab_Tom",
            .role = Role::Line,
            .cell = hintCell(4920, 4440),
            .location = Location::Person},
    // The menu bar's items, left to right. 終了 ends a desktop program; a browser tab is
    // closed by the browser.
    Control{.id = "Quit_sm",
            .role = Role::MenuItem,
            .front = Front::Window,
            .caption = u"終了",
            .command = Command::Quit},
    Control{
        .id = "Abot_sm", .role = Role::MenuItem, .caption = u"About", .command = Command::About},
    Control{.id = "Pel_Note", .role = Role::NoticeBar, .spoken = u"お知らせ"},
    Control{.id = "Log_List", .role = Role::Notebook, .spoken = u"ノート"},
    Control{.id = "Pel_Ver",
            .role = Role::Dialog,
            .caption = u"ばーじょん",
            .cell = {0, 0, 5910, 2475},
            .foreground = std::nullopt,
            .inAbout = true},
    // The program's title, and "Version " and the program's version in reddish brown, in the
    // fonts of about_layout.h.
    Control{.id = "Pel_Vti",
            .role = Role::Text,
            .caption = kWindowTitle,
            .cell = {2160, 120, 1695, 255},
            .foreground = std::nullopt,
            .inAbout = true,
            .face = Face::AboutTitle},
    Control{.id = "Pel_Vlb1",
            .role = Role::Text,
            .caption = u"Version " PELIO_VERSION_U16,
            .cell = {4440, 480, 1215, 255},
            .foreground = Rgb{192, 64, 0},
            .inAbout = true,
            .face = Face::AboutVersion},
    Control{
        .id = "Pel_Vlb2",
        .role = Role::Text,
        .caption =
            u"本ソフトは、家庭用探偵ゲームの「そうさめも」を解読するためのアプリケーションです。"
            u"同ゲームの権利者の許可を得ずに作成したものです。"
            u"プレイヤーの皆さんのお役に立てれば幸いです。",
        .cell = {120, 840, 5655, 855},
        .foreground = std::nullopt,
        .inAbout = true,
        .wraps = true},
    Control{.id = "Pel_Qor",
            .role = Role::Text,
            .caption = u"2000/04/05\u3000ぽむた",
            .cell = {3960, 1680, 1815, 255},
            .foreground = std::nullopt,
            .inAbout = true},
    // The only control of the dialog that takes focus; it hides the dialog.
    Control{
        .id = "Pel_Vbt",
        .role = Role::Button,
        .caption =
            u"そんなもん\u3000ようしらんわ。もうええねん\u3000わいは\u3000どうなってもいいんや。",
        .cell = {120, 2040, 5655, 375},
        .foreground = std::nullopt,
        .command = Command::CloseAbout,
        .inAbout = true},
};

// The button or menu item that gives `command` in `front`.
const Control& commandControl(Command command, Front front);
// The one control of `role`: the memo box, the reason, the memos offered, the notice bar, the
// notebook's list or the version dialog.
const Control& controlOf(Role role);
// The line that shows `location`'s hint.
const Control& hintLine(Location location);
// The title over the control of `role`, the last one before it: over the name boxes, the check
// boxes or the memo box, which a reason too long for its place stands in for.
const Control& titleOf(Role role);
// The rank line.
const Control& rankLine();

} // namespace pelio::layout
