#include "console/posix/escape_sequence.h"

#include <gtest/gtest.h>

#include <string>

namespace radval {
namespace {

bool incomplete_after(const std::string& bytes)
{
    EscapeSequence sequence;
    for (const char byte : bytes)
        sequence.feed(static_cast<unsigned char>(byte));
    return sequence.incomplete();
}

TEST(EscapeSequence, TellsWhenAKeysBytesHaveNotAllArrived)
{
    const struct {
        std::string bytes;
        bool incomplete;
    } cases[] = {
        {"", false},
        {"x", false},
        {"\r", false},
        {"\x1b", true},
        {"\x1b[", true},
        {"\x1b[A", false},  // cursor up
        {"\x1b[1;5", true},
        {"\x1b[1;5C", false},  // Ctrl+Right
        {"\x1b[15~", false},   // F5
        {"\x1b[15", true},
        {"\x1bO", true},
        {"\x1bOP", false},  // F1
        {"\x1bO2", true},
        {"\x1bO2P", false},  // Shift+F1 on some terminals
        {"\x1b[[", true},
        {"\x1b[[A", false},  // F1 on the Linux console
        {"\x1bx", false},    // Alt+x
        {"\x1b\x1b", true},
        {"\x1b\x1b[A", false},  // Alt+Up
        {"\x1b[A\x1b[B", false},
        {"\x1b[A\x1b", true},
        {"\x1b[1\x03", false},  // garbled: a control byte ends it
        {"\x1bO1;5", true},
        {"\x1bO1;5R", false},  // Ctrl+F3 in VTE
        {"\x1b[1;2:3~", false},
        {"\x1b(", true},
        {"\x1b(B", false},  // ESC, an intermediate, a final
        {"\x1b #", true},
        {"\x1b #8", false},
        {"\x1b[1 ", true},
        {"\x1b[1 q", false},  // CSI with an intermediate
        {"\x1b[1 1", false},  // garbled: a parameter after an intermediate
        {"\x1b(1", false},
        // the edges of the grammar: parameters run from '0' to '?',
        // intermediates from space to '/', and the Linux console's keys end
        // at the byte after ESC [ [
        {"\x1b[ ", true},
        {"\x1b[/", true},
        {"\x1b[?", true},
        {"\x1b[\x1f", false},
        {"\x1b[@", false},
        {"\x1b[~", false},
        {"\x1b[\x7f", false},
        {"\x1b/", true},
        {"\x1b\x30", false},  // ESC 0
        {"\x1bO0", true},
        {"\x1bO?", true},
        {"\x1bO/", false},
        {"\x1bO@", false},
        {"\x1b[[1", false},
        {"x\x1b[2", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(incomplete_after(c.bytes), c.incomplete) << "bytes: " << testing::PrintToString(c.bytes);
}

TEST(EscapeSequence, EndsAtItsLengthBoundHoweverTheBytesKeepComing)
{
    // Counted from its first ESC through those that begin others.
    const struct {
        std::string bytes;
        bool incomplete;
    } cases[] = {
        {"\x1b[" + std::string(29, '1'), true},           // 31 bytes
        {"\x1b[" + std::string(30, '1'), false},          // 32
        {std::string(31, '\x1b'), true},                  // each ESC begins anew
        {std::string(32, '\x1b'), false},                 // but counts on
        {"\x1b\x1b[" + std::string(28, ';'), true},       // 31, Alt and a key
        {"\x1b\x1b[" + std::string(29, ';'), false},      // 32
        {"\x1b[" + std::string(30, '1') + "\x1b", true},  // a new one begins
        // keys typed ahead, F5 to F10 and 3 bytes of another: each
        // sequence counts from its own ESC
        {"\x1b[15~\x1b[17~\x1b[18~\x1b[19~\x1b[20~\x1b[21~\x1b[1", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(incomplete_after(c.bytes), c.incomplete) << "bytes: " << testing::PrintToString(c.bytes);
}

}  // namespace
}  // namespace radval
