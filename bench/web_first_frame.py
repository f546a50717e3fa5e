#!/usr/bin/env python3
"""The web app's time to its first frame with every control in place, in each
browser engine (Chromium, Firefox, WebKit), beside an empty page of the same
site (its style, no program), each in a new browser and profile so that nothing
is cached; and the site's size, raw and compressed. Prints Markdown.

The frames are counted from the page's load, when every engine's driver hands
it over: the first frame after it that has every control, for either page,
and when the form, drawn, takes input (shown, or no longer inert); and, where the
engine reports long tasks (Chromium), the longest over 50 ms (0: none) of any run.

Usage: web_first_frame.py SITE SOURCE RUNS [ENGINE...]"""

import gzip
import os
import shutil
import statistics
import sys
import tempfile
import time

sys.path.insert(0, os.path.join(sys.argv[2], "tests", "web"))
from browser import ENGINES, Site, engine  # noqa: E402

# Loaded first in the page's head (a copy of it), it watches frame by frame
# from the start until the page's controls are all drawn (at once for the empty
# page), and for the form to take input, and keeps those times and what came
# before them; and Chromium's long tasks.
PROBE = """
const wanted = Number(document.currentScript.dataset.wanted);
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
  if (live === null && (!wanted || isLive()))
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
                         fetched('.wasm'), Math.max(drawn, live)];
  };
  document.readyState === 'complete' ? done() : addEventListener('load', done);
}
requestAnimationFrame(frame);
"""


def measure(name, site_url, page):
    with engine(name) as browser:
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
    engines = sys.argv[4:] or ENGINES
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
        with open(page, "w") as probed:  # 28 controls and 2 lines
            probed.write(text.replace("<head>", '<head>\n<script src="probe.js" data-wanted="30">'
                                      "</script>", 1))
        server = Site(served)
        try:
            for name in engines:
                measure(name, server.url, "index.html")  # the browser's own files warmed
                rows = results[name] = ([], [])
                for _ in range(runs):
                    rows[0].append(measure(name, server.url, "index.html"))
                    rows[1].append(measure(name, server.url, "empty.html"))
        finally:
            server.stop()

    def median(rows, column):
        return statistics.median(row[column] for row in rows)

    def spread(rows, column):
        times = [row[column] for row in rows]
        return f"{statistics.median(times):.1f} ({min(times):.1f}–{max(times):.1f})"

    def longest(rows):
        tasks = [row[6] for row in rows if row[6] is not None]
        return f"{max(tasks):.0f}" if tasks else "not reported"

    print("| Engine | Page | First frame with every control, ms: median (range) "
          "| Takes input, ms: median (range) | Longest task over 50 ms, ms |")
    print("|---|---|---|---|---|")
    for name, (app, empty) in results.items():
        for page, rows in (("the calculator", app), ("an empty page of the site", empty)):
            print(f"| {name} | {page} | {spread(rows, 0)} | {spread(rows, 5)} | {longest(rows)} |")
    for name, (app, empty) in results.items():
        print()
        print(f"In {name} the calculator's first frame takes {median(app, 0) / median(empty, 0):.2f} "
              "times the empty page's. Where its time goes (medians, ms from the start of "
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
