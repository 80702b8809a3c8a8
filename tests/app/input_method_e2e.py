"""The strip typed into as a Japanese user types: through a real input method, fcitx5 with anthy
(mozc's server refuses to run as root, as CI runs), reached through fcitx5's Qt 6 front end, on
the test's own desktop; driven by xdotool and read over AT-SPI. The composition itself is not
part of a field's text over AT-SPI: what is read is what was committed."""

import os
import re
import shutil
import sys
import tempfile
import time
import unittest

from vellox_e2e import EXPRESSION, KEYPAD, RESULT, VelloxTest, wait_for

# One group: the US keyboard and anthy; Ctrl+Space switches between them.
PROFILE = """[Groups/0]
Name=Default
Default Layout=us
DefaultIM=anthy

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=anthy
Layout=

[GroupOrder]
0=Default
"""

INACTIVE, ACTIVE = "1", "2"  # fcitx5-remote's answers for the focused input context


class InputMethodTest(VelloxTest):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        # fcitx5 and anthy keep their settings and dictionaries in a home of their own.
        cls.home = tempfile.mkdtemp(prefix="vellox-e2e-fcitx5-")
        os.makedirs(os.path.join(cls.home, ".config", "fcitx5"))
        with open(os.path.join(cls.home, ".config", "fcitx5", "profile"), "w") as profile:
            profile.write(PROFILE)
        env = dict(cls.desktop.env, HOME=cls.home, XDG_CONFIG_HOME=os.path.join(cls.home, ".config"),
                   XDG_DATA_HOME=os.path.join(cls.home, ".local", "share"),
                   XDG_CACHE_HOME=os.path.join(cls.home, ".cache"))
        cls.desktop.start("fcitx5", env=env)
        wait_for(lambda: "boolean true" in cls.desktop.run(
            "dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
            "org.freedesktop.DBus.NameHasOwner", "string:org.fcitx.Fcitx5"), what="fcitx5 on the session bus")

    @classmethod
    def tearDownClass(cls):
        super().tearDownClass()
        shutil.rmtree(cls.home, ignore_errors=True)

    def start_typing(self, *arguments):
        """Starts the strip with fcitx5 as its input method and clicks its expression field."""
        self.start(*arguments, env=dict(self.desktop.env, QT_IM_MODULE="fcitx", LANG="ja_JP.UTF-8"))
        self.click_field(EXPRESSION)

    def input_method(self, state):
        """Switches the input method on (ACTIVE) or off (INACTIVE) in the focused field with Ctrl+Space,
        as the user does."""
        if self.run_x("fcitx5-remote").strip() != state:
            self.run_x("xdotool", "key", "ctrl+space")
        wait_for(lambda: self.run_x("fcitx5-remote").strip() == state, what="the input method " + state)

    def type_keys(self, text):
        self.run_x("xdotool", "type", "--delay", "60", text)

    def key(self, name):
        self.run_x("xdotool", "key", name)

    def compose_kanji(self, reading):
        """Types a word by its reading with the input method on and converts it to kanji; the
        conversion stays a composition until it is committed."""
        self.input_method(ACTIVE)
        self.type_keys(reading)
        self.key("space")
        time.sleep(0.3)

    def clear_expression(self):
        self.key("ctrl+a")
        self.key("BackSpace")
        self.wait_text(EXPRESSION, "")

    def test_a_kanji_name_and_operators_typed_with_the_input_method_on(self):
        self.start_typing()
        self.type_keys("x = 5")
        self.key("Return")
        self.wait_text(RESULT, "5")
        self.clear_expression()

        # x, a kanji word through the input method, then " = 2" with it left on: the ideographic
        # space, ＝ and the digit reach the field as ASCII, and the assignment sets x半径.
        self.input_method(INACTIVE)
        self.type_keys("x")
        self.compose_kanji("hankei")
        self.key("Return")  # commits the conversion
        name = wait_for(lambda: (lambda text: text if len(text) > 1 else None)(self.app.text(EXPRESSION)),
                        what="the committed word")
        self.assertTrue(name.startswith("x") and all(ord(c) >= 0x4E00 for c in name[1:]), name)
        self.type_keys(" = 2")
        self.key("Return")  # commits what is still composed
        wait_for(lambda: re.fullmatch(re.escape(name) + " ?= ?2", self.app.text(EXPRESSION)),
                 what="%s = 2 in ASCII (have %r)" % (name, self.app.text(EXPRESSION)))
        self.key("Return")
        self.wait_text(RESULT, "2")

        # The word converted but not committed when "＝" is clicked: the whole of what the field
        # shows is evaluated, not x alone.
        self.clear_expression()
        self.input_method(INACTIVE)
        self.type_keys("x")
        self.compose_kanji("hankei")
        self.assertEqual(self.app.text(EXPRESSION), "x")
        self.app_click("push button", "計算結果")
        self.wait_text(EXPRESSION, name)
        self.wait_text(RESULT, "2")

        # The operator and the digit with the input method still on.
        self.type_keys("*3")
        self.key("Return")  # commits ＊３
        self.wait_text(EXPRESSION, name + "*3")
        self.key("Return")
        self.wait_text(RESULT, "6")

    def test_the_keypad_takes_digits_with_the_input_method_left_on(self):
        self.start_typing()
        self.input_method(ACTIVE)
        self.app_click("push button", "パッド入力")
        wait_for(self.keypad_shown, what="the keypad")
        self.click_field(KEYPAD)
        self.key("ctrl+space")  # the input method stays off in the keypad's field
        self.type_keys("12+3")
        self.key("Return")
        self.wait_text(EXPRESSION, "12+3")
        self.wait_text(KEYPAD, "15")
        self.wait_text(RESULT, "15")

    def app_click(self, role, name):
        """Clicks a control with the pointer, as the user does (a click on a button leaves the
        keyboard focus where it was)."""
        x, y, w, h = self.app.wait_control(role, name)["extents"]
        self.run_x("xdotool", "mousemove", "--sync", str(x + w // 2), str(y + h // 2), "click", "1")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1] + sys.argv[2:], verbosity=2)
