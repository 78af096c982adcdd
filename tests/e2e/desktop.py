"""A private X desktop for driving Tavrilo as a person would.

Desktop starts Xvfb on a free display (-displayfd) with the openbox window manager and
removes everything again on exit, so several desktops can run side by side. Every wait
has a deadline; nothing here can hang a test run.
"""

import os
import re
import shutil
import signal
import struct
import subprocess
import tempfile
import time
import zlib

SCREEN_WIDTH, SCREEN_HEIGHT = 1024, 768
TOOL_TIMEOUT = 10  # seconds for any one X tool call


class DesktopError(RuntimeError):
    pass


def wait_until(predicate, timeout, interval=0.02, what="condition"):
    """Polls predicate until it returns a true value, which is returned; raises on timeout."""
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() >= deadline:
            raise DesktopError(f"timed out after {timeout} s waiting for {what}")
        time.sleep(interval)


class Image:
    """An RGB picture: width, height and 3 bytes per pixel, rows top to bottom."""

    def __init__(self, width, height, rgb):
        self.width, self.height, self.rgb = width, height, rgb

    def crop(self, x, y, width, height):
        rows = []
        for row in range(y, y + height):
            start = (row * self.width + x) * 3
            rows.append(self.rgb[start:start + width * 3])
        return Image(width, height, b"".join(rows))

    def save_png(self, path):
        raw = b"".join(b"\x00" + self.rgb[r * self.width * 3:(r + 1) * self.width * 3]
                       for r in range(self.height))

        def chunk(kind, data):
            body = kind + data
            return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

        header = struct.pack(">IIBBBBB", self.width, self.height, 8, 2, 0, 0, 0)
        with open(path, "wb") as out:
            out.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
                      + chunk(b"IDAT", zlib.compress(raw, 6)) + chunk(b"IEND", b""))


def read_xwd(path):
    """The screen that Xvfb keeps in an XWD file under -fbdir (24-bit TrueColor, 32 bpp)."""
    with open(path, "rb") as f:
        data = f.read()
    fields = struct.unpack(">25I", data[:100])
    header_size, width, height = fields[0], fields[4], fields[5]
    bits_per_pixel, bytes_per_line, ncolors = fields[11], fields[12], fields[19]
    byte_order = fields[7]
    if bits_per_pixel != 32:
        raise DesktopError(f"unexpected screen depth {bits_per_pixel}")
    pixels = data[header_size + ncolors * 12:]
    rgb = bytearray(width * height * 3)
    for row in range(height):
        line = pixels[row * bytes_per_line:row * bytes_per_line + width * 4]
        out = rgb[row * width * 3:(row + 1) * width * 3]
        if byte_order == 0:  # LSBFirst: B G R X
            out[0::3], out[1::3], out[2::3] = line[2::4], line[1::4], line[0::4]
        else:  # MSBFirst: X R G B
            out[0::3], out[1::3], out[2::3] = line[1::4], line[2::4], line[3::4]
        rgb[row * width * 3:(row + 1) * width * 3] = out
    return Image(width, height, bytes(rgb))


class Geometry:
    """A window's client rectangle on the screen and the frame the window manager drew."""

    def __init__(self, x, y, width, height, left, right, top, bottom):
        self.x, self.y, self.width, self.height = x, y, width, height
        self.left, self.right, self.top, self.bottom = left, right, top, bottom

    @property
    def outer(self):
        return (self.x - self.left, self.y - self.top, self.width + self.left + self.right,
                self.height + self.top + self.bottom)


class App:
    """One running program on a Desktop."""

    def __init__(self, desktop, process, output_base):
        self.desktop, self.process = desktop, process
        self.started = time.monotonic()
        self._output_base = output_base

    def output(self):
        """What the program wrote so far: (standard output, standard error) as bytes."""
        with open(self._output_base + ".out", "rb") as out, open(self._output_base + ".err", "rb") as err:
            return out.read(), err.read()

    @property
    def pid(self):
        return self.process.pid

    def shown_window(self):
        """The program's viewable top-level window, or None."""
        out = self.desktop.x("xdotool", "search", "--onlyvisible", "--pid", str(self.pid), check=False)
        ids = [int(w) for w in out.split()]
        return ids[0] if ids else None

    def wait_window(self, timeout=5):
        return wait_until(self.shown_window, timeout, what="the window to be shown")

    def wait_exit(self, timeout):
        """The exit code; raises if the program is still running after timeout seconds."""
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise DesktopError(f"program still running after {timeout} s") from None

    def running(self):
        return self.process.poll() is None


