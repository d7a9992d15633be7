"""End-to-end checks of the built radval: the exact bytes it writes, its exit
statuses, and its key wait in a pseudo-terminal.

usage: end_to_end_test.py [--emulator PROGRAM | --sanitized] PATH_TO_RADVAL [unittest arguments]

With --emulator (qemu-user, for another architecture's build), radval runs
under it; with --sanitized, radval carries the sanitizers' runtime. Either
way the few cases that would test that host's own start-up or system calls
rather than radval's are skipped.
"""
import contextlib
import fcntl
import os
import re
import resource
import select
import shlex
import shutil
import signal
import subprocess
import sys
import tempfile
import termios
import time
import unittest

from expected_output import CONVERSIONS, FAULTS, USAGE, USAGE_CALLS, result_lines

RADVAL = []  # the command that runs radval
EMULATED = False
SANITIZED = False
ORPHANING = os.path.join(os.path.dirname(os.path.abspath(__file__)), "orphaned_job.py")
PATIENCE = 10  # seconds before a test gives up on something that should happen

def run(args, stdout=subprocess.PIPE):
    """Runs radval with nothing on standard input; it must not wait."""
    done = subprocess.run([*RADVAL, *args], stdin=subprocess.DEVNULL, stdout=stdout,
                          stderr=subprocess.PIPE, timeout=PATIENCE)
    return done.stdout, done.returncode, done.stderr


def skip_if_hosted(test, why):
    """Skips a case that an emulator or the sanitizers' runtime would fail for
    reasons of its own: it loads libraries, opens files, reads /proc."""
    if EMULATED or SANITIZED:
        test.skipTest(why)


def injecting(call, fault, log="/dev/null"):
    """The start of a command line that runs what follows under strace, with
    `fault` injected into each `call` it makes, as strace's inject= says;
    strace writes the calls it saw to `log`."""
    return ["strace", "-o", log, "-e", f"trace={call}", "-e", f"inject={call}:{fault}"]


def ended(process):
    """Whether `process` has ended, without reaping it: its status and
    resource use are left for whoever waits for it."""
    return process.returncode is not None or os.waitid(
        os.P_PID, process.pid, os.WEXITED | os.WNOHANG | os.WNOWAIT) is not None


def settle(condition, what, process):
    """Waits for `condition`, giving up at once if `process` ends first;
    returns what the condition found."""
    deadline = time.monotonic() + PATIENCE
    while not (found := condition()):
        if ended(process):
            raise AssertionError(f"radval ended before {what}")
        if time.monotonic() > deadline:
            raise AssertionError("gave up waiting for " + what)
        time.sleep(0.01)
    return found


def take_terminal(controlling=True):
    if controlling:
        fcntl.ioctl(0, termios.TIOCSCTTY, 0)
    resource.setrlimit(resource.RLIMIT_CORE, (0, 0))


def limited(limits=(), ignored=(), blocked=()):
    """A preexec function setting resource limits, and ignoring or blocking
    signals."""
    def prepare():
        for limit, value in limits:
            resource.setrlimit(limit, (value, value))
        for number in ignored:
            signal.signal(number, signal.SIG_IGN)
        signal.pthread_sigmask(signal.SIG_BLOCK, blocked)
    return prepare


def process_stat(pid):
    """The fields of /proc/PID/stat from the third on: the state first."""
    with open(f"/proc/{pid}/stat") as stat:
        return stat.read().rsplit(")", 1)[1].split()


def children(pid):
    with open(f"/proc/{pid}/task/{pid}/children") as listed:
        return [int(child) for child in listed.read().split()]


def only_child(pid):
    return children(pid)[0]


def signal_mask(pid, field):
    """A signal mask of /proc/PID/status ("SigBlk", "SigCgt"), as a number
    with bit N - 1 for signal N."""
    with open(f"/proc/{pid}/status") as status:
        return next(int(line.split()[1], 16) for line in status if line.startswith(field + ":"))


def blocked_signals(pid):
    return signal_mask(pid, "SigBlk")


def signal_bits(*numbers):
    return sum(1 << (number - 1) for number in numbers)


def cpu_ticks(pid):
    """The CPU time `pid` has used, in clock ticks."""
    fields = process_stat(pid)
    return int(fields[11]) + int(fields[12])  # utime and stime


def voluntary_switches(pid):
    with open(f"/proc/{pid}/status") as status:
        for line in status:
            if line.startswith("voluntary_ctxt_switches:"):
                return int(line.split()[1])
    raise AssertionError("no context switch count for " + str(pid))


