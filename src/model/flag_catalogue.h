#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace pelio {

// Storage number of a progress flag, 1 to 46. The number fixes the flag's place in the
// stored progress, its page and its place on the panel.
using FlagNumber = int;

// Each progress flag by what it records; its value is its storage number.
enum class Flag : std::uint8_t {
    Lighter = 1,
    ContactLens,
    CrimeScenePhoto,
    GuestList,
    BakuhakuHome,
    MaiasaTv,
    BoatRaceTicket,
    MetMisane,
    MetRaseno,
    NanbaKagetsu,
    MetUrabeBona,
    MetUrabePiko,
    Shinjuku,
    MetJemKitazuchi,
    MetJemIshiusu,
    MetTanumo,
    JokeBookStolen,
    TookPhoneMessage,
    Takoichi,
    IshiusuHome,
    Receipt,
    IshiusuHomeAgain,
    JokeBook,
    FloppyDisk,
    StudioKameda,
    IzakayaMidori,
    PendantInVault,
    Takoyaki,
    TalkedToHoteto,
    ArimaOnsen,
    Chata,
    Pendant,
    PikoHome,
    CrimeStatement,
    Key,
    GoldChain,
    ClubPoppy,
    AomaruEscapes,
    StarOfAfrica,
    AomaruDies,
    FarewellNote,
    PikoAtOffice,
    Nene,
    Contract,
    Smuggling,
    ThreatLetter,
};

struct FlagInfo {
    constexpr FlagInfo(Flag which, std::string_view control, std::u16string_view text, int onPage,
                       int inColumn, int inRow, int width)
        : flag(which)
        , number(static_cast<FlagNumber>(which))
        , controlName(control)
        , caption(text)
        , page(onPage)
        , column(inColumn)
        , row(inRow)
        , widthTwips(width) {}

    Flag flag;
    FlagNumber number;
    std::string_view controlName; // its check box's name, e.g. "Chk_Lgt"
    std::u16string_view caption;
    int page;   // 1 or 2
    int column; // 1 to 3
    int row;    // 1 to 10
    int widthTwips;
};

inline constexpr int kFlagCount = 46;

// Every progress flag the game's memo knows about, in storage order: what it records, its check
// box's name and caption, and where the box stands.
inline constexpr std::array<FlagInfo, kFlagCount> kFlagCatalogue{{
    {Flag::Lighter, "Chk_Lgt", u"ライター", 1, 1, 1, 975},
    {Flag::ContactLens, "Chk_Ctc", u"コンタクトレンズ", 1, 1, 2, 1575},
    {Flag::CrimeScenePhoto, "Chk_Pct", u"現場写真", 1, 1, 3, 1095},
    {Flag::GuestList, "Chk_Gue", u"出席者一覧", 1, 1, 4, 1215},
    {Flag::BakuhakuHome, "Chk_Bak", u"麦珀の家", 1, 1, 5, 1095},
    {Flag::MaiasaTv, "Chk_Mai", u"まいあさテレビ", 1, 1, 6, 1455},
    {Flag::BoatRaceTicket, "Chk_Tck", u"舟券／競艇場", 1, 1, 7, 1455},
    {Flag::MetMisane, "Chk_Mis", u"宵みさねとの対面", 1, 1, 8, 1575},
    {Flag::MetRaseno, "Chk_Ras", u"宵らせのとの対面", 1, 1, 9, 1695},
    {Flag::NanbaKagetsu, "Chk_Nan", u"なんば花月", 1, 1, 10, 1215},
    {Flag::MetUrabeBona, "Chk_Ubo", u"浦辺ボナーと対面", 1, 2, 1, 1935},
    {Flag::MetUrabePiko, "Chk_Upi", u"浦辺ピコーと対面", 1, 2, 2, 1695},
    {Flag::Shinjuku, "Chk_Sjk", u"新宿", 1, 2, 3, 735},
    {Flag::MetJemKitazuchi, "Chk_Jkt", u"ジェム北鎚と対面", 1, 2, 4, 1695},
    {Flag::MetJemIshiusu, "Chk_Jis", u"ジェム石臼と対面", 1, 2, 5, 1815},
    {Flag::MetTanumo, "Chk_Tan", u"鳴沢たぬもと対面", 1, 2, 6, 1695},
    {Flag::JokeBookStolen, "Chk_Bos", u"ねたほんが盗まれる", 1, 2, 7, 1935},
    {Flag::TookPhoneMessage, "Chk_Tel", u"留守電を取った", 1, 2, 8, 1695},
    {Flag::Takoichi, "Chk_Koi", u"たこいち", 1, 2, 9, 1455},
    {Flag::IshiusuHome, "Chk_Ish", u"石臼の家", 1, 2, 10, 1335},
    {Flag::Receipt, "Chk_Ryo", u"領収書", 1, 3, 1, 1095},
    {Flag::IshiusuHomeAgain, "Chk_Is2", u"石臼の家（２回目）", 1, 3, 2, 1695},
    {Flag::JokeBook, "Chk_Bok", u"ねたほん", 1, 3, 3, 1575},
    {Flag::FloppyDisk, "Chk_Fds", u"フロッピーディスク", 1, 3, 4, 1695},
    {Flag::StudioKameda, "Chk_Stk", u"スタジオカメダ", 1, 3, 5, 1455},
    {Flag::IzakayaMidori, "Chk_Imd", u"居酒屋みどり", 1, 3, 6, 1455},
    {Flag::PendantInVault, "Chk_Pnk", u"「金庫室にペンダント」", 1, 3, 7, 1935},
    {Flag::Takoyaki, "Chk_Tak", u"たこやき", 1, 3, 8, 1095},
    {Flag::TalkedToHoteto, "Chk_Hot", u"ほてとと話した", 2, 1, 1, 1455},
    {Flag::ArimaOnsen, "Chk_Aro", u"有馬温泉", 2, 1, 2, 1575},
    {Flag::Chata, "Chk_Cha", u"チャタ", 2, 1, 3, 975},
    {Flag::Pendant, "Chk_Pnd", u"ペンダント", 2, 1, 4, 1335},
    {Flag::PikoHome, "Chk_Pih", u"ピコーの家", 2, 1, 5, 1215},
    {Flag::CrimeStatement, "Chk_Han", u"犯行声明", 2, 1, 6, 1455},
    {Flag::Key, "Chk_Srk", u"鍵", 2, 1, 7, 1455},
    {Flag::GoldChain, "Chk_Chn", u"金の鎖", 2, 1, 8, 1575},
    {Flag::ClubPoppy, "Chk_Cpp", u"クラブポピー", 2, 1, 9, 1575},
    {Flag::AomaruEscapes, "Chk_Aoe", u"蒼丸逃走する", 2, 1, 10, 1575},
    {Flag::StarOfAfrica, "Chk_Dia", u"アフリカの星", 2, 2, 1, 1815},
    {Flag::AomaruDies, "Chk_Aok", u"蒼丸の死", 2, 2, 2, 1695},
    {Flag::FarewellNote, "Chk_Isy", u"遺書", 2, 2, 3, 735},
    {Flag::PikoAtOffice, "Chk_Pio", u"ピコー（事務所）", 2, 2, 4, 1695},
    {Flag::Nene, "Chk_Nen", u"ネネ", 2, 2, 5, 1695},
    {Flag::Contract, "Chk_Kei", u"契約書", 2, 2, 6, 1815},
    {Flag::Smuggling, "Chk_Mit", u"密輸", 2, 2, 7, 1815},
    {Flag::ThreatLetter, "Chk_Khk", u"脅迫状", 2, 2, 8, 1455},
}};

