// Test-only, never shipped: presses keys on a real Windows console while
// radval waits, by writing console input records.
//
// For each case named on the command line (or every case, with none) it
// starts RADVAL_EXE 59FF h on this program's console, with its output in a
// pipe, waits for the value, writes the case's input records and reports on
// standard output, one line a case:
//   NAME ended STATUS               the wait ended, radval exited
//   NAME waited, then ended STATUS  it kept waiting; a letter then ended it
//   NAME waited, then kept waiting  not even the letter ended it
// with " on a Ctrl+C event" added when the console raised its Ctrl+C event
// meanwhile (which this program sees too). A case marked typed-ahead writes
// its records before radval starts, one marked ctrl-c sends the console's
// Ctrl+C event instead of records, and one marked close-event delivers the
// console's close event as the system does: a thread started in radval at
// the console's control routine, while radval's own thread is held, so that
// only radval's handler can keep it alive. Processed input is switched off
// before each start, so that radval must switch it on itself.
//
// With --list it only lists the cases, one line each: the name and what the
// records should do (key, no-key, typed-ahead, ctrl-c, ctrl-c-key or
// close-event), so
// that the test reading the reports knows what to expect of each.
//
// usage: radval_key_injector --list | RADVAL_EXE [CASE ...]
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr DWORD patience_ms = 10000;
constexpr DWORD settle_ms = 400;  // long enough for several 50 ms polls

std::atomic<bool> ctrl_c_seen{false};

// ctrl_c sends the console's event; ctrl_c_key writes the keystroke, which a
// console with processed input turns into that event.
enum class Expect { key, no_key, typed_ahead, ctrl_c, ctrl_c_key, close_event };

struct Case {
    std::string name;
    Expect expect;
    std::vector<INPUT_RECORD> records;
};

INPUT_RECORD key(bool down, WORD virtual_key, char character = 0, DWORD control_keys = 0)
{
    INPUT_RECORD record{};
    record.EventType = KEY_EVENT;
    KEY_EVENT_RECORD& event = record.Event.KeyEvent;
    event.bKeyDown = down ? TRUE : FALSE;
    event.wRepeatCount = 1;
    event.wVirtualKeyCode = virtual_key;
    event.wVirtualScanCode = static_cast<WORD>(MapVirtualKeyA(virtual_key, MAPVK_VK_TO_VSC));
    event.uChar.AsciiChar = character;
    event.dwControlKeyState = control_keys;
    return record;
}

INPUT_RECORD press(WORD virtual_key, char character = 0, DWORD control_keys = 0)
{
    return key(true, virtual_key, character, control_keys);
}

INPUT_RECORD release(WORD virtual_key, char character = 0, DWORD control_keys = 0)
{
    return key(false, virtual_key, character, control_keys);
}

INPUT_RECORD event_of(WORD type)
{
    INPUT_RECORD record{};
    record.EventType = type;
    return record;
}

