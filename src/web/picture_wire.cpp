#include "picture_wire.h"

#include "entry/picture_entry.h"

#include <cstring>
#include <string>

namespace pelio::web {

namespace {

// No reading needs more: the longest reason, the memo text, and the alternatives of each kana.
constexpr std::uint32_t kLongestText = 256;
constexpr auto kKanaCodes = static_cast<std::uint32_t>(kMemoKanaCount);

// A float's bits, as std::bit_cast would give them, which Emscripten's library lacks.
template <typename To, typename From> To bitsAs(From from) {
    static_assert(sizeof(To) == sizeof(From));
    To to;
    std::memcpy(&to, &from, sizeof to);
    return to;
}

void putText(std::vector<std::uint32_t>& words, std::u16string_view text) {
    words.push_back(static_cast<std::uint32_t>(text.size()));
    words.insert(words.end(), text.begin(), text.end());
}

class Words {
public:
    explicit Words(std::span<const std::uint32_t> words)
        : words_(words) {}
    bool ok() const { return ok_; }
    std::uint32_t next(std::uint32_t below = UINT32_MAX) {
        if (at_ == words_.size() || words_[at_] >= below) {
            ok_ = false;
            return 0;
        }
        return words_[at_++];
    }
    std::u16string text() {
        std::u16string out(next(kLongestText + 1), u'\0');
        for (char16_t& unit : out)
            unit = static_cast<char16_t>(next(0x10000));
        return out;
    }
    float likelihood() {
        const float value = bitsAs<float>(next());
        ok_ = ok_ && value >= 0 && value <= 1;
        return value;
    }
    bool atEnd() const { return at_ == words_.size(); }

private:
    std::span<const std::uint32_t> words_;
    std::size_t at_ = 0;
    bool ok_ = true;
};

} // namespace

std::vector<std::uint32_t> wireReading(const PictureReading& reading) {
    std::vector<std::uint32_t> words{static_cast<std::uint32_t>(reading.status)};
    for (const int side :
         {reading.where.x, reading.where.y, reading.where.width, reading.where.height})
        words.push_back(static_cast<std::uint32_t>(side));
    putText(words, reading.reason);
    putText(words, reading.text);
    for (const ReadKana& kana : reading.kana) {
        words.push_back(kana.uncertain ? 1 : 0);
        words.push_back(static_cast<std::uint32_t>(kana.alternatives.size()));
        for (const KanaAlternative& alternative : kana.alternatives) {
            words.push_back(alternative.code);
            words.push_back(bitsAs<std::uint32_t>(alternative.likelihood));
        }
    }
    return words;
}

PictureReading readingFromWire(std::span<const std::uint32_t> words) {
    Words read(words);
    PictureReading reading;
    reading.status = static_cast<PictureReading::Status>(
        read.next(static_cast<std::uint32_t>(PictureReading::Status::Refused) + 1));
    for (int* side :
         {&reading.where.x, &reading.where.y, &reading.where.width, &reading.where.height})
        *side = static_cast<int>(read.next(kLargestPictureSide + 1));
    reading.reason = read.text();
    reading.text = read.text();
    for (ReadKana& kana : reading.kana) {
        kana.uncertain = read.next(2) != 0;
        kana.alternatives.resize(read.next(kKanaCodes + 1));
        for (KanaAlternative& alternative : kana.alternatives) {
            alternative.code = static_cast<std::uint8_t>(read.next(kKanaCodes));
            alternative.likelihood = read.likelihood();
        }
    }
    if (!read.ok() || !read.atEnd()) {
        reading = {};
        reading.status = PictureReading::Status::Refused;
        reading.reason = kUnreadablePicture;
    }
    return reading;
}

} // namespace pelio::web
