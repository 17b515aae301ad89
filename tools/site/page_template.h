#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace pelio::site {

// The text for each slot of a template, by the slot's name.
using Slots = std::map<std::string, std::string, std::less<>>;

// The template with each @SLOT@ replaced by its text. The texts themselves are not looked
// into, so a style sheet's @media stays as it is. A slot without a text, or a text that no
// slot asks for, is a mistake in the template or in the slots and fails the build.
std::optional<std::string> fill(std::string_view page, const Slots& slots);

} // namespace pelio::site
