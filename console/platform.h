// What each platform supplies beneath the console services. Exactly one
// realisation is linked: console/posix/ or console/windows/.
#pragma once

#include <string_view>

namespace radval::platform {

// One write of the bytes to standard output. Output that cannot be written
// is dropped; nobody is told.
void write_output(std::string_view bytes);

// Takes what has arrived at the console keyboard since the last check and
// tells whether a key press that counts was among it (or the console was
// closed). The first check prepares the keyboard and the event handling.
bool check_for_keys();

// Sleeps for one period of the key wait's poll; a platform may wake early
// when input arrives.
void pause_between_checks();

// The exit-time clean-up: undoes what the key wait set up, where anything
// must be undone.
void clean_up_at_exit();

}  // namespace radval::platform
