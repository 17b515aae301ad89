#include "page_template.h"

#include <cstdio>
#include <set>

namespace pelio::site {

std::optional<std::string> fill(std::string_view page, const Slots& slots) {
    std::string out;
    std::set<std::string_view> used;
    std::size_t at = 0;
    for (std::size_t open; (open = page.find('@', at)) != std::string_view::npos;) {
        const std::size_t close = page.find('@', open + 1);
        const auto slot = close == std::string_view::npos
                              ? slots.end()
                              : slots.find(page.substr(open + 1, close - open - 1));
        if (slot == slots.end()) {
            const std::string_view name = page.substr(open, close - open + 1).substr(0, 40);
            std::fprintf(stderr,
                         "pelio_site_writer: the page's template has an unknown slot %.*s\n",
                         static_cast<int>(name.size()), name.data());
            return std::nullopt;
        }
        out.append(page.substr(at, open - at)).append(slot->second);
        used.insert(slot->first);
        at = close + 1;
    }
    for (const auto& [name, text] : slots) {
        if (!used.contains(name)) {
            std::fprintf(stderr, "pelio_site_writer: the page's template has no slot @%s@\n",
                         name.c_str());
            return std::nullopt;
        }
    }
    return out.append(page.substr(at));
}

} // namespace pelio::site
