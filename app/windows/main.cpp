// radval NUMERAL TYPE on Windows. The runtime builds the arguments from the
// UTF-16 command line, split and wildcard-expanded by its rules
// (wildcard_expansion.cpp), and calls wmain with them (radval is linked
// with -municode), so that radval judges the characters typed. The ANSI
// argument list would hold the ANSI code page's best fit for each of them
// instead: Ｆ as F, ∞ as 8, and a character the code page lacks as ?, itself
// a hex digit.
//
// radval's text is UTF-8: a character outside ASCII becomes bytes of 128
// and above, which are no digit of any base and no type letter.
#include <windows.h>

#include <cstdlib>
#include <cwchar>
#include <string_view>

#include "app/flow.h"
#include "console/console.h"

namespace {

// Argument `index` in UTF-8, or an empty string past the last one; the copy
// lives for the run. An unpaired surrogate becomes U+FFFD.
std::string_view utf8_argument(int argc, wchar_t* argv[], int index)
{
    if (index >= argc)
        return {};
    const wchar_t* const argument = argv[index];
    // At most a command line's 32,766 characters; none converts to nothing.
    const auto units = static_cast<int>(std::wcslen(argument));
    if (units == 0)
        return {};
    const int size = WideCharToMultiByte(CP_UTF8, 0, argument, units, nullptr, 0, nullptr, nullptr);
    char* const text = size > 0 ? static_cast<char*>(std::malloc(static_cast<std::size_t>(size))) : nullptr;
    // Without memory for an argument radval can judge neither: it ends as a
    // failure to start, having written nothing.
    if (text == nullptr || WideCharToMultiByte(CP_UTF8, 0, argument, units, text, size, nullptr, nullptr) != size)
        radval::end_program(1);
    return {text, static_cast<std::size_t>(size)};
}

}  // namespace

int wmain(int argc, wchar_t* argv[])
{
    radval::run(utf8_argument(argc, argv, 1), utf8_argument(argc, argv, 2));
}
