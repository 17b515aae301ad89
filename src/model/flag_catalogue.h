#pragma once

#include <array>
#include <bitset>
#include <cstddef>
#include <string_view>

namespace pelio {

// Storage number of a progress flag, 1 to 46. The number fixes the flag's place in the
// stored progress, its page and its place on the panel.
using FlagNumber = int;

struct FlagInfo {
    FlagNumber number;
    std::string_view controlName; // the flag's only identifier, e.g. "Chk_Lgt"
    std::u16string_view caption;
    int page;   // 1 or 2
    int column; // 1 to 3
    int row;    // 1 to 10
    int widthTwips;
};

inline constexpr int kFlagCount = 46;

// Every progress flag the game's memo knows about, in storage order.
inline constexpr std::array<FlagInfo, kFlagCount> kFlagCatalogue{{
    {1, "Chk_Lgt", u"ライター", 1, 1, 1, 975},
    {2, "Chk_Ctc", u"コンタクトレンズ", 1, 1, 2, 1575},
    {3, "Chk_Pct", u"現場写真", 1, 1, 3, 1095},
    {4, "Chk_Gue", u"出席者一覧", 1, 1, 4, 1215},
    {5, "Chk_Bak", u"麦珀の家", 1, 1, 5, 1095},
    {6, "Chk_Mai", u"まいあさテレビ", 1, 1, 6, 1455},
    {7, "Chk_Tck", u"舟券／競艇場", 1, 1, 7, 1455},
    {8, "Chk_Mis", u"宵みさねとの対面", 1, 1, 8, 1575},
    {9, "Chk_Ras", u"宵らせのとの対面", 1, 1, 9, 1695},
    {10, "Chk_Nan", u"なんば花月", 1, 1, 10, 1215},
    {11, "Chk_Ubo", u"浦辺ボナーと対面", 1, 2, 1, 1935},
    {12, "Chk_Upi", u"浦辺ピコーと対面", 1, 2, 2, 1695},
    {13, "Chk_Sjk", u"新宿", 1, 2, 3, 735},
    {14, "Chk_Jkt", u"ジェム北鎚と対面", 1, 2, 4, 1695},
    {15, "Chk_Jis", u"ジェム石臼と対面", 1, 2, 5, 1815},
    {16, "Chk_Tan", u"鳴沢たぬもと対面", 1, 2, 6, 1695},
    {17, "Chk_Bos", u"ねたほんが盗まれる", 1, 2, 7, 1935},
    {18, "Chk_Tel", u"留守電を取った", 1, 2, 8, 1695},
    {19, "Chk_Koi", u"たこいち", 1, 2, 9, 1455},
    {20, "Chk_Ish", u"石臼の家", 1, 2, 10, 1335},
    {21, "Chk_Ryo", u"領収書", 1, 3, 1, 1095},
    {22, "Chk_Is2", u"石臼の家（２回目）", 1, 3, 2, 1695},
    {23, "Chk_Bok", u"ねたほん", 1, 3, 3, 1575},
    {24, "Chk_Fds", u"フロッピーディスク", 1, 3, 4, 1695},
    {25, "Chk_Stk", u"スタジオカメダ", 1, 3, 5, 1455},
    {26, "Chk_Imd", u"居酒屋みどり", 1, 3, 6, 1455},
    {27, "Chk_Pnk", u"「金庫室にペンダント」", 1, 3, 7, 1935},
    {28, "Chk_Tak", u"たこやき", 1, 3, 8, 1095},
    {29, "Chk_Hot", u"ほてとと話した", 2, 1, 1, 1455},
    {30, "Chk_Aro", u"有馬温泉", 2, 1, 2, 1575},
    {31, "Chk_Cha", u"チャタ", 2, 1, 3, 975},
    {32, "Chk_Pnd", u"ペンダント", 2, 1, 4, 1335},
    {33, "Chk_Pih", u"ピコーの家", 2, 1, 5, 1215},
    {34, "Chk_Han", u"犯行声明", 2, 1, 6, 1455},
    {35, "Chk_Srk", u"鍵", 2, 1, 7, 1455},
    {36, "Chk_Chn", u"金の鎖", 2, 1, 8, 1575},
    {37, "Chk_Cpp", u"クラブポピー", 2, 1, 9, 1575},
    {38, "Chk_Aoe", u"蒼丸逃走する", 2, 1, 10, 1575},
    {39, "Chk_Dia", u"アフリカの星", 2, 2, 1, 1815},
    {40, "Chk_Aok", u"蒼丸の死", 2, 2, 2, 1695},
    {41, "Chk_Isy", u"遺書", 2, 2, 3, 735},
    {42, "Chk_Pio", u"ピコー（事務所）", 2, 2, 4, 1695},
    {43, "Chk_Nen", u"ネネ", 2, 2, 5, 1695},
    {44, "Chk_Kei", u"契約書", 2, 2, 6, 1815},
    {45, "Chk_Mit", u"密輸", 2, 2, 7, 1815},
    {46, "Chk_Khk", u"脅迫状", 2, 2, 8, 1455},
}};

constexpr const FlagInfo& flagInfo(FlagNumber number) {
    return kFlagCatalogue.at(static_cast<std::size_t>(number - 1));
}

// The storage number of the flag whose check box bears `controlName`. Used in constant
// expressions, a misspelt name fails to compile instead of picking a wrong flag.
consteval FlagNumber flag(std::string_view controlName) {
    for (const FlagInfo& info : kFlagCatalogue) {
        if (info.controlName == controlName)
            return info.number;
    }
    throw "unknown progress flag";
}

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
    void set(FlagNumber number, bool value) { bits_.set(index(number), value); }
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
inline constexpr std::array<FlagNumber, 6> kDuoMeetings{
    flag("Chk_Mis"), flag("Chk_Ras"), flag("Chk_Ubo"),
    flag("Chk_Upi"), flag("Chk_Jkt"), flag("Chk_Jis"),
};

inline int meetingCount(const ProgressFlags& flags) {
    int met = 0;
    for (FlagNumber number : kDuoMeetings)
        met += flags.isSet(number) ? 1 : 0;
    return met;
}

} // namespace pelio
