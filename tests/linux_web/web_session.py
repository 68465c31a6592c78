"""What the Linux web-view tests share: a logging HTTP proxy on 127.0.0.1 that serves the home
site's test page, a private X display and D-Bus session, a fake default browser, and the client
started in that world. Everything started here is stopped by Session.close(), also on failure."""

import http.server
import json
import os
import shutil
import signal
import socketserver
import struct
import subprocess
import tempfile
import threading
import time
import zlib

HOME_SITE = "m.tamblo.com"
MOBILE_USER_AGENT = (
    "Mozilla/5.0 (Linux; U; Android 2.2; en-us; Nexus One Build/FRF91) AppleWebKit/533.1 "
    "(KHTML, like Gecko) Version/4.0 Mobile Safari/533.1")
WINDOW_TITLE = "Zorvik " + HOME_SITE
PAGE_TITLE = "Tamblo jokes of the day"
# The page's background; a screenshot of the window shows this colour where the page is.
PAGE_RGB = (0x2E, 0x8B, 0x57)


def _png(width, height, rgb):
    row = b"\x00" + bytes(rgb) * width
    raw = zlib.compress(row * height)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", raw) +
            chunk(b"IEND", b""))


# Page areas, in page pixels: the target=_blank link fills the top band, the window.open button
# the second band; below them is plain page to click into.
BLANK_LINK_BAND = (0, 90)
OPEN_BUTTON_BAND = (110, 200)

HOME_PAGE = f"""<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>{PAGE_TITLE}</title>
<link rel="stylesheet" href="/style.css"><script src="/app.js"></script></head>
<body>
<a id="blank" target="_blank" href="http://{HOME_SITE}/new-tab">open in a new window</a>
<button id="open" onclick="window.open('http://{HOME_SITE}/popup')">window.open</button>
<img src="/picture.png" width="64" height="64" alt="">
<p id="state">loading</p>
</body></html>
"""

STYLE = f"""
body {{ margin: 0; background: rgb{PAGE_RGB}; font: 16px sans-serif; }}
#blank {{ position: absolute; left: 0; top: {BLANK_LINK_BAND[0]}px; width: 100%;
  height: {BLANK_LINK_BAND[1] - BLANK_LINK_BAND[0]}px; background: #ffd700; display: block; }}
#open {{ position: absolute; left: 0; top: {OPEN_BUTTON_BAND[0]}px; width: 100%;
  height: {OPEN_BUTTON_BAND[1] - OPEN_BUTTON_BAND[0]}px; }}
img {{ position: absolute; left: 10px; top: 220px; }}
#state {{ position: absolute; left: 10px; top: 300px; color: white; }}
"""

# alert() first: were a dialog shown, the script would wait on it and /after-alert never come.
# Keys that reach the page are reported as requests for /key?k=<key>.
SCRIPT = """
document.addEventListener('keydown', function (event) {
  fetch('/key?k=' + encodeURIComponent(event.key));
});
window.addEventListener('load', function () {
  alert('a dialog nobody should see');
  fetch('/after-alert').then(function (r) { return r.text(); }).then(function (t) {
    document.getElementById('state').textContent = t;
  });
});
"""

CONTENT = {
    "/": ("text/html; charset=utf-8", HOME_PAGE.encode()),
    "/style.css": ("text/css", STYLE.encode()),
    "/app.js": ("application/javascript", SCRIPT.encode()),
    "/picture.png": ("image/png", _png(64, 64, (200, 30, 30))),
    "/after-alert": ("text/plain", b"script ran past alert()"),
    "/new-tab": ("text/html", b"<title>new tab</title>should open outside"),
    "/popup": ("text/html", b"<title>popup</title>should open outside"),
}


class RecordingProxy(socketserver.ThreadingMixIn, http.server.HTTPServer):
    """Answers proxy-style requests for any host from CONTENT (404 otherwise) and records each
    request: monotonic time, method, request target, Host, User-Agent."""

    daemon_threads = True
    allow_reuse_address = False

    def __init__(self):
        self.requests = []
        self.lock = threading.Lock()
        self.arrived = threading.Condition(self.lock)
        super().__init__(("127.0.0.1", 0), _Handler)
        self.port = self.server_address[1]
        self.thread = threading.Thread(target=self.serve_forever, daemon=True)
        self.thread.start()

    def record(self, entry):
        with self.arrived:
            self.requests.append(entry)
            self.arrived.notify_all()

    def wait_for(self, predicate, timeout):
        """Waits until some request satisfies predicate; returns it or None."""
        deadline = time.monotonic() + timeout
        with self.arrived:
            while True:
                for entry in self.requests:
                    if predicate(entry):
                        return entry
                left = deadline - time.monotonic()
                if left <= 0:
                    return None
                self.arrived.wait(left)

    def snapshot(self):
        with self.lock:
            return list(self.requests)

    def close(self):
        self.shutdown()
        self.server_close()


