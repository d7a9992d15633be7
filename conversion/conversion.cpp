#include "conversion/conversion.h"

namespace radval {

namespace {

// Converting between int32_t and uint32_t is modular since C++20, so the
// wrapping happens in unsigned arithmetic and never overflows a signed type.
uint64_t sign_extend(uint32_t total)
{
    return static_cast<uint64_t>(static_cast<int64_t>(static_cast<int32_t>(total)));
}

bool is_digit_of(int32_t n, int32_t base)
{
    return n >= 0 && n <= base - 1;
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

int32_t digit_value(unsigned char c, int32_t base)
{
    if (base == 16) {
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
    }
    return c - 48;
}

std::optional<uint64_t> convert_digits(std::string_view text, int32_t base)
{
    // Horner's rule: modulo 2^32 it yields exactly the sum of every digit
    // times int_power(base, places to its right), in one pass.
    const auto wide_base = static_cast<uint32_t>(base);
    uint32_t total = 0;
    for (const char byte : text) {
        const int32_t n = digit_value(static_cast<unsigned char>(byte), base);
        if (!is_digit_of(n, base))
            return std::nullopt;
        total = total * wide_base + static_cast<uint32_t>(n);
    }
    return sign_extend(total);
}

}  // namespace radval
