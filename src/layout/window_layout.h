#pragma once

#include "hints/location_hints.h"
#include "memo/kana_alphabet.h"
#include "model/flag_catalogue.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The main window's form, for every front end: where each control stands, what it says and
// in which colours. Nothing here depends on a toolkit.
namespace pelio::layout {

// Places and sizes in twips (1440 to the inch) from the top-left corner of the client area.
// At 96 dots per inch 15 twips make one pixel.
struct Rect {
    int left;
    int top;
    int width;
    int height;
    constexpr bool operator==(const Rect&) const = default;
};
inline constexpr int kTwipsPerPixel = 15;

struct Rgb {
    std::uint8_t red;
    std::uint8_t green;
    std::uint8_t blue;
    constexpr bool operator==(const Rgb&) const = default;
};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};
inline constexpr Rgb kHighlight{0, 255, 255}; // the current name slot
inline constexpr Rgb kWarning{255, 96, 96};   // a typed memo that does not read, and why

enum class Align : std::uint8_t { Left, Centre };

// The window's font: the first of these families that is installed, at 11 pixels. Their kana
// are proportional: fonts with full-width kana overflow the longest check-box captions at any
// size that stays legible. Debian's faces, then those of other systems the page runs on, and
// a face with full-width kana last.
inline constexpr std::array<std::u16string_view, 9> kFontFamilies{
    u"IPAPGothic",    u"IPA Pゴシック", u"VL PGothic", u"Noto Sans CJK JP", u"Noto Sans JP",
    u"Hiragino Sans", u"Yu Gothic UI",  u"Meiryo",     u"IPAGothic"};
inline constexpr int kFontPixels = 11;

inline constexpr std::u16string_view kWindowTitle = u"ぺりおのひらき";
inline constexpr int kClientWidth = 9705;
inline constexpr int kClientHeight = 5670;

// Silver lines two pixels wide divide the window into the name area, the progress area, the
// command band and the results. The horizontal ones run just past the client area.
struct Line {
    int x1, y1, x2, y2;
};
inline constexpr Rgb kLineColour{192, 192, 192};
inline constexpr int kLineWidthPixels = 2;
inline constexpr std::array<Line, 3> kLines{{
    {0, 3480, 9720, 3480},
    {3000, 0, 3000, 3000},
    {0, 3000, 9720, 3000},
}};

// Labels whose caption never changes.
struct Title {
    std::string_view name;
    std::u16string_view caption;
    Rect cell;
    Align align;
};
inline constexpr std::array<Title, 3> kTitles{{
    {"Namtitle", u"なまえをおしえてください。", {600, 120, 2175, 255}, Align::Centre},
    {"Itmtitle", u"すすみぐあいをおしえてください。", {4680, 120, 2655, 255}, Align::Centre},
    {"Pwtitle", u"そうさめもをおしえてください。", {3960, 3600, 2295, 255}, Align::Left},
}};

// Labels that act as buttons, besides the kana keys. A command with no text colour of its
// own uses the platform's button text colour. Shortcuts are written in the words the player
// sees in the tooltips, "Ctrl+Enter"; Enter is either Enter key, the main one or the keypad's.
struct Command {
    std::string_view name;
    std::u16string_view caption;
    Rect cell;
    Rgb background;
    std::optional<Rgb> foreground;
    std::string_view shortcut;
};
// The last two stand beside the memo box, in the room between its right edge and the client
// area's: the notebook, and the reader of a picture of the memo.
inline constexpr std::array<Command, 8> kCommands{{
    {"Nm_Back", u"ＢＳ", {2040, 2280, 495, 255}, kBlack, kWhite, ""},
    {"Nm_Inpt", u"--入力--", {1200, 2640, 735, 255}, kBlack, kWhite, ""},
    {"Lab_Pag", u"次のページへ", {6960, 2640, 1215, 255}, {128, 128, 128}, kWhite, "Alt+N"},
    {"Answer", u"完了", {1680, 3120, 2655, 255}, {255, 255, 0}, kBlack, "Ctrl+Enter"},
    {"Nm_Clear", u"クリア", {4920, 3120, 855, 255}, {0, 255, 255}, kBlack, "Alt+C"},
    {"Allset", u"全フラグセット", {6240, 3120, 1575, 255}, {255, 0, 0}, std::nullopt, "Alt+A"},
    {"PWD_Log", u"ノート", {7545, 3960, 660, 375}, {192, 192, 192}, kBlack, "Ctrl+L"},
    {"PWD_Img", u"画像から読む…", {8295, 3960, 1320, 375}, {192, 192, 192}, kBlack, ""},
}};

