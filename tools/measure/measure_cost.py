"""Measures what running Tavrilo costs, on a private Xvfb + openbox desktop:
start-up to a shown window and peak memory, each against a minimal Qt window measured in
the same run; CPU share during a three-number batch with the draw effect; idle CPU.

usage: measure_cost.py TAVRILO MINIMAL_WINDOW [ROUNDS]
"""

import glob
import os
import select
import statistics
import subprocess
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tests", "e2e"))
from desktop import Desktop, DesktopError  # noqa: E402

DRAW_BUTTON = (164, 200)
RESTART_BUTTON = (328, 212)
COUNT_FIELD = (264, 144)
RESULTS_BOX = (224, 332)
BATCH_SECONDS = 3 * (0.27 + 0.24 + 0.21 + 0.18 + 0.15 + 1.5)
IDLE_SECONDS = 10.0


class ClientListSpy:
    """Reports the moment the window manager takes on a new window (the window is shown)."""

    def __init__(self, desktop):
        self.process = subprocess.Popen(["xprop", "-root", "-spy", "_NET_CLIENT_LIST"], env=desktop.env,
                                        stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True,
                                        bufsize=1)
        desktop.track(self.process)
        self.known = self._windows(self._line(10))

    def _line(self, timeout):
        ready, _, _ = select.select([self.process.stdout], [], [], timeout)
        if not ready:
            raise DesktopError("no window appeared")
        return self.process.stdout.readline()

    @staticmethod
    def _windows(line):
        return set(part.strip() for part in line.partition("#")[2].split(",") if part.strip())

    def wait_new(self, timeout=10):
        deadline = time.monotonic() + timeout
        while True:
            windows = self._windows(self._line(max(0.0, deadline - time.monotonic())))
            appeared = windows - self.known
            self.known = windows
            if appeared:
                return time.monotonic()


def cpu_seconds(pid):
    """CPU time of every thread of pid so far, from the scheduler's nanosecond counters."""
    total = 0
    for path in glob.glob(f"/proc/{pid}/task/*/schedstat"):
        try:
            with open(path) as f:
                total += int(f.read().split()[0])
        except (FileNotFoundError, ProcessLookupError):
            pass
    return total / 1e9


def status_field(pid, name):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith(name + ":"):
                return int(line.split()[1])
    raise DesktopError(f"{name} missing for {pid}")


def close(desktop, app, window):
    desktop.activate(window)
    desktop.key("alt+F4")
    if app.wait_exit(10) != 0:
        raise DesktopError("the program did not exit with 0")


def start_up_and_memory(desktop, programs, rounds):
    spy = ClientListSpy(desktop)
    results = {name: {"start": [], "rss": []} for name in programs}
    for round_number in range(rounds):
        order = list(programs.items())
        if round_number % 2:
            order.reverse()
        for name, command in order:
            app = desktop.launch(*command)
            shown = spy.wait_new()
            results[name]["start"].append(shown - app.started)
            window = app.wait_window()
            time.sleep(1.0)
            results[name]["rss"].append(status_field(app.pid, "VmHWM"))
            close(desktop, app, window)
    return results


def idle(pid):
    """CPU share and wake-ups per second of pid over IDLE_SECONDS without input."""
    time.sleep(2.0)
    cpu_before, switches_before, started = (cpu_seconds(pid), status_field(pid, "voluntary_ctxt_switches"),
                                            time.monotonic())
    time.sleep(IDLE_SECONDS)
    cpu_after, switches_after, ended = (cpu_seconds(pid), status_field(pid, "voluntary_ctxt_switches"),
                                        time.monotonic())
    return {"share": (cpu_after - cpu_before) / (ended - started),
            "wakeups": (switches_after - switches_before) / (ended - started), "seconds": ended - started}


def idle_and_batch(desktop, tavrilo):
    app = desktop.launch(tavrilo)
    window = app.wait_window()
    idle_started = idle(app.pid)
    # A button takes the focus from whichever edit box had it: no caret blinks any more.
    desktop.click(window, *RESTART_BUTTON)
    idle_no_caret = idle(app.pid)

    desktop.activate(window)
    desktop.click(window, *COUNT_FIELD)
    desktop.key("ctrl+a")
    desktop.type("3")
    time.sleep(1.0)
    xserver = desktop.xserver_pid
    app_before, x_before, started = cpu_seconds(app.pid), cpu_seconds(xserver), time.monotonic()
    desktop.click(window, *DRAW_BUTTON)
    time.sleep(BATCH_SECONDS + 0.3)
    app_after, x_after, ended = cpu_seconds(app.pid), cpu_seconds(xserver), time.monotonic()
    record = desktop.copy_all(window, *RESULTS_BOX)
    if record.count("/") != 3:
        raise DesktopError(f"the batch drew {record!r}, not three numbers")
    batch = {"app": (app_after - app_before) / (ended - started),
             "xserver": (x_after - x_before) / (ended - started), "seconds": ended - started}
    peak = status_field(app.pid, "VmHWM")
    close(desktop, app, window)
    return idle_started, idle_no_caret, batch, peak


def main():
    tavrilo, minimal = sys.argv[1], sys.argv[2]
    rounds = int(sys.argv[3]) if len(sys.argv) > 3 else 10
    programs = {"tavrilo": [tavrilo], "minimal": [minimal], "label": [minimal, "--label"]}
    with Desktop() as desktop:
        found = start_up_and_memory(desktop, programs, rounds)
        idle_started, idle_no_caret, batch, peak_after_batch = idle_and_batch(desktop, tavrilo)

    med = {name: {k: statistics.median(v) for k, v in r.items()} for name, r in found.items()}
    best = {name: min(r["start"]) for name, r in found.items()}
    t, m, l = med["tavrilo"], med["minimal"], med["label"]
    print(f"rounds: {rounds} starts of each program, in turn, on Xvfb + openbox; medians")
    print(f"start-up to a shown window: tavrilo {t['start'] * 1000:.1f} ms, minimal Qt window "
          f"{m['start'] * 1000:.1f} ms, ratio {t['start'] / m['start']:.2f}; "
          f"with one Chinese label {l['start'] * 1000:.1f} ms, ratio {t['start'] / l['start']:.2f}")
    print(f"start-up, best of {rounds}: tavrilo {best['tavrilo'] * 1000:.1f} ms, minimal Qt window "
          f"{best['minimal'] * 1000:.1f} ms, ratio {best['tavrilo'] / best['minimal']:.2f}; "
          f"with one Chinese label {best['label'] * 1000:.1f} ms, "
          f"ratio {best['tavrilo'] / best['label']:.2f}")
    print(f"peak memory (VmHWM, 1 s after showing): tavrilo {t['rss'] / 1024:.1f} MiB, minimal Qt window "
          f"{m['rss'] / 1024:.1f} MiB, ratio {t['rss'] / m['rss']:.2f}; "
          f"with one Chinese label {l['rss'] / 1024:.1f} MiB, ratio {t['rss'] / l['rss']:.2f}")
    print(f"peak memory after a three-number batch: tavrilo {peak_after_batch / 1024:.1f} MiB")
    print(f"CPU during a three-number batch with the effect ({batch['seconds']:.2f} s): "
          f"tavrilo {batch['app'] * 100:.2f}% of one core (X server {batch['xserver'] * 100:.2f}%)")
    for label, figures in (("as started", idle_started), ("focus on a button, no caret", idle_no_caret)):
        print(f"CPU idle with the window open, {label} ({figures['seconds']:.1f} s): "
              f"{figures['share'] * 100:.3f}% of one core, {figures['wakeups']:.1f} wake-ups/s")


if __name__ == "__main__":
    main()
