"""Reading windows of the e2e desktop with xwininfo and xdotool."""

import re


def geometry(desktop, window):
    """(x, y, width, height) of a window in root coordinates."""
    info = desktop.run("xwininfo", "-id", str(window))
    values = {}
    for key in ("Absolute upper-left X", "Absolute upper-left Y", "Width", "Height"):
        values[key] = int(re.search(key + r":\s+(-?\d+)", info).group(1))
    return (values["Absolute upper-left X"], values["Absolute upper-left Y"], values["Width"], values["Height"])


def parent(desktop, window):
    match = re.search(r"Parent window id: (0x[0-9a-f]+)", desktop.run("xwininfo", "-children", "-id", str(window)))
    return int(match.group(1), 16) if match else 0


def ancestors(desktop, window):
    result = []
    current = parent(desktop, window)
    while current:
        result.append(current)
        current = parent(desktop, current)
    return result


def windows_of_class(desktop, name, visible=True):
    args = ["xdotool", "search"] + (["--onlyvisible"] if visible else []) + ["--classname", name]
    return [int(w) for w in desktop.run(*args).split()]


def shown_top_level(desktop):
    """The top-level windows shown now, a menu among them while it is open."""
    return set(desktop.run("xdotool", "search", "--onlyvisible", "--maxdepth", "1", "--class", ".").split())


def center(box):
    x, y, w, h = box
    return x + w // 2, y + h // 2


def docked_icon(desktop, name):
    """The program's icon window inside tint2's notification area, or None."""
    panels = set(windows_of_class(desktop, "tint2"))
    for window in windows_of_class(desktop, name):
        if set(ancestors(desktop, window)) & panels:
            return window
    return None
