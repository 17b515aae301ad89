#pragma once

#include "entry/memo_entry.h"
#include "picture/memo_picture.h"

#include <cstdint>
#include <string>
#include <string_view>

// A memo read from a picture goes into the memo box and is read, exactly as if the player had
// typed what was read and pressed Enter.
namespace pelio {

struct PictureOutcome {
    // Read, refused with the memos the reader's doubts give, or NoMemo with why.
    MemoOutcome memo;
    // What the memo box holds after: the text read, or, where nothing was, what it held.
    std::u16string box;
    // Bit i: box[i] is a kana the reader was unsure of.
    std::uint32_t uncertain = 0;
    // The part of the picture where the memo was found, to show beside the result.
    PictureRect where;
};

// Why nothing was read from a file that a front end could not decode as a picture.
inline constexpr std::u16string_view kUnreadablePicture =
    u"このファイルは画像として読めません（画像でないか、途中で切れています）";

// Why nothing was read from a picture that would take more memory to decode whole than a front
// end allows, in a format that cannot be scaled down as it is decoded (a large PNG).
inline constexpr std::u16string_view kPictureTooLargeToDecode =
    u"画像が大きすぎて読めません。小さくするか、JPEGにしてからお試しください";

PictureOutcome readPicture(StateRecord& state, std::u16string_view box,
                           const PictureReading& reading, Keeping keeping = {});

} // namespace pelio
