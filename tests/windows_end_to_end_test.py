"""End-to-end checks of radval.exe run under an emulator (Wine): the exact
bytes it writes to a file, its exit statuses, the wildcard expansion of its
arguments, its key wait with a terminal on standard input, and what it shows
on the emulator's console (a tmux pane of 80 x 25), where it writes through
the console API.

usage: windows_end_to_end_test.py EMULATOR PATH_TO_RADVAL_EXE [unittest arguments]
"""
import os
import shlex
import subprocess
import sys
import tempfile
import time
import unittest

from expected_output import CONVERSIONS, FAULTS, USAGE, USAGE_CALLS, result_lines

EMULATOR = ""
RADVAL = ""
PATIENCE = 60  # seconds; the emulator's first start sets up its prefix


def portable(args):
    """Arguments that a Windows command line carries unchanged: ASCII, and
    within its 32,767 characters."""
    return all(a.isascii() for a in args) and sum(len(a) for a in args) < 30000


class Run:
    """radval.exe with standard output going to a file, in `directory`."""

    def __init__(self, args, directory=None, stdin=subprocess.DEVNULL):
        self.file = tempfile.TemporaryFile()
        self.process = subprocess.Popen([EMULATOR, RADVAL, *args], stdin=stdin, stdout=self.file,
                                        stderr=subprocess.DEVNULL, cwd=directory)

    def wait(self):
        status = self.process.wait(PATIENCE)
        return self.output(), status

    def output(self):
        self.file.seek(0)
        return self.file.read()

    def wait_for_output(self, expected):
        deadline = time.monotonic() + PATIENCE
        while self.output() != expected:
            if time.monotonic() > deadline or self.process.poll() is not None:
                raise AssertionError(f"output {self.output()!r}, not {expected!r}")
            time.sleep(0.05)

    def close(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.file.close()


def run(args, directory=None):
    call = Run(args, directory)
    try:
        return call.wait()
    finally:
        call.close()


class Console:
    """A pseudo-terminal for standard input, which the emulator turns into
    the program's console keyboard."""

    def __init__(self):
        self.master, self.slave = os.openpty()

    def close(self):
        os.close(self.master)
        os.close(self.slave)


class Output(unittest.TestCase):
    def test_wrong_calls_print_the_usage_text_and_exit_0(self):
        for args in USAGE_CALLS:
            with self.subTest(args=args):
                self.assertEqual(run(args), (USAGE, 0))

    def test_an_invalid_digit_prints_one_error_line_and_exits_1(self):
        for args, line in FAULTS:
            if portable(args):
                with self.subTest(args=[a[:20] for a in args]):
                    self.assertEqual(run(args), (line, 1))


class Wildcards(unittest.TestCase):
    def test_names_that_match_replace_the_argument_and_others_pass_unchanged(self):
        cases = [
            ([], ["?", "h"], result_lines(b"15")),
            (["101"], ["1?1", "b"], result_lines(b"5")),
            (["ff"], ["f*", "h"], result_lines(b"255")),
            (["12"], ["1?", "q"], result_lines(b"6")),
            (["a1", "a2"], ["a?", "h"], USAGE),  # a1 and a2: type "a2"
            ([], ["1?1", "b"], b"ERROR: 1?1 is not base 2\r\n"),
        ]
        for files, args, expected in cases:
            with self.subTest(files=files, args=args), tempfile.TemporaryDirectory() as directory:
                for name in files:
                    open(os.path.join(directory, name), "w").close()
                console = Console()
                call = Run(args, directory, stdin=console.slave)
                try:
                    call.wait_for_output(expected)
                    if expected.startswith(b"\r\n"):
                        os.write(console.master, b"x")
                    self.assertEqual(call.wait(), (expected, 0 if expected[:1] != b"E" else 1))
                finally:
                    call.close()
                    console.close()


class KeyWait(unittest.TestCase):
    def test_the_value_is_printed_between_blank_lines_and_a_key_ends_the_run(self):
        for args, digits in CONVERSIONS:
            if portable(args):
                with self.subTest(args=args):
                    console = Console()
                    call = Run(args, stdin=console.slave)
                    try:
                        call.wait_for_output(result_lines(digits))
                        os.write(console.master, b"k")
                        self.assertEqual(call.wait(), (result_lines(digits), 0))
                    finally:
                        call.close()
                        console.close()

    def test_it_waits_until_a_key_and_a_function_key_counts(self):
        console = Console()
        self.addCleanup(console.close)
        call = Run(["59FF", "h"], stdin=console.slave)
        self.addCleanup(call.close)
        call.wait_for_output(result_lines(b"23039"))
        time.sleep(1.0)
        self.assertIsNone(call.process.poll())
        os.write(console.master, b"\x1b[15~")  # F5
        self.assertEqual(call.wait(), (result_lines(b"23039"), 0))

    def test_without_a_console_on_standard_input_it_keeps_waiting(self):
        call = Run(["59FF", "h"])
        self.addCleanup(call.close)
        call.wait_for_output(result_lines(b"23039"))
        time.sleep(1.0)
        self.assertIsNone(call.process.poll())


class Pane:
    """radval.exe on the console the emulator makes of a tmux pane of
    80 x 25, followed by its exit status."""

    def __init__(self, args):
        self.server = ["tmux", "-L", f"radval-test-{os.getpid()}"]
        command = shlex.join([EMULATOR, RADVAL, *args]) + '; echo "rc=$?"; sleep 600'
        subprocess.run([*self.server, "new-session", "-d", "-x", "80", "-y", "25", command], check=True)

    def rows(self):
        shown = subprocess.run([*self.server, "capture-pane", "-p"], stdout=subprocess.PIPE, text=True, check=True)
        return shown.stdout.split("\n")

    def wait_for_row(self, text):
        deadline = time.monotonic() + PATIENCE
        while text not in self.rows():
            if time.monotonic() > deadline:
                raise AssertionError(f"no row {text!r} in {self.rows()!r}")
            time.sleep(0.1)
        return self.rows()

    def press(self, key):
        subprocess.run([*self.server, "send-keys", key], check=True)

    def close(self):
        subprocess.run([*self.server, "kill-server"], check=False)


class ConsoleScreen(unittest.TestCase):
    def show(self, args, last_row):
        pane = Pane(args)
        self.addCleanup(pane.close)
        return pane, pane.wait_for_row(last_row)

    def test_the_usage_text_with_its_tabs_as_spaces(self):
        _, rows = self.show([], "rc=0")
        lines = USAGE.decode().replace("\t", " " * 8).split("\r\n")[:-1]
        self.assertEqual(rows[: len(lines) + 1], [*lines, "rc=0"])

    def test_a_first_piece_that_fills_the_row_puts_the_base_on_the_next(self):
        numeral = "1" * 59 + "2"  # "ERROR: " and " is not base " make it 80 columns
        _, rows = self.show([numeral, "b"], "rc=1")
        self.assertEqual(rows[:3], [f"ERROR: {numeral} is not base", "2", "rc=1"])

    def test_the_value_between_empty_rows_then_a_key_press(self):
        pane, rows = self.show(["59FF", "h"], "23039")
        time.sleep(0.5)
        self.assertNotIn("rc=0", pane.rows())
        pane.press("x")
        rows = pane.wait_for_row("rc=0")
        self.assertEqual(rows[:4], ["", "23039", "", "rc=0"])


if __name__ == "__main__":
    EMULATOR = sys.argv.pop(1)
    RADVAL = sys.argv.pop(1)
    unittest.main(verbosity=2)
