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
