#!/usr/bin/python3
"""Checks books and worksheets as a print service would, with poppler-utils.

    check_book_pdf.py WORD_QUARRIN SHEET_SHOT

Makes books through `word_quarrin generate --pdf` (6x9 in with a title page,
contents and bleed; A4 with nine keys a page; a book of more than 150 pages,
whose gutter is wider) and the sample worksheets of sheet_shot, then checks:
every page exactly the trim size (plus the bleed), every font embedded and
subset, no raster image, no text or drawing inside the margins, the text in
reading order, the page numbers where they belong, each puzzle's title and
words on its page and its key in the solutions section.
Exit 77 (skipped) when the poppler tools are missing.
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile

PT = 72.0


def run(*args, env=None):
    return subprocess.run(args, check=True, capture_output=True, text=True, env=env)


def fail(message):
    print("FAIL:", message)
    sys.exit(1)


def pages_of(pdf):
    info = run("pdfinfo", pdf).stdout
    return int(re.search(r"Pages:\s+(\d+)", info).group(1))


def page_sizes(pdf, count):
    info = run("pdfinfo", "-f", "1", "-l", str(count), pdf).stdout
    return [(float(w), float(h)) for w, h in re.findall(r"Page\s+\d+ size:\s+([\d.]+) x ([\d.]+)", info)]


def words_by_page(pdf):
    """[(text, xmin, ymin, xmax, ymax)] per page, from pdftotext -bbox."""
    html = run("pdftotext", "-bbox", pdf, "-").stdout
    pages = []
    for page in re.split(r"<page ", html)[1:]:
        pages.append([(m.group(5), float(m.group(1)), float(m.group(2)), float(m.group(3)), float(m.group(4)))
                      for m in re.finditer(r'<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>', page)])
    return pages


def raw_text(pdf, page):
    return run("pdftotext", "-raw", "-f", str(page), "-l", str(page), pdf, "-").stdout.replace("\f", "").strip()


def gray_pages(pdf, dpi):
    """Every page as (width, height, grey levels row by row), through one
    run of pdftoppm writing PGM files."""
    with tempfile.TemporaryDirectory() as folder:
        run("pdftoppm", "-gray", "-r", str(dpi), pdf, os.path.join(folder, "p"))
        pages = []
        for name in sorted(os.listdir(folder)):
            with open(os.path.join(folder, name), "rb") as f:
                data = f.read()
            fields = data.split(maxsplit=4)
            width, height = int(fields[1]), int(fields[2])
            pages.append((width, height, fields[4][-width * height:]))
        return pages


def check_fonts_and_images(pdf):
    fonts = run("pdffonts", pdf).stdout.splitlines()[2:]
    if not fonts:
        fail(f"{pdf}: no fonts")
    for line in fonts:
        cols = line.split()
        # name type... emb sub uni object gen: emb and sub are the 5th and 4th from the end
        if cols[-5] != "yes" or cols[-4] != "yes":
            fail(f"{pdf}: a font not embedded as a subset: {line}")
    images = run("pdfimages", "-list", pdf).stdout.splitlines()[2:]
    if images:
        fail(f"{pdf}: raster images: {images}")


def live_area(number, trim, bleed, gutter, outside=0.375, top=0.5, bottom=0.5, mirrored=True):
    """The live area of page `number` in points, from the page's top-left."""
    w, h = trim
    right_hand = number % 2 == 1 or not mirrored
    left = 0.0 if right_hand else bleed
    inner_left = (gutter if right_hand else outside) * PT
    inner_right = (outside if right_hand else gutter) * PT
    return (left + inner_left, bleed + top * PT, left + w - inner_right, bleed + h - bottom * PT)


DPI = 36


def check_inside(pdf, number, words, live, picture, tolerance=0.6):
    x0, y0, x1, y1 = live
    for text, a, b, c, d in words:
        if a < x0 - tolerance or c > x1 + tolerance or b < y0 - tolerance or d > y1 + tolerance:
            fail(f"{pdf} page {number}: '{text}' at ({a:.1f},{b:.1f})-({c:.1f},{d:.1f}) outside {live}")
    # no drawing either: every pixel outside the live area is white paper
    width, height, pixels = picture
    scale = DPI / PT
    left, right = int(x0 * scale) - 1, int(x1 * scale) + 1
    topp, bottomp = int(y0 * scale) - 1, int(y1 * scale) + 1
    left, right = max(left, 0), min(right, width - 1)
    for y in range(height):
        row = pixels[y * width:(y + 1) * width]
        outside = row if y < topp or y > bottomp else row[:left] + row[right + 1:]
        if outside and min(outside) < 235:
            x = next(i for i, v in enumerate(row) if v < 235)
            fail(f"{pdf} page {number}: ink at pixel {x},{y} outside the live area {live}")


