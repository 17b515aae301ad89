// Writes the page and its pictures into the site folder:
//   pelio_site_writer SITE_FOLDER PAGE_TEMPLATE STYLE_SHEET CORE_SCRIPT PAGE_SCRIPT CORE_WASM
//                     CORE_WASM_DEFLATED
// The page is the template (index.html.in) with its @SLOTS@ filled from the same tables as
// the desktop window: the layout, the flag catalogue, the key table and the hint locations.
// The page therefore holds all its controls before the core has loaded, disabled until it
// has, and works as a document without script. The style sheet, the core's script and the
// page's script go into the page itself: a page that needs no other request is ready to use
// soonest. Built for the web and run under node at build time, like the rest of the web build.

#include "entry/kana_keys.h"
#include "entry/notebook.h"
#include "entry/state_record.h"
#include "entry/undo.h"
#include "hints/advice_rank.h"
#include "hints/location_hints.h"
#include "layout/about_layout.h"
#include "layout/pixel_art.h"
#include "layout/window_layout.h"
#include "memo/utf16.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace {

using namespace pelio;
using namespace pelio::layout;
namespace fs = std::filesystem;

// Text as HTML content or attribute value.
std::string html(std::string_view text) {
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        default:
            out += c;
        }
    }
    return out;
}
std::string html(std::u16string_view text) {
    return html(toUtf8(text));
}

std::string hex(Rgb colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
    return text;
}

// A control's place in twips; the style sheet turns twips into rem.
std::string place(const Rect& cell) {
    return "--l:" + std::to_string(cell.left) + ";--t:" + std::to_string(cell.top) +
           ";--w:" + std::to_string(cell.width) + ";--h:" + std::to_string(cell.height);
}

std::string dimensions(int width, int height) {
    return "--w:" + std::to_string(width) + ";--h:" + std::to_string(height);
}

std::string alignClass(Align align) {
    return align == Align::Centre ? " centre" : "";
}

// "Ctrl+Enter" as ARIA writes it: "Control+Enter".
std::string ariaKeys(std::string_view shortcut) {
    std::string keys(shortcut);
    if (keys.starts_with("Ctrl+"))
        keys.replace(0, 4, "Control");
    return keys;
}

// The page's buttons stand in no form, so none needs type="button", which took 1.1 KB of the
// first visit.
std::string commandButton(const Command& command, std::string_view classes, int member = -1) {
    std::string out =
        "<button id=\"" + std::string(command.name) + "\" class=\"" + std::string(classes) +
        "\" style=\"" + place(command.cell) + ";--bg:" + hex(command.background) +
        ";--fg:" + (command.foreground ? hex(*command.foreground) : "ButtonText") + "\"";
    if (member >= 0)
        out += " data-member=\"" + std::to_string(member) + "\"";
    if (!command.shortcut.empty())
        out += " aria-keyshortcuts=\"" + ariaKeys(command.shortcut) + "\" title=\"" +
               std::string(command.shortcut) + "\"";
    return out + " disabled>" + html(command.caption) + "</button>\n";
}

std::string title(std::string_view name, std::string_view tag, std::string_view extra = {}) {
    for (const Title& candidate : kTitles) {
        if (candidate.name == name)
            return "<" + std::string(tag) + " id=\"" + std::string(name) + "\" class=\"title" +
                   alignClass(candidate.align) + "\" style=\"" + place(candidate.cell) + "\"" +
                   std::string(extra) + ">" + html(candidate.caption) + "</" + std::string(tag) +
                   ">\n";
    }
    return {};
}

std::string menuItems() {
    std::string out;
    for (const MenuItem& item : kMenuItems) {
        // 終了 ends a desktop program; a browser tab is closed by the browser.
        if (item.name != "Quit_sm")
            out += "<button id=\"" + std::string(item.name) + "\" disabled>" + html(item.caption) +
                   "</button>";
    }
    return out;
}

std::string nameBoxes() {
    std::string out;
    for (int slot = 1; slot <= kNameSlots; ++slot) {
        out += "<output id=\"Namtext" + std::to_string(slot) + "\" class=\"name-box" +
               alignClass(nameBoxAlign(slot)) + "\" style=\"" + place(nameBoxCell(slot)) +
               "\" aria-label=\"" + html(nameBoxSpokenName(slot)) + "\">" +
               html(std::u16string(1, kEmptyNameBox)) + "</output>\n";
    }
    return out;
}

