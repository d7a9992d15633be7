// The console API beneath the rendering rules, against a real console: the
// rules draw on a screen buffer of the console this test runs on (under
// Wine, one made of the terminal on standard input) what they draw on the
// in-memory model, cell for cell. Windows only.
#include "console/windows/screen.h"

#include <gtest/gtest.h>

#include <string>

#include "console/windows/console_writer.h"
#include "screen_model.h"

namespace radval {
namespace {

using platform::Win32Screen;

class Win32ScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        buffer_ = CreateConsoleScreenBuffer(GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
            CONSOLE_TEXTMODE_BUFFER, nullptr);
        ASSERT_NE(buffer_, INVALID_HANDLE_VALUE) << "no console: run this on one";
        // Wider than the 256 cells one call places, taller and wider than
        // its window, and text in an attribute of its own.
        ASSERT_TRUE(SetConsoleScreenBufferSize(buffer_, COORD{300, 150}));
        const SMALL_RECT window{0, 0, 99, 9};
        ASSERT_TRUE(SetConsoleWindowInfo(buffer_, TRUE, &window));
        ASSERT_TRUE(SetConsoleScreenBufferSize(buffer_, COORD{300, 30}));
        ASSERT_TRUE(SetConsoleTextAttribute(buffer_, 0x1e));
        ASSERT_TRUE(GetConsoleScreenBufferInfo(buffer_, &info_));
    }

    void TearDown() override
    {
        if (buffer_ != INVALID_HANDLE_VALUE)
            CloseHandle(buffer_);
    }

    int width() const { return info_.dwSize.X; }
    int height() const { return info_.dwSize.Y; }

    // Row `y` of the console, as the model shows it: '.' where nothing was
    // written, since the model starts with '.' where a console has ' '.
    std::string row(int y, const testing::ScreenModel& model) const
    {
        std::string text(static_cast<std::size_t>(width()), ' ');
        DWORD read = 0;
        ReadConsoleOutputCharacterA(
            buffer_, text.data(), static_cast<DWORD>(width()), COORD{0, static_cast<SHORT>(y)}, &read);
        for (std::size_t x = 0; x < text.size(); ++x) {
            if (text[x] == ' ' && model.row(y)[x] == '.')
                text[x] = '.';
        }
        return text;
    }

    WORD attribute_at(int x, int y) const
    {
        WORD attribute = 0;
        DWORD read = 0;
        ReadConsoleOutputAttribute(buffer_, &attribute, 1, COORD{static_cast<SHORT>(x), static_cast<SHORT>(y)}, &read);
        return attribute;
    }

    HANDLE buffer_ = INVALID_HANDLE_VALUE;
    CONSOLE_SCREEN_BUFFER_INFO info_{};
};

TEST_F(Win32ScreenTest, ReadsWhatTheConsoleSaysOfItself)
{
    Win32Screen screen(buffer_);
    ScreenInfo read;
    ASSERT_TRUE(screen.read_info(read));
    EXPECT_EQ(read.width, info_.dwSize.X);
    EXPECT_EQ(read.height, info_.dwSize.Y);
    EXPECT_EQ(read.cursor_x, info_.dwCursorPosition.X);
    EXPECT_EQ(read.cursor_y, info_.dwCursorPosition.Y);
    EXPECT_EQ(read.window_top, info_.srWindow.Top);
    EXPECT_EQ(read.window_bottom, info_.srWindow.Bottom);
    EXPECT_EQ(read.attribute, info_.wAttributes);
}

TEST_F(Win32ScreenTest, AHandleThatIsNoConsoleIsSaidSoAndLeavesWhatWasRead)
{
    HANDLE file = CreateFileA("NUL", GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    Win32Screen screen(file);
    ScreenInfo read{1, 2, 3, 4, 5, 6, 7};
    EXPECT_FALSE(screen.read_info(read));
    EXPECT_EQ(read.width, 1);
    EXPECT_EQ(read.attribute, 7);
    CloseHandle(file);
}

// A console narrowed since it was read refuses a window as wide as it was:
// the window keeps its columns and still moves to the rows asked for.
TEST_F(Win32ScreenTest, AWindowTheConsoleRefusesKeepsItsColumnsAndTakesTheRows)
{
    Win32Screen screen(buffer_);
    ScreenInfo read;
    ASSERT_TRUE(screen.read_info(read));
    ASSERT_TRUE(SetConsoleScreenBufferSize(buffer_, COORD{200, 30}));
    screen.set_window(5, 14);
    CONSOLE_SCREEN_BUFFER_INFO after{};
    ASSERT_TRUE(GetConsoleScreenBufferInfo(buffer_, &after));
    EXPECT_EQ(after.srWindow.Top, 5);
    EXPECT_EQ(after.srWindow.Bottom, 14);
    EXPECT_EQ(after.srWindow.Left, 0);
    EXPECT_EQ(after.srWindow.Right, 99);
}

// The rendering rules over the console, and over a model of its size with
// the same window, cursor and attribute: text, a TAB, a row of more than
// 256 cells that wraps at the right edge, line feeds that move the window
// down the buffer and then scroll it, and a last row filled to the corner.
TEST_F(Win32ScreenTest, TheRulesDrawOnTheConsoleWhatTheyDrawOnTheModel)
{
    testing::ScreenModel model(width(), height(), info_.srWindow.Top, info_.srWindow.Bottom - info_.srWindow.Top + 1);
    model.info.cursor_x = info_.dwCursorPosition.X;
    model.info.cursor_y = info_.dwCursorPosition.Y;
    model.info.attribute = info_.wAttributes;
    Win32Screen screen(buffer_);
    ConsoleWriter on_console(screen);
    ConsoleWriter on_model(model);
    std::string wrapped = "\r\n";
    wrapped.append(static_cast<std::size_t>(width()) + 5, 'w');
    std::string to_the_corner = "\r";
    to_the_corner.append(static_cast<std::size_t>(width()), 'z');
    const std::string writes[]
        = {"first\trow", wrapped, std::string(static_cast<std::size_t>(height()), '\n'), to_the_corner, "after"};
    for (const std::string& bytes : writes) {
        on_console.write(bytes);
        on_model.write(bytes);
    }
    CONSOLE_SCREEN_BUFFER_INFO after{};
    ASSERT_TRUE(GetConsoleScreenBufferInfo(buffer_, &after));
    EXPECT_EQ(after.dwCursorPosition.X, model.info.cursor_x);
    EXPECT_EQ(after.dwCursorPosition.Y, model.info.cursor_y);
    EXPECT_EQ(after.srWindow.Top, model.info.window_top);
    EXPECT_EQ(after.srWindow.Bottom, model.info.window_bottom);
    EXPECT_EQ(after.srWindow.Left, 0);  // once it moved, all the buffer's columns wide
    EXPECT_EQ(after.srWindow.Right, width() - 1);
    for (int y = 0; y < height(); ++y)
        EXPECT_EQ(row(y, model), model.row(y)) << "row " << y;
    // Text, and the rows that scrolling frees, in the text's attribute: the
    // row two above the cursor's was freed and left empty.
    for (const int y : {model.info.cursor_y, model.info.cursor_y - 2}) {
        EXPECT_EQ(attribute_at(0, y), 0x1e) << "row " << y;
        EXPECT_EQ(attribute_at(width() - 1, y), 0x1e) << "row " << y;
    }
}

}  // namespace
}  // namespace radval
