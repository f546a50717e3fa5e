#!/usr/bin/env python3
"""The web app in a browser engine (Chromium, Firefox or WebKit), used as a
person would: Form1's layout in CSS pixels against its twips at the device
scale this test sets, both views, the focus order, the menus by mouse and
keyboard, every row of the table that every platform replays, the message's
modality, a long box, faults put in on purpose caught at the event boundary,
Exit, and a second visit with the server gone. With --audit, axe-core's audit
of each state the page is seen in. In Chromium also the
accessibility tree, and phones, a tablet and a narrow window by its device
emulation; in the others a narrow window.

With --update NEXT, only the update from the site to the next build in NEXT,
as a user who has the app lives through it (check_update).

With --app, the calculator in Chromium's app window of its own on a display of
the test's own instead, at scales 1 and 1.5: the window sized to the form in
both views, no scroll bar, and Exit closing it.

Usage: web_test.py SITE SOURCE [--engine E] [--scale S] [--language L --separator C]
                   [--faulty-site FAULTY] [--app] [--audit] [--update NEXT]"""

import argparse
import contextlib
import hashlib
import os
import re
import shutil
import sys
import tempfile
import time

from selenium.common.exceptions import WebDriverException

sys.path.insert(0, os.path.dirname(__file__))
from browser import ENGINES, HERE, Site, desktop, engine  # noqa: E402

sys.path[:0] = [os.path.join(os.path.dirname(__file__), "..", folder)
                for folder in ("cases", "support")]
from checks import Checks  # noqa: E402
from form1_tables import read_cases, read_description  # noqa: E402

TWIPS_PER_CSS_PIXEL = 15  # a CSS pixel is 1/96 inch, a twip 1/1440
FRAME = 105               # outer width less client width, in twips, as laid out
# axe-core's audit: WCAG 2.0, 2.1 and 2.2 at levels A and AA, and axe's best practices.
AXE = os.path.join(HERE, "node_modules", "axe-core", "axe.min.js")
AXE_TAGS = ["wcag2a", "wcag2aa", "wcag21a", "wcag21aa", "wcag22a", "wcag22aa", "best-practice"]
# The colour schemes audited: as Chromium emulates each, and as Firefox's settings give it.
SCHEMES = [("a dark colour scheme", "prefers-color-scheme", "dark",
            {"ui.systemUsesDarkTheme": 1, "layout.css.prefers-color-scheme.content-override": 0}),
           ("forced colours", "forced-colors", "active", {"browser.display.document_color_use": 2})]


