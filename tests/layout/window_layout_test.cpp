#include "layout/window_layout.h"

#include <gtest/gtest.h>

namespace pelio::layout {
namespace {

// The arrow keys move as the keys stand on screen, between the blocks and onto backspace and
// input, and stop at the edges.
TEST(KeyboardGrid, ArrowKeysMoveToTheNearestMemberThatWay) {
    using enum Direction;
    struct Case {
        int from;
        Direction direction;
        int to;
    };
    const Case cases[]{
        {0, Right, 1},
        {4, Right, 35},
        {35, Left, 4},
        {0, Down, 5},
        {0, Left, 0},
        {0, Up, 0},
        {39, Right, 39},
        {59, Down, 63},
        {62, Down, kBackspaceMember},
        {60, Down, kInputMember},
        {kInputMember, Up, 34},
        {kBackspaceMember, Up, 62},
        {kBackspaceMember, Left, 34},
        {34, Right, kBackspaceMember},
        {kInputMember, Down, kInputMember},
    };
    for (const Case& c : cases)
        EXPECT_EQ(keyboardNeighbour(c.from, c.direction), c.to)
            << c.from << " towards " << static_cast<int>(c.direction);
}

} // namespace
} // namespace pelio::layout
