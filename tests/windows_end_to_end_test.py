"""End-to-end checks of radval.exe run under an emulator (Wine): the exact
bytes it writes to a file, its exit statuses, the wildcard expansion of its
arguments, its key wait (with a terminal on standard input, and with input
records written to a real console), and what it shows on the emulator's
console (tmux panes of several sizes), where it writes through the console
API.

usage: windows_end_to_end_test.py EMULATOR PATH_TO_RADVAL_EXE PATH_TO_KEY_INJECTOR_EXE [unittest arguments]
"""
import contextlib
import itertools
import os
import pathlib
import shlex
import subprocess
import sys
import tempfile
import time
import unittest

from end_to_end_test import cpu_ticks, in_written_order
from expected_output import CONVERSIONS, FAULTS, USAGE, USAGE_CALLS, result_lines

EMULATOR = ""
RADVAL = ""
INJECTOR = ""
PATIENCE = 60  # seconds; the emulator's first start sets up its prefix
STARTING = 15  # seconds in which a run that Wine started has written something


def thirty_two_bit(program):
    """Whether a Windows program is built for 32-bit x86, by its PE header."""
    with open(program, "rb") as exe:
        header = exe.read(4096)
    at = int.from_bytes(header[0x3C:0x40], "little")  # where the PE header starts
    return header[at + 4:at + 6] == (0x14C).to_bytes(2, "little")


def portable(args):
    """Arguments that a Windows command line carries unchanged: within its
    32,767 characters. The emulator takes the rest from the UTF-8 locale it
    runs in as they are, for the runtime to split as UTF-16."""
    return sum(len(a) for a in args) < 30000


class WineProgram(contextlib.AbstractContextManager):
    """A Windows program under the emulator (Wine), which under load now and
    then fails to start one: it ends 1, or hangs, having shown nothing. Such
    a start is made once more, with one message; one that has shown a sign
    of life (`alive`) never is, so that nothing is sent to it twice."""

    def __init__(self, name):
        self.name, self.watching = name, True
        self.launch()

    def launch(self):
        self.errors = tempfile.NamedTemporaryFile()  # what Wine says: radval writes nothing there
        self.launched = time.monotonic()
        self.start()

    def started_again(self):
        """Whether the start failed, and the program was started once more;
        after a sign of life, or a second start, there is nothing to watch."""
        if not self.watching or self.alive():
            self.watching = False
            return False
        status = self.status()
        if status != 1 and (status is not None or time.monotonic() - self.launched <= STARTING):
            return False
        failure = "ended 1" if status == 1 else f"ran {STARTING} s"
        said = self.said()[-500:]
        print(f"\n{self.name} showed nothing and {failure} (Wine said {said!r}); starting it once more",
              file=sys.stderr)
        self.close()
        self.watching = False
        self.launch()
        return True

    def said(self):
        """What Wine wrote to standard error."""
        return pathlib.Path(self.errors.name).read_bytes()

    def status(self):
        return self.process.poll()

    def watch(self, look, seen):
        """What `look` finds (a failure found is raised), asking about the
        start after each look; gives up after a while, saying what was `seen`."""
        deadline = time.monotonic() + PATIENCE
        while True:
            found = look()
            if not self.started_again():
                if isinstance(found, AssertionError):
                    raise found
                if found is not None:
                    return found
                if time.monotonic() > deadline:
                    raise AssertionError(seen())
            time.sleep(0.05)

    def close(self):
        self.stop()
        self.errors.close()

    def __exit__(self, *exception):
        self.close()


