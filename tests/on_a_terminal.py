"""Runs a command with a fresh pseudo-terminal on its standard input, and
ends with its status. Under Wine a program's console is made of the
terminal on its standard input, so that a test that needs a real console
gets one.

usage: on_a_terminal.py COMMAND [ARGUMENT ...]
"""
import os
import subprocess
import sys


def main():
    master, slave = os.openpty()
    status = subprocess.run(sys.argv[1:], stdin=slave).returncode
    os.close(slave)
    os.close(master)
    sys.exit(status if status >= 0 else 128 - status)


main()
