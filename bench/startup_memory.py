#!/usr/bin/python3
"""Start-up time, resident memory and idle CPU of vellox against galculator.

Both run on the same virtual desktop (Xvfb, openbox, tint2), interleaved, five times each:
  start-up   from exec to the program's first window being taken on by the window manager (it
             appears in _NET_CLIENT_LIST, watched with one `xprop -spy`, so no polling process
             competes with the starting program)
  memory     resident set size 2 s after that
  idle CPU   user + system time used over 5 s without input, twice: from 2 s after the window
             appeared (a focused field's caret still blinks) and from 11 s (the caret has come
             to rest after 10 s without input)
Prints the medians. Usage: bench/startup_memory.py [path/to/vellox]  (galculator from Debian)
"""

import os
import queue
import re
import shutil
import statistics
import subprocess
import sys
import threading
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
from desktop import Desktop  # noqa: E402

RUNS = 5
TICKS = os.sysconf("SC_CLK_TCK")


class ClientWatch:
    """The window manager's list of managed windows, with the moment each change was seen."""

    def __init__(self, desktop):
        self.desktop = desktop
        self.changes = queue.Queue()
        self.spy = subprocess.Popen(["xprop", "-root", "-spy", "_NET_CLIENT_LIST"], env=desktop.env,
                                    stdout=subprocess.PIPE, text=True, bufsize=1)
        threading.Thread(target=self._read, daemon=True).start()
        self.known = self._next(timeout=10)[1]  # xprop prints the list once at the start

    def _read(self):
        for line in self.spy.stdout:
            self.changes.put((time.monotonic(), set(re.findall(r"0x[0-9a-f]+", line))))

    def _next(self, timeout):
        return self.changes.get(timeout=timeout)

    def settle(self):
        """Takes in the changes so far (windows of programs that ended)."""
        while not self.changes.empty():
            self.known = self.changes.get()[1]

    def wait_for_window_of(self, pid, timeout=20):
        """The moment a window of the process was first listed."""
        deadline = time.monotonic() + timeout
        while True:
            seen, windows = self._next(timeout=max(0.1, deadline - time.monotonic()))
            new = windows - self.known
            self.known = windows
            if any(self._pid_of(window) == pid for window in new):
                return seen

    def _pid_of(self, window):
        out = subprocess.run(["xprop", "-id", window, "_NET_WM_PID"], env=self.desktop.env,
                             capture_output=True, text=True).stdout
        found = re.search(r"= (\d+)", out)
        return int(found.group(1)) if found else None

    def close(self):
        self.spy.kill()
        self.spy.wait()


def rss_kib(pid):
    with open("/proc/%d/status" % pid) as status:
        for line in status:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def cpu_ticks(pid):
    with open("/proc/%d/stat" % pid) as stat:
        fields = stat.read().rsplit(")", 1)[1].split()
    return int(fields[11]) + int(fields[12])  # utime + stime


def idle_cpu_percent(pid, seconds=5):
    before = cpu_ticks(pid)
    time.sleep(seconds)
    return 100.0 * (cpu_ticks(pid) - before) / TICKS / seconds


def measure(desktop, watch, command):
    watch.settle()
    start = time.monotonic()
    process = subprocess.Popen(command, env=desktop.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        shown = watch.wait_for_window_of(process.pid)
    except queue.Empty:
        process.kill()
        raise RuntimeError("%s showed no window" % command[0])
    startup = shown - start
    time.sleep(max(0.0, shown + 2 - time.monotonic()))
    memory = rss_kib(process.pid)
    blinking = idle_cpu_percent(process.pid)
    time.sleep(max(0.0, shown + 11 - time.monotonic()))
    at_rest = idle_cpu_percent(process.pid)
    process.terminate()
    process.wait(timeout=10)
    time.sleep(0.5)
    return startup, memory, blinking, at_rest


def main():
    vellox = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "build", "bin", "vellox")
    galculator = shutil.which("galculator")
    if galculator is None:
        sys.exit("galculator is not installed: apt-get install galculator")
    results = {"vellox": [], "galculator": []}
    with Desktop() as desktop:
        # A user's session: accessibility is not forced on for either program.
        desktop.env.pop("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", None)
        watch = ClientWatch(desktop)
        try:
            for run in range(RUNS):
                results["vellox"].append(measure(desktop, watch, [vellox]))
                results["galculator"].append(measure(desktop, watch, [galculator]))
        finally:
            watch.close()
    print("%-11s %12s %12s %17s %17s" % ("", "start-up ms", "memory KiB", "idle CPU % 2-7 s", "idle CPU % 11-16 s"))
    medians = {}
    for name, runs in results.items():
        medians[name] = [statistics.median(r[i] for r in runs) for i in range(4)]
        startup, memory, blinking, at_rest = medians[name]
        print("%-11s %12.1f %12d %17.2f %17.2f" % (name, startup * 1000, memory, blinking, at_rest))
    print("vellox/galculator: start-up %.2f, memory %.2f" % (
        medians["vellox"][0] / medians["galculator"][0], medians["vellox"][1] / medians["galculator"][1]))


if __name__ == "__main__":
    main()
