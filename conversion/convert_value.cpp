#include <algorithm>
#include <cstdlib>

#include "app/program.h"
#include "console/console.h"
#include "conversion/conversion.h"
#include "conversion/visible_text.h"

namespace radval {

namespace {

template <typename Use> void each_piece(VisiblePieces pieces, Use use)
{
    for (std::string_view piece = pieces.next(); !piece.empty(); piece = pieces.next())
        use(piece);
}

// The report's first piece, "ERROR: <numeral> is not base ", goes out as one
// write, as a console renders each write whole: the numeral, its controls
// shown visibly, is copied once, into it. Plain malloc, because running out
// of memory for a long numeral must cost only that: the pieces then go out
// one by one.
void print_report_opening(std::string_view numeral)
{
    constexpr std::string_view opening = "ERROR: ";
    constexpr std::string_view closing = " is not base ";
    const VisiblePieces shown(numeral);
    std::size_t size = opening.size() + closing.size();
    each_piece(shown, [&size](std::string_view piece) { size += piece.size(); });
    auto* const report = static_cast<char*>(std::malloc(size));
    if (report == nullptr) {
        print_text(opening);
        each_piece(shown, print_text);
        print_text(closing);
        return;
    }
    char* end = report;
    const auto append = [&end](std::string_view piece) { end = std::copy(piece.begin(), piece.end(), end); };
    append(opening);
    each_piece(shown, append);
    append(closing);
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
