// The Windows console's screen buffer beneath the rendering rules of
// console_writer.h: each operation of ConsoleScreen as a call or two of the
// console API on the handle it is given, or WriteFile where that handle is
// no console. A call that fails loses that piece of output and nothing
// else. Used by output.cpp, and tested against a real console.
#pragma once

#include <windows.h>

#include "console/windows/console_screen.h"

namespace radval::platform {

class Win32Screen final : public ConsoleScreen {
public:
    explicit Win32Screen(HANDLE output) : output_(output) {}

    bool read_info(ScreenInfo& info) override;
    void place(int x, int y, std::string_view characters, uint16_t attribute) override;
    void scroll_up(int top, int bottom, int count) override;
    void fill(int top, int count, uint16_t attribute) override;
    void set_cursor(int x, int y) override;
    void set_window(int top, int bottom) override;
    void beep(int frequency_hz, int duration_ms) override;
    void write_raw(std::string_view bytes) override;

private:
    HANDLE output_;
    // The buffer's width as read_info last read it. The writer reads the
    // console at the start of every write, before it scrolls, fills or moves
    // the window, so scroll_up, fill and set_window may rely on it.
    int width_ = 0;
};

}  // namespace radval::platform