std::vector<Case> all_cases()
{
    std::vector<Case> cases = {
        // Presses and events that yield no key.
        {"enter-release", Expect::no_key, {release(VK_RETURN, '\r')}},
        {"shift", Expect::no_key, {press(VK_SHIFT, 0, SHIFT_PRESSED)}},
        {"ctrl", Expect::no_key, {press(VK_CONTROL, 0, LEFT_CTRL_PRESSED)}},
        {"alt", Expect::no_key, {press(VK_MENU, 0, LEFT_ALT_PRESSED)}},
        {"caps-lock", Expect::no_key, {press(VK_CAPITAL, 0, CAPSLOCK_ON)}},
        {"num-lock", Expect::no_key, {press(VK_NUMLOCK, 0, NUMLOCK_ON | ENHANCED_KEY)}},
        {"scroll-lock", Expect::no_key, {press(VK_SCROLL, 0, SCROLLLOCK_ON)}},
        {"pause", Expect::no_key, {press(VK_PAUSE)}},
        {"print-screen", Expect::no_key, {press(VK_SNAPSHOT, 0, ENHANCED_KEY)}},
        {"left-windows", Expect::no_key, {press(VK_LWIN, 0, ENHANCED_KEY)}},
        {"right-windows", Expect::no_key, {press(VK_RWIN, 0, ENHANCED_KEY)}},
        {"menu-key", Expect::no_key, {press(VK_APPS, 0, ENHANCED_KEY)}},
        {"letter-release", Expect::no_key, {release('A', 'a')}},
        {"mouse", Expect::no_key, {event_of(MOUSE_EVENT)}},
        {"focus", Expect::no_key, {event_of(FOCUS_EVENT)}},
        {"menu-event", Expect::no_key, {event_of(MENU_EVENT)}},
        {"window-size", Expect::no_key, {event_of(WINDOW_BUFFER_SIZE_EVENT)}},
        {"keypad-left-with-shift", Expect::no_key, {press(VK_LEFT, 0, SHIFT_PRESSED)}},
        {"keypad-home-with-alt", Expect::no_key, {press(VK_HOME, 0, LEFT_ALT_PRESSED)}},
        {"alt-keypad-0", Expect::no_key,
            {press(VK_MENU, 0, LEFT_ALT_PRESSED), press(VK_INSERT, 0, LEFT_ALT_PRESSED),
                release(VK_INSERT, 0, LEFT_ALT_PRESSED), release(VK_MENU)}},
        // Presses that count.
        {"letter", Expect::key, {press('A', 'a')}},
        {"space", Expect::key, {press(VK_SPACE, ' ')}},
        {"enter", Expect::key, {press(VK_RETURN, '\r')}},
        {"ctrl-a", Expect::key, {press('A', '\x01', LEFT_CTRL_PRESSED)}},
        {"escape", Expect::key, {press(VK_ESCAPE, '\x1b')}},
        {"cursor-left-with-shift", Expect::key, {press(VK_LEFT, 0, SHIFT_PRESSED | ENHANCED_KEY)}},
        {"cursor-home-with-alt", Expect::key, {press(VK_HOME, 0, LEFT_ALT_PRESSED | ENHANCED_KEY)}},
        {"cursor-delete-with-ctrl", Expect::key, {press(VK_DELETE, 0, RIGHT_CTRL_PRESSED | ENHANCED_KEY)}},
        {"cursor-page-up-with-ctrl-shift", Expect::key,
            {press(VK_PRIOR, 0, LEFT_CTRL_PRESSED | SHIFT_PRESSED | ENHANCED_KEY)}},
        {"cursor-insert", Expect::key, {press(VK_INSERT, 0, ENHANCED_KEY)}},
        {"keypad-up", Expect::key, {press(VK_UP)}},
        {"keypad-end-with-ctrl", Expect::key, {press(VK_END, 0, LEFT_CTRL_PRESSED)}},
        {"alt-keypad-65", Expect::key,
            {press(VK_MENU, 0, LEFT_ALT_PRESSED), press(VK_RIGHT, 0, LEFT_ALT_PRESSED),
                release(VK_RIGHT, 0, LEFT_ALT_PRESSED), press(VK_CLEAR, 0, LEFT_ALT_PRESSED),
                release(VK_CLEAR, 0, LEFT_ALT_PRESSED), release(VK_MENU, 'A')}},
        {"alt-keypad-10", Expect::key,
            {press(VK_MENU, 0, LEFT_ALT_PRESSED), press(VK_NUMPAD1, 0, LEFT_ALT_PRESSED | NUMLOCK_ON),
                release(VK_NUMPAD1, 0, LEFT_ALT_PRESSED | NUMLOCK_ON),
                press(VK_NUMPAD0, 0, LEFT_ALT_PRESSED | NUMLOCK_ON),
                release(VK_NUMPAD0, 0, LEFT_ALT_PRESSED | NUMLOCK_ON), release(VK_MENU, '\n', NUMLOCK_ON)}},
        {"typed-ahead", Expect::typed_ahead, {press('K', 'k')}},
        {"ctrl-c", Expect::ctrl_c, {}},
        {"ctrl-c-key", Expect::ctrl_c_key, {press('C', '\x03', LEFT_CTRL_PRESSED)}},
        {"close-event", Expect::close_event, {}},
    };
    const struct {
        const char* name;
        DWORD control_keys;
    } modifiers[]
        = {{"", 0}, {"-with-shift", SHIFT_PRESSED}, {"-with-ctrl", LEFT_CTRL_PRESSED}, {"-with-alt", LEFT_ALT_PRESSED}};
    for (int n = 1; n <= 12; ++n) {
        for (const auto& modifier : modifiers) {
            char name[32];
            std::snprintf(name, sizeof name, "f%d%s", n, modifier.name);
            cases.push_back({name, Expect::key, {press(static_cast<WORD>(VK_F1 + n - 1), 0, modifier.control_keys)}});
        }
    }
    return cases;
}