const Command& command(std::string_view name);

// The page switch's caption while page 1 (`flagPage` 0) or page 2 is shown.
std::u16string_view pageSwitchCaption(int flagPage);

// Name box `slot`, 1 to 4 from the left. The second one is left-aligned, the others centred.
Rect nameBoxCell(int slot);
Align nameBoxAlign(int slot);
// What a screen reader calls it: which letter of the name it holds.
std::u16string nameBoxSpokenName(int slot);

// A kana key: two blocks of five columns, codes 0 to 34 on the left, 35 to 63 on the right.
Rect keyCell(KanaCode code);
// Its name: "Nm" and the code in two upper-case hexadecimal digits, Nm00 to Nm3F.
std::string keyName(KanaCode code);

// A progress check box, in the grid of three columns and ten rows that both pages share.
Rect flagBoxCell(const FlagInfo& info);

inline constexpr std::string_view kMemoBoxName = "PWD";
inline constexpr Rect kMemoBoxCell{2640, 3960, 4815, 375};
// Where the reason a typed memo does not read is shown: beside the memo box's title.
inline constexpr Rect kReasonCell{6300, 3510, 3390, 435};
// A reason too long for that takes the whole row, over the memo box's title, which it stands
// for while it is shown.
inline constexpr Rect kLongReasonCell{240, 3510, 9450, 435};
// The memos offered for a slip, with their heading and hint, below the memo box and over the
// hint lines, whose results are an earlier completion's while they are shown.
inline constexpr Rect kFixListCell{240, 4350, 9240, 1320};

// The rank line, and the hint lines under the names their locations give them.
inline constexpr std::string_view kRankLineName = "Lab_Gam";
struct ResultCell {
    std::string_view name;
    Rect cell;
};
inline constexpr std::array<ResultCell, 1 + kLocations.size()> kResultCells{{
    {kRankLineName, {1080, 4440, 1935, 255}},
    {"Lab_Ofc", {3000, 4440, 1935, 255}},
    {"Lab_Tom", {4920, 4440, 1935, 255}},
    {"Lab_Mai", {6840, 4440, 1935, 255}},
    {"Lab_Nan", {1080, 4800, 1935, 255}},
    {"Lab_Sum", {3000, 4800, 1935, 255}},
    {"Lab_Dou", {4920, 4800, 1695, 255}},
    {"Lab_Imd", {6840, 4800, 1695, 255}},
    {"Lab_Sen", {1080, 5160, 1935, 255}},
}};

Rect resultCell(std::string_view name);

// The menu bar's items, left to right.
struct MenuItem {
    std::string_view name;
    std::u16string_view caption;
};
inline constexpr std::array<MenuItem, 2> kMenuItems{{
    {"Quit_sm", u"終了"},
    {"Abot_sm", u"About"},
}};

// The keyboard grid, one stop for the Tab key: the 64 kana keys (members 0 to 63, by code),
// then backspace and input. Arrow keys move between its members.
inline constexpr int kBackspaceMember = kKanaCount;
inline constexpr int kInputMember = kKanaCount + 1;
inline constexpr int kKeyboardMembers = kKanaCount + 2;

Rect keyboardCell(int member);

enum class Direction : std::uint8_t { Left, Right, Up, Down };

// Where the arrow keys move among controls that stand at `cells`: to the nearest one in line
// that way (either's centre within the other's span across the move), nowhere where none is;
// and straight back where the last move came from, so that every move reverses, even onto a
// wide key that more than one key moves to. One for each group of controls.
class ArrowMoves {
public:
    std::size_t move(std::span<const Rect> cells, std::size_t from, Direction direction);

private:
    struct Move {
        std::size_t from;
        std::size_t to;
        Direction direction;
    };
    std::optional<Move> last_;
};

// The keyboard's members as they stand on screen, in the members' order.
std::array<Rect, kKeyboardMembers> keyboardCells();

// The box an arrow key moves to from box `from` among the boxes of its page, as they stand.
FlagNumber flagBoxMove(ArrowMoves& moves, FlagNumber from, Direction direction);

} // namespace pelio::layout