class Terminal:
    """A command started as the session leader of a fresh pseudo-terminal,
    which is its controlling terminal, standard input and (unless told
    otherwise) standard output. Output processing is off, so the bytes read
    from the terminal are the bytes written."""

    def __init__(self, command, typed_ahead=b"", stdout=None, pass_fds=(), prepare=None, local_off=0, characters=(),
                 controlling=True, env=None):
        self.master, self.slave = os.openpty()
        settings = termios.tcgetattr(self.slave)
        settings[1] &= ~termios.OPOST
        settings[3] &= ~local_off
        for index, value in characters:  # as stty sets a control character
            settings[6][index] = value
        termios.tcsetattr(self.slave, termios.TCSANOW, settings)
        self.settings = termios.tcgetattr(self.slave)
        self.output = b""
        if typed_ahead:
            self.type_ahead(typed_ahead)
        self.process = subprocess.Popen(
            command, stdin=self.slave, stdout=self.slave if stdout is None else stdout,
            stderr=self.slave, start_new_session=True,
            preexec_fn=lambda: (take_terminal(controlling), prepare and prepare()),
            pass_fds=pass_fds, env=env)

    def type_ahead(self, typed):
        """Types `typed` and waits for its echo. The terminal takes typed
        bytes in a moment after they are written, and taken in after the
        command has switched to key input they would not be typed ahead."""
        os.write(self.master, typed)
        while self.output != typed:
            if not typed.startswith(self.output) or not select.select([self.master], [], [], PATIENCE)[0]:
                raise AssertionError(f"echo {self.output!r}, not {typed!r}")
            self.output += os.read(self.master, 64)

    def __enter__(self):
        return self

    def __exit__(self, *exception):
        self.close()

    def close(self):
        if self.process.returncode is None:
            self.process.kill()
            self.process.wait()
        if self.master is not None:
            os.close(self.master)
        os.close(self.slave)

    def hang_up(self):
        os.close(self.master)
        self.master = None

    def type(self, data):
        os.write(self.master, data)

    def read_until(self, expected):
        """Reads until the terminal has shown exactly `expected`; gives up as
        soon as what it shows can no longer become that."""
        deadline = time.monotonic() + PATIENCE
        while self.output != expected:
            if not expected.startswith(self.output):
                raise AssertionError(f"output {self.output[-200:]!r}, which {expected!r} does not begin with")
            left = deadline - time.monotonic()
            if left <= 0:
                raise AssertionError(f"output {self.output[-200:]!r}, not yet {expected!r}")
            if select.select([self.master], [], [], min(left, 0.05))[0]:
                self.output += os.read(self.master, 65536)
            elif ended(self.process) and not select.select([self.master], [], [], 0)[0]:
                raise AssertionError(f"radval ended after writing {self.output!r}")

    def in_key_mode(self):
        local_flags = termios.tcgetattr(self.slave)[3]
        return local_flags & (termios.ICANON | termios.ECHO) == 0

    def wait_for_key_mode(self):
        settle(self.in_key_mode, "the terminal was switched to key input", self.process)

    def still_running_after(self, seconds):
        time.sleep(seconds)
        return self.process.poll() is None

    def wait(self):
        """The exit status (negative for a signal) and the CPU seconds used."""
        deadline = time.monotonic() + PATIENCE
        while True:
            pid, status, usage = os.wait4(self.process.pid, os.WNOHANG)
            if pid:
                self.process.returncode = os.waitstatus_to_exitcode(status)
                return self.process.returncode, usage.ru_utime + usage.ru_stime
            if time.monotonic() > deadline:
                raise AssertionError("the program did not end")
            time.sleep(0.01)

    def pending_input(self):
        """What is left unread in the terminal's input queue."""
        settings = termios.tcgetattr(self.slave)
        settings[3] &= ~termios.ICANON
        settings[6][termios.VMIN] = 0
        settings[6][termios.VTIME] = 0
        termios.tcsetattr(self.slave, termios.TCSANOW, settings)
        return os.read(self.slave, 4096) if select.select([self.slave], [], [], 0.2)[0] else b""


def terminfo_string(text):
    """The bytes that a string capability stands for, as infocmp writes it:
    \\E for ESC, ^X for a control, octal and other backslash escapes."""
    named = {"E": 27, "e": 27, "n": 10, "l": 10, "r": 13, "t": 9, "b": 8, "f": 12, "s": 32, "0": 128}
    found = bytearray()
    for escape, control, plain in re.findall(r"\\([0-7]{3}|.)|\^(.)|(.)", text):
        if escape:
            found.append(int(escape, 8) or 128 if len(escape) == 3 else named.get(escape, ord(escape)))
        elif control:
            found.append(127 if control == "?" else ord(control) & 0x1f)
        else:
            found.append(ord(plain))
    return bytes(found)


def key_strings(*terminals):
    """The key strings of more than one byte that terminfo lists for
    `terminals`, extended ones included."""
    keys = set()
    for name in terminals:
        entry = subprocess.run(["infocmp", "-1", "-x", name], capture_output=True, text=True, check=True).stdout
        keys.update(terminfo_string(found) for found in re.findall(r"^\s+k\w*=(.*),$", entry, re.M))
    return {key for key in keys if len(key) > 1}


def grammar_shape(key):
    """A key string with its parameter bytes as 0 and its final byte as F:
    keys of one shape take one path through an escape sequence's grammar."""
    return re.sub(rb"[\x40-\x7e]$", b"F", re.sub(rb"[\x30-\x3f]", b"0", key))


def type_slowly(terminals, keys, gap):
    """Types each key on its terminal a byte at a time, `gap` seconds apart,
    all at once; returns, for each, the longest gap its bytes really left
    with."""
    start = time.monotonic()
    last, longest = [None] * len(keys), [0.0] * len(keys)
    for step in range(max(map(len, keys))):
        time.sleep(max(0.0, start + step * gap - time.monotonic()))
        for row, (terminal, key) in enumerate(zip(terminals, keys)):
            if step < len(key):
                now = time.monotonic()
                terminal.type(key[step:step + 1])
                if last[row] is not None:
                    longest[row] = max(longest[row], now - last[row])
                last[row] = now
    return longest


class TerminalCase(unittest.TestCase):
    """A test case whose terminals close when it ends, and which checks
    that radval leaves a terminal's settings as it found them."""

    def open_terminal(self, command, **options):
        terminal = Terminal(command, **options)
        self.addCleanup(terminal.close)
        return terminal

    def assert_restored(self, terminal):
        self.assertEqual(termios.tcgetattr(terminal.slave), terminal.settings)


class Usage(unittest.TestCase):
    def test_wrong_calls_print_the_usage_text_and_exit_0_without_waiting(self):
        for args in USAGE_CALLS:
            with self.subTest(args=args):
                self.assertEqual(run(args), (USAGE, 0, b""))


class Faults(unittest.TestCase):
    def test_an_invalid_digit_prints_one_error_line_and_exits_1_without_waiting(self):
        for args, line in FAULTS:
            with self.subTest(args=[a[:20] for a in args]):
                self.assertEqual(run(args), (line, 1, b""))


class ScarceMemory(unittest.TestCase):
    def test_a_long_numeral_is_reported_whole_even_without_memory_to_copy_it(self):
        # Under ever larger address-space limits: radval either cannot
        # start at all (the system kills it before its first instruction)
        # or writes the whole report and exits 1; it never aborts.
        skip_if_hosted(self, "the emulator or the sanitizers' runtime needs far more memory")
        args, report = FAULTS[-1]
        reported = 0
        for kilobytes in range(1024, 4096, 64):
            with self.subTest(kilobytes=kilobytes):
                done = subprocess.run([*RADVAL, *args], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                      stderr=subprocess.PIPE, timeout=PATIENCE,
                                      preexec_fn=limited([(resource.RLIMIT_AS, kilobytes * 1024)]))
                self.assertEqual(done.stderr, b"")
                if done.returncode == -signal.SIGSEGV and done.stdout == b"":
                    continue  # could not even be mapped
                self.assertEqual((done.stdout, done.returncode), (report, 1))
                reported += 1
        self.assertGreater(reported, 0)


