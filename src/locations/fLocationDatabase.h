#pragma once

#include "LocationDatabase.h"
#include "Session.h"
#include "SmallMap.h"
#include "Translatable.h"
#include "ui_fLocationDatabase.h"

#include <QDialog>
#include <QHash>
#include <QImage>
#include <QPointer>
#include <QString>

#include <optional>

class QTimer;

namespace skyvane {

class TownListModel;

// The location database window: find a town by country and name, see its coordinates and its
// place on a small world map, and make its coordinates the session's site. It browses the town
// database the program opened; the database outlives the window.
class TfrmLocations : public QDialog, public Ui::frmLocations {
    Q_OBJECT

public:
    // database: the open town database, or none (the lists stay empty).
    explicit TfrmLocations(QWidget* parent = nullptr, Session* session = nullptr,
                           LocationDatabase* database = nullptr);
    ~TfrmLocations() override;

    static const WindowTranslation& Translation();
    // The town caption's entry, which reports read as well.
    static constexpr int kCityEntry = 4;

    // False when no database file was found: the main window then hides btnLocDatabase.
    bool databaseAvailable() const { return m_databaseAvailable; }

    // The session whose site Apply sets; without one Apply does nothing.
    void SetSession(Session* session) { m_session = session; }
    // The world map window's pictures: the world map and the 9 x 15 marker (tip bottom centre).
    void SetMapPictures(const QImage& worldMap, const QImage& marker);
    // The same with the world map read from its file only when the small map is first drawn:
    // most runs never open this window, and the decoded map is a megabyte.
    void SetMapPictures(const QString& worldMapFile, const QImage& marker);

    // The filter of the town list as last applied; empty before the first filter run.
    QString townFilter() const { return m_townFilter; }
    // The small map as it is shown.
    QImage smallMap();
    TownListModel* townModel();
    // The country list, read if it was not yet.
    QComboBox* countryList();

    // Latitude of the town last clicked, degrees, North positive.
    double SelectedLat = 0.0;
    // Longitude of the town last clicked, degrees, West positive.
    double SelectedLong = 0.0;

    QTimer* Timer1 = nullptr;

public slots:
    void dblCountryClick();
    void edCityChange();
    void Timer1Timer();
    void dblCityClick();
    void btnApplyClick();

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The country and town lists are read when first needed (the window shown, or a list asked
    // for), not while the program starts; the towns then only as far as they are scrolled.
    void EnsureListsLoaded();
    // What the Apply button does, when a town with a place is chosen.
    void ApplyChosenTown();
    void FormCreate();
    void ConnectHandlers();
    void FillCountries();
    void ShowTowns(const TownFilter& filter);
    // Country names and sort order follow the interface language.
    void LanguageChanged();
    void ShowSelectedCoordinates();
    void RedrawSmallMap(const std::optional<MarkerPlacement>& marker);
    // The small map is drawn when it can be seen or is asked for, not while the window is hidden.
    void EnsureSmallMap();

    QPointer<Session> m_session;
    LocationDatabase* m_database = nullptr;
    bool m_databaseAvailable = false;
    TownListModel* m_townModel = nullptr;
    QHash<QString, QString> m_countryNames; // display names by key
    bool m_listsPending = false;
    QString m_townFilter;
    QImage m_worldMap;
    QString m_worldMapFile; // read into m_worldMap when the small map is first drawn
    bool m_smallMapStale = true;
    QImage m_marker;
    QImage m_smallMap;
    std::optional<MarkerPlacement> m_markerPlacement;
};

} // namespace skyvane
