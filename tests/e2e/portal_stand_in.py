#!/usr/bin/python3
"""A stand-in of the desktop's settings portal for the end-to-end tests.

Owns org.freedesktop.portal.Desktop on the session bus and serves
org.freedesktop.portal.Settings at /org/freedesktop/portal/desktop for the keys of the
namespace org.freedesktop.appearance given on the command line (uint32 values), as the real
portal of that version does: version 1 has Read alone, whose value is a variant inside a
second variant; version 2 adds ReadOne, whose value is one variant. A key not given is
unknown (org.freedesktop.portal.Error.NotFound).

On SIGUSR1 it reads the control file, lines of "KEY VALUE", and sets each key, emitting
SettingChanged for it. It ends when it loses its name or its bus.

usage: portal_stand_in.py --version {1,2} --control FILE [KEY=VALUE ...]
"""
import argparse
import signal

from gi.repository import Gio, GLib

NAME = "org.freedesktop.portal.Desktop"
PATH = "/org/freedesktop/portal/desktop"
SETTINGS = "org.freedesktop.portal.Settings"
NAMESPACE = "org.freedesktop.appearance"
READ_ONE = """<method name="ReadOne"><arg type="s" direction="in"/><arg type="s" direction="in"/>
<arg type="v" direction="out"/></method>"""
INTERFACE = """<node><interface name="org.freedesktop.portal.Settings">
<method name="ReadAll"><arg type="as" direction="in"/><arg type="a{sa{sv}}" direction="out"/>
</method>
<method name="Read"><arg type="s" direction="in"/><arg type="s" direction="in"/>
<arg type="v" direction="out"/></method>
%s
<signal name="SettingChanged"><arg type="s"/><arg type="s"/><arg type="v"/></signal>
<property name="version" type="u" access="read"/>
</interface></node>"""


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--version", type=int, choices=(1, 2), required=True)
    parser.add_argument("--control", required=True)
    parser.add_argument("values", nargs="*", metavar="KEY=VALUE")
    args = parser.parse_args()
    values = {key: int(value) for key, value in (v.split("=", 1) for v in args.values)}
    loop = GLib.MainLoop()
    bus = None

    def call(_connection, _sender, _path, _interface, method, parameters, invocation):
        if method == "ReadAll":
            wanted = parameters.unpack()[0]
            found = {key: GLib.Variant("u", value) for key, value in values.items()}
            shown = not wanted or any(NAMESPACE == w or (w.endswith("*") and
                                                         NAMESPACE.startswith(w[:-1]))
                                      for w in wanted)
            invocation.return_value(GLib.Variant("(a{sa{sv}})", ({NAMESPACE: found}
                                                                 if shown else {},)))
            return
        namespace, key = parameters.unpack()
        if namespace != NAMESPACE or key not in values:
            invocation.return_dbus_error("org.freedesktop.portal.Error.NotFound",
                                         "Requested setting not found")
            return
        value = GLib.Variant("u", values[key])
        if method == "Read":
            value = GLib.Variant("v", value)
        invocation.return_value(GLib.Variant("(v)", (value,)))

    def get_property(*_):
        return GLib.Variant("u", args.version)

    def acquired(connection, _name):
        nonlocal bus
        bus = connection
        node = Gio.DBusNodeInfo.new_for_xml(INTERFACE % (READ_ONE if args.version >= 2 else ""))
        connection.register_object(PATH, node.interfaces[0], call, get_property, None)

    def change():
        with open(args.control) as control:
            for line in control:
                key, value = line.split()
                values[key] = int(value)
                bus.emit_signal(None, PATH, SETTINGS, "SettingChanged",
                                GLib.Variant("(ssv)", (NAMESPACE, key,
                                                       GLib.Variant("u", int(value)))))
        return GLib.SOURCE_CONTINUE

    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, signal.SIGUSR1, change)
    Gio.bus_own_name(Gio.BusType.SESSION, NAME, Gio.BusNameOwnerFlags.NONE, acquired, None,
                     lambda *_: loop.quit())
    loop.run()


if __name__ == "__main__":
    main()
