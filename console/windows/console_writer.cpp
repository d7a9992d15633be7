#include "console/windows/console_writer.h"

#include <algorithm>
#include <cstddef>

namespace radval {

namespace {

constexpr char bel = '\a';
constexpr char backspace = '\b';
constexpr char tab = '\t';
constexpr char line_feed = '\n';
constexpr char carriage_return = '\r';

constexpr int tab_stop = 8;
constexpr int bel_frequency_hz = 1000;
constexpr int bel_duration_ms = 250;

// What a write assumes when it cannot read the console.
constexpr ScreenInfo unreadable_console{80, 25, 0, 0, 0, 24, 7};

int window_rows(const ScreenInfo& info)
{
    return info.window_bottom - info.window_top + 1;
}

// A buffer one column wide or a window one row tall is no place for text.
bool usable_console(const ScreenInfo& info)
{
    return info.width > 1 && info.height > 0 && window_rows(info) > 1;
}

// One write's passage over the screen buffer. Characters are gathered into
// a run along one row and placed together; everything that moves the
// cursor elsewhere places the run first, so that scrolling moves it too.
class WritePass {
public:
    WritePass(ConsoleScreen& screen, const ScreenInfo& now, int view_top, int view_rows, bool view_scrolls_alone)
        : screen_(screen),
          width_(now.width),
          height_(now.height),
          attribute_(now.attribute),
          view_rows_(std::clamp(view_rows, 1, now.height)),
          view_top_(std::clamp(view_top, 0, now.height - view_rows_)),
          x_(std::clamp(now.cursor_x, 0, now.width - 1)),
          y_(std::clamp(now.cursor_y, 0, now.height - 1)),
          view_scrolls_alone_(view_scrolls_alone)
    {
    }

    // A write that could not read the console starts at the view's top-left
    // corner.
    void start_at_view_corner()
    {
        x_ = 0;
        y_ = view_top_;
    }

    void render_byte(char byte)
    {
        // BEL places nothing and leaves the cursor where it is, so it does
        // not perform a wrap that is due: the cursor stays parked at the end
        // of the row, and a write of text and BEL keeps its pending line feed.
        if (byte == bel) {
            place_run();
            screen_.beep(bel_frequency_hz, bel_duration_ms);
            return;
        }
        if (wrap_due_)
            next_line();
        switch (byte) {
        case carriage_return:
            place_run();
            x_ = 0;
            break;
        case line_feed:
            next_line();
            break;
        case tab:
            for (int spaces = tab_stop - x_ % tab_stop; spaces > 0; --spaces)
                put(' ');
            break;
        case backspace:
            place_run();
            x_ = std::max(x_ - 1, 0);
            break;
        default:
            put(byte);
            break;
        }
    }

    // Moves the cursor to the left edge of the row below, bringing that row
    // into the view.
    void next_line()
    {
        place_run();
        wrap_due_ = false;
        x_ = 0;
        ++y_;
        if (y_ > view_bottom())
            bring_cursor_row_into_view(y_ - view_bottom());
    }

    // Ends the write. Returns whether a line feed is left pending: text that
    // ended at the right edge of the view's bottom row parks the cursor there.
    bool finish()
    {
        place_run();
        const bool parked = wrap_due_ && y_ == view_bottom();
        if (wrap_due_ && !parked)
            next_line();
        if (view_moved_)
            screen_.set_window(view_top_, view_bottom());
        screen_.set_cursor(x_, y_);
        return parked;
    }

private:
    int view_bottom() const { return view_top_ + view_rows_ - 1; }

    void put(char c)
    {
        if (wrap_due_)
            next_line();
        if (run_length_ == sizeof run_)
            place_run();
        if (run_length_ == 0)
            run_x_ = x_;
        run_[run_length_++] = c;
        if (x_ == width_ - 1)
            wrap_due_ = true;  // the cursor stays put until more follows
        else
            ++x_;
    }

    void place_run()
    {
        if (run_length_ == 0)
            return;
        screen_.place(run_x_, y_, {run_, run_length_}, attribute_);
        run_length_ = 0;
    }

    void bring_cursor_row_into_view(int rows_below)
    {
        if (view_scrolls_alone_) {
            scroll(view_top_, view_bottom(), rows_below);
        } else {
            const int move = std::min(rows_below, height_ - 1 - view_bottom());
            if (move > 0) {
                view_top_ += move;
                view_moved_ = true;
            }
            if (rows_below > move)
                scroll(0, height_ - 1, rows_below - move);
        }
        y_ = view_bottom();
    }

    // Scrolls rows `top` to `bottom` up by `count`; the freed rows become
    // spaces in the current attribute.
    void scroll(int top, int bottom, int count)
    {
        count = std::min(count, bottom - top + 1);
        if (count <= bottom - top)
            screen_.scroll_up(top, bottom, count);
        screen_.fill(bottom - count + 1, count, attribute_);
    }

    ConsoleScreen& screen_;
    const int width_;
    const int height_;
    const uint16_t attribute_;
    const int view_rows_;
    int view_top_;
    int x_;
    int y_;
    const bool view_scrolls_alone_;
    bool wrap_due_ = false;
    bool view_moved_ = false;
    // A run longer than this, on a wide buffer, is placed in pieces, each
    // where it would have landed in one.
    char run_[ConsoleScreen::longest_place]{};
    std::size_t run_length_ = 0;
    int run_x_ = 0;
};

}  // namespace

void ConsoleWriter::write(std::string_view bytes)
{
    if (mode_ == Mode::undecided)
        refresh_mode_and_view();
    if (mode_ == Mode::raw) {
        screen_.write_raw(bytes);
        return;
    }
    render(bytes);
    refresh_mode_and_view();
}

// Reads the console before the first write and after every write to it:
// whether there is still a usable console to write to, and the window's top
// row, where the view starts for the next write. The view keeps the height
// the window had at the first read.
void ConsoleWriter::refresh_mode_and_view()
{
    ScreenInfo info;
    if (!screen_.read_info(info) || !usable_console(info)) {
        mode_ = Mode::raw;
        return;
    }
    if (mode_ == Mode::undecided)
        view_rows_ = window_rows(info);
    mode_ = Mode::console;
    view_top_ = info.window_top;
}

void ConsoleWriter::render(std::string_view bytes)
{
    ScreenInfo now;
    const bool readable = screen_.read_info(now) && now.width > 0 && now.height > 0;
    // A window whose rows are no longer the view's (its height changed since
    // the first write) keeps its place: only the view's own rows scroll.
    const bool view_scrolls_alone = readable && (now.window_top != view_top_ || window_rows(now) != view_rows_);
    WritePass pass(screen_, readable ? now : unreadable_console, view_top_, view_rows_, view_scrolls_alone);
    if (!readable)
        pass.start_at_view_corner();
    if (line_feed_pending_)
        pass.next_line();
    for (const char byte : bytes)
        pass.render_byte(byte);
    line_feed_pending_ = pass.finish();
}

}  // namespace radval
