#include "app/program.h"
#include "console/console.h"
#include "conversion/conversion.h"

namespace radval {

namespace {

// The report quotes the program's own `invalue` and `base`, which hold what
// the flow passed in; it is the first and last output of the run.
[[noreturn]] void report_invalid_numeral()
{
    print_text("ERROR: " + invalue + " is not base ");
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