class Calculator:
    """The page, through what a user does and sees."""

    def __init__(self, browser, url):
        self.browser, self.url = browser, url

    def open(self, url=None):
        self.browser.goto(url or self.url)
        self.wait(self.ready, "the form to be ready")
        # What the page throws and nobody catches, in any engine.
        self.js("window.uncaught = []; for (const type of ['error', 'unhandledrejection'])"
                " addEventListener(type, (e) => uncaught.push(String(e.message || e.reason)));")

    def js_or_none(self, script, *args):
        """A script's answer, or None while the page is being replaced."""
        try:
            return self.js(script, *args)
        except WebDriverException:
            return None

    def ready(self):
        """Whether the form takes input."""
        return self.js_or_none("const f = document.getElementById('Form1'); return !!f && !f.inert;")

    def wait(self, condition, what, seen=None, seconds=15):
        deadline = time.monotonic() + seconds
        while not condition():
            if time.monotonic() > deadline:
                raise SystemExit(f"FAIL: waited {seconds} s for {what}"
                                 + (f": {seen()}" if seen else ""))
            time.sleep(0.05)
        return True

    def js(self, script, *args):
        return self.browser.js(script, *args)

    def click(self, name):
        self.browser.click("#" + name)

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

    def middle(self, selector):
        """Where a finger or the mouse presses an element, in CSS pixels."""
        return self.js("const r = document.querySelector(arguments[0]).getBoundingClientRect();"
                       "return [r.left + r.width / 2, r.top + r.height / 2]", selector)

    def text(self, box):
        return self.js("return document.getElementById(arguments[0]).value", box)

    def set_text(self, box, text):
        self.js("document.getElementById(arguments[0]).value = arguments[1]", box, text)

    def keys(self, *keys):
        self.browser.keys(*keys)

    def press(self, name):
        """A click where it is in sight; else, as a user reaches a hidden key, the
        focus there and the space bar. Menu items through their menu."""
        if self.js("return document.getElementById(arguments[0]).getAttribute('role') === 'menuitem'"
                   " && !!document.getElementById(arguments[0]).closest('[role=menu]')", name):
            self.click("view")
            self.wait(lambda: self.in_sight(name), f"the menu with {name}")
        if self.in_sight(name):
            self.click(name)
        else:
            self.js("document.getElementById(arguments[0]).focus()", name)
            self.keys(" ")

    def message(self):
        """The open message's text, or None."""
        return self.js("const d = document.querySelector('dialog[open]');"
                       "return d && d.querySelector('p').textContent")

    def close_message(self):
        self.browser.click("dialog[open] button")

    def message_fits(self):
        """Whether the whole open message and its OK button lie inside the window,
        its text wrapped rather than cut."""
        return self.js("const d = document.querySelector('dialog[open]'), e = document.documentElement;"
                       "const inside = (r) => r.left >= 0 && r.top >= 0 && r.right <= e.clientWidth"
                       " && r.bottom <= e.clientHeight;"
                       "const text = d.querySelector('p');"
                       "return inside(d.getBoundingClientRect())"
                       " && inside(d.querySelector('button').getBoundingClientRect())"
                       " && text.scrollWidth <= text.clientWidth;")


def check_layout(page, checks, caption, controls, scale):
    checks.equal(page.js("return document.title"), caption, "the page's title is the caption")
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


def check_before_start(page, checks, controls, frozen_url):
    """The form as the page draws it before the program runs (here never: the
    copy of the site has no program): every control where start-up
    leaves it, and out of reach, so that nothing pressed or typed is lost."""
    names = [c["name"] for c in controls] + ["Form1-client"]
    started = [page.rect(name) for name in names]
    page.browser.goto(frozen_url)
    checks.equal([page.rect(name) for name in names], started,
                 "before the program runs, every control is drawn where start-up leaves it")
    checks.that(page.js("return document.getElementById('Form1').inert"), "and the form is inert")
    page.browser.click_at(*page.middle("#Text1"))
    page.keys("5")
    checks.equal([page.js("return document.activeElement === document.body"), page.text("Text1")],
                 [True, ""], "a click into a box and a digit typed reach nothing in it")
    page.browser.errors()  # the missing script, logged
    page.open()


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
    page.keys(" ")
    checks.equal(page.text("Text1"), "1", "the space bar presses the focused, hidden key")
    for c in controls[1:]:
        page.keys("Tab")
        checks.equal(page.focused(), c["name"], f"Tab reaches {c['name']}")
    # The focused hidden keys never scrolled the client area to show them.
    checks.equal(page.js("return document.getElementById('Form1-client').scrollLeft"), 0,
                 "the client area never scrolls")
    page.keys("Shift+Tab")
    checks.equal(page.focused(), controls[-2]["name"], "Shift+Tab steps back")
    page.set_text("Text1", "")


