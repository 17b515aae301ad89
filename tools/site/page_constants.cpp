#include "page_constants.h"

#include "entry/memo_entry.h"
#include "layout/window_layout.h"

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
    const std::vector<std::pair<std::string, std::string>> ids{
        {"memoBox", quoted(controlOf(Role::MemoBox).id)},
        {"reason", quoted(controlOf(Role::Reason).id)},
        {"fixList", quoted(controlOf(Role::FixList).id)},
        {"noticeBar", quoted(controlOf(Role::NoticeBar).id)},
        {"notebookList", quoted(controlOf(Role::Notebook).id)},
        {"about", quoted(controlOf(Role::Dialog).id)},
        {"switchPage", quoted(commandControl(Command::SwitchPage, Front::Page).id)},
        {"notebook", quoted(commandControl(Command::Notebook, Front::Page).id)},
        {"picture", quoted(commandControl(Command::Picture, Front::Page).id)},
    };
    return "// Written by pelio_site_writer from the core's tables.\n" +
           exported("Command", commands) + exported("commandOf", commandIds) +
           exported("outcomes", outcomes) + exported("arrows", arrows) + exported("ids", ids);
}

} // namespace pelio::site
