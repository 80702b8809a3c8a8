#!/usr/bin/python3
"""Start-up time, resident memory and idle CPU of vellox against galculator.

Both run on the same virtual desktop (Xvfb, openbox, tint2), interleaved, five times each:
  start-up  from exec to the program's first window being mapped (polled every 2 ms)
  memory    resident set size 2 s after that
  idle CPU  user + system time used over the next 5 s without input
Prints the medians. Usage: bench/startup_memory.py [path/to/vellox]  (galculator from Debian)
"""

import os
import shutil
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "e2e"))
from desktop import Desktop  # noqa: E402

RUNS = 5
TICKS = os.sysconf("SC_CLK_TCK")


def mapped_window(desktop, pid):
    out = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(pid)], env=desktop.env,
                         capture_output=True, text=True).stdout.split()
    return out[0] if out else None


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


def measure(desktop, command):
    start = time.monotonic()
    process = subprocess.Popen(command, env=desktop.env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    while mapped_window(desktop, process.pid) is None:
        if time.monotonic() - start > 20:
            process.kill()
            raise RuntimeError("%s showed no window" % command[0])
        time.sleep(0.002)
    startup = time.monotonic() - start
    time.sleep(2)
    memory = rss_kib(process.pid)
    before = cpu_ticks(process.pid)
    time.sleep(5)
    idle_cpu = 100.0 * (cpu_ticks(process.pid) - before) / TICKS / 5
    process.terminate()
    process.wait(timeout=10)
    time.sleep(0.5)
    return startup, memory, idle_cpu


def main():
    vellox = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "build", "bin", "vellox")
    galculator = shutil.which("galculator")
    if galculator is None:
        sys.exit("galculator is not installed: apt-get install galculator")
    results = {"vellox": [], "galculator": []}
    with Desktop() as desktop:
        # A user's session: accessibility is not forced on for either program.
        desktop.env.pop("QT_LINUX_ACCESSIBILITY_ALWAYS_ON", None)
        for run in range(RUNS):
            results["vellox"].append(measure(desktop, [vellox]))
            results["galculator"].append(measure(desktop, [galculator]))
    print("%-11s %12s %12s %10s" % ("", "start-up ms", "memory KiB", "idle CPU %"))
    medians = {}
    for name, runs in results.items():
        medians[name] = [statistics.median(r[i] for r in runs) for i in range(3)]
        startup, memory, idle = medians[name]
        print("%-11s %12.1f %12d %10.2f" % (name, startup * 1000, memory, idle))
    print("vellox/galculator: start-up %.2f, memory %.2f" % (
        medians["vellox"][0] / medians["galculator"][0], medians["vellox"][1] / medians["galculator"][1]))


if __name__ == "__main__":
    main()
