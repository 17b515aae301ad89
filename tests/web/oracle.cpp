// Random states of play and what the native core shows for each, as JSON for the browser
// tests: the name's key codes, the ticked boxes, and the text of every control a completion
// writes. The page, given the same clicks, must show the same.
//   pelio_web_oracle SEED COUNT

#include "entry/state_record.h"
#include "hints/location_hints.h"
#include "layout/controls.h"

#include <cstdio>
#include <random>
#include <string>

namespace {

using namespace pelio;

// A JSON string, every character escaped so that no encoding is involved.
std::string json(std::u16string_view text) {
    std::string out = "\"";
    for (char16_t unit : text) {
        char escaped[7];
        std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(unit));
        out += escaped;
    }
    return out + "\"";
}
std::string json(std::string_view ascii) {
    return "\"" + std::string(ascii) + "\"";
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s SEED COUNT\n", argv[0]);
        return 2;
    }
    std::mt19937 random(static_cast<unsigned>(std::stoul(argv[1])));
    const int count = std::stoi(argv[2]);
    std::string out = "[";
    for (int i = 0; i < count; ++i) {
        StateRecord state;
        std::string keys, flags;
        for (int slot = 0; slot < kNameSlots; ++slot) {
            const auto code = static_cast<KanaCode>(random() % kKanaCount);
            pressKanaKey(state, code);
            commitPendingKey(state);
            keys += (slot ? "," : "") + std::to_string(code);
        }
        const std::mt19937::result_type percent = random() % 101;
        for (const FlagInfo& info : kFlagCatalogue) {
            if (random() % 100 < percent) {
                setFlag(state, info.number, true);
                flags += (flags.empty() ? "" : ",") + json(info.controlName);
            }
        }
        const Results shown = complete(state);
        std::string results =
            "\"PWD\":" + json(shown.memo) + ",\"Lab_Gam\":" + json(shown.rankLine);
        for (std::size_t h = 0; h < kLocations.size(); ++h)
            results += "," + json(layout::hintLine(kLocations[h].location).id) + ":" +
                       json(shown.hintLines[h]);
        out += (i ? ",\n" : "\n") + std::string("{\"keys\":[") + keys + "],\"flags\":[" + flags +
               "],\"results\":{" + results + "}}";
    }
    std::printf("%s\n]\n", out.c_str());
    return 0;
}
