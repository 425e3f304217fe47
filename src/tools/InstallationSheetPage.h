#pragma once

#include "InstallationSheet.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

class QPainter;
class QPagedPaintDevice;
class QWidget;

namespace skyvane {

// Everything one installation sheet shows, its texts already in the user's language.
struct InstallationSheetPage {
    QString title;               // "Installation sheet: Astra 1KR at 19.2° E"
    QList<QStringList> siteRows; // {"Latitude:", "47.16° N"}, the town and declination rows
    QStringList notes;           // "Date: ...", "Catalogue: ..."
    SheetFigures figures;
    double offsetAngle = 0.0; // degrees, 0 for a prime-focus dish
    QStringList labels;       // the sheet's captions, in SheetLabel order
    QStringList outageLines;  // the next outage days in the site's local time
    QString outageHeading;    // "Next sun outages (Europe/Budapest)"
    // The horizon's elevation at each whole degree of azimuth from true north, 360 values;
    // empty for an open horizon.
    std::vector<double> horizon;
    QString geoUri; // the site for a phone's map: "geo:47.16,16.16"
};

// The captions of a sheet, in the order InstallationSheetPage::labels holds them.
enum class SheetLabel {
    TrueAzimuth,
    MagneticAzimuth,
    Elevation,
    PlateTilt, // "Plate tilt (offset %s°)"
    Skew,
    MotorAngle,
    SkewFromBehind, // "LNB seen from behind the dish"
    Horizon,
    Site,
    Count
};

// Draws the sheet on one page of `device` (a printer or a PDF writer), scaled to the page.
void PaintInstallationSheet(QPainter& painter, QPagedPaintDevice& device,
                            const InstallationSheetPage& sheet);

// Writes the sheet as a one-page A4 PDF; throws std::runtime_error when the file cannot be
// written (nothing of a new file is left behind then).
void WriteInstallationSheetPdf(const QString& path, const InstallationSheetPage& sheet);

// The sheet in the print preview, from which it prints; its tool bar also saves it as a PDF.
void PreviewInstallationSheet(QWidget* parent, const InstallationSheetPage& sheet,
                              const QString& savePdfText);

} // namespace skyvane
