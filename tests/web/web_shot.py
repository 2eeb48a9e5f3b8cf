#!/usr/bin/python3
"""Screenshots of a puzzle's web page in headless Chromium, for the README
and for looking at the page: a 15x15 game under way (six words found, a
first end marked) at desktop width and at phone width.

Usage: web_shot.py PAGES_FOLDER OUT_FOLDER [--all]
PAGES_FOLDER is what web_test_pages wrote. Writes web_desktop.png and
web_phone.png; with --all also web_zoom200.png (1280 px at 200 %),
web_30.png, web_rect.png, web_answers.png and web_finished.png.
"""

import json
import os
import shutil
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import headless_chromium  # noqa: E402

from selenium.webdriver.common.action_chains import ActionChains  # noqa: E402
from selenium.webdriver.common.by import By  # noqa: E402
from selenium.webdriver.support.ui import WebDriverWait  # noqa: E402

# A fixed clock, so the pictures show the same time every run.
CLOCK = "Date.now = function () { return Number(sessionStorage.getItem('wq-shot-now') || 0); };"


def ends(w):
    return (w["x"], w["y"]), (w["x"] + (w["length"] - 1) * w["dx"], w["y"] + (w["length"] - 1) * w["dy"])


def main():
    pages, out = sys.argv[1], sys.argv[2]
    everything = "--all" in sys.argv[3:]
    profile = tempfile.mkdtemp(prefix="wq-shot-")
    d = headless_chromium.start(profile, 1280, 860)
    try:
        d.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": CLOCK})

        def cell(c):
            return d.find_element(By.CSS_SELECTOR, '[data-x="%d"][data-y="%d"]' % c)

        def now(ms):
            d.execute_script("sessionStorage.setItem('wq-shot-now', String(arguments[0]));", ms)

        def load(name, found, pending=True):
            d.get("file://" + os.path.join(pages, name + ".html"))
            d.execute_script("localStorage.clear();")
            d.refresh()
            words = json.load(open(os.path.join(pages, name + ".json"), encoding="utf-8"))["words"]
            now(1000)
            for k, w in enumerate(words[:found]):
                a, z = ends(w)
                now(1000 + 26000 * k)
                ActionChains(d, duration=0).move_to_element(cell(a)).click_and_hold() \
                    .move_to_element(cell(z)).release().perform()
            now(1000 + 26000 * found + 4000)
            if pending and found < len(words):
                a, z = ends(words[found])
                ActionChains(d, duration=0).move_to_element(cell(a)).click().perform()
                ActionChains(d, duration=0).move_to_element(cell(z)).perform()
            if found < len(words):
                # The clock shows the time set once it has ticked.
                s = (26000 * found + 4000) // 1000
                WebDriverWait(d, 5, poll_frequency=0.05).until(
                    lambda _: d.find_element(By.ID, "wq-clock").text == "%d:%02d" % (s // 60, s % 60))
            d.execute_script("window.scrollTo(0, 0);")

        def shot(file, width, height, scale=1, mobile=False):
            d.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                              {"width": width, "height": height, "deviceScaleFactor": scale, "mobile": mobile})
            d.save_screenshot(os.path.join(out, file))
            d.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
            print("written: " + os.path.join(out, file))

        load("p15", 6)
        shot("web_desktop.png", 1280, 760)
        shot("web_phone.png", 320, 660, 2, True)
        if everything:
            shot("web_zoom200.png", 640, 450, 2)
            load("p30", 10)
            shot("web_30.png", 1280, 900)
            load("rect", 2)
            shot("web_rect.png", 1280, 760)
            load("p15", 3, pending=False)
            d.find_element(By.ID, "wq-answers").click()
            shot("web_answers.png", 1280, 760)
            load("rect", 5, pending=False)
            shot("web_finished.png", 320, 640, 2, True)
    finally:
        d.quit()
        shutil.rmtree(profile, ignore_errors=True)


main()
