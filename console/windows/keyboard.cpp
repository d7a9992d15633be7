// The key wait on the Windows console: input records are taken one at a
// time and judged by KeyClassifier. The console's close, log-off and
// shutdown events end the wait too; Ctrl+C and Ctrl+Break are left to the
// system, which ends the program.
#include <atomic>

#include "console/platform.h"
#include "console/windows/handles.h"
#include "console/windows/key_classifier.h"

namespace radval::platform {

namespace {

constexpr DWORD poll_period_ms = 50;

// Set by the main thread and by the control handler, which runs on a thread
// of the system's; read and cleared by the main thread.
std::atomic<bool> key_arrived{false};
bool control_handler_installed = false;

BOOL WINAPI on_console_event(DWORD event)
{
    switch (event) {
    case CTRL_CLOSE_EVENT:
    case CTRL_LOGOFF_EVENT:
    case CTRL_SHUTDOWN_EVENT:
        key_arrived.store(true);
        return TRUE;
    default:
        return FALSE;
    }
}

InputRecord::Kind kind_of(WORD event_type)
{
    switch (event_type) {
    case KEY_EVENT:
        return InputRecord::Kind::key;
    case MOUSE_EVENT:
        return InputRecord::Kind::mouse;
    case WINDOW_BUFFER_SIZE_EVENT:
        return InputRecord::Kind::window_size;
    case MENU_EVENT:
        return InputRecord::Kind::menu;
    default:
        return InputRecord::Kind::focus;
    }
}

InputRecord translate(const INPUT_RECORD& record)
{
    InputRecord translated;
    translated.kind = kind_of(record.EventType);
    if (record.EventType == KEY_EVENT) {
        const KEY_EVENT_RECORD& key = record.Event.KeyEvent;
        translated.key_down = key.bKeyDown != FALSE;
        translated.repeat_count = key.wRepeatCount;
        translated.virtual_key_code = key.wVirtualKeyCode;
        translated.character = static_cast<unsigned char>(key.uChar.AsciiChar);
        translated.control_keys = key.dwControlKeyState;
    }
    return translated;
}

// Installed once, as the first check's duty. If the system refuses it, the
// close, log-off and shutdown events keep their default action, which ends
// the program: the wait still ends, so the failure is not worth a retry.
void install_control_handler()
{
    control_handler_installed = true;
    SetConsoleCtrlHandler(on_console_event, TRUE);
}

}  // namespace

bool check_for_keys()
{
    static KeyClassifier classifier;
    if (!control_handler_installed)
        install_control_handler();
    // With no console on standard input the peek fails: no key can arrive.
    const HANDLE input = console_handles().input;
    INPUT_RECORD record;
    DWORD count = 0;
    while (PeekConsoleInputA(input, &record, 1, &count) && count == 1) {
        if (!ReadConsoleInputA(input, &record, 1, &count) || count != 1)
            break;
        if (classifier.counts(translate(record)))
            key_arrived.store(true);
    }
    return key_arrived.exchange(false);
}

void pause_between_checks()
{
    Sleep(poll_period_ms);
}

void clean_up_at_exit()
{
    if (control_handler_installed)
        SetConsoleCtrlHandler(on_console_event, FALSE);
}

}  // namespace radval::platform
