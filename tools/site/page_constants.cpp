#include "page_constants.h"

#include "entry/memo_entry.h"
#include "layout/window_layout.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string_view>
#include <utility>
#include <vector>

namespace pelio::site {
namespace {

using namespace pelio::layout;

// The names the page's script calls the core's values by.
std::string_view commandName(Command command) {
    switch (command) {
    case Command::None:
        return "none";
    case Command::Backspace:
        return "backspace";
    case Command::Input:
        return "input";
    case Command::SwitchPage:
        return "switchPage";
    case Command::Answer:
        return "answer";
    case Command::Clear:
        return "clear";
    case Command::SetAll:
        return "setAll";
    case Command::Notebook:
        return "notebook";
    case Command::Picture:
        return "picture";
    case Command::CopyLink:
        return "copyLink";
    case Command::CopyMemo:
        return "copyMemo";
    case Command::Quit:
        return "quit";
    case Command::About:
        return "about";
    case Command::CloseAbout:
        return "closeAbout";
    }
    return {};
}

std::string_view outcomeName(MemoOutcome::Kind kind) {
    switch (kind) {
    case MemoOutcome::Kind::Unchanged:
        return "unchanged";
    case MemoOutcome::Kind::Refused:
        return "refused";
    case MemoOutcome::Kind::Completed:
        return "completed";
    case MemoOutcome::Kind::Read:
        return "read";
    case MemoOutcome::Kind::NoMemo:
        return "noMemo";
    }
    return {};
}

// The key that moves each way, as a keyboard event names it.
std::string_view arrowKey(Direction direction) {
    switch (direction) {
    case Direction::Left:
        return "ArrowLeft";
    case Direction::Right:
        return "ArrowRight";
    case Direction::Up:
        return "ArrowUp";
    case Direction::Down:
        return "ArrowDown";
    }
    return {};
}

std::string quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

std::string exported(std::string_view name,
                     const std::vector<std::pair<std::string, std::string>>& members) {
    std::string out = "export const " + std::string(name) + " = {";
    for (const auto& [key, value] : members)
        out += (out.back() == '{' ? " " : ", ") + key + ": " + value;
    return out + " };\n";
}

} // namespace

std::vector<std::pair<std::string, std::string_view>> controlIds() {
    std::vector<std::pair<std::string, std::string_view>> ids{
        {"memoBox", controlOf(Role::MemoBox).id},
        {"reason", controlOf(Role::Reason).id},
        {"fixList", controlOf(Role::FixList).id},
        {"noticeBar", controlOf(Role::NoticeBar).id},
        {"notebookList", controlOf(Role::Notebook).id},
        {"aboutDialog", controlOf(Role::Dialog).id},
    };
    for (const Control& row : kControls) {
        if (row.command != Command::None && row.front != Front::Window)
            ids.emplace_back(commandName(row.command), row.id);
        if (row.face == Face::AboutTitle)
            ids.emplace_back("aboutTitle", row.id);
        if (row.face == Face::AboutVersion)
            ids.emplace_back("aboutVersion", row.id);
        if (row.role == Role::Text && row.wraps)
            ids.emplace_back("aboutNotice", row.id);
    }
    return ids;
}

std::optional<std::string> withControlIds(std::string_view styleSheet) {
    constexpr std::string_view kPrefix = "#id-";
    const auto ids = controlIds();
    const auto inName = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; };
    std::string out;
    std::size_t at = 0;
    for (std::size_t found; (found = styleSheet.find(kPrefix, at)) != std::string_view::npos;) {
        std::size_t end = found + kPrefix.size();
        while (end < styleSheet.size() && inName(styleSheet[end]))
            ++end;
        const std::string_view name =
            styleSheet.substr(found + kPrefix.size(), end - found - kPrefix.size());
        const auto id = std::find_if(ids.begin(), ids.end(),
                                     [&](const auto& known) { return known.first == name; });
        if (id == ids.end()) {
            std::fprintf(stderr, "pelio_site_writer: the style sheet names no control #id-%.*s\n",
                         static_cast<int>(name.size()), name.data());
            return std::nullopt;
        }
        out.append(styleSheet.substr(at, found - at)).append("#").append(id->second);
        at = end;
    }
    return out.append(styleSheet.substr(at));
}

std::string pageConstants() {
    std::vector<std::pair<std::string, std::string>> commands, commandIds, outcomes, arrows;
    for (int value = 0; value < kCommandCount; ++value)
        commands.emplace_back(commandName(static_cast<Command>(value)), std::to_string(value));
    for (const Control& row : kControls) {
        if (row.command != Command::None && row.front != Front::Window)
            commandIds.emplace_back(row.id, std::to_string(static_cast<int>(row.command)));
    }
    for (auto kind = MemoOutcome::Kind::Unchanged; !outcomeName(kind).empty();
         kind = static_cast<MemoOutcome::Kind>(static_cast<int>(kind) + 1))
        outcomes.emplace_back(outcomeName(kind), std::to_string(static_cast<int>(kind)));
    for (auto direction : {Direction::Left, Direction::Right, Direction::Up, Direction::Down})
        arrows.emplace_back(arrowKey(direction), std::to_string(static_cast<int>(direction)));
    std::vector<std::pair<std::string, std::string>> ids;
    for (const auto& [name, id] : controlIds())
        ids.emplace_back(name, quoted(id));
    return "// Written by pelio_site_writer from the core's tables.\n" +
           exported("Command", commands) + exported("commandOf", commandIds) +
           exported("outcomes", outcomes) + exported("arrows", arrows) + exported("ids", ids);
}

} // namespace pelio::site
