#include "console/posix/terminal.h"

#include <cerrno>
#include <csignal>

#include <termios.h>
#include <unistd.h>

namespace radval::platform {

namespace {

struct SavedTerminal {
    int fd = -1;  // once it is known to be a terminal
    termios settings{};
    volatile std::sig_atomic_t changed = 0;
};

SavedTerminal saved;

constexpr cc_t ctrl_c = 0x03;
constexpr cc_t ctrl_backslash = 0x1c;

// A terminal that is not our controlling one has no job control: we are in
// the background of none.
bool in_background()
{
    const pid_t foreground = tcgetpgrp(saved.fd);
    return foreground >= 0 && foreground != getpgrp();
}

}  // namespace

Keyboard find_keyboard(int fd)
{
    termios settings;
    if (tcgetattr(fd, &settings) == 0) {
        saved.fd = fd;
        return Keyboard::terminal;
    }
    // A terminal whose other end has gone refuses with EIO, where anything
    // that is no terminal says ENOTTY.
    return errno == EIO ? Keyboard::hung_up : Keyboard::none;
}

// Without flushing, so keys typed ahead stay and count. A read waits for
// one byte (VMIN 1, VTIME 0), as a shell or pager reading the terminal
// does: a program that shares it then only waits too, where a read that
// returns at once would give it 0 bytes, which it takes for the end. The
// file status flags, shared with that program, stay as they are. Ctrl+C
// and Ctrl+\ raise their signals whatever keys the terminal had for them,
// undefined ones included.
bool enter_key_mode(bool background_change_stops)
{
    if (saved.fd < 0)
        return true;
    if (!background_change_stops && in_background())
        return false;
    // Settings still changed are ours, put back by nobody (SIGSTOP cannot
    // be caught): the saved ones stay.
    if (saved.changed == 0 && tcgetattr(saved.fd, &saved.settings) != 0)
        return true;
    termios keys = saved.settings;
    keys.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO | ECHONL | IEXTEN);
    keys.c_lflag |= ISIG;
    keys.c_iflag &= ~static_cast<tcflag_t>(IXON);
    keys.c_cc[VMIN] = 1;
    keys.c_cc[VTIME] = 0;
    keys.c_cc[VINTR] = ctrl_c;
    keys.c_cc[VQUIT] = ctrl_backslash;
    // Marked first: a signal that ends us halfway must still put it back.
    // A change the terminal refuses leaves it as it was.
    saved.changed = 1;
    if (tcsetattr(saved.fd, TCSANOW, &keys) != 0)
        saved.changed = 0;
    return true;
}

// tcsetattr is async-signal-safe, and so is this.
void put_terminal_back()
{
    if (saved.changed != 0 && tcsetattr(saved.fd, TCSANOW, &saved.settings) == 0)
        saved.changed = 0;
}

}  // namespace radval::platform
