// The conversion against the weighted sum of its digits, each digit times
// base^(places to its right) with every product and sum wrapped to 32 bits,
// and int_power against those weights.
//
// Input: the first byte picks the base, the rest is the numeral.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "conversion/conversion.h"
#include "literal_conversion.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    static constexpr int32_t bases[] = {2, 4, 8, 16};
    if (size == 0)
        return 0;
    const int32_t base = bases[data[0] % 4];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);
    if (radval::convert_digits(text, base) != radval::testing::literal_conversion(text, base))
        std::abort();
    const auto places = static_cast<int32_t>(text.size());
    if (radval::int_power(base, places) != radval::testing::literal_weight(base, places))
        std::abort();
    return 0;
}
