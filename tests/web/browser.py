"""The web app's site served on this machine and the three browser engines
driving it, each through one small interface: what the web tests and the
benchmark share. Everything started stops with its `with` block, so that
nothing stays running.

- Chromium: headless, over WebDriver (chromedriver); it alone has the
  DevTools protocol, for the accessibility tree and device emulation.
- Firefox ESR: headless, over its own WebDriver BiDi, through puppeteer-core
  (firefox_driver.mjs); Debian has no geckodriver.
- WebKitGTK: its MiniBrowser on an X display of its own, over WebDriver
  (WebKitWebDriver). WebDriver gives no browser log of WebKit's."""

import contextlib
import functools
import http.server
import json
import os
import socket
import subprocess
import sys
import tempfile
import threading
import time

from selenium import webdriver
from selenium.common.exceptions import WebDriverException
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.by import By
from selenium.webdriver.common.keys import Keys

HERE = os.path.dirname(os.path.abspath(__file__))
ENGINES = ("chromium", "firefox", "webkit")


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    extensions_map = {**http.server.SimpleHTTPRequestHandler.extensions_map,
                      ".wasm": "application/wasm", ".webmanifest": "application/manifest+json"}

    def log_message(self, *args):
        pass

    def end_headers(self):
        if self.server.cache_control:
            self.send_header("Cache-Control", self.server.cache_control)
        super().end_headers()


class QuietServer(http.server.ThreadingHTTPServer):
    def handle_error(self, request, client_address):
        # A browser closed while a file was on its way is no fault of the site's.
        if not isinstance(sys.exc_info()[1], ConnectionError):
            super().handle_error(request, client_address)


class Site:
    """A folder served on a free port of the loopback address until stop(),
    each file with this Cache-Control, if any, as a static host sends it."""

    def __init__(self, folder, cache_control=None):
        self.server = QuietServer(("127.0.0.1", 0), None)
        self.server.cache_control = cache_control
        self.serve(folder)
        self.url = f"http://127.0.0.1:{self.server.server_port}/"
        self.thread = threading.Thread(target=self.server.serve_forever, daemon=True)
        self.thread.start()

    def serve(self, folder):
        """Another folder's files from the next request on: a new build deployed."""
        self.server.RequestHandlerClass = functools.partial(QuietHandler, directory=folder)

    def stop(self):
        if self.thread:
            self.server.shutdown()
            self.server.server_close()
            self.thread = None


@contextlib.contextmanager
def desktop(manager=True):
    """An X display of its own, with a window manager unless told not to."""
    server = subprocess.Popen(["Xvfb", "-displayfd", "1", "-screen", "0", "1024x768x24",
                               "-nolisten", "tcp"], stdout=subprocess.PIPE,
                              stderr=subprocess.DEVNULL)
    number = server.stdout.readline().strip().decode()
    managing = subprocess.Popen(["openbox"], env=dict(os.environ, DISPLAY=f":{number}"),
                                stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL) if manager else None
    try:
        yield f":{number}"
    finally:
        for process in filter(None, (managing, server)):
            process.terminate()
            process.wait()


# Keys by their W3C names, "Shift+Tab" for a key pressed with a modifier; a
# character stands for itself.
SELENIUM_KEYS = {"Tab": Keys.TAB, "Alt": Keys.ALT, "F10": Keys.F10, "Enter": Keys.ENTER,
                 "Escape": Keys.ESCAPE, "ArrowDown": Keys.ARROW_DOWN, "ArrowUp": Keys.ARROW_UP,
                 " ": Keys.SPACE, "Shift": Keys.SHIFT}


class SeleniumEngine:
    """Chromium and WebKit, over WebDriver."""

    def __init__(self, name, driver, logs):
        self.name, self.driver, self.logs = name, driver, logs

    def goto(self, url):
        self.driver.get(url)

    def js(self, script, *args):
        return self.driver.execute_script(script, *args)

    def click(self, selector):
        self.driver.find_element(By.CSS_SELECTOR, selector).click()

    def click_at(self, x, y):
        actions = ActionBuilder(self.driver)
        actions.pointer_action.move_to_location(round(x), round(y)).click()
        actions.perform()

    def resize(self, width, height):
        """The window's outer size, which is all WebDriver sets."""
        self.driver.set_window_rect(width=width, height=height)

    def keys(self, *keys):
        actions = ActionChains(self.driver)
        for key in keys:
            modifier, _, pressed = key.rpartition("+") if len(key) > 1 else ("", "", key)
            if modifier:
                actions.key_down(SELENIUM_KEYS[modifier])
            actions.send_keys(SELENIUM_KEYS.get(pressed, pressed))
            if modifier:
                actions.key_up(SELENIUM_KEYS[modifier])
        actions.perform()

    def errors(self):
        """What the page logged as errors since the last call, or None where the
        engine does not say."""
        if not self.logs:
            return None
        return [e["message"] for e in self.driver.get_log("browser") if e["level"] == "SEVERE"]


class ChromiumEngine(SeleniumEngine):
    def cdp(self, command, parameters=None):
        """Chromium's DevTools protocol; no other engine has it."""
        return self.driver.execute_cdp_cmd(command, parameters or {})


