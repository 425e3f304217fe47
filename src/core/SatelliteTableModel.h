#pragma once

#include "CaptionedTableModel.h"
#include "HorizonMask.h"
#include "SatelliteData.h"

#include <vector>

namespace skyvane {

// Roles every table of the program answers besides the display text.
inline constexpr int kRecordRole = Qt::UserRole + 1; // the row's SatelliteRecord, any column
inline constexpr int kSortRole = Qt::UserRole + 2;   // what the column sorts on: a number or text
// True for a row that stands for something the site cannot see (the grid greys it).
inline constexpr int kBlockedRole = Qt::UserRole + 3;

// Whether the site's skyline hides a satellite. declination: degrees (West positive) that were
// added to the record's azimuth, taken off again since the mask is measured from true North.
bool BlockedByHorizon(const TSatelliteData& record, const HorizonMask& mask, double declination);

// "Inclined 4.40°: over a day it swings 5.27° in azimuth and 8.24° in elevation." for a
// satellite that moves over the day (its tooltip in the list); empty for one that does not.
QString DailyMovementText(const TSatelliteData& record);
// The larger of the day's swings as an angle in the sky (the azimuth swing shrinks with the
// elevation's cosine), degrees.
double DailySwingInTheSky(const TSatelliteData& record);

// The satellite list as a table over the records of a calculation: position, name, azimuth,
// elevation and skew, one record per row, in the order given. The texts are those the list
// shows (angles rounded to hundredths, the position with the current language's letter); the
// sort values are numbers (the motor angle West positive as the position): the signed position
// (West positive, so ascending runs from East to West across 0°), the angles' values. The header
// captions are kept here so that the reports read them without a view; the grid sets them in the
// current language.
class SatelliteTableModel : public CaptionedTableModel {
    Q_OBJECT

public:
    // Motor, the angle a polar mount's motor turns to, is shown only when chosen: until then
    // the table, and the reports that read it, have the first five columns.
    enum Column { Position, Name, Azimuth, Elevation, Skew, Motor, ColumnCount };

    explicit SatelliteTableModel(QObject* parent = nullptr);

    // Replaces every row (a reset, so views drop their selection).
    void setRecords(std::vector<SatelliteRecord> records);
    const std::vector<SatelliteRecord>& records() const { return m_records; }
    // The skyline the rows are marked against (kBlockedRole, "blocked by horizon" in the
    // tooltip); declination as for BlockedByHorizon.
    void setHorizon(const HorizonMask& mask, double declination);
    bool isBlocked(int row) const;
    int blockedCount() const;
    void setMotorColumnShown(bool shown);
    bool motorColumnShown() const { return m_motorShown; }
    // The record of a row, null for no such row.
    SatelliteRecord record(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    void markBlocked();

    std::vector<SatelliteRecord> m_records;
    std::vector<bool> m_blocked; // one a record
    HorizonMask m_horizon;
    double m_declination = 0.0; // degrees, West positive
    bool m_motorShown = false;
};

} // namespace skyvane
