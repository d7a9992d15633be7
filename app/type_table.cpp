#include "app/type_table.h"

namespace radval {

namespace {

struct TypeRow {
    std::string_view type;
    uint64_t base;
};

constexpr TypeRow type_table[] = {
    {"b", 2},
    {"q", 4},
    {"o", 8},
    {"h", 16},
};

}  // namespace

std::optional<uint64_t> base_for_type(std::string_view type)
{
    for (const TypeRow& row : type_table) {
        if (row.type == type)
            return row.base;
    }
    return std::nullopt;
}

}  // namespace radval
