#include "layout/window_layout.h"
#include "memo/memo_layout.h"

#include <gtest/gtest.h>

#include <set>
#include <string_view>
#include <vector>

namespace pelio::layout {
namespace {

constexpr Direction kOpposite[]{Direction::Right, Direction::Left, Direction::Down, Direction::Up};

// The arrow keys move as the keys stand on screen, between the blocks and onto backspace and
// input, only to a key in line, and stop at the edges.
TEST(ArrowMoves, GoToTheNearestKeyInLine) {
    using enum Direction;
    const struct {
        std::size_t from;
        Direction direction;
        std::size_t to;
    } cases[]{
        {0, Right, 1},
        {4, Right, 35},
        {35, Left, 4},
        {0, Down, 5},
        {0, Left, 0},
        {0, Up, 0},
        {39, Right, 39},
        {59, Down, 59}, // nothing below ）: the last place of its block is empty
        {63, Right, 63},
        {62, Down, kBackspaceMember},
        {60, Down, kInputMember},
        {30, Down, 30}, // input lies below and to the right of ま, not in line
        {kBackspaceMember, Up, 62},
        {kBackspaceMember, Left, 34},
        {kBackspaceMember, Right, kBackspaceMember},
        {34, Right, kBackspaceMember},
        {kInputMember, Down, kInputMember},
    };
    const auto cells = keyboardCells();
    for (const auto& c : cases) {
        ArrowMoves moves;
        EXPECT_EQ(moves.move(cells, c.from, c.direction), c.to)
            << c.from << " towards " << static_cast<int>(c.direction);
    }
}

// However the keys stand, every move reverses: from a wide key back to the one that led there.
TEST(ArrowMoves, EveryMoveReverses) {
    const auto cells = keyboardCells();
    for (std::size_t from = 0; from < cells.size(); ++from) {
        for (int d = 0; d < 4; ++d) {
            ArrowMoves moves;
            const std::size_t to = moves.move(cells, from, Direction(d));
            if (to != from) {
                EXPECT_EQ(moves.move(cells, to, kOpposite[d]), from) << from << " towards " << d;
            }
        }
    }
    ArrowMoves moves; // ぶ down to input and back, then up from input as from anywhere
    EXPECT_EQ(moves.move(cells, 60, Direction::Down), kInputMember);
    EXPECT_EQ(moves.move(cells, kInputMember, Direction::Up), 60u);
    EXPECT_EQ(moves.move(cells, 60, Direction::Down), kInputMember);
    EXPECT_EQ(moves.move(cells, kInputMember, Direction::Right), kInputMember);
    EXPECT_EQ(moves.move(cells, kInputMember, Direction::Up), 34u);
}

// The buttons beside the memo box take room no control of the window had: to its right, within
// the client area, over nothing else.
TEST(WindowLayout, TheMemoBoxsNeighboursTakeOnlyFreeRoom) {
    const auto overlap = [](const Rect& a, const Rect& b) {
        return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
               b.top < a.top + a.height;
    };
    std::vector<Rect> others;
    std::vector<Rect> beside;
    for (const Control& control : kControls) {
        if (control.inAbout || control.front == Front::Page || control.cell == Rect{})
            continue;
        (control.cell.left >= kMemoBoxCell.left + kMemoBoxCell.width ? beside : others)
            .push_back(control.cell);
    }
    for (const FlagInfo& info : kFlagCatalogue)
        others.push_back(flagBoxCell(info));
    const auto keyboard = keyboardCells();
    others.insert(others.end(), keyboard.begin(), keyboard.end());
    for (int slot = 1; slot <= kNameSlots; ++slot)
        others.push_back(nameBoxCell(slot));
    ASSERT_EQ(beside.size(), 2u);
    for (const Rect& cell : beside) {
        EXPECT_LE(cell.left + cell.width, kClientWidth);
        for (const Rect& other : others)
            EXPECT_FALSE(overlap(cell, other)) << cell.left << " over " << other.left;
    }
    EXPECT_FALSE(overlap(beside[0], beside[1]));
}

// Each front end finds one control by each id, one button or menu item for each command it gives
// and one control at each tab stop: a second would never be built, clicked or reached.
TEST(ControlTable, EachFrontEndHasOneControlPerIdCommandAndTabStop) {
    for (Front front : {Front::Window, Front::Page}) {
        std::set<std::string_view> ids;
        std::set<Command> commands;
        std::set<int> stops;
        for (const Control& control : kControls) {
            if (control.front != Front::Both && control.front != front)
                continue;
            if (!control.id.empty()) {
                EXPECT_TRUE(ids.insert(control.id).second) << control.id;
            }
            if (control.command != Command::None) {
                EXPECT_TRUE(commands.insert(control.command).second) << control.id;
            }
            if (control.tabStop > 0 && front == Front::Window) {
                EXPECT_TRUE(stops.insert(control.tabStop).second) << control.id;
            }
        }
    }
}

} // namespace
} // namespace pelio::layout
