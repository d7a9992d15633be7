// The signals of the POSIX key wait. Every signal whose default action ends
// the process puts the terminal back first; the job-control signals only
// leave a note, which the wait acts on between its looks at the keyboard.
// Used by keyboard.cpp.
#pragma once

#include <csignal>

namespace radval::platform {

// Installs the catchers, leaving alone any signal ignored at start. From
// here on SIGTSTP and SIGCONT are blocked but while the wait sleeps with
// sleep_mask(), so that neither lands unseen between a look and a sleep.
void catch_signals();

// The signal mask to sleep with: the one radval started with.
const sigset_t* sleep_mask();

// Whether the terminal stops radval for changing its settings from the
// background: SIGTTOU was neither ignored nor blocked at start.
bool background_change_stops();

// True while a job-control signal is noted and not yet acted on.
bool job_control_noted();

// Acts on the job-control signals noted since the last look: stops the
// process as the latest stop signal asks, with the terminal put back.
// Returns whether any was noted, since the terminal may then be set
// otherwise than the wait left it.
bool act_on_job_control();

}  // namespace radval::platform
