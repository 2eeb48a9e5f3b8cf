#!/usr/bin/python3
"""Prints through a private print server and checks the printed PDF.

Starts its own cupsd (own configuration, own socket, throwaway HOME), first
without any printer (the window must say so and restore itself), then with a
queue that stores each job's PDF. Checks: one page, the title and the words
as text, no page-sized picture, landscape after "Printer Setup" chose it, and
an answer key (title with its suffix) printed with the page options on.

Usage: cups_print_test.py <cups_print_client>
Exit 0: passed, 1: failed, 77: skipped (the reason is printed).
"""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

SKIP = 77
HERE = os.path.dirname(os.path.abspath(__file__))


def skip(reason):
    print("SKIPPED: print server test cannot run here: " + reason, flush=True)
    sys.exit(SKIP)


def fail(reason):
    print("FAILED: " + reason, flush=True)
    sys.exit(1)


def find_tool(name):
    for folder in (os.environ.get("PATH", "").split(os.pathsep) + ["/usr/sbin", "/sbin"]):
        path = os.path.join(folder, name)
        if os.access(path, os.X_OK):
            return path
    return None


def write(path, text, mode=0o644):
    with open(path, "w") as f:
        f.write(text)
    os.chmod(path, mode)


class PrintServer:
    def __init__(self, root, cupsd):
        self.root = root
        self.socket = os.path.join(root, "cups.sock")
        self.out = os.path.join(root, "out")
        conf = os.path.join(root, "conf")
        binary = os.path.join(root, "bin")
        for d in ("conf", "spool", "spool/tmp", "cache", "state", "log", "out", "home",
                  "bin", "bin/backend"):
            os.makedirs(os.path.join(root, d), exist_ok=True)
        os.chmod(self.out, 0o1777)
        for d in ("filter", "daemon", "cgi-bin", "driver", "notifier", "monitor"):
            if os.path.exists("/usr/lib/cups/" + d):
                os.symlink("/usr/lib/cups/" + d, os.path.join(binary, d))
        backend = os.path.join(binary, "backend", "pdfout")
        shutil.copy(os.path.join(HERE, "pdfout_backend.sh"), backend)
        os.chmod(backend, 0o700)
        write(os.path.join(conf, "cupsd.conf"), f"""Listen {self.socket}
LogLevel warn
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Location /admin>
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
""")
        write(os.path.join(conf, "cups-files.conf"), f"""ServerRoot {conf}
ServerBin {binary}
RequestRoot {root}/spool
TempDir {root}/spool/tmp
CacheDir {root}/cache
StateDir {root}/state
ErrorLog {root}/log/error_log
AccessLog {root}/log/access_log
PageLog {root}/log/page_log
""")
        self.env = dict(os.environ)
        self.env.update({"CUPS_SERVER": self.socket, "HOME": os.path.join(root, "home"),
                         "QT_QPA_PLATFORM": "offscreen", "LC_ALL": "C"})
        self.stderr = open(os.path.join(root, "log", "stderr"), "w")
        self.proc = subprocess.Popen(
            [cupsd, "-f", "-c", os.path.join(conf, "cupsd.conf"), "-s",
             os.path.join(conf, "cups-files.conf")],
            stdout=subprocess.DEVNULL, stderr=self.stderr, env=self.env)

    def wait_running(self, lpstat):
        for _ in range(100):
            if self.proc.poll() is not None:
                return False
            if os.path.exists(self.socket):
                r = subprocess.run([lpstat, "-r"], env=self.env, capture_output=True, text=True)
                if r.returncode == 0 and "not running" not in r.stdout:
                    return True
            time.sleep(0.1)
        return False

    def log(self):
        text = ""
        for name in ("stderr", "error_log"):
            try:
                with open(os.path.join(self.root, "log", name)) as f:
                    text += f.read()[-3000:]
            except OSError:
                pass
        return text

    def stop(self):
        self.stderr.close()
        if self.proc.poll() is None:
            self.proc.send_signal(signal.SIGTERM)
            try:
                self.proc.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.proc.kill()
                self.proc.wait()


def run_client(client, mode, env):
    r = subprocess.run([client, mode], env=env, capture_output=True, text=True, timeout=60)
    print(f"--- client {mode}: exit {r.returncode}\n{r.stdout}", flush=True)
    return r


def wait_job(folder, known):
    for _ in range(300):
        done = sorted(f for f in os.listdir(folder) if f.endswith(".pdf") and f not in known)
        if done:
            return os.path.join(folder, done[0])
        time.sleep(0.1)
    return None


