#include "picture_wire.h"

#include "entry/picture_entry.h"
#include "support/text_printer.h"

#include <gtest/gtest.h>

namespace pelio::web {
namespace {

// A reading crosses whole, each kana's readings in their order; words it did not write, cut
// short, run on or none at all, are a file the browser could not decode.
TEST(PictureWire, CarriesAReadingWholeAndRefusesWordsItDidNotWrite) {
    PictureReading sent;
    sent.status = PictureReading::Status::Found;
    sent.text = u"いあうえあ　なあちああ　あああちあ　ちああああ　";
    sent.where = {12, 34, 560, 78};
    for (std::size_t n = 0; n < kMemoLength; ++n)
        sent.kana[n].alternatives = {
            {static_cast<std::uint8_t>(n), 0.5f + 0.01f * static_cast<float>(n)}};
    sent.kana[7].alternatives.push_back({31, 0.125f});
    sent.kana[7].uncertain = true;

    const std::vector<std::uint32_t> words = wireReading(sent);
    const PictureReading got = readingFromWire(words);
    EXPECT_EQ(got.status, sent.status);
    EXPECT_EQ(got.text, sent.text);
    EXPECT_EQ(got.where, sent.where);
    for (std::size_t n = 0; n < kMemoLength; ++n) {
        ASSERT_EQ(got.kana[n].alternatives.size(), sent.kana[n].alternatives.size()) << n;
        for (std::size_t k = 0; k < got.kana[n].alternatives.size(); ++k) {
            EXPECT_EQ(got.kana[n].alternatives[k].code, sent.kana[n].alternatives[k].code);
            EXPECT_EQ(got.kana[n].alternatives[k].likelihood,
                      sent.kana[n].alternatives[k].likelihood);
        }
        EXPECT_EQ(got.kana[n].uncertain, n == 7) << n;
    }

    PictureReading refused;
    refused.status = PictureReading::Status::Refused;
    refused.reason = u"画像が大きすぎます";
    EXPECT_EQ(readingFromWire(wireReading(refused)).reason, refused.reason);

    std::vector<std::uint32_t> longer = words;
    longer.push_back(0);
    std::vector<std::uint32_t> unlikely = words;
    unlikely.back() = 0x7fc00000; // the last kana's last likelihood, not a number
    for (const auto& spoilt :
         {std::vector<std::uint32_t>{}, {words.begin(), words.end() - 1}, longer, unlikely}) {
        const PictureReading read = readingFromWire(spoilt);
        EXPECT_EQ(read.status, PictureReading::Status::Refused) << spoilt.size();
        EXPECT_EQ(read.reason, kUnreadablePicture) << spoilt.size();
    }
}

} // namespace
} // namespace pelio::web
