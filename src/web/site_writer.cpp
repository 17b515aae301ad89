// Writes the page and its pictures into the site folder:
//   pelio_site_writer SITE_FOLDER STYLE_SHEET CORE_SCRIPT PAGE_SCRIPT
// Every control is drawn from the same tables as the desktop window: the layout, the flag
// catalogue, the key table and the hint locations. The page therefore holds all its controls
// before the core has loaded, disabled until it has, and works as a document without script.
// The style sheet, the core's script and the page's script go into the page itself: a page
// that needs no other request is ready to use soonest.
// Built for the web and run under node at build time, like the rest of the web build.

#include "entry/kana_keys.h"
#include "entry/state_record.h"
#include "hints/advice_rank.h"
#include "hints/location_hints.h"
#include "layout/about_layout.h"
#include "layout/pixel_art.h"
#include "layout/window_layout.h"
#include "memo/utf16.h"

#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

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

std::string alignClass(Align align) {
    return align == Align::Centre ? " centre" : "";
}

std::string keyName(int code) {
    char name[5];
    std::snprintf(name, sizeof name, "Nm%02X", code);
    return name;
}

// "Ctrl+Return" as ARIA writes it: "Control+Enter".
std::string ariaKeys(std::string_view shortcut) {
    std::string keys(shortcut);
    for (auto [from, to] :
         {std::pair<std::string_view, std::string_view>{"Ctrl", "Control"}, {"Return", "Enter"}}) {
        if (const std::size_t at = keys.find(from); at != std::string::npos)
            keys.replace(at, from.size(), to);
    }
    return keys;
}

std::string commandButton(const Command& command, std::string_view classes, int member = -1) {
    std::string out = "<button type=\"button\" id=\"" + std::string(command.name) + "\" class=\"" +
                      std::string(classes) + "\" style=\"" + place(command.cell) +
                      ";--bg:" + hex(command.background) +
                      ";--fg:" + (command.foreground ? hex(*command.foreground) : "ButtonText") +
                      "\"";
    if (member >= 0)
        out += " data-member=\"" + std::to_string(member) + "\" tabindex=\"-1\"";
    if (!command.shortcut.empty())
        out += " aria-keyshortcuts=\"" + ariaKeys(command.shortcut) + "\" title=\"" +
               std::string(command.shortcut) + "\"";
    return out + " disabled>" + html(command.caption) + "</button>\n";
}

std::string title(std::string_view name, std::string_view tag, std::string_view extra = {}) {
    for (const Title& title : kTitles) {
        if (title.name == name)
            return "<" + std::string(tag) + " id=\"" + std::string(name) + "\" class=\"title" +
                   alignClass(title.align) + "\" style=\"" + place(title.cell) + "\"" +
                   std::string(extra) + ">" + html(title.caption) + "</" + std::string(tag) + ">\n";
    }
    return {};
}

std::string namesArea() {
    std::string out = "<section class=\"names\" aria-labelledby=\"Namtitle\">\n" +
                      title("Namtitle", "h2") + "<div class=\"name-boxes\">\n";
    for (int slot = 1; slot <= kNameSlots; ++slot) {
        out += "<output id=\"Namtext" + std::to_string(slot) + "\" class=\"name-box" +
               alignClass(nameBoxAlign(slot)) + "\" style=\"" + place(nameBoxCell(slot)) +
               "\" aria-label=\"" + html(nameBoxSpokenName(slot)) + "\">" +
               html(std::u16string(1, kEmptyNameBox)) + "</output>\n";
    }
    out += "</div>\n<div class=\"keys\" role=\"group\" aria-label=\"かなのキー\">\n";
    for (int code = 0; code < kKanaCount; ++code) {
        const auto kana = static_cast<KanaCode>(code);
        out += "<button type=\"button\" id=\"" + keyName(code) + "\" class=\"key\" style=\"" +
               place(keyCell(kana)) + "\" data-member=\"" + std::to_string(code) +
               "\" tabindex=\"" + (code == 0 ? "0" : "-1") + "\" aria-label=\"" +
               html(keySpokenName(kana)) + "\" disabled>" + html(keyCaption(kana)) + "</button>\n";
    }
    out += commandButton(command("Nm_Back"), "key command", kBackspaceMember);
    out += commandButton(command("Nm_Inpt"), "key command", kInputMember);
    return out + "</div>\n</section>\n";
}

