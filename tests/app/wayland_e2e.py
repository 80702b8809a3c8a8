"""The strip as a Wayland panel, on headless sway and labwc with XWayland running as in a real
session: flush at the top and, after /B, at the bottom, in a band of its own that maximised
windows stop at; a click into its field gives it the keys typed; hidden, it gives its band back,
and its tray icon shows it again. Through XWayland, sway's rule from the package keeps it at the
top. Skipped where the build docks through X11 only (no layer-shell-qt) or the compositor is not
installed."""

import os
import shutil
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import accessibility as a11y  # noqa: E402
from desktop import wait_for  # noqa: E402
from program import Program  # noqa: E402
from wayland_desktop import WaylandDesktop  # noqa: E402

VELLOX = sys.argv[1] if len(sys.argv) > 1 else "vellox"
HEIGHT = 38
SWAY_RULES = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "packaging", "sway", "vellox")


class PanelScenario:
    compositor = None

    def test_docked_as_a_panel(self):
        if shutil.which(self.compositor) is None:
            self.skipTest(self.compositor + " is not installed")
        with WaylandDesktop(self.compositor) as desktop:
            w, h = desktop.width, desktop.height
            # The switch /B docks it at the bottom; the keys and the tray icon are tried at the top.
            for arguments, band, area in (([], (0, 0, w, HEIGHT), (0, HEIGHT, w, h - HEIGHT)),
                                          (["/B"], (0, h - HEIGHT, w, HEIGHT), (0, 0, w, h - HEIGHT))):
                program = Program(desktop, VELLOX, *arguments)
                try:
                    app = a11y.application(desktop, "Vellox")
                    self.wait_docked(desktop, band, area)
                    if not arguments:
                        self.takes_keys_and_hides_to_its_icon(desktop, app, band, area)
                    self.assertIsNone(program.process.poll(), "the strip ended")
                finally:
                    program.stop()

    def takes_keys_and_hides_to_its_icon(self, desktop, app, band, area):
        desktop.click(200, band[1] + HEIGHT // 2)
        desktop.type("6*7")
        app.wait_text("結果", "42")
        app.press(next(c["role"] for c in app.controls() if c["name"] == "最小化"), "最小化")
        whole = (0, 0, desktop.width, desktop.height)
        wait_for(lambda: desktop.work_area() == whole and desktop.drawn_box() is None,
                 what="the band given back (have %r)" % (desktop.work_area(),))
        desktop.activate_tray_item()
        self.wait_docked(desktop, band, area)

    def wait_docked(self, desktop, band, area):
        """Waits until the strip alone is drawn in band and a maximised window takes area."""
        wait_for(lambda: desktop.drawn_box() == band and desktop.work_area() == area,
                 what="the strip at %r, windows in %r (have %r, %r)"
                 % (band, area, desktop.drawn_box(), desktop.work_area()))


class OnSway(PanelScenario, unittest.TestCase):
    compositor = "sway"


class OnSwayThroughXWayland(unittest.TestCase):
    @unittest.skipIf(shutil.which("sway") is None, "sway is not installed")
    def test_kept_at_the_top_by_the_package_rule(self):
        with WaylandDesktop("sway", sway_include=os.path.abspath(SWAY_RULES)) as desktop:
            program, band = Program(desktop, VELLOX, "-platform", "xcb"), (0, 0, desktop.width, HEIGHT)
            try:
                wait_for(lambda: desktop.drawn_box() == band,
                         what="the strip at %r (have %r)" % (band, desktop.drawn_box()))
                # sway centres a floating X11 window on any configure request it gets: the strip
                # stays put as time passes and another window comes and goes.
                time.sleep(3)
                other = Program(desktop, "xmessage", "Vellox")
                time.sleep(2)
                other.stop()
                time.sleep(2)
                self.assertEqual(desktop.drawn_box(), band)
            finally:
                program.stop()


class OnLabwc(PanelScenario, unittest.TestCase):
    compositor = "labwc"


if __name__ == "__main__":
    if os.environ.get("VELLOX_LAYER_SHELL", "1") != "1":
        print("skipped: this build docks through X11 only (no layer-shell-qt)")
        sys.exit(77)
    unittest.main(argv=sys.argv[:1] + sys.argv[2:], verbosity=2)
