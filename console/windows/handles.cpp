#include "console/windows/handles.h"

namespace radval::platform {

const ConsoleHandles& console_handles()
{
    static const ConsoleHandles handles = [] {
        const ConsoleHandles fetched{GetStdHandle(STD_INPUT_HANDLE), GetStdHandle(STD_OUTPUT_HANDLE)};
        DWORD mode = 0;
        if (GetConsoleMode(fetched.input, &mode))
            SetConsoleMode(fetched.input, mode | ENABLE_PROCESSED_INPUT);
        return fetched;
    }();
    return handles;
}

}  // namespace radval::platform
