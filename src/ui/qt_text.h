#pragma once

#include <QString>

#include <string_view>

namespace pelio::ui {

// Text between the logic, which speaks UTF-16 in standard strings, and the toolkit.
inline QString qs(std::u16string_view text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// A view of `text`, valid while it lives unchanged.
inline std::u16string_view u16(const QString& text) {
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

} // namespace pelio::ui
