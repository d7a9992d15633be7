// The standard handles of the Windows console, fetched at their first use
// and kept for the run. Shared by output.cpp and keyboard.cpp.
#pragma once

#include <windows.h>

namespace radval::platform {

struct ConsoleHandles {
    HANDLE input;
    HANDLE output;
};

// At the first call the handles are fetched and, if standard input is a
// console, processed input is added to its mode, so that Ctrl+C reaches
// the system as a control event instead of arriving as a key. That mode is
// deliberately not restored at exit.
const ConsoleHandles& console_handles();

}  // namespace radval::platform
