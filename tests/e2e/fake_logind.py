#!/usr/bin/python3
"""The part of systemd-logind's manager that xscreensaver's helper asks of the system bus: a
delay lock on sleep, handed out as a file descriptor. Run it on a bus of the test's own,
named by DBUS_SESSION_BUS_ADDRESS, that stands in for the system bus.

  fake_logind.py
"""
import os

import dbus
import dbus.service
from bus_service import serve

NAME = "org.freedesktop.login1"


class Manager(dbus.service.Object):
    def __init__(self, bus):
        super().__init__(bus, "/org/freedesktop/login1")
        self.locks = []

    @dbus.service.method(NAME + ".Manager", in_signature="ssss", out_signature="h")
    def Inhibit(self, what, who, why, mode):
        # The lock lasts while the caller holds its end of the pipe.
        read, write = os.pipe()
        self.locks.append(read)
        return dbus.types.UnixFd(write)


if __name__ == "__main__":
    serve(NAME, Manager)
