#pragma once

#include "layout/window_layout.h"

#include <QString>

#include <string_view>

namespace pelio::ui {

// A control name from the layout's tables (the control table, the flag catalogue) as a Qt
// object name.
inline QString controlName(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// The key of the kana keyboard for a code.
inline QString keyName(KanaCode code) {
    return controlName(layout::keyName(code));
}

} // namespace pelio::ui
