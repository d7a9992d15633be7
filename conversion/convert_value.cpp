#include <cstdlib>
#include <cstring>

#include "app/program.h"
#include "console/console.h"
#include "conversion/conversion.h"

namespace radval {

namespace {

// The report's first piece, "ERROR: <numeral> is not base ", goes out as one
// write, as a console renders each write whole: the numeral is copied once,
// into it. Plain malloc, because running out of memory for a long numeral
// must cost only that: the pieces then go out one by one.
void print_report_opening(std::string_view numeral)
{
    constexpr std::string_view opening = "ERROR: ";
    constexpr std::string_view closing = " is not base ";
    const std::size_t size = opening.size() + numeral.size() + closing.size();
    auto* const report = static_cast<char*>(std::malloc(size));
    if (report == nullptr) {
        print_text(opening);
        print_text(numeral);
        print_text(closing);
        return;
    }
    char* end = report;
    for (const std::string_view piece : {opening, numeral, closing}) {
        std::memcpy(end, piece.data(), piece.size());
        end += piece.size();
    }
    print_text({report, size});
    std::free(report);
}

// The report quotes the program's own `invalue` and `base`, which hold what
// the flow passed in; it is the first and last output of the run.
[[noreturn]] void report_invalid_numeral()
{
    print_report_opening(invalue);
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
