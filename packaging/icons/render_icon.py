#!/usr/bin/python3
"""Renders the program icon (ui/look/vellox_icon.xpm) for the hicolor icon theme.

The XPM compiled into vellox is the one design; the theme needs it as files: a 32 x 32 PNG, a
256 x 256 PNG scaled up by whole pixels, and an SVG of the same squares. The renderings are kept in
the repository, so building needs no Python; run this after changing the XPM:

    packaging/icons/render_icon.py            rewrites the renderings beside this script
    packaging/icons/render_icon.py --check    exits 1 if they no longer match the XPM
"""

import os
import re
import struct
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
XPM = os.path.join(HERE, "..", "..", "ui", "look", "vellox_icon.xpm")
LARGE = 256


def read_xpm(path):
    """The picture as rows of (r, g, b, a) tuples."""
    with open(path, encoding="ascii") as text:
        # The strings of the array; the comments before it may quote characters too.
        strings = re.findall(r'"([^"]*)"', text.read().split("{", 1)[1])
    width, height, colours, per_pixel = map(int, strings[0].split()[:4])
    palette = {}
    for entry in strings[1:1 + colours]:
        key, value = entry[:per_pixel], entry[per_pixel:].split()
        colour = value[value.index("c") + 1]
        if colour.lower() == "none":
            palette[key] = (0, 0, 0, 0)
        else:
            palette[key] = tuple(int(colour[i:i + 2], 16) for i in (1, 3, 5)) + (255,)
    rows = strings[1 + colours:1 + colours + height]
    return [[palette[row[x * per_pixel:(x + 1) * per_pixel]] for x in range(width)] for row in rows]


def scaled(pixels, factor):
    """Nearest-neighbour scaling by a whole factor: each pixel becomes a factor x factor square."""
    return [[pixel for pixel in row for _ in range(factor)] for row in pixels for _ in range(factor)]


def png(pixels):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    header = struct.pack(">IIBBBBB", len(pixels[0]), len(pixels), 8, 6, 0, 0, 0)  # 8-bit RGBA
    raw = b"".join(b"\0" + bytes(channel for pixel in row for channel in pixel) for row in pixels)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def png_pixels(data):
    """Decodes what png() writes (RGBA, filter 0 on every row), for --check."""
    width, height = struct.unpack(">II", data[16:24])
    position, idat = 8, b""
    while position < len(data):
        length, = struct.unpack(">I", data[position:position + 4])
        if data[position + 4:position + 8] == b"IDAT":
            idat += data[position + 8:position + 8 + length]
        position += 12 + length
    raw = zlib.decompress(idat)
    stride = 1 + 4 * width
    rows = []
    for y in range(height):
        line = raw[y * stride:(y + 1) * stride]
        if line[0] != 0:
            return None
        rows.append([tuple(line[1 + 4 * x:5 + 4 * x]) for x in range(width)])
    return rows


def svg(pixels):
    """One rectangle per run of equal opaque pixels in a row."""
    size = len(pixels)
    shapes = []
    for y, row in enumerate(pixels):
        x = 0
        while x < len(row):
            end = x
            while end < len(row) and row[end] == row[x]:
                end += 1
            r, g, b, a = row[x]
            if a:
                shapes.append('  <rect x="%d" y="%d" width="%d" height="1" fill="#%02X%02X%02X"/>' % (x, y, end - x, r, g, b))
            x = end
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" width="%d" height="%d" viewBox="0 0 %d %d" '
            'shape-rendering="crispEdges">\n%s\n</svg>\n' % (size, size, size, size, "\n".join(shapes)))


def main():
    pixels = read_xpm(XPM)
    renderings = {
        "vellox-32.png": pixels,
        "vellox-%d.png" % LARGE: scaled(pixels, LARGE // len(pixels)),
    }
    paths = {name: os.path.join(HERE, name) for name in list(renderings) + ["vellox.svg"]}
    if sys.argv[1:] == ["--check"]:
        stale = []
        for name, expected in renderings.items():
            with open(paths[name], "rb") as file:
                if png_pixels(file.read()) != expected:
                    stale.append(name)
        with open(paths["vellox.svg"], encoding="utf-8") as file:
            if file.read() != svg(pixels):
                stale.append("vellox.svg")
        for name in stale:
            print("%s does not match %s; run %s" % (name, os.path.relpath(XPM), os.path.relpath(__file__)))
        return 1 if stale else 0
    for name, picture in renderings.items():
        with open(paths[name], "wb") as file:
            file.write(png(picture))
    with open(paths["vellox.svg"], "w", encoding="utf-8") as file:
        file.write(svg(pixels))
    return 0


if __name__ == "__main__":
    sys.exit(main())