const char* name_of(Expect expect)
{
    switch (expect) {
    case Expect::key:
        return "key";
    case Expect::no_key:
        return "no-key";
    case Expect::typed_ahead:
        return "typed-ahead";
    case Expect::ctrl_c:
        return "ctrl-c";
    case Expect::ctrl_c_key:
        return "ctrl-c-key";
    case Expect::close_event:
        return "close-event";
    }
    return "?";
}

bool write_records(HANDLE input, const std::vector<INPUT_RECORD>& records)
{
    if (records.empty())
        return true;
    DWORD written = 0;
    return WriteConsoleInputA(input, records.data(), static_cast<DWORD>(records.size()), &written)
        && written == records.size();
}

struct Radval {
    PROCESS_INFORMATION process{};
    HANDLE output = nullptr;  // our end of its standard output
};

// Starts radval on this console, its standard output into a pipe. Returns
// 0, or the system's error code.
DWORD start(const char* radval, HANDLE input, Radval& started)
{
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE child_output = nullptr;
    if (!CreatePipe(&started.output, &child_output, &inherit, 0))
        return GetLastError();
    SetHandleInformation(started.output, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = input;
    startup.hStdOutput = child_output;
    startup.hStdError = child_output;
    std::string command = std::string("\"") + radval + "\" 59FF h";
    const BOOL created = CreateProcessA(
        radval, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &started.process);
    const DWORD error = created ? 0 : GetLastError();
    CloseHandle(child_output);
    if (error != 0)
        CloseHandle(started.output);
    return error;
}

// Wine now and then refuses to create a process while the machine is busy,
// with ERROR_INTERNAL_ERROR: that is the emulator's, not radval's, so it
// is worth another try or two.
DWORD start_patiently(const char* radval, HANDLE input, Radval& started)
{
    DWORD error = start(radval, input, started);
    for (int tries = 1; error == ERROR_INTERNAL_ERROR && tries < 3; ++tries) {
        Sleep(settle_ms);
        error = start(radval, input, started);
    }
    return error;
}

// Reads radval's three lines: once they are out, its key wait has begun.
// Gives up as soon as what came can no longer become them, when radval
// ends, or when they do not come within the patience.
bool value_written(HANDLE output, HANDLE process)
{
    const std::string expected = "\r\n23039\r\n\r\n";
    std::string received;
    const ULONGLONG deadline = GetTickCount64() + patience_ms;
    while (received != expected) {
        if (expected.compare(0, received.size(), received) != 0 || GetTickCount64() > deadline)
            return false;
        DWORD available = 0;
        if (!PeekNamedPipe(output, nullptr, 0, nullptr, &available, nullptr))
            return false;
        if (available == 0) {
            if (WaitForSingleObject(process, 10) == WAIT_OBJECT_0
                && PeekNamedPipe(output, nullptr, 0, nullptr, &available, nullptr) && available == 0)
                return false;
            continue;
        }
        char buffer[64];
        DWORD count = 0;
        if (!ReadFile(output, buffer, std::min<DWORD>(available, sizeof buffer), &count, nullptr) || count == 0)
            return false;
        received.append(buffer, count);
    }
    return true;
}

// Delivers the console's close event to radval as the system does, on a
// thread of its own at the console's control routine, while radval's main
// thread is held: the thread then returns 1 only if a handler of radval's
// answered the event, where the default handler ends the process.
std::string deliver_close_event(const PROCESS_INFORMATION& radval)
{
    const auto control_routine = reinterpret_cast<LPTHREAD_START_ROUTINE>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "CtrlRoutine")));
    if (control_routine == nullptr)
        return "no control routine to deliver the event";
    SuspendThread(radval.hThread);
    // The control routine takes the event's number as its thread parameter,
    // so the number travels as a pointer.
    void* const event = reinterpret_cast<void*>(  // NOLINT(performance-no-int-to-ptr)
        static_cast<ULONG_PTR>(CTRL_CLOSE_EVENT));
    const HANDLE thread = CreateRemoteThread(radval.hProcess, nullptr, 0, control_routine, event, 0, nullptr);
    DWORD answered = 0;
    if (thread != nullptr) {
        WaitForSingleObject(thread, patience_ms);
        GetExitCodeThread(thread, &answered);
        CloseHandle(thread);
    }
    ResumeThread(radval.hThread);
    if (thread == nullptr)
        return "could not start the control routine";
    return answered == 1 ? "" : "no handler answered the close event";
}