def page_number_of(words, live):
    """The page number: the lowest word, centred on the live area."""
    if not words:
        return None
    lowest = max(words, key=lambda w: w[4])
    centre = (live[0] + live[2]) / 2
    if abs((lowest[1] + lowest[3]) / 2 - centre) > 2 or not lowest[0].isdigit():
        return None
    return int(lowest[0])


def check_book(pdf, puzzles, trim_in, bleed, gutter, title_page, contents):
    """puzzles: [(title, words)] in book order."""
    count = pages_of(pdf)
    if count % 2 or count < 24:
        fail(f"{pdf}: {count} pages, not even and at least 24")
    bleed_pt = 0.125 * PT if bleed else 0.0
    trim = (trim_in[0] * PT, trim_in[1] * PT)
    for n, size in enumerate(page_sizes(pdf, count), start=1):
        want = (round(trim[0] + bleed_pt), round(trim[1] + 2 * bleed_pt))
        if abs(size[0] - want[0]) > 0.01 or abs(size[1] - want[1]) > 0.01:
            fail(f"{pdf} page {n}: {size} pt, not {want}")
    check_fonts_and_images(pdf)
    pages = words_by_page(pdf)
    texts = [" ".join(w[0] for w in page) for page in pages]
    pictures = gray_pages(pdf, DPI)
    for n, words in enumerate(pages, start=1):
        live = live_area(n, trim, bleed_pt, gutter)
        check_inside(pdf, n, words, live, pictures[n - 1])
        number = page_number_of(words, live)
        if n == 1 and title_page:
            if number is not None:
                fail(f"{pdf}: a page number on the title page")
            continue
        if not words:
            continue  # a blank page at the end
        if number != n:
            fail(f"{pdf} page {n}: page number {number}")
    # each puzzle's title and words on its page, its key in the solutions
    solutions = next(n for n, t in enumerate(texts, start=1) if t.startswith("Solutions"))
    first = 1 + (1 if title_page else 0)
    if contents:
        toc = raw_text(pdf, first)
        if not toc.startswith("Contents"):
            fail(f"{pdf}: no contents on page {first}")
        first += 1
    for k, (title, words) in enumerate(puzzles):
        page = first + k
        text = raw_text(pdf, page)
        lines = text.splitlines()
        # reading order: the title (over lines when long), the grid's rows
        # of letters, the words, the page number
        rows = [l for l in lines if re.fullmatch(r"(\w )+\w", l)]
        if len(rows) < 10:
            fail(f"{pdf} page {page}: no grid: {lines}")
        heading = " ".join(lines[:lines.index(rows[0])])
        if heading != title:
            fail(f"{pdf} page {page}: '{heading}' before the grid, not the title '{title}'")
        if lines[-1].strip() != str(page):
            fail(f"{pdf} page {page}: the page number is not read last")
        listed = " ".join(lines[lines.index(rows[-1]) + 1:])
        for word in words:
            if not re.search(r"\b" + word.upper() + r"\b", listed):
                fail(f"{pdf} page {page}: '{word}' not in the word list")
        if contents and not re.search(re.escape(title) + r" " + str(page) + r"\b", raw_text(pdf, first - 1)):
            fail(f"{pdf}: the contents do not give '{title}' page {page}")
        label = f"{title} (page {page})"
        where = [n for n, t in enumerate(texts, start=1) if label in t]
        if not where or where[0] < solutions:
            fail(f"{pdf}: the key '{label}' is not in the solutions section (from page {solutions})")
    return count


