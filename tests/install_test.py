"""Installs the build into a temporary prefix and runs what was installed.

usage: install_test.py CMAKE BUILD_DIRECTORY SOURCE_DIRECTORY [unittest arguments]
"""
import gzip
import os
import subprocess
import sys
import tempfile
import unittest

from expected_output import USAGE

CMAKE = ""
BUILD = ""
SOURCE = ""


class Install(unittest.TestCase):
    def test_the_installed_files_are_in_their_usual_places_and_radval_runs(self):
        with tempfile.TemporaryDirectory() as prefix:
            subprocess.run([CMAKE, "--install", BUILD, "--prefix", prefix], check=True, stdout=subprocess.DEVNULL)
            radval = os.path.join(prefix, "bin", "radval")
            installed = {
                "share/doc/radval/README.md": "README.md",
                "share/doc/radval/copyright": "packaging/copyright",
                "share/lintian/overrides/radval": "packaging/lintian-overrides",
                "share/bash-completion/completions/radval": "completions/radval.bash",
                "share/zsh/vendor-completions/_radval": "completions/_radval",
                "share/fish/vendor_completions.d/radval.fish": "completions/radval.fish",
            }
            compressed = {
                "share/man/man1/radval.1.gz": "radval.1",
                "share/doc/radval/changelog.gz": "CHANGELOG",
            }
            for path, source in [*installed.items(), *compressed.items()]:
                with self.subTest(path=path):
                    with open(os.path.join(SOURCE, source), "rb") as original:
                        expected = original.read()
                    opener = gzip.open if path in compressed else open
                    with opener(os.path.join(prefix, path), "rb") as copy:
                        self.assertEqual(copy.read(), expected)
            self.assertTrue(os.access(radval, os.X_OK))
            for args, expected in (([], (USAGE, 0)), (["12", "b"], (b"ERROR: 12 is not base 2\r\n", 1))):
                done = subprocess.run([radval, *args], stdin=subprocess.DEVNULL, stdout=subprocess.PIPE, timeout=10)
                self.assertEqual((done.stdout, done.returncode), expected)

    def test_the_copyright_file_carries_the_licence_text(self):
        with open(os.path.join(SOURCE, "LICENSE")) as licence, \
                open(os.path.join(SOURCE, "packaging/copyright")) as copyright_file:
            licence_lines = licence.read().split("\n")
            dep5 = copyright_file.read()
        # DEP-5 indents the licence text by one space, and writes an empty
        # line as " .".
        permission = licence_lines[licence_lines.index("MIT License") + 4:]
        while permission and not permission[-1]:
            permission.pop()
        self.assertTrue(permission[0].startswith("Permission is hereby granted"))
        self.assertIn("\n".join(" " + line if line else " ." for line in permission), dep5)
        self.assertIn("Copyright: 2026 the radval developers", dep5)


if __name__ == "__main__":
    CMAKE = sys.argv.pop(1)
    BUILD = sys.argv.pop(1)
    SOURCE = sys.argv.pop(1)
    unittest.main(verbosity=2)
