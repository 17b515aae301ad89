#pragma once

#include "page_template.h"

#include <cstddef>
#include <string>

namespace pelio::site {

// The page template's slots: the page's controls from the same tables as the desktop window
// (the control table, the flag catalogue, the key table and the hint locations), what the
// style sheet takes from them, and the files that go inside the page.
Slots pageSlots(std::string styleSheet, std::string coreScript, std::string coreWasm,
                std::size_t coreWasmSize, std::string pageScript);

} // namespace pelio::site
