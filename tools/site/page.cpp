#include "page.h"

#include "html.h"
#include "manifest.h"

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

#include <algorithm>

namespace pelio::site {
namespace {

using namespace pelio::layout;

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
std::string commandButton(const Control& command, std::string_view classes, int member = -1) {
    std::string out =
        "<button id=\"" + std::string(command.id) + "\" class=\"" + std::string(classes) +
        "\" style=\"" + place(command.cell) + ";--bg:" + hex(command.background) +
        ";--fg:" + (command.foreground ? hex(*command.foreground) : "ButtonText") + "\"";
    if (member >= 0)
        out += " data-member=\"" + std::to_string(member) + "\"";
    if (!command.shortcut.empty())
        out += " aria-keyshortcuts=\"" + ariaKeys(command.shortcut) + "\" title=\"" +
               std::string(command.shortcut) + "\"";
    return out + " disabled>" + html(command.caption) + "</button>\n";
}

std::string title(const Control& title, std::string_view tag, std::string_view extra = {}) {
    return "<" + std::string(tag) + " id=\"" + std::string(title.id) + "\" class=\"title" +
           alignClass(title.align) + "\" style=\"" + place(title.cell) + "\"" + std::string(extra) +
           ">" + html(title.caption) + "</" + std::string(tag) + ">\n";
}

// The page's own row of `command`.
const Control& pageCommand(Command command) {
    return commandControl(command, Front::Page);
}

std::string menuItems() {
    std::string out;
    for (const Control& item : kControls) {
        if (item.role == Role::MenuItem && item.front != Front::Window)
            out += "<button id=\"" + std::string(item.id) + "\" disabled>" + html(item.caption) +
                   "</button>";
    }
    return out;
}

std::string nameBoxes() {
    std::string out;
    for (int slot = 1; slot <= kNameSlots; ++slot) {
        out += "<output id=\"" + nameBoxName(slot) + "\" class=\"name-box" +
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
    return out + commandButton(pageCommand(Command::Backspace), "key command", kBackspaceMember) +
           commandButton(pageCommand(Command::Input), "key command", kInputMember);
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
    for (Command command : {Command::Answer, Command::Clear, Command::SetAll})
        out += commandButton(pageCommand(command), "command");
    return out;
}

std::string resultLines() {
    std::string out = "<p id=\"" + std::string(rankLine().id) + "\" style=\"" +
                      place(rankLine().cell) + "\">" + html(kAdviceRankCaption) + "</p>\n";
    for (const LocationInfo& location : kLocations)
        out += "<p id=\"" + std::string(hintLine(location.location).id) + "\" style=\"" +
               place(hintLine(location.location).cell) + "\">" + html(location.prefix) + "</p>\n";
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
    std::string out;
    for (const Control& text : kControls) {
        if (!text.inAbout || text.role == Role::Dialog)
            continue;
        const bool button = text.role == Role::Button;
        const std::string tag = button ? "button" : "p";
        out += "<" + tag + " id=\"" + std::string(text.id) + "\" style=\"" + place(text.cell) +
               "\"" + (button ? " autofocus" : "") + ">" + html(text.caption) + "</" + tag + ">\n";
    }
    return out;
}

// The tools beside the memo box, as the page lists them: its picture's file chooser, which the
// caption labels, and buttons; コピー, for a touch screen only, stands under the memo box.
std::string memoTools() {
    std::string out;
    for (const Control& tool : kControls) {
        if (tool.front != Front::Page || tool.role != Role::Button)
            continue;
        const std::string id(tool.id);
        const std::string style = tool.cell == Rect{} ? "" : " style=\"" + place(tool.cell) + "\"";
        if (tool.command == Command::Picture) {
            out += "<label class=\"tool load\"" + style + ">" + html(tool.caption) +
                   "<input type=\"file\" id=\"" + id + "\" accept=\"image/*\" disabled></label>\n";
            continue;
        }
        out += "<button type=\"button\" id=\"" + id + "\" class=\"tool" +
               (tool.command == Command::CopyMemo ? " copy" : "") + "\"" + style +
               (tool.command == Command::Notebook
                    ? " aria-haspopup=\"dialog\" aria-controls=\"Log_Win\""
                    : "") +
               " disabled>" + html(tool.caption) + "</button>\n";
    }
    return out;
}

// The version dialog's text in the version's colour and face.
const Control& versionText() {
    return *std::find_if(kControls.begin(), kControls.end(),
                         [](const Control& row) { return row.face == Face::AboutVersion; });
}

// The page is set in rem, so that it follows the font size the reader chose; at the usual 16
// pixels to the rem, a pixel of the window is a pixel of the page.
constexpr int kPixelsPerRem = 16;

// CSS's pixels and points, as Windows' are at 96 dots per inch.
constexpr double kPixelsPerInch = 96;
constexpr double kPointsPerInch = 72;

// A list of font families as CSS writes it.
template <typename Families> std::string fontList(const Families& families) {
    std::string fonts;
    for (std::u16string_view family : families)
        fonts += (fonts.empty() ? "\"" : ",\"") + toUtf8(family) + "\"";
    return fonts;
}

// What the style sheet takes from the tables, as custom properties on :root.
std::string rootProperties() {
    const auto pixels = [](int count) {
        return "calc(1rem*" + std::to_string(count) + "/" + std::to_string(kPixelsPerRem) + ")";
    };
    return ":root{--twip:calc(1rem/" + std::to_string(kPixelsPerRem * kTwipsPerPixel) +
           ");--font-size:" + pixels(kFontPixels) + ";--fonts:" + fontList(kFontFamilies) +
           ";--highlight:" + hex(kHighlight) + ";--warning:" + hex(kWarning) +
           ";--line:" + hex(kLineColour) + ";--black:" + hex(kBlack) + ";--white:" + hex(kWhite) +
           ";--silver:" + hex(kSilver) + ";--grey:" + hex(kGrey) +
           ";--version:" + hex(*versionText().foreground) +
           ";--about-title-fonts:" + fontList(about::kTitleFamilies) + ";--about-title-size:" +
           pixels(static_cast<int>(about::kTitleFont.points * kPixelsPerInch / kPointsPerInch)) +
           ";--about-version-fonts:" + fontList(about::kVersionFamilies) +
           ";--client-width:" + std::to_string(kClientWidth) +
           ";--key-columns:" + std::to_string(kKeyColumns) +
           ";--flag-box:" + pixels(kFlagBoxPixels) + "}\n";
}

} // namespace

Slots pageSlots(std::string styleSheet, std::string coreScript, std::string coreWasm,
                std::size_t coreWasmSize, std::string pageScript) {
    const int tabIcon = kPageIconSizes[0];
    const Control& memoBox = controlOf(Role::MemoBox);
    const Control& dialog = controlOf(Role::Dialog);
    return {
        {"WINDOW_TITLE", html(kWindowTitle)},
        {"BACKGROUND", hex(kBlack)},
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
        {"NAME_TITLE", title(titleOf(Role::NameBoxes), "h2")},
        {"NAME_TITLE_ID", std::string(titleOf(Role::NameBoxes).id)},
        {"NAME_BOXES", nameBoxes()},
        {"KEYBOARD", keyboard()},
        {"KANA_KEYS", std::to_string(kKanaCount)},
        {"KEYS_NAME", html(controlOf(Role::Keys).spoken)},
        {"PROGRESS_TITLE", title(titleOf(Role::FlagBoxes), "h2")},
        {"PROGRESS_TITLE_ID", std::string(titleOf(Role::FlagBoxes).id)},
        {"FLAG_BOXES", flagBoxes()},
        {"PAGE_SWITCH", commandButton(pageCommand(Command::SwitchPage), "command")},
        {"COMMANDS", commands()},
        {"MEMO_TITLE",
         title(titleOf(Role::MemoBox), "label", " for=\"" + std::string(memoBox.id) + "\"")},
        {"MEMO_BOX", std::string(memoBox.id)},
        {"MEMO_BOX_PLACE", place(memoBox.cell)},
        {"MEMO_TOOLS", memoTools()},
        {"REASON", std::string(controlOf(Role::Reason).id)},
        {"REASON_PLACE", place(controlOf(Role::Reason).cell)},
        {"FIX_LIST", std::string(controlOf(Role::FixList).id)},
        {"FIX_LIST_PLACE", place(controlOf(Role::FixList).cell)},
        {"NOTICE_BAR", std::string(controlOf(Role::NoticeBar).id)},
        {"NOTEBOOK_LIST", std::string(controlOf(Role::Notebook).id)},
        {"ABOUT", std::string(dialog.id)},
        {"UNDO_SECONDS", std::to_string(kUndoSeconds)},
        {"UNDO_CAPTION", html(kUndoCaption)},
        {"UNDONE_NOTICE", html(kUndoneNotice)},
        {"NOTEBOOK_FILE_LIMIT", std::to_string(kNotebookFileLimit)},
        {"RESULT_LINES", resultLines()},
        {"LINES", lines()},
        {"ABOUT_SIZE", dimensions(dialog.cell.width, dialog.cell.height)},
        {"ABOUT_TITLE", html(dialog.caption)},
        {"ABOUT_PICTURE_PLACE", place(about::kPictureCell)},
        {"ABOUT_TEXTS", aboutTexts()},
    };
}

} // namespace pelio::site
