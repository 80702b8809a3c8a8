"""A stand-in desktop portal with the Settings interface alone, holding org.freedesktop.appearance
color-scheme. Usage: stand_in_portal.py SCHEME [VERSION] (version 1: Read alone, before ReadOne).
Prints "ready" once it holds the portal's name on the session bus; each line of standard input is
a new scheme, sent as SettingChanged. Runs in Debian's /usr/bin/python3, which has GLib's bindings.
"""

import sys
import threading

from gi.repository import Gio, GLib

INTERFACE = """<node><interface name="org.freedesktop.portal.Settings">
<method name="Read"><arg type="s" direction="in"/><arg type="s" direction="in"/><arg type="v" direction="out"/></method>
%s
<signal name="SettingChanged"><arg type="s"/><arg type="s"/><arg type="v"/></signal>
<property name="version" type="u" access="read"/>
</interface></node>"""
READ_ONE = ('<method name="ReadOne"><arg type="s" direction="in"/><arg type="s" direction="in"/>'
            '<arg type="v" direction="out"/></method>')

scheme = int(sys.argv[1])
version = int(sys.argv[2]) if len(sys.argv) > 2 else 2
loop = GLib.MainLoop()
bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)


def call(connection, sender, path, interface, method, arguments, invocation):
    if tuple(arguments.unpack()) != ("org.freedesktop.appearance", "color-scheme"):
        invocation.return_dbus_error("org.freedesktop.portal.Error.NotFound", "no such setting")
        return
    value = GLib.Variant("u", scheme)
    invocation.return_value(GLib.Variant("(v)", (GLib.Variant("v", value) if method == "Read" else value,)))


info = Gio.DBusNodeInfo.new_for_xml(INTERFACE % (READ_ONE if version >= 2 else ""))
bus.register_object("/org/freedesktop/portal/desktop", info.interfaces[0], call,
                    lambda *_: GLib.Variant("u", version), None)


def change(line):
    global scheme
    scheme = int(line)
    bus.emit_signal(None, "/org/freedesktop/portal/desktop", "org.freedesktop.portal.Settings", "SettingChanged",
                    GLib.Variant("(ssv)", ("org.freedesktop.appearance", "color-scheme", GLib.Variant("u", scheme))))
    return False


def read_lines():
    for line in sys.stdin:
        GLib.idle_add(change, line.strip())
    GLib.idle_add(loop.quit)


Gio.bus_own_name_on_connection(bus, "org.freedesktop.portal.Desktop", Gio.BusNameOwnerFlags.NONE,
                               lambda *_: print("ready", flush=True), lambda *_: loop.quit())
threading.Thread(target=read_lines, daemon=True).start()
loop.run()
