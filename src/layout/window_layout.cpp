#include "layout/window_layout.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

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

std::u16string_view pageSwitchCaption(int flagPage) {
    return flagPage == 0 ? commandControl(Command::SwitchPage, Front::Both).caption
                         : u"前のページへ";
}

Rect nameBoxCell(int slot) {
    return {1080 + kCellPitch * (slot - 1), 480, 255, 270};
}

Align nameBoxAlign(int slot) {
    return slot == 2 ? Align::Left : Align::Centre;
}

std::string nameBoxName(int slot) {
    return "Namtext" + std::to_string(slot);
}

std::u16string nameBoxSpokenName(int slot) {
    return u"なまえの" + std::u16string(1, static_cast<char16_t>(u'０' + slot)) + u"文字目";
}

Rect keyCell(KanaCode code) {
    constexpr int kLeftBlockSize = 35;
    const bool leftBlock = code < kLeftBlockSize;
    const int index = leftBlock ? code : code - kLeftBlockSize;
    const int left = (leftBlock ? 240 : 1680) + kCellPitch * (index % kKeyColumns);
    return {left, 840 + kCellPitch * (index / kKeyColumns), kKeySize, kKeySize};
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

Rect keyboardCell(int member) {
    if (member == kBackspaceMember)
        return commandControl(Command::Backspace, Front::Both).cell;
    if (member == kInputMember)
        return commandControl(Command::Input, Front::Both).cell;
    return keyCell(static_cast<KanaCode>(member));
}

std::array<Rect, kKeyboardMembers> keyboardCells() {
    std::array<Rect, kKeyboardMembers> cells{};
    for (int member = 0; member < kKeyboardMembers; ++member)
        cells[static_cast<std::size_t>(member)] = keyboardCell(member);
    return cells;
}

FlagNumber flagBoxMove(ArrowMoves& moves, FlagNumber from, Direction direction) {
    std::vector<Rect> cells;
    std::vector<FlagNumber> numbers;
    for (const FlagInfo& info : kFlagCatalogue) {
        if (info.page == flagInfo(from).page) {
            cells.push_back(flagBoxCell(info));
            numbers.push_back(info.number);
        }
    }
    const auto at =
        static_cast<std::size_t>(std::find(numbers.begin(), numbers.end(), from) - numbers.begin());
    return numbers[moves.move(cells, at, direction)];
}

std::size_t ArrowMoves::move(std::span<const Rect> cells, std::size_t from, Direction direction) {
    const auto opposite = [](Direction d) {
        switch (d) {
        case Direction::Left:
            return Direction::Right;
        case Direction::Right:
            return Direction::Left;
        case Direction::Up:
            return Direction::Down;
        case Direction::Down:
            break;
        }
        return Direction::Up;
    };
    if (from >= cells.size())
        return from;
    if (last_ && last_->to == from && last_->direction == opposite(direction) &&
        last_->from < cells.size()) {
        const std::size_t back = last_->from;
        last_ = Move{from, back, direction};
        return back;
    }

    const bool horizontal = direction == Direction::Left || direction == Direction::Right;
    const bool forward = direction == Direction::Right || direction == Direction::Down;
    const Point start = centre(cells[from]);
    std::size_t best = from;
    std::pair<int, int> bestRank{}; // the way along, then the way across
    for (std::size_t other = 0; other < cells.size(); ++other) {
        const Rect& to = cells[other];
        const Point end = centre(to);
        const int along = (horizontal ? end.x - start.x : end.y - start.y) * (forward ? 1 : -1);
        const bool inLine = horizontal ? within(end.y, cells[from].top, cells[from].height) ||
                                             within(start.y, to.top, to.height)
                                       : within(end.x, cells[from].left, cells[from].width) ||
                                             within(start.x, to.left, to.width);
        if (other == from || along <= 0 || !inLine)
            continue;
        const std::pair rank{along, std::abs(horizontal ? end.y - start.y : end.x - start.x)};
        if (best == from || rank < bestRank) {
            best = other;
            bestRank = rank;
        }
    }
    last_ = best == from ? std::nullopt : std::optional(Move{from, best, direction});
    return best;
}

} // namespace pelio::layout
