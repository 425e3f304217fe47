#pragma once

#include "HorizonMask.h"
#include "QuietFailure.h"
#include "ReportParts.h"
#include "SatelliteData.h"
#include "SunOutageOptions.h"

#include <functional>
#include <vector>

class QWidget;

namespace skyvane {

// What a tool window (details, sun outage, obstacles) may ask of the main window.
struct ToolWindowLink {
    // The main window's site facts now; a tool window takes them when it receives its record.
    std::function<SiteFacts()> site;
    // The captions of the site rows in the current language, read at the moment of a report.
    std::function<SiteCaptions()> siteCaptions;
    // The session's shared sun outage options; null when there is no main window.
    SunOutageOptions* sunOutage = nullptr;
    // The ISO code of the country a site lies in (latitude North, longitude West positive), as
    // the town database knows it; empty when it does not.
    std::function<QString(double, double)> countryAt;
    // The satellites of the main window's list now; none without a main window.
    std::function<std::vector<SatelliteRecord>()> records;
    // The skyline of the main window's site now, azimuths from true North.
    std::function<HorizonMask()> horizon;
    // The declination the main window's list adds to its azimuths now, degrees, West positive.
    std::function<double()> declination;
    // Raises the site's skyline by an obstacle in the direction of `azimuth` (degrees as the
    // list gives it, so with the declination when the list adds it) up to `elevation` degrees.
    std::function<void(double azimuth, double elevation)> addToHorizon;

    // The main window's site now, or an empty one without a main window.
    SiteFacts currentSite() const { return site ? site() : SiteFacts{}; }
    SiteCaptions captions() const { return siteCaptions ? siteCaptions() : SiteCaptions{}; }
    HorizonMask siteHorizon() const { return horizon ? horizon() : HorizonMask(); }
    double listDeclination() const { return declination ? declination() : 0.0; }
    std::vector<SatelliteRecord> listedRecords() const {
        return records ? records() : std::vector<SatelliteRecord>{};
    }
};

// Opens a tool window (details, sun outage, obstacles) owned by `owner`, gives it `record` when
// there is one, and shows it without blocking. A window that cannot be opened leaves the rest of
// the program as it was.
template <typename Window>
void OpenToolWindow(QWidget* owner, const ToolWindowLink& link, const SatelliteRecord& record) {
    RunQuietly("opening a tool window", [&] {
        auto* window = new Window(owner, link);
        if (record)
            window->SetSatellite(record);
        window->show();
    });
}

} // namespace skyvane
