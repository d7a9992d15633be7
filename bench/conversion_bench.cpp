// The cost of converting numerals of 8 bytes, 1 KiB and 128 KiB in each base;
// per byte it should be flat, the conversion being one pass.
#include <benchmark/benchmark.h>

#include <string>

#include "conversion/conversion.h"

namespace {

std::string numeral_of(std::size_t length, int32_t base)
{
    const std::string digits = base == 16 ? "0123456789abcdef" : "01234567";
    std::string text(length, '0');
    for (std::size_t i = 0; i < length; ++i)
        text[i] = digits[i % static_cast<std::size_t>(base)];
    return text;
}

void convert(benchmark::State& state)
{
    const auto base = static_cast<int32_t>(state.range(0));
    const std::string text = numeral_of(static_cast<std::size_t>(state.range(1)), base);
    for (auto _ : state)
        benchmark::DoNotOptimize(radval::convert_digits(text, base));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * state.range(1));
}

BENCHMARK(convert)->ArgsProduct({{2, 4, 8, 16}, {8, 1024, 131072}})->ArgNames({"base", "bytes"});

}  // namespace