def check_menus(page, checks):
    page.click("plus")
    page.keys("Alt")
    checks.equal(page.focused(), "view", "Alt goes to the menu bar")
    page.keys("ArrowDown")
    checks.equal((page.focused(), page.in_sight("new")), ("new", True), "Down opens File on New")
    page.keys("ArrowDown")
    checks.equal(page.focused(), "no", "Down reaches View Keyboard")
    page.keys("Escape")
    checks.equal((page.focused(), page.in_sight("new")), ("view", False), "Escape closes File")
    page.keys("Escape")
    checks.equal(page.focused(), "plus", "Escape again gives the focus back")
    page.set_text("Text1", "typed")
    page.keys("F10", "Enter")
    checks.equal(page.focused(), "new", "F10 and Enter open File")
    page.keys("Enter")
    checks.equal((page.text("Text1"), page.focused()), ("", "plus"),
                 "Enter chooses New, and the focus goes back")
    page.click("view")
    checks.that(page.in_sight("new") and page.in_sight("no"), "a click opens File")
    page.click("view")
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
                page.close_message()
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
    page.click("view")
    page.click("no")
    checks.that(page.in_sight("no"), "a greyed item cannot be chosen: its menu stays open")
    page.keys("Escape", "Escape")


def check_accessibility(page, checks):
    if not hasattr(page.browser, "cdp"):
        checks.skip("the accessibility tree", f"{page.browser.name} has no protocol that reads it")
        return
    page.set_text("Text1", "7")
    page.set_text("Text2", "2")
    page.click("times")
    tree = page.browser.cdp("Accessibility.getFullAXTree")["nodes"]

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


def check_modality(page, checks):
    """While a message is open, the rest of the page takes no click and no focus."""
    for box, text in (("Text1", "1"), ("Text2", "0"), ("Text3", "kept")):
        page.set_text(box, text)
    page.click("devises")
    checks.that(page.message(), "dividing by zero shows a message")
    page.browser.click_at(*page.middle("#plus"))
    page.js("document.getElementById('plus').focus()")
    page.keys("Tab")
    checks.equal((page.text("Text3"), page.message() is not None), ("kept", True),
                 "a click on Plus, its focus and Tab do nothing while the message is open")
    checks.that(not page.js("return document.getElementById('Form1').contains(document.activeElement)"),
                "no control of the form has the focus while the message is open")
    page.close_message()
    checks.equal(page.focused(), "devises", "the focus goes back when the message closes")


def audit(page, checks, state):
    """axe-core's audit of the page as it stands: nothing reported."""
    found = page.js(open(AXE, encoding="utf-8").read() +
                    "\nreturn axe.run(document, {runOnly: {type: 'tag', values: arguments[0]}})"
                    ".then((r) => r.violations.map((v) => v.id + ': '"
                    " + v.nodes.map((n) => n.target.join(' ')).join(', ')));", AXE_TAGS)
    checks.equal(found, [], f"axe reports nothing in {state}")


def check_audit(page, checks):
    """The page in each state a user sees it in, audited: the compact view, the
    File menu open, a message shown, the keypad view, then in a dark colour
    scheme and in forced colours (Firefox, which emulates neither, in a browser
    of its own set to each)."""
    page.open()
    audit(page, checks, "the compact view")
    page.click("view")
    audit(page, checks, "the File menu open")
    page.keys("Escape", "Escape")
    page.set_text("Text1", "5")
    page.set_text("Text2", "")
    page.press("devises")
    audit(page, checks, "a message shown")
    page.close_message()
    page.press("no")
    audit(page, checks, "the keypad view")
    for scheme, feature, value, prefs in SCHEMES:
        with contextlib.ExitStack() as stack:
            shown = page
            if hasattr(page.browser, "cdp"):
                page.browser.cdp("Emulation.setEmulatedMedia",
                                 {"features": [{"name": feature, "value": value}]})
                stack.callback(page.browser.cdp, "Emulation.setEmulatedMedia", {"features": []})
            else:
                shown = Calculator(stack.enter_context(engine(page.browser.name, prefs=prefs)),
                                   page.url)
                shown.open()
            if checks.that(shown.js(f"return matchMedia('({feature}: {value})').matches"),
                           f"{scheme} in effect"):
                audit(shown, checks, scheme)


