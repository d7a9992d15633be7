#pragma once

namespace radval {

// Writes the usage text, eleven lines ending in CR LF.
void print_usage();

}  // namespace radval
