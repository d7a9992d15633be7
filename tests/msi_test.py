"""radval's Windows installer under Wine: it installs radval.exe, the README
and the licence into the Program Files folder for 32-bit programs, puts that
folder on the system PATH so that a fresh process finds radval, upgrades an
older version in place, and its uninstall takes the files and the PATH entry
away again. Each test has a Wine prefix of its own.

usage: msi_test.py EMULATOR RADVAL_EXE SOURCE_DIR VERSION EPOCH [unittest arguments]
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import unittest

import windows_end_to_end_test as windows
from expected_output import result_lines

SOURCE = ""
EXE = ""
VERSION = ""
EPOCH = ""
ENVIRONMENT_KEY = r"HKLM\System\CurrentControlSet\Control\Session Manager\Environment"
UNINSTALL_KEY = r"HKLM\Software\Wow6432Node\Microsoft\Windows\CurrentVersion\Uninstall"
FOLDER = "C:\\Program Files (x86)\\radval\\"


def next_version(version):
    major, minor, patch = version.split(".")
    return f"{major}.{minor}.{int(patch) + 1}"


class Installer(unittest.TestCase):
    def setUp(self):
        self.work = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.work)
        self.environment = {**os.environ, "WINEPREFIX": os.path.join(self.work, "prefix")}
        self.addCleanup(self.wine_server_ends)
        self.folder = os.path.join(self.work, "prefix", "drive_c", "Program Files (x86)", "radval")
        self.path_before = self.path_entries()

    def wine(self, *args):
        return subprocess.run([windows.EMULATOR, *args], env=self.environment, stdin=subprocess.DEVNULL,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, timeout=windows.PATIENCE, text=True)

    def wine_server_ends(self):
        server = os.path.join(os.path.dirname(windows.EMULATOR), "wineserver")
        subprocess.run([server if os.path.exists(server) else "wineserver", "-k"], env=self.environment, check=False)

    def package(self, version):
        path = os.path.join(self.work, f"radval-{version}.msi")
        subprocess.run([sys.executable, os.path.join(SOURCE, "packaging", "msi"), EXE, SOURCE, version, EPOCH, path],
                       check=True, stdout=subprocess.DEVNULL)
        return path

    def product_code(self, package):
        exported = subprocess.run(["msiinfo", "export", package, "Property"], stdout=subprocess.PIPE, text=True,
                                  check=True)
        return dict(line.split("\t", 1) for line in exported.stdout.splitlines())["ProductCode"]

    def codes(self, package):
        summary = subprocess.run(["msiinfo", "suminfo", package], stdout=subprocess.PIPE, text=True, check=True)
        return self.product_code(package), re.search(r"^Revision number \(UUID\): (\S+)$", summary.stdout, re.M)[1]

    def msiexec(self, *args):
        self.assertEqual(self.wine("msiexec", *args, "/qn").returncode, 0, args)

    def path_entries(self):
        """The system PATH's entries. Wine's uninstall leaves the separator
        of an entry it removes, so empty entries are dropped."""
        shown = self.wine("reg", "query", ENVIRONMENT_KEY, "/v", "PATH").stdout
        value = shown.split("REG_EXPAND_SZ", 1)[1].strip()
        return [entry for entry in value.split(";") if entry]

    def installed_products(self):
        return re.findall(r"\\Uninstall\\(\{[0-9A-F-]+\})$", self.wine("reg", "query", UNINSTALL_KEY).stdout, re.MULTILINE)

    def run_from_path(self):
        """radval 59FF h, found on PATH by a fresh Wine process, a key
        pressed once it has written its value."""
        self.wine_server_ends()
        with windows.console() as (keyboard, stdin), \
                windows.Run(["59FF", "h"], stdin=stdin, program="radval", env=self.environment) as call:
            call.wait_for_output(result_lines(b"23039"))
            os.write(keyboard, b"x")
            return call.wait()

    def found_on_path(self):
        return self.wine("radval", "12", "b").stdout == "ERROR: 12 is not base 2\n"

    def assert_no_trace(self):
        self.assertFalse(os.path.exists(self.folder))
        self.assertEqual(self.path_entries(), self.path_before)
        self.assertEqual(self.installed_products(), [])
        self.assertFalse(self.found_on_path())

    def test_installs_on_path_runs_and_uninstalls_without_a_trace(self):
        self.assertFalse(self.found_on_path())
        package = self.package(VERSION)
        self.msiexec("/i", package)
        for name, source in (("radval.exe", EXE), ("README.md", os.path.join(SOURCE, "README.md")),
                             ("LICENSE", os.path.join(SOURCE, "LICENSE"))):
            with self.subTest(file=name), open(os.path.join(self.folder, name), "rb") as installed, \
                    open(source, "rb") as original:
                self.assertEqual(installed.read(), original.read())
        self.assertEqual(sorted(os.listdir(self.folder)), ["LICENSE", "README.md", "radval.exe"])
        self.assertEqual(self.path_entries(), [*self.path_before, FOLDER])
        self.assertEqual(self.installed_products(), [self.product_code(package)])
        self.assertTrue(self.found_on_path())
        self.assertEqual(self.run_from_path(), (result_lines(b"23039"), 0))

        self.msiexec("/x", self.product_code(package))
        self.assert_no_trace()

    def test_a_newer_version_replaces_an_older_one_in_place(self):
        older, newer = self.package(VERSION), self.package(next_version(VERSION))
        # Product and package codes: new ones for a new version, the same
        # ones for the same version built again.
        older_codes, newer_codes = self.codes(older), self.codes(newer)
        for older_code, newer_code in zip(older_codes, newer_codes):
            self.assertNotEqual(older_code, newer_code)
        self.assertEqual(self.codes(self.package(VERSION)), older_codes)
        self.msiexec("/i", older)
        self.msiexec("/i", newer)
        self.assertEqual(self.installed_products(), [self.product_code(newer)])
        self.assertEqual(self.path_entries(), [*self.path_before, FOLDER])
        self.assertEqual(self.run_from_path(), (result_lines(b"23039"), 0))

        self.msiexec("/x", self.product_code(newer))
        self.assert_no_trace()


if __name__ == "__main__":
    windows.EMULATOR = sys.argv.pop(1)
    EXE = os.path.abspath(sys.argv.pop(1))
    SOURCE = sys.argv.pop(1)
    VERSION = sys.argv.pop(1)
    EPOCH = sys.argv.pop(1)
    unittest.main(verbosity=2)
