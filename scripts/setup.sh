#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing need.
# Prints what it installs; does nothing when everything is already there.
set -euo pipefail

PACKAGES=(
    # build
    g++ cmake ninja-build pkg-config
    qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl1-mesa-dev libzip-dev
    # fonts standing in for the classic Windows faces of the layout
    fonts-liberation fonts-urw-base35 fonts-dejavu-core
    # running headless, screenshots, test tools
    xvfb xauth imagemagick poppler-utils xdg-utils
    python3-docx
    cups printer-driver-cups-pdf
    dbus-daemon dbus-x11 at-spi2-core python3-pyatspi
    clang libclang-rt-14-dev libbenchmark-dev lld
    # the web page, played in a real browser by its test (the modules import
    # only under /usr/bin/python3)
    chromium chromium-driver python3-selenium
    # icons rendered at build time; desktop entry, file types, AppStream data,
    # manual page and the Debian package, and the tools that check them
    librsvg2-bin desktop-file-utils shared-mime-info libfile-mimeinfo-perl appstream
    man-db dpkg-dev binutils util-linux
)

missing=()
for p in "${PACKAGES[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    echo "setup: all packages present"
    exit 0
fi

echo "setup: installing ${missing[*]}"
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing[@]}"