class Run(WineProgram):
    """radval.exe (or another `program`) with standard output going to a
    file, in `directory`: its output is its sign of life. Where the output
    goes elsewhere (`stdout`), to be lost, Wine's word that it has loaded
    the program is."""

    def __init__(self, args, directory=None, stdin=subprocess.DEVNULL, program=None, env=None, stdout=None):
        self.command = [EMULATOR, program or RADVAL, *args]
        self.stdout = stdout
        if stdout:
            env = {**(env or os.environ), "WINEDEBUG": "-all,+loaddll"}  # Wine's word on what it loads
        self.options = {"stdin": stdin, "cwd": directory, "env": env}
        super().__init__(f"{os.path.basename(self.command[1])} {[a[:20] for a in args[:2]]!r}")

    def start(self):
        self.file = tempfile.TemporaryFile()
        self.process = subprocess.Popen(self.command, stdout=self.stdout or self.file, stderr=self.errors,
                                        **self.options)

    def alive(self):
        if self.stdout is None:
            return bool(self.output())
        return f'{os.path.basename(self.command[1])}" at'.encode() in self.said()

    def stop(self):
        self.process.kill()  # nothing, once it has ended
        self.process.wait()
        self.file.close()

    def wait(self):
        """The output and exit status, once the program has ended."""
        return self.watch(lambda: None if self.process.poll() is None else (self.output(), self.process.returncode),
                          lambda: f"still running, having written {self.output()!r}")

    def output(self):
        # Read at an offset, not by seeking: radval writes through the same
        # open file, and a seek would move the offset under its next write.
        return os.pread(self.file.fileno(), os.fstat(self.file.fileno()).st_size, 0)

    def wait_for_output(self, expected):
        """Waits until the output is `expected`; gives up as soon as it can
        no longer become that."""
        def shown():
            ended, output = self.process.poll() is not None, self.output()
            if output != expected and (ended or not expected.startswith(output)):
                return AssertionError(f"output {output!r}, not {expected!r}")
            return output == expected or None
        self.watch(shown, lambda: f"output {self.output()!r}, not {expected!r}")

    def lines(self):
        """Each line of the output as it comes, until the program ends."""
        def line_after(taken):
            ended, output = self.process.poll() is not None, self.output()
            end = output.find(b"\n", taken)
            return output[taken:end + 1].decode() if end >= 0 else "" if ended else None
        taken = 0
        while line := self.watch(lambda: line_after(taken), lambda: f"nothing more after {self.output()[-200:]!r}"):
            yield line.rstrip("\r\n")  # the runtime writes text with CR LF
            taken += len(line)

    def assert_waits_idle(self):
        """Still running a second later, having used next to no CPU: the
        process that the emulator runs it in is radval's."""
        before = cpu_ticks(self.process.pid)
        time.sleep(1.0)
        assert self.process.poll() is None, "radval ended"
        used = cpu_ticks(self.process.pid) - before
        assert used <= 5, f"radval used {used} clock ticks of CPU in a second of waiting"


def run(args, program=None):
    """The output and exit status of a whole run."""
    with Run(args, program=program) as call:
        return call.wait()


@contextlib.contextmanager
def console():
    """A pseudo-terminal for standard input, which the emulator turns into
    the program's console keyboard: the end to type on, and the input."""
    keyboard, stdin = os.openpty()
    try:
        yield keyboard, stdin
    finally:
        os.close(keyboard)
        os.close(stdin)


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

    def test_a_command_line_of_the_greatest_length_windows_takes(self):
        # 32,766 characters: the program's path as the emulator writes it,
        # quoted (Z: and the Unix path), then the numeral and the type. In
        # its WoW64 mode the emulator refuses lines some 35 characters
        # shorter, whatever the program (the ANSI build did not get them
        # either), so a 32-bit exe gets one of 32,700.
        longest = 32700 if thirty_two_bit(RADVAL) else 32766
        program = len('"Z:' + os.path.abspath(RADVAL) + '"')
        numeral = "1" * (longest - program - len(" ") - len(" b") - 1) + "2"
        self.assertEqual(run([numeral, "b"]), (b"ERROR: " + numeral.encode() + b" is not base 2\r\n", 1))

    def test_output_that_cannot_be_written_costs_only_the_output(self):
        # On a full device every write fails: radval ends with its status,
        # neither spinning on the write nor waiting.
        for args, status in (([], 0), (["2", "b"], 1)):
            with self.subTest(args=args), open("/dev/full", "wb") as full, Run(args, stdout=full) as call:
                self.assertEqual((call.wait()[1], call.alive()), (status, True))


class Wildcards(unittest.TestCase):
    def test_names_that_match_replace_the_argument_and_others_pass_unchanged(self):
        cases = [
            ([], ["?", "h"], result_lines(b"15")),
            (["101"], ["1?1", "b"], result_lines(b"5")),
            (["ff"], ["f*", "h"], result_lines(b"255")),
            (["12"], ["1?", "q"], result_lines(b"6")),
            (["a1", "a2"], ["a?", "h"], USAGE),  # a1 and a2: type "a2"
            ([], ["1?1", "b"], b"ERROR: 1?1 is not base 2\r\n"),
            # matched as the name is, not as the ANSI code page's F; named
            # in the console's code page, which lacks it
            (["\uff26"], ["*", "h"], b"ERROR: ? is not base 16\r\n"),
        ]
        for files, args, expected in cases:
            with self.subTest(files=files, args=args), tempfile.TemporaryDirectory() as directory:
                for name in files:
                    open(os.path.join(directory, name), "w").close()
                with console() as (keyboard, stdin), Run(args, directory, stdin=stdin) as call:
                    call.wait_for_output(expected)
                    if expected.startswith(b"\r\n"):
                        os.write(keyboard, b"x")
                    self.assertEqual(call.wait(), (expected, 0 if expected[:1] != b"E" else 1))


