#include "layout/window_layout.h"

#include <cstdlib>
#include <tuple>

namespace pelio::layout {
namespace {

constexpr int kCellPitch = 240; // keys and check-box rows; neighbouring keys overlap by 15
constexpr int kKeySize = 255;

struct Point {
    int x;
    int y;
};

Point centre(const Rect& rect) {
    return {rect.left + rect.width / 2, rect.top + rect.height / 2};
}

bool within(int value, int start, int length) {
    return value >= start && value < start + length;
}

} // namespace

const Command& command(std::string_view name) {
    for (const Command& candidate : kCommands) {
        if (candidate.name == name)
            return candidate;
    }
    std::abort(); // a name not in the table is a programming error
}

std::u16string_view pageSwitchCaption(int flagPage) {
    return flagPage == 0 ? command("Lab_Pag").caption : u"前のページへ";
}

Rect nameBoxCell(int slot) {
    return {1080 + kCellPitch * (slot - 1), 480, 255, 270};
}

Align nameBoxAlign(int slot) {
    return slot == 2 ? Align::Left : Align::Centre;
}

std::u16string nameBoxSpokenName(int slot) {
    return u"なまえの" + std::u16string(1, static_cast<char16_t>(u'０' + slot)) + u"文字目";
}

Rect keyCell(KanaCode code) {
    constexpr int kColumns = 5, kLeftBlockSize = 35;
    const bool leftBlock = code < kLeftBlockSize;
    const int index = leftBlock ? code : code - kLeftBlockSize;
    const int left = (leftBlock ? 240 : 1680) + kCellPitch * (index % kColumns);
    return {left, 840 + kCellPitch * (index / kColumns), kKeySize, kKeySize};
}

std::string keyName(KanaCode code) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    return {'N', 'm', kDigits[code / 16u], kDigits[code % 16u]};
}

Rect flagBoxCell(const FlagInfo& info) {
    static constexpr std::array<int, 3> kColumnLeft{3240, 4920, 6960};
    return {kColumnLeft.at(static_cast<std::size_t>(info.column - 1)),
            480 + kCellPitch * (info.row - 1), info.widthTwips, 255};
}

Rect resultCell(std::string_view name) {
    for (const ResultCell& result : kResultCells) {
        if (result.name == name)
            return result.cell;
    }
    std::abort();
}

Rect keyboardCell(int member) {
    if (member == kBackspaceMember)
        return command("Nm_Back").cell;
    if (member == kInputMember)
        return command("Nm_Inpt").cell;
    return keyCell(static_cast<KanaCode>(member));
}

int keyboardNeighbour(int member, Direction direction) {
    const bool horizontal = direction == Direction::Left || direction == Direction::Right;
    const bool forward = direction == Direction::Right || direction == Direction::Down;
    const Rect from = keyboardCell(member);
    const Point start = centre(from);

    int best = member;
    // Members in line first, then the shortest way there, counting a step across double.
    std::tuple<bool, int, int> bestRank{true, 0, 0};
    for (int other = 0; other < kKeyboardMembers; ++other) {
        const Rect to = keyboardCell(other);
        const Point end = centre(to);
        const int along = (horizontal ? end.x - start.x : end.y - start.y) * (forward ? 1 : -1);
        if (other == member || along <= 0)
            continue;
        const int across = std::abs(horizontal ? end.y - start.y : end.x - start.x);
        const bool inLine =
            horizontal ? within(end.y, from.top, from.height) || within(start.y, to.top, to.height)
                       : within(end.x, from.left, from.width) || within(start.x, to.left, to.width);
        const std::tuple<bool, int, int> rank{!inLine, along + 2 * across, across};
        if (best == member || rank < bestRank) {
            best = other;
            bestRank = rank;
        }
    }
    return best;
}

} // namespace pelio::layout
