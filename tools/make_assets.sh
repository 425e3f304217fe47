#!/usr/bin/env bash
# Remakes the program's pictures in resources/images/ with ImageMagick:
#   heading.jpg   400 x 90  pale blue texture behind the window headings, tiles horizontally
#   splash.jpg    300 x 200 the start-up picture (title, dish, web address)
#   worldmap.jpg  720 x 360 the world map picker's map, 2 pixels per degree
# The committed JPEGs are what the build embeds; run this only to change the pictures.
# The world map comes from NASA Visible Earth's Blue Marble picture as Debian's xplanet-images
# ships it (not copyrighted, see /usr/share/xplanet/images/README).
#
# Usage: tools/make_assets.sh [output folder]   (default: resources/images beside this script)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../resources/images}
mkdir -p "$out"

earth=/usr/share/xplanet/images/earth.jpg
serif_bold=/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf
serif_italic=/usr/share/fonts/truetype/dejavu/DejaVuSerif-Italic.ttf
address="https://www.skyvane.org"

for f in "$earth" "$serif_bold" "$serif_italic"; do
    [ -r "$f" ] || { echo "missing $f (run scripts/install-deps.sh)" >&2; exit 1; }
done
command -v convert >/dev/null || { echo "ImageMagick's convert is missing" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Fixed seeds keep the noise, and so the pictures, the same from run to run.
make_heading() {
    # Soft clouds plus fine horizontal fibres; blurring with tiled virtual pixels makes the
    # noise wrap around, so the texture's right edge continues into its left edge.
    convert -size 400x90 xc:gray50 -seed 7 +noise Random -channel G -separate +channel \
        -virtual-pixel tile -blur 0x9 -auto-level "$tmp/clouds.png"
    convert -size 400x90 xc:gray50 -seed 11 +noise Random -channel G -separate +channel \
        -virtual-pixel tile -morphology Convolve Blur:0x14 -auto-level \
        "$tmp/fibres.png"
    convert "$tmp/clouds.png" "$tmp/fibres.png" -compose blend -define compose:args=60,40 \
        -composite -level 0%,100%,0.9 "$tmp/mix.png"
    # Lighter towards the top, where the heading text sits; the gradient runs vertically only.
    convert -size 400x90 gradient:'#ffffff'-'#d6e2f0' "$tmp/shade.png"
    convert "$tmp/mix.png" -colorspace sRGB -type TrueColor +level-colors '#c3d5ea','#eef4fb' "$tmp/shade.png" \
        -compose multiply -composite -type TrueColor -sampling-factor 1x1 -quality 95 \
        "$out/heading.jpg"
}

# One signal wave: a polyline along a circle round the top right corner (ImageMagick 6 strokes
# a path arc back along its chord, so the arc is drawn as a polyline).
signal_wave() {
    awk -v r="$1" 'BEGIN { s = "polyline"
        for (a = 100; a <= 170; a += 5) { t = a * 3.14159265 / 180
            s = s sprintf(" %.1f,%.1f", 196 + r * cos(t), 4 + r * sin(t)) }
        print s }'
}

make_dish_symbol() {
    # Drawn at four times its size and scaled down for smooth edges: a dish on a mast, tilted
    # up towards the sky, with its feed arm and LNB, and three signal waves.
    local round="stroke-linecap round stroke-linejoin round"
    convert -size 200x160 xc:none \
        -fill '#4b6483' -stroke none \
        -draw "translate 70,88 rotate 40 ellipse 0,0 58,18 0,360" \
        -fill '#a9bed8' -draw "translate 70,88 rotate 40 ellipse 0,-5 50,11 0,360" \
        -fill none -stroke '#4b6483' -strokewidth 6 \
        -draw "translate 70,88 rotate 40 line 0,-4 0,-62" \
        -fill '#4b6483' -stroke none \
        -draw "translate 70,88 rotate 40 roundrectangle -9,-78 9,-60 3,3" \
        -stroke '#4b6483' -strokewidth 9 -draw "line 70,100 70,144" \
        -strokewidth 8 -draw "line 42,148 98,148" \
        -fill none -stroke '#7f9cc0' -strokewidth 5 \
        -draw "$round $(signal_wave 22)" -draw "$round $(signal_wave 40)" \
        -draw "$round $(signal_wave 58)" \
        -resize 25% "$tmp/dish.png"
}

make_splash() {
    # Background: pale blue stripes, then faint 20-pixel square tiles over them.
    convert -size 300x200 xc:'#eaf1f9' -fill '#e0e9f4' \
        -draw "$(for y in $(seq 0 4 199); do printf 'rectangle 0,%d 299,%d ' "$y" $((y + 1)); done)" \
        "$tmp/stripes.png"
    convert -size 300x200 xc:none -fill none -stroke 'rgba(120,150,190,0.16)' -strokewidth 1 \
        -draw "$(for x in $(seq 9 20 299); do printf 'line %d,0 %d,199 ' "$x" "$x"; done)" \
        -draw "$(for y in $(seq 9 20 199); do printf 'line 0,%d 299,%d ' "$y" "$y"; done)" \
        "$tmp/tiles.png"
    # A soft light patch behind the title lifts it off the pattern.
    convert -size 300x200 xc:none -fill 'rgba(255,255,255,0.55)' \
        -draw "ellipse 150,100 130,70 0,360" -blur 0x18 "$tmp/glow.png"
    make_dish_symbol
    convert "$tmp/stripes.png" "$tmp/tiles.png" -composite "$tmp/glow.png" -composite \
        "$tmp/dish.png" -gravity north -geometry +0+5 -composite \
        -font "$serif_bold" -fill '#b8c8dc' -pointsize 34 \
        -annotate +2+52 "quor's" -pointsize 40 -annotate +2+94 "Skyvane" \
        -fill '#4b6483' -pointsize 34 -annotate +0+50 "quor's" \
        -pointsize 40 -annotate +0+92 "Skyvane" \
        -font "$serif_italic" -pointsize 10 -fill '#5a6f8a' -gravity south \
        -annotate +0+12 "$address" \
        -quality 92 "$out/splash.jpg"
}

make_worldmap() {
    # Column X must show longitude (X - 359) / 2 and row Y latitude (179 - Y) / 2 at the
    # pixel's centre, half a pixel off a plain resize: so resample at 4 pixels per degree,
    # shift one of those pixels left and up (wrapping round in longitude, repeating the pole
    # row in latitude), then halve.
    convert "$earth" -resize 1440x720! -roll -1+0 \
        -gravity north -chop 0x1 \( +clone -gravity south -crop 1440x1+0+0 +repage \) \
        -append +repage -filter Box -resize 720x360! \
        -modulate 100,112,100 -sigmoidal-contrast 2,45% "$tmp/earth.png"
    convert "$tmp/earth.png" -stroke '#e01818' -strokewidth 1 \
        -draw "line 359,0 359,359" -draw "line 0,179 719,179" \
        -quality 92 "$out/worldmap.jpg"
}

make_heading
make_splash
make_worldmap
identify "$out/heading.jpg" "$out/splash.jpg" "$out/worldmap.jpg"
