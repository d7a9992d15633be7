// The key wait on a POSIX terminal.
//
// The keyboard is the terminal on standard input, switched for the wait to
// non-canonical, no-echo input with signals on: any byte counts as a key,
// Ctrl+C and Ctrl+\ raise their signals, and a function or cursor key's escape
// sequence counts once, its rest read so that it does not reach the shell.
// Hang-up is this platform's close event: it ends the wait.
//
// The terminal's settings are saved once, in `saved_terminal`, and put back
// by one method, SavedTerminal::put_back(), which only makes async-signal-safe
// calls: the exit clean-up calls it, and so does the handler of every signal
// whose default action ends the process, before it lets that action happen.
// The job-control signals only set flags, which the wait loop acts on.
// SIGTSTP and SIGCONT are blocked but while the wait sleeps, and the sleep
// unblocks them atomically (pselect, sigsuspend), so neither lands unseen
// between a look and a sleep; SIGTTIN and SIGTTOU come from our own read or
// tcsetattr, which then return to the loop.
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <ctime>

#include <sys/select.h>
#include <termios.h>
#include <unistd.h>

#include "console/platform.h"
#include "console/posix_escape_sequence.h"

namespace radval::platform {

namespace {

// A slow remote login may hold back the rest of a key's escape sequence:
// bytes that follow within `sequence_gap_ms` of each other belong to it, for
// `sequence_limit_ms` at most.
constexpr long sequence_gap_ms = 300;
constexpr long sequence_limit_ms = 1000;
// How long to sleep between looks when the system cannot tell us when input
// arrives (pselect itself failing).
constexpr long fallback_period_ms = 50;

// Signals whose default action ends the process, asynchronous ones and
// faults alike. SIGPIPE and SIGXFSZ are not among them: output ignores them.
constexpr int listed_ending_signals[] = {
    SIGHUP,
    SIGINT,
    SIGQUIT,
    SIGTERM,
    SIGUSR1,
    SIGUSR2,
    SIGALRM,
    SIGVTALRM,
    SIGPROF,
    SIGXCPU,
    SIGSEGV,
    SIGBUS,
    SIGFPE,
    SIGILL,
    SIGABRT,
    SIGTRAP,
    SIGSYS,
#ifdef SIGIO
    SIGIO,
#endif
#ifdef SIGPWR
    SIGPWR,
#endif
#ifdef SIGSTKFLT
    SIGSTKFLT,
#endif
#ifdef SIGEMT
    SIGEMT,
#endif
#ifdef SIGLOST
    SIGLOST,
#endif
};

constexpr int job_control_signals[] = {SIGTSTP, SIGTTIN, SIGTTOU, SIGCONT};

// The keyboard's terminal: its settings as radval found them, saved once,
// and whether they are changed now.
class SavedTerminal {
public:
    // Standard input, once it is a terminal whose settings are saved.
    int fd() const { return fd_; }

    void save(int fd)
    {
        if (isatty(fd) && tcgetattr(fd, &settings_) == 0)
            fd_ = fd;
    }

    // Switches to key-at-a-time input without flushing, so keys typed ahead
    // stay and count. VMIN and VTIME of 0 make a read return what is there
    // without blocking, and leave the file status flags alone. A background
    // job leaves the terminal to the shell: it takes it once in the
    // foreground, when its read has stopped it and it has been continued.
    // If the terminal refuses, the wait reads it in the mode it has.
    void enter_key_mode()
    {
        if (fd_ < 0 || in_background())
            return;
        termios keys = settings_;
        keys.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ECHONL | IEXTEN);
        keys.c_lflag |= ISIG;
        keys.c_iflag &= ~static_cast<tcflag_t>(IXON);
        keys.c_cc[VMIN] = 0;
        keys.c_cc[VTIME] = 0;
        // Marked first: a signal that ends us halfway must still put it back.
        changed_ = 1;
        if (tcsetattr(fd_, TCSANOW, &keys) != 0)
            put_back();
    }