class _Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def _answer(self, with_body):
        self.server.record({
            "time": time.monotonic(),
            "method": self.command,
            "target": self.path,
            "host": self.headers.get("Host"),
            "user_agent": self.headers.get("User-Agent"),
        })
        path = self.path
        if "://" in path:
            path = "/" + path.split("://", 1)[1].partition("/")[2]
        path = path.split("?", 1)[0]
        found = CONTENT.get(path)
        status, (kind, body) = (200, found) if found else (404, ("text/plain", b"not here"))
        self.send_response(status)
        self.send_header("Content-Type", kind)
        self.send_header("Content-Length", str(len(body)))
        # Without it WebKit's disk cache skips repeated requests.
        self.send_header("Cache-Control", "no-store")
        self.end_headers()
        if with_body:
            self.wfile.write(body)

    def do_GET(self):
        self._answer(True)

    def do_HEAD(self):
        self._answer(False)


def is_home_request(entry):
    return entry["method"] == "GET" and entry["host"] == HOME_SITE and entry["target"] in (
        f"http://{HOME_SITE}/", f"http://{HOME_SITE}:80/", "/")


class Session:
    """A private world for one run of a program: X display, D-Bus session, XDG and HOME
    directories, a fake default browser and the recording proxy."""

    def __init__(self, name, screen="1024x768x24"):
        self.dir = tempfile.mkdtemp(prefix=f"zorvik-{name}-")
        self.processes = []  # (Popen, own process group) stopped in reverse order by close()
        try:
            self.display = self._start_xvfb(screen)
            self.bus = self._start_dbus()
            self.proxy = RecordingProxy()
            self.browser_log = os.path.join(self.dir, "default-browser.log")
            self._install_fake_browser()
        except BaseException:
            self.close()
            raise

    # --- the world -------------------------------------------------------------------------

    def _spawn(self, argv, env=None, own_group=False, **kwargs):
        process = subprocess.Popen(argv, env=env, start_new_session=own_group, **kwargs)
        self.processes.append((process, own_group))
        return process

    def _start_xvfb(self, screen):
        read_end, write_end = os.pipe()
        self._spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0", screen, "-nolisten",
                     "tcp", "-noreset"], pass_fds=(write_end,), stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as reader:
            number = reader.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not report a display")
        return ":" + number

    def _start_dbus(self):
        process = self._spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1"], stderr=subprocess.DEVNULL,
                              stdout=subprocess.PIPE, text=True)
        address = process.stdout.readline().strip()
        if not address:
            raise RuntimeError("dbus-daemon did not report an address")
        return address

    def _install_fake_browser(self):
        self.xdg_data = os.path.join(self.dir, "data")
        self.xdg_config = os.path.join(self.dir, "config")
        self.xdg_cache = os.path.join(self.dir, "cache")
        self.home = os.path.join(self.dir, "home")
        applications = os.path.join(self.xdg_data, "applications")
        for folder in (applications, self.xdg_config, self.xdg_cache, self.home):
            os.makedirs(folder, exist_ok=True)
        script = os.path.join(self.dir, "fake-browser")
        with open(script, "w") as out:
            out.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> " + self.browser_log + "\n")
        os.chmod(script, 0o755)
        with open(os.path.join(applications, "zorvik-fake-browser.desktop"), "w") as out:
            out.write("[Desktop Entry]\nType=Application\nName=Fake browser\n"
                      f"Exec={script} %u\nMimeType=x-scheme-handler/http;"
                      "x-scheme-handler/https;\nNoDisplay=true\n")
        with open(os.path.join(self.xdg_config, "mimeapps.list"), "w") as out:
            out.write("[Default Applications]\n"
                      "x-scheme-handler/http=zorvik-fake-browser.desktop\n"
                      "x-scheme-handler/https=zorvik-fake-browser.desktop\n")

    def env(self, extra=None):
        env = {k: v for k, v in os.environ.items()
               if k.lower() not in ("http_proxy", "https_proxy", "no_proxy", "all_proxy")}
        env.update({
            "DISPLAY": self.display,
            "DBUS_SESSION_BUS_ADDRESS": self.bus,
            "NO_AT_BRIDGE": "1",
            "HOME": self.home,
            "XDG_DATA_HOME": self.xdg_data,
            "XDG_CONFIG_HOME": self.xdg_config,
            "XDG_CACHE_HOME": self.xdg_cache,
            "XDG_RUNTIME_DIR": self.dir,
            "http_proxy": f"http://127.0.0.1:{self.proxy.port}",
            "GSETTINGS_BACKEND": "memory",
        })
        env.update(extra or {})
        return env

    def start(self, argv, extra_env=None, log_name="program"):
        """Starts a program in its own process group (it and its WebKit children are stopped
        together by close())."""
        log = open(os.path.join(self.dir, log_name + ".log"), "w")
        return self._spawn(argv, env=self.env(extra_env), own_group=True, stdout=log,
                           stderr=subprocess.STDOUT)

    def x(self, *argv, check=True):
        """Runs an X tool on the session's display and returns its output."""
        result = subprocess.run(list(argv), env=self.env(), capture_output=True, text=True,
                                timeout=20)
        if check and result.returncode != 0:
            raise RuntimeError(f"{argv[0]} failed: {result.stderr.strip()}")
        return result.stdout

    def browser_urls(self):
        try:
            with open(self.browser_log) as log:
                return [line.strip() for line in log if line.strip()]
        except FileNotFoundError:
            return []

    def program_log(self, log_name="program"):
        try:
            with open(os.path.join(self.dir, log_name + ".log"), errors="replace") as log:
                return log.read()
        except FileNotFoundError:
            return ""

    def close(self):
        if getattr(self, "proxy", None):
            self.proxy.close()
        for process, own_group in reversed(self.processes):
            if process.poll() is None:
                try:
                    if own_group:
                        os.killpg(process.pid, signal.SIGKILL)
                    else:
                        process.terminate()
                    process.wait(timeout=10)
                except (ProcessLookupError, subprocess.TimeoutExpired):
                    process.kill()
            elif own_group:
                # The leader is gone; WebKit children left in its group are stopped too.
                try:
                    os.killpg(process.pid, signal.SIGKILL)
                except ProcessLookupError:
                    pass
            if process.stdout:
                process.stdout.close()
        shutil.rmtree(self.dir, ignore_errors=True)


