#include "console/windows/screen.h"

#include <algorithm>
#include <cstddef>

namespace radval::platform {

namespace {

SHORT as_short(int value)
{
    return static_cast<SHORT>(value);
}

}  // namespace

bool Win32Screen::read_info(ScreenInfo& info)
{
    CONSOLE_SCREEN_BUFFER_INFO buffer;
    if (!GetConsoleScreenBufferInfo(output_, &buffer))
        return false;
    width_ = buffer.dwSize.X;
    info = {buffer.dwSize.X, buffer.dwSize.Y, buffer.dwCursorPosition.X, buffer.dwCursorPosition.Y, buffer.srWindow.Top,
        buffer.srWindow.Bottom, buffer.wAttributes};
    return true;
}

void Win32Screen::place(int x, int y, std::string_view characters, uint16_t attribute)
{
    CHAR_INFO cells[longest_place];
    const std::size_t count = std::min(characters.size(), std::size(cells));  // never past the cells
    CHAR_INFO* cell = cells;
    for (const char character : characters.substr(0, count)) {
        cell->Char.AsciiChar = character;
        cell->Attributes = attribute;
        ++cell;
    }
    SMALL_RECT region{as_short(x), as_short(y), as_short(x + static_cast<int>(count) - 1), as_short(y)};
    WriteConsoleOutputA(output_, cells, COORD{as_short(static_cast<int>(count)), 1}, COORD{0, 0}, &region);
}

void Win32Screen::scroll_up(int top, int bottom, int count)
{
    const SMALL_RECT moved{0, as_short(top + count), as_short(width_ - 1), as_short(bottom)};
    const SMALL_RECT clip{0, as_short(top), as_short(width_ - 1), as_short(bottom)};
    CHAR_INFO blank;
    blank.Char.AsciiChar = ' ';
    blank.Attributes = 0;  // fill() gives the freed rows their attribute
    ScrollConsoleScreenBufferA(output_, &moved, &clip, COORD{0, as_short(top)}, &blank);
}

void Win32Screen::fill(int top, int count, uint16_t attribute)
{
    const auto cells = static_cast<DWORD>(width_) * static_cast<DWORD>(count);
    const COORD start{0, as_short(top)};
    DWORD done = 0;
    FillConsoleOutputCharacterA(output_, ' ', cells, start, &done);
    FillConsoleOutputAttribute(output_, attribute, cells, start, &done);
}

void Win32Screen::set_cursor(int x, int y)
{
    SetConsoleCursorPosition(output_, COORD{as_short(x), as_short(y)});
}

// A console refuses a window wider than the screen allows; the window
// then keeps its columns and still follows the view's rows.
void Win32Screen::set_window(int top, int bottom)
{
    const SMALL_RECT full_width{0, as_short(top), as_short(width_ - 1), as_short(bottom)};
    if (SetConsoleWindowInfo(output_, TRUE, &full_width))
        return;
    CONSOLE_SCREEN_BUFFER_INFO buffer;
    if (!GetConsoleScreenBufferInfo(output_, &buffer))
        return;
    const SMALL_RECT same_columns{buffer.srWindow.Left, as_short(top), buffer.srWindow.Right, as_short(bottom)};
    SetConsoleWindowInfo(output_, TRUE, &same_columns);
}

void Win32Screen::beep(int frequency_hz, int duration_ms)
{
    Beep(static_cast<DWORD>(frequency_hz), static_cast<DWORD>(duration_ms));
}

// A write that fails, or that reports no bytes written, ends the piece:
// trying again would only spin.
void Win32Screen::write_raw(std::string_view bytes)
{
    while (!bytes.empty()) {
        const auto chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size(), 1u << 30));
        DWORD written = 0;
        if (!WriteFile(output_, bytes.data(), chunk, &written, nullptr) || written == 0)
            return;
        bytes.remove_prefix(written);
    }
}

}  // namespace radval::platform
