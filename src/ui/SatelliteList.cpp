#include "SatelliteList.h"

#include "GridView.h"

namespace skyvane {

namespace {

// Wide enough for "177.0° W" in the platform's default font (the classic 50 pixels cut it off).
constexpr int kPositionColumnWidth = 64;
constexpr int kNameColumnWidth = 214;

} // namespace

void AddSatelliteListColumns(GridView& grid) {
    const QString degree = QStringLiteral("\u00b0");
    grid.addColumn({QStringLiteral("colPosition"), QStringLiteral("Position"), kPositionColumnWidth,
                    Qt::AlignRight | Qt::AlignVCenter, GridSortMode::Text, QString()});
    grid.addColumn({QStringLiteral("colSatName"), QStringLiteral("Satellite name"),
                    kNameColumnWidth, Qt::AlignLeft | Qt::AlignVCenter, GridSortMode::Text,
                    QString()});
    grid.addColumn({QStringLiteral("colAzimuth"), QStringLiteral("Azimuth"), -1,
                    Qt::AlignRight | Qt::AlignVCenter, GridSortMode::Numeric, degree});
    grid.addColumn({QStringLiteral("colElevation"), QStringLiteral("Elevation"), -1,
                    Qt::AlignRight | Qt::AlignVCenter, GridSortMode::Numeric, degree});
    grid.addColumn({QStringLiteral("colSkew"), QStringLiteral("Skew"), -1,
                    Qt::AlignRight | Qt::AlignVCenter, GridSortMode::Numeric, degree});
}

} // namespace skyvane
