"""The screen of an e2e desktop as its pixels (a dump by xwd), and the WCAG 2.1 contrast of the
colours seen there."""

import collections
import struct
import subprocess


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
    """(text, background) in a control's box, its edge left out: the commonest colour is the
    background, the text the pixel that differs most from it."""
    x, y, width, height = box
    counts = collections.Counter(pixel(i, j) for i in range(x + edge, x + width - edge)
                                 for j in range(y + edge, y + height - edge))
    background = counts.most_common(1)[0][0]
    text = max(counts, key=lambda colour: contrast(colour, background))
    return text, background
