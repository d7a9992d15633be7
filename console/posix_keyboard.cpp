// The key wait on a POSIX terminal.
//
// The keyboard is the terminal on standard input, switched to non-canonical,
// no-echo input for the wait: any byte counts as a key, and a function or
// cursor key's escape sequence counts once, its rest read so that it does not
// reach the shell. Ctrl+C and Ctrl+\ still raise their signals. Hang-up and
// termination are this platform's close, log-off and shutdown: they end the
// wait, and then the program, by their default action.
//
// Signal handlers only take note; the wait loop acts on the notes. One object
// owns everything that must be undone (terminal settings and handlers) and
// undoes it exactly once, whichever way the program leaves.
#include <cerrno>
#include <csignal>
#include <iterator>

#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include "console/escape_sequence.h"
#include "console/platform.h"

namespace radval::platform {

namespace {

constexpr int poll_period_ms = 50;
// How long the rest of an escape sequence may keep us waiting, at most
// `grace_waits` times: the bytes of one key normally arrive together.
constexpr int sequence_grace_ms = 50;
constexpr int grace_waits = 4;

volatile std::sig_atomic_t ending_signal = 0;  // first of INT, QUIT, TERM, HUP
volatile std::sig_atomic_t stop_requested = 0;
volatile std::sig_atomic_t continued = 0;

extern "C" void note_signal(int signal)
{
    if (signal == SIGTSTP)
        stop_requested = 1;
    else if (signal == SIGCONT)
        continued = 1;
    else if (ending_signal == 0)
        ending_signal = signal;
}

constexpr int handled_signals[] = {SIGINT, SIGQUIT, SIGTERM, SIGHUP, SIGTSTP, SIGCONT};
constexpr std::size_t handled_signal_count = std::size(handled_signals);

class KeyboardSession {
public:
    KeyboardSession() = default;
    KeyboardSession(const KeyboardSession&) = delete;
    KeyboardSession& operator=(const KeyboardSession&) = delete;
    ~KeyboardSession() { restore(); }

    // Standard input, while it is a terminal that keys can come from.
    int keyboard() const { return keyboard_; }

    void begin()
    {
        if (begun_)
            return;
        begun_ = true;
        install_handlers();
        if (isatty(STDIN_FILENO) && tcgetattr(STDIN_FILENO, &saved_) == 0) {
            keyboard_ = STDIN_FILENO;
            enter_key_mode();
        }
    }

    // Switches to key-at-a-time input without flushing, so keys typed ahead
    // stay and count. VMIN and VTIME of 0 make a read return what is there
    // without blocking, and leave the file status flags alone. If the
    // terminal refuses, the wait still reads it in the mode it has.
    void enter_key_mode()
    {
        if (keyboard_ < 0 || in_key_mode_)
            return;
        termios keys = saved_;
        keys.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ECHONL | IEXTEN);
        keys.c_iflag &= ~static_cast<tcflag_t>(IXON);
        keys.c_cc[VMIN] = 0;
        keys.c_cc[VTIME] = 0;
        in_key_mode_ = tcsetattr(keyboard_, TCSANOW, &keys) == 0;
    }

    void leave_key_mode()
    {
        if (in_key_mode_ && tcsetattr(keyboard_, TCSANOW, &saved_) == 0)
            in_key_mode_ = false;
    }

    // Stops the process for Ctrl+Z with the terminal as the shell expects
    // it, and takes the keyboard back once continued. In an orphaned process
    // group the system discards the stop and this returns at once.
    void stop_for_job_control()
    {
        leave_key_mode();
        struct sigaction ours {};
        if (set_disposition(SIGTSTP, SIG_DFL, &ours)) {
            raise(SIGTSTP);
            // raise returns here once the process is continued.
            // cppcheck-suppress unreachableCode
            sigaction(SIGTSTP, &ours, nullptr);
        }
        enter_key_mode();
    }

