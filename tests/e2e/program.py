"""A program under test on the e2e desktop, with its standard output read line by line."""

import queue
import subprocess
import threading
import time


class Program:
    def __init__(self, desktop, *args, env=None):
        """env: the environment to run in, the desktop's when None."""
        self.process = subprocess.Popen(args, env=env if env is not None else desktop.env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                                        text=True, start_new_session=True)
        self.lines = queue.Queue()
        self.seen = []
        threading.Thread(target=self._read, daemon=True).start()

    def _read(self):
        for line in self.process.stdout:
            self.lines.put(line.rstrip("\n"))

    def expect(self, prefix, timeout=5.0):
        """The next output line that starts with prefix (lines before it are kept in seen)."""
        deadline = time.monotonic() + timeout
        while True:
            remaining = deadline - time.monotonic()
            if remaining <= 0:
                raise AssertionError("no line starting with %r; saw %r" % (prefix, self.seen))
            try:
                line = self.lines.get(timeout=remaining)
            except queue.Empty:
                continue
            self.seen.append(line)
            if line.startswith(prefix):
                return line

    def output_during(self, seconds):
        """The lines written in the next few seconds."""
        time.sleep(seconds)
        result = []
        while not self.lines.empty():
            result.append(self.lines.get())
        self.seen.extend(result)
        return result

    def stop(self):
        if self.process.poll() is None:
            self.process.terminate()
            try:
                self.process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                self.process.kill()
        code = self.process.wait()
        self.process.stdout.close()
        self.process.stderr.close()
        return code
