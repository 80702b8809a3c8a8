"""Reading and pressing a program's controls the way a screen reader does, over AT-SPI.

Each query runs atspi_dump.py in Debian's /usr/bin/python3 (which has the bindings) on the
desktop's session bus: a fresh connection every time, so no cached state can go stale.
"""

import json
import os
import queue
import subprocess
import threading

from desktop import wait_for

DUMP = os.path.join(os.path.dirname(os.path.abspath(__file__)), "atspi_dump.py")
EVENTS = os.path.join(os.path.dirname(os.path.abspath(__file__)), "atspi_events.py")


class Application:
    def __init__(self, desktop, name):
        self.desktop = desktop
        self.name = name

    def _run(self, *args):
        return subprocess.run(["/usr/bin/python3", DUMP, self.name, *args], env=self.desktop.env,
                              capture_output=True, text=True, timeout=30)

    def controls(self):
        """Every control as a dict: role, name, states, and text where it has one."""
        result = self._run()
        if result.returncode != 0:
            return []
        return [json.loads(line) for line in result.stdout.splitlines() if line.strip()]

    def control(self, role, name):
        return next((c for c in self.controls() if c["role"] == role and c["name"] == name), None)

    def wait_control(self, role, name, timeout=10.0):
        return wait_for(lambda: self.control(role, name), timeout=timeout, what="%s %r" % (role, name))

    def text(self, name):
        """The text of the text field with this accessible name."""
        return self.wait_control("text", name)["text"]

    def hidden_characters(self, name):
        """The offsets of the characters of a text field that lie outside the field's box."""
        control = self.wait_control("text", name)
        x, y, width, height = control["extents"]
        return [offset for offset, (cx, cy, cw, ch) in enumerate(control.get("characters", []))
                if cw <= 0 or cx < x or cx + cw > x + width]

    def wait_text(self, name, expected, timeout=5.0):
        wait_for(lambda: self.text(name) == expected, timeout=timeout,
                 what="%r in %s (have %r)" % (expected, name, self.text(name)))

    def press(self, role, name):
        wait_for(lambda: self._run(role, name).returncode == 0, what="pressing %s %r" % (role, name))


def application(desktop, name, timeout=15.0):
    app = Application(desktop, name)
    wait_for(lambda: app.controls(), timeout=timeout, what="the application %r over AT-SPI" % name)
    return app


class Announcements:
    """The notifications an application shows a screen reader, in order."""

    def __init__(self, desktop, name):
        self.process = subprocess.Popen(["/usr/bin/python3", EVENTS, name], env=desktop.env, stdout=subprocess.PIPE,
                                        text=True)
        self.lines = queue.Queue()
        threading.Thread(target=lambda: [self.lines.put(line) for line in self.process.stdout], daemon=True).start()
        assert self.lines.get(timeout=15).strip() == "ready"

    def expect(self, window, text, timeout=5.0):
        """Waits for the next notification, which must be text in the window of that name."""
        told = json.loads(self.lines.get(timeout=timeout))
        assert told == {"window": window, "text": text}, told

    def stop(self):
        self.process.terminate()
        self.process.wait(timeout=5)
        self.process.stdout.close()
