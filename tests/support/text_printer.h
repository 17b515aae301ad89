#pragma once

#include "memo/utf16.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <string_view>

// gtest prints a std::u16string as code units ("\x3044\x3046"); a failure in kana is read as
// text. gtest's own PrintTo for it would make one of ours ambiguous, so its printer is replaced.
namespace testing::internal {

template <> class UniversalPrinter<std::u16string> {
public:
    static void Print(const std::u16string& text, std::ostream* os) {
        *os << '"' << pelio::toUtf8(text) << '"';
    }
};

template <> class UniversalPrinter<std::u16string_view> {
public:
    static void Print(std::u16string_view text, std::ostream* os) {
        *os << '"' << pelio::toUtf8(text) << '"';
    }
};

} // namespace testing::internal
