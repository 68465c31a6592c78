#!/usr/bin/env python3
"""The tray icon and its menu on Linux.

sni:    a private session bus with a fake StatusNotifierWatcher: the item registers with the tip
        and the 64x64 image; Activate hides and shows (centred) the window; ContextMenu pops the
        five-row menu with its top-right corner at (x-5, y-5); each command works by mouse;
        the item registers again when the watcher restarts; "退出" ends with 0 and the item
        disappears.
xembed: no watcher, an XEmbed tray (trayer): the icon docks there and clicks toggle the window;
        when a watcher turns up later the icon moves to it.

usage: test_tray.py ZORVIK_BINARY ARTIFACT_DIR sni|xembed"""

import os
import re
import time

import dbus

from harness import (HEIGHT, WIDTH, Failure, Session, Window, check, expect, run_test,
                     wait_for)

HERE = os.path.dirname(os.path.abspath(__file__))
ITEM_INTERFACE = "org.kde.StatusNotifierItem"
TIP = "Tamblo笑话客户端"
SCREEN = (1280, 1024)
CENTRE = ((SCREEN[0] - WIDTH) // 2, (SCREEN[1] - HEIGHT) // 2, WIDTH, HEIGHT)


class Watcher:
    """The fake watcher as a process of its own, so that it can be restarted."""

    def __init__(self, session, name):
        self.session = session
        self.log_name = name
        self.process = session.spawn(["/usr/bin/python3", os.path.join(HERE, "fake_watcher.py")],
                                     log=name)
        wait_for(lambda: "ready" in session.log(name), "the fake watcher to start")

    def registered(self):
        return re.findall(r"^registered (\S+)$", self.session.log(self.log_name), re.M)

    def unregistered(self):
        return re.findall(r"^unregistered (\S+)$", self.session.log(self.log_name), re.M)

    def stop(self):
        self.session.stop(self.process)


def popup_menu(session, main_window):
    """The viewable override-redirect window of the client that is not its main window."""
    for wid in session.x("xdotool", "search", "--onlyvisible", "--class", "^zorvik$",
                         check=False).split():
        if wid == main_window.wid:
            continue
        if "Override Redirect State: yes" in session.x("xwininfo", "-all", "-id", wid,
                                                       check=False):
            window = Window(session, wid)
            if window.viewable():
                return window
    return None


def menu_rows(image, rect):
    """The rows of a menu on screen, top to bottom: ("text", y_middle) for a band of text,
    ("separator", y) for a one-colour line across the menu."""
    x, y, width, height = rect
    left, right = x + 3, x + width - 3
    rows = []
    band_start = None
    gap = 0
    for row in range(y + 2, y + height - 2):
        pixels = [image.pixel(px, row) for px in range(left, right)]
        ink = any(sum(p) < 3 * 150 for p in pixels)
        line = not ink and len(set(pixels)) == 1 and pixels[0] != (255, 255, 255)
        if ink:
            if band_start is None:
                band_start = row
            gap = 0
            band_end = row
            continue
        if band_start is not None:
            gap += 1
            if gap > 3:  # the gaps inside one line of glyphs are narrower than between items
                rows.append(("text", (band_start + band_end) // 2))
                band_start = None
        if line and (not rows or rows[-1][0] != "separator"):
            rows.append(("separator", row))
    if band_start is not None:
        rows.append(("text", (band_start + band_end) // 2))
    return rows


class Client:
    """The running client with its main window and the ways into its tray icon."""

    def __init__(self, session):
        self.session = session
        self.program = session.start_program()
        self.window = session.main_window(self.program)

    def state(self):
        """The window manager's state of the window: Normal, Iconic, or None when withdrawn."""
        match = re.search(r"window state: (\w+)", self.window.prop("WM_STATE"))
        return match.group(1) if match and match.group(1) != "Withdrawn" else None

    def hidden(self):
        return self.program.alive() and not self.window.viewable() and self.state() is None

    def shown_centred(self):
        return (self.window.viewable() and self.state() == "Normal" and
                self.window.outer_rect() == CENTRE)

    def drag_away(self):
        x, y, _, _ = self.window.client_rect()
        self.session.drag((x + 1, y + 1), (x - 199, y - 99))
        wait_for(lambda: self.window.outer_rect()[:2] == (CENTRE[0] - 200, CENTRE[1] - 100),
                 "the window to be dragged away", 5)

    def open_menu(self, pop):
        """Calls `pop` (which asks for the menu) and returns the menu window and its rows."""
        pop()
        menu = wait_for(lambda: popup_menu(self.session, self.window), "the tray menu", 5)
        rect = menu.client_rect()
        rows = []
        end = time.monotonic() + 3
        while time.monotonic() < end:  # until it has been drawn
            rows = menu_rows(self.session.pixels(), rect)
            if len(rows) == 5:
                break
            time.sleep(0.1)
        return menu, rect, rows

    def choose(self, pop, index):
        """Opens the menu and clicks its row `index` (0 = "Tamblo网" ... 4 = "退出")."""
        menu, rect, rows = self.open_menu(pop)
        if len(rows) != 5:
            raise Failure(f"expected five menu rows, saw {rows}")
        self.session.click(rect[0] + rect[2] // 2, rows[index][1])
        wait_for(lambda: not menu.viewable(), "the menu to close", 5)


def check_item_properties(item):
    props = item.GetAll(ITEM_INTERFACE, dbus_interface=dbus.PROPERTIES_IFACE)
    check(str(props["ToolTip"][2]) == TIP, f"the tooltip reads {TIP!r}")
    check(str(props["Title"]) == TIP, "the title is the tip as well")
    check(not bool(props["ItemIsMenu"]), "ItemIsMenu is false: clicks come as Activate")
    pixmaps = props["IconPixmap"]
    check(len(pixmaps) == 1 and int(pixmaps[0][0]) == 64 and int(pixmaps[0][1]) == 64 and
          len(pixmaps[0][2]) == 64 * 64 * 4, "IconPixmap holds one 64x64 ARGB image")
    argb = bytes(pixmaps[0][2])

    def pixel(x, y):
        return tuple(argb[(y * 64 + x) * 4:(y * 64 + x) * 4 + 4])
    # The image: an orange rounded square (240, 112, 32) with transparent corners.
    check(pixel(0, 0)[0] == 0, "the icon's corner is transparent (AND mask)")
    check(pixel(32, 2) == (255, 240, 112, 32),
          f"the icon's orange edge arrives as big-endian ARGB ({pixel(32, 2)})")


def test_status_notifier(binary, artifacts):
    with Session(binary, SCREEN, True, artifacts) as session:
        watcher = Watcher(session, "watcher")
        client = Client(session)
        bus = dbus.bus.BusConnection(session.bus_address)
        names = expect(watcher.registered, "the item registers with the watcher", 5)
        name = names[0]
        item = dbus.Interface(bus.get_object(name, "/StatusNotifierItem"), ITEM_INTERFACE)
        check_item_properties(item)

        # Activate toggles: hide, then show centred, also after the user moved the window.
        item.Activate(10, 10)
        expect(client.hidden, "Activate hides the window", 5)
        time.sleep(1)
        check(client.program.alive(), "hiding does not end the program")
        item.Activate(10, 10)
        expect(client.shown_centred, "a second Activate shows it centred", 5)
        client.drag_away()
        item.Activate(10, 10)
        expect(client.hidden, "Activate hides the dragged window", 5)
        item.Activate(10, 10)
        expect(client.shown_centred, "and the next one shows it centred again", 5)
        # A minimized window counts as visible: hidden first, then shown restored and centred.
        session.x("xdotool", "windowminimize", "--sync", client.window.wid)
        expect(lambda: client.state() == "Iconic", "the window is minimized", 5)
        item.Activate(10, 10)
        expect(client.hidden, "Activate hides the minimized window", 5)
        item.Activate(10, 10)
        expect(client.shown_centred, "the next Activate shows it restored and centred", 5)
        item.SecondaryActivate(10, 10)
        item.Scroll(1, "vertical")
        time.sleep(0.5)
        check(client.shown_centred(), "SecondaryActivate and Scroll change nothing")

        # ContextMenu: five rows, top-right corner at (x-5, y-5).
        menu, rect, rows = client.open_menu(lambda: item.ContextMenu(900, 700))
        session.screenshot("tray_menu")
        check((rect[0] + rect[2], rect[1]) == (895, 695),
              f"the menu's top-right corner is at (895, 695) (menu {rect})")
        check([kind for kind, _ in rows] == ["text", "separator", "text", "text", "text"],
              f"the menu shows a row, a separator and three rows ({rows})")
        session.key(menu, "Escape")
        expect(lambda: not menu.viewable(), "Esc closes the menu", 5)
        time.sleep(0.5)
        check(client.program.alive() and client.window.viewable(),
              "and nothing else: the window stays")

        menu, _, _ = client.open_menu(lambda: item.ContextMenu(900, 700))
        session.click(100, 100)
        expect(lambda: not menu.viewable(), "a click elsewhere closes the menu", 5)
        time.sleep(0.5)
        check(client.shown_centred() and not session.browser_urls(), "and chooses nothing")

        client.drag_away()
        client.choose(lambda: item.ContextMenu(900, 700), 2)
        expect(client.shown_centred, "\"显示\" brings the dragged window back to the centre", 5)
        client.choose(lambda: item.ContextMenu(900, 700), 3)
        expect(client.hidden, "\"隐藏\" hides it", 5)
        menu, _, _ = client.open_menu(lambda: item.ContextMenu(600, 500))
        check(not client.window.viewable(), "the menu pops up while the window stays hidden")
        session.key(menu, "Escape")
        wait_for(lambda: not menu.viewable(), "the menu to close", 5)
        client.choose(lambda: item.ContextMenu(600, 500), 2)
        expect(client.shown_centred, "\"显示\" shows the hidden window centred", 5)
        client.choose(lambda: item.ContextMenu(900, 700), 0)
        expect(lambda: session.browser_urls() == ["http://m.tamblo.com"],
               "\"Tamblo网\" hands http://m.tamblo.com to the default browser", 10)

        # The tray host restarts: the item registers with the new watcher.
        watcher.stop()
        watcher = Watcher(session, "watcher2")
        expect(lambda: name in watcher.registered(),
               "the item registers again with the restarted watcher", 5)
        item.Activate(10, 10)
        expect(client.hidden, "the item works after the restart", 5)
        item.Activate(10, 10)
        expect(client.shown_centred, "and shows the window again", 5)

        client.choose(lambda: item.ContextMenu(900, 700), 4)
        code = client.program.exit_code(10)
        check(code == 0, f"\"退出\" ends the program with 0 (got {code})")
        expect(lambda: name in watcher.unregistered(), "the item disappears from the tray", 5)
        check(not bus.name_has_owner(name), "its bus name is gone")


def tray_icon(session, tray):
    """The client's icon docked in the tray: a viewable window of class zorvik inside it, once
    the tray has given it its final place and size."""
    tx, ty, tw, th = tray.client_rect()
    for wid in session.x("xdotool", "search", "--onlyvisible", "--class", "^zorvik$",
                         check=False).split():
        window = Window(session, wid)
        info = window.info()
        if info and tx <= info["x"] < tx + tw and ty <= info["y"] < ty + th:
            time.sleep(0.2)
            if window.info() == info and info["width"] > 1:
                return window
    return None


def start_tray(session, name):
    process = session.spawn(["trayer", "--edge", "bottom", "--align", "right", "--widthtype",
                             "pixel", "--width", "64", "--heighttype", "pixel", "--height",
                             "32", "--SetDockType", "true", "--transparent", "false"], log=name)
    wid = wait_for(lambda: session.x("xdotool", "search", "--onlyvisible", "--class",
                                     "^trayer$", check=False).split(), "trayer's window", 5)
    return process, Window(session, wid[0])


def test_xembed(binary, artifacts):
    with Session(binary, SCREEN, True, artifacts) as session:
        trayer, tray = start_tray(session, "trayer")
        client = Client(session)
        icon = expect(lambda: tray_icon(session, tray), "the icon docks in the XEmbed tray", 5)
        time.sleep(0.5)
        session.screenshot("tray_xembed")
        x, y, w, h = icon.client_rect()
        session.click(x + w // 2, y + h // 2)
        expect(client.hidden, "a left click on the docked icon hides the window", 5)
        session.click(x + w // 2, y + h // 2)
        expect(client.shown_centred, "the next one shows it centred", 5)
        menu, rect, rows = client.open_menu(lambda: session.click(x + w // 2, y + h // 2, 3))
        check(len(rows) == 5, "a right click pops the tray menu up")
        session.key(menu, "Escape")
        wait_for(lambda: not menu.viewable(), "the menu to close", 5)

        # The tray is replaced: the icon docks in the new one and still works.
        session.stop(trayer)
        trayer, tray = start_tray(session, "trayer2")
        icon = expect(lambda: tray_icon(session, tray), "the icon docks in the new tray", 5)
        x, y, w, h = icon.client_rect()
        session.click(x + w // 2, y + h // 2)
        expect(client.hidden, "and a click there hides the window", 5)

        # A StatusNotifierWatcher turns up: the icon moves to it.
        watcher = Watcher(session, "watcher")
        expect(watcher.registered, "a watcher that appears later gets the item", 5)
        expect(lambda: tray_icon(session, tray) is None, "and the XEmbed icon goes", 5)
        bus = dbus.bus.BusConnection(session.bus_address)
        item = dbus.Interface(bus.get_object(watcher.registered()[0], "/StatusNotifierItem"),
                              ITEM_INTERFACE)
        item.Activate(10, 10)
        expect(client.shown_centred, "Activate on it shows the window", 5)
        session.key(client.window, "Escape")
        code = client.program.exit_code(10)
        check(code == 0, f"Esc ends the program with 0 (got {code})")


def main(args):
    binary, artifacts, mode = args[0], args[1], args[2]
    {"sni": test_status_notifier, "xembed": test_xembed}[mode](binary, artifacts)


if __name__ == "__main__":
    run_test(main)
