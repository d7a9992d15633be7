// How output appears on a Windows console screen buffer, used by
// output.cpp. Plain code over the ConsoleScreen interface, so it is
// built and tested on every platform against an in-memory console.
//
// At the first write the writer decides whether standard output is a usable
// console; if not (or once it stops being one) every write goes out raw.
// On a console, bytes are placed straight into the buffer within the view:
// all columns of the buffer, and as many rows, from the window's top row, as
// the window showed at the first write. CR, LF, TAB, BS and BEL act; every
// other byte is shown. Text wraps at the right edge; rows below the view
// move the view down through the buffer (the window follows), then scroll
// the buffer. A write that ends by filling the view's bottom row parks the
// cursor at its end, and the next write first performs that line feed.
#pragma once

#include <string_view>

#include "console/windows/console_screen.h"

namespace radval {

class ConsoleWriter {
public:
    explicit ConsoleWriter(ConsoleScreen& screen) : screen_(screen) {}

    void write(std::string_view bytes);

private:
    enum class Mode { undecided, console, raw };

    void refresh_mode_and_view();
    void render(std::string_view bytes);

    ConsoleScreen& screen_;
    Mode mode_ = Mode::undecided;
    int view_rows_ = 0;  // fixed at the first write
    int view_top_ = 0;   // the window's top row, read after every write
    bool line_feed_pending_ = false;
};

}  // namespace radval
