// Used by the POSIX key wait: follows the bytes a terminal sends for a key,
// so that the wait can tell when a function or cursor key's escape sequence
// has not fully arrived yet, and take the rest of it too instead of leaving
// it for the shell. The grammar is ECMA-48's, as terminals use it for keys:
//   CSI  ESC [ parameters intermediates final   (F5: ESC [ 1 5 ~)
//   SS3  ESC O parameters final                 (Ctrl+F3: ESC O 1 ; 5 R)
//   ESC  ESC intermediates final                (Alt+x: ESC x)
// with parameters 0x30 to 0x3F, intermediates 0x20 to 0x2F and a final byte
// 0x40 to 0x7E (0x30 to 0x7E after ESC itself), and the Linux console's
// ESC [ [ letter for F1 to F5.
#pragma once

#include <cstddef>

namespace radval {

class EscapeSequence {
public:
    // A sequence ends at this many bytes, counted from the ESC that began
    // it through any that begin another inside it, so that a garbled or
    // endless one never holds the wait open. Terminals' keys take 11 at most.
    static constexpr std::size_t longest = 32;

    void feed(unsigned char byte);

    // True while the bytes fed so far stop inside a sequence.
    bool incomplete() const { return state_ != State::ground; }

private:
    enum class State {
        ground,                // between keys
        escape,                // after ESC
        escape_intermediates,  // after ESC and intermediates
        csi_first,             // after ESC [
        csi_parameters,        // inside ESC [ parameters
        csi_intermediates,     // inside ESC [ intermediates
        ss3,                   // after ESC O, and any parameters
        linux_function,        // after ESC [ [, the Linux console's F1 to F5
    };

    State state_ = State::ground;
    std::size_t length_ = 0;  // of the sequence so far
};

}  // namespace radval
