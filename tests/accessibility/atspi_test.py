#!/usr/bin/env python3
"""The calculator as a screen reader sees it, over AT-SPI.

Runs under a D-Bus session of its own (dbus-run-session) and an Xvfb of its
own, turns accessibility on as a screen reader does, starts the real program
and then finds its controls by name, types two operands through the
accessible text interface, presses Plus through its accessible action and
reads the result back. Usage: atspi_test.py PROGRAM
"""

import os
import subprocess
import sys
import tempfile
import time

import pyatspi

PROGRAM = sys.argv[1]
BUTTONS = ["1", "2", "3", "4", "5", "6", "7", "8", "9", "0"] * 2 + [
    "Plus", "Minus", "Times", "Devises", "Exit"]
BOXES = ["First operand", "Second operand", "Result"]


def wait_for(condition, seconds=10.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        value = condition()
        if value:
            return value
        time.sleep(0.1)
    return condition()


def start_display():
    # The server picks a free display and writes its number once it accepts clients.
    server = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24",
                               "-nolisten", "tcp"], stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL)
    number = server.stdout.readline().strip().decode()
    if not number:
        sys.exit("no display could be started")
    return server, f":{number}"


def turn_accessibility_on():
    # What a screen reader does when it starts: toolkits then join the a11y bus.
    subprocess.run(["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus",
                    "/org/a11y/bus", "org.freedesktop.DBus.Properties.Set",
                    "string:org.a11y.Status", "string:IsEnabled", "variant:boolean:true"],
                   check=True, stdout=subprocess.DEVNULL)


def find_application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for application in desktop:
        if application is not None and application.get_process_id() == pid:
            return application
    return None


def descendants(node):
    for child in node:
        if child is None:
            continue
        yield child
        yield from descendants(child)


class Checks:
    def __init__(self):
        self.passed = self.failed = 0

    def check(self, what, condition):
        if condition:
            self.passed += 1
            print(f"PASS: {what}")
        else:
            self.failed += 1
            print(f"FAIL: {what}")


def main():
    server, display = start_display()
    runtime_dir = tempfile.mkdtemp()
    program = None
    checks = Checks()
    try:
        turn_accessibility_on()
        environment = dict(os.environ, DISPLAY=display, XDG_RUNTIME_DIR=runtime_dir, LC_ALL="C.UTF-8")
        environment.pop("QT_QPA_PLATFORM", None)
        program = subprocess.Popen([PROGRAM], env=environment)
        application = wait_for(lambda: find_application(program.pid), 20)
        checks.check("the program is on the accessibility bus", application is not None)
        if application is None:
            return checks

        def controls():
            found = list(descendants(application))
            buttons = [n for n in found if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]
            return found if len(buttons) >= 25 else None

        found = wait_for(controls) or list(descendants(application))
        buttons = [n for n in found if n.getRole() == pyatspi.ROLE_PUSH_BUTTON]
        boxes = {n.name: n for n in found if n.getRole() == pyatspi.ROLE_TEXT}
        items = [n.name for n in found if n.getRole() == pyatspi.ROLE_MENU_ITEM]

        checks.check("25 buttons named by their captions",
                     sorted(b.name for b in buttons) == sorted(BUTTONS))
        checks.check("3 boxes named by what they hold", sorted(boxes) == sorted(BOXES))
        checks.check("the File menu is there", "File" in items)
        menu_items = []
        if "File" in items:
            file_menu = next(n for n in found if n.getRole() == pyatspi.ROLE_MENU_ITEM
                             and n.name == "File")
            menu_items = [n.name for n in descendants(file_menu)
                          if n.getRole() == pyatspi.ROLE_MENU_ITEM]
        checks.check(f"New above View Keyboard under File (found: {menu_items})",
                     menu_items == ["New", "View Keyboard"])
        if sorted(boxes) != sorted(BOXES):
            return checks

        boxes["First operand"].queryEditableText().setTextContents("7")
        boxes["Second operand"].queryEditableText().setTextContents("2")
        plus = next(b for b in buttons if b.name == "Plus")
        action = plus.queryAction()
        checks.check("Plus can be pressed", action.nActions > 0)
        action.doAction(0)

        result = boxes["Result"].queryText()
        said = wait_for(lambda: result.getText(0, -1) == "9" and "9", 5) or result.getText(0, -1)
        checks.check(f"the result reads 9 (read: {said!r})", said == "9")
    finally:
        if program is not None:
            program.kill()
            program.wait()
        server.kill()
        server.wait()
    return checks


if __name__ == "__main__":
    result = main()
    print(f"{result.passed} passed, {result.failed} failed")
    sys.exit(1 if result.failed else 0)