class Conversions(TerminalCase):
    def test_the_value_is_printed_between_blank_lines_and_a_key_ends_the_run(self):
        for args, digits in CONVERSIONS:
            with self.subTest(args=[a[:20] for a in args]):
                with Terminal([*RADVAL, *args]) as terminal:
                    terminal.read_until(result_lines(digits))
                    terminal.wait_for_key_mode()
                    terminal.type(b"x")
                    self.assertEqual(terminal.wait()[0], 0)
                    self.assertEqual(terminal.output, result_lines(digits))


class KeyWait(TerminalCase):
    def setUp(self):
        self.terminal = self.open_terminal([*RADVAL, "59FF", "h"])

    def reach_the_wait(self):
        self.terminal.read_until(result_lines(b"23039"))
        self.terminal.wait_for_key_mode()

    def test_waits_until_a_key_without_burning_the_cpu(self):
        self.reach_the_wait()
        self.assertTrue(self.terminal.still_running_after(1.0))
        self.terminal.type(b"q")
        status, cpu_seconds = self.terminal.wait()
        self.assertEqual(status, 0)
        self.assertLess(cpu_seconds, 0.3)
        self.assertEqual(self.terminal.output, result_lines(b"23039"))
        self.assert_restored(self.terminal)

    def test_every_kind_of_key_ends_the_wait_and_leaves_nothing_for_the_shell(self):
        keys = [b"\r", b" ", b"\x04", b"\x1b[15~", b"\x1bOP", b"\x1b[1;5C", b"\x1b[[A",
                b"\xc3\xa9", b"\x13", b"\x16"]
        for key in keys:
            with self.subTest(key=key):
                with Terminal([*RADVAL, "1", "b"]) as terminal:
                    terminal.read_until(result_lines(b"1"))
                    terminal.wait_for_key_mode()
                    terminal.type(key)
                    self.assertEqual(terminal.wait()[0], 0)
                    self.assert_restored(terminal)
                    self.assertEqual(terminal.pending_input(), b"")

    def test_an_escape_sequence_split_in_transit_is_taken_whole(self):
        self.reach_the_wait()
        self.terminal.type(b"\x1b[2")
        time.sleep(0.02)
        self.terminal.type(b"4~")
        self.assertEqual(self.terminal.wait()[0], 0)
        self.assertEqual(self.terminal.pending_input(), b"")

    def test_ctrl_c_interrupts_and_restores_the_terminal(self):
        self.reach_the_wait()
        self.terminal.type(b"\x03")
        self.assertEqual(self.terminal.wait()[0], -signal.SIGINT)
        self.assert_restored(self.terminal)

    def test_every_signal_that_ends_the_process_restores_the_terminal_first(self):
        # Asynchronous ones, faults (sent, as a hostile user would) and the
        # real-time range alike; each ends it as that signal does.
        names = ["SIGTERM", "SIGHUP", "SIGINT", "SIGQUIT", "SIGUSR1", "SIGUSR2", "SIGALRM", "SIGVTALRM",
                 "SIGPROF", "SIGIO", "SIGPWR", "SIGXCPU", "SIGSEGV", "SIGBUS", "SIGFPE", "SIGILL",
                 "SIGABRT", "SIGTRAP", "SIGSYS", "SIGRTMIN", "SIGRTMAX"]
        endings = [getattr(signal, name) for name in names if hasattr(signal, name)]
        endings.append(signal.SIGRTMIN + 5)
        if EMULATED:  # qemu-user keeps the host's first real-time signal for itself
            endings.remove(signal.SIGRTMIN)
        for ending in endings:
            with self.subTest(signal=int(ending)):
                with Terminal([*RADVAL, "1", "b"]) as terminal:
                    terminal.read_until(result_lines(b"1"))
                    terminal.wait_for_key_mode()
                    terminal.process.send_signal(ending)
                    self.assertEqual(terminal.wait()[0], -ending)
                    self.assert_restored(terminal)

    def test_after_an_uncatchable_stop_the_wait_takes_the_terminal_back(self):
        self.reach_the_wait()
        self.terminal.process.send_signal(signal.SIGSTOP)
        time.sleep(0.2)
        termios.tcsetattr(self.terminal.slave, termios.TCSANOW, self.terminal.settings)  # as a shell would
        self.terminal.process.send_signal(signal.SIGCONT)
        self.terminal.wait_for_key_mode()
        self.terminal.type(b"x")
        self.assertEqual(self.terminal.wait()[0], 0)
        self.assert_restored(self.terminal)

    def test_a_signal_ignored_or_blocked_at_start_stays_so(self):
        signals = [signal.SIGUSR1, signal.SIGHUP]
        for how, prepare in (("ignored", limited(ignored=signals)), ("blocked", limited(blocked=signals))):
            with self.subTest(how=how):
                with Terminal([*RADVAL, "1", "b"], prepare=prepare) as terminal:
                    terminal.read_until(result_lines(b"1"))
                    terminal.wait_for_key_mode()
                    terminal.process.send_signal(signal.SIGUSR1)
                    terminal.process.send_signal(signal.SIGHUP)
                    self.assertTrue(terminal.still_running_after(0.3))
                    terminal.type(b"x")
                    self.assertEqual(terminal.wait()[0], 0)

    def test_ctrl_c_and_ctrl_backslash_interrupt_whatever_keys_the_terminal_had_for_them(self):
        # With its signal keys off, with the interrupt or quit character
        # undefined (stty intr undef) or moved to another key: restored
        # after, as every setting is.
        undefined = b"\0"  # _POSIX_VDISABLE, on Linux
        cases = [
            ({"local_off": termios.ISIG}, b"\x03", signal.SIGINT),
            ({"characters": [(termios.VINTR, undefined)]}, b"\x03", signal.SIGINT),
            ({"characters": [(termios.VQUIT, undefined)]}, b"\x1c", signal.SIGQUIT),
            ({"characters": [(termios.VINTR, b"\x0b"), (termios.VQUIT, b"\x03")]}, b"\x03", signal.SIGINT),
            ({"characters": [(termios.VINTR, undefined), (termios.VQUIT, undefined)], "local_off": termios.ISIG},
             b"\x1c", signal.SIGQUIT),
        ]
        for terminal_had, key, ending in cases:
            with self.subTest(terminal_had=terminal_had, key=key):
                with Terminal([*RADVAL, "1", "b"], **terminal_had) as terminal:
                    terminal.read_until(result_lines(b"1"))
                    terminal.wait_for_key_mode()
                    terminal.type(key)
                    self.assertEqual(terminal.wait()[0], -ending)
                    self.assert_restored(terminal)

    def test_another_reader_of_the_terminal_waits_for_a_byte_beside_it(self):
        # Even where the terminal had reads return at once (stty min 0), a
        # program reading it beside radval's wait waits for a byte, as it
        # would beside a shell or a pager, instead of reading end of file.
        for minimum in (b"\x01", b"\x00"):
            with self.subTest(minimum=minimum):
                with Terminal([*RADVAL, "1", "b"], characters=[(termios.VMIN, minimum)]) as terminal:
                    terminal.read_until(result_lines(b"1"))
                    terminal.wait_for_key_mode()
                    reader = subprocess.Popen(["head", "-c1"], stdin=terminal.slave, stdout=subprocess.DEVNULL)
                    self.assertRaises(subprocess.TimeoutExpired, reader.wait, 1)
                    reader.kill()
                    reader.wait()
                    terminal.type(b"x")
                    self.assertEqual(terminal.wait()[0], 0)
                    self.assert_restored(terminal)

    def test_an_escape_sequence_over_a_slow_link_is_taken_whole(self):
        # A key of each shape that the key strings of a few common terminals
        # take (from their terminfo entries), its bytes 250 ms apart, typed
        # for radvals waiting side by side. A row whose bytes left later than
        # the gap allows, the suite itself kept off the CPU, tells nothing and
        # is typed again.
        shapes = {}
        for key in sorted(key_strings("xterm", "gnome", "xfce", "konsole", "rxvt-unicode", "linux", "putty")):
            shapes.setdefault(grammar_shape(key), key)
        keys = sorted(shapes.values())
        for _ in range(3):
            terminals = [self.open_terminal([*RADVAL, "1", "b"]) for _ in keys]
            for terminal in terminals:
                terminal.read_until(result_lines(b"1"))
                terminal.wait_for_key_mode()
            late = []
            for terminal, key, gap in zip(terminals, keys, type_slowly(terminals, keys, 0.25)):
                if gap > 0.3:
                    late.append(key)
                    continue
                with self.subTest(key=key):
                    self.assertEqual(terminal.wait()[0], 0)
                    self.assertEqual(terminal.pending_input(), b"")
            if not (keys := late):
                break
        self.assertEqual(keys, [], "the suite, kept off the CPU, never typed these in time")

    def test_a_sequence_that_never_ends_does_not_hold_the_wait_open(self):
        # Parameters within the gap, again and again: the wait takes them up
        # to a sequence's length bound, and ends while they still come.
        self.reach_the_wait()
        self.terminal.type(b"\x1b[")
        for _ in range(50):
            if ended(self.terminal.process):
                break
            self.terminal.type(b"1;")
            time.sleep(0.1)
        self.assertTrue(ended(self.terminal.process), "the wait still took the sequence after 5 s")
        self.assertEqual(self.terminal.wait()[0], 0)
        self.assert_restored(self.terminal)

    def test_stops_and_continues_are_blocked_but_while_the_wait_sleeps_or_reads(self):
        # Each pselect is held at its entry for a second, with the mask
        # radval keeps while awake; inside it, the mask radval started with,
        # as inside a read. A lone ESC is read, then the next look, for the
        # rest of its sequence, is held from 1 s to 2 s after it.
        skip_if_hosted(self, "the emulator makes its own system calls, and LeakSanitizer stops under ptrace")
        terminal = self.open_terminal([*injecting("pselect6", "delay_enter=1000000"), *RADVAL, "1", "b"])
        terminal.read_until(result_lines(b"1"))
        terminal.wait_for_key_mode()
        radval = only_child(terminal.process.pid)
        self.assertEqual(blocked_signals(radval), signal_bits(signal.SIGTSTP, signal.SIGCONT))
        terminal.type(b"\x1b")
        time.sleep(1.5)
        self.assertEqual(blocked_signals(radval), signal_bits(signal.SIGTSTP, signal.SIGCONT))
        self.assertEqual(terminal.wait()[0], 0)

    def test_a_stop_noted_as_a_key_arrives_is_acted_on_before_the_key_is_read(self):
        # The look that sees the key is held on its way out for a second,
        # and a stop sent meanwhile is noted: the wait acts on it first
        # (here, where the system discards the stop, by putting the terminal
        # back and taking it again), then reads the key, leaving nothing.
        skip_if_hosted(self, "the emulator makes its own system calls, and LeakSanitizer stops under ptrace")
        terminal = self.open_terminal([*injecting("pselect6", "delay_exit=1000000:when=2"), *RADVAL, "1", "b"])
        terminal.read_until(result_lines(b"1"))
        terminal.wait_for_key_mode()
        radval = only_child(terminal.process.pid)
        settle(lambda: process_stat(radval)[0] == "S", "radval slept in its second look", terminal.process)
        terminal.type(b"x")
        time.sleep(0.3)
        os.kill(radval, signal.SIGTSTP)
        self.assertEqual(terminal.wait()[0], 0)
        self.assert_restored(terminal)
        self.assertEqual(terminal.pending_input(), b"")

    def test_a_lone_escape_still_ends_the_wait(self):
        self.reach_the_wait()
        self.terminal.type(b"\x1b")
        self.assertEqual(self.terminal.wait()[0], 0)
        self.assert_restored(self.terminal)

    def test_an_idle_wait_sleeps_until_a_key(self):
        self.reach_the_wait()
        before = voluntary_switches(self.terminal.process.pid)
        time.sleep(2)
        self.assertLessEqual(voluntary_switches(self.terminal.process.pid) - before, 1)
        self.terminal.type(b"x")
        self.assertEqual(self.terminal.wait()[0], 0)


