#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace pelio::site {

// The module of constants the page's script imports: what the core's values are called, the
// command each button gives, and the ids of the controls the script looks for.
std::string pageConstants();

// What the page's code calls the table's controls it uses, and their ids: "fixList", "PWD_Fix".
std::vector<std::pair<std::string, std::string_view>> controlIds();

// The style sheet with each control it names as #id- and what the page's code calls it,
// #id-fixList, named by its id, #PWD_Fix; none where it names a control the table lacks.
std::optional<std::string> withControlIds(std::string_view styleSheet);

} // namespace pelio::site
