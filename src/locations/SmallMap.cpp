#include "SmallMap.h"

#include <QPainter>
#include <QPolygon>

#include <algorithm>
#include <cmath>

namespace skyvane {

namespace {
constexpr int kMarkerWidth = 9;
constexpr int kMarkerHeight = 15;
// Rows the marker's tip lies below its top edge.
constexpr int kMarkerTipOffset = 13;
} // namespace

MarkerPlacement PlaceMarker(double latitude, double longitude) {
    // Coordinates off the globe (or not numbers) are held at its edge, so that the pixel
    // arithmetic stays within int.
    latitude = std::isnan(latitude) ? 0.0 : std::clamp(latitude, -90.0, 90.0);
    longitude = std::isnan(longitude) ? 0.0 : std::clamp(longitude, -180.0, 180.0);
    const int x = int(std::nearbyint(179.0 - longitude));
    const int y = int(std::nearbyint(89.0 - latitude));
    if (y - kMarkerTipOffset >= 0)
        return {QRect(x - 4, y - kMarkerTipOffset, kMarkerWidth, kMarkerHeight), false};
    return {QRect(x - 4, y - 2, kMarkerWidth, kMarkerHeight), true};
}

QImage DefaultMarkerPicture() {
    QImage marker(kMarkerWidth, kMarkerHeight, QImage::Format_ARGB32);
    marker.fill(Qt::transparent);
    QPainter painter(&marker);
    painter.setPen(Qt::black);
    painter.setBrush(QColor(220, 0, 0));
    painter.drawPolygon(QPolygon({QPoint(4, 14), QPoint(1, 7), QPoint(7, 7)}));
    painter.drawEllipse(QRect(0, 0, 8, 8));
    painter.setPen(Qt::white);
    painter.drawPoint(3, 3);
    return marker;
}

QImage DrawSmallMap(const QImage& world, const QImage& marker,
                    const std::optional<MarkerPlacement>& placement) {
    QImage map(kSmallMapWidth, kSmallMapHeight, QImage::Format_RGB32);
    map.fill(QColor(24, 64, 120));
    QPainter painter(&map);
    const QRect whole(0, 0, kSmallMapWidth, kSmallMapHeight);
    if (!world.isNull())
        painter.drawImage(whole, world);
    if (placement && !marker.isNull()) {
        const QImage picture = placement->upsideDown ? marker.mirrored(false, true) : marker;
        painter.drawImage(placement->rect, picture);
    }
    return map;
}

} // namespace skyvane