    // Safe in a signal handler: tcsetattr is async-signal-safe.
    void put_back()
    {
        if (changed_ != 0 && tcsetattr(fd_, TCSANOW, &settings_) == 0)
            changed_ = 0;
    }

private:
    // A terminal that is not our controlling one has no job control: we
    // are in the background of none.
    bool in_background() const
    {
        const pid_t foreground = tcgetpgrp(fd_);
        return foreground >= 0 && foreground != getpgrp();
    }

    int fd_ = -1;
    termios settings_{};
    volatile std::sig_atomic_t changed_ = 0;
};

SavedTerminal saved_terminal;

volatile std::sig_atomic_t stop_signal = 0;  // the latest of TSTP, TTIN, TTOU
volatile std::sig_atomic_t continued = 0;

bool job_control_noted()
{
    return stop_signal != 0 || continued != 0;
}

struct sigaction catcher_for(void (*handler)(int))
{
    struct sigaction catcher {};
    catcher.sa_handler = handler;
    sigemptyset(&catcher.sa_mask);
    return catcher;
}

bool set_disposition(int signal, void (*handler)(int), struct sigaction* previous)
{
    const struct sigaction action = catcher_for(handler);
    return sigaction(signal, &action, previous) == 0;
}

// The terminal first, then the signal's own default action: raised again,
// it is delivered as soon as this handler returns (a fault's instruction,
// run again, faults again), and the process ends as the signal says.
extern "C" void end_by_signal(int signal)
{
    const int saved_errno = errno;
    saved_terminal.put_back();
    set_disposition(signal, SIG_DFL, nullptr);
    raise(signal);
    // raise returns: the signal stays blocked until this handler returns.
    // cppcheck-suppress unreachableCode
    errno = saved_errno;
}

extern "C" void note_job_control(int signal)
{
    if (signal == SIGCONT)
        continued = 1;
    else
        stop_signal = signal;
}

// A signal ignored by whoever started us (nohup, a background job of a
// script) stays ignored. Installing first and putting back in that rare case
// costs one call a signal, where asking first would cost two.
void catch_unless_ignored(int signal, const struct sigaction& catcher)
{
    struct sigaction previous;
    if (sigaction(signal, &catcher, &previous) == 0 && previous.sa_handler == SIG_IGN)
        sigaction(signal, &previous, nullptr);
}

void catch_ending_signals()
{
    const struct sigaction catcher = catcher_for(end_by_signal);
    for (const int signal : listed_ending_signals)
        catch_unless_ignored(signal, catcher);
#ifdef SIGRTMIN
    for (int signal = SIGRTMIN; signal <= SIGRTMAX; ++signal)
        catch_unless_ignored(signal, catcher);
#endif
}

timespec milliseconds(long ms)
{
    return {ms / 1000, (ms % 1000) * 1000000};
}

long milliseconds_since(const timespec& start)
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return (now.tv_sec - start.tv_sec) * 1000 + (now.tv_nsec - start.tv_nsec) / 1000000;
}

// Stops the process as `signal` would, with the terminal as the shell
// expects it, and takes the keyboard back once continued. In an orphaned
// process group the system discards the stop and this returns at once.
void stop_as(int signal)
{
    saved_terminal.put_back();
    struct sigaction ours {};
    if (set_disposition(signal, SIG_DFL, &ours)) {
        sigset_t just_this;
        sigemptyset(&just_this);
        sigaddset(&just_this, signal);
        sigset_t before;
        if (sigprocmask(SIG_UNBLOCK, &just_this, &before) == 0) {
            raise(signal);
            // raise returns here once the process is continued.
            // cppcheck-suppress unreachableCode
            sigprocmask(SIG_SETMASK, &before, nullptr);
        }
        sigaction(signal, &ours, nullptr);
    }
    saved_terminal.enter_key_mode();
}

// Acts on the job-control signals noted since the last look.
void act_on_job_control()
{
    if (const int signal = stop_signal; signal != 0) {
        stop_signal = 0;
        stop_as(signal);
    }
    if (continued != 0) {
        continued = 0;
        // Whatever ran while we were stopped may have reset the terminal.
        saved_terminal.enter_key_mode();
    }
}

class KeyboardSession {
public:
    // The signal mask to sleep with: the one we started with.
    const sigset_t* sleep_mask() const { return &sleep_mask_; }