// A key whose caption is its spoken name needs no label of its own: 0.8 KB of the first visit.
std::string keyboard() {
    std::string out;
    for (int code = 0; code < kKanaCount; ++code) {
        const auto kana = static_cast<KanaCode>(code);
        const std::u16string_view spoken = keySpokenName(kana);
        out += "<button id=\"" + keyName(kana) + "\" class=\"key\" style=\"" +
               place(keyCell(kana)) + "\" data-member=\"" + std::to_string(code) + "\"" +
               (spoken == keyCaption(kana) ? "" : " aria-label=\"" + html(spoken) + "\"") +
               " disabled>" + html(keyCaption(kana)) + "</button>\n";
    }
    return out + commandButton(command("Nm_Back"), "key command", kBackspaceMember) +
           commandButton(command("Nm_Inpt"), "key command", kInputMember);
}

std::string flagBoxes() {
    std::string out;
    for (const FlagInfo& info : kFlagCatalogue) {
        out += "<label class=\"flag\" style=\"" + place(flagBoxCell(info)) + "\"" +
               (info.page == 1 ? "" : " hidden") + "><input type=\"checkbox\" id=\"" +
               std::string(info.controlName) + "\" data-flag=\"" + std::to_string(info.number) +
               "\" disabled><span>" + html(info.caption) + "</span></label>\n";
    }
    return out;
}

std::string commands() {
    std::string out;
    for (const char* name : {"Answer", "Nm_Clear", "Allset"})
        out += commandButton(command(name), "command");
    return out;
}

std::string resultLines() {
    std::string out = "<p id=\"" + std::string(kRankLineName) + "\" style=\"" +
                      place(resultCell(kRankLineName)) + "\">" + html(kAdviceRankCaption) +
                      "</p>\n";
    for (const LocationInfo& location : kLocations)
        out += "<p id=\"" + std::string(location.labelName) + "\" style=\"" +
               place(resultCell(location.labelName)) + "\">" + html(location.prefix) + "</p>\n";
    return out;
}

std::string lines() {
    std::string out;
    for (const Line& line : kLines) {
        const int thickness = kLineWidthPixels * kTwipsPerPixel;
        const Rect cell{line.x1, line.y1, std::max(line.x2 - line.x1, thickness),
                        std::max(line.y2 - line.y1, thickness)};
        out += "<div class=\"line\" aria-hidden=\"true\" style=\"" + place(cell) + "\"></div>\n";
    }
    return out;
}

std::string aboutTexts() {
    using about::Text;
    auto element = [](const Text& text, std::string_view tag, std::string_view extra = {}) {
        return "<" + std::string(tag) + " id=\"" + std::string(text.name) + "\" style=\"" +
               place(text.cell) + "\"" + std::string(extra) + ">" + html(text.text) + "</" +
               std::string(tag) + ">\n";
    };
    return element(about::kProgramTitle, "p") + element(about::kVersion, "p") +
           element(about::kNotice, "p") + element(about::kRelease, "p") +
           element(about::kButton, "button", " autofocus");
}

// The notebook's and the link's buttons, in the window's layout: to the right of the memo box,
// in the room left between it and the client area's edge, a third and the rest of it.
constexpr int kToolGap = 90;
constexpr Rect kLogCell{kMemoBoxCell.left + kMemoBoxCell.width + kToolGap, kMemoBoxCell.top,
                        (kClientWidth - kMemoBoxCell.left - kMemoBoxCell.width) / 3 - kToolGap,
                        kMemoBoxCell.height};
constexpr Rect kLinkCell{kLogCell.left + kLogCell.width + kToolGap, kMemoBoxCell.top,
                         kClientWidth - kToolGap - (kLogCell.left + kLogCell.width + kToolGap),
                         kMemoBoxCell.height};

// 写真から読む, in the room to the left of the memo box, as wide as リンクをコピー.
constexpr Rect kPictureCell{kMemoBoxCell.left - kToolGap - kLinkCell.width, kMemoBoxCell.top,
                            kLinkCell.width, kMemoBoxCell.height};

std::string iconFile(int size) {
    return "icon-" + std::to_string(size) + ".png";
}

// The page is set in rem, so that it follows the font size the reader chose; at the usual 16
// pixels to the rem, a pixel of the window is a pixel of the page.
constexpr int kPixelsPerRem = 16;

// What the style sheet takes from the tables, as custom properties on :root.
std::string rootProperties() {
    std::string fonts;
    for (std::u16string_view family : kFontFamilies)
        fonts += (fonts.empty() ? "\"" : ",\"") + toUtf8(family) + "\"";
    return ":root{--twip:calc(1rem/" + std::to_string(kPixelsPerRem * kTwipsPerPixel) +
           ");--font-size:calc(1rem*" + std::to_string(kFontPixels) + "/" +
           std::to_string(kPixelsPerRem) + ");--fonts:" + fonts +
           ";--highlight:" + hex(kHighlight) + ";--warning:" + hex(kWarning) +
           ";--line:" + hex(kLineColour) + ";--version:" + hex(about::kVersionColour) + "}\n";
}

