#include "console/windows/handles.h"

#include <optional>

namespace radval::platform {

namespace {

// Fetched at the first call. radval's one thread of its own is the only
// one that asks, so nothing guards the fetch.
std::optional<ConsoleHandles> handles;

}  // namespace

const ConsoleHandles& console_handles()
{
    if (!handles) {
        handles = ConsoleHandles{GetStdHandle(STD_INPUT_HANDLE), GetStdHandle(STD_OUTPUT_HANDLE)};
        DWORD mode = 0;
        if (GetConsoleMode(handles->input, &mode))
            SetConsoleMode(handles->input, mode | ENABLE_PROCESSED_INPUT);
    }
    return *handles;
}

}  // namespace radval::platform
