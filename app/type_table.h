// Which base each type letter selects.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace radval {

// The base `type` names: "b" 2, "q" 4, "o" 8, "h" 16, compared whole and
// case-sensitively. Anything else names none.
std::optional<uint64_t> base_for_type(std::string_view type);

}  // namespace radval