// "ended STATUS", or an empty string while it is still running.
std::string ending(HANDLE process, DWORD wait_ms)
{
    if (WaitForSingleObject(process, wait_ms) != WAIT_OBJECT_0)
        return "";
    DWORD status = 0;
    GetExitCodeProcess(process, &status);
    char text[32];
    std::snprintf(text, sizeof text, "ended %lu", static_cast<unsigned long>(status));
    return text;
}

std::string run(const char* radval, HANDLE input, DWORD mode, const Case& c)
{
    FlushConsoleInputBuffer(input);
    SetConsoleMode(input, mode & ~static_cast<DWORD>(ENABLE_PROCESSED_INPUT));
    ctrl_c_seen.store(false);
    if (c.expect == Expect::typed_ahead && !write_records(input, c.records))
        return "could not write its records";
    Radval started;
    if (const DWORD error = start_patiently(radval, input, started); error != 0)
        return "could not start radval: error " + std::to_string(error);
    std::string report;
    if (!value_written(started.output, started.process.hProcess)) {
        report = "wrote something else";
    } else if (c.expect == Expect::typed_ahead) {
        report = ending(started.process.hProcess, patience_ms);
    } else if (c.expect == Expect::ctrl_c) {
        Sleep(settle_ms);
        GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0);
        report = ending(started.process.hProcess, patience_ms);
    } else if (c.expect == Expect::close_event) {
        Sleep(settle_ms);
        report = deliver_close_event(started.process);
        if (report.empty())
            report = ending(started.process.hProcess, patience_ms);
    } else if (c.expect == Expect::ctrl_c_key) {
        report = write_records(input, c.records) ? ending(started.process.hProcess, patience_ms) : "";
    } else if (!write_records(input, c.records)) {
        report = "could not write its records";
    } else if (report = ending(started.process.hProcess, c.expect == Expect::key ? patience_ms : settle_ms);
               report.empty()) {
        write_records(input, {press('X', 'x')});
        const std::string after = ending(started.process.hProcess, patience_ms);
        report = "waited, then " + (after.empty() ? std::string("kept waiting") : after);
    }
    if (report.empty())
        report = "kept waiting";
    // The event reaches this program on a thread of its own, maybe after
    // radval has ended.
    for (int tries = 0; (c.expect == Expect::ctrl_c || c.expect == Expect::ctrl_c_key) && tries < 20; ++tries) {
        if (ctrl_c_seen.load())
            break;
        Sleep(50);
    }
    if (ctrl_c_seen.load())
        report += " on a Ctrl+C event";
    TerminateProcess(started.process.hProcess, 99);
    WaitForSingleObject(started.process.hProcess, patience_ms);
    CloseHandle(started.process.hProcess);
    CloseHandle(started.process.hThread);
    CloseHandle(started.output);
    return report;
}

// The Ctrl+C event goes to every process on the console, this one too. A
// handler that says "handled" keeps us alive; ignoring the event through a
// NULL handler instead would be inherited by radval.
BOOL WINAPI survive_ctrl_c(DWORD event)
{
    if (event != CTRL_C_EVENT)
        return FALSE;
    ctrl_c_seen.store(true);
    return TRUE;
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc < 2) {
        std::fputs("usage: radval_key_injector --list | RADVAL_EXE [CASE ...]\n", stderr);
        return 2;
    }
    const std::vector<Case> cases = all_cases();
    if (std::strcmp(argv[1], "--list") == 0) {
        for (const Case& c : cases)
            std::printf("%s %s\n", c.name.c_str(), name_of(c.expect));
        return 0;
    }
    const HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    DWORD mode = 0;
    if (!GetConsoleMode(input, &mode)) {
        std::fputs("standard input is no console\n", stderr);
        return 2;
    }
    SetConsoleCtrlHandler(survive_ctrl_c, TRUE);
    int unknown = 0;
    for (int i = 2; i < argc; ++i) {
        bool known = false;
        for (const Case& c : cases)
            known = known || c.name == argv[i];
        if (!known) {
            std::fprintf(stderr, "no case %s\n", argv[i]);
            ++unknown;
        }
    }
    if (unknown != 0)
        return 2;
    for (const Case& c : cases) {
        bool chosen = argc == 2;
        for (int i = 2; i < argc; ++i)
            chosen = chosen || c.name == argv[i];
        if (chosen) {
            std::printf("%s %s\n", c.name.c_str(), run(argv[1], input, mode, c).c_str());
            std::fflush(stdout);
        }
    }
    return 0;
}