class OtherTerminal(TerminalCase):
    def test_a_terminal_that_is_not_the_controlling_one_gives_keys_too(self):
        # It has no job control for radval, so radval is in the background
        # of none, even where nothing would stop it there.
        for ignored in ([], [signal.SIGTTOU]):
            with self.subTest(ignored=ignored):
                terminal = self.open_terminal([*RADVAL, "1", "b"], controlling=False, prepare=limited(ignored=ignored))
                terminal.read_until(result_lines(b"1"))
                terminal.wait_for_key_mode()
                terminal.type(b"x")
                self.assertEqual(terminal.wait()[0], 0)
                self.assert_restored(terminal)


class TypedAhead(TerminalCase):
    def test_a_key_typed_before_the_wait_ends_it_at_once(self):
        terminal = self.open_terminal([*RADVAL, "59FF", "h"], typed_ahead=b"k")
        self.assertEqual(terminal.wait()[0], 0)
        terminal.read_until(b"k" + result_lines(b"23039"))  # the terminal echoes what is typed ahead
        self.assert_restored(terminal)


def states(pid):
    """The states of `pid` at five looks 10 ms apart: a process that wakes
    now and then may be caught running at one, where a spinning one is at
    every one, and a stopped one at none."""
    seen = []
    for _ in range(5):
        seen.append(process_stat(pid)[0])
        time.sleep(0.01)
    return seen


