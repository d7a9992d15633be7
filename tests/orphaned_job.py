"""Starts a command as an orphaned background job of the terminal it is
started on (its controlling terminal), as a script that has ended leaves
one: from a process that ends first, so that no process of the session is
its parent, its process group is orphaned and cannot be stopped. No real
shell can be made to leave one behind while it goes on reading the terminal
itself; this one reads nothing of it. The job keeps the signal actions this
program has, as a script without job control leaves them. It writes the
job's process id on REPORT_FD, then waits until DONE_FD is closed, and ends.

usage: orphaned_job.py REPORT_FD DONE_FD PROGRAM [ARGUMENT ...]
"""
import os
import sys
import time


def main():
    report, done = int(sys.argv[1]), int(sys.argv[2])
    command = sys.argv[3:]
    if os.fork() == 0:
        starter = os.getpid()
        job = os.fork()
        if job == 0:
            os.setpgid(0, 0)
            # Not before its starter has ended: a job stopped by then would
            # be sent SIGHUP as its group is orphaned.
            while os.getppid() == starter:
                time.sleep(0.01)
            os.execvp(command[0], command)
        os.write(report, f"{job}\n".encode())
        os._exit(0)
    os.close(report)
    os.wait()
    os.read(done, 1)


main()
