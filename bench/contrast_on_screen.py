#!/usr/bin/python3
"""The contrast of every text of the strip and the keypad on the screen's pixels, under four
palettes: Qt's light Fusion, qt6ct's Fusion with its "darker" scheme, Adwaita-Dark (adwaita-qt6)
and GTK's Adwaita:dark (qt6-gtk-platformtheme).

Each look is brought about with keys on the e2e desktop (Xvfb, openbox, tint2) and the screen
taken with xwd. In a control's box (found over AT-SPI, its edge left out) the background is the
commonest colour and the text the pixel that differs most from it; their WCAG 2.1 ratio is printed.
Usage: bench/contrast_on_screen.py [path/to/vellox] [palette ...]  (scripts/setup.sh --bench)
"""

import collections
import os
import struct
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "e2e"))
import accessibility as a11y  # noqa: E402
from desktop import Desktop, wait_for  # noqa: E402


def luminance(colour):
    def linear(v):
        v /= 255
        return v / 12.92 if v <= 0.04045 else ((v + 0.055) / 1.055) ** 2.4
    return 0.2126 * linear(colour[0]) + 0.7152 * linear(colour[1]) + 0.0722 * linear(colour[2])


def contrast(a, b):
    la, lb = luminance(a), luminance(b)
    return (max(la, lb) + 0.05) / (min(la, lb) + 0.05)


def screen(desktop):
    """The root window's pixels as a function (x, y) -> (r, g, b), read from xwd's dump."""
    dump = subprocess.run(["xwd", "-root", "-silent"], env=desktop.env, capture_output=True, check=True).stdout
    header = struct.unpack(">25I", dump[:100])
    size, msb_first, bits, line = header[0], header[7] == 1, header[11], header[12]
    data = dump[size + header[19] * 12:]
    step = bits // 8

    def pixel(x, y):
        at = y * line + x * step
        b0, b1, b2 = data[at:at + 3] if not (msb_first and step == 4) else data[at + 1:at + 4]
        return (b0, b1, b2) if msb_first else (b2, b1, b0)
    return pixel


def measure(pixel, box, edge):
    x, y, width, height = box
    counts = collections.Counter(pixel(i, j) for i in range(x + edge, x + width - edge)
                                 for j in range(y + edge, y + height - edge))
    background = counts.most_common(1)[0][0]
    text = max(counts, key=lambda colour: contrast(colour, background))
    return text, background


def qt6ct_config():
    home = tempfile.mkdtemp(prefix="qt6ct-")
    os.makedirs(home + "/qt6ct")
    with open(home + "/qt6ct/qt6ct.conf", "w") as conf:
        conf.write("[Appearance]\ncolor_scheme_path=/usr/share/qt6ct/colors/darker.conf\n"
                   "custom_palette=true\nstyle=Fusion\n")
    return home


PALETTES = {
    "light": {},
    "qt6ct darker": {"QT_QPA_PLATFORMTHEME": "qt6ct", "XDG_CONFIG_HOME": qt6ct_config()},
    "Adwaita-Dark": {"QT_STYLE_OVERRIDE": "Adwaita-Dark"},
    "GTK Adwaita:dark": {"QT_QPA_PLATFORMTHEME": "gtk3", "GTK_THEME": "Adwaita:dark"},
}


def looks(vellox, environment):
    """(look, text colour, background) for every look, on a desktop of its own."""
    with Desktop() as desktop:
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
