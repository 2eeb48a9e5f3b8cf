#!/usr/bin/env bash
# Checks an exported grid document with LibreOffice: converts it to plain text
# headless and prints the table's letters as a square, one grid row per line
# ("." stands for an empty cell, "_" for a cell holding a space).
#
# Usage: scripts/check_docx_libreoffice.sh FILE.docx [N]
#   N: grid side (15 or 30); guessed from the number of cells when omitted.
# Run by hand; LibreOffice is not part of the build or test set-up.
set -euo pipefail

if [ $# -lt 1 ] || [ ! -f "$1" ]; then
    echo "usage: $0 FILE.docx [N]" >&2
    exit 2
fi
doc="$1"
side="${2:-}"

office=""
for candidate in libreoffice soffice; do
    if command -v "$candidate" >/dev/null 2>&1; then
        office="$candidate"
        break
    fi
done
if [ -z "$office" ]; then
    echo "$0: LibreOffice (libreoffice or soffice) is not installed" >&2
    exit 3
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp "$doc" "$work/grid.docx"
# A private profile, so that a running LibreOffice is left alone.
"$office" -env:UserInstallation="file://$work/profile" --headless \
    --convert-to "txt:Text (encoded):UTF8" --outdir "$work" "$work/grid.docx" >/dev/null
if [ ! -f "$work/grid.txt" ]; then
    echo "$0: LibreOffice did not convert $doc" >&2
    exit 1
fi

# Writer writes every table cell's paragraph on a line of its own.
/usr/bin/python3 - "$work/grid.txt" "$side" <<'PY'
import sys

with open(sys.argv[1], encoding="utf-8-sig") as f:
    lines = f.read().split("\n")
side = int(sys.argv[2]) if sys.argv[2] else (30 if len(lines) >= 900 else 15)
cells = lines[: side * side]
if len(cells) < side * side:
    sys.exit(f"only {len(cells)} cells found, {side * side} expected")

def mark(text):
    if text == "":
        return "."
    if text == " ":
        return "_"
    return text[0]

for row in range(side):
    print(" ".join(mark(c) for c in cells[row * side:(row + 1) * side]))
PY
