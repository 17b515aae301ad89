#include "layout/window_layout.h"

#include <gtest/gtest.h>

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

} // namespace
} // namespace pelio::layout
