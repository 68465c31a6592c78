#!/usr/bin/env python3
"""The client's first request asks for the home site, and every request of the page (document,
stylesheet, script, image, fetch) carries exactly the mobile user agent. The page's alert() shows
no dialog (the script runs on past it and no other window appears), the window keeps its own
title while the page has another, and a screenshot shows the page in the window.

Usage: test_page_requests.py <zorvik binary> <folder for the screenshot>"""

import os
import sys

import web_session as ws

EXPECTED_PATHS = ["/", "/style.css", "/app.js", "/picture.png", "/after-alert"]


def path_of(entry):
    return "/" + entry["target"].split("://", 1)[-1].partition("/")[2]


def main():
    program, out_dir = sys.argv[1], sys.argv[2]
    failures = []
    session = ws.Session("page-requests")
    try:
        process = session.start([program])
        first = session.proxy.wait_for(lambda e: True, 20)
        if first is None:
            raise SystemExit("no request reached the server\n" + session.program_log())
        if not ws.is_home_request(first):
            failures.append(f"the first request is not for the home site: {first}")
        # The page's script fetches /after-alert only once alert() has returned.
        if session.proxy.wait_for(lambda e: path_of(e) == "/after-alert", 15) is None:
            failures.append("the script did not run past alert(): a dialog is waiting?")

        requests = session.proxy.snapshot()
        seen = [path_of(e) for e in requests]
        for path in EXPECTED_PATHS:
            if path not in seen:
                failures.append(f"no request for {path}; seen {seen}")
        for entry in requests:
            if entry["user_agent"] != ws.MOBILE_USER_AGENT:
                failures.append(f"request with another user agent: {entry}")
            if entry["host"] != ws.HOME_SITE:
                failures.append(f"request for another host: {entry}")

        window = ws.main_window(session)
        if window is None:
            raise SystemExit("the main window did not appear\n" + session.program_log())
        title = ws.window_title(session, window)
        if title != ws.WINDOW_TITLE:
            failures.append(f"window title {title!r} (page title is {ws.PAGE_TITLE!r})")
        others = [w for w in ws.viewable_top_levels(session) if int(w, 16) != int(window, 0)]
        if others:
            failures.append(f"other top-level windows are showing: {others}")

        shot = os.path.join(out_dir, "linux_web_page.png")
        session.x("import", "-window", "root", shot)
        x, y = ws.window_origin(session, window)
        # The view starts at 2,3 in the client area: the link band first, page colour lower.
        checks = {"page background": ((x + 2 + 300, y + 3 + 450), ws.PAGE_RGB),
                  "target=_blank link band": ((x + 2 + 300, y + 3 + 40), (255, 215, 0))}
        for name, (point, colour) in checks.items():
            got = ws.pixel(shot, *point)
            if got != colour:
                failures.append(f"screenshot {shot}: {name} at {point} is {got}, not {colour}")
        if process.poll() is not None:
            failures.append(f"the client ended early with {process.returncode}")
    finally:
        log = session.program_log()
        session.close()
    if failures:
        print("\n".join(failures))
        print("--- client output ---\n" + log)
        return 1
    print(f"ok: {len(requests)} requests, all with the mobile user agent; screenshot {shot}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