class KeyWait(unittest.TestCase):
    def test_the_value_is_printed_between_blank_lines_and_a_key_ends_the_run(self):
        for args, digits in CONVERSIONS:
            if portable(args):
                with self.subTest(args=args):
                    with console() as (keyboard, stdin), Run(args, stdin=stdin) as call:
                        call.wait_for_output(result_lines(digits))
                        os.write(keyboard, b"k")
                        self.assertEqual(call.wait(), (result_lines(digits), 0))

    def test_it_waits_until_a_key_and_a_function_key_counts(self):
        with console() as (keyboard, stdin), Run(["59FF", "h"], stdin=stdin) as call:
            call.wait_for_output(result_lines(b"23039"))
            call.assert_waits_idle()
            os.write(keyboard, b"\x1b[15~")  # F5
            self.assertEqual(call.wait(), (result_lines(b"23039"), 0))

    def test_without_a_console_on_standard_input_it_keeps_waiting(self):
        with Run(["59FF", "h"]) as call:
            call.wait_for_output(result_lines(b"23039"))
            call.assert_waits_idle()


class Pane(WineProgram):
    """radval.exe on the console the emulator makes of a tmux pane (80 x 25
    unless told otherwise), followed by its exit status on the row where it
    left the cursor: any other row it shows is its sign of life. Each pane
    has a tmux server of its own: a server just told to go may still hold
    its socket when the next one starts."""

    servers = itertools.count()

    def __init__(self, args, width=80, height=25, tty_log=None):
        self.args, self.width, self.height, self.tty_log = args, width, height, tty_log
        super().__init__(f"{[a[:20] for a in args[:2]]!r} on a pane")

    def start(self):
        self.server = ["tmux", "-L", f"radval-test-{os.getpid()}-{next(Pane.servers)}"]
        command = (shlex.join([EMULATOR, RADVAL, *self.args]) + " 2>" + shlex.quote(self.errors.name)
                   + '; printf "rc=%s" "$?"; sleep 600')
        if self.tty_log:  # everything written to the pane's terminal, from before radval starts
            command = "read -r go; " + command
        subprocess.run([*self.server, "new-session", "-d", "-x", str(self.width), "-y", str(self.height), command],
                       check=True)
        if self.tty_log:
            subprocess.run([*self.server, "pipe-pane", "-o", "cat >" + shlex.quote(self.tty_log)], check=True)
            self.press("Enter")

    def alive(self):
        return any(row and not row.startswith("rc=") for row in self.rows())

    def status(self):
        return next((int(row[3:]) for row in self.rows() if row.startswith("rc=")), None)

    def stop(self):
        subprocess.run([*self.server, "kill-server"], check=False)

    def rows(self):
        shown = subprocess.run([*self.server, "capture-pane", "-p"], stdout=subprocess.PIPE, text=True, check=True)
        return shown.stdout.split("\n")

    def wait_for_row_or_end(self, text):
        """The rows once one is `text` or the exit status is shown, since
        nothing follows that."""
        def shown():
            rows = self.rows()
            return rows if text in rows or any(row.startswith("rc=") for row in rows) else None
        return self.watch(shown, lambda: f"no row {text!r} in {self.rows()!r}")

    def press(self, key):
        subprocess.run([*self.server, "send-keys", key], check=True)


def rendered(text, width):
    """The rows a console of `width` columns shows for `text` written from
    its top-left corner: TABs to the next multiple of 8, lines wrapped at the
    right edge. A line that fills its last row exactly sends the cursor past
    it, so its line end leaves one empty row. Trailing spaces are dropped, as
    tmux drops them from what it shows."""
    rows = []
    for line in text.replace("\t", " " * 8).split("\r\n")[:-1]:
        rows.extend([line[i:i + width] for i in range(0, len(line), width)] or [""])
        if line and len(line) % width == 0:
            rows.append("")  # the pending line feed, then the CR LF's own
    return [row.rstrip() for row in rows]