class FirefoxEngine:
    """Firefox, through the puppeteer-core process that drives it."""
    name = "firefox"

    def __init__(self, process):
        self.process = process

    def request(self, request, **parameters):
        self.process.stdin.write(json.dumps({"request": request, **parameters}) + "\n")
        self.process.stdin.flush()
        answer = self.process.stdout.readline()
        if not answer:
            raise WebDriverException("Firefox's driver ended")
        answer = json.loads(answer)
        if "error" in answer:
            raise WebDriverException(answer["error"])
        return answer["value"]

    def goto(self, url):
        self.request("goto", url=url)

    def js(self, script, *args):
        return self.request("js", script=script, args=list(args))

    def click(self, selector):
        self.request("click", selector=selector)

    def click_at(self, x, y):
        self.request("click_at", x=x, y=y)

    def resize(self, width, height):
        self.request("viewport", width=width, height=height)

    def keys(self, *keys):
        self.request("keys", keys=list(keys))

    def errors(self):
        return self.request("errors")


def chromium_options(profile, scale, language, app):
    options = webdriver.ChromeOptions()
    options.binary_location = "/usr/bin/chromium"
    mode = [f"--app={app}"] if app else ["--headless=new", "--window-size=800,600"]
    for argument in mode + ["--no-sandbox", "--disable-gpu", "--disable-quic", "--test-type",
                            "--no-first-run", "--disable-background-networking",
                            "--disable-component-update", "--disable-sync",
                            "--disable-default-apps", "--disable-extensions",
                            f"--user-data-dir={profile}", f"--force-device-scale-factor={scale}",
                            f"--lang={language}"]:
        options.add_argument(argument)
    options.add_experimental_option("prefs", {"intl.accept_languages": language})
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})
    return options


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


@contextlib.contextmanager
def engine(name, scale=1.0, language="en-US", app=None, display=None, prefs=None):
    """A browser of that engine in a profile of its own that goes with it:
    headless (WebKit on a display of its own), or, Chromium only, with `app` an
    app window of that address on `display`; Firefox with `prefs` set. The
    network beyond this machine is never asked for anything."""
    with contextlib.ExitStack() as stack:
        profile = stack.enter_context(tempfile.TemporaryDirectory(prefix=f"calculator-{name}-"))
        if name == "chromium":
            environment = dict(os.environ, DISPLAY=display) if display else None
            driver = webdriver.Chrome(service=Service("/usr/bin/chromedriver", env=environment),
                                      options=chromium_options(profile, scale, language, app))
            yield from selenium_session(ChromiumEngine(name, driver, logs=True))
        elif name == "firefox":
            options = dict(profile=profile, width=800, height=600, scale=scale, language=language,
                           prefs=prefs or {})
            process = subprocess.Popen(["node", os.path.join(HERE, "firefox_driver.mjs"),
                                        json.dumps(options)], cwd=HERE, text=True,
                                       stdin=subprocess.PIPE, stdout=subprocess.PIPE)
            try:
                yield FirefoxEngine(process)
            finally:
                process.stdin.close()
                try:
                    process.wait(30)
                except subprocess.TimeoutExpired:
                    process.kill()
                    process.wait()
        elif name == "webkit":
            display = display or stack.enter_context(desktop(manager=False))
            port = free_port()
            server = subprocess.Popen(["WebKitWebDriver", f"--port={port}"],
                                      env=dict(os.environ, DISPLAY=display),
                                      stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            stack.callback(lambda: (server.terminate(), server.wait()))
            options = webdriver.WebKitGTKOptions()
            options.binary_location = webkit_minibrowser()
            options.add_argument("--automation")
            options.set_capability("webkitgtk:browserOptions",
                                   {"binary": options.binary_location, "args": ["--automation"]})
            driver = connect(server, port, options)
            driver.set_window_rect(width=800, height=600)
            yield from selenium_session(SeleniumEngine(name, driver, logs=False))
        else:
            raise ValueError(f"no engine {name!r}: one of {', '.join(ENGINES)}")


def webkit_minibrowser():
    arch = subprocess.run(["dpkg-architecture", "-qDEB_HOST_MULTIARCH"], capture_output=True,
                          text=True).stdout.strip() or "x86_64-linux-gnu"
    return f"/usr/lib/{arch}/webkit2gtk-4.1/MiniBrowser"


def connect(server, port, options, seconds=15):
    """A session of the WebDriver server just started, once it takes
    connections: on a busy machine that may take a while, and a session asked
    for before is refused outright. A server that ends first is named."""
    deadline = time.monotonic() + seconds
    while True:
        with socket.socket() as probe:
            listens = probe.connect_ex(("127.0.0.1", port)) == 0
        if listens:
            try:
                return webdriver.Remote(command_executor=f"http://127.0.0.1:{port}",
                                        options=options)
            except WebDriverException:
                if time.monotonic() > deadline:
                    raise
        elif server.poll() is not None:
            raise RuntimeError(f"{server.args[0]} ended (status {server.returncode}) "
                               f"before it took connections on port {port}")
        elif time.monotonic() > deadline:
            raise TimeoutError(f"{server.args[0]} took no connection on port {port} "
                               f"within {seconds} s")
        time.sleep(0.2)


def selenium_session(driven):
    try:
        yield driven
    finally:
        try:
            driven.driver.quit()
        except WebDriverException:
            pass  # the browser has gone already: its only window was closed