# Cache-Control as static hosts send it: for minutes, for a day, asked again each
# time, and none (the browser's own guess from the file's age).
CACHE_CONTROLS = ["max-age=600", "max-age=86400", "no-cache", None]
PROGRAM_FILES = ["tarquel-calculator.js", "tarquel-calculator.wasm"]
# What the page's own requests for its files give: the service worker's copies,
# which the page ran from; each file's SHA-256.
RUNNING = ("return Promise.all(arguments[0].map((name) => fetch(name).then((r) => r.arrayBuffer())"
           ".then((bytes) => crypto.subtle.digest('SHA-256', bytes)).then((digest) => [name,"
           " Array.from(new Uint8Array(digest), (b) => b.toString(16).padStart(2, '0')).join('')])))"
           ".then(Object.fromEntries)")
KEPT = "return caches.keys()"


def build_of(site):
    """A build's cache, as its service worker names it, and its program's digests."""
    worker = open(os.path.join(site, "service-worker.js"), encoding="utf-8").read()
    prefix, digest = re.search(r"const prefix = '([^']*)';\s*const cache = prefix \+ '(\w+)'",
                               worker).groups()
    return prefix + digest, {name: hashlib.sha256(open(os.path.join(site, name), "rb").read())
                             .hexdigest() for name in PROGRAM_FILES}


def calculates(page):
    page.set_text("Text1", "7")
    page.set_text("Text2", "2")
    page.press("plus")
    return page.text("Text3") == "9"


def check_update(engine_name, checks, first, later):
    """A user who has the app as its host is switched to the next build: the
    page open then keeps working; the next load runs the new build's program,
    and so does a load with no network after it; under each Cache-Control a
    static host sends."""
    first_cache, first_files = build_of(first)
    later_cache, later_files = build_of(later)
    checks.that(first_files != later_files, "the next build's program is another")
    for control in CACHE_CONTROLS:
        how = f"Cache-Control {control}" if control else "no Cache-Control"
        site = Site(first, control)
        try:
            with engine(engine_name) as browser:
                page = Calculator(browser, site.url)
                page.open()
                page.wait(lambda: page.js(KEPT) == [first_cache]
                          and page.js("return !!navigator.serviceWorker.controller"),
                          f"{how}: the first build to be kept", lambda: page.js(KEPT))
                site.serve(later)
                page.open()  # still the kept build, while the next one is fetched
                page.wait(lambda: page.js(KEPT) == [later_cache],
                          f"{how}: the next build to be kept in place of the first",
                          lambda: page.js(KEPT))
                checks.that(calculates(page), f"{how}: the page open through the update calculates")
                for load in ("the next load", "a load with no network after it"):
                    if load != "the next load":
                        site.stop()
                    page.open()
                    checks.equal(page.js(RUNNING, PROGRAM_FILES), later_files,
                                 f"{how}: {load} runs the next build's program")
                    checks.that(calculates(page), f"{how}: {load} calculates")
        finally:
            site.stop()


# Screens the form must fit: CSS size, device scale, touch. Chromium's emulation.
SCREENS = [("a phone upright", 360, 740, 3, True), ("a phone on its side", 740, 360, 3, True),
           ("a tablet", 768, 1024, 2, True), ("a narrow desktop window", 200, 600, 1, False)]


def check_fitted(page, checks, where, touch, controls, client_twips):
    """No sideways scroll, every control in proportion to its twips, and the
    form filling the screen's width (or height) on touch, or the page's width
    where it is narrower than the form."""
    width, height, page_width, scroll = page.js(
        "const r = document.getElementById('Form1').getBoundingClientRect();"
        "return [r.width, r.height, document.body.clientWidth,"
        " document.scrollingElement.scrollWidth - innerWidth];")
    checks.that(scroll <= 0, f"{where}: no sideways scroll")
    zoom = page.client_width() * TWIPS_PER_CSS_PIXEL / (client_twips - FRAME)
    # Filled to 1 %: text and borders round to device pixels as the form zooms.
    close = lambda size, room: room * 0.99 <= size <= room  # noqa: E731
    if touch:
        room = page.js("return innerHeight")
        checks.that((close(width, page_width) and height <= room)
                    or (close(height, room) and width <= page_width),
                    f"{where}: the form fills the screen's width or height")
    else:
        checks.that(close(width, page_width), f"{where}: the form as wide as the page")
    for c in controls:
        want = [c[k] * zoom / TWIPS_PER_CSS_PIXEL for k in ("left", "top", "width", "height")]
        got = page.rect(c["name"])
        checks.that(all(abs(a - b) < 0.1 for a, b in zip(got, want)),
                    f"{where}: {c['name']} where its twips put it: {got} against {want}")


