#!/usr/bin/env python3
"""The web app's time to its first frame with every control in place, in
headless Chromium, beside an empty page of the same site (its style, no
program), each in a new browser and profile so that nothing is cached; and the
site's size, raw and compressed. Prints Markdown.

Usage: web_first_frame.py SITE SOURCE RUNS"""

import gzip
import os
import shutil
import statistics
import sys
import tempfile

sys.path.insert(0, os.path.join(sys.argv[2], "tests", "web"))
from browser import Site, chromium  # noqa: E402

# Waits, frame by frame, until the page's controls are all there (at once for
# the empty page), and gives the time of that frame and of what came before it.
FIRST_FRAME = """
const done = arguments[arguments.length - 1];
const wanted = arguments[0];
function frame(now) {
  if (document.querySelectorAll('#Form1:not([hidden]) .client > *').length < wanted) {
    requestAnimationFrame(frame);
    return;
  }
  const nav = performance.getEntriesByType('navigation')[0];
  const fetched = (end) => Math.max(0, ...performance.getEntriesByType('resource')
    .filter((r) => r.name.endsWith(end)).map((r) => r.responseEnd));
  done([now, nav.responseEnd, nav.domContentLoadedEventEnd, fetched('.js'), fetched('.wasm')]);
}
requestAnimationFrame(frame);
"""


def measure(site_url, page, controls):
    with chromium() as driver:
        driver.set_script_timeout(30)
        driver.get(site_url + page)
        return driver.execute_async_script(FIRST_FRAME, controls)


def main():
    site, source, runs = sys.argv[1], sys.argv[2], int(sys.argv[3])
    with tempfile.TemporaryDirectory() as folder:
        served = os.path.join(folder, "site")
        shutil.copytree(site, served)
        with open(os.path.join(served, "empty.html"), "w") as empty:
            empty.write('<!doctype html><meta charset="utf-8"><title>empty</title>'
                        '<link rel="stylesheet" href="style.css">')
        server = Site(served)
        try:
            controls = 30  # 28 controls and 2 lines
            measure(server.url, "index.html", controls)  # warm-up of the browser's own files
            app, empty = [], []
            for _ in range(runs):
                app.append(measure(server.url, "index.html", controls))
                empty.append(measure(server.url, "empty.html", 0))
        finally:
            server.stop()

    def median(rows, column):
        return statistics.median(row[column] for row in rows)

    print("| Page | First frame with every control, ms: median (range) |")
    print("|---|---|")
    for name, rows in (("the calculator", app), ("an empty page of the site", empty)):
        times = [row[0] for row in rows]
        print(f"| {name} | {statistics.median(times):.1f} ({min(times):.1f}–{max(times):.1f}) |")
    print()
    print(f"The calculator's first frame takes {median(app, 0) / median(empty, 0):.2f} times the "
          "empty page's. Where its time goes (medians, ms from the start of navigation): "
          f"page received {median(app, 1):.1f}, parsed {median(app, 2):.1f}, JavaScript "
          f"received {median(app, 3):.1f}, WebAssembly received {median(app, 4):.1f}, "
          f"form built and drawn {median(app, 0):.1f}.")
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
