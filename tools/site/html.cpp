#include "html.h"

#include "memo/utf16.h"

#include <cstdio>

namespace pelio::site {

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

std::string hex(layout::Rgb colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.red, colour.green, colour.blue);
    return text;
}

std::string place(const layout::Rect& cell) {
    return "--l:" + std::to_string(cell.left) + ";--t:" + std::to_string(cell.top) +
           ";--w:" + std::to_string(cell.width) + ";--h:" + std::to_string(cell.height);
}

std::string dimensions(int width, int height) {
    return "--w:" + std::to_string(width) + ";--h:" + std::to_string(height);
}

} // namespace pelio::site
