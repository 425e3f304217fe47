#!/usr/bin/python3
"""Writes tests/core/golden/daily_tracks.txt: the look angles of a few real geostationary
element sets over one sidereal day from their epochs, propagated with SGP4 (Debian's
python3-sgp4, WGS72), so that the program's own propagation is checked against a reference it
does not share.

The site is on a sphere of the WGS72 equatorial radius at its geographic latitude, the frame
turned by the mean sidereal time (no polar motion, no nutation), as the program does.

Each line: name|site latitude N+|site longitude W+|minutes from epoch|azimuth|elevation.
Usage: /usr/bin/python3 tools/make_orbit_golden.py
"""

import math
import pathlib

from sgp4.api import Satrec, WGS72
from sgp4.propagation import gstime

# Public element sets of 2024-05-29 (day 150): one inclined 4.4°, one 1.3°, one kept at 0.02°.
ELEMENTS = [
    ("TERRESTAR-1",
     "1 35496U 09035A   24150.75000000  .00000040  00000+0  00000+0 0  1509",
     "2 35496   4.3950  47.4155 0002950  24.9952 334.3443  1.00271388    18"),
    ("ANIK F2",
     "1 28378U 04027A   24150.62500000  .00000040  00000+0  00000+0 0  1507",
     "2 28378   1.3494  88.7535 0002796 350.7496 282.0373  1.00270132    17"),
    ("ANIK G1",
     "1 39127U 13014A   24150.75000000  .00000016  00000+0  00000+0 0  1509",
     "2 39127   0.0205 283.9055 0001488 136.6842 349.8659  1.00271531    19"),
]
# Sites: latitude North positive, longitude West positive.
SITES = [(45.42, 75.70), (-34.60, 58.38)]
EARTH_RADIUS = 6378.135  # km, WGS72
SIDEREAL_DAY_MINUTES = 1436.0682
STEPS = 96


def look_angles(position, gmst, latitude, west):
    """Azimuth and elevation in degrees of a TEME position (km) from a site on the sphere."""
    x, y, z = position
    # Earth-fixed: turn the frame by the sidereal time.
    xe = x * math.cos(gmst) + y * math.sin(gmst)
    ye = -x * math.sin(gmst) + y * math.cos(gmst)
    ze = z
    phi = math.radians(latitude)
    lam = math.radians(-west)
    site = (EARTH_RADIUS * math.cos(phi) * math.cos(lam),
            EARTH_RADIUS * math.cos(phi) * math.sin(lam), EARTH_RADIUS * math.sin(phi))
    dx, dy, dz = xe - site[0], ye - site[1], ze - site[2]
    east = -math.sin(lam) * dx + math.cos(lam) * dy
    north = (-math.sin(phi) * math.cos(lam) * dx - math.sin(phi) * math.sin(lam) * dy
             + math.cos(phi) * dz)
    up = (math.cos(phi) * math.cos(lam) * dx + math.cos(phi) * math.sin(lam) * dy
          + math.sin(phi) * dz)
    azimuth = math.degrees(math.atan2(east, north)) % 360.0
    elevation = math.degrees(math.atan2(up, math.hypot(east, north)))
    return azimuth, elevation


def main():
    out = pathlib.Path(__file__).resolve().parent.parent / "tests/core/golden/daily_tracks.txt"
    lines = ["# Written by tools/make_orbit_golden.py with SGP4 (python3-sgp4, WGS72).",
             "# name|site latitude N+|site longitude W+|minutes from epoch|azimuth|elevation"]
    for name, line1, line2 in ELEMENTS:
        satellite = Satrec.twoline2rv(line1, line2, WGS72)
        for latitude, west in SITES:
            for step in range(STEPS + 1):
                minutes = SIDEREAL_DAY_MINUTES * step / STEPS
                jd = satellite.jdsatepoch
                fr = satellite.jdsatepochF + minutes / 1440.0
                error, position, _ = satellite.sgp4(jd, fr)
                assert error == 0, (name, error)
                gmst = gstime(jd + fr)
                azimuth, elevation = look_angles(position, gmst, latitude, west)
                lines.append(f"{name}|{latitude}|{west}|{minutes:.4f}|{azimuth:.5f}|{elevation:.5f}")
    out.write_text("\n".join(lines) + "\n")
    print(f"wrote {out}")


if __name__ == "__main__":
    main()
