#!/usr/bin/env python3
"""Writes resources/data/satellites-current.dat, the current catalogue shipped with the program.

The input is a public satellites.xml (the Enigma2/Neutrino satellite table), for example the one of
the repository OpenPLi/tuxbox-xml:

    git --git-dir=<clone>/.git show HEAD:xml/satellites.xml > satellites.xml
    tools/make_current_catalogue.py satellites.xml [output file]

Only the orbital positions and the satellite names are taken from it. The output is in the
catalogue's own line format: a version comment with the table's date, comments naming the source,
then one "position|name" line per orbital position, East negative and West positive, sorted from
180 degrees East to 180 degrees West; Windows-1252, lines ending in CR LF. The C-, Ku-, Ka- and
S-band entries of one position are merged into one line that names every satellite once.
"""

import pathlib
import re
import sys
import xml.etree.ElementTree as ET

SOURCE = "satellites.xml of github.com/OpenPLi/tuxbox-xml"
# "13.0E Hotbird 13F/13G", "177.0W C-band NSS 9": the position the table states in the name.
NAME_POSITION = re.compile(r"^\s*(\d{1,3}(?:\.\d+)?)\s*([EW])\s+(.*)$")
BAND = re.compile(r"^(?:[A-Za-z]{1,2}-band)\s+", re.IGNORECASE)
CREATED = re.compile(r"created on (\d{4})-(\d{2})-(\d{2})")


def table_date(text):
    """The date the table states in its header comment, as (year, month, day) texts."""
    match = CREATED.search(text[:2000])
    if not match:
        sys.exit("the input states no creation date ('File created on YYYY-MM-DD')")
    return match.groups()


def position_and_satellites(sat):
    """Our position (degrees, West positive) and the satellite names of one <sat> entry."""
    name = " ".join(sat.get("name", "").split())
    match = NAME_POSITION.match(name)
    if match:
        degrees = float(match.group(1))
        position = degrees if match.group(2) == "W" else -degrees
        name = match.group(3)
    else:
        # Tenths of a degree, West negative; the bands of one position may differ in the last digit.
        position = -int(sat.get("position")) / 10.0
    name = BAND.sub("", name)
    satellites = [part.strip() for part in re.split(r"\s*&\s*|\s*,\s+", name) if part.strip()]
    return round(position, 1), satellites


def merged_positions(root):
    positions = {}
    for sat in root.iter("sat"):
        position, satellites = position_and_satellites(sat)
        names = positions.setdefault(position, [])
        names.extend(s for s in satellites if s not in names)
    return positions


def catalogue_lines(positions, date):
    year, month, day = date
    lines = [
        f";Version={year}{month}{day}",
        f"; Orbital positions and names from {SOURCE}, dated {year}-{month}-{day}",
        "; Made by tools/make_current_catalogue.py",
    ]
    for position in sorted(positions):
        if positions[position]:
            lines.append(f"{position + 0.0:.1f}|{', '.join(positions[position])}")
    return lines


def main():
    if len(sys.argv) < 2:
        sys.exit(__doc__)
    source = pathlib.Path(sys.argv[1])
    here = pathlib.Path(__file__).resolve().parent
    output = (pathlib.Path(sys.argv[2]) if len(sys.argv) > 2
              else here.parent / "resources/data/satellites-current.dat")
    text = source.read_text(encoding="utf-8")
    lines = catalogue_lines(merged_positions(ET.fromstring(text)), table_date(text))
    # errors="strict": a name the code page cannot hold must stop the run, not become "?".
    output.write_bytes(("\r\n".join(lines) + "\r\n").encode("cp1252", errors="strict"))
    print(f"wrote {output}: {len(lines) - 3} positions")


if __name__ == "__main__":
    main()
