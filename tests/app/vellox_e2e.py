"""The real program on a real desktop: Xvfb, openbox and the tint2 panel, driven by xdotool and
read over AT-SPI."""

import json
import os
import re
import signal
import subprocess
import sys
import tempfile
import time
import unittest

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e"))
import accessibility as a11y  # noqa: E402
from desktop import Desktop, wait_for  # noqa: E402
from program import Program  # noqa: E402
import screen  # noqa: E402
import xwindows  # noqa: E402

VELLOX = sys.argv[1] if len(sys.argv) > 1 else "vellox"
EXPRESSION, RESULT, KEYPAD = "計算式", "結果", "パッド入力"  # the fields' accessible names
STAND_IN_PORTAL = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "e2e", "stand_in_portal.py")
PANEL = 30  # the height of the test desktop's panel at the bottom (tint2 or LXQt's), which it reserves


def open_menu(desktop, right_click):
    """Opens a menu with right_click() and waits until it is shown, to take the keys."""
    before = xwindows.shown_top_level(desktop)
    right_click()
    wait_for(lambda: xwindows.shown_top_level(desktop) - before, what="the menu")
    time.sleep(0.3)  # it takes the keyboard once it is shown


class VelloxTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.desktop = Desktop().__enter__()

    @classmethod
    def tearDownClass(cls):
        cls.desktop.__exit__(None, None, None)

    def tearDown(self):
        for program in getattr(self, "programs", []):
            program.stop()

    # Helpers

    def start(self, *arguments, env=None):
        program = Program(self.desktop, VELLOX, *arguments, env=env)
        self.programs = getattr(self, "programs", []) + [program]
        self.app = a11y.application(self.desktop, "Vellox")
        return program

    def run_x(self, *args):
        return self.desktop.run(*args)

    def strip_window(self, visible=True, height=38):
        windows = xwindows.windows_of_class(self.desktop, "vellox", visible=visible)
        return [w for w in windows if xwindows.geometry(self.desktop, w)[3] == height]

    def strip_geometry(self, height=38):
        strips = wait_for(lambda: self.strip_window(height=height), what="the strip")
        return xwindows.geometry(self.desktop, strips[0])

    def wait_strip(self, geometry, what):
        """Waits until the shown strip has this geometry (x, y, width, height)."""
        wait_for(lambda: any(xwindows.geometry(self.desktop, w) == geometry
                             for w in self.strip_window(height=geometry[3])),
                 what="%s: the strip at %r (have %r)" % (what, geometry, [xwindows.geometry(self.desktop, w)
                                                                      for w in self.strip_window(height=geometry[3])]))

    def keypad_shown(self):
        return [w for w in xwindows.windows_of_class(self.desktop, "vellox")
                if "CalcPad" in self.run_x("xdotool", "getwindowname", str(w))]

    def tray_icon(self):
        return xwindows.docked_icon(self.desktop, "vellox")

    def click_tray(self, button):
        icon = wait_for(self.tray_icon, what="the tray icon")
        x, y = xwindows.center(xwindows.geometry(self.desktop, icon))
        self.run_x("xdotool", "mousemove", "--sync", str(x), str(y), "click", str(button))

    def menu_command(self, *keys):
        """Opens the shared menu from the tray icon and types the access keys."""
        open_menu(self.desktop, lambda: self.click_tray(3))
        for key in keys:
            self.run_x("xdotool", "key", key)
            time.sleep(0.15)

    def type_expression(self, text):
        x, y, w, h = self.strip_geometry()
        self.run_x("xdotool", "mousemove", "--sync", str(x + 200), str(y + 18), "click", "1")
        self.run_x("xdotool", "key", "ctrl+a", "BackSpace")
        self.run_x("xdotool", "type", "--delay", "20", text)
        self.run_x("xdotool", "key", "Return")

    def click_field(self, field, button=1, clicks=1):
        x, y, w, h = self.app.wait_control("text", field)["extents"]
        self.run_x("xdotool", "mousemove", "--sync", str(x + w // 2), str(y + h // 2),
                   "click", "--repeat", str(clicks), str(button))

    def set_selection(self, text):
        """Owns the X primary selection with text, as a program the user selected it in would."""
        subprocess.run(["xclip", "-selection", "primary"], input=text, env=self.desktop.env, text=True,
                       check=True, timeout=10)
        wait_for(lambda: self.run_x("xclip", "-o", "-selection", "primary") == text, what="the X selection")

    def wait_text(self, field, expected, timeout=5.0):
        self.app.wait_text(field, expected, timeout)


class StripTest(VelloxTest):
    def test_starts_docked_at_the_top_off_the_task_bar(self):
        self.start()
        self.assertEqual(self.strip_geometry(), (0, 0, self.desktop.width, 38))
        strip = self.strip_window()[0]
        state = self.run_x("xprop", "-id", str(strip), "_NET_WM_STATE")
        self.assertIn("_NET_WM_STATE_SKIP_TASKBAR", state)
        self.assertIn("_NET_WM_STATE_ABOVE", state)
        self.assertTrue(wait_for(self.tray_icon, what="the tray icon"))

    def test_switches(self):
        bottom = self.desktop.height - PANEL - 38  # directly above the panel
        for arguments, top, shown, keypad in ((["/b"], bottom, True, False),
                                               (["/B", "/N"], bottom, True, False),
                                               (["/whatever"], 0, True, False),
                                               (["-reverse", "/B"], 0, True, False),  # a Qt option is first
                                               (["/n"], None, False, False),
                                               (["/p"], 0, True, True)):
            with self.subTest(arguments=arguments):
                program = self.start(*arguments)
                try:
                    if shown:
                        self.assertEqual(self.strip_geometry()[1], top)
                    else:
                        wait_for(lambda: not self.strip_window(), what="the strip to hide")
                    self.assertEqual(bool(wait_for(self.keypad_shown, timeout=3) if keypad else self.keypad_shown()),
                                     keypad)
                finally:
                    program.stop()
                    self.programs.clear()

    def test_enter_evaluates_and_a_syntax_error_leaves_no_result(self):
        self.start()
        self.type_expression("1+2")
        self.wait_text(RESULT, "3")
        self.assertEqual(self.app.text(EXPRESSION), "1+2")
        self.assertIn("enabled", self.app.control("text", RESULT)["states"])
        self.type_expression("1+")
        self.wait_text(RESULT, "構文エラー")  # said in the greyed field, no result
        self.assertNotIn("enabled", self.app.control("text", RESULT)["states"])
        self.assertEqual(self.app.text(EXPRESSION), "1+")

    def test_a_tax_sum_with_the_history_and_the_answer_key(self):
        self.start()
        self.type_expression("total = 40 + 4.19")
        self.wait_text(RESULT, "44.19")
        self.type_expression("totl * 1.19")  # a typo: computed with 0, and said so
        self.wait_text(RESULT, "0")
        self.assertIn("未定義の変数 totl を 0 として計算しました", self.app.control("text", RESULT)["description"])
        self.run_x("xdotool", "key", "Up")  # the one before the expression just evaluated
        self.wait_text(EXPRESSION, "total = 40 + 4.19")
        self.run_x("xdotool", "key", "Return")
        self.wait_text(RESULT, "44.19")
        self.assertEqual(self.app.control("text", RESULT)["description"].count("未定義"), 0)
        self.run_x("xdotool", "key", "ctrl+a", "ctrl+l")  # the answer in place of the expression
        self.wait_text(EXPRESSION, "44.19")
        self.run_x("xdotool", "type", "--delay", "20", "*1.19")
        self.run_x("xdotool", "key", "Return")
        self.wait_text(RESULT, "52.5861")
        for key, line in (("Up", "total = 40 + 4.19"), ("Up", "totl * 1.19"), ("Down", "total = 40 + 4.19"),
                          ("Down", "44.19*1.19")):
            self.run_x("xdotool", "key", key)
            self.wait_text(EXPRESSION, line)
        # Edited, the expression no longer has the value beside it: kept to read and copy, in
        # the no-result look, and read-only as ever.
        self.run_x("xdotool", "type", "--delay", "20", "+1")
        self.wait_text(EXPRESSION, "44.19*1.19+1")
        result = self.app.control("text", RESULT)
        self.assertEqual(result["text"], "52.5861")
        self.assertIn("式が変わりました", result["description"])
        self.assertIn("read only", result["states"])
        # A syntax error says what in the result field, and where with the caret.
        self.type_expression("(1+2")
        self.wait_text(RESULT, "構文エラー")
        self.assertEqual(self.app.control("text", EXPRESSION)["caret"], 4)
        # No answer after a failure: Ctrl+L over the whole text inserts nothing, as a later key
        # shows (an answer would have replaced the text before the ")").
        self.run_x("xdotool", "key", "ctrl+a", "ctrl+l", "End", "parenright")
        self.wait_text(EXPRESSION, "(1+2)")

    def test_every_character_of_a_result_lies_inside_its_field(self):
        self.start()
        for expression, result in (("2**64/3", "6.14891469123652E18"),
                                   ("0-2/3*10**-300", "-6.66666666666667E-301"),  # xdotool takes a leading "-" for an option
                                   ("0-3.64519953188247E-4951", "-3.64519953188247E-4951")):
            with self.subTest(expression=expression):
                self.type_expression(expression)
                self.wait_text(RESULT, result)
                self.assertEqual(self.app.hidden_characters(RESULT), [])

    def test_a_double_click_copies_the_whole_result_and_a_pasted_line_keeps_its_first_line(self):
        self.start()
        self.type_expression("2**64/3")
        self.wait_text(RESULT, "6.14891469123652E18")
        self.click_field(RESULT, clicks=2)
        wait_for(lambda: self.run_x("xclip", "-o", "-selection", "primary") == "6.14891469123652E18",
                 what="the whole result in the X selection")
        # A line copied from a terminal, pasted with the middle button.
        self.type_expression("")
        self.set_selection("12+3\n")
        self.click_field(EXPRESSION, button=2)
        self.wait_text(EXPRESSION, "12+3")
        self.run_x("xdotool", "key", "Return")
        self.wait_text(RESULT, "15")

    def test_a_division_by_zero_is_shown_in_a_box_and_the_program_goes_on(self):
        self.start()
        self.type_expression("1/0")
        self.app.wait_control("label", "0 で割ることはできません。式を直してください。")
        windows = [w for w in xwindows.windows_of_class(self.desktop, "vellox")
                   if self.run_x("xdotool", "getwindowname", str(w)).strip() == "Vellox"
                   and xwindows.geometry(self.desktop, w)[3] > 38]
        self.assertTrue(windows, "a message box titled Vellox")
        self.assertIn("_NET_WM_STATE_ABOVE", self.run_x("xprop", "-id", str(windows[0]), "_NET_WM_STATE"))
        self.run_x("xdotool", "key", "Return")  # OK
        wait_for(lambda: not any(self.run_x("xdotool", "getwindowname", str(w)).strip() == "Vellox"
                                 and xwindows.geometry(self.desktop, w)[3] > 38
                                 for w in xwindows.windows_of_class(self.desktop, "vellox")),
                 what="the box to close")
        self.type_expression("2+2")
        self.wait_text(RESULT, "4")

    def test_clear_empties_both_fields(self):
        self.start()
        self.type_expression("6*7")
        self.wait_text(RESULT, "42")
        self.run_x("xdotool", "key", "alt+c")
        self.wait_text(EXPRESSION, "")
        self.wait_text(RESULT, "")
        self.assertNotIn("enabled", self.app.control("text", RESULT)["states"])

    def test_with_keys_alone_a_screen_reader_is_told_every_outcome(self):
        self.start()
        told = a11y.Announcements(self.desktop, "Vellox")
        self.addCleanup(told.stop)
        focused = lambda name: "focused" in self.app.wait_control("text", name)["states"]
        wait_for(lambda: focused(EXPRESSION), what="the keys in the expression field at start")
        # Keys, then what the strip's notification tells (asked again, told again).
        for keys, text in ((["1", "plus", "2", "Return"], "3"), (["Return"], "3"),
                           (["asterisk", "Return"], "構文エラー: 式が途中で終わっています"),
                           (["ctrl+a", "t", "o", "t", "l", "Return"], "0、未定義の変数 totl を 0 として計算しました")):
            self.run_x("xdotool", "key", "--delay", "30", *keys)
            told.expect("Vellox", text)
        # Shift+F10 opens the shared menu, Escape closes it; the Menu key opens it again, and its
        # keypad item opens the keypad, whose "＝" is told there and which Escape closes.
        for menu_key, then in (("shift+F10", "Escape"), ("Menu", "p")):
            open_menu(self.desktop, lambda: self.run_x("xdotool", "key", menu_key))
            self.run_x("xdotool", "key", then)
        wait_for(lambda: focused(KEYPAD), what="the keys in the keypad")
        self.run_x("xdotool", "key", "--delay", "30", "1", "2", "plus", "3", "Return")
        told.expect("CalcPad", "15")
        self.run_x("xdotool", "key", "Escape")
        wait_for(lambda: focused(EXPRESSION), what="the keys back in the expression field")

    def test_hide_and_restore_through_the_tray_icon(self):
        self.start()
        self.type_expression("5")
        self.app.press("push button", "最小化")
        wait_for(lambda: not self.strip_window(), what="the strip to hide")
        self.click_tray(1)
        wait_for(self.strip_window, timeout=3, what="the strip to come back")
        self.assertEqual(self.strip_geometry(), (0, 0, self.desktop.width, 38))
        self.assertEqual(self.app.text(EXPRESSION), "5")

    def test_the_menu_docks_and_closes(self):
        program = self.start()
        self.menu_command("a", "b")  # 表示位置(&A), 下に張り付く(&B)
        wait_for(lambda: self.strip_geometry()[1] == self.desktop.height - PANEL - 38, what="the strip above the panel")
        self.menu_command("a", "t")
        wait_for(lambda: self.strip_geometry()[1] == 0, what="the strip at the top")
        self.menu_command("c")  # 閉じる(&C)
        self.assertEqual(program.process.wait(timeout=5), 0)
        wait_for(lambda: self.tray_icon() is None, what="the tray icon to go")

    def test_a_second_start_ends_at_once(self):
        self.start()
        self.run_x("xdotool", "key", "Escape")
        second = Program(self.desktop, VELLOX)
        self.assertEqual(second.process.wait(timeout=5), 0)
        self.assertEqual(len(self.strip_window()), 1)
        # also while the first one is hidden
        self.app.press("push button", "最小化")
        wait_for(lambda: not self.strip_window(), what="the strip to hide")
        third = Program(self.desktop, VELLOX)
        self.assertEqual(third.process.wait(timeout=5), 0)
        self.assertEqual(len(self.strip_window(visible=False)), 1)
        # the copy that runs was asked to show its strip
        wait_for(self.strip_window, timeout=3, what="the hidden strip to be shown")

    def test_two_copies_started_together_leave_one_and_a_crashed_copy_blocks_nothing(self):
        first, second = Program(self.desktop, VELLOX), Program(self.desktop, VELLOX)
        self.programs = [first, second]
        wait_for(self.strip_window, what="a strip")
        time.sleep(1)
        running = [p for p in (first, second) if p.process.poll() is None]
        self.assertEqual(len(running), 1)
        self.assertEqual([p.process.returncode for p in (first, second) if p not in running], [0])
        self.assertEqual(len(self.strip_window()), 1)
        running[0].process.kill()  # a crash: the marker goes with its display connection
        running[0].process.wait()
        wait_for(lambda: not self.strip_window(), what="the crashed strip to go")
        self.start()
        self.assertEqual(len(wait_for(self.strip_window, what="a new strip")), 1)

    def test_signals_end_it_as_closing_the_strip_does(self):
        for name in ("SIGTERM", "SIGINT", "SIGHUP"):
            with self.subTest(signal=name):
                program = self.start()
                wait_for(self.tray_icon, what="the tray icon")
                program.process.send_signal(getattr(signal, name))
                self.assertEqual(program.process.wait(timeout=5), 0)
                wait_for(lambda: self.tray_icon() is None, what="the tray icon to go")
                self.programs.clear()

    def test_the_platform_is_x11_unless_asked_with_qts_own_option(self):
        # Many Wayland sessions name Wayland for every Qt program: the strip still docks on X11.
        self.programs = [Program(self.desktop, VELLOX, env=dict(self.desktop.env, QT_QPA_PLATFORM="wayland"))]
        wait_for(self.strip_window, what="the strip on X11")
        for arguments in (["-platform", "wayland"], ["-platform", "nosuch", "/B"]):
            with self.subTest(arguments=arguments):
                result = subprocess.run([VELLOX] + arguments, env=self.desktop.env, capture_output=True, text=True,
                                        timeout=30)
                self.assertEqual(result.returncode, 1)
                lines = result.stderr.splitlines()
                self.assertEqual(len(lines), 1, lines)
                self.assertIn('"%s"' % arguments[1], lines[0])
                self.assertIn("vellox-calc", lines[0])

    def test_without_a_display_it_points_to_vellox_calc(self):
        env = {key: value for key, value in self.desktop.env.items() if key not in ("DISPLAY", "QT_QPA_PLATFORM")}
        # --help and --version start no strip, so they need no display.
        for arguments, status, stdout, stderr in (([], 1, "", "vellox-calc"),
                                                  (["--help"], 0, "Usage: vellox [/B | /N | /P]", ""),
                                                  (["--version"], 0, "vellox ", "")):
            with self.subTest(arguments=arguments):
                result = subprocess.run([VELLOX] + arguments, env=env, capture_output=True, text=True, timeout=30)
                self.assertEqual(result.returncode, status)
                self.assertTrue(result.stdout.startswith(stdout), result.stdout)
                self.assertIn(stderr, result.stderr)

    def test_closing_the_keypad_while_the_strip_is_hidden_keeps_the_program(self):
        program = self.start("/P")
        wait_for(self.keypad_shown, what="the keypad")
        self.menu_command("n")  # 最小化(&N)
        wait_for(lambda: not self.strip_window(), what="the strip to hide")
        pad = self.keypad_shown()[0]
        self.run_x("xdotool", "windowactivate", "--sync", str(pad), "key", "alt+F4")
        wait_for(lambda: not self.keypad_shown(), what="the keypad to close")
        time.sleep(0.5)
        self.assertIsNone(program.process.poll())
        self.click_tray(1)
        wait_for(self.strip_window, timeout=3, what="the strip to come back")
        self.type_expression("8")  # unlocked
        self.wait_text(EXPRESSION, "8")

    def test_closing_the_strip_with_the_keypad_open_ends_the_program(self):
        program = self.start("/P")
        wait_for(self.keypad_shown, what="the keypad")
        self.menu_command("c")
        self.assertEqual(program.process.wait(timeout=5), 0)
        self.assertFalse(self.keypad_shown())


class WithoutNotificationAreaTest(VelloxTest):
    @classmethod
    def setUpClass(cls):
        cls.desktop = Desktop(panel=False).__enter__()

    def test_the_strip_stays_shown_until_a_panel_appears(self):
        self.start("/N")
        time.sleep(1)
        self.assertTrue(self.strip_window())  # /N could not hide it
        button = self.app.control("push button", "最小化")
        self.assertNotIn("enabled", button["states"])  # "▼" greyed, and a click does nothing
        x, y, w, h = button["extents"]
        self.run_x("xdotool", "mousemove", "--sync", str(x + w // 2), str(y + h // 2), "click", "1")
        time.sleep(0.5)
        self.assertTrue(self.strip_window())
        self.desktop.start_panel()
        wait_for(self.tray_icon, what="the icon once the panel runs")
        wait_for(lambda: "enabled" in self.app.control("push button", "最小化")["states"], what="\"▼\" enabled")
        self.app.press("push button", "最小化")
        wait_for(lambda: not self.strip_window(), what="the strip to hide")
        self.click_tray(1)
        wait_for(self.strip_window, timeout=3, what="the strip to come back")

    def test_the_strip_comes_back_when_the_panel_goes_while_it_is_hidden(self):
        panel = self.desktop.start_panel()
        self.start("/N")
        wait_for(lambda: not self.strip_window(), what="the strip to hide")
        self.desktop.stop(panel)
        wait_for(self.strip_window, what="the strip to come back")
        self.assertEqual(self.strip_geometry(), (0, 0, self.desktop.width, 38))


class StatusNotifierTest(VelloxTest):
    """The tray on a StatusNotifierItem host (the LXQt panel), which draws the program's menu."""

    @classmethod
    def setUpClass(cls):
        cls.desktop = Desktop(panel="lxqt").__enter__()

    def items(self):
        return re.findall(r'string "([^"]+)/StatusNotifierItem"', self.desktop.bus_property(
            "org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher", "org.kde.StatusNotifierWatcher",
            "RegisteredStatusNotifierItems"))

    def click_tray(self, button):
        x, y = self.desktop.status_notifier_icon()
        self.run_x("xdotool", "mousemove", "--sync", str(x), str(y), "click", str(button))

    def test_tip_click_menu_and_close(self):
        program = self.start()
        service = wait_for(self.items, what="the item registered with the host")[0]
        self.assertIn('string "Vellox"', self.desktop.bus_property(
            service, "/StatusNotifierItem", "org.kde.StatusNotifierItem", "ToolTip"))
        self.app.press("push button", "最小化")
        wait_for(lambda: not self.strip_window(), what="the strip to hide")
        self.click_tray(1)
        wait_for(self.strip_window, timeout=3, what="the strip to come back")
        self.menu_command("a", "b")  # the host's menu: 表示位置(&A), 下に張り付く(&B)
        wait_for(lambda: self.strip_geometry()[1] == self.desktop.height - PANEL - 38, what="the strip above the panel")
        self.menu_command("c")  # 閉じる(&C)
        self.assertEqual(program.process.wait(timeout=5), 0)
        wait_for(lambda: not self.items(), what="the item to leave the host")

    def test_the_hosts_menu_follows_the_items_states(self):
        self.start("/P")
        service = wait_for(self.items, what="the item registered with the host")[0]
        wait_for(self.keypad_shown, what="the keypad")
        items = wait_for(lambda: dbus_menu(self.desktop, service), what="the exported menu")
        self.assertEqual(items["元のサイズに戻す(_R)"], {"enabled": False, "checked": False})
        self.assertEqual(items["最小化(_N)"], {"enabled": True, "checked": False})
        self.assertEqual(items["パッド入力(_P)"], {"enabled": True, "checked": True})
        self.assertEqual(items["上に張り付く(_T)"], {"enabled": False, "checked": False})
        self.assertEqual(items["下に張り付く(_B)"], {"enabled": True, "checked": False})

    def test_the_strip_comes_back_when_the_host_goes_while_it_is_hidden(self):
        self.start("/N")
        wait_for(self.items, what="the item registered with the host")
        wait_for(lambda: not self.strip_window(), what="the strip to hide")
        self.desktop.stop(self.desktop.panel_process)
        try:
            wait_for(self.strip_window, what="the strip to come back")
        finally:
            self.desktop.panel_process = self.desktop.start_lxqt_panel()


class SessionBusTest(VelloxTest):
    """The tray where one session bus serves two displays of the same user, and after the bus
    restarts under a running strip."""

    @classmethod
    def setUpClass(cls):
        # This desktop has the XEmbed tray of tint2; the other, on the same bus, only the LXQt
        # panel's status notifier.
        cls.desktop = Desktop().__enter__()
        cls.other = Desktop(panel="lxqt", bus_of=cls.desktop).__enter__()

    @classmethod
    def tearDownClass(cls):
        cls.other.__exit__(None, None, None)
        super().tearDownClass()

    def items(self, desktop):
        """The registered StatusNotifierItems as (bus name, the process that owns it)."""
        services = re.findall(r'string "([^"]+)/StatusNotifierItem"', desktop.bus_property(
            "org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher", "org.kde.StatusNotifierWatcher",
            "RegisteredStatusNotifierItems"))
        return [(service, int(desktop.run("dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                                          "/org/freedesktop/DBus", "org.freedesktop.DBus.GetConnectionUnixProcessID",
                                          "string:" + service).split()[-1]))
                for service in services]

    def program_on(self, desktop):
        program = Program(desktop, VELLOX)
        self.programs = getattr(self, "programs", []) + [program]
        return program

    def visible_strips(self, desktop):
        return [w for w in xwindows.windows_of_class(desktop, "vellox") if xwindows.geometry(desktop, w)[3] == 38]

    def click(self, desktop, x, y, button):
        # A move that waits for the pointer must move it: from beside the point, then onto it.
        desktop.run("xdotool", "mousemove", str(x - 4), str(y - 4))
        desktop.run("xdotool", "mousemove", "--sync", str(x), str(y), "click", str(button))

    def hide_from_menu(self, desktop, x, y):
        """Opens the icon's menu at (x, y) and picks 最小化(&N)."""
        open_menu(desktop, lambda: self.click(desktop, x, y, 3))
        desktop.run("xdotool", "key", "n")

    def test_each_programs_icon_is_on_its_own_display(self):
        here, there = self.program_on(self.desktop), self.program_on(self.other)
        icon = wait_for(lambda: xwindows.docked_icon(self.desktop, "vellox"), what="the icon in this display's tray")
        wait_for(lambda: [pid for _, pid in self.items(self.other)] == [there.process.pid],
                 what="the other display's item with its host, and only that")
        time.sleep(1)
        self.assertEqual([pid for _, pid in self.items(self.other)], [there.process.pid])
        self.assertIsNone(xwindows.docked_icon(self.other, "vellox"))
        # Each icon's menu hides its own strip, and a click on that icon brings it back.
        x, y = xwindows.center(xwindows.geometry(self.desktop, icon))
        self.hide_from_menu(self.desktop, x, y)
        wait_for(lambda: not self.visible_strips(self.desktop), what="this display's strip to hide")
        self.assertTrue(self.visible_strips(self.other))
        self.click(self.desktop, x, y, 1)
        wait_for(lambda: self.visible_strips(self.desktop), timeout=3, what="this display's strip back")
        x, y = self.other.status_notifier_icon()
        self.hide_from_menu(self.other, x, y)
        wait_for(lambda: not self.visible_strips(self.other), what="the other display's strip to hide")
        self.assertTrue(self.visible_strips(self.desktop))
        self.click(self.other, x, y, 1)
        wait_for(lambda: self.visible_strips(self.other), timeout=3, what="the other display's strip back")

    def test_the_item_comes_back_when_the_bus_restarts(self):
        program = self.program_on(self.other)
        wait_for(lambda: [pid for _, pid in self.items(self.other)] == [program.process.pid], what="the item")
        x, y = self.other.status_notifier_icon()
        self.hide_from_menu(self.other, x, y)
        wait_for(lambda: not self.visible_strips(self.other), what="the strip to hide")
        # The bus ends (and its panel with it); without a notification area the strip comes back.
        self.desktop.restart_bus()
        self.other.stop(self.other.panel_process)
        wait_for(lambda: self.visible_strips(self.other), what="the strip back while no panel runs")
        self.other.panel_process = self.other.start_lxqt_panel()
        wait_for(lambda: [pid for _, pid in self.items(self.other)] == [program.process.pid],
                 what="the item on the new bus")
        self.hide_from_menu(self.other, x, y)  # the host draws the menu it reads over the new bus
        wait_for(lambda: not self.visible_strips(self.other), what="the strip to hide again")
        self.click(self.other, x, y, 1)
        wait_for(lambda: self.visible_strips(self.other), timeout=3, what="the strip back from the icon")
        self.assertIsNone(program.process.poll())


def dbus_menu(desktop, service):
    """The items of an item's exported menu (DBusMenu), by label: enabled and checked."""
    script = (
        "import json, sys\n"
        "from gi.repository import Gio, GLib\n"
        "bus = Gio.DBusConnection.new_for_address_sync(sys.argv[1], Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT"
        " | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None)\n"
        "layout = bus.call_sync(sys.argv[2], '/MenuBar', 'com.canonical.dbusmenu', 'GetLayout',"
        " GLib.Variant('(iias)', (0, -1, [])), None, 0, 2000, None).unpack()[1]\n"
        "items = {}\n"
        "def walk(node):\n"
        "    props = node[1]\n"
        "    if 'label' in props:\n"
        "        items[props['label']] = {'enabled': props.get('enabled', True),"
        " 'checked': props.get('toggle-state', 0) == 1}\n"
        "    for child in node[2]:\n"
        "        walk(child)\n"
        "walk(layout)\n"
        "print(json.dumps(items))\n")
    result = subprocess.run(["/usr/bin/python3", "-c", script, desktop.env["DBUS_SESSION_BUS_ADDRESS"], service],
                            capture_output=True, text=True, timeout=30)
    return json.loads(result.stdout) if result.returncode == 0 else None


# Prints the items of the first menu whose item takes the focus, as a screen reader hears them.
MENU_LISTENER = ("import pyatspi\n"
                 "def focused(event):\n"
                 "    if event.detail1 and event.source.getRoleName() == 'menu item':\n"
                 "        print('\\n'.join(item.name for item in event.source.parent), flush=True)\n"
                 "        pyatspi.Registry.stop()\n"
                 "pyatspi.Registry.registerEventListener(focused, 'object:state-changed:focused')\n"
                 "pyatspi.Registry.start()\n")


class DesktopPreferenceTest(VelloxTest):
    """The desktop's light or dark preference from a stand-in portal on the desktop's session bus."""

    def test_the_strip_starts_dark_and_follows_the_preference_while_running(self):
        # A portal older than ReadOne: the program falls back to Read.
        portal = subprocess.Popen(["/usr/bin/python3", STAND_IN_PORTAL, "1", "1"], env=self.desktop.env,
                                  stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True)
        self.addCleanup(lambda: (portal.stdin.close(), portal.wait(timeout=5), portal.stdout.close()))
        self.assertEqual(portal.stdout.readline().strip(), "ready")
        self.start()
        # The scheme the portal changes to (none at the start), and whether the fields are dark.
        for scheme, dark in ((None, True), (2, False), (0, False), (1, True)):
            if scheme is not None:
                portal.stdin.write("%d\n" % scheme)
                portal.stdin.flush()
            for field in (EXPRESSION, RESULT):
                box = self.app.wait_control("text", field)["extents"]
                wait_for(lambda: (screen.luminance(screen.measure(screen.screen(self.desktop), box, 3)[1]) < 0.18)
                         == dark, what="%s %s after scheme %r" % (field, "dark" if dark else "light", scheme))


class LanguageTest(VelloxTest):
    """The program in the user's language (English wherever it is not Japanese) and number format."""

    def test_english_menu_and_tool_tips(self):
        self.start(env=dict(self.desktop.env, LANG="en_US.UTF-8"))
        x, y, w, h = self.app.wait_control("push button", "Minimize")["extents"]
        self.run_x("xdotool", "mousemove", "--sync", str(x + w // 2), str(y + h // 2))
        wait_for(lambda: self.app.control("tool tip", "Minimize"), what="the tool tip")
        listener = subprocess.Popen(["/usr/bin/python3", "-c", MENU_LISTENER], env=self.desktop.env,
                                    stdout=subprocess.PIPE, text=True)
        time.sleep(1)  # listening
        open_menu(self.desktop, lambda: self.click_tray(3))
        self.run_x("xdotool", "key", "Down")
        self.assertEqual(listener.communicate(timeout=10)[0].split("\n"),
                         ["Restore", "Minimize", "", "Keypad input", "Align", "", "Close", ""])

    def test_a_decimal_comma_reads_back(self):
        self.start(env=dict(self.desktop.env, LANG="de_DE.UTF-8"))
        self.type_expression("2,5*2")
        self.wait_text("Result", "5")


class ScreenChangeTest(VelloxTest):
    """The strip docks on the primary monitor through changes of modes, outputs and monitors."""

    @classmethod
    def setUpClass(cls):
        cls.desktop = Desktop(width=2304, height=1600).__enter__()

    def setUp(self):
        self.desktop.set_monitors()
        self.desktop.set_mode(1280, 800)

    def test_a_mode_change_docks_it_again_at_its_edge_shown_or_hidden(self):
        self.start()
        self.wait_strip((0, 0, 1280, 38), "at start")
        self.desktop.set_mode(1024, 700)
        self.wait_strip((0, 0, 1024, 38), "top, smaller mode")
        self.menu_command("a", "b")  # 表示位置(&A), 下に張り付く(&B)
        self.wait_strip((0, 700 - PANEL - 38, 1024, 38), "bottom")
        self.desktop.set_mode(1280, 800)
        self.wait_strip((0, 800 - PANEL - 38, 1280, 38), "bottom, larger mode")
        self.app.press("push button", "最小化")
        wait_for(lambda: not self.strip_window(), what="the strip to hide")
        self.desktop.set_mode(1024, 700)
        time.sleep(2.5)  # tint2 takes its notification area anew: no reason to show the strip
        self.assertFalse(self.strip_window())  # hidden as it was
        self.click_tray(1)
        self.wait_strip((0, 700 - PANEL - 38, 1024, 38), "restored after the change")

    def test_the_keypad_stays_reachable(self):
        self.start("/P")
        pad = wait_for(self.keypad_shown, what="the keypad")[0]
        self.run_x("xdotool", "windowmove", "--sync", str(pad), "1100", "600")
        self.desktop.set_mode(1024, 700)
        self.wait_strip((0, 0, 1024, 38), "smaller mode")
        wait_for(lambda: xwindows.geometry(self.desktop, pad)[0] < 1024 and xwindows.geometry(self.desktop, pad)[1] < 700,
                 what="the keypad on the monitor")

    def test_started_with_no_monitor_it_takes_the_one_that_comes(self):
        self.desktop.output_off()
        program = self.start()
        time.sleep(1)
        self.assertIsNone(program.process.poll())
        self.desktop.set_mode(1280, 800)
        self.wait_strip((0, 0, 1280, 38), "the monitor on")
        self.desktop.output_off()  # and off and on again while it runs
        self.desktop.set_mode(1024, 700)
        self.wait_strip((0, 0, 1024, 38), "the monitor on again")

    def test_it_docks_on_the_primary_monitor_wherever_it_lies(self):
        self.desktop.set_monitors(("LEFT", 1024, 768, 0, 0), ("*RIGHT", 1280, 800, 1024, 0))
        self.start("/B")
        self.wait_strip((1024, 800 - PANEL - 38, 1280, 38), "primary on the right")
        self.desktop.set_monitors(("TOP", 1280, 800, 0, 0), ("*BOTTOM", 1280, 800, 0, 800))
        self.wait_strip((0, 1562, 1280, 38), "primary below another")  # tint2 stays on the X screen's first 800 rows
        self.menu_command("a", "t")  # 上に張り付く(&T)
        self.wait_strip((0, 800, 1280, 38), "its top edge")


class ScaledDesktopTest(VelloxTest):
    """At a fractional scale factor the strip covers its monitor's first or last row of device
    pixels, which whole pixels of the program's own coordinates cannot express."""

    @classmethod
    def setUpClass(cls):
        # No panel: openbox would keep a strip that it has to resize out of the panel's space.
        cls.desktop = Desktop(width=1366, height=768, panel=False).__enter__()

    def test_at_a_fractional_scale_it_covers_the_edge_rows(self):
        for arguments, geometry in ((["/B"], (0, 711, 1366, 57)), ([], (0, 0, 1366, 57))):
            with self.subTest(arguments=arguments):
                program = self.start(*arguments, env=dict(self.desktop.env, QT_SCALE_FACTOR="1.5"))
                self.wait_strip(geometry, "at 1.5")
                program.stop()
                self.programs.clear()

    def test_shown_again_it_keeps_its_device_pixels(self):
        self.desktop.start_panel()  # the strip can be hidden; it stays docked at the top
        self.start(env=dict(self.desktop.env, QT_SCALE_FACTOR="1.5"))
        self.wait_strip((0, 0, 1366, 57), "at 1.5")
        self.menu_command("n")  # 最小化(&N)
        wait_for(lambda: not self.strip_window(height=57), what="the strip to hide")
        self.click_tray(1)
        self.wait_strip((0, 0, 1366, 57), "restored at 1.5")


class TerminalHoldsTheKeys(VelloxTest):
    """Another program, a terminal whose input goes to a file, holds the keys before each change:
    afterwards typed keys must evaluate in Vellox and the terminal must have received nothing."""

    def setUp(self):
        received = tempfile.NamedTemporaryFile(prefix="vellox-e2e-terminal-", delete=False)
        received.close()
        self.received = received.name
        self.terminal = self.desktop.start("xterm", "-geometry", "60x10+300+300", "-e", "sh", "-c",
                                           'exec cat > "$0"', self.received)
        self.terminal_window = wait_for(lambda: xwindows.windows_of_class(self.desktop, "xterm"),
                                        what="the terminal")[0]

    def tearDown(self):
        super().tearDown()
        self.terminal.kill()
        self.terminal.wait()
        os.unlink(self.received)

    def focus_terminal(self):
        self.run_x("xdotool", "windowactivate", "--sync", str(self.terminal_window))
        wait_for(lambda: self.run_x("xdotool", "getactivewindow").strip() == str(self.terminal_window),
                 what="the terminal to have the keys")

    def type_keys(self, text):
        """Types into whatever window has the keyboard focus, then Enter."""
        self.run_x("xdotool", "type", "--delay", "20", text)
        self.run_x("xdotool", "key", "Return")

    def assert_terminal_received_nothing(self):
        time.sleep(0.3)
        with open(self.received) as received:
            self.assertEqual(received.read(), "")

    def allowed_actions(self, window):
        return self.run_x("xprop", "-id", str(window), "_NET_WM_ALLOWED_ACTIONS")


class FocusTest(TerminalHoldsTheKeys):
    """On openbox, a window manager that follows the EWMH."""

    def test_a_restored_strip_takes_the_keys(self):
        self.start()
        self.app.press("push button", "最小化")
        wait_for(lambda: not self.strip_window(), what="the strip to hide")
        self.focus_terminal()
        self.click_tray(1)
        wait_for(self.strip_window, timeout=3, what="the strip to come back")
        self.type_keys("3+4")
        self.wait_text(RESULT, "7")
        self.menu_command("n")  # 最小化(&N)
        wait_for(lambda: not self.strip_window(), what="the strip to hide")
        self.focus_terminal()
        self.menu_command("r")  # 元のサイズに戻す(&R)
        wait_for(self.strip_window, what="the strip to come back")
        self.type_keys("*2")
        self.wait_text(EXPRESSION, "3+4*2")
        self.wait_text(RESULT, "11")
        self.assert_terminal_received_nothing()

    def test_a_strip_started_hidden_takes_the_keys_once_restored(self):
        self.start("/N")
        wait_for(lambda: not self.strip_window(), what="the strip to hide")
        self.focus_terminal()
        self.click_tray(1)
        wait_for(self.strip_window, timeout=3, what="the strip")
        self.type_keys("6*7")
        self.wait_text(RESULT, "42")
        self.assert_terminal_received_nothing()

    def test_after_the_message_box_the_keys_go_back_to_the_strip(self):
        self.start()
        self.focus_terminal()
        self.type_expression("1/0")  # clicks the strip's field first
        self.app.wait_control("label", "0 で割ることはできません。式を直してください。")
        box = wait_for(lambda: [w for w in xwindows.windows_of_class(self.desktop, "vellox")
                                if self.run_x("xdotool", "getwindowname", str(w)).strip() == "Vellox"
                                and xwindows.geometry(self.desktop, w)[3] > 38], what="the box")[0]
        state = self.run_x("xprop", "-id", str(box), "_NET_WM_STATE")
        self.assertIn("_NET_WM_STATE_SKIP_TASKBAR", state)
        self.assertIn("_NET_WM_STATE_ABOVE", state)
        self.assertNotIn("_NET_WM_ACTION_MAXIMIZE_HORZ", self.allowed_actions(box))
        x, y, w, h = xwindows.geometry(self.desktop, box)
        self.assertLessEqual(abs(x + w // 2 - self.desktop.width // 2), 2)  # centred on the screen
        self.assertLessEqual(abs(y + h // 2 - self.desktop.height // 2), 30)  # (its frame's title bar)
        # Openbox offers minimising in the window's menu even so: the box comes straight back.
        self.run_x("xdotool", "windowminimize", str(box))
        time.sleep(0.5)
        wait_for(lambda: box in xwindows.windows_of_class(self.desktop, "vellox"), what="the box back")
        self.run_x("xdotool", "key", "Return")  # OK
        self.app.wait_text(EXPRESSION, "1/0")
        self.run_x("xdotool", "key", "ctrl+a", "BackSpace")
        self.type_keys("2+2")
        self.wait_text(RESULT, "4")
        self.assert_terminal_received_nothing()

    def test_the_keypad_comes_back_from_the_menu_and_closing_it_gives_the_keys_to_the_strip(self):
        self.start("/P")
        pad = wait_for(self.keypad_shown, what="the keypad")[0]
        actions = self.allowed_actions(pad)
        self.assertIn("_NET_WM_ACTION_MINIMIZE", actions)
        self.assertNotIn("_NET_WM_ACTION_MAXIMIZE_HORZ", actions)
        self.run_x("xdotool", "windowminimize", "--sync", str(pad))
        self.focus_terminal()
        self.menu_command("p")  # パッド入力(&P)
        wait_for(self.keypad_shown, what="the keypad back")
        self.run_x("xdotool", "type", "--delay", "20", "8")
        self.wait_text(KEYPAD, "8")
        self.run_x("xdotool", "key", "alt+F4")
        wait_for(lambda: not self.keypad_shown(), what="the keypad to close")
        self.run_x("xdotool", "key", "ctrl+a", "BackSpace")
        self.type_keys("5*6")
        self.wait_text(RESULT, "30")
        self.assert_terminal_received_nothing()


@unittest.skipUnless(os.environ.get("VELLOX_PAGER_FOCUS_WM"), "the stand-in window manager (built with the tests)")
class ActivationRequestTest(TerminalHoldsTheKeys):
    """On a window manager that refuses the activation a program asks for itself (Qt's), a strip
    shown again takes the keys only through the request a pager makes, which Vellox sends too."""

    @classmethod
    def setUpClass(cls):
        cls.desktop = Desktop(window_manager=os.environ["VELLOX_PAGER_FOCUS_WM"]).__enter__()

    def requests(self):
        with open(self.desktop.window_manager_log.name) as log:
            return log.read()

    def test_a_restored_strip_takes_the_keys_though_its_own_request_is_refused(self):
        self.start()
        second_start = lambda: subprocess.run([VELLOX], env=self.desktop.env, capture_output=True, timeout=10)
        for restore in (lambda: self.click_tray(1), second_start):
            self.app.press("push button", "最小化")
            wait_for(lambda: not self.strip_window(), what="the strip to hide")
            self.focus_terminal()
            restore()
            wait_for(self.strip_window, timeout=3, what="the strip to come back")
            strip = "0x%x" % self.strip_window()[0]
            wait_for(lambda: "refused _NET_ACTIVE_WINDOW %s from source 1" % strip in self.requests(),
                     what="Qt's own request, refused: %s %r" % (strip, self.requests()))
            self.run_x("xdotool", "key", "ctrl+a", "BackSpace")
            self.type_keys("3+4")
            self.wait_text(RESULT, "7")
            self.assert_terminal_received_nothing()


class KeypadTest(VelloxTest):
    def press_keys(self, captions):
        for caption in captions:
            self.app.press("push button", caption)

    def close_keypad(self):
        pad = wait_for(self.keypad_shown, what="the keypad")[0]
        self.run_x("xdotool", "windowactivate", "--sync", str(pad), "key", "alt+F4")
        wait_for(lambda: not self.keypad_shown(), what="the keypad to close")

    def test_builds_12_plus_3_and_shows_15_in_both_places(self):
        self.start()
        self.app.press("push button", "パッド入力")
        wait_for(self.keypad_shown, what="the keypad")
        self.press_keys(["１", "２", "＋", "３"])
        self.wait_text(EXPRESSION, "12+3")
        self.press_keys(["＝"])
        self.wait_text(RESULT, "15")
        self.wait_text(KEYPAD, "15")

    def test_the_strip_is_locked_while_the_keypad_is_open(self):
        self.start("/P")
        wait_for(self.keypad_shown, what="the keypad")
        self.type_expression("9")
        self.close_keypad()
        # A later key shows that the locked strip took nothing: the expression holds it alone,
        # not after a "9" (the click into the strip and that key do not clear the field).
        x, y, w, h = self.strip_geometry()
        self.run_x("xdotool", "mousemove", "--sync", str(x + 200), str(y + 18), "click", "1")
        self.run_x("xdotool", "type", "7")
        self.wait_text(EXPRESSION, "7")
        self.assertEqual(self.app.text(RESULT), "")

    def test_the_keypads_menu_is_the_strips_and_its_close_ends_the_program(self):
        program = self.start("/P")
        pad = wait_for(self.keypad_shown, what="the keypad")[0]
        x, y, w, h = xwindows.geometry(self.desktop, pad)
        before = set(xwindows.windows_of_class(self.desktop, "vellox"))
        self.run_x("xdotool", "mousemove", "--sync", str(x + 6), str(y + h - 2), "click", "3")
        menu = wait_for(lambda: set(xwindows.windows_of_class(self.desktop, "vellox")) - before, what="the menu")
        menu_x, menu_y, _, _ = xwindows.geometry(self.desktop, menu.pop())
        self.assertEqual((menu_x, menu_y), (x + 6, y + h - 2))  # at the pointer
        self.run_x("xdotool", "key", "c")  # 閉じる(&C)
        self.assertEqual(program.process.wait(timeout=5), 0)

    def test_the_field_shows_whole_answers_and_the_number_the_expression_holds(self):
        self.start("/P")
        wait_for(self.keypad_shown, what="the keypad")
        self.press_keys(["２", "÷", "３", "＝"])
        self.wait_text(KEYPAD, "0.666666666666667")
        self.assertEqual(self.app.hidden_characters(KEYPAD), [])
        self.click_field(KEYPAD)
        self.run_x("xdotool", "key", "Home", "4", "5")  # typed digits start a new number, caret or not
        self.wait_text(KEYPAD, "45")
        self.wait_text(EXPRESSION, "45")
        self.set_selection("12+3\n4")  # a middle-button paste is typed, key by key, up to its line break
        self.click_field(KEYPAD, button=2)
        self.wait_text(EXPRESSION, "4512+3")
        self.wait_text(KEYPAD, "3")
        self.press_keys(["×", "＝"])  # "4512+3*" does not parse: no answer anywhere
        self.wait_text(KEYPAD, "")
        self.wait_text(RESULT, "構文エラー")

    def test_state_is_kept_across_close_and_reopen(self):
        self.start("/P")
        wait_for(self.keypad_shown, what="the keypad")
        self.press_keys(["３"])
        self.wait_text(KEYPAD, "3")
        self.close_keypad()
        self.app.press("push button", "パッド入力")
        wait_for(self.keypad_shown, what="the keypad again")
        self.press_keys(["４"])
        self.wait_text(KEYPAD, "34")
        self.wait_text(EXPRESSION, "34")


if __name__ == "__main__":
    unittest.main(argv=sys.argv[:1] + sys.argv[2:], verbosity=2)
