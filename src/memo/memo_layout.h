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
constexpr DigitSource F(Flag flag) {
    return {DigitSource::Kind::Flag, 0, 0, static_cast<std::uint8_t>(flag)};
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
        {C(2), F(Flag::BoatRaceTicket), F(Flag::Takoyaki), F(Flag::Pendant), F(Flag::FloppyDisk)},
        {C(1), F(Flag::CrimeScenePhoto), F(Flag::ContactLens), F(Flag::Receipt), F(Flag::JokeBook)},
        {_, F(Flag::StarOfAfrica), F(Flag::Contract), F(Flag::ThreatLetter), F(Flag::FarewellNote)},
        {_, F(Flag::CrimeStatement), F(Flag::Key), F(Flag::GoldChain), F(Flag::Lighter)},
        {C(6), F(Flag::MetUrabeBona), F(Flag::MetUrabePiko), F(Flag::MetMisane),
         F(Flag::MetRaseno)},
        {C(5), _, F(Flag::MetJemKitazuchi), F(Flag::MetJemIshiusu), _},
        {C(4), F(Flag::IshiusuHomeAgain), F(Flag::AomaruEscapes), _, _},
        {C(3), _, F(Flag::TalkedToHoteto), F(Flag::Smuggling), F(Flag::NanbaKagetsu)},
        {C(2), _, F(Flag::PendantInVault), _, F(Flag::JokeBookStolen)},
        {C(1), F(Flag::TookPhoneMessage), F(Flag::Nene), F(Flag::AomaruDies),
         F(Flag::PikoAtOffice)},
        {_, F(Flag::ClubPoppy), F(Flag::GuestList), F(Flag::MetTanumo), F(Flag::Chata)},
        {_, F(Flag::MaiasaTv), F(Flag::BakuhakuHome), F(Flag::IshiusuHome), F(Flag::PikoHome)},
        {C(6), _, _, _, F(Flag::Shinjuku)},
        {C(5), F(Flag::StudioKameda), F(Flag::Takoichi), F(Flag::IzakayaMidori),
         F(Flag::ArimaOnsen)},
    }};
}();

} // namespace pelio
