"""The web app's site served on this machine and Chromium driving it, headless,
over WebDriver: what the web tests and the benchmark share. Both stop with
the `with` block, so that nothing stays running."""

import contextlib
import functools
import http.server
import tempfile
import threading

from selenium import webdriver
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
def chromium(scale=1.0, language="en-US"):
    """Debian's Chromium, headless, in a profile of its own that goes with it.
    The network beyond this machine is never asked for anything."""
    with tempfile.TemporaryDirectory(prefix="calculator-chromium-") as profile:
        options = webdriver.ChromeOptions()
        options.binary_location = "/usr/bin/chromium"
        for argument in ["--headless=new", "--no-sandbox", "--disable-gpu", "--disable-quic",
                         "--no-first-run", "--disable-background-networking",
                         "--disable-component-update", "--disable-sync",
                         "--disable-default-apps", "--disable-extensions",
                         f"--user-data-dir={profile}", f"--force-device-scale-factor={scale}",
                         f"--lang={language}", "--window-size=800,600"]:
            options.add_argument(argument)
        options.add_experimental_option("prefs", {"intl.accept_languages": language})
        options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
        driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver"), options=options)
        try:
            yield driver
        finally:
            driver.quit()
