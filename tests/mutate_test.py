"""The mutation check's own bad input and interruption: a wrong option, file
or entry of the equivalent mutants gets a usage line or the entry's place
and status 2, before anything is built; a run interrupted while a mutant
is in place leaves the source tree and the copy as they were.

usage: mutate_test.py WORK_DIRECTORY [unittest arguments]
WORK_DIRECTORY is kept for the mutation check's copy, so that a later run
need not build it again.
"""
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

TESTS = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.dirname(TESTS)
MUTATE = os.path.join(TESTS, "mutate")
WORK = ""


def mutate(*args, tool=MUTATE):
    return subprocess.run([sys.executable, tool, *args], stdin=subprocess.DEVNULL, capture_output=True, text=True,
                          timeout=60)


def tree_state():
    """What git says of the source tree, or, outside a clone, its sources."""
    if os.path.exists(os.path.join(SOURCE, ".git")):
        return subprocess.run(["git", "-C", SOURCE, "status", "--porcelain"], capture_output=True, check=True).stdout
    return snapshot(SOURCE, [os.path.relpath(os.path.join(folder, name), SOURCE)
                             for top in ("app", "conversion", "console")
                             for folder, _, names in os.walk(os.path.join(SOURCE, top)) for name in names])


def snapshot(tree, names):
    contents = {}
    for name in names:
        with open(os.path.join(tree, name), "rb") as file:
            contents[name] = file.read()
    return contents


class BadInput(unittest.TestCase):
    def test_a_wrong_call_gets_a_usage_line_and_status_2(self):
        for args in (["--no-such-option"], ["app/no_such_file.cpp"], ["tests/mutate_test.py"], ["--sample", "0"],
                     ["--sample", "many"]):
            with self.subTest(args=args):
                done = mutate(*args)
                self.assertEqual(done.returncode, 2)
                self.assertTrue(done.stderr.startswith("usage: tests/mutate "), done.stderr)

    def test_an_equivalent_mutant_that_names_no_mutant_is_refused(self):
        # In a copy of what the check reads, so that the real list stays.
        with tempfile.TemporaryDirectory() as copy:
            for folder in ("app", "conversion", "console"):
                shutil.copytree(os.path.join(SOURCE, folder), os.path.join(copy, folder))
            os.mkdir(os.path.join(copy, "tests"))
            shutil.copy(MUTATE, os.path.join(copy, "tests"))
            # A line that is not there, and a file that is gone, whichever
            # file the run is of.
            for entry in ("app/flow.cpp: no such line;", "app/gone.cpp: usage_and_exit();"):
                with open(os.path.join(copy, "tests", "equivalent-mutants"), "w") as listed:
                    listed.write(entry + "\n  delete: it is not there\n")
                for args in (["--sample", "1"], ["--list"]):
                    with self.subTest(entry=entry, args=args):
                        done = mutate(*args, "app/flow.cpp", tool=os.path.join(copy, "tests", "mutate"))
                        self.assertEqual(done.returncode, 2)
                        self.assertIn("equivalent-mutants:1: no such mutant", done.stderr)

    def test_each_equivalent_mutant_listed_is_one_there_is(self):
        # An entry left behind by a changed line would stop every later run.
        done = mutate("--list")
        self.assertEqual(done.returncode, 0, done.stderr)


class Interrupted(unittest.TestCase):
    def test_an_interrupted_run_leaves_the_tree_and_its_copies_as_they_were(self):
        # Two workers, a file each: once the first mutant is reported, the
        # next ones are in place in both copies.
        targets = ["conversion/conversion.cpp", "console/console.cpp"]
        before, tree = snapshot(SOURCE, targets), tree_state()
        for ending in (signal.SIGINT, signal.SIGTERM):
            with self.subTest(signal=ending.name):
                run = subprocess.Popen([sys.executable, MUTATE, "--work", WORK, "--jobs", "2", "--sample", "6",
                                        "--seed", "1", *targets], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE,
                                       stderr=subprocess.STDOUT)
                self.addCleanup(run.kill)
                self.addCleanup(run.stdout.close)
                output = b""
                while b"\n[1/6]" not in output:
                    chunk = run.stdout.read1(4096)
                    self.assertTrue(chunk, output)
                    output += chunk
                time.sleep(0.3)
                run.send_signal(ending)
                output += run.stdout.read()
                self.assertEqual(run.wait(60), 130, output)
                self.assertIn(f"interrupted by {ending.name}".encode(), output)
                self.assertEqual(tree_state(), tree)
                for worker in ("1", "2"):
                    self.assertEqual(snapshot(os.path.join(WORK, worker, "src"), targets), before, worker)


if __name__ == "__main__":
    WORK = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
