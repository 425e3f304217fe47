#!/usr/bin/env bash
# Remakes the screenshots that the metainfo shows (packaging/screenshots/) from the built
# program under a virtual X display: the satellite list for the first-start site, and the
# obstacle calculator opened from the Tools menu. The committed PNGs are what the package
# ships; run this after a change to those windows.
#
# Usage: tools/make_screenshots.sh [build folder] [output folder]
#        (default: build, packaging/screenshots beside this script)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build}" && pwd)
out=${2:-$here/../packaging/screenshots}
program=$build/bin/skyvane
[ -x "$program" ] || { echo "no program at $program (build first)" >&2; exit 1; }
for tool in xvfb-run xdotool import; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (run scripts/install-deps.sh)" >&2; exit 1; }
done
mkdir -p "$out"
out=$(cd "$out" && pwd)

if [ -z "${SKYVANE_SCREENSHOT_DISPLAY:-}" ]; then
    # Again inside a display of its own, so the user's desktop is neither seen nor touched.
    exec env SKYVANE_SCREENSHOT_DISPLAY=1 xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$build" "$out"
fi

scratch=$(mktemp -d)
trap 'kill "$pid" 2>/dev/null || true; rm -rf "$scratch"' EXIT
# First start, English, no settings: the list of the default site.
(cd "$build/bin" && env HOME="$scratch" XDG_CONFIG_HOME="$scratch/.config" LANG=C.UTF-8 \
    LC_ALL=C.UTF-8 QT_QPA_PLATFORM=xcb "$program") &
pid=$!

# The window's id once it is mapped and has painted (up to 30 s).
window_named() {
    local id
    for _ in $(seq 300); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
        if [ -n "$id" ]; then
            sleep 1
            echo "$id"
            return 0
        fi
        sleep 0.1
    done
    echo "no window \"$1\" appeared" >&2
    return 1
}

main=$(window_named "quor's Skyvane")
import -strip -window "$main" "$out/skyvane-main.png"
xdotool windowfocus --sync "$main" key --window "$main" alt+t o
obstacles=$(window_named "Obstacle calculator")
import -strip -window "$obstacles" "$out/skyvane-obstacles.png"
echo "screenshots in $out: skyvane-main.png skyvane-obstacles.png"
