#include "console/console.h"

#include <cstdlib>

#include "console/decimal.h"
#include "console/platform.h"

namespace radval {

namespace {

constexpr std::string_view line_end = "\r\n";

}  // namespace

void print_text(std::string_view bytes)
{
    if (!bytes.empty())
        platform::write_output(bytes);
}

void print_line(std::string_view bytes)
{
    print_text(bytes);
    platform::write_output(line_end);
}

void print_blank_line()
{
    platform::write_output(line_end);
}

void print_unsigned_line(uint64_t value)
{
    char buffer[decimal_line_capacity];
    platform::write_output(format_unsigned_line(value, buffer));
}

void wait_for_key()
{
    while (!platform::check_for_keys())
        platform::pause_between_checks();
}

void end_program(int status)
{
    platform::clean_up_at_exit();
    std::exit(status);
}

}  // namespace radval
