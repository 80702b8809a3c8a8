"""The strip docked as the desktop's own panels are: on every workspace, in a band of its own that
maximised windows stop at, beside the other panels at its edge and never over them. On openbox
with tint2 at the bottom, on xfwm4 with the Xfce panels, and on GNOME's window manager, mutter,
in an X session and in a Wayland session through XWayland."""

import re
import subprocess
import sys
import time
import unittest

from vellox_e2e import PANEL, RESULT, VelloxTest, xwindows
from desktop import Desktop, MutterWaylandDesktop, wait_for


def overlap(a, b):
    ax, ay, aw, ah = a
    bx, by, bw, bh = b
    return ax < bx + bw and bx < ax + aw and ay < by + bh and by < ay + ah


class DockTest(VelloxTest):
    def workarea(self):
        """The first workspace's work area: (x, y, width, height)."""
        return tuple(int(n) for n in re.findall(r"\d+", self.run_x("xprop", "-root", "_NET_WORKAREA"))[:4])

    def current_workspace(self):
        return int(re.findall(r"\d+", self.run_x("xprop", "-root", "_NET_CURRENT_DESKTOP"))[-1])

    def switch_workspace(self, number):
        self.run_x("wmctrl", "-s", str(number))
        wait_for(lambda: self.current_workspace() == number, what="workspace %d" % number)

    def viewable(self, window):
        return "IsViewable" in self.run_x("xwininfo", "-id", str(window))

    def maximised_terminal_frame(self):
        """Starts a maximised terminal and returns its frame's settled geometry."""
        before = set(xwindows.windows_of_class(self.desktop, "xterm"))
        self.terminal = self.desktop.start("xterm", "-maximized")
        window = wait_for(lambda: set(xwindows.windows_of_class(self.desktop, "xterm")) - before,
                          what="the terminal").pop()
        frame = ([window] + xwindows.ancestors(self.desktop, window))[-2]  # the root's child
        previous = None
        for _ in range(40):  # until the window manager is done with it
            time.sleep(0.1)
            current = xwindows.geometry(self.desktop, frame)
            if current == previous:
                break
            previous = current
        return previous

    def tearDown(self):
        super().tearDown()
        if getattr(self, "terminal", None):
            self.desktop.stop(self.terminal)
            self.terminal = None

    def assert_reserves_its_band(self, arguments, strip, area, free):
        """Started with arguments, the strip lies at strip, the work area is area and a maximised
        terminal keeps out of the strip; hidden, the strip leaves the work area free."""
        program = self.start(*arguments)
        try:
            self.wait_strip(strip, "docked")
            wait_for(lambda: self.workarea() == area, what="the work area %r (have %r)" % (area, self.workarea()))
            terminal = self.maximised_terminal_frame()
            self.assertFalse(overlap(terminal, strip), "a maximised terminal at %r" % (terminal,))
            self.app.press("push button", "最小化")
            wait_for(lambda: self.workarea() == free, what="the space back (have %r)" % (self.workarea(),))
        finally:
            program.stop()
            self.programs.clear()
            if getattr(self, "terminal", None):
                self.desktop.stop(self.terminal)
                self.terminal = None


