#include "manifest.h"

#include "html.h"

#include "layout/form.h"
#include "layout/pixel_art.h"
#include "memo/utf16.h"

namespace pelio::site {

std::string iconFile(int size) {
    return "icon-" + std::to_string(size) + ".png";
}

std::string manifest() {
    std::string icons;
    for (int size : layout::kPageIconSizes) {
        const std::string side = std::to_string(size);
        icons += std::string(icons.empty() ? "" : ",\n") + "    {\"src\": \"" + iconFile(size) +
                 "\", \"sizes\": \"" + side + "x" + side + "\", \"type\": \"image/png\"}";
    }
    const std::string name = toUtf8(layout::kWindowTitle);
    const std::string black = hex(layout::kBlack);
    return "{\n  \"name\": \"" + name + "\",\n  \"short_name\": \"" + name +
           "\",\n  \"lang\": \"ja\",\n  \"start_url\": \"./\",\n  \"scope\": \"./\",\n"
           "  \"display\": \"standalone\",\n  \"background_color\": \"" +
           black + "\",\n  \"theme_color\": \"" + black + "\",\n  \"icons\": [\n" + icons +
           "\n  ]\n}\n";
}

} // namespace pelio::site
