"""Installs the build into a temporary prefix and runs what was installed.

usage: install_test.py CMAKE BUILD_DIRECTORY [unittest arguments]
"""
import os
import subprocess
import sys
import tempfile
import unittest

from expected_output import USAGE

CMAKE = ""
BUILD = ""


class Install(unittest.TestCase):
    def test_the_installed_files_are_in_their_usual_places_and_radval_runs(self):
        with tempfile.TemporaryDirectory() as prefix:
            subprocess.run([CMAKE, "--install", BUILD, "--prefix", prefix], check=True, stdout=subprocess.DEVNULL)
            radval = os.path.join(prefix, "bin", "radval")
            for path in (radval, "share/man/man1/radval.1", "share/doc/radval/README.md"):
                self.assertTrue(os.path.isfile(os.path.join(prefix, path)), path)
            self.assertTrue(os.access(radval, os.X_OK))
            for args, expected in (([], (USAGE, 0)), (["12", "b"], (b"ERROR: 12 is not base 2\r\n", 1))):
                done = subprocess.run([radval, *args], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, timeout=10)
                self.assertEqual((done.stdout, done.returncode), expected)


if __name__ == "__main__":
    CMAKE = sys.argv.pop(1)
    BUILD = sys.argv.pop(1)
    unittest.main(verbosity=2)