def tap(page, selector):
    """A finger's tap on the middle of an element, as Chromium's touch screen sends it."""
    x, y = page.middle(selector)
    for kind, points in (("touchStart", [{"x": x, "y": y}]), ("touchEnd", [])):
        page.browser.cdp("Input.dispatchTouchEvent", {"type": kind, "touchPoints": points})


def keypad_view(controls, rows):
    """The controls where View Keyboard puts them, by the shared table's row for it."""
    moved = {prop: int(value) for row in rows if row[4] == "no"
             for prop, value in (word.split("=") for word in row[9].split())
             if prop.endswith((".Left", ".Width"))}
    return [dict(c, **{prop.lower(): moved[f"{c['name']}.{prop}"]
                       for prop in ("Left", "Width") if f"{c['name']}.{prop}" in moved})
            for c in controls]


def picture(page, where, view):
    """The upright phone's views as PNGs in $SCREENSHOT_DIR, when it is set."""
    folder = os.environ.get("SCREENSHOT_DIR")
    if folder and where == SCREENS[0][0]:
        page.browser.driver.save_screenshot(os.path.join(folder, f"phone-{view}-view.png"))


FORM_BOX = ("const r = document.getElementById('Form1').getBoundingClientRect();"
            " return [r.x, r.y, r.width, r.height];")


def check_screens(page, checks, controls, rows, frozen_url):
    if not hasattr(page.browser, "cdp"):
        page.browser.resize(200, 600)
        page.open()
        width = page.js("return innerWidth")
        if width * TWIPS_PER_CSS_PIXEL >= 3930:
            checks.skip("a narrow window", f"{page.browser.name}'s window is {width} px at least")
        else:
            check_fitted(page, checks, "a narrow window", False, controls, 3930)
            page.press("devises")
            checks.that(page.message_fits(), "a narrow window: the message fits it")
            page.close_message()
        return
    for where, width, height, scale, touch in SCREENS:
        page.browser.cdp("Emulation.setDeviceMetricsOverride", {
            "width": width, "height": height, "deviceScaleFactor": scale, "mobile": touch})
        page.browser.cdp("Emulation.setTouchEmulationEnabled", {"enabled": touch, "maxTouchPoints": 5})
        # Fitted by the page itself before its first frame, where the program keeps it.
        page.browser.goto(frozen_url)
        page.js("return new Promise((drawn) => requestAnimationFrame(drawn))")
        drawn = page.js(FORM_BOX)
        page.open()
        checks.equal(page.js(FORM_BOX), drawn, f"{where}: the form where the page alone drew it")
        checks.equal(page.js("return matchMedia('(pointer: coarse)').matches"), touch,
                     f"{where}: a coarse pointer where touched")
        compact = [c for c in controls if c["left"] < 3840]
        check_fitted(page, checks, f"{where}, compact", touch, compact, 3930)
        picture(page, where, "compact")
        if touch:
            tap(page, "#view")
            tap(page, "#no")
        else:
            page.press("no")
        check_fitted(page, checks, f"{where}, keypad", touch, keypad_view(controls, rows), 6360)
        picture(page, where, "keypad")
        if touch:
            for key in ("#Command9", "#Command20", "#devises"):
                tap(page, key)
            checks.equal((page.text("Text1"), page.text("Text2"), page.message() is not None),
                         ("9", "0", True), f"{where}: taps on keys and Devises")
            checks.that(page.message_fits(), f"{where}: the message fits the screen")
            tap(page, "dialog[open] button")
            checks.that(page.message() is None, f"{where}: a tap on OK closes the message")
    page.browser.cdp("Emulation.clearDeviceMetricsOverride")
    page.browser.cdp("Emulation.setTouchEmulationEnabled", {"enabled": False})


