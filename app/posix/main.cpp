// radval NUMERAL TYPE on POSIX: the arguments arrive as the shell delivers
// them, split and with its wildcards expanded, as bytes.
#include "app/flow.h"

namespace {

// Argument `index`, or an empty string past the last one.
const char* argument(int argc, char* argv[], int index)
{
    return index < argc ? argv[index] : "";
}

}  // namespace

int main(int argc, char* argv[])
{
    radval::run(argument(argc, argv, 1), argument(argc, argv, 2));
}
