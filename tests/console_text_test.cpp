#include "console/decimal.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "app/type_table.h"

namespace radval {
namespace {

TEST(FormatUnsignedLine, DigitsThenCrLf)
{
    const struct {
        uint64_t value;
        std::string_view line;
    } lines[] = {
        {0, "0\r\n"},
        {7, "7\r\n"},
        {10, "10\r\n"},
        {23039, "23039\r\n"},
        {4294967295u, "4294967295\r\n"},
        {10000000000000000000u, "10000000000000000000\r\n"},
        {18446744073709551615u, "18446744073709551615\r\n"},
    };
    for (const auto& expected : lines) {
        char buffer[decimal_line_capacity];
        EXPECT_EQ(format_unsigned_line(expected.value, buffer), expected.line);
    }
}

TEST(TypeTable, MatchesWholeLowercaseLettersOnly)
{
    const struct {
        std::string_view type;
        std::optional<uint64_t> base;
    } rows[] = {
        {"b", 2},
        {"q", 4},
        {"o", 8},
        {"h", 16},
        {"B", std::nullopt},
        {"Q", std::nullopt},
        {"O", std::nullopt},
        {"H", std::nullopt},
        {"", std::nullopt},
        {"bin", std::nullopt},
        {"hex", std::nullopt},
        {"bb", std::nullopt},
        {"b ", std::nullopt},
        {" h", std::nullopt},
        {"d", std::nullopt},
    };
    for (const auto& row : rows)
        EXPECT_EQ(base_for_type(row.type), row.base) << '"' << row.type << '"';
}

}  // namespace
}  // namespace radval
