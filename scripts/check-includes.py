#!/usr/bin/env python3
"""Checks that every include between the code's folders runs down the layering below.

A folder may include its own files and those of folders on a lower line; folders on one line
include none of each other. The two programs include the platform and never each other; the
platform includes neither. Prints each include that breaks this and exits 1, else prints
nothing. Run from anywhere: python3 scripts/check-includes.py
"""
import pathlib
import re
import sys

# Each program's rooms from the top down; a room is a folder, a file, or "" for the loose
# files at the program's top.
LAYERS = {
    "portal": [["main.cpp"], ["tray"], ["mainwindow"], ["browser"], ["dialogs", "directory"],
               ["", "resources"]],
    "saver": [["main.cpp"], ["idle"], ["modes", "install"], ["pixels", "engine", ""]],
    "platform": [["web", "net", "desktop"], ["screen"], ["idle"],
                 ["registry", "settings", "sites", "wayland"], ["process"], ["text"]],
}
# Which program may include which.
PROGRAMS = {"portal": {"platform"}, "saver": {"platform"}, "platform": set()}

ROOT = pathlib.Path(__file__).resolve().parent.parent
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^"]+)"', re.MULTILINE)


def place(path):
    """The program and the room's layer of a path such as portal/tray/FormTray.h."""
    parts = path.split("/")
    program = parts[0]
    if program not in LAYERS or len(parts) < 2:
        return None
    room = parts[1] if len(parts) > 2 else ("main.cpp" if parts[1] == "main.cpp" else "")
    for depth, rooms in enumerate(LAYERS[program]):
        if room in rooms:
            return program, room, depth
    return program, room, None


def main():
    faults = []
    for program in LAYERS:
        for source in sorted((ROOT / program).rglob("*")):
            if source.suffix not in (".cpp", ".h"):
                continue
            path = source.relative_to(ROOT).as_posix()
            here = place(path)
            if here[2] is None:
                faults.append(f"{path}: its folder is in no layer")
                continue
            for target in INCLUDE.findall(source.read_text(encoding="utf-8")):
                there = place(target)
                if there is None:
                    continue
                if there[0] != here[0]:
                    if there[0] not in PROGRAMS[here[0]]:
                        faults.append(f"{path} includes {target}: {here[0]} may not use {there[0]}")
                    continue
                if there[1] == here[1]:
                    continue
                if there[2] is None or there[2] <= here[2]:
                    faults.append(f"{path} includes {target}: not below {here[1] or 'the top'}")
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