def assert_idle(test, pid, ticks=1):
    """`pid` sleeps, neither stopped nor using more than `ticks` of CPU, for
    half a second."""
    before = cpu_ticks(pid)
    time.sleep(0.5)
    test.assertLessEqual(cpu_ticks(pid) - before, ticks)
    test.assertIn("S", states(pid))


class Shell:
    """A real interactive shell on a fresh terminal, typed at as a user
    types: bash, whose fg hands the terminal to a job that is running without
    continuing it, or dash, whose fg continues it. What the terminal shows is
    read up to a mark, since a shell's notices of its jobs come when they
    come."""

    PROMPT = b"ready$ "
    SETTINGS = re.compile(rb"[0-9a-f]+(?::[0-9a-f]+){30,}")  # as stty -g prints them
    COMMANDS = {"bash": ["bash", "--norc", "--noprofile", "-i"], "dash": ["dash", "-i"]}

    def __init__(self, test, name):
        self.test = test
        environment = {**os.environ, "PS1": self.PROMPT.decode(), "HISTFILE": "/dev/null", "TERM": "dumb"}
        environment.pop("ENV", None)
        self.terminal = test.open_terminal(self.COMMANDS[name], env=environment)
        self.shown = b""
        self.read_through(self.PROMPT)
        self.radval = shlex.join(RADVAL) + " 59FF h"

    def read_through(self, mark):
        """What the terminal has shown since the last read, through the next
        `mark`."""
        deadline = time.monotonic() + PATIENCE
        while mark not in self.shown:
            if time.monotonic() > deadline:
                raise AssertionError(f"no {mark!r} after {self.shown[-300:]!r}")
            if select.select([self.terminal.master], [], [], 0.05)[0]:
                self.shown += os.read(self.terminal.master, 65536)
        end = self.shown.index(mark) + len(mark)
        seen, self.shown = self.shown[:end], self.shown[end:]
        return seen

    def type(self, text):
        self.terminal.type(text.encode())

    def run(self, line):
        """Types a command line; what it showed once the shell prompts again."""
        self.type(line + "\n")
        return self.read_through(self.PROMPT)

    def settings(self):
        """The terminal's settings as the shell's commands find them."""
        return re.search(self.SETTINGS, self.run("stty -g"))[0]

    def radval_process(self, let_go=False):
        """radval's process, once the shell has started it: a child of the
        shell, or, where the shell has let go of it (setsid), any process
        with radval's command line that reads the shell's terminal."""
        command_line = b"".join(arg.encode() + b"\0" for arg in shlex.split(self.radval))
        terminal = os.ttyname(self.terminal.slave)
        def radval():
            shell = self.terminal.process.pid
            candidates = [int(pid) for pid in os.listdir("/proc") if pid.isdigit()] if let_go else children(shell)
            for pid in candidates:
                with contextlib.suppress(OSError), open(f"/proc/{pid}/cmdline", "rb") as cmdline:
                    if cmdline.read() == command_line and os.readlink(f"/proc/{pid}/fd/0") == terminal:
                        return pid
            return None
        return settle(radval, "the shell started radval", self.terminal.process)

    def wait_until_stopped(self, pid):
        """Waits until radval has stopped and the shell knows it, as a user
        who reads its notice does before typing fg."""
        settle(lambda: b"Stopped" in self.run("jobs"), "the shell saw radval stopped", self.terminal.process)
        self.test.assertEqual(process_stat(pid)[0], "T")

    def wait_for_the_key_wait(self, pid):
        """Waits until radval waits for a key, in key mode, in the
        foreground; then takes in what the terminal has shown so far."""
        def waiting():
            state, _, group, _, _, foreground = process_stat(pid)[:6]
            return state == "S" and group == foreground and self.terminal.in_key_mode()
        settle(waiting, "radval waited for a key in the foreground", self.terminal.process)
        while select.select([self.terminal.master], [], [], 0.1)[0]:
            os.read(self.terminal.master, 65536)
        self.shown = b""

    def press_a_key(self, settings):
        """Presses a key for radval, which must end at once with status 0,
        having echoed nothing, left nothing for the shell, and put the
        terminal back to `settings`."""
        self.type("x")
        self.test.assertEqual(self.read_through(self.PROMPT), self.PROMPT)
        self.test.assertEqual(self.run('echo "rc=$?"'), b'echo "rc=$?"\nrc=0\n' + self.PROMPT)
        self.test.assertEqual(self.settings(), settings)


