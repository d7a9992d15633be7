// Used by the POSIX key wait: follows the bytes a terminal sends for a key,
// so that the wait can tell when a function or cursor key's escape sequence
// has not fully arrived yet, and take the rest of it too instead of leaving
// it for the shell.
#pragma once

namespace radval {

class EscapeSequence {
public:
    void feed(unsigned char byte);

    // True while the bytes fed so far stop inside a sequence.
    bool incomplete() const { return state_ != State::ground; }

private:
    enum class State {
        ground,          // between keys
        escape,          // after ESC
        csi_first,       // after ESC [
        csi,             // inside ESC [ parameters
        ss3,             // after ESC O
        linux_function,  // after ESC [ [, the Linux console's F1 to F5
    };

    State state_ = State::ground;
};

}  // namespace radval