def word_boxes(path):
    """(xMin, yMin) in points of every word on the page."""
    html = subprocess.run(["pdftotext", "-bbox", path, "-"], capture_output=True,
                          text=True).stdout
    boxes = {}
    for line in html.splitlines():
        line = line.strip()
        if line.startswith("<word "):
            attrs = dict(part.split("=", 1) for part in line[6:line.index(">")].split())
            text = line[line.index(">") + 1:line.rindex("<")]
            boxes.setdefault(text, (float(attrs["xMin"].strip('"')),
                                    float(attrs["yMin"].strip('"'))))
    return boxes


def check_pdf(path, words, landscape, title_to_list):
    info = subprocess.run(["pdfinfo", path], capture_output=True, text=True).stdout
    print(info, flush=True)
    pages = [l for l in info.splitlines() if l.startswith("Pages:")]
    if not pages or pages[0].split()[1] != "1":
        fail(f"{path}: expected one page")
    size = [l for l in info.splitlines() if l.startswith("Page size:")][0].split()
    width, height = float(size[2]), float(size[4])
    if landscape != (width > height):
        fail(f"{path}: page is {width} x {height} points, landscape expected: {landscape}")
    text = subprocess.run(["pdftotext", "-layout", path, "-"], capture_output=True,
                          text=True).stdout
    for expected in words:
        if expected not in text:
            fail(f"{path}: text {expected!r} not found in the printed page:\n{text}")
    images = subprocess.run(["pdfimages", "-list", path], capture_output=True,
                            text=True).stdout.splitlines()[2:]
    if images:
        fail(f"{path}: the page holds pictures instead of vector drawing:\n" +
             "\n".join(images))
    if title_to_list is None:
        return
    # printed at its on-screen size: 96 page pixels to the inch (a wide page
    # may be shrunk a little to stay inside the printable area)
    boxes = word_boxes(path)
    distance = boxes["1."][0] - boxes["Word"][0]
    expected = title_to_list * 72.0 / 96.0
    if not (0.95 * expected <= distance <= 1.01 * expected):
        fail(f"{path}: title to word list is {distance:.1f} points, expected about {expected:.1f}")
    print(f"title to word list: {distance:.1f} points (on-screen size: {expected:.1f})")


def main():
    if len(sys.argv) < 2:
        fail("usage: cups_print_test.py <cups_print_client>")
    client = sys.argv[1]
    tools = {name: find_tool(name) for name in
             ("cupsd", "lpadmin", "lpstat", "pdfinfo", "pdftotext", "pdfimages")}
    missing = [name for name, path in tools.items() if not path]
    if missing:
        skip("missing " + ", ".join(missing))

    root = tempfile.mkdtemp(prefix="quarrin-cups-")
    os.chmod(root, 0o755)
    server = PrintServer(root, tools["cupsd"])
    try:
        if not server.wait_running(tools["lpstat"]):
            skip("the private cupsd did not start:\n" + server.log())

        # 1. no printer at all: a message, and the window is restored
        r = run_client(client, "noprinter", server.env)
        if r.returncode != 0 or "MESSAGE: There is no printer" not in r.stdout \
                or "STATE: normal" not in r.stdout:
            fail("without a printer the window must say so and restore itself")

        # 2. a queue that stores the documents it receives
        add = subprocess.run([tools["lpadmin"], "-p", "quarrin-pdf", "-E", "-v",
                              "pdfout:" + server.out, "-m", "raw"],
                             env=server.env, capture_output=True, text=True)
        if add.returncode != 0:
            skip("lpadmin could not add a test queue: " + add.stderr)
        subprocess.run([tools["lpadmin"], "-d", "quarrin-pdf"], env=server.env, check=True)

        known = set()
        r = run_client(client, "print15", server.env)
        if r.returncode != 0 or "PRINTER: quarrin-pdf" not in r.stdout:
            fail("printing the 15x15 page failed")
        job = wait_job(server.out, known)
        if not job:
            fail("no job reached the printer\n" + server.log())
        known.add(os.path.basename(job))
        check_pdf(job, ["Word Quarrin", "1. CAT", "8. GOOSE", "15. MOUSE"], landscape=False,
                  title_to_list=552 - 48)

        r = run_client(client, "print30", server.env)
        if r.returncode != 0:
            fail("printing the 30x30 page failed")
        job = wait_job(server.out, known)
        if not job:
            fail("no job reached the printer\n" + server.log())
        known.add(os.path.basename(job))
        check_pdf(job, ["Word Quarrin", "1. CAT", "28. STALLION"], landscape=True,
                  title_to_list=528 - 32)

        # 3. the answer key, fitted to the page on white
        r = run_client(client, "key15", server.env)
        if r.returncode != 0:
            fail("printing the 15x15 answer key failed")
        job = wait_job(server.out, known)
        if not job:
            fail("no job reached the printer\n" + server.log())
        check_pdf(job, ["Word Quarrin \u2013 Answer Key", "1. HORSE", "9. HEN"],
                  landscape=False, title_to_list=None)
        print("PASSED", flush=True)
    finally:
        server.stop()
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    main()
