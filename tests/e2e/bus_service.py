"""Runs one object as a named service on the session bus until the process is ended."""
import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib


def serve(name, make, ready=None):
    """make(bus) builds the object; ready(object) runs once the name is taken."""
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    service = make(bus)
    owned = dbus.service.BusName(name, bus)  # the name is ours while this lives
    if ready:
        ready(service)
    GLib.MainLoop().run()
    return owned
