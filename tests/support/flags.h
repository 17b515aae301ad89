#pragma once

#include "model/flag_catalogue.h"

#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

namespace pelio::test {

// Flags with exactly the named check boxes ticked.
inline ProgressFlags flagsWith(std::initializer_list<std::string_view> controlNames) {
    ProgressFlags flags;
    for (std::string_view name : controlNames) {
        const FlagNumber number = findFlag(name);
        if (number == 0)
            throw std::invalid_argument("no such flag: " + std::string(name));
        flags.set(number, true);
    }
    return flags;
}

inline ProgressFlags allFlags() {
    ProgressFlags flags;
    flags.setAll();
    return flags;
}

} // namespace pelio::test
