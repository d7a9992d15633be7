"""A minimal job-control shell for the tests.

Runs one command as a job of the terminal it is started on (its own
controlling terminal, standard input), reports on REPORT_FD when the job
stops ("stopped SIGNAME") or ends ("exit STATUS", negative for a signal), and
brings a stopped job back to the foreground when a line arrives on
CONTROL_FD. The job starts in the foreground, or with --background in the
background with SIGTTOU ignored, as some shells start theirs.

usage: job_shell.py [--background] REPORT_FD CONTROL_FD PROGRAM [ARGUMENT ...]
"""
import os
import signal
import sys


def main():
    arguments = sys.argv[1:]
    background = arguments[0] == "--background"
    if background:
        arguments.pop(0)
    report = os.fdopen(int(arguments[0]), "w", buffering=1)
    control = os.fdopen(int(arguments[1]), "r")
    command = arguments[2:]
    # A shell hands the terminal back and forth from its own process group.
    signal.signal(signal.SIGTTOU, signal.SIG_IGN)
    job = os.fork()
    if job == 0:
        os.setpgid(0, 0)
        if not background:
            os.tcsetpgrp(0, os.getpgrp())
            signal.signal(signal.SIGTTOU, signal.SIG_DFL)
        os.execv(command[0], command)
    try:
        os.setpgid(job, job)
    except OSError:
        pass  # the job got there first
    while True:
        _, status = os.waitpid(job, os.WUNTRACED)
        if os.WIFSTOPPED(status):
            os.tcsetpgrp(0, os.getpgrp())
            report.write(f"stopped {signal.Signals(os.WSTOPSIG(status)).name}\n")
            control.readline()
            os.tcsetpgrp(0, job)
            os.killpg(job, signal.SIGCONT)
        else:
            report.write(f"exit {os.waitstatus_to_exitcode(status)}\n")
            return


main()
