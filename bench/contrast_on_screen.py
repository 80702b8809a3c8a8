#!/usr/bin/python3
"""The contrast of every text of the strip and the keypad on the screen's pixels, under five
palettes: Qt's light Fusion, the program's own on a dark desktop (told by a stand-in desktop
portal), qt6ct's Fusion with its "darker" scheme, Adwaita-Dark (adwaita-qt6) and GTK's
Adwaita:dark (qt6-gtk-platformtheme).

Each look is brought about with keys on the e2e desktop (Xvfb, openbox, tint2) and the screen
taken with xwd. In a control's box (found over AT-SPI, its edge left out) the background is the
commonest colour and the text the pixel that differs most from it; their WCAG 2.1 ratio is printed.
Usage: bench/contrast_on_screen.py [path/to/vellox] [palette ...]  (scripts/setup.sh --bench)
"""

import os
import subprocess
import sys
import tempfile
import time

E2E = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e")
sys.path.insert(0, E2E)
import accessibility as a11y  # noqa: E402
from desktop import Desktop, wait_for  # noqa: E402
from screen import contrast, measure, screen  # noqa: E402


def qt6ct_config():
    home = tempfile.mkdtemp(prefix="qt6ct-")
    os.makedirs(home + "/qt6ct")
    with open(home + "/qt6ct/qt6ct.conf", "w") as conf:
        conf.write("[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/darker.conf\n"
                   "custom_palette=true\nstyle=Fusion\n")
    return home


PALETTES = {
    "light": {},
    "portal dark": {"portal": "1"},  # the scheme the stand-in portal holds
    "qt6ct darker": {"QT_QPA_PLATFORMTHEME": "qt6ct", "XDG_CONFIG_HOME": qt6ct_config()},
    "Adwaita-Dark": {"QT_STYLE_OVERRIDE": "Adwaita-Dark"},
    "GTK Adwaita:dark": {"QT_QPA_PLATFORMTHEME": "gtk3", "GTK_THEME": "Adwaita:dark"},
}


def looks(vellox, environment):
    """(look, text colour, background) for every look, on a desktop of its own."""
    environment = dict(environment)
    scheme = environment.pop("portal", None)
    with Desktop() as desktop:
        if scheme is not None:
            portal = subprocess.Popen(["/usr/bin/python3", os.path.join(E2E, "stand_in_portal.py"), scheme],
                                      env=desktop.env, stdin=subprocess.PIPE, stdout=subprocess.PIPE, text=True,
                                      start_new_session=True)
            desktop.processes.append(portal)
            assert portal.stdout.readline().strip() == "ready"
        desktop.start(vellox, env=dict(desktop.env, **environment))
        app = a11y.application(desktop, "Vellox")
        wait_for(lambda: "focused" in app.wait_control("text", "計算式")["states"], what="the keys in the strip")
        time.sleep(1)

        def keys(*names):
            desktop.run("xdotool", "key", "--delay", "40", *names)
            time.sleep(0.6)

        def field(look, name="結果"):
            return [(look,) + measure(screen(desktop), app.wait_control("text", name)["extents"], 3)]

        def buttons(names, edge):
            pixel = screen(desktop)
            return [("button " + name,) + measure(pixel, app.wait_control("push button", name)["extents"], edge)
                    for name in names]

        found = field("no result (the box alone)")
        keys("1", "plus", "2", "Return")
        found += field("result") + field("expression", "計算式")
        keys("0")
        found += field("stale")
        keys("Return", "asterisk", "Return")
        found += field("syntax error")
        keys("ctrl+a", "t", "o", "t", "l", "Return")
        found += field("unassigned")
        keys("plus")
        found += field("stale unassigned") + buttons(("最小化", "クリア", "計算結果", "パッド入力", "閉じる"), 1)
        keys("alt+p")
        time.sleep(1)
        found += buttons(("Ｃ", "１", "＝", "×"), 2)
        keys("7")
        return found + field("keypad field", "パッド入力")


def main():
    vellox = sys.argv[1] if len(sys.argv) > 1 else "vellox"
    chosen = sys.argv[2:] or list(PALETTES)
    for name in chosen:
        print(name)
        for look, text, background in looks(vellox, PALETTES[name]):
            print("  %-28s #%02x%02x%02x on #%02x%02x%02x  %5.2f:1" % ((look,) + text + background
                                                                    + (contrast(text, background),)))


if __name__ == "__main__":
    main()
