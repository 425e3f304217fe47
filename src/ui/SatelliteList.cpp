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
    const Qt::Alignment right = Qt::AlignRight | Qt::AlignVCenter;
    grid.addColumn({QStringLiteral("colPosition"), kPositionColumnWidth, right, QString()});
    grid.addColumn({QStringLiteral("colSatName"), kNameColumnWidth,
                    Qt::AlignLeft | Qt::AlignVCenter, QString()});
    grid.addColumn({QStringLiteral("colAzimuth"), -1, right, degree});
    grid.addColumn({QStringLiteral("colElevation"), -1, right, degree});
    grid.addColumn({QStringLiteral("colSkew"), -1, right, degree});
    // Shown only while the model has it (View > Motor); its text carries its own side letter.
    grid.addColumn({QStringLiteral("colMotor"), -1, right, QString()});
}

} // namespace skyvane