class ConsoleScreen(unittest.TestCase):
    def show(self, args, last_row, width=80, height=25, tty_log=None):
        """radval on a pane, once `last_row` is shown."""
        pane = Pane(args, width, height, tty_log)
        self.addCleanup(pane.close)
        rows = pane.wait_for_row_or_end(last_row)
        self.assertIn(last_row, rows)
        return pane, rows

    def test_the_usage_text_with_its_tabs_as_spaces(self):
        _, rows = self.show([], "rc=0")
        lines = USAGE.decode().replace("\t", " " * 8).split("\r\n")[:-1]
        self.assertEqual(rows[: len(lines) + 1], [*lines, "rc=0"])

    def test_text_wraps_at_a_narrow_right_edge(self):
        _, rows = self.show([], "rc=0", width=20)
        expected = rendered(USAGE.decode(), 20)
        self.assertEqual(rows[: len(expected) + 1], [*expected, "rc=0"])

    def test_the_view_scrolls_when_output_passes_its_bottom_row(self):
        _, rows = self.show([], "rc=0", height=5)
        self.assertEqual(rows[:5], [*rendered(USAGE.decode(), 80)[-4:], "rc=0"])

    def test_a_first_piece_that_fills_the_bottom_row_waits_for_the_next_write_to_scroll(self):
        numeral = "1" * 39 + "2"  # "ERROR: " and " is not base " make it 60 columns: 3 rows of 20
        _, rows = self.show([numeral, "b"], "rc=1", width=20, height=3)
        first_piece = f"ERROR: {numeral} is not base "
        self.assertEqual(rows[:3], [first_piece[40:].rstrip(), "2", "rc=1"])

    def test_a_first_piece_that_fills_the_row_puts_the_base_on_the_next(self):
        # Wider than 256 columns, the row is placed in more than one piece.
        for width in (80, 300):
            with self.subTest(width=width):
                numeral = "1" * (width - 21) + "2"  # "ERROR: " and " is not base " fill the row
                _, rows = self.show([numeral, "b"], "rc=1", width=width)
                self.assertEqual(rows[:3], [f"ERROR: {numeral} is not base", "2", "rc=1"])

    def test_a_numeral_outside_ascii_is_named_in_the_consoles_code_page(self):
        # Code page 437 has \u00e9, and no full-width letter: those show as
        # ?, never as their look-alike F.
        for numeral, row in (("\u00e91", "ERROR: \u00e91 is not base 16"), ("\uff26\uff26", "ERROR: ?? is not base 16")):
            with self.subTest(numeral=numeral):
                _, rows = self.show([numeral, "h"], "rc=1")
                self.assertEqual(rows[:2], [row, "rc=1"])

    def test_a_bel_in_a_numeral_is_shown_and_sounds_nothing(self):
        # On the console as in a file: the console would sound it on its
        # terminal, which logs what it is sent.
        with tempfile.TemporaryDirectory() as directory:
            log = os.path.join(directory, "tty")
            _, rows = self.show(["1\a", "b"], "rc=1", tty_log=log)
            self.assertEqual(rows[:3], ["", "ERROR: 1^G is not base 2", "rc=1"])  # below the Enter that started it
            with open(log, "rb") as written:
                self.assertNotIn(b"\a", written.read())

    def test_the_value_between_empty_rows_then_a_key_press(self):
        pane, rows = self.show(["59FF", "h"], "23039")
        time.sleep(0.5)
        self.assertNotIn("rc=0", pane.rows())
        pane.press("x")
        rows = pane.wait_for_row_or_end("rc=0")
        self.assertEqual(rows[:4], ["", "23039", "", "rc=0"])


class KeyPresses(unittest.TestCase):
    """Input records written to a real console while radval waits, by the
    test program win32_key_injector.cpp, which defines the cases and what
    each should do: end the wait, or not. Each report is checked as it
    comes, so that the first wrong one ends the test with what it was."""

    REPORTS = {
        "key": "^ended 0$",
        "typed-ahead": "^ended 0$",
        "no-key": "^waited, then ended 0$",
        # Ctrl+C, sent by the system or typed, ends radval through the
        # console's control event, with the platform's status; as a key it
        # would end the wait with no event.
        "ctrl-c": r"^ended \d+ on a Ctrl\+C event$",
        "ctrl-c-key": r"^ended \d+ on a Ctrl\+C event$",
        # The close event ends the wait, and radval ends as after a key.
        "close-event": "^ended 0$",
    }

    def test_each_rule_of_the_key_wait(self):
        listed, status = run(["--list"], program=INJECTOR)
        self.assertEqual(status, 0)
        cases = dict(line.split(" ") for line in listed.decode().splitlines())
        self.assertEqual(set(cases.values()), set(self.REPORTS))
        with console() as (keyboard, stdin), Run([RADVAL], stdin=stdin, program=INJECTOR) as injector:
            reported = []
            for line in injector.lines():
                name, report = line.split(" ", 1)
                self.assertEqual(name, list(cases)[len(reported)])
                self.assertRegex(report, self.REPORTS[cases[name]], f"case {name}")
                reported.append(name)
            self.assertEqual((reported, injector.wait()[1]), (list(cases), 0))


def load_tests(loader, tests, pattern):
    return in_written_order(sys.modules[__name__])


if __name__ == "__main__":
    EMULATOR = sys.argv.pop(1)
    RADVAL = sys.argv.pop(1)
    INJECTOR = sys.argv.pop(1)
    unittest.main(verbosity=2)
