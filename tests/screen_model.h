// An in-memory console screen buffer, for checking the rendering rules on
// any platform. It records what the rules ask of it and, while `strict`,
// refuses anything a real console would not take (cells or a cursor outside
// the buffer, a window that does not fit) by calling report_model_fault,
// which the tests and the fuzzers each define. Otherwise such requests are
// clipped away, as a real console does.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "console/windows/console_screen.h"

namespace radval::testing {

void report_model_fault(const std::string& what);

class ScreenModel : public ConsoleScreen {
public:
    // A buffer of `width` x `height` cells, all '.', in attribute 0; the
    // window shows `window_rows` rows from `window_top`; the cursor is at
    // the window's top-left corner; text is written in attribute 0x1f.
    ScreenModel(int width, int height, int window_top, int window_rows);

    bool read_info(ScreenInfo& out) override;
    void place(int x, int y, std::string_view characters, uint16_t attribute) override;
    void scroll_up(int top, int bottom, int count) override;
    void fill(int top, int count, uint16_t attribute) override;
    void set_cursor(int x, int y) override;
    void set_window(int top, int bottom) override;
    void beep(int frequency_hz, int duration_ms) override;
    void write_raw(std::string_view bytes) override;

    // The text of row `y`.
    const std::string& row(int y) const { return text_[static_cast<std::size_t>(y)]; }
    // The rows of the window as it is now.
    std::vector<std::string> window() const;
    uint16_t attribute_at(int x, int y) const;

    ScreenInfo info;                          // what read_info reports; tests may change it
    bool readable = true;                     // read_info fails while false
    bool strict = true;                       // refuse what a real console would not take
    std::string raw;                          // what went out raw
    std::vector<std::pair<int, int>> beeps;   // frequency and duration of each
    std::vector<std::string> shown_at_beeps;  // the cursor's row as each beep began
    int window_moves = 0;

private:
    bool inside(int x, int y) const;
    void fault(const std::string& what) const;

    std::vector<std::string> text_;
    std::vector<std::vector<uint16_t>> attributes_;
};

}  // namespace radval::testing