constexpr const FlagInfo& flagInfo(FlagNumber number) {
    return kFlagCatalogue.at(static_cast<std::size_t>(number - 1));
}

constexpr FlagNumber numberOf(Flag flag) {
    return static_cast<FlagNumber>(flag);
}

static_assert(
    [] {
        for (std::size_t i = 0; i < kFlagCatalogue.size(); ++i) {
            if (kFlagCatalogue[i].number != static_cast<FlagNumber>(i + 1))
                return false;
        }
        return true;
    }(),
    "the catalogue lists the flags in storage order");

// The storage number for a control name known only at run time; 0 when there is none.
constexpr FlagNumber findFlag(std::string_view controlName) {
    for (const FlagInfo& info : kFlagCatalogue) {
        if (info.controlName == controlName)
            return info.number;
    }
    return 0;
}

// The 46 flags, each set or not, addressed by storage number.
class ProgressFlags {
public:
    bool isSet(FlagNumber number) const { return bits_.test(index(number)); }
    bool isSet(Flag flag) const { return isSet(static_cast<FlagNumber>(flag)); }
    void set(FlagNumber number, bool value) { bits_.set(index(number), value); }
    void set(Flag flag, bool value) { set(static_cast<FlagNumber>(flag), value); }
    void setAll() { bits_.set(); }
    int count() const { return static_cast<int>(bits_.count()); }
    bool operator==(const ProgressFlags&) const = default;

private:
    static constexpr std::size_t index(FlagNumber number) {
        return static_cast<std::size_t>(flagInfo(number).number - 1);
    }
    std::bitset<kFlagCount> bits_;
};

// The six duo meetings; how many of them are ticked drives the office, TV, theatre and pub
// hints and the advice rank.
inline constexpr std::array<Flag, 6> kDuoMeetings{
    Flag::MetMisane,    Flag::MetRaseno,       Flag::MetUrabeBona,
    Flag::MetUrabePiko, Flag::MetJemKitazuchi, Flag::MetJemIshiusu,
};

inline int meetingCount(const ProgressFlags& flags) {
    int met = 0;
    for (Flag meeting : kDuoMeetings)
        met += flags.isSet(meeting) ? 1 : 0;
    return met;
}

} // namespace pelio