using Slots = std::map<std::string, std::string, std::less<>>;

Slots pageSlots(std::string styleSheet, std::string coreScript, std::string coreWasm,
                std::size_t coreWasmSize, std::string pageScript) {
    const int tabIcon = kPageIconSizes[0];
    return {
        {"WINDOW_TITLE", html(kWindowTitle)},
        {"TAB_ICON_SIZE", std::to_string(tabIcon) + "x" + std::to_string(tabIcon)},
        {"TAB_ICON", iconFile(tabIcon)},
        {"HOME_SCREEN_ICON", iconFile(kPageIconSizes[1])},
        {"ROOT_PROPERTIES", rootProperties()},
        {"STYLE_SHEET", std::move(styleSheet)},
        {"CORE_SCRIPT", std::move(coreScript)},
        {"CORE_WASM", std::move(coreWasm)},
        {"CORE_WASM_SIZE", std::to_string(coreWasmSize)},
        {"PAGE_SCRIPT", std::move(pageScript)},
        {"MENU_ITEMS", menuItems()},
        {"CLIENT_SIZE", dimensions(kClientWidth, kClientHeight)},
        {"NAME_TITLE", title("Namtitle", "h2")},
        {"NAME_BOXES", nameBoxes()},
        {"KEYBOARD", keyboard()},
        {"KANA_KEYS", std::to_string(kKanaCount)},
        {"PROGRESS_TITLE", title("Itmtitle", "h2")},
        {"FLAG_BOXES", flagBoxes()},
        {"PAGE_SWITCH", commandButton(command("Lab_Pag"), "command")},
        {"COMMANDS", commands()},
        {"MEMO_TITLE", title("Pwtitle", "label", " for=\"" + std::string(kMemoBoxName) + "\"")},
        {"MEMO_BOX", std::string(kMemoBoxName)},
        {"MEMO_BOX_PLACE", place(kMemoBoxCell)},
        {"REASON_PLACE", place(kReasonCell)},
        {"FIX_LIST_PLACE", place(kFixListCell)},
        {"LOG_PLACE", place(kLogCell)},
        {"LINK_PLACE", place(kLinkCell)},
        {"PICTURE_PLACE", place(kPictureCell)},
        {"UNDO_SECONDS", std::to_string(kUndoSeconds)},
        {"UNDO_CAPTION", html(kUndoCaption)},
        {"UNDONE_NOTICE", html(kUndoneNotice)},
        {"NOTEBOOK_FILE_LIMIT", std::to_string(kNotebookFileLimit)},
        {"RESULT_LINES", resultLines()},
        {"LINES", lines()},
        {"ABOUT_SIZE", dimensions(about::kClientWidth, about::kClientHeight)},
        {"ABOUT_TITLE", html(about::kTitle)},
        {"ABOUT_PICTURE_PLACE", place(about::kPictureCell)},
        {"ABOUT_TEXTS", aboutTexts()},
    };
}

// The template with each @SLOT@ replaced by its text. The texts themselves are not looked
// into, so a style sheet's @media stays as it is. A slot without a text, or a text that no
// slot asks for, is a mistake in the template or here and fails the build.
std::optional<std::string> fill(std::string_view page, const Slots& slots) {
    std::string out;
    std::set<std::string_view> used;
    std::size_t at = 0;
    for (std::size_t open; (open = page.find('@', at)) != std::string_view::npos;) {
        const std::size_t close = page.find('@', open + 1);
        const auto slot = close == std::string_view::npos
                              ? slots.end()
                              : slots.find(page.substr(open + 1, close - open - 1));
        if (slot == slots.end()) {
            const std::string_view name = page.substr(open, close - open + 1).substr(0, 40);
            std::fprintf(stderr,
                         "pelio_site_writer: the page's template has an unknown slot %.*s\n",
                         static_cast<int>(name.size()), name.data());
            return std::nullopt;
        }
        out.append(page.substr(at, open - at)).append(slot->second);
        used.insert(slot->first);
        at = close + 1;
    }
    for (const auto& [name, text] : slots) {
        if (!used.contains(name)) {
            std::fprintf(stderr, "pelio_site_writer: the page's template has no slot @%s@\n",
                         name.c_str());
            return std::nullopt;
        }
    }
    return out.append(page.substr(at));
}

