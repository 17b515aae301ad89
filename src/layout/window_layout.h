#pragma once

#include "layout/controls.h"
#include "layout/form.h"
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

// Silver lines two pixels wide divide the window into the name area, the progress area, the
// command band and the results. The horizontal ones run just past the client area.
struct Line {
    int x1, y1, x2, y2;
};
inline constexpr Rgb kLineColour = kSilver;
inline constexpr int kLineWidthPixels = 2;
inline constexpr std::array<Line, 3> kLines{{
    {0, 3480, 9720, 3480},
    {3000, 0, 3000, 3000},
    {0, 3000, 9720, 3000},
}};

// The page switch's caption while page 1 (`flagPage` 0) or page 2 is shown.
std::u16string_view pageSwitchCaption(int flagPage);

// Name box `slot`, 1 to 4 from the left. The second one is left-aligned, the others centred.
Rect nameBoxCell(int slot);
Align nameBoxAlign(int slot);
// Its name: "Namtext" and the slot.
std::string nameBoxName(int slot);
// What a screen reader calls it: which letter of the name it holds.
std::u16string nameBoxSpokenName(int slot);

// A kana key: two blocks of five columns, codes 0 to 34 on the left, 35 to 63 on the right.
inline constexpr int kKeyColumns = 5;
Rect keyCell(KanaCode code);
// Its name: "Nm" and the code in two upper-case hexadecimal digits, Nm00 to Nm3F.
std::string keyName(KanaCode code);

// A progress check box, in the grid of three columns and ten rows that both pages share.
Rect flagBoxCell(const FlagInfo& info);

// A reason too long for its place beside the memo box's title takes the whole row.
inline constexpr Rect kLongReasonCell{240, 3510, 9450, 435};

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
