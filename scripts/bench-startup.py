#!/usr/bin/env python3
"""Start-up and memory of the Linux client beside surf and chromium --app, on this machine.

Each browser is started several times (interleaved, so drift hits all of them alike) against a
127.0.0.1 server reached through http_proxy that serves the same page for the home site to all
of them, with the same user agent. Measured per run:
  - start: from process start to the first request for the home site arriving at the server;
  - memory: once the page has loaded (its script has fetched /loaded) and a second has passed,
    the PSS of the whole process tree (the client and every process of its session, WebKit's or
    chromium's helpers included), summed from /proc/<pid>/smaps_rollup.
Reports medians and the ratios client/surf. Each run gets its own X display, D-Bus session and
empty HOME/XDG directories (so no run profits from a cache left by another).

Usage: scripts/bench-startup.py [--client build/linux/zorvik] [--runs 5]
"""

import argparse
import os
import statistics
import sys
import time

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests",
                                "linux_web"))
import web_session as ws  # noqa: E402

# The benchmark page is the tests' page without its alert(), which would stop surf and chromium
# in a dialog; its script reports the loaded page with a request of its own.
ws.CONTENT["/app.js"] = ("application/javascript", b"""
window.addEventListener('load', function () { fetch('/loaded'); });
""")
ws.CONTENT["/loaded"] = ("text/plain", b"ok")

HOME_URL = f"http://{ws.HOME_SITE}/"


def session_members(leader):
    """Pids of the leader's session (each client is started as a session leader) plus any
    descendants that left it."""
    parents, sessions = {}, {}
    for name in os.listdir("/proc"):
        if not name.isdigit():
            continue
        try:
            with open(f"/proc/{name}/stat") as stat:
                fields = stat.read().rsplit(")", 1)[1].split()
        except OSError:
            continue
        parents[int(name)] = int(fields[1])
        sessions[int(name)] = int(fields[3])
    members = {pid for pid, sid in sessions.items() if sid == leader}
    members.add(leader)
    grew = True
    while grew:
        grew = False
        for pid, parent in parents.items():
            if parent in members and pid not in members:
                members.add(pid)
                grew = True
    return members


def tree_pss_kib(leader):
    total = 0
    for pid in session_members(leader):
        try:
            with open(f"/proc/{pid}/smaps_rollup") as rollup:
                for line in rollup:
                    if line.startswith("Pss:"):
                        total += int(line.split()[1])
                        break
        except OSError:
            pass  # gone meanwhile
    return total


def command(kind, client, session):
    if kind == "zorvik":
        return [client]
    if kind == "surf":
        return ["surf", "-u", ws.MOBILE_USER_AGENT, HOME_URL]
    profile = os.path.join(session.dir, "chromium-profile")
    return ["chromium", "--no-sandbox", "--disable-gpu", "--no-first-run",
            "--disable-background-networking", "--disable-component-update", "--disable-sync",
            f"--user-data-dir={profile}", f"--user-agent={ws.MOBILE_USER_AGENT}",
            f"--proxy-server=http://127.0.0.1:{session.proxy.port}", f"--app={HOME_URL}"]


def one_run(kind, client, settle):
    session = ws.Session("bench-" + kind)
    try:
        argv = command(kind, client, session)
        started = time.monotonic()
        process = session.start(argv, log_name=kind)
        first = session.proxy.wait_for(ws.is_home_request, 30)
        loaded = session.proxy.wait_for(lambda e: e["target"].endswith("/loaded"), 30)
        if first is None or loaded is None:
            raise RuntimeError(f"{kind}: the page did not load\n{session.program_log(kind)}")
        time.sleep(settle)
        if process.poll() is not None:
            raise RuntimeError(f"{kind} ended early\n{session.program_log(kind)}")
        return first["time"] - started, tree_pss_kib(process.pid) / 1024
    finally:
        session.close()


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    root = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..")
    parser.add_argument("--client", default=os.path.join(root, "build", "linux", "zorvik"))
    parser.add_argument("--runs", type=int, default=5)
    parser.add_argument("--settle", type=float, default=1.0,
                        help="seconds between the loaded page and the memory reading")
    parser.add_argument("--only", choices=["zorvik", "surf", "chromium"], action="append")
    args = parser.parse_args()
    kinds = args.only or ["zorvik", "surf", "chromium"]
    results = {kind: [] for kind in kinds}
    for run in range(args.runs):
        for kind in kinds:
            start, memory = one_run(kind, os.path.abspath(args.client), args.settle)
            results[kind].append((start, memory))
            print(f"run {run + 1} {kind:9} start {start:.3f} s  memory {memory:.0f} MB",
                  flush=True)
    medians = {kind: (statistics.median(s for s, _ in values),
                      statistics.median(m for _, m in values))
               for kind, values in results.items()}
    print(f"\nmedian of {args.runs} runs   start->first request   tree PSS")
    for kind, (start, memory) in medians.items():
        print(f"  {kind:9}              {start:6.3f} s          {memory:6.0f} MB")
    if "zorvik" in medians and "surf" in medians:
        start_ratio = medians["zorvik"][0] / medians["surf"][0]
        memory_ratio = medians["zorvik"][1] / medians["surf"][1]
        print(f"\nzorvik/surf: start {start_ratio:.2f} (target <= 0.70), "
              f"memory {memory_ratio:.2f} (target <= 0.80)")


if __name__ == "__main__":
    main()
