#pragma once

#include "layout/form.h"

#include <string>
#include <string_view>

// The page's markup in small pieces.
namespace pelio::site {

// Text as HTML content or attribute value.
std::string html(std::string_view text);
std::string html(std::u16string_view text);

// A colour as CSS writes it, "#rrggbb".
std::string hex(layout::Rgb colour);

// A control's place in twips, as the style sheet takes it; the style sheet turns twips into rem.
std::string place(const layout::Rect& cell);
std::string dimensions(int width, int height);

} // namespace pelio::site
