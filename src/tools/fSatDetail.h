#pragma once

#include "SatelliteData.h"
#include "ToolWindowLink.h"
#include "Translatable.h"

#include "ui_fSatDetail.h"

#include <QImage>
#include <QMainWindow>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>

#include <functional>

#include <optional>

class QLabel;
class QMenu;

namespace skyvane {

class SaveDialogSettings;

// The whole-pixel quantities every diagram is drawn with, from the image control's size.
struct DiagramGeometry {
    int D;   // side of the drawing square: min(width, height) - 2
    int M;   // margin around the figure
    int c;   // centre, D div 2
    int L;   // D - 2 M
    int R;   // radius of the elevation sector, L div 2
    int r8;  // feed body radius, L div 8
    int r3;  // feed arm length, L div 3
    int r10; // feed opening radius, L div 10
    int r5;  // polarisation line unit, L div 5
};
DiagramGeometry DiagramGeometryFor(QSize imageSize);

// The compass letters as the current language writes them.
struct CompassLetters {
    QString north, south, west, east;
};
CompassLetters CurrentCompassLetters();

// The three diagrams, drawn afresh on a teal bitmap of the given size without antialiasing.
// Angles in degrees: azimuth clockwise from North, elevation above the horizon, skew positive
// turning the feed clockwise on screen.
// The azimuth diagram is a plan of the sky, the horizon at its rim and the zenith at its
// centre; a site's skyline, when given, is shaded between the rim and its elevation. Its
// azimuths are from true North; `declination` (degrees, West positive) is what the shown
// azimuth has added, so the skyline turns with it.
QImage DrawAzimuthDiagram(QSize size, double azimuth, const CompassLetters& letters,
                          qreal pixelRatio = 1.0, const HorizonMask& horizon = HorizonMask(),
                          double declination = 0.0);
QImage DrawElevationDiagram(QSize size, double elevation, qreal pixelRatio = 1.0);
QImage DrawSkewDiagram(QSize size, double skew, qreal pixelRatio = 1.0);

// The site line: "47.16° N" (latitude, North positive, 0 counts as North) and "16.16° E"
// (longitude, West positive, 0 counts as East).
QString SiteLatitudeText(double latitude);
QString SiteLongitudeText(double longitude);

// The page's name without folder and extension (from the last "." on): a.b.htm gives a.b.
QString ReportBaseName(const QString& pagePath);

// The lines between the report frame's head and footer: the site rows, then the three
// pictures (baseName + "_az.gif", "_el.gif", "_sk.gif", by bare name) over their captions.
QStringList DetailReportBody(const SiteReportInputs& site, const QString& baseName,
                             const QStringList& captions);

// How to point the dish at one satellite: compass with the azimuth needle, quadrant with the
// elevation, and the feed turned by the polarisation skew. Each diagram can be saved as GIF;
// the window exports as an HTML page with the diagrams as GIF files beside it. Closing frees it.
class TfrmSatDetail : public QMainWindow, public Ui::TfrmSatDetail {
    Q_OBJECT

public:
    TfrmSatDetail(QWidget* owner, const ToolWindowLink& link);

    static const WindowTranslation& Translation();

    // Fills every text and draws the diagrams; called once, before the window is shown.
    void SetSatellite(const SatelliteRecord& record);

    // The bitmap drawn for one of the image controls (null before SetSatellite).
    QImage Bitmap(const QLabel* image) const;
    QMenu* popupSave() const { return m_popupSave; }

    void DrawAzimuth();
    void DrawElevation();
    void DrawSkew();
    void pmSaveImageClick();
    void ExporttoHTML1Click();
    void LanguageController1LanguageChanged();

private:
    void SetUpPopupMenu();
    void ImageContextPopup(QLabel* image, const QPoint& localPos);
    void ShowCaption();
    void ShowDailyMovement();
    void ShowDiagram(QLabel* image, QImage& bitmap, const std::function<QImage(qreal)>& draw);
    void WriteReport(const QString& pagePath) const;
    const QImage* BitmapSlot(const QLabel* image) const;

    ToolWindowLink m_link;
    SiteFacts m_siteTaken; // the record's site and the main window's town and declination then
    std::optional<TSatelliteData> Satellite;
    QImage m_azimuthBitmap;
    QImage m_elevationBitmap;
    QImage m_skewBitmap;
    QMenu* m_popupSave = nullptr;
    QPointer<QLabel> m_popupComponent;
    QLabel* m_dailyMovement = nullptr; // in the status bar, for a satellite that moves daily
    QLabel* m_dailyPath = nullptr;     // beside it, the day's figure of eight
    SaveDialogSettings* SaveDialog1 = nullptr;
    SaveDialogSettings* SaveDialogHTML = nullptr;
};

} // namespace skyvane
