// Decimal digits of a number, the common ground of CStr and Format (used
// inside the platform library only).
#pragma once

#include <string>

namespace vb::detail {

// Decimal digits and exponent of a value: value = 0.d1d2d3... * 10^(exp+1),
// i.e. the first digit has the decimal exponent `exp`.
struct Digits {
    bool negative = false;
    std::string digits;   // no leading/trailing zeros; empty for 0
    int exp = 0;
};

// The significant digits of d: 15 of a Double, those of the shortest text of
// a Single. Infinity and NaN raise 6 (overflow).
Digits digitsOf(double d, bool single);

} // namespace vb::detail
