#!/usr/bin/env python3
"""The keyboard focus is in the page once the window is up: a key typed into the window reaches
the page's script. A target=_blank link and a window.open() both reach the default browser (a
fake one that records the address), while the view keeps its page and no window of its own
appears. Then Esc typed into the page ends the program with exit code 0.

Usage: test_new_windows_and_esc.py <zorvik binary>"""

import sys

import web_session as ws


def main():
    program = sys.argv[1]
    failures = []
    session = ws.Session("new-windows")
    try:
        process = session.start([program])
        if session.proxy.wait_for(lambda e: e["target"].endswith("/after-alert"), 20) is None:
            raise SystemExit("the page did not load\n" + session.program_log())
        window = ws.main_window(session)
        if window is None:
            raise SystemExit("the main window did not appear\n" + session.program_log())
        x, y = ws.window_origin(session, window)
        page_x, page_y = x + 2, y + 3  # the view's place in the client area

        # No click yet: the focus got into the page when the window was activated.
        session.x("xdotool", "windowfocus", "--sync", window, "key", "a")
        if session.proxy.wait_for(lambda e: e["target"].endswith("/key?k=a"), 10) is None:
            failures.append("a key typed into the window did not reach the page")

        cases = [("target=_blank link", ws.BLANK_LINK_BAND, f"http://{ws.HOME_SITE}/new-tab"),
                 ("window.open()", ws.OPEN_BUTTON_BAND, f"http://{ws.HOME_SITE}/popup")]
        for name, (top, bottom), url in cases:
            session.x("xdotool", "mousemove", "--sync", str(page_x + 200),
                      str(page_y + (top + bottom) // 2), "click", "1")
            if not ws.wait_until(lambda: url in session.browser_urls(), 10):
                failures.append(f"{name}: the default browser did not get {url}; "
                                f"it got {session.browser_urls()}")

        # The view kept its page: it asked the server for neither address, and still shows it.
        opened_inside = [e for e in session.proxy.snapshot()
                         if e["target"].endswith(("/new-tab", "/popup"))]
        if opened_inside:
            failures.append(f"the view itself loaded a new-window address: {opened_inside}")
        if session.browser_urls().count(f"http://{ws.HOME_SITE}/new-tab") != 1:
            failures.append(f"the link was handed over other than once: {session.browser_urls()}")
        others = [w for w in ws.viewable_top_levels(session) if int(w, 16) != int(window, 0)]
        if others:
            failures.append(f"other top-level windows are showing: {others}")
        title = ws.window_title(session, window)
        if title != ws.WINDOW_TITLE:
            failures.append(f"window title {title!r}")

        # Esc with the keyboard focus inside the page (a click into it puts it there).
        session.x("xdotool", "mousemove", "--sync", str(page_x + 300), str(page_y + 450),
                  "click", "1")
        session.x("xdotool", "windowfocus", "--sync", window, "key", "Escape")
        try:
            code = process.wait(timeout=10)
            if code != 0:
                failures.append(f"after Esc the program ended with {code}, not 0")
        except Exception:  # noqa: BLE001 - still running is the failure reported
            failures.append("Esc in the page did not end the program")
    finally:
        log = session.program_log()
        session.close()
    if failures:
        print("\n".join(failures))
        print("--- client output ---\n" + log)
        return 1
    print("ok: both new-window requests reached the default browser; Esc ended with 0")
    return 0


if __name__ == "__main__":
    sys.exit(main())
