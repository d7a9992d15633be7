#include "app/type_table.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string_view>

namespace radval {
namespace {

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
