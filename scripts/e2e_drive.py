#!/usr/bin/python3
"""Drives the real program through the accessibility bus, as a user would.

Started by scripts/e2e.sh inside an X server and a D-Bus session that carries
the AT-SPI bus. Starts the program, waits out the splash, makes a 15x15 puzzle
in the editor (typed words, X/Y and direction, one random placement, a random
fill), answers a message box, saves the puzzle through the save dialog, clears
the editor, loads the file back and checks the lists and the file. Every step
prints what it does; the first failure ends the run with a message and a
non-zero exit status.

usage: e2e_drive.py PROGRAM OUTPUT_FOLDER
"""

import os
import subprocess
import sys
import time
import traceback

import pyatspi

EDITOR = "Word Quarrin Generator 15x15 Grid"
STEP_TIMEOUT = 15.0
RECORD_BYTES = 1410


class Failure(Exception):
    pass


def log(text):
    print(f"[e2e {time.monotonic() - T0:6.2f}s] {text}", flush=True)


def wait_for(what, probe, timeout=STEP_TIMEOUT, interval=0.1):
    """Polls probe() until it returns something true; fails after timeout."""
    end = time.monotonic() + timeout
    last_error = None
    while time.monotonic() < end:
        try:
            result = probe()
            if result:
                return result
        except Failure:
            raise
        except Exception as error:  # the tree changes under us while windows come and go
            last_error = error
        time.sleep(interval)
    detail = f" (last error: {last_error})" if last_error else ""
    raise Failure(f"timed out after {timeout:.0f}s waiting for {what}{detail}")


def role(obj):
    return obj.getRoleName()


def children(obj):
    for i in range(obj.childCount):
        child = obj.getChildAtIndex(i)
        if child is not None:
            yield child


def find_all(root, wanted_role=None, name=None, limit=None):
    """Depth-first search that skips the insides of tables (the letter grid)."""
    found = []
    stack = [root]
    while stack:
        obj = stack.pop()
        try:
            r = role(obj)
            if (wanted_role is None or r == wanted_role) and (name is None or obj.name == name):
                found.append(obj)
                if limit and len(found) >= limit:
                    return found
            if r in ("table", "table cell"):
                continue
            stack.extend(reversed(list(children(obj))))
        except Exception:
            continue
    return found


def find(root, wanted_role, name):
    hits = find_all(root, wanted_role, name, limit=1)
    return hits[0] if hits else None


def showing(obj):
    try:
        return obj.getState().contains(pyatspi.STATE_SHOWING)
    except Exception:
        return False


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in children(desktop):
        try:
            if app.get_process_id() == pid:
                return app
        except Exception:
            continue
    return None


def top_windows(app):
    return [w for w in children(app) if showing(w)]


def text_of(obj):
    text = obj.queryText()
    return text.getText(0, text.characterCount)


def lines_of(obj):
    return [line for line in text_of(obj).replace("\r", "").split("\n") if line]


def press(obj, what):
    action = obj.queryAction()
    for i in range(action.nActions):
        if action.getName(i).lower() in ("press", "click", "toggle", "activate"):
            action.doAction(i)
            return
    if action.nActions == 0:
        raise Failure(f"{what} offers no action")
    action.doAction(0)


KEYSYM_RETURN = 0xFF0D


def key(keysym):
    pyatspi.Registry.generateKeyboardEvent(keysym, None, pyatspi.KEY_SYM)
    time.sleep(0.03)


