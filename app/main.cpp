// radval NUMERAL TYPE: the numeral's value in decimal, between two blank
// lines, then a wait for a key. The arguments arrive as the shell (or, on
// Windows, the runtime's wildcard expansion) delivers them.
#include <optional>

#include "app/program.h"
#include "app/type_table.h"
#include "app/usage.h"
#include "console/console.h"
#include "conversion/conversion.h"

namespace {

// Argument `index`, or an empty string past the last one.
const char* argument(int argc, char* argv[], int index)
{
    return index < argc ? argv[index] : "";
}

[[noreturn]] void usage_and_exit()
{
    radval::print_usage();
    radval::end_program(0);
}

}  // namespace

int main(int argc, char* argv[])
{
    using namespace radval;

    invalue = argument(argc, argv, 1);
    if (invalue.empty())
        usage_and_exit();
    type = argument(argc, argv, 2);
    if (type.empty())
        usage_and_exit();
    const std::optional<uint64_t> selected = base_for_type(type);
    if (!selected)
        usage_and_exit();
    base = *selected;

    result = convert_value(invalue, static_cast<int32_t>(base & 0xffffffffu));
    print_blank_line();
    print_unsigned_line(result);
    print_blank_line();
    wait_for_key();
    end_program(0);
}
