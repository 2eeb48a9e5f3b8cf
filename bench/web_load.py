#!/usr/bin/python3
"""From load to playable: a puzzle's web page in headless Chromium.

Each of the pages is loaded ten times (a new navigation each time; nothing
is played, so no progress is kept) and the time from the start of the
navigation to the moment the page's script has made the grid playable (its
performance mark "wq-playable") is read from the page. Target: a median
under 300 ms for a full 30x30 puzzle.

Usage: bench/web_load.py [WEB_TEST_PAGES [LOADS]]
    (default build/tests/web/web_test_pages, 10 loads)
Exit 0 within the target, 2 over it.
"""

import os
import shutil
import statistics
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "tests", "web"))
import headless_chromium  # noqa: E402

TARGET_MS = 300.0


def main():
    tool = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "build", "tests", "web",
                                                               "web_test_pages")
    loads = int(sys.argv[2]) if len(sys.argv) > 2 else 10
    root = tempfile.mkdtemp(prefix="wq-load-")
    d = None
    try:
        subprocess.run([tool, os.path.join(root, "pages")], check=True)
        d = headless_chromium.start(os.path.join(root, "profile"))
        medians = {}
        for name, what in (("p30", "30x30, 28 words"), ("p15", "15x15, 15 words")):
            url = "file://" + os.path.join(root, "pages", name + ".html")
            playable, loaded = [], []
            for _ in range(loads):
                d.get(url)
                mark, load = d.execute_script(
                    "var m = performance.getEntriesByName('wq-playable')[0];"
                    "var n = performance.getEntriesByType('navigation')[0];"
                    "return [m ? m.startTime : -1, n ? n.loadEventEnd : -1];")
                if mark < 0:
                    headless_chromium.fail("%s never became playable" % name)
                playable.append(mark)
                loaded.append(load)
            medians[name] = statistics.median(playable)
            print("%-16s load to playable: median %.1f ms, best %.1f ms, worst %.1f ms "
                  "(%d loads; target < %g ms); load event median %.1f ms"
                  % (what, medians[name], min(playable), max(playable), loads, TARGET_MS,
                     statistics.median(loaded)), flush=True)
        return 0 if medians["p30"] < TARGET_MS else 2
    finally:
        if d:
            d.quit()
        shutil.rmtree(root, ignore_errors=True)


sys.exit(main())