std::string manifest() {
    std::string icons;
    for (int size : kPageIconSizes) {
        const std::string side = std::to_string(size);
        icons += std::string(icons.empty() ? "" : ",\n") + "    {\"src\": \"" + iconFile(size) +
                 "\", \"sizes\": \"" + side + "x" + side + "\", \"type\": \"image/png\"}";
    }
    const std::string name = toUtf8(kWindowTitle);
    return "{\n  \"name\": \"" + name + "\",\n  \"short_name\": \"" + name +
           "\",\n  \"lang\": \"ja\",\n  \"start_url\": \"./\",\n  \"scope\": \"./\",\n"
           "  \"display\": \"standalone\",\n  \"background_color\": \"#000000\",\n"
           "  \"theme_color\": \"#000000\",\n  \"icons\": [\n" +
           icons + "\n  ]\n}\n";
}

std::string contents(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Bytes as base64 text, the alphabet and padding of atob() and Uint8Array.fromBase64().
std::string base64(std::string_view bytes) {
    static constexpr std::string_view kDigits =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    for (std::size_t at = 0; at < bytes.size(); at += 3) {
        const std::size_t count = std::min<std::size_t>(3, bytes.size() - at);
        std::uint32_t group = 0;
        for (std::size_t i = 0; i < 3; ++i) {
            const std::uint8_t byte = i < count ? static_cast<std::uint8_t>(bytes[at + i]) : 0;
            group = (group << 8) | std::uint32_t{byte};
        }
        for (std::size_t i = 0; i < 4; ++i)
            out += i <= count ? kDigits[(group >> (18 - 6 * i)) & 63] : '=';
    }
    return out;
}

// A file to put inside the page as it is; empty when it cannot be read or would end the
// element it goes in.
std::string contentsFor(const fs::path& file, std::string_view element) {
    std::string text = contents(file);
    if (text.empty() || text.find("</" + std::string(element)) != std::string::npos) {
        std::fprintf(stderr, "pelio_site_writer: cannot put %s in a <%s>\n", file.c_str(),
                     std::string(element).c_str());
        return {};
    }
    return text;
}

bool write(const fs::path& file, std::string_view bytes) {
    std::ofstream out(file, std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        std::fprintf(stderr, "pelio_site_writer: cannot write %s\n", file.c_str());
    return static_cast<bool>(out);
}

// A square picture as a PNG file, by stb's writer, which takes each pixel as R, G, B, A bytes.
bool writePng(const fs::path& file, int size, const std::vector<Argb>& pixels) {
    std::vector<std::uint8_t> rgba;
    for (Argb pixel : pixels) {
        for (int shift : {16, 8, 0, 24})
            rgba.push_back(static_cast<std::uint8_t>(pixel >> shift));
    }
    std::string png;
    const auto append = [](void* context, void* data, int length) {
        static_cast<std::string*>(context)->append(static_cast<const char*>(data),
                                                   static_cast<std::size_t>(length));
    };
    return stbi_write_png_to_func(append, &png, size, size, 4, rgba.data(), size * 4) != 0 &&
           write(file, png);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 8) {
        std::fprintf(stderr,
                     "usage: %s SITE_FOLDER PAGE_TEMPLATE STYLE_SHEET CORE_SCRIPT PAGE_SCRIPT "
                     "CORE_WASM CORE_WASM_DEFLATED\n",
                     argv[0]);
        return 2;
    }
    const fs::path site(argv[1]);
    const std::string pageTemplate = contents(argv[2]);
    std::string styleSheet = contentsFor(argv[3], "style");
    std::string coreScript = contentsFor(argv[4], "script");
    std::string pageScript = contentsFor(argv[5], "script");
    const std::size_t coreWasmSize = contents(argv[6]).size();
    std::string coreWasm = base64(contents(argv[7]));
    if (pageTemplate.empty() || styleSheet.empty() || coreScript.empty() || pageScript.empty() ||
        coreWasmSize == 0 || coreWasm.empty())
        return 1;
    const std::optional<std::string> page =
        fill(pageTemplate, pageSlots(std::move(styleSheet), std::move(coreScript),
                                     std::move(coreWasm), coreWasmSize, std::move(pageScript)));
    if (!page)
        return 1;
    std::error_code error;
    fs::create_directories(site, error);
    bool written = write(site / "index.html", *page) &&
                   write(site / "manifest.webmanifest", manifest()) &&
                   writePng(site / "pel-ver.png", kAboutPictureSize, aboutPicturePixels());
    for (int size : kPageIconSizes)
        written = written && writePng(site / iconFile(size), size, windowIconPixels(size));
    return written ? 0 : 1;
}
