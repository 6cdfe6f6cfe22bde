"""Reads the running pad as a screen reader does, through AT-SPI: every
control a user can reach in the mini window and the main window has a name;
the expand button opens the main window; the page editor is named after its
page. Run on a private session bus, on a German desktop (see the .sh)."""
import subprocess
import sys
import time

import pyatspi

NAMED = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY,
         pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_LIST, pyatspi.ROLE_PAGE_TAB_LIST, pyatspi.ROLE_PAGE_TAB}


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


def unnamed(window):
    return [f"{c.getRoleName()} in {c.parent.getRoleName()} '{c.parent.name}'"
            for c in walk(window) if c.getRole() in NAMED and not c.name.strip()
            and c.getState().contains(pyatspi.STATE_SHOWING)]


program, pages = sys.argv[1], sys.argv[2]
pad = subprocess.Popen([program], cwd=pages)
try:
    desktop = pyatspi.Registry.getDesktop(0)
    app = wait_for("the pad did not show on the accessibility bus",
                   lambda: next((a for a in desktop if a and a.name == "Jotwell Pro"), None))
    mini = wait_for("no mini window", lambda: frame(app, "Jotwell"))
    missing = unnamed(mini)
    expand = next(c for c in walk(mini) if c.getRole() == pyatspi.ROLE_PUSH_BUTTON)
    if expand.name != "Vergrößern" or not expand.description:
        fail(f"the expand button reads '{expand.name}' / '{expand.description}'")
    expand.queryAction().doAction(0)
    main = wait_for("the expand button did not open the main window", lambda: frame(app, "Jotwell Pro"))
    missing += unnamed(main)
    menus = [c for c in walk(main) if c.getRole() == pyatspi.ROLE_MENU_BAR][0]
    if menus[0].name != "Datei":
        fail(f"the first menu of a German desktop is '{menus[0].name}'")
    editor = [c for c in walk(main) if c.getRole() == pyatspi.ROLE_TEXT and c.name.startswith("Seite ")]
    if [e.name for e in editor] != ["Seite Notes"]:
        fail(f"the page editor reads {[e.name for e in editor]}")
    if missing:
        fail("controls without a name: " + "; ".join(missing))
    print("every control of the mini and main windows has a name; the menus are German")
finally:
    pad.terminate()
    pad.wait(30)
