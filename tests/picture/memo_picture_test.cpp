#include "picture/memo_picture.h"

#include "memo/memo_reader.h"
#include "memo/memo_text.h"
#include "memo_pictures.h"
#include "support/text_printer.h"

#include <gtest/gtest.h>

#include <iostream>
#include <random>
#include <string>
#include <variant>
#include <vector>

namespace pelio {
namespace {

using memo_pictures::Kind;
using Status = PictureReading::Status;

const std::u16string kNoMemoReason = u"画像からそうさめもが見つかりません";

TEST(PictureDecodeSize, ShrinksLargePhotosAndRefusesBombs) {
    EXPECT_EQ(std::get<DecodeSize>(pictureDecodeSize(4000, 3000)), (DecodeSize{4000, 3000}));

    // A 50-megapixel photo is decoded smaller, in its own proportions.
    const auto photo = std::get<DecodeSize>(pictureDecodeSize(8160, 6120));
    EXPECT_LE(static_cast<long long>(photo.width) * photo.height, kDecodePixels);
    EXPECT_GT(static_cast<long long>(photo.width) * photo.height, kDecodePixels * 9 / 10);
    EXPECT_NEAR(photo.width * 6120.0 / photo.height, 8160, 8);
    EXPECT_EQ(std::get<DecodeSize>(pictureDecodeSize(20000, 1)), (DecodeSize{20000, 1}));

    for (const auto& [width, height] : std::vector<std::pair<long long, long long>>{
             {100'000, 100'000}, {20'001, 10}, {1LL << 40, 1LL << 40}, {0, 10}, {-5, 10}}) {
        const auto size = pictureDecodeSize(width, height);
        const auto* refusal = std::get_if<PictureRefusal>(&size);
        ASSERT_NE(refusal, nullptr) << width << " x " << height;
        EXPECT_FALSE(refusal->reason.empty());
    }
}

TEST(MemoPicture, DegenerateBuffersAreRefusedOrHoldNoMemo) {
    std::vector<std::uint8_t> pixels(64 * 48 * 4, 0);
    const auto* data = pixels.data();
    EXPECT_EQ(readMemoPicture({data, 0, 0, 0, PixelView::Format::Grey}).status, Status::Refused);
    EXPECT_EQ(readMemoPicture({nullptr, 10, 10, 10, PixelView::Format::Grey}).status,
              Status::Refused);
    EXPECT_EQ(readMemoPicture({data, 16, 4, 15, PixelView::Format::Grey}).status, Status::Refused);
    EXPECT_EQ(readMemoPicture({data, 16, 4, 63, PixelView::Format::Rgba}).status, Status::Refused);
    // Sizes past the limit are refused before a pixel is read.
    EXPECT_EQ(readMemoPicture({data, 30'000, 30'000, 30'000, PixelView::Format::Grey}).status,
              Status::Refused);

    auto expectNoMemo = [](const PixelView& view, const char* what) {
        const PictureReading reading = readMemoPicture(view);
        EXPECT_EQ(reading.status, Status::NoMemo) << what;
        EXPECT_EQ(reading.reason, kNoMemoReason) << what;
    };
    expectNoMemo({data, 1, 48, 1, PixelView::Format::Grey}, "1 x N");
    expectNoMemo({data, 48, 1, 48 * 4, PixelView::Format::Rgba}, "N x 1");
    expectNoMemo({data, 40, 48, 64, PixelView::Format::Grey}, "black, stride past the width");
    std::fill(pixels.begin(), pixels.end(), 255);
    expectNoMemo({data, 16, 48, 64 * 4, PixelView::Format::Rgba}, "white");
    std::mt19937 random(3);
    for (std::uint8_t& value : pixels)
        value = static_cast<std::uint8_t>(random());
    expectNoMemo({data, 64, 48, 64 * 4, PixelView::Format::Rgba}, "noise");
}

class GeneratedPictures : public ::testing::Test {
protected:
    void SetUp() override {
        if (const auto missing = memo_pictures::missingFontPackages(); !missing.empty()) {
            std::string names;
            for (const std::string& name : missing)
                names += " " + name;
            GTEST_SKIP() << "missing font packages:" << names;
        }
    }

    // The memo of at least `least` of `count` pictures is read, or is the first the
    // alternatives give, and the place given for it holds the memo's line. The benchmark
    // (bench/picture_quality) gives the shares on a thousand; this keeps them from falling.
    void expectRead(bool heldOut, const memo_pictures::Options& options, int count, int least) {
        const auto styles = memo_pictures::fontStyles(heldOut);
        int read = 0;
        for (int i = 0; i < count; ++i) {
            const auto seed = static_cast<std::uint32_t>(3000 + 97 * i);
            const auto sample = memo_pictures::makeSample(
                fonts_, styles[static_cast<std::size_t>(i) * 5 % styles.size()], seed, options);
            const PictureReading reading = readMemoPicture(sample.image.view());
            const bool first = !reading.memos.empty() && reading.memos.front().codes == sample.memo;
            if (reading.text != memoText({sample.memo, 0}) && !first) {
                std::cout << "not read: " << sample.description << '\n';
                continue;
            }
            ++read;
            const PictureRect& at = reading.where;
            const int centreX = sample.where.x + sample.where.width / 2;
            const int centreY = sample.where.y + sample.where.height / 2;
            EXPECT_TRUE(centreX > at.x && centreX < at.x + at.width && centreY > at.y &&
                        centreY < at.y + at.height)
                << sample.description;
        }
        EXPECT_GE(read, least);
    }

    memo_pictures::FontRenderer fonts_;
};

TEST_F(GeneratedPictures, ScreenshotsInEveryFontAreRead) {
    expectRead(false, {}, 10, 8);
    expectRead(true, {}, 10, 8);
}

TEST_F(GeneratedPictures, PhotosOfAScreenAreRead) {
    memo_pictures::Options photo;
    photo.kind = Kind::Photo;
    photo.largestSide = 1600;
    expectRead(false, photo, 6, 3);
    expectRead(true, photo, 6, 3);
}

TEST_F(GeneratedPictures, TheAcceptedMemoWinsOverALineInGroupsThatIsNone) {
    memo_pictures::Options decoy;
    decoy.decoy = true;
    expectRead(true, decoy, 6, 5);
}

TEST_F(GeneratedPictures, AScreenWithoutAMemoSaysSo) {
    memo_pictures::Options none;
    none.withMemo = false;
    const auto styles = memo_pictures::fontStyles(true);
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        none.kind = seed % 2 ? Kind::Screenshot : Kind::Photo;
        none.largestSide = 1024;
        const auto sample = memo_pictures::makeSample(fonts_, styles[seed], seed, none);
        const PictureReading reading = readMemoPicture(sample.image.view());
        EXPECT_EQ(reading.status, Status::NoMemo) << sample.description;
        EXPECT_EQ(reading.reason, kNoMemoReason);
    }
}

} // namespace
} // namespace pelio
