// Reading a numeral in base 2, 4, 8 or 16.
//
// The arithmetic is 32-bit two's complement that wraps modulo 2^32, and the
// value handed back is that 32-bit total sign-extended to 64 bits: callers
// store it as unsigned, so a total with bit 31 set reads as 2^64 + total.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace radval {

// 1 multiplied by `base` `exponent` times, each product wrapping modulo 2^32.
// An exponent of 0 or less yields 1.
int32_t int_power(int32_t base, int32_t exponent);

// The sign-extended value of `text` read in `base`, or nothing when some byte
// of it is not a digit of the base. A byte's digit value is its code less 48,
// except that in base 16 the letters A to F (either case) are 10 to 15; so
// ':' to '?' pass as 10 to 15 in base 16. Every byte is checked, including
// those too far left to change the total. Never prints and never exits.
std::optional<uint64_t> convert_digits(std::string_view text, int32_t base);

// convert_digits for the program: on a byte that is no digit of the base it
// writes the fault report, naming the whole numeral, and ends the program
// with status 1.
uint64_t convert_value(std::string_view text, int32_t base);

}  // namespace radval
