#pragma once

#include "CaptionedTableModel.h"
#include "SunOutage.h"

#include <vector>

namespace skyvane {

// The sun outage table: one predicted outage day per row, in the order given. The texts are
// those of FormatOutageRow in the current default locale; the sort values are the UTC start
// (date column), the times of day of start and end, and the duration in seconds, so a date
// whose short form has a two-digit year still sorts right.
class OutageTableModel : public CaptionedTableModel {
    Q_OBJECT

public:
    enum Column { PredictedDate, StartGMT, EndGMT, Duration, ColumnCount };

    explicit OutageTableModel(QObject* parent = nullptr);

    // Replaces every row (a reset, so views drop their selection).
    void setRows(std::vector<OutageRow> rows);
    const std::vector<OutageRow>& rows() const { return m_rows; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

private:
    std::vector<OutageRow> m_rows;
};

} // namespace skyvane
