#!/usr/bin/python3
"""Plays the web pages in a real browser: headless Chromium, started here.

The pages come from web_test_pages (seeded puzzles of the real puzzle model,
each with a JSON file of its letters and where its words lie) and from the
real `word_quarrin generate --html`. The 15x15 and the 30x30 puzzle are each
played whole by mouse drags, by clicks on both ends, by touch (with touch
emulation on) and by the keyboard alone; the rectangular one by taps, a
generated one by clicks after following its index. Words are marked forwards
and backwards by turns.

Checked on the way: the grid contract (roles, data-x and data-y, letters),
rings, struck words (aria-checked), announcements, the clock (it starts at
the first mark and stops at the finish; the page's Date.now is a clock the
test sets, so nothing depends on real time passing), the finish message in
role="status", a reload keeping the finds, "Start again", "Show answers" and
its absence, clues, 320 px and 200 % zoom without horizontal scrolling,
WCAG AA contrast, no console message, and no request beyond the page files.

Usage: browser_test.py WEB_TEST_PAGES WORD_QUARRIN
Exit 0: passed, 1: failed (the reason is printed). Nothing is skipped: a
missing browser is a failure that names the packages to install.
"""

import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import headless_chromium  # noqa: E402
from headless_chromium import fail  # noqa: E402

# The page's clock reads a time the test sets (kept across reloads).
FAKE_CLOCK = """
(function () {
    var key = "wq-test-now";
    Date.now = function () { return Number(sessionStorage.getItem(key) || 0); };
    window.__pointerTypes = [];
    document.addEventListener("pointerdown", function (e) {
        window.__pointerTypes.push(e.pointerType);
    }, true);
})();
"""

# WCAG contrast of every text the page shows against what lies behind it,
# and of the rings' colours.
CONTRAST = """
function rgb(text) {
    var m = text.match(/[\\d.]+/g).map(Number);
    return {r: m[0], g: m[1], b: m[2], a: m.length > 3 ? m[3] : 1};
}
function luminance(c) {
    function ch(v) { v /= 255; return v <= 0.03928 ? v / 12.92 : Math.pow((v + 0.055) / 1.055, 2.4); }
    return 0.2126 * ch(c.r) + 0.7152 * ch(c.g) + 0.0722 * ch(c.b);
}
function ratio(a, b) {
    var x = luminance(a), y = luminance(b);
    return (Math.max(x, y) + 0.05) / (Math.min(x, y) + 0.05);
}
function behind(el) {
    for (; el && el.nodeType === 1; el = el.parentElement) {
        var c = rgb(getComputedStyle(el).backgroundColor);
        if (c.a > 0) { return c; }
    }
    return {r: 255, g: 255, b: 255, a: 1};
}
var out = [];
var seen = document.querySelectorAll("h1, h2, .clock, .count, button, .help, .finish, [data-word] .text, [data-word] .answer, .clues li, .confirm p, td.sel, td.start, td[role=gridcell]");
for (var i = 0; i < seen.length; i++) {
    var el = seen[i];
    if (!el.textContent.trim() || !el.getClientRects().length) { continue; }
    out.push([el.tagName + "." + el.className + " " + el.textContent.trim().slice(0, 20),
              ratio(rgb(getComputedStyle(el).color), behind(el)), 4.5]);
}
var lines = document.querySelectorAll("#wq-rings line");
var ink = rgb(getComputedStyle(document.querySelector("td[role=gridcell]")).color);
for (var j = 0; j < lines.length; j++) {
    var stroke = rgb(getComputedStyle(lines[j]).stroke);
    var edge = lines[j].getAttribute("class") === "edge";
    out.push(["ring " + lines[j].getAttribute("class"),
              edge ? ratio(stroke, {r: 255, g: 255, b: 255}) : ratio(ink, stroke), edge ? 3 : 4.5]);
}
return out;
"""


def check(condition, reason):
    if not condition:
        fail(reason)


STARTED = time.time()


def note(text):
    print("ok (%4.1f s): %s" % (time.time() - STARTED, text), flush=True)


