#include "layout/controls.h"

#include <cstdlib>

namespace pelio::layout {
namespace {

bool shownIn(const Control& row, Front front) {
    return row.front == Front::Both || front == Front::Both || row.front == front;
}

} // namespace

const Control& commandControl(Command command, Front front) {
    for (const Control& row : kControls) {
        if (row.command == command && shownIn(row, front))
            return row;
    }
    std::abort(); // a command no control gives is a programming error
}

const Control& controlOf(Role role) {
    for (const Control& row : kControls) {
        if (row.role == role)
            return row;
    }
    std::abort();
}

const Control& hintLine(Location location) {
    for (const Control& row : kControls) {
        if (row.role == Role::Line && row.location == location)
            return row;
    }
    std::abort();
}

const Control& titleOf(Role role) {
    const Control* title = nullptr;
    for (const Control& row : kControls) {
        if (row.role == role && title)
            return *title;
        if (row.role == Role::Title)
            title = &row;
    }
    std::abort();
}

const Control& rankLine() {
    for (const Control& row : kControls) {
        if (row.role == Role::Line && !row.location)
            return row;
    }
    std::abort();
}

} // namespace pelio::layout
