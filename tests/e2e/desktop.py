"""A real X desktop for end-to-end tests.

Xvfb, a D-Bus session bus (which starts the accessibility bus on demand), the openbox window
manager and a panel: tint2, whose task bar and XEmbed notification area are real, or the LXQt
panel with only its status notifier, a StatusNotifierItem host on the session bus. Programs
started with Desktop.env run on it; xdotool drives them.

The session bus listens at a fixed path, as a per-user bus does, so that it can be restarted at
the same address; a second desktop may share it, as a remote display of the same user does.
"""

import os
import re
import signal
import subprocess
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))


def wait_for(condition, timeout=10.0, interval=0.05, what="condition"):
    """Polls condition() until it returns a true value, which is returned."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimeoutError("timed out waiting for " + what)
        time.sleep(interval)


# The LXQt panel with its status notifier alone, at the bottom: icons line up at its right end.
LXQT_PANEL_CONF = """panels=panel1

[panel1]
plugins=statusnotifier
position=Bottom
panelSize=30
iconSize=22

[statusnotifier]
alignment=Right
type=statusnotifier
"""


class Desktop:
    def __init__(self, width=1280, height=800, panel=True, bus_of=None, window_manager="openbox"):
        """panel: True for tint2, "lxqt" for the LXQt panel, "xfce" for the Xfce panels (a top
        panel and a bottom dock), False for none. bus_of: a running desktop whose session bus this
        one shares (it stays that desktop's to end). window_manager: the program that runs as the
        window manager ("openbox", "xfwm4" or another)."""
        self.width = width
        self.height = height
        self.panel = panel
        self.window_manager = window_manager
        self.bus_of = bus_of
        self.bus_process = None
        self.processes = []
        self.panel_process = None
        self.logs = []
        self.env = None

    def start(self, *args, stdout_file=None, pass_fds=(), env=None):
        """Starts a program on the desktop, in the desktop's environment or env; it ends with the desktop."""
        output = stdout_file if stdout_file is not None else subprocess.DEVNULL
        process = subprocess.Popen(args, env=env if env is not None else self.env, stdout=output, stderr=output,
                                   start_new_session=True, pass_fds=pass_fds)
        self.processes.append(process)
        return process

    def run(self, *args):
        """Runs a command on the desktop and returns its standard output."""
        return subprocess.run(args, env=self.env, capture_output=True, text=True, timeout=30).stdout

    def __enter__(self):
        self.env = dict(os.environ)
        self.env.update(QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
                        XDG_RUNTIME_DIR=tempfile.mkdtemp(prefix="vellox-e2e-"))
        self.env.pop("WAYLAND_DISPLAY", None)
        # Japanese, the program's own language, unless a test starts it under another.
        for name in ("LANGUAGE", "LC_ALL", "LC_MESSAGES", "LC_NUMERIC"):
            self.env.pop(name, None)
        self.env["LANG"] = "ja_JP.UTF-8"
        try:
            self.start_display()
            if self.bus_of is not None:
                self.env["DBUS_SESSION_BUS_ADDRESS"] = self.bus_of.env["DBUS_SESSION_BUS_ADDRESS"]
            else:
                self.bus_socket = os.path.join(self.env["XDG_RUNTIME_DIR"], "bus")
                self.env["DBUS_SESSION_BUS_ADDRESS"] = "unix:path=" + self.bus_socket
                self.start_bus()
            self.window_manager_log = self._log("window-manager")
            self.start_window_manager()
            wait_for(lambda: "window id" in self.run("xprop", "-root", "_NET_SUPPORTING_WM_CHECK"),
                     what="the window manager")
            if self.panel == "lxqt":
                self.panel_process = self.start_lxqt_panel()
            elif self.panel == "xfce":
                self.panel_process = self.start_xfce_panel()
            elif self.panel:
                self.panel_process = self.start_panel()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def start_display(self):
        # Xvfb picks a free display and writes its number once it accepts connections. Without
        # -noreset it resets (and may end) when its last client leaves, which races with the
        # clients started next.
        ready_read, ready_write = os.pipe()
        self.start("Xvfb", "-displayfd", str(ready_write), "-screen", "0",
                   "%dx%dx24" % (self.width, self.height), "-nolisten", "tcp", "-noreset", pass_fds=(ready_write,))
        os.close(ready_write)
        with os.fdopen(ready_read) as ready:
            number = ready.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.env["DISPLAY"] = ":" + number

    def start_window_manager(self):
        options = {"xfwm4": ["--compositor=off"], "mutter": ["--x11", "--replace"]}.get(self.window_manager, [])
        self.start(self.window_manager, *options, stdout_file=self.window_manager_log)

    def start_bus(self):
        """Starts the session bus at its address and waits until it answers."""
        self.bus_process = subprocess.Popen(["dbus-daemon", "--session", "--nofork", "--address",
                                             self.env["DBUS_SESSION_BUS_ADDRESS"]],
                                            env=self.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                            start_new_session=True)
        wait_for(lambda: subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
                                         "/org/freedesktop/DBus", "org.freedesktop.DBus.GetId"],
                                        env=self.env, capture_output=True, timeout=10).returncode == 0,
                 what="the session bus")

    def stop_bus(self):
        if self.bus_process is not None:
            os.killpg(self.bus_process.pid, signal.SIGTERM)
            self.bus_process.wait(timeout=5)
            self.bus_process = None

    def restart_bus(self):
        """Ends the session bus and starts a new one at the same address: every connection to
        the old one is lost."""
        self.stop_bus()
        self.start_bus()

    def start_panel(self):
        """Starts tint2, waits until its notification area has started and returns its process."""
        log = self._log("tint2")
        panel = self.start("tint2", "-c", os.path.join(HERE, "tint2rc"), stdout_file=log)
        def started():
            with open(log.name, errors="replace") as text:
                return "systray started" in text.read()
        wait_for(started, what="tint2's notification area")
        return panel

    def start_lxqt_panel(self):
        """Starts the LXQt panel, waits until its status notifier has registered as a host and
        returns its process."""
        conf = tempfile.NamedTemporaryFile("w", prefix="lxqt-panel-", suffix=".conf")
        conf.write(LXQT_PANEL_CONF)
        conf.flush()
        self.logs.append(conf)
        panel = self.start("lxqt-panel", "-c", conf.name, stdout_file=self._log("lxqt-panel"))
        wait_for(lambda: "boolean true" in self.bus_property("org.kde.StatusNotifierWatcher", "/StatusNotifierWatcher",
                                                              "org.kde.StatusNotifierWatcher",
                                                              "IsStatusNotifierHostRegistered"),
                 what="the LXQt panel's status notifier")
        return panel

    def start_xfce_panel(self):
        """Starts the Xfce panels in their first-start layout (a panel at the top that reserves its
        space, a dock panel at the bottom that hides itself and reserves none), waits until the top
        one reserves its space and returns the process."""
        panel = self.start("xfce4-panel", stdout_file=self._log("xfce4-panel"))
        wait_for(lambda: self.struts(), timeout=20, what="the Xfce panel's strut")
        return panel

    def struts(self):
        """The partial struts of the windows the window manager manages, each a list of 12 numbers."""
        result = []
        for window in re.findall(r"0x[0-9a-f]+", self.run("xprop", "-root", "_NET_CLIENT_LIST")):
            found = re.search(r"= ([\d, ]+)", self.run("xprop", "-id", window, "_NET_WM_STRUT_PARTIAL"))
            if found:
                result.append([int(n) for n in found.group(1).split(",")])
        return result

    def status_notifier_icon(self):
        """Where the LXQt panel shows the first StatusNotifierItem: the right end of the panel."""
        return self.width - 15, self.height - 15

    def bus_property(self, service, path, interface, name):
        """A property of an object on the desktop's session bus, as dbus-send prints it."""
        return self.run("dbus-send", "--session", "--print-reply", "--reply-timeout=2000", "--dest=" + service, path,
                        "org.freedesktop.DBus.Properties.Get", "string:" + interface, "string:" + name)

    def stop(self, process):
        """Ends one process started here (a panel, say) and waits for it."""
        os.killpg(process.pid, signal.SIGTERM)
        process.wait(timeout=5)

    def _log(self, name):
        log = tempfile.NamedTemporaryFile(prefix=name + "-", suffix=".log")
        self.logs.append(log)
        return log

    # Screen changes through RandR. Xvfb keeps them because it runs with -noreset.

    def xrandr(self, *args):
        return subprocess.run(["xrandr", *args], env=self.env, capture_output=True, text=True, timeout=30)

    def set_mode(self, width, height):
        """Switches the output to a mode of that size, made first if the server lacks it."""
        name = "%dx%d" % (width, height)
        if name not in self.xrandr().stdout:
            self.xrandr("--newmode", name, "60", str(width), str(width + 48), str(width + 152), str(width + 304),
                        str(height), str(height + 3), str(height + 13), str(height + 35))
            self.xrandr("--addmode", "screen", name)
        result = self.xrandr("--output", "screen", "--mode", name)
        if result.returncode != 0:
            raise RuntimeError("xrandr: " + result.stderr)

    def output_off(self):
        """Turns the only output off. Xvfb then refuses to shrink its screen, which xrandr reports
        as an error, but the output is off: no monitor is left."""
        self.xrandr("--output", "screen", "--off")
        wait_for(lambda: "Monitors: 0" in self.xrandr("--listactivemonitors").stdout, what="the output to go off")

    def set_monitors(self, *monitors):
        """Replaces the RandR monitors by these, each (name, width, height, x, y); a name starting
        with * is the primary one."""
        for line in self.xrandr("--listmonitors").stdout.splitlines()[1:]:
            name = line.split()[1].lstrip("*+")
            if name != "screen":
                self.xrandr("--delmonitor", name)
        for name, width, height, x, y in monitors:
            self.xrandr("--setmonitor", name, "%d/%dx%d/%d+%d+%d" % (width, width // 4, height, height // 4, x, y),
                        "none")

    def __exit__(self, *exc):
        for process in reversed(self.processes):
            try:
                os.killpg(process.pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
        for process in self.processes:
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                os.killpg(process.pid, signal.SIGKILL)
        for log in self.logs:
            log.close()
        try:
            self.stop_bus()
        except ProcessLookupError:
            pass
        return False


class MutterWaylandDesktop(Desktop):
    """GNOME's Wayland session without the shell: mutter as a headless Wayland compositor with one
    virtual monitor, and its XWayland display, on which programs started here run. No panel."""

    def __init__(self, width=1280, height=800):
        super().__init__(width, height, panel=False, window_manager="mutter")

    def start_display(self):
        # mutter's own, once the bus is there
        self.env.pop("DISPLAY", None)
        self.env.pop("XAUTHORITY", None)

    def start_window_manager(self):
        # mutter 48 starts no XWayland without the X sockets' folder (missing on a fresh /tmp).
        if not os.path.isdir("/tmp/.X11-unix"):
            os.mkdir("/tmp/.X11-unix")
            os.chmod("/tmp/.X11-unix", 0o1777)
        # mutter gives the programs it starts its displays' addresses: one writes them down.
        found = os.path.join(self.env["XDG_RUNTIME_DIR"], "displays")
        self.start("mutter", "--headless", "--wayland", "--virtual-monitor", "%dx%d" % (self.width, self.height),
                   "--wayland-display", "vellox-e2e", "--", "sh", "-c",
                   'env | grep -E "^(DISPLAY|XAUTHORITY)=" > "$0.part" && mv "$0.part" "$0" && exec sleep infinity',
                   found, stdout_file=self.window_manager_log)
        wait_for(lambda: os.path.exists(found), timeout=30, what="mutter's displays")
        with open(found) as lines:
            self.env.update(line.rstrip("\n").split("=", 1) for line in lines)