class BesideTint2Test(DockTest):
    """openbox, with tint2 (task bar and notification area) reserving 30 pixels at the bottom."""

    def test_it_reserves_its_band_above_tint2_whose_tray_stays_visible(self):
        w, h = self.desktop.width, self.desktop.height
        self.assert_reserves_its_band([], (0, 0, w, 38), (0, 38, w, h - 38 - PANEL), (0, 0, w, h - PANEL))
        bottom = (0, h - PANEL - 38, w, 38)
        self.assert_reserves_its_band(["/B"], bottom, (0, 0, w, h - PANEL - 38), (0, 0, w, h - PANEL))
        # The icon that brings a hidden strip back is never under the strip.
        self.start("/B")
        self.wait_strip(bottom, "above tint2")
        icon = xwindows.geometry(self.desktop, wait_for(self.tray_icon, what="the tray icon"))
        self.assertFalse(overlap(icon, bottom))
        self.assertGreaterEqual(icon[1], h - PANEL)

    def test_it_follows_a_panel_that_goes_and_comes(self):
        w, h = self.desktop.width, self.desktop.height
        self.start("/B")
        self.wait_strip((0, h - PANEL - 38, w, 38), "above tint2")
        self.desktop.stop(self.desktop.panel_process)
        try:
            self.wait_strip((0, h - 38, w, 38), "at the edge once tint2 is gone")
        finally:
            self.desktop.panel_process = self.desktop.start_panel()
        self.wait_strip((0, h - PANEL - 38, w, 38), "above tint2 again")

    def test_a_docked_strip_writes_its_strut_once_and_rests(self):
        # Its own strut is no other panel's: following it, the strip would dock again without end.
        self.start("/B")
        strip = wait_for(self.strip_window, what="the strip")[0]
        wait_for(lambda: "= " in self.run_x("xprop", "-id", str(strip), "_NET_WM_STRUT_PARTIAL"), what="its strut")
        time.sleep(0.5)
        spy = subprocess.Popen(["xprop", "-spy", "-id", str(strip), "_NET_WM_STRUT_PARTIAL"], env=self.desktop.env,
                               stdout=subprocess.PIPE, text=True)
        time.sleep(2)
        spy.terminate()
        lines = spy.communicate()[0].splitlines()
        self.assertEqual(len(lines), 1, lines)  # the value as it stands, and no write since

    def test_the_strip_and_the_keypad_are_on_every_workspace(self):
        try:
            self.start("/P")
            pad = wait_for(self.keypad_shown, what="the keypad")[0]
            self.switch_workspace(1)
            time.sleep(0.3)
            self.assertTrue(self.viewable(self.strip_window(visible=False)[0]))
            self.assertTrue(self.viewable(pad))
            self.run_x("wmctrl", "-i", "-c", hex(pad))  # closed as its title bar's close button would
            wait_for(lambda: not self.keypad_shown(), what="the keypad to close")
            self.app.press("push button", "最小化")
            wait_for(lambda: not self.strip_window(), what="the strip to hide")
            # Restored on another workspace, it shows there: the workspace stays.
            self.switch_workspace(2)
            self.click_tray(1)
            wait_for(self.strip_window, timeout=3, what="the strip to come back")
            self.assertEqual(self.current_workspace(), 2)
            self.type_expression("2*21")
            self.wait_text("結果", "42")
        finally:
            self.switch_workspace(0)


class BesideXfcePanelsTest(DockTest):
    """xfwm4 with the Xfce panels as they start the first time: a panel at the top that reserves its
    space, and a dock panel at the bottom that hides itself and reserves nothing."""

    @classmethod
    def setUpClass(cls):
        cls.desktop = Desktop(panel="xfce", window_manager="xfwm4").__enter__()

    def test_it_docks_below_the_top_panel_and_takes_the_keys(self):
        w, h = self.desktop.width, self.desktop.height
        top = max(strut[2] for strut in self.desktop.struts())  # the top panel's height
        self.assert_reserves_its_band([], (0, top, w, 38), (0, top + 38, w, h - top - 38), (0, top, w, h - top))
        self.assert_reserves_its_band(["/B"], (0, h - 38, w, 38), (0, top, w, h - top - 38), (0, top, w, h - top))
        # On another workspace a second start shows the hidden strip there, and a click into its
        # field gives it the keys.
        self.start()
        self.app.press("push button", "最小化")
        wait_for(lambda: not self.strip_window(), what="the strip to hide")
        try:
            self.switch_workspace(1)
            self.desktop.run(sys.argv[1] if len(sys.argv) > 1 else "vellox")
            wait_for(self.strip_window, timeout=3, what="the strip to come back")
            self.assertEqual(self.current_workspace(), 1)
            self.type_expression("6*7")
            self.wait_text("結果", "42")
        finally:
            self.switch_workspace(0)


class OnMutterTest(DockTest):
    """mutter keeps an ordinary window inside the work area, which the strip's own strut has
    already taken its band out of: the strip lies flush at its edge all the same, with its band
    reserved, stays there, and takes the keys."""

    @classmethod
    def setUpClass(cls):
        cls.desktop = Desktop(panel=False, window_manager="mutter").__enter__()

    def test_it_lies_flush_at_both_edges_and_takes_the_keys(self):
        w, h = self.desktop.width, self.desktop.height
        for arguments, strip, area in (([], (0, 0, w, 38), (0, 38, w, h - 38)),
                                       (["/B"], (0, h - 38, w, 38), (0, 0, w, h - 38))):
            program = self.start(*arguments)
            try:
                self.wait_strip(strip, "flush at its edge")
                wait_for(lambda: self.workarea() == area, what="the work area %r (have %r)" % (area, self.workarea()))
                time.sleep(1)
                self.wait_strip(strip, "resting there")
                self.type_expression("6*7")
                self.wait_text(RESULT, "42")
            finally:
                program.stop()
                self.programs.clear()


class OnMutterWaylandTest(OnMutterTest):
    """The same in mutter's Wayland session, where the strip runs on its XWayland display."""

    @classmethod
    def setUpClass(cls):
        cls.desktop = MutterWaylandDesktop().__enter__()


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1] + sys.argv[2:], verbosity=2)