class JobControl(TerminalCase):
    """radval as a job of a real bash and a real dash."""

    SHELLS = ("bash", "dash")

    def test_started_in_the_background_it_ends_on_a_key_once_brought_to_the_foreground(self):
        # Where the shell's own line starts radval in the background and
        # brings it back, and where a later line does. A job that reaches
        # the wait in the background stops, the terminal left to the shell.
        for name in self.SHELLS:
            for rounds, later_line in ((3, False), (20, True)):
                with self.subTest(shell=name, later_line=later_line):
                    shell = Shell(self, name)
                    settings = shell.settings()
                    for _ in range(rounds):
                        if later_line:
                            shell.run(shell.radval + " &")
                            shell.wait_until_stopped(shell.radval_process())
                            shell.type("fg\n")
                        else:
                            shell.type(shell.radval + " & sleep 1; fg\n")
                        shell.wait_for_the_key_wait(shell.radval_process())
                        shell.press_a_key(settings)

    def test_ctrl_z_gives_the_terminal_back_and_fg_resumes_the_wait_idle(self):
        # Continued in the background by bg, the job stops again at once:
        # by SIGTTOU, with Ctrl+Z blocked as in the wait. With SIGCONT
        # ignored no continue is ever noted: the stop itself must lead back
        # to key mode. A setting changed while it is stopped is the shell's
        # to keep.
        cases = [(name, "", False) for name in self.SHELLS]
        cases += [(name, "", True) for name in self.SHELLS]
        cases.append(("bash", "trap '' CONT; ", False))
        for name, trap, bg in cases:
            with self.subTest(shell=name, trap=trap, bg=bg):
                shell = Shell(self, name)
                settings = shell.settings()
                shell.type(trap + shell.radval + "\n")
                job = shell.radval_process()
                shell.wait_for_the_key_wait(job)
                for _ in range(2):  # the second time, after a first stop and continue
                    shell.type("\x1a")
                    shell.read_through(shell.PROMPT)
                    # Stopped by the one signal it unblocked to stop by.
                    self.assertEqual(process_stat(job)[0], "T")
                    self.assertEqual(blocked_signals(job), signal_bits(signal.SIGCONT))
                    self.assertEqual(shell.settings(), settings)
                    shell.run("stty rprnt '^A'")
                    settings = shell.settings()
                    if bg:
                        shell.run("bg")
                        shell.wait_until_stopped(job)
                        self.assertEqual(blocked_signals(job), signal_bits(signal.SIGTSTP, signal.SIGCONT))
                        self.assertEqual(shell.settings(), settings)
                    shell.type("fg\n")
                    shell.wait_for_the_key_wait(job)
                    assert_idle(self, job)
                    self.assertTrue(signal_mask(job, "SigCgt") & signal_bits(signal.SIGTSTP), "Ctrl+Z is caught again")
                shell.press_a_key(settings)

    def test_where_sigttou_is_ignored_a_background_job_leaves_the_terminal_alone(self):
        # The terminal would let such a job set it from the background, and
        # nothing stops it: it waits idle, leaving the terminal and what is
        # typed to the shell (with SIGTTIN ignored too, a read would fail
        # as if it had hung up), and takes the terminal as the shell has it
        # once brought to the foreground, by bash without a continue.
        for name in self.SHELLS:
            with self.subTest(shell=name):
                shell = Shell(self, name)
                before = shell.settings()
                shell.run("trap '' TTOU TTIN")
                shell.type(shell.radval + " & sleep 1\n")
                job = shell.radval_process()
                settle(lambda: signal_mask(job, "SigCgt") & signal_bits(signal.SIGTSTP), "radval's wait began",
                       shell.terminal.process)
                # It looks for the hand-over ten times in the half second,
                # which an emulator makes cost a tick or two; spinning would
                # cost fifty.
                assert_idle(self, job, ticks=5)
                shell.type("stty -g\n")  # typed ahead for the shell while it sleeps
                shown = shell.read_through(shell.PROMPT) + shell.read_through(shell.PROMPT)
                self.assertEqual(re.search(Shell.SETTINGS, shown)[0], before)
                shell.run("stty rprnt '^A'")
                settings = shell.settings()
                self.assertNotEqual(settings, before)
                shell.type("fg\n")
                shell.wait_for_the_key_wait(job)
                shell.press_a_key(settings)

    def test_in_a_session_of_its_own_it_leaves_the_shell_reading(self):
        # setsid leaves radval waiting on the shell's terminal beside the
        # shell, which reads it again once sleep ends: the two wait for a
        # byte together. Once radval has gone, the shell runs the next
        # command, where end of file would have ended it.
        for name in self.SHELLS:
            with self.subTest(shell=name):
                shell = Shell(self, name)
                shell.type(f"setsid sh -c 'sleep 1; exec {shell.radval}'; sleep 3\n")
                job = shell.radval_process(let_go=True)
                shell.read_through(shell.PROMPT)
                # An emulator under load may still be busy with it for a
                # moment; radval must be waiting, asleep, not gone.
                settle(lambda: process_stat(job)[0] == "S", "radval waiting beside the shell",
                       shell.terminal.process)
                os.kill(job, signal.SIGTERM)
                settle(lambda: not os.path.exists(f"/proc/{job}") or process_stat(job)[0] == "Z", "radval ended",
                       shell.terminal.process)
                self.assertEqual(shell.run("echo alive"), b"echo alive\nalive\n" + shell.PROMPT)

    def test_a_stop_the_system_discards_leaves_the_wait_in_key_mode(self):
        # radval leads a session of its own here, so its process group is
        # orphaned and the system discards the stop that Ctrl+Z asks for.
        # The mark is gone once radval has put the terminal back to stop.
        # Under strace, each pselect held at its entry for a second shows the
        # mask radval keeps while awake: stops and continues blocked again.
        wrappers = [[]]
        if not (EMULATED or SANITIZED):
            wrappers.append(injecting("pselect6", "delay_enter=1000000"))
        for wrapper in wrappers:
            with self.subTest(under_strace=bool(wrapper)):
                terminal = self.open_terminal([*wrapper, *RADVAL, "1", "b"])
                terminal.read_until(result_lines(b"1"))
                terminal.wait_for_key_mode()
                marked = termios.tcgetattr(terminal.slave)
                marked[6][termios.VREPRINT] = b"\x01"
                termios.tcsetattr(terminal.slave, termios.TCSANOW, marked)
                terminal.type(b"\x1a")
                settle(lambda: termios.tcgetattr(terminal.slave)[6][termios.VREPRINT] != b"\x01",
                       "the terminal was put back for the stop", terminal.process)
                terminal.wait_for_key_mode()
                if wrapper:
                    self.assertEqual(blocked_signals(only_child(terminal.process.pid)),
                                     signal_bits(signal.SIGTSTP, signal.SIGCONT))
                terminal.type(b"x")
                self.assertEqual(terminal.wait()[0], 0)
                self.assert_restored(terminal)


class NoTerminal(unittest.TestCase):
    def start(self):
        process = subprocess.Popen([*RADVAL, "59FF", "h"], stdin=subprocess.DEVNULL,
                                   stdout=subprocess.PIPE)
        self.addCleanup(process.stdout.close)
        self.addCleanup(process.kill)
        self.assertEqual(process.stdout.read(len(result_lines(b"23039"))), result_lines(b"23039"))
        return process

    def test_without_a_terminal_it_waits_idle_until_a_signal_ends_it(self):
        for ending in (signal.SIGTERM, signal.SIGHUP, signal.SIGINT):
            with self.subTest(signal=ending.name):
                process = self.start()
                time.sleep(0.5)
                self.assertIsNone(process.poll())
                process.send_signal(ending)
                _, status, usage = os.wait4(process.pid, 0)
                process.returncode = os.waitstatus_to_exitcode(status)
                self.assertEqual(process.returncode, -ending)
                self.assertLess(usage.ru_utime + usage.ru_stime, 0.3)
                self.assertEqual(process.stdout.read(), b"")


