"""Shared harness of the Wine tests: a private Wine prefix and locale made once per test run, an
Xvfb display per test case, the program started under Wine, and X11 tools to look at it.

Every test is a plain script; it exits non-zero on the first failed check. Whatever a test starts
(Xvfb, Wine processes) is ended in `finally` blocks, also when a check fails."""
import argparse
import collections
import contextlib
import os
import re
import shutil
import signal
import subprocess
import sys
import time

WINE = "/usr/lib/wine/wine64"
WINESERVER = "/usr/lib/wine/wineserver"
TITLE = "Zorvik m.tamblo.com"
WIDTH, HEIGHT = 414, 575

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tools"))
import checks  # noqa: E402
from checks import Failure, check  # noqa: E402,F401  (re-exported to the tests)


# Wine starts and redraws more slowly than a native program: its waits are longer.
def expect(probe, what, timeout=15.0):
    return checks.expect(probe, what, timeout, interval=0.1)


def wait_for(probe, what, timeout=15.0, interval=0.1):
    return checks.wait_for(probe, what, timeout, interval)


class WineEnv:
    """The prefix, locale and browser-capture script shared by the cases of one test run. They
    live under `root` (in the build directory); `setup()` makes them, `cleanup()` ends the
    prefix's wineserver."""

    def __init__(self, root):
        self.root = os.path.abspath(root)
        self.prefix = os.path.join(self.root, "prefix")
        self.locales = os.path.join(self.root, "locale")
        self.capture_script = os.path.join(self.root, "capture-browser.sh")

    def base_env(self, display=None, chinese=True):
        env = {k: v for k, v in os.environ.items() if not k.startswith(("LC_", "WINE"))}
        env.update(WINEPREFIX=self.prefix, WINELOADER=WINE, WINEDEBUG="-all",
                   LOCPATH=self.locales)
        env.pop("http_proxy", None)
        env["LANG"] = "zh_CN.UTF-8" if chinese else "C.UTF-8"
        if chinese:
            env["LC_ALL"] = "zh_CN.UTF-8"
        if display:
            env["DISPLAY"] = display
        else:
            env.pop("DISPLAY", None)
        return env

    def setup(self):
        os.makedirs(self.root, exist_ok=True)
        self.cleanup()
        shutil.rmtree(self.prefix, ignore_errors=True)
        os.makedirs(self.locales, exist_ok=True)
        if not os.path.isdir(os.path.join(self.locales, "zh_CN.UTF-8")):
            # localedef warns about some entries yet writes a usable locale; judge by the result.
            subprocess.run(["localedef", "-i", "zh_CN", "-f", "UTF-8",
                            os.path.join(self.locales, "zh_CN.UTF-8")],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        check(os.path.isdir(os.path.join(self.locales, "zh_CN.UTF-8")), "zh_CN.UTF-8 locale built")
        with open(self.capture_script, "w") as f:
            f.write('#!/bin/sh\n# Stands in for the default browser: records what it was given.\n'
                    'printf "%s\\n" "$@" >> "${ZORVIK_TEST_BROWSER_LOG:-/dev/null}"\n')
        os.chmod(self.capture_script, 0o755)
        with Display() as display:
            env = self.base_env(display.name)
            # No Mono or Gecko packages here: keep wineboot from offering to download them.
            boot_env = dict(env, WINEDLLOVERRIDES="mscoree,mshtml=")
            subprocess.run([WINE, "wineboot", "-i"], env=boot_env, check=True, timeout=180,
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            # Without a window manager Wine must place the X windows itself ("unmanaged"): then
            # the X window is exactly the Windows window, frame included.
            self.reg_add(env, r"HKCU\Software\Wine\X11 Driver", "Managed", "N")
            self.reg_add(env, r"HKCU\Software\Wine\WineBrowser", "Browsers", self.capture_script)
            self.wait_idle(env)

    def reg_add(self, env, key, name, value):
        subprocess.run([WINE, "reg", "add", key, "/v", name, "/d", value, "/f"], env=env,
                       check=True, timeout=60, stdout=subprocess.DEVNULL,
                       stderr=subprocess.DEVNULL)

    def wait_idle(self, env, timeout=30):
        """Waits until every Wine process of the prefix has gone (wineserver -w)."""
        try:
            subprocess.run([WINESERVER, "-w"], env=env, timeout=timeout)
        except subprocess.TimeoutExpired:
            self.cleanup()

    def cleanup(self):
        if os.path.isdir(self.prefix):
            env = self.base_env()
            subprocess.run([WINESERVER, "-k"], env=env, stdout=subprocess.DEVNULL,
                           stderr=subprocess.DEVNULL, timeout=30)


class Display:
    """A private Xvfb on a free display number (Xvfb picks it with -displayfd)."""

    def __init__(self, width=1024, height=768):
        self.width, self.height = width, height
        self.process = None
        self.name = None

    def __enter__(self):
        read_fd, write_fd = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0",
             "%dx%dx24" % (self.width, self.height), "-nolisten", "tcp"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        with os.fdopen(read_fd) as f:
            number = f.readline().strip()
        if not number:
            self.process.kill()
            raise Failure("Xvfb did not start")
        self.name = ":" + number
        return self

    def __exit__(self, *exc):
        self.process.terminate()
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()

    def run(self, *args, check_rc=True):
        """Runs an X11 tool (xdotool, xwininfo, xprop, import) on this display; returns stdout."""
        env = dict(os.environ, DISPLAY=self.name)
        done = subprocess.run(list(args), env=env, capture_output=True, text=True, timeout=30)
        if check_rc and done.returncode != 0:
            raise Failure("%s failed: %s" % (" ".join(args), done.stderr.strip()))
        return done.stdout

    def search(self, name=None, cls=None, only_visible=True):
        args = ["xdotool", "search"]
        if only_visible:
            args.append("--onlyvisible")
        args += ["--name", "^%s$" % name] if name is not None else ["--class", cls]
        out = self.run(*args, check_rc=False)
        return [int(w) for w in out.split()]

    def geometry(self, window):
        """(x, y, width, height) of the X window's outer edge, from xwininfo."""
        info = {}
        for line in self.run("xwininfo", "-id", str(window)).splitlines():
            key, _, value = line.strip().partition(":")
            info[key] = value.strip()
        return (int(info["Absolute upper-left X"]), int(info["Absolute upper-left Y"]),
                int(info["Width"]), int(info["Height"]))

    def viewable(self, window):
        out = self.run("xwininfo", "-id", str(window), check_rc=False)
        return "Map State: IsViewable" in out

    def net_wm_name(self, window):
        out = self.run("xprop", "-id", str(window), "-notype", "_NET_WM_NAME", check_rc=False)
        _, _, value = out.partition("=")
        value = value.strip()
        if value.startswith('"') and value.endswith('"'):
            value = value[1:-1].encode("latin-1", "backslashreplace").decode("unicode_escape")
            value = value.encode("latin-1").decode("utf-8")
        return value

    def window_icons(self, window):
        """The icon images Wine gives the X window (_NET_WM_ICON): [(width, height, the most
        common opaque colour as (r, g, b))]."""
        out = self.run("xprop", "-id", str(window), "-notype", "-f", "_NET_WM_ICON", "32c",
                       "_NET_WM_ICON", check_rc=False)
        if "=" not in out:
            return []
        numbers = [int(v) for v in out.split("=", 1)[1].replace(",", " ").split()]
        icons = []
        while len(numbers) >= 2:
            width, height = numbers[0], numbers[1]
            pixels, numbers = numbers[2:2 + width * height], numbers[2 + width * height:]
            colours = collections.Counter(((p >> 16) & 255, (p >> 8) & 255, p & 255)
                                          for p in pixels if (p >> 24) & 255 >= 128)
            icons.append((width, height, colours.most_common(1)[0][0] if colours else None))
        return icons

    def screenshot(self, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        self.run("import", "-window", "root", path)
        print("screenshot:", path, flush=True)


class Program:
    """zorvik.exe under Wine on a display. `exit_code()` waits for its end."""

    def __init__(self, wine_env, display, exe, cwd=None, chinese=True, extra_env=None):
        env = wine_env.base_env(display.name, chinese)
        env.update(extra_env or {})
        self.env = env
        self.wine_env = wine_env
        self.exe = exe
        self.process = subprocess.Popen([WINE, exe], env=env, cwd=cwd or os.path.dirname(exe),
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                        start_new_session=True)

    def exit_code(self, timeout=15):
        try:
            return self.process.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise Failure("the program did not end within %ss" % timeout)

    def running(self):
        return self.process.poll() is None

    def probe(self, *args):
        """Runs the Windows test helper (probe.c) beside the program; returns (rc, stdout)."""
        done = subprocess.run([WINE, PROBE, *args], env=self.env, capture_output=True,
                              timeout=30)
        return done.returncode, done.stdout.decode("utf-8", "replace")

    def main_window(self, display, timeout=20):
        return wait_for(lambda: display.search(name=TITLE), "the main window", timeout)[0]

    def press(self, display, keys):
        """Sends keys to the main window. xdotool's own result is not used: when a key closes
        the window at once, the key-up events that follow hit a window that is gone and xdotool
        reports BadWindow. The caller checks the effect instead."""
        window = self.main_window(display)
        display.run("xdotool", "key", "--window", str(window), keys, check_rc=False)

    def stop(self):
        """Ends the program if it is still there and waits until the prefix is idle again."""
        if self.process.poll() is None:
            with contextlib.suppress(ProcessLookupError):
                os.killpg(self.process.pid, signal.SIGKILL)
            self.process.wait()
            self.wine_env.cleanup()
        self.wine_env.wait_idle(self.env)


PROBE = None  # path of probe.exe, set by main()


class Case:
    """What a test case gets: the shared Wine state, the program, where to put artifacts."""

    def __init__(self, wine_env, exe, artifacts):
        self.wine_env, self.exe, self.artifacts = wine_env, exe, artifacts


def main(cases):
    """Runs (name, function(Case)) cases in order; exit code 1 if any failed."""
    global PROBE
    parser = argparse.ArgumentParser()
    parser.add_argument("--state", required=True, help="directory made by wine_env.py setup")
    parser.add_argument("--exe", required=True, help="zorvik.exe (x86_64 build)")
    parser.add_argument("--probe", required=True, help="probe.exe (x86_64 build)")
    parser.add_argument("--artifacts", required=True, help="where screenshots go")
    parser.add_argument("--only", help="run only the cases whose name contains this")
    args = parser.parse_args()
    for path in (args.exe, args.probe):
        if not os.path.isfile(path):
            sys.exit("missing %s: build the win64 preset (and this test tree) first" % path)
    PROBE = os.path.abspath(args.probe)
    case_args = Case(WineEnv(args.state), os.path.abspath(args.exe),
                     os.path.abspath(args.artifacts))
    failed = []
    for name, case in cases:
        if args.only and args.only not in name:
            continue
        print("== " + name, flush=True)
        try:
            case(case_args)
        except Failure as e:
            print("FAIL:", name, "-", e, flush=True)
            failed.append(name)
    if failed:
        print("failed cases:", ", ".join(failed))
        sys.exit(1)


class TrayHost:
    """trayer, an XEmbed notification area, at the top right of a display. Wine docks the
    program's tray icon in it as a small X window of explorer.exe."""

    def __init__(self, display):
        self.display = display
        self.process = None

    def __enter__(self):
        self.process = subprocess.Popen(
            ["trayer", "--edge", "top", "--align", "right", "--widthtype", "request",
             "--height", "24", "--expand", "false"],
            env=dict(os.environ, DISPLAY=self.display.name), stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL)
        self.panel = wait_for(lambda: self.display.search(name="panel", only_visible=False),
                              "trayer's panel")[0]
        return self

    def __exit__(self, *exc):
        self.process.terminate()
        try:
            self.process.wait(timeout=10)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()

    def icons(self):
        """Screen rectangles (x, y, width, height) of the icons docked in the panel."""
        found = []
        tree = self.display.run("xwininfo", "-tree", "-id", str(self.panel), check_rc=False)
        for line in tree.splitlines():
            if '("explorer.exe"' not in line:
                continue
            # "...  20x22+0+0  +1003+1": size, offset in the parent, absolute place.
            match = re.search(r"(\d+)x(\d+)[+-]-?\d+[+-]-?\d+\s+\+(-?\d+)\+(-?\d+)\s*$", line)
            if match:
                width, height, x, y = (int(v) for v in match.groups())
                found.append((x, y, width, height))
        return found

    def icon_centre(self, timeout=15):
        x, y, width, height = wait_for(self.icons, "the tray icon in the panel", timeout)[0]
        return x + width // 2, y + height // 2


def menu_rows(display, rect):
    """Reads the rows of an open pop-up menu from the screen: 'text' for a band of rows with
    glyphs, 'separator' for a thin line. rect is (left, top, right, bottom) in screen pixels.
    Returns [(kind, centre y on screen)] from top to bottom."""
    left, top, right, bottom = rect
    width, height = right - left, bottom - top
    pgm = subprocess.run(
        ["import", "-window", "root", "-crop", "%dx%d+%d+%d" % (width, height, left, top),
         "-colorspace", "Gray", "-depth", "8", "pgm:-"],
        env=dict(os.environ, DISPLAY=display.name), capture_output=True, check=True,
        timeout=30).stdout
    # Binary PGM: "P5\n<w> <h>\n255\n" then one byte per pixel.
    header = pgm.split(b"\n", 3)
    pixels = header[3]
    inset = 4  # inside the menu's frame
    rows = [pixels[y * width + inset:(y + 1) * width - inset] for y in range(height)]
    inner = rows[inset:height - inset]
    values = sorted(b for row in inner for b in row)
    background = values[len(values) // 2]
    bands = []
    for y in range(inset, height - inset):
        inked = any(abs(b - background) > 48 for b in rows[y])
        if inked and bands and bands[-1][1] == y - 1:
            bands[-1][1] = y
        elif inked:
            bands.append([y, y])
    return [("separator" if last - first < 3 else "text", top + (first + last) // 2)
            for first, last in bands]
