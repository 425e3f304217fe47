#pragma once

#include "CaptionedTableModel.h"
#include "SunOutage.h"

#include <QTimeZone>

#include <functional>
#include <vector>

namespace skyvane {

// The sun outage table: one predicted outage day per row, in the order given. The texts are
// those of FormatOutageRow in the current default locale; the sort values are the UTC start
// (date column), the times of day of start and end, and the duration in seconds, so a date
// whose short form has a two-digit year still sorts right.
class OutageTableModel : public CaptionedTableModel {
    Q_OBJECT

public:
    // LocalTime, start and end in the site's zone with its offset that day, is there only
    // while a zone is set; without it the table and its reports have the first four columns.
    // PeakLoss, the C/N loss at each day's closest approach, is there only while losses are set;
    // LocalTime is then always there, empty without a zone (the window hides it).
    enum Column { PredictedDate, StartGMT, EndGMT, Duration, LocalTime, PeakLoss, ColumnCount };

    explicit OutageTableModel(QObject* parent = nullptr);

    // Replaces every row (a reset, so views drop their selection).
    void setRows(std::vector<OutageRow> rows);
    const std::vector<OutageRow>& rows() const { return m_rows; }
    // The zone of the local-time column; an invalid zone removes the column.
    void setLocalZone(const QTimeZone& zone);
    const QTimeZone& localZone() const { return m_zone; }
    // dB, one a row in the order of rows(); an empty list removes the column.
    void setPeakLosses(std::vector<double> losses);
    bool hasPeakLosses() const { return !m_peakLosses.empty(); }
    // The site's skyline: a row whose sun stands behind it halfway through the outage is marked
    // (kBlockedRole, a tooltip saying that no outage happens). siteLatitude: degrees, North
    // positive; siteLongitude: degrees, West positive.
    void setHorizon(const HorizonMask& mask, double siteLatitude, double siteLongitude);
    bool isBehindHorizon(int row) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    int columnsFor(bool zone, bool peak) const;
    // Runs `change`, announcing the columns it adds or removes to reach `after`.
    void changeColumns(int after, const std::function<void()>& change);

    void markBehindHorizon();

    std::vector<OutageRow> m_rows;
    std::vector<double> m_peakLosses;
    std::vector<bool> m_behindHorizon; // one a row
    HorizonMask m_horizon;
    double m_siteLatitude = 0.0;  // degrees, North positive
    double m_siteLongitude = 0.0; // degrees, West positive
    QTimeZone m_zone;
};

} // namespace skyvane
