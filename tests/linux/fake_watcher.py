#!/usr/bin/env python3
"""A stand-in StatusNotifierWatcher (and host) for the tray tests: owns
org.kde.StatusNotifierWatcher on the session bus, accepts item registrations, drops an item
when its bus name goes away, and prints one line per event ("registered NAME",
"unregistered NAME") so that a test can follow. Runs until terminated."""

import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

WATCHER = "org.kde.StatusNotifierWatcher"


def say(*words):
    print(*words, flush=True)


class Watcher(dbus.service.Object):
    def __init__(self, bus):
        self.bus = bus
        self.items = []
        super().__init__(bus, "/StatusNotifierWatcher")
        bus.add_signal_receiver(self.owner_changed, "NameOwnerChanged",
                                "org.freedesktop.DBus", "org.freedesktop.DBus",
                                "/org/freedesktop/DBus")

    @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service, sender=None):
        # An item names itself by bus name or by object path (then the sender is the name).
        name = service if not service.startswith("/") else sender
        if name not in self.items:
            self.items.append(name)
        say("registered", name)
        self.StatusNotifierItemRegistered(name)

    @dbus.service.method(WATCHER, in_signature="s")
    def RegisterStatusNotifierHost(self, service):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemRegistered(self, name):
        pass

    @dbus.service.signal(WATCHER, signature="s")
    def StatusNotifierItemUnregistered(self, name):
        pass

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface, prop):
        return self.GetAll(interface)[prop]

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return {"RegisteredStatusNotifierItems": dbus.Array(self.items, signature="s"),
                "IsStatusNotifierHostRegistered": True, "ProtocolVersion": dbus.Int32(0)}

    def owner_changed(self, name, old, new):
        if not new and name in self.items:
            self.items.remove(name)
            say("unregistered", name)
            self.StatusNotifierItemUnregistered(name)


def main():
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    Watcher(bus)
    # Take the name only once the object is there, so that a caller never finds a bare name.
    if bus.request_name(WATCHER, dbus.bus.NAME_FLAG_DO_NOT_QUEUE) != \
            dbus.bus.REQUEST_NAME_REPLY_PRIMARY_OWNER:
        say("name taken")
        sys.exit(1)
    say("ready")
    GLib.MainLoop().run()


if __name__ == "__main__":
    main()
