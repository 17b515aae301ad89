#include "memo/utf16.h"

#include "support/text_printer.h"

#include <gtest/gtest.h>

namespace pelio {
namespace {

// One to four bytes a character; a surrogate without its partner is no character, and the one
// after it is kept.
TEST(Utf16, ToUtf8EncodesEveryLengthAndReplacesALoneSurrogate) {
    EXPECT_EQ(toUtf8(u"a\u00E9\u3042\U0001F50E"), "a\xC3\xA9\xE3\x81\x82\xF0\x9F\x94\x8E");
    const std::u16string lone{0xD83D, u'a', 0xDE0E, 0xD83D}; // high, a, low, high at the end
    EXPECT_EQ(toUtf8(lone), "\uFFFDa\uFFFD\uFFFD");
}

} // namespace
} // namespace pelio
