"""Checks the manual page: it passes groff's checks, and its type table and
examples say what the program does.

usage: man_page_test.py PATH_TO_RADVAL PATH_TO_MAN_PAGE [unittest arguments]
"""
import os
import re
import subprocess
import sys
import unittest

from expected_output import USAGE, result_lines

RADVAL = ""
PAGE = ""


def run_with_key_waiting(args):
    """Runs radval with a key already typed on a terminal on standard input."""
    master, slave = os.openpty()
    try:
        os.write(master, b"k")
        done = subprocess.run([RADVAL, *args], stdin=slave, stdout=subprocess.PIPE, timeout=10)
        return done.stdout, done.returncode
    finally:
        os.close(master)
        os.close(slave)


def usage_text():
    """The usage text as the program writes it."""
    return subprocess.run([RADVAL], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, timeout=10).stdout


def page_text():
    with open(PAGE, encoding="utf-8") as page:
        return page.read()


def documented_examples():
    """Each `.B "radval ARGS"` item of the page and what it says follows."""
    items = re.findall(r'^\.B "radval ([^"]*)"\n(.*?)(?=^\.(?:TP|SH|PP)|\Z)', page_text(), re.M | re.S)
    examples = []
    for args, said in items:
        if said.startswith("prints the usage text"):
            expected = (USAGE, 0)
        elif fault := re.match(r'prints\n\.B "(ERROR: [^"]*)"\nand exits with status (\d)', said):
            expected = (fault[1].encode() + b"\r\n", int(fault[2]))
        elif value := re.match(r"prints (\d+)", said):
            expected = (result_lines(value[1].encode()), 0)
        else:
            raise AssertionError(f"the page's example for radval {args} says nothing checkable: {said!r}")
        examples.append((args.split(), expected))
    return examples


class ManPage(unittest.TestCase):
    def test_groff_finds_nothing_to_warn_about(self):
        checked = subprocess.run(["groff", "-man", "-ww", "-z", PAGE], capture_output=True, text=True)
        self.assertEqual((checked.returncode, checked.stderr), (0, ""))

    def test_the_type_table_is_the_usage_texts(self):
        usage_rows = re.findall(rb"^\t(\w)     - (\w+) +\(base (\d+)\)\r$", usage_text(), re.M)
        page_rows = re.findall(r"^\.TP\n\.B (\w)\n(\w+) \(base (\d+)\)$", page_text(), re.M)
        self.assertEqual(len(usage_rows), 4)
        self.assertEqual([tuple(field.decode() for field in row) for row in usage_rows], page_rows)

    def test_the_examples_are_what_radval_prints(self):
        examples = documented_examples()
        for args, expected in examples:
            with self.subTest(args=args):
                self.assertEqual(run_with_key_waiting(args), expected)
        calls = [" ".join(args) for args, _ in examples]
        for usage_example in re.findall(rb"^\tradval (.*)\r$", usage_text(), re.M):
            self.assertIn(usage_example.decode(), calls)


if __name__ == "__main__":
    RADVAL = os.path.abspath(sys.argv.pop(1))
    PAGE = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
