#include "console/posix/signals.h"

#include <cerrno>

#include "console/posix/terminal.h"

namespace radval::platform {

namespace {

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

volatile std::sig_atomic_t stop_signal = 0;  // the latest of TSTP, TTIN, TTOU
volatile std::sig_atomic_t continued = 0;

sigset_t mask_to_sleep_with{};
bool ttou_stops = false;

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
    put_terminal_back();
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
// costs one call a signal, where asking first would cost two. Returns
// whether the signal is caught.
bool catch_unless_ignored(int signal, const struct sigaction& catcher)
{
    struct sigaction previous;
    if (sigaction(signal, &catcher, &previous) != 0)
        return false;
    if (previous.sa_handler != SIG_IGN)
        return true;
    sigaction(signal, &previous, nullptr);
    return false;
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

void block_tstp_and_cont()
{
    sigset_t blocked;
    sigemptyset(&blocked);
    sigaddset(&blocked, SIGTSTP);
    sigaddset(&blocked, SIGCONT);
    if (sigprocmask(SIG_BLOCK, &blocked, &mask_to_sleep_with) != 0)
        sigemptyset(&mask_to_sleep_with);
}

// Caught, SIGTTIN and SIGTTOU make the read or tcsetattr that raises them
// return EINTR to the wait, which then stops as they ask. Ignored or
// blocked, SIGTTOU would let a background job set the terminal, and SIGTTIN
// would make its read fail.
void note_job_control_signals()
{
    const struct sigaction catcher = catcher_for(note_job_control);
    catch_unless_ignored(SIGTSTP, catcher);
    catch_unless_ignored(SIGTTIN, catcher);
    catch_unless_ignored(SIGCONT, catcher);
    ttou_stops = catch_unless_ignored(SIGTTOU, catcher) && sigismember(&mask_to_sleep_with, SIGTTOU) == 0;
}

// Stops the process as `signal` would, with the terminal as the shell
// expects it. Returns once continued; at once where the system discards the
// stop (an orphaned process group).
void stop_as(int signal)
{
    put_terminal_back();
    struct sigaction ours {};
    if (!set_disposition(signal, SIG_DFL, &ours))
        return;
    sigset_t just_this{};
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

}  // namespace

void catch_signals()
{
    block_tstp_and_cont();
    catch_ending_signals();
    note_job_control_signals();
}

const sigset_t* sleep_mask()
{
    return &mask_to_sleep_with;
}

bool background_change_stops()
{
    return ttou_stops;
}

bool job_control_noted()
{
    return stop_signal != 0 || continued != 0;
}

bool act_on_job_control()
{
    const bool noted = job_control_noted();
    if (const int signal = stop_signal; signal != 0) {
        stop_signal = 0;
        stop_as(signal);
    }
    continued = 0;
    return noted;
}

}  // namespace radval::platform
