#include "console/decimal.h"

namespace radval {

std::string_view format_unsigned_line(uint64_t value, char (&buffer)[decimal_line_capacity])
{
    std::size_t start = decimal_line_capacity;
    buffer[--start] = '\n';
    buffer[--start] = '\r';
    do {
        buffer[--start] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value != 0);
    return {buffer + start, decimal_line_capacity - start};
}

}  // namespace radval
