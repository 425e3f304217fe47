extern "C" float magnetic_declination(float lat);

// Stands in for a magnetic-model library of the right name that lacks the magdec export.
extern "C" __attribute__((visibility("default"))) float magnetic_declination(float lat) {
    return lat;
}
