#pragma once

#include <cstddef>
#include <string>

namespace pelio {

// A number as the program's Japanese texts write it, in full-width digits: "１９".
inline std::u16string fullWidthNumber(std::size_t number) {
    std::u16string digits;
    do {
        digits.insert(digits.begin(), static_cast<char16_t>(u'０' + number % 10));
        number /= 10;
    } while (number > 0);
    return digits;
}

} // namespace pelio
