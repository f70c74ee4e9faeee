#!/usr/bin/python3
"""A desktop screen-saver service on the session bus that writes each Inhibit and UnInhibit
call it gets into a log file, one line each ("Inhibit <cookie>", "UnInhibit <cookie>").

  fake_screensaver.py LOGFILE
"""
import sys

import dbus
import dbus.service
from dbus.mainloop.glib import DBusGMainLoop
from gi.repository import GLib

NAME = "org.freedesktop.ScreenSaver"


class ScreenSaver(dbus.service.Object):
    def __init__(self, bus, log):
        super().__init__(bus, "/org/freedesktop/ScreenSaver")
        self.log = log
        self.cookie = 100

    def write(self, line):
        with open(self.log, "a") as f:
            f.write(line + "\n")

    @dbus.service.method(NAME, in_signature="ss", out_signature="u")
    def Inhibit(self, application, reason):
        self.cookie += 1
        self.write(f"Inhibit {self.cookie}")
        return self.cookie

    @dbus.service.method(NAME, in_signature="u", out_signature="")
    def UnInhibit(self, cookie):
        self.write(f"UnInhibit {cookie}")


def main():
    DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    service = ScreenSaver(bus, sys.argv[1])
    name = dbus.service.BusName(NAME, bus)
    service.write("ready")
    GLib.MainLoop().run()


if __name__ == "__main__":
    main()
