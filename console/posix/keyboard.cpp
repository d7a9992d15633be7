// The key wait on a POSIX terminal.
//
// The keyboard is the terminal on standard input, in key mode for the wait
// (terminal.h): any byte counts as a key, Ctrl+C and Ctrl+\ raise
// their signals, and a function or cursor key's escape sequence counts once,
// its rest read so that it does not reach the shell. The wait reads only
// once the terminal has said it has input: in key mode a read waits for a
// byte, as every program reading a terminal expects of another that shares
// it. Hang-up is this platform's close event: it ends the wait, whether it
// comes during the wait or came before it. The signals that may interrupt
// the wait are answered in signals.h.
#include <cerrno>
#include <cstddef>
#include <ctime>

#include <sys/select.h>
#include <unistd.h>

#include "console/platform.h"
#include "console/posix/escape_sequence.h"
#include "console/posix/signals.h"
#include "console/posix/terminal.h"

namespace radval::platform {

namespace {

// A slow remote login may hold back the rest of a key's escape sequence:
// bytes that follow within `sequence_gap_ms` of each other belong to it, up
// to the sequence's length bound (escape_sequence.h).
constexpr long sequence_gap_ms = 300;
// How long to sleep between looks when the system cannot tell us when input
// arrives (pselect itself failing), or when radval has the terminal again
// (key_mode_pending).
constexpr long fallback_period_ms = 50;

constexpr int keyboard_fd = STDIN_FILENO;

bool begun = false;
Keyboard keyboard = Keyboard::none;
// Key mode waits for radval to be in the foreground, where nothing stops it
// in the background (SIGTTOU ignored or blocked). A shell's fg need not
// continue a job that is running (bash does not), so the wait looks for the
// hand-over itself.
bool key_mode_pending = false;

// Takes key mode. From the background that stops radval (SIGTTOU), and the
// wait tries again once a shell has continued it, whether in the
// foreground or not.
void take_key_mode()
{
    do
        key_mode_pending = !enter_key_mode(background_change_stops());
    while (act_on_job_control());
}

timespec milliseconds(long ms)
{
    return {ms / 1000, (ms % 1000) * 1000000};
}

// What a look at the keyboard found.
enum class Input {
    none,     // nothing within the time allowed, or a signal to act on
    ready,    // bytes to read
    unknown,  // the system could not tell: a read will
};

// Sleeps for `ms`, with signals unblocked, where there is nothing to wait on.
void sleep_with_signals(long ms)
{
    const timespec period = milliseconds(ms);
    sigset_t blocked;
    if (sigprocmask(SIG_SETMASK, sleep_mask(), &blocked) == 0) {
        nanosleep(&period, nullptr);
        sigprocmask(SIG_SETMASK, &blocked, nullptr);
    }
}

// Waits up to `timeout_ms` (-1: no limit) for the keyboard, with signals
// unblocked. Should pselect fail, it leaves it to a read to tell, after one
// fallback period where it was to wait without limit.
Input wait_for_input(long timeout_ms)
{
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(keyboard_fd, &readable);
    timespec limit = milliseconds(timeout_ms);
    const int ready
        = pselect(keyboard_fd + 1, &readable, nullptr, nullptr, timeout_ms < 0 ? nullptr : &limit, sleep_mask());
    if (ready > 0)
        return Input::ready;
    if (ready == 0 || errno == EINTR)
        return Input::none;
    if (timeout_ms < 0)
        sleep_with_signals(fallback_period_ms);
    return Input::unknown;
}

// Reads the keyboard with signals unblocked, as the wait sleeps: in key mode
// the read waits for a byte where another reader of the terminal took what
// the terminal said it had, or where the terminal could not tell, and a stop
// or continue must still reach it. One noted already is acted on first.
ssize_t read_keyboard(unsigned char* bytes, std::size_t size)
{
    sigset_t blocked;
    if (sigprocmask(SIG_SETMASK, sleep_mask(), &blocked) != 0)
        return read(keyboard_fd, bytes, size);
    ssize_t count = -1;
    errno = EINTR;
    if (!job_control_noted())
        count = read(keyboard_fd, bytes, size);
    const int read_errno = errno;
    sigprocmask(SIG_SETMASK, &blocked, nullptr);
    errno = read_errno;
    return count;
}

struct Arrival {
    bool key = false;
    bool closed = false;
};

// Reads everything the keyboard holds now and, when that stops inside an
// escape sequence, what follows of it within the gap.
Arrival take_keyboard_input()
{
    Arrival arrival;
    EscapeSequence sequence;
    for (;;) {
        const Input input = wait_for_input(sequence.incomplete() ? sequence_gap_ms : 0);
        // Where the terminal cannot tell, a read waits for a byte: the key
        // the wait is for will bring one, but once a key has come nothing
        // more may.
        if (input == Input::none || (input == Input::unknown && arrival.key))
            return arrival;
        unsigned char bytes[64];
        const ssize_t count = read_keyboard(bytes, sizeof bytes);
        if (count > 0) {
            arrival.key = true;
            for (ssize_t i = 0; i < count; ++i)
                sequence.feed(bytes[i]);
            continue;
        }
        if (count < 0 && (errno == EINTR || errno == EAGAIN))
            return arrival;  // a signal to act on, or nothing after all
        // End of file after the terminal said it had input, or an error: it
        // is gone. Without that word from the terminal, 0 bytes say nothing.
        arrival.closed = input == Input::ready || count < 0;
        return arrival;
    }
}

}  // namespace

bool check_for_keys()
{
    const bool first = !begun;
    if (first) {
        begun = true;
        catch_signals();
        keyboard = find_keyboard(keyboard_fd);
    }
    // A stop gives the terminal to the shell, and whatever ran meanwhile may
    // have reset it, so after any job-control signal the wait takes key mode
    // again. This one path also covers a stop the system discarded and a
    // continue that was never noted (SIGCONT ignored at start).
    if (first || act_on_job_control() || key_mode_pending)
        take_key_mode();
    switch (keyboard) {
    case Keyboard::none:
        return false;  // no key can arrive; only a signal ends the wait
    case Keyboard::hung_up:
        return true;
    case Keyboard::terminal:
        if (key_mode_pending)
            return false;  // in the background: what is typed is the shell's
        break;
    }
    const Arrival arrival = take_keyboard_input();
    return arrival.key || arrival.closed;
}

// Sleeps until the keyboard has input or hangs up, or a signal arrives; or,
// while key mode waits for the terminal's hand-over, which nothing
// announces, for one period.
void pause_between_checks()
{
    // SIGTTIN comes from our own read, which returns to the loop with the
    // note taken: act on it before sleeping.
    if (job_control_noted())
        return;
    if (key_mode_pending)
        sleep_with_signals(fallback_period_ms);
    else if (keyboard == Keyboard::terminal)
        wait_for_input(-1);
    else
        sigsuspend(sleep_mask());
}

void clean_up_at_exit()
{
    put_terminal_back();
}

}  // namespace radval::platform
