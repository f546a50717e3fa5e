#!/usr/bin/env python3
"""The web app's time to its first frame with every control in place, in each
browser engine (Chromium, Firefox, WebKit), beside an empty page of the same
site (its style, no program), each in a new browser and profile so that nothing
is cached; and the site's size, raw and compressed. Prints Markdown.

The frames are counted from the page's load, when every engine's driver hands
it over: the first frame after it that has every control, for either page.

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

# Watches frame by frame until the page's controls are all there (at once for
# the empty page), and keeps the time of that frame and of what came before it.
FIRST_FRAME = """
const wanted = arguments[0];
function frame(now) {
  if (document.querySelectorAll('#Form1:not([hidden]) .client > *').length < wanted) {
    requestAnimationFrame(frame);
    return;
  }
  const nav = performance.getEntriesByType('navigation')[0];
  const fetched = (end) => Math.max(0, ...performance.getEntriesByType('resource')
    .filter((r) => r.name.endsWith(end)).map((r) => r.responseEnd));
  window.firstFrame = [now, nav.responseEnd, nav.domContentLoadedEventEnd, fetched('.js'),
                       fetched('.wasm')];
}
requestAnimationFrame(frame);
"""


def measure(name, site_url, page, controls):
    with engine(name) as browser:
        browser.goto(site_url + page)
        browser.js(FIRST_FRAME, controls)
        deadline = time.monotonic() + 30
        while (times := browser.js("return window.firstFrame || null")) is None:
            if time.monotonic() > deadline:
                raise SystemExit(f"{name}: no frame with every control of {page} in 30 s")
            time.sleep(0.02)
        return times


def main():
    site, runs = sys.argv[1], int(sys.argv[3])
    engines = sys.argv[4:] or ENGINES
    results = {}
    with tempfile.TemporaryDirectory() as folder:
        served = os.path.join(folder, "site")
        shutil.copytree(site, served)
        with open(os.path.join(served, "empty.html"), "w") as empty:
            empty.write('<!doctype html><meta charset="utf-8"><title>empty</title>'
                        '<link rel="stylesheet" href="style.css">')
        server = Site(served)
        try:
            controls = 30  # 28 controls and 2 lines
            for name in engines:
                measure(name, server.url, "index.html", controls)  # the browser's own files warmed
                rows = results[name] = ([], [])
                for _ in range(runs):
                    rows[0].append(measure(name, server.url, "index.html", controls))
                    rows[1].append(measure(name, server.url, "empty.html", 0))
        finally:
            server.stop()

    def median(rows, column):
        return statistics.median(row[column] for row in rows)

    print("| Engine | Page | First frame with every control, ms: median (range) |")
    print("|---|---|---|")
    for name, (app, empty) in results.items():
        for page, rows in (("the calculator", app), ("an empty page of the site", empty)):
            times = [row[0] for row in rows]
            print(f"| {name} | {page} | {statistics.median(times):.1f} "
                  f"({min(times):.1f}–{max(times):.1f}) |")
    for name, (app, empty) in results.items():
        print()
        print(f"In {name} the calculator's first frame takes {median(app, 0) / median(empty, 0):.2f} "
              "times the empty page's. Where its time goes (medians, ms from the start of "
              f"navigation): page received {median(app, 1):.1f}, parsed {median(app, 2):.1f}, "
              f"JavaScript received {median(app, 3):.1f}, WebAssembly received "
              f"{median(app, 4):.1f}, form built and drawn {median(app, 0):.1f}.")
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
