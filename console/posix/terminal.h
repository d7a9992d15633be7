// The keyboard's terminal on POSIX: its settings as radval found them when
// it last took key mode, the key mode the wait reads it in, and the one
// put-back that every way of ending calls. Used by keyboard.cpp and
// signals.cpp.
#pragma once

namespace radval::platform {

// What standard input turned out to be when the wait began.
enum class Keyboard {
    none,      // no terminal: no key can arrive
    terminal,  // a terminal, its descriptor kept for key mode
    hung_up,   // a terminal that had hung up already: it is closed
};

// Finds out what the keyboard on `fd` is. Called once.
Keyboard find_keyboard(int fd);

// Switches the terminal to key-at-a-time input, from the settings it has
// now, which become the ones to put back: whoever had the terminal last may
// have changed them since the wait began. From the background the terminal
// refuses: it stops radval with SIGTTOU, noted for the wait to act on, or
// fails for an orphaned job, which cannot be stopped. Where SIGTTOU is
// ignored or blocked (`background_change_stops` false) it would let the
// change through, so radval leaves the terminal to the shell while in the
// background and returns false: key mode is then for a later call. If the
// terminal refuses otherwise, the wait reads it as it is.
bool enter_key_mode(bool background_change_stops);

// Puts the saved settings back if they are changed. Async-signal-safe.
void put_terminal_back();

}  // namespace radval::platform
