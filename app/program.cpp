#include "app/program.h"

namespace radval {

std::string_view invalue;
std::string_view type;
uint64_t base = 0;
uint64_t result = 0;

}  // namespace radval