def click_on(obj):
    """A left click in the middle of the control, as the mouse would give it."""
    box = obj.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
    pyatspi.Registry.generateMouseEvent(box.x + box.width // 2, box.y + box.height // 2, "b1c")
    time.sleep(0.05)


def type_into(field, text, expect, what):
    """Focuses the field and types the text key by key, then checks what it shows."""
    click_on(field)
    wait_for(f"focus in {what}", lambda: field.getState().contains(pyatspi.STATE_FOCUSED), 5)
    field.queryEditableText().setTextContents("")
    for ch in text:
        key(ord(ch))
    wait_for(f"{what} to show {expect!r}", lambda: text_of(field) == expect, 5)


class Driver:
    def __init__(self, program, out):
        self.program = program
        self.out = out
        self.proc = None
        self.app = None
        self.editor = None
        self.direction = None

    # --- the program ---------------------------------------------------------
    def start(self):
        env = dict(os.environ, QT_QPA_PLATFORM="xcb", QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        started = time.monotonic()
        self.proc = subprocess.Popen([self.program], env=env)
        log(f"started {self.program} (pid {self.proc.pid})")

        def on_bus():
            if self.proc.poll() is not None:
                raise Failure(f"the program ended with status {self.proc.returncode}")
            return application(self.proc.pid)

        self.app = wait_for("the program on the accessibility bus", on_bus, 20)

        def editor_shown():
            if self.proc.poll() is not None:
                raise Failure(f"the program ended with status {self.proc.returncode}")
            return next((w for w in top_windows(self.app) if w.name == EDITOR), None)

        self.editor = wait_for(f'the editor "{EDITOR}"', editor_shown, 20, 0.05)
        waited = time.monotonic() - started
        log(f"editor shown {waited:.2f}s after the start")
        # The splash stays three seconds before the editor may appear.
        if waited < 3.0:
            raise Failure(f"the editor appeared {waited:.2f}s after the start, before the splash's wait")

    def stop(self):
        if self.proc and self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()

    # --- controls --------------------------------------------------------------
    def control(self, wanted_role, name, root=None):
        root = root or self.editor
        return wait_for(f'{wanted_role} "{name}"', lambda: find(root, wanted_role, name), 5)

    def button(self, name, root=None):
        return self.control("push button", name, root)

    def click(self, name, root=None):
        log(f'press "{name}"')
        press(self.button(name, root), name)

    def grid_word(self, x, y, dx, dy, length):
        """The letters of the editor's grid along a word, read from the table's cells."""
        table = self.control("table", "Quarrin")
        cells = table.queryTable()
        letters = ""
        for p in range(length):
            cell = cells.getAccessibleAt(y - 1 + p * dy, x - 1 + p * dx)
            letters += (cell.name or "?")[:1]
        return letters

    def list_lines(self, name):
        return lines_of(self.control("text", name))

    def lists(self):
        return (self.list_lines("Words Entered:"), self.list_lines("First Letter (X,Y):"),
                self.list_lines("Direction:"))

    def choose_direction(self, name):
        """Opens the direction list and clicks the direction, as with the mouse."""
        # Found once: the combo box may take its current text as its name.
        if self.direction is None:
            self.direction = self.control("combo box", "Direction:")
        combo = self.direction
        if self.combo_text(combo) == name:
            return
        action = combo.queryAction()
        names = [action.getName(i) for i in range(action.nActions)]
        action.doAction(names.index("ShowMenu") if "ShowMenu" in names else 0)
        item = wait_for(f'"{name}" in the open direction list', lambda: next(
            (i for i in find_all(combo, "list item", name) if showing(i)), None), 5)
        click_on(item)
        wait_for(f'direction "{name}"', lambda: self.combo_text(combo) == name, 5)
        log(f'direction "{name}"')

    @staticmethod
    def combo_text(combo):
        for child in children(combo):
            if role(child) == "text":
                return text_of(child)
        return None

    def dialog(self, what, predicate=lambda w: True):
        """A window of the program other than the editor, shown modally."""
        def probe():
            for window in top_windows(self.app):
                if window.name != EDITOR and predicate(window):
                    return window
            return None
        return wait_for(what, probe)

    def no_dialog(self, what):
        wait_for(f"{what} to close",
                 lambda: all(w.name == EDITOR for w in top_windows(self.app)))

    def answer_message(self, expect):
        box = self.dialog("a message box", lambda w: find(w, "push button", "OK") is not None)
        shown = " | ".join(obj.name for obj in find_all(box, "label") if obj.name)
        log(f"message box: {shown}")
        if expect not in shown:
            raise Failure(f"the message box says {shown!r}, expected {expect!r}")
        self.click("OK", box)
        self.no_dialog("the message box")

    def file_dialog(self, command, path, accept, message=None):
        """Runs the editor's save or open dialog with the path typed as the file name.
        With `message`, the command must end in a message box that says it."""
        self.click(command)
        dialog = self.dialog(f"the {command.lower()} dialog",
                             lambda w: find(w, "push button", accept) is not None)
        field = wait_for("the file name field", lambda: (
            find(dialog, "text", "File name:") or find(dialog, "text", "File Name:")))
        field.queryEditableText().setTextContents(path)
        wait_for("the file name", lambda: text_of(field) == path, 5)
        log(f'{command.lower()} dialog: "{path}"')
        self.click(accept, dialog)
        if message:
            self.answer_message(message)
        self.no_dialog(f"the {command.lower()} dialog")

    # --- the user's road -------------------------------------------------------
    def run(self):
        self.start()
        word = self.control("text", "Word to enter:")
        xpos = self.control("text", "X:")
        ypos = self.control("text", "Y:")

        # A word at a given cell: typed word and coordinates, direction picked with the mouse.
        type_into(word, "ca7t", "cat", "the word field (digits are dropped)")
        type_into(xpos, "2", "2", "X")
        type_into(ypos, "3", "3", "Y")
        self.choose_direction("Right")
        self.click("Add Word")
        wait_for("CAT in the word list", lambda: self.list_lines("Words Entered:") == ["CAT"])

        # A second word, added with Enter.
        type_into(word, "Owl", "Owl", "the word field")
        type_into(xpos, "10", "10", "X")
        type_into(ypos, "4", "4", "Y")
        self.choose_direction("Down")
        word.queryComponent().grabFocus()
        log("press Enter in the word field")
        key(KEYSYM_RETURN)
        wait_for("OWL in the word list",
                 lambda: self.list_lines("Words Entered:") == ["CAT", "OWL"])

        # A word that does not fit is refused with a message.
        type_into(word, "ELEPHANT", "ELEPHANT", "the word field")
        type_into(xpos, "12", "12", "X")
        type_into(ypos, "1", "1", "Y")
        self.choose_direction("Right")
        self.click("Add Word")
        self.answer_message("Invalid position")
        if self.list_lines("Words Entered:") != ["CAT", "OWL"]:
            raise Failure("the refused word changed the word list")

        # One word at random.
        log('tick "Random Position"')
        press(self.control("check box", "Random Position"), "Random Position")
        wait_for("X to show N/A", lambda: text_of(xpos) == "N/A", 5)
        type_into(word, "Zebra", "Zebra", "the word field")
        self.click("Add Word")
        wait_for("ZEBRA in the word list",
                 lambda: self.list_lines("Words Entered:") == ["CAT", "OWL", "ZEBRA"])

        self.click("Fill blank with Random")
        made = self.lists()
        log(f"lists: {made}")
        if made[1][:2] != ["2, 3", "10, 4"] or made[2][:2] != ["Right", "Down"]:
            raise Failure(f"unexpected positions or directions: {made}")

        # Save, clear, load.
        target = os.path.join(self.out, "puzzle")
        saved = target + ".qrn"
        if os.path.exists(saved):
            os.remove(saved)
        self.file_dialog("Save", target, "Save")
        wait_for(f"{saved} to be written", lambda: os.path.exists(saved), 5)
        size = os.path.getsize(saved)
        log(f"{saved}: {size} bytes")
        if size != RECORD_BYTES:
            raise Failure(f"the saved file holds {size} bytes, expected {RECORD_BYTES}")

        self.click("Clear")
        wait_for("empty lists", lambda: self.lists() == ([], [], []))

        self.file_dialog("Load", saved, "Open")
        wait_for("the loaded lists", lambda: self.lists() == made)
        log("the loaded lists match the saved puzzle")
        shown = (self.grid_word(2, 3, 1, 0, 3), self.grid_word(10, 4, 0, 1, 3))
        log(f"grid after loading: {shown}")
        if shown != ("CAT", "OWL"):
            raise Failure(f"the grid shows {shown} where CAT and OWL were saved")

        # A file that is not a puzzle is refused and changes nothing.
        broken = os.path.join(self.out, "broken.qrn")
        with open(broken, "wb") as f:
            f.write(b"not a puzzle")
        self.file_dialog("Load", broken, "Open", message="is not a 15x15 puzzle file")
        if self.lists() != made:
            raise Failure("a refused load changed the lists")
        log("a damaged file is refused with a message")

    def close(self):
        """Closes the editor with its Close button: the program must end, and cleanly."""
        self.click("Close")
        end = time.monotonic() + STEP_TIMEOUT
        while self.proc.poll() is None and time.monotonic() < end:
            time.sleep(0.1)
        if self.proc.poll() is None:
            raise Failure("the program did not end when the 15x15 editor was closed")
        if self.proc.returncode != 0:
            raise Failure(f"the program ended with status {self.proc.returncode}")
        log("closing the editor ended the program")


def shoot(out):
    shot = os.path.join(out, "e2e-final.png")
    subprocess.run(["import", "-window", "root", shot], check=False)
    log(f"screenshot: {shot}")


def main():
    if len(sys.argv) != 3:
        print(__doc__, file=sys.stderr)
        return 2
    program, out = sys.argv[1], os.path.abspath(sys.argv[2])
    os.makedirs(out, exist_ok=True)
    driver = Driver(program, out)
    status = 0
    try:
        driver.run()
        shoot(out)
        driver.close()
        log("PASS")
    except Failure as failure:
        log(f"FAIL: {failure}")
        status = 1
        shoot(out)
    except Exception as error:  # an AT-SPI call that broke: report it as a failure
        log(f"FAIL: {type(error).__name__}: {error}")
        traceback.print_exc()
        status = 1
        shoot(out)
    finally:
        driver.stop()
    return status


T0 = time.monotonic()

if __name__ == "__main__":
    sys.exit(main())
