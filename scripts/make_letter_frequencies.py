#!/usr/bin/python3
"""Counts the letters of each language's alphabet in a word list or spelling
dictionary that Debian ships, and writes src/language/letter_frequencies.cpp,
the table behind the natural fill.

    /usr/bin/python3 scripts/make_letter_frequencies.py [--check]

The build uses the checked-in table; run this to refresh it after changing an
alphabet or a source. It needs the packages named in SOURCES installed (as
root: apt-get install wamerican wspanish ... hunspell-tr); a missing one
stops it with the package's name. --check writes nothing and exits 1 when
the checked-in table differs from what the installed packages give.

What is counted, for every language alike:
  - every distinct word of the source once (a list gives each spelling once,
    not how often it is used), after NFC, the language's upper-casing (as the
    program does it: Turkish i -> İ, ß -> ẞ, ΐ/ΰ -> Ϊ/Ϋ) and with
    apostrophes and hyphens taken out, as a puzzle writes such words;
  - a word with any other character outside the alphabet (a digit, a blank,
    a foreign letter) is passed over whole, so no table counts letters of
    words it cannot hold;
  - from a hunspell dictionary, the stems: the entries that carry affix
    flags, with the flags cut off, and every entry of a dictionary that uses
    no flags at all (Greek lists its words in full). Affixes are not
    expanded: the expansion weighs a language by its inflection endings
    (Russian -ого, -ыми, Turkish -dığı would crowd out the stems), and
    puzzle words are mostly dictionary forms. In a dictionary with flags,
    entries without flags are mostly inflected forms listed outright
    (Turkish) or names and abbreviations (Russian), and are left out.
"""

import argparse
import collections
import os
import re
import subprocess
import sys
import unicodedata

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
TABLE = os.path.join(ROOT, "src", "language", "language.cpp")
OUTPUT = os.path.join(ROOT, "src", "language", "letter_frequencies.cpp")

# code: (Debian package, file, encoding or None to read it from the .aff SET line, kind)
SOURCES = {
    "en": ("wamerican", "/usr/share/dict/american-english", "utf-8", "wordlist"),
    "es": ("wspanish", "/usr/share/dict/spanish", "utf-8", "wordlist"),
    "fr": ("wfrench", "/usr/share/dict/french", "utf-8", "wordlist"),
    "de": ("wngerman", "/usr/share/dict/ngerman", "utf-8", "wordlist"),
    "it": ("witalian", "/usr/share/dict/italian", "utf-8", "wordlist"),
    "pt": ("wportuguese", "/usr/share/dict/portuguese", "utf-8", "wordlist"),
    "nl": ("wdutch", "/usr/share/dict/dutch", "utf-8", "wordlist"),
    "pl": ("wpolish", "/usr/share/dict/polish", "utf-8", "wordlist"),
    "tr": ("hunspell-tr", "/usr/share/hunspell/tr_TR.dic", None, "hunspell"),
    "sv": ("wswedish", "/usr/share/dict/swedish", "iso-8859-1", "wordlist"),
    "el": ("hunspell-el", "/usr/share/hunspell/el_GR.dic", None, "hunspell"),
    "ru": ("hunspell-ru", "/usr/share/hunspell/ru_RU.dic", None, "hunspell"),
    "uk": ("wukrainian", "/usr/share/dict/ukrainian", "utf-8", "wordlist"),
}

DROPPED = {"'", "\u2019", "\u02bc", "-"}  # apostrophes and hyphens
ROW = re.compile(r'\{"([a-z]{2})", "[^"]*", u"[^"]*", u"([^"]*)", (true|false)\}')


def read_alphabets():
    """(code, alphabet, dotted capital I) of every row of the language table, in order."""
    with open(TABLE, encoding="utf-8") as f:
        rows = [(m.group(1), m.group(2), m.group(3) == "true") for m in ROW.finditer(f.read())]
    if not rows:
        sys.exit(f"no language rows found in {TABLE}")
    return rows


def package_version(package, path):
    try:
        owner = subprocess.run(["dpkg", "-S", path], capture_output=True, text=True, check=True)
        version = subprocess.run(["dpkg-query", "-W", "-f", "${Version}", package],
                                 capture_output=True, text=True, check=True)
    except (OSError, subprocess.CalledProcessError):
        sys.exit(f"{path} is missing: install the Debian package {package}")
    if not owner.stdout.startswith(package + ":"):
        sys.exit(f"{path} belongs to {owner.stdout.split(':')[0]}, not {package}")
    return version.stdout.strip()


def hunspell_encoding(dic_path):
    aff = dic_path[:-4] + ".aff"
    with open(aff, encoding="latin-1") as f:
        for line in f:
            if line.startswith("SET "):
                return line.split()[1]
    return "iso-8859-1"


