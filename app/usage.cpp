#include "app/usage.h"

#include "console/console.h"

namespace radval {

void print_usage()
{
    print_line("Usage: radval <invalue> <type>");
    print_blank_line();
    print_line("Type:");
    print_line("\tb     - binary         (base 2)");
    print_line("\tq     - quaternary     (base 4)");
    print_line("\to     - octal          (base 8)");
    print_line("\th     - hexadecimal    (base 16)");
    print_blank_line();
    print_line("Example:");
    print_line("\tradval 1001010 b");
    print_line("\tradval 59FF h");
}

}  // namespace radval
