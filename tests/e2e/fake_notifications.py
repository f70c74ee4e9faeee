#!/usr/bin/python3
"""A desktop notification service on the session bus that writes the summary and body of each
Notify call it gets into a log file, one line each ("<summary>: <body>").

  fake_notifications.py LOGFILE
"""
import sys

import dbus.service
from bus_service import serve

NAME = "org.freedesktop.Notifications"


class Notifications(dbus.service.Object):
    def __init__(self, bus, log):
        super().__init__(bus, "/org/freedesktop/Notifications")
        self.log = log
        self.id = 0

    @dbus.service.method(NAME, in_signature="susssasa{sv}i", out_signature="u")
    def Notify(self, application, replaces, icon, summary, body, actions, hints, timeout):
        self.id += 1
        with open(self.log, "a", encoding="utf-8") as f:
            f.write(f"{summary}: {body}\n")
        return self.id


def main():
    serve(NAME, lambda bus: Notifications(bus, sys.argv[1]))


if __name__ == "__main__":
    main()
