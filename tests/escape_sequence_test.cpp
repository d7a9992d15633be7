#include "console/posix/escape_sequence.h"

#include <gtest/gtest.h>

#include <string>

namespace radval {
namespace {

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
        // the edges of the grammar: parameters and intermediates run from
        // space to '?', the modifier after ESC O from '0' to '9', and the
        // Linux console's keys end at the byte after ESC [ [
        {"\x1b[ ", true},
        {"\x1b[?", true},
        {"\x1b[\x1f", false},
        {"\x1b[@", false},
        {"\x1bO0", true},
        {"\x1bO9", true},
        {"\x1bO/", false},
        {"\x1bO:", false},
        {"\x1b[[1", false},
        {"x\x1b[2", true},
    };
    for (const auto& c : cases) {
        EscapeSequence sequence;
        for (const char byte : c.bytes)
            sequence.feed(static_cast<unsigned char>(byte));
        EXPECT_EQ(sequence.incomplete(), c.incomplete) << "bytes: " << testing::PrintToString(c.bytes);
    }
}

}  // namespace
}  // namespace radval
