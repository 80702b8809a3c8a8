"""The tray icon over a real notification area: tint2 on Xvfb, clicked with xdotool."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
from desktop import Desktop, wait_for  # noqa: E402
from program import Program  # noqa: E402
import xwindows  # noqa: E402

PROBE = sys.argv[1] if len(sys.argv) > 1 else "tray_probe"


class TrayIconOnTheDesktop(unittest.TestCase):
    def setUp(self):
        self.desktop = Desktop().__enter__()
        self.probe = Program(self.desktop, PROBE)
        self.probe.expect("ready")
        self.icon = wait_for(self.docked_icon, what="the icon in the notification area")

    def tearDown(self):
        self.probe.stop()
        self.desktop.__exit__(None, None, None)

    def docked_icon(self):
        return xwindows.docked_icon(self.desktop, "tray_probe")

    def click(self, button, repeat=1):
        x, y = xwindows.center(xwindows.geometry(self.desktop, self.icon))
        self.desktop.run("xdotool", "mousemove", "--sync", str(x), str(y))
        self.desktop.run("xdotool", "click", "--repeat", str(repeat), "--delay", "60", str(button))
        return x, y

    def test_icon_docks_in_the_panel(self):
        x, y, width, height = xwindows.geometry(self.desktop, self.icon)
        self.assertGreaterEqual(y, self.desktop.height - 30)  # inside the bottom panel
        self.assertGreater(width, 0)

    def test_a_click_reaches_on_click_once(self):
        self.click(1)
        self.probe.expect("click", timeout=3)
        self.assertEqual(self.probe.output_during(1.0), [])

    def test_a_double_click_is_not_a_click(self):
        self.click(1, repeat=2)
        self.probe.expect("dblclick", timeout=3)
        self.assertNotIn("click", self.probe.output_during(1.0))

    def test_a_right_press_opens_the_menu_at_the_pointer(self):
        x, y = self.click(3)
        menu_x, menu_y, width, height = map(int, self.probe.expect("menu", timeout=3).split()[1:])
        # Opened at the pointer. Near the screen's edges Qt moves a menu to fit the work area: to
        # the left of the right edge, and above the panel that holds the icon.
        self.assertTrue(menu_x <= x <= menu_x + width, (x, menu_x, width))
        panel_top = self.desktop.height - 30
        self.assertTrue(menu_y <= y <= menu_y + height or menu_y + height == panel_top, (y, menu_y, height))
        self.desktop.run("xdotool", "key", "Escape")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1], verbosity=2)