    void restore()
    {
        leave_key_mode();
        for (std::size_t i = 0; i < handled_signal_count; ++i) {
            if (installed_[i]) {
                sigaction(handled_signals[i], &previous_[i], nullptr);
                installed_[i] = false;
            }
        }
    }

private:
    static bool set_disposition(int signal, void (*handler)(int), struct sigaction* previous)
    {
        struct sigaction action {};
        action.sa_handler = handler;
        sigemptyset(&action.sa_mask);
        return sigaction(signal, &action, previous) == 0;
    }

    // A signal ignored by whoever started us (nohup, a background job of a
    // script) stays ignored.
    void install_handlers()
    {
        for (std::size_t i = 0; i < handled_signal_count; ++i) {
            const int signal = handled_signals[i];
            if (sigaction(signal, nullptr, &previous_[i]) != 0 || previous_[i].sa_handler == SIG_IGN)
                continue;
            installed_[i] = set_disposition(signal, note_signal, nullptr);
        }
    }

    bool begun_ = false;
    int keyboard_ = -1;
    bool in_key_mode_ = false;
    termios saved_{};
    struct sigaction previous_[handled_signal_count] {};
    bool installed_[handled_signal_count] = {};
};

KeyboardSession session;

// Acts on the signals noted since the last look. An ending signal restores
// everything and then takes its default action, so the process ends the way
// the signal says.
void act_on_signals()
{
    if (const int signal = ending_signal; signal != 0) {
        session.restore();
        raise(signal);
    }
    if (stop_requested != 0) {
        stop_requested = 0;
        session.stop_for_job_control();
    }
    if (continued != 0) {
        continued = 0;
        // Whatever ran while we were stopped may have reset the terminal.
        session.enter_key_mode();
    }
}

enum class Input { none, ready, closed };

Input wait_for_input(int fd, int timeout_ms)
{
    pollfd in{fd, POLLIN, 0};
    const int ready = poll(&in, 1, timeout_ms);
    if (ready <= 0)
        return Input::none;  // nothing yet, or a signal to act on first
    if ((in.revents & POLLIN) != 0)
        return Input::ready;
    return Input::closed;  // POLLHUP, POLLERR or POLLNVAL: the terminal is gone
}

struct Arrival {
    bool key = false;
    bool closed = false;
};

// Reads everything the keyboard holds now and, when that stops inside an
// escape sequence, what follows of it within the grace period.
Arrival take_keyboard_input(int fd)
{
    Arrival arrival;
    EscapeSequence sequence;
    int grace_left = grace_waits;
    for (;;) {
        const bool await_rest = sequence.incomplete() && grace_left-- > 0;
        const Input input = wait_for_input(fd, await_rest ? sequence_grace_ms : 0);
        if (input != Input::ready) {
            arrival.closed = input == Input::closed;
            return arrival;
        }
        unsigned char bytes[64];
        const ssize_t count = read(fd, bytes, sizeof bytes);
        if (count > 0) {
            arrival.key = true;
            for (ssize_t i = 0; i < count; ++i)
                sequence.feed(bytes[i]);
            continue;
        }
        if (count < 0 && errno == EINTR)
            continue;
        // End of file or an error after poll said readable: hung up.
        arrival.closed = count == 0 || errno != EAGAIN;
        return arrival;
    }
}

}  // namespace

bool check_for_keys()
{
    session.begin();
    act_on_signals();
    if (session.keyboard() < 0)
        return false;  // no key can arrive; only a signal ends the wait
    const Arrival arrival = take_keyboard_input(session.keyboard());
    if (!arrival.key && !arrival.closed)
        return false;
    session.restore();
    act_on_signals();
    return true;
}

void pause_between_checks()
{
    if (session.keyboard() >= 0)
        wait_for_input(session.keyboard(), poll_period_ms);
    else
        poll(nullptr, 0, poll_period_ms);
}

void clean_up_at_exit()
{
    session.restore();
}

}  // namespace radval::platform
