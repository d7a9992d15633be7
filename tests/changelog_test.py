"""The release time that the build and the packaging tools take from the
newest CHANGELOG entry, read by cmake/changelog-time.cmake, and the entry's
agreement with the project's version.

usage: changelog_test.py CMAKE SOURCE_DIR VERSION [unittest arguments]
"""
import email.utils
import os
import re
import subprocess
import sys
import tempfile
import unittest

CMAKE = ""
SOURCE = ""
VERSION = ""


def release_time(changelog_text):
    with tempfile.NamedTemporaryFile("w", suffix=".changelog") as changelog:
        changelog.write(changelog_text)
        changelog.flush()
        done = subprocess.run([CMAKE, f"-DCHANGELOG={changelog.name}", "-P",
                               os.path.join(SOURCE, "cmake", "changelog-time.cmake")],
                              stdout=subprocess.PIPE, stderr=subprocess.PIPE, text=True)
    return done.returncode, done.stdout.strip(), done.stderr


def entry(version, date):
    return f"radval ({version}) unstable; urgency=medium\n\n  * A change.\n\n -- radval developers <r@example.invalid>  {date}\n"


class ReleaseTime(unittest.TestCase):
    def test_is_the_date_of_the_newest_entry_in_utc(self):
        dates = [
            "Thu, 01 Jan 1970 00:00:00 +0000",
            "Tue, 08 Dec 2026 12:00:00 +0000",
            "Thu, 29 Feb 2024 23:59:59 -0130",  # a leap day, west of UTC
            "Tue, 29 Feb 2000 00:00:00 +1400",  # a leap century, east of UTC
            "Mon, 1 Mar 2100 08:09:08 +0545",  # no leap day in 2100; one digit
        ]
        for date in dates:
            with self.subTest(date=date):
                expected = int(email.utils.parsedate_to_datetime(date).timestamp())
                older = entry("0.9.0", "Sat, 01 Jan 2000 00:00:00 +0000")
                self.assertEqual(release_time(entry("1.0.0", date) + "\n" + older)[:2], (0, str(expected)))

    def test_a_trailer_without_a_date_is_refused(self):
        for date in ("", "8 Dec 2026", "Tue, 08 Dez 2026 12:00:00 +0000", "Tue, 08 Dec 2026 12:00:00 UTC"):
            with self.subTest(date=date):
                status, printed, message = release_time(entry("1.0.0", date))
                self.assertNotEqual(status, 0)
                self.assertEqual(printed, "")
                self.assertIn("newest entry", " ".join(message.split()))

    def test_the_newest_entry_is_the_projects_version(self):
        with open(os.path.join(SOURCE, "CHANGELOG")) as changelog:
            newest = re.match(r"radval \(([^)]+)\) ", changelog.readline())
        self.assertEqual(newest[1], VERSION)


if __name__ == "__main__":
    CMAKE = sys.argv.pop(1)
    SOURCE = sys.argv.pop(1)
    VERSION = sys.argv.pop(1)
    unittest.main(verbosity=2)