def wait_until(condition, timeout, step=0.1):
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if time.monotonic() >= deadline:
            return value
        time.sleep(step)


def dump(entries):
    return json.dumps(entries, indent=1)


def main_window(session, timeout=15):
    """The X window titled WINDOW_TITLE once it is viewable, or None."""
    def find():
        out = session.x("xdotool", "search", "--onlyvisible", "--name", f"^{WINDOW_TITLE}$",
                        check=False)
        ids = out.split()
        return ids[0] if ids else None
    return wait_until(find, timeout)


def window_origin(session, window):
    """Absolute position of the window's client area (its X window's upper-left corner)."""
    info = session.x("xwininfo", "-id", window)
    values = {}
    for line in info.splitlines():
        key, _, value = line.strip().partition(":")
        values[key] = value.strip()
    return int(values["Absolute upper-left X"]), int(values["Absolute upper-left Y"])


def window_title(session, window):
    out = session.x("xprop", "-id", window, "-notype", "_NET_WM_NAME")
    # _NET_WM_NAME = "Zorvik m.tamblo.com"
    return out.partition("=")[2].strip().strip('"')


def pixel(image, x, y):
    """The (r, g, b) of one pixel of an image file, read with ImageMagick."""
    out = subprocess.run(["convert", image, "-crop", f"1x1+{x}+{y}", "-depth", "8", "txt:-"],
                         capture_output=True, text=True, check=True).stdout
    # "# ImageMagick pixel enumeration: ...\n0,0: (46,139,87)  #2E8B57  srgb(46,139,87)"
    values = out.splitlines()[1].split("(", 1)[1].split(")", 1)[0].split(",")
    return tuple(round(float(v.strip().rstrip("%"))) for v in values[:3])


def viewable_top_levels(session):
    """Ids of the root's children that are mapped and viewable."""
    out = session.x("xwininfo", "-root", "-children")
    ids = [line.split()[0] for line in out.splitlines() if line.strip().startswith("0x")]
    viewable = []
    for window in ids:
        info = session.x("xwininfo", "-id", window, check=False)
        if "IsViewable" in info:
            viewable.append(window)
    return viewable
