#!/usr/bin/env python3
"""The web app in headless Chromium, used as a person would: Form1's layout in
CSS pixels against its twips at the device scale this test sets, both views,
the focus order, the menus by mouse and keyboard, every row of the table that
every platform replays, the accessibility tree, a long box, Exit, and a second
visit with the server gone.

With --app, the calculator in an app window of its own on a display of the
test's own instead: the window sized to the form in both views, and Exit
closing it.

Usage: web_test.py SITE SOURCE [--scale S] [--language L --separator C] [--app]"""

import argparse
import ast
import os
import re
import sys
import time

from selenium.common.exceptions import TimeoutException, WebDriverException
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import WebDriverWait

sys.path.insert(0, os.path.dirname(__file__))
from browser import Site, chromium, desktop  # noqa: E402

TWIPS_PER_CSS_PIXEL = 15  # a CSS pixel is 1/96 inch, a twip 1/1440
FRAME = 105               # outer width less client width, in twips, as laid out


class Checks:
    def __init__(self):
        self.passed = self.failed = 0

    def equal(self, actual, expected, what):
        if actual == expected:
            self.passed += 1
        else:
            self.failed += 1
            print(f"FAIL: {what}: got {actual!r}, expected {expected!r}", flush=True)

    def that(self, condition, what):
        self.equal(bool(condition), True, what)


def read_description(source):
    """Form1 as laid out: its caption and controls, read from the window's own table."""
    text = open(os.path.join(source, "window", "form1_layout.cpp"), encoding="utf-8").read()
    controls = [dict(tab=int(m[0]), name=m[1], kind=m[2], caption=m[3],
                     left=int(m[4]), top=int(m[5]), width=int(m[6]), height=int(m[7]))
                for m in re.findall(r'\{(\d+), "(\w+)", (Button|TextBox), "([^"]*)", '
                                    r'(\d+), (\d+), (\d+), (\d+)\}', text)]
    caption = re.search(r'\.caption = "([^"]*)"', text)[1]
    return caption, sorted(controls, key=lambda c: c["tab"])


def read_cases(source):
    """The rows every platform replays, from the table the C++ drivers include."""
    rows = []
    path = os.path.join(source, "tests", "cases", "form1_cases.inc")
    for line in open(path, encoding="utf-8"):
        if line.startswith("CASE("):
            rows.append(ast.literal_eval(line.strip()[len("CASE"):]))
    return rows


