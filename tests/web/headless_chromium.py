"""Headless Chromium for the web page's test, benchmark and screenshots.

Debian's chromium and chromium-driver with python3-selenium (scripts/setup.sh
installs them; the modules import only under /usr/bin/python3). The browser
runs with a fresh profile of the caller's, and with nothing that would reach
out on its own: no background networking, no component or sync updates, no
QUIC.
"""

import os
import sys

CHROMIUM = "/usr/bin/chromium"
DRIVER = "/usr/bin/chromedriver"
FLAGS = ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
         "--disable-background-networking", "--disable-component-update", "--disable-sync",
         "--disable-extensions"]


def fail(reason):
    print("FAILED: " + reason, flush=True)
    sys.exit(1)


def start(profile, width=1280, height=900, logs=False):
    """A new headless Chromium with its own profile folder; with `logs`, the
    console and every network request are logged for the caller to read."""
    for path in (CHROMIUM, DRIVER):
        if not os.access(path, os.X_OK):
            fail(path + " is missing: install the Debian packages chromium and chromium-driver "
                 "(bash scripts/setup.sh does)")
    try:
        from selenium import webdriver
        from selenium.webdriver.chrome.service import Service
    except ImportError as e:
        fail("python3-selenium is missing (bash scripts/setup.sh installs it; run under "
             "/usr/bin/python3): %s" % e)
    options = webdriver.ChromeOptions()
    options.binary_location = CHROMIUM
    for flag in FLAGS + ["--user-data-dir=" + profile, "--window-size=%d,%d" % (width, height)]:
        options.add_argument(flag)
    if logs:
        options.set_capability("goog:loggingPrefs", {"browser": "ALL", "performance": "ALL"})
    return webdriver.Chrome(service=Service(DRIVER), options=options)
