// The console services: everything the program writes goes through these,
// and every run the user or the system does not interrupt ends in
// end_program. Lines end in CR LF, written by the program itself.
#pragma once

#include <cstdint>
#include <string_view>

namespace radval {

// Writes the bytes as they are; nothing for an empty string.
void print_text(std::string_view bytes);

// The bytes, then CR LF, as two writes.
void print_line(std::string_view bytes);

// CR LF alone.
void print_blank_line();

// The decimal digits of `value` and CR LF, in one write.
void print_unsigned_line(uint64_t value);

// Returns once a key press has reached the console keyboard, or the console
// is closed. Keys typed ahead count at once.
void wait_for_key();

// Runs the exit-time clean-up and ends the process with `status`.
[[noreturn]] void end_program(int status);

}  // namespace radval
