#pragma once

// The magnetic-model plugin's one entry point, loaded at run time by the program.

#ifdef __cplusplus
extern "C" {
#endif

// Magnetic declination from the World Magnetic Model whose coefficients are read, once per
// process, from the file "wmm.cof": the one in the current directory, else the one beside this
// library, else the one in the data folders (user's, then system's, then the installation's).
//   lat:  geodetic latitude in degrees, North positive, within [-90, 90]
//   lon:  longitude in degrees, East NEGATIVE (West positive)
//   alt:  height above the WGS84 ellipsoid in km, within [-10, 1000]
//   year: decimal year, within the model's five years of validity
// Returns the declination in degrees, West positive (so true azimuth + result = magnetic
// azimuth), or NaN when the coefficient file is missing or unusable or an argument is out of
// range or not finite.
__attribute__((visibility("default"))) float magdec(float lat, float lon, float alt, float year);

#ifdef __cplusplus
}
#endif