def check_faults(page, checks, faulty_url):
    """Faults put in on purpose: a C++ exception from File > New, and a JavaScript
    exception from a call into the page that Minus makes. Each is reported as an
    internal error, the program ends, and nothing reaches the browser uncaught."""
    # The whole message: the handler's name and the exception's own text, which
    # for a JavaScript exception is the engine's.
    for press, handler, what in (("new", "new_Click", re.escape("vector")),
                                 ("minus", "minus_Click", "InvalidCharacterError: .+")):
        page.open(faulty_url)
        page.press(press)
        shown = page.message() or ""
        if not checks.that(re.fullmatch(f"Error 1005: Internal error in {handler}: {what}"
                                        + re.escape(". The calculator must close; please report this."),
                                        shown), f"a fault in {handler} is reported: {shown!r}"):
            continue
        page.close_message()
        page.wait(lambda: page.js("return !!document.querySelector('.ended')"), "the end")
        checks.that(page.js("return !document.getElementById('Form1')"),
                    f"and the program ends after the fault in {handler}")
        checks.equal(page.js("return uncaught"), [], f"nothing uncaught after the fault in {handler}")
    logged = page.browser.errors()
    if logged is None:
        checks.skip("the browser's log after the faults", f"WebDriver gives no log of {page.browser.name}'s")
    else:
        checks.equal([e for e in logged if "ncaught" in e], [], "nothing uncaught in the browser's log")


def check_long_box(page, checks):
    huge = ("a\u00e4\u20ac\U0001d11e" * 25_000)
    page.set_text("Text2", huge)
    page.press("Command11")
    checks.that(page.text("Text2") == huge + "1", "a box of 100,000 characters comes back whole")
    # Read out by its last 100 UTF-16 units, which here end no character halfway.
    heard = (huge + "1").encode("utf-16-le")[-200:].decode("utf-16-le")
    checks.equal(page.js("return document.querySelector('[aria-live=polite]').textContent"), heard,
                 "and is read out by its end")


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
    page.browser.click(".ended button")
    page.wait(lambda: page.js_or_none("return !document.querySelector('.ended')"), "the page to reload")
    page.wait(page.ready, "Start again to bring the form back with no network",
              lambda: page.js_or_none("return document.URL"))
    checks.equal(page.text("Text1"), "", "with no network, Start again brings it back from the kept files")
    page.open()
    checks.equal(page.text("Text1"), "", "and so does a visit")
    page.set_text("Text1", "7")
    page.set_text("Text2", "2")
    page.press("plus")
    checks.equal(page.text("Text3"), "9", "and calculates")


