"""The strip with keys alone and a screen reader: driven without the mouse on the real desktop
(Xvfb, openbox, tint2), with what it tells the accessibility bus read as Orca is told it."""

import os
import sys
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import accessibility as a11y  # noqa: E402
from desktop import Desktop, wait_for  # noqa: E402
from program import Program  # noqa: E402
import xwindows  # noqa: E402

VELLOX = sys.argv[1] if len(sys.argv) > 1 else "vellox"
EXPRESSION, KEYPAD = "計算式", "パッド入力"  # the fields' accessible names


class KeysAndScreenReaderTest(unittest.TestCase):
    def setUp(self):
        self.desktop = Desktop().__enter__()
        self.program = Program(self.desktop, VELLOX)
        self.app = a11y.application(self.desktop, "Vellox")
        self.told = a11y.Announcements(self.desktop, "Vellox")

    def tearDown(self):
        self.told.stop()
        self.program.stop()
        self.desktop.__exit__(None, None, None)

    def key(self, *keys):
        self.desktop.run("xdotool", "key", "--delay", "60", *keys)

    def type(self, text):
        self.desktop.run("xdotool", "type", "--delay", "30", text)

    def has_focus(self, name):
        control = self.app.control("text", name)
        return control is not None and "focused" in control["states"]

    def keypad_showing(self):
        return "showing" in self.app.wait_control("text", KEYPAD)["states"]

    def test_with_keys_alone_every_outcome_is_announced_and_every_command_reached(self):
        wait_for(lambda: self.has_focus(EXPRESSION), what="the keys in the expression field at start")
        # Keys pressed first, text typed, then Enter, and what the field with the keys is told.
        for keys, typed, told in (((), "1+2", "3"), ((), "", "3"),  # asked again, told again
                                  ((), "*", "構文エラー: 式が途中で終わっています"),
                                  (("ctrl+a", "BackSpace"), "totl*2", "0、未定義の変数 totl を 0 として計算しました")):
            if keys:
                self.key(*keys)
            if typed:
                self.type(typed)
            self.key("Return")
            self.told.expect("Vellox", told)

        # Shift+F10 opens the shared menu at the caret, Escape gives the keys back to the field;
        # the Menu key opens it again and its keypad item opens the keypad.
        for menu_key, then in (("shift+F10", "Escape"), ("Menu", "p")):
            before = xwindows.shown_top_level(self.desktop)
            self.key(menu_key)
            wait_for(lambda: xwindows.shown_top_level(self.desktop) - before, what="the menu from " + menu_key)
            time.sleep(0.3)  # it takes the keyboard once it is shown
            self.key(then)
        wait_for(self.keypad_showing, what="the keypad")
        wait_for(lambda: self.has_focus(KEYPAD), what="the keys in the keypad")
        self.type("12+3")
        self.key("Return")
        self.told.expect("CalcPad", "15")
        self.key("Escape")
        wait_for(lambda: not self.keypad_showing(), what="the keypad to close")
        wait_for(lambda: self.has_focus(EXPRESSION), what="the keys back in the expression field")
        self.key("alt+c")
        self.app.wait_text(EXPRESSION, "")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1])
