#pragma once

#include <QString>

#include <string_view>

namespace pelio::ui {

// A control name from the logic's tables (flag boxes, hint labels) as a Qt object name.
inline QString controlName(std::string_view name) {
    return QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size()));
}

// The key of the kana keyboard for a code: "Nm" and the code in two upper-case hexadecimal
// digits, Nm00 to Nm3F.
inline QString keyName(int code) {
    return "Nm" + QString::number(code, 16).toUpper().rightJustified(2, '0');
}

} // namespace pelio::ui
