#pragma once

#include "Session.h"
#include "Translatable.h"

#include "ui_fEarth.h"

#include <QImage>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>

namespace skyvane {

// A place on the world map. The signs are the map's own: east and south positive, which is
// how pixel columns and rows grow.
struct MapCoordinate {
    double longitudeEast = 0.0; // degrees, East positive
    double latitudeSouth = 0.0; // degrees, South positive
};

// The map is 720 x 360 pixels, 2 pixels per degree, the prime meridian on column 359 and the
// equator on row 179.
inline constexpr int kMapWidth = 720;  // pixels
inline constexpr int kMapHeight = 360; // pixels

// The position a map pixel stands for, in half-degree steps.
MapCoordinate PixelToCoordinate(QPoint pixel);

// The pixel nearest to a position, rounding halves to even. Not limited to the map: a site at
// 180 W lies on column -1.
QPoint CoordinateToPixel(MapCoordinate site);

// Where the pin goes for a site on a given pixel. `area` is the rectangle of map pixels the
// 9 x 15 pin covers; when `mirrored` the pin is drawn upside down (tip up), because the upright
// pin would stick out of the map's top edge.
struct PinPlacement {
    QRect area;
    bool mirrored = false;
};
PinPlacement PlacePin(QPoint sitePixel);

// The pin's tip, the pixel that points at the site, for a placement.
QPoint PinTip(const PinPlacement& placement);

// The 9 x 15 pin: white-edged red head on a black needle, transparent around it.
QImage PinImage();

// Where a site lies on the map, read as the calculation reads it.
MapCoordinate MapCoordinateOf(const Site& site);

// The coordinate line under the map: "47.00 N / 16.00 E". The prime meridian counts as east
// and the equator as south.
QString CoordinateText(MapCoordinate position);

// The world map picker: shows the session's site with a pin, tells the position under the
// mouse, and on a click makes that position the session's site.
class TfrmEarth : public QWidget, public Ui::TfrmEarth {
    Q_OBJECT

public:
    explicit TfrmEarth(QWidget* mainWindow = nullptr, Session* session = nullptr);

    static const WindowTranslation& Translation();

    // The session whose site the map shows and sets; without one a click only hides the map.
    void SetSession(Session* session) { m_session = session; }

    // The picture currently shown on the map, pin included.
    QImage MapBitmap() const { return mapBitmap; }

    // Position under the cursor at the last mouse movement; persists between showings.
    MapCoordinate CursorPosition() const { return cursor; }

    void Image1MouseMove(Qt::KeyboardModifiers shift, int x, int y);
    void Image1Click();
    void FormShow();
    void FormKeyUp(int key, Qt::KeyboardModifiers shift);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void WriteCursorToSite();
    void DrawPin(QPoint sitePixel);
    void CentreOverMainWindow();

    QPointer<Session> m_session;
    QImage mapBitmap;
    MapCoordinate cursor;
    bool shownBefore = false;
};

} // namespace skyvane
