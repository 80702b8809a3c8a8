"""The Debian package as a user gets it: built by cpack from the build dir, checked by lintian,
unpacked into a throw-away root, and its programs run from there.

    package_e2e.py CPACK BUILD_DIR
"""

import configparser
import glob
import gzip
import os
import re
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import unittest
import xml.etree.ElementTree as ElementTree

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from desktop import Desktop, wait_for  # noqa: E402
from program import Program  # noqa: E402
import xwindows  # noqa: E402

CPACK, BUILD_DIR = sys.argv[1:3] if len(sys.argv) > 2 else ("cpack", "build")


def png_size(path):
    with open(path, "rb") as file:
        header = file.read(24)
    if header[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return struct.unpack(">II", header[16:24])


def desktop_entry(path):
    """A desktop entry file's groups and keys, as written (no interpolation, keys keep their case)."""
    parser = configparser.ConfigParser(interpolation=None, delimiters=("=",), comment_prefixes=("#",),
                                       strict=True)
    parser.optionxform = str
    with open(path, encoding="utf-8") as text:
        parser.read_file(text)
    return parser


MONTHS = ("Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug", "Sep", "Oct", "Nov", "Dec")
XML_LANG = "{http://www.w3.org/XML/1998/namespace}lang"


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

    def test_lintian_finds_no_errors_or_warnings(self):
        # --pedantic and --display-info show the notes below warnings too; they may stay.
        report = subprocess.run(["lintian", "--pedantic", "--display-info", "--tag-display-limit", "0", self.deb],
                                capture_output=True, text=True)
        print(report.stdout, end="")
        faults = [line for line in report.stdout.splitlines() if line[:2] in ("E:", "W:")]
        self.assertEqual(faults, [])
        # The one override is used (an unused one would be reported) and is the one the README names.
        with open(self.installed("/usr/share/lintian/overrides/vellox"), encoding="utf-8") as text:
            overrides = [line for line in text.read().splitlines() if line and not line.startswith("#")]
        self.assertEqual(overrides, ["vellox: initial-upload-closes-no-bugs"])
        self.assertNotIn("unused-override", report.stdout)

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
                    # the macros of the language its directory names, and from standard input, where
                    # no directory names the language.
                    for source, given in ((path, None), ("-", text)):
                        rendered = subprocess.run(["man", "--warnings", "-l", source], input=given,
                                                  capture_output=True, text=True,
                                                  env=dict(os.environ, MANWIDTH="80", LANG="C.UTF-8"))
                        self.assertEqual(rendered.stderr, "", source)
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

    # The desktop: the menu entry's actions, the start at login.

    def test_desktop_entry_offers_the_start_switches_as_actions(self):
        entry = desktop_entry(self.installed("/usr/share/applications/vellox.desktop"))
        self.assertEqual((entry["Desktop Entry"]["Exec"], entry["Desktop Entry"]["Actions"]),
                         ("vellox", "bottom;hidden;keypad;"))
        actions = {group.split()[-1]: (entry[group]["Exec"], entry[group]["Name"], entry[group]["Name[ja]"])
                   for group in entry.sections() if group.startswith("Desktop Action ")}
        self.assertEqual(actions, {
            "bottom": ("vellox /B", "Start Docked at the Bottom", "下に張り付けて起動"),
            "hidden": ("vellox /N", "Start Hidden in the Notification Area", "通知領域に隠して起動"),
            "keypad": ("vellox /P", "Start with the Keypad", "パッド入力を開いて起動"),
        })

    def manual_line(self, pattern):
        """The one line of vellox(1), as man shows it, that matches pattern (a command: never broken),
        and the whole page."""
        with gzip.open(self.installed("/usr/share/man/man1/vellox.1.gz"), "rt", encoding="utf-8") as page:
            shown = subprocess.run(["man", "-l", "-"], input=page.read(), capture_output=True, text=True,
                                   check=True, env=dict(os.environ, MANWIDTH="200", LANG="C.UTF-8")).stdout
        lines = [line.strip() for line in shown.splitlines() if re.match(pattern, line.strip())]
        self.assertEqual(len(lines), 1, (pattern, lines))
        path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "README.md")
        with open(path, encoding="utf-8") as readme:
            self.assertIn(lines[0], readme.read())  # the README gives the same
        return lines[0], shown

    def test_autostart_entry_copied_as_documented_starts_the_strip_at_the_bottom(self):
        source = self.installed("/usr/share/vellox/vellox-autostart.desktop")
        check = subprocess.run(["desktop-file-validate", source], capture_output=True, text=True)
        self.assertEqual((check.returncode, check.stdout + check.stderr), (0, ""))
        entry = desktop_entry(source)["Desktop Entry"]
        self.assertEqual((entry["Type"], entry["Exec"], entry["TryExec"], entry["X-GNOME-Autostart-enabled"]),
                         ("Application", "vellox /B", "vellox", "true"))
        self.assertFalse({"Hidden", "NoDisplay"} & set(entry))  # GNOME's start-up programs would hide it
        # Nothing starts for everyone: all the package puts in /etc is sway's rules, the README's.
        etc = [os.path.relpath(os.path.join(d, f), self.installed("/etc"))
               for d, _, files in os.walk(self.installed("/etc")) for f in files]
        self.assertEqual(etc, ["sway/config.d/vellox"])
        with open(self.installed("/etc/sway/config.d/vellox"), encoding="utf-8") as rules, \
                open(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "README.md"),
                     encoding="utf-8") as readme:
            rule = [line for line in rules.read().splitlines() if line.startswith("for_window")]
            self.assertEqual(len(rule), 1)
            self.assertIn("\n" + rule[0] + "\n", readme.read())
        enable, manual = self.manual_line(r"install .*vellox-autostart\.desktop")
        remove, _ = self.manual_line(r"rm .*autostart")
        self.assertIn(" /usr/share/vellox/vellox-autostart.desktop\n",
                      manual[manual.index("\nFILES\n"):manual.index("\nEXIT STATUS\n")])

        home = tempfile.mkdtemp(dir=self.work)
        copy = os.path.join(home, ".config/autostart/vellox.desktop")
        with Desktop() as desktop:
            # A user's session: the home's autostart folder, none of this machine's, and the
            # package's programs on the PATH. The commands are the manual's, with the package's
            # files where they name /usr.
            env = dict(desktop.env, HOME=home, XDG_CONFIG_DIRS=os.path.join(home, "none"),
                       PATH=self.installed("/usr/bin") + os.pathsep + desktop.env["PATH"])
            env.pop("XDG_CONFIG_HOME", None)
            shell = lambda command: subprocess.run(  # noqa: E731
                ["bash", "-c", command.replace("/usr/share/", self.installed("/usr/share/"))], env=env, check=True)
            shell(enable)
            with open(copy, "rb") as copied, open(source, "rb") as original:
                self.assertEqual(copied.read(), original.read())
            # dex's output goes to a file: the strip it starts keeps its standard output open.
            with tempfile.TemporaryFile("w+", dir=self.work) as output:
                session = subprocess.run(["dex", "--autostart", "--verbose"], env=env, stdout=output,
                                         stderr=subprocess.STDOUT, timeout=30)
                output.seek(0)
                said = output.read()
            self.assertEqual(session.returncode, 0, said)
            self.assertIn(copy, said)

            bottom = (0, desktop.height - 30 - 38, desktop.width, 38)  # above tint2's 30 pixels
            strip = wait_for(lambda: [window for window in xwindows.windows_of_class(desktop, "vellox")
                                      if xwindows.geometry(desktop, window) == bottom],
                             20, what="the strip at the bottom")[0]
            pid = int(desktop.run("xdotool", "getwindowpid", str(strip)))
            self.assertEqual(os.path.realpath("/proc/%d/exe" % pid),
                             os.path.realpath(self.installed("/usr/bin/vellox")))
            os.kill(pid, signal.SIGTERM)  # dex's child, not this test's
            wait_for(lambda: not xwindows.windows_of_class(desktop, "vellox", visible=False), what="vellox to end")
            shell(remove)
            self.assertFalse(os.path.exists(copy))

    # AppStream: the metadata, valid, and a component of the installed package.

    def test_appstream_metadata_is_valid_and_describes_the_package(self):
        metainfo = self.installed("/usr/share/metainfo/org.vellox.vellox.metainfo.xml")
        # Valid alone, and within the installed tree (the desktop entry it launches is there).
        for command in (["validate", metainfo], ["validate-tree", self.root]):
            check = subprocess.run(["appstreamcli", command[0], "--no-net", "--pedantic", command[1]],
                                   capture_output=True, text=True)
            self.assertEqual(check.returncode, 0, check.stdout + check.stderr)
            self.assertNotRegex(check.stdout, r"(?m)^\s*[EWIP]: ")
        component = ElementTree.parse(metainfo).getroot()

        def texts(path):
            return [(element.get(XML_LANG), element.text.strip()) for element in component.findall(path)]
        self.assertEqual((component.get("type"), component.findtext("id")),
                         ("desktop-application", "org.vellox.vellox"))
        self.assertEqual((component.findtext("metadata_license"), component.findtext("project_license")),
                         ("FSFAP", "LicenseRef-proprietary"))
        with open(self.installed("/usr/share/doc/vellox/copyright"), encoding="utf-8") as copyright_file:
            self.assertIn("SPDX: FSFAP", copyright_file.read())
        self.assertEqual(texts("name"), [(None, "Vellox"), ("ja", "Vellox 電卓")])
        self.assertEqual(texts("summary"), [(None, self.field("Description").splitlines()[0].capitalize()),
                                            ("ja", "画面の端に張り付く帯型電卓")])
        self.assertEqual([language for language, _ in texts("description/p")], [None, "ja", None, "ja"])
        # The developer by name (<developer> since AppStream 1.0, <developer_name> before), and a homepage.
        self.assertEqual(texts("developer/name") + texts("developer_name"), [(None, "The Vellox developers")])
        self.assertRegex(component.findtext("url[@type='homepage']") or "", r"^https://\S+$")
        self.assertEqual(texts("launchable"), [(None, "vellox.desktop")])
        self.assertEqual(component.find("launchable").get("type"), "desktop-id")
        entry = desktop_entry(self.installed("/usr/share/applications/vellox.desktop"))["Desktop Entry"]
        self.assertEqual([text for _, text in texts("categories/category")],
                         entry["Categories"].rstrip(";").split(";"))
        self.assertEqual(component.find("content_rating").get("type"), "oars-1.1")
        self.assertEqual(sorted(text for _, text in texts("provides/binary")),
                         sorted(os.listdir(self.installed("/usr/bin"))))
        # The release is the package's version, dated as its latest changelog entry.
        with gzip.open(self.installed("/usr/share/doc/vellox/changelog.Debian.gz"), "rt", encoding="utf-8") as log:
            day, month, year = re.search(r"(?m)^ -- .*?, (\d\d) (\w{3}) (\d{4}) ", log.read()).groups()
        releases = [(release.get("version"), release.get("date")) for release in component.findall("releases/release")]
        self.assertEqual(releases, [(self.field("Version").rsplit("-", 1)[0],
                                     "%s-%02d-%s" % (year, MONTHS.index(month) + 1, day))])

    @unittest.skipUnless(os.environ.get("CI") == "true" and os.geteuid() == 0, "installs with dpkg only in CI")
    def test_installed_with_dpkg_appstream_lists_the_component(self):
        if subprocess.run(["dpkg-query", "-W", "vellox"], capture_output=True).returncode == 0:
            self.skipTest("a vellox package is installed on this machine; it is left alone")
        try:
            install = apt_get("install", "--no-install-recommends", os.path.abspath(self.deb))
            self.assertEqual(install.returncode, 0, "cannot install the package (after waiting %d s for the lock "
                             "if another package manager held it):\n%s" % (LOCK_WAIT, install.stdout + install.stderr))
            for query in (["get", "org.vellox.vellox"], ["what-provides", "bin", "vellox-calc"]):
                found = subprocess.run(["appstreamcli", *query, "--no-cache", "--cachepath", self.work],
                                       capture_output=True, text=True)
                self.assertIn("Identifier: org.vellox.vellox [desktop-application]", found.stdout, found.stderr)
        finally:
            apt_get("purge", "vellox")


LOCK_WAIT = 240  # seconds apt-get waits for the dpkg lock that another package manager may hold


def apt_get(*arguments):
    print("apt-get %s: waits up to %d s for another package manager's lock" % (arguments[0], LOCK_WAIT), flush=True)
    return subprocess.run(["apt-get", "-y", "-q", "-o", "DPkg::Lock::Timeout=%d" % LOCK_WAIT, *arguments],
                          env=dict(os.environ, DEBIAN_FRONTEND="noninteractive"), capture_output=True, text=True)


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