def check_app_window(page, checks, scale):
    """The window's inside is the form, the client area and the menu bar above it,
    and nothing of the page lies beyond it. A window is resized by whole CSS
    pixels and comes out in whole device pixels: at a fractional scale the form
    fits exactly only by chance, and the inside may be up to 2 CSS pixels more."""
    slack = 0 if scale == int(scale) else 2

    def sizes():  # the window's inside and the form's
        return page.js("const r = document.getElementById('Form1').getBoundingClientRect();"
                       "return [visualViewport.width, visualViewport.height, r.width, r.height]")

    def fits():
        width, height, form_width, form_height = sizes()
        return 0 <= width - form_width <= slack and 0 <= height - form_height <= slack

    def scrolls():
        return page.js("const s = document.scrollingElement;"
                       "return s.scrollWidth > s.clientWidth || s.scrollHeight > s.clientHeight")
    checks.that(page.js("return matchMedia('(display-mode: standalone)').matches"),
                "an app window")
    for view, width in (("compact", 3930), ("keypad", 6360)):
        if view == "keypad":
            page.press("no")
        page.wait(fits, f"the window to fit the {view} view", sizes)
        checks.equal(page.client_width(), (width - FRAME) / TWIPS_PER_CSS_PIXEL,
                     f"{view} client width")
        checks.that(fits(), f"the window fits the {view} view at scale {scale}")
        checks.that(not scrolls(), f"nothing beyond the {view} view at scale {scale}")
        if view == "compact":
            page.press("devises")
            checks.that(page.message_fits(), f"the message fits the compact view at scale {scale}")
            page.close_message()
    def closed():  # with its only window, the browser goes, and its session with it
        try:
            return not page.browser.driver.window_handles
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
    parser.add_argument("--engine", choices=ENGINES, default="chromium")
    parser.add_argument("--scale", type=float, default=1.0)
    parser.add_argument("--language", default="en-US")
    parser.add_argument("--separator", default=".")
    parser.add_argument("--faulty-site")
    parser.add_argument("--app", action="store_true")
    parser.add_argument("--audit", action="store_true", help="axe-core's audit too")
    parser.add_argument("--update", metavar="NEXT", help="only the update to the build in NEXT")
    args = parser.parse_args()
    caption, controls = read_description(args.source)
    rows = read_cases(args.source)
    checks = Checks()
    started = time.monotonic()
    if args.update:
        check_update(args.engine, checks, args.site, args.update)
        print(checks.closing())
        return 1 if checks.failed else 0
    site = Site(args.site)
    faulty = Site(args.faulty_site) if args.faulty_site else None
    scratch = tempfile.TemporaryDirectory()
    frozen_folder = os.path.join(scratch.name, "site")
    shutil.copytree(args.site, frozen_folder, ignore=shutil.ignore_patterns(*PROGRAM_FILES))
    frozen = Site(frozen_folder)
    try:
        if args.app:
            with desktop() as display:
                for scale in (1, 1.5):
                    with engine("chromium", scale, app=site.url, display=display) as browser:
                        page = Calculator(browser, site.url)
                        page.wait(lambda: page.js("return !!document.getElementById('Form1')"), "the form")
                        check_app_window(page, checks, scale)
        else:
            with engine(args.engine, args.scale, args.language) as browser:
                page = Calculator(browser, site.url)
                page.open()
                print(f"{args.engine}: navigator.language is {page.js('return navigator.language')!r}")
                check_before_start(page, checks, controls, frozen.url)
                check_layout(page, checks, caption, controls, args.scale)
                check_compact_view_and_focus(page, checks, controls)
                check_menus(page, checks)
                check_cases(page, checks, rows, args.separator)
                check_modality(page, checks)
                check_keypad_view(page, checks, controls)
                check_accessibility(page, checks)
                if args.audit:
                    check_audit(page, checks)
                check_long_box(page, checks)
                checks.equal(page.js("return uncaught"), [], "nothing uncaught in the page")
                check_exit_and_offline(page, checks, site)
                errors = browser.errors()
                if errors is None:
                    checks.skip("the browser's log (CSP, scripts, requests)",
                                f"WebDriver gives no log of {args.engine}'s")
                else:
                    checks.equal(errors, [], "nothing went wrong in the page (CSP, scripts, requests)")
                if faulty:
                    check_faults(page, checks, faulty.url)
                check_screens(page, checks, controls, rows, frozen.url)
    finally:
        site.stop()
        frozen.stop()
        scratch.cleanup()
        if faulty:
            faulty.stop()
    print(f"web test in {args.engine} at scale {args.scale}, {args.language}: "
          f"{time.monotonic() - started:.1f} s")
    print(checks.closing())
    return 1 if checks.failed else 0


if __name__ == "__main__":
    sys.exit(main())
