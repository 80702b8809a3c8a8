"""The strip typed into through a real Japanese input method: fcitx5 with anthy (mozc's server
refuses to run as root, as CI runs) and fcitx5's Qt front end, on the test's own desktop, driven
by xdotool and read over AT-SPI. AT-SPI shows a field's committed text, not the composition."""

import os
import re
import shutil
import sys
import tempfile
import time
import unittest

from vellox_e2e import EXPRESSION, KEYPAD, RESULT, VelloxTest, wait_for

# One group of the US keyboard and anthy; Ctrl+Space switches between them.
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
OFF, ON = "1", "2"  # fcitx5-remote's states of the focused field


class InputMethodTest(VelloxTest):
    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.home = tempfile.mkdtemp(prefix="vellox-e2e-fcitx5-")  # its settings and dictionaries
        os.makedirs(os.path.join(cls.home, ".config", "fcitx5"))
        with open(os.path.join(cls.home, ".config", "fcitx5", "profile"), "w") as profile:
            profile.write(PROFILE)
        cls.desktop.start("fcitx5", env=dict(cls.desktop.env, HOME=cls.home,
                                             XDG_CONFIG_HOME=os.path.join(cls.home, ".config")))
        wait_for(lambda: "true" in cls.desktop.run(
            "dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus", "/org/freedesktop/DBus",
            "org.freedesktop.DBus.NameHasOwner", "string:org.fcitx.Fcitx5"), what="fcitx5 on the session bus")

    @classmethod
    def tearDownClass(cls):
        super().tearDownClass()
        shutil.rmtree(cls.home, ignore_errors=True)

    def setUp(self):
        self.start(env=dict(self.desktop.env, QT_IM_MODULE="fcitx"))
        self.click_field(EXPRESSION)

    def keys(self, *keys):
        for key in keys:
            self.run_x("xdotool", "key", key)

    def type(self, text):
        self.run_x("xdotool", "type", "--delay", "60", text)

    def input_method(self, state):
        """Switches the input method with Ctrl+Space, as the user does, until it is in state."""
        if self.run_x("fcitx5-remote").strip() != state:
            self.keys("ctrl+space")
        wait_for(lambda: self.run_x("fcitx5-remote").strip() == state, what="the input method in state " + state)

    def x_and_a_kanji_word(self):
        """Types x, then 半径 by its reading, converted and left composed."""
        self.keys("ctrl+a", "BackSpace")
        self.input_method(OFF)
        self.type("x")
        self.input_method(ON)
        self.type("hankei")
        self.keys("space")
        time.sleep(0.3)

    def click(self, name):
        """Clicks a button with the pointer: it takes no focus, so the composition stays pending."""
        x, y, w, h = self.app.wait_control("push button", name)["extents"]
        self.run_x("xdotool", "mousemove", "--sync", str(x + w // 2), str(y + h // 2), "click", "1")

    def test_a_kanji_name_and_operators_typed_with_the_input_method_on(self):
        self.type("x = 5")
        self.keys("Return")
        self.wait_text(RESULT, "5")
        # " = 2" with the input method left on: its space, ＝ and digit reach the field as ASCII.
        self.x_and_a_kanji_word()
        self.keys("Return")  # commits the conversion
        self.type(" = 2")
        self.keys("Return")  # commits what is still composed
        name = self.app.text(EXPRESSION).split(" ")[0]
        self.assertTrue(re.fullmatch("x[\u4e00-\u9fff]+", name), name)
        wait_for(lambda: re.fullmatch(name + " ?= ?2", self.app.text(EXPRESSION)),
                 what="the assignment in ASCII (have %r)" % self.app.text(EXPRESSION))
        self.keys("Return")
        self.wait_text(RESULT, "2")
        # "＝" clicked while the word is still composed evaluates all the field shows.
        self.x_and_a_kanji_word()
        self.assertEqual(self.app.text(EXPRESSION), "x")
        self.click("計算結果")
        self.wait_text(EXPRESSION, name)
        self.wait_text(RESULT, "2")
        self.type("*3")
        self.keys("Return")  # commits ＊３, which arrives as *3
        self.wait_text(EXPRESSION, name + "*3")
        self.keys("Return")
        self.wait_text(RESULT, "6")

    def test_the_keypad_takes_digits_with_the_input_method_left_on(self):
        self.input_method(ON)
        self.click("パッド入力")
        wait_for(self.keypad_shown, what="the keypad")
        self.click_field(KEYPAD)
        self.keys("ctrl+space")  # the input method does not come on there
        self.type("12+3")
        self.keys("Return")
        self.wait_text(EXPRESSION, "12+3")
        self.wait_text(KEYPAD, "15")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1] + sys.argv[2:], verbosity=2)
