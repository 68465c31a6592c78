#!/usr/bin/env python3
"""The tray icon and its menu of zorvik.exe under Wine, docked in an XEmbed tray (trayer) at the
top right of the screen: the tip, left clicks, the pop-up menu's place and rows, its four
commands, the default browser hand-off, and the icon's return after the tray host restarts."""
import os
import tempfile
import time

import winetest as w
from winetest import check, expect, wait_for

TIP = "Tamblo笑话客户端"
CENTRE = (305, 96)  # ((1024 - 414) / 2, (768 - 575) / 2)
ROWS = ["text", "separator", "text", "text", "text"]
SITE, SHOW, HIDE, EXIT = 0, 2, 3, 4  # row indexes


def pause_between_clicks():
    # Two clicks closer together than the double-click time would make a double click.
    time.sleep(0.7)


def read_tip(program, display, icon):
    display.run("xdotool", "mousemove", str(icon[0]), str(icon[1]))

    def tip_shown():
        rc, out = program.probe("tips")
        return rc == 0 and TIP in out.splitlines()
    try:
        return wait_for(tip_shown, "the tip", timeout=8, interval=0.5)
    except w.Failure:
        return False
    finally:
        display.run("xdotool", "mousemove", "600", "700")


def drag_window(display, window, dx, dy):
    """Drags the window by its white strip below the browser area (a press on the client
    area outside the browser host starts a move). Returns the place it ends at: the move
    starts when the program's posted WM_NCLBUTTONDOWN is handled, so on a busy machine the
    window may follow the pointer for less than the whole way."""
    x, y, width, height = display.geometry(window)
    start_x, start_y = x + width // 2, y + height - 8
    display.run("xdotool", "mousemove", str(start_x), str(start_y), "mousedown", "1")
    try:
        time.sleep(0.3)
        steps = 10
        for i in range(1, steps + 1):
            display.run("xdotool", "mousemove", str(start_x + dx * i // steps),
                        str(start_y + dy * i // steps))
            time.sleep(0.03)
        try:
            wait_for(lambda: display.geometry(window)[:2] == (x + dx, y + dy), "the move",
                     timeout=3)
        except w.Failure:
            pass  # the caller checks that the window has left its place
    finally:
        display.run("xdotool", "mouseup", "1")
    time.sleep(0.3)
    return display.geometry(window)[:2]


def dragged_away(place, dx, dy):
    """Moved from the centre in the direction of the drag."""
    mx, my = place[0] - CENTRE[0], place[1] - CENTRE[1]
    return (mx, my) != (0, 0) and mx * dx >= 0 and my * dy >= 0


def open_menu(program, display, icon):
    """Right click on the icon; returns the menu's (left, top, right, bottom) and its rows."""
    display.run("xdotool", "mousemove", str(icon[0]), str(icon[1]), "click", "3")
    # Off the icon (no tip over the menu) and off the menu (no highlighted row).
    display.run("xdotool", "mousemove", "600", "700")

    def menu_rect():
        rc, out = program.probe("menu")
        lines = out.splitlines()
        if rc != 0 or not lines or not lines[0].startswith("rect "):
            return None
        return tuple(int(v) for v in lines[0].split()[1:])
    rect = wait_for(menu_rect, "the pop-up menu (#32768)")
    time.sleep(0.3)  # let it finish drawing before the screen is read
    return rect, w.menu_rows(display, rect)


def choose(program, display, icon, row):
    rect, rows = open_menu(program, display, icon)
    check([kind for kind, _ in rows] == ROWS, "the menu has five rows: %s" % rows)
    display.run("xdotool", "mousemove", str((rect[0] + rect[2]) // 2), str(rows[row][1]),
                "click", "1")
    wait_for(lambda: program.probe("menu")[0] != 0, "the menu to close", timeout=5)


def tray_in_chinese_locale(case):
    with tempfile.TemporaryDirectory() as scratch, w.Display(1024, 768) as display, \
            w.TrayHost(display) as tray:
        # The prefix's default browser is a script that appends its arguments to this file.
        browser_log = os.path.join(scratch, "urls")
        program = w.Program(case.wine_env, display, case.exe,
                            extra_env={"ZORVIK_TEST_BROWSER_LOG": browser_log})
        try:
            window = program.main_window(display)
            icon = tray.icon_centre()
            check(len(tray.icons()) == 1, "one icon docked in the tray at %s" % (icon,))
            check(read_tip(program, display, icon), "the tip reads %r" % TIP)

            # Left clicks: hide, then show again centred although the window was dragged.
            moved = drag_window(display, window, 100, 50)
            check(dragged_away(moved, 100, 50), "the window was dragged to %s" % (moved,))
            display.run("xdotool", "mousemove", str(icon[0]), str(icon[1]), "click", "1")
            expect(lambda: not display.viewable(window),
                   "a left click on the icon hides the window")
            pause_between_clicks()
            display.run("xdotool", "click", "1")
            expect(lambda: display.viewable(window) and display.geometry(window)[:2] == CENTRE,
                   "the next left click shows it centred at %s" % (CENTRE,))

            # The menu: top-right corner at the pointer -5,-5, five rows.
            rect, rows = open_menu(program, display, icon)
            display.screenshot(os.path.join(case.artifacts, "tray-menu.png"))
            check((rect[2], rect[1]) == (icon[0] - 5, icon[1] - 5),
                  "the menu's top-right corner %s is at the pointer %s -5,-5"
                  % ((rect[2], rect[1]), icon))
            check([kind for kind, _ in rows] == ROWS,
                  "rows: text, separator, text, text, text (%s)" % rows)
            display.run("xdotool", "key", "Escape")
            wait_for(lambda: program.probe("menu")[0] != 0, "Esc to close the menu", timeout=5)
            check(display.viewable(window) and program.running(),
                  "Esc closes only the menu, the window stays")

            choose(program, display, icon, HIDE)
            expect(lambda: not display.viewable(window), "隐藏 hides the window")
            choose(program, display, icon, SHOW)
            expect(lambda: display.viewable(window) and display.geometry(window)[:2] == CENTRE,
                   "显示 shows it centred")
            moved = drag_window(display, window, -120, 60)
            check(dragged_away(moved, -120, 60), "the window was dragged to %s" % (moved,))
            choose(program, display, icon, SHOW)
            expect(lambda: display.geometry(window)[:2] == CENTRE,
                   "显示 puts a dragged window back at the centre")

            choose(program, display, icon, SITE)
            urls = wait_for(lambda: os.path.exists(browser_log) and open(browser_log).read(),
                            "the default browser to be started")
            # Wine's winebrowser passes the URL on in its canonical form, with the root path "/".
            check(urls.split() == ["http://m.tamblo.com/"],
                  "Tamblo网 hands http://m.tamblo.com to the default browser (%r)" % urls)
            check(display.viewable(window), "the main window stays as it was")

            # A tray host that restarts has forgotten every icon and announces itself with
            # "TaskbarCreated": the program must add its icon again.
            check(program.probe("tray-forget", w.TITLE)[0] == 0, "the tray forgot the icon")
            expect(lambda: not tray.icons(), "the icon leaves the tray")
            check(program.probe("taskbar-created")[0] == 0, "TaskbarCreated broadcast")
            icon = tray.icon_centre(timeout=10)
            print("ok: the icon is back in the tray after TaskbarCreated, at", icon)
            display.run("xdotool", "mousemove", str(icon[0]), str(icon[1]), "click", "1")
            expect(lambda: not display.viewable(window),
                   "the icon added again hides the window on a left click")

            choose(program, display, icon, EXIT)
            check(program.exit_code() == 0, "退出 ends the program with exit code 0")
            expect(lambda: not tray.icons(), "退出 removes the icon from the tray", timeout=5)
        finally:
            program.stop()


def tray_in_default_locale(case):
    """ANSI code page 1252: the tip and the menu go through the W-calls and still read right."""
    with w.Display(1024, 768) as display, w.TrayHost(display) as tray:
        program = w.Program(case.wine_env, display, case.exe, chinese=False)
        try:
            program.main_window(display)
            icon = tray.icon_centre()
            check(read_tip(program, display, icon), "the tip reads %r" % TIP)
            rect, rows = open_menu(program, display, icon)
            display.screenshot(os.path.join(case.artifacts, "tray-menu-default-locale.png"))
            check([kind for kind, _ in rows] == ROWS, "the menu has five rows: %s" % rows)
            display.run("xdotool", "mousemove", str((rect[0] + rect[2]) // 2),
                        str(rows[EXIT][1]), "click", "1")
            check(program.exit_code() == 0, "退出 ends the program with exit code 0")
        finally:
            program.stop()


if __name__ == "__main__":
    w.main([
        ("tray in zh_CN locale", tray_in_chinese_locale),
        ("tray in default locale", tray_in_default_locale),
    ])
