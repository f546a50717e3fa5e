"""The web app's site served on this machine and Chromium driving it, headless,
over WebDriver: what the web tests and the benchmark share. Both stop with
the `with` block, so that nothing stays running."""

import contextlib
import functools
import http.server
import os
import subprocess
import tempfile
import threading

from selenium import webdriver
from selenium.common.exceptions import WebDriverException
from selenium.webdriver.chrome.service import Service


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json"}

    def log_message(self, *args):
        pass


class Site:
    """A folder served on a free port of the loopback address until stop()."""

    def __init__(self, folder):
        handler = functools.partial(QuietHandler, directory=folder)
        self.server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
        self.url = f"http://127.0.0.1:{self.server.server_port}/"
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    def stop(self):
        if self.thread:
            self.server.shutdown()
            self.server.server_close()
            self.thread = None


@contextlib.contextmanager
def desktop():
    """An X display of its own with a window manager, for a window of Chromium's."""
    server = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24",
                               "-nolisten", "tcp"], stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL)
    number = server.stdout.readline().strip().decode()
    manager = subprocess.Popen(["openbox"], env=dict(os.environ, DISPLAY=f":{number}"),
                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        yield f":{number}"
    finally:
        manager.terminate()
        server.terminate()
        manager.wait()
        server.wait()


@contextlib.contextmanager
def chromium(scale=1.0, language="en-US", app=None, display=None):
    """Debian's Chromium in a profile of its own that goes with it: headless, or
    with `app` an app window of that address on `display`. The network beyond
    this machine is never asked for anything."""
    with tempfile.TemporaryDirectory(prefix="calculator-chromium-") as profile:
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        mode = [f"--app={app}"] if app else ["--headless=new"]
        for argument in mode + ["--no-sandbox", "--disable-gpu", "--disable-quic",
                         "--no-first-run", "--disable-background-networking",
                         "--disable-component-update", "--disable-sync",
                         "--disable-default-apps", "--disable-extensions",
                         f"--user-data-dir={profile}", f"--force-device-scale-factor={scale}",
                         f"--lang={language}"] + ([] if app else ["--window-size=800,600"]):
            options.add_argument(argument)
        options.add_experimental_option("prefs", {"intl.accept_languages": language})
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        environment = dict(os.environ, DISPLAY=display) if display else None
        driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver", env=environment),
                                  options=options)
        try:
            yield driver
        finally:
            try:
                driver.quit()
            except WebDriverException:
                pass  # the browser has gone already: its only window was closed
