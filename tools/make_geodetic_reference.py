#!/usr/bin/python3
"""Prints reference look angles on the WGS84 ellipsoid with refraction, for the rows of
tst_lookangles::geodeticLookAngles: geodetic to Earth-fixed by the published WGS84 formulas,
topocentric east-north-up, then Bennett's refraction formula for apparent altitude (a different
published formula from the program's Saemundsson: the two agree within about 0.002 degrees above
10 degrees).

Usage: /usr/bin/python3 tools/make_geodetic_reference.py
"""

import math

A = 6378.137
F = 1 / 298.257223563
GEO = 42164.17

CASES = [  # site latitude N+, longitude E+, height m, satellite position E+
    (47.16, 16.16, 0.0, 19.2),
    (54.597, -5.93, 0.0, 19.2),
    (40.0, -75.0, 0.0, -101.0),
    (-33.87, 151.21, 0.0, 156.0),
    (60.17, 24.94, 0.0, 5.0),
]


def geodetic_to_ecef(lat, lon, h):
    e2 = F * (2 - F)
    phi, lam = math.radians(lat), math.radians(lon)
    n = A / math.sqrt(1 - e2 * math.sin(phi) ** 2)
    return ((n + h) * math.cos(phi) * math.cos(lam), (n + h) * math.cos(phi) * math.sin(lam),
            (n * (1 - e2) + h) * math.sin(phi))


def look(lat, lon, h, sat):
    sx, sy, sz = geodetic_to_ecef(lat, lon, h / 1000)
    px, py, pz = GEO * math.cos(math.radians(sat)), GEO * math.sin(math.radians(sat)), 0.0
    d = (px - sx, py - sy, pz - sz)
    phi, lam = math.radians(lat), math.radians(lon)
    e = (-math.sin(lam), math.cos(lam), 0)
    n = (-math.sin(phi) * math.cos(lam), -math.sin(phi) * math.sin(lam), math.cos(phi))
    u = (math.cos(phi) * math.cos(lam), math.cos(phi) * math.sin(lam), math.sin(phi))
    de, dn, du = (sum(a * b for a, b in zip(d, v)) for v in (e, n, u))
    az = math.degrees(math.atan2(de, dn)) % 360
    el = math.degrees(math.atan2(du, math.hypot(de, dn)))
    # Bennett, for apparent altitude: R = cot(ha + 7.31 / (ha + 4.4)) arcminutes; solved for ha.
    ha = el
    for _ in range(20):
        ha = el + (1 / math.tan(math.radians(ha + 7.31 / (ha + 4.4)))) / 60
    return az, el, ha


for lat, lon, h, sat in CASES:
    az, el, apparent = look(lat, lon, h, sat)
    print(f"{lat} {lon} {sat}: azimuth {az:.4f} true elevation {el:.4f} apparent {apparent:.4f}")
