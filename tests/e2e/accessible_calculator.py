"""The calculator as a screen reader sees it through AT-SPI2 (pyatspi): the application and its
frame, the keys and the About label as push buttons with their spoken names, "2 + 3 =" clicked
through the keys' actions and "5" read from the display with the text-changed event that carries
it and as the new description of the keys it describes, the extents of "7" where it is drawn, the
focus moving on Tab, typed keys heard first by a reader's keystroke listener (one it takes never
reaches the calculator), and the quit question as an alert.

usage: accessible_calculator.py SCALE [X Y]   (X Y: the screen point at the centre of "7"; without
them, as on Wayland, which tells no program where its windows are, the extents go unchecked)
Keys go to the program through xdotool; prints PASS when every check holds, else FAIL: why.
"""
import subprocess
import sys
import time

import pyatspi
from gi.repository import GLib

KEY_NAMES = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "decimal point", "double zero",
             "triple zero", "plus", "minus", "times", "divided by", "percent", "power", "square",
             "square root", "change sign", "backspace", "clear", "equals"}
FRAME = "Tavik Calculator 2.0"
QUESTION = "Are you sure you want to quit ?"


def fail(why):
    print("FAIL: " + why)
    sys.exit(1)


events = []


def record(event):
    events.append((event.type, event.source, event.detail1, event.any_data))


def pump_until(found, seconds=5.0, step=0.02):
    """Runs the main loop (which takes in events) until found() gives something, or None."""
    end = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while time.monotonic() < end:
        while context.iteration(False):
            pass
        result = found()
        if result:
            return result
        time.sleep(step)
    return None


def application():
    desktop = pyatspi.Registry.getDesktop(0)
    for app in desktop:
        if app is not None and app.name == "tavik-calculator":
            return app
    return None


def child_with(parent, role, name=None):
    for child in parent:
        try:
            if child is not None and child.getRole() == role and (name is None or child.name == name):
                return child
        except GLib.GError:
            # A window that closed after the list was read, such as the splash at its end.
            continue
    return None


def states(accessible):
    return set(accessible.getState().getStates())


