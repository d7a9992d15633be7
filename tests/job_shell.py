"""A minimal job-control shell for the tests.

Runs one command as a job of the terminal it is started on (its own
controlling terminal, standard input), reports on REPORT_FD when the job
stops ("stopped SIGNAME") or ends ("exit STATUS", negative for a signal), and
brings a stopped job back to the foreground when a line arrives on
CONTROL_FD. The job starts in the foreground, or with --background in the
background with SIGTTOU ignored, as some shells start theirs; --ignore
starts it with that signal ignored.

usage: job_shell.py [--background] [--ignore SIGNAME] REPORT_FD CONTROL_FD PROGRAM [ARGUMENT ...]
"""
import argparse
import os
import signal


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--background", action="store_true")
    parser.add_argument("--ignore", type=lambda name: signal.Signals[name])
    parser.add_argument("report", type=int)
    parser.add_argument("control", type=int)
    parser.add_argument("command", nargs=argparse.REMAINDER)
    arguments = parser.parse_args()
    report = os.fdopen(arguments.report, "w", buffering=1)
    control = os.fdopen(arguments.control, "r")
    # A shell hands the terminal back and forth from its own process group.
    signal.signal(signal.SIGTTOU, signal.SIG_IGN)
    job = os.fork()
    if job == 0:
        os.setpgid(0, 0)
        if not arguments.background:
            os.tcsetpgrp(0, os.getpgrp())
            signal.signal(signal.SIGTTOU, signal.SIG_DFL)
        if arguments.ignore:
            signal.signal(arguments.ignore, signal.SIG_IGN)
        os.execv(arguments.command[0], arguments.command)
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