try:
    from selenium.webdriver.common.action_chains import ActionChains
    from selenium.webdriver.common.actions import interaction
    from selenium.webdriver.common.actions.action_builder import ActionBuilder
    from selenium.webdriver.common.actions.pointer_input import PointerInput
    from selenium.webdriver.common.by import By
    from selenium.webdriver.common.keys import Keys
    from selenium.common.exceptions import TimeoutException
    from selenium.webdriver.support.ui import WebDriverWait
except ImportError as e:
    fail("python3-selenium is missing (bash scripts/setup.sh installs it): %s" % e)


class Browser:
    def __init__(self, profile):
        self.d = headless_chromium.start(profile, logs=True)
        self.d.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": FAKE_CLOCK})
        self.allowed = set()
        self.requests = []
        self.drain()
        self.requests = []

    def drain(self):
        """Takes the browser's logs: console messages fail the test at once,
        requests are kept to be checked against the page files."""
        for entry in self.d.get_log("browser"):
            fail("console message: %s %s" % (entry.get("level"), entry.get("message")))
        for entry in self.d.get_log("performance"):
            message = json.loads(entry["message"])["message"]
            if message.get("method") == "Network.requestWillBeSent":
                params = message["params"]
                self.requests.append((params["request"]["url"], params.get("documentURL", "")))

    def open(self, url):
        self.drain()
        self.allowed.add(url)
        self.d.get(url)
        self.wait_ready()

    def wait_ready(self):
        WebDriverWait(self.d, 10, poll_frequency=0.02).until(
            lambda d: d.execute_script("var m = document.getElementById('wq');"
                                       "return m && m.getAttribute('data-ready') === 'true';"))

    def run(self, script, *args):
        return self.d.execute_script(script, *args)

    def set_now(self, ms):
        self.run("sessionStorage.setItem('wq-test-now', String(arguments[0]));", ms)

    def text(self, css):
        return self.d.find_element(By.CSS_SELECTOR, css).text

    def spoken(self):
        """What the live region holds, as a screen reader reads it: its text
        content, which WebDriver's visible text leaves out for an element
        drawn one pixel small."""
        return self.run("return document.getElementById('wq-say').textContent;")

    def cell(self, x, y):
        return self.d.find_element(By.CSS_SELECTOR,
                                   '[role=gridcell][data-x="%d"][data-y="%d"]' % (x, y))

    def check_requests(self):
        self.drain()
        for url, document in self.requests:
            if document.startswith("chrome://") and url.startswith("chrome://"):
                continue  # the browser's own start page, before any puzzle
            check(url in self.allowed, "a request left the page: %s (from %s)" % (url, document))
        self.requests = []


def ends(word, backwards):
    a = (word["x"], word["y"])
    b = (word["x"] + (word["length"] - 1) * word["dx"], word["y"] + (word["length"] - 1) * word["dy"])
    return (b, a) if backwards else (a, b)


