"""The shell completions offer the four type letters for the second argument
and nothing for the numeral or past the type.

usage: completion_test.py COMPLETIONS_DIRECTORY [unittest arguments]
"""
import os
import shlex
import shutil
import subprocess
import sys
import unittest

from end_to_end_test import Shell, TerminalCase

COMPLETIONS = ""


def bash_completes(words, current):
    """What the bash completion offers for `words`, completing word `current`,
    with the line they make as bash gives it."""
    line = " ".join(words)
    script = (f'source "{os.path.join(COMPLETIONS, "radval.bash")}"\n'
              f'COMP_WORDS=("$@"); COMP_CWORD={current}; COMP_LINE={shlex.quote(line)}; COMP_POINT={len(line)}\n'
              '_radval radval\nprintf "%s\\n" "${COMPREPLY[@]}"')
    done = subprocess.run(["bash", "--norc", "-c", script, "bash", *words], capture_output=True, text=True,
                          timeout=10, check=True)
    return done.stdout.split()


class Bash(unittest.TestCase):
    def test_offers_the_type_letters_for_the_second_argument_only(self):
        cases = [
            (["radval", ""], 1, []),
            (["radval", "59"], 1, []),
            (["radval", "59FF", ""], 2, ["b", "q", "o", "h"]),
            (["radval", "59FF", "h"], 2, ["h"]),
            (["radval", "59FF", "x"], 2, []),
            (["radval", "59FF", "h", ""], 3, []),
        ]
        for words, current, offered in cases:
            with self.subTest(words=words, current=current):
                self.assertEqual(bash_completes(words, current), offered)

    def test_it_is_registered_for_radval(self):
        done = subprocess.run(["bash", "--norc", "-c", f'source "{COMPLETIONS}/radval.bash"; complete -p radval'],
                              capture_output=True, text=True, timeout=10, check=True)
        self.assertEqual(done.stdout.strip(), "complete -F _radval radval")


class RealBash(TerminalCase):
    """Tab Tab typed in an interactive bash, which splits the line into words
    at : and = too, with the bash-completion package loaded and without."""

    PACKAGE = "/usr/share/bash-completion/bash_completion"

    def test_offers_the_type_letters_after_any_numeral(self):
        for loaded in (False, True):
            if loaded and not os.path.exists(self.PACKAGE):
                self.fail("the bash-completion package is not installed")
            for line in ("radval 1:2 ", "radval 1=2 ", "radval 7: "):
                with self.subTest(loaded=loaded, line=line):
                    shell = Shell(self, "bash")
                    if loaded:
                        shell.run(f'source "{self.PACKAGE}"')
                    shell.run(f'source "{COMPLETIONS}/radval.bash"')
                    shell.type(line + "\t\t")
                    shown = shell.read_through(Shell.PROMPT + line.encode())
                    self.assertEqual(sorted(shown.split(b"\n")[1].split()), [b"b", b"h", b"o", b"q"])


class Fish(unittest.TestCase):
    @unittest.skipUnless(shutil.which("fish"), "needs fish")
    def test_offers_the_type_letters_for_the_second_argument_only(self):
        for line, offered in (("radval ", []), ("radval 59FF ", ["b", "q", "o", "h"]), ("radval 59FF h ", [])):
            with self.subTest(line=line):
                done = subprocess.run(["fish", "--no-config", "-c",
                                       f'source "{COMPLETIONS}/radval.fish"; complete -C "{line}"'],
                                      capture_output=True, text=True, timeout=10, check=True)
                # fish sorts what it offers
                self.assertEqual(sorted(row.split("\t")[0] for row in done.stdout.splitlines()), sorted(offered))


if __name__ == "__main__":
    COMPLETIONS = os.path.abspath(sys.argv.pop(1))
    unittest.main(verbosity=2)
