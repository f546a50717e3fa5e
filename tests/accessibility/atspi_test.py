#!/usr/bin/env python3
"""The real program in a display session of its own, used over AT-SPI.

Runs under a D-Bus session of its own (dbus-run-session), starts either an
Xvfb (x11) or a headless weston compositor (wayland) with the program running
natively on it, turns accessibility on as a screen reader does, and then uses
the calculator through its accessible names, texts and actions: the compact
view, the keypads, an operation, View Keyboard, the division-by-zero message,
the results a screen reader is asked to read out, New and Exit. The program
runs in a German locale. Usage: atspi_test.py x11|wayland PROGRAM QT-VERSION
"""

import os
import subprocess
import sys
import tempfile
import time

import pyatspi
from accessible_tree import applications, deliver_events, descendants, with_role

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "support"))
from checks import Checks  # noqa: E402

PLATFORM, PROGRAM, QT_VERSION = sys.argv[1], sys.argv[2], sys.argv[3]
# Qt asks assistive technologies to announce something since 6.8.
QT_ANNOUNCES = tuple(int(part) for part in QT_VERSION.split(".")[:2]) >= (6, 8)
APP_ID = "org.tarquel.Calculator"
BUTTONS = ["1", "2", "3", "4", "5", "6", "7", "8", "9", "0"] * 2 + [
    "Plus", "Minus", "Times", "Devises", "Exit"]
BOXES = ["First operand", "Second operand", "Result"]
COMPACT_WIDTH, KEYPAD_WIDTH = 255, 417  # client widths in pixels at 96 dpi


def wait_for(condition, seconds=10.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        deliver_events()
        value = condition()
        if value:
            return value
        time.sleep(0.1)
    return condition()


def start_x11(runtime_dir):
    # The server picks a free display and writes its number once it accepts clients.
    server = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24",
                               "-nolisten", "tcp", "-dpi", "96"], stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL)
    number = server.stdout.readline().strip().decode()
    if not number:
        sys.exit("Xvfb started no display")
    return server, {"DISPLAY": f":{number}", "QT_QPA_PLATFORM": "xcb"}


def start_wayland(runtime_dir):
    socket = "calculator-test"
    server = subprocess.Popen(["weston", "--backend=headless-backend.so", f"--socket={socket}",
                               "--idle-time=0"], env=dict(os.environ, XDG_RUNTIME_DIR=runtime_dir),
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    if not wait_for(lambda: os.path.exists(os.path.join(runtime_dir, socket))):
        server.kill()
        sys.exit("weston started no compositor")
    # The protocol traffic shows the app id the compositor is given.
    return server, {"WAYLAND_DISPLAY": socket, "QT_QPA_PLATFORM": "wayland",
                    "WAYLAND_DEBUG": "client"}


def turn_accessibility_on():
    # What a screen reader does when it starts: toolkits then join the a11y bus.
    subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                    "/org/a11y/bus", "org.freedesktop.DBus.Properties.Set",
                    "string:org.a11y.Status", "string:IsEnabled", "variant:boolean:true"],
                   check=True, stdout=subprocess.DEVNULL)


def find_application(pid):
    return next((a for a in applications() if a.get_process_id() == pid), None)


def width(node):
    return node.queryComponent().getExtents(pyatspi.WINDOW_COORDS).width


def press(node):
    node.queryAction().doAction(0)


def text(node):
    return node.queryText().getText(0, -1)


