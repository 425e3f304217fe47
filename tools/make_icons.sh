#!/usr/bin/env bash
# Remakes the program's PNG icons in packaging/icons/ from the SVG icon with rsvg-convert
# (Debian librsvg2-bin). The committed PNGs are what the build installs; run this only after
# changing the SVG.
set -euo pipefail

icons=$(cd "$(dirname "$0")/../packaging/icons" && pwd)
for size in 16 32 48 64 128 256; do
    rsvg-convert -w "$size" -h "$size" -o "$icons/org.skyvane.Skyvane-$size.png" \
        "$icons/org.skyvane.Skyvane.svg"
done
