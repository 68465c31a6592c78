"""What the Linux client's integration tests share: a private X display (Xvfb, optionally with
openbox), a private D-Bus session, a 127.0.0.1 proxy that answers every page request, a fake
default browser, and the client started in that world; plus the X11 tools to look at it.

Every test is a plain script that exits non-zero on the first failed check. Everything a Session
starts is stopped by Session.close(), also when a check fails."""

import contextlib
import http.server
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import threading
import time

TITLE = "Zorvik m.tamblo.com"
WIDTH, HEIGHT = 414, 575

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
from checks import Failure, check, expect, wait_for  # noqa: E402,F401  (re-exported to the tests)


def run_test(main):
    """Runs a test's main(args) and turns a Failure into exit code 1."""
    try:
        main(sys.argv[1:])
    except Failure as failure:
        print("FAILED:", failure, flush=True)
        sys.exit(1)
    print("passed", flush=True)


BLANK_PAGE = "<!DOCTYPE html><html><body style='margin:0;background:#fff'></body></html>"


class _ProxyHandler(http.server.BaseHTTPRequestHandler):
    """Any request, proxied or not, gets the session's page, never cached."""

    def log_message(self, *args):
        pass

    def do_GET(self):
        body = self.server.page.encode()
        self.send_response(200)
        self.send_header("Content-Type", "text/html")
        self.send_header("Content-Length", str(len(body)))
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        self.wfile.write(body)


class Window:
    """A top-level X window of the client, seen through xwininfo/xprop."""

    def __init__(self, session, wid):
        self.session = session
        self.wid = str(wid)

    def info(self):
        out = self.session.x("xwininfo", "-id", self.wid, check=False)
        fields = {}
        for key, pattern in (("x", r"Absolute upper-left X:\s+(-?\d+)"),
                             ("y", r"Absolute upper-left Y:\s+(-?\d+)"),
                             ("width", r"Width:\s+(\d+)"), ("height", r"Height:\s+(\d+)")):
            match = re.search(pattern, out)
            if not match:
                return None
            fields[key] = int(match.group(1))
        match = re.search(r"Map State:\s+(\w+)", out)
        fields["viewable"] = bool(match) and match.group(1) == "IsViewable"
        return fields

    def viewable(self):
        info = self.info()
        return bool(info) and info["viewable"]

    def prop(self, name):
        return self.session.x("xprop", "-id", self.wid, name, check=False)

    def frame_extents(self):
        match = re.search(r"=\s*(\d+), (\d+), (\d+), (\d+)", self.prop("_NET_FRAME_EXTENTS"))
        return tuple(int(v) for v in match.groups()) if match else (0, 0, 0, 0)

    def client_rect(self):
        info = self.info()
        return (info["x"], info["y"], info["width"], info["height"])

    def outer_rect(self):
        """(x, y, width, height) of the window with the window manager's frame."""
        left, right, top, bottom = self.frame_extents()
        x, y, w, h = self.client_rect()
        return (x - left, y - top, w + left + right, h + top + bottom)

    def title(self):
        match = re.search(r'= "(.*)"', self.prop("_NET_WM_NAME"))
        return match.group(1) if match else None


class Program:
    def __init__(self, session, process):
        self.session = session
        self.process = process

    def exit_code(self, timeout):
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            return None

    def alive(self):
        return self.process.poll() is None


