#!/usr/bin/env python3
"""The main window of the Linux client under Xvfb, with and without a window manager: title,
outer size 414x575 frame included, centred on the whole screen, fixed size, icon, white strips
around the browser, typed keys reach the page, drag from a strip, Esc and Alt+F4 end the
program with 0, and the program's directory becomes the current directory.

usage: test_main_window.py ZORVIK_BINARY ARTIFACT_DIR [no-wm|openbox|small-screen]"""

import os
import re
import time

from harness import (HEIGHT, TITLE, WIDTH, Failure, Session, check, expect, run_test,
                     wait_for)

CASES = {
    # name: (screen size, window manager)
    "no-wm": ((1024, 768), False),
    "openbox": ((1280, 1024), True),
    # The window does not fit: its top edge lies above the screen, at y = -47.
    "small-screen": ((640, 480), False),
}

WHITE = (255, 255, 255)
LOADED = (240, 240, 240)
TYPED = (0, 128, 255)

# A focused text field: the page turns grey once it runs, blue once "ab1" has been typed.
PAGE = """<!DOCTYPE html><html><body style="margin:0;background:#fff">
<input id="field" autofocus style="position:absolute;left:100px;top:100px;width:80px">
<script>
const field = document.getElementById("field");
document.body.style.background = "rgb(240,240,240)";
field.addEventListener("input", () => {
  if (field.value === "ab1") document.body.style.background = "rgb(0,128,255)";
});
</script></body></html>"""


def centred(screen):
    # Truncating toward zero, as the program computes it.
    return (int((screen[0] - WIDTH) / 2), int((screen[1] - HEIGHT) / 2))


def check_frame_and_hints(window, managed):
    left, right, top, bottom = window.frame_extents()
    if managed:
        check(top > 0, f"the window manager draws a frame ({left},{right},{top},{bottom})")
    else:
        check((left, right, top, bottom) == (0, 0, 0, 0), "no frame without a window manager")
    _, _, client_w, client_h = window.client_rect()
    hints = window.prop("WM_NORMAL_HINTS")
    minimum = re.search(r"minimum size: (\d+) by (\d+)", hints)
    maximum = re.search(r"maximum size: (\d+) by (\d+)", hints)
    check(minimum and maximum and
          tuple(map(int, minimum.groups())) == tuple(map(int, maximum.groups())) ==
          (client_w, client_h),
          f"not resizable: minimum = maximum = client size {client_w}x{client_h}")
    if managed:
        actions = window.prop("_NET_WM_ALLOWED_ACTIONS")
        check("_NET_WM_ACTION_MOVE" in actions and "_NET_WM_ACTION_MINIMIZE" in actions and
              "_NET_WM_ACTION_CLOSE" in actions, "it can be moved, minimized and closed")
        check("RESIZE" not in actions and "MAXIMIZE" not in actions,
              "the window manager offers neither resizing nor maximizing")
    icons = window.prop("_NET_WM_ICON")
    check("Icon (32 x 32)" in icons and "Icon (16 x 16)" in icons,
          "the window carries the application icon at 32x32 and 16x16")


def check_painting(session, window, name, artifacts):
    x, y, client_w, client_h = window.client_rect()
    path, image = session.screenshot("main_window_" + name)
    print("screenshot:", path, flush=True)
    # The strips outside the browser area (left/top and right/bottom of it) are painted white.
    for cx, cy in ((0, 0), (1, 1), (client_w - 2, 10), (10, client_h - 2)):
        check(image.pixel(x + cx, y + cy) == WHITE, f"client pixel ({cx},{cy}) is white")


def check_typing(session, window):
    x, y, _, _ = window.client_rect()
    wait_for(lambda: session.pixels().pixel(x + 300, y + 300) == LOADED, "the page to load", 10)
    session.x("xdotool", "windowfocus", "--sync", window.wid)
    time.sleep(0.2)
    session.x("xdotool", "type", "--delay", "50", "ab1")
    expect(lambda: session.pixels().pixel(x + 300, y + 300) == TYPED,
           "keys no window takes reach the page (typed text arrives in its field)", 5)


def check_drag(session, window):
    x, y, client_w, client_h = window.client_rect()
    before = window.outer_rect()
    # A press inside the browser area does not move the window.
    session.drag((x + 200, y + 300), (x + 260, y + 340))
    check(window.outer_rect() == before, "dragging inside the browser area leaves it in place")
    session.drag((x + 1, y + 1), (x + 61, y + 41))
    moved = (before[0] + 60, before[1] + 40, WIDTH, HEIGHT)
    expect(lambda: window.outer_rect() == moved,
           f"dragging the white strip moves the window from {before[:2]} to {moved[:2]}", 5)
    # The strip right of the browser area works as well.
    session.drag((x + 60 + client_w - 3, y + 40 + 100), (x + client_w - 3, y + 40 + 80))
    expect(lambda: window.outer_rect() == (before[0], before[1] + 20, WIDTH, HEIGHT),
           "dragging the right strip moves it too", 5)


def main(args):
    binary, artifacts = args[0], args[1]
    names = args[2:] or list(CASES)
    for name in names:
        screen, managed = CASES[name]
        print(f"== {name}, screen {screen[0]}x{screen[1]}", flush=True)
        with Session(binary, screen, managed, artifacts, page=PAGE) as session:
            program = session.start_program()
            window = session.main_window(program)
            check(window.title() == TITLE, f"title reads {TITLE!r}")
            expected = centred(screen) + (WIDTH, HEIGHT)
            expect(lambda: window.outer_rect() == expected,
                   f"outer rectangle is {expected} (now {window.outer_rect()})", 5)
            check_frame_and_hints(window, managed)
            cwd = os.readlink(f"/proc/{program.process.pid}/cwd")
            check(cwd == os.path.dirname(os.path.realpath(binary)),
                  f"started elsewhere, it works in its own directory ({cwd})")
            if expected[1] >= 0:  # the client area can be seen and reached
                check_painting(session, window, name, artifacts)
                check_typing(session, window)
                check_drag(session, window)
            session.key(window, "Escape")
            code = program.exit_code(10)
            check(code == 0, f"Esc ends the program with 0 (got {code})")

            program = session.start_program()
            window = session.main_window(program)
            session.key(window, "alt+F4")
            code = program.exit_code(10)
            check(code == 0, f"Alt+F4 ends the program with 0 (got {code})")
            if program.alive():
                raise Failure("the client is still running")


if __name__ == "__main__":
    run_test(main)
