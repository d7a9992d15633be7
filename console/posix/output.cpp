// Standard output on POSIX: raw bytes to file descriptor 1. The terminal
// renders CR, LF, TAB and BEL itself, so nothing is translated here.
#include <cerrno>
#include <csignal>
#include <ctime>
#include <iterator>

#include <poll.h>
#include <unistd.h>

#include "console/platform.h"

namespace radval::platform {

namespace {

bool lost_output_ignored = false;

// Output that cannot be written costs the output, never the run or its exit
// status. With SIGPIPE ignored, a write to a pipe nobody reads fails with
// EPIPE; with SIGXFSZ ignored, a write past the file-size limit fails with
// EFBIG (after writing what fits). Should ignoring them fail, such output
// still ends the program, which is the system's default and all that is left.
void ignore_lost_output_signals()
{
    struct sigaction ignore {};
    ignore.sa_handler = SIG_IGN;
    sigemptyset(&ignore.sa_mask);
    sigaction(SIGPIPE, &ignore, nullptr);
    sigaction(SIGXFSZ, &ignore, nullptr);
    lost_output_ignored = true;
}

// Standard output may have been left non-blocking by whoever shares it;
// rather than lose the output, wait until it takes more. Should poll fail
// (it needs a descriptor's worth of RLIMIT_NOFILE), sleep a little before
// the next try instead, so that the wait never spins.
void wait_until_writable()
{
    pollfd out[] = {{STDOUT_FILENO, POLLOUT, 0}};
    if (poll(out, std::size(out), -1) >= 0 || errno == EINTR)
        return;
    const timespec period{0, 50L * 1000 * 1000};
    nanosleep(&period, nullptr);
}

}  // namespace

void write_output(std::string_view bytes)
{
    if (!lost_output_ignored)
        ignore_lost_output_signals();
    while (!bytes.empty()) {
        const ssize_t written = write(STDOUT_FILENO, bytes.data(), bytes.size());
        if (written > 0) {
            bytes.remove_prefix(static_cast<std::size_t>(written));
            continue;
        }
        if (written < 0 && errno == EINTR)
            continue;
        if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            wait_until_writable();
            continue;
        }
        // Failed, or no progress that another try would change: the rest of
        // this piece is dropped.
        return;
    }
}

}  // namespace radval::platform