    void begin()
    {
        if (begun_)
            return;
        begun_ = true;
        block_job_control();
        catch_ending_signals();
        // Blocked, SIGTTIN and SIGTTOU would count as ignored, and a
        // background job could take the terminal; so they stay unblocked,
        // and the calls that raise them return EINTR to the loop instead.
        const struct sigaction catcher = catcher_for(note_job_control);
        for (const int signal : job_control_signals)
            catch_unless_ignored(signal, catcher);
        saved_terminal.save(STDIN_FILENO);
        saved_terminal.enter_key_mode();
    }

private:
    // TSTP and CONT are blocked but while the wait sleeps.
    void block_job_control()
    {
        sigset_t blocked;
        sigemptyset(&blocked);
        sigaddset(&blocked, SIGTSTP);
        sigaddset(&blocked, SIGCONT);
        if (sigprocmask(SIG_BLOCK, &blocked, &sleep_mask_) != 0)
            sigemptyset(&sleep_mask_);
    }

    bool begun_ = false;
    sigset_t sleep_mask_{};
};

KeyboardSession session;

// What a look at the keyboard found.
enum class Input {
    none,     // nothing within the time allowed, or a signal to act on
    ready,    // bytes to read
    closed,   // hung up
    unknown,  // the system could not tell: a read will
};

// Waits up to `timeout_ms` (-1: no limit) for the keyboard, with signals
// unblocked. Should pselect fail, it sleeps at most one fallback period and
// leaves it to a read to tell.
Input wait_for_input(int fd, long timeout_ms)
{
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(fd, &readable);
    timespec limit = milliseconds(timeout_ms);
    const int ready
        = pselect(fd + 1, &readable, nullptr, nullptr, timeout_ms < 0 ? nullptr : &limit, session.sleep_mask());
    if (ready > 0)
        return Input::ready;
    if (ready == 0 || errno == EINTR)
        return Input::none;
    if (timeout_ms != 0) {
        timespec period = milliseconds(timeout_ms < 0 ? fallback_period_ms : std::min(timeout_ms, fallback_period_ms));
        sigset_t blocked;
        if (sigprocmask(SIG_SETMASK, session.sleep_mask(), &blocked) == 0) {
            nanosleep(&period, nullptr);
            sigprocmask(SIG_SETMASK, &blocked, nullptr);
        }
    }
    return Input::unknown;
}

struct Arrival {
    bool key = false;
    bool closed = false;
};

// Reads everything the keyboard holds now and, when that stops inside an
// escape sequence, what follows of it within the gap and the limit.
Arrival take_keyboard_input(int fd)
{
    Arrival arrival;
    EscapeSequence sequence;
    timespec first_byte{};
    for (;;) {
        long timeout_ms = 0;
        if (sequence.incomplete())
            timeout_ms = std::max(0L, std::min(sequence_gap_ms, sequence_limit_ms - milliseconds_since(first_byte)));
        const Input input = wait_for_input(fd, timeout_ms);
        if (input == Input::none)
            return arrival;
        unsigned char bytes[64];
        const ssize_t count = read(fd, bytes, sizeof bytes);
        if (count > 0) {
            if (!arrival.key)
                clock_gettime(CLOCK_MONOTONIC, &first_byte);
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
    session.begin();
    act_on_job_control();
    if (saved_terminal.fd() < 0)
        return false;  // no key can arrive; only a signal ends the wait
    const Arrival arrival = take_keyboard_input(saved_terminal.fd());
    return arrival.key || arrival.closed;
}

// Sleeps until the keyboard has input or hangs up, or a signal arrives.
void pause_between_checks()
{
    // SIGTTIN and SIGTTOU come from our own read or tcsetattr, which return
    // to the loop with the note taken: act on it before sleeping.
    if (job_control_noted())
        return;
    if (saved_terminal.fd() >= 0)
        wait_for_input(saved_terminal.fd(), -1);
    else
        sigsuspend(session.sleep_mask());
}

void clean_up_at_exit()
{
    saved_terminal.put_back();
}

}  // namespace radval::platform
