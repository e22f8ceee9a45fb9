"""A stand-in for the desktop's screensaver service on the session bus: it
answers Inhibit with a fresh cookie and writes every call, one a line, to
the file given as its argument ("Inhibit 1 Quelvo Player", "UnInhibit 1")."""
import sys

from gi.repository import Gio, GLib

INTERFACE = """
<node>
  <interface name="org.freedesktop.ScreenSaver">
    <method name="Inhibit">
      <arg type="s" name="application" direction="in"/>
      <arg type="s" name="reason" direction="in"/>
      <arg type="u" name="cookie" direction="out"/>
    </method>
    <method name="UnInhibit">
      <arg type="u" name="cookie" direction="in"/>
    </method>
  </interface>
</node>
"""

log_path = sys.argv[1]
cookies = iter(range(1, 1 << 31))


def record(line):
    with open(log_path, "a") as log:
        log.write(line + "\n")


def on_call(connection, sender, path, interface, method, parameters, invocation):
    if method == "Inhibit":
        cookie = next(cookies)
        record("Inhibit %d %s" % (cookie, parameters[0]))
        invocation.return_value(GLib.Variant("(u)", (cookie,)))
    else:
        record("UnInhibit %d" % parameters[0])
        invocation.return_value(None)


def on_bus(connection, name):
    node = Gio.DBusNodeInfo.new_for_xml(INTERFACE)
    connection.register_object("/org/freedesktop/ScreenSaver", node.interfaces[0], on_call)


Gio.bus_own_name(Gio.BusType.SESSION, "org.freedesktop.ScreenSaver",
                 Gio.BusNameOwnerFlags.NONE, on_bus, None, None)
GLib.MainLoop().run()
