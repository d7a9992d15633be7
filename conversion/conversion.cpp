#include "conversion/conversion.h"

#include <algorithm>
#include <bit>
#include <cstddef>

namespace radval {

namespace {

// Converting between int32_t and uint32_t is modular since C++20, so the
// wrapping happens in unsigned arithmetic and never overflows a signed type.
uint64_t sign_extend(uint32_t total)
{
    return static_cast<uint64_t>(static_cast<int64_t>(static_cast<int32_t>(total)));
}

// A byte's digit value: its code less 48, except that in base 16 the letters
// A to F, in either case, are 10 to 15. It is taken modulo 256, so the bytes
// below '0' come out as 208 to 255, above the value of any other byte.
// Clearing bit 5 folds a to f onto A to F, and nothing else onto them.
uint8_t digit_value(unsigned char c, bool hex)
{
    const auto letter = static_cast<uint8_t>((c & 0xdfu) - 'A');
    if (hex && letter < 6)
        return static_cast<uint8_t>(letter + 10);
    return static_cast<uint8_t>(c - 48);
}

// The digits of a base are the values 0 to base - 1, so the wrapped values
// (208 and up) lie outside every base, and no base needs a bound above 208.
uint8_t digit_bound(int32_t base)
{
    return static_cast<uint8_t>(std::clamp(base, 0, 208));
}

// Whether every byte is a digit below the bound. The loop works on bytes and
// has no early exit, so the compiler vectorises it: it keeps the largest
// digit value seen. A numeral is rejected rarely and read in full anyway.
bool all_digits(std::string_view text, bool hex, uint8_t bound)
{
    uint8_t largest = 0;
    for (const char byte : text)
        largest = std::max(largest, digit_value(static_cast<unsigned char>(byte), hex));
    return largest < bound;
}

// How many digits from the right can change the total. A digit's weight is
// base^places; once that product holds 32 factors of 2 it is 0 modulo 2^32,
// so in base 2^k only the last ceil(32 / k) digits count: 32 in base 2, 16 in
// base 4, 11 in base 8, 8 in base 16. An odd base never wraps to 0.
std::size_t places_that_count(int32_t base)
{
    const int twos = std::countr_zero(static_cast<uint32_t>(base));
    if (twos == 0)
        return static_cast<std::size_t>(-1);
    return static_cast<std::size_t>((32 + twos - 1) / twos);
}

}  // namespace

int32_t int_power(int32_t base, int32_t exponent)
{
    uint32_t power = 1;
    // Once the product has wrapped to 0 it stays 0, and for the bases in use
    // that happens within 32 steps: stopping there keeps large exponents cheap.
    for (int32_t i = 0; i < exponent && power != 0; ++i)
        power *= static_cast<uint32_t>(base);
    return static_cast<int32_t>(power);
}

std::optional<uint64_t> convert_digits(std::string_view text, int32_t base)
{
    const bool hex = base == 16;
    if (!all_digits(text, hex, digit_bound(base)))
        return std::nullopt;
    // Horner's rule over the digits that count: modulo 2^32 it equals the
    // sum of each digit times int_power(base, places to its right).
    text.remove_prefix(text.size() - std::min(text.size(), places_that_count(base)));
    const auto wide_base = static_cast<uint32_t>(base);
    uint32_t total = 0;
    for (const char byte : text)
        total = total * wide_base + digit_value(static_cast<unsigned char>(byte), hex);
    return sign_extend(total);
}

}  // namespace radval
