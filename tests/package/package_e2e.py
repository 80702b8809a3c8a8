"""The Debian package as a user gets it: built by cpack from the build dir, checked by lintian,
unpacked into a throw-away root, and its programs run from there.

    package_e2e.py CPACK BUILD_DIR
"""

import glob
import gzip
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from desktop import Desktop, wait_for  # noqa: E402
from program import Program  # noqa: E402

CPACK, BUILD_DIR = sys.argv[1:3] if len(sys.argv) > 2 else ("cpack", "build")


def png_size(path):
    with open(path, "rb") as file:
        header = file.read(24)
    if header[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return struct.unpack(">II", header[16:24])


class InstalledPackage(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        # Its own folder for cpack's staging area and the package, so that a cpack run by hand in
        # the build dir, or another run of this test, does not get in the way.
        cls.work = tempfile.mkdtemp(prefix="vellox-package-")
        subprocess.run([CPACK, "-G", "DEB", "--config", os.path.join(BUILD_DIR, "CPackConfig.cmake"),
                        "-B", cls.work], check=True, stdout=subprocess.DEVNULL)
        packages = glob.glob(os.path.join(cls.work, "vellox_*.deb"))
        if len(packages) != 1:
            raise AssertionError("cpack made %r" % packages)
        cls.deb = packages[0]
        cls.root = os.path.join(cls.work, "root")
        subprocess.run(["dpkg-deb", "-x", cls.deb, cls.root], check=True)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work, ignore_errors=True)

    def installed(self, path):
        return os.path.join(self.root, path.lstrip("/"))

    def field(self, name):
        return subprocess.run(["dpkg-deb", "-f", self.deb, name], capture_output=True, text=True,
                              check=True).stdout.strip()

    def test_lintian_finds_no_errors(self):
        report = subprocess.run(["lintian", "--tag-display-limit", "0", self.deb], capture_output=True,
                                text=True)
        print(report.stdout, end="")
        errors = [line for line in report.stdout.splitlines() if line.startswith("E:")]
        self.assertEqual(errors, [])

    def test_depends_on_qt_its_translations_and_a_japanese_font(self):
        depends = [alternatives.strip() for alternatives in self.field("Depends").split(",")]
        print("Depends:", ", ".join(depends))
        self.assertTrue(any(item.startswith("libqt6widgets6") for item in depends), depends)
        self.assertTrue(any(item.startswith("libc6") for item in depends), depends)
        self.assertIn("fonts-ipafont-gothic | fonts-noto-cjk", depends)
        self.assertIn("qt6-translations-l10n", depends)

    def test_control_fields(self):
        self.assertEqual(self.field("Package"), "vellox")
        self.assertEqual(self.field("Section"), "utils")
        self.assertEqual(self.field("Architecture"),
                         subprocess.run(["dpkg", "--print-architecture"], capture_output=True, text=True,
                                        check=True).stdout.strip())

    def test_desktop_entry_is_valid(self):
        entry = self.installed("/usr/share/applications/vellox.desktop")
        check = subprocess.run(["desktop-file-validate", entry], capture_output=True, text=True)
        self.assertEqual((check.returncode, check.stdout + check.stderr), (0, ""))
        with open(entry, encoding="utf-8") as text:
            lines = text.read().splitlines()
        self.assertIn("Exec=vellox", lines)
        self.assertIn("Icon=vellox", lines)

    def test_icons_in_the_hicolor_theme(self):
        theme = self.installed("/usr/share/icons/hicolor")
        self.assertEqual(png_size(os.path.join(theme, "32x32/apps/vellox.png")), (32, 32))
        self.assertEqual(png_size(os.path.join(theme, "256x256/apps/vellox.png")), (256, 256))
        with open(os.path.join(theme, "scalable/apps/vellox.svg"), encoding="utf-8") as svg:
            self.assertIn('viewBox="0 0 32 32"', svg.read())

    def test_manual_pages(self):
        # English, and Japanese under the language's own directory; "EXIT STATUS" in each language.
        for directory, exit_status in (("man1", "EXIT STATUS"), ("ja/man1", "終了ステータス")):
            for program in ("vellox", "vellox-calc"):
                with self.subTest(page=directory + "/" + program):
                    path = self.installed("/usr/share/man/%s/%s.1.gz" % (directory, program))
                    with gzip.open(path, "rt", encoding="utf-8") as page:
                        text = page.read()
                    self.assertTrue(text.startswith(".TH " + program.upper().replace("-", "\\-") + " 1 "), text[:40])
                    self.assertNotIn("@", text.split("\n", 1)[0])  # the version was filled in
                    # man renders it without complaint (groff's warnings go to standard error), with
                    # the macros of the language its directory names.
                    rendered = subprocess.run(["man", "--warnings", "-l", path], capture_output=True, text=True,
                                              env=dict(os.environ, MANWIDTH="80", LANG="C.UTF-8"))
                    self.assertEqual(rendered.stderr, "")
                    self.assertIn(exit_status, rendered.stdout)
        # man -L ja finds the Japanese pages, and the English ones without it.
        for options, directory in ((["-L", "ja"], "ja/man1"), ([], "man1")):
            for program in ("vellox", "vellox-calc"):
                found = subprocess.run(["man", *options, "-w", program], capture_output=True, text=True,
                                       env=dict(os.environ, MANPATH=self.installed("/usr/share/man"),
                                                LANG="C.UTF-8")).stdout.strip()
                self.assertEqual(found, self.installed("/usr/share/man/%s/%s.1.gz" % (directory, program)))

    def test_installed_vellox_calc_evaluates(self):
        run = subprocess.run([self.installed("/usr/bin/vellox-calc"), "x = 2 ** 10", "x / 3"],
                             capture_output=True, text=True)
        self.assertEqual((run.returncode, run.stdout), (0, "1024\n341.333333333333\n"))
        run = subprocess.run([self.installed("/usr/bin/vellox-calc")], input="1/0\n", capture_output=True, text=True)
        self.assertEqual(run.returncode, 1)
        self.assertTrue(run.stderr.startswith("vellox-calc: "), run.stderr)

    def test_installed_binaries_are_stripped(self):
        for program in ("vellox", "vellox-calc"):
            kind = subprocess.run(["file", "-b", self.installed("/usr/bin/" + program)], capture_output=True,
                                  text=True, check=True).stdout
            self.assertIn("ELF", kind)
            self.assertIn(", stripped", kind)

    def test_installed_vellox_shows_its_strip(self):
        executable = self.installed("/usr/bin/vellox")
        with Desktop() as desktop:
            strip = Program(desktop, executable)
            try:
                def strip_window():
                    found = desktop.run("xdotool", "search", "--onlyvisible", "--name", "^Vellox$").split()
                    return found[0] if found else None
                window = wait_for(strip_window, timeout=20, what="the Vellox window")
                # The window is the one of the program from the package, not of another copy.
                pid = int(desktop.run("xdotool", "getwindowpid", window))
                self.assertEqual(pid, strip.process.pid)
                self.assertEqual(os.path.realpath("/proc/%d/exe" % pid), os.path.realpath(executable))
            finally:
                strip.stop()


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
