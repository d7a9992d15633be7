#include "app/flow.h"

#include <optional>

#include "app/program.h"
#include "app/type_table.h"
#include "app/usage.h"
#include "console/console.h"
#include "conversion/conversion.h"

namespace radval {

namespace {

[[noreturn]] void usage_and_exit()
{
    print_usage();
    end_program(0);
}

}  // namespace

void run(std::string_view numeral, std::string_view type_letter)
{
    invalue = numeral;
    if (invalue.empty())
        usage_and_exit();
    type = type_letter;
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

}  // namespace radval