def use_the_calculator(checks, application, program):
    found = wait_for(lambda: len(with_role(application, pyatspi.ROLE_PUSH_BUTTON)) >= 25
                     and list(descendants(application)))
    buttons = [n for n in found if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]
    boxes = {n.name: n for n in found if n.getRole() == pyatspi.ROLE_TEXT}
    checks.that(sorted(b.name for b in buttons) == sorted(BUTTONS),
                "25 buttons named by their captions")
    if not checks.that(sorted(boxes) == sorted(BOXES), "3 boxes named by what they hold"):
        return
    files = with_role(application, pyatspi.ROLE_MENU_ITEM, "File")
    items = [n.name for n in with_role(files[0], pyatspi.ROLE_MENU_ITEM)] if files else []
    checks.that(items == ["New", "View Keyboard"],
                f"File holds New above View Keyboard (found: {items})")
    if items != ["New", "View Keyboard"]:
        return
    new, view = (with_role(files[0], pyatspi.ROLE_MENU_ITEM, name)[0]
                 for name in ("New", "View Keyboard"))
    frame = with_role(application, pyatspi.ROLE_FRAME)[0]
    first, second, result = (boxes[name] for name in BOXES)
    key = {(b.name, i // 10): b for i, b in enumerate(b for b in buttons if b.name.isdigit())}
    button = {b.name: b for b in buttons if not b.name.isdigit()}

    checks.that(width(frame) == COMPACT_WIDTH,
                f"compact view {COMPACT_WIDTH} pixels wide (is {width(frame)})")
    press(key["1", 0])  # hidden beyond the edge, and working all the same
    press(key["2", 0])
    press(key["4", 1])
    checks.that(wait_for(lambda: (text(first), text(second)) == ("12", "4"), 5),
                "the keypads write into their own boxes")
    press(button["Devises"])
    checks.that(wait_for(lambda: text(result) == "3", 5), "Devises writes 3")

    press(view)
    checks.that(wait_for(lambda: width(frame) == KEYPAD_WIDTH, 5),
                f"View Keyboard widens the window to {KEYPAD_WIDTH} pixels")
    checks.that(not view.getState().contains(pyatspi.STATE_ENABLED),
                "View Keyboard greys itself out")

    second.queryEditableText().setTextContents("")
    press(button["Devises"])
    alert = wait_for(lambda: [n for n in descendants(application)
                              if n.getRole() in (pyatspi.ROLE_ALERT, pyatspi.ROLE_DIALOG)], 5)
    said = [n.name for n in descendants(alert[0])] if alert else []
    checks.that(any("Error 11: Division by zero" in s for s in said),
                f"division by zero is reported (said: {said})")
    if alert:
        press(with_role(alert[0], pyatspi.ROLE_PUSH_BUTTON)[0])
    checks.that(wait_for(
        lambda: not [n for n in descendants(application) if n.getRole() == pyatspi.ROLE_ALERT], 5),
        "the message goes when dismissed")
    checks.that((text(first), text(second), text(result)) == ("12", "", "3"), "every box is kept")

    # The focus stays on the button, so the result is announced to be heard.
    what = "the results 9 and 3,5 are announced"
    if QT_ANNOUNCES:
        heard = []
        listener = lambda event: heard.append(event.any_data)
        pyatspi.Registry.registerEventListener(listener, "object:announcement")
        first.queryEditableText().setTextContents("7")
        second.queryEditableText().setTextContents("2")
        press(button["Plus"])
        wait_for(lambda: text(result) == "9", 5)
        press(button["Devises"])
        wait_for(lambda: len(heard) >= 2, 5)
        pyatspi.Registry.deregisterEventListener(listener, "object:announcement")
        checks.that(heard == ["9", "3,5"], f"{what} (heard: {heard})")
    else:
        checks.skip(what, f"Qt {QT_VERSION} cannot ask for an announcement")

    press(new)
    checks.that(wait_for(lambda: (text(first), text(second), text(result)) == ("", "", ""), 5),
                "New empties the three boxes")
    press(button["Exit"])
    try:
        status = program.wait(10)
    except subprocess.TimeoutExpired:
        status = None
    checks.that(status == 0, f"Exit ends the program with status 0 (status: {status})")
    return status


def main():
    checks = Checks(passes_too=True)
    runtime_dir = tempfile.mkdtemp()
    log = os.path.join(runtime_dir, "program.log")
    server, display = (start_wayland if PLATFORM == "wayland" else start_x11)(runtime_dir)
    program = None
    try:
        turn_accessibility_on()
        environment = dict(os.environ, XDG_RUNTIME_DIR=runtime_dir, LC_ALL="de_DE.UTF-8",
                           QT_FONT_DPI="96", **display)
        for name in ("DISPLAY", "WAYLAND_DISPLAY"):
            if name not in display:
                environment.pop(name, None)
        with open(log, "w") as output:
            program = subprocess.Popen([PROGRAM], env=environment, stderr=output)
        application = wait_for(lambda: find_application(program.pid), 20)
        if checks.that(application is not None, "the program is on the accessibility bus"):
            if use_the_calculator(checks, application, program) not in (0, None):
                with open(log, errors="replace") as said:  # what it said, protocol aside
                    print("".join(line for line in said if not line.startswith("["))[-4000:])
        if PLATFORM == "wayland":
            with open(log, errors="replace") as said:
                checks.that(f'set_app_id("{APP_ID}")' in said.read(),
                            f"the window's app id is {APP_ID}")
    finally:
        if program is not None and program.poll() is None:
            program.kill()
            program.wait()
        server.kill()
        server.wait()
    return checks


if __name__ == "__main__":
    result = main()
    print(result.closing())
    sys.exit(1 if result.failed else 0)
