#pragma once

#include <QImage>
#include <QRect>

#include <optional>

namespace skyvane {

// Size of the location window's small world map, in pixels.
inline constexpr int kSmallMapWidth = 360;
inline constexpr int kSmallMapHeight = 180;

// Where the town marker goes on the small map. Near the top edge the marker would not fit above
// the point, so it hangs upside down under it, its tip at the top.
struct MarkerPlacement {
    QRect rect; // pixels of the small map the marker picture covers
    bool upsideDown = false;
};

// latitude: degrees, North positive; longitude: degrees, West positive.
// x = round(179 - longitude), y = round(89 - latitude), halves to even.
MarkerPlacement PlaceMarker(double latitude, double longitude);

// A 9 x 15 marker with a transparent background and its tip at the bottom centre, used when the
// world map window has not handed over its own.
QImage DefaultMarkerPicture();

// The small map: the world picture stretched over 360 x 180 (a plain sea colour when there is
// none), with the marker drawn at the town when one is given.
QImage DrawSmallMap(const QImage& world, const QImage& marker,
                    const std::optional<MarkerPlacement>& placement);

} // namespace skyvane
