#include "console/windows/console_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "screen_model.h"

namespace radval {
namespace {

using testing::ScreenModel;
using Rows = std::vector<std::string>;

std::string padded(std::string text, std::size_t width, char fill = '.')
{
    text.resize(width, fill);
    return text;
}

// A 10 x 6 buffer whose window shows 3 rows, written into with one write.
struct OneWrite {
    const char* name;
    int window_top;
    int cursor_y;
    std::string bytes;
    Rows rows;  // the whole buffer afterwards
    int cursor_x;
    int cursor_y_after;
    int window_top_after;
};

const OneWrite one_writes[] = {
    {"text at the cursor", 0, 0, "abc",
        {"abc.......", "..........", "..........", "..........", "..........", ".........."}, 3, 0, 0},
    {"CR returns to the left edge", 0, 0, "abc\rX",
        {"Xbc.......", "..........", "..........", "..........", "..........", ".........."}, 1, 0, 0},
    {"LF goes to the left edge of the next row", 0, 0, "ab\ncd",
        {"ab........", "cd........", "..........", "..........", "..........", ".........."}, 2, 1, 0},
    {"TAB at column 0 writes 8 spaces", 0, 0, "\tx",
        {"        x.", "..........", "..........", "..........", "..........", ".........."}, 9, 0, 0},
    {"TAB at column 7 writes 1 space", 0, 0, "1234567\tx",
        {"1234567 x.", "..........", "..........", "..........", "..........", ".........."}, 9, 0, 0},
    {"TAB spaces wrap like text", 0, 0, "12345678\tx",
        {"12345678  ", "      x...", "..........", "..........", "..........", ".........."}, 7, 1, 0},
    {"BS at the left edge stays", 0, 0, "\bx",
        {"x.........", "..........", "..........", "..........", "..........", ".........."}, 1, 0, 0},
    {"BS moves left and erases nothing", 0, 0, "abc\b\bX",
        {"aXc.......", "..........", "..........", "..........", "..........", ".........."}, 2, 0, 0},
    {"BS never moves to the row above", 0, 0, "ab\n\b\bX",
        {"ab........", "X.........", "..........", "..........", "..........", ".........."}, 1, 1, 0},
    {"BEL places nothing", 0, 0, "a\ab",
        {"ab........", "..........", "..........", "..........", "..........", ".........."}, 2, 0, 0},
    {"other control bytes are shown", 0, 0, std::string("\x01\x1b\x7f\xff\x0c\x00", 6),
        {std::string("\x01\x1b\x7f\xff\x0c\x00....", 10), "..........", "..........", "..........", "..........",
            ".........."},
        6, 0, 0},
    {"text wraps at the right edge", 0, 0, "0123456789AB",
        {"0123456789", "AB........", "..........", "..........", "..........", ".........."}, 2, 1, 0},
    {"a full row above the bottom wraps at once", 0, 0, "0123456789",
        {"0123456789", "..........", "..........", "..........", "..........", ".........."}, 0, 1, 0},
    {"a full row then CR LF leaves an empty row", 0, 0, "0123456789\r\nx",
        {"0123456789", "..........", "x.........", "..........", "..........", ".........."}, 1, 2, 0},
    {"the view moves down through the buffer", 0, 0, "a\nb\nc\nd",
        {"a.........", "b.........", "c.........", "d.........", "..........", ".........."}, 1, 3, 1},
    {"the buffer scrolls when the view is at its bottom", 3, 3, "a\nb\nc\nd",
        {"..........", "..........", "a.........", "b.........", "c.........", "d         "}, 1, 5, 3},
    {"the view moves as far as it can, then the buffer scrolls", 2, 2, "a\nb\nc\nd\ne",
        {"..........", "a.........", "b.........", "c.........", "d.........", "e         "}, 1, 5, 3},
    {"a line feed below the bottom scrolls at once", 3, 5, "abc\n",
        {"..........", "..........", "..........", "..........", "abc.......", "          "}, 0, 5, 3},
    {"text that fills the bottom row parks the cursor", 3, 5, "0123456789",
        {"..........", "..........", "..........", "..........", "..........", "0123456789"}, 9, 5, 3},
    {"more line feeds than the buffer has rows", 3, 5, "x\n\n\n\n\n\n\ny",
        {"          ", "          ", "          ", "          ", "          ", "y         "}, 1, 5, 3},
};

TEST(ConsoleWriter, PlacesEachByteByTheRules)
{
    for (const OneWrite& c : one_writes) {
        SCOPED_TRACE(c.name);
        ScreenModel screen(10, 6, c.window_top, 3);
        screen.info.cursor_y = c.cursor_y;
        ConsoleWriter writer(screen);
        writer.write(c.bytes);
        for (int y = 0; y < 6; ++y)
            EXPECT_EQ(screen.row(y), c.rows[static_cast<std::size_t>(y)]) << "row " << y;
        EXPECT_EQ(screen.info.cursor_x, c.cursor_x);
        EXPECT_EQ(screen.info.cursor_y, c.cursor_y_after);
        EXPECT_EQ(screen.info.window_top, c.window_top_after);
        EXPECT_EQ(screen.info.window_bottom, c.window_top_after + 2);
        EXPECT_EQ(screen.window_moves, c.window_top_after != c.window_top ? 1 : 0);
        EXPECT_EQ(screen.raw, "");
    }
}

TEST(ConsoleWriter, ARowLongerThanARunIsPlacedInPiecesWhereTheyBelong)
{
    ScreenModel screen(600, 3, 0, 3);
    ConsoleWriter writer(screen);
    std::string text;
    for (int i = 0; i < 599; ++i)
        text += static_cast<char>('a' + i % 26);
    writer.write(text);
    EXPECT_EQ(screen.row(0), text + ".");
    EXPECT_EQ(screen.info.cursor_x, 599);
}

TEST(ConsoleWriter, TextAndFreedRowsTakeTheCurrentAttribute)
{
    ScreenModel screen(10, 3, 0, 3);
    screen.info.cursor_y = 2;
    ConsoleWriter writer(screen);
    writer.write("ab\n");
    EXPECT_EQ(screen.row(1), "ab........");
    EXPECT_EQ(screen.attribute_at(0, 1), 0x1f);
    EXPECT_EQ(screen.attribute_at(2, 1), 0);
    EXPECT_EQ(screen.row(2), "          ");
    for (int x = 0; x < 10; ++x)
        EXPECT_EQ(screen.attribute_at(x, 2), 0x1f);
}

TEST(ConsoleWriter, BelSoundsAThousandHertzForAQuarterSecondAfterWhatCameBefore)
{
    ScreenModel screen(10, 6, 0, 3);
    ConsoleWriter writer(screen);
    writer.write("\aab\a");
    EXPECT_EQ(screen.beeps, (std::vector<std::pair<int, int>>{{1000, 250}, {1000, 250}}));
    EXPECT_EQ(screen.shown_at_beeps, (Rows{"..........", "ab........"}));
}

TEST(ConsoleWriter, TheWindowFollowsTheViewOnlyWhenItMoves)
{
    ScreenModel screen(10, 8, 0, 3);
    ConsoleWriter writer(screen);
    writer.write("a\r\nb\r\n");
    EXPECT_EQ(screen.window_moves, 0);
    writer.write("c\r\n");
    EXPECT_EQ(screen.window_moves, 1);
    EXPECT_EQ(screen.window(), (Rows{"b.........", "c.........", ".........."}));
    writer.write("d\r\ne\r\n");
    EXPECT_EQ(screen.window(), (Rows{"d.........", "e.........", ".........."}));
    EXPECT_EQ(screen.info.cursor_y, 5);
}

TEST(ConsoleWriter, APendingLineFeedIsPerformedByTheNextWrite)
{
    ScreenModel screen(10, 6, 3, 3);
    screen.info.cursor_y = 5;
    ConsoleWriter writer(screen);
    writer.write("0123456789");
    EXPECT_EQ(screen.row(4), "..........");
    EXPECT_EQ(screen.info.cursor_x, 9);
    writer.write("x");
    EXPECT_EQ(screen.row(4), "0123456789");
    EXPECT_EQ(screen.row(5), "x         ");
    EXPECT_EQ(screen.info.cursor_x, 1);
    EXPECT_EQ(screen.info.cursor_y, 5);
    writer.write("y");  // performed once only
    EXPECT_EQ(screen.row(5), "xy        ");
}

TEST(ConsoleWriter, AWriteMayStartInTheLastColumn)
{
    ScreenModel screen(10, 6, 0, 3);
    screen.info.cursor_x = 9;
    ConsoleWriter writer(screen);
    writer.write("ab");
    EXPECT_EQ(screen.row(0), ".........a");
    EXPECT_EQ(screen.row(1), "b.........");
}

TEST(ConsoleWriter, ABufferOfTwoRowsScrollsByOne)
{
    ScreenModel screen(4, 2, 0, 2);
    ConsoleWriter writer(screen);
    writer.write("a\nb\nc");
    EXPECT_EQ(screen.row(0), "b...");
    EXPECT_EQ(screen.row(1), "c   ");
}

TEST(ConsoleWriter, WhenTheWindowHeightChangedOnlyTheViewScrolls)
{
    ScreenModel screen(10, 6, 0, 3);
    ConsoleWriter writer(screen);
    writer.write("a\nb\nc");
    screen.info.window_bottom = 4;  // the window grew to 5 rows
    writer.write("\nd");
    EXPECT_EQ(screen.window_moves, 0);
    EXPECT_EQ(screen.info.window_top, 0);
    EXPECT_EQ(screen.info.window_bottom, 4);
    EXPECT_EQ(screen.row(0), "b.........");
    EXPECT_EQ(screen.row(1), "c.........");
    EXPECT_EQ(screen.row(2), "d         ");
    EXPECT_EQ(screen.row(3), "..........");
    EXPECT_EQ(screen.info.cursor_y, 2);
}

// The pieces print_usage writes: each text line, then CR LF on its own.
const char* const usage_lines[] = {
    "Usage: radval <invalue> <type>",
    "",
    "Type:",
    "\tb     - binary         (base 2)",
    "\tq     - quaternary     (base 4)",
    "\to     - octal          (base 8)",
    "\th     - hexadecimal    (base 16)",
    "",
    "Example:",
    "\tradval 1001010 b",
    "\tradval 59FF h",
};

void write_usage(ConsoleWriter& writer)
{
    for (const std::string line : usage_lines) {
        if (!line.empty())
            writer.write(line);
        writer.write("\r\n");
    }
}

TEST(ConsoleWriter, TheUsageTextOnAnEightyByTwentyFiveConsole)
{
    ScreenModel screen(80, 25, 0, 25);
    ConsoleWriter writer(screen);
    write_usage(writer);
    const Rows expected = {
        "Usage: radval <invalue> <type>",
        "",
        "Type:",
        "        b     - binary         (base 2)",
        "        q     - quaternary     (base 4)",
        "        o     - octal          (base 8)",
        "        h     - hexadecimal    (base 16)",
        "",
        "Example:",
        "        radval 1001010 b",
        "        radval 59FF h",
        "",
    };
    for (std::size_t y = 0; y < expected.size(); ++y)
        EXPECT_EQ(screen.row(static_cast<int>(y)), padded(expected[y], 80)) << "row " << y;
    EXPECT_EQ(screen.info.cursor_x, 0);
    EXPECT_EQ(screen.info.cursor_y, 11);
}

TEST(ConsoleWriter, TheUsageTextOnANarrowConsole)
{
    ScreenModel screen(20, 40, 0, 10);
    ConsoleWriter writer(screen);
    write_usage(writer);
    const Rows expected = {
        "Usage: radval <inval",
        "ue> <type>",
        "",
        "Type:",
        "        b     - bina",
        "ry         (base 2)",
        "        q     - quat",
        "ernary     (base 4)",
        "        o     - octa",
        "l          (base 8)",
        "        h     - hexa",
        "decimal    (base 16)",
        "",
        "",
        "Example:",
        "        radval 10010",
        "10 b",
        "        radval 59FF ",
        "h",
        "",
    };
    for (std::size_t y = 0; y < expected.size(); ++y)
        EXPECT_EQ(screen.row(static_cast<int>(y)), padded(expected[y], 20)) << "row " << y;
    EXPECT_EQ(screen.info.cursor_y, 19);
    EXPECT_EQ(screen.info.window_top, 10);
    EXPECT_EQ(screen.info.window_bottom, 19);
}

TEST(ConsoleWriter, AFaultReportWhoseFirstPieceEndsAtTheBottomRightCorner)
{
    ScreenModel screen(25, 6, 3, 3);
    screen.info.cursor_y = 5;
    ConsoleWriter writer(screen);
    writer.write("ERROR: 12345 is not base ");
    EXPECT_EQ(screen.row(5), "ERROR: 12345 is not base ");
    EXPECT_EQ(screen.info.cursor_x, 24);
    EXPECT_EQ(screen.info.cursor_y, 5);
    writer.write("2\r\n");
    EXPECT_EQ(screen.row(3), "ERROR: 12345 is not base ");
    EXPECT_EQ(screen.row(4), padded("2", 25, ' '));
    EXPECT_EQ(screen.row(5), padded("", 25, ' '));
    EXPECT_EQ(screen.info.cursor_x, 0);
    EXPECT_EQ(screen.info.cursor_y, 5);
}

TEST(ConsoleWriter, GoesRawWhenStandardOutputIsNoUsableConsole)
{
    const struct {
        const char* name;
        int width;
        int height;  // what the console says of its buffer
        int window_rows;
        bool readable;
        bool raw;
    } cases[] = {
        {"unreadable", 10, 6, 3, false, true},
        {"one column wide", 1, 6, 3, true, true},
        {"one row tall", 10, 6, 1, true, true},
        {"a buffer of no rows", 10, 0, 3, true, true},
        {"two columns wide", 2, 6, 3, true, false},
        {"two rows tall", 10, 6, 2, true, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        ScreenModel screen(c.width, 6, 0, c.window_rows);
        screen.info.height = c.height;
        screen.readable = c.readable;
        ConsoleWriter writer(screen);
        writer.write("a\r\n");
        if (!c.raw) {
            EXPECT_EQ(screen.raw, "");
            EXPECT_EQ(screen.row(0), padded("a", static_cast<std::size_t>(c.width)));
            continue;
        }
        screen.readable = true;
        screen.info = {10, 6, 0, 0, 0, 2, 7};
        writer.write("b\t\r\n");  // raw for the rest of the run
        EXPECT_EQ(screen.raw, "a\r\nb\t\r\n");
        EXPECT_EQ(screen.row(0), padded("", static_cast<std::size_t>(c.width)));
    }
}

TEST(ConsoleWriter, ConsoleOutputTurnsRawForGoodOnceTheConsoleCannotBeRead)
{
    ScreenModel screen(100, 30, 4, 10);
    ConsoleWriter writer(screen);
    writer.write("ab");
    screen.readable = false;
    // This write cannot read the console: 80 x 25, from the view's top-left
    // corner (row 4), attribute 7. Its line feeds move the view down to
    // the 25th row, then scroll rows 0 to 24 by two. The read after it
    // fails too, so the rest is raw.
    writer.write("c\n" + std::string(85, 'x') + std::string(20, '\n') + "y");
    EXPECT_EQ(screen.row(2), padded("cb", 100));
    EXPECT_EQ(screen.row(3), padded(std::string(80, 'x'), 100));
    EXPECT_EQ(screen.row(4), padded("xxxxx", 100));
    EXPECT_EQ(screen.row(23), padded("", 100, ' '));
    EXPECT_EQ(screen.row(24), padded("y", 100, ' '));
    EXPECT_EQ(screen.row(25), padded("", 100));
    EXPECT_EQ(screen.attribute_at(0, 3), 7);
    EXPECT_EQ(screen.attribute_at(99, 24), 7);
    EXPECT_EQ(screen.info.cursor_x, 1);
    EXPECT_EQ(screen.info.cursor_y, 24);
    EXPECT_EQ(screen.info.window_top, 15);
    screen.readable = true;
    writer.write("z\r\n");
    EXPECT_EQ(screen.raw, "z\r\n");
}

TEST(ConsoleWriter, TheViewKeepsTheWindowHeightOfTheFirstWrite)
{
    ScreenModel screen(10, 8, 0, 3);
    ConsoleWriter writer(screen);
    writer.write("a");
    screen.info.window_bottom = 1;  // the window shrank to 2 rows
    screen.info.cursor_y = 1;
    writer.write("\nb\nc");
    // the view is still rows 0 to 2, and only its own rows scrolled
    EXPECT_EQ(screen.row(0), "..........");
    EXPECT_EQ(screen.row(1), "b.........");
    EXPECT_EQ(screen.row(2), "c         ");
    EXPECT_EQ(screen.row(3), "..........");
    EXPECT_EQ(screen.window_moves, 0);
}

}  // namespace
}  // namespace radval
