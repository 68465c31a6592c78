"""Shared pieces of the web-view Wine tests: the 127.0.0.1 server that stands in for the web (the
program reaches it through http_proxy), the expected user agent, and the helper probe. Built on
the harness of tests/wine (winetest.py), which this folder only imports: its main() runs the
cases, with this folder's web_probe.exe as the probe. The home site comes from the environment
(ZORVIK_HOME_SITE, set by CTest from the build's setting)."""
import http.server
import os
import subprocess
import sys
import threading

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "wine"))
import winetest  # noqa: E402

MOBILE_USER_AGENT = (b"Mozilla/5.0 (Linux; U; Android 2.2; en-us; Nexus One Build/FRF91) "
                     b"AppleWebKit/533.1 (KHTML, like Gecko) Version/4.0 Mobile Safari/533.1")
assert len(MOBILE_USER_AGENT) == 135


class ProxyLog:
    """An HTTP server on a free 127.0.0.1 port that answers every request with a small page and
    logs (method, request target, Host, User-Agent as raw bytes) in arrival order."""

    def __init__(self):
        self.requests = []
        log = self.requests

        class Handler(http.server.BaseHTTPRequestHandler):
            def answer(self):
                # Header values arrive decoded as Latin-1; encoding back gives the wire bytes.
                agent = self.headers.get("User-Agent")
                log.append((self.command, self.path, self.headers.get("Host"),
                            agent.encode("latin-1") if agent is not None else None))
                body = b"<html><head><title>page</title></head><body>page</body></html>"
                self.send_response(200)
                self.send_header("Content-Type", "text/html")
                self.send_header("Content-Length", str(len(body)))
                self.send_header("Cache-Control", "no-store")
                self.end_headers()
                if self.command != "HEAD":
                    self.wfile.write(body)

            do_GET = do_POST = do_HEAD = answer

            def log_message(self, *args):
                pass

        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), Handler)
        self.url = "http://127.0.0.1:%d" % self.server.server_address[1]

    def __enter__(self):
        threading.Thread(target=self.server.serve_forever, daemon=True).start()
        return self

    def __exit__(self, *exc):
        self.server.shutdown()
        self.server.server_close()


def probe_values(program, *args):
    """Runs the web-view probe (web_probe.exe, given to the harness as its probe) beside the
    program; returns (exit code, {key: value})."""
    try:
        code, out = program.probe(*args)
    except subprocess.TimeoutExpired:
        raise winetest.Failure("the probe (%s) did not answer" % " ".join(args))
    values = {}
    for line in out.splitlines():
        key, sep, value = line.partition("=")
        if sep:
            values[key.strip()] = value
    return code, values


HOME_SITE = os.environ.get("ZORVIK_HOME_SITE", "m.tamblo.com")
TITLE = "Zorvik " + HOME_SITE


def close_with_escape(display):
    """Presses Esc in the main window, the way a user ends the program."""
    windows = winetest.wait_for(lambda: display.search(name=TITLE), "the main window")
    # Esc closes the window at once, so the key-up that follows hits a window that is gone and
    # xdotool reports BadWindow; the caller checks the exit code instead.
    display.run("xdotool", "key", "--window", str(windows[0]), "Escape", check_rc=False)