def source_words(path, encoding, kind):
    """The words of a source: a word list line by line, or a hunspell
    dictionary's stems (see the module's text)."""
    with open(path, encoding=encoding) as f:
        lines = f.read().splitlines()
    if kind == "wordlist":
        return [line.strip() for line in lines if line.strip()]
    entries = lines[1:]  # the first line is the count
    words = [re.split(r"[\t ]", e.strip())[0] for e in entries if e.strip()]
    flagged = [w for w in words if "/" in w]
    if flagged:
        words = flagged
    return [w.split("/")[0] for w in words if w.split("/")[0]]


def capital(ch, dotted_capital_i):
    """The capital of one character, as src/language/language.cpp makes it."""
    if ch == "i":
        return "\u0130" if dotted_capital_i else "I"
    special = {"\u00df": "\u1e9e", "\u0390": "\u03aa", "\u03b0": "\u03ab"}
    if ch in special:
        return special[ch]
    upper = ch.upper()
    return upper if len(upper) == 1 else ch


def count(alphabet, dotted_capital_i, words):
    letters = set(alphabet)
    seen = set()
    passed_over = 0
    counts = collections.Counter()
    for word in words:
        text = unicodedata.normalize("NFC", word)
        upper = "".join(capital(c, dotted_capital_i) for c in text if c not in DROPPED)
        if not upper or any(c not in letters for c in upper):
            passed_over += 1
            continue
        if upper in seen:
            continue
        seen.add(upper)
        counts.update(upper)
    return [counts[c] for c in alphabet], len(seen), passed_over


def cpp_string(text):
    return 'u"' + text + '"'


def render(tables):
    out = [
        "// Letter counts of each language's alphabet. Made by",
        "// scripts/make_letter_frequencies.py from Debian's word lists and spelling",
        "// dictionaries; do not edit, run the script again.",
        "",
        "// clang-format off",
        "",
        '#include "language/letter_frequencies.h"',
        "",
        "namespace quarrin {",
        "",
        "namespace {",
        "",
    ]
    for t in tables:
        out.append(f"// {t['alphabet']}")
        out.append(f"constexpr std::uint32_t k_{t['code']}[] = {{")
        numbers = [str(n) for n in t["counts"]]
        line = "   "
        for n in numbers:
            if len(line) + len(n) + 2 > 100:
                out.append(line)
                line = "   "
            line += " " + n + ","
        out.append(line)
        out.append("};")
        out.append("")
    out += ["} // namespace", "", "const LetterFrequencyTable kLetterFrequencyTables[] = {"]
    for t in tables:
        out.append(f'    {{"{t["code"]}", {cpp_string(t["alphabet"])}, k_{t["code"]},')
        out.append(f'     "{t["package"]} {t["version"]}", "{t["file"]}",')
        out.append(f'     "{t["method"]}",')
        out.append(f"     {t['words']}, {t['passed_over']}}},")
    out += [
        "};",
        "",
        "const int kLetterFrequencyTableCount =",
        "    int(sizeof kLetterFrequencyTables / sizeof kLetterFrequencyTables[0]);",
        "",
        "} // namespace quarrin",
        "",
    ]
    return "\n".join(out)


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    parser.add_argument("--check", action="store_true",
                        help="compare with the checked-in table instead of writing it")
    args = parser.parse_args()

    tables = []
    for code, alphabet, dotted in read_alphabets():
        if code not in SOURCES:
            sys.exit(f"no source for the language {code}: add it to SOURCES")
        package, path, encoding, kind = SOURCES[code]
        version = package_version(package, path)
        encoding = encoding or hunspell_encoding(path)
        counts, words, passed_over = count(alphabet, dotted, source_words(path, encoding, kind))
        method = ("each distinct word once" if kind == "wordlist"
                  else "each stem once, affixes not expanded")
        tables.append(dict(code=code, alphabet=alphabet, counts=counts, package=package,
                           version=version, file=path, method=method, words=words,
                           passed_over=passed_over))
        print(f"{code}: {package} {version}: {words} words, {passed_over} passed over",
              file=sys.stderr)

    text = render(tables)
    if args.check:
        with open(OUTPUT, encoding="utf-8") as f:
            same = f.read() == text
        print("up to date" if same else f"{OUTPUT} differs from the installed sources")
        return 0 if same else 1
    tmp = OUTPUT + ".tmp"
    with open(tmp, "w", encoding="utf-8") as f:
        f.write(text)
    os.replace(tmp, OUTPUT)
    print(f"wrote {OUTPUT}", file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
