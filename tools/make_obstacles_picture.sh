#!/usr/bin/env bash
# Draws the obstacle calculator's explanatory picture (700 x 460) with ImageMagick:
# a dish on a pole at the left, a fir at the right, the line of sight from the lowest point of
# the dish's rim to the tree top, the horizontal line, the elevation arc and the height line.
# The window places its edits over the picture, so the geometry below is tied to theirs
# (picture y = window client y - 41):
#   the elevation edit sits in the angle below the arc, the distance edit under the horizontal
#   line, the height edit with its white labels on the dark crown left of the height line,
#   the mode box and the height explanation in empty sky, the result sentence above the grass.
# The committed PNG is what the build embeds; run this only to change the picture.
#
# Usage: tools/make_obstacles_picture.sh [output file]  (default: resources/images/obstacles.png)
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
out=${1:-$here/../resources/images/obstacles.png}
command -v convert >/dev/null || { echo "ImageMagick's convert is missing" >&2; exit 1; }

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# Vertex of the angle (lowest point of the rim), tree axis and tree top, in picture pixels.
awk -v vx=90 -v vy=358 -v ax=625 -v ty=54 -v ground=432 '
function pt(x, y) { return sprintf(" %.1f,%.1f", x, y) }
BEGIN {
    pi = atan2(0, -1)
    e = atan2(vy - ty, ax - vx)             # elevation of the line of sight, radians
    ux = cos(e); uy = -sin(e)               # towards the satellite
    wx = -sin(e); wy = -cos(e)              # along the rim, upwards
    rimr = 50; depth = 24
    cx = vx + rimr * wx; cy = vy + rimr * wy    # centre of the rim
    line_col = "#d8431c"

    print "push graphic-context"
    print "viewbox 0 0 700 460"

    # Faint clouds and distant hills behind everything.
    print "fill rgba(255,255,255,0.55) stroke none"
    print "ellipse 430,22 70,13 0,360"
    print "ellipse 470,30 55,11 0,360"
    print "ellipse 690,120 45,9 0,360"
    print "ellipse 250,230 40,8 0,360"
    print "fill #c9e0cf"
    s = "polygon"
    for (x = 0; x <= 700; x += 10)
        s = s pt(x, 412 - 10 * sin(x / 700 * 2.6 * pi) - 6 * sin(x / 90))
    print s pt(700, 460) pt(0, 460)

    # Grass with a soft, uneven top edge and a few blades.
    print "fill #5fa646"
    s = "polygon"
    for (x = 0; x <= 700; x += 7)
        s = s pt(x, ground - 2 * sin(x / 23) - 1.5 * sin(x / 7.3))
    print s pt(700, 460) pt(0, 460)
    print "fill #4b9137"
    print "rectangle 0,446 700,460"
    print "stroke #3f8a2e stroke-width 1.2 fill none"
    srand(5)
    for (i = 0; i < 90; i++) {
        x = rand() * 700; h = 4 + rand() * 6; lean = rand() * 4 - 2
        printf "line %.1f,%.1f %.1f,%.1f\n", x, ground + 3 + rand() * 4, x + lean, ground - h + 4
    }

    # Shadows on the grass.
    print "stroke none fill rgba(30,70,20,0.35)"
    printf "ellipse %d,440 48,5 0,360\n", ax
    print "ellipse 44,440 16,3 0,360"

    # The fir: trunk, then tiers from the bottom up. The crown stays below the line of sight,
    # which only touches its top.
    print "fill #6b4a2e stroke #4a321e stroke-width 1"
    printf "polygon %.1f,330 %.1f,330 %.1f,441 %.1f,441\n", ax - 9, ax + 9, ax + 13, ax - 13
    n = split("262:347 207:306 152:252 97:192 54:132", tier, " ")
    shade[1] = "#1d4a27"; shade[2] = "#1f5029"; shade[3] = "#21552c"; shade[4] = "#235a2e"
    shade[5] = "#255f31"
    for (i = 1; i <= n; i++) {
        split(tier[i], tb, ":"); yt = tb[1]; yb = tb[2]
        hb = (yb - ty) * 1.03; htop = (i == n) ? 0 : (yt - ty) * 0.55
        s = "polygon" pt(ax - htop, yt) pt(ax + htop, yt) pt(ax + hb, yb)
        # A drooping, ragged lower edge.
        for (k = 1; k < 12; k++) {
            x = ax + hb - 2 * hb * k / 12
            s = s pt(x, yb - 9 * sin(pi * k / 12) + ((k % 2) ? -4 : 2))
        }
        s = s pt(ax - hb, yb)
        printf "fill %s stroke #163d1f stroke-width 1\n", shade[i]
        print s
    }

    # The dish on its pole: pole, bracket, back of the bowl, rim, feed arm and LNB.
    print "fill #5b6470 stroke #3e4650 stroke-width 1"
    print "rectangle 41,326 47,441"
    bx = cx - depth * ux; by = cy - depth * uy
    printf "polygon %.1f,%.1f %.1f,%.1f 47,342 41,342\n", bx - 3, by - 6, bx + 3, by + 6
    s = "polygon"
    for (k = 0; k <= 24; k++) {
        t = -1 + 2 * k / 24
        s = s pt(cx + t * rimr * wx - depth * (1 - t * t) * ux, cy + t * rimr * wy - depth * (1 - t * t) * uy)
    }
    print "fill #c9d1da stroke #56606c stroke-width 1.5"
    print s
    printf "fill #eef2f6 stroke #56606c stroke-width 1.5\n"
    printf "push graphic-context\ntranslate %.1f,%.1f\nrotate %.2f\nellipse 0,0 6,%d 0,360\npop graphic-context\n", cx, cy, -e * 180 / pi, rimr
    fx = cx + 48 * ux; fy = cy + 48 * uy
    ax1 = cx - 0.86 * rimr * wx; ay1 = cy - 0.86 * rimr * wy
    print "stroke #3e4650 stroke-width 2.5 stroke-linecap round"
    printf "line %.1f,%.1f %.1f,%.1f\n", ax1, ay1, fx, fy
    print "fill #3e4650 stroke none"
    printf "push graphic-context\ntranslate %.1f,%.1f\nrotate %.2f\nroundrectangle -5,-4 9,4 2,2\npop graphic-context\n", fx, fy, -e * 180 / pi

    # Construction lines.
    printf "fill none stroke %s stroke-width 1.6 stroke-linecap round\n", line_col
    printf "line %d,%d %d,%d\n", vx, vy, ax, ty
    printf "line %d,%d %d,%d\n", vx, vy, ax, vy
    # The height line, with short end marks.
    print "stroke-width 2"
    printf "line %d,%d %d,%d\n", ax, vy, ax, ty
    printf "line %d,%d %d,%d\n", ax - 8, vy, ax + 8, vy
    printf "line %d,%d %d,%d\n", ax - 8, ty, ax + 8, ty
    # The elevation arc with an arrowhead at each end.
    r = 170
    s = "polyline"
    for (k = 0; k <= 40; k++) { a = e * k / 40; s = s pt(vx + r * cos(a), vy - r * sin(a)) }
    print "stroke-width 1.6"
    print s
    printf "fill %s stroke none\n", line_col
    printf "polygon %s%s%s\n", pt(vx + r, vy - 1), pt(vx + r - 4, vy - 10), pt(vx + r + 4, vy - 10)
    tx = vx + r * cos(e); tyy = vy - r * sin(e)
    # Tangent at the upper end points back along the arc, towards smaller angles.
    dx = sin(e); dy = cos(e); nx = cos(e); ny = -sin(e)
    printf "polygon %s%s%s\n", pt(tx + dx, tyy + dy), pt(tx + 10 * dx + 4 * nx, tyy + 10 * dy + 4 * ny), pt(tx + 10 * dx - 4 * nx, tyy + 10 * dy - 4 * ny)
    # The vertex: a small dot where the line of sight leaves the dish.
    printf "circle %d,%d %d,%d\n", vx, vy, vx + 2, vy
    print "pop graphic-context"
}' > "$tmp/picture.mvg"

convert -size 700x460 gradient:'#b9dcf4'-'#eaf5fc' -draw "$(cat "$tmp/picture.mvg")" \
    -depth 8 -define png:exclude-chunks=date,time -strip "$out"
identify "$out"
