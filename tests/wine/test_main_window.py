#!/usr/bin/env python3
"""The main window of zorvik.exe under Wine: title, size and place, closing by Esc and Alt+F4,
and the current directory made the program's own when it is started from elsewhere."""
import ntpath
import os
import tempfile

import winetest as w
from winetest import check

ORANGE = (240, 112, 32)


def started_elsewhere_in_chinese_locale(case):
    """1024x768, zh_CN: code page 936 desktop, so the A-calls are made. Started from another
    directory; Esc ends it with 0."""
    with w.Display(1024, 768) as display, tempfile.TemporaryDirectory() as elsewhere:
        program = w.Program(case.wine_env, display, case.exe, cwd=elsewhere)
        try:
            window = program.main_window(display)
            check(display.net_wm_name(window) == w.TITLE, "title reads %r" % w.TITLE)
            # ((1024 - 414) / 2, (768 - 575) / 2)
            geometry = display.geometry(window)
            check(geometry == (305, 96, w.WIDTH, w.HEIGHT),
                  "window 414x575 at 305,96 (got %s)" % (geometry,))
            # DEFAULT_ICON is an orange square with a face (scripts/make_icons.py).
            icons = display.window_icons(window)
            check(sorted(icons) == [(16, 16, ORANGE), (32, 32, ORANGE)],
                  "the window shows DEFAULT_ICON at 32x32 and 16x16 (%s)" % icons)
            rc, cwd = program.probe("cwd", w.TITLE)
            # Wine maps the Unix root to drive Z:.
            expected = os.path.dirname(case.exe).replace("/", "\\")
            got = ntpath.normpath(cwd.strip()) if rc == 0 else None
            check(got is not None and got.lower() == ("z:" + expected).lower(),
                  "started from %s, the current directory is the program's: %r"
                  % (elsewhere, got))
            display.screenshot(os.path.join(case.artifacts, "main-window-1024x768.png"))
            program.press(display, "Escape")
            check(program.exit_code() == 0, "Esc ends the program with exit code 0")
        finally:
            program.stop()


def small_screen_in_default_locale(case):
    """640x480 in the default locale (ANSI code page 1252): the place may be partly above the
    screen, the title still reads right; Alt+F4 ends it with 0."""
    with w.Display(640, 480) as display:
        program = w.Program(case.wine_env, display, case.exe, chinese=False)
        try:
            window = program.main_window(display)
            check(display.net_wm_name(window) == w.TITLE, "title reads %r" % w.TITLE)
            # (640 - 414) / 2 = 113 and (480 - 575) / 2 = -47.5, truncated toward zero: -47.
            geometry = display.geometry(window)
            # The height is not checked here: a window taller than the screen is cut to the
            # platform's maximum tracking size (screen plus frame) by the default handling of
            # WM_GETMINMAXINFO, on Windows as under Wine.
            check(geometry[:3] == (113, -47, w.WIDTH),
                  "window 414 wide at 113,-47, caption partly above the screen (got %s)"
                  % (geometry,))
            display.screenshot(os.path.join(case.artifacts, "main-window-640x480.png"))
            program.press(display, "alt+F4")
            check(program.exit_code() == 0, "Alt+F4 ends the program with exit code 0")
        finally:
            program.stop()


if __name__ == "__main__":
    w.main([
        ("started elsewhere, zh_CN, 1024x768, Esc", started_elsewhere_in_chinese_locale),
        ("default locale, 640x480, Alt+F4", small_screen_in_default_locale),
    ])
