#!/usr/bin/env python3
"""The web app's time to its first frame with every control in place, in each
browser engine (Chromium, Firefox, WebKit), beside the same page without its
program (what the browser alone costs to draw the form) and an empty page of
the same site (its style, no program), each in a new browser and profile so
that nothing is cached; Chromium also at a phone's speed; and the site's
size, raw and compressed. Prints Markdown.

Times are from the start of navigation, watched from the page's head on: the
first frame that has every control, and when the form, drawn, takes input
(shown, or no longer inert); and, where the engine reports long tasks
(Chromium), how many loads had one over 50 ms, and the longest.

Usage: web_first_frame.py SITE SOURCE RUNS [ENGINE...]   (as SPEEDS names them)"""

import gzip
import os
import re
import shutil
import statistics
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(sys.argv[2], "tests", "web"))
from browser import Site, engine  # noqa: E402

# Loaded first in the page's head (a copy of it), it watches frame by frame
# from the start until the page's controls are all drawn (at once for the empty
# page), and for the form to take input, and keeps those times and what came
# before them; and Chromium's long tasks.
PROBE = """
const wanted = Number(document.currentScript.dataset.wanted);
const staysInert = 'inert' in document.currentScript.dataset; // no program to end it
const controls = '#Form1:not([hidden]) .client :is(button, input, .line)';
window.longestTask = null;
if (PerformanceObserver.supportedEntryTypes.includes('longtask')) {
  window.longestTask = 0;
  new PerformanceObserver((list) => {
    for (const task of list.getEntries())
      longestTask = Math.max(longestTask, task.duration);
  }).observe({type: 'longtask'});
}
// Live: the form takes input, once the program has shown it or ended its
// inertness, which is when no frame need follow for a press to reach it.
let drawn = null, live = null;
const isLive = () => document.querySelector('#Form1:not([hidden]):not([inert])') !== null;
new MutationObserver(() => {
  if (live === null && isLive())
    live = performance.now();
}).observe(document, {subtree: true, attributes: true, attributeFilter: ['hidden', 'inert']});
function frame(now) {
  if (drawn === null && document.querySelectorAll(controls).length >= wanted)
    drawn = now;
  if (live === null && (!wanted || staysInert || isLive()))
    live = now;
  if (drawn === null || live === null) {
    requestAnimationFrame(frame);
    return;
  }
  const nav = performance.getEntriesByType('navigation')[0];
  const fetched = (end) => Math.max(0, ...performance.getEntriesByType('resource')
    .filter((r) => r.name.endsWith(end)).map((r) => r.responseEnd));
  const done = () => {
    window.firstFrame = [drawn, nav.responseEnd, nav.domContentLoadedEventEnd, fetched('calculator.js'),
                         fetched('.wasm'), staysInert ? null : Math.max(drawn, live)];
  };
  document.readyState === 'complete' ? done() : addEventListener('load', done);
}
requestAnimationFrame(frame);
"""


# Each page the bench loads, and what the report calls it.
PAGES = (("index.html", "the calculator"), ("form.html", "its page without the program"),
         ("empty.html", "an empty page of the site"))


# The engines as the report names them, each with the slowdown of the CPU that
# Chromium is told to apply: 4, a phone's, as Lighthouse's mobile preset takes it.
SPEEDS = {"chromium": ("chromium", 1), "chromium at a phone's speed (CPU 4× slower)": ("chromium", 4),
          "firefox": ("firefox", 1), "webkit": ("webkit", 1)}


def measure(name, site_url, page):
    kind, slowdown = SPEEDS[name]
    with engine(kind) as browser:
        if slowdown > 1:
            browser.cdp("Emulation.setCPUThrottlingRate", {"rate": slowdown})
        browser.goto(site_url + page)
        deadline = time.monotonic() + 30
        while (times := browser.js("return window.firstFrame || null")) is None:
            if time.monotonic() > deadline:
                raise SystemExit(f"{name}: no frame with every control of {page} in 30 s")
            time.sleep(0.02)
        time.sleep(0.2)  # the tasks of start-up reported
        return times + [browser.js("return window.longestTask")]


def main():
    site, runs = sys.argv[1], int(sys.argv[3])
    engines = sys.argv[4:] or SPEEDS
    results = {}
    with tempfile.TemporaryDirectory() as folder:
        served = os.path.join(folder, "site")
        shutil.copytree(site, served)
        with open(os.path.join(served, "probe.js"), "w") as probe:
            probe.write(PROBE)
        with open(os.path.join(served, "empty.html"), "w") as empty:
            empty.write('<!doctype html><meta charset="utf-8"><script src="probe.js" data-wanted="0">'
                        '</script><title>empty</title><link rel="stylesheet" href="style.css">')
        page = os.path.join(served, "index.html")
        with open(page) as original:
            text = original.read()
        # 28 controls and 2 lines
        probe = '<head>\n<script src="probe.js" data-wanted="30"{}></script>'
        with open(page, "w") as probed:
            probed.write(text.replace("<head>", probe.format(""), 1))
        with open(os.path.join(served, "form.html"), "w") as form:
            program = re.compile(r"<script src=[^>]*></script>")
            form.write(program.sub("", text).replace("<head>", probe.format(" data-inert"), 1))
        server = Site(served)
        try:
            for name in engines:
                measure(name, server.url, "index.html")  # the browser's own files warmed
                rows = results[name] = ([], [], [])
                for _ in range(runs):
                    for (page, _), row in zip(PAGES, rows):
                        row.append(measure(name, server.url, page))
        finally:
            server.stop()

    def median(rows, column):
        return statistics.median(row[column] for row in rows)

    def spread(rows, column):
        times = [row[column] for row in rows]
        if None in times:
            return "never"
        return f"{statistics.median(times):.1f} ({min(times):.1f}–{max(times):.1f})"

    def long_tasks(rows):
        tasks = [row[6] for row in rows if row[6] is not None]
        if not tasks:
            return "not reported"
        loads = sum(task > 0 for task in tasks)
        longest = f", longest {max(tasks):.0f} ms" if loads else ""
        return f"{loads} of {len(tasks)} loads{longest}"

    print("| Engine | Page | First frame with every control, ms: median (range) "
          "| Takes input, ms: median (range) | Tasks over 50 ms |")
    print("|---|---|---|---|---|")
    for name, rows in results.items():
        for (_, page), row in zip(PAGES, rows):
            print(f"| {name} | {page} | {spread(row, 0)} | {spread(row, 5)} | {long_tasks(row)} |")
    for name, (app, form, empty) in results.items():
        print()
        print(f"In {name} the calculator's first frame takes {median(app, 0) / median(empty, 0):.2f} "
              f"times the empty page's, and its page without the program "
              f"{median(form, 0) / median(empty, 0):.2f}. Where its time goes (medians, ms from the start of "
              f"navigation): page received {median(app, 1):.1f}, parsed {median(app, 2):.1f}, "
              f"JavaScript received {median(app, 3):.1f}, WebAssembly received "
              f"{median(app, 4):.1f}, form drawn {median(app, 0):.1f}, taking input "
              f"{median(app, 5):.1f}.")
    print()
    print("| Site file | Size, bytes | gzip -9, bytes |")
    print("|---|---|---|")
    raw_total = packed_total = 0
    for name in sorted(os.listdir(site)):
        data = open(os.path.join(site, name), "rb").read()
        packed = len(gzip.compress(data, 9, mtime=0))
        raw_total += len(data)
        packed_total += packed
        print(f"| {name} | {len(data)} | {packed} |")
    print(f"| all | {raw_total} | {packed_total} |")


if __name__ == "__main__":
    main()