class Calculator:
    """The page, through what a user does and sees."""

    def __init__(self, driver, url):
        self.driver, self.url = driver, url

    def open(self):
        self.driver.get(self.url)
        self.wait(lambda: self.js("const f = document.getElementById('Form1');"
                                  "return !!f && !f.hidden;"), "the form to be shown")

    def wait(self, condition, what, seconds=15):
        try:
            return WebDriverWait(self.driver, seconds).until(lambda _: condition())
        except TimeoutException:
            raise SystemExit(f"FAIL: waited {seconds} s for {what}")

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def element(self, name):
        return self.driver.find_element(By.ID, name)

    def focused(self):
        return self.js("return document.activeElement && document.activeElement.id")

    def rect(self, name):
        """An element's place in CSS pixels from the client area's top-left corner,
        to the 1/64 pixel that the browser lays out in."""
        return self.js("const c = document.getElementById('Form1-client').getBoundingClientRect();"
                       "const r = document.getElementById(arguments[0]).getBoundingClientRect();"
                       "return [r.left - c.left, r.top - c.top, r.width, r.height]"
                       ".map((v) => Math.round(v * 64) / 64);", name)

    def client_width(self):
        return self.js("return document.getElementById('Form1-client').getBoundingClientRect().width")

    def in_sight(self, name):
        """Whether a person sees the element's middle: the topmost thing there is it."""
        return self.js("const e = document.getElementById(arguments[0]);"
                       "const r = e.getBoundingClientRect();"
                       "return document.elementFromPoint(r.left + r.width / 2, r.top + r.height / 2) === e;",
                       name)

    def text(self, box):
        return self.element(box).get_property("value")

    def set_text(self, box, text):
        self.js("document.getElementById(arguments[0]).value = arguments[1]", box, text)

    def keys(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()

    def press(self, name):
        """A click where it is in sight; else, as a user reaches a hidden key, the
        focus there and the space bar. Menu items through their menu."""
        if self.js("return document.getElementById(arguments[0]).getAttribute('role') === 'menuitem'"
                   " && !!document.getElementById(arguments[0]).closest('[role=menu]')", name):
            self.element("view").click()
            self.wait(lambda: self.in_sight(name), f"the menu with {name}")
        if self.in_sight(name):
            self.element(name).click()
        else:
            self.js("document.getElementById(arguments[0]).focus()", name)
            self.keys(Keys.SPACE)

    def message(self):
        """The open message's text, or None."""
        return self.js("const d = document.querySelector('dialog[open]');"
                       "return d && d.querySelector('p').textContent")


def check_layout(page, checks, caption, controls, scale):
    checks.equal(page.driver.title, caption, "the page's title is the caption")
    checks.equal(page.js("return window.devicePixelRatio"), scale, "the device scale")
    probe = page.js("const p = document.createElement('div'); p.style.font = 'message-box';"
                    "document.body.append(p); const s = getComputedStyle(p);"
                    "const f = [s.fontFamily, s.fontSize]; p.remove(); return f;")
    for c in controls:
        name = c["name"]
        want = [c[k] / TWIPS_PER_CSS_PIXEL for k in ("left", "top", "width", "height")]
        checks.equal(page.rect(name), want, f"{name} at its twips")
        tag, kind, text, limit, font = page.js(
            "const e = document.getElementById(arguments[0]); const s = getComputedStyle(e);"
            "return [e.tagName, e.type, e.tagName === 'INPUT' ? e.value : e.textContent,"
            " e.maxLength, [s.fontFamily, s.fontSize]];", name)
        box = c["kind"] == "TextBox"
        checks.equal((tag, kind), ("INPUT", "text") if box else ("BUTTON", "button"), f"{name} kind")
        checks.equal(text, c["caption"], f"{name} caption")
        if box:
            checks.equal(limit, -1, f"{name} has no length limit")
        checks.equal(font, probe, f"{name} in the system's UI font")
    # The separators, a CSS pixel thick, the upper one dotted.
    for line, style in (("Line2", "dotted"), ("Line1", "solid")):
        checks.equal(page.js("return getComputedStyle(document.getElementById(arguments[0]))"
                             ".borderTopStyle", line), style, f"{line} is {style}")
    checks.equal(page.rect("Line2")[1:], [1080 / 15, 6240 / 15, 1], "Line2 where its twips say")


def check_compact_view_and_focus(page, checks, controls):
    width = (3930 - FRAME) / TWIPS_PER_CSS_PIXEL
    checks.equal(page.client_width(), width, "the compact client width")
    checks.equal(page.js("return document.getElementById('Form1-client').getBoundingClientRect().height"),
                 2775 / TWIPS_PER_CSS_PIXEL, "the client height")
    for c in controls:
        left, _, w, _ = page.rect(c["name"])
        if c["left"] >= 3840:
            checks.that(left >= width and not page.in_sight(c["name"]), f"{c['name']} out of sight")
        else:
            checks.that(left + w <= width and page.in_sight(c["name"]), f"{c['name']} in sight")
    checks.equal(page.focused(), "Command1", "the focus starts on Command1")
    page.keys(Keys.SPACE)
    checks.equal(page.text("Text1"), "1", "the space bar presses the focused, hidden key")
    for c in controls[1:]:
        page.keys(Keys.TAB)
        checks.equal(page.focused(), c["name"], f"Tab reaches {c['name']}")
    # The focused hidden keys never scrolled the client area to show them.
    checks.equal(page.js("return document.getElementById('Form1-client').scrollLeft"), 0,
                 "the client area never scrolls")
    ActionChains(page.driver).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(Keys.SHIFT).perform()
    checks.equal(page.focused(), controls[-2]["name"], "Shift+Tab steps back")
    page.set_text("Text1", "")


def check_menus(page, checks):
    page.element("plus").click()
    page.keys(Keys.ALT)
    checks.equal(page.focused(), "view", "Alt goes to the menu bar")
    page.keys(Keys.ARROW_DOWN)
    checks.equal((page.focused(), page.in_sight("new")), ("new", True), "Down opens File on New")
    page.keys(Keys.ARROW_DOWN)
    checks.equal(page.focused(), "no", "Down reaches View Keyboard")
    page.keys(Keys.ESCAPE)
    checks.equal((page.focused(), page.in_sight("new")), ("view", False), "Escape closes File")
    page.keys(Keys.ESCAPE)
    checks.equal(page.focused(), "plus", "Escape again gives the focus back")
    page.set_text("Text1", "typed")
    page.keys(Keys.F10, Keys.ENTER)
    checks.equal(page.focused(), "new", "F10 and Enter open File")
    page.keys(Keys.ENTER)
    checks.equal((page.text("Text1"), page.focused()), ("", "plus"),
                 "Enter chooses New, and the focus goes back")
    page.element("view").click()
    checks.that(page.in_sight("new") and page.in_sight("no"), "a click opens File")
    page.element("view").click()
    checks.that(not page.in_sight("new"), "and another closes it, doing nothing else")


def check_cases(page, checks, rows, separator):
    for (what, text1, text2, text3, presses, after1, after2, after3, message, then) in rows:
        for box, text in (("Text1", text1), ("Text2", text2), ("Text3", text3)):
            page.set_text(box, text)
        shown = []
        for name in presses.split():
            page.press(name)
            if page.message() is not None:
                shown.append(page.message())
                page.element("Form1").find_element(By.XPATH, "//dialog[@open]//button").click()
        if separator != ".":
            after3 = after3.replace(".", separator) if re.fullmatch(r"-?[\d.E+-]+", after3) else after3
        checks.equal([page.text("Text1"), page.text("Text2"), page.text("Text3")],
                     [after1, after2, after3], f"{what}: the boxes")
        checks.equal(shown, [message] if message else [], f"{what}: the message")
        for word in then.split():
            target, value = word.split("=")
            name, prop = target.split(".")
            if prop == "Enabled":
                got = str(page.js("return document.getElementById(arguments[0])"
                                  ".getAttribute('aria-disabled') !== 'true'", name)).lower()
            elif name == "Form1":
                got = round(page.client_width() * TWIPS_PER_CSS_PIXEL + FRAME)
            else:
                left, _, width, _ = page.rect(name)
                got = round((left if prop == "Left" else width) * TWIPS_PER_CSS_PIXEL)
            checks.equal(str(got), value, f"{what}: {target}")


def check_keypad_view(page, checks, controls):
    width = page.client_width()
    for c in controls:
        left, _, w, _ = page.rect(c["name"])
        checks.that(left + w <= width and page.in_sight(c["name"]), f"{c['name']} in the keypad view")
    page.element("view").click()
    page.element("no").click()
    checks.that(page.in_sight("no"), "a greyed item cannot be chosen: its menu stays open")
    page.keys(Keys.ESCAPE, Keys.ESCAPE)


def check_accessibility(page, checks):
    page.set_text("Text1", "7")
    page.set_text("Text2", "2")
    page.element("times").click()
    tree = page.driver.execute_cdp_cmd("Accessibility.getFullAXTree", {})["nodes"]

    def named(role):
        return [n.get("name", {}).get("value") for n in tree
                if n.get("role", {}).get("value") == role and not n.get("ignored")]
    buttons = named("button")
    for caption in ["Plus", "Minus", "Times", "Devises", "Exit", "1", "0"]:
        checks.that(caption in buttons, f"a button named {caption}")
    checks.equal(sorted(n for n in named("textbox") if n), ["First operand", "Result", "Second operand"],
                 "the boxes' names")
    checks.that("File" in named("menuitem") and named("menubar"), "the menu bar and File")
    live = [n for n in tree if any(p["name"] == "live" and p["value"]["value"] == "polite"
                                    for p in n.get("properties", []))]
    said = page.js("return document.querySelector('[aria-live=polite]').textContent")
    checks.that(live and said == "14", "the result is in a polite live region")


def check_long_box(page, checks):
    huge = ("a\u00e4\u20ac\U0001d11e" * 25_000)
    page.set_text("Text2", huge)
    page.press("Command11")
    checks.that(page.text("Text2") == huge + "1", "a box of 100,000 characters comes back whole")


def check_exit_and_offline(page, checks, site):
    page.wait(lambda: page.js("return !!navigator.serviceWorker.controller"),
              "the service worker to keep the site")
    page.set_text("Text1", "unfinished")
    page.press("end1")
    checks.that(not page.js("return !!document.getElementById('Form1')"), "Exit takes the form away")
    notice = page.js("const n = document.querySelector('.ended'); return n && n.textContent")
    checks.that(notice and "has ended" in notice, "the page says the calculator has ended")
    checks.equal(page.js("return document.activeElement.textContent"), "Start again",
                 "with a way to start again, focused")
    site.stop()
    page.driver.find_element(By.CSS_SELECTOR, ".ended button").click()
    page.open()
    checks.equal(page.text("Text1"), "", "with no network, it starts again from the kept files")
    page.set_text("Text1", "7")
    page.set_text("Text2", "2")
    page.press("plus")
    checks.equal(page.text("Text3"), "9", "and calculates")


def check_app_window(page, checks):
    """The window's inside is the form: the client area and the menu bar above it."""
    def inside():
        return page.js("return [innerWidth, innerHeight]")

    def form():
        return page.js("const r = document.getElementById('Form1').getBoundingClientRect();"
                       "return [r.width, r.height]")
    checks.that(page.js("return matchMedia('(display-mode: standalone)').matches"),
                "an app window")
    checks.equal(page.client_width(), (3930 - FRAME) / TWIPS_PER_CSS_PIXEL, "compact client width")
    page.wait(lambda: inside() == form(), "the window to fit the compact view")
    checks.equal(inside(), form(), "the window fits the compact view")
    page.press("no")
    page.wait(lambda: inside() == form(), "the window to fit the keypad view")
    checks.equal(page.client_width(), (6360 - FRAME) / TWIPS_PER_CSS_PIXEL, "keypad client width")
    checks.equal(inside(), form(), "the window fits the keypad view")
    def closed():  # with its only window, the browser goes, and its session with it
        try:
            return not page.driver.window_handles
        except WebDriverException:
            return True
    try:
        page.press("end1")
    except WebDriverException:
        pass  # the click's answer may not come back from a window that closed on it
    page.wait(closed, "Exit to close the app window")
    checks.that(closed(), "Exit closes the app window")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("site")
    parser.add_argument("source")
    parser.add_argument("--scale", type=float, default=1.0)
    parser.add_argument("--language", default="en-US")
    parser.add_argument("--separator", default=".")
    parser.add_argument("--app", action="store_true")
    args = parser.parse_args()
    caption, controls = read_description(args.source)
    rows = read_cases(args.source)
    checks = Checks()
    started = time.monotonic()
    site = Site(args.site)
    try:
        if args.app:
            with desktop() as display, chromium(app=site.url, display=display) as driver:
                page = Calculator(driver, site.url)
                page.wait(lambda: page.js("return !!document.getElementById('Form1')"), "the form")
                check_app_window(page, checks)
            print(f"{checks.passed} passed, {checks.failed} failed")
            return 1 if checks.failed else 0
        with chromium(args.scale, args.language) as driver:
            page = Calculator(driver, site.url)
            page.open()
            check_layout(page, checks, caption, controls, args.scale)
            check_compact_view_and_focus(page, checks, controls)
            check_menus(page, checks)
            check_cases(page, checks, rows, args.separator)
            check_keypad_view(page, checks, controls)
            check_accessibility(page, checks)
            check_long_box(page, checks)
            check_exit_and_offline(page, checks, site)
            errors = [e["message"] for e in driver.get_log("browser") if e["level"] == "SEVERE"]
            checks.equal(errors, [], "nothing went wrong in the page (CSP, scripts, requests)")
    finally:
        site.stop()
    print(f"web test at scale {args.scale}, {args.language}: {time.monotonic() - started:.1f} s")
    print(f"{checks.passed} passed, {checks.failed} failed")
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main())
