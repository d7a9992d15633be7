// Decimal digits of an unsigned 64-bit value, without allocating.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace radval {

// Room for the 20 digits of 2^64 - 1 and a CR LF.
inline constexpr std::size_t decimal_line_capacity = 22;

// Writes the digits of `value` (no sign, no padding, 0 as one digit) and CR
// LF at the end of `buffer`, and returns the view of what it wrote.
std::string_view format_unsigned_line(uint64_t value, char (&buffer)[decimal_line_capacity]);

}  // namespace radval
