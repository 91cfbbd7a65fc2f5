#!/usr/bin/env python3
"""Opens an HTML page in headless Chromium and checks it as a reader's browser shows it.

usage: browser_check.py PAGE.html ARTEFACT_FOLDER [SELECTOR=LEAST ...]

The page must load with no console error and no network request; every SVG must have a title
and every polyline at least two points; each CSS selector given must match at least LEAST
elements. A screenshot of the whole page (PAGE.png) and the page printed on A4 by the browser
(PAGE.pdf) are kept in ARTEFACT_FOLDER whatever the outcome, for a person to look at.

The browser is driven by Debian's chromedriver over the W3C WebDriver protocol, spoken here
with the standard library alone, so the check needs no package manager beyond apt.
"""
import base64
import json
import pathlib
import shutil
import socket
import subprocess
import sys
import tempfile
import time
import urllib.error
import urllib.request

# Headless as root needs no sandbox; the browser's own background traffic (updates, sync, field
# trials) must stay off, as on a closed network its refused connections are console errors.
CHROMIUM_FLAGS = [
    "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--hide-scrollbars", "--window-size=1024,768",
]
A4_CM = {"width": 21.0, "height": 29.7}
TALLEST_SCREENSHOT = 16000  # pixels; Chromium's own limit for one capture is near 16384


class WebDriver:
    def __init__(self, port):
        self.base = f"http://127.0.0.1:{port}"
        self.session = None

    def call(self, method, path, body=None, timeout=60):
        data = None if body is None else json.dumps(body).encode()
        request = urllib.request.Request(self.base + path, data=data, method=method,
                                         headers={"Content-Type": "application/json"})
        try:
            with urllib.request.urlopen(request, timeout=timeout) as response:
                return json.load(response)["value"]
        except urllib.error.HTTPError as error:
            raise RuntimeError(f"{method} {path}: {error.read().decode(errors='replace')}") from None

    def command(self, method, path, body=None):
        return self.call(method, f"/session/{self.session}{path}", body)

    def script(self, source, *arguments):
        return self.command("POST", "/execute/sync", {"script": source, "args": list(arguments)})

    def wait_until_ready(self, seconds=30):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            try:
                if self.call("GET", "/status", timeout=2).get("ready"):
                    return
            except (OSError, RuntimeError):
                pass
            time.sleep(0.1)
        raise RuntimeError("chromedriver did not become ready")

    def start(self, user_data_dir):
        chrome = {"binary": shutil.which("chromium"), "args": CHROMIUM_FLAGS + [f"--user-data-dir={user_data_dir}"]}
        capabilities = {"browserName": "chrome", "goog:chromeOptions": chrome,
                        "goog:loggingPrefs": {"browser": "ALL", "performance": "ALL"}}
        self.session = self.call("POST", "/session", {"capabilities": {"alwaysMatch": capabilities}})["sessionId"]

    def log(self, kind):
        return self.command("POST", "/se/log", {"type": kind})


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def requested_urls(performance_log, page_url):
    """What the page asked for: the browser's own pages (its new tab page) load in the same log."""
    urls = []
    for entry in performance_log:
        message = json.loads(entry["message"])["message"]
        if message["method"] == "Network.requestWillBeSent" and message["params"].get("documentURL") == page_url:
            url = message["params"]["request"]["url"]
            if url != page_url:
                urls.append(url)
    return urls


def check_page(driver, page_url, expectations):
    failures = []
    driver.command("POST", "/url", {"url": page_url})
    for entry in driver.log("browser"):
        if entry["level"] == "SEVERE":
            failures.append(f"console error: {entry['message']}")
    requests = requested_urls(driver.log("performance"), page_url)
    requests += driver.script("return performance.getEntriesByType('resource').map(e => e.name);")
    failures += [f"network request: {url}" for url in sorted(set(requests))]
    short = driver.script("return [...document.querySelectorAll('polyline')]"
                          ".filter(p => p.points.numberOfItems < 2).length;")
    if short:
        failures.append(f"{short} polyline(s) with fewer than two points")
    untitled = driver.script("return [...document.querySelectorAll('svg')]"
                             ".filter(s => !s.querySelector(':scope > title')).length;")
    if untitled:
        failures.append(f"{untitled} svg element(s) without a title")
    for selector, least in expectations:
        found = driver.script("return document.querySelectorAll(arguments[0]).length;", selector)
        verdict = "ok" if found >= least else "FAIL"
        print(f"{verdict}: {selector}: {found} (at least {least})")
        if found < least:
            failures.append(f"{selector}: {found} found, at least {least} expected")
    return failures


def keep_artefacts(driver, page, folder):
    height = driver.script("return document.documentElement.scrollHeight;")
    driver.command("POST", "/window/rect", {"width": 1024, "height": min(height, TALLEST_SCREENSHOT)})
    picture = folder / (page.stem + ".png")
    picture.write_bytes(base64.b64decode(driver.command("GET", "/screenshot")))
    printout = folder / (page.stem + ".pdf")
    printout.write_bytes(base64.b64decode(driver.command("POST", "/print", {"page": A4_CM, "background": True})))
    for artefact in (picture, printout):
        print(f"kept {artefact} ({artefact.stat().st_size} bytes)")
    return [] if printout.read_bytes().startswith(b"%PDF-") else [f"{printout} is not a PDF"]


def parse_expectations(arguments):
    expectations = []
    for argument in arguments:
        selector, _, least = argument.rpartition("=")
        if not selector or not least.isdigit():
            sys.exit(f"browser_check: expected SELECTOR=LEAST, got {argument!r}")
        expectations.append((selector, int(least)))
    return expectations


def main():
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    page = pathlib.Path(sys.argv[1]).resolve()
    folder = pathlib.Path(sys.argv[2])
    expectations = parse_expectations(sys.argv[3:])
    folder.mkdir(parents=True, exist_ok=True)
    port = free_port()
    with tempfile.TemporaryDirectory(prefix="zephyrion-chromium-", ignore_cleanup_errors=True) as profile:
        driver_log = open(pathlib.Path(profile) / "chromedriver.log", "w")
        process = subprocess.Popen(["chromedriver", f"--port={port}"], stdout=driver_log, stderr=subprocess.STDOUT)
        driver = WebDriver(port)
        try:
            driver.wait_until_ready()
            driver.start(pathlib.Path(profile) / "browser")
            failures = check_page(driver, page.as_uri(), expectations)
            failures += keep_artefacts(driver, page, folder)
        finally:
            if driver.session:
                driver.call("DELETE", f"/session/{driver.session}")
            process.terminate()
            try:
                process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()
            driver_log.close()
    for failure in failures:
        print(f"FAIL: {failure}")
    print(f"{page.name}: {'failed' if failures else 'passed'} in headless Chromium")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