def main():
    if any(shutil.which(t) is None for t in ("pdfinfo", "pdffonts", "pdfimages", "pdftotext", "pdftoppm")):
        print("the poppler tools are not installed")
        return 77
    program, shot = sys.argv[1], sys.argv[2]
    env = dict(os.environ, QT_QPA_PLATFORM="offscreen")
    with tempfile.TemporaryDirectory() as work:
        lists = os.path.join(work, "lists.txt")
        puzzles = [("Farm animals", ["cow", "pig", "horse", "sheep", "goat", "duck"]),
                   ("Wild cats", ["lion", "tiger", "puma", "lynx", "ocelot"]),
                   ("Birds of the garden and the hedgerow", ["robin", "wren", "finch", "thrush"])]
        with open(lists, "w") as f:
            for title, words in puzzles:
                f.write(f"{title}: {', '.join(words)}\n")
            f.write("owl emu yak gnu\n")
        puzzles.append(("Word Quarrin 4", ["owl", "emu", "yak", "gnu"]))

        book = os.path.join(work, "book.pdf")
        args = [program, "generate", "--words", lists, "--pdf", book, "--paper", "6x9in",
                "--bleed", "--title-page", "--toc", "--seed", "5"]
        r = subprocess.run(args, capture_output=True, text=True, env=env)
        if r.returncode != 0:
            fail(f"generate: {r.returncode} {r.stderr}")
        if "blank pages added at the end to make 24 pages" not in r.stderr:
            fail(f"the padding is not said: {r.stderr!r}")
        # A quiet run that succeeds says nothing, the padding included.
        r = subprocess.run(args + ["--quiet"], capture_output=True, text=True, env=env)
        if r.returncode != 0 or r.stderr:
            fail(f"a quiet run spoke: {r.returncode} {r.stderr!r}")
        check_book(book, puzzles, (6, 9), True, 0.375, True, True)

        nine = os.path.join(work, "nine.pdf")
        subprocess.run([program, "generate", "--words", lists, "--pdf", nine, "--paper", "a4",
                        "--keys-per-page", "9", "--large-print", "--seed", "5", "--quiet"],
                       check=True, capture_output=True, env=env)
        check_book(nine, puzzles, (595 / PT, 842 / PT), False, 0.375, False, False)

        # past 150 pages the gutter widens to 0.5 in, on the left of odd pages
        many = os.path.join(work, "many.txt")
        with open(many, "w") as f:
            for k in range(130):
                f.write(f"Puzzle number {k + 1}: cat dog owl emu\n")
        thick = os.path.join(work, "thick.pdf")
        subprocess.run([program, "generate", "--words", many, "--pdf", thick, "--paper", "8.5x11in",
                        "--keys-per-page", "6", "--seed", "1", "--quiet"],
                       check=True, capture_output=True, env=env)
        count = check_book(thick, [(f"Puzzle number {k + 1}", ["cat", "dog", "owl", "emu"]) for k in range(0, 130)],
                           (8.5, 11), False, 0.5, False, False)
        if count != 152:
            fail(f"thick book: {count} pages, not 130 + 22 keys = 152")

        # the worksheets
        subprocess.run([shot, work], check=True, capture_output=True, env=env)
        for name, paper in (("worksheet-a4.pdf", (595, 842)), ("worksheet-6x9.pdf", (432, 648))):
            pdf = os.path.join(work, name)
            if pages_of(pdf) != 2 or any(s != paper for s in page_sizes(pdf, 2)):
                fail(f"{name}: not two pages of {paper}")
            check_fonts_and_images(pdf)
            margin = 10 / 25.4 * PT
            pictures = gray_pages(pdf, DPI)
            for n, words in enumerate(words_by_page(pdf), start=1):
                live = (margin, margin, paper[0] - margin, paper[1] - margin)
                check_inside(pdf, n, words, live, pictures[n - 1])
                if page_number_of(words, live) != n:
                    fail(f"{name} page {n}: no page number {n}")
            if "Answer Key" not in " ".join(raw_text(pdf, 2).splitlines()[:2]):
                fail(f"{name}: page 2 is not the key")
        clues = raw_text(os.path.join(work, "worksheet-6x9.pdf"), 1)
        if not re.search(r"Travels towards the centre of the Earth's dinner table\s+each November", clues):
            fail(f"the long clue is cut or out of order: {clues}")
    print("1 passed, 0 failed")
    return 0


if __name__ == "__main__":
    sys.exit(main())
