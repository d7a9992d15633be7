// The conversion against a literal model of its definition: each digit
// times its own weight (the base multiplied in once per place to its right),
// summed with signed 32-bit wrap-around, the total sign-extended.
//
// Input: the first byte picks the base, the rest is the numeral.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "conversion/conversion.h"

namespace {

constexpr int64_t two_to_the_32 = int64_t{1} << 32;

// x reduced into the signed 32-bit range, as two's complement wraps it.
int64_t wrap32(int64_t x)
{
    int64_t reduced = x % two_to_the_32;
    if (reduced < 0)
        reduced += two_to_the_32;
    return reduced >= two_to_the_32 / 2 ? reduced - two_to_the_32 : reduced;
}

int64_t weight(int64_t base, int64_t places)
{
    int64_t weight = 1;
    for (int64_t i = 0; i < places && weight != 0; ++i)  // 0 times anything stays 0
        weight = wrap32(weight * base);
    return weight;
}

int64_t literal_digit(unsigned char c, int64_t base)
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

std::optional<uint64_t> literal_conversion(std::string_view text, int64_t base)
{
    const auto length = static_cast<int64_t>(text.size());
    int64_t total = 0;
    for (int64_t i = 1; i <= length; ++i) {
        const int64_t n = literal_digit(static_cast<unsigned char>(text[static_cast<std::size_t>(i - 1)]), base);
        if (n > base - 1 || n < 0)
            return std::nullopt;
        total = wrap32(total + wrap32(weight(base, length - i) * n));
    }
    return static_cast<uint64_t>(total);  // negative totals become 2^64 + total
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static constexpr int32_t bases[] = {2, 4, 8, 16};
    if (size == 0)
        return 0;
    const int32_t base = bases[data[0] % 4];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    if (radval::convert_digits(text, base) != literal_conversion(text, base))
        std::abort();
    const auto places = static_cast<int32_t>(text.size());
    if (radval::int_power(base, places) != weight(base, places))
        std::abort();
    return 0;
}
