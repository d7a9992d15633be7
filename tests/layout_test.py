"""CONTRIBUTING.md against the tree: every file and folder its layout names
exists, a folder whose files it lists holds nothing it leaves out, and its
table of packages names those that tests/run installs.

usage: layout_test.py SOURCE_DIRECTORY
"""
import os
import re
import sys
import unittest

SOURCE = ""


def drawn_layout(text):
    """The paths of the layout section's tree, folders ending in '/': each
    line holds names, then two spaces or more and what they are; two spaces
    of indent put a line inside the folder above it."""
    tree = section(text, "Layout").split("\n```\n", 2)[1]
    paths, folders = [], []
    for line in tree.splitlines():
        depth = (len(line) - len(line.lstrip(" "))) // 2
        names = re.split(r" {2,}", line.strip(), maxsplit=1)[0].split(" ")
        del folders[depth:]
        parent = "".join(folders)
        paths.extend(parent + name for name in names)
        if names[-1].endswith("/"):
            folders.append(names[-1])
    return paths


def section(text, heading):
    return text.split(f"\n## {heading}\n", 1)[1].split("\n## ", 1)[0]


class Layout(unittest.TestCase):
    def setUp(self):
        with open(os.path.join(SOURCE, "CONTRIBUTING.md")) as contributing:
            self.contributing = contributing.read()
        self.paths = drawn_layout(self.contributing)

    def test_its_packages_are_those_that_tests_run_installs(self):
        table = [line for line in section(self.contributing, "What the builds need").splitlines()
                 if line.startswith("| ")]
        named = [name for row in table[1:] for name in re.findall(r"`([^`]+)`", row.split("|")[2])]
        with open(os.path.join(SOURCE, "tests", "run")) as script:
            listed = script.read().split("readonly needs='\n", 1)[1].split("'\n", 1)[0]
        self.assertNotIn("'", listed, "a quote would end the list where bash reads it")
        self.assertEqual(sorted(named), sorted(line.split()[0] for line in listed.splitlines() if line.strip()))

    def test_every_path_it_names_exists(self):
        for path in self.paths:
            with self.subTest(path=path):
                exists = os.path.isdir if path.endswith("/") else os.path.isfile
                self.assertTrue(exists(os.path.join(SOURCE, path)))

    def test_a_folder_whose_files_it_lists_has_nothing_it_leaves_out(self):
        listed = set(self.paths)
        for folder in {os.path.dirname(path) for path in listed if not path.endswith("/")}:
            with self.subTest(folder=folder):
                on_disk = {f"{folder}/{entry.name}" + ("/" if entry.is_dir() else "")
                           for entry in os.scandir(os.path.join(SOURCE, folder))}
                self.assertEqual(on_disk - listed, set())


if __name__ == "__main__":
    SOURCE = sys.argv.pop(1)
    unittest.main(verbosity=2)
