// A model of the conversion to check the code against, written the long way:
// the total is the sum over the digits of digit x base^(places to its right),
// each power, product and sum wrapped to signed 32 bits, and the total
// sign-extended to 64. It uses 64-bit arithmetic reduced by hand, apart from
// the code it checks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

namespace radval::testing {

inline constexpr int64_t two_to_the_32 = int64_t{1} << 32;

// x reduced into the signed 32-bit range, as two's complement wraps it.
inline int64_t wrap32(int64_t x)
{
    int64_t reduced = x % two_to_the_32;
    if (reduced < 0)
        reduced += two_to_the_32;
    return reduced >= two_to_the_32 / 2 ? reduced - two_to_the_32 : reduced;
}

inline int64_t literal_weight(int64_t base, int64_t places)
{
    int64_t weight = 1;
    for (int64_t i = 0; i < places && weight != 0; ++i)  // 0 times anything stays 0
        weight = wrap32(weight * base);
    return weight;
}

inline int64_t literal_digit(unsigned char c, int64_t base)
{
    static constexpr std::string_view letters = "AaBbCcDdEeFf";
    if (base == 16) {
        for (std::size_t i = 0; i < letters.size(); ++i) {
            if (letters[i] == static_cast<char>(c))
                return 10 + static_cast<int64_t>(i / 2);
        }
    }
    return int64_t{c} - 48;
}

inline std::optional<uint64_t> literal_conversion(std::string_view text, int64_t base)
{
    const auto length = static_cast<int64_t>(text.size());
    int64_t total = 0;
    for (int64_t i = 1; i <= length; ++i) {
        const int64_t n = literal_digit(static_cast<unsigned char>(text[static_cast<std::size_t>(i - 1)]), base);
        if (n > base - 1 || n < 0)
            return std::nullopt;
        total = wrap32(total + wrap32(literal_weight(base, length - i) * n));
    }
    return static_cast<uint64_t>(total);  // negative totals become 2^64 + total
}

}  // namespace radval::testing
