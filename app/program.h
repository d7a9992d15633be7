// The program-wide variables: set by the command-line flow, read by the
// conversion's fault report.
#pragma once

#include <cstdint>
#include <string_view>

namespace radval {

// The arguments themselves, not copies: they live as long as the process.
extern std::string_view invalue;  // argument 1, the numeral
extern std::string_view type;     // argument 2, the type letter
extern uint64_t base;             // 2, 4, 8 or 16 once the type is known
extern uint64_t result;           // the converted value

}  // namespace radval