class Session:
    """One private desktop: Xvfb of the given size, optionally openbox, a D-Bus session bus, a
    proxy on 127.0.0.1 for the page loads, a fake default browser that records its URL."""

    def __init__(self, binary, screen=(1280, 1024), window_manager=False, artifacts=None,
                 page=BLANK_PAGE):
        self.binary = os.path.abspath(binary)
        self.page = page
        self.screen = screen
        self.artifacts = artifacts or tempfile.gettempdir()
        self.root = tempfile.mkdtemp(prefix="zorvik-linux-")
        self.processes = []  # started with their own process group
        self.dbus_pid = None
        self.proxy = None
        self.display = None
        self.bus_address = None
        try:
            self._start_proxy()
            self._start_dbus()
            self._start_xvfb()
            self._install_fake_browser()
            if window_manager:
                self.spawn(["openbox", "--sm-disable"], log="openbox")
                wait_for(self._wm_ready, "openbox to manage the screen")
        except BaseException:
            self.close()
            raise

    # --- set-up ---

    def _start_xvfb(self):
        read_end, write_end = os.pipe()
        width, height = self.screen
        self.spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0",
                    f"{width}x{height}x24", "-nolisten", "tcp", "-noreset"],
                   pass_fds=(write_end,), log="xvfb")
        os.close(write_end)
        with os.fdopen(read_end) as pipe:
            number = pipe.readline().strip()
        if not number:
            raise Failure("Xvfb did not start")
        self.display = ":" + number

    def _start_dbus(self):
        out = subprocess.run(["dbus-daemon", "--session", "--fork", "--print-address=1",
                              "--print-pid=1"], capture_output=True, text=True, check=True,
                             timeout=10).stdout.split()
        self.bus_address, self.dbus_pid = out[0], int(out[1])

    def _start_proxy(self):
        self.proxy = http.server.ThreadingHTTPServer(("127.0.0.1", 0), _ProxyHandler)
        self.proxy.page = self.page
        threading.Thread(target=self.proxy.serve_forever, daemon=True).start()

    def _install_fake_browser(self):
        self.browser_log = os.path.join(self.root, "browser-urls.txt")
        applications = os.path.join(self.root, "data", "applications")
        config = os.path.join(self.root, "config")
        os.makedirs(applications)
        os.makedirs(config)
        script = os.path.join(self.root, "fake-browser")
        with open(script, "w") as f:
            f.write(f"#!/bin/sh\nprintf '%s\\n' \"$1\" >> '{self.browser_log}'\n")
        os.chmod(script, 0o755)
        with open(os.path.join(applications, "zorvik-test-browser.desktop"), "w") as f:
            f.write("[Desktop Entry]\nType=Application\nName=Test browser\n"
                    f"Exec={script} %u\nMimeType=x-scheme-handler/http;\n")
        with open(os.path.join(config, "mimeapps.list"), "w") as f:
            f.write("[Default Applications]\nx-scheme-handler/http=zorvik-test-browser.desktop\n")

    def _wm_ready(self):
        return "_NET_SUPPORTING_WM_CHECK(WINDOW)" in self.x("xprop", "-root",
                                                             "_NET_SUPPORTING_WM_CHECK",
                                                             check=False)

    # --- running things ---

    def env(self, extra=None):
        env = {k: v for k, v in os.environ.items()
               if not k.startswith(("XDG_", "DBUS_", "GTK_", "WAYLAND"))}
        env.update(DISPLAY=self.display, DBUS_SESSION_BUS_ADDRESS=self.bus_address,
                   HOME=self.root, XDG_DATA_HOME=os.path.join(self.root, "data"),
                   XDG_CONFIG_HOME=os.path.join(self.root, "config"),
                   XDG_CACHE_HOME=os.path.join(self.root, "cache"),
                   XDG_RUNTIME_DIR=self.root, NO_AT_BRIDGE="1", GDK_BACKEND="x11",
                   WEBKIT_DISABLE_COMPOSITING_MODE="1",
                   http_proxy=f"http://127.0.0.1:{self.proxy.server_address[1]}",
                   no_proxy="")
        env.pop("https_proxy", None)
        if self.display is None:
            del env["DISPLAY"]
        if extra:
            env.update(extra)
        return env

    def spawn(self, argv, log=None, env=None, **kwargs):
        out = open(os.path.join(self.root, log + ".log"), "ab") if log else subprocess.DEVNULL
        process = subprocess.Popen(argv, stdout=out, stderr=subprocess.STDOUT,
                                   env=env or self.env(), start_new_session=True, **kwargs)
        self.processes.append(process)
        return process

    def stop(self, process):
        """Ends a process we started, with its process group."""
        if process.poll() is None:
            with contextlib.suppress(ProcessLookupError):
                os.killpg(process.pid, signal.SIGTERM)
            try:
                process.wait(3)
            except subprocess.TimeoutExpired:
                with contextlib.suppress(ProcessLookupError):
                    os.killpg(process.pid, signal.SIGKILL)
                process.wait(3)

    def start_program(self, cwd=None):
        return self.start_program_at(self.binary, cwd)

    def start_program_at(self, binary, cwd=None):
        """Starts the client from another directory than its own, as a user might."""
        return Program(self, self.spawn([binary], log="zorvik", cwd=cwd or self.root))

    def main_window(self, program, timeout=10.0):
        def find():
            if not program.alive():
                raise Failure(f"the client ended early with {program.process.returncode}")
            out = self.x("xdotool", "search", "--name", "^Zorvik m\\.tamblo\\.com$",
                         check=False).split()
            for wid in out:
                window = Window(self, wid)
                if window.viewable():
                    return window
            return None
        return wait_for(find, "the main window to be shown", timeout)

    def x(self, *argv, check=True):
        result = subprocess.run(argv, capture_output=True, text=True, env=self.env(),
                                timeout=20)
        if check and result.returncode != 0:
            raise Failure(f"{' '.join(argv)} failed: {result.stderr.strip()}")
        return result.stdout

    def screenshot(self, name):
        """The whole screen as a PNG file in the artifacts folder, and its pixels."""
        os.makedirs(self.artifacts, exist_ok=True)
        path = os.path.join(self.artifacts, name + ".png")
        self.x("import", "-window", "root", path)
        return path, self.pixels()

    def pixels(self):
        data = subprocess.run(["import", "-window", "root", "-depth", "8", "ppm:-"],
                              capture_output=True,
                              env=self.env(), timeout=20, check=True).stdout
        return Image(data)

    # --- input ---

    def drag(self, start, end):
        """Presses the left button at `start`, moves in steps to `end` and releases."""
        self.x("xdotool", "mousemove", str(start[0]), str(start[1]))
        time.sleep(0.15)
        self.x("xdotool", "mousedown", "1")
        time.sleep(0.5)  # the press travels through the client's message queue first
        for step in (1, 2, 3, 4):
            x = start[0] + (end[0] - start[0]) * step // 4
            y = start[1] + (end[1] - start[1]) * step // 4
            self.x("xdotool", "mousemove", str(x), str(y))
            time.sleep(0.1)
        self.x("xdotool", "mouseup", "1")
        time.sleep(0.3)

    def click(self, x, y, button=1):
        self.x("xdotool", "mousemove", str(x), str(y))
        time.sleep(0.1)
        self.x("xdotool", "click", str(button))

    def key(self, window, *keys):
        self.x("xdotool", "windowfocus", "--sync", window.wid)
        time.sleep(0.1)
        self.x("xdotool", "key", *keys)

    def browser_urls(self):
        if not os.path.exists(self.browser_log):
            return []
        with open(self.browser_log) as f:
            return f.read().split()

    def log(self, name):
        path = os.path.join(self.root, name + ".log")
        if not os.path.exists(path):
            return ""
        with open(path, errors="replace") as f:
            return f.read()

    def close(self):
        for process in reversed(self.processes):
            self.stop(process)
        if self.dbus_pid:
            with contextlib.suppress(ProcessLookupError):
                os.kill(self.dbus_pid, signal.SIGTERM)
        if self.proxy:
            self.proxy.shutdown()
            self.proxy.server_close()
        shutil.rmtree(self.root, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, kind, value, trace):
        if value is not None:
            log = self.log("zorvik")
            if log:
                print("--- client output ---\n" + log[-3000:], flush=True)
        self.close()


class Image:
    """A PPM screenshot."""

    def __init__(self, data):
        header = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
        if not header:
            raise Failure("unexpected screenshot format")
        self.width, self.height = int(header.group(1)), int(header.group(2))
        self.data = data[header.end():]

    def pixel(self, x, y):
        offset = (y * self.width + x) * 3
        return tuple(self.data[offset:offset + 3])
