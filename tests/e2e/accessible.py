#!/usr/bin/python3
"""Reads a running program's widgets through the accessibility bus, as a screen reader does.

Run with Debian's Python (python3-pyatspi); the program must run with
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 on the same session bus.

  accessible.py APP tree                      every showing widget: role, name, states, box
  accessible.py APP find ROLE [NAME [N]]      the first (or Nth, from 0) showing widget of that
                                              role (and name): "x y width height" of its box
  accessible.py APP describe ROLE NAME        the description of a widget (a tree item's tip)
  accessible.py APP names ROLE                the names of all showing widgets of a role
  accessible.py APP focused                   "role<TAB>name<TAB>text" of each focused widget
                                              (a web page reports its own focus besides)
  accessible.py APP text ROLE NAME            the text a widget holds
  accessible.py APP press ROLE NAME           does the widget's first action (a button's
                                              press), as a screen reader's user does
  accessible.py APP menu [SECONDS]            waits for an entry of a pop-up menu to take the
                                              focus (say, after a Down key), then prints each
                                              entry of that menu: "role<TAB>name<TAB>states";
                                              prints "listening" first, once it listens

Pop-up menus are no children of the application on the bus, so only "menu" reaches them.

ROLE is the role's name as at-spi gives it ("push button", "text", "combo box", "tree item",
"frame", "check box", "menu item"...). Exits 1 when nothing matches.
"""
import sys
import time

import pyatspi


def application(name, timeout=20.0):
    deadline = time.time() + timeout
    while time.time() < deadline:
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            app = desktop.getChildAtIndex(i)
            if app is not None and app.name == name:
                return app
        time.sleep(0.3)
    sys.exit(f"no application {name!r} on the accessibility bus")


def walk(node, depth=0):
    """Every showing descendant of node, depth first, with its depth."""
    try:
        count = node.childCount
    except Exception:
        return
    for i in range(count):
        try:
            child = node.getChildAtIndex(i)
        except Exception:
            continue
        if child is None:
            continue
        states = child.getState()
        if not states.contains(pyatspi.STATE_SHOWING) and child.getRole() != pyatspi.ROLE_FRAME:
            continue
        yield child, depth
        yield from walk(child, depth + 1)


def box(node):
    try:
        e = node.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
        return e.x, e.y, e.width, e.height
    except NotImplementedError:
        return None


def text_of(node):
    try:
        t = node.queryText()
        return t.getText(0, t.characterCount)
    except NotImplementedError:
        return ""


def role_of(node):
    """The role's name, the same on every at-spi: newer ones call a push button "button"."""
    role = node.getRoleName()
    return "push button" if role == "button" else role


def matches(node, role, name=None):
    return role_of(node) == role and (name is None or node.name == name)


def states_of(node):
    return ",".join(pyatspi.stateToString(s) for s in node.getState().getStates())


def menu(name, timeout):
    entries = []

    def on_focus(event):
        source = event.source
        try:
            if event.detail1 != 1 or source.getApplication().name != name:
                return
            if "menu" not in role_of(source):
                return
            parent = source.parent
            for i in range(parent.childCount):
                entry = parent.getChildAtIndex(i)
                entries.append(f"{role_of(entry)}\t{entry.name}\t{states_of(entry)}")
        except Exception:
            return
        pyatspi.Registry.stop()

    from gi.repository import GLib
    pyatspi.Registry.registerEventListener(on_focus, "object:state-changed:focused")
    GLib.timeout_add(int(timeout * 1000), pyatspi.Registry.stop)
    print("listening", flush=True)
    pyatspi.Registry.start()
    print("\n".join(entries))
    return 0 if entries else 1


def main(argv):
    if len(argv) < 3:
        sys.exit(__doc__)
    command, args = argv[2], argv[3:]
    if command == "menu":
        return menu(argv[1], float(args[0]) if args else 20.0)
    app = application(argv[1])
    nodes = list(walk(app))
    if command == "tree":
        for node, depth in nodes:
            states = [pyatspi.stateToString(s) for s in node.getState().getStates()]
            print(f"{'  ' * depth}{role_of(node)} {node.name!r} {box(node)} "
                  f"{','.join(s for s in states if s in ('focused', 'checked', 'enabled', 'editable', 'read only'))}"
                  f"{' ' + repr(node.description) if node.description else ''}")
        return 0
    if command == "find":
        found = [node for node, _ in nodes if matches(node, *args[:2])]
        nth = int(args[2]) if len(args) > 2 else 0
        if nth < len(found):
            print(*box(found[nth]))
            return 0
        return 1
    if command == "describe":
        for node, _ in nodes:
            if matches(node, *args[:2]):
                print(node.description)
                return 0
        return 1
    if command == "names":
        found = [node.name for node, _ in nodes if matches(node, args[0])]
        print("\n".join(found))
        return 0 if found else 1
    if command == "focused":
        found = [f"{role_of(node)}\t{node.name}\t{text_of(node)}" for node, _ in nodes
                 if node.getState().contains(pyatspi.STATE_FOCUSED)]
        print("\n".join(found))
        return 0 if found else 1
    if command == "press":
        for node, _ in nodes:
            if matches(node, *args[:2]):
                node.queryAction().doAction(0)
                return 0
        return 1
    if command == "text":
        for node, _ in nodes:
            if matches(node, *args[:2]):
                print(text_of(node))
                return 0
        return 1
    sys.exit(__doc__)


if __name__ == "__main__":
    sys.exit(main(sys.argv))
