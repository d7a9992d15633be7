// Standard output on POSIX: raw bytes to file descriptor 1. The terminal
// renders CR, LF, TAB and BEL itself, so nothing is translated here.
#include <cerrno>
#include <csignal>

#include <poll.h>
#include <unistd.h>

#include "console/platform.h"

namespace radval::platform {

namespace {

bool broken_pipes_ignored = false;

// A reader that has gone away costs the output, never the run or its exit
// status: with SIGPIPE ignored, such a write fails with EPIPE instead.
// Should ignoring it fail, output to a closed pipe still ends the program,
// which is the system's default and all that is left.
void ignore_broken_pipes()
{
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGPIPE, &ignore, nullptr);
    broken_pipes_ignored = true;
}

// Standard output may have been left non-blocking by whoever shares it;
// rather than lose the output, wait until it takes more.
bool wait_until_writable()
{
    pollfd out{STDOUT_FILENO, POLLOUT, 0};
    int ready;
    do
        ready = poll(&out, 1, -1);
    while (ready < 0 && errno == EINTR);
    return ready > 0 && (out.revents & POLLOUT) != 0;
}

}  // namespace

void write_output(std::string_view bytes)
{
    if (!broken_pipes_ignored)
        ignore_broken_pipes();
    while (!bytes.empty()) {
        const ssize_t written = write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (written > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(written));
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) && wait_until_writable())
            continue;
        // Failed, or no progress that another try would change: the rest of
        // this piece is dropped.
        return;
    }
}

}  // namespace radval::platform
