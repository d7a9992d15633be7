#include "console/console.h"

#include <charconv>
#include <cstdlib>

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
    char line[20 + line_end.size()];  // 2^64 - 1 has 20 digits
    char* const digits_end = std::to_chars(line, line + sizeof line - line_end.size(), value).ptr;
    line_end.copy(digits_end, line_end.size());
    platform::write_output({line, static_cast<std::size_t>(digits_end - line) + line_end.size()});
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
