"""A stand-in StatusNotifierItem host, for a desktop whose panels cannot run headless: it owns the
watcher service org.kde.StatusNotifierWatcher, counts itself as the one registered host (it runs
on the desktop's display, as a panel would) and keeps the items that register until their owners
leave the bus. It draws nothing: a test clicks an item by calling its Activate, as a host does.
Run with /usr/bin/python3 (Debian's GObject bindings); prints "ready" once it owns the watcher."""

import sys

from gi.repository import Gio, GLib

INTERFACE = """<node><interface name="org.kde.StatusNotifierWatcher">
  <method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
  <method name="RegisterStatusNotifierHost"><arg type="s" direction="in"/></method>
  <property name="RegisteredStatusNotifierItems" type="as" access="read"/>
  <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
  <property name="ProtocolVersion" type="i" access="read"/>
  <signal name="StatusNotifierItemRegistered"><arg type="s"/></signal>
  <signal name="StatusNotifierItemUnregistered"><arg type="s"/></signal>
  <signal name="StatusNotifierHostRegistered"/>
</interface></node>"""
PATH = "/StatusNotifierWatcher"
items = {}  # "service/path" of each item, by the unique name of its owner


def emit(bus, signal, *args):
    bus.emit_signal(None, PATH, "org.kde.StatusNotifierWatcher", signal,
                    GLib.Variant("(s)", args) if args else None)


def call(bus, sender, path, interface, method, parameters, invocation):
    if method == "RegisterStatusNotifierItem":
        # An item names its bus name (its object at /StatusNotifierItem) or its object path alone.
        (given,) = parameters.unpack()
        item = sender + given if given.startswith("/") else given + "/StatusNotifierItem"
        items[sender] = item
        emit(bus, "StatusNotifierItemRegistered", item)
    invocation.return_value(None)


def get(bus, sender, path, interface, name):
    return {"RegisteredStatusNotifierItems": GLib.Variant("as", list(items.values())),
            "IsStatusNotifierHostRegistered": GLib.Variant("b", True),
            "ProtocolVersion": GLib.Variant("i", 0)}[name]


def owner_changed(bus, sender, path, interface, signal, parameters):
    name, _, new_owner = parameters.unpack()
    if not new_owner and name in items:
        emit(bus, "StatusNotifierItemUnregistered", items.pop(name))


def main():
    bus = Gio.bus_get_sync(Gio.BusType.SESSION)
    bus.register_object(PATH, Gio.DBusNodeInfo.new_for_xml(INTERFACE).interfaces[0], call, get, None)
    bus.signal_subscribe("org.freedesktop.DBus", "org.freedesktop.DBus", "NameOwnerChanged", "/org/freedesktop/DBus",
                         None, Gio.DBusSignalFlags.NONE, owner_changed)
    loop = GLib.MainLoop()
    Gio.bus_own_name_on_connection(bus, "org.kde.StatusNotifierWatcher", Gio.BusNameOwnerFlags.NONE,
                                   lambda *_: print("ready", flush=True), lambda *_: loop.quit())
    loop.run()
    return 1  # the watcher's name was taken or lost


if __name__ == "__main__":
    sys.exit(main())
