#!/usr/bin/env bash
# Checks that Skyvane runs as installed, away from its build folder: an install into a scratch
# DESTDIR and the Debian package unpacked into a scratch root are each started from another
# working directory with an empty HOME (--version, --check, an offscreen start); the desktop
# entry, the metainfo and the package pass their validators (the package recommends the toolkit's
# translations, has no maintainer scripts, and its screenshots are in packaging/); a broken data
# file is reported by --check; nothing is written into the installed folders. Every program run
# is time-bounded.
#
# Usage: scripts/check-install.sh [build folder]   (after `make package`)
set -euo pipefail

build=$(cd "${1:-build}" && pwd)
source_dir=$(cd "$(dirname "$0")/.." && pwd)
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
deb=$(ls "$build"/skyvane_"$version"_*.deb 2>/dev/null | head -n 1)
[ -n "$deb" ] || { echo "check-install: no package in $build (run make package)" >&2; exit 1; }

scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "check-install: FAILED: $*" >&2; exit 1; }

# The installed program with a clean environment, from a folder of its own.
skyvane() {
    local prefix=$1 home=$2
    shift 2
    mkdir -p "$home" "$scratch/elsewhere"
    (cd "$scratch/elsewhere" &&
        env -i PATH=/usr/bin:/bin HOME="$home" LANG=C.UTF-8 QT_QPA_PLATFORM=offscreen \
            ${EXTRA_ENV:-} timeout 60 "$prefix/bin/skyvane" "$@")
}

fingerprint() { (cd "$1" && find . -printf '%p %s %M\n' | sort); }

check_prefix() {
    local label=$1 prefix=$2
    local home="$scratch/home-$label" before
    before=$(fingerprint "$prefix")

    skyvane "$prefix" "$home" --version | grep -qx "skyvane $version" ||
        fail "$label: --version does not print skyvane $version"
    skyvane "$prefix" "$home" --check >"$scratch/check.txt" ||
        { cat "$scratch/check.txt"; fail "$label: --check reports missing files"; }
    grep -q "^skyvane.qch: $prefix/share/skyvane/skyvane.qch$" "$scratch/check.txt" ||
        { cat "$scratch/check.txt"; fail "$label: help file not found in the installation"; }

    EXTRA_ENV=SKYVANE_QUIT_AFTER_SHOW=1 skyvane "$prefix" "$home" >"$scratch/start.txt" 2>&1 ||
        { cat "$scratch/start.txt"; fail "$label: offscreen start failed or timed out"; }
    for line in "declination row: shown" "Locations button: shown" "help: available"; do
        grep -qx "$line" "$scratch/start.txt" ||
            { cat "$scratch/start.txt"; fail "$label: start does not say '$line'"; }
    done
    grep -q "^declination: [0-9.]*° [EW]$" "$scratch/start.txt" ||
        { cat "$scratch/start.txt"; fail "$label: no declination obtained"; }

    # An empty search path entry would load libraries from the working directory.
    cmake -DFILES="$prefix/bin/skyvane" -P "$source_dir/cmake/CheckSearchPath.cmake" ||
        fail "$label: empty entry in the program's library search path"

    [ "$(fingerprint "$prefix")" = "$before" ] || fail "$label: the installed folders changed"
    desktop-file-validate "$prefix/share/applications/org.skyvane.Skyvane.desktop" ||
        fail "$label: desktop entry"
    appstreamcli validate --no-net "$prefix/share/metainfo/org.skyvane.Skyvane.metainfo.xml" ||
        fail "$label: metainfo"
    echo "check-install: $label: passed"
}

# A data file that is a dangling link is named by --check, which then fails; the window still
# starts, without the declination.
check_broken_data() {
    local prefix=$1 home="$scratch/home-broken"
    ln -sf "$scratch/nothing" "$prefix/share/skyvane/wmm.cof"
    if skyvane "$prefix" "$home" --check >"$scratch/check.txt"; then
        fail "broken data: --check passed with a dangling wmm.cof"
    fi
    grep -q "wmm.cof: a link to nothing" "$scratch/check.txt" ||
        { cat "$scratch/check.txt"; fail "broken data: --check does not name the dangling link"; }
    EXTRA_ENV=SKYVANE_QUIT_AFTER_SHOW=1 skyvane "$prefix" "$home" >"$scratch/start.txt" 2>&1 ||
        fail "broken data: start failed"
    grep -qx "declination row: hidden" "$scratch/start.txt" ||
        fail "broken data: declination row shown without its model"
    echo "check-install: broken data file: passed"
}

DESTDIR="$scratch/destdir" cmake --install "$build" --prefix /usr >/dev/null
check_prefix "cmake --install" "$scratch/destdir/usr"

dpkg-deb -x "$deb" "$scratch/debroot"
check_prefix "package" "$scratch/debroot/usr"
dpkg-deb -f "$deb" Depends | grep -q "qt6-wayland" || fail "package: no Wayland plugin in Depends"
dpkg-deb -f "$deb" Recommends | grep -q "qt6-translations-l10n" ||
    fail "package: the toolkit's translations are not recommended"
# The private library is found through the program's RPATH: no ldconfig in maintainer scripts.
if dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -Eq '(^|/)(postinst|postrm)$'; then
    fail "package: has maintainer scripts (ldconfig for a private library)"
fi
lintian --fail-on error,warning "$deb" || fail "package: lintian reports errors or warnings"
# Every screenshot the metainfo names ships with the sources, at the size it states.
grep -o 'screenshots/[^<]*\.png' "$source_dir/packaging/org.skyvane.Skyvane.metainfo.xml" |
    while read -r shot; do
        png="$source_dir/packaging/$shot"
        [ -s "$png" ] || fail "metainfo: $shot is not in packaging/"
        size=$(identify -format '%wx%h' "$png")
        grep -q "width=\"${size%x*}\" height=\"${size#*x}\">[^<]*$shot<" \
            "$source_dir/packaging/org.skyvane.Skyvane.metainfo.xml" ||
            fail "metainfo: $shot is $size, not the size it states"
    done

check_broken_data "$scratch/destdir/usr"
echo "check-install: passed"
