// The console rendering rules over the in-memory console, with arbitrary
// bytes and console geometries. Whatever a real console would refuse is a
// fault (cells, cursor or window outside the buffer, a scroll or fill of
// rows that are not there), and after every write on the console the cursor
// is inside the view and the last character written is where the rules keep
// it: just left of the cursor, at the end of the row above, or under the
// parked cursor.
//
// Input: six bytes of geometry (buffer width and height, window top and
// rows, cursor column and row), then a series of writes, each a byte whose
// low seven bits give its length followed by its bytes; a byte with the top
// bit set changes the console between writes instead.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "console/windows/console_writer.h"
#include "screen_model.h"

namespace radval::testing {

void report_model_fault(const std::string& /*what*/)
{
    std::abort();
}

}  // namespace radval::testing

namespace {

using radval::ConsoleWriter;
using radval::testing::ScreenModel;

class Input {
public:
    Input(const uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool empty() const { return size_ == 0; }

    int next()
    {
        if (size_ == 0)
            return 0;
        --size_;
        return *data_++;
    }

    std::string_view take(std::size_t count)
    {
        count = std::min(count, size_);
        const std::string_view taken(reinterpret_cast<const char*>(data_), count);
        data_ += count;
        size_ -= count;
        return taken;
    }

private:
    const uint8_t* data_;
    std::size_t size_;
};

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool acts(char byte)
{
    return byte == '\r' || byte == '\n' || byte == '\t' || byte == '\b' || byte == '\a';
}

// The last byte of a write, if it was placed as a character, is still where
// the rules put it.
void check_last_character(const ScreenModel& screen, std::string_view bytes)
{
    if (bytes.empty() || acts(bytes.back()))
        return;
    const char last = bytes.back();
    const int x = screen.info.cursor_x;
    const int y = screen.info.cursor_y;
    const auto at = [&screen](int column, int row) { return screen.row(row)[static_cast<std::size_t>(column)]; };
    const bool left_of_cursor = x > 0 && at(x - 1, y) == last;
    const bool end_of_row_above = x == 0 && y > 0 && at(screen.info.width - 1, y - 1) == last;
    const bool parked = x == screen.info.width - 1 && at(x, y) == last;
    require(left_of_cursor || end_of_row_above || parked);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size)
{
    Input input(data, size);
    const int width = 1 + input.next() % 40;
    const int height = 1 + input.next() % 30;
    const int window_top = input.next() % height;
    const int window_rows = 1 + input.next() % (height - window_top);
    ScreenModel screen(width, height, window_top, window_rows);
    screen.info.cursor_x = input.next() % width;
    screen.info.cursor_y = window_top + input.next() % window_rows;
    ConsoleWriter writer(screen);

    bool view_as_first_seen = true;
    while (!input.empty()) {
        const int step = input.next();
        if ((step & 0x80) != 0) {
            if ((step & 1) != 0) {
                // The console can no longer be read: this write assumes
                // 80 x 25, which a real console clips to its buffer.
                screen.readable = false;
                screen.strict = false;
            } else {
                screen.info.window_bottom
                    = std::min(screen.info.window_top + input.next() % height, screen.info.height - 1);
                view_as_first_seen = false;
            }
            continue;
        }
        const std::string_view bytes = input.take(static_cast<std::size_t>(step));
        const std::size_t raw_before = screen.raw.size();
        writer.write(bytes);
        const bool went_to_console = screen.raw.size() == raw_before && !bytes.empty() && screen.readable;
        if (went_to_console && view_as_first_seen) {
            require(
                screen.info.cursor_y >= screen.info.window_top && screen.info.cursor_y <= screen.info.window_bottom);
            check_last_character(screen, bytes);
        }
    }
    return 0;
}
