# shellcheck shell=sh
# Sourced by the scripts/screenshot_*.sh scripts (plain sh): the folders they
# share and the build of the one tool each runs.
#
#   . "$(dirname "$0")/screenshot_common.sh"
#   screenshot_build TOOL-TARGET "${1:-}"
#
# sets root (the source tree), build (the build folder: the one given, else
# build/ in the source tree, configured when it has no CMake cache yet) and
# out (docs/screenshots, made when missing), and builds the tool.

root=$(cd "$(dirname "$0")/.." && pwd)
out="$root/docs/screenshots"

screenshot_build() {
    build=${2:-"$root/build"}
    if [ ! -f "$build/CMakeCache.txt" ]; then
        cmake -S "$root" -B "$build" -G Ninja
    fi
    cmake --build "$build" --target "$1" -j2
    mkdir -p "$out"
}

# Runs a tool on an X server of its own (a screen of SIZE pixels at 96 dots
# per inch, so the windows are drawn as on a desktop), or on Qt's offscreen
# platform where Xvfb is not installed.
#   run_on_screen SIZE PROGRAM [ARGUMENT...]
run_on_screen() {
    size=$1
    shift
    if command -v xvfb-run >/dev/null 2>&1; then
        xvfb-run -a -s "-screen 0 ${size}x24 -dpi 96" "$@"
    else
        QT_QPA_PLATFORM=offscreen "$@"
    fi
}
