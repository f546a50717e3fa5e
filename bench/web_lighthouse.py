#!/usr/bin/env python3
"""Lighthouse's performance audit of the built site, served on this machine,
in Debian's Chromium: its mobile preset (a phone's screen, a 4× slower CPU and
a slow network, simulated) and its desktop preset, each run RUNS times in a new
profile. Prints Markdown: the medians of the score and of the metrics, and the
longest main-thread task any run saw.

Usage: web_lighthouse.py SITE SOURCE RUNS"""

import json
import os
import statistics
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.join(sys.argv[2], "tests", "web"))
from browser import Site  # noqa: E402

LIGHTHOUSE = os.path.join(sys.argv[2], "bench", "lighthouse", "node_modules", ".bin", "lighthouse")
PRESETS = (("mobile", []), ("desktop", ["--preset=desktop"]))
# The report's columns: Lighthouse's audit, its heading, and how it is shown.
METRICS = (("first-contentful-paint", "First paint, ms", "{:.0f}"),
           ("largest-contentful-paint", "Largest paint, ms", "{:.0f}"),
           ("speed-index", "Speed index, ms", "{:.0f}"),
           ("total-blocking-time", "Total blocking time, ms", "{:.0f}"),
           ("cumulative-layout-shift", "Layout shift", "{:.3f}"))


def audit(url, flags, folder):
    """One Lighthouse run: its report as a dictionary."""
    report = os.path.join(folder, "report.json")
    subprocess.run([LIGHTHOUSE, url, *flags, "--chrome-path=/usr/bin/chromium",
                    f"--chrome-flags=--headless=new --no-sandbox --user-data-dir={folder}/profile",
                    "--only-categories=performance", "--output=json", f"--output-path={report}",
                    "--quiet"], check=True, stdout=subprocess.DEVNULL)
    with open(report) as file:
        return json.load(file)


def longest_task(report):
    tasks = report["audits"]["long-tasks"].get("details", {}).get("items", [])
    return max((task["duration"] for task in tasks), default=0)


def main():
    site, runs = sys.argv[1], int(sys.argv[3])
    server = Site(site)
    try:
        rows = []
        for preset, flags in PRESETS:
            reports = []
            for _ in range(runs):
                with tempfile.TemporaryDirectory() as folder:
                    reports.append(audit(server.url, flags, folder))
            score = statistics.median(r["categories"]["performance"]["score"] * 100 for r in reports)
            cells = [f"{score:.0f}"]
            for name, _, shown in METRICS:
                cells.append(shown.format(statistics.median(
                    r["audits"][name]["numericValue"] for r in reports)))
            cells.append(f"{max(longest_task(r) for r in reports):.0f}")
            rows.append(f"| {preset} | " + " | ".join(cells) + " |")
    finally:
        server.stop()
    print(f"Lighthouse {reports[0]['lighthouseVersion']}, {runs} runs of each preset, medians; "
          "the longest task is the longest over 50 ms in any run (0: none).")
    print()
    print("| Preset | Score | " + " | ".join(heading for _, heading, _ in METRICS) +
          " | Longest task, ms |")
    print("|---" * (len(METRICS) + 3) + "|")
    print("\n".join(rows))


main()
