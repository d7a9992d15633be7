#include "console/posix/escape_sequence.h"

namespace radval {

namespace {

constexpr unsigned char escape = 0x1b;

bool is_parameter_or_intermediate(unsigned char byte)
{
    return byte >= 0x20 && byte <= 0x3f;
}

}  // namespace

void EscapeSequence::feed(unsigned char byte)
{
    // ESC inside a sequence starts a new one: terminals send Alt with a
    // cursor key as ESC followed by the key's own sequence.
    if (byte == escape) {
        state_ = State::escape;
        return;
    }
    switch (state_) {
    case State::ground:
        break;
    case State::escape:
        state_ = byte == '[' ? State::csi_first : byte == 'O' ? State::ss3 : State::ground;
        break;
    case State::csi_first:
        if (byte == '[') {
            state_ = State::linux_function;
            break;
        }
        [[fallthrough]];
    case State::csi:
        // A final byte ends the sequence; anything outside the grammar ends
        // it too, so that a garbled sequence never holds the wait open.
        state_ = is_parameter_or_intermediate(byte) ? State::csi : State::ground;
        break;
    case State::ss3:
        // Some terminals put a modifier digit between ESC O and the final.
        state_ = byte >= '0' && byte <= '9' ? State::ss3 : State::ground;
        break;
    case State::linux_function:
        state_ = State::ground;
        break;
    }
}

}  // namespace radval
