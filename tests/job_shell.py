"""A minimal job-control shell for the tests.

Runs one command as a job of the terminal it is started on (its own
controlling terminal, standard input), reports on REPORT_FD its process
("started PID"), when it stops ("stopped SIGNAME") and when it ends ("exit
STATUS", negative for a signal), and continues a stopped job as the next
line on CONTROL_FD says: "fg" in the foreground, "bg" in the background.
The job starts in the foreground, or with --background in the background
with SIGTTOU ignored, as some shells start theirs; --ignore starts it with
that signal ignored. With --orphaned it starts in the background from a
process that ends at once, as from a script that has ended: no process of
the session is its parent, so its process group is orphaned and cannot be
stopped; the shell then only waits for a line on CONTROL_FD, and ends.

usage: job_shell.py [--background | --orphaned] [--ignore SIGNAME] REPORT_FD CONTROL_FD PROGRAM [ARGUMENT ...]
"""
import argparse
import os
import signal


def start_job(arguments, background):
    """The job's process, in a process group of its own."""
    job = os.fork()
    if job == 0:
        os.setpgid(0, 0)
        if not background:
            os.tcsetpgrp(0, os.getpgrp())
            signal.signal(signal.SIGTTOU, signal.SIG_DFL)
        if arguments.ignore:
            signal.signal(arguments.ignore, signal.SIG_IGN)
        os.execv(arguments.command[0], arguments.command)
    try:
        os.setpgid(job, job)
    except OSError:
        pass  # the job got there first
    return job


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--background", action="store_true")
    parser.add_argument("--orphaned", action="store_true")
    parser.add_argument("--ignore", type=lambda name: signal.Signals[name])
    parser.add_argument("report", type=int)
    parser.add_argument("control", type=int)
    parser.add_argument("command", nargs=argparse.REMAINDER)
    arguments = parser.parse_args()
    report = os.fdopen(arguments.report, "w", buffering=1)
    control = os.fdopen(arguments.control, "r")
    # A shell hands the terminal back and forth from its own process group.
    signal.signal(signal.SIGTTOU, signal.SIG_IGN)
    if arguments.orphaned:
        if os.fork() == 0:
            report.write(f"started {start_job(arguments, background=True)}\n")
            os._exit(0)
        os.wait()
        control.readline()
        return
    job = start_job(arguments, arguments.background)
    report.write(f"started {job}\n")
    while True:
        _, status = os.waitpid(job, os.WUNTRACED)
        if os.WIFSTOPPED(status):
            os.tcsetpgrp(0, os.getpgrp())
            report.write(f"stopped {signal.Signals(os.WSTOPSIG(status)).name}\n")
            if control.readline() == "fg\n":
                os.tcsetpgrp(0, job)
            os.killpg(job, signal.SIGCONT)
        else:
            report.write(f"exit {os.waitstatus_to_exitcode(status)}\n")
            return


main()
