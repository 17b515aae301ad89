#include "entry/undo.h"

#include <algorithm>

namespace pelio {
namespace {

// What the player sees of the name: the kana in the boxes.
bool sameShownName(const StateRecord& a, const StateRecord& b) {
    for (int slot = 1; slot <= kNameSlots; ++slot) {
        if (nameBoxText(a, slot) != nameBoxText(b, slot))
            return false;
    }
    return true;
}

} // namespace

std::optional<Undo> undoFor(ReplacingAction action, const StateRecord& before,
                            const StateRecord& after, std::u16string_view box) {
    // クリア also empties the memo box, which may hold a memo the player typed.
    const bool emptiedTheBox = action == ReplacingAction::Clear &&
                               (!before.writtenMemo.empty() || !typedSymbols(box).empty());
    const bool replaced = before.progressFlags != after.progressFlags ||
                          !sameShownName(before, after) || emptiedTheBox;
    if (!replaced)
        return std::nullopt;
    static constexpr std::u16string_view kNotices[]{
        u"クリアしました",
        u"全フラグをセットしました",
        u"そうさめもを読み取って、なまえとチェックを入れかえました",
    };
    return Undo{before, std::u16string(box),
                std::u16string(kNotices[static_cast<std::size_t>(action)])};
}

} // namespace pelio
