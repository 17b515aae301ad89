#pragma once

#include "model/flag_catalogue.h"

#include <array>
#include <cstdint>

namespace pelio {

inline constexpr int kNameSlots = 4;
inline constexpr int kNameDigits = 6;  // binary digits of one kana code
inline constexpr int kCheckDigits = 6; // the check count is kept modulo 64
inline constexpr int kMemoLength = 20; // symbols of five binary digits each
inline constexpr int kSymbolDigits = 5;

// Binary digit `digit` of `value`, 1 being the least significant, as the layout numbers them.
constexpr int binaryDigit(int value, int digit) {
    return (value >> (digit - 1)) & 1;
}

// Where one binary digit of a memo symbol comes from.
struct DigitSource {
    enum class Kind : std::uint8_t { Empty, NameDigit, CheckDigit, Flag };
    Kind kind = Kind::Empty;
    std::uint8_t slot = 0;  // NameDigit: name slot 1..4
    std::uint8_t digit = 0; // NameDigit, CheckDigit: 1 = least significant
    std::uint8_t flag = 0;  // Flag: storage number

    constexpr bool operator==(const DigitSource&) const = default;
};

namespace layout {
inline constexpr DigitSource _{};
constexpr DigitSource N(int slot, int digit) {
    return {DigitSource::Kind::NameDigit, static_cast<std::uint8_t>(slot),
            static_cast<std::uint8_t>(digit), 0};
}
constexpr DigitSource C(int digit) {
    return {DigitSource::Kind::CheckDigit, 0, static_cast<std::uint8_t>(digit), 0};
}
consteval DigitSource F(std::string_view controlName) {
    return {DigitSource::Kind::Flag, 0, 0, static_cast<std::uint8_t>(flag(controlName))};
}
} // namespace layout

// One memo symbol: its digit sources from weight 16 down to weight 1.
using SymbolLayout = std::array<DigitSource, kSymbolDigits>;
inline constexpr std::array<int, kSymbolDigits> kSymbolWeights{16, 8, 4, 2, 1};

// The memo format the game reads: symbol n (1-based) is built from row n - 1.
// Encoder, reader and tests all walk this one table.
inline constexpr std::array<SymbolLayout, kMemoLength> kMemoLayout = [] {
    using namespace layout;
    return std::array<SymbolLayout, kMemoLength>{{
        {_, N(1, 4), N(1, 3), N(1, 2), N(1, 1)},
        {_, N(1, 6), N(1, 5), N(2, 6), N(2, 5)},
        {C(6), N(2, 4), N(2, 3), N(2, 2), N(2, 1)},
        {C(5), N(3, 4), N(3, 3), N(3, 2), N(3, 1)},
        {C(4), N(3, 6), N(3, 5), N(4, 6), N(4, 5)},
        {C(3), N(4, 4), N(4, 3), N(4, 2), N(4, 1)},
        {C(2), F("Chk_Tck"), F("Chk_Tak"), F("Chk_Pnd"), F("Chk_Fds")},
        {C(1), F("Chk_Pct"), F("Chk_Ctc"), F("Chk_Ryo"), F("Chk_Bok")},
        {_, F("Chk_Dia"), F("Chk_Kei"), F("Chk_Khk"), F("Chk_Isy")},
        {_, F("Chk_Han"), F("Chk_Srk"), F("Chk_Chn"), F("Chk_Lgt")},
        {C(6), F("Chk_Ubo"), F("Chk_Upi"), F("Chk_Mis"), F("Chk_Ras")},
        {C(5), _, F("Chk_Jkt"), F("Chk_Jis"), _},
        {C(4), F("Chk_Is2"), F("Chk_Aoe"), _, _},
        {C(3), _, F("Chk_Hot"), F("Chk_Mit"), F("Chk_Nan")},
        {C(2), _, F("Chk_Pnk"), _, F("Chk_Bos")},
        {C(1), F("Chk_Tel"), F("Chk_Nen"), F("Chk_Aok"), F("Chk_Pio")},
        {_, F("Chk_Cpp"), F("Chk_Gue"), F("Chk_Tan"), F("Chk_Cha")},
        {_, F("Chk_Mai"), F("Chk_Bak"), F("Chk_Ish"), F("Chk_Pih")},
        {C(6), _, _, _, F("Chk_Sjk")},
        {C(5), F("Chk_Stk"), F("Chk_Koi"), F("Chk_Imd"), F("Chk_Aro")},
    }};
}();

} // namespace pelio