class Desktop:
    """Xvfb + openbox in a private temporary home. Use as a context manager."""

    def __init__(self):
        self._processes = []
        self._helpers = []
        self._launched = 0
        self.home = tempfile.mkdtemp(prefix="tavrilo-e2e-")
        runtime = os.path.join(self.home, "run")
        os.mkdir(runtime, 0o700)
        self.env = {k: v for k, v in os.environ.items()
                    if not k.startswith(("QT_", "WAYLAND_", "XDG_", "DBUS_")) and k != "DISPLAY"}
        self.env.update(HOME=self.home, XDG_RUNTIME_DIR=runtime,
                        XDG_CONFIG_HOME=os.path.join(self.home, "config"),
                        XDG_CACHE_HOME=os.path.join(self.home, "cache"))

    def __enter__(self):
        try:
            self._start()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()

    def _start(self):
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-nolisten", "tcp", "-fbdir", self.home,
             "-screen", "0", f"{SCREEN_WIDTH}x{SCREEN_HEIGHT}x24"],
            pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
            env=self.env)
        self._processes.append(xvfb)
        self.xserver_pid = xvfb.pid
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 10
        while not number.endswith(b"\n"):
            if time.monotonic() > deadline or xvfb.poll() is not None:
                raise DesktopError("Xvfb did not start")
            ready = os.read(read_end, 16)
            if not ready:
                raise DesktopError("Xvfb closed its display pipe")
            number += ready
        os.close(read_end)
        self.env["DISPLAY"] = ":" + number.decode().strip()
        self._screen_file = os.path.join(self.home, "Xvfb_screen0")
        wm = subprocess.Popen(["openbox"], env=self.env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
        self._processes.append(wm)
        wait_until(lambda: "window id" in self.x("xprop", "-root", "_NET_SUPPORTING_WM_CHECK",
                                                 check=False),
                   10, interval=0.05, what="the window manager")

    def close(self):
        for process in reversed(self._helpers + self._processes):
            if process.poll() is None:
                process.send_signal(signal.SIGTERM)
                try:
                    process.wait(timeout=5)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait(timeout=5)
        self._helpers, self._processes = [], []
        shutil.rmtree(self.home, ignore_errors=True)

    def track(self, process):
        """Ends process, a helper started on this desktop, when the desktop closes."""
        self._helpers.append(process)

    # --- X tools ---------------------------------------------------------------------

    def x(self, *command, check=True, input=None):
        """Runs an X tool on this display and returns its standard output."""
        result = subprocess.run(command, env=self.env, capture_output=True, text=True,
                                timeout=TOOL_TIMEOUT, input=input)
        if check and result.returncode != 0:
            raise DesktopError(f"{' '.join(command)} failed: {result.stderr.strip()}")
        return result.stdout

    def launch(self, binary, *args):
        """Starts binary on this desktop; its output goes to files that App.output reads."""
        self._launched += 1
        base = os.path.join(self.home, f"app{self._launched}")
        with open(base + ".out", "wb") as out, open(base + ".err", "wb") as err:
            process = subprocess.Popen([binary, *args], env=self.env, stdin=subprocess.DEVNULL,
                                       stdout=out, stderr=err)
        self._processes.append(process)
        return App(self, process, base)

    def geometry(self, window):
        info = self.x("xwininfo", "-id", str(window))
        field = lambda name: int(re.search(rf"{name}:\s+(-?\d+)", info).group(1))
        extents = self.x("xprop", "-id", str(window), "_NET_FRAME_EXTENTS")
        found = re.search(r"=\s*(\d+),\s*(\d+),\s*(\d+),\s*(\d+)", extents)
        left, right, top, bottom = (int(v) for v in found.groups()) if found else (0, 0, 0, 0)
        return Geometry(field("Absolute upper-left X"), field("Absolute upper-left Y"),
                        field("Width"), field("Height"), left, right, top, bottom)

    def viewable(self, window):
        info = self.x("xwininfo", "-id", str(window), check=False)
        return "IsViewable" in info

    def property(self, window, name):
        return self.x("xprop", "-id", str(window), name)

    def window_name(self, window):
        return self.x("xdotool", "getwindowname", str(window)).strip()

    def activate(self, window):
        self.x("xdotool", "windowactivate", "--sync", str(window))

    def click(self, window, x, y):
        """A left click at client coordinates (x, y) of window."""
        self.x("xdotool", "mousemove", "--window", str(window), str(x), str(y),
               "click", "1")

    def click_screen(self, x, y):
        self.x("xdotool", "mousemove", str(x), str(y), "click", "1")

    def key(self, *keys):
        self.x("xdotool", "key", "--clearmodifiers", *keys)

    def type(self, text):
        self.x("xdotool", "type", "--clearmodifiers", "--delay", "20", text)

    def copy_all(self, window, x, y):
        """Text of the edit box at client (x, y): select all, copy, read the clipboard.
        A sentinel put on the clipboard first tells an empty box from a stale clipboard."""
        sentinel = "<no copy>"
        holder = subprocess.Popen(["xclip", "-quiet", "-selection", "clipboard", "-i"],
                                  env=self.env, stdin=subprocess.PIPE,
                                  stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        self.track(holder)
        holder.stdin.write(sentinel.encode())
        holder.stdin.close()
        wait_until(lambda: self._clipboard() == sentinel, 5, what="the clipboard sentinel")
        self.click(window, x, y)
        self.key("ctrl+a", "ctrl+c")
        try:
            wait_until(lambda: self._clipboard() != sentinel, 1, what="a copy")
        except DesktopError:
            pass
        text = self._clipboard()
        if holder.poll() is None:
            holder.terminate()
            holder.wait(timeout=5)
        return "" if text == sentinel else text

    def _clipboard(self):
        return self.x("xclip", "-o", "-selection", "clipboard", check=False)

    def screenshot(self):
        return read_xwd(self._screen_file)
