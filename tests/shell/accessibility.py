"""Reads the running pad as a screen reader does, through AT-SPI: the pad
shows on the bus, the expand button opens the main window, the page editor
is named after its page. Every control's name is held against a record by
surface_test.cpp; this checks that the real bus carries them. Run on a
private session bus, on a German desktop (see the .sh)."""
import subprocess
import sys
import time

import pyatspi

def fail(text):
    sys.exit("FAIL: " + text)


def wait_for(what, find, seconds=60):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            found = find()
        except Exception:  # the tree changes under the walk
            found = None
        if found:
            return found
        time.sleep(0.2)
    fail(what)


def walk(node):
    yield node
    for child in node:
        if child is not None:
            yield from walk(child)


def frame(app, title):
    return next((w for w in app if w.name == title
                 and w.getState().contains(pyatspi.STATE_SHOWING)), None)


program, pages = sys.argv[1], sys.argv[2]
pad = subprocess.Popen([program], cwd=pages)
try:
    desktop = pyatspi.Registry.getDesktop(0)
    app = wait_for("the pad did not show on the accessibility bus",
                   lambda: next((a for a in desktop if a and a.name == "Jotwell Pro"), None))
    mini = wait_for("no mini window", lambda: frame(app, "Jotwell"))
    expand = wait_for("no button reads 'Vergrößern'", lambda: next(
        c for c in walk(mini) if c.getRole() == pyatspi.ROLE_PUSH_BUTTON and c.name == "Vergrößern"))
    expand.queryAction().doAction(0)
    main = wait_for("the expand button did not open the main window", lambda: frame(app, "Jotwell Pro"))
    editor = [c for c in walk(main) if c.getRole() == pyatspi.ROLE_TEXT and c.name.startswith("Seite ")]
    if [e.name for e in editor] != ["Seite Notes"]:
        fail(f"the page editor reads {[e.name for e in editor]}")
    print("the bus carries the German names; the expand button works")
finally:
    pad.terminate()
    pad.wait(30)
