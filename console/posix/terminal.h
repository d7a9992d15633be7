// The keyboard's terminal on POSIX: its settings as radval found them, saved
// once, the key mode the wait reads it in, and the one put-back that every
// way of ending calls. Used by keyboard.cpp and signals.cpp.
#pragma once

namespace radval::platform {

// What standard input turned out to be when the wait began.
enum class Keyboard {
    none,      // no terminal: no key can arrive
    terminal,  // a terminal, its settings saved
    hung_up,   // a terminal that had hung up already: it is closed
};

// Saves the settings of the terminal on `fd`. Called once.
Keyboard save_terminal(int fd);

// Switches the saved terminal to key-at-a-time input, unless radval is in
// the background; if the terminal refuses, the wait reads it as it is.
void enter_key_mode();

// Puts the saved settings back if they are changed. Async-signal-safe.
void put_terminal_back();

}  // namespace radval::platform