std::string progressArea() {
    std::string out = "<section class=\"progress\" aria-labelledby=\"Itmtitle\">\n" +
                      title("Itmtitle", "h2") + "<div class=\"flags\">\n";
    for (const FlagInfo& info : kFlagCatalogue) {
        out += "<label class=\"flag\" style=\"" + place(flagBoxCell(info)) + "\"" +
               (info.page == 1 ? "" : " hidden") + "><input type=\"checkbox\" id=\"" +
               std::string(info.controlName) + "\" data-flag=\"" + std::to_string(info.number) +
               "\" disabled><span>" + html(info.caption) + "</span></label>\n";
    }
    return out + "</div>\n" + commandButton(command("Lab_Pag"), "command") + "</section>\n";
}

std::string commandArea() {
    std::string out = "<section class=\"commands\" aria-label=\"めいれい\">\n";
    for (const char* name : {"Answer", "Nm_Clear", "Allset"})
        out += commandButton(command(name), "command");
    return out + "</section>\n";
}

std::string memoArea() {
    return "<section class=\"memo\">\n" + title("Pwtitle", "label", " for=\"PWD\"") +
           "<input id=\"PWD\" type=\"text\" style=\"" + place(kMemoBoxCell) +
           "\" aria-describedby=\"Lab_Rsn\" autocomplete=\"off\" autocapitalize=\"off\" "
           "spellcheck=\"false\" enterkeyhint=\"done\" disabled>\n"
           "<button type=\"button\" id=\"PWD_Copy\" class=\"copy\" disabled>コピー</button>\n"
           "<p id=\"Lab_Rsn\" class=\"reason\" role=\"alert\" style=\"" +
           place(kReasonCell) +
           "\"></p>\n<div id=\"PWD_Fix\" role=\"group\" aria-label=\"近いそうさめも\" style=\"" +
           place(kFixListCell) + "\" hidden></div>\n</section>\n";
}

std::string resultsArea() {
    std::string out = "<section class=\"results\" aria-live=\"polite\" aria-label=\"けっか\">\n";
    out += "<p id=\"Lab_Gam\" style=\"" + place(resultCell("Lab_Gam")) + "\">" +
           html(kAdviceRankCaption) + "</p>\n";
    for (const LocationInfo& location : kLocations)
        out += "<p id=\"" + std::string(location.labelName) + "\" style=\"" +
               place(resultCell(location.labelName)) + "\">" + html(location.prefix) + "</p>\n";
    return out + "</section>\n";
}

std::string lines() {
    std::string out;
    for (const Line& line : kLines) {
        const int thickness = kLineWidthPixels * kTwipsPerPixel;
        const Rect cell{line.x1, line.y1, std::max(line.x2 - line.x1, thickness),
                        std::max(line.y2 - line.y1, thickness)};
        out += "<div class=\"line\" aria-hidden=\"true\" style=\"" + place(cell) +
               ";--bg:" + hex(kLineColour) + "\"></div>\n";
    }
    return out;
}

std::string aboutDialog() {
    using about::Text;
    auto text = [](const Text& text, std::string_view tag, std::string_view extra = {}) {
        return "<" + std::string(tag) + " id=\"" + std::string(text.name) + "\" style=\"" +
               place(text.cell) + "\"" + std::string(extra) + ">" + html(text.text) + "</" +
               std::string(tag) + ">\n";
    };
    return "<dialog id=\"Pel_Ver\" aria-labelledby=\"Pel_Ver_title\" style=\"--w:" +
           std::to_string(about::kClientWidth) + ";--h:" + std::to_string(about::kClientHeight) +
           "\">\n<h2 id=\"Pel_Ver_title\" class=\"caption\">" + html(about::kTitle) +
           "</h2>\n<div class=\"client\">\n<img src=\"pel-ver.png\" alt=\"\" loading=\"lazy\" style=\"" +
           place(about::kPictureCell) + "\">\n" + text(about::kProgramTitle, "p") +
           text(about::kVersion, "p", " data-colour") + text(about::kNotice, "p") +
           text(about::kRelease, "p") +
           text(about::kButton, "button", " type=\"button\" autofocus") + "</div>\n</dialog>\n";
}

