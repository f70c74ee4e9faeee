#!/usr/bin/python3
"""A desktop screen-saver service on the session bus that writes each Inhibit and UnInhibit
call it gets into a log file, one line each ("Inhibit <cookie>", "UnInhibit <cookie>").

  fake_screensaver.py LOGFILE
"""
import sys

import dbus.service
from bus_service import serve

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
    serve(NAME, lambda bus: ScreenSaver(bus, sys.argv[1]), lambda service: service.write("ready"))


if __name__ == "__main__":
    main()
