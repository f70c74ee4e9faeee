#!/usr/bin/env python3
"""Tells whether the X pointer is shown: prints "shown" when the cursor the server draws has
any pixel that is not fully transparent, else "hidden". Exits 0 for shown, 1 for hidden."""
import ctypes
import ctypes.util
import sys


class CursorImage(ctypes.Structure):
    _fields_ = [("x", ctypes.c_short), ("y", ctypes.c_short),
                ("width", ctypes.c_ushort), ("height", ctypes.c_ushort),
                ("xhot", ctypes.c_ushort), ("yhot", ctypes.c_ushort),
                ("cursor_serial", ctypes.c_ulong), ("pixels", ctypes.POINTER(ctypes.c_ulong)),
                ("atom", ctypes.c_ulong), ("name", ctypes.c_char_p)]


def main():
    xlib = ctypes.CDLL(ctypes.util.find_library("X11"))
    xfixes = ctypes.CDLL(ctypes.util.find_library("Xfixes"))
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xfixes.XFixesGetCursorImage.restype = ctypes.POINTER(CursorImage)
    xfixes.XFixesGetCursorImage.argtypes = [ctypes.c_void_p]
    display = xlib.XOpenDisplay(None)
    if not display:
        print("no display", file=sys.stderr)
        return 2
    image = xfixes.XFixesGetCursorImage(display)
    if not image:
        print("no cursor image", file=sys.stderr)
        return 2
    cursor = image.contents
    # Each pixel is ARGB in the low 32 bits of an unsigned long.
    shown = any((cursor.pixels[i] >> 24) & 0xFF for i in range(cursor.width * cursor.height))
    print("shown" if shown else "hidden")
    return 0 if shown else 1


if __name__ == "__main__":
    sys.exit(main())