std::string page(std::string_view styleSheet, std::string_view coreScript,
                 std::string_view pageScript) {
    const std::string windowTitle = html(kWindowTitle);
    std::string menu = "<nav class=\"menu\" aria-label=\"メニュー\">";
    for (const MenuItem& item : kMenuItems) {
        // 終了 ends a desktop program; a browser tab is closed by the browser.
        if (item.name != "Quit_sm")
            menu += "<button type=\"button\" id=\"" + std::string(item.name) + "\" disabled>" +
                    html(item.caption) + "</button>";
    }
    menu += "</nav>\n";
    return "<!doctype html>\n<html lang=\"ja\">\n<head>\n<meta charset=\"utf-8\">\n"
           "<meta name=\"viewport\" content=\"width=device-width, initial-scale=1\">\n"
           "<meta name=\"theme-color\" content=\"#000000\">\n"
           "<title>" +
           windowTitle +
           "</title>\n"
           "<link rel=\"manifest\" href=\"manifest.webmanifest\">\n"
           "<link rel=\"icon\" type=\"image/png\" sizes=\"32x32\" href=\"icon-32.png\">\n"
           "<link rel=\"apple-touch-icon\" href=\"icon-192.png\">\n"
           "<style>\n" +
           std::string(styleSheet) + "</style>\n<script>\n" + std::string(coreScript) +
           "</script>\n<script type=\"module\">\n" + std::string(pageScript) +
           "</script>\n"
           "</head>\n<body>\n<main id=\"Pelio\" aria-busy=\"true\" aria-label=\"" +
           windowTitle + "\">\n" + menu +
           "<p class=\"update\" role=\"status\"><button type=\"button\" id=\"Pel_Upd\" "
           "hidden disabled>新しい版があります。押すと切りかえます（入力したものは残ります）</button>"
           "</p>\n" +
           "<div class=\"client\" style=\"--w:" + std::to_string(kClientWidth) +
           ";--h:" + std::to_string(kClientHeight) + "\">\n" + namesArea() + progressArea() +
           commandArea() + memoArea() + resultsArea() + lines() + "</div>\n</main>\n" +
           aboutDialog() + "</body>\n</html>\n";
}

std::string manifest() {
    std::string icons;
    for (int size : kPageIconSizes) {
        const std::string side = std::to_string(size);
        icons += std::string(icons.empty() ? "" : ",\n") + "    {\"src\": \"icon-" + side +
                 ".png\", \"sizes\": \"" + side + "x" + side + "\", \"type\": \"image/png\"}";
    }
    const std::string name = toUtf8(kWindowTitle);
    return "{\n  \"name\": \"" + name + "\",\n  \"short_name\": \"" + name +
           "\",\n  \"lang\": \"ja\",\n  \"start_url\": \"./\",\n  \"scope\": \"./\",\n"
           "  \"display\": \"standalone\",\n  \"background_color\": \"#000000\",\n"
           "  \"theme_color\": \"#000000\",\n  \"icons\": [\n" +
           icons + "\n  ]\n}\n";
}

// A file to put inside the page as it is; empty when it cannot be read or would end the
// element it goes in.
std::string contentsFor(const fs::path& file, std::string_view element) {
    std::ifstream in(file, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
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
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s SITE_FOLDER STYLE_SHEET CORE_SCRIPT PAGE_SCRIPT\n", argv[0]);
        return 2;
    }
    const fs::path site(argv[1]);
    const std::string styleSheet = contentsFor(argv[2], "style");
    const std::string coreScript = contentsFor(argv[3], "script");
    const std::string pageScript = contentsFor(argv[4], "script");
    if (styleSheet.empty() || coreScript.empty() || pageScript.empty())
        return 1;
    std::error_code error;
    fs::create_directories(site, error);
    bool written = write(site / "index.html", page(styleSheet, coreScript, pageScript)) &&
                   write(site / "manifest.webmanifest", manifest()) &&
                   writePng(site / "pel-ver.png", kAboutPictureSize, aboutPicturePixels());
    for (int size : kPageIconSizes)
        written = written && writePng(site / ("icon-" + std::to_string(size) + ".png"), size,
                                      windowIconPixels(size));
    return written ? 0 : 1;
}