class HungUp(TerminalCase):
    def test_a_terminal_that_hung_up_before_the_start_ends_the_wait(self):
        # As when a remote login drops just before radval runs; SIGHUP,
        # ignored as nohup leaves it or not, has come and gone by then.
        for ignored in ([], [signal.SIGHUP]):
            with self.subTest(ignored=ignored):
                master, slave = os.openpty()
                os.close(master)
                try:
                    done = subprocess.run([*RADVAL, "59FF", "h"], stdin=slave, stdout=subprocess.PIPE,
                                          stderr=subprocess.PIPE, timeout=PATIENCE, preexec_fn=limited(ignored=ignored))
                finally:
                    os.close(slave)
                self.assertEqual((done.stdout, done.returncode, done.stderr), (result_lines(b"23039"), 0, b""))

    def test_a_terminal_that_hangs_up_during_the_wait_ends_it(self):
        # A continue first interrupts the wait, leaving EINTR in errno: the
        # end of file is no signal, whatever errno says.
        terminal = self.open_terminal([*RADVAL, "1", "b"], prepare=limited(ignored=[signal.SIGHUP]))
        terminal.read_until(result_lines(b"1"))
        terminal.wait_for_key_mode()
        terminal.process.send_signal(signal.SIGCONT)
        time.sleep(0.1)
        terminal.hang_up()
        self.assertEqual(terminal.wait()[0], 0)


class LostOutput(TerminalCase):
    """Output that cannot be written is lost; the exit status stays."""

    def closed_pipe(self):
        read_end, write_end = os.pipe()
        os.close(read_end)
        self.addCleanup(os.close, write_end)
        return write_end

    def full_device(self):
        device = open("/dev/full", "wb")
        self.addCleanup(device.close)
        return device.fileno()

    def test_usage_and_fault_keep_their_status(self):
        for name, target in (("closed pipe", self.closed_pipe), ("/dev/full", self.full_device)):
            for args, status in (([], 0), (["12", "b"], 1)):
                with self.subTest(output=name, args=args):
                    self.assertEqual(run(args, stdout=target())[1:], (status, b""))

    def test_a_conversion_still_waits_for_its_key_and_exits_0(self):
        for name, target in (("closed pipe", self.closed_pipe), ("/dev/full", self.full_device)):
            with self.subTest(output=name):
                with Terminal([*RADVAL, "59FF", "h"], stdout=target()) as terminal:
                    terminal.wait_for_key_mode()
                    terminal.type(b"x")
                    self.assertEqual(terminal.wait()[0], 0)
                    self.assertEqual(terminal.output, b"")

    def test_a_file_size_limit_loses_what_does_not_fit_and_keeps_the_status(self):
        for limit in (0, 10):
            for args, output, status in (([], USAGE, 0), (["12", "b"], FAULTS[0][1], 1)):
                with self.subTest(limit=limit, args=args), tempfile.TemporaryFile() as file:
                    done = subprocess.run([*RADVAL, *args], stdin=subprocess.DEVNULL, stdout=file,
                                          stderr=subprocess.PIPE, timeout=PATIENCE,
                                          preexec_fn=limited([(resource.RLIMIT_FSIZE, limit)]))
                    self.assertEqual((done.returncode, done.stderr), (status, b""))
                    file.seek(0)
                    self.assertEqual(file.read(), output[:limit])

    def test_a_conversion_past_the_file_size_limit_still_waits_for_its_key(self):
        with tempfile.TemporaryFile() as file:
            terminal = self.open_terminal([*RADVAL, "59FF", "h"], stdout=file.fileno(),
                                          prepare=limited([(resource.RLIMIT_FSIZE, 3)]))
            terminal.wait_for_key_mode()
            self.assertTrue(terminal.still_running_after(0.2))
            terminal.type(b"x")
            self.assertEqual(terminal.wait()[0], 0)
            file.seek(0)
            self.assertEqual(file.read(), result_lines(b"23039")[:3])

    def test_output_waits_for_a_full_pipe_with_or_without_descriptors_to_spare(self):
        skip_if_hosted(self, "the emulator or the sanitizers' runtime needs descriptors to start")
        # A full pipe, with descriptors to spare for poll and without.
        for limits in ([], [(resource.RLIMIT_NOFILE, 0)]):
            with self.subTest(limits=limits):
                read_end, write_end = os.pipe()
                self.addCleanup(os.close, read_end)
                os.set_blocking(write_end, False)
                filled = 0
                try:
                    while True:
                        filled += os.write(write_end, b"f" * 4096)
                except BlockingIOError:
                    pass
                process = subprocess.Popen([*RADVAL], stdin=subprocess.DEVNULL, stdout=write_end,
                                           preexec_fn=limited(limits))
                self.addCleanup(process.kill)
                os.close(write_end)
                time.sleep(0.3)
                self.assertIsNone(process.poll())  # waiting for room, not gone
                # Asleep, not spinning on the full pipe; without descriptors
                # it wakes now and then to try again.
                self.assertIn("S", states(process.pid))
                received = b""
                deadline = time.monotonic() + PATIENCE
                while True:
                    readable, _, _ = select.select([read_end], [], [], max(0.0, deadline - time.monotonic()))
                    self.assertTrue(readable, f"the output stopped after {len(received)} bytes")
                    if not (chunk := os.read(read_end, 65536)):
                        break
                    received += chunk
                _, status, usage = os.wait4(process.pid, 0)
                process.returncode = os.waitstatus_to_exitcode(status)
                self.assertEqual(process.returncode, 0)
                self.assertEqual(received[filled:], USAGE)
                self.assertLess(usage.ru_utime + usage.ru_stime, 0.2)


