"""A headless Wayland desktop for end-to-end tests: sway or labwc on wlroots' headless backend with
the pixman renderer, XWayland as in a real session (started by the first X client), a session
bus (which starts the accessibility bus on demand) and a StatusNotifierItem host: swaybar's tray
under sway; under labwc, whose panels need more than a headless session offers, a stand-in host.
Programs started with WaylandDesktop.env run on it, on the platform they choose themselves; wtype
types, wlrctl moves and clicks the pointer, grim takes the screenshots the strip is measured in.
"""

import json
import os
import subprocess
import tempfile

from desktop import HERE, Desktop, wait_for
from xwindows import geometry

SWAY_CONFIG = """output * mode --custom {width}x{height}
default_border none
default_floating_border none
bar {{
  mode invisible
  tray_output *
}}
exec {record}
"""

# The window that shows where maximised windows go: maximised as it maps, and without a title bar,
# so that its geometry is all it covers.
LABWC_CONFIG = """<labwc_config>
  <windowRules>
    <windowRule identifier="xmessage" serverDecoration="no"><action name="Maximize"/></windowRule>
  </windowRules>
</labwc_config>
"""

# What the compositor gives the programs it starts: written once it runs, read into env.
SESSION_VARIABLES = ("WAYLAND_DISPLAY", "DISPLAY", "SWAYSOCK", "XDG_CURRENT_DESKTOP")


class WaylandDesktop(Desktop):
    def __init__(self, compositor, width=1280, height=800, sway_include=None):
        """compositor: "sway" or "labwc". labwc keeps the headless output's own size (1280 x 720):
        width and height are then read from the screen. sway_include: a file of sway configuration
        that sway reads too."""
        super().__init__(width, height, panel=False, window_manager=compositor)
        self.sway_include = sway_include

    def __enter__(self):
        super().__enter__()
        # A Wayland session, in which the program chooses its platform itself.
        self.env.pop("QT_QPA_PLATFORM", None)
        self.env["XDG_SESSION_TYPE"] = "wayland"
        self.width, self.height = self.screenshot()[:2]
        return self

    def start_display(self):
        self.env.pop("DISPLAY", None)  # the compositor's XWayland, once it runs

    def start_window_manager(self):
        folder = tempfile.mkdtemp(prefix=self.window_manager + "-", dir=self.env["XDG_RUNTIME_DIR"])
        found = os.path.join(folder, "session")
        record = "env > %s.part && mv %s.part %s" % (found, found, found)
        environment = dict(self.env, WLR_BACKENDS="headless", WLR_RENDERER="pixman", WLR_LIBINPUT_NO_DEVICES="1")
        if self.window_manager == "sway":
            config = os.path.join(folder, "config")
            with open(config, "w") as text:
                text.write(SWAY_CONFIG.format(width=self.width, height=self.height, record=record))
                if self.sway_include:
                    text.write("include %s\n" % self.sway_include)
            self.start("sway", "--config", config, env=environment, stdout_file=self.window_manager_log)
        else:
            with open(os.path.join(folder, "rc.xml"), "w") as text:
                text.write(LABWC_CONFIG)
            self.start("labwc", "--config-dir", folder, "--startup", "sh -c '%s'" % record, env=environment,
                       stdout_file=self.window_manager_log)
        wait_for(lambda: os.path.exists(found), timeout=30, what=self.window_manager + "'s session")
        with open(found) as lines:
            given = dict(line.rstrip("\n").split("=", 1) for line in lines if "=" in line)
        self.env.update((name, given[name]) for name in SESSION_VARIABLES if name in given)
        if self.window_manager == "labwc":
            self.start("/usr/bin/python3", os.path.join(HERE, "status_notifier_host.py"))
        wait_for(lambda: "boolean true" in self.bus_property("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher",
                                                              "org.kde.StatusNotifierWatcher",
                                                              "IsStatusNotifierHostRegistered"),
                 timeout=15, what="a StatusNotifierItem host")

    # The screen, as grim takes it.

    def screenshot(self):
        """(width, height, rows): the screen's pixels, each row as bytes of RGB."""
        data = subprocess.run(["grim", "-t", "ppm", "-"], env=self.env, capture_output=True, timeout=30,
                              check=True).stdout
        _, width, height, _, pixels = data.split(maxsplit=4)  # P6, the size, the depth, RGB
        width, height = int(width), int(height)
        return width, height, [pixels[y * width * 3:(y + 1) * width * 3] for y in range(height)]

    def drawn_box(self):
        """(x, y, width, height) of what is drawn on the empty (black) screen, None when nothing is:
        the strip's box when it is all the screen shows. Only rows more than half lit count, so
        that the pointer (drawn into the screen by the headless backend) does not."""
        width, _, rows = self.screenshot()
        empty = bytes(width * 3)
        drawn = [y for y, row in enumerate(rows) if row.count(0) < len(row) // 2]
        if not drawn:
            return None
        left = min(len(os.path.commonprefix([rows[y], empty])) // 3 for y in drawn)
        right = max(width - len(os.path.commonprefix([rows[y][::-1], empty])) // 3 for y in drawn)
        return left, drawn[0], right - left, drawn[-1] + 1 - drawn[0]

    # The space left to windows: sway's workspace area; under labwc, the box of a window that is
    # maximised as it maps, closed again at once so that it hides nothing from the screenshots.

    def work_area(self):
        if self.window_manager == "sway":
            workspace = next(w for w in json.loads(self.run("swaymsg", "-r", "-t", "get_workspaces")) if w["focused"])
            return tuple(workspace["rect"][key] for key in ("x", "y", "width", "height"))
        # An X11 window with no size increments (a terminal's would round its size).
        window = self.start("xmessage", "maximised")
        try:
            def maximised():
                found = self.run("xdotool", "search", "--onlyvisible", "--classname", "xmessage").split()
                box = geometry(self, found[0]) if found else None
                return box if box and box[2] == self.width else None
            return wait_for(maximised, what="the maximised window")
        finally:
            self.stop(window)
            self.processes.remove(window)

    # Input, as a user's devices would give it.

    def click(self, x, y):
        """Moves the pointer to x, y (from the top left corner, where it is pushed first) and clicks."""
        self.run("wlrctl", "pointer", "move", str(-4 * self.width), str(-4 * self.height))
        self.run("wlrctl", "pointer", "move", str(x), str(y))
        self.run("wlrctl", "pointer", "click", "left")

    def type(self, text):
        """Types text and Enter. wtype's keyboard is new to the compositor each time: a program
        on XWayland loses keys that come before XWayland has its keymap."""
        self.run("wtype", "-s", "300", text, "-k", "Return")

    def activate_tray_item(self):
        """Clicks the one registered StatusNotifierItem as a host does: its Activate call."""
        def items():
            listed = self.bus_property("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher",
                                       "org.kde.StatusNotifierWatcher", "RegisteredStatusNotifierItems")
            return [item for item in listed.split('"')[1::2] if "/" in item]
        service, path = wait_for(items, what="a StatusNotifierItem")[-1].split("/", 1)
        self.run("dbus-send", "--session", "--print-reply", "--dest=" + service, "/" + path,
                 "org.kde.StatusNotifierItem.Activate", "int32:0", "int32:0")