def time_text(ms):
    s = ms // 1000
    return "%d:%02d" % (s // 60, s % 60)


def check_contract(b, expected):
    """Roles, coordinates and letters of every cell, and the list's words."""
    got = b.run("""
        var g = document.querySelector('[role=grid]');
        var rows = g ? g.querySelectorAll('[role=row]') : [];
        return {rows: Array.prototype.map.call(rows, function (r) {
                    return Array.prototype.map.call(r.querySelectorAll('[role=gridcell]'), function (c) {
                        return [Number(c.getAttribute('data-x')), Number(c.getAttribute('data-y')), c.textContent];
                    });
                }),
                words: Array.prototype.map.call(document.querySelectorAll('[data-word]'), function (w) {
                    return [w.getAttribute('data-word'), w.getAttribute('aria-checked')];
                })};""")
    check(len(got["rows"]) == expected["rows"],
          "%d rows with role=row, expected %d" % (len(got["rows"]), expected["rows"]))
    for y, row in enumerate(got["rows"], 1):
        want = [[x, y, expected["cells"][y - 1][x - 1].strip()] for x in range(1, expected["columns"] + 1)]
        check(row == want, "row %d of the grid is %r, expected %r" % (y, row, want))
    check(got["words"] == [[w["word"], "false"] for w in expected["words"]],
          "the list is %r" % got["words"])


def found_words(b):
    return b.run("return Array.prototype.map.call(document.querySelectorAll("
                 "'[data-word][aria-checked=true]'), function (w) { return w.getAttribute('data-word'); });")


def ring_count(b):
    return b.run("return document.querySelectorAll('#wq-rings line.edge').length;")


def check_contrast(b, when):
    for name, value, needed in b.run(CONTRAST):
        check(value >= needed, "contrast %.2f < %.1f for %s (%s)" % (value, needed, name, when))


class Game:
    """One whole puzzle played one way, the clock set by the test."""

    def __init__(self, b, expected, mark, name, start=10000, step=7000):
        self.b, self.expected, self.mark, self.name = b, expected, mark, name
        self.start, self.step = start, step

    def play(self, words=None, first_index=0, resumed_ms=0):
        """Marks the words (all by default) one a step of the clock apart and
        checks each find; returns the clock time of the last find."""
        b = self.b
        words = self.expected["words"] if words is None else words
        now = self.start
        for k, w in enumerate(words):
            now = self.start + k * self.step
            b.set_now(now)
            a, z = ends(w, backwards=(first_index + k) % 2 == 1)
            self.mark(a, z)
            check(b.run("return document.querySelector('[data-word=\"' + arguments[0] + '\"]')"
                        ".getAttribute('aria-checked');", w["word"]) == "true",
                  "%s: %s not found after marking it from %s to %s" % (self.name, w["word"], a, z))
            if k == 0:
                check(b.spoken().startswith("Found %s." % w["word"]),
                      "%s: the live region says %r" % (self.name, b.spoken()))
            if k == 1:
                # The clock runs: a later time shows within a few ticks.
                b.set_now(now + 3000)
                want = time_text(resumed_ms + now + 3000 - self.start)
                WebDriverWait(b.d, 5, poll_frequency=0.02).until(lambda d: b.text("#wq-clock") == want)
                b.set_now(now)
        return now

    def check_finished(self, total_ms):
        b = self.b
        message = b.text("[role=status]")
        check(message == "You finished!! Time: " + time_text(total_ms),
              "%s: finish message %r, expected the time %s" % (self.name, message, time_text(total_ms)))
        check(b.text("#wq-clock") == time_text(total_ms), "%s: clock %r at the finish" % (self.name, b.text("#wq-clock")))
        # Stopped: a minute later, and some real ticks later, it reads the same.
        b.set_now(self.start + 3600 * 1000)
        time.sleep(0.6)
        check(b.text("#wq-clock") == time_text(total_ms), "%s: the clock went on after the finish" % self.name)
        check(ring_count(b) == len(self.expected["words"]),
              "%s: %d rings for %d words" % (self.name, ring_count(b), len(self.expected["words"])))


def start_again(b):
    b.d.find_element(By.ID, "wq-restart").click()
    if b.run("return !document.getElementById('wq-confirm').hidden;"):
        check_contrast(b, "asked to start again")
        b.d.find_element(By.ID, "wq-confirm-yes").click()
    check(found_words(b) == [] and ring_count(b) == 0, "Start again left finds")
    check(b.text("#wq-clock") == "0:00" and b.text("[role=status]") == "", "Start again left the clock or the message")


def check_other_tab(b, url, expected):
    """A second tab of the same puzzle, opened before a find and not played
    in, takes the find made in the first from the storage event."""
    fresh(b, url)
    first = b.d.current_window_handle
    b.d.switch_to.new_window("tab")
    b.open(url)
    second = b.d.current_window_handle
    b.d.switch_to.window(first)
    word = expected["words"][0]
    mouse_clicks(b)(*ends(word, backwards=False))
    check(found_words(b) == [word["word"]], "the first tab found %r" % found_words(b))
    b.d.switch_to.window(second)
    try:
        WebDriverWait(b.d, 10, poll_frequency=0.02).until(lambda d: found_words(b) == [word["word"]])
    except TimeoutException:
        pass
    check(found_words(b) == [word["word"]] and ring_count(b) == 1,
          "the other tab shows %r with %d rings" % (found_words(b), ring_count(b)))
    b.d.close()
    b.d.switch_to.window(first)
    note("another tab of the puzzle takes the finds made in the first")


def fresh(b, url):
    b.open(url)
    b.run("localStorage.clear(); sessionStorage.clear();")
    b.d.refresh()
    b.wait_ready()


# Pointer moves take no time of their own (the default is a quarter of a
# second each); a drag passes through the cell half-way along the word.
def mouse_drag(b):
    def mark(a, z):
        middle = ((a[0] + z[0]) // 2, (a[1] + z[1]) // 2)
        ActionChains(b.d, duration=0).move_to_element(b.cell(*a)).click_and_hold() \
            .move_to_element(b.cell(*middle)).move_to_element(b.cell(*z)).release().perform()
    return mark


def mouse_clicks(b):
    def mark(a, z):
        ActionChains(b.d, duration=0).move_to_element(b.cell(*a)).click() \
            .move_to_element(b.cell(*z)).click().perform()
    return mark


def touch(b, drag=True):
    def mark(a, z):
        actions = ActionBuilder(b.d, mouse=PointerInput(interaction.POINTER_TOUCH, "finger"), duration=0)
        if drag:
            middle = ((a[0] + z[0]) // 2, (a[1] + z[1]) // 2)
            actions.pointer_action.move_to(b.cell(*a)).pointer_down().move_to(b.cell(*middle)) \
                .move_to(b.cell(*z)).pointer_up()
        else:
            for c in (a, z):
                actions.pointer_action.move_to(b.cell(*c)).pointer_down().pointer_up()
        actions.perform()
    return mark


class Keyboard:
    """Reaches the grid with Tab alone, then moves the cursor with the arrow keys."""

    def __init__(self, b):
        self.b = b
        self.at = None

    def enter_grid(self):
        b = self.b
        b.run("document.activeElement && document.activeElement.blur(); window.scrollTo(0, 0);")
        for _ in range(10):
            ActionChains(b.d).send_keys(Keys.TAB).perform()
            if b.run("return document.activeElement.getAttribute('role');") == "gridcell":
                break
        active = b.run("var a = document.activeElement; return [a.getAttribute('role'),"
                       " Number(a.getAttribute('data-x')), Number(a.getAttribute('data-y'))];")
        check(active[0] == "gridcell", "Tab never reached the grid")
        self.at = (active[1], active[2])
        style = b.run("var s = getComputedStyle(document.activeElement);"
                      "return [s.outlineStyle, parseFloat(s.outlineWidth)];")
        check(style[0] != "none" and style[1] >= 2, "the keyboard cursor is not visible: %r" % style)

    def go(self, c):
        keys = []
        dx, dy = c[0] - self.at[0], c[1] - self.at[1]
        keys += [Keys.ARROW_RIGHT if dx > 0 else Keys.ARROW_LEFT] * abs(dx)
        keys += [Keys.ARROW_DOWN if dy > 0 else Keys.ARROW_UP] * abs(dy)
        if keys:
            ActionChains(self.b.d).send_keys(*keys).perform()
        self.at = c

    def mark(self, a, z):
        self.go(a)
        ActionChains(self.b.d).send_keys(Keys.SPACE).perform()
        self.go(z)
        ActionChains(self.b.d).send_keys(Keys.ENTER).perform()
        got = self.b.run("var a = document.activeElement; return [Number(a.getAttribute('data-x')),"
                         " Number(a.getAttribute('data-y'))];")
        check(tuple(got) == z, "the cursor is at %r, expected %r" % (got, z))


def check_layout(b, url, width, height, scale, mobile, what):
    b.d.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                        {"width": width, "height": height, "deviceScaleFactor": scale, "mobile": mobile})
    b.d.refresh()
    b.wait_ready()
    got = b.run("""
        var w = document.documentElement.clientWidth, right = 0;
        document.querySelectorAll('[role=gridcell], button, h1, [data-word]').forEach(function (e) {
            right = Math.max(right, e.getBoundingClientRect().right);
        });
        var cell = document.querySelector('[role=gridcell]').getBoundingClientRect();
        return [document.documentElement.scrollWidth, w, right, cell.width,
                parseFloat(getComputedStyle(document.querySelector('[role=gridcell]')).fontSize)];""")
    check(got[0] <= got[1] and got[2] <= got[1] + 0.5,
          "%s: horizontal scrolling (scroll width %s, viewport %s, rightmost %s)" % (what, got[0], got[1], got[2]))
    check(got[3] >= 16 and got[4] >= 9.5, "%s: cells of %.1f px, letters of %.1f px" % (what, got[3], got[4]))
    b.d.execute_cdp_cmd("Emulation.clearDeviceMetricsOverride", {})
    note("%s: no horizontal scrolling, cells %.1f px" % (what, got[3]))


def check_print(b):
    """The print style: grid and list in black on white, nothing of the game."""
    b.d.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": "print"})
    got = b.run("""
        function shown(css) {
            var e = document.querySelector(css);
            return e && getComputedStyle(e).display !== 'none';
        }
        var cells = Array.prototype.map.call(document.querySelectorAll('[role=gridcell], [data-word], [data-word] .text'),
            function (e) { var s = getComputedStyle(e);
                           return [s.color, s.backgroundColor, s.textDecorationLine].join(' '); });
        return {bar: shown('#wq-bar'), rings: shown('#wq-rings'), finish: shown('#wq-finish'),
                body: getComputedStyle(document.body).backgroundColor,
                styles: Array.from(new Set(cells))};""")
    b.d.execute_cdp_cmd("Emulation.setEmulatedMedia", {"media": ""})
    check(not got["bar"] and not got["rings"] and not got["finish"], "printed: %r" % got)
    check(got["body"] == "rgb(255, 255, 255)" and got["styles"] == ["rgb(0, 0, 0) rgba(0, 0, 0, 0) none"],
          "printed colours: %r" % got)


def check_without_script(b, url):
    """With scripts off the page still shows the puzzle, and nothing of the game."""
    b.d.execute_cdp_cmd("Emulation.setScriptExecutionDisabled", {"value": True})
    b.d.get(url)
    got = b.d.execute_cdp_cmd("Runtime.evaluate", {"expression": """
        JSON.stringify([getComputedStyle(document.getElementById('wq-bar')).display,
                        document.querySelectorAll('td').length,
                        document.querySelector('noscript') !== null])""", "returnByValue": True})
    b.d.execute_cdp_cmd("Emulation.setScriptExecutionDisabled", {"value": False})
    bar, cells, noscript = json.loads(got["result"]["value"])
    check(bar == "none" and cells == 225 and noscript, "without scripts: bar %s, %d cells" % (bar, cells))
    note("without scripts the grid and list show, the clock and buttons do not")


def find_in_grid(cells, word):
    """An independent solver: where `word` reads in the grid, either way."""
    rows, cols = len(cells), len(cells[0])
    for y in range(rows):
        for x in range(cols):
            for dx, dy in ((1, 0), (0, 1), (1, 1), (1, -1), (-1, 0), (0, -1), (-1, -1), (-1, 1)):
                ex, ey = x + (len(word) - 1) * dx, y + (len(word) - 1) * dy
                if 0 <= ex < cols and 0 <= ey < rows and \
                        "".join(cells[y + k * dy][x + k * dx] for k in range(len(word))) == word:
                    return {"word": word, "x": x + 1, "y": y + 1, "dx": dx, "dy": dy, "length": len(word)}
    return None


def main():
    if len(sys.argv) != 3:
        fail("usage: browser_test.py WEB_TEST_PAGES WORD_QUARRIN")
    tool, program = sys.argv[1], sys.argv[2]
    root = tempfile.mkdtemp(prefix="wq-browser-")
    started = time.time()
    b = None
    try:
        pages = os.path.join(root, "pages")
        subprocess.run([tool, pages], check=True)
        expected = {name: json.load(open(os.path.join(pages, name + ".json"), encoding="utf-8"))
                    for name in ("p15", "p30", "noans", "rect")}
        url = {name: "file://" + os.path.join(pages, name + ".html") for name in expected}

        b = Browser(os.path.join(root, "profile"))
        note("Chromium started")

        # --- 15x15 by mouse drags, with a reload half-way ---------------------
        e15 = expected["p15"]
        fresh(b, url["p15"])
        check_contract(b, e15)
        note("the 15x15 grid keeps the contract")
        check(b.text("#wq-clock") == "0:00", "the clock shows %r before any mark" % b.text("#wq-clock"))
        b.set_now(5000)
        time.sleep(0.6)
        check(b.text("#wq-clock") == "0:00", "the clock ran before the first mark")
        clue = b.text('[data-word="%s"]' % e15["words"][0]["word"])
        check(clue == e15["words"][0]["clue"], "the first entry shows %r, not its clue" % clue)
        game = Game(b, e15, mouse_drag(b), "15x15 by mouse drags")
        half = len(e15["words"]) // 2
        last = game.play(e15["words"][:half])
        saved_ms = last - game.start
        check(b.text('[data-word="%s"]' % e15["words"][0]["word"]) ==
              "%s %s" % (e15["words"][0]["clue"], e15["words"][0]["word"]),
              "a found clue shows %r" % b.text('[data-word="%s"]' % e15["words"][0]["word"]))
        stored = b.run("return JSON.stringify(localStorage);")
        b.d.refresh()
        b.wait_ready()
        # The browser may hand the old page's writes to the new one a moment
        # after it has read the storage; the page takes them from the storage event.
        kept = [w["word"] for w in e15["words"][:half]]
        try:
            WebDriverWait(b.d, 10, poll_frequency=0.02).until(lambda d: found_words(b) == kept)
        except TimeoutException:
            pass
        check(found_words(b) == kept,
              "after a reload the finds are %r; before it the storage held %s, now %s (%s)" %
              (found_words(b), stored, b.run("return JSON.stringify(localStorage);"),
               b.run("return document.readyState + ' ' + performance.getEntriesByType('navigation').map(function (n) { return n.type; }).join();")))
        check(ring_count(b) == half and b.text("#wq-count") == "%d of %d found" % (half, len(e15["words"])),
              "after a reload: %d rings, %r" % (ring_count(b), b.text("#wq-count")))
        check(b.text("#wq-clock") == time_text(saved_ms), "after a reload the clock shows %r" % b.text("#wq-clock"))
        note("a reload keeps %d finds and the time %s" % (half, time_text(saved_ms)))
        # The clock goes on from the saved time at the next mark.
        game.start = 200000
        last = game.play(e15["words"][half:], first_index=half, resumed_ms=saved_ms)
        game.start = 200000
        game.check_finished(saved_ms + last - 200000)
        check_contrast(b, "finished")
        check_print(b)
        note("15x15 played by mouse drags: %s; prints black on white" % b.text("[role=status]"))
        b.d.refresh()
        b.wait_ready()
        check(b.text("[role=status]") == "You finished!! Time: " + time_text(saved_ms + last - 200000),
              "after a reload the finish message is %r" % b.text("[role=status]"))

        # --- 15x15 by clicks on both ends, after Start again ------------------
        start_again(b)
        b.d.refresh()
        b.wait_ready()
        check(found_words(b) == [], "Start again did not last through a reload")
        answers = b.d.find_element(By.ID, "wq-answers")
        check(answers.get_attribute("aria-pressed") == "false", "answers shown at the start")
        answers.click()
        shown = b.run("return document.querySelectorAll('#wq-rings line.shown').length;")
        check(answers.get_attribute("aria-pressed") == "true" and shown == len(e15["words"]),
              "Show answers drew %d of %d places" % (shown, len(e15["words"])))
        # A first end marked and the cursor moved on: the start and the line show.
        b.cell(1, 1).click()
        ActionChains(b.d).send_keys(Keys.ARROW_RIGHT, Keys.ARROW_RIGHT).perform()
        check(b.run("return document.querySelectorAll('td.start').length + ',' + "
                    "document.querySelectorAll('td.sel').length;") == "1,2", "no mark shown on the grid")
        check_contrast(b, "answers shown, a mark under way")
        ActionChains(b.d).send_keys(Keys.ESCAPE).perform()
        answers.click()
        check(b.run("return document.querySelectorAll('#wq-rings line.shown').length;") == 0,
              "the answers stay after hiding them")
        start_again(b)
        game = Game(b, e15, mouse_clicks(b), "15x15 by clicks")
        game.check_finished(game.play() - game.start)
        note("15x15 played by clicks on both ends: %s" % b.text("[role=status]"))
        check_other_tab(b, url["p15"], e15)

        for what, size in (("320 px wide", (320, 640, 2, True)), ("200 % zoom", (640, 450, 2, False))):
            check_layout(b, url["p15"], *size, what)
        check_without_script(b, url["p15"])
        b.check_requests()

        # --- Both sizes by touch and by the keyboard alone; the 30x30 also by
        # mouse drags and clicks ----------------------------------------------
        e30 = expected["p30"]
        fresh(b, url["p30"])
        check_contract(b, e30)
        for name in ("p15", "p30"):
            size = "15x15" if name == "p15" else "30x30"
            fresh(b, url[name])
            b.d.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": True, "maxTouchPoints": 5})
            game = Game(b, expected[name], touch(b), size + " by touch")
            game.check_finished(game.play() - game.start)
            b.d.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": False})
            types = set(b.run("return window.__pointerTypes;"))
            check(types == {"touch"}, "the touch game sent pointers of kinds %r" % types)
            note("%s played by touch drags: %s" % (size, b.text("[role=status]")))
            fresh(b, url[name])
            keyboard = Keyboard(b)
            keyboard.enter_grid()
            game = Game(b, expected[name], keyboard.mark, size + " by keyboard", step=61000)
            game.check_finished(game.play() - game.start)
            check(b.run("return window.__pointerTypes.length;") == 0, "the keyboard game used a pointer")
            note("%s played by the keyboard alone: %s" % (size, b.text("[role=status]")))
        for way, mark in (("mouse drags", mouse_drag(b)), ("clicks on both ends", mouse_clicks(b))):
            fresh(b, url["p30"])
            game = Game(b, e30, mark, "30x30 by " + way)
            game.check_finished(game.play() - game.start)
            note("30x30 played by %s: %s" % (way, b.text("[role=status]")))
        b.check_requests()

        # --- 7 x 12, other alphabets, by taps --------------------------------
        er = expected["rect"]
        fresh(b, url["rect"])
        check_contract(b, er)
        check(b.d.title == er["title"], "the page title is %r" % b.d.title)
        game = Game(b, er, touch(b, drag=False), "7 x 12 by taps")
        game.check_finished(game.play() - game.start)
        note("7 x 12 Greek, Cyrillic and Turkish played by taps: %s" % b.text("[role=status]"))
        b.check_requests()

        # --- A page without "Show answers" -----------------------------------
        fresh(b, url["noans"])
        check_contract(b, expected["noans"])
        source = open(os.path.join(pages, "noans.html"), encoding="utf-8").read()
        check(not b.d.find_elements(By.ID, "wq-answers") and 'data-answer="' not in source
              and 'id="wq-answers"' not in source, "the page without answers holds them")
        note("a page without answers has no button and no places")
        b.check_requests()

        # --- generate --html: the index, a link, a whole game -----------------
        lists = os.path.join(root, "lists.txt")
        with open(lists, "w") as f:
            f.write("APPLE PEAR PLUM CHERRY\nRED GREEN BLUE YELLOW PURPLE\nONE TWO THREE FOUR\n")
        out = os.path.join(root, "site")
        subprocess.run([program, "generate", "--words", lists, "--seed", "9", "--title", "Class 4B",
                        "--html", out, "--quiet"], check=True, env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
        index = "file://" + os.path.join(out, "index.html")
        b.allowed.add(index)
        b.drain()
        b.d.get(index)
        links = [(a.text, a.get_attribute("href")) for a in b.d.find_elements(By.CSS_SELECTOR, "a")]
        check([t.split("\n") for t, _ in links] ==
              [["Class 4B 1", "4 words, 15 \u00d7 15"], ["Class 4B 2", "5 words, 15 \u00d7 15"],
               ["Class 4B 3", "4 words, 15 \u00d7 15"]], "the index links %r" % links)
        target = "file://" + os.path.join(out, "puzzle-002.html")
        b.allowed.add(target)
        b.d.find_elements(By.CSS_SELECTOR, "a")[1].click()
        b.wait_ready()
        check(b.d.current_url == target and b.d.title == "Class 4B 2", "the link led to %s" % b.d.current_url)
        grid = b.run("return Array.prototype.map.call(document.querySelectorAll('[role=row]'), function (r) {"
                     " return Array.prototype.map.call(r.children, function (c) { return c.textContent; }); });")
        words = [find_in_grid(grid, w) for w in ("RED", "GREEN", "BLUE", "YELLOW", "PURPLE")]
        check(all(words), "a generated puzzle lacks one of its words: %r" % words)
        generated = {"words": words}
        game = Game(b, generated, mouse_clicks(b), "generated page by clicks")
        game.check_finished(game.play() - game.start)
        note("generate --html: index, link and a whole game: %s" % b.text("[role=status]"))
        b.check_requests()

        # --- generate --html in Greek and in Turkish: the page's lang, and
        # words matched as the language upper-cases. The Turkish page's list
        # is given in lower case, as another program may write it: kedi must
        # match KEDİ (a plain toUpperCase makes it KEDI).
        for code, line, words, lowered in (
                ("el", "\u03c3\u03bf\u03c6\u03af\u03b1 \u03bb\u03cc\u03b3\u03bf\u03c2 "
                       "\u03c8\u03c5\u03c7\u03ae",
                 ("\u03a3\u039f\u03a6\u038a\u0391", "\u039b\u038c\u0393\u039f\u03a3",
                  "\u03a8\u03a5\u03a7\u0389"), {}),
                ("tr", "kedi inci \u00e7ay",
                 ("KED\u0130", "\u0130NC\u0130", "\u00c7AY"),
                 {"KED\u0130": "kedi", "\u0130NC\u0130": "inci"})):
            lists = os.path.join(root, code + ".txt")
            with open(lists, "w", encoding="utf-8") as f:
                f.write(line + "\n")
            out = os.path.join(root, "site-" + code)
            subprocess.run([program, "generate", "--words", lists, "--language", code, "--seed", "4",
                            "--html", out, "--quiet"], check=True,
                           env=dict(os.environ, QT_QPA_PLATFORM="offscreen"))
            page = os.path.join(out, "puzzle-001.html")
            with open(page, encoding="utf-8") as f:
                source = f.read()
            for upper, lower in lowered.items():
                source = source.replace('data-word="%s"' % upper, 'data-word="%s"' % lower)
            with open(page, "w", encoding="utf-8") as f:
                f.write(source)
            target = "file://" + page
            b.allowed.add(target)
            fresh(b, target)
            check(b.run("return document.documentElement.lang;") == code,
                  "the %s page's lang is %r" % (code, b.run("return document.documentElement.lang;")))
            grid = b.run("return Array.prototype.map.call(document.querySelectorAll('[role=row]'), function (r) {"
                         " return Array.prototype.map.call(r.children, function (c) { return c.textContent; }); });")
            places = [find_in_grid(grid, w) for w in words]
            check(all(places), "the %s page lacks one of its words: %r" % (code, places))
            for place in places:
                place["word"] = lowered.get(place["word"], place["word"])
            game = Game(b, {"words": places}, mouse_clicks(b), "generated %s page by clicks" % code)
            game.check_finished(game.play() - game.start)
            note("generate --html --language %s: lang=%s, a whole game: %s"
                 % (code, code, b.text("[role=status]")))
        b.check_requests()
        note("no console message; requests: only the page files (%d)" % len(b.allowed))
        print("browser test passed in %.1f s" % (time.time() - started), flush=True)
    finally:
        if b:
            b.d.quit()
        shutil.rmtree(root, ignore_errors=True)


main()
