#pragma once

#include <string>

namespace pelio::site {

// The module of constants the page's script imports: what the core's values are called, the
// command each button gives, and the ids of the controls the script looks for.
std::string pageConstants();

} // namespace pelio::site
