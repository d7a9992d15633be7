#include "console/posix/escape_sequence.h"

namespace radval {

namespace {

constexpr unsigned char escape = 0x1b;

bool is_parameter(unsigned char byte)
{
    return byte >= 0x30 && byte <= 0x3f;
}

bool is_intermediate(unsigned char byte)
{
    return byte >= 0x20 && byte <= 0x2f;
}

}  // namespace

void EscapeSequence::feed(unsigned char byte)
{
    if (state_ == State::ground) {
        if (byte != escape)
            return;
        length_ = 0;
    }
    if (++length_ == longest) {
        state_ = State::ground;
        return;
    }
    // ESC inside a sequence starts a new one: terminals send Alt with a
    // cursor key as ESC followed by the key's own sequence.
    if (byte == escape) {
        state_ = State::escape;
        return;
    }
    // A final byte ends the sequence; so does anything outside the grammar,
    // so that a garbled sequence never holds the wait open.
    switch (state_) {
    case State::ground:
        break;
    case State::escape:
        state_ = byte == '['        ? State::csi_first
            : byte == 'O'           ? State::ss3
            : is_intermediate(byte) ? State::escape_intermediates
                                    : State::ground;
        break;
    case State::escape_intermediates:
        state_ = is_intermediate(byte) ? State::escape_intermediates : State::ground;
        break;
    case State::csi_first:
        if (byte == '[') {
            state_ = State::linux_function;
            break;
        }
        [[fallthrough]];
    case State::csi_parameters:
        state_ = is_parameter(byte) ? State::csi_parameters
            : is_intermediate(byte) ? State::csi_intermediates
                                    : State::ground;
        break;
    case State::csi_intermediates:
        state_ = is_intermediate(byte) ? State::csi_intermediates : State::ground;
        break;
    case State::ss3:
        // xterm and VTE put a modifier between ESC O and the final byte.
        state_ = is_parameter(byte) ? State::ss3 : State::ground;
        break;
    case State::linux_function:
        state_ = State::ground;
        break;
    }
}

}  // namespace radval
