#!/usr/bin/env bash
# Checks of the installed program, run by CTest: check_install.sh STAGE
#   tree     the files `cmake --install` lays out under a DESTDIR, and their validators
#   mime     the two puzzle file types, as the desktop's own tools see them
#   deb      the Debian package: name, version, dependencies, contents
#   refused  an install into a prefix that cannot be written fails and writes nothing
# Environment (set by CTest): BUILD_DIR, SOURCE_DIR, VERSION, APP_ID, and for
# tree and mime STAGE_DIR, the DESTDIR the install fixture filled.
set -euo pipefail

fail() { echo "FAIL: $*" >&2; exit 1; }
expect_eq() { [ "$1" == "$2" ] || fail "$3: expected '$2', got '$1'"; }
expect_contains() { grep -qF -- "$2" <<<"$1" || fail "$3: '$2' missing from: $1"; }

PREFIX=/opt/word-quarrin # a prefix of no special meaning: nothing may assume /usr
ICON_SIZES=(16 22 24 32 48 64 128 256)
TYPE15=application/x-wordquarrin-puzzle15
TYPE30=application/x-wordquarrin-puzzle30
TYPEDOC=application/x-ipuz

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Width and height from a PNG's header.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'; }

stage_install() {
    rm -rf "$STAGE_DIR"
    DESTDIR="$STAGE_DIR" cmake --install "$BUILD_DIR" --prefix "$PREFIX" >/dev/null
}

stage_tree() {
    local root="$STAGE_DIR$PREFIX"
    [ -d "$root" ] || fail "nothing installed under $root"

    # Exactly these files: nothing missing, nothing stray (tests, benchmarks, headers).
    local expected=(
        bin/word_quarrin
        share/applications/$APP_ID.desktop
        share/icons/hicolor/scalable/apps/$APP_ID.svg
        share/man/man1/word_quarrin.1.gz
        share/metainfo/$APP_ID.metainfo.xml
        share/mime/packages/$APP_ID.xml
    )
    local size
    for size in "${ICON_SIZES[@]}"; do
        expected+=("share/icons/hicolor/${size}x${size}/apps/$APP_ID.png")
    done
    expect_eq "$(cd "$root" && find . -type f -printf '%P\n' | sort)" \
        "$(printf '%s\n' "${expected[@]}" | sort)" "installed files"
    expect_eq "$(cd "$STAGE_DIR" && find . -mindepth 1 -maxdepth 1 -printf '%P\n')" \
        "$(cut -d/ -f2 <<<"$PREFIX")" "top folders under DESTDIR"

    # The program: executable, and no search path into the build folder.
    [ -x "$root/bin/word_quarrin" ] || fail "bin/word_quarrin is not executable"
    if readelf -d "$root/bin/word_quarrin" | grep -E 'RPATH|RUNPATH'; then
        fail "the installed program keeps a library search path"
    fi

    for size in "${ICON_SIZES[@]}"; do
        expect_eq "$(png_size "$root/share/icons/hicolor/${size}x${size}/apps/$APP_ID.png")" \
            "${size}x${size}" "icon size"
    done

    # Desktop entry: valid (hints are allowed), and tied to the icon, program and file types.
    local desktop=$root/share/applications/$APP_ID.desktop out
    out=$(desktop-file-validate "$desktop" 2>&1) || fail "desktop-file-validate: $out"
    ! grep -E 'error:|warning:' <<<"$out" || fail "desktop-file-validate reports problems"
    expect_contains "$(cat "$desktop")" "Name=Word Quarrin Generator" "desktop entry"
    expect_contains "$(cat "$desktop")" "Exec=word_quarrin %f" "desktop entry"
    expect_contains "$(cat "$desktop")" "Icon=$APP_ID" "desktop entry"
    expect_contains "$(cat "$desktop")" "MimeType=$TYPE15;$TYPE30;$TYPEDOC;" "desktop entry"
    grep -qE '^Categories=.*Education;' "$desktop" || fail "desktop entry is not in Education"
    grep -qE '^Categories=.*LogicGame;' "$desktop" || fail "desktop entry is not among puzzles"
    grep -qE '^GenericName=.+' "$desktop" || fail "desktop entry has no GenericName"
    grep -qE '^Comment=.+' "$desktop" || fail "desktop entry has no Comment"

    # AppStream data: valid offline, launches this desktop entry, this version released.
    local metainfo=$root/share/metainfo/$APP_ID.metainfo.xml
    out=$(appstreamcli validate --no-net "$metainfo" 2>&1) || fail "appstreamcli validate: $out"
    expect_contains "$(cat "$metainfo")" "<launchable type=\"desktop-id\">$APP_ID.desktop</launchable>" "metainfo"
    expect_contains "$(cat "$metainfo")" "<release version=\"$VERSION\"" "metainfo"
    expect_contains "$(cat "$metainfo")" "<content_rating type=\"oars-1.1\"" "metainfo"
    # Every screenshot is one of the README's pictures.
    local shot shots=0
    for shot in $(grep -o '<image>[^<]*</image>' "$metainfo" | sed -E 's#.*/([^/<]+)</image>#\1#'); do
        [ -f "$SOURCE_DIR/docs/screenshots/$shot" ] || fail "screenshot $shot is not in docs/screenshots"
        grep -qF "docs/screenshots/$shot" "$SOURCE_DIR/README.md" || fail "screenshot $shot is not in the README"
        shots=$((shots + 1))
    done
    [ "$shots" -ge 1 ] || fail "metainfo has no screenshots"

    # Manual page: renders without a warning, for this version.
    local man=$root/share/man/man1/word_quarrin.1.gz
    out=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$man" 2>&1 >/dev/null)
    [ -z "$out" ] || fail "manual page warnings: $out"
    expect_contains "$(zcat "$man" | grep '^\.TH')" "Word Quarrin Generator $VERSION" "manual page header"
    for section in NAME SYNOPSIS DESCRIPTION COMMANDS OPTIONS FILES; do
        zcat "$man" | grep -qx "\.SH $section" || fail "manual page has no $section section"
    done
}

