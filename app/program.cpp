#include "app/program.h"

namespace radval {

std::string invalue;
std::string type;
uint64_t base = 0;
uint64_t result = 0;

}  // namespace radval
