#include <string>

#include "app/program.h"
#include "console/console.h"
#include "conversion/conversion.h"

namespace radval {

namespace {

// The report quotes the program's own `invalue` and `base`, which hold what
// the flow passed in; it is the first and last output of the run. Its first
// piece is one write, as a console renders each write whole, so the numeral
// is copied once, into it.
[[noreturn]] void report_invalid_numeral()
{
    constexpr std::string_view opening = "ERROR: ";
    constexpr std::string_view closing = " is not base ";
    std::string report;
    report.reserve(opening.size() + invalue.size() + closing.size());
    report.append(opening).append(invalue).append(closing);
    print_text(report);
    print_unsigned_line(base);
    end_program(1);
}

}  // namespace

uint64_t convert_value(std::string_view text, int32_t base_bits)
{
    const std::optional<uint64_t> value = convert_digits(text, base_bits);
    if (!value)
        report_invalid_numeral();
    return *value;
}

}  // namespace radval
