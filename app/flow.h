// The whole run, from the two arguments to the exit status.
#pragma once

#include <string_view>

namespace radval {

// Converts `numeral` in the base that `type_letter` names and prints its value
// between two blank lines, then waits for a key; or prints the usage text,
// or the fault report. A missing argument is an empty one. Never returns.
[[noreturn]] void run(std::string_view numeral, std::string_view type_letter);

}  // namespace radval
