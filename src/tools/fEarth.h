#pragma once

#include "SiteInputs.h"
#include "Translatable.h"

#include "ui_fEarth.h"

#include <QImage>
#include <QLineEdit>
#include <QPoint>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
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

// The site the main window's inputs describe, read as the calculation reads them: the absolute
// value of each field (text that is no number counts as 0), the hemisphere from its button.
MapCoordinate SiteFromInputs(const QString& longitudeText, bool westChecked,
                             const QString& latitudeText, bool northChecked);

// The coordinate line under the map: "47.00 N / 16.00 E". The prime meridian counts as east
// and the equator as south.
QString CoordinateText(MapCoordinate position);

// The world map picker: shows the site entered in the main window with a pin, tells the
// position under the mouse, and on a click writes that position into the main window's site
// inputs and runs the calculation there.
class TfrmEarth : public QWidget, public Ui::TfrmEarth {
    Q_OBJECT

public:
    explicit TfrmEarth(QWidget* mainWindow = nullptr, const SiteInputs& site = {});

    static const WindowTranslation& Translation();

    // The main window's site controls; without them a click only hides the map.
    void SetSiteInputs(const SiteInputs& site);

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
    bool HasSiteInputs() const;
    void WriteCursorToSite();
    void DrawPin(QPoint sitePixel);
    void CentreOverMainWindow();

    struct GuardedSiteInputs {
        QPointer<QLineEdit> edLat;
        QPointer<QLineEdit> edLong;
        QPointer<QRadioButton> rbEsLatN;
        QPointer<QRadioButton> rbEsLatS;
        QPointer<QRadioButton> rbEsLongW;
        QPointer<QRadioButton> rbEsLongE;
        QPointer<QPushButton> btnGo;
    };

    GuardedSiteInputs siteInputs;
    QImage mapBitmap;
    MapCoordinate cursor;
    bool shownBefore = false;
};

} // namespace skyvane