class FailingCalls(TerminalCase):
    """No system call that fails makes a wait spin or lose a key."""

    def assert_idle_then_ended_by_a_key(self, command, limit_during_wait=False, blocking=True, **options):
        terminal = self.open_terminal(command, **options)
        os.set_blocking(terminal.slave, blocking)  # the open file radval reads, too
        terminal.read_until(result_lines(b"1"))
        terminal.wait_for_key_mode()
        if limit_during_wait:
            resource.prlimit(terminal.process.pid, resource.RLIMIT_NOFILE, (0, 0))
        self.assertTrue(terminal.still_running_after(1.0))
        terminal.type(b"x")
        status, cpu_seconds = terminal.wait()
        self.assertEqual(status, 0)
        self.assertLess(cpu_seconds, 0.3)
        self.assert_restored(terminal)

    def test_no_descriptors_to_spare_from_the_start(self):
        skip_if_hosted(self, "the emulator or the sanitizers' runtime needs descriptors to start")
        self.assert_idle_then_ended_by_a_key([*RADVAL, "1", "b"], prepare=limited([(resource.RLIMIT_NOFILE, 0)]))

    def test_no_descriptors_to_spare_from_the_middle_of_the_wait(self):
        if SANITIZED:
            self.skipTest("the sanitizers' runtime needs descriptors to end")
        self.assert_idle_then_ended_by_a_key([*RADVAL, "1", "b"], limit_during_wait=True)

    @unittest.skipUnless(shutil.which("strace"), "needs strace")
    def test_a_failing_wait_for_input_falls_back_to_sleeping(self):
        # Under strace radval's CPU time says little: it is its own calls,
        # at most one every 50 ms of the second's wait, that tell. A read
        # with nothing to read then says EAGAIN where standard input was
        # left non-blocking, and 0 bytes where not: neither is a key or
        # the end.
        skip_if_hosted(self, "the emulator makes its own system calls, and LeakSanitizer stops under ptrace")
        for blocking in (True, False):
            with self.subTest(blocking=blocking), tempfile.NamedTemporaryFile("r") as calls:
                self.assert_idle_then_ended_by_a_key([*injecting("pselect6", "error=ENOMEM", calls.name), *RADVAL,
                                                      "1", "b"], blocking=blocking)
                self.assertLess(sum(line.startswith("pselect6(") for line in calls), 60)

    @unittest.skipUnless(shutil.which("strace"), "needs strace")
    def test_a_read_that_fails_for_now_loses_no_key(self):
        # Interrupted, or with nothing to take after all, the read leaves
        # the key where it was, and the wait takes it at its next look.
        skip_if_hosted(self, "the emulator makes its own system calls, and LeakSanitizer stops under ptrace")
        for error in ("EINTR", "EAGAIN"):
            with self.subTest(error=error):
                terminal = self.open_terminal([*injecting("read", f"error={error}:when=1"), *RADVAL, "1", "b"])
                terminal.read_until(result_lines(b"1"))
                terminal.wait_for_key_mode()
                terminal.type(b"x")
                self.assertEqual(terminal.wait()[0], 0)
                self.assertEqual(terminal.pending_input(), b"")


class Idle(unittest.TestCase):
    def test_without_a_terminal_the_wait_sleeps_until_a_signal(self):
        process = subprocess.Popen([*RADVAL, "1", "b"], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE)
        self.addCleanup(process.stdout.close)
        self.addCleanup(process.kill)
        self.assertEqual(process.stdout.read(len(result_lines(b"1"))), result_lines(b"1"))
        time.sleep(0.1)
        switches, ticks = voluntary_switches(process.pid), cpu_ticks(process.pid)
        time.sleep(2)
        # Asleep throughout: neither woken, nor busy without a pause.
        self.assertLessEqual(voluntary_switches(process.pid) - switches, 1)
        self.assertLessEqual(cpu_ticks(process.pid) - ticks, 1)


class Background(TerminalCase):
    def test_an_orphaned_background_job_ends_its_wait_when_the_terminal_refuses_a_read(self):
        # Started in the background by a script that has ended, radval can
        # be neither stopped nor given the terminal: a line typed, which no
        # shell reads here, makes its read fail, and the wait ends there,
        # idle before. So too where pselect fails and the read is made blind.
        wrappers = [[]]
        if shutil.which("strace") and not (EMULATED or SANITIZED):
            wrappers.append(injecting("pselect6", "error=ENOMEM"))
        for wrapper in wrappers:
            with self.subTest(under_strace=bool(wrapper)):
                report_r, report_w = os.pipe()
                done_r, done_w = os.pipe()
                self.addCleanup(os.close, done_w)
                terminal = self.open_terminal([sys.executable, ORPHANING, str(report_w), str(done_r), *wrapper, *RADVAL,
                                               "59FF", "h"], pass_fds=(report_w, done_r))
                os.close(report_w)
                os.close(done_r)
                with os.fdopen(report_r) as report:
                    job = int(report.readline())
                terminal.read_until(result_lines(b"23039"))
                if not wrapper:
                    assert_idle(self, job)
                terminal.type(b"ls\n")
                deadline = time.monotonic() + PATIENCE
                while os.path.exists(f"/proc/{job}") and process_stat(job)[0] != "Z":
                    if time.monotonic() > deadline:
                        self.fail("the orphaned job kept waiting")
                    time.sleep(0.01)
                self.assert_restored(terminal)


def in_written_order(module):
    """The cases of `module` in the order they are written, the quick ones
    first, so that a run told to stop at its first failure stops soon."""
    ordered = unittest.TestSuite()
    for case in vars(module).values():
        if isinstance(case, type) and issubclass(case, unittest.TestCase) and case.__module__ == module.__name__:
            ordered.addTests(case(name) for name in vars(case) if name.startswith("test_"))
    return ordered


def load_tests(loader, tests, pattern):
    return in_written_order(sys.modules[__name__])


if __name__ == "__main__":
    if sys.argv[1] == "--emulator":
        EMULATED = True
        RADVAL = [sys.argv.pop(2)]
        sys.argv.pop(1)
    elif sys.argv[1] == "--sanitized":
        SANITIZED = True
        sys.argv.pop(1)
    RADVAL = [*RADVAL, os.path.abspath(sys.argv.pop(1))]
    # A signal ignored by whoever started the suite (a background job of a
    # script ignores SIGINT and SIGQUIT, nohup SIGHUP) would stay ignored in
    # every radval it starts: the cases that ignore one say so themselves.
    for number in signal.valid_signals() - {signal.SIGKILL, signal.SIGSTOP}:
        if signal.getsignal(number) == signal.SIG_IGN:
            signal.signal(number, signal.SIG_DFL)
    unittest.main(verbosity=2)