stage_mime() {
    local root="$STAGE_DIR$PREFIX"
    local data=$work/data/share empty=$work/empty/share
    mkdir -p "$data/mime/packages" "$data/applications" "$empty/mime/packages" "$work/home" "$work/config"
    cp "$root/share/mime/packages/$APP_ID.xml" "$data/mime/packages/"
    cp "$root/share/applications/$APP_ID.desktop" "$data/applications/"
    XDG_DATA_DIRS=$data update-mime-database "$data/mime"
    XDG_DATA_DIRS=$empty update-mime-database "$empty/mime"
    update-desktop-database "$data/applications"

    # Files of the real sizes; their names alone decide the type.
    head -c 1410 /dev/zero >"$work/puzzle.qrn"
    head -c 2214 /dev/zero >"$work/big puzzle.qrn2"
    # A puzzle document, known by its name and, without one, by its content.
    printf '{\n  "version": "http://ipuz.org/v2",\n  "kind": ["http://ipuz.org/wordsearch#1"]\n}\n' \
        >"$work/farm animals.ipuz"
    cp "$work/farm animals.ipuz" "$work/no extension"

    # xdg-mime's own lookup, kept off the desktop session and the user's folders.
    query() {
        env -u XDG_CURRENT_DESKTOP -u DESKTOP_SESSION -u KDE_FULL_SESSION -u GNOME_DESKTOP_SESSION_ID \
            HOME="$work/home" XDG_DATA_HOME="$work/home/share" XDG_CONFIG_HOME="$work/config" \
            XDG_CONFIG_DIRS="$work/config" XDG_DATA_DIRS="$1" xdg-mime query "${@:2}"
    }
    local file type row
    for row in "puzzle.qrn $TYPE15" "big puzzle.qrn2 $TYPE30" "farm animals.ipuz $TYPEDOC"; do
        file=$work/${row% *}
        type=${row##* }
        expect_eq "$(query "$data" filetype "$file")" "$type" "type of ${row% *}"
        # Without the package the same file is something else: the answer above is ours.
        [ "$(query "$empty" filetype "$file")" != "$type" ] || fail "type known without the package"
        # Double-click: the desktop entry is the program for the type.
        expect_eq "$(query "$data" default "$type")" "$APP_ID.desktop" "default program for $type"
    done

    expect_eq "$(query "$data" filetype "$work/no extension")" "$TYPEDOC" "type of a document by its content"

    grep -qF '<comment>Word search puzzle, 15x15</comment>' "$data/mime/$TYPE15.xml" ||
        fail "15x15 type comment"
    grep -qF '<comment>Word search puzzle, 30x30</comment>' "$data/mime/$TYPE30.xml" ||
        fail "30x30 type comment"
}

stage_deb() {
    cpack --config "$BUILD_DIR/CPackConfig.cmake" -G DEB -B "$work" >"$work/cpack.log" 2>&1 ||
        { cat "$work/cpack.log" >&2; fail "cpack -G DEB"; }
    local deb
    deb=$(find "$work" -maxdepth 1 -name '*.deb')
    [ "$(wc -l <<<"$deb")" -eq 1 ] && [ -n "$deb" ] || fail "expected one .deb, found: $deb"
    expect_eq "$(basename "$deb")" "word-quarrin_${VERSION}_$(dpkg --print-architecture).deb" "package file name"

    local info depends
    info=$(dpkg-deb --info "$deb")
    for field in Package Version Maintainer Depends Description; do
        grep -qE "^ $field: .+" <<<"$info" || fail "dpkg-deb --info shows no $field"
    done
    expect_eq "$(dpkg-deb --field "$deb" Package)" "word-quarrin" "Package"
    expect_eq "$(dpkg-deb --field "$deb" Version)" "$VERSION" "Version"
    [ -n "$(dpkg-deb --field "$deb" Maintainer)" ] || fail "no Maintainer field"
    # A one-line synopsis, then a paragraph (lines of one leading space; two
    # would mark them as preformatted).
    local description
    description=$(dpkg-deb --field "$deb" Description)
    expect_eq "$(head -n1 <<<"$description")" "word-search puzzle maker" "Description synopsis"
    [ "$(wc -l <<<"$description")" -gt 1 ] || fail "Description has no long text"
    ! grep -q '^  ' <<<"$description" || fail "Description lines are preformatted: $description"
    # Package names alone, one a line.
    depends=$(dpkg-deb --field "$deb" Depends | tr ',' '\n' | sed -E 's/^ +//; s/ .*//')
    # From the libraries the program links (shlibdeps) and the fonts the page needs.
    for dep in libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 libqt6printsupport6 libzip4 \
        fonts-liberation fonts-urw-base35 fonts-dejavu-core; do
        grep -qxF -- "$dep" <<<"$depends" || fail "Depends lacks $dep: $(dpkg-deb --field "$deb" Depends)"
    done

    local contents
    contents=$(dpkg-deb --contents "$deb" | awk '{ print $6 }')
    for path in ./usr/bin/word_quarrin ./usr/share/applications/$APP_ID.desktop \
        ./usr/share/mime/packages/$APP_ID.xml ./usr/share/metainfo/$APP_ID.metainfo.xml \
        ./usr/share/man/man1/word_quarrin.1.gz ./usr/share/icons/hicolor/scalable/apps/$APP_ID.svg \
        ./usr/share/icons/hicolor/48x48/apps/$APP_ID.png; do
        grep -qx -- "$path" <<<"$contents" || fail "package lacks $path"
    done
}

stage_refused() {
    # Root writes anywhere: there the install runs without the capabilities that
    # override file permissions, so a read-only folder stops it as it stops a user.
    local restricted=()
    if [ "$(id -u)" -eq 0 ]; then
        restricted=(setpriv --bounding-set=-dac_override,-dac_read_search,-fowner --)
    fi
    mkdir "$work/readonly"
    chmod 555 "$work/readonly"
    echo "not a folder" >"$work/plainfile"

    local row prefix out rc
    for row in "readonly/prefix" "plainfile/prefix"; do
        prefix=$work/$row
        rc=0
        out=$("${restricted[@]}" cmake --install "$BUILD_DIR" --prefix "$prefix" 2>&1) || rc=$?
        [ "$rc" -ne 0 ] || fail "install into $row reported success"
        expect_contains "$out" "CMake Error" "message for $row"
        expect_contains "$out" "$work/${row%/*}" "message for $row names the place"
    done
    [ -z "$(ls -A "$work/readonly")" ] || fail "something was written under the read-only folder"
    expect_eq "$(cat "$work/plainfile")" "not a folder" "the file in the way"
}

case "${1:-}" in
install) stage_install ;;
tree) stage_tree ;;
mime) stage_mime ;;
deb) stage_deb ;;
refused) stage_refused ;;
*) fail "usage: check_install.sh install|tree|mime|deb|refused" ;;
esac
echo "ok: $1"
