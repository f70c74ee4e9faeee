#!/usr/bin/env python3
"""Measures how quickly an X client answers, for as long as it runs.

Sends _NET_WM_PING to one window every INTERVAL seconds and waits for the answer, which a
toolkit sends from its event loop: a client whose user-interface thread is stuck answers late
or not at all. After every answer (and every second while none comes) the figures so far are
written to OUTFILE as `key value` lines: pings, answers, longest_wait_ms, longest_gap_ms.
Ends on SIGTERM or SIGINT, or when the window is gone.
"""
import ctypes
import ctypes.util
import os
import select
import signal
import sys
import time

CLIENT_MESSAGE = 33
DESTROY_NOTIFY = 17
STRUCTURE_NOTIFY_MASK = 1 << 17


class ClientMessage(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("window", ctypes.c_ulong),
                ("message_type", ctypes.c_ulong), ("format", ctypes.c_int),
                ("l", ctypes.c_long * 5)]


class Event(ctypes.Union):
    _fields_ = [("type", ctypes.c_int), ("client", ClientMessage), ("pad", ctypes.c_long * 24)]


ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)


def main():
    window = int(sys.argv[1], 0)
    out_path = sys.argv[2]
    interval = float(sys.argv[3]) if len(sys.argv) > 3 else 0.1

    x = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
    x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                             ctypes.POINTER(Event)]
    x.XFlush.argtypes = [ctypes.c_void_p]
    x.XPending.argtypes = [ctypes.c_void_p]
    x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(Event)]
    x.XConnectionNumber.argtypes = [ctypes.c_void_p]
    x.XSetErrorHandler.argtypes = [ERROR_HANDLER]

    display = x.XOpenDisplay(None)
    if not display:
        sys.exit("xping: no X display")
    gone = [False]

    def on_error(_display, _error):
        # The only request that can fail is the ping itself: the window is gone.
        gone[0] = True
        return 0

    handler = ERROR_HANDLER(on_error)
    x.XSetErrorHandler(handler)
    protocols = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
    ping = x.XInternAtom(display, b"_NET_WM_PING", 0)
    root = x.XDefaultRootWindow(display)
    # The answer goes to the root window; the window's own end shows as a DestroyNotify.
    x.XSelectInput(display, root, STRUCTURE_NOTIFY_MASK)
    x.XSelectInput(display, window, STRUCTURE_NOTIFY_MASK)
    fd = x.XConnectionNumber(display)

    stop = [False]

    def on_signal(_signum, _frame):
        stop[0] = True

    signal.signal(signal.SIGTERM, on_signal)
    signal.signal(signal.SIGINT, on_signal)

    figures = {"pings": 0, "answers": 0, "longest_wait_ms": 0, "longest_gap_ms": 0}

    def write_figures():
        tmp = out_path + ".tmp"
        with open(tmp, "w") as f:
            for key, value in figures.items():
                f.write(f"{key} {value}\n")
        os.replace(tmp, out_path)

    stamp = 0
    last_answer = time.monotonic()
    while not stop[0] and not gone[0]:
        stamp += 1
        event = Event()
        event.client.type = CLIENT_MESSAGE
        event.client.window = window
        event.client.message_type = protocols
        event.client.format = 32
        event.client.l[0] = ping
        event.client.l[1] = stamp
        event.client.l[2] = window
        x.XSendEvent(display, window, 0, 0, ctypes.byref(event))
        x.XFlush(display)
        sent = time.monotonic()
        figures["pings"] += 1
        answered = False
        last_report = sent
        while not answered and not stop[0] and not gone[0]:
            while x.XPending(display) > 0:
                reply = Event()
                x.XNextEvent(display, ctypes.byref(reply))
                if reply.type == DESTROY_NOTIFY and reply.client.window == window:
                    gone[0] = True
                elif (reply.type == CLIENT_MESSAGE and reply.client.message_type == protocols
                      and reply.client.l[0] == ping and reply.client.l[1] == stamp):
                    answered = True
            now = time.monotonic()
            wait_ms = int((now - sent) * 1000)
            gap_ms = int((now - last_answer) * 1000)
            figures["longest_wait_ms"] = max(figures["longest_wait_ms"], wait_ms)
            figures["longest_gap_ms"] = max(figures["longest_gap_ms"], gap_ms)
            if answered:
                figures["answers"] += 1
                last_answer = now
                write_figures()
                break
            if now - last_report >= 1.0:
                write_figures()
                last_report = now
            try:
                select.select([fd], [], [], 0.05)
            except InterruptedError:
                pass
        time.sleep(interval)
    write_figures()


if __name__ == "__main__":
    main()