def check_extents(frame, key, scale, seven_x, seven_y):
    x, y, width, height = key.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    if (width, height) != (33 * scale, 33 * scale):
        fail("\"7\" is %dx%d at scale %d" % (width, height, scale))
    if abs(x + width // 2 - seven_x) > scale or abs(y + height // 2 - seven_y) > scale:
        fail("\"7\" is at %d,%d %dx%d, drawn around %d,%d" % (x, y, width, height, seven_x, seven_y))
    at = frame.queryComponent().getAccessibleAtPoint(seven_x, seven_y, pyatspi.DESKTOP_COORDS)
    if at is None or at.name != "7":
        fail("the object at the centre of \"7\" is %r" % (at and at.name))


def check_keys_heard(text):
    """A reader's listener hears "7" and "8" typed, going down and up, before the calculator;
    it takes "7" as its own, and only "8" reaches the display."""
    heard = []
    def listen(event):
        heard.append((event.type, event.event_string, event.is_text))
        return event.event_string == "7"

    pyatspi.Registry.registerKeystrokeListener(listen)
    before = text.getText(0, -1)
    # The program waits a moment for the listener's answer: keep answering while xdotool types.
    typing = subprocess.Popen(["xdotool", "key", "7", "8"])
    shown = pump_until(lambda: text.getText(0, -1).endswith("8") and text.getText(0, -1), 5, 0.002)
    typing.wait()
    pyatspi.Registry.deregisterKeystrokeListener(listen)
    if not shown or "7" in shown[len(before):]:
        fail("after 7 (taken by the reader) and 8 the display reads %r" % text.getText(0, -1))
    if not {(pyatspi.KEY_PRESSED_EVENT, "7", True), (pyatspi.KEY_RELEASED_EVENT, "7", False),
            (pyatspi.KEY_PRESSED_EVENT, "8", True)} <= set(heard):
        fail("the reader heard %s" % heard)


def main():
    scale = int(sys.argv[1])
    seven = (int(sys.argv[2]), int(sys.argv[3])) if len(sys.argv) > 3 else None
    for kind in ("object:text-changed", "object:state-changed:focused", "object:children-changed",
                 "object:property-change:accessible-description", "window:activate"):
        pyatspi.Registry.registerEventListener(record, kind)

    app = pump_until(application, 10)
    if not app:
        fail("no application tavik-calculator on the accessibility bus")
    frame = pump_until(lambda: child_with(app, pyatspi.ROLE_FRAME, FRAME), 10)
    if not frame:
        fail("no frame named %r in %s" % (FRAME, [c.name for c in app]))
    if not {pyatspi.STATE_ACTIVE, pyatspi.STATE_SHOWING, pyatspi.STATE_VISIBLE} <= states(frame):
        fail("the frame is not active, showing and visible")

    keys = {c.name: c for c in frame if c.getRole() == pyatspi.ROLE_PUSH_BUTTON}
    if set(keys) != KEY_NAMES | {"About"}:
        fail("the push buttons are %s" % sorted(keys))
    display = child_with(frame, pyatspi.ROLE_TEXT, "Display")
    if not display or pyatspi.STATE_READ_ONLY not in states(display):
        fail("no read-only text object named \"Display\" for the display")

    for name, binding in (("7", ";;7"), ("times", ";;*"), ("clear", ";;Escape"), ("About", ";;F1")):
        if keys[name].queryAction().getKeyBinding(0) != binding:
            fail("the key binding of %r is %r" % (name, keys[name].queryAction().getKeyBinding(0)))
    for name in ("2", "plus", "3", "equals"):
        action = keys[name].queryAction()
        if action.getName(0) != "click" or not action.doAction(0):
            fail("the click action of %r is refused" % name)
        # Each click is taken in before the next, as a user's would be.
        pump_until(lambda: any(e[0].startswith("object:text-changed") for e in events), 2)
    text = display.queryText()
    shown = pump_until(lambda: text.getText(0, -1) == "5" and "5", 5)
    if shown != "5":
        fail("the display reads %r after 2 + 3 =" % text.getText(0, -1))
    if text.getText(-5, 2**31 - 1) != "5" or text.getText(3, 1) != "" or text.getText(1, -1) != "":
        fail("text ranges out of bounds are not cut to the text")
    if text.caretOffset != 1:
        fail("the caret is at %d after \"5\" was shown" % text.caretOffset)
    inserted = [e for e in events if e[0] == "object:text-changed:insert" and e[1] == display]
    if not inserted or inserted[-1][3] != "5":
        fail("no text-changed:insert of \"5\" on the display, only %s" % inserted)

    equals = keys["equals"]
    described = [e for e in events
                 if e[0] == "object:property-change:accessible-description" and e[1] == equals]
    if equals.description != "5" or not described or described[-1][3] != "5" \
            or display.description != "5":
        fail("\"equals\" is described as %r, with the changes %s, the display as %r"
             % (equals.description, [e[3] for e in described], display.description))
    relations = {r.getRelationType(): r.getTarget(0) for r in equals.getRelationSet()}
    if relations.get(pyatspi.RELATION_DESCRIBED_BY) != display:
        fail("\"equals\" is not described by the display: %s" % relations)

    if seven:
        check_extents(frame, keys["7"], scale, *seven)

    keys["clear"].queryComponent().grabFocus()
    if not pump_until(lambda: pyatspi.STATE_FOCUSED in states(keys["clear"])):
        fail("\"clear\" does not take the focus")
    del events[:]
    # After "clear" (tab index 12) comes "plus" (13).
    subprocess.run(["xdotool", "key", "Tab"], check=True)
    focused = pump_until(lambda: [e for e in events
                                  if e[0] == "object:state-changed:focused" and e[2] == 1])
    if not focused or focused[-1][1].name != "plus":
        fail("Tab moved the focus to %s" % [e[1].name for e in (focused or [])])

    check_keys_heard(text)

    subprocess.run(["xdotool", "key", "alt+F4"], check=True)
    alert = pump_until(lambda: child_with(app, pyatspi.ROLE_ALERT))
    if not alert:
        fail("no alert after Alt+F4")
    if not pump_until(lambda: [e for e in events if e[0] == "object:children-changed:add"]):
        fail("no children-changed:add when the question opened")
    message = child_with(alert, pyatspi.ROLE_LABEL)
    if not message or message.queryText().getText(0, -1) != QUESTION:
        fail("the alert says %r" % (message and message.name))
    buttons = [c.name for c in alert if c.getRole() == pyatspi.ROLE_PUSH_BUTTON]
    if buttons != ["Yes", "No"]:
        fail("the alert's buttons are %s" % buttons)
    if pyatspi.STATE_ACTIVE not in states(alert) or pyatspi.STATE_ACTIVE in states(frame):
        fail("the alert is not the active window")
    child_with(alert, pyatspi.ROLE_PUSH_BUTTON, "No").queryAction().doAction(0)
    if not pump_until(lambda: not child_with(app, pyatspi.ROLE_ALERT)):
        fail("the alert stays after No")
    if not pump_until(lambda: [e for e in events if e[0] == "object:children-changed:remove"]):
        fail("no children-changed:remove when the question closed")
    print("PASS")


main()
