// The few operations of a Windows console screen buffer that the rendering
// rules in console_writer.h need. The Windows adapter realises them with
// the console API; the tests realise them with an in-memory screen buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace radval {

struct ScreenInfo {
    int width = 0;   // of the screen buffer, in columns
    int height = 0;  // of the screen buffer, in rows
    int cursor_x = 0;
    int cursor_y = 0;
    int window_top = 0;  // the rows of the buffer the window shows
    int window_bottom = 0;
    uint16_t attribute = 0;  // the one text is written in now
};

class ConsoleScreen {
public:
    // The most characters one place() takes: a longer run is placed in
    // pieces, so that a screen needs no more than this much room for one.
    static constexpr std::size_t longest_place = 256;

    // False when standard output is no console (or it cannot be read).
    virtual bool read_info(ScreenInfo& info) = 0;

    // Places characters into row `y` from column `x` on, in `attribute`,
    // without moving the console's cursor. They fit within the row, and are
    // at most `longest_place`.
    virtual void place(int x, int y, std::string_view characters, uint16_t attribute) = 0;

    // Moves rows `top` + `count` to `bottom` up to `top`; rows outside
    // `top`..`bottom` stay. What is left in the freed rows is unspecified.
    virtual void scroll_up(int top, int bottom, int count) = 0;

    // Fills `count` whole rows from `top` on with spaces in `attribute`.
    virtual void fill(int top, int count, uint16_t attribute) = 0;

    virtual void set_cursor(int x, int y) = 0;

    // Shows rows `top` to `bottom` in the console window, all columns wide.
    virtual void set_window(int top, int bottom) = 0;

    virtual void beep(int frequency_hz, int duration_ms) = 0;

    // Standard output as a plain file: the bytes go out unchanged.
    virtual void write_raw(std::string_view bytes) = 0;

protected:
    // Nothing is deleted through this interface, and a screen that lives for
    // the whole run then needs nothing done at exit.
    ~ConsoleScreen() = default;
};

}  // namespace radval
