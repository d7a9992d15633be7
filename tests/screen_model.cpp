#include "screen_model.h"

namespace radval::testing {

namespace {

// Freed rows hold this until the rules fill them.
constexpr char stale = '#';

}  // namespace

ScreenModel::ScreenModel(int width, int height, int window_top, int window_rows)
    : text_(static_cast<std::size_t>(height), std::string(static_cast<std::size_t>(width), '.')),
      attributes_(static_cast<std::size_t>(height), std::vector<uint16_t>(static_cast<std::size_t>(width), 0))
{
    info = {width, height, 0, window_top, window_top, window_top + window_rows - 1, 0x1f};
}

bool ScreenModel::read_info(ScreenInfo& out)
{
    if (readable)
        out = info;
    return readable;
}

void ScreenModel::fault(const std::string& what) const
{
    if (strict)
        report_model_fault(what);
}

bool ScreenModel::inside(int x, int y) const
{
    return x >= 0 && y >= 0 && y < static_cast<int>(text_.size()) && x < static_cast<int>(text_[0].size());
}

void ScreenModel::place(int x, int y, std::string_view characters, uint16_t attribute)
{
    if (characters.size() > longest_place)
        fault("a place of " + std::to_string(characters.size()) + " characters at once");
    for (const char c : characters) {
        if (!inside(x, y)) {
            fault("a character placed outside the buffer at " + std::to_string(x) + "," + std::to_string(y));
            return;
        }
        text_[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = c;
        attributes_[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)] = attribute;
        ++x;
    }
}

void ScreenModel::scroll_up(int top, int bottom, int count)
{
    if (!inside(0, top) || !inside(0, bottom) || count < 1 || count > bottom - top) {
        fault("a scroll of rows " + std::to_string(top) + " to " + std::to_string(bottom) + " by "
            + std::to_string(count));
        return;
    }
    for (int y = top; y <= bottom; ++y) {
        const auto to = static_cast<std::size_t>(y);
        if (y + count <= bottom) {
            text_[to] = text_[to + static_cast<std::size_t>(count)];
            attributes_[to] = attributes_[to + static_cast<std::size_t>(count)];
        } else {
            text_[to].assign(text_[to].size(), stale);
        }
    }
}

void ScreenModel::fill(int top, int count, uint16_t attribute)
{
    for (int y = top; y < top + count; ++y) {
        if (!inside(0, y)) {
            fault("a fill of row " + std::to_string(y));
            return;
        }
        text_[static_cast<std::size_t>(y)].assign(text_[0].size(), ' ');
        attributes_[static_cast<std::size_t>(y)].assign(text_[0].size(), attribute);
    }
}

void ScreenModel::set_cursor(int x, int y)
{
    if (!inside(x, y)) {
        fault("the cursor set outside the buffer at " + std::to_string(x) + "," + std::to_string(y));
        return;
    }
    info.cursor_x = x;
    info.cursor_y = y;
}

void ScreenModel::set_window(int top, int bottom)
{
    if (!inside(0, top) || !inside(0, bottom) || bottom < top) {
        fault("a window of rows " + std::to_string(top) + " to " + std::to_string(bottom));
        return;
    }
    info.window_top = top;
    info.window_bottom = bottom;
    ++window_moves;
}

void ScreenModel::beep(int frequency_hz, int duration_ms)
{
    beeps.emplace_back(frequency_hz, duration_ms);
    shown_at_beeps.push_back(row(info.cursor_y));
}

void ScreenModel::write_raw(std::string_view bytes)
{
    raw += bytes;
}

std::vector<std::string> ScreenModel::window() const
{
    return {text_.begin() + info.window_top, text_.begin() + info.window_bottom + 1};
}

uint16_t ScreenModel::attribute_at(int x, int y) const
{
    return attributes_[static_cast<std::size_t>(y)][static_cast<std::size_t>(x)];
}

}  // namespace radval::testing
